// The player's keys, the aim marker and the strike release.
#include <cmath>
#include <string>

#include "core/AimGeometry.h"
#include "core/KeyCodes.h"
#include "core/MatchKernel.h"
#include "core/MatchTexts.h"
#include "base/Rounding.h"
#include "physics/Motion.h"

namespace zel {

namespace {

constexpr double kAimStep = 0.1;      // radians per arrow press
constexpr double kOrbitStep = 0.05;   // radians per keypad 4 / 6 press
constexpr double kZoomIn = 0.95;
constexpr double kZoomOut = 1.1;
constexpr double kMinZoomOffset = 2;     // keypad + stops shrinking below this
constexpr double kMaxZoomOffset = 1000;  // keypad - refuses beyond this
constexpr double kLowestCamera = -34;    // keypad 2 still lowers from here
constexpr double kHighestCamera = 100;   // keypad 8 still raises from here
constexpr std::int16_t kPowerStep = 2;
constexpr std::int16_t kMaxPower = 100;

}  // namespace

void MatchKernel::KeyDown(int key) {
    // A replay plays its recorded strikes and the computer its own: only
    // the view is the person's then.
    HandleKeyDown(key, !IsSet(s_.Win.ReplayMode) && !ComputerPlays() && !RemotePlays());
}

void MatchKernel::HandleKeyDown(int key, bool strikeKeys) {
    MatchWindowFields& w = s_.Win;
    if (IsSet(w.ExitAsked)) {
        if (key == vk::kEscape || key == vk::kN) {
            w.ExitAsked = kFalse;
        } else if (key == vk::kY) {
            s_.GameRunning = kFalse;
            w.RunTimerOn = kFalse;
            w.Busy = kTrue;
        }
        return;
    }
    if (key == vk::kEscape) {
        w.ExitAsked = kTrue;
        w.PromptText = texts::kQuitPrompt;
        w.PromptX = 40;
        w.PromptY = 30;
        return;
    }

    // The camera's offset from the point it looks at, in whole scene units.
    const double dx = RoundHalfEven(s_.CamX - s_.TargX);
    const double dz = RoundHalfEven(s_.CamZ - s_.TargZ);
    const double twoPi = 2 * s_.Pi;

    auto orbit = [&](double a) {
        s_.CamX = dx * std::cos(a) - dz * std::sin(a) + s_.TargX;
        s_.CamZ = dz * std::cos(a) + dx * std::sin(a) + s_.TargZ;
        UpdateControl();
    };

    switch (key) {
    case vk::kSpace:
        if (!strikeKeys) break;
        if (w.CtrlState == kCtrlAiming) w.CtrlState = kCtrlCharging;
        if (w.CtrlState == kCtrlCharging && w.Power < kMaxPower) {
            w.Power = static_cast<std::int16_t>(w.Power + kPowerStep);
            s_.StatusText = texts::kPowerPrefix + std::to_string(w.Power);
        }
        break;
    case vk::kLeft:
        if (!strikeKeys || w.CtrlState != kCtrlAiming) break;
        w.AimAngle = w.AimAngle - kAimStep;
        if (w.AimAngle < -twoPi) w.AimAngle = w.AimAngle + twoPi;
        port_.OrientArrow(w.AimAngle);
        UpdateControl();
        break;
    case vk::kRight:
        if (!strikeKeys || w.CtrlState != kCtrlAiming) break;
        w.AimAngle = w.AimAngle + kAimStep;
        if (w.AimAngle > twoPi) w.AimAngle = w.AimAngle - twoPi;
        port_.OrientArrow(w.AimAngle);
        UpdateControl();
        break;
    case vk::kPad2:
        if (!(s_.CamY >= kLowestCamera)) return;  // refused: not even a camera refresh
        s_.CamY = s_.CamY - 1;
        break;
    case vk::kPad8:
        if (!(s_.CamY <= kHighestCamera)) return;
        s_.CamY = s_.CamY + 1;
        break;
    case vk::kPad4:
        orbit(-kOrbitStep);
        break;
    case vk::kPad6:
        orbit(kOrbitStep);
        break;
    case vk::kPadPlus:
        if (std::abs(dx) > kMinZoomOffset) s_.CamX = dx * kZoomIn + s_.TargX;
        if (std::abs(dz) > kMinZoomOffset) s_.CamZ = dz * kZoomIn + s_.TargZ;
        UpdateControl();
        break;
    case vk::kPadMinus:
        if (!(std::abs(dx) <= kMaxZoomOffset && std::abs(dz) <= kMaxZoomOffset)) return;
        s_.CamX = dx * kZoomOut + s_.TargX;
        s_.CamZ = dz * kZoomOut + s_.TargZ;
        UpdateControl();
        break;
    case vk::kF2:
        if (!strikeKeys) break;
        if (IsSet(w.ParamsFixed) && w.CtrlState == kCtrlFixed) {
            w.CtrlState = kCtrlAiming;
            w.ParamsFixed = kFalse;
        } else if (!IsSet(w.ParamsFixed) && w.CtrlState == kCtrlAiming) {
            w.CtrlState = kCtrlFixed;
            w.ParamsFixed = kTrue;
        }
        break;
    case vk::kF5:
        SaveGame();
        break;
    case vk::kF3:
        if (IsSet(s_.NamesOn)) {
            HideLabels();
            s_.NamesDetached = kTrue;
            s_.NamesOn = kFalse;
        } else {
            // While the pieces move the labels come back at the next rest.
            // From the rest test to the turn change the pieces are still:
            // that rest test has passed, so they are shown at once.
            const bool piecesMoving = w.CtrlState >= kCtrlStrike && !IsSet(w.PauseOn);
            if (!piecesMoving) ShowLabels();
            s_.NamesOn = kTrue;
        }
        break;
    default:
        break;
    }
    port_.RefreshCamera();
    NotifyAim();
}

void MatchKernel::KeyUp(int key) {
    if (key != vk::kSpace || s_.Win.CtrlState != kCtrlCharging) return;
    if (IsSet(s_.Win.ReplayMode) || ComputerPlays() || RemotePlays()) return;
    ReleaseStrike();
}

void MatchKernel::ShowTarg() {
    MatchWindowFields& w = s_.Win;
    w.Power = 0;
    port_.SetAimVisible(true);
    w.AimAngle = AimAngleFromCamera(s_, w.AimAngle);
    port_.OrientArrow(w.AimAngle);
    w.CtrlState = kCtrlAiming;
    UpdateControl();
    NotifyAim();
}

void MatchKernel::UpdateControl() {
    if (s_.Win.CtrlState != kCtrlAiming) return;
    const VembaRecord* striker = Striker();
    if (striker == nullptr) return;
    const ScenePoint p = AimMarkerPoint(s_, *striker, s_.Win.AimAngle);
    port_.PlaceAim(p.X, p.Z);
}

void MatchKernel::ReleaseStrike() {
    MatchWindowFields& w = s_.Win;
    w.CtrlState = kCtrlStrike;
    port_.SetAimVisible(false);
    if (VembaRecord* striker = Striker()) {
        const AimPoint touch = StrikeTouchPoint(s_, *striker, w.AimAngle);
        Segment seg = StrikeSegment(touch, w.AimAngle, w.Power);
        PlayStrikeSound();
        StrikeVemba(*striker, seg, w.Power);
        // The strike leaves its vector in X2/Y2: that is what a replay needs.
        ReplayStepRecord r;
        r.Xvec = seg.X2;
        r.Yvec = seg.Y2;
        r.X = seg.X1;
        r.Y = seg.Y1;
        r.G = 0;
        StrikeMade(r);
    }
    HideLabels();
    StartSimulation();
}

}  // namespace zel
