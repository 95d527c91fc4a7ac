#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zel::content {

// One generated file: its path under the program's folder (forward
// slashes, lower case, as the game asks for it) and its bytes.
struct GameFile {
    std::string Path;                 // e.g. "gamedata/mesh/vemba0.x"
    std::vector<std::uint8_t> Bytes;  // the whole file
};

// Every mesh and texture of the 3D match and the piece preview: the table
// and its texture, the room's wall texture, the five piece models and their
// grey twins, the wall, the post, the marker sphere (also the name-label
// dot), the aim arrow, the table-centre mark, the lamp and the shelf for
// fallen pieces. The same bytes on every run.
std::vector<GameFile> BuildGameData();

// Writes BuildGameData() under `root` (the folder that holds the program),
// creating gamedata/mesh and gamedata/pic as needed. Each file is written
// to a temporary name first and then renamed over the old one, so an
// interrupted run never leaves a half-written mesh behind. Other files in
// those folders are left alone. Throws std::runtime_error with the path on
// a failure.
void WriteGameData(const std::filesystem::path& root);

}  // namespace zel::content
