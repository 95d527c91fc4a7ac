#pragma once
#include <cstdint>

#include "core/MatchState.h"
#include "physics/Geometry.h"

namespace zel {

double SegDX(const Segment& s);
double SegDY(const Segment& s);
double SegLength(const Segment& s);

// Free motion of one body over dt: friction, integration, heading wrap, and
// the elimination of a participant's piece whose centre leaves the table.
// `rec` may be a copy (a trial move); the elimination is still booked on the
// table's record with the copy's Number, at once.
void MoveVemba(MatchState& s, VembaRecord& rec, double dt);

// Books the fall of participant `number`: parks its record and writes the
// elimination tables as the rules say. Records no leave point.
void EliminatePiece(MatchState& s, int number);

// The same, keeping `where` the piece left the table (FindTableExit) in
// LeftTable[number] with the next fall Order of the match.
void EliminatePiece(MatchState& s, int number, const LeavePoint& where);

// A player's strike. The segment runs from the cue's touch point in the
// strike direction; it is rewritten in place to (X1, Y1, dX, dY).
void StrikeVemba(VembaRecord& rec, Segment& seg, std::int16_t& power);

// The same strike given its touch point and direction vector directly, as a
// replay record stores it; gives the same bits as StrikeVemba.
void StrikeVembaVector(VembaRecord& rec, double x1, double y1, double dx, double dy,
                       std::int16_t power);

}  // namespace zel
