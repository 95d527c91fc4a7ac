#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Dialogs.h"
#include "core/MatchPort.h"
#include "core/MatchState.h"
#include "base/ErrorLog.h"
#include "screens/NetConnector.h"
#include "screens/SaveFileChooser.h"
#include "screens/TeamTable.h"
#include "screens/OptionsScreenModel.h"
#include "screens/SettingsStore.h"

class QWidget;

namespace zel {
class ScreenNavigator;
}

namespace zel::screens {

// How the match window reports its end: the screen that should follow, the
// match's GameOver, and whether "Сохранить повтор как..." is offered.
using MatchEnded = std::function<void(NextScreen next, bool gameOver, bool enableSaveReplay)>;

// Everything the setup, options, editor, preview and results screens use
// from the program around them. The references must outlive the screens.
// Hooks left empty do nothing (a screen that does not exist yet is simply
// not shown), except where a fallback is named.
struct ScreenEnvironment {
    MatchState* State = nullptr;       // the match state of the run
    SettingsStore* Store = nullptr;    // settings held besides the match state
    Dialogs* Messages = nullptr;       // message boxes and the busy pointer
    const ErrorLog* Log = nullptr;     // zelerror.log
    ScreenNavigator* Navigator = nullptr;  // screens made on first use, kept hidden
    std::string AppTitle;              // the program's title, the windows' caption
    std::string SettingsFile;          // zel.ini, written by the setup screen's buttons
    std::string ReplayFile;            // zel.sav, the replay the last match wrote
    std::string TeamFile;              // zel.cmd, the teams screen's file
    std::string SaveFolder;            // where the save dialog opens; the game's folder
    std::string SavesFolder;           // where F5 writes saved games; the browser opens it

    // ExitProgram: save the settings, release everything, end the program.
    std::function<void()> ExitProgram;
    // The help pages ("Помощь").
    std::function<void()> OpenHelp;
    // Hides `from` and shows the main menu in its window state.
    std::function<void(QWidget* from)> ShowMainMenu;
    // Hides `from` and shows the teams screen; empty: the teams screen of
    // GameScreens (OpenTeams without reading the file again).
    std::function<void(QWidget* from)> ShowTeams;
    // Hides `from` and shows the saved-games browser; empty: the main menu.
    std::function<void(QWidget* from)> ShowSavedGames;
    // The display drivers for the options screen's list, default first.
    std::function<std::vector<DisplayDriver>()> DisplayDrivers;
    // NumLock on before a match.
    std::function<void()> ForceNumLock;
    // Shows the match window and runs the match from the filled state;
    // `ended` is called once when the match window has closed. With
    // ReplayMode set, `playbackPath` is the replay whose steps it plays.
    std::function<void(MatchEnded ended, const std::string& playbackPath)> RunMatch;
    // The teams' names and scores for the results screen; null: the team
    // table of the teams screen (GameScreens::Teams).
    TeamTable* Teams = nullptr;
    // The save dialog of the results screen, owned by `owner`; empty for
    // the platform's file dialog.
    std::function<std::unique_ptr<SaveFileChooser>(QWidget* owner)> MakeSaveChooser;
    // The connection of network play; null: the program has none, and the
    // network screen is never shown.
    NetConnector* Net = nullptr;
};

}  // namespace zel::screens
