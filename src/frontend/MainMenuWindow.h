#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include <QWidget>

#include "base/Dialogs.h"
#include "core/MatchState.h"
#include "frontend/DesktopLauncher.h"

class QMenu;
class QPushButton;

namespace zel {

class ClickLabel;

// frmMainMenu, the hub of the game. Its controls carry the names of the
// game's forms (cmdFewGamers, cmdCom, ... as object names) so the windows
// and the tests find them.
//
// Commands whose screens live elsewhere call the hooks below; a hook left
// empty does nothing, so a screen that does not exist yet shows nothing and
// harms nothing. "Помощь" and "Сервис" pop up the menus "Справка" and
// "Тех.поддержка" at the button's top-left corner. "Выход" and closing the
// window by any other means ask "Выйти из игры в Windows?" (OK and Cancel):
// OK ends the program through OnExitProgram, Cancel keeps the menu.
// Its look (the baize, the gold frame, the buttons, the heading and the web
// labels) is the game's theme, frontend/GameTheme.h, by these object names.
class MainMenuWindow : public QWidget {
public:
    MainMenuWindow(const MatchState& s, Dialogs& dialogs, const DesktopLauncher& launcher);
    ~MainMenuWindow() override;

    // "Быстрая игра": opens the match setup screen (shown with the busy pointer).
    std::function<void()> QuickMatch;
    // "Командная игра": loads the teams screen and hands over to it. The
    // menu is disabled and captioned "Загрузка команд..." meanwhile.
    std::function<void()> TeamMatch;
    // "Загрузить игру": the saved-games browser in saved-game mode.
    std::function<void()> LoadGame;
    // "Сетевая игра": the network screen.
    std::function<void()> NetGame;
    // "Хроника Вембы": the chronicle.
    std::function<void()> Chronicle;
    // The coat-of-arms thumbnail, once gamedata/pic/biggerb.gif is there.
    std::function<void()> CoatOfArms;
    // "Отчет об ошибках": the problem report.
    std::function<void()> ProblemReport;
    // "Заставка": the slide show again.
    std::function<void()> ReplaySlideShow;
    // ExitProgram: save the settings, release everything, end the program.
    std::function<void()> OnExitProgram;

    // The commands, as their buttons and menu items run them.
    void RunQuickMatch();
    void RunTeamMatch();
    void RunLoadGame();
    void RunNetGame();
    void RunChronicle();
    void RunCoatOfArms();
    void RunSplash();
    void RunAbout();
    void RunHelpContents();
    void RunHomePage();
    void RunUpdatePage();
    void RunProblemReport();
    // A web label: the maker's site or the club's site, not re-entered
    // while a launch runs.
    void RunWebLabel(ClickLabel* label, const char* address);

    // Puts the keyboard focus on "Быстрая игра".
    void FocusQuickMatch();
    // The pop-up menus "Справка" and "Тех.поддержка".
    QMenu* HelpMenu() const { return helpMenu_; }
    QMenu* SupportMenu() const { return supportMenu_; }

    // The program is ending: closing the window no longer asks.
    void SetExiting() { exiting_ = true; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QPushButton* AddButton(const char* name, const char* caption, const char* tip);
    void PopUp(QMenu* menu, QPushButton* under);

    const MatchState& s_;               // AppPath of the files the menu looks for
    Dialogs& dialogs_;                  // questions, messages, the busy pointer
    const DesktopLauncher& launcher_;   // help pages and web addresses
    QMenu* helpMenu_ = nullptr;         // mnuPop "Справка"
    QMenu* supportMenu_ = nullptr;      // mnuSupport "Тех.поддержка"
    QPushButton* quickMatch_ = nullptr; // cmdFewGamers, focused after start-up
    std::int16_t linkBusy_ = 0;         // -1 while a web label launches
    bool exiting_ = false;              // the program is ending, no more questions
};

}  // namespace zel
