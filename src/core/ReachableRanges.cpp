#include "core/ReachableRanges.h"

#include <algorithm>
#include <cmath>

#include "physics/Shapes.h"

namespace zel {
namespace {

bool Hold(double& v, double bound) {
    const double held = std::isfinite(v) ? std::clamp(v, -bound, bound) : 0.0;
    // -0.0 equals 0.0 and is left as it is.
    if (held == v) return false;
    v = held;
    return true;
}

}  // namespace

bool HoldToReachableRanges(VembaRecord& v) {
    const ReachableRangeTable& t = kReachableRanges;
    bool changed = false;
    changed |= Hold(v.Xpos, t.MaxPosition);
    changed |= Hold(v.Ypos, t.MaxPosition);
    changed |= Hold(v.Xvec, t.MaxSpeed);
    changed |= Hold(v.Yvec, t.MaxSpeed);
    changed |= Hold(v.u, t.MaxSpin);
    if (v.RMod == kObstacleModel || v.RMod == kWallModel) {
        changed |= Hold(v.Xvec, 0);
        changed |= Hold(v.Yvec, 0);
        changed |= Hold(v.u, 0);
    }
    if (!std::isfinite(v.Phi)) {
        v.Phi = 0;
        changed = true;
    } else if (std::fabs(v.Phi) > t.MaxHeading) {
        v.Phi = std::fmod(v.Phi, 2 * 3.14159265358979323846);
        changed = true;
    }
    return changed;
}

std::int16_t ReachablePower(std::int16_t g) {
    return std::clamp<std::int16_t>(g, 0, kReachableRanges.MaxPower);
}

}  // namespace zel
