// Saved games and replays end to end, on the real windows: F5 in a match,
// "Загрузить игру" from the main menu, and a replay watched from the
// results screen.
#include <bit>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "MatchDriver.h"
#include "TestProgram.h"
#include "ScreensHarness.h"
#include "app/Application.h"
#include "app/GameScreensWiring.h"
#include "base/IniLookup.h"
#include "base/NumberFormat.h"
#include "core/MatchTexts.h"
#include "frontend/MainMenuWindow.h"
#include "match/MatchWindow.h"
#include "screens/LoadGameWindow.h"
#include "sound/SoundDevice.h"

namespace zel::test {
namespace {

namespace fs = std::filesystem;

void SendKey(QWindow* w, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &release);
}

// Plays every turn from the keyboard: the first three strikes of a match
// gently (power 10), the others at full power. With `saveAfter` set, the
// turn after that many strikes presses F5 and quits with Esc, Y instead.
class Player {
public:
    explicit Player(const MatchState& s) : s_(s) {
        timer_.setInterval(40);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
        timer_.start();
    }
    int strikes = 0;          // strikes of the current match so far, counted on over a save
    int saveAfter = -1;       // strikes before F5 and quitting; -1: play to the end
    std::string savedStatus;  // the status line right after F5

private:
    void Tick() {
        render::PictureWindow* view = MatchView();
        if (!view || !IsSet(s_.GameRunning) || s_.Win.CtrlState != kCtrlAiming || IsSet(s_.Win.ExitAsked)) return;
        if (strikes == saveAfter) {
            saveAfter = -1;
            SendKey(view, Qt::Key_F5, "");
            savedStatus = s_.StatusText;
            SendKey(view, Qt::Key_Escape, "");
            SendKey(view, Qt::Key_Y, "y");
            return;
        }
        const int repeats = strikes < 3 ? 4 : 49;
        Key(view, QEvent::KeyPress, false);
        for (int i = 0; i < repeats; ++i) {
            Key(view, QEvent::KeyRelease, true);
            Key(view, QEvent::KeyPress, true);
        }
        Key(view, QEvent::KeyRelease, false);
        ++strikes;
    }

    const MatchState& s_;
    QTimer timer_;
};

// The program with its menu up, and what these tests do with it.
struct Program : TestProgram {
    // From the menu to the setup screen with two named players on a small table.
    QWidget* SetUp() {
        QTest::mouseClick(ScreensHarness::Control<QPushButton>(app->Menu(), "cmdFewGamers"), Qt::LeftButton);
        QWidget* setup = screens->Start();
        Type(ScreensHarness::Control<QLineEdit>(setup, "txtG0"), "Аня");
        Type(ScreensHarness::Control<QLineEdit>(setup, "txtG1"), "Боря");
        QTest::mouseClick(ScreensHarness::Control<QPushButton>(setup, "cmdOption"), Qt::LeftButton);
        QWidget* options = screens->Options();
        QTabBar* tabs = ScreensHarness::Control<QTabWidget>(options, "SSTab1")->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
        Type(ScreensHarness::Control<QLineEdit>(options, "txtSizeG"), "201");
        Type(ScreensHarness::Control<QLineEdit>(options, "txtSizeV"), "201");
        Click(ScreensHarness::Control<QRadioButton>(options, "opTr0"));
        QTest::keyClick(options, Qt::Key_Return);
        return setup;
    }

