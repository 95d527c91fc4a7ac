// The computer player: its decisions, its hands on the kernel, its visible
// turn, headless matches and zel-sim duel.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <sstream>
#include <thread>
#include <vector>

#include "ai/ComputerMatch.h"
#include "ai/ComputerPlayer.h"
#include "ai/ComputerTurn.h"
#include "ai/StrikeTrial.h"
#include "ai/WorkerPool.h"
#include "core/AimGeometry.h"
#include "core/KeyCodes.h"
#include "core/MatchSetup.h"
#include "sim/Duel.h"
#include "sim/SimOutput.h"
#include "sim/SimRunner.h"
#include "support/KernelHarness.h"
#include "support/SavedGameBody.h"

namespace zel::test {
namespace {

using ai::Decision;
using ai::DecideStrike;
using ai::WorkerPool;

// A live match of `kinds` on the table the game starts with (walls along
// both long edges, posts), participant i played by kinds[i - 1].
void SetUpMatch(KernelHarness& h, const std::vector<PlayerKind>& kinds, bool wallsAndPosts = true) {
    MatchSetup setup;
    setup.Sound = kFalse;
    setup.Border = ToFlag(wallsAndPosts);
    setup.BordMode = 1;
    setup.BordSimm = kTrue;
    setup.Pipa = ToFlag(wallsAndPosts);
    for (std::size_t i = 0; i < kinds.size(); ++i)
        setup.Participants.push_back(ParticipantSetup{std::string(1, char('A' + i)), 0, 1, kFalse, 0, kinds[i]});
    h.Setup(setup);
}

// The state as a turn starts: scene state placed, participant `who` to play.
MatchState TurnState(const std::vector<PlayerKind>& kinds, int who, bool wallsAndPosts) {
    KernelHarness h(2);
    SetUpMatch(h, kinds, wallsAndPosts);
    PrepareSceneState(h.S);
    h.S.CurG = static_cast<std::int16_t>(who);
    return h.S;
}

bool SameStrike(const Decision& a, const Decision& b) {
    return a.Strike.CamX == b.Strike.CamX && a.Strike.CamZ == b.Strike.CamZ &&
           a.Strike.AimAngle == b.Strike.AimAngle && a.Strike.Power == b.Strike.Power;
}

std::string Body(const std::string& save) { return test::SavedGameBody(save); }

TEST(WorkerPool, RunsEveryJobOnceAndAStopSkipsTheRest) {
    WorkerPool pool(2);
    std::vector<std::atomic<int>> runs(500);
    EXPECT_EQ(pool.Run(500, [&](int i) { runs[static_cast<std::size_t>(i)]++; }), 500);
    for (const auto& r : runs) EXPECT_EQ(r.load(), 1);
    EXPECT_EQ(pool.Run(0, [&](int) { FAIL(); }), 0);

    std::atomic<bool> stop{false};
    std::atomic<int> ran{0};
    const int done = pool.Run(
        10000,
        [&](int) {
            if (++ran == 20) stop = true;
        },
        &stop);
    EXPECT_LT(done, 10000);
    EXPECT_EQ(done, ran.load());
}

// The same state, level and seed give the same strike, whatever the pool;
// another seed changes the hand's error.
TEST(ComputerPlayer, DecisionIsTheSameForTheSameSeedAndState) {
    const MatchState s = TurnState({PlayerKind::Master, PlayerKind::Amateur, PlayerKind::Novice}, 1, true);
    WorkerPool one(1);
    WorkerPool two(2);
    for (PlayerKind level : {PlayerKind::Novice, PlayerKind::Amateur, PlayerKind::Master}) {
        const Decision a = DecideStrike(s, level, 77, one);
        const Decision b = DecideStrike(s, level, 77, two);
        EXPECT_TRUE(SameStrike(a, b)) << PlayerKindNumber(level);
        EXPECT_EQ(a.Simulated, b.Simulated);
        EXPECT_FALSE(a.Stopped);
        const Decision c = DecideStrike(s, level, 78, two);
        EXPECT_FALSE(SameStrike(a, c)) << PlayerKindNumber(level);
    }
}

// Power even and at most 100, finite aim, and a camera whose touch point
// lies on the striker's rim, in every kind of position.
TEST(ComputerPlayer, EveryChosenStrikeIsOneAPersonCouldMake) {
    WorkerPool pool(2);
    int checked = 0;
    for (bool walls : {false, true}) {
        for (int who : {1, 2, 3}) {
            MatchState s = TurnState({PlayerKind::Novice, PlayerKind::Amateur, PlayerKind::Novice}, who, walls);
            // Crowd the striker against a corner and the others close by.
            if (who == 3) {
                s.Vembas[3].Xpos = 21;
                s.Vembas[3].Ypos = 21;
                s.Vembas[1].Xpos = 62;
                s.Vembas[1].Ypos = 25;
            }
            for (std::uint64_t seed = 1; seed <= 4; ++seed) {
                const Decision d = DecideStrike(s, seed % 2 ? PlayerKind::Novice : PlayerKind::Amateur, seed, pool);
                ASSERT_FALSE(d.Stopped);
                EXPECT_TRUE(ai::PersonCouldStrike(s, who, d.Strike));
                EXPECT_EQ(d.Strike.Power % 2, 0);
                EXPECT_GE(d.Strike.Power, 2);
                EXPECT_LE(d.Strike.Power, 100);
                EXPECT_TRUE(std::isfinite(d.Strike.AimAngle));
                MatchState at = s;
                at.CamX = d.Strike.CamX;
                at.CamZ = d.Strike.CamZ;
                const VembaRecord& v = at.Vembas[static_cast<std::size_t>(who)];
                const AimPoint touch = StrikeTouchPoint(at, v, d.Strike.AimAngle);
                EXPECT_NEAR(Hypot(touch.X - v.Xpos, touch.Y - v.Ypos), s.VembaRadius, 1e-9);
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 24);
}

// Without the hand's error, what the search expects is what the table does:
// the trial runs the match's own physics on the match's own strike path.
TEST(ComputerPlayer, TrialOfAStrikeIsWhatTheKernelPlays) {
    KernelHarness h(2);
    SetUpMatch(h, {PlayerKind::Master, PlayerKind::Human});
    ASSERT_TRUE(h.Init());
    WorkerPool pool(2);
    const Decision d = DecideStrike(h.S, PlayerKind::Master, 5, pool);
    MatchState trial = h.S;
    ai::PlayToRest(trial, 1, d.Strike);
    ASSERT_TRUE(ai::PlayThroughKeys(h.Kernel, d.Strike));
    ASSERT_TRUE(h.RunToRest());
    for (int i = 1; i <= 2; ++i) {
        EXPECT_EQ(trial.Vembas[i].Xpos, h.S.Vembas[i].Xpos) << i;
        EXPECT_EQ(trial.Vembas[i].Ypos, h.S.Vembas[i].Ypos) << i;
        EXPECT_EQ(trial.Vembas[i].Phi, h.S.Vembas[i].Phi) << i;
    }
}

TEST(ComputerPlayer, StoppedSearchIsMarkedAndNotPlayed) {
    const MatchState s = TurnState({PlayerKind::Master, PlayerKind::Master}, 1, true);
    WorkerPool pool(2);
    std::atomic<bool> stop{true};
    EXPECT_TRUE(DecideStrike(s, PlayerKind::Master, 1, pool, &stop).Stopped);
    MatchState gone = s;
    gone.Vembas[1].Life = kFalse;
    EXPECT_TRUE(DecideStrike(gone, PlayerKind::Novice, 1, pool).Stopped);
}

// The master sees eight pieces with posts and walls through more than a
// thousand strikes played to rest.
TEST(ComputerPlayer, MasterWeighsAThousandStrikesInTheFullestPosition) {
    std::vector<PlayerKind> kinds(8, PlayerKind::Master);
    const MatchState s = TurnState(kinds, 1, true);
    WorkerPool pool(2);
    EXPECT_GE(DecideStrike(s, PlayerKind::Master, 3, pool).Simulated, 1000);
    EXPECT_LT(DecideStrike(s, PlayerKind::Novice, 3, pool).Simulated, 20);
}

// The computer's hands act only in its own live turn; the person's strike
// keys do nothing then, and nothing of the computer acts in a replay.
TEST(ComputerHands, NeverStrikeOutOfTurnOrDuringAReplay) {
    KernelHarness h(2);
    SetUpMatch(h, {PlayerKind::Human, PlayerKind::Novice});
    ASSERT_TRUE(h.Init());
    ASSERT_EQ(h.S.CurG, 1);
    EXPECT_FALSE(h.Kernel.ComputerToStrike());
    const double camX = h.S.CamX;
    EXPECT_FALSE(h.Kernel.ComputerAim(1, 2, 0.5));
    EXPECT_FALSE(h.Kernel.ComputerCharge());
    EXPECT_FALSE(h.Kernel.ComputerRelease(1, 2));
    EXPECT_EQ(h.S.CamX, camX);
    EXPECT_EQ(h.S.Win.Power, 0);

    h.Strike(30);  // the person plays
    ASSERT_TRUE(h.RunToRest());
    h.Kernel.PauseTick();
    ASSERT_EQ(h.S.CurG, 2);
    EXPECT_TRUE(h.Kernel.ComputerToStrike());
    // The person's strike keys are refused in the computer's turn; the camera keys act.
    const double aim = h.S.Win.AimAngle;
    h.Press(vk::kSpace, 3);
    h.Press(vk::kLeft);
    h.Press(vk::kF2);
    h.Kernel.KeyUp(vk::kSpace);
    EXPECT_EQ(h.S.Win.Power, 0);
    EXPECT_EQ(h.S.Win.AimAngle, aim);
    EXPECT_EQ(h.S.Win.CtrlState, kCtrlAiming);
    const double before = h.S.CamX;
    h.Press(vk::kPad4);
    EXPECT_NE(h.S.CamX, before);
    // The quit question holds the hands too.
    h.Press(vk::kEscape);
    EXPECT_FALSE(h.Kernel.ComputerCharge());
    h.Press(vk::kN);
    EXPECT_TRUE(h.Kernel.ComputerCharge());
    EXPECT_EQ(h.S.Win.Power, 2);
    h.Kernel.Close();

    KernelHarness replay(2);
    SetUpMatch(replay, {PlayerKind::Novice, PlayerKind::Novice});
    replay.S.Win.ReplayMode = kTrue;
    EXPECT_FALSE(replay.Kernel.ComputerToStrike());
    EXPECT_FALSE(replay.Kernel.ComputerAim(0, 0, 0));
}

// Replays and continued games start from the new-match defaults: all people.
TEST(ComputerHands, NewMatchDefaultsMakeEveryParticipantAPerson) {
    KernelHarness h(3);
    SetUpMatch(h, {PlayerKind::Master, PlayerKind::Novice, PlayerKind::Amateur});
    EXPECT_EQ(h.S.Players[1], PlayerKind::Master);
    ResetMatchDefaults(h.S);
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(h.S.Players[i], PlayerKind::Human) << i;
}

// A match of computer players only comes to an end, and its replay plays
// back in zel-sim to the same end without the computer.
TEST(ComputerMatch, EndsAndReplaysToTheSameEnd) {
    WorkerPool pool(2);
    for (std::uint64_t seed : {1u, 2u, 3u}) {
        KernelHarness h(3);
        SetUpMatch(h, {PlayerKind::Novice, PlayerKind::Novice, PlayerKind::Novice}, seed != 2);
        ASSERT_TRUE(h.Init());
        const ai::ComputerMatchResult live = ai::PlayComputerMatch(h.S, h.Kernel, pool, seed, 200);
        h.Kernel.Close();
        ASSERT_TRUE(live.Finished) << "seed " << seed;
        EXPECT_LT(live.Turns, 200);
        SimResult expected;
        expected.Finished = true;
        expected.Turns = live.Turns;
        expected.Ticks = live.Ticks;
        SimOptions opt;
        opt.Path = h.ReplayPath();
        std::string out, error;
        std::ostringstream trace;
        ASSERT_TRUE(RunSimulation(opt, out, error, trace)) << error;
        EXPECT_EQ(Body(out), Body(FormatSimSave(h.S, expected, ""))) << "seed " << seed;
    }
}

// A person's turn cannot be played headlessly: the match is left at once.
TEST(ComputerMatch, StopsAtAPersonsTurnAndAtTheTurnLimit) {
    WorkerPool pool(1);
    KernelHarness person(2);
    SetUpMatch(person, {PlayerKind::Human, PlayerKind::Novice});
    ASSERT_TRUE(person.Init());
    const ai::ComputerMatchResult none = ai::PlayComputerMatch(person.S, person.Kernel, pool, 1, 50);
    EXPECT_EQ(none.Turns, 0);
    EXPECT_FALSE(IsSet(person.S.GameRunning));

    KernelHarness limited(2);
    SetUpMatch(limited, {PlayerKind::Novice, PlayerKind::Novice});
    ASSERT_TRUE(limited.Init());
    const ai::ComputerMatchResult one = ai::PlayComputerMatch(limited.S, limited.Kernel, pool, 1, 1);
    EXPECT_EQ(one.Turns, 1);
    EXPECT_FALSE(IsSet(limited.S.GameRunning));
}

// The visible turn on a steady clock of 16 ms frames: it thinks, turns the
// camera, raises the power press by press on the status line and strikes
// within 1 to 3 seconds; the quit question holds it.
TEST(ComputerTurn, TakesBetweenOneAndThreeSecondsAndShowsThePowerRising) {
    KernelHarness h(2);
    SetUpMatch(h, {PlayerKind::Novice, PlayerKind::Human});
    ASSERT_TRUE(h.Init());
    WorkerPool pool(2);
    ai::ComputerTurn turn(h.S, h.Kernel, pool, 9);
    double now = 0;
    std::vector<std::int16_t> powers;
    bool held = false;
    while (h.S.Win.CtrlState != kCtrlStrike && now < 10000) {
        turn.Tick(now);
        if (turn.Now() == ai::ComputerTurn::Phase::Thinking)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));  // the search runs apart
        if (turn.Now() == ai::ComputerTurn::Phase::Charging && !held) {
            // Esc in the middle of the charge: nothing moves until N.
            held = true;
            h.Press(vk::kEscape);
            const std::int16_t p = h.S.Win.Power;
            for (int k = 0; k < 20; ++k) turn.Tick(now + 16 * k);
            EXPECT_EQ(h.S.Win.Power, p);
            h.Press(vk::kN);
        }
        if (powers.empty() || powers.back() != h.S.Win.Power) powers.push_back(h.S.Win.Power);
        now += 16;
    }
    ASSERT_EQ(h.S.Win.CtrlState, kCtrlStrike);
    EXPECT_EQ(turn.Strikes(), 1);
    EXPECT_GE(now, 1000);
    EXPECT_LE(now, 3000);
    const ai::StrikeChoice& c = turn.LastDecision().Strike;
    EXPECT_EQ(powers.back(), c.Power);
    for (std::size_t i = 1; i < powers.size(); ++i) EXPECT_GT(powers[i], powers[i - 1]);
    EXPECT_GT(powers.size(), 2u);
    EXPECT_EQ(h.S.CamX, c.CamX);
    EXPECT_EQ(h.S.Win.AimAngle, c.AimAngle);
    EXPECT_TRUE(IsSet(h.S.Win.RunTimerOn));

    // The person's turn comes next: the computer waits.
    ASSERT_TRUE(h.RunToRest());
    h.Kernel.PauseTick();
    if (IsSet(h.S.GameRunning)) {
        ASSERT_EQ(h.S.CurG, 2);
        for (int k = 0; k < 50; ++k) turn.Tick(now + 16 * k);
        EXPECT_EQ(turn.Now(), ai::ComputerTurn::Phase::Waiting);
        EXPECT_EQ(h.S.Win.Power, 0);
    }
}

// Leaving the match while the computer thinks ends the search at once and
// nothing is struck; a replay never wakes the computer.
TEST(ComputerTurn, LeavingWhileThinkingStopsTheSearchWithoutAStrike) {
    std::vector<PlayerKind> kinds(8, PlayerKind::Master);
    KernelHarness h(8);
    SetUpMatch(h, kinds);
    ASSERT_TRUE(h.Init());
    WorkerPool pool(2);
    ai::ComputerTurn turn(h.S, h.Kernel, pool, 4);
    turn.Tick(0);
    ASSERT_EQ(turn.Now(), ai::ComputerTurn::Phase::Thinking);
    h.Press(vk::kEscape);
    h.Press(vk::kY);  // the match is left
    turn.Tick(16);
    EXPECT_EQ(turn.Now(), ai::ComputerTurn::Phase::Waiting);
    EXPECT_EQ(turn.Strikes(), 0);
    EXPECT_EQ(h.S.Win.Power, 0);
    EXPECT_FALSE(IsSet(h.S.Win.RunTimerOn));

    KernelHarness replay(2);
    SetUpMatch(replay, {PlayerKind::Novice, PlayerKind::Novice});
    replay.S.Win.ReplayMode = kTrue;
    replay.S.GameRunning = kTrue;
    ai::ComputerTurn none(replay.S, replay.Kernel, pool, 4);
    none.Tick(0);
    EXPECT_EQ(none.Now(), ai::ComputerTurn::Phase::Waiting);
}

TEST(Duel, ArgumentsAreReadStrictly) {
    DuelOptions o;
    std::string e;
    ASSERT_TRUE(ParseDuelArgs({"--levels", "master", "amateur", "--matches", "12", "--seed", "9", "--table",
                               "500x300", "--players", "4"},
                              o, e))
        << e;
    EXPECT_EQ(o.LevelA, PlayerKind::Master);
    EXPECT_EQ(o.LevelB, PlayerKind::Amateur);
    EXPECT_EQ(o.Matches, 12);
    EXPECT_EQ(o.Seed, 9u);
    EXPECT_EQ(o.MaxX, 500);
    EXPECT_EQ(o.MaxY, 300);
    EXPECT_EQ(o.Players, 4);
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"--levels", "master"},
        {"--levels", "master", "human"},
        {"--levels", "novice", "novice", "--matches", "0"},
        {"--levels", "novice", "novice", "--matches"},
        {"--levels", "novice", "novice", "--table", "200x400"},
        {"--levels", "novice", "novice", "--table", "600"},
        {"--levels", "novice", "novice", "--players", "9"},
        {"--levels", "novice", "novice", "--seed", "-3"},
        {"--levels", "novice", "novice", "--fast"},
    };
    for (const auto& args : bad) {
        DuelOptions x;
        EXPECT_FALSE(ParseDuelArgs(args, x, e)) << (args.empty() ? "" : args.back());
        EXPECT_FALSE(e.empty());
    }
}

TEST(Duel, SeedRepeatsTheRunAndTheTalliesAddUp) {
    DuelOptions o;
    o.LevelA = PlayerKind::Amateur;
    o.LevelB = PlayerKind::Novice;
    o.Matches = 4;
    o.Seed = 11;
    const DuelReport a = RunDuel(o);
    const DuelReport b = RunDuel(o);
    EXPECT_EQ(FormatDuelLine(o.LevelA, a.A), FormatDuelLine(o.LevelA, b.A));
    EXPECT_EQ(a.A.Matches(), 4);
    EXPECT_EQ(a.A.Wins, a.B.Losses);
    EXPECT_EQ(a.A.Draws, a.B.Draws);
    EXPECT_GT(a.A.Turns, 0);

    DuelTally t;
    t.Wins = 180;
    t.Draws = 3;
    t.Losses = 17;
    t.Turns = 2840;
    EXPECT_EQ(FormatDuelLine(PlayerKind::Master, t), "master: 180 wins, 3 draws, 17 losses of 200, mean turns 14.2");
}

}  // namespace
}  // namespace zel::test
