#pragma once
#include "settings/DisplaySettings.h"
#include "settings/NetSettings.h"
#include "screens/OptionsScreenModel.h"
#include "screens/StartScreenModel.h"

namespace zel {

// Where the settings of zel.ini live besides the match state: the display
// record and the two screens whose controls are the store of the other
// settings (names, models and marks on the match setup screen; table size,
// sound, wall, messages and posts boxes on the options screen). The program
// keeps one for its whole run, next to its MatchState, and hands the screen
// models to the windows that display them.
struct SettingsStore {
    DisplaySettings Display;     // screen mode, textures, room, devices
    StartScreenModel Start;      // the match setup screen's controls
    OptionsScreenModel Options;  // the options screen's controls
    NetSettings Net = DefaultNetSettings();  // the network screen's last address and ports
    // zel.ini failed to load and no copy of it could be kept: writing the
    // settings would destroy what the person had, so they are not written.
    bool LeaveFileAlone = false;
};

}  // namespace zel
