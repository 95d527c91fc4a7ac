#pragma once
#include <cstdint>

namespace zel {

// Where a piece left the table. The rules and the saved games know a fallen
// piece only by its parking place (-100, -100); this keeps where it really
// went over the edge, so that the scene can lay it on the floor there
// instead of gathering every fallen piece on one spot. Recorded when the
// piece falls; nothing in the match core or the rules reads it.
struct LeavePoint {
    bool Known = false;      // recorded; false on the table and for pieces that fell before a saved game was continued (the file does not carry it)
    double X = 0;            // point on the table's rim where the centre crossed it, table units, 0..MaxX
    double Y = 0;            // the same, 0..MaxY
    double OutX = 0;         // unit vector out of the table across the rim crossed: (-1, 0) over x = 0,
    double OutY = 0;         //   (1, 0) over x = MaxX, (0, -1) over y = 0, (0, 1) over y = MaxY, diagonal over a corner
    double Phi = 0;          // heading as the centre crossed, radians: the piece lies as it fell
    std::int16_t Order = 0;  // 1 for the match's first recorded fall, then 2, ...: a later fall lies clear of the earlier ones
};

}  // namespace zel
