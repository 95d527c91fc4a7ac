#pragma once
#include <vector>

#include "PieceCircles.h"

namespace zel::content {

// A piece of the outline of a union of circles: part of one circle's rim,
// walked anticlockwise (in the table plane) from `From` to `To` radians
// about the circle's centre.
struct OutlineArc {
    int Circle = 0;    // index into the circle list
    double From = 0;   // start angle, radians
    double To = 0;     // end angle, To > From
};

// The outer boundary of the union of `circles` as arcs in order around it,
// anticlockwise, each arc starting where the previous one ends. Circles
// that lie inside others contribute nothing. Throws std::runtime_error when
// the boundary is not one closed loop (the union falls apart or has holes),
// which no piece model does.
std::vector<OutlineArc> UnionOutline(const std::vector<PieceCircle>& circles);

// A point on a circle's rim at an angle about its centre.
struct RimPoint {
    double X = 0, Y = 0;     // table plane position
    double Nx = 0, Ny = 0;   // outward unit normal of the rim there
};
RimPoint PointOnRim(const PieceCircle& c, double angle);

// Angles along an arc from From to To inclusive, no step longer than
// `maxStep` radians.
std::vector<double> ArcAngles(const OutlineArc& arc, double maxStep);

}  // namespace zel::content
