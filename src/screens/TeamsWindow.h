#pragma once
#include <functional>

#include <QWidget>

#include "screens/TeamEditorModel.h"
#include "screens/TeamsScreenModel.h"

class QLabel;
class QListWidget;
class QPushButton;
class QScrollBar;

namespace zel::screens {

class GameScreens;
class TeamEditorDialog;

// The teams screen frmCom, "Командная игра": the existing teams (List1) and
// the two playing teams (ListPlay), moved by a double click or Enter, the
// players-per-team scroll bar VS, and "Создать...", "Изменить...",
// "Удалить", "Вемба!", "Параметры >>", "< Назад", "Выход". Delete deletes the
// selected team, Esc is "< Назад". Closing the window ends the program.
class TeamsWindow : public QWidget {
public:
    explicit TeamsWindow(GameScreens& screens);

    // The main menu opens the screen: the team file is read into the lists.
    void Open();
    // The controls from the model.
    void Refresh();

    // The buttons, as a click runs them.
    void Create();
    void Change();
    void Delete();
    void Go();
    void Options();
    void Back();
    void ExitGame();

    // Tests answer the editor: called with the open editor before it runs.
    std::function<void(TeamEditorDialog&)> OnEditorShown;

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void RunEditor(TeamEditorModel model);
    void SaveAll();

    GameScreens& screens_;
    TeamsScreenModel model_;          // the screen's lists and buttons
    QListWidget* existing_ = nullptr; // List1
    QListWidget* playing_ = nullptr;  // ListPlay
    QScrollBar* players_ = nullptr;   // VS
    QLabel* playersLabel_ = nullptr;  // lblKolvo
    QLabel* status_ = nullptr;        // lbl
    QPushButton* go_ = nullptr;       // cmdGo
};

}  // namespace zel::screens
