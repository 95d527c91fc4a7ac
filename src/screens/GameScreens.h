#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QPointer>

#include "screens/GameStarter.h"
#include "screens/ScreenEnvironment.h"
#include "screens/TeamList.h"

class QWidget;

namespace zel::screens {

class LoadGameWindow;
class NetworkWindow;
class OptionsWindow;
class ResultsWindow;
class StartWindow;
class TeamsWindow;

// Names of the screens in the navigator.
inline constexpr const char* kStartScreen = "frmStart";
inline constexpr const char* kOptionsScreen = "frmOptions";
inline constexpr const char* kResultScreen = "frmResult";
inline constexpr const char* kTeamsScreen = "frmCom";
inline constexpr const char* kLoadGameScreen = "frmLoadGame";
inline constexpr const char* kNetworkScreen = "frmNet";

// The match setup, options and results screens and the ways between them
// and the match: it registers the three windows with the navigator (each is
// made on first use and then kept, hidden when not shown), runs StartGame
// for whichever screen calls it, and opens the screen the match window
// asks for when a match ends. Every hand-over hides the screen that was
// shown and gives the next one its window state.
class GameScreens {
public:
    explicit GameScreens(ScreenEnvironment env);
    ~GameScreens();
    GameScreens(const GameScreens&) = delete;
    GameScreens& operator=(const GameScreens&) = delete;

    // "Быстрая игра": hides `from` (the main menu) and shows the match setup
    // screen in its window state.
    void OpenStart(QWidget* from);
    // "Командная игра": hides `from` (the main menu), reads the team file
    // and shows the teams screen in its window state.
    void OpenTeams(QWidget* from);
    // Back to the teams screen as it was (after a match or the options).
    void ReturnToTeams(QWidget* from);

    // Hides `from`, shows the options screen in its window state and
    // refreshes its controls from the settings (FormLoad). With fromResults
    // its "< Назад" and "Готово" lead back to the results screen.
    void OpenOptions(QWidget* from, bool fromResults);
    // The options screen's way back: to the results screen when that opened
    // it, else to the teams screen when a team match is set up, else to the
    // match setup screen.
    void ReturnFromOptions();
    // The results screen's way back: the teams screen after a team match,
    // else the match setup screen.
    void ReturnFromResults();

    // Hides `from`, shows the saved-games browser in its window state, sets
    // its mode (1 replays, 2 saved games) and runs UpdateInfo. A replay
    // watched from it closes back into it.
    void OpenLoadGame(QWidget* from, std::int16_t mode);
    // The browser loaded a match: hides it and runs the match (with
    // `playbackPath` the replay to play).
    void RunFromBrowser(QWidget* browser, const std::string& playbackPath);

    // --- network play (only with a connection in the environment) ---------
    // The program's connection, kept as long as the screens; it becomes
    // the environment's.
    void AdoptConnector(std::unique_ptr<NetConnector> net);
    // "Сетевая игра": hides `from` (the main menu) and shows the network
    // screen in its window state, nothing open.
    void OpenNetwork(QWidget* from);
    // The host's guest arrived with its players' names: the setup screen in
    // network mode, the names in the free slots, played there.
    void OpenNetworkSetup(QWidget* from, const std::vector<std::string>& guestNames);
    // Leaves the network game from `from` (the setup or results screen):
    // the connection closes and the network screen is shown, nothing open.
    void LeaveNetwork(QWidget* from);
    // A network match runs, or is set up, or its results are shown.
    bool InNetworkGame() const;
    // The guest: `fill` puts the host's set-up into the match state (false:
    // it could not, and nothing runs); then the match runs from whichever
    // screen shows (the network or the results screen). The slot masses of
    // the setup screen come back when the match ends, as after StartGame.
    bool RunGuestMatch(const std::function<bool(MatchState&)>& fill);
    // The connection ended outside a match (`message` says why; "" when it
    // was said already): shown, and the screen that shows goes on without
    // the other computer.
    void NetworkLost(const std::string& message);

    // StartGame with `caller` as the calling screen: its failures open the
    // options screen from `caller`; a match hides it.
    StartOutcome StartGameFrom(QWidget* caller);
    // What StartGame is given when `caller` starts a match.
    StartGameHooks HooksFor(QWidget* caller);

    // The screens, made on first use.
    StartWindow* Start();
    OptionsWindow* Options();
    ResultsWindow* Results();
    TeamsWindow* TeamsScreen();
    LoadGameWindow* LoadGameScreen();
    NetworkWindow* NetworkScreen();
    // The team table of the run, the teams screen's and the results screen's.
    TeamList& Teams() { return teams_; }

    GameStarter& Starter() { return starter_; }
    ScreenEnvironment& Env() { return env_; }

private:
    void MatchEnded(NextScreen next, bool gameOver, bool enableSaveReplay);
    void HandOver(QWidget* from, QWidget* to);
    void RunMatchFrom(QWidget* caller, const std::string& playbackPath);

    ScreenEnvironment env_;          // what the screens use from the program
    TeamList teams_;                 // the team table, kept for the whole run
    GameStarter starter_;            // StartGame and the slot masses
    QPointer<QWidget> caller_;       // the screen that started the running match
    bool matchRunning_ = false;      // a match was handed to the match window
    bool guestGame_ = false;         // this computer joined a network game
    std::unique_ptr<NetConnector> ownedNet_;  // the connection of network play, if adopted
};

}  // namespace zel::screens
