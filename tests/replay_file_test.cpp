#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <random>

#include "core/ReplayFile.h"
#include "base/ErrorLog.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"

namespace zel {
namespace {

using test::FakeDialogs;
using test::TempDir;

const char* const kStamp = "05.12.2026 10:20:11";
const char* const kNoGame =
    "Ошибка при чтении файла повтора! Возможно, он поврежден или не содержит сохраненную игру.";

// A two-participant match as a new match records it.
MatchState TwoPlayerMatch() {
    MatchState s;
    ResetMatchDefaults(s);
    s.Vembas[1].R = "Вася";
    s.Vembas[2].R = "Петя";
    s.Vembas[2].RMod = 2;
    s.Vembas[2].RM = 5;
    s.Vembas[2].RGray = kTrue;
    s.KtoHodit[1] = 2;
    s.KtoHodit[2] = 1;
    s.KtoHodit[3] = 3;  // beyond Num: never written
    s.Border = kTrue;
    s.BordMode = 1;
    s.BordSimm = kFalse;
    s.Pipa = kFalse;
    s.Sound = kTrue;
    return s;
}

// A replay file, the error log next to it, and the clocks fixed.
struct ReplayFixture {
    TempDir dir;
    ErrorLog log{dir.Path().string()};
    FakeDialogs d;
    ReplayWriter writer;
    ReplayReader reader;
    std::string path = dir.File("zel.sav");

    ReplayFixture() {
        log.SetClock([] { return std::string(kStamp); });
        writer.SetClock([] { return std::string(kStamp); });
    }
    std::string Log() const { return TempDir::Read(log.Path()); }
};

// Keeps files of this process from growing past `bytes` while it lives, with
// the size signal ignored so the writes fail with an error instead.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        old_signal_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit lim = old_;
        lim.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, old_signal_);
    }

private:
    rlimit old_{};
    void (*old_signal_)(int) = nullptr;
};

TEST(ReplayFile, HeaderOfTwoParticipantMatchHasExactLines) {
    const MatchState s = TwoPlayerMatch();
    EXPECT_EQ(FormatReplayHeader(s, kStamp),
              ";Сохраненный повтор Korvalo 2. Начало записи:05.12.2026 10:20:11\r\n"
              "Ver=1200\r\n"
              "[general]\r\n"
              "Num=2\r\n"
              "MaxX=600\r\n"
              "MaxY=400\r\n"
              "CurG=1\r\n"
              "CurNG=1\r\n"
              "CurSgin=1\r\n"
              "Ftr=0.02\r\n"
              "R0=Вася\r\nRModel0=0\r\nRM0=1\r\nRGray0=0\r\n"
              "R1=Петя\r\nRModel1=2\r\nRM1=5\r\nRGray1=-1\r\n"
              "KtoHodit1=2\r\nWhoSgin1=0\r\n"
              "KtoHodit2=1\r\nWhoSgin2=0\r\n"
              "Border=1\r\nBordMode=1\r\nBordSimm=0\r\n"
              "Pipa=0\r\n"
              "Sound=1\r\n"
              "[game]\r\n");
}

TEST(ReplayFile, SwitchesWriteModeAndSymmetryOnlyWhenOn) {
    MatchState s = TwoPlayerMatch();
    s.Border = kFalse;
    s.BordMode = 1;
    s.Pipa = 1;  // any non-zero flag counts as on
    s.PipaMode = 3;
    s.PipaSimm = kTrue;
    s.Sound = kFalse;
    s.Ftr = 0.03;
    s.Vembas[1].RGray = 1;  // written as -1 all the same
    s.Vembas[1].R = "two\r\nlines";
    const std::string h = FormatReplayHeader(s, kStamp);
    EXPECT_NE(h.find("\r\nFtr=0.03\r\n"), std::string::npos);
    EXPECT_NE(h.find("\r\nBorder=0\r\nPipa=1\r\nPipaMode=3\r\nPipaSimm=1\r\nSound=0\r\n[game]\r\n"),
              std::string::npos);
    EXPECT_EQ(h.find("BordMode"), std::string::npos);
    EXPECT_NE(h.find("\r\nRGray0=-1\r\n"), std::string::npos);
    // A line break in a name cannot add a line to the header.
    EXPECT_NE(h.find("\r\nR0=two  lines\r\n"), std::string::npos);
}

