#pragma once
#include <functional>
#include <memory>
#include <string>

#include <QPointer>

#include "screens/CoatOfArmsModel.h"

class QWidget;

namespace zel {

class Application;
class ProblemReportWindow;

// What the club's screens take from outside; every part left empty is the
// real thing. The tests replace them.
struct ClubScreensOptions {
    // The process's current folder, where the problem report goes when the
    // program may write there.
    std::function<std::string()> CurrentFolder;
    // Whether the program may write files in a folder.
    std::function<bool(const std::string&)> IsWritable;
    // The printer of the coat-of-arms window, made for each window.
    std::function<std::unique_ptr<screens::PicturePrinter>(QWidget* window)> MakePrinter;
};

// The main menu's chronicle, coat of arms and problem report, connected to
// the application: "Хроника Вембы" hands over to the chronicle (a screen of
// the navigator, made on first use), the coat-of-arms thumbnail shows the
// coat-of-arms window modally, "Отчет об ошибках" shows the problem report
// (one window at a time, in its normal state). The result must live as long
// as the application's windows are used; it closes a report still open
// when it goes.
class ClubScreens {
public:
    ClubScreens(Application& app, ClubScreensOptions options);
    ~ClubScreens();
    ClubScreens(const ClubScreens&) = delete;
    ClubScreens& operator=(const ClubScreens&) = delete;

    void OpenChronicle();
    void OpenCoatOfArms();
    void OpenProblemReport();

    // The report window while it is open, else null.
    ProblemReportWindow* Report() const;

private:
    Application& app_;                      // the program
    ClubScreensOptions options_;            // what came from outside
    QPointer<ProblemReportWindow> report_;  // the open report, if any
};

// Name of the chronicle in the navigator.
inline constexpr const char* kChronicleScreen = "frmXronika";

std::unique_ptr<ClubScreens> ConnectClubScreens(Application& app, ClubScreensOptions options = {});

}  // namespace zel
