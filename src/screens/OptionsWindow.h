#pragma once
#include <array>

#include <QWidget>

#include "screens/OptionsScreenModel.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace zel::screens {

class GameScreens;

// The options screen frmOptions, "Korvalo II: Параметры": four tabs
// ("Графика", "Игра", "Стол", "Звук") over the OptionsScreenModel of the
// settings store, and "Готово", "< Назад", "Выход". Every control acts on
// the model at once (the wall position, symmetry and post choices reach the
// match state without "Готово"); "Готово" checks and applies the rest.
// Esc is "< Назад", Enter "Готово"; closing the window ends the program.
class OptionsWindow : public QWidget {
public:
    explicit OptionsWindow(GameScreens& screens);

    // FormLoad: the controls from the settings, as every opening does.
    void FormLoad();
    // The controls from the model.
    void Refresh();

    // The buttons, as a click runs them.
    void Apply();
    void Back();
    void Quit();

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    QWidget* MakeGraphicsTab();
    QWidget* MakeGameTab();
    QWidget* MakeTableTab();
    QWidget* MakeSoundTab();
    QCheckBox* Box(const char* name, const char* caption, QWidget* parent);

    GameScreens& screens_;          // navigation, settings, messages
    OptionsScreenModel& model_;     // the controls' values
    bool refreshing_ = false;       // the controls are being set from the model
    QTabWidget* tabs_ = nullptr;    // SSTab1
    QComboBox* video_ = nullptr;    // cmbVideo
    QListWidget* device_ = nullptr; // lstDevice
    QComboBox* mode_ = nullptr;     // cmbGList
    QCheckBox* tex_ = nullptr;      // chkTex
    QCheckBox* room_ = nullptr;     // chkUseRoom
    QCheckBox* showSgin_ = nullptr; // chkShowSgin
    QLabel* lengthLabel_ = nullptr; // Label2
    QLabel* widthLabel_ = nullptr;  // Label3
    QLineEdit* sizeG_ = nullptr;    // txtSizeG
    QLineEdit* sizeV_ = nullptr;    // txtSizeV
    QCheckBox* maxSize_ = nullptr;  // chkMaxSize
    std::array<QRadioButton*, 3> friction_{};  // opTr(0..2)
    QButtonGroup* frictionGroup_ = nullptr;    // the friction buttons
    QCheckBox* border_ = nullptr;   // chkBorder
    QLabel* borderLabel_ = nullptr; // Label6
    std::array<QRadioButton*, 2> borderPos_{};  // opBord(0..1)
    QButtonGroup* borderGroup_ = nullptr;       // the wall position buttons
    QCheckBox* simm_ = nullptr;     // chkSimm
    QCheckBox* pipa_ = nullptr;     // chkPipa
    std::array<QRadioButton*, 2> pipaPos_{};    // opPipa(0..1)
    QButtonGroup* pipaGroup_ = nullptr;         // the post position buttons
    QCheckBox* pipaSimm_ = nullptr; // chkPipaSimm
    QCheckBox* sound_ = nullptr;    // chkSound
    QPushButton* ok_ = nullptr;     // cmdOK
};

}  // namespace zel::screens
