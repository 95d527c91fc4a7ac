#include "physics/TableExit.h"

#include <algorithm>
#include <cmath>

namespace zel {

namespace {

// Crossings closer together than this part of the move count as one: the
// centre went over the corner.
constexpr double kCornerTolerance = 1e-9;

// The part t of the move from a to b at which the coordinate reaches the
// bound it goes beyond, or 2 (past the move's end) when b is within bounds.
double CrossingAt(double a, double b, double lo, double hi) {
    if (b > hi) return (hi - a) / (b - a);
    if (b < lo) return (lo - a) / (b - a);
    return 2;
}

// -1, 0 or 1: which side of [lo, hi] the coordinate lies beyond.
double Beyond(double v, double lo, double hi) { return v > hi ? 1.0 : (v < lo ? -1.0 : 0.0); }

}  // namespace

LeavePoint FindTableExit(const MatchState& s, double x0, double y0, double x1, double y1, double phi) {
    LeavePoint p;
    if (!(std::isfinite(x0) && std::isfinite(y0) && std::isfinite(x1) && std::isfinite(y1) && std::isfinite(phi)))
        return p;
    const double maxX = s.MaxX;
    const double maxY = s.MaxY;
    const double sideX = Beyond(x1, 0, maxX);
    const double sideY = Beyond(y1, 0, maxY);
    if (sideX == 0 && sideY == 0) return p;  // still on the table: nothing crossed

    // A start off the table already lies past its crossing: t = 0.
    const double tx = std::clamp(CrossingAt(x0, x1, 0, maxX), 0.0, 2.0);
    const double ty = std::clamp(CrossingAt(y0, y1, 0, maxY), 0.0, 2.0);
    const double t = std::min(std::min(tx, ty), 1.0);
    const bool overX = sideX != 0 && tx <= ty + kCornerTolerance;
    const bool overY = sideY != 0 && ty <= tx + kCornerTolerance;

    p.Known = true;
    p.X = std::clamp(x0 + t * (x1 - x0), 0.0, maxX);
    p.Y = std::clamp(y0 + t * (y1 - y0), 0.0, maxY);
    if (overX && overY) {
        const double d = std::sqrt(0.5);
        p.X = sideX > 0 ? maxX : 0;
        p.Y = sideY > 0 ? maxY : 0;
        p.OutX = sideX * d;
        p.OutY = sideY * d;
    } else if (overX) {
        p.X = sideX > 0 ? maxX : 0;
        p.OutX = sideX;
    } else {
        p.Y = sideY > 0 ? maxY : 0;
        p.OutY = sideY;
    }
    p.Phi = phi;
    return p;
}

}  // namespace zel
