#include <gtest/gtest.h>

#include <cmath>

#include "core/KeyCodes.h"
#include "support/KernelHarness.h"

namespace zel {
namespace {

using test::KernelHarness;

// A started two-participant match, participant 1 aiming.
struct Aiming : KernelHarness {
    Aiming() { EXPECT_TRUE(Init()); }

    // The touch point the strike uses for the current camera.
    std::pair<double, double> Touch() const {
        const VembaRecord& v = S.Vembas[S.CurG];
        const double sx = v.Xpos / 10, sz = -v.Ypos / 10;
        const double d = Hypot(sx - S.CamX, sz - S.CamZ);
        return {v.Xpos + 20 * ((S.CamX - sx) / d), v.Ypos + 20 * (-(S.CamZ - sz) / d)};
    }

    // The first step record of this match's replay file.
    ReplayStepRecord RecordedStep() {
        ReplayReader reader;
        ReplayStepRecord r;
        EXPECT_TRUE(reader.OpenReplay(ReplayPath(), Port));
        EXPECT_TRUE(reader.ReadStep(r, Port, Log));
        return r;
    }
};

TEST(Controls, SpaceChargesTwoPerPressUpToAHundred) {
    Aiming h;
    h.Press(vk::kSpace);
    EXPECT_EQ(h.S.Win.CtrlState, kCtrlCharging);
    EXPECT_EQ(h.S.Win.Power, 2);
    EXPECT_EQ(h.S.StatusText, "Сила удара: 2");
    h.Press(vk::kSpace, 60);
    EXPECT_EQ(h.S.Win.Power, 100);
    EXPECT_EQ(h.S.StatusText, "Сила удара: 100");
}

TEST(Controls, SingleTapStrikesWithPowerTwo) {
    Aiming h;
    h.Strike(2);
    EXPECT_NEAR(Hypot(h.S.Vembas[1].Xvec, h.S.Vembas[1].Yvec), 0.2, 1e-12);
}

TEST(Controls, FullPowerStrikePlaysOneOfThreeSoundsThreeTimesInTen) {
    struct Case {
        double random;
        int power;
        bool sound;
        int slot;  // -1: silent
    };
    const Case cases[] = {{0.05, 100, true, -1}, {0.15, 100, true, 4}, {0.25, 100, true, 5},
                          {0.35, 100, true, 6},  {0.45, 100, true, -1}, {0.99, 100, true, -1},
                          {0.15, 98, true, -1},  {0.15, 100, false, -1}};
    for (const Case& c : cases) {
        KernelHarness h;
        h.S.Sound = ToFlag(c.sound);
        ASSERT_TRUE(h.Init());
        h.Port.Sounds.clear();
        h.Port.RandomNumbers = {c.random};
        h.Strike(c.power);
        if (c.slot < 0) {
            EXPECT_TRUE(h.Port.Sounds.empty()) << c.random << " " << c.power;
        } else {
            ASSERT_EQ(h.Port.Sounds.size(), 1u);
            EXPECT_EQ(h.Port.Sounds[0].Slot, c.slot);
            EXPECT_EQ(h.Port.Sounds[0].Volume, -10);
        }
    }
}

TEST(Controls, FixedParametersRefuseAimAndChargeUntilF2Again) {
    Aiming h;
    h.Press(vk::kLeft);
    const double angle = h.S.Win.AimAngle;
    h.Press(vk::kF2);
    EXPECT_EQ(h.S.Win.CtrlState, kCtrlFixed);
    EXPECT_EQ(h.S.Win.ParamsFixed, kTrue);

    const size_t placements = h.Port.AimPlacements.size();
    const int refreshes = h.Port.CameraRefreshes;
    h.Press(vk::kSpace);
    h.Press(vk::kRight);
    h.Press(vk::kPad4);
    EXPECT_EQ(h.S.Win.Power, 0);
    EXPECT_EQ(h.S.Win.AimAngle, angle);
    EXPECT_EQ(h.Port.AimPlacements.size(), placements);  // the marker stays
    EXPECT_EQ(h.Port.CameraRefreshes, refreshes + 3);

    h.Press(vk::kF2);
    EXPECT_EQ(h.S.Win.CtrlState, kCtrlAiming);
    EXPECT_EQ(h.S.Win.ParamsFixed, kFalse);
    EXPECT_EQ(h.S.Win.AimAngle, angle);
    h.Press(vk::kSpace);
    h.Press(vk::kF2);  // charging: F2 does nothing
    EXPECT_EQ(h.S.Win.CtrlState, kCtrlCharging);
    h.Press(vk::kLeft);
    EXPECT_EQ(h.S.Win.AimAngle, angle);
}

TEST(Controls, AimAngleWrapsOnceItPassesTwoPi) {
    Aiming h;
    const double twoPi = 2 * h.S.Pi;
    h.S.Win.AimAngle = -twoPi + 0.15;
    h.Press(vk::kLeft);
    EXPECT_EQ(h.S.Win.AimAngle, -twoPi + 0.15 - 0.1);
    h.Press(vk::kLeft);
    EXPECT_EQ(h.S.Win.AimAngle, -twoPi + 0.15 - 0.1 - 0.1 + twoPi);
    EXPECT_EQ(h.Port.ArrowAngles.back(), h.S.Win.AimAngle);

    h.S.Win.AimAngle = twoPi - 0.05;
    h.Press(vk::kRight);
    EXPECT_EQ(h.S.Win.AimAngle, twoPi - 0.05 + 0.1 - twoPi);
}

TEST(Controls, CameraHeightStopsAtMinus35And101WithoutRefresh) {
    Aiming h;
    h.S.CamY = -34;
    int refreshes = h.Port.CameraRefreshes;
    h.Press(vk::kPad2);
    EXPECT_EQ(h.S.CamY, -35);
    EXPECT_EQ(h.Port.CameraRefreshes, ++refreshes);
    h.Press(vk::kPad2);
    EXPECT_EQ(h.S.CamY, -35);
    EXPECT_EQ(h.Port.CameraRefreshes, refreshes);

    h.S.CamY = 100;
    h.Press(vk::kPad8);
    h.Press(vk::kPad8);
    EXPECT_EQ(h.S.CamY, 101);
    EXPECT_EQ(h.Port.CameraRefreshes, refreshes + 1);
}

TEST(Controls, ZoomAndOrbitWorkOnOffsetsRoundedHalfToEven) {
    Aiming h;
    const double tx = h.S.TargX, tz = h.S.TargZ;
    h.S.CamX = tx + 2.5;  // rounds to 2: close enough, keypad + leaves it
    h.S.CamZ = tz + 3.5;  // rounds to 4
    h.Press(vk::kPadPlus);
    EXPECT_EQ(h.S.CamX, tx + 2.5);
    EXPECT_EQ(h.S.CamZ, 4 * 0.95 + tz);

    h.S.CamX = tx + 1000.4;
    h.S.CamZ = tz;
    h.Press(vk::kPadMinus);
    EXPECT_EQ(h.S.CamX, 1000 * 1.1 + tx);
    const int refreshes = h.Port.CameraRefreshes;
    h.S.CamX = tx - 1000.6;
    h.Press(vk::kPadMinus);
    EXPECT_EQ(h.S.CamX, tx - 1000.6);
    EXPECT_EQ(h.Port.CameraRefreshes, refreshes);

    h.S.CamX = tx - 70.4;
    h.S.CamZ = tz + 10.5;  // rounds to 10
    h.Press(vk::kPad4);
    const double a = -0.05;
    EXPECT_EQ(h.S.CamX, -70 * std::cos(a) - 10 * std::sin(a) + tx);
    EXPECT_EQ(h.S.CamZ, 10 * std::cos(a) + -70 * std::sin(a) + tz);
}

TEST(Controls, EscapeAsksAndOnlyEscapeNAndYAnswer) {
    Aiming h;
    const int refreshes = h.Port.CameraRefreshes;
    h.Press(vk::kEscape);
    EXPECT_EQ(h.S.Win.ExitAsked, kTrue);
    EXPECT_EQ(h.S.Win.PromptText, "Выйти из игры? (Y/N)");
    EXPECT_EQ(h.S.Win.PromptX, 40);
    EXPECT_EQ(h.S.Win.PromptY, 30);
    h.Press(vk::kSpace);
    h.Press(vk::kPad4);
    EXPECT_EQ(h.S.Win.Power, 0);
    EXPECT_EQ(h.Port.CameraRefreshes, refreshes);

    h.Press(vk::kN);
    EXPECT_EQ(h.S.Win.ExitAsked, kFalse);
    h.Press(vk::kEscape, 2);
    EXPECT_EQ(h.S.Win.ExitAsked, kFalse);

    h.S.Win.RunTimerOn = kTrue;
    h.Press(vk::kEscape);
    h.Press(vk::kY);
    EXPECT_EQ(h.S.GameRunning, kFalse);
    EXPECT_EQ(h.S.Win.RunTimerOn, kFalse);
    EXPECT_EQ(h.S.Win.Busy, kTrue);
    h.Kernel.Close();
    EXPECT_EQ(h.S.Win.ExitAsked, kFalse);
    EXPECT_EQ(h.Port.NextWindows[0].Screen, NextScreen::MainMenu);
}

TEST(Controls, F3TogglesLabelsAndDuringAStrikeWaitsForRest) {
    Aiming h;
    h.Press(vk::kF3);
    EXPECT_EQ(h.Port.LabelHides, 1);
    EXPECT_EQ(h.S.NamesOn, kFalse);
    EXPECT_EQ(h.S.NamesDetached, kTrue);
    h.Strike(10);  // the labels are already out: no second hide
    EXPECT_EQ(h.Port.LabelHides, 1);

    h.Press(vk::kF3);  // strike running: wanted again, shown at rest
    EXPECT_EQ(h.S.NamesOn, kTrue);
    EXPECT_EQ(h.Port.LabelShows, 0);
    ASSERT_TRUE(h.RunToRest());
    EXPECT_EQ(h.Port.LabelShows, 1);
    EXPECT_EQ(h.S.NamesDetached, kFalse);

    h.Kernel.PauseTick();
    h.Press(vk::kF3);
    h.Press(vk::kF3);  // aiming: shown at once
    EXPECT_EQ(h.Port.LabelHides, 2);
    EXPECT_EQ(h.Port.LabelShows, 2);
}

// The table is at rest from the rest test to the turn change: F3 acts at
// once there, and the next turn starts with the labels as F3 left them.
TEST(Controls, F3DuringTheTurnEndPauseDecidesTheLabelsOfTheNextTurn) {
    Aiming h;
    h.Strike(10);
    ASSERT_TRUE(h.RunToRest());
    ASSERT_TRUE(h.Port.LabelsInScene);
    h.Press(vk::kF3);
    h.Press(vk::kF3);  // off and on again: wanted
    EXPECT_TRUE(h.Port.LabelsInScene);
    h.Kernel.PauseTick();
    ASSERT_EQ(h.S.Win.CtrlState, kCtrlAiming);
    EXPECT_EQ(h.S.NamesOn, kTrue);
    EXPECT_TRUE(h.Port.LabelsInScene);

    h.Strike(10);
    ASSERT_TRUE(h.RunToRest());
    h.Press(vk::kF3);  // off only
    h.Kernel.PauseTick();
    EXPECT_EQ(h.S.NamesOn, kFalse);
    EXPECT_FALSE(h.Port.LabelsInScene);

    // Off during the strike, on during the pause: the rest test showed
    // nothing, F3 shows them over the pieces at rest.
    h.Strike(10);
    ASSERT_TRUE(h.RunToRest());
    ASSERT_FALSE(h.Port.LabelsInScene);
    h.Press(vk::kF3);
    EXPECT_TRUE(h.Port.LabelsInScene);
    h.Kernel.PauseTick();
    EXPECT_TRUE(h.Port.LabelsInScene);
}

TEST(Controls, MarkerStandsOneRadiusFromThePieceTowardsTheCamera) {
    Aiming h;
    const VembaRecord& v = h.S.Vembas[1];
    const double sx = v.Xpos / 10, sz = -v.Ypos / 10;
    const double d = Hypot(sx - h.S.CamX, sz - h.S.CamZ);
    const double k = (d - 2.0) / d;
    ASSERT_FALSE(h.Port.AimPlacements.empty());
    EXPECT_EQ(h.Port.AimPlacements.back().X, h.S.CamX + k * (sx - h.S.CamX));
    EXPECT_EQ(h.Port.AimPlacements.back().Z, h.S.CamZ + k * (sz - h.S.CamZ));
    const auto [tx, ty] = h.Touch();
    EXPECT_NEAR(h.Port.AimPlacements.back().X, tx / 10, 1e-12);
    EXPECT_NEAR(h.Port.AimPlacements.back().Z, -ty / 10, 1e-12);
}

TEST(Controls, CameraMovedWhileChargingLeavesTheMarkerButTheStrikeFacesItsNewPlace) {
    Aiming h;
    const auto before = h.Touch();
    h.Press(vk::kSpace, 5);
    const size_t placements = h.Port.AimPlacements.size();
    h.Press(vk::kPad4, 10);
    EXPECT_EQ(h.Port.AimPlacements.size(), placements);
    const auto after = h.Touch();
    ASSERT_GT(std::abs(after.first - before.first), 1.0);
    h.Kernel.KeyUp(vk::kSpace);
    const ReplayStepRecord step = h.RecordedStep();
    EXPECT_EQ(step.X, after.first);
    EXPECT_EQ(step.Y, after.second);
}

TEST(Controls, CameraRightAboveThePieceAimsAndStrikesThroughItsCentre) {
    Aiming h;
    const VembaRecord& v = h.S.Vembas[1];
    h.S.CamX = v.Xpos / 10;
    h.S.CamZ = -v.Ypos / 10;
    h.S.Win.AimAngle = 0.7;
    h.Kernel.UpdateControl();
    const double a = h.S.Win.AimAngle;
    const double bx = v.Xpos - 20 * std::sin(a), by = v.Ypos + 20 * std::cos(a);
    EXPECT_EQ(h.Port.AimPlacements.back().X, bx / 10);
    EXPECT_EQ(h.Port.AimPlacements.back().Z, -by / 10);

    h.Strike(50);
    EXPECT_TRUE(std::isfinite(v.Xvec) && std::isfinite(v.Yvec) && std::isfinite(v.u));
    EXPECT_NEAR(v.u, 0, 1e-12);
    EXPECT_NEAR(v.Xvec, 5 * std::sin(a), 1e-12);
    EXPECT_NEAR(v.Yvec, -5 * std::cos(a), 1e-12);
    const ReplayStepRecord step = h.RecordedStep();
    EXPECT_EQ(step.X, bx);
    EXPECT_EQ(step.Y, by);
}

TEST(Controls, ShowTargAimsFromTheCameraHeightAndKeepsTheAngleWhenUndefined) {
    Aiming h;
    h.S.CamX = -40;
    h.S.CamY = 20;
    h.Kernel.ShowTarg();
    EXPECT_EQ(h.S.Win.AimAngle, std::atan((-40 - h.S.TargX) / (20 - h.S.TargZ)) + 4 * std::atan(1.0));
    EXPECT_EQ(h.S.Win.CtrlState, kCtrlAiming);

    h.S.Win.AimAngle = 1.25;
    h.S.Win.Power = 30;
    h.S.CamY = h.S.TargZ;
    h.Kernel.ShowTarg();
    EXPECT_EQ(h.S.Win.AimAngle, 1.25);
    EXPECT_EQ(h.S.Win.Power, 0);
    EXPECT_EQ(h.Port.ArrowAngles.back(), 1.25);
}

TEST(Controls, OnlyReleasingSpaceWhileChargingStrikes) {
    Aiming h;
    h.Kernel.KeyUp(vk::kSpace);
    EXPECT_EQ(h.S.Win.CtrlState, kCtrlAiming);
    h.Press(vk::kSpace);
    h.Kernel.KeyUp(vk::kLeft);
    EXPECT_EQ(h.S.Win.CtrlState, kCtrlCharging);
    EXPECT_EQ(h.S.Win.RunTimerOn, kFalse);
}

TEST(Controls, ReplayLeavesStrikesToTheRecordingButNotTheCamera) {
    KernelHarness h;
    h.S.Win.ReplayMode = kTrue;
    const std::string file = h.Dir.Write("r.sav", "[game]\r\n");
    ASSERT_TRUE(h.Kernel.Playback().OpenReplay(file, h.Port));
    h.Init();
    h.S.Win.CtrlState = kCtrlAiming;
    const double angle = h.S.Win.AimAngle, camX = h.S.CamX;
    h.Press(vk::kSpace);
    h.Press(vk::kLeft);
    h.Press(vk::kF2);
    h.Press(vk::kPad6);
    EXPECT_EQ(h.S.Win.CtrlState, kCtrlAiming);
    EXPECT_EQ(h.S.Win.Power, 0);
    EXPECT_EQ(h.S.Win.AimAngle, angle);
    EXPECT_NE(h.S.CamX, camX);
}

}  // namespace
}  // namespace zel
