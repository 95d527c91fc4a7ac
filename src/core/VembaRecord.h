#pragma once
#include <cstdint>
#include <string>

#include "core/Flag.h"

namespace zel {

// Where an eliminated piece is parked, off every table: the rules and the
// saved games know a fallen piece by it (where it really left the table is
// kept apart, see LeavePoint.h).
inline constexpr double kParkedPosition = -100;

// One body on the table: a participant's piece (records 1..Num), an obstacle
// or a wall. Field order follows the record layout the rest of the program
// was designed around.
struct VembaRecord {
    double Xpos = 0;            // centre x, table units; -100 once eliminated
    double Ypos = 0;            // centre y, table units; -100 once eliminated
    double Reserved = 0;        // kept for layout; the match never reads it
    double Xvec = 0;            // velocity x, table units per tick
    double Yvec = 0;            // velocity y, table units per tick
    Flag RGray = kFalse;        // piece is drawn with its grey mesh
    Flag Life = kTrue;          // -1 on the table, 0 once eliminated
    std::int16_t ResetField = 0;  // cleared by ResetLayout, otherwise unused
    std::int16_t TeamSide = 0;  // 0 or 1: side in a team match
    double u = 0;               // angular velocity, radians per tick; positive u lowers Phi
    std::int16_t Number = 0;    // the record's own 1-based index; elimination goes by it
    double Phi = 0;             // heading, radians
    std::string R;              // participant's name as shown and saved
    std::int16_t SginCount = 0; // eliminations credited to this participant's turns
    std::int16_t RMod = 0;      // model 0..6, selects the shape
    std::int16_t RM = 1;        // mass; only the contact push divides by it
};

}  // namespace zel
