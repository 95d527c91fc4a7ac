#include "app/ClubScreensWiring.h"

#include <filesystem>
#include <system_error>

#include "app/Application.h"
#include "frontend/ChronicleWindow.h"
#include "frontend/CoatOfArmsWindow.h"
#include "frontend/FrontendTexts.h"
#include "frontend/MainMenuWindow.h"
#include "frontend/ProblemReportWindow.h"
#include "frontend/ScreenNavigator.h"

namespace zel {

ClubScreens::ClubScreens(Application& app, ClubScreensOptions options)
    : app_(app), options_(std::move(options)) {
    if (!options_.CurrentFolder) {
        options_.CurrentFolder = [] {
            std::error_code ec;
            const std::filesystem::path here = std::filesystem::current_path(ec);
            return ec ? std::string() : here.string();
        };
    }
    if (!options_.IsWritable) options_.IsWritable = PathEnvironment::System().IsWritable;

    app_.Screens().Register(kChronicleScreen, [this]() -> std::unique_ptr<QWidget> {
        auto chronicle = std::make_unique<ChronicleWindow>(app_.State().AppPath, app_.Messages(),
                                                           app_.Launcher(), ApplicationTitle());
        chronicle->OnBack = [this](QWidget* from) { app_.ShowMenuFrom(from); };
        chronicle->OnExitProgram = [this] { app_.ExitProgram(); };
        return chronicle;
    });
    app_.Chronicle = [this] { OpenChronicle(); };
    app_.CoatOfArms = [this] { OpenCoatOfArms(); };
    app_.ProblemReport = [this] { OpenProblemReport(); };
}

ClubScreens::~ClubScreens() { delete report_.data(); }

ProblemReportWindow* ClubScreens::Report() const { return report_.data(); }

void ClubScreens::OpenChronicle() {
    auto* chronicle = app_.Screens().Get<ChronicleWindow>(kChronicleScreen);
    if (!chronicle) return;
    ScreenNavigator::HandOver(app_.Menu(), chronicle);
}

void ClubScreens::OpenCoatOfArms() {
    CoatOfArmsWindow window(app_.State().AppPath, app_.Messages(), app_.Launcher(), app_.Menu());
    if (options_.MakePrinter) window.SetPrinter(options_.MakePrinter(&window));
    window.exec();
}

void ClubScreens::OpenProblemReport() {
    if (!report_) {
        const screens::ReportLocation where = screens::ChooseReportLocation(
            options_.CurrentFolder(), app_.Paths().DataPath, options_.IsWritable);
        report_ = new ProblemReportWindow(where, ApplicationTitle(), app_.Messages());
    }
    report_->showNormal();
    report_->raise();
    report_->activateWindow();
}

std::unique_ptr<ClubScreens> ConnectClubScreens(Application& app, ClubScreensOptions options) {
    return std::make_unique<ClubScreens>(app, std::move(options));
}

}  // namespace zel
