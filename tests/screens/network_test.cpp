#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <QComboBox>
#include <QCoreApplication>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "MatchDriver.h"
#include "ScreensHarness.h"
#include "TestProgram.h"
#include "app/Application.h"
#include "frontend/MainMenuWindow.h"
#include "screens/NetworkWindow.h"
#include "screens/ResultsWindow.h"
#include "screens/StartWindow.h"

namespace zel::test {
namespace {

namespace fs = std::filesystem;

// A connection that answers at once and notes what it was asked.
class FakeConnector : public NetConnector {
public:
    std::vector<std::uint16_t> Listened;
    std::vector<std::string> Connects;
    int Closes = 0;
    int RestartAsks = 0;
    bool Link = false;

    std::string Listen(std::uint16_t port) override {
        Listened.push_back(port);
        return "";
    }
    std::vector<std::string> LocalAddresses() override { return {"127.0.0.1"}; }
    void Connect(const std::string& address, std::uint16_t port, const std::vector<std::string>& names) override {
        std::string line = address + ":" + std::to_string(port);
        for (const std::string& n : names) line += " " + n;
        Connects.push_back(line);
    }
    void Close() override {
        ++Closes;
        Link = false;
    }
    bool Linked() const override { return Link; }
    bool Hosting() const override { return true; }
    bool AskRestart() override {
        ++RestartAsks;
        return Link;
    }
};

struct NetScreens {
    ScreensHarness h;
    FakeConnector* net = nullptr;
    NetScreens() {
        auto owned = std::make_unique<FakeConnector>();
        net = owned.get();
        h.screens->AdoptConnector(std::move(owned));
        h.store.Net = NetSettings{"127.0.0.2", "3001", "3002"};
    }
    screens::NetworkWindow* Open() {
        h.menu.show();
        h.screens->OpenNetwork(&h.menu);
        return h.screens->NetworkScreen();
    }
};

QString Text(QWidget* w, const char* name) { return ScreensHarness::Control<QLabel>(w, name)->text(); }

TEST(NetworkWindow, OpensFromTheMenuWithTheRememberedBoxesAndEscapeGoesBackClosingTheLink) {
    NetScreens n;
    screens::NetworkWindow* w = n.Open();
    ASSERT_TRUE(w->isVisible());
    EXPECT_FALSE(n.h.menu.isVisible());
    EXPECT_EQ(ScreensHarness::Control<QLineEdit>(w, "txtAddress")->text(), "127.0.0.2");
    EXPECT_EQ(ScreensHarness::Control<QLineEdit>(w, "txtPort")->text(), "3001");
    EXPECT_EQ(ScreensHarness::Control<QLineEdit>(w, "txtHostPort")->text(), "3002");

    QTest::mouseClick(ScreensHarness::Control<QPushButton>(w, "cmdHost"), Qt::LeftButton);
    EXPECT_EQ(n.net->Listened, std::vector<std::uint16_t>{3002});
    EXPECT_EQ(Text(w, "lblStatus"), "Ожидание второго компьютера...");
    EXPECT_EQ(Text(w, "lblAddresses"), "Адреса этого компьютера: 127.0.0.1\r\nПорт: 3002");
    EXPECT_FALSE(ScreensHarness::Control<QPushButton>(w, "cmdJoin")->isEnabled());
    // zel.ini keeps the port at once.
    EXPECT_NE(TempDir::Read(n.h.tmp.File("zel.ini")).find("NetHostPort=3002\r\n"), std::string::npos);

    QTest::keyClick(w, Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(n.h.menu.isVisible());
    EXPECT_EQ(n.net->Closes, 1);
}

TEST(NetworkWindow, JoinTypedAddressIntroducesTheCheckedPlayersAndIsRemembered) {
    NetScreens n;
    n.h.store.Start.SetName(0, "Боря");
    n.h.MarkOnly({0});
    screens::NetworkWindow* w = n.Open();
    Type(ScreensHarness::Control<QLineEdit>(w, "txtAddress"), "127.0.0.1");
    Type(ScreensHarness::Control<QLineEdit>(w, "txtPort"), "4005");
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(w, "cmdJoin"), Qt::LeftButton);
    EXPECT_EQ(n.net->Connects, std::vector<std::string>{"127.0.0.1:4005 Боря"});
    EXPECT_EQ(Text(w, "lblStatus"), "Подключение к 127.0.0.1:4005...");
    EXPECT_EQ(n.h.store.Net.Address, "127.0.0.1");
    w->Connected();
    EXPECT_EQ(Text(w, "lblStatus"), "Подключено! Ведущий компьютер настраивает вембу...");
    w->Failed("Связь с другим компьютером потеряна.");
    EXPECT_EQ(n.h.dialogs.LastText(), "Связь с другим компьютером потеряна.");
    EXPECT_TRUE(ScreensHarness::Control<QPushButton>(w, "cmdJoin")->isEnabled());
}

TEST(NetworkWindow, ArrivingGuestTakesTheHostToTheSetupWithItsPlayersMarkedThere) {
    NetScreens n;
    n.h.store.Start.SetName(0, "Аня");
    n.h.MarkOnly({0});
    screens::NetworkWindow* w = n.Open();
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(w, "cmdHost"), Qt::LeftButton);
    w->GuestArrived({"Вова"});
    screens::StartWindow* setup = n.h.screens->Start();
    ASSERT_TRUE(setup->isVisible());
    EXPECT_FALSE(w->isVisible());
    auto* where1 = ScreensHarness::Control<QComboBox>(setup, "cmbWhere1");
    EXPECT_TRUE(where1->isVisible());
    EXPECT_EQ(where1->currentText(), "На другом компьютере");
    EXPECT_EQ(ScreensHarness::Control<QComboBox>(setup, "cmbWhere0")->currentText(), "Здесь");
    EXPECT_EQ(ScreensHarness::Control<QLineEdit>(setup, "txtG1")->text(), "Вова");
    EXPECT_FALSE(ScreensHarness::Control<QComboBox>(setup, "cmbPlayer1")->isEnabled());
    EXPECT_EQ(Text(setup, "Label3"), "Сетевая игра");

