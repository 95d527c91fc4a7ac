#include <cmath>
#include <string>
#include <vector>

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "AppHarness.h"
#include "app/ProgramStart.h"
#include "frontend/GameStyle.h"
#include "frontend/GameTheme.h"
#include "frontend/FrontendTexts.h"
#include "screens/SettingsControls.h"
#include "base/TextFile.h"

namespace zel {
namespace {

// Start-up without windows: every step recorded with the table size it saw.
class RecordingHost : public StartupHost {
public:
    explicit RecordingHost(const MatchState& s) : s_(s) {}
    std::vector<std::string> Calls;

    void SetApplicationTitle(const std::string& t) override { Calls.push_back("title " + t); }
    void SetPlaying() override { Calls.push_back("playing"); }
    std::string ResolveAppPath() override {
        Calls.push_back("paths");
        return "/games/korvalo2/";
    }
    void ShowSplash() override { Calls.push_back("show splash"); }
    void SetSplashCaption(const std::string& t) override {
        Calls.push_back("caption " + t + " @" + std::to_string(s_.MaxX) + "x" + std::to_string(s_.MaxY));
    }
    void ProcessEvents() override { Calls.push_back("events"); }
    void InitSound() override { Calls.push_back("sound " + std::to_string(s_.Sound)); }
    void StartMedia() override { Calls.push_back("show " + s_.AppPath); }
    void SetMenuCaption(const std::string& t) override { Calls.push_back("menu " + t); }
    void LoadOptionsScreen() override { Calls.push_back("options"); }
    std::vector<DisplayDriver> DisplayDrivers() override { return {}; }

private:
    const MatchState& s_;  // what each step sees
};

TEST(Startup, FirstStageRunsItsStepsInOrder) {
    MatchState s;
    s.Sound = kFalse;
    RecordingHost host(s);
    RunFirstStage(s, host);
    const std::vector<std::string> expected = {
        "title Korvalo II: Vantorix Билд1200",
        "playing",
        "paths",
        "show splash",
        "caption Загрузка DirectSound... @600x400",
        "events",
        "sound -1",
        "caption Добро пожаловать в игру Korvalo II ! @600x400",
        "events",
        "show /games/korvalo2/"};
    EXPECT_EQ(host.Calls, expected);
}

TEST(Startup, SecondStageReadsTheSettingsOverTheStartTable) {
    test::TempDir dir;
    test::FakeDialogs dialogs;
    MatchState s;
    SettingsStore store;
    RecordingHost host(s);
    s.Pi = 0;
    RunSecondStage(s, store, dir.File("zel.ini"), dialogs, host);
    const std::vector<std::string> expected = {
        "menu Korvalo II: Vantorix Билд1200",
        "caption Загрузка конфигурационных файлов... @630x500",
        "options",
        "caption Загрузка параметров игры... @600x400",
        "caption Добро пожаловать в игру Korvalo II Vantorix! @600x400"};
    EXPECT_EQ(host.Calls, expected);
    EXPECT_EQ(s.Pi, 4 * std::atan(1.0));
    EXPECT_GT(s.Shapes[0].Count, 0);
    EXPECT_TRUE(dialogs.Messages.empty());
    // The options screen shows the loaded table.
    EXPECT_EQ(store.Options.SizeGText(), "600");

    dir.Write("zel.ini", "[zelset]\r\nMaxX=720\r\nMaxY=480\r\nSound=1\r\n");
    RunSecondStage(s, store, dir.File("zel.ini"), dialogs, host);
    EXPECT_EQ(s.MaxX, 720);
    EXPECT_EQ(s.MaxY, 480);
    EXPECT_EQ(store.Options.SizeGText(), "720");
}

TEST(Startup, ProgramReachesTheMenuWithFocusOnQuickMatch) {
    test::AppHarness h;
    Application& app = h.Started();
    SplashWindow* splash = app.Splash();
    MainMenuWindow* menu = app.Menu();
    ASSERT_NE(splash, nullptr);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(app.SettingsLoaded());
    EXPECT_FALSE(splash->isVisible());
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->isEnabled());
    EXPECT_EQ(menu->focusWidget(), menu->findChild<QPushButton*>("cmdFewGamers"));
    EXPECT_EQ(menu->windowTitle().toStdString(), "Korvalo II: Vantorix Билд1200");
    EXPECT_EQ(splash->windowTitle().toStdString(), texts::kWelcomeMenu);
    EXPECT_TRUE(splash->WaitingLabelVisible());
    // No settings file: the built-in table, not the start table.
    EXPECT_EQ(app.State().MaxX, 600);
    EXPECT_EQ(app.State().MaxY, 400);
    EXPECT_EQ(app.State().AppPath, h.Folder());
    EXPECT_TRUE(h.dialogs.Messages.empty());
    EXPECT_FALSE(FileExists(h.dir.File("zel.ini")));
}

TEST(Startup, ProgramPutsTheGameThemeOnTheApplicationOnce) {
    qApp->setStyleSheet(QString());
    test::AppHarness h;
    h.Started();
    EXPECT_EQ(qApp->styleSheet(), theme::StyleSheet());
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), theme::ColourOf(theme::Colour::BaizeLight));
    const QString name = QString::fromLatin1(theme::GameStyle::kName);
    QStyle* style = QApplication::style();
    ASSERT_NE(style->findChild<QStyle*>(name), nullptr);

    // A second start keeps the style it found: no second copy of the look.
    h.Make();
    EXPECT_EQ(QApplication::style(), style);
    EXPECT_EQ(style->findChildren<QStyle*>(name).size(), 1);
}

