// Recording strikes into the replay file and playing them back.
#include <cmath>

#include "core/MatchKernel.h"
#include "core/MatchTexts.h"
#include "base/Rounding.h"
#include "core/Rules.h"
#include "physics/Motion.h"

namespace zel {

namespace {

constexpr std::int16_t kMaxStrikePower = 100;

bool Finite(const ReplayStepRecord& r) {
    return std::isfinite(r.Xvec) && std::isfinite(r.Yvec) && std::isfinite(r.X) &&
           std::isfinite(r.Y);
}

}  // namespace

void MatchKernel::StrikeMade(const ReplayStepRecord& r) {
    if (RecordsReplay() && writer_.IsOpen()) writer_.AppendStep(r, port_, log_);
    if (onStrike_) onStrike_(r);
}

void MatchKernel::PlayReplayStep() {
    MatchWindowFields& w = s_.Win;
    ReplayStepRecord r;
    if (!reader_.ReadStep(r, port_, log_)) {
        replayExhausted_ = true;
        port_.Ask(Message{texts::kReplayEnd, texts::kReplayTitle, MsgIcon::Information,
                          MsgButtons::Ok});
        w.GameOver = kTrue;
        w.PauseOn = kFalse;
        w.Busy = kFalse;
        EndWindow();
        return;
    }
    PlayStep(r);
}

void MatchKernel::PlayStep(const ReplayStepRecord& r) {
    MatchWindowFields& w = s_.Win;
    ++stepsApplied_;

    if (r.G != 0) {
        w.Power = RoundToInt16(static_cast<double>(r.G));
        GorApply(s_);
    }

    // A record from an older version holds no strike (zero vector): nothing
    // is struck and the next rest test passes the turn. A record that could
    // not have come from a strike (not finite, or touching the piece at its
    // very centre) is played the same way rather than feeding the physics.
    VembaRecord* striker = Striker();
    if (striker != nullptr && Finite(r) && (r.Xvec != 0 || r.Yvec != 0) &&
        Hypot(striker->Xpos - r.X, striker->Ypos - r.Y) > 0) {
        std::int16_t power = RoundToInt16(Hypot(r.Xvec, r.Yvec));
        if (power > kMaxStrikePower) power = kMaxStrikePower;
        w.Power = power;
        PlayStrikeSound();
        StrikeVembaVector(*striker, r.X, r.Y, r.Xvec, r.Yvec, power);
    }

    w.CtrlState = kCtrlStrike;
    HideLabels();
    StartSimulation();
}

}  // namespace zel
