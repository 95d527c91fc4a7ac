// Network play over real sockets, 127.0.0.1 only: two peers in one process
// play a recorded match to the same state, a cut connection ends both sides
// with its message and keeps their replays, another build is refused, a
// silent or babbling other side is dropped. Every wait is bounded.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "core/ProgramVersion.h"
#include "net/NetCodec.h"
#include "net/NetDecoder.h"
#include "net/NetTexts.h"
#include "netqt/NetLink.h"
#include "sim/NetPeer.h"
#include "sim/SimRunner.h"
#include "support/RecordedMatch.h"
#include "support/TempDir.h"

namespace zel {
namespace {

using test::RecordedMatch;
using test::TempDir;

constexpr int kWaitMs = 20000;  // no test here waits longer for anything

// Runs the event loop until `done` holds or the time is up; false then.
bool RunUntil(const std::function<bool()>& done, int ms = kWaitMs) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// A headless peer on a real link.
struct LinkedPeer {
    NetLink Link;
    NetPeer Peer;
    std::string ClosedText;

    LinkedPeer(NetRole role, const std::string& replayPath, std::vector<ReplayStepRecord> script,
               int build = kBuildNumber)
        : Link(role, role == NetRole::Guest ? std::vector<std::string>{"Гость"} : std::vector<std::string>{},
               build),
          Peer(Link.Session(), replayPath, std::move(script)) {
        QObject::connect(&Link, &NetLink::event, [this](const NetEvent& e) {
            if (e.Kind == NetEventKind::Closed) ClosedText = e.Text;
            Peer.Handle(e);
            Link.Flush();
        });
    }

    void Pump(int steps = 5000) {
        for (int i = 0; i < steps && Peer.Pump(); ++i) {
        }
        Link.Flush();
    }
};

std::string WithoutFirstLine(const std::string& s) { return s.substr(s.find('\n') + 1); }

// A replay's lines between its first and last (both carry the time).
std::string ReplayMiddle(const std::string& path) {
    std::string t = TempDir::Read(path);
    t = WithoutFirstLine(t);
    const auto end = t.rfind(";Конец записи");
    return end == std::string::npos ? t : t.substr(0, end);
}

struct Match {
    TempDir HostDir, GuestDir;
    std::unique_ptr<LinkedPeer> Host, Guest;
    std::array<bool, kMaxParticipants + 1> GuestPlays{};

    Match(const std::vector<ReplayStepRecord>& script, int guestBuild = kBuildNumber) {
        Host = std::make_unique<LinkedPeer>(NetRole::Host, HostDir.File("zel.sav"), script);
        Guest = std::make_unique<LinkedPeer>(NetRole::Guest, GuestDir.File("zel.sav"), script, guestBuild);
    }

    // Listens on 127.0.0.1 at a free port and connects the guest to it;
    // `replay` gives the set-up once the guest has said hello.
    void Connect(const std::string& replay) {
        std::string error;
        ASSERT_TRUE(Host->Link.Listen(QHostAddress::LocalHost, 0, error)) << error;
        QObject::connect(&Host->Link, &NetLink::event, [this, replay](const NetEvent& e) {
            if (e.Kind != NetEventKind::PeerHello) return;
            std::string why;
            ASSERT_TRUE(Host->Peer.HostReplay(replay, GuestPlays, why)) << why;
            Host->Link.Flush();
        });
        Guest->Link.Connect("127.0.0.1", Host->Link.ListenPort());
    }

