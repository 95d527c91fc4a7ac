#pragma once
#include "ai/StrikeChoice.h"
#include "core/MatchState.h"

namespace zel::ai {

// Most ticks a trial runs; a strike at full power comes to rest long before.
inline constexpr int kTrialTickLimit = 4000;

// Every participant's piece at rest, as the kernel's rest test sees it.
bool AllAtRest(const MatchState& s);

// Plays `c` for `striker` on `s` (a copy of the match) with the table's own
// physics, tick by tick, until every piece rests or the tick limit is
// reached. Falls are booked on the copy as in a match. Returns the ticks run.
int PlayToRest(MatchState& s, int striker, const StrikeChoice& c);

}  // namespace zel::ai
