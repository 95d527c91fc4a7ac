#pragma once
#include <string>

#include "core/MatchState.h"

namespace zel {

// Fills a fresh match state from a replay file's [general] section the way a
// recorded match started: table, switches, participants with their names,
// models, masses and grey flags, the turn order, obstacles 80 units in, and
// the counters Init starts from. False with a one-line reason when the
// header cannot start a match.
bool SetUpReplay(const std::string& path, MatchState& s, std::string& error);

// Fills a fresh match state from a saved game: its [general] section, the
// participants' sections R1..Rn, obstacles 80 units in. `hasSteps` tells
// whether step records follow a "[game]" line.
bool SetUpContinue(const std::string& path, MatchState& s, bool& hasSteps, std::string& error);

}  // namespace zel