    bool Play(const std::function<bool()>& stop) {
        return RunUntil([&] {
            Host->Pump();
            Guest->Pump();
            return stop();
        });
    }
};

TEST(NetLoopback, TwoPeersPlayAFullScriptedMatchToIdenticalStates) {
    RecordedMatch rec(4, 11);
    ASSERT_GT(rec.Steps.size(), 4u);
    Match m(rec.Steps);
    m.GuestPlays[2] = m.GuestPlays[4] = true;  // the guest plays two of the four
    m.Connect(rec.Path());
    ASSERT_TRUE(m.Play([&] { return m.Host->Peer.Done() && m.Guest->Peer.Done(); }));

    SimOptions opt;
    opt.Path = rec.Path();
    std::string replayed, error;
    std::ostringstream trace;
    ASSERT_TRUE(RunSimulation(opt, replayed, error, trace)) << error;
    const std::string host = m.Host->Peer.Output("");
    EXPECT_EQ(WithoutFirstLine(host), WithoutFirstLine(m.Guest->Peer.Output("")));
    EXPECT_EQ(WithoutFirstLine(host), WithoutFirstLine(replayed));
    EXPECT_NE(host.find("Finished=1"), std::string::npos);
    EXPECT_EQ(m.Guest->Peer.Match().DriftsTaken(), 0);
    // Both sides recorded the whole match, the other side's strikes too.
    EXPECT_EQ(ReplayMiddle(m.Host->Peer.ReplayPath()), ReplayMiddle(m.Guest->Peer.ReplayPath()));
    EXPECT_EQ(ReplayMiddle(m.Host->Peer.ReplayPath()), ReplayMiddle(rec.Path()).substr(0, ReplayMiddle(m.Host->Peer.ReplayPath()).size()));
}

TEST(NetLoopback, ACutConnectionEndsBothSidesWithTheMessageAndKeepsTheReplay) {
    RecordedMatch rec(3, 5);
    ASSERT_GT(rec.Steps.size(), 6u);
    Match m(rec.Steps);
    m.GuestPlays[2] = true;
    m.Connect(rec.Path());
    ASSERT_TRUE(m.Play([&] { return m.Host->Link.Session().Strikes() >= 3; }));
    m.Host->Link.Abort();
    ASSERT_TRUE(RunUntil([&] { return !m.Host->ClosedText.empty() && !m.Guest->ClosedText.empty(); }));
    EXPECT_EQ(m.Host->ClosedText, nettexts::kConnectionLost);
    EXPECT_EQ(m.Guest->ClosedText, nettexts::kConnectionLost);
    for (LinkedPeer* side : {m.Host.get(), m.Guest.get()}) {
        EXPECT_TRUE(side->Peer.Match().Alone());
        EXPECT_EQ(side->Peer.State().StatusText.rfind(nettexts::kMatchEndedByLink, 0), 0u);
        for (int p = 1; p <= side->Peer.State().Num; ++p) EXPECT_FALSE(side->Peer.State().PlayedElsewhere[p]);
        // The replay so far is on the disk, every strike this side played.
        const std::string replay = TempDir::Read(side->Peer.ReplayPath());
        int strikes = 0;
        for (std::size_t at = replay.find("Xvec="); at != std::string::npos; at = replay.find("Xvec=", at + 1)) ++strikes;
        EXPECT_EQ(strikes, side->Peer.Kernel().StepsApplied());
        EXPECT_GE(strikes, side == m.Host.get() ? 3 : 1);
    }
    // Each side goes on alone and can save the match at its next aim.
    MatchKernel& k = m.Guest->Peer.Kernel();
    MatchState& s = m.Guest->Peer.State();
    for (int i = 0; i < 200000 && IsSet(s.GameRunning) && !k.LocalToStrike(); ++i) {
        if (IsSet(s.Win.PauseOn)) k.PauseTick(); else k.RunTimerTick();
    }
    ASSERT_TRUE(k.LocalToStrike());
    TempDir saves;
    k.SetSaveFolder(saves.Path().string());
    k.SaveGame();
    EXPECT_EQ(s.StatusText.rfind("Игра сохранена в файл ", 0), 0u) << s.StatusText;
}

TEST(NetLoopback, ADifferentBuildIsRefusedOnBothSides) {
    Match m({}, kBuildNumber + 1);
    m.Connect("");
    ASSERT_TRUE(RunUntil([&] { return !m.Host->ClosedText.empty() && !m.Guest->ClosedText.empty(); }));
    EXPECT_EQ(m.Host->ClosedText.rfind(nettexts::kOtherBuild, 0), 0u) << m.Host->ClosedText;
    EXPECT_NE(m.Guest->ClosedText.find(nettexts::kOtherBuild), std::string::npos) << m.Guest->ClosedText;
    EXPECT_FALSE(m.Host->Peer.State().GameRunning);
    EXPECT_FALSE(std::filesystem::exists(m.Host->Peer.ReplayPath()));
    EXPECT_FALSE(std::filesystem::exists(m.Guest->Peer.ReplayPath()));
}

// A side that connects and never says anything.
struct RawPeer {
    QTcpSocket Socket;
    QByteArray Heard;
    RawPeer(quint16 port) {
        QObject::connect(&Socket, &QTcpSocket::readyRead, [this] { Heard += Socket.readAll(); });
        Socket.connectToHost(QHostAddress::LocalHost, port);
    }
};

TEST(NetLoopback, SilenceEndsTheLinkWithItsMessage) {
    NetLink host(NetRole::Host, {}, kBuildNumber);
    host.SetTimeouts(300, 60000);
    std::string closed, error;
    QObject::connect(&host, &NetLink::event, [&](const NetEvent& e) {
        if (e.Kind == NetEventKind::Closed) closed = e.Text;
    });
    ASSERT_TRUE(host.Listen(QHostAddress::LocalHost, 0, error)) << error;
    RawPeer quiet(host.ListenPort());
    ASSERT_TRUE(RunUntil([&] { return !closed.empty(); }, 5000));
    EXPECT_EQ(closed, nettexts::kSilence);
}

TEST(NetLoopback, KeepAlivesHoldAQuietLinkOpen) {
    NetLink host(NetRole::Host, {}, kBuildNumber);
    NetLink guest(NetRole::Guest, {"Гость"}, kBuildNumber);
    host.SetTimeouts(400, 100);
    guest.SetTimeouts(400, 100);
    std::string error;
    ASSERT_TRUE(host.Listen(QHostAddress::LocalHost, 0, error)) << error;
    guest.Connect("127.0.0.1", host.ListenPort());
    ASSERT_TRUE(RunUntil([&] { return host.Session().CurrentPhase() == NetSession::Phase::Lobby; }, 5000));
    RunUntil([] { return false; }, 1500);  // nearly four silence timeouts
    EXPECT_FALSE(host.Session().IsClosed()) << host.Session().CloseText();
    EXPECT_FALSE(guest.Session().IsClosed()) << guest.Session().CloseText();
}

TEST(NetLoopback, AMalformedMessageClosesTheLinkAndSaysWhy) {
    NetLink host(NetRole::Host, {}, kBuildNumber);
    std::string closed, error;
    QObject::connect(&host, &NetLink::event, [&](const NetEvent& e) {
        if (e.Kind == NetEventKind::Closed) closed = e.Text;
    });
    ASSERT_TRUE(host.Listen(QHostAddress::LocalHost, 0, error)) << error;
    RawPeer bad(host.ListenPort());
    ASSERT_TRUE(RunUntil([&] { return bad.Socket.state() == QAbstractSocket::ConnectedState; }, 5000));
    bad.Socket.write(QByteArray("\x00\x00\x00\x04\x01\x05\x00\x01", 8));  // a strike cut short
    ASSERT_TRUE(RunUntil([&] { return !closed.empty(); }, 5000));
    EXPECT_EQ(closed.rfind(nettexts::kMalformed, 0), 0u) << closed;
    // The other side is told why before the connection closes.
    ASSERT_TRUE(RunUntil([&] { return bad.Socket.state() == QAbstractSocket::UnconnectedState; }, 5000));
    NetDecoder d;
    d.Feed(std::string_view(bad.Heard.constData(), static_cast<std::size_t>(bad.Heard.size())));
    const auto refusal = d.Next();
    ASSERT_TRUE(refusal);
    EXPECT_EQ(std::get<RefuseMsg>(*refusal).Reason, closed);
}

TEST(NetLoopback, AnOversizedLengthClosesTheLinkAtOnce) {
    NetLink host(NetRole::Host, {}, kBuildNumber);
    std::string closed, error;
    QObject::connect(&host, &NetLink::event, [&](const NetEvent& e) {
        if (e.Kind == NetEventKind::Closed) closed = e.Text;
    });
    ASSERT_TRUE(host.Listen(QHostAddress::LocalHost, 0, error)) << error;
    RawPeer big(host.ListenPort());
    ASSERT_TRUE(RunUntil([&] { return big.Socket.state() == QAbstractSocket::ConnectedState; }, 5000));
    big.Socket.write(QByteArray("\x7F\xFF\xFF\xFF", 4));
    ASSERT_TRUE(RunUntil([&] { return !closed.empty(); }, 5000));
    EXPECT_EQ(closed, nettexts::kOversized);
}

TEST(NetLoopback, TheHostSaysItsPortAndItsAddressesWithTheLoopbackLast) {
    NetLink host(NetRole::Host, {}, kBuildNumber);
    std::string error;
    ASSERT_TRUE(host.Listen(QHostAddress::LocalHost, 0, error)) << error;
    EXPECT_NE(host.ListenPort(), 0);
    const QStringList addresses = host.ListenAddresses();
    ASSERT_FALSE(addresses.isEmpty());
    EXPECT_EQ(addresses.back(), "127.0.0.1");
    EXPECT_EQ(addresses.count("127.0.0.1"), 1);
}

TEST(NetLoopback, ASecondGuestIsTurnedAway) {
    NetLink host(NetRole::Host, {}, kBuildNumber);
    NetLink first(NetRole::Guest, {"Первый"}, kBuildNumber);
    std::string error;
    ASSERT_TRUE(host.Listen(QHostAddress::LocalHost, 0, error)) << error;
    const quint16 port = host.ListenPort();
    first.Connect("127.0.0.1", port);
    ASSERT_TRUE(RunUntil([&] { return host.Session().CurrentPhase() == NetSession::Phase::Lobby; }, 5000));
    RawPeer second(port);
    RunUntil([&] { return second.Socket.state() == QAbstractSocket::UnconnectedState; }, 2000);
    EXPECT_NE(second.Socket.state(), QAbstractSocket::ConnectedState);
    EXPECT_EQ(host.Session().PeerNames(), std::vector<std::string>{"Первый"});
}

// zel-sim's two network peers as two processes over 127.0.0.1, on a whole
// match of eight with walls and posts.
TEST(NetLoopback, ZelSimHostAndJoinPrintWhatTheReplayPrints) {
    RecordedMatch rec(8, 21);
    ASSERT_GT(rec.Steps.size(), 8u);
    const QString sim = ZEL_SIM_PATH;
    const QString replay = QString::fromStdString(rec.Path());
    TempDir dir;

    QProcess replayed;
    replayed.start(sim, {"replay", replay});
    ASSERT_TRUE(replayed.waitForFinished(kWaitMs));
    const QByteArray want = replayed.readAllStandardOutput();

    QProcess host;
    host.start(sim, {"host", "0", replay, "--bind", "127.0.0.1", "--record",
                     QString::fromStdString(dir.File("host.sav"))});
    QByteArray said;
    quint16 port = 0;
    ASSERT_TRUE(RunUntil([&] {
        host.waitForReadyRead(10);
        said += host.readAllStandardError();
        const auto m = QRegularExpression("listening on port (\\d+)").match(QString::fromUtf8(said));
        if (m.hasMatch()) port = static_cast<quint16>(m.captured(1).toUInt());
        return port != 0;
    }));
    QProcess guest;
    guest.start(sim, {"join", "127.0.0.1", QString::number(port), "--record",
                      QString::fromStdString(dir.File("guest.sav"))});
    ASSERT_TRUE(guest.waitForFinished(kWaitMs));
    ASSERT_TRUE(host.waitForFinished(kWaitMs));
    EXPECT_EQ(host.exitCode(), 0) << host.readAllStandardError().toStdString();
    EXPECT_EQ(guest.exitCode(), 0) << guest.readAllStandardError().toStdString();
    const std::string expected = WithoutFirstLine(want.toStdString());
    EXPECT_EQ(WithoutFirstLine(host.readAllStandardOutput().toStdString()), expected);
    EXPECT_EQ(WithoutFirstLine(guest.readAllStandardOutput().toStdString()), expected);
    EXPECT_EQ(ReplayMiddle(dir.File("host.sav")), ReplayMiddle(dir.File("guest.sav")));
}

TEST(NetLoopback, ZelSimJoinWithNobodyThereEndsWithTheReason) {
    // A port nobody listens on: take a free one and let it go again.
    quint16 port = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    QProcess guest;
    guest.start(ZEL_SIM_PATH, {"join", "127.0.0.1", QString::number(port)});
    ASSERT_TRUE(guest.waitForFinished(kWaitMs));
    EXPECT_EQ(guest.exitCode(), 1);
    EXPECT_EQ(guest.readAllStandardOutput(), QByteArray());
    EXPECT_NE(QString::fromUtf8(guest.readAllStandardError()).indexOf(QString::fromUtf8(nettexts::kCannotConnect)), -1);
}

}  // namespace
}  // namespace zel

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
