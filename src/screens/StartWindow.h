#pragma once
#include <array>
#include <memory>

#include <QWidget>

#include "screens/StartScreenModel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zel::screens {

class GameScreens;
class PiecePreview;

// The match setup screen frmStart, "Быстрая игра": eight participant rows
// (mark, name, model, "Дополнительно...") over the StartScreenModel of the
// settings store, the participant count, and the buttons "ВЕМБА!!!",
// "Управление...", "Помощь", "Параметры >>", "< Назад" and "Выход". The
// controls show the model whenever the screen is shown, so values the
// program set (the settings file, StartGame) appear. Esc is "< Назад";
// Enter starts the match. Closing the window ends the program.
// While the host sets up a network match, each row also says where the slot
// is played ("Здесь" or "На другом компьютере"; a slot played there is a
// person's), and "< Назад" leaves the network game for the network screen.
class StartWindow : public QWidget {
public:
    explicit StartWindow(GameScreens& screens);
    ~StartWindow() override;

    // The controls from the model.
    void Refresh();

    // The buttons, as a click runs them.
    void Go();
    void Back();
    void ExitGame();
    void Options();
    void Help();
    void ShowControls();
    // "Дополнительно..." of slot i: the piece editor for participant i + 1,
    // then the preview when the editor asked for it.
    void EditPiece(int slot);

    // The preview window, while one runs (tests drive it).
    PiecePreview* Preview() { return preview_.get(); }

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    // One participant row.
    struct Row {
        QCheckBox* mark = nullptr;      // chk(i)
        QLineEdit* name = nullptr;      // txtG(i)
        QComboBox* player = nullptr;    // cmbPlayer(i): a person or the computer's level
        QComboBox* model = nullptr;     // cmb(i)
        QPushButton* editor = nullptr;  // cmdMyVemba(i)
        QComboBox* where = nullptr;     // cmbWhere(i): here or on the other computer (network play)
    };

    void MarkClicked(int slot);
    void ModelChosen(int slot, int index);
    void RunPreview(int participant);

    GameScreens& screens_;                           // navigation, StartGame, settings
    StartScreenModel& model_;                        // the controls' values
    std::array<Row, StartScreenModel::kSlots> rows_;  // the eight rows
    QLabel* count_ = nullptr;                        // lblGamersKolvo
    QLabel* whereHeading_ = nullptr;                 // lblWhere, network play only
    QPushButton* go_ = nullptr;                      // cmdGo
    std::unique_ptr<PiecePreview> preview_;          // the running preview, if any
};

}  // namespace zel::screens
