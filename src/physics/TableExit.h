#pragma once
#include "core/LeavePoint.h"
#include "core/MatchState.h"

namespace zel {

// Where a centre moving in a straight line from (x0, y0) on the table to
// (x1, y1) off it crossed the table's rim, as a known LeavePoint with
// heading `phi` (Order is left 0 for the booking to fill in):
//  - the point is where the line first reaches an edge it goes beyond, kept
//    on the rim against rounding;
//  - the way out is that edge's outward normal, or the diagonal between two
//    edges when the line reaches both within a billionth of its length of
//    each other (it went over the corner);
//  - a start already off the table (only a corrupt state) leaves at the
//    rim point nearest to it, across the edges the end lies beyond.
// A position or heading that is not a finite number gives an unknown point.
LeavePoint FindTableExit(const MatchState& s, double x0, double y0, double x1, double y1, double phi);

}  // namespace zel
