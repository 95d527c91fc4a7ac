#pragma once
#include "core/MatchState.h"
#include "physics/StepLimits.h"

namespace zel {

// Advances the whole table by dt (1.0 per RunTimer tick), halving the step
// around every contact and resolving it. Bounded work for any state.
void PhysStep(MatchState& s, double dt);

// PhysStep, reporting the work the step used (pair searches, contacts
// resolved, separation volleys), so that tests can hold it to its bounds.
TickBudget PhysStepMeasured(MatchState& s, double dt);

}  // namespace zel
