#pragma once
#include <string>

namespace zel::test {

// A saved game without its first line (the date) and without the camera and
// aim lines: the view is the viewer's own, and a replay does not replay it.
// What two runs of the same match must agree on bit for bit.
inline std::string SavedGameBody(const std::string& save) {
    const auto nl = save.find('\n');
    if (nl == std::string::npos) return std::string();
    std::string out;
    std::size_t at = nl + 1;
    while (at < save.size()) {
        std::size_t end = save.find('\n', at);
        end = end == std::string::npos ? save.size() : end + 1;
        const std::string line = save.substr(at, end - at);
        const bool view =
            line.rfind("Cam", 0) == 0 || line.rfind("Targ", 0) == 0 || line.rfind("AimAngle=", 0) == 0;
        if (!view) out += line;
        at = end;
    }
    return out;
}

}  // namespace zel::test
