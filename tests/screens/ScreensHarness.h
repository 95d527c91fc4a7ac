#pragma once
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QCoreApplication>
#include <QWidget>

#include "core/MatchState.h"
#include "base/ErrorLog.h"
#include "frontend/ScreenNavigator.h"
#include "physics/Shapes.h"
#include "screens/GameScreens.h"
#include "screens/OptionsWindow.h"
#include "screens/ResultsWindow.h"
#include "screens/StartWindow.h"
#include "base/CheckBox.h"
#include "screens/SettingsControls.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"

namespace zel::test {

// The folder that holds the generated gamedata/ (the build directory).
inline std::string GameDataRoot() { return ZEL_TEST_APP_PATH; }

// A save dialog that answers with a name given in advance.
class ScriptedSaveChooser : public screens::SaveFileChooser {
public:
    explicit ScriptedSaveChooser(std::string answer) : answer_(std::move(answer)) {}
    std::string ChooseSaveFile(const screens::SaveFileRequest& request) override {
        Asked.push_back(request);
        return answer_;
    }
    std::vector<screens::SaveFileRequest> Asked;  // every request, in order

private:
    std::string answer_;  // the name every request gets
};

// The screens over a match state and settings of their own, with message
// boxes answered by a recording fake, a stand-in main menu and teams screen,
// and a match window that only records that it was asked to run and ends
// the match as the test says.
struct ScreensHarness {
    // How the stand-in match window ends each match.
    struct MatchScript {
        NextScreen Next = NextScreen::Results;  // the screen it asks for
        bool GameOver = true;                   // the GameOver it reports
        bool SaveReplay = true;                 // "Сохранить повтор как..." offered
        std::function<void(MatchState&)> Play;  // what happens on the table
    };

    ScreensHarness() : log(tmp.Path().string()) {
        s.Shapes = InitShapes(s.VembaRadius, s.BodyRadius, s.PipaRadius);
        s.AppPath = GameDataRoot();
        ApplyDefaultSettings(store, s);
        store.Options.FormLoad(s, store.Display, {});
        menu.setObjectName("frmMainMenu");
        teams.setObjectName("frmCom");

        zel::screens::ScreenEnvironment env;
        env.State = &s;
        env.Store = &store;
        env.Messages = &dialogs;
        env.Log = &log;
        env.Navigator = &nav;
        env.AppTitle = "Korvalo II: Vantorix";
        env.SettingsFile = tmp.File("zel.ini");
        env.ReplayFile = tmp.File("zel.sav");
        env.SaveFolder = tmp.Path().string();
        env.SavesFolder = tmp.File("saves");
        env.ExitProgram = [this] { ++exitCalls; };
        env.OpenHelp = [this] { ++helpCalls; };
        env.ShowMainMenu = [this](QWidget* from) { ScreenNavigator::HandOver(from, &menu); };
        env.ShowTeams = [this](QWidget* from) { ScreenNavigator::HandOver(from, &teams); };
        env.DisplayDrivers = [] { return std::vector<DisplayDriver>{{"Видеокарта по умолчанию", ""}, {"SCREEN-1", "SCREEN-1"}}; };
        env.ForceNumLock = [this] { ++numLockCalls; };
        env.RunMatch = [this](zel::screens::MatchEnded ended, const std::string& playbackPath) {
            ++matches;
            playbackPaths.push_back(playbackPath);
            started.push_back(s);
            if (script.Play) script.Play(s);
            if (endAtOnce) {
                ended(script.Next, script.GameOver, script.SaveReplay);
            } else {
                pendingEnd = ended;
            }
        };
        env.MakeSaveChooser = [this](QWidget*) -> std::unique_ptr<zel::screens::SaveFileChooser> {
            return std::make_unique<ScriptedSaveChooser>(saveAnswer);
        };
        screens = std::make_unique<zel::screens::GameScreens>(env);
    }

    // Marks exactly the given slots.
    void MarkOnly(std::initializer_list<int> marked) {
        for (int i = 0; i < StartScreenModel::kSlots; ++i) store.Start.SetMark(i, kBoxClear);
        for (int i : marked) store.Start.SetMark(i, kBoxChecked);
    }

    // The control `name` of `window`, which must exist.
    template <class T>
    static T* Control(QWidget* window, const char* name) {
        T* w = window->findChild<T*>(QString::fromUtf8(name));
        if (!w) throw std::runtime_error(std::string("no control ") + name);
        return w;
    }

    // Texts of every message box so far.
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> out;
        for (const Message& m : dialogs.Messages) out.push_back(m.Text);
        return out;
    }

    TempDir tmp;                 // zel.ini, zel.sav, the error log
    MatchState s;                // the match state of the run
    SettingsStore store;         // the setup and options screens' controls
    FakeDialogs dialogs;         // answers and records every message box
    ErrorLog log;                // zelerror.log in tmp
    ScreenNavigator nav;         // the screens
    QWidget menu;                // stands in for the main menu
    QWidget teams;               // stands in for the teams screen
    int exitCalls = 0;           // ExitProgram calls
    int helpCalls = 0;           // OpenHelp calls
    int numLockCalls = 0;        // ForceNumLock calls
    int matches = 0;             // matches handed to the match window
    std::vector<MatchState> started;  // the state as each match began
    std::vector<std::string> playbackPaths;  // the replay each match played, "" for none
    MatchScript script;          // how the stand-in match window ends a match
    bool endAtOnce = true;       // end each match as soon as it starts
    zel::screens::MatchEnded pendingEnd;  // the end of a match still running
    std::string saveAnswer;      // what the save dialog answers
    std::unique_ptr<zel::screens::GameScreens> screens;  // the screens under test
};

}  // namespace zel::test
