#pragma once
#include <iosfwd>

namespace zel {

// zel-sim's network peers, run to their end over a real connection:
//   zel-sim host PORT FILE.sav [--bind ADDRESS] [--record OUT.sav]
//     waits for one guest (PORT 0: any free port; the port taken is said on
//     standard error), sets the match up from the replay's header and plays
//     its strikes as the host;
//   zel-sim join HOST PORT [--record OUT.sav]
//     plays as a guest that strikes nothing and follows.
// Both print the final state on `out` as `zel-sim replay FILE.sav` does,
// and record the match's replay into OUT.sav (without --record into a
// temporary folder that is removed). Exit status 0 when the match was played
// to its end, 1 with the reason on `err` otherwise (the state reached is
// still printed when a match was under way), 2 for a wrong command line.
int RunNetSim(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace zel
