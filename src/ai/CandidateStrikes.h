#pragma once
#include <vector>

#include "ai/LevelProfile.h"
#include "ai/SeededRandom.h"
#include "core/MatchState.h"

namespace zel::ai {

// One strike the search weighs, in the terms a person aims by: direction,
// where on the rim the cue meets the piece, power.
struct Candidate {
    double AimAngle = 0;
    double RimAngle = 0;
    int Power = 2;
};

// The strikes `plan` tries for `striker` on `s`: at each of the nearest
// opponents still on the table (nearest first), every hit fraction, power
// and rim angle; then the retreats towards the middle of the table; then the
// plan's wanders in random directions and powers drawn from `rng`. Always at least one strike, in a fixed order.
std::vector<Candidate> PlanCandidates(const MatchState& s, int striker, const CandidatePlan& plan,
                                      SeededRandom& rng);

}  // namespace zel::ai