    QTest::mouseClick(ScreensHarness::Control<QPushButton>(setup, "cmdGo"), Qt::LeftButton);
    ASSERT_EQ(n.h.matches, 1);
    const MatchState& m = n.h.started[0];
    EXPECT_EQ(m.Num, 2);
    EXPECT_EQ(m.Vembas[2].R, "Вова");
    EXPECT_FALSE(m.PlayedElsewhere[1]);
    EXPECT_TRUE(m.PlayedElsewhere[2]);
    // zel.ini keeps this computer's own second slot, not the guest's player.
    const std::string ini = TempDir::Read(n.h.tmp.File("zel.ini"));
    EXPECT_NE(ini.find("R1=2\r\n"), std::string::npos);
    EXPECT_NE(ini.find("chk1=0\r\n"), std::string::npos);
    EXPECT_EQ(ini.find("Вова"), std::string::npos);
}

TEST(NetworkWindow, SetupOutsideANetworkGameHidesTheColumnAndPlaysEverySlotHere) {
    NetScreens n;
    n.h.MarkOnly({0, 1});
    n.h.screens->OpenStart(&n.h.menu);
    screens::StartWindow* setup = n.h.screens->Start();
    EXPECT_FALSE(ScreensHarness::Control<QComboBox>(setup, "cmbWhere0")->isVisible());
    EXPECT_FALSE(ScreensHarness::Control<QLabel>(setup, "lblWhere")->isVisible());
    EXPECT_EQ(Text(setup, "Label3"), "Быстрая игра");
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(setup, "cmdGo"), Qt::LeftButton);
    ASSERT_EQ(n.h.matches, 1);
    EXPECT_FALSE(n.h.started[0].PlayedElsewhere[1]);
    EXPECT_FALSE(n.h.started[0].PlayedElsewhere[2]);
}

TEST(NetworkWindow, SetupBackLeavesTheNetworkGameForTheNetworkScreen) {
    NetScreens n;
    screens::NetworkWindow* w = n.Open();
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(w, "cmdHost"), Qt::LeftButton);
    w->GuestArrived({"Вова"});
    screens::StartWindow* setup = n.h.screens->Start();
    ASSERT_TRUE(setup->isVisible());
    QTest::keyClick(setup, Qt::Key_Escape);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(setup->isVisible());
    EXPECT_FALSE(n.h.store.Start.NetworkMode());
    EXPECT_GE(n.net->Closes, 1);
    EXPECT_EQ(Text(w, "lblStatus"), "");
}

