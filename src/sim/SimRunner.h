#pragma once
#include <iosfwd>
#include <string>

#include "sim/SimOutput.h"

namespace zel {

enum class SimMode { Replay, Continue };

// One simulator run: what to read and whether to trace every tick.
struct SimOptions {
    SimMode Mode = SimMode::Replay;
    std::string Path;    // the replay (.sav) or saved game (.zel) to read
    bool Trace = false;  // one line per participant per physics tick on the trace stream
};

// Plays a recorded match again (Replay) or goes on from a saved game
// (Continue) through the same match kernel the game runs, with a headless
// screen. On success returns true and `out` holds the final state as a saved
// game; otherwise `error` holds one line saying why the file could not be
// used. Trace lines go to `trace` as they happen.
bool RunSimulation(const SimOptions& opt, std::string& out, std::string& error,
                   std::ostream& trace);

}  // namespace zel
