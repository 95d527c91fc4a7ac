#pragma once
#include <cmath>
#include <cstdint>

#include "core/MatchState.h"
#include "physics/Motion.h"
#include "physics/Shapes.h"
#include "physics/TableExit.h"

// Free motion written once for both the table's records and the light copies
// the contact search moves on trial. Internal to the physics.
namespace zel {

// The physics fields of a VembaRecord and nothing else: trial moves copy
// these instead of whole records (the name string would cost an allocation
// per copy). Same field names, so MoveBody works on either.
struct PhysBody {
    double Xpos = 0;           // centre x
    double Ypos = 0;           // centre y
    double Xvec = 0;           // velocity x
    double Yvec = 0;           // velocity y
    double u = 0;              // angular velocity; positive lowers Phi
    double Phi = 0;            // heading
    Flag Life = kTrue;         // a dead copy never touches and never falls again
    std::int16_t Number = 0;   // which table record a fall of this copy eliminates
    std::int16_t RMod = 0;     // shape; 5 and 6 never move
};

inline PhysBody ToBody(const VembaRecord& r) {
    PhysBody b;
    b.Xpos = r.Xpos;
    b.Ypos = r.Ypos;
    b.Xvec = r.Xvec;
    b.Yvec = r.Yvec;
    b.u = r.u;
    b.Phi = r.Phi;
    b.Life = r.Life;
    b.Number = r.Number;
    b.RMod = r.RMod;
    return b;
}

inline bool IsImmovable(std::int16_t rmod) { return rmod == kObstacleModel || rmod == kWallModel; }

// A centre is on the table when it lies inside the rectangle or on its rim.
// Written as the negation of "inside" so that a position that is not a
// number counts as off the table: such a piece can never be hit, stopped or
// shown, and leaving it "on the table" would keep the turn from ever ending.
// For every real number this is exactly x > MaxX or y > MaxY or x < 0 or y < 0.
inline bool OffTable(const MatchState& s, double x, double y) {
    return !(x <= s.MaxX && y <= s.MaxY && x >= 0 && y >= 0);
}

inline double Sgn(double v) { return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0); }

// Friction, integration, heading wrap and the fall of a participant's piece.
// Returns the number of the table record the move eliminated, 0 for none.
// Every product and sum is written in the order the game has always used:
// replays compare bits.
template <class Body>
int MoveBody(MatchState& s, Body& b, double dt) {
    if (IsImmovable(b.RMod)) return 0;
    // Where the move starts: a fall is booked with the point where the
    // centre crossed the rim on its way from here.
    const double fromX = b.Xpos;
    const double fromY = b.Ypos;

    const double speed = Hypot(b.Xvec, b.Yvec);
    const double limit = 2 * s.Ftr * dt;
    if (speed <= limit) {
        b.Xvec = 0;
        b.Yvec = 0;
    } else {
        // Each component loses its share of the limit: the speed drops by
        // exactly the limit and the direction stays.
        b.Xvec = b.Xvec - 2 * (s.Ftr * b.Xvec * dt / speed);
        b.Yvec = b.Yvec - 2 * (s.Ftr * b.Yvec * dt / speed);
    }

    const double angLimit = s.Ftr * dt * 3;
    if (std::fabs(b.u) <= angLimit)
        b.u = 0;
    else
        b.u = b.u - Sgn(b.u) * s.Ftr * dt * 3;

    b.Xpos = b.Xpos + dt * b.Xvec;
    b.Ypos = b.Ypos + dt * b.Yvec;
    b.Phi = b.Phi - dt * b.u;

    const double wrap = 10 * s.Pi;
    if (b.Phi > wrap) b.Phi = b.Phi - wrap;
    if (b.Phi < -wrap) b.Phi = b.Phi + wrap;

    if (b.Number <= s.Num && IsSet(b.Life) && OffTable(s, b.Xpos, b.Ypos)) {
        // The table's record falls, even when `b` is only a trial copy.
        EliminatePiece(s, b.Number, FindTableExit(s, fromX, fromY, b.Xpos, b.Ypos, b.Phi));
        return (b.Number >= 1 && b.Number <= kRecordCount) ? b.Number : 0;
    }
    return 0;
}

}  // namespace zel