TEST(NetworkWindow, PlayAgainInANetworkGameAsksTheOtherComputerAndWaits) {
    NetScreens n;
    n.net->Link = true;
    n.h.MarkOnly({0, 1});
    n.h.screens->OpenStart(&n.h.menu);
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(n.h.screens->Start(), "cmdGo"), Qt::LeftButton);
    screens::ResultsWindow* results = n.h.screens->Results();
    ASSERT_TRUE(results->isVisible());
    auto* go = ScreensHarness::Control<QPushButton>(results, "cmdGo");
    QTest::mouseClick(go, Qt::LeftButton);
    EXPECT_EQ(n.net->RestartAsks, 1);
    EXPECT_EQ(n.h.matches, 1);  // nothing starts before the answer
    EXPECT_FALSE(go->isEnabled());
    EXPECT_EQ(Text(results, "lblWaiting"), "Ждем ответа другого компьютера...");
    results->PlayAgainNow();
    EXPECT_EQ(n.h.matches, 2);

    // Gone, the link takes no question: the button plays here at once.
    n.net->Link = false;
    n.h.screens->NetworkLost("Другой компьютер вышел из игры.");
    EXPECT_EQ(n.h.dialogs.LastText(), "Другой компьютер вышел из игры.");
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(n.h.screens->Results(), "cmdGo"), Qt::LeftButton);
    EXPECT_EQ(n.h.matches, 3);
    EXPECT_EQ(n.net->RestartAsks, 1);
}

// --- two programs over the loopback ---------------------------------------------

// A port of this computer nobody listens on now.
quint16 FreePort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) return 0;
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

// A small table, no posts and low friction: a full strike sends pieces off
// the table within a few turns.
void SmallTable(const TempDir& dir, const char* name) {
    dir.Write("zel.ini", std::string("[zelset]\r\nR0=") + name +
                             "\r\nchk0=1\r\nchk1=0\r\nMaxX=201\r\nMaxY=201\r\nFtr=0.01\r\nPipa=0\r\n");
}

// The step records of a replay file, line by line, without the comments.
std::vector<std::string> Steps(const std::string& replay) {
    std::vector<std::string> out;
    std::istringstream in(TempDir::Read(replay));
    std::string line;
    bool game = false;
    while (std::getline(in, line)) {
        if (line.rfind("[game]", 0) == 0) game = true;
        // Comment lines carry each side's own clock.
        if (game && line.rfind(";", 0) != 0) out.push_back(line);
    }
    return out;
}

bool Visible(QWidget* w) { return w != nullptr && w->isVisible(); }

// Every message box so far, for a failure's report.
std::string Said(const FakeDialogs& d) {
    std::string out;
    for (const Message& m : d.Messages) out += m.Text + " | ";
    return out;
}

// Counts the match windows that came up. A match runs in its own display
// loop, so a wait that only looks between events may never see one; the
// timer runs inside that loop too.
class MatchWatcher {
public:
    MatchWatcher() {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const bool up = MatchView() != nullptr;
            if (up && !up_) ++started_;
            up_ = up;
        });
        timer_.start();
    }
    int Started() const { return started_; }

private:
    QTimer timer_;
    bool up_ = false;
    int started_ = 0;
};

constexpr int kMatchMs = 120000;  // a match of a few strikes, with room for a slow machine

// The other program of the test below: started by it as a second process
// with the port in ZEL_NET_TEST_PORT; skipped when run on its own. It joins,
// strikes for its player, agrees to play again, and after the second match
// leaves; its replays and winners go where ZEL_NET_TEST_OUT says.
TEST(NetworkEndToEnd, GuestProgram) {
    const char* port = std::getenv("ZEL_NET_TEST_PORT");
    const char* out = std::getenv("ZEL_NET_TEST_OUT");
    if (port == nullptr || out == nullptr) GTEST_SKIP() << "run by NetworkEndToEnd.TwoProgramsPlayAMatchOverTheLoopback";
    TestProgram test([](const TempDir& dir) { SmallTable(dir, "Боря"); });
    Application& app = *test.app;
    ASSERT_TRUE(test.MenuShown());
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(app.Menu(), "cmdNetGame"), Qt::LeftButton);
    screens::NetworkWindow* net = test.screens->NetworkScreen();
    ASSERT_TRUE(Visible(net));
    Type(ScreensHarness::Control<QLineEdit>(net, "txtAddress"), "127.0.0.1");
    Type(ScreensHarness::Control<QLineEdit>(net, "txtPort"), QString::fromUtf8(port));
    // A gentle first strike leaves the pieces on the table for the other side.
    Striker striker(app.State(), 20, 1);
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(net, "cmdJoin"), Qt::LeftButton);
    MatchWatcher watcher;
    for (int match = 1; match <= 2; ++match) {
        // The host's set-up starts the match here; its end shows the results.
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return watcher.Started() >= match && MatchView() == nullptr && Visible(test.screens->Results()); },
            kMatchMs))
            << Said(test.dialogs);
        const std::string n = std::to_string(match);
        fs::copy_file(app.Paths().ReplayFile(), std::string(out) + "/guest" + n + ".sav",
                      fs::copy_options::overwrite_existing);
        std::ofstream(std::string(out) + "/guest" + n + ".txt") << app.State().Winner << "\n";
    }
    // "< Назад" leaves the network game once the host has seen the end (a
    // side that leaves while the other still finishes the match ends it there).
    ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(std::string(out) + "/host-done"); }, kMatchMs));
    QTest::keyClick(test.screens->Results(), Qt::Key_Escape);
    EXPECT_TRUE(Visible(test.screens->NetworkScreen()));
    // The question to play again was answered yes; nothing else was asked.
    bool asked = false;
    for (const Message& m : test.dialogs.Messages) asked = asked || m.Text == "Другой компьютер предлагает начать вембу опять.";
    EXPECT_TRUE(asked);
}

