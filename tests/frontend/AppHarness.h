#pragma once
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QImage>
#include <QUrl>

#include "app/Application.h"
#include "frontend/MainMenuWindow.h"
#include "frontend/SplashWindow.h"
#include "sound/SoundDevice.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"

namespace zel::test {

// The whole program on a throw-away program folder: message boxes answered
// and recorded, launches and the end of the event loop recorded instead of
// done, sound into a loopback output, files written beside the program.
class AppHarness {
public:
    AppHarness() { std::filesystem::create_directories(dir.Path() / "gamedata/splash"); }
    ~AppHarness() { app.reset(); }

    // The program folder, ending in "/".
    std::string Folder() const { return dir.Path().string() + "/"; }
    void Script(const std::string& text) const { dir.Write("gamedata/splash/splash.qorbex", text); }
    // A small real picture under gamedata/splash/.
    void Picture(const std::string& name) const {
        QImage image(32, 24, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        image.save(QString::fromStdString(dir.File("gamedata/splash/" + name)), "PNG");
    }

    // A fresh program; a previous one is gone first.
    Application& Make() {
        app.reset();
        ApplicationOptions options;
        options.ProgramFolder = Folder();
        options.Environment.GetEnv = [](const std::string&) { return std::optional<std::string>(); };
        options.Environment.IsWritable = [](const std::string&) { return true; };
        options.Messages = &dialogs;
        options.OpenUrl = [this](const QUrl& url) {
            Opened.push_back(url);
            return true;
        };
        options.OpenSound = [] { return sound::SoundDevice::OpenLoopback(22050); };
        options.Quit = [this] { ++Quits; };
        app = std::make_unique<Application>(std::move(options));
        return *app;
    }
    // Made and started; a header-only script takes it straight to the menu.
    Application& Started(const std::string& script = "[MerovaneVistrel]\r\n") {
        Script(script);
        Make().Run();
        return *app;
    }

    // Messages whose text is exactly `text`.
    int CountMessages(const std::string& text) const {
        int n = 0;
        for (const Message& m : dialogs.Messages) n += m.Text == text ? 1 : 0;
        return n;
    }

    TempDir dir;                       // the program folder
    FakeDialogs dialogs;               // every box, answered from its queue
    std::vector<QUrl> Opened;          // what the desktop was asked to open
    int Quits = 0;                     // how often the event loop was ended
    std::unique_ptr<Application> app;  // the program under test
};

}  // namespace zel::test
