#pragma once
#include <string>

namespace zel::render::files {

// The game data the scenes load, relative to the program folder (AppPath).
inline constexpr const char* kRoomTexture = "gamedata/pic/mingerb.bmp";
inline constexpr const char* kLamp = "gamedata/mesh/lamp.x";
inline constexpr const char* kSwin = "gamedata/mesh/swin.x";
inline constexpr const char* kTable = "gamedata/mesh/vembatable.x";
inline constexpr const char* kTableTexture = "gamedata/mesh/vembatable.bmp";
inline constexpr const char* kCentrePoint = "gamedata/mesh/centerpoint.x";
inline constexpr const char* kAimMarker = "gamedata/mesh/ball.x";  // also the name-label dot
inline constexpr const char* kAimArrow = "gamedata/mesh/point.x";
inline constexpr const char* kWall = "gamedata/mesh/border1.x";
inline constexpr const char* kPost = "gamedata/mesh/pipa.x";

// "gamedata/mesh/vemba" + model + "_gray.x" for a grey piece, else + ".x".
inline std::string PieceMesh(int model, bool gray) {
    return "gamedata/mesh/vemba" + std::to_string(model) + (gray ? "_gray.x" : ".x");
}

}  // namespace zel::render::files
