#include "screens/GameScreens.h"

#include <QWidget>

#include "frontend/ScreenNavigator.h"
#include "screens/LoadGameWindow.h"
#include "screens/NetworkWindow.h"
#include "screens/OptionsWindow.h"
#include "screens/ResultsWindow.h"
#include "screens/StartWindow.h"
#include "screens/TeamsWindow.h"

namespace zel::screens {

GameScreens::GameScreens(ScreenEnvironment env)
    : env_(std::move(env)), starter_(*env_.State, *env_.Store, *env_.Messages) {
    ScreenNavigator& nav = *env_.Navigator;
    nav.Register(kStartScreen, [this] { return std::make_unique<StartWindow>(*this); });
    nav.Register(kOptionsScreen, [this] { return std::make_unique<OptionsWindow>(*this); });
    nav.Register(kResultScreen, [this] { return std::make_unique<ResultsWindow>(*this); });
    nav.Register(kTeamsScreen, [this] { return std::make_unique<TeamsWindow>(*this); });
    nav.Register(kLoadGameScreen, [this] { return std::make_unique<LoadGameWindow>(*this); });
    nav.Register(kNetworkScreen, [this]() -> std::unique_ptr<QWidget> {
        if (!env_.Net) return nullptr;
        return std::make_unique<NetworkWindow>(*this, *env_.Net);
    });
    if (!env_.Teams) env_.Teams = &teams_;
    if (!env_.ShowSavedGames)
        env_.ShowSavedGames = [this](QWidget* from) {
            LoadGameWindow* browser = LoadGameScreen();
            HandOver(from, browser);
            browser->UpdateWindow();
        };
    if (!env_.ShowTeams) env_.ShowTeams = [this](QWidget* from) { ReturnToTeams(from); };
}

GameScreens::~GameScreens() = default;

void GameScreens::AdoptConnector(std::unique_ptr<NetConnector> net) {
    ownedNet_ = std::move(net);
    env_.Net = ownedNet_.get();
}

StartWindow* GameScreens::Start() { return env_.Navigator->Get<StartWindow>(kStartScreen); }
OptionsWindow* GameScreens::Options() { return env_.Navigator->Get<OptionsWindow>(kOptionsScreen); }
ResultsWindow* GameScreens::Results() { return env_.Navigator->Get<ResultsWindow>(kResultScreen); }
TeamsWindow* GameScreens::TeamsScreen() { return env_.Navigator->Get<TeamsWindow>(kTeamsScreen); }
LoadGameWindow* GameScreens::LoadGameScreen() { return env_.Navigator->Get<LoadGameWindow>(kLoadGameScreen); }

NetworkWindow* GameScreens::NetworkScreen() { return env_.Navigator->Get<NetworkWindow>(kNetworkScreen); }

void GameScreens::OpenNetwork(QWidget* from) {
    NetworkWindow* net = NetworkScreen();
    if (!net) return;
    env_.Store->Start.SetNetworkMode(false);
    guestGame_ = false;
    HandOver(from, net);
    net->Open();
}

void GameScreens::OpenNetworkSetup(QWidget* from, const std::vector<std::string>& guestNames) {
    StartScreenModel& start = env_.Store->Start;
    start.SetNetworkMode(true);
    start.TakeGuestNames(guestNames);
    guestGame_ = false;
    OpenStart(from);
}

void GameScreens::LeaveNetwork(QWidget* from) {
    if (env_.Net) env_.Net->Close();
    OpenNetwork(from);
}

bool GameScreens::InNetworkGame() const { return env_.Net != nullptr && env_.Net->Linked(); }

bool GameScreens::RunGuestMatch(const std::function<bool(MatchState&)>& fill) {
    if (matchRunning_) return false;
    // The match comes from whichever screen of the game shows now.
    QWidget* from = nullptr;
    for (const char* name : {kResultScreen, kNetworkScreen, kStartScreen, kOptionsScreen, kLoadGameScreen}) {
        QWidget* w = env_.Navigator->Existing(name);
        if (w && w->isVisible()) {
            from = w;
            break;
        }
    }
    starter_.KeepSlotMasses();
    if (!fill(*env_.State)) {
        starter_.MatchClosed();
        return false;
    }
    guestGame_ = true;
    if (env_.ForceNumLock) env_.ForceNumLock();
    RunMatchFrom(from, "");
    return true;
}

void GameScreens::NetworkLost(const std::string& message) {
    guestGame_ = false;
    NetworkWindow* net = dynamic_cast<NetworkWindow*>(env_.Navigator->Existing(kNetworkScreen));
    if (net && net->isVisible()) {
        if (!message.empty()) net->Failed(message);
        return;
    }
    if (!message.empty()) Tell(*env_.Messages, message, MsgIcon::Critical);
    // The setup screen sets a match of this computer alone from now on.
    env_.Store->Start.SetNetworkMode(false);
    if (StartWindow* start = dynamic_cast<StartWindow*>(env_.Navigator->Existing(kStartScreen)))
        start->Refresh();
    if (ResultsWindow* results = dynamic_cast<ResultsWindow*>(env_.Navigator->Existing(kResultScreen)))
        results->RestartRefused();
}

void GameScreens::OpenLoadGame(QWidget* from, std::int16_t mode) {
    LoadGameWindow* browser = LoadGameScreen();
    HandOver(from, browser);
    browser->Open(mode);
}

void GameScreens::RunFromBrowser(QWidget* browser, const std::string& playbackPath) {
    if (env_.ForceNumLock) env_.ForceNumLock();
    RunMatchFrom(browser, playbackPath);
}

void GameScreens::OpenTeams(QWidget* from) {
    TeamsWindow* teams = TeamsScreen();
    HandOver(from, teams);
    teams->Open();
}

void GameScreens::ReturnToTeams(QWidget* from) {
    TeamsWindow* teams = TeamsScreen();
    HandOver(from, teams);
    teams->Refresh();
}

void GameScreens::HandOver(QWidget* from, QWidget* to) {
    if (!to) return;
    ScreenNavigator::HandOver(from, to);
    to->raise();
    to->activateWindow();
}

void GameScreens::OpenStart(QWidget* from) {
    StartWindow* start = Start();
    HandOver(from, start);
    start->Refresh();
}

void GameScreens::OpenOptions(QWidget* from, bool fromResults) {
    OptionsWindow* options = Options();
    env_.Store->Options.SetOpenedFromResults(fromResults);
    HandOver(from, options);
    options->FormLoad();
}

void GameScreens::ReturnFromOptions() {
    OptionsWindow* options = Options();
    if (env_.Store->Options.OpenedFromResults()) {
        HandOver(options, Results());
    } else if (IsSet(env_.State->TeamGame) && env_.ShowTeams) {
        env_.ShowTeams(options);
    } else {
        OpenStart(options);
    }
}

void GameScreens::ReturnFromResults() {
    ResultsWindow* results = Results();
    if (InNetworkGame() || guestGame_ || env_.Store->Start.NetworkMode()) {
        LeaveNetwork(results);
    } else if (IsSet(env_.State->TeamGame) && env_.ShowTeams) {
        env_.ShowTeams(results);
    } else {
        OpenStart(results);
    }
}

StartOutcome GameScreens::StartGameFrom(QWidget* caller) { return starter_.StartGame(HooksFor(caller)); }

StartGameHooks GameScreens::HooksFor(QWidget* caller) {
    StartGameHooks hooks;
    hooks.OpenOptions = [this, caller] {
        // As the calling screen's "Параметры >>" does: from the setup screen
        // the match is no team match any more; the teams screen keeps it.
        if (!caller || caller->objectName() != kTeamsScreen) env_.State->TeamGame = kFalse;
        OpenOptions(caller, false);
    };
    hooks.ForceNumLock = env_.ForceNumLock;
    hooks.RunMatch = [this, caller] { RunMatchFrom(caller, ""); };
    return hooks;
}

void GameScreens::RunMatchFrom(QWidget* caller, const std::string& playbackPath) {
    caller_ = caller;
    if (caller) caller->hide();
    matchRunning_ = true;
    if (env_.RunMatch) {
        env_.RunMatch([this](NextScreen next, bool gameOver, bool save) { MatchEnded(next, gameOver, save); },
                      playbackPath);
    } else {
        MatchEnded(NextScreen::None, false, false);
    }
}

void GameScreens::MatchEnded(NextScreen next, bool gameOver, bool enableSaveReplay) {
    if (!matchRunning_) return;
    matchRunning_ = false;
    starter_.MatchClosed();
    QWidget* caller = caller_.data();
    switch (next) {
        case NextScreen::Results: {
            ResultsWindow* results = Results();
            HandOver(caller, results);
            results->ShowMatchEnd(gameOver, enableSaveReplay);
            break;
        }
        case NextScreen::MainMenu:
            if (env_.ShowMainMenu) env_.ShowMainMenu(caller);
            break;
        case NextScreen::SavedGames:
            if (env_.ShowSavedGames) {
                env_.ShowSavedGames(caller);
            } else if (env_.ShowMainMenu) {
                env_.ShowMainMenu(caller);
            }
            break;
        case NextScreen::None:
            // No match ran (the 3D start-up failed): the calling screen again.
            if (caller) HandOver(nullptr, caller);
            break;
    }
}

}  // namespace zel::screens
