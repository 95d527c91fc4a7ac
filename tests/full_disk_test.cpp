// Writers on a full disk: a child process with a small file-size limit (the
// same failure a full disk gives a writer, without needing a disk to fill)
// saves over files that are already there. Every writer must say so in
// Russian and leave what was on disk as it was.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "base/AtomicFile.h"
#include "base/ErrorLog.h"
#include "core/MatchState.h"
#include "core/ReplayFile.h"
#include "screens/SettingsControls.h"
#include "screens/TeamList.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"

namespace zel {
namespace {

using test::FakeDialogs;
using test::TempDir;

constexpr rlim_t kLimitBytes = 2048;  // "disk space" left to the child

// Runs `write` in a child whose files may not grow past kLimitBytes and
// gives back every message the child's dialogs showed, one a line (the
// child's own checks speak through messages too: the parent sees nothing
// else of it).
std::string MessagesOfAFullDisk(const std::function<void(FakeDialogs&)>& write) {
    int fds[2];
    if (pipe(fds) != 0) return "pipe failed";
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        signal(SIGXFSZ, SIG_IGN);  // the write then fails with EFBIG, as ENOSPC would
        const rlimit limit{kLimitBytes, kLimitBytes};
        setrlimit(RLIMIT_FSIZE, &limit);
        FakeDialogs d;
        write(d);
        std::string all;
        for (const Message& m : d.Messages) all += m.Text + "\n";
        // The pipe is not a file: its writes are not limited.
        const ssize_t n = ::write(fds[1], all.data(), all.size());
        (void)n;
        _exit(0);
    }
    close(fds[1]);
    std::string out;
    char buf[4096];
    ssize_t n;
    while ((n = read(fds[0], buf, sizeof buf)) > 0) out.append(buf, static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return out;
}

const char* const kTooBig = "Файл слишком велик";

TEST(FullDisk, SettingsSaveSaysSoAndKeepsTheOldFile) {
    TempDir dir;
    const std::string ini = dir.Write("zel.ini", "[zelset]\r\nR0=Вася\r\n");
    SettingsStore store;
    MatchState s;
    ResetMatchDefaults(s);
    ApplyDefaultSettings(store, s);
    store.Start.SetName(0, std::string(4000, 'x'));  // the new file does not fit
    const std::string said = MessagesOfAFullDisk(
        [&](FakeDialogs& d) {
            if (SaveSettings(ini, store, s, d)) Tell(d, "записано", MsgIcon::None);
        });
    EXPECT_EQ(said.rfind("Ошибка при записи файла:" + ini, 0), 0u) << said;
    EXPECT_NE(said.find(kTooBig), std::string::npos) << said;
    EXPECT_EQ(TempDir::Read(ini), "[zelset]\r\nR0=Вася\r\n");
}

TEST(FullDisk, TeamSaveSaysSoAndKeepsTheOldFile) {
    TempDir dir;
    const std::string cmd = dir.Write("zel.cmd", "K=4\r\n[1]\r\nComName=Орлы\r\n");
    screens::TeamList teams;
    FakeDialogs quiet;
    teams.Load(cmd, quiet);
    for (int n = 0; n < 30; ++n) {
        screens::Team t;
        t.ComName = "Команда номер " + std::to_string(n);
        t.R = {std::string(90, 'a'), std::string(90, 'b'), std::string(90, 'c'), std::string(90, 'd')};
        teams.Add(t);
    }
    const std::string said =
        MessagesOfAFullDisk([&](FakeDialogs& d) {
            if (!teams.Save(cmd, "zel.cmd", d).empty()) Tell(d, "записано", MsgIcon::None);
        });
    EXPECT_EQ(said.rfind("Ошибка при сохранении файла настроек:", 0), 0u) << said;
    EXPECT_NE(said.find(kTooBig), std::string::npos) << said;
    EXPECT_EQ(TempDir::Read(cmd), "K=4\r\n[1]\r\nComName=Орлы\r\n");
}

TEST(FullDisk, ReplayWrittenDuringTheMatchStopsOnceAndKeepsItsWholeRecords) {
    TempDir dir;
    const std::string path = dir.File("zel.sav");
    MatchState s;
    ResetMatchDefaults(s);
    const ErrorLog log(dir.Path().string());
    const std::string said = MessagesOfAFullDisk([&](FakeDialogs& d) {
        ReplayWriter w;
        if (!w.WriteReplayHeader(path, s, d, log)) return;
        ReplayStepRecord r;
        r.Xvec = 0.123456789;
        r.G = 40;
        for (int i = 0; i < 200; ++i) w.AppendStep(r, d, log);
    });
    EXPECT_EQ(said, "Ошибка при записи хода игрока в файл повтора!\r\n\r\n" + std::string(kTooBig) + "\n");
    FakeDialogs d;
    ReplayReader reader;
    ASSERT_TRUE(reader.OpenReplay(path, d));
    ReplayStepRecord got;
    int steps = 0;
    while (reader.ReadStep(got, d, log)) {
        EXPECT_EQ(got.G, 40);
        ++steps;
    }
    EXPECT_GT(steps, 0);
    EXPECT_TRUE(d.Messages.empty());
}

TEST(FullDisk, AtomicReplaceGivesTheErrorAndLeavesNoTemporaryFile) {
    TempDir dir;
    const std::string path = dir.Write("zel.zel", "old");
    const std::string said = MessagesOfAFullDisk([&](FakeDialogs& d) {
        int err = 0;
        if (!ReplaceFileAtomically(path, std::string(10000, 'n'), err))
            Tell(d, SystemErrorText(err), MsgIcon::None);
    });
    EXPECT_EQ(said, std::string(kTooBig) + "\n");
    EXPECT_EQ(TempDir::Read(path), "old");
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path())) files += e.is_regular_file();
    EXPECT_EQ(files, 1);
}

}  // namespace
}  // namespace zel
