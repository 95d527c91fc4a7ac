#pragma once
#include <string>

#include "render/SceneTexts.h"

namespace zel::render {

// The display settings the 3D start-up and the scene read. The game copies
// them from its settings before a match; the defaults are the settings
// file's defaults for a missing value.
struct RenderSettings {
    int ScreenW = 640;            // picture width in pixels
    int ScreenH = 480;            // picture height in pixels
    int Colors = 8;               // bits per pixel of the shown picture: 8, 16, 24 or 32
    bool UseTex = true;           // put the texture on the table
    std::string DeviceGuid = texts::kHardwareDeviceId;  // hardware or software device: the texture filter
    std::string DriverGuid;       // display: the name of the screen to cover, "" for the primary one
    std::string AppTitle;         // the caption restored when the scene is built
};

}  // namespace zel::render