TEST(Startup, KeyDuringTheFirstSlideRunsTheSecondStageAtOnce) {
    test::AppHarness h;
    h.Picture("a.png");
    Application& app = h.Started("[MerovaneVistrel]\r\na.png\r\n30000\r\n");
    SplashWindow* splash = app.Splash();
    ASSERT_TRUE(splash->isVisible());
    EXPECT_TRUE(splash->SlideTimerActive());
    EXPECT_FALSE(splash->Slide().isNull());
    EXPECT_EQ(app.Menu(), nullptr);
    EXPECT_EQ(splash->windowTitle().toStdString(), texts::kWelcomeShow);

    QTest::keyClick(splash, Qt::Key_Space);
    EXPECT_FALSE(splash->SlideTimerActive());
    ASSERT_NE(app.Menu(), nullptr);
    EXPECT_TRUE(app.SettingsLoaded());
    EXPECT_TRUE(app.Menu()->isVisible());
    EXPECT_FALSE(splash->isVisible());
}

TEST(Startup, KeyBeforeTheShowStartsSkipsItForGood) {
    test::AppHarness h;
    h.Picture("a.png");
    h.Script("[MerovaneVistrel]\r\na.png\r\n30000\r\n");
    Application& app = h.Make();
    // Delivered by the first pass of event dispatch, while the sound starts.
    QWidget* splash = app.Screens().Screen(kSplashScreen);
    QCoreApplication::postEvent(splash, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier));
    app.Run();
    ASSERT_NE(app.Menu(), nullptr);
    EXPECT_TRUE(app.Menu()->isVisible());
    EXPECT_FALSE(app.Splash()->isVisible());
    EXPECT_FALSE(app.Splash()->SlideTimerActive());
    EXPECT_TRUE(app.Splash()->Slide().isNull());
}

TEST(Startup, ClosingTheSplashSkipsTheShowAndKeepsTheSettingsFile) {
    test::AppHarness h;
    h.dir.Write("zel.ini", "[zelset]\r\nMaxX=720\r\n");
    h.Picture("a.png");
    Application& app = h.Started("[MerovaneVistrel]\r\na.png\r\n30000\r\n");
    // Ending the program before the settings are read writes nothing.
    app.ExitProgram();
    EXPECT_EQ(test::TempDir::Read(h.dir.File("zel.ini")), "[zelset]\r\nMaxX=720\r\n");

    Application& again = h.Started("[MerovaneVistrel]\r\na.png\r\n30000\r\n");
    again.Splash()->close();
    ASSERT_NE(again.Menu(), nullptr);
    EXPECT_TRUE(again.Menu()->isVisible());
    EXPECT_EQ(again.State().MaxX, 720);
    EXPECT_FALSE(again.ExitRequested());
}

TEST(Startup, SettingsSavedAtExitAreReadAtTheNextStart) {
    test::AppHarness h;
    {
        Application& app = h.Started();
        app.Store().Display.ScreenW = 800;
        app.Store().Options.SetSizeGText("750");
        app.Store().Options.SetSoundBox(0);
        app.ExitProgram();
        EXPECT_EQ(h.Quits, 1);
        EXPECT_EQ(app.Sound(), nullptr);
    }
    Application& again = h.Started();
    EXPECT_EQ(again.Store().Display.ScreenW, 800);
    EXPECT_EQ(again.State().MaxX, 750);
    EXPECT_EQ(again.State().Sound, kFalse);
    EXPECT_TRUE(h.dialogs.Messages.empty());
}

}  // namespace
}  // namespace zel
