#pragma once
#include <cstdint>

#include "core/VembaRecord.h"

namespace zel {

// What a piece's motion can be in a match the game plays, for values read
// from files: a saved game or a replay holds numbers anybody can edit, and a
// piece spinning at 65535 radians a tick takes millions of ticks to settle.
// The bounds are generous, so no file the game wrote is ever changed by them.
struct ReachableRangeTable {
    double MaxSpeed;      // |Xvec|, |Yvec|: twice the strongest strike (0.1 x 100), what a collision can pass on
    double MaxSpin;       // |u|: twice the turn the strongest strike gives (0.01 x 100)
    double MaxPosition;   // |Xpos|, |Ypos|: far beyond the largest table (1000) and the parked -100
    double MaxHeading;    // |Phi| beyond this is folded into one turn: the heading keeps its direction
    std::int16_t MaxPower;  // strike power a replay step may give, as the keys allow
};

inline constexpr ReachableRangeTable kReachableRanges{
    .MaxSpeed = 20,
    .MaxSpin = 2,
    .MaxPosition = 100000,
    .MaxHeading = 1e6,
    .MaxPower = 100,
};

// Holds a piece's position, velocity, spin and heading to the table above:
// a value that is not a finite number becomes 0, a larger one is clamped to
// its bound with its sign (the heading is folded instead). A piece of the
// obstacle or the wall model never moves in a match, so its velocity and
// spin become 0: the physics leaves such a body's motion untouched, and a
// spin read from a file would keep the table from ever coming to rest.
// Reports whether anything changed.
bool HoldToReachableRanges(VembaRecord& v);

// A replay step's power held to 0..MaxPower.
std::int16_t ReachablePower(std::int16_t g);

}  // namespace zel
