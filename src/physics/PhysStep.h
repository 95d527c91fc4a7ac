#pragma once
#include "core/MatchState.h"

namespace zel {

// Advances the whole table by dt (1.0 per RunTimer tick), halving the step
// around every contact and resolving it. Bounded work for any state.
void PhysStep(MatchState& s, double dt);

}  // namespace zel
