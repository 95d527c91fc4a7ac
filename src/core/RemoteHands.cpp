// The other computer's hands in a network match, and what the network side
// hears of this computer's strikes: the striker's aim shown as it arrives,
// strikes played as replay mode plays a step record, both sides recording.
#include <cmath>
#include <string>

#include "core/MatchKernel.h"
#include "core/MatchTexts.h"
#include "core/ReachableRanges.h"
#include "core/Rules.h"

namespace zel {

namespace {

bool Within(double v, double bound) { return std::isfinite(v) && std::abs(v) <= bound; }

}  // namespace

bool MatchKernel::RemotePlays() const {
    if (s_.CurG < 1 || s_.CurG > ParticipantCount(s_) || s_.CurG > kMaxParticipants) return false;
    return s_.PlayedElsewhere[static_cast<std::size_t>(s_.CurG)];
}

bool MatchKernel::RemoteToStrike() const {
    const MatchWindowFields& w = s_.Win;
    // The quit prompt here does not stop the other side: its strike is
    // played whatever this side's player is asked.
    if (IsSet(w.ReplayMode) || !IsSet(s_.GameRunning)) return false;
    if (w.CtrlState != kCtrlAiming && w.CtrlState != kCtrlCharging) return false;
    return RemotePlays() && IsSet(s_.Vembas[static_cast<std::size_t>(s_.CurG)].Life);
}

bool MatchKernel::LocalToStrike() const {
    const MatchWindowFields& w = s_.Win;
    if (IsSet(w.ReplayMode) || !IsSet(s_.GameRunning)) return false;
    if (w.CtrlState != kCtrlAiming && w.CtrlState != kCtrlCharging && w.CtrlState != kCtrlFixed)
        return false;
    if (s_.CurG < 1 || s_.CurG > ParticipantCount(s_) || s_.CurG > kMaxParticipants) return false;
    return !RemotePlays() && IsSet(s_.Vembas[static_cast<std::size_t>(s_.CurG)].Life);
}

bool MatchKernel::RemoteAim(double camX, double camZ, double aimAngle, int power) {
    if (!RemoteToStrike()) return false;
    if (!Within(camX, kReachableRanges.MaxPosition) || !Within(camZ, kReachableRanges.MaxPosition) ||
        !Within(aimAngle, kReachableRanges.MaxHeading) || power < 0 ||
        power > kReachableRanges.MaxPower)
        return false;
    MatchWindowFields& w = s_.Win;
    s_.CamX = camX;
    s_.CamZ = camZ;
    w.AimAngle = aimAngle;
    if (power > 0) {
        // The other side holds the space bar: its power shows as ours would.
        w.CtrlState = kCtrlCharging;
        w.Power = static_cast<std::int16_t>(power);
        s_.StatusText = texts::kPowerPrefix + std::to_string(power);
    }
    port_.OrientArrow(aimAngle);
    UpdateControl();
    port_.RefreshCamera();
    return true;
}

bool MatchKernel::RemoteStrike(const ReplayStepRecord& step) {
    if (!RemoteToStrike()) return false;
    port_.SetAimVisible(false);
    PlayStep(step);
    // The other side's strike goes into this side's replay too.
    if (RecordsReplay() && writer_.IsOpen()) writer_.AppendStep(step, port_, log_);
    return true;
}

bool MatchKernel::ScriptedStrike(const ReplayStepRecord& step) {
    if (!LocalToStrike()) return false;
    port_.SetAimVisible(false);
    PlayStep(step);
    StrikeMade(step);
    return true;
}

void MatchKernel::NotifyAim() {
    if (!onAim_ || !LocalToStrike()) return;
    AimView v;
    v.Participant = s_.CurG;
    v.CamX = s_.CamX;
    v.CamZ = s_.CamZ;
    v.AimAngle = s_.Win.AimAngle;
    v.Power = s_.Win.Power;
    if (aimReported_ && v.Participant == lastAim_.Participant && v.CamX == lastAim_.CamX &&
        v.CamZ == lastAim_.CamZ && v.AimAngle == lastAim_.AimAngle && v.Power == lastAim_.Power)
        return;
    lastAim_ = v;
    aimReported_ = true;
    onAim_(v);
}

void MatchKernel::NotifyTurnStart() {
    aimReported_ = false;
    if (onTurn_) onTurn_(s_.CurG);
}

void MatchKernel::PiecesReplaced() {
    for (int i = 1; i <= ParticipantCount(s_); ++i) port_.UpdateVembaFrame(i);
}

void MatchKernel::PlayAlone(const std::string& text) {
    s_.PlayedElsewhere.fill(false);
    turnEndHeld_ = false;
    s_.StatusText = text;
    // A turn the other side was aiming is this side's now: its aim is shown.
    if (IsSet(s_.GameRunning) && s_.Win.CtrlState == kCtrlAiming) ShowTarg();
}

}  // namespace zel
