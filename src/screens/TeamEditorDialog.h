#pragma once
#include <array>
#include <functional>

#include <QDialog>

#include "base/Dialogs.h"
#include "screens/NameCollection.h"
#include "screens/TeamEditorModel.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace zel::screens {

// The team editor frmNewCom, modal, over a TeamEditorModel: the team name
// box, the four player boxes with their "Выбрать..." buttons and who plays
// each (a person or the computer at a level), the confirm
// button (Создать / Готово) and "< Назад". The name collection is read when
// the editor opens; without it the four pick buttons are disabled.
class TeamEditorDialog : public QDialog {
public:
    TeamEditorDialog(TeamEditorModel model, TeamList& teams, Dialogs& d,
                     const std::string& namesFile, std::function<double()> random,
                     QWidget* parent);

    // cmdDone: the model's checks; the editor closes (accepted) when they pass.
    void Done();
    // cmdName(i): a name from the collection into player box i.
    void PickName(int i);

private:
    void TakeBoxes();

    TeamEditorModel model_;                 // the boxes' values and the checks
    TeamList& teams_;                       // the table a confirmed team goes into
    Dialogs& d_;                            // message boxes
    NameCollection names_;                  // the pick buttons' names
    std::function<double()> random_;        // 0 <= x < 1 for the pick
    QLineEdit* name_ = nullptr;             // txtComName
    std::array<QLineEdit*, 4> players_{};   // txt(0)..txt(3)
    std::array<QPushButton*, 4> pick_{};    // cmdName(0)..cmdName(3)
    std::array<QComboBox*, 4> kinds_{};     // cmbKind(0)..cmbKind(3)
};

}  // namespace zel::screens
