#include <cstdio>
#include <filesystem>
#include <functional>

#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include "MatchDriver.h"
#include "TestProgram.h"
#include "ScreensHarness.h"
#include "app/Application.h"
#include "app/GameScreensWiring.h"
#include "frontend/MainMenuWindow.h"
#include "match/MatchWindow.h"
#include "render/PictureWindow.h"
#include "base/IniLookup.h"
#include "sound/SoundDevice.h"

namespace zel::test {
namespace {

namespace fs = std::filesystem;

// What zel-sim says about a replay: the Winner of its final state.
std::string SimulatedWinner(const std::string& replay, const std::string& scratch) {
    const std::string command = std::string("\"") + ZEL_SIM_PATH + "\" replay \"" + replay + "\" > \"" + scratch + "\"";
    if (std::system(command.c_str()) != 0) return "(zel-sim failed)";
    return GetIniValueFromFile(scratch, "general", "Winner");
}

// A person goes from the main menu to the match setup screen, names two
// players, makes the table small on the options screen, starts the match,
// plays it with the keyboard to its end, saves the replay through the file
// dialog and goes back to the menu. The saved replay plays back to the
// same winner in the simulator.
TEST(ScreensEndToEnd, MenuSetupMatchResultsAndBack) {
    TestProgram test;
    Application& app = *test.app;
    const auto& screens = test.screens;
    FakeDialogs& dialogs = test.dialogs;
    const TempDir& dir = test.dir;
    int& quits = test.quits;
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.Menu() && app.Menu()->isVisible(); }, 10000));

    QTest::mouseClick(ScreensHarness::Control<QPushButton>(app.Menu(), "cmdFewGamers"), Qt::LeftButton);
    QWidget* setup = screens->Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return setup->isVisible(); }, 5000));
    EXPECT_FALSE(app.Menu()->isVisible());
    Type(ScreensHarness::Control<QLineEdit>(setup, "txtG0"), "Аня");
    Type(ScreensHarness::Control<QLineEdit>(setup, "txtG1"), "Боря");

    QTest::mouseClick(ScreensHarness::Control<QPushButton>(setup, "cmdOption"), Qt::LeftButton);
    QWidget* options = screens->Options();
    ASSERT_TRUE(options->isVisible());
    QTabBar* tabs = ScreensHarness::Control<QTabWidget>(options, "SSTab1")->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    Type(ScreensHarness::Control<QLineEdit>(options, "txtSizeG"), "201");
    Type(ScreensHarness::Control<QLineEdit>(options, "txtSizeV"), "201");
    Click(ScreensHarness::Control<QRadioButton>(options, "opTr0"));
    QTest::keyClick(options, Qt::Key_Return);
    ASSERT_TRUE(setup->isVisible());
    EXPECT_EQ(app.State().MaxX, 201);

    Striker striker(app.State());
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(setup, "cmdGo"), Qt::LeftButton);
    QWidget* results = screens->Results();
    ASSERT_TRUE(results->isVisible()) << dialogs.LastText();
    EXPECT_GE(striker.Strikes(), 1);
    const MatchState& s = app.State();
    ASSERT_TRUE(IsSet(s.Win.GameOver));
    ASSERT_GE(s.Winner, 1);
    EXPECT_EQ(s.Ftr, 0.01);
    const QString winner = ScreensHarness::Control<QLabel>(results, "lblWiner")->text();
    EXPECT_EQ(winner, QString::fromStdString(s.Vembas[s.Winner].R));
    EXPECT_TRUE(winner == "Аня" || winner == "Боря");

    // "Сохранить повтор как...": the name typed into the file dialog.
    const std::string saved = dir.File("final");
    const FileDialogAnswer answer(saved);
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(results, "cmdSavePovt"), Qt::LeftButton);
    EXPECT_EQ(dialogs.LastText(), "Файл " + saved + ".sav успешно сохранен!");
    EXPECT_EQ(TempDir::Read(saved + ".sav"), TempDir::Read(app.Paths().ReplayFile()));
    EXPECT_EQ(SimulatedWinner(saved + ".sav", dir.File("sim.zel")), std::to_string(s.Winner));

    QTest::keyClick(results, Qt::Key_Escape);
    ASSERT_TRUE(setup->isVisible());
    QTest::keyClick(setup, Qt::Key_Escape);
    EXPECT_TRUE(app.Menu()->isVisible());
    EXPECT_EQ(quits, 0);
}

