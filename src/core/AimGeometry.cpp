#include "core/AimGeometry.h"

#include <cmath>

namespace zel {

AimPoint StrikeTouchPoint(const MatchState& s, const VembaRecord& striker, double aimAngle) {
    // S: the piece in scene units; C: the camera on the table plane.
    const double sx = striker.Xpos / 10;
    const double sz = -striker.Ypos / 10;
    const double cx = s.CamX;
    const double cz = s.CamZ;
    const double d = Hypot(sx - cx, sz - cz);
    const double radius = s.VembaRadius;

    double ux;
    double uy;
    if (d > 0) {
        // Unit vector from the piece towards the camera, in table coordinates.
        ux = (cx - sx) / d;
        uy = -(cz - sz) / d;
    } else {
        // Camera straight above: touch the piece opposite the aim direction.
        ux = -std::sin(aimAngle);
        uy = std::cos(aimAngle);
    }
    return AimPoint{striker.Xpos + radius * ux, striker.Ypos + radius * uy};
}

ScenePoint AimMarkerPoint(const MatchState& s, const VembaRecord& striker, double aimAngle) {
    const double sx = striker.Xpos / 10;
    const double sz = -striker.Ypos / 10;
    const double cx = s.CamX;
    const double cz = s.CamZ;
    const double d = Hypot(sx - cx, sz - cz);
    if (!(d > 0)) {
        const AimPoint touch = StrikeTouchPoint(s, striker, aimAngle);
        return ScenePoint{touch.X / 10, -touch.Y / 10};
    }
    const double k = (d - s.VembaRadius / 10.0) / d;
    return ScenePoint{cx + k * (sx - cx), cz + k * (sz - cz)};
}

Segment StrikeSegment(const AimPoint& touch, double aimAngle, double power) {
    Segment seg;
    seg.X1 = touch.X;
    seg.Y1 = touch.Y;
    seg.X2 = touch.X + power * std::sin(aimAngle);
    seg.Y2 = touch.Y - power * std::cos(aimAngle);
    return seg;
}

double AimAngleFromCamera(const MatchState& s, double previous) {
    // The camera's height stands in the denominator, as it always has.
    const double q = (s.CamX - s.TargX) / (s.CamY - s.TargZ);
    return std::isfinite(q) ? std::atan(q) + 4 * std::atan(1.0) : previous;
}

}  // namespace zel
