#include "sim/SimBasics.h"

#include <cmath>
#include <filesystem>

#include "physics/Shapes.h"

namespace zel {

MatchState FreshSimState() {
    MatchState s;
    s.Pi = 4 * std::atan(1.0);
    s.Shapes = InitShapes(s.VembaRadius, s.BodyRadius, s.PipaRadius);
    ResetMatchDefaults(s);
    return s;
}

std::string SimLogFolder(const std::string& path) {
    const std::string dir = std::filesystem::path(path).parent_path().string();
    return dir.empty() ? std::string(".") : dir;
}

}  // namespace zel
