#pragma once
#include <cstdint>
#include <string>

#include <QWidget>

#include "screens/LoadGameModel.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zel::screens {

class GameScreens;

// The saved-games browser frmLoadGame: the places (Drive1), the folder tree
// (Dir1), the files of the mode's pattern (File), the mode title (lbl), the
// folder shown (lblDir), the switch between replays and saved games, and the
// buttons "Инфо", "Обновить", "Удалить", "Загрузить...", "< Назад" (always to
// the main menu) and "Выход". Closing it by its frame ends the program.
// While a loader runs the window is disabled and the busy pointer shows; a
// loaded match hides it and runs in the match window.
class LoadGameWindow : public QWidget {
public:
    explicit LoadGameWindow(GameScreens& screens);

    // What each opener does after showing the window: the mode, then UpdateInfo.
    void Open(std::int16_t mode);
    // UpdateInfo: applies the mode and re-reads the lists.
    void UpdateInfo();

    // The buttons, as a click runs them.
    void Info();
    void UpdateWindow();
    void Delete();
    void Load();
    void Back();
    void ExitGame();

    LoadGameModel& Model() { return model_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    // The widgets from the model: places, tree, files, labels.
    void ShowAll();
    void ShowFiles();
    void BuildTree();
    void FillChildren(QTreeWidgetItem* item);
    void FileClicked();
    void ModeChosen(std::int16_t mode);

    GameScreens& screens_;
    LoadGameModel model_;
    QLabel* title_ = nullptr;        // lbl
    QLabel* dir_ = nullptr;          // lblDir
    QComboBox* places_ = nullptr;    // Drive1
    QTreeWidget* tree_ = nullptr;    // Dir1
    QListWidget* files_ = nullptr;   // File
    QRadioButton* showReplays_ = nullptr;
    QRadioButton* showSaved_ = nullptr;
    QPushButton* load_ = nullptr;    // cmdLoad
    QPushButton* delete_ = nullptr;  // cmdDel
    bool syncing_ = false;           // the widgets are being filled from the model
};

}  // namespace zel::screens
