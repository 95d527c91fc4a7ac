#pragma once
#include <string>

#include <QDialog>

#include "base/Dialogs.h"
#include "frontend/DesktopLauncher.h"

namespace zel {

class ClickLabel;

// frmAbout, "О программе": the version (3.0.1200) and build, the logo
// gamedata/logo.gif, the technologies the game uses, the credits, the
// product's web page, the support address and the legal notice. Made anew
// for every opening and shown modally; "Закрыть" closes it. A logo that is
// not there gives the critical message "Ошибка при загрузке изображения!
// Файл не существует!" as the window is made and leaves the picture empty.
// Ctrl with the right mouse button on the logo shows a note on the game's
// history.
class AboutWindow : public QDialog {
public:
    AboutWindow(const std::string& appPath, Dialogs& dialogs, const DesktopLauncher& launcher,
                QWidget* parent = nullptr);

    // "Разработчики": the credits box.
    void ShowCredits();
    // The note behind Ctrl + right button on the logo.
    void ShowHistoryNote();

    // The texts of the two boxes above.
    static std::string CreditsText();
    static std::string HistoryNoteText();

private:
    Dialogs& dialogs_;                  // message boxes
    const DesktopLauncher& launcher_;   // the product page link
    ClickLabel* logo_ = nullptr;        // Image1
};

}  // namespace zel
