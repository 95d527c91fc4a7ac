// zel-sound-content ROOT: writes the game's sound effects into
// ROOT/gamedata/sound/.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "SoundEffects.h"
#include "WavWriter.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zel-sound-content ROOT\n");
        return 2;
    }
    const std::filesystem::path dir = std::filesystem::path(argv[1]) / "gamedata" / "sound";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        std::fprintf(stderr, "zel-sound-content: cannot create %s: %s\n", dir.string().c_str(), ec.message().c_str());
        return 1;
    }
    for (const zel::soundgen::SoundEffect& e : zel::soundgen::SoundEffects()) {
        const std::string path = (dir / e.FileName).string();
        if (!zel::soundgen::WriteWavFile(path, e.Make())) {
            std::fprintf(stderr, "zel-sound-content: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
