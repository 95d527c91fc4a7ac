#include "screens/QtSaveFileChooser.h"

#include <QFileDialog>

namespace zel::screens {

std::string QtSaveFileChooser::ChooseSaveFile(const SaveFileRequest& request) {
    const QString filter = QString::fromStdString(request.FilterName) + " (" +
                           QString::fromStdString(request.FilterPattern) + ")";
    const QString name = QFileDialog::getSaveFileName(owner_, QString::fromStdString(request.Title),
                                                      QString::fromStdString(folder_), filter, nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    return name.toStdString();
}

}  // namespace zel::screens
