#pragma once
#include <vector>

namespace zel::content {

// One collision circle of a piece at heading 0, in table units, with the
// table's own axes (x to the right, y away from the players' near edge).
struct PieceCircle {
    double X = 0;    // centre, table x
    double Y = 0;    // centre, table y
    double Rad = 0;  // radius
};

// The collision circles of piece models 0..3 (the piece radius 20 and the
// body radius 14). Model 4, the oval piece, has none; any other model gives
// an empty list too. The piece meshes are built to cover exactly these.
std::vector<PieceCircle> PieceCirclesOf(int model);

}  // namespace zel::content
