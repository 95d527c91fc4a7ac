#include <gtest/gtest.h>

#include "MatchHarness.h"
#include "core/KeyCodes.h"
#include "core/MatchKernel.h"
#include "core/MatchTexts.h"
#include "match/KeyMapping.h"
#include "render/Frame.h"
#include "support/FakeMatchPort.h"

namespace zel::test {
namespace {

using match::VirtualKeyFor;

float F(double x) { return static_cast<float>(x); }

// The keys the window tests below do not send: the rest of the keypad in
// both NumLock states, and the main block's own codes.
TEST(MatchKeys, KeypadGivesItsCodesWithNumLockOnAndOff) {
    const Qt::KeyboardModifiers pad = Qt::KeypadModifier;
    EXPECT_EQ(VirtualKeyFor(Qt::Key_7, pad), 103);
    EXPECT_EQ(VirtualKeyFor(Qt::Key_Home, pad), 103);
    EXPECT_EQ(VirtualKeyFor(Qt::Key_PageDown, pad), 99);
    EXPECT_EQ(VirtualKeyFor(Qt::Key_Insert, pad), 96);
    EXPECT_EQ(VirtualKeyFor(Qt::Key_Down, pad), vk::kPad2);
    EXPECT_EQ(VirtualKeyFor(Qt::Key_8, pad), vk::kPad8);
    EXPECT_EQ(VirtualKeyFor(Qt::Key_Down, Qt::NoModifier), 40);
    EXPECT_EQ(VirtualKeyFor(Qt::Key_4, Qt::NoModifier), '4');
    EXPECT_EQ(VirtualKeyFor(Qt::Key_Minus, Qt::NoModifier), 0);
    EXPECT_EQ(VirtualKeyFor(Qt::Key_Y, Qt::ShiftModifier), vk::kY);
    EXPECT_EQ(VirtualKeyFor(Qt::Key_F3, Qt::NoModifier), vk::kF3);
}

// Each key sent to the window must change the match exactly as the kernel
// given the same virtual-key code directly does, and the scene must follow:
// the camera frame to (CamX, CamY, CamZ), the marker to where UpdateControl
// puts it, the arrow turned by AimAngle.
TEST(MatchKeys, KeysMoveCameraAimAndMarkerAsTheControlsCompute) {
    MatchHarness h;
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int code;
    };
    const Case cases[] = {
        {Qt::Key_4, Qt::KeypadModifier, vk::kPad4},      // NumLock on
        {Qt::Key_Right, Qt::KeypadModifier, vk::kPad6},  // NumLock off
        {Qt::Key_Left, Qt::KeypadModifier, vk::kPad4},
        {Qt::Key_Up, Qt::KeypadModifier, vk::kPad8},
        {Qt::Key_2, Qt::KeypadModifier, vk::kPad2},
        {Qt::Key_Plus, Qt::KeypadModifier, vk::kPadPlus},
        {Qt::Key_Minus, Qt::KeypadModifier, vk::kPadMinus},
        {Qt::Key_Left, Qt::NoModifier, vk::kLeft},
        {Qt::Key_Right, Qt::NoModifier, vk::kRight},
        {Qt::Key_Left, Qt::NoModifier, vk::kLeft},
    };
    int checked = 0;
    for (const Case& c : cases) {
        auto expected = std::make_shared<MatchState>();
        auto twin = std::make_shared<FakeMatchPort>();
        h.Do([&h, expected, twin, c](match::MatchWindow&) {
            *expected = h.s;
            MatchKernel kernel(*expected, *twin, h.log);
            kernel.KeyDown(c.code);
        });
        h.Tap(c.key, c.mods);
        h.Do([&h, expected, twin, &checked, c](match::MatchWindow& w) {
            SCOPED_TRACE(c.code);
            EXPECT_EQ(h.s.CamX, expected->CamX);
            EXPECT_EQ(h.s.CamY, expected->CamY);
            EXPECT_EQ(h.s.CamZ, expected->CamZ);
            EXPECT_EQ(h.s.Win.AimAngle, expected->Win.AimAngle);
            render::SceneSlots& z = w.Graph().Slots();
            const render::Vec3 cam = z.CameraFrame->Position(z.SceneRoot.get());
            EXPECT_EQ(F(cam.x), F(h.s.CamX));
            EXPECT_EQ(F(cam.y), F(h.s.CamY));
            EXPECT_EQ(F(cam.z), F(h.s.CamZ));
            if (!twin->AimPlacements.empty()) {
                const render::Vec3 marker = z.AimMarkerFrame->Position(z.SceneRoot.get());
                EXPECT_EQ(F(marker.x), F(twin->AimPlacements.back().X));
                EXPECT_EQ(F(marker.y), 0.5f);
                EXPECT_EQ(F(marker.z), F(twin->AimPlacements.back().Z));
            }
            // The arrow's forward axis along the strike direction.
            const render::Vec3 forward = z.AimArrowFrame->World().ApplyToDirection({0, 0, 1});
            EXPECT_NEAR(forward.x, std::sin(h.s.Win.AimAngle), 1e-6);
            EXPECT_NEAR(forward.z, std::cos(h.s.Win.AimAngle), 1e-6);
            ++checked;
        });
    }
    h.Quit();
    ASSERT_TRUE(h.Run());
    EXPECT_FALSE(h.timedOut);
    EXPECT_EQ(checked, static_cast<int>(std::size(cases)));
}

TEST(MatchKeys, HeldSpaceChargesByRepeatsAndOnlyTheRealReleaseStrikes) {
    MatchHarness h;
    h.Press(Qt::Key_Space);
    for (int i = 0; i < 9; ++i) {
        h.Release(Qt::Key_Space, Qt::NoModifier, true);
        h.Press(Qt::Key_Space, Qt::NoModifier, true);
    }
    h.Do([&h](match::MatchWindow& w) {
        EXPECT_EQ(h.s.Win.CtrlState, kCtrlCharging);
        EXPECT_EQ(h.s.Win.Power, 20);
        EXPECT_EQ(h.s.StatusText, std::string(texts::kPowerPrefix) + "20");
        EXPECT_FALSE(w.RunTimerActive());
        EXPECT_FALSE(w.Graph().Slots().AimMarkerFrame->Visuals().empty());
        EXPECT_TRUE(w.Labels().Shown());
    });
    h.Release(Qt::Key_Space);
    h.Do([&h](match::MatchWindow& w) {
        EXPECT_EQ(h.s.Win.CtrlState, kCtrlStrike);
        EXPECT_TRUE(w.RunTimerActive());
        EXPECT_TRUE(w.Graph().Slots().AimMarkerFrame->Visuals().empty());
        EXPECT_TRUE(w.Graph().Slots().AimArrowFrame->Visuals().empty());
        EXPECT_FALSE(w.Labels().Shown());
    });
    // The table comes to rest; one second later the turn passes.
    h.WaitFor([&h] { return h.s.CurG == 2; });
    h.Do([&h](match::MatchWindow& w) {
        EXPECT_EQ(h.s.Win.CtrlState, kCtrlAiming);
        EXPECT_EQ(h.s.Win.Power, 0);
        EXPECT_FALSE(w.PauseActive());
        EXPECT_TRUE(w.Labels().Shown());
    });
    h.Quit();
    ASSERT_TRUE(h.Run());
    EXPECT_FALSE(h.timedOut);
}

}  // namespace
}  // namespace zel::test