    // Selects `name` in the browser's file list as a click would.
    static bool Pick(screens::LoadGameWindow* browser, const std::string& name) {
        auto* list = ScreensHarness::Control<QListWidget>(browser, "File");
        const auto found = list->findItems(QString::fromStdString(name), Qt::MatchExactly);
        if (found.isEmpty()) return false;
        list->setCurrentItem(found.front());
        return true;
    }
};

// The pieces of a finished match, to compare bit for bit.
struct Final {
    std::array<VembaRecord, kMaxParticipants + 1> Pieces{};
    std::int16_t Winner = 0;
    int Num = 0;
    explicit Final(const MatchState& s) : Winner(s.Winner), Num(s.Num) {
        for (int i = 1; i <= kMaxParticipants; ++i) Pieces[i] = s.Vembas[i];
    }
};

void ExpectSame(const Final& a, const Final& b) {
    ASSERT_EQ(a.Num, b.Num);
    EXPECT_EQ(a.Winner, b.Winner);
    for (int i = 1; i <= a.Num; ++i) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(a.Pieces[i].Xpos), std::bit_cast<std::uint64_t>(b.Pieces[i].Xpos)) << i;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(a.Pieces[i].Ypos), std::bit_cast<std::uint64_t>(b.Pieces[i].Ypos)) << i;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(a.Pieces[i].Phi), std::bit_cast<std::uint64_t>(b.Pieces[i].Phi)) << i;
        EXPECT_EQ(a.Pieces[i].Life, b.Pieces[i].Life) << i;
    }
}

// zel-sim's final state of a file: `mode` is "replay" or "continue".
std::string Simulate(const std::string& mode, const std::string& file, const std::string& out) {
    const std::string command =
        std::string("\"") + ZEL_SIM_PATH + "\" " + mode + " \"" + file + "\" > \"" + out + "\"";
    return std::system(command.c_str()) == 0 ? out : "";
}

void ExpectSimulatedEnd(const std::string& simOut, const Final& f) {
    ASSERT_FALSE(simOut.empty()) << "zel-sim failed";
    EXPECT_EQ(GetIniValueFromFile(simOut, "general", "Winner"), std::to_string(f.Winner));
    for (int i = 1; i <= f.Num; ++i) {
        const std::string section = "R" + std::to_string(i);
        EXPECT_EQ(GetIniValueFromFile(simOut, section, "Xpos"), FormatDouble(f.Pieces[i].Xpos)) << i;
        EXPECT_EQ(GetIniValueFromFile(simOut, section, "Phi"), FormatDouble(f.Pieces[i].Phi)) << i;
    }
}

// Three strikes, F5, quit to the menu, "Загрузить игру", the saved game,
// played to its end: the same end, bit for bit, as the same strikes played
// without a break, and as zel-sim plays that match's replay.
TEST(LoadGameEndToEnd, AMatchSavedWithF5AndContinuedEndsAsTheUninterruptedOne) {
    Program p;
    Application& app = *p.app;
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.Menu() && app.Menu()->isVisible(); }, 10000));
    QWidget* setup = p.SetUp();
    ASSERT_TRUE(setup->isVisible());

    Player player(app.State());
    player.saveAfter = 3;
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(setup, "cmdGo"), Qt::LeftButton);
    ASSERT_TRUE(app.Menu()->isVisible()) << p.dialogs.LastText();
    ASSERT_EQ(player.strikes, 3);
    const fs::path saves = fs::path(app.Paths().SavesFolder());
    std::vector<fs::path> saved;
    for (const auto& e : fs::directory_iterator(saves)) saved.push_back(e.path());
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(player.savedStatus, std::string(texts::kSavedTo) + saved[0].string());

    QTest::mouseClick(ScreensHarness::Control<QPushButton>(app.Menu(), "cmdLoadGame"), Qt::LeftButton);
    screens::LoadGameWindow* browser = p.screens->LoadGameScreen();
    ASSERT_TRUE(browser->isVisible());
    EXPECT_FALSE(app.Menu()->isVisible());
    EXPECT_EQ(ScreensHarness::Control<QLabel>(browser, "lbl")->text(), QString("Загрузка сохраненной игры"));
    EXPECT_EQ(browser->windowTitle().endsWith(": загрузка игры"), true);
    ASSERT_TRUE(Program::Pick(browser, saved[0].filename().string()));
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(browser, "cmdLoad"), Qt::LeftButton);
    QWidget* results = p.screens->Results();
    ASSERT_TRUE(results->isVisible()) << p.dialogs.LastText();
    EXPECT_FALSE(browser->isVisible());
    EXPECT_GT(player.strikes, 3);
    ASSERT_TRUE(IsSet(app.State().Win.GameOver));
    const Final continued(app.State());
    // The continued match recorded no replay of its own.
    EXPECT_FALSE(ScreensHarness::Control<QPushButton>(results, "cmdSavePovt")->isEnabled());
    EXPECT_FALSE(ScreensHarness::Control<QPushButton>(results, "cmdSavePovt")->toolTip().isEmpty());

    // The same strikes without a break.
    QTest::keyClick(results, Qt::Key_Escape);
    ASSERT_TRUE(setup->isVisible());
    player.strikes = 0;
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(setup, "cmdGo"), Qt::LeftButton);
    ASSERT_TRUE(results->isVisible()) << p.dialogs.LastText();
    const Final straight(app.State());
    ExpectSame(continued, straight);
    ExpectSimulatedEnd(Simulate("replay", app.Paths().ReplayFile(), p.dir.File("sim-replay.zel")), straight);

    // zel-sim continues the F5 file to the state it was saved in.
    const std::string atSave = Simulate("continue", saved[0].string(), p.dir.File("sim-continue.zel"));
    ASSERT_FALSE(atSave.empty());
    EXPECT_EQ(GetIniValueFromFile(atSave, "R1", "Xpos"), GetIniValueFromFile(saved[0].string(), "R1", "Xpos"));
    EXPECT_EQ(p.quits, 0);
}