// Step records in a replay file: one per strike, a person's or the computer's.
int StrikesRecorded(const std::string& replay) {
    const std::string text = TempDir::Read(replay);
    int n = 0;
    for (std::size_t at = text.find("\nG="); at != std::string::npos; at = text.find("\nG=", at + 1)) ++n;
    return n;
}

// A person plays against "Компьютер: новичок" chosen with the keyboard on
// the setup screen; the computer takes its turns by itself until the match
// ends, and the choice is kept in zel.ini.
TEST(ScreensEndToEnd, PersonAgainstTheNoviceComputer) {
    TestProgram test;
    Application& app = *test.app;
    const auto& screens = test.screens;
    FakeDialogs& dialogs = test.dialogs;
    const TempDir& dir = test.dir;
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.Menu() && app.Menu()->isVisible(); }, 10000));

    QTest::mouseClick(ScreensHarness::Control<QPushButton>(app.Menu(), "cmdFewGamers"), Qt::LeftButton);
    QWidget* setup = screens->Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return setup->isVisible(); }, 5000));
    auto* who = ScreensHarness::Control<QComboBox>(setup, "cmbPlayer1");
    ASSERT_EQ(who->count(), 4);
    EXPECT_EQ(who->currentText(), "Человек");
    EXPECT_EQ(who->itemText(3), "Компьютер: мастер");
    who->setFocus();
    QTest::keyClick(who, Qt::Key_Down);
    EXPECT_EQ(who->currentText(), "Компьютер: новичок");

    QTest::mouseClick(ScreensHarness::Control<QPushButton>(setup, "cmdOption"), Qt::LeftButton);
    QWidget* options = screens->Options();
    QTabBar* tabs = ScreensHarness::Control<QTabWidget>(options, "SSTab1")->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    Type(ScreensHarness::Control<QLineEdit>(options, "txtSizeG"), "250");
    Type(ScreensHarness::Control<QLineEdit>(options, "txtSizeV"), "250");
    QTest::keyClick(options, Qt::Key_Return);
    ASSERT_TRUE(setup->isVisible());

    // The person nudges first, so the computer gets its turn, then strikes
    // at full power until the match is over.
    Striker person(app.State(), 10, 1);
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(setup, "cmdGo"), Qt::LeftButton);
    QWidget* results = screens->Results();
    ASSERT_TRUE(results->isVisible()) << dialogs.LastText();
    const MatchState& s = app.State();
    EXPECT_EQ(s.Players[1], PlayerKind::Human);
    EXPECT_EQ(s.Players[2], PlayerKind::Novice);
    ASSERT_TRUE(IsSet(s.Win.GameOver));
    const int strikes = StrikesRecorded(app.Paths().ReplayFile());
    EXPECT_GE(person.Strikes(), 1);
    EXPECT_GE(strikes - person.Strikes(), 1) << "the computer took no turn";
    EXPECT_LE(strikes - person.Strikes(), person.Strikes());  // the person begins
    EXPECT_EQ(SimulatedWinner(app.Paths().ReplayFile(), dir.File("sim.zel")), std::to_string(s.Winner));

    QTest::keyClick(results, Qt::Key_Escape);
    ASSERT_TRUE(setup->isVisible());
    QTest::keyClick(setup, Qt::Key_Escape);
    EXPECT_EQ(GetIniValueFromFile(dir.File("zel.ini"), "zelset", "Player1"), "1");
}

}  // namespace
}  // namespace zel::test
