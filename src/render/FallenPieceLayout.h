#pragma once
#include <array>

#include "core/MatchState.h"

namespace zel::render {

// Where a fallen participant's piece lies on the floor beside the table, in
// table coordinates (the scene puts it at x / 10, floor height, -y / 10).
struct FloorPlace {
    double X = 0;    // centre, table units; outside the table
    double Y = 0;    // centre, table units; outside the table
    double Phi = 0;  // heading it lies with, radians
};

// The floor places of the fallen participants 1..min(Num, 8); the entries
// of pieces still on the table are left at their defaults.
//
// A piece lies a little way out from the point where it left the table,
// across the edge (or corner) it crossed, with the heading it had then.
// A piece that fell in a saved game continued later has no leave point; it
// lies beside the middle of the edge x = 0, or of y = 0 when a wall stands
// along x = 0, with its record's heading.
//
// No two fallen pieces lie inside each other: pieces are laid in the order
// they fell (those without a leave point first, by number), and a piece whose
// place is taken moves along the edge, alternately to either side, to the
// nearest free place. A piece's place therefore never changes once it lies.
std::array<FloorPlace, kMaxParticipants + 1> LayOutFallenPieces(const MatchState& s);

// Centre distance between two pieces that lie side by side, table units:
// more than twice the farthest any model's circles reach from its centre.
inline constexpr double kFloorSpacing = 60;

// How far out from the table's rim a fallen piece's centre lies, table
// units: the farthest-reaching model still clears the edge.
inline constexpr double kFloorClearance = 40;

}  // namespace zel::render
