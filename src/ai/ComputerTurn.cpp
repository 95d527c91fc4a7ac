#include "ai/ComputerTurn.h"

#include <algorithm>
#include <cmath>

#include "ai/ComputerMatch.h"

namespace zel::ai {

namespace {
constexpr double kTwoPi = 6.283185307179586;
}

ComputerTurn::ComputerTurn(MatchState& s, MatchKernel& k, WorkerPool& pool, std::uint64_t seed)
    : s_(s), k_(k), pool_(pool), seed_(seed) {}

ComputerTurn::~ComputerTurn() { Stop(); }

void ComputerTurn::Stop() {
    stop_ = true;
    Join();
    phase_ = Phase::Waiting;
}

void ComputerTurn::Join() {
    if (search_.joinable()) search_.join();
}

void ComputerTurn::Drop() { Stop(); }

void ComputerTurn::Begin(double nowMs) {
    snapshot_ = s_;
    stop_ = false;
    ready_ = false;
    const PlayerKind level = s_.Players[static_cast<std::size_t>(s_.CurG)];
    const std::uint64_t seed = TurnSeed(seed_, strikes_);
    search_ = std::thread([this, level, seed] {
        decision_ = DecideStrike(snapshot_, level, seed, pool_, &stop_);
        ready_ = true;
    });
    phase_ = Phase::Thinking;
    turnStart_ = phaseStart_ = nowMs;
}

void ComputerTurn::StartTurning(double nowMs) {
    Join();
    if (decision_.Stopped) {
        phase_ = Phase::Waiting;
        return;
    }
    const double thought = nowMs - turnStart_;
    const double chargeMs = decision_.Strike.Power / 2 * kPressMs;
    cameraMs_ = std::clamp(kLeastTurnMs - thought - chargeMs, kShortestCameraMs, kLongestCameraMs);
    fromX_ = s_.CamX;
    fromZ_ = s_.CamZ;
    fromAim_ = s_.Win.AimAngle;
    phase_ = Phase::Turning;
    phaseStart_ = nowMs;
}

void ComputerTurn::Turn(double nowMs) {
    const StrikeChoice& c = decision_.Strike;
    const double f = std::clamp((nowMs - phaseStart_) / cameraMs_, 0.0, 1.0);
    if (f >= 1) {
        // The last step lands exactly where the search aimed from.
        if (!k_.ComputerAim(c.CamX, c.CamZ, c.AimAngle)) return Drop();
        phase_ = Phase::Charging;
        phaseStart_ = nowMs;
        presses_ = 0;
        return;
    }
    // The camera swings around the point it looks at, as the keypad swings it.
    const double ax = fromX_ - s_.TargX, az = fromZ_ - s_.TargZ;
    const double bx = c.CamX - s_.TargX, bz = c.CamZ - s_.TargZ;
    const double ra = std::hypot(ax, az), rb = std::hypot(bx, bz);
    const double pa = std::atan2(az, ax), pb = std::atan2(bz, bx);
    const double p = pa + f * std::remainder(pb - pa, kTwoPi);
    const double r = ra + f * (rb - ra);
    const double aim = fromAim_ + f * std::remainder(c.AimAngle - fromAim_, kTwoPi);
    if (!k_.ComputerAim(s_.TargX + r * std::cos(p), s_.TargZ + r * std::sin(p), aim)) Drop();
}

void ComputerTurn::Charge(double nowMs) {
    const StrikeChoice& c = decision_.Strike;
    const int wanted = c.Power / 2;
    const int due = std::min(wanted, static_cast<int>((nowMs - phaseStart_) / kPressMs) + 1);
    while (presses_ < due) {
        if (!k_.ComputerCharge()) return Drop();
        ++presses_;
    }
    if (presses_ >= wanted && nowMs - phaseStart_ >= wanted * kPressMs) {
        if (!k_.ComputerRelease(c.CamX, c.CamZ)) return Drop();
        ++strikes_;
        phase_ = Phase::Waiting;
    }
}

void ComputerTurn::Tick(double nowMs) {
    if (!IsSet(s_.GameRunning) || IsSet(s_.Win.ReplayMode)) {
        if (phase_ != Phase::Waiting) Drop();
        return;
    }
    // The quit question holds the turn where it is.
    if (IsSet(s_.Win.ExitAsked)) return;
    switch (phase_) {
        case Phase::Waiting:
            if (k_.ComputerToStrike() && s_.Win.CtrlState == kCtrlAiming) Begin(nowMs);
            break;
        case Phase::Thinking:
            if (!k_.ComputerToStrike()) return Drop();
            if (ready_ && nowMs - phaseStart_ >= kLeastThinkMs) StartTurning(nowMs);
            break;
        case Phase::Turning:
            Turn(nowMs);
            break;
        case Phase::Charging:
            Charge(nowMs);
            break;
    }
}

}  // namespace zel::ai
