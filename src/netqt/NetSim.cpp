#include "netqt/NetSim.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <cstring>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "base/ErrorLog.h"
#include "core/ProgramVersion.h"
#include "core/ReplayFile.h"
#include "net/NetTexts.h"
#include "netqt/NetLink.h"
#include "sim/HeadlessPort.h"
#include "sim/NetPeer.h"

namespace zel {

namespace {

// A host waits this long for its guest, a guest for the match to be set up.
constexpr int kWaitForPeerMs = 120'000;
// After its end a side lets its last bytes go out for at most this long.
constexpr int kDrainMs = 3'000;
// Kernel steps between two looks at the network.
constexpr int kPumpBatch = 2'000;

struct NetSimArgs {
    bool Host = false;
    std::string Address;  // join: where to; host: what to listen on ("" any)
    quint16 Port = 0;
    std::string Replay;   // host: the replay whose strikes are played
    std::string Record;   // where this side's replay goes ("" a temporary folder)
};

std::optional<quint16> ParsePort(const char* text) {
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || v < 0 || v > 65535) return std::nullopt;
    return static_cast<quint16>(v);
}

std::optional<NetSimArgs> ParseArgs(int argc, char** argv) {
    if (argc < 4) return std::nullopt;
    NetSimArgs a;
    a.Host = std::strcmp(argv[1], "host") == 0;
    std::optional<quint16> port;
    if (a.Host) {
        port = ParsePort(argv[2]);
        a.Replay = argv[3];
    } else {
        a.Address = argv[2];
        port = ParsePort(argv[3]);
    }
    if (!port) return std::nullopt;
    a.Port = *port;
    for (int i = 4; i < argc; i += 2) {
        if (i + 1 >= argc) return std::nullopt;
        if (std::strcmp(argv[i], "--record") == 0)
            a.Record = argv[i + 1];
        else if (std::strcmp(argv[i], "--bind") == 0 && a.Host)
            a.Address = argv[i + 1];
        else
            return std::nullopt;
    }
    return a;
}

// Every step record of a replay file, as replay mode would play them.
std::vector<ReplayStepRecord> ReadScript(const std::string& path, std::string& error) {
    std::vector<ReplayStepRecord> steps;
    MatchState scratch;
    HeadlessPort port(scratch);
    const ErrorLog log(".");
    ReplayReader reader;
    if (!reader.OpenReplay(path, port)) {
        error = port.Failures().empty() ? "not a replay file" : port.Failures().back();
        return steps;
    }
    ReplayStepRecord r;
    // A replay holds at most a few thousand strikes; the bound stops a file
    // that never ends.
    while (steps.size() < 1'000'000 && reader.ReadStep(r, port, log)) steps.push_back(r);
    return steps;
}

std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

}  // namespace

int RunNetSim(int argc, char** argv, std::ostream& out, std::ostream& err) {
    const std::optional<NetSimArgs> args = ParseArgs(argc, argv);
    if (!args) {
        err << "usage: zel-sim host PORT FILE.sav [--bind ADDRESS] [--record OUT.sav]\n"
               "       zel-sim join HOST PORT [--record OUT.sav]\n";
        return 2;
    }
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QCoreApplication app(qtArgc, qtArgv);

    std::string error;
    std::vector<ReplayStepRecord> script;
    if (args->Host) {
        script = ReadScript(args->Replay, error);
        if (!error.empty()) {
            err << "zel-sim: " << args->Replay << ": " << OneLine(error) << '\n';
            return 1;
        }
    }
    QTemporaryDir scratch;
    const std::string record =
        !args->Record.empty() ? args->Record : (scratch.path() + "/zel.sav").toStdString();

    NetLink link(args->Host ? NetRole::Host : NetRole::Guest, {}, kBuildNumber);
    NetPeer peer(link.Session(), record, script);
    bool matchSetUp = false;
    std::string closeText;

    QObject::connect(&link, &NetLink::event, &app, [&](const NetEvent& e) {
        if (e.Kind == NetEventKind::Closed) closeText = e.Text;
        if (e.Kind == NetEventKind::PeerHello && args->Host) {
            // Every participant is the host's: the guest only follows.
            std::array<bool, kMaxParticipants + 1> guestPlays{};
            std::string why;
            if (!peer.HostReplay(args->Replay, guestPlays, why)) {
                error = why;
                link.Session().Fail(why);
            }
            matchSetUp = true;
        }
        if (e.Kind == NetEventKind::Setup) matchSetUp = true;
        peer.Handle(e);
        link.Flush();
    });

    if (args->Host) {
        const QHostAddress address =
            args->Address.empty() ? QHostAddress(QHostAddress::Any) : QHostAddress(QString::fromStdString(args->Address));
        if (!link.Listen(address, args->Port, error)) {
            err << "zel-sim: " << OneLine(error) << '\n';
            return 1;
        }
        err << "zel-sim: listening on port " << link.ListenPort() << std::endl;
    } else {
        link.Connect(QString::fromStdString(args->Address), args->Port);
    }

    QElapsedTimer clock;
    clock.start();
    qint64 doneAt = -1;
    QTimer pump;
    QObject::connect(&pump, &QTimer::timeout, &app, [&] {
        for (int i = 0; i < kPumpBatch && peer.Pump(); ++i) {
        }
        link.Flush();
        if (!matchSetUp && (link.Session().IsClosed() || clock.elapsed() > kWaitForPeerMs)) {
            if (closeText.empty()) closeText = "no match was set up in time";
            app.exit(1);
            return;
        }
        if (!peer.Done()) return;
        if (doneAt < 0) doneAt = clock.elapsed();
        if (link.Drained() || clock.elapsed() - doneAt > kDrainMs) app.exit(0);
    });
    pump.start(0);
    const int loop = app.exec();

    if (!matchSetUp) {
        err << "zel-sim: " << OneLine(!error.empty() ? error : closeText) << '\n';
        return 1;
    }
    out << peer.Output(NowDateTimeText());
    out.flush();
    if (!peer.Error().empty()) {
        err << "zel-sim: " << OneLine(peer.Error()) << '\n';
        return 1;
    }
    // A match the other side left with Bye, or this side ended, was played
    // to its end; a lost connection was not.
    const bool clean = closeText.empty() || closeText == nettexts::kOtherQuit ||
                       closeText == nettexts::kYouQuit;
    if (!clean) {
        err << "zel-sim: " << OneLine(closeText) << '\n';
        return 1;
    }
    return loop == 0 && out ? 0 : 1;
}

}  // namespace zel
