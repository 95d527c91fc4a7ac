#pragma once
#include <memory>
#include <string>

#include <QDialog>

#include "base/Dialogs.h"
#include "frontend/DesktopLauncher.h"
#include "screens/CoatOfArmsModel.h"

class QLabel;
class QMenu;

namespace zel {

// frmGerb, "Герб Вембного Клуба": the club's coat of arms at full size,
// gamedata/pic/biggerb.gif (a picture that cannot be loaded leaves it
// empty). Releasing the left button on the picture closes the window; any
// other button pops up mnu1 at the mouse: the club's pages, "Напечатать"
// and "Закрыть". The main menu makes it for each opening and shows it
// modally.
class CoatOfArmsWindow : public QDialog {
public:
    CoatOfArmsWindow(const std::string& appPath, Dialogs& dialogs, const DesktopLauncher& launcher,
                     QWidget* parent = nullptr);
    ~CoatOfArmsWindow() override;

    // "Напечатать": the question, then the printer.
    screens::PrintOutcome Print();
    // The printer the print command uses; the system's by default.
    void SetPrinter(std::unique_ptr<screens::PicturePrinter> printer);

    QMenu* PopUpMenu() const { return menu_; }
    QLabel* Picture() const;

private:
    void Released(Qt::MouseButton button, const QPoint& global);

    std::string picture_;                               // biggerb.gif's path
    Dialogs& dialogs_;                                  // the question and the error
    const DesktopLauncher& launcher_;                   // the club's pages
    std::unique_ptr<screens::PicturePrinter> printer_;  // where "Напечатать" prints
    QMenu* menu_ = nullptr;                             // mnu1
    QLabel* image_ = nullptr;                           // Image1
};

}  // namespace zel
