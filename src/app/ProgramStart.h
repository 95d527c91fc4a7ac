#pragma once
#include <string>
#include <vector>

#include "base/Dialogs.h"
#include "core/MatchState.h"
#include "screens/OptionsScreenModel.h"
#include "screens/SettingsStore.h"

namespace zel {

// The windows and devices the two start-up stages drive. The application
// implements it over its Qt windows; the tests record the calls.
class StartupHost {
public:
    virtual ~StartupHost() = default;
    // The title every caption and message box of the program shows.
    virtual void SetApplicationTitle(const std::string& title) = 0;
    // The slide show's playing flag.
    virtual void SetPlaying() = 0;
    // Works out where the program's files are and returns the program
    // folder AppPath, ending in "/".
    virtual std::string ResolveAppPath() = 0;
    virtual void ShowSplash() = 0;
    virtual void SetSplashCaption(const std::string& text) = 0;
    // One pass of the window system's event dispatch.
    virtual void ProcessEvents() = 0;
    // Opens the sound device (it reports its own failure and turns Sound off).
    virtual void InitSound() = 0;
    // Starts the slide show.
    virtual void StartMedia() = 0;
    virtual void SetMenuCaption(const std::string& text) = 0;
    // Makes the options screen, whose controls hold several settings.
    virtual void LoadOptionsScreen() = 0;
    // The display drivers the graphics platform offers, in its order.
    virtual std::vector<DisplayDriver> DisplayDrivers() = 0;
};

// The table size set before the settings file is read; the file (or its
// built-in defaults) always replaces it.
inline constexpr std::int16_t kStartTableX = 630;
inline constexpr std::int16_t kStartTableY = 500;

// The first stage, the splash window's load: the application title with
// the build, the playing flag, AppPath, the splash window shown with sound
// on, then "Загрузка DirectSound..." and the sound device, then "Добро
// пожаловать в игру Korvalo II !" and the slide show. Each caption is given
// one pass of event dispatch before the step it announces.
void RunFirstStage(MatchState& s, StartupHost& host);

// The second stage, the main menu's first load: the menu's caption, Pi
// (4 atan 1), the table 630 by 500, then "Загрузка конфигурационных
// файлов..." with the new-match defaults, the settings file `settingsFile`
// and the options screen, then "Загрузка параметров игры..." with the
// options screen filled from the settings, then "Добро пожаловать в игру
// Korvalo II Vantorix!" and the piece shapes. The line separators of the
// messages (CR LF and two of them) are the constants texts::kNewLine and
// texts::kBlankLine. The settings are read from `settingsSource` when it is
// given and differs from `settingsFile` (the program folder's zel.ini of a
// copy whose folder is read-only and whose writable folder has none yet);
// they are always written to `settingsFile`.
void RunSecondStage(MatchState& s, SettingsStore& store, const std::string& settingsFile,
                    Dialogs& dialogs, StartupHost& host, const std::string& settingsSource = "");

}  // namespace zel
