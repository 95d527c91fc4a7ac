#pragma once
#include <string>

#include "screens/SaveFileChooser.h"

class QWidget;

namespace zel::screens {

// The platform's save dialog (QFileDialog), modal over its owner. The game
// asks before overwriting itself, so the dialog does not.
class QtSaveFileChooser : public SaveFileChooser {
public:
    QtSaveFileChooser(QWidget* owner, std::string folder) : owner_(owner), folder_(std::move(folder)) {}
    std::string ChooseSaveFile(const SaveFileRequest& request) override;

private:
    QWidget* owner_;      // the window the dialog belongs to
    std::string folder_;  // where the dialog opens
};

}  // namespace zel::screens
