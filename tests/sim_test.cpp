// zel-sim end to end: recorded live matches replay bit for bit, saved games
// continue, damaged files fail cleanly.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/MatchSetup.h"
#include "sim/SimOutput.h"
#include "support/AutoPlayer.h"
#include "support/KernelHarness.h"
#include "support/SavedGameBody.h"
#include "support/TempDir.h"

namespace zel::test {
namespace {

struct SimRun {
    int Status = -1;     // exit status
    std::string Out;     // standard output
    std::string Err;     // standard error
};

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

SimRun RunSim(const TempDir& dir, const std::string& args) {
    const std::string err = dir.File("stderr.txt");
    const std::string cmd = std::string(ZEL_SIM_PATH) + " " + args + " 2>" + err;
    SimRun r;
    FILE* p = popen(cmd.c_str(), "r");
    if (p == nullptr) return r;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.Out.append(buf, n);
    const int st = pclose(p);
    r.Status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    r.Err = Slurp(err);
    return r;
}

void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string Body(const std::string& save) { return SavedGameBody(save); }

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::stringstream ss(text);
    std::string line;
    while (std::getline(ss, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.push_back(line);
    }
    return out;
}

// A live match played by the automatic player into `h`'s zel.sav.
struct LiveCase {
    int Num;
    std::int16_t Model;   // all pieces; -1 mixes models 0..3
    bool Border;
    std::int16_t BordMode;
    bool BordSimm;
    bool Pipa;
    std::uint32_t Seed;
};

MatchSetup SetupFor(const LiveCase& c) {
    MatchSetup m;
    m.Border = ToFlag(c.Border);
    m.BordMode = c.BordMode;
    m.BordSimm = ToFlag(c.BordSimm);
    m.Pipa = ToFlag(c.Pipa);
    m.Ftr = 0.02;
    for (int i = 0; i < c.Num; ++i) {
        ParticipantSetup p;
        p.Name = "Игрок" + std::to_string(i + 1);
        p.Model = c.Model >= 0 ? c.Model : static_cast<std::int16_t>(i % 4);
        p.Mass = static_cast<std::int16_t>(1 + (i * 37) % 5);
        p.Gray = ToFlag(i % 3 == 1);
        m.Participants.push_back(p);
    }
    return m;
}

TEST(ZelSim, RecordedLiveMatchesReplayBitForBit) {
    const std::vector<LiveCase> cases = {
        {2, 3, false, 0, false, false, 1},
        {4, 1, true, 1, true, true, 2},
        {8, -1, true, 0, false, true, 3},
        {5, 0, true, 0, true, false, 4},
        {3, 2, false, 0, false, true, 5},
    };
    for (const LiveCase& c : cases) {
        KernelHarness h(c.Num);
        h.Setup(SetupFor(c));
        const AutoPlayResult live = AutoPlay(h, c.Seed, 400);
        SimResult expected;
        expected.Finished = IsSet(h.S.Win.GameOver);
        expected.Turns = live.Turns;
        expected.Ticks = live.Ticks;
        const SimRun sim = RunSim(h.Dir, "replay " + h.ReplayPath());
        ASSERT_EQ(sim.Status, 0) << sim.Err;
        EXPECT_EQ(Body(sim.Out), Body(FormatSimSave(h.S, expected, "")))
            << "participants " << c.Num << ", seed " << c.Seed;
        EXPECT_TRUE(expected.Finished) << "the automatic player should finish a match";
    }
}

TEST(ZelSim, StopsUnfinishedWhenTheStepRecordsRunOut) {
    KernelHarness h(4);
    h.Setup(SetupFor({4, 3, true, 1, false, true, 9}));
    const AutoPlayResult live = AutoPlay(h, 9, 3);
    const SimRun sim = RunSim(h.Dir, "replay " + h.ReplayPath());
    ASSERT_EQ(sim.Status, 0) << sim.Err;
    SimResult expected{false, 3, live.Ticks};
    EXPECT_EQ(Body(sim.Out), Body(FormatSimSave(h.S, expected, "")));
    const auto lines = Lines(sim.Out);
    EXPECT_EQ(lines[0].size(), 26u + std::string("06.12.2026 07:30:00").size());
    EXPECT_EQ(lines[1], "Ver=1200");
}

TEST(ZelSim, TraceWritesEveryParticipantAfterEveryTick) {
    KernelHarness h(2);
    h.Setup(SetupFor({2, 3, false, 0, false, false, 11}));
    const AutoPlayResult live = AutoPlay(h, 11, 1);
    const SimRun sim = RunSim(h.Dir, "replay " + h.ReplayPath() + " --trace");
    ASSERT_EQ(sim.Status, 0);
    const auto lines = Lines(sim.Err);
    // The tick that finds the table at rest runs no physics and is not traced.
    ASSERT_EQ(static_cast<long long>(lines.size()), (live.Ticks - 1) * 2);
    EXPECT_EQ(lines[0].rfind("T 1 1 ", 0), 0u);
    EXPECT_EQ(lines[1].rfind("T 1 2 ", 0), 0u);
    EXPECT_EQ(std::count(lines[0].begin(), lines[0].end(), ' '), 9);
}

TEST(ZelSim, ContinuingASavedGameMatchesTheWholeReplay) {
    // Replaying the first strikes, saving, and continuing with the rest of
    // the strikes must end exactly where the whole replay ends.
    KernelHarness h(4);
    h.Setup(SetupFor({4, 1, true, 0, true, true, 21}));
    AutoPlay(h, 21, 8);
    const std::string whole = RunSim(h.Dir, "replay " + h.ReplayPath()).Out;

    const auto replay = Lines(Slurp(h.ReplayPath()));
    std::vector<std::string> head, steps;
    bool inGame = false;
    int records = 0;
    for (const auto& l : replay) {
        if (inGame) {
            if (!l.empty() && l[0] != ';') steps.push_back(l);
        } else {
            head.push_back(l);
        }
        if (l == "[game]") inGame = true;
    }
    ASSERT_EQ(steps.size(), 40u);
    // Cut after three strikes.
    std::string first;
    for (const auto& l : head) first += l + "\r\n";
    for (int i = 0; i < 15; ++i) first += steps[i] + "\r\n";
    Write(h.Dir.File("first.sav"), first);
    const SimRun part = RunSim(h.Dir, "replay " + h.Dir.File("first.sav"));
    ASSERT_EQ(part.Status, 0) << part.Err;

    std::string saved = part.Out + "[game]\r\n";
    for (size_t i = 15; i < steps.size(); ++i) saved += steps[i] + "\r\n", ++records;
    Write(h.Dir.File("middle.zel"), saved);
    const SimRun rest = RunSim(h.Dir, "continue " + h.Dir.File("middle.zel"));
    ASSERT_EQ(rest.Status, 0) << rest.Err;

    // Pieces and elimination history agree; the run counters are per run.
    auto state = [](const std::string& save) {
        std::string out;
        for (const auto& l : Lines(save))
            if (l.rfind("Turns=", 0) != 0 && l.rfind("Ticks=", 0) != 0 && l.rfind(";", 0) != 0)
                out += l + "\n";
        return out;
    };
    EXPECT_EQ(state(rest.Out), state(whole));
    EXPECT_NE(rest.Out.find("Turns=5\r\n"), std::string::npos);
}

TEST(ZelSim, ContinueWithoutStepsReadsItsOwnOutputBack) {
    KernelHarness h(3);
    h.Setup(SetupFor({3, 2, false, 0, false, true, 31}));
    AutoPlay(h, 31, 4);
    const SimRun first = RunSim(h.Dir, "replay " + h.ReplayPath());
    ASSERT_EQ(first.Status, 0);
    Write(h.Dir.File("saved.zel"), first.Out);
    const SimRun again = RunSim(h.Dir, "continue " + h.Dir.File("saved.zel"));
    ASSERT_EQ(again.Status, 0) << again.Err;
    // Continuing runs no turn: the counters of the run start again.
    std::string expected = Body(first.Out);
    for (const char* key : {"Finished=", "Winner=", "Turns=", "Ticks="}) {
        const auto at = expected.find(key);
        expected.replace(at, expected.find("\r\n", at) - at, std::string(key) + "0");
    }
    EXPECT_EQ(Body(again.Out), expected);
}

TEST(ZelSim, ASpinningObstacleModelStillLetsTheMatchEnd) {
    // Found by fuzzing: a participant of the obstacle model with a spin
    // never slowed down, and the continued match never came to rest.
    TempDir dir;
    std::string text = ";x\r\nVer=1200\r\n[general]\r\nNum=2\r\nMaxX=600\r\nMaxY=400\r\n"
                       "CurG=1\r\nFtr=0.02\r\nRModel0=0\r\nRModel1=5\r\n";
    const char* pieces[] = {"Xpos=100\r\nYpos=100\r\nXvec=1\r\nYvec=0\r\nu=0\r\n",
                            "Xpos=400\r\nYpos=300\r\nXvec=0\r\nYvec=0\r\nu=2\r\n"};
    for (int p = 1; p <= 2; ++p)
        text += "[R" + std::to_string(p) + "]\r\n" + pieces[p - 1] + "Phi=0\r\nLife=-1\r\nSginCount=0\r\n";
    // One step without a strike: the table runs until it rests.
    text += "[game]\r\nXvec=0\r\nYvec=0\r\nX=0\r\nY=0\r\nG=0\r\n";
    Write(dir.File("spin.zel"), text);
    const SimRun r = RunSim(dir, "continue " + dir.File("spin.zel"));
    ASSERT_EQ(r.Status, 0) << r.Err;
    // The moving piece slides 25 ticks (speed 1, friction 0.04 a tick),
    // one more finds the table at rest.
    EXPECT_NE(r.Out.find("Ticks=26\r\n"), std::string::npos) << r.Out;
}

TEST(ZelSim, UnreadableFilesFailWithOneLineAndNoOutput) {
    TempDir dir;
    Write(dir.File("empty.sav"), "");
    Write(dir.File("garbage.sav"), std::string("\x00\xff\xfe[gen\x01\r\n\x80\x81", 11));
    Write(dir.File("nogame.sav"), ";x\r\nVer=1200\r\n[general]\r\nNum=2\r\nMaxX=600\r\nMaxY=400\r\n");
    Write(dir.File("bigmass.sav"),
          ";x\r\nVer=1200\r\n[general]\r\nNum=2\r\nMaxX=99999999\r\nMaxY=400\r\n[game]\r\n");
    Write(dir.File("short.sav"),
          ";x\r\nVer=1200\r\n[general]\r\nNum=2\r\nMaxX=600\r\nMaxY=400\r\nRM0=1\r\nRM1=1\r\n"
          "KtoHodit1=1\r\nKtoHodit2=2\r\n[game]\r\nXvec=1\r\nYvec=1\r\nX\r\nY=0\r\nG=0\r\n");
    for (const char* name : {"missing.sav", "empty.sav", "garbage.sav", "nogame.sav",
                             "bigmass.sav", "short.sav"}) {
        const SimRun r = RunSim(dir, std::string("replay ") + dir.File(name));
        EXPECT_EQ(r.Status, 1) << name;
        EXPECT_EQ(r.Out, "") << name;
        EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 1) << name << ": " << r.Err;
    }
    const SimRun r = RunSim(dir, "continue " + dir.File("garbage.sav"));
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Out, "");
}

TEST(ZelSim, ATruncatedStepRecordEndsTheReplayUnfinished) {
    KernelHarness h(4);
    h.Setup(SetupFor({4, 3, true, 1, true, false, 41}));
    ASSERT_EQ(AutoPlay(h, 41, 2).Turns, 2);
    std::string text = Slurp(h.ReplayPath());
    // Drop the closing line and the last record's final two lines.
    for (int cut = 0; cut < 3; ++cut) text.erase(text.rfind('\n', text.size() - 2) + 1);
    Write(h.ReplayPath(), text);
    const SimRun r = RunSim(h.Dir, "replay " + h.ReplayPath());
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("Finished=0\r\n"), std::string::npos);
    EXPECT_NE(r.Out.find("Turns=1\r\n"), std::string::npos);
}

TEST(ZelSim, TheBundledDemoPlaysToTheEnd) {
    TempDir dir;
    const SimRun r = RunSim(dir, std::string("replay ") + ZEL_EXAMPLES_DIR + "/demo.sav");
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("Finished=1\r\n"), std::string::npos);
}

}  // namespace
}  // namespace zel::test
