#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "app/Application.h"
#include "app/GameScreensWiring.h"
#include "frontend/MainMenuWindow.h"
#include "match/DisplayScreen.h"
#include "match/RunMatch.h"
#include "screens/DisplayDriverList.h"
#include "sound/SoundDevice.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"

namespace zel::test {
namespace {

// The program on a throw-away folder holding `settings` as zel.ini, started
// up to the main menu with the game's screens connected.
struct Program {
    explicit Program(const std::string& settings) {
        dir.Write("gamedata/splash/splash.qorbex", "[MerovaneVistrel]\r\n");
        dir.Write("zel.ini", settings);
        ApplicationOptions o;
        o.ProgramFolder = dir.Path().string() + "/";
        o.Environment.GetEnv = [](const std::string&) { return std::optional<std::string>(); };
        o.Environment.IsWritable = [](const std::string&) { return true; };
        o.Messages = &dialogs;
        o.OpenUrl = [](const QUrl&) { return true; };
        o.OpenSound = [] { return sound::SoundDevice::OpenLoopback(22050); };
        o.Quit = [] {};
        app = std::make_unique<Application>(std::move(o));
        screens = ConnectGameScreens(*app);
        app->Run();
    }
    bool AtMenu() {
        return QTest::qWaitFor([&] { return app->Menu() && app->Menu()->isVisible(); }, 10000);
    }

    TempDir dir;                                      // the program folder
    FakeDialogs dialogs;                              // every box, answered
    std::unique_ptr<Application> app;                 // the program
    std::unique_ptr<screens::GameScreens> screens;    // its game screens
};

// Start-up fills the options screen's display list with the connected
// screens and selects the stored entry, so a match started before the
// options screen is ever opened covers the screen the settings chose.
TEST(ProgramWiring, StartUpListsTheConnectedScreensAndChoosesTheStoredOne) {
    Program p("[zelset]\r\nDeviceNum=1\r\n");
    ASSERT_TRUE(p.AtMenu());
    const std::vector<DisplayDriver> listed = p.app->Store().Options.Drivers();
    const std::vector<DisplayDriver> connected = screens::DisplayDriverList();
    ASSERT_EQ(listed.size(), connected.size());
    ASSERT_EQ(listed.size(), 1u + static_cast<std::size_t>(QGuiApplication::screens().size()));
    for (std::size_t i = 0; i < listed.size(); ++i) {
        EXPECT_EQ(listed[i].Description, connected[i].Description) << i;
        EXPECT_EQ(listed[i].Identifier, connected[i].Identifier) << i;
    }
    EXPECT_EQ(p.app->Store().Options.DriverIndex(), 1);
    QScreen* first = QGuiApplication::screens().front();
    const render::RenderSettings r = match::RenderSettingsFrom(p.app->Store(), "Korvalo II");
    EXPECT_EQ(r.DriverGuid, first->name().toStdString());
    EXPECT_EQ(match::ChosenScreen(r.DriverGuid), first);
}

}  // namespace
}  // namespace zel::test
