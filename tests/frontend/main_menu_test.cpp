#include <string>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "AppHarness.h"
#include "frontend/AboutWindow.h"
#include "frontend/ClickLabel.h"
#include "frontend/FrontendTexts.h"
#include "settings/SettingsTexts.h"
#include "base/TextFile.h"

namespace zel {
namespace {

QPushButton* Button(QWidget* w, const char* name) { return w->findChild<QPushButton*>(name); }

void Trigger(QMenu* menu, const char* item) {
    QAction* action = menu->findChild<QAction*>(item);
    ASSERT_NE(action, nullptr) << item;
    action->trigger();
}

TEST(MainMenu, ExitQuestionCancelKeepsTheMenuAndOkEndsTheProgram) {
    test::AppHarness h;
    Application& app = h.Started();
    MainMenuWindow* menu = app.Menu();

    h.dialogs.Answers.push_back(MsgAnswer::Cancel);
    menu->close();  // the window frame's close
    ASSERT_EQ(h.dialogs.Messages.size(), 1u);
    const Message& question = h.dialogs.Messages[0];
    EXPECT_EQ(question.Text, "Выйти из игры в Windows?");
    EXPECT_EQ(question.Icon, MsgIcon::Information);
    EXPECT_EQ(question.Buttons, MsgButtons::OkCancel);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(h.Quits, 0);
    EXPECT_FALSE(FileExists(h.dir.File("zel.ini")));

    h.dialogs.Answers.push_back(MsgAnswer::Ok);
    QTest::mouseClick(Button(menu, "cmdExit"), Qt::LeftButton);
    EXPECT_EQ(h.dialogs.Messages.size(), 2u);
    EXPECT_EQ(h.Quits, 1);
    EXPECT_TRUE(app.ExitRequested());
    EXPECT_TRUE(FileExists(h.dir.File("zel.ini")));

    // Once the program ends, closing asks nothing more.
    menu->close();
    EXPECT_EQ(h.dialogs.Messages.size(), 2u);
    EXPECT_EQ(h.Quits, 1);
}

TEST(MainMenu, CommandsWithoutTheirScreensChangeNothing) {
    test::AppHarness h;
    Application& app = h.Started();
    MainMenuWindow* menu = app.Menu();
    for (const char* name : {"cmdFewGamers", "cmdCom", "cmdLoadGame", "cmdHronika", "cmdNetGame"})
        QTest::mouseClick(Button(menu, name), Qt::LeftButton);
    Trigger(menu->SupportMenu(), "mnuItemReport");
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->isEnabled());
    EXPECT_EQ(menu->windowTitle().toStdString(), ApplicationTitle());
    EXPECT_TRUE(h.dialogs.Messages.empty());
    EXPECT_TRUE(h.dialogs.BusyBalanced());
    EXPECT_TRUE(h.Opened.empty());
}

TEST(MainMenu, QuickMatchRunsTheApplicationsHookUnderTheBusyPointer) {
    test::AppHarness h;
    Application& app = h.Started();
    int depthInside = -1;
    app.QuickMatch = [&] { depthInside = h.dialogs.BusyDepth; };
    QTest::mouseClick(Button(app.Menu(), "cmdFewGamers"), Qt::LeftButton);
    EXPECT_EQ(depthInside, 1);
    EXPECT_TRUE(h.dialogs.BusyBalanced());
}

TEST(MainMenu, HelpOpensTheIndexOnlyWhenItIsThere) {
    test::AppHarness h;
    Application& app = h.Started();
    Trigger(app.Menu()->HelpMenu(), "mnuItemContents");
    ASSERT_EQ(h.dialogs.Messages.size(), 1u);
    EXPECT_EQ(h.dialogs.Messages[0].Text,
              "Ошибка при запуске справочной системы. Не найден главный html-файл: index.html");
    EXPECT_EQ(h.dialogs.Messages[0].Icon, MsgIcon::Critical);
    EXPECT_TRUE(h.Opened.empty());

    std::filesystem::create_directories(h.dir.Path() / "gamedata/help");
    h.dir.Write("gamedata/help/index.html", "<html></html>");
    Trigger(app.Menu()->HelpMenu(), "mnuItemContents");
    ASSERT_EQ(h.Opened.size(), 1u);
    EXPECT_EQ(h.Opened[0].toLocalFile().toStdString(), h.Folder() + "gamedata/help/index.html");
    EXPECT_EQ(h.dialogs.Messages.size(), 1u);
}

TEST(MainMenu, LinksOpenTheirAddressesAndFailuresStaySilent) {
    test::AppHarness h;
    Application& app = h.Started();
    MainMenuWindow* menu = app.Menu();
    QTest::mouseClick(menu->findChild<ClickLabel*>("lblMerovane"), Qt::LeftButton);
    QTest::mouseClick(menu->findChild<ClickLabel*>("lblVembKlub"), Qt::LeftButton);
    Trigger(menu->SupportMenu(), "mnuItemHomePage");
    Trigger(menu->SupportMenu(), "mnuItemUpdate");
    ASSERT_EQ(h.Opened.size(), 4u);
    EXPECT_EQ(h.Opened[0].toString().toStdString(), texts::kMakerSite);
    EXPECT_EQ(h.Opened[1].toString().toStdString(), texts::kClubSite);
    EXPECT_EQ(h.Opened[2].toString().toStdString(), texts::kProductHomePage);
    EXPECT_EQ(h.Opened[3].toString().toStdString(), texts::kProductUpdatePage);

    // A desktop that cannot open anything: nothing is said.
    DesktopLauncher failing([](const QUrl&) -> bool { throw std::runtime_error("no browser"); });
    failing.StartNet(texts::kMakerSite);
    EXPECT_TRUE(h.dialogs.Messages.empty());
}

TEST(MainMenu, CoatOfArmsNeedsItsPicture) {
    test::AppHarness h;
    Application& app = h.Started();
    MainMenuWindow* menu = app.Menu();
    int opened = 0;
    app.CoatOfArms = [&] { ++opened; };
    QTest::mouseClick(menu->findChild<ClickLabel*>("Image1"), Qt::LeftButton);
    ASSERT_EQ(h.dialogs.Messages.size(), 1u);
    EXPECT_EQ(h.dialogs.Messages[0].Text, "Необходимый файл не найден!");
    EXPECT_EQ(h.dialogs.Messages[0].Icon, MsgIcon::Information);
    EXPECT_EQ(opened, 0);

    std::filesystem::create_directories(h.dir.Path() / "gamedata/pic");
    h.dir.Write("gamedata/pic/biggerb.gif", "GIF89a");
    QTest::mouseClick(menu->findChild<ClickLabel*>("Image1"), Qt::LeftButton);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(h.dialogs.Messages.size(), 1u);
}

TEST(MainMenu, ReplayedShowHidesTheMenuAndBringsItBack) {
    test::AppHarness h;
    Application& app = h.Started();
    h.Picture("a.png");
    h.Script("[MerovaneVistrel]\r\na.png\r\n30000\r\n");
    QTest::mouseClick(Button(app.Menu(), "cmdSplash"), Qt::LeftButton);
    SplashWindow* splash = app.Splash();
    EXPECT_FALSE(app.Menu()->isVisible());
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(splash->SlideBoxVisible());
    EXPECT_FALSE(splash->WaitingLabelVisible());
    EXPECT_FALSE(splash->HasBackground());
    EXPECT_TRUE(splash->SlideTimerActive());

    QTest::keyClick(splash, Qt::Key_Escape);
    EXPECT_TRUE(app.Menu()->isVisible());
    EXPECT_FALSE(splash->isVisible());
    // The second stage ran once: the settings were not read again.
    EXPECT_EQ(app.Menu()->windowTitle().toStdString(), ApplicationTitle());
}

TEST(AboutWindow, ShowsTheVersionAndReportsAMissingLogo) {
    test::TempDir dir;
    test::FakeDialogs dialogs;
    DesktopLauncher launcher([](const QUrl&) { return true; });
    AboutWindow about(dir.Path().string() + "/", dialogs, launcher);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "Ошибка при загрузке изображения! Файл не существует!");
    EXPECT_EQ(dialogs.Messages[0].Icon, MsgIcon::Critical);
    EXPECT_EQ(about.windowTitle().toStdString(), "О программе");
    EXPECT_EQ(about.findChild<QLabel*>("lblVersion")->text().toStdString(), "3.0.1200");
    EXPECT_EQ(about.findChild<QLabel*>("lblUpdate")->text().toStdString(), "1200");
    EXPECT_EQ(about.findChild<QListWidget*>("List1")->count(), 3);

    // Ctrl and the right button on the logo: the note in its three parts.
    QTest::mouseClick(about.findChild<ClickLabel*>("Image1"), Qt::RightButton, Qt::ControlModifier);
    QTest::mouseClick(about.findChild<ClickLabel*>("Image1"), Qt::RightButton);
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[1].Icon, MsgIcon::None);
    EXPECT_EQ(dialogs.Messages[1].Text, std::string("Korvalo II: Quellmark.") + texts::kNewLine +
                                            texts::kLegalNotice + texts::kBlankLine +
                                            texts::kProjectOpened);

    QTest::mouseClick(about.findChild<QPushButton*>("cmdSotr"), Qt::LeftButton);
    ASSERT_EQ(dialogs.Messages.size(), 3u);
    EXPECT_EQ(dialogs.Messages[2].Icon, MsgIcon::Information);
    EXPECT_EQ(dialogs.Messages[2].Text.rfind(std::string("Группа разработчиков игры Korvalo® II Vantorix:") +
                                                 texts::kBlankLine + "Главный программист:" +
                                                 texts::kNewLine,
                                             0),
              0u);
}

}  // namespace
}  // namespace zel
