// zel-content: writes the game's meshes and textures under the folder given
// on the command line (the folder that holds the program), into
// gamedata/mesh and gamedata/pic. The build runs it; see README.md for the
// units and axes the 3D layer has to use with these files.
#include <cstdio>
#include <exception>

#include "GameData.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zel-content <program folder>\n");
        return 2;
    }
    try {
        zel::content::WriteGameData(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zel-content: %s\n", e.what());
        return 1;
    }
    return 0;
}
