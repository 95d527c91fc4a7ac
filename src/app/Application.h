#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ProgramStart.h"
#include "base/Dialogs.h"
#include "core/MatchState.h"
#include "frontend/DesktopLauncher.h"
#include "base/ErrorLog.h"
#include "frontend/ScreenNavigator.h"
#include "base/AppPaths.h"
#include "screens/SettingsStore.h"
#include "sound/SoundDevice.h"

class QWidget;

namespace zel {

namespace sound {
class DirectSoundModule;
}
class MainMenuWindow;
class QtDialogs;
class SplashWindow;

// Names of the screens in the navigator.
inline constexpr const char* kSplashScreen = "frmSplash";
inline constexpr const char* kMainMenuScreen = "frmMainMenu";

// What the application takes from outside; every part left empty is the
// real thing. The tests replace them.
struct ApplicationOptions {
    // The program folder (holding gamedata/); "" for the running program's own.
    std::string ProgramFolder;
    // The environment and permissions that decide where written files go.
    PathEnvironment Environment = PathEnvironment::System();
    // Message boxes and the busy pointer; null for the application's own
    // QMessageBox dialogs.
    Dialogs* Messages = nullptr;
    // Opens help pages and web addresses; empty for the desktop's handler.
    DesktopLauncher::Opener OpenUrl;
    // Opens the sound output; empty for the system's default output.
    sound::SoundDeviceOpener OpenSound;
    // Ends the process's event loop; empty for QCoreApplication::exit(0).
    std::function<void()> Quit;
};

// The program: the one match state and settings store of the run, the
// sound device, the error log, the message boxes and the screens, from the
// splash window's start-up to ExitProgram. Making it puts the game's look
// (frontend/GameTheme.h) on the whole Qt application, before any window.
//
// Screens register their makers with Screens() and are made on first use.
// The match window and the screens still to come plug in through the hooks:
//  - QuickMatch runs for the main menu's "Быстрая игра" (with the busy
//    pointer shown); it should hand over from Menu() to its screen with
//    ScreenNavigator::HandOver. Left empty it does nothing. TeamMatch,
//    LoadGame, Chronicle, CoatOfArms and ProblemReport are the menu's other
//    commands whose screens live elsewhere, alike.
//  - ReleaseGraphics runs in ExitProgram to release the 3D objects.
//  - DriverList gives the display drivers the second start-up stage puts
//    in the options screen's list.
// Windows that return to the menu call ShowMenuFrom(themselves); windows
// whose closing ends the program call ExitProgram().
class Application : private StartupHost {
public:
    explicit Application(ApplicationOptions options = {});
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The splash window's load: the first start-up stage. The show then
    // runs on the event loop; the main menu follows when it ends.
    void Run();

    // Saves the settings (once they have been read: before that there is
    // nothing of the user's to save, and saving would put the defaults over
    // the user's file), releases the 3D objects and the sound device and
    // ends the event loop. Runs once; later calls do nothing.
    void ExitProgram();
    // ExitProgram has run: an event loop started afterwards must not run.
    bool ExitRequested() const { return exiting_; }

    // The main menu's "Заставка": hides the menu and plays the show again;
    // its end brings the menu back.
    void ReplaySlideShow();
    // Hides `from` and shows the main menu in the window state of `from`.
    void ShowMenuFrom(QWidget* from);

    std::function<void()> QuickMatch;       // "Быстрая игра"
    std::function<void()> TeamMatch;        // "Командная игра"
    std::function<void()> LoadGame;         // "Загрузить игру"
    std::function<void()> NetGame;          // "Сетевая игра"
    std::function<void()> Chronicle;        // "Хроника Вембы"
    std::function<void()> CoatOfArms;       // the coat-of-arms thumbnail
    std::function<void()> ProblemReport;    // "Отчет об ошибках"
    std::function<void()> ReleaseGraphics;  // the 3D objects, at the end
    // The display drivers for the options screen's list at start-up; empty
    // leaves the list with its one default entry.
    std::function<std::vector<DisplayDriver>()> DriverList;

    MatchState& State() { return s_; }
    SettingsStore& Store() { return store_; }
    Dialogs& Messages() { return *dialogs_; }
    const ErrorLog& Log() const { return *log_; }
    const AppPaths& Paths() const { return paths_; }
    const DesktopLauncher& Launcher() const { return launcher_; }
    ScreenNavigator& Screens() { return screens_; }
    // The sound module; null once ExitProgram released it.
    sound::DirectSoundModule* Sound() { return sound_.get(); }
    // The two screens of this part of the program; null before they are made.
    SplashWindow* Splash();
    MainMenuWindow* Menu();
    // The second start-up stage has run.
    bool SettingsLoaded() const { return settingsLoaded_; }

private:
    // StartupHost
    void SetApplicationTitle(const std::string& title) override;
    void SetPlaying() override;
    std::string ResolveAppPath() override;
    void ShowSplash() override;
    void SetSplashCaption(const std::string& text) override;
    void ProcessEvents() override;
    void InitSound() override;
    void StartMedia() override;
    void SetMenuCaption(const std::string& text) override;
    void LoadOptionsScreen() override;
    std::vector<DisplayDriver> DisplayDrivers() override;

    // The end of the show: the menu, loaded (and the second stage run) the
    // first time.
    void HandOverToMenu();
    std::unique_ptr<QWidget> MakeSplash();
    std::unique_ptr<QWidget> MakeMenu();

    ApplicationOptions options_;               // what was given from outside
    MatchState s_;                             // the match state of the whole run
    SettingsStore store_;                      // settings held besides the match state
    AppPaths paths_;                           // program folder and written files' folder
    std::unique_ptr<QtDialogs> ownDialogs_;    // the real message boxes, unless given
    Dialogs* dialogs_ = nullptr;               // the message boxes in use
    std::unique_ptr<ErrorLog> log_;            // zelerror.log in the written files' folder
    std::unique_ptr<sound::DirectSoundModule> sound_;  // the sound device, start to end
    DesktopLauncher launcher_;                 // help pages and web addresses
    bool settingsLoaded_ = false;              // the second stage ran
    bool exiting_ = false;                     // ExitProgram ran
    ScreenNavigator screens_;                  // the windows; goes first, before what they use
};

}  // namespace zel
