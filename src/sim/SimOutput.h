#pragma once
#include <string>

#include "core/MatchState.h"

namespace zel {

// What a simulation run ends with, beside the match state itself.
struct SimResult {
    bool Finished = false;  // the match ended by the rules
    int Turns = 0;          // step records applied
    long long Ticks = 0;    // RunTimer ticks simulated, the rest-detecting ones included
};

// The 26-character ASCII first line of a saved game the simulator writes;
// the date and time follow it directly.
inline constexpr const char* kSimSaveHeader = ";Korvalo 2 sim saved game ";

// The state as a saved game that `zel-sim continue` reads back: the header
// line, Ver, [general] with the replay header's keys and the run's result,
// then one [R<i>] section per participant. Lines end in CR LF.
std::string FormatSimSave(const MatchState& s, const SimResult& r, const std::string& dateTime);

// One --trace line per participant: "T <tick> <i> <Xpos> <Ypos> <Xvec> <Yvec> <u> <Phi> <Life>".
std::string FormatTraceLines(const MatchState& s, long long tick);

}  // namespace zel