TEST(ReplayFile, MatchClosedAtOnceEndsAtTheFirstStep) {
    ReplayFixture f;
    ASSERT_TRUE(f.writer.WriteReplayHeader(f.path, TwoPlayerMatch(), f.d, f.log));
    EXPECT_TRUE(f.writer.IsOpen());
    f.writer.CloseReplay(f.d);
    EXPECT_FALSE(f.writer.IsOpen());
    EXPECT_EQ(TempDir::Read(f.path),
              FormatReplayHeader(TwoPlayerMatch(), kStamp) + ";Конец записи: 10:20:11\r\n");

    ASSERT_TRUE(f.reader.OpenReplay(f.path, f.d));
    ReplayStepRecord r;
    // The closing comment is taken as the first field, then the file ends.
    EXPECT_FALSE(f.reader.ReadStep(r, f.d, f.log));
    EXPECT_TRUE(f.d.Messages.empty());
    EXPECT_EQ(f.Log(), "");
}

TEST(ReplayFile, StepsReadBackBitExact) {
    ReplayFixture f;
    ASSERT_TRUE(f.writer.WriteReplayHeader(f.path, TwoPlayerMatch(), f.d, f.log));
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> any(-1000, 1000);
    std::vector<ReplayStepRecord> written;
    for (int i = 0; i < 200; ++i) {
        ReplayStepRecord r{any(rng), any(rng) * 1e-9, any(rng), -0.0, i % 3 == 0 ? 37 : 0};
        written.push_back(r);
        f.writer.AppendStep(r, f.d, f.log);
    }
    f.writer.CloseReplay(f.d);

    ASSERT_TRUE(f.reader.OpenReplay(f.path, f.d));
    for (const ReplayStepRecord& w : written) {
        ReplayStepRecord r;
        ASSERT_TRUE(f.reader.ReadStep(r, f.d, f.log));
        EXPECT_EQ(std::memcmp(&r.Xvec, &w.Xvec, sizeof(double)), 0);
        EXPECT_EQ(std::memcmp(&r.Yvec, &w.Yvec, sizeof(double)), 0);
        EXPECT_EQ(std::memcmp(&r.X, &w.X, sizeof(double)), 0);
        EXPECT_EQ(std::memcmp(&r.Y, &w.Y, sizeof(double)), 0);
        EXPECT_EQ(r.G, w.G);
    }
    ReplayStepRecord r;
    EXPECT_FALSE(f.reader.ReadStep(r, f.d, f.log));
    EXPECT_TRUE(f.d.Messages.empty());
}

TEST(ReplayFile, StepRecordIsFiveFlushedLines) {
    ReplayFixture f;
    ASSERT_TRUE(f.writer.WriteReplayHeader(f.path, TwoPlayerMatch(), f.d, f.log));
    f.writer.AppendStep({0.5, -3, 100, 20.25, 37}, f.d, f.log);
    // On disk before anything is closed.
    EXPECT_EQ(TempDir::Read(f.path), FormatReplayHeader(TwoPlayerMatch(), kStamp) +
                                         "Xvec=0.5\r\nYvec=-3\r\nX=100\r\nY=20.25\r\nG=37\r\n");
}

TEST(ReplayFile, ReaderSkipsEmptyLinesAndIgnoresKeys) {
    ReplayFixture f;
    const std::string p = f.dir.Write(
        "a.sav", ";c\r\nVer=1200\r\n[general]\r\n[game]\r\n\r\nXvec=1.5\r\n\r\n\r\nAbcd=2\nX=3\r\n"
                 "Y=oops\r\nG=2.5\r\n");
    ASSERT_TRUE(f.reader.OpenReplay(p, f.d));
    ReplayStepRecord r;
    ASSERT_TRUE(f.reader.ReadStep(r, f.d, f.log));
    EXPECT_EQ(r.Xvec, 1.5);
    EXPECT_EQ(r.Yvec, 2);  // "Abcd=" is dropped like "Yvec="
    EXPECT_EQ(r.X, 3);
    EXPECT_EQ(r.Y, 0);   // no number after the key
    EXPECT_EQ(r.G, 2);   // halves go to the even neighbour
    EXPECT_FALSE(f.reader.ReadStep(r, f.d, f.log));
    EXPECT_TRUE(f.d.Messages.empty());
}

