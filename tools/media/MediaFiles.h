#pragma once
#include <string>
#include <vector>

namespace zel::media {

// One generated file: its path under the game data root and its bytes.
struct MediaFile {
    std::string Path;   // e.g. "gamedata/splash/splash.qorbex"
    std::string Bytes;  // the whole file
};

// Every picture and script the front end loads, drawn and encoded:
//  gamedata/splash/splash.qorbex and its slides (PNG),
//  gamedata/zel2.gif (waiting picture), gamedata/logo.gif (about window),
//  gamedata/pic/smallgerb.gif and gamedata/pic/biggerb.gif (coat of arms),
//  gamedata/pic/korvalo2.png (the program's icon),
//  gamedata/xron/xron0.gif to xron3.gif (the chronicle's school years).
// Needs a QGuiApplication (the pictures use fonts).
std::vector<MediaFile> MakeMediaFiles();

}  // namespace zel::media