// Two programs on one computer play a network match over 127.0.0.1: this one
// hosts, a second process of this test joins as NetworkEndToEnd.GuestProgram.
// The guest's name fills the second slot, played there; each side strikes for
// its own player; both end with the same winner and the same strikes in
// their replays. "НАЧАТЬ ВЕМБУ ОПЯТЬ!" asks the guest, which agrees, and a
// second match is played. The guest then leaves and the host is told.
TEST(NetworkEndToEnd, TwoProgramsPlayAMatchOverTheLoopback) {
    TestProgram test([](const TempDir& dir) { SmallTable(dir, "Аня"); });
    Application& app = *test.app;
    ASSERT_TRUE(test.MenuShown());
    const quint16 port = FreePort();
    ASSERT_NE(port, 0);

    QTest::mouseClick(ScreensHarness::Control<QPushButton>(app.Menu(), "cmdNetGame"), Qt::LeftButton);
    screens::NetworkWindow* net = test.screens->NetworkScreen();
    ASSERT_TRUE(Visible(net));
    Type(ScreensHarness::Control<QLineEdit>(net, "txtHostPort"), QString::number(port));
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(net, "cmdHost"), Qt::LeftButton);
    ASSERT_EQ(ScreensHarness::Control<QLabel>(net, "lblStatus")->text(), "Ожидание второго компьютера...")
        << Said(test.dialogs);

    const std::string out = test.dir.File("guest");
    fs::create_directories(out);
    QProcess guest;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZEL_NET_TEST_PORT", QString::number(port));
    env.insert("ZEL_NET_TEST_OUT", QString::fromStdString(out));
    guest.setProcessEnvironment(env);
    guest.setProcessChannelMode(QProcess::ForwardedChannels);
    guest.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=NetworkEndToEnd.GuestProgram"});
    ASSERT_TRUE(guest.waitForStarted(10000));
    struct Reaper {
        QProcess& p;
        ~Reaper() {
            if (p.state() != QProcess::NotRunning) {
                p.kill();
                p.waitForFinished(5000);
            }
        }
    } reaper{guest};

    screens::StartWindow* setup = test.screens->Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Visible(setup); }, 30000)) << Said(test.dialogs);
    EXPECT_EQ(ScreensHarness::Control<QLineEdit>(setup, "txtG1")->text(), "Боря");
    EXPECT_EQ(ScreensHarness::Control<QComboBox>(setup, "cmbWhere1")->currentText(), "На другом компьютере");

    Striker striker(app.State(), 20, 1);
    MatchWatcher watcher;
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(setup, "cmdGo"), Qt::LeftButton);
    screens::ResultsWindow* results = test.screens->Results();
    ASSERT_TRUE(Visible(results)) << Said(test.dialogs);
    const MatchState& s = app.State();
    ASSERT_TRUE(IsSet(s.Win.GameOver));
    EXPECT_TRUE(s.PlayedElsewhere[2]);
    const int firstWinner = s.Winner;
    const std::vector<std::string> firstSteps = Steps(app.Paths().ReplayFile());

    // Again, when the guest agrees.
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(results, "cmdGo"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return watcher.Started() >= 2 && Visible(results) && MatchView() == nullptr; }, kMatchMs))
        << Said(test.dialogs);
    ASSERT_TRUE(IsSet(s.Win.GameOver));
    const int secondWinner = s.Winner;
    const std::vector<std::string> secondSteps = Steps(app.Paths().ReplayFile());
    std::ofstream(out + "/host-done") << "1\n";

    // The guest leaves: the host hears it and plays on alone.
    ASSERT_TRUE(QTest::qWaitFor([&] { return test.dialogs.LastText() == "Другой компьютер вышел из игры."; }, 30000))
        << Said(test.dialogs);
    // (waitForFinished says false for a process that has finished already.)
    ASSERT_TRUE(guest.state() == QProcess::NotRunning || guest.waitForFinished(30000));
    EXPECT_EQ(guest.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(guest.exitCode(), 0);

    // Both sides saw the same matches, strike for strike.
    EXPECT_EQ(TempDir::Read(out + "/guest1.txt"), std::to_string(firstWinner) + "\n");
    EXPECT_EQ(TempDir::Read(out + "/guest2.txt"), std::to_string(secondWinner) + "\n");
    // Each side struck: the host's gentle first strike leaves the guest's
    // piece on the table, so the guest's turn follows.
    const auto strikes = std::count_if(firstSteps.begin(), firstSteps.end(),
                                       [](const std::string& l) { return l.rfind("Xvec=", 0) == 0; });
    EXPECT_GE(strikes, 2);
    EXPECT_EQ(Steps(out + "/guest1.sav"), firstSteps);
    EXPECT_EQ(Steps(out + "/guest2.sav"), secondSteps);
    EXPECT_TRUE(striker.Strikes() >= 1);
}