TEST(ReplayFile, CommentLineInsideRecordIsTakenAsAField) {
    ReplayFixture f;
    const std::string p = f.dir.Write(
        "c.sav", "[game]\r\nXvec=1\r\n;comment\r\nYvec=2\r\nX=3\r\nY=4\r\nG=5\r\n");
    ASSERT_TRUE(f.reader.OpenReplay(p, f.d));
    ReplayStepRecord r;
    ASSERT_TRUE(f.reader.ReadStep(r, f.d, f.log));
    EXPECT_EQ(r.Xvec, 1);
    EXPECT_EQ(r.Yvec, 0);  // ";comment" without its first five characters
    EXPECT_EQ(r.X, 0);     // "Yvec=2" without two: "ec=2"
    EXPECT_EQ(r.Y, 3);     // "X=3" without two
    EXPECT_EQ(r.G, 4);
}

TEST(ReplayFile, MissingGameLineIsReported) {
    ReplayFixture f;
    for (const std::string& content :
         {std::string(";c\r\nVer=1200\r\n[general]\r\nNum=2\r\n"), std::string(""),
          std::string("[GAME]\r\nXvec=1\r\n"), std::string("[game] \r\n")}) {
        f.d.Messages.clear();
        const std::string p = f.dir.Write("bad.sav", content);
        EXPECT_FALSE(f.reader.OpenReplay(p, f.d)) << content;
        EXPECT_FALSE(f.reader.IsOpen());
        ASSERT_EQ(f.d.Messages.size(), 1u);
        EXPECT_EQ(f.d.Messages[0].Text, kNoGame);
        EXPECT_EQ(f.d.Messages[0].Icon, MsgIcon::Critical);
        EXPECT_EQ(f.d.Messages[0].Buttons, MsgButtons::Ok);
    }
    for (const std::string& p : {f.dir.File("missing.sav"), f.dir.Path().string()}) {
        f.d.Messages.clear();
        EXPECT_FALSE(f.reader.OpenReplay(p, f.d)) << p;
        EXPECT_EQ(f.d.LastText(), kNoGame);
    }
    // Only a last line may differ in letter case.
    EXPECT_TRUE(f.reader.OpenReplay(f.dir.Write("last.sav", "[general]\r\n[GAME]"), f.d));
}

TEST(ReplayFile, FieldShorterThanItsKeyIsLoggedAndReported) {
    ReplayFixture f;
    const std::string p =
        f.dir.Write("d.sav", "[game]\r\nXvec=1\r\nYvec=2\r\nX\r\nY=4\r\nG=0\r\n");
    ASSERT_TRUE(f.reader.OpenReplay(p, f.d));
    ReplayStepRecord r;
    EXPECT_FALSE(f.reader.ReadStep(r, f.d, f.log));
    ASSERT_EQ(f.d.Messages.size(), 1u);
    const Message& m = f.d.Messages[0];
    EXPECT_EQ(m.Icon, MsgIcon::Critical);
    const std::string head = "Ошибка при чтении файла.\r\n\r\n";
    ASSERT_EQ(m.Text.rfind(head, 0), 0u) << m.Text;
    const std::string description = m.Text.substr(head.size());
    EXPECT_FALSE(description.empty());
    EXPECT_EQ(f.Log(), std::string("(") + kStamp +
                           "): ReviewReadStep > Ошибка при чтении файла. " + description + "\r\n");
}

TEST(ReplayFile, TruncatedRecordEndsTheReplayQuietly) {
    ReplayFixture f;
    const std::string p = f.dir.Write("t.sav", "[game]\r\nXvec=1\r\nYvec=2\r\nX=3");
    ASSERT_TRUE(f.reader.OpenReplay(p, f.d));
    ReplayStepRecord r;
    r.G = 99;
    EXPECT_FALSE(f.reader.ReadStep(r, f.d, f.log));
    EXPECT_EQ(r.G, 99);  // nothing half-read is handed out
    EXPECT_TRUE(f.d.Messages.empty());
}

TEST(ReplayFile, PotPowerBeyondSixteenBitsIsAReadError) {
    ReplayFixture f;
    const std::string p = f.dir.Write(
        "g.sav", "[game]\r\nXvec=0\r\nYvec=0\r\nX=0\r\nY=0\r\nG=" + std::string(30, '9') + "\r\n");
    ASSERT_TRUE(f.reader.OpenReplay(p, f.d));
    ReplayStepRecord r;
    EXPECT_FALSE(f.reader.ReadStep(r, f.d, f.log));
    EXPECT_EQ(f.d.Messages.size(), 1u);
    EXPECT_NE(f.Log().find("ReviewReadStep > "), std::string::npos);
}

