#pragma once

#include "core/MatchState.h"
#include "physics/Geometry.h"

namespace zel {

// Where the cue meets the striker's piece. The strike point always lies on
// the line from the camera through the piece, VembaRadius table units in
// front of the piece's centre on the camera's side; the aim marker stands on
// it. Both the marker placement and the strike release use this one point so
// that what the player sees is where the strike lands.
//
// When the camera stands exactly above the piece (no horizontal offset) that
// line has no direction. The cue then meets the piece on the side facing away
// from the aim, i.e. the touch point lies VembaRadius behind the centre
// against the strike direction (sin AimAngle, -cos AimAngle). The strike then
// pushes straight through the centre: no spin and no division by zero.
struct AimPoint {
    double X = 0;  // table units
    double Y = 0;  // table units
};

// Touch point for the piece `striker` seen from the camera (CamX, CamZ),
// with the aim angle used when the camera stands above the piece.
AimPoint StrikeTouchPoint(const MatchState& s, const VembaRecord& striker, double aimAngle);

// Where the aim marker stands, in scene units (x, z): the same point as the
// touch point, computed on the scene plane as P = C + k (S - C) with
// k = (d - VembaRadius/10) / d. Above the piece it is the touch point / 10.
struct ScenePoint {
    double X = 0;  // scene x
    double Z = 0;  // scene z
};
ScenePoint AimMarkerPoint(const MatchState& s, const VembaRecord& striker, double aimAngle);

// The strike segment from the touch point: power table units along the aim
// (sin AimAngle, -cos AimAngle) in table coordinates.
Segment StrikeSegment(const AimPoint& touch, double aimAngle, double power);

// The strike direction a turn starts with, from the camera's place: atan of
// (CamX - TargX) / (CamY - TargZ), plus pi. Where that quotient is undefined
// `previous` is kept.
double AimAngleFromCamera(const MatchState& s, double previous);

}  // namespace zel
