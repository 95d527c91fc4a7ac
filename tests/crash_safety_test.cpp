// Whole-file writes (the atomic writer itself, settings, teams, saved games)
// and the replay written during a match, killed at random moments: after
// every kill each file is whole, old or new, and the replay reads up to its
// last whole record.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <random>
#include <sstream>
#include <string>

#include "base/AtomicFile.h"
#include "base/ErrorLog.h"
#include "core/MatchSetup.h"
#include "core/ReplayFile.h"
#include "core/SavedGameWriter.h"
#include "screens/SettingsControls.h"
#include "screens/TeamList.h"
#include "sim/SimRunner.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"

namespace zel {
namespace {

using test::FakeDialogs;
using test::TempDir;

constexpr int kKills = 300;  // kills per writer

// Runs `writeForever` in a child process and kills it with SIGKILL a random
// moment after the child called `ready`, `kills` times; `check` looks at the
// files after each kill. Counting from `ready` rather than from the fork keeps
// the kills inside the writing on a busy machine, where starting the child
// alone can take longer than the longest wait.
using Writer = std::function<void(int kill, const std::function<void()>& ready)>;
void KillWhileWriting(int kills, const Writer& writeForever, const std::function<void(int kill)>& check) {
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> wait(0, 4000);  // microseconds
    for (int k = 0; k < kills; ++k) {
        int pipeFds[2];
        ASSERT_EQ(pipe(pipeFds), 0);
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(pipeFds[0]);
            const std::function<void()> ready = [fd = pipeFds[1]] {
                const char one = 1;
                if (write(fd, &one, 1) != 1) _exit(1);
            };
            writeForever(k, ready);
            _exit(0);
        }
        close(pipeFds[1]);
        // Bounded: a child that never gets ready is killed after ten seconds.
        pollfd p{pipeFds[0], POLLIN, 0};
        const bool readied = poll(&p, 1, 10000) == 1;
        close(pipeFds[0]);
        if (readied) usleep(static_cast<useconds_t>(wait(random)));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(readied) << "kill " << k << ": the writer never started";
        check(k);
        if (::testing::Test::HasFailure()) return;
    }
}

// Two versions of a file, large enough that writing one takes a while.
std::string Version(char c, std::size_t bytes) { return std::string(bytes, c) + "\r\n"; }

TEST(CrashSafety, KilledReplaceLeavesTheWholeOldOrTheWholeNewFile) {
    TempDir dir;
    const std::string path = dir.File("zel.cmd");
    const std::string a = Version('a', 300000);
    const std::string b = Version('b', 200000);
    int err = 0;
    ASSERT_TRUE(ReplaceFileAtomically(path, a, err));
    KillWhileWriting(
        kKills,
        [&](int, const std::function<void()>& ready) {
            ready();
            for (long i = 0; i < 100000; ++i) ReplaceFileAtomically(path, i % 2 ? a : b, err);
        },
        [&](int k) {
            const std::string now = TempDir::Read(path);
            EXPECT_TRUE(now == a || now == b) << "kill " << k << ": " << now.size() << " bytes";
        });
}

TEST(CrashSafety, KilledSettingsAndTeamSavesNeverMixTwoFiles) {
    TempDir dir;
    const std::string ini = dir.File("zel.ini");
    const std::string cmd = dir.File("zel.cmd");
    SettingsStore one, two;
    MatchState s;
    ResetMatchDefaults(s);
    FakeDialogs d;
    ApplyDefaultSettings(one, s);
    ApplyDefaultSettings(two, s);
    two.Start.SetName(0, std::string(5000, 'x'));
    ASSERT_TRUE(SaveSettings(ini, one, s, d));
    const std::string first = TempDir::Read(ini);
    ASSERT_TRUE(SaveSettings(ini, two, s, d));
    const std::string second = TempDir::Read(ini);

    screens::TeamList teams;
    screens::Team t;
    t.ComName = "Орлы";
    t.R = {"Вася", "Петя", "Коля", "Толя"};
    ASSERT_TRUE(teams.Add(t));
    ASSERT_NE(teams.Save(cmd, "zel.cmd", d), "");
    const std::string teamText = TempDir::Read(cmd);

    KillWhileWriting(
        kKills,
        [&](int, const std::function<void()>& ready) {
            ready();
            for (long i = 0; i < 100000; ++i) {
                SaveSettings(ini, i % 2 ? one : two, s, d);
                teams.Save(cmd, "zel.cmd", d);
            }
        },
        [&](int k) {
            const std::string now = TempDir::Read(ini);
            EXPECT_TRUE(now == first || now == second) << "kill " << k;
            EXPECT_EQ(TempDir::Read(cmd), teamText) << "kill " << k;
        });
}

TEST(CrashSafety, KilledSavesLeaveOnlyWholeSavedGames) {
    TempDir dir;
    const std::string folder = dir.File("saves");
    MatchState s;
    ResetMatchDefaults(s);
    MatchSetup setup;
    for (int i = 0; i < 8; ++i) setup.Participants.push_back({std::string(200, 'a' + i)});
    ASSERT_EQ(StartMatchState(s, setup), SetupResult::Ok);
    const std::string whole = FormatSavedGame(s, kSavedGameHeader, "07.12.2026 12:00:00");
    KillWhileWriting(
        kKills / 3,
        [&](int, const std::function<void()>& ready) {
            ready();
            for (int i = 0; i < 50; ++i) WriteSavedGame(folder, s, "2026-12-07_12-00-00", "07.12.2026 12:00:00");
        },
        [&](int k) {
            std::error_code ec;
            for (const auto& e : std::filesystem::directory_iterator(folder, ec)) {
                if (e.path().extension() != ".zel") continue;
                EXPECT_EQ(TempDir::Read(e.path().string()), whole) << "kill " << k << ": " << e.path();
            }
        });
}

// The strike record number i, so a read-back record tells which it was.
ReplayStepRecord Step(long i) {
    ReplayStepRecord r;
    r.Xvec = 1 + static_cast<double>(i % 7) / 8;
    r.Yvec = -0.5 + static_cast<double>(i % 5) / 4;
    r.X = 100.25 + static_cast<double>(i % 11);
    r.Y = 200.5 - static_cast<double>(i % 13);
    r.G = static_cast<std::int32_t>(2 + 2 * (i % 50));
    return r;
}

TEST(CrashSafety, ReplayKilledMidMatchReadsAndPlaysToItsLastWholeRecord) {
    TempDir dir;
    const std::string path = dir.File("zel.sav");
    MatchState s;
    ResetMatchDefaults(s);
    MatchSetup setup;
    for (int i = 0; i < 3; ++i) setup.Participants.push_back({"Игрок" + std::to_string(i + 1)});
    ASSERT_EQ(StartMatchState(s, setup), SetupResult::Ok);
    const ErrorLog log(dir.Path().string());

    int played = 0;
    long longest = 0;
    KillWhileWriting(
        kKills,
        [&](int k, const std::function<void()>& ready) {
            FakeDialogs d;
            ReplayWriter w;
            // One kill in four may land in the header; the others count
            // from the first whole record, so most kills cut the records.
            if (k % 4 == 0) ready();
            if (!w.WriteReplayHeader(path, s, d, log)) return;
            w.AppendStep(Step(0), d, log);
            if (k % 4 != 0) ready();
            for (long i = 1; i < 20000; ++i) w.AppendStep(Step(i), d, log);
        },
        [&](int k) {
            FakeDialogs d;
            ReplayReader r;
            // A kill before the header was whole leaves no replay to read.
            if (!r.OpenReplay(path, d)) return;
            ReplayStepRecord got;
            long n = 0;
            while (r.ReadStep(got, d, log)) {
                const ReplayStepRecord want = Step(n);
                ASSERT_EQ(got.Xvec, want.Xvec) << "kill " << k << " record " << n;
                ASSERT_EQ(got.Yvec, want.Yvec) << "kill " << k << " record " << n;
                ASSERT_EQ(got.X, want.X) << "kill " << k << " record " << n;
                ASSERT_EQ(got.Y, want.Y) << "kill " << k << " record " << n;
                ASSERT_EQ(got.G, want.G) << "kill " << k << " record " << n;
                ++n;
            }
            EXPECT_TRUE(d.Messages.empty()) << "kill " << k << ": " << d.Messages[0].Text;
            longest = std::max(longest, n);
            // The simulator plays what was read, a few times (each is a match).
            if (n > 0 && played < 3) {
                ++played;
                SimOptions opt;
                opt.Path = path;
                std::string out, error;
                std::ostringstream trace;
                EXPECT_TRUE(RunSimulation(opt, out, error, trace)) << "kill " << k << ": " << error;
            }
        });
    EXPECT_GT(longest, 1);  // some kills came after more than the first record
}

}  // namespace
}  // namespace zel
