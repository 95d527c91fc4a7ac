#pragma once
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QCoreApplication>
#include <QTest>
#include <QUrl>

#include "app/Application.h"
#include "app/GameScreensWiring.h"
#include "frontend/MainMenuWindow.h"
#include "match/MatchWindow.h"
#include "screens/GameScreens.h"
#include "sound/SoundDevice.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"

namespace zel::test {

// The whole program as the end-to-end tests start it: a throw-away program
// folder with the real game data (meshes, pictures, sounds and the name
// collection linked or copied in, no slide show), message boxes answered by
// FakeDialogs, sound on the loopback device, match windows not full screen,
// and the main menu up. `prepare`, when given, adds files (a zel.ini, say)
// to the folder before the program starts.
struct TestProgram {
    TempDir dir;
    FakeDialogs dialogs;
    int quits = 0;  // how often the program asked to end
    std::unique_ptr<Application> app;
    std::unique_ptr<screens::GameScreens> screens;

    explicit TestProgram(const std::function<void(const TempDir&)>& prepare = {}) {
        namespace fs = std::filesystem;
        const fs::path data = fs::path(ZEL_TEST_APP_PATH) / "gamedata";
        fs::create_directories(dir.Path() / "gamedata/splash");
        for (const char* sub : {"mesh", "pic", "sound"})
            fs::create_directory_symlink(data / sub, dir.Path() / "gamedata" / sub);
        fs::copy_file(data / "zel.nam", dir.Path() / "gamedata/zel.nam");
        dir.Write("gamedata/splash/splash.qorbex", "[MerovaneVistrel]\r\n");
        if (prepare) prepare(dir);
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);

        ApplicationOptions program;
        program.ProgramFolder = dir.Path().string() + "/";
        program.Environment.GetEnv = [](const std::string&) { return std::optional<std::string>(); };
        program.Environment.IsWritable = [](const std::string&) { return true; };
        program.Messages = &dialogs;
        program.OpenUrl = [](const QUrl&) { return true; };
        program.OpenSound = [] { return sound::SoundDevice::OpenLoopback(22050); };
        program.Quit = [this] { ++quits; };
        app = std::make_unique<Application>(std::move(program));
        screens = ConnectGameScreens(*app, [](match::MatchWindowOptions& o) { o.FullScreen = false; });
        app->Run();
    }
    ~TestProgram() {
        screens.reset();
        app.reset();
    }

    // Waits for the main menu after the start; false when it never came.
    bool MenuShown() {
        return QTest::qWaitFor([&] { return app->Menu() && app->Menu()->isVisible(); }, 10000);
    }
};

}  // namespace zel::test