// Plays the participants of this side as a person would and, once the
// connection is gone and this side plays alone, presses F5 at the first aim
// before striking again.
class LonelyHost {
public:
    LonelyHost(const MatchState& s, const FakeDialogs& d) : s_(s), d_(d) {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
        timer_.start();
    }
    bool SavedAlone() const { return saved_; }

private:
    void Tick() {
        render::PictureWindow* view = MatchView();
        if (!view || !IsSet(s_.GameRunning) || s_.Win.CtrlState != kCtrlAiming || IsSet(s_.Win.ExitAsked)) return;
        if (s_.CurG < 1 || s_.CurG > kMaxParticipants || s_.PlayedElsewhere[s_.CurG]) return;
        if (Alone() && !saved_) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
            QCoreApplication::sendEvent(view, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_F5, Qt::NoModifier);
            QCoreApplication::sendEvent(view, &release);
            saved_ = true;
            return;
        }
        // The first strike is gentle: the other side's piece stays for its turn.
        Key(view, QEvent::KeyPress, false);
        for (int i = 0; i < (strikes_ == 0 ? 9 : 49); ++i) {
            Key(view, QEvent::KeyRelease, true);
            Key(view, QEvent::KeyPress, true);
        }
        Key(view, QEvent::KeyRelease, false);
        ++strikes_;
    }
    bool Alone() const {
        for (const Message& m : d_.Messages)
            if (m.Text.rfind("Вемба прервана: ", 0) == 0) return true;
        return false;
    }

    const MatchState& s_;
    const FakeDialogs& d_;
    QTimer timer_;
    int strikes_ = 0;
    bool saved_ = false;
};

