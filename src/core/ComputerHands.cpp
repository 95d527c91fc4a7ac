// The computer player's hands: the same aim, charge and release a person
// makes with the keys, so its strikes take the kernel's one strike path and
// land in the replay like anyone's.
#include "core/KeyCodes.h"
#include "core/MatchKernel.h"
#include "core/Rules.h"

namespace zel {

bool MatchKernel::ComputerPlays() const {
    if (s_.CurG < 1 || s_.CurG > ParticipantCount(s_) || s_.CurG > kMaxParticipants) return false;
    return IsComputer(s_.Players[static_cast<std::size_t>(s_.CurG)]);
}

bool MatchKernel::ComputerToStrike() const {
    const MatchWindowFields& w = s_.Win;
    if (IsSet(w.ReplayMode) || !IsSet(s_.GameRunning) || IsSet(w.ExitAsked)) return false;
    if (w.CtrlState != kCtrlAiming && w.CtrlState != kCtrlCharging) return false;
    return ComputerPlays() && !RemotePlays() && IsSet(s_.Vembas[static_cast<std::size_t>(s_.CurG)].Life);
}

bool MatchKernel::ComputerAim(double camX, double camZ, double aimAngle) {
    if (!ComputerToStrike() || s_.Win.CtrlState != kCtrlAiming) return false;
    s_.CamX = camX;
    s_.CamZ = camZ;
    s_.Win.AimAngle = aimAngle;
    port_.OrientArrow(aimAngle);
    UpdateControl();
    port_.RefreshCamera();
    NotifyAim();
    return true;
}

bool MatchKernel::ComputerCharge() {
    if (!ComputerToStrike()) return false;
    HandleKeyDown(vk::kSpace, true);
    return true;
}

bool MatchKernel::ComputerRelease(double camX, double camZ) {
    if (!ComputerToStrike() || s_.Win.CtrlState != kCtrlCharging) return false;
    // The person may have moved the camera while the power rose; the touch
    // point is the one the computer chose.
    s_.CamX = camX;
    s_.CamZ = camZ;
    port_.RefreshCamera();
    NotifyAim();
    ReleaseStrike();
    return true;
}

}  // namespace zel
