#include "ai/StrikeTrial.h"

#include <cmath>

#include "core/Rules.h"
#include "physics/PhysStep.h"

namespace zel::ai {

bool AllAtRest(const MatchState& s) {
    const int n = ParticipantCount(s);
    for (int i = 1; i <= n; ++i) {
        const VembaRecord& v = s.Vembas[static_cast<std::size_t>(i)];
        if (std::abs(v.Xvec) != 0.0 || std::abs(v.Yvec) != 0.0 || std::abs(v.u) != 0.0) return false;
    }
    return true;
}

int PlayToRest(MatchState& s, int striker, const StrikeChoice& c) {
    s.CurG = static_cast<std::int16_t>(striker);
    ApplyStrike(s, striker, c);
    int ticks = 0;
    while (ticks < kTrialTickLimit && !AllAtRest(s)) {
        PhysStep(s, 1.0);
        ++ticks;
    }
    return ticks;
}

}  // namespace zel::ai
