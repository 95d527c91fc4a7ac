#include "app/GameScreensWiring.h"

#include "app/Application.h"
#include "app/NetPlay.h"
#include "frontend/FrontendTexts.h"
#include "frontend/MainMenuWindow.h"
#include "match/ForceNumLock.h"
#include "match/RunMatch.h"
#include "screens/DisplayDriverList.h"
#include "screens/LoadGameModel.h"

namespace zel {

std::unique_ptr<screens::GameScreens> ConnectGameScreens(
    Application& app, std::function<void(match::MatchWindowOptions&)> adjust) {
    screens::ScreenEnvironment env;
    env.State = &app.State();
    env.Store = &app.Store();
    env.Messages = &app.Messages();
    env.Log = &app.Log();
    env.Navigator = &app.Screens();
    env.AppTitle = ApplicationTitle();
    env.SettingsFile = app.Paths().SettingsFile();
    env.ReplayFile = app.Paths().ReplayFile();
    env.TeamFile = app.Paths().TeamFile();
    env.SaveFolder = app.Paths().DataPath;
    env.SavesFolder = app.Paths().SavesFolder();
    env.ExitProgram = [&app] { app.ExitProgram(); };
    env.OpenHelp = [&app] { app.Launcher().OpenHelp(app.State().AppPath, app.Messages()); };
    env.ShowMainMenu = [&app](QWidget* from) { app.ShowMenuFrom(from); };
    // The options screen's display list shows the connected screens, at
    // start-up (so the stored entry is chosen before the screen is first
    // opened) as at every opening.
    auto drivers = [] { return screens::DisplayDriverList(); };
    env.DisplayDrivers = drivers;
    app.DriverList = drivers;
    env.ForceNumLock = [] { match::ForceNumLock(); };
    auto net = std::make_unique<NetPlay>(app.State(), app.Store(), app.Messages());
    NetPlay* netPlay = net.get();
    env.RunMatch = [&app, adjust, netPlay](screens::MatchEnded ended, const std::string& playbackPath) {
        match::MatchWindowOptions options;
        // A network match sends its set-up first; its end lets the link
        // carry what follows.
        options.Net = netPlay->BeginMatch();
        ended = [netPlay, ended = std::move(ended)](NextScreen next, bool gameOver, bool save) {
            netPlay->MatchClosed();
            if (ended) ended(next, gameOver, save);
        };
        options.Render = match::RenderSettingsFrom(app.Store(), ApplicationTitle());
        options.ReplayPath = app.Paths().ReplayFile();
        options.PlaybackPath = playbackPath;
        options.SaveFolder = app.Paths().SavesFolder();
        options.Ended = std::move(ended);
        if (adjust) adjust(options);
        match::RunMatch(match::MatchServices{app.State(), app.Messages(), app.Log(), app.Sound()},
                        std::move(options));
    };
    auto made = std::make_unique<screens::GameScreens>(std::move(env));
    netPlay->SetScreens(made.get());
    made->AdoptConnector(std::move(net));
    app.NetGame = [&app, s = made.get()] { s->OpenNetwork(app.Menu()); };
    app.QuickMatch = [&app, s = made.get()] { s->OpenStart(app.Menu()); };
    app.TeamMatch = [&app, s = made.get()] { s->OpenTeams(app.Menu()); };
    app.LoadGame = [&app, s = made.get()] { s->OpenLoadGame(app.Menu(), screens::kLoadSavedGames); };
    return made;
}

}  // namespace zel
