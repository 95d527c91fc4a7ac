#pragma once
#include <atomic>
#include <cstdint>

#include "ai/CandidateStrikes.h"
#include "ai/StrikeChoice.h"
#include "ai/WorkerPool.h"
#include "core/MatchState.h"
#include "core/PlayerKind.h"

namespace zel::ai {

// What the computer decided for one turn.
struct Decision {
    StrikeChoice Strike;      // what its hands play: the plan with the level's error
    Candidate Planned;        // the strike it meant, before the error
    double Score = 0;         // what the search expected of the planned strike
    int Simulated = 0;        // candidate strikes played to rest, replies included
    bool Stopped = false;     // the search was stopped; Strike is not to be played
};

// Decides the strike of participant s.CurG at `level`. Every candidate of
// the level's plan is played to rest on its own copy of `s` with the
// table's physics (the copies are independent, so the pool runs them side
// by side) and scored by the rules' rewards. The amateur and the master then
// look again at their best strikes as their hands may strike them (a little
// off in aim, power and touch point), the master also against the next
// opponent's best replies on every table so left; a strike is worth the
// mean of its tries. The best strike (ties to the earlier candidate) gets
// the level's human error from a generator seeded by `seed`.
//
// Deterministic: the same state, level and seed give the same decision,
// however many threads the pool has. `stop` (may be null) ends the search
// early; the decision is then marked Stopped. `s` is only read.
Decision DecideStrike(const MatchState& s, PlayerKind level, std::uint64_t seed, WorkerPool& pool,
                      const std::atomic<bool>* stop = nullptr);

}  // namespace zel::ai