// The other side goes away in the middle of the match (here the headless
// guest of zel-sim, which strikes nothing and leaves when its participant is
// to strike): the match says so in a message box and goes on for this side
// alone; F5 saves it as a saved game, and the replay keeps every strike.
TEST(NetworkEndToEnd, OtherSideGoneMidMatchLeavesItToThisSideAndF5StillSaves) {
    TestProgram test([](const TempDir& dir) {
        dir.Write("zel.ini", "[zelset]\r\nR0=Аня\r\nR1=Гость\r\nchk0=1\r\nchk1=1\r\nMaxX=201\r\nMaxY=201\r\n"
                             "Ftr=0.01\r\nPipa=0\r\n");
    });
    Application& app = *test.app;
    ASSERT_TRUE(test.MenuShown());
    const quint16 port = FreePort();
    ASSERT_NE(port, 0);
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(app.Menu(), "cmdNetGame"), Qt::LeftButton);
    screens::NetworkWindow* net = test.screens->NetworkScreen();
    Type(ScreensHarness::Control<QLineEdit>(net, "txtHostPort"), QString::number(port));
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(net, "cmdHost"), Qt::LeftButton);

    QProcess guest;
    guest.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    guest.start(QString::fromUtf8(ZEL_SIM_PATH), {"join", "127.0.0.1", QString::number(port)});
    ASSERT_TRUE(guest.waitForStarted(10000));
    struct Reaper {
        QProcess& p;
        ~Reaper() {
            if (p.state() != QProcess::NotRunning) {
                p.kill();
                p.waitForFinished(5000);
            }
        }
    } reaper{guest};

    screens::StartWindow* setup = test.screens->Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Visible(setup); }, 30000)) << Said(test.dialogs);
    // The headless guest brings no players: the second slot is given to it.
    auto* where = ScreensHarness::Control<QComboBox>(setup, "cmbWhere1");
    where->setCurrentIndex(1);
    emit where->activated(1);
    ASSERT_TRUE(app.Store().Start.PlayedThere(1));

    LonelyHost host(app.State(), test.dialogs);
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(setup, "cmdGo"), Qt::LeftButton);
    screens::ResultsWindow* results = test.screens->Results();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Visible(results) && MatchView() == nullptr; }, kMatchMs))
        << Said(test.dialogs);

    bool told = false;
    for (const Message& m : test.dialogs.Messages)
        told = told || m.Text == "Вемба прервана: Другой компьютер вышел из игры.";
    EXPECT_TRUE(told) << Said(test.dialogs);
    EXPECT_TRUE(host.SavedAlone());
    EXPECT_TRUE(IsSet(app.State().Win.GameOver));
    int saved = 0;
    for (const auto& f : fs::directory_iterator(app.Paths().SavesFolder())) saved += f.path().extension() == ".zel";
    EXPECT_EQ(saved, 1);
    const std::vector<std::string> steps = Steps(app.Paths().ReplayFile());
    const auto strikes = std::count_if(steps.begin(), steps.end(),
                                       [](const std::string& l) { return l.rfind("Xvec=", 0) == 0; });
    EXPECT_GE(strikes, 2);
    // The network game is over: the results play again here at once.
    EXPECT_FALSE(app.Store().Start.NetworkMode());
}

// The main menu's "Сетевая игра" opens the network screen in the menu's
// window state; Esc brings the menu back the same way.
TEST(NetworkEndToEnd, MenuOpensTheNetworkScreenInItsWindowStateAndEscapeReturns) {
    TestProgram test;
    Application& app = *test.app;
    ASSERT_TRUE(test.MenuShown());
    app.Menu()->showMaximized();
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(app.Menu(), "cmdNetGame"), Qt::LeftButton);
    screens::NetworkWindow* net = test.screens->NetworkScreen();
    ASSERT_TRUE(Visible(net));
    EXPECT_FALSE(app.Menu()->isVisible());
    EXPECT_TRUE(net->windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(test.dialogs.BusyBalanced());
    QTest::keyClick(net, Qt::Key_Escape);
    EXPECT_FALSE(net->isVisible());
    EXPECT_TRUE(app.Menu()->isVisible());
    EXPECT_TRUE(app.Menu()->windowState() & Qt::WindowMaximized);
}

// Joining a port where nobody listens says why and lets the person try again.
TEST(NetworkEndToEnd, JoiningWhereNobodyListensSaysWhyAndGoesBackToChoosing) {
    TestProgram test;
    Application& app = *test.app;
    ASSERT_TRUE(test.MenuShown());
    const quint16 port = FreePort();
    ASSERT_NE(port, 0);
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(app.Menu(), "cmdNetGame"), Qt::LeftButton);
    screens::NetworkWindow* net = test.screens->NetworkScreen();
    Type(ScreensHarness::Control<QLineEdit>(net, "txtAddress"), "127.0.0.1");
    Type(ScreensHarness::Control<QLineEdit>(net, "txtPort"), QString::number(port));
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(net, "cmdJoin"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !test.dialogs.Messages.empty(); }, 30000));
    EXPECT_EQ(test.dialogs.LastText().rfind("Не удалось подключиться к другому компьютеру: ", 0), 0u)
        << test.dialogs.LastText();
    EXPECT_TRUE(net->Model().Choosing());
    EXPECT_TRUE(ScreensHarness::Control<QPushButton>(net, "cmdJoin")->isEnabled());
    EXPECT_EQ(app.Store().Net.Port, std::to_string(port));
}

}  // namespace
}  // namespace zel::test
