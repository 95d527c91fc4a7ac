#pragma once
#include <cstdint>

#include "core/Flag.h"
#include "core/MatchState.h"
#include "settings/SettingsDefaults.h"

namespace zel {

// The display and 3D device settings of zel.ini. The options screen edits
// them, the 3D start-up reads them; flags are -1 for on and 0 for off.
struct DisplaySettings {
    std::int16_t ScreenW = kSettingsDefaults.ScreenW;      // full-screen width in pixels
    std::int16_t ScreenH = kSettingsDefaults.ScreenH;      // full-screen height in pixels
    std::int16_t Colors = kSettingsDefaults.Colors;        // colour depth in bits
    Flag UseTex = kSettingsDefaults.UseTex;                // load the table textures
    Flag UseRoom = kSettingsDefaults.UseRoom;              // load the room around the table
    std::int16_t DeviceNum = kSettingsDefaults.DeviceNum;  // entry of the display driver list
    std::int16_t RenderNum = kSettingsDefaults.RenderNum;  // entry of the 3D device list: 0 software, 1 hardware
};

// The match core keeps its own copies of ScreenH (overlay rows) and UseRoom
// (overlay colour, crowd sound); every routine that changes the display
// settings calls this so the match never sees stale values.
inline void CopyDisplayToMatch(const DisplaySettings& d, MatchState& s) {
    s.ScreenH = d.ScreenH;
    s.UseRoom = d.UseRoom;
}

}  // namespace zel