// A finished match, "Сохранить повтор как...", "Загрузить повтор...", the
// saved replay watched in the match window to "Конец записи!", and back in
// the browser; "< Назад" then leads to the main menu.
TEST(LoadGameEndToEnd, AReplaySavedFromTheResultsIsWatchedAndReturnsToTheBrowser) {
    Program p;
    Application& app = *p.app;
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.Menu() && app.Menu()->isVisible(); }, 10000));
    QWidget* setup = p.SetUp();
    Player player(app.State());
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(setup, "cmdGo"), Qt::LeftButton);
    QWidget* results = p.screens->Results();
    ASSERT_TRUE(results->isVisible()) << p.dialogs.LastText();
    const Final live(app.State());

    const std::string saved = p.dir.File("final");
    const FileDialogAnswer answer(saved);
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(results, "cmdSavePovt"), Qt::LeftButton);
    ASSERT_EQ(p.dialogs.LastText(), "Файл " + saved + ".sav успешно сохранен!");

    auto* loadReplay = ScreensHarness::Control<QPushButton>(results, "cmdLoadGame");
    ASSERT_TRUE(loadReplay->isEnabled());
    QTest::mouseClick(loadReplay, Qt::LeftButton);
    screens::LoadGameWindow* browser = p.screens->LoadGameScreen();
    ASSERT_TRUE(browser->isVisible());
    EXPECT_EQ(ScreensHarness::Control<QLabel>(browser, "lbl")->text(), QString("Загрузка повтора"));
    ASSERT_TRUE(Program::Pick(browser, "final.sav"));
    const std::size_t before = p.dialogs.Messages.size();
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(browser, "cmdLoad"), Qt::LeftButton);
    ASSERT_TRUE(browser->isVisible()) << p.dialogs.LastText();
    ASSERT_GT(p.dialogs.Messages.size(), before);
    EXPECT_EQ(p.dialogs.Messages.back().Text, "Конец записи!");
    EXPECT_EQ(p.dialogs.Messages.back().Title, "Просмотр повтора");
    EXPECT_TRUE(IsSet(app.State().Win.ReplayMode));
    ExpectSame(Final(app.State()), live);
    ExpectSimulatedEnd(Simulate("replay", saved + ".sav", p.dir.File("sim.zel")), live);

    QTest::mouseClick(ScreensHarness::Control<QPushButton>(browser, "cmdBack"), Qt::LeftButton);
    EXPECT_TRUE(app.Menu()->isVisible());
    EXPECT_FALSE(browser->isVisible());
    EXPECT_EQ(p.quits, 0);
}

}  // namespace
}  // namespace zel::test
