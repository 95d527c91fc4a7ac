#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>

#include "core/KeyCodes.h"
#include "core/ReplayFile.h"
#include "physics/Motion.h"
#include "support/KernelHarness.h"

namespace zel {
namespace {

using test::KernelHarness;
using test::TempDir;

const char* const kAimHint =
    "Выберите точку и направление удара клавишами 4,6 в правой части клавиатуры и <-,->.";

bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

TEST(MatchKernel, LoadSetsTheLoadingCaption) {
    KernelHarness h;
    h.S.Win.Busy = kTrue;
    h.Kernel.OnLoad("Korvalo II");
    ASSERT_EQ(h.Port.Captions.size(), 1u);
    EXPECT_EQ(h.Port.Captions[0], "Korvalo II: загрузка...");
    EXPECT_EQ(h.S.Win.Busy, kFalse);
}

TEST(MatchKernel, InitStartsAimingWithAStartSoundAndRecordsTheHeader) {
    KernelHarness h(3);
    h.S.KtoHodit = {0, 2, 3, 1};
    h.S.WhoSgin[1] = 3;
    h.S.Vembas[2].SginCount = 4;
    h.S.Win.GameOver = kTrue;
    h.Port.RandomNumbers = {0.6};
    ASSERT_TRUE(h.Init());

    EXPECT_EQ(h.S.CurG, 2);
    EXPECT_EQ(h.S.CurSgin, 0);
    EXPECT_EQ(h.S.WhoSgin[1], 0);
    EXPECT_EQ(h.S.Vembas[2].SginCount, 0);
    EXPECT_EQ(h.S.Win.GameOver, kFalse);
    EXPECT_EQ(h.S.NamesOn, kTrue);
    EXPECT_EQ(h.S.GameRunning, kTrue);
    EXPECT_EQ(h.S.StatusText, kAimHint);
    EXPECT_EQ(h.S.Win.CtrlState, kCtrlAiming);
    EXPECT_EQ(h.S.Win.Power, 0);
    EXPECT_EQ(h.S.Win.RunTimerOn, kFalse);
    EXPECT_EQ(h.S.Win.PauseOn, kFalse);
    EXPECT_EQ(h.S.Win.Busy, kFalse);
    ASSERT_EQ(h.Port.Sounds.size(), 1u);
    EXPECT_EQ(h.Port.Sounds[0].Slot, 2);  // 0.6 of four start sounds
    EXPECT_EQ(h.Port.Sounds[0].Volume, -10);
    ASSERT_FALSE(h.Port.AimVisibility.empty());
    EXPECT_TRUE(h.Port.AimVisibility.back());
    EXPECT_EQ(h.S.TargX, 30);  // the scene's start camera looks at the centre
    EXPECT_NE(TempDir::Read(h.ReplayPath()).find("[game]"), std::string::npos);
}

TEST(MatchKernel, InitStopsWhenTheScreenOrTheReplayFileCannotStart) {
    KernelHarness noDevice;
    noDevice.Port.DeviceStarts = false;
    EXPECT_FALSE(noDevice.Init());
    EXPECT_EQ(noDevice.S.Win.InitFailed, kTrue);
    EXPECT_EQ(noDevice.S.GameRunning, kFalse);
    EXPECT_TRUE(noDevice.Port.Sounds.empty());
    ASSERT_EQ(noDevice.Port.NextWindows.size(), 1u);
    EXPECT_EQ(noDevice.Port.NextWindows[0].Screen, NextScreen::MainMenu);

    KernelHarness noScene;
    noScene.Port.SceneBuilds = false;
    EXPECT_FALSE(noScene.Init());

    // The header cannot be written and the user answers No.
    KernelHarness declined;
    declined.S.Win.GameOver = kTrue;  // left from the previous match
    declined.Port.Answers = {MsgAnswer::No};
    EXPECT_FALSE(declined.Kernel.Init(declined.Dir.File("missing/zel.sav")));
    ASSERT_EQ(declined.Port.Messages.size(), 1u);
    EXPECT_EQ(declined.Port.Messages[0].Title, "Запись игры");
    EXPECT_EQ(declined.S.GameRunning, kFalse);
    EXPECT_EQ(declined.S.Win.RunTimerOn, kFalse);
    EXPECT_EQ(std::count(declined.Port.Log.begin(), declined.Port.Log.end(), "start device"), 0);
    ASSERT_EQ(declined.Port.NextWindows.size(), 1u);
    EXPECT_EQ(declined.Port.NextWindows[0].Screen, NextScreen::MainMenu);

    // Yes plays on without a file.
    KernelHarness goOn;
    goOn.Port.Answers = {MsgAnswer::Yes};
    EXPECT_TRUE(goOn.Kernel.Init(goOn.Dir.File("missing/zel.sav")));
}

TEST(MatchKernel, ContinuedGameKeepsItsHistoryAndSkipsAFallenStriker) {
    KernelHarness h(3);
    h.S.Win.ContinueGame = kTrue;
    h.Park(1);
    h.S.WhoSgin[1] = 1;
    h.S.CurSgin = 1;
    h.S.Vembas[1].SginCount = 1;
    h.S.CurG = 1;
    h.S.CurNG = 1;
    ASSERT_TRUE(h.Init());
    EXPECT_EQ(h.S.CurG, 2);
    EXPECT_EQ(h.S.CurNG, 2);
    EXPECT_EQ(h.S.CurSgin, 1);
    EXPECT_EQ(h.S.WhoSgin[1], 1);
    EXPECT_EQ(h.S.Vembas[1].SginCount, 1);
    EXPECT_TRUE(TempDir::Read(h.ReplayPath()).empty());  // continued games record nothing
}

TEST(MatchKernel, RestAtTheFirstTickPausesThenPassesTheTurn) {
    KernelHarness h(3);
    ASSERT_TRUE(h.Init());
    h.S.Win.CtrlState = kCtrlStrike;
    h.S.Win.RunTimerOn = kTrue;  // as a strike release leaves it

    h.Kernel.RunTimerTick();
    EXPECT_EQ(h.S.Win.PauseOn, kTrue);
    EXPECT_EQ(h.S.StatusText, "Переход хода!");
    EXPECT_EQ(h.Port.LabelShows, 1);
    EXPECT_TRUE(h.Port.FramesUpdated.empty());

    // While the second runs, ticks idle and the camera still answers.
    const int refreshes = h.Port.CameraRefreshes;
    h.Kernel.RunTimerTick();
    h.Press(vk::kPad4);
    EXPECT_TRUE(h.Port.FramesUpdated.empty());
    EXPECT_EQ(h.Port.CameraRefreshes, refreshes + 1);

    h.Kernel.PauseTick();
    EXPECT_EQ(h.S.Win.PauseOn, kFalse);
    EXPECT_EQ(h.S.CurG, 2);
    EXPECT_EQ(h.S.CurNG, 2);
    EXPECT_EQ(h.S.Win.CtrlState, kCtrlAiming);
    EXPECT_EQ(h.S.StatusText, kAimHint);
    EXPECT_EQ(h.S.SginFlushed, kTrue);
    EXPECT_TRUE(h.Port.AimVisibility.back());

    h.Kernel.PauseTick();  // a disabled timer does not fire
    EXPECT_EQ(h.S.CurG, 2);
}

TEST(MatchKernel, TurnPassesInTurnOrderSkippingFallenSlotsWithWrap) {
    KernelHarness h(4);
    h.S.KtoHodit = {0, 3, 1, 4, 2};
    ASSERT_TRUE(h.Init());
    ASSERT_EQ(h.S.CurG, 3);
    auto pass = [&] {
        h.S.Win.PauseOn = kTrue;
        h.Kernel.PauseTick();
        return h.S.CurG;
    };
    EXPECT_EQ(pass(), 1);
    h.Park(4);
    h.Park(2);
    EXPECT_EQ(pass(), 3);  // slots 3 and 4 hold fallen pieces: wrap to slot 1
    EXPECT_EQ(h.S.CurNG, 1);
    EXPECT_EQ(pass(), 1);
}

TEST(MatchKernel, StrikeRunsThePhysicsUntilRestAndRecordsItsSegment) {
    KernelHarness h(2);
    ASSERT_TRUE(h.Init());
    const double angle = h.S.Win.AimAngle;
    VembaRecord expected = h.S.Vembas[1];
    const double cx = h.S.CamX, cz = h.S.CamZ;

    h.Strike(40);
    EXPECT_EQ(h.S.Win.CtrlState, kCtrlStrike);
    EXPECT_EQ(h.S.Win.RunTimerOn, kTrue);
    EXPECT_EQ(h.S.Win.Busy, kFalse);
    EXPECT_EQ(h.Port.LabelHides, 1);
    EXPECT_FALSE(h.Port.AimVisibility.back());

    // The segment the strike was given, struck on a copy.
    const double sx = expected.Xpos / 10, sz = -expected.Ypos / 10;
    const double d = Hypot(sx - cx, sz - cz);
    Segment seg;
    seg.X1 = expected.Xpos + 20 * ((cx - sx) / d);
    seg.Y1 = expected.Ypos + 20 * (-(cz - sz) / d);
    seg.X2 = seg.X1 + 40 * std::sin(angle);
    seg.Y2 = seg.Y1 - 40 * std::cos(angle);
    std::int16_t power = 40;
    StrikeVemba(expected, seg, power);
    EXPECT_TRUE(SameBits(h.S.Vembas[1].Xvec, expected.Xvec));
    EXPECT_TRUE(SameBits(h.S.Vembas[1].u, expected.u));

    ReplayReader reader;
    ASSERT_TRUE(reader.OpenReplay(h.ReplayPath(), h.Port));
    ReplayStepRecord step;
    ASSERT_TRUE(reader.ReadStep(step, h.Port, h.Log));
    EXPECT_TRUE(SameBits(step.Xvec, seg.X2));
    EXPECT_TRUE(SameBits(step.Yvec, seg.Y2));
    EXPECT_TRUE(SameBits(step.X, seg.X1));
    EXPECT_TRUE(SameBits(step.Y, seg.Y1));
    EXPECT_EQ(step.G, 0);

    ASSERT_TRUE(h.RunToRest());
    const int ticks = static_cast<int>(h.Port.FramesUpdated.size()) / 2;
    ASSERT_GT(ticks, 0);
    EXPECT_EQ(h.Port.FramesUpdated[0], 1);
    EXPECT_EQ(h.Port.FramesUpdated[1], 2);
    EXPECT_NE(h.S.Vembas[1].Xpos, 30);
    h.Kernel.PauseTick();
    EXPECT_EQ(h.S.CurG, 2);
}

// Piece 2 stands in piece 1's way so that the first strike collides.
void Crowd(KernelHarness& h) {
    h.S.Vembas[2].Xpos = 120;
    h.S.Vembas[2].Ypos = 110;
}

// Plays one turn per power live and returns the pieces at every rest.
std::vector<VembaRecord> PlayLive(KernelHarness& h, const std::vector<int>& powers) {
    std::vector<VembaRecord> rests;
    Crowd(h);
    EXPECT_TRUE(h.Init());
    for (int power : powers) {
        h.Press(vk::kRight, 3);
        h.Press(vk::kPad6, 5);
        h.Strike(power);
        EXPECT_TRUE(h.RunToRest());
        for (int i = 1; i <= h.S.Num; ++i) rests.push_back(h.S.Vembas[i]);
        h.Kernel.PauseTick();
    }
    h.S.GameRunning = kFalse;
    h.Kernel.Close();
    return rests;
}

TEST(MatchKernel, ReplayRepeatsTheRecordedMatchBitForBitThenEnds) {
    KernelHarness live(3);
    const std::vector<VembaRecord> rests = PlayLive(live, {30, 20, 20});
    ASSERT_EQ(rests.size(), 9u);
    ASSERT_GE(CountAlive(live.S), 2);  // the match went on through all three turns
    ASSERT_NE(rests[1].Xpos, 120);  // the first strike did hit piece 2

    KernelHarness replay(3);
    Crowd(replay);
    replay.S.Win.ReplayMode = kTrue;
    ASSERT_TRUE(replay.Kernel.Playback().OpenReplay(live.ReplayPath(), replay.Port));
    ASSERT_TRUE(replay.Init());
    for (int turn = 0; turn < 3; ++turn) {
        ASSERT_TRUE(replay.RunToRest());
        for (int i = 1; i <= 3; ++i) {
            const VembaRecord& want = rests[turn * 3 + i - 1];
            const VembaRecord& got = replay.S.Vembas[i];
            EXPECT_TRUE(SameBits(got.Xpos, want.Xpos) && SameBits(got.Ypos, want.Ypos) &&
                        SameBits(got.Phi, want.Phi) && got.Life == want.Life)
                << "turn " << turn << " piece " << i;
        }
        replay.Kernel.PauseTick();
    }
    EXPECT_EQ(replay.S.WhoSgin, live.S.WhoSgin);
    EXPECT_EQ(replay.S.CurSgin, live.S.CurSgin);
    EXPECT_EQ(replay.Kernel.StepsApplied(), 3);
    EXPECT_TRUE(replay.Kernel.ReplayExhausted());
    ASSERT_FALSE(replay.Port.Messages.empty());
    const Message& end = replay.Port.Messages.back();
    EXPECT_EQ(end.Text, "Конец записи!");
    EXPECT_EQ(end.Title, "Просмотр повтора");
    EXPECT_EQ(end.Icon, MsgIcon::Information);
    EXPECT_EQ(replay.S.Win.GameOver, kTrue);
    EXPECT_EQ(replay.S.GameRunning, kFalse);
    replay.Kernel.Close();
    ASSERT_EQ(replay.Port.NextWindows.size(), 1u);
    EXPECT_EQ(replay.Port.NextWindows[0].Screen, NextScreen::SavedGames);
}

TEST(MatchKernel, ReplayStepWithoutStrikePassesTheTurnAndPotPowerBlasts) {
    KernelHarness h(3);
    const std::string file = h.Dir.Write(
        "old.sav", "Ver=1200\r\n[game]\r\nXvec=0\r\nYvec=0\r\nX=0\r\nY=0\r\nG=37\r\n");
    h.S.Win.ReplayMode = kTrue;
    ASSERT_TRUE(h.Kernel.Playback().OpenReplay(file, h.Port));
    ASSERT_TRUE(h.Init());
    EXPECT_EQ(h.S.Win.Power, 37);
    EXPECT_NE(h.S.GorImpulse[2].x, 0);
    EXPECT_EQ(h.S.Win.RunTimerOn, kTrue);
    EXPECT_EQ(h.S.Win.Busy, kFalse);
    EXPECT_EQ(h.S.Vembas[1].Xvec, 0);

    h.Kernel.RunTimerTick();  // nothing moves: the first tick sees rest
    EXPECT_EQ(h.S.Win.PauseOn, kTrue);
    h.Kernel.PauseTick();  // next turn: the file is exhausted
    EXPECT_EQ(h.S.CurG, 2);
    EXPECT_EQ(h.Port.LastText(), "Конец записи!");
    EXPECT_EQ(h.S.GameRunning, kFalse);
}

TEST(MatchKernel, ReplayWithoutStepsEndsBeforeTheFirstFrame) {
    KernelHarness h(2);
    const std::string file =
        h.Dir.Write("empty.sav", "Ver=1200\r\n[game]\r\n;Конец записи: 10:00:00\r\n");
    h.S.Win.ReplayMode = kTrue;
    ASSERT_TRUE(h.Kernel.Playback().OpenReplay(file, h.Port));
    EXPECT_TRUE(h.Init());
    EXPECT_EQ(h.S.GameRunning, kFalse);
    EXPECT_EQ(h.Port.WindowCloses, 1);
    EXPECT_EQ(h.Kernel.StepsApplied(), 0);
}

TEST(MatchKernel, ClosingFinishesTheFileAndOpensTheNextWindow) {
    struct Case {
        bool over, replay, team, cont;
        NextScreen screen;
        bool save;
    };
    const Case cases[] = {
        {true, false, false, false, NextScreen::Results, true},
        {true, false, false, true, NextScreen::Results, false},
        {true, false, true, false, NextScreen::Results, false},
        {false, false, true, false, NextScreen::Results, false},  // a team match left early
        {true, true, false, false, NextScreen::SavedGames, false},
        {false, false, false, false, NextScreen::MainMenu, false},
    };
    for (const Case& c : cases) {
        KernelHarness h;
        h.S.TeamGame = ToFlag(c.team);
        h.S.Win.ContinueGame = ToFlag(c.cont);
        if (!c.replay) {
            ASSERT_TRUE(h.Init());
        }
        h.S.Win.ReplayMode = ToFlag(c.replay);
        h.S.Win.GameOver = ToFlag(c.over);
        h.Kernel.Close();
        h.Kernel.Close();  // the second close does nothing
        ASSERT_EQ(h.Port.NextWindows.size(), 1u);
        EXPECT_EQ(h.Port.NextWindows[0].Screen, c.screen);
        EXPECT_EQ(h.Port.NextWindows[0].GameOver, c.over);
        EXPECT_EQ(h.Port.NextWindows[0].SaveReplay, c.save);
        EXPECT_EQ(h.Port.SceneShutdowns, 1);
        const bool recorded = !c.replay && !c.team && !c.cont;
        EXPECT_EQ(TempDir::Read(h.ReplayPath()).find(";Конец записи: ") != std::string::npos,
                  recorded);
    }
}

TEST(MatchKernel, TurnOverCountsFallenPiecesAsRestAndBringsTheLabelsBack) {
    KernelHarness h(3);
    h.Park(2);
    h.S.Vembas[3].u = 1e-300;
    EXPECT_FALSE(h.Kernel.IsTurnOver());
    h.S.Vembas[3].u = -0.0;
    EXPECT_TRUE(h.Kernel.IsTurnOver());
    EXPECT_EQ(h.Port.LabelShows, 1);
    h.S.NamesOn = kFalse;
    EXPECT_TRUE(h.Kernel.IsTurnOver());
    EXPECT_EQ(h.Port.LabelShows, 1);
    h.S.Num = 0;
    EXPECT_TRUE(h.Kernel.IsTurnOver());
    h.S.Num = -1;
    EXPECT_FALSE(h.Kernel.IsTurnOver());
}

TEST(MatchKernel, MatchWithNobodyLeftEndsOnMatchOver) {
    KernelHarness h(2);
    ASSERT_TRUE(h.Init());
    h.Park(1);
    h.Park(2);
    h.S.Win.PauseOn = kTrue;
    h.Kernel.PauseTick();
    EXPECT_EQ(h.S.StatusText, "Вемба закончена!");
    EXPECT_EQ(h.S.Winner, -1);
    EXPECT_EQ(h.S.GameRunning, kFalse);
    h.Kernel.Close();
    EXPECT_EQ(h.Port.NextWindows[0].Screen, NextScreen::Results);
}

// --- participants played on the other computer --------------------------

// A harness whose first striker is played on the other computer.
void StartWithRemoteStriker(KernelHarness& h) {
    h.S.PlayedElsewhere[h.S.KtoHodit[1]] = true;
    ASSERT_TRUE(h.Init());
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(MatchKernel, ARemoteParticipantsTurnRefusesTheStrikeKeysButNotTheCamera) {
    KernelHarness h;
    StartWithRemoteStriker(h);
    EXPECT_TRUE(h.Kernel.RemoteToStrike());
    EXPECT_FALSE(h.Kernel.LocalToStrike());
    EXPECT_FALSE(h.Kernel.ComputerToStrike());
    const double aim = h.S.Win.AimAngle, camX = h.S.CamX;
    h.Strike(50);
    h.Press(vk::kLeft);
    h.Press(vk::kF2);
    EXPECT_EQ(h.S.Win.CtrlState, kCtrlAiming);
    EXPECT_EQ(h.S.Win.Power, 0);
    EXPECT_TRUE(SameBits(h.S.Win.AimAngle, aim));
    h.Press(vk::kPad4);
    EXPECT_NE(h.S.CamX, camX);
}

TEST(MatchKernel, RemoteAimShowsTheStrikersViewAsItArrives) {
    KernelHarness h;
    StartWithRemoteStriker(h);
    ASSERT_TRUE(h.Kernel.RemoteAim(1.5, -2.5, 0.75, 0));
    EXPECT_EQ(h.S.CamX, 1.5);
    EXPECT_EQ(h.S.CamZ, -2.5);
    EXPECT_EQ(h.S.Win.AimAngle, 0.75);
    EXPECT_EQ(h.Port.ArrowAngles.back(), 0.75);
    ASSERT_TRUE(h.Kernel.RemoteAim(1.5, -2.5, 0.75, 40));
    EXPECT_EQ(h.S.Win.CtrlState, kCtrlCharging);
    EXPECT_EQ(h.S.StatusText, "Сила удара: 40");
}

TEST(MatchKernel, RemoteAimRefusesWhatNoTableHas) {
    KernelHarness h;
    StartWithRemoteStriker(h);
    const double camX = h.S.CamX;
    EXPECT_FALSE(h.Kernel.RemoteAim(std::nan(""), 0, 0, 0));
    EXPECT_FALSE(h.Kernel.RemoteAim(1e6, 0, 0, 0));
    EXPECT_FALSE(h.Kernel.RemoteAim(0, 0, INFINITY, 0));
    EXPECT_FALSE(h.Kernel.RemoteAim(0, 0, 0, 101));
    EXPECT_FALSE(h.Kernel.RemoteAim(0, 0, 0, -1));
    EXPECT_TRUE(SameBits(h.S.CamX, camX));
}

TEST(MatchKernel, LocalStrikesReachTheListenerWithTheRecordTheReplayGets) {
    KernelHarness h;
    std::vector<ReplayStepRecord> heard;
    h.Kernel.SetStrikeListener([&](const ReplayStepRecord& r) { heard.push_back(r); });
    ASSERT_TRUE(h.Init());
    h.Strike(60);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(Count(TempDir::Read(h.ReplayPath()), FormatReplayStep(heard[0])), 1u);
    EXPECT_NEAR(Hypot(heard[0].Xvec, heard[0].Yvec), 60, 0.5);
}

TEST(MatchKernel, ARemoteStrikePlaysAsTheLocalOneAndIsRecorded) {
    KernelHarness local;
    ReplayStepRecord record;
    local.Kernel.SetStrikeListener([&](const ReplayStepRecord& r) { record = r; });
    ASSERT_TRUE(local.Init());
    local.Strike(80);
    ASSERT_TRUE(local.RunToRest());

    KernelHarness remote;
    StartWithRemoteStriker(remote);
    EXPECT_FALSE(remote.Kernel.ScriptedStrike(record));  // not this side's participant
    ASSERT_TRUE(remote.Kernel.RemoteStrike(record));
    EXPECT_FALSE(remote.Kernel.RemoteStrike(record));    // one strike a turn
    ASSERT_TRUE(remote.RunToRest());
    for (int i = 1; i <= 2; ++i) {
        EXPECT_TRUE(SameBits(remote.S.Vembas[i].Xpos, local.S.Vembas[i].Xpos)) << i;
        EXPECT_TRUE(SameBits(remote.S.Vembas[i].Ypos, local.S.Vembas[i].Ypos)) << i;
        EXPECT_TRUE(SameBits(remote.S.Vembas[i].Phi, local.S.Vembas[i].Phi)) << i;
    }
    EXPECT_EQ(Count(TempDir::Read(remote.ReplayPath()), FormatReplayStep(record)), 1u);
}

TEST(MatchKernel, TheQuitPromptHereDoesNotStopTheOtherSidesStrike) {
    KernelHarness h;
    StartWithRemoteStriker(h);
    h.Press(vk::kEscape);
    ASSERT_EQ(h.S.Win.ExitAsked, kTrue);
    const VembaRecord& v = h.S.Vembas[h.S.CurG];
    EXPECT_TRUE(h.Kernel.RemoteStrike(ReplayStepRecord{30, 0, v.Xpos - 20, v.Ypos, 0}));
    EXPECT_EQ(h.S.Win.RunTimerOn, kTrue);
}

TEST(MatchKernel, RemoteAndScriptedStrikesKeepToTheirOwnTurns) {
    KernelHarness h;
    ASSERT_TRUE(h.Init());
    const ReplayStepRecord r{30, 0, h.S.Vembas[h.S.CurG].Xpos - 20, h.S.Vembas[h.S.CurG].Ypos, 0};
    EXPECT_FALSE(h.Kernel.RemoteStrike(r));
    std::vector<ReplayStepRecord> heard;
    h.Kernel.SetStrikeListener([&](const ReplayStepRecord& s) { heard.push_back(s); });
    ASSERT_TRUE(h.Kernel.ScriptedStrike(r));
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(FormatReplayStep(heard[0]), FormatReplayStep(r));
    EXPECT_EQ(h.S.Win.CtrlState, kCtrlStrike);
}

TEST(MatchKernel, TheAimListenerHearsEachChangeOfALocalStrikerOnce) {
    KernelHarness h;
    std::vector<MatchKernel::AimView> heard;
    h.Kernel.SetAimListener([&](const MatchKernel::AimView& v) { heard.push_back(v); });
    ASSERT_TRUE(h.Init());
    ASSERT_EQ(heard.size(), 1u);  // the turn start shows the aim
    EXPECT_EQ(heard[0].Participant, h.S.CurG);
    h.Press(vk::kLeft);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_TRUE(SameBits(heard[1].AimAngle, h.S.Win.AimAngle));
    h.Press(vk::kPad8);  // the camera's height is not the striker's to show
    EXPECT_EQ(heard.size(), 2u);
    h.Press(vk::kSpace);
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[2].Power, 2);
}

TEST(MatchKernel, TheAimListenerHearsNothingOfARemoteStriker) {
    KernelHarness h;
    int heard = 0;
    h.Kernel.SetAimListener([&](const MatchKernel::AimView&) { ++heard; });
    StartWithRemoteStriker(h);
    h.Press(vk::kPad4);
    h.Kernel.RemoteAim(1, 1, 1, 0);
    EXPECT_EQ(heard, 0);
}

TEST(MatchKernel, TheRestListenerHearsTheRestBeforeTheTurnEnd) {
    KernelHarness h;
    std::vector<int> strikerAtRest;
    h.Kernel.SetRestListener([&] { strikerAtRest.push_back(h.S.CurG); });
    std::vector<int> turns;
    h.Kernel.SetTurnListener([&](int striker) { turns.push_back(striker); });
    ASSERT_TRUE(h.Init());
    const int first = h.S.CurG;
    h.Strike(40);
    ASSERT_TRUE(h.RunToRest());
    EXPECT_EQ(strikerAtRest, std::vector<int>{first});
    h.Kernel.PauseTick();
    ASSERT_EQ(turns.size(), 2u);
    EXPECT_EQ(turns[0], first);
    EXPECT_EQ(turns[1], h.S.CurG);
    EXPECT_NE(turns[1], first);
}

TEST(MatchKernel, AHeldTurnEndWaitsUntilItIsReleased) {
    KernelHarness h;
    ASSERT_TRUE(h.Init());
    const int first = h.S.CurG;
    h.Strike(40);
    ASSERT_TRUE(h.RunToRest());
    h.Kernel.HoldTurnEnd(true);
    h.Kernel.PauseTick();
    EXPECT_EQ(h.S.CurG, first);
    EXPECT_EQ(h.S.Win.PauseOn, kTrue);
    h.Kernel.HoldTurnEnd(false);
    h.Kernel.PauseTick();
    EXPECT_NE(h.S.CurG, first);
}

TEST(MatchKernel, PlayingAloneHandsTheOtherSidesTurnsBack) {
    KernelHarness h;
    StartWithRemoteStriker(h);
    h.Kernel.HoldTurnEnd(true);
    h.Kernel.PlayAlone("Вемба прервана: связь потеряна.");
    EXPECT_EQ(h.S.StatusText, "Вемба прервана: связь потеряна.");
    EXPECT_FALSE(h.Kernel.TurnEndHeld());
    EXPECT_FALSE(h.Kernel.RemoteToStrike());
    h.Strike(20);
    EXPECT_EQ(h.S.Win.CtrlState, kCtrlStrike);
}

TEST(MatchKernel, NewMatchDefaultsPlayEveryParticipantHere) {
    KernelHarness h;
    h.S.PlayedElsewhere[2] = true;
    ResetMatchDefaults(h.S);
    EXPECT_FALSE(h.S.PlayedElsewhere[2]);
}

}  // namespace
}  // namespace zel