TEST(ReplayFile, HeaderWriteFailureAsksWhetherToGoOn) {
    ReplayFixture f;
    const std::string bad = f.dir.File("no/such/folder/zel.sav");
    f.d.Answers = {MsgAnswer::No};
    EXPECT_FALSE(f.writer.WriteReplayHeader(bad, TwoPlayerMatch(), f.d, f.log));
    ASSERT_EQ(f.d.Messages.size(), 1u);
    const Message& m = f.d.Messages[0];
    EXPECT_EQ(m.Title, "Запись игры");
    EXPECT_EQ(m.Icon, MsgIcon::Information);
    EXPECT_EQ(m.Buttons, MsgButtons::YesNo);
    const std::string head = "Ошибка при записи игры!\r\n\r\nОписание ошибки: ";
    EXPECT_EQ(m.Text.rfind(head, 0), 0u);
    EXPECT_GT(m.Text.size(), head.size() + std::strlen(". Продолжить?"));
    EXPECT_EQ(m.Text.substr(m.Text.size() - std::strlen(". Продолжить?")), ". Продолжить?");
    EXPECT_EQ(f.Log(), std::string("(") + kStamp + "): " + m.Text + "\r\n");
    EXPECT_FALSE(f.writer.IsOpen());

    // Yes: the match goes on without a replay file, and nothing else is said.
    f.d.Answers = {MsgAnswer::Yes};
    EXPECT_TRUE(f.writer.WriteReplayHeader(bad, TwoPlayerMatch(), f.d, f.log));
    EXPECT_FALSE(f.writer.IsOpen());
    f.writer.AppendStep({1, 2, 3, 4, 0}, f.d, f.log);
    f.writer.CloseReplay(f.d);
    EXPECT_EQ(f.d.Messages.size(), 2u);

    // A header that cannot be flushed fails the same way.
    f.d.Answers = {MsgAnswer::No};
    EXPECT_FALSE(f.writer.WriteReplayHeader("/dev/full", TwoPlayerMatch(), f.d, f.log));
    EXPECT_EQ(f.d.Messages.size(), 3u);
    EXPECT_EQ(f.d.Messages[2].Title, "Запись игры");
}

TEST(ReplayFile, StepWriteFailureIsReportedOnceAndStopsRecording) {
    ReplayFixture f;
    const std::string header = FormatReplayHeader(TwoPlayerMatch(), kStamp);
    {
        FileSizeLimit limit(header.size() + 10);
        ASSERT_TRUE(f.writer.WriteReplayHeader(f.path, TwoPlayerMatch(), f.d, f.log));
        f.writer.AppendStep({1, 2, 3, 4, 0}, f.d, f.log);
        f.writer.AppendStep({1, 2, 3, 4, 0}, f.d, f.log);
        f.writer.CloseReplay(f.d);
    }
    ASSERT_EQ(f.d.Messages.size(), 1u);
    EXPECT_EQ(f.d.Messages[0].Text.rfind("Ошибка при записи хода игрока в файл повтора!", 0), 0u);
    EXPECT_NE(f.Log().find("Ошибка при записи хода игрока в файл повтора!"), std::string::npos);
    EXPECT_FALSE(f.writer.IsOpen());
}

TEST(ReplayFile, CloseFailureIsReportedAsInformation) {
    ReplayFixture f;
    const std::string header = FormatReplayHeader(TwoPlayerMatch(), kStamp);
    {
        FileSizeLimit limit(header.size());
        ASSERT_TRUE(f.writer.WriteReplayHeader(f.path, TwoPlayerMatch(), f.d, f.log));
        f.writer.CloseReplay(f.d);
    }
    ASSERT_EQ(f.d.Messages.size(), 1u);
    EXPECT_EQ(f.d.Messages[0].Icon, MsgIcon::Information);
    EXPECT_EQ(f.d.Messages[0].Text.rfind("Ошибка при закрытии файла повтора! \r\n\r\n", 0), 0u);
    EXPECT_FALSE(f.writer.IsOpen());
    EXPECT_EQ(TempDir::Read(f.path), header);
}

}  // namespace
}  // namespace zel
