#pragma once
#include <QDialog>

#include "base/Dialogs.h"
#include "core/MatchState.h"
#include "screens/PieceEditorModel.h"
#include "settings/DisplaySettings.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace zel::screens {

class ToggleLabel;

// The piece editor frmEditVemba, "Настройка Вембы": a modal dialog over the
// match setup screen for one participant's mass and the way into the 3D
// preview. "Принять" (also Enter) keeps a valid mass; "< Назад" (also Esc)
// closes without changes; "Предварительный просмотр" keeps the mass, sets
// the preview's colour depth and closes with kPreviewRequested, after which
// the opener runs the preview.
class PieceEditorWindow : public QDialog {
public:
    // What exec() returns when the preview was asked for.
    static constexpr int kPreviewRequested = 2;

    PieceEditorWindow(MatchState& s, DisplaySettings& display, Dialogs& d, QWidget* parent = nullptr);

    // Sets participant n, the information line and the mass box (see
    // PieceEditorModel::Open); the preview mode starts at 16 bits.
    void Open(int n, const std::string& name, const std::string& modelText);

    const PieceEditorModel& Model() const { return model_; }

private:
    void Refresh();
    void Done();
    void Preview();

    MatchState& s_;              // record n's mass
    DisplaySettings& display_;   // the colour depth the preview uses
    Dialogs& d_;                 // the mass message
    PieceEditorModel model_;     // what the controls hold
    bool previewBusy_ = false;   // the preview button is at work
    QLabel* info_ = nullptr;               // lblInfo
    QLineEdit* mass_ = nullptr;            // txtMass
    ToggleLabel* mode_ = nullptr;          // Label4, the preview mode
    QPushButton* preview_ = nullptr;       // cmdPreviewVemba
    QPushButton* done_ = nullptr;          // cmdDone
    QPushButton* cancel_ = nullptr;        // cmdCancel
};

}  // namespace zel::screens
