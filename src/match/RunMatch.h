#pragma once
#include <string>

#include "match/MatchWindow.h"
#include "render/RenderSettings.h"

namespace zel {
struct SettingsStore;
}

namespace zel::match {

// What a match uses from the program around it; everything must outlive the
// match.
struct MatchServices {
    MatchState& State;                  // the filled match state
    Dialogs& Messages;                  // message boxes and the busy pointer (the program's Qt dialogs)
    const ErrorLog& Log;                // zelerror.log
    sound::DirectSoundModule* Sound;    // the sound effects; null plays nothing
};

// The display settings a match is drawn with, from the settings: screen
// mode, table texture, the device and driver the options screen chose, and
// the application title for the captions.
render::RenderSettings RenderSettingsFrom(const SettingsStore& store, const std::string& appTitle);

// Runs one match in a match window: the caption, Init (replay header, 3D
// start-up, scene, labels, sounds), the display loop until the match ends or
// the user quits, and the close sequence, which reports the next screen
// through options.Ended. Returns when the window has closed, like the match
// window's Init always has; true when the display loop ran. The caller hides
// its own screen first; options.Ended shows the next one.
//
// Needs a QGuiApplication (QApplication in the game). Without one the 3D
// start-up's failure message is logged and shown, the match does not start
// and options.Ended is told to go back to the main menu.
bool RunMatch(const MatchServices& services, MatchWindowOptions options);

}  // namespace zel::match
