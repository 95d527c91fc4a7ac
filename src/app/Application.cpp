#include "app/Application.h"

#include <exception>

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QString>

#include "frontend/FrontendTexts.h"
#include "frontend/GameTheme.h"
#include "frontend/MainMenuWindow.h"
#include "frontend/QtDialogs.h"
#include "frontend/SplashWindow.h"
#include "screens/SettingsControls.h"
#include "sound/DirectSoundModule.h"

namespace zel {

Application::Application(ApplicationOptions options)
    : options_(std::move(options)), launcher_(options_.OpenUrl) {
    // Every window takes the game's look from here on; none is made yet.
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        theme::ApplyGameTheme(*app);
    if (options_.Messages) {
        dialogs_ = options_.Messages;
    } else {
        ownDialogs_ = std::make_unique<QtDialogs>(ApplicationTitle());
        dialogs_ = ownDialogs_.get();
    }
    // The error log must be there before the first window that may write to it.
    ResolveAppPath();
    log_ = std::make_unique<ErrorLog>(paths_.DataPath);
    sound_ = std::make_unique<sound::DirectSoundModule>();
    // The process ends through ExitProgram only, never because a window hid.
    QApplication::setQuitOnLastWindowClosed(false);

    screens_.Register(kSplashScreen, [this] { return MakeSplash(); });
    screens_.Register(kMainMenuScreen, [this] { return MakeMenu(); });
}

Application::~Application() = default;

SplashWindow* Application::Splash() {
    return dynamic_cast<SplashWindow*>(screens_.Existing(kSplashScreen));
}

MainMenuWindow* Application::Menu() {
    return dynamic_cast<MainMenuWindow*>(screens_.Existing(kMainMenuScreen));
}

std::unique_ptr<QWidget> Application::MakeSplash() {
    auto splash = std::make_unique<SplashWindow>(*dialogs_, *log_);
    splash->OnStopSound = [this](int slot) {
        if (sound_) sound_->StopSound(slot, false);
    };
    splash->OnHandOverToMenu = [this] { HandOverToMenu(); };
    return splash;
}

std::unique_ptr<QWidget> Application::MakeMenu() {
    auto menu = std::make_unique<MainMenuWindow>(s_, *dialogs_, launcher_);
    // The hooks are read when the command runs, so they may be set at any time.
    auto forward = [](std::function<void()>& hook) {
        return [&hook] {
            if (hook) hook();
        };
    };
    menu->QuickMatch = forward(QuickMatch);
    menu->TeamMatch = forward(TeamMatch);
    menu->LoadGame = forward(LoadGame);
    menu->NetGame = forward(NetGame);
    menu->Chronicle = forward(Chronicle);
    menu->CoatOfArms = forward(CoatOfArms);
    menu->ProblemReport = forward(ProblemReport);
    menu->ReplaySlideShow = [this] { ReplaySlideShow(); };
    menu->OnExitProgram = [this] { ExitProgram(); };
    return menu;
}

void Application::Run() {
    screens_.Screen(kSplashScreen);
    RunFirstStage(s_, *this);
}

void Application::HandOverToMenu() {
    s_.AppPath = ResolveAppPath();
    const bool firstLoad = Menu() == nullptr;
    MainMenuWindow* menu = screens_.Get<MainMenuWindow>(kMainMenuScreen);
    if (firstLoad) {
        RunSecondStage(s_, store_, paths_.SettingsFile(), *dialogs_, *this,
                       SettingsFileToRead(paths_));
        settingsLoaded_ = true;
    }
    if (exiting_) return;
    ScreenNavigator::HandOver(Splash(), menu);
    menu->setEnabled(true);
    menu->activateWindow();
    menu->FocusQuickMatch();
}

void Application::ReplaySlideShow() {
    SplashWindow* splash = Splash();
    if (!splash) return;
    splash->PrepareReplay();
    ScreenNavigator::HandOver(Menu(), splash);
    QCoreApplication::processEvents();
    splash->ShowSlideBox();
    splash->Player().StartMedia(s_.AppPath);
}

void Application::ShowMenuFrom(QWidget* from) {
    MainMenuWindow* menu = Menu();
    if (!menu) return;
    ScreenNavigator::HandOver(from, menu);
    menu->setEnabled(true);
}

void Application::ExitProgram() {
    if (exiting_) return;
    exiting_ = true;
    if (MainMenuWindow* menu = Menu()) menu->SetExiting();
    if (settingsLoaded_) SaveSettings(paths_.SettingsFile(), store_, s_, *dialogs_);
    try {
        if (ReleaseGraphics) ReleaseGraphics();
    } catch (const std::exception&) {
        // The process ends either way.
    }
    sound_.reset();
    if (options_.Quit) {
        options_.Quit();
    } else {
        QCoreApplication::exit(0);
    }
}

// --- StartupHost ------------------------------------------------------------

void Application::SetApplicationTitle(const std::string& title) {
    if (ownDialogs_) ownDialogs_->SetDefaultTitle(title);
    if (SplashWindow* splash = Splash()) splash->setWindowTitle(QString::fromStdString(title));
}

void Application::SetPlaying() {
    if (SplashWindow* splash = Splash()) splash->Player().SetPlaying();
}

std::string Application::ResolveAppPath() {
    const std::string folder = options_.ProgramFolder.empty()
                                   ? ProgramFolderFor(ExecutablePath())
                                   : options_.ProgramFolder;
    paths_ = ResolveAppPaths(folder, options_.Environment);
    return paths_.AppPath;
}

void Application::ShowSplash() {
    QApplication::setWindowIcon(QIcon(QString::fromStdString(s_.AppPath + texts::kWindowIcon)));
    if (SplashWindow* splash = Splash()) {
        splash->show();
        splash->activateWindow();
    }
}

void Application::SetSplashCaption(const std::string& text) {
    if (SplashWindow* splash = Splash()) splash->setWindowTitle(QString::fromStdString(text));
}

void Application::ProcessEvents() { QCoreApplication::processEvents(); }

void Application::InitSound() {
    if (!sound_) return;
    if (options_.OpenSound) {
        sound_->InitSound(s_, *dialogs_, options_.OpenSound);
    } else {
        sound_->InitSound(s_, *dialogs_);
    }
}

void Application::StartMedia() {
    SplashWindow* splash = Splash();
    // A key pressed while the splash came up has skipped the show already
    // and the menu is up: the show must not start behind it.
    if (!splash || splash->Player().Ending()) return;
    splash->Player().StartMedia(s_.AppPath);
}

void Application::SetMenuCaption(const std::string& text) {
    if (MainMenuWindow* menu = Menu()) menu->setWindowTitle(QString::fromStdString(text));
}

void Application::LoadOptionsScreen() {
    // The options screen's controls are the model in the settings store,
    // which lives as long as the application; its window registers itself
    // with the navigator and shows that model when it is first opened.
}

std::vector<DisplayDriver> Application::DisplayDrivers() {
    if (DriverList) return DriverList();
    return {};
}

}  // namespace zel
