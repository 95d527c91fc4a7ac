#pragma once
#include <array>
#include <string>

#include "core/MatchState.h"
#include "net/NetMessages.h"
#include "net/NetSession.h"

namespace zel {

// Host: the set-up message of a match whose state is ready to start: its
// replay header (as the replay file will hold it) and the participants the
// guest plays ([1..Num]).
MatchSetupMsg MakeMatchSetup(const MatchState& s, const std::array<bool, kMaxParticipants + 1>& guestPlays);

// Both sides, before Init: the match state prepared from the set-up's header
// exactly as a replay playback is prepared (so both computers start from the
// same bits), and PlayedElsewhere marked for the participants the other
// side plays. Who plays a participant here (person or computer) is kept
// from `s` for this side's participants; the other side's are people here.
// Returns "" or why the set-up cannot start a match (the state then holds
// the new-match defaults).
std::string ApplyMatchSetup(const MatchSetupMsg& m, NetRole role, MatchState& s);

}  // namespace zel
