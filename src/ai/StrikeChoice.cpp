#include "ai/StrikeChoice.h"

#include <cmath>

#include "core/AimGeometry.h"
#include "physics/Motion.h"

namespace zel::ai {

std::int16_t KeyPower(int power) {
    if (power < 2) power = 2;
    if (power > 100) power = 100;
    return static_cast<std::int16_t>(power - power % 2);
}

StrikeChoice MakeStrike(const MatchState& s, int striker, double aimAngle, double rimAngle, int power) {
    const VembaRecord& v = s.Vembas[static_cast<std::size_t>(striker)];
    // Straight behind the piece is against the strike direction; the camera
    // stands on the line from the piece through the chosen rim point.
    const double behind = std::atan2(std::cos(aimAngle), -std::sin(aimAngle));
    const double a = behind + rimAngle;
    const double ux = std::cos(a);
    const double uy = std::sin(a);
    StrikeChoice c;
    // Table (x, y) is scene (x / 10, -y / 10).
    c.CamX = v.Xpos / 10 + kCameraDistance * ux;
    c.CamZ = -v.Ypos / 10 - kCameraDistance * uy;
    c.AimAngle = aimAngle;
    c.Power = KeyPower(power);
    return c;
}

bool PersonCouldStrike(const MatchState& s, int striker, const StrikeChoice& c) {
    if (striker < 1 || striker > s.Num) return false;
    if (!std::isfinite(c.AimAngle) || !std::isfinite(c.CamX) || !std::isfinite(c.CamZ)) return false;
    if (c.Power < 2 || c.Power > 100 || c.Power % 2 != 0) return false;
    const VembaRecord& v = s.Vembas[static_cast<std::size_t>(striker)];
    return Hypot(v.Xpos / 10 - c.CamX, -v.Ypos / 10 - c.CamZ) > 0;
}

void ApplyStrike(MatchState& s, int striker, const StrikeChoice& c) {
    s.CamX = c.CamX;
    s.CamZ = c.CamZ;
    s.Win.AimAngle = c.AimAngle;
    s.Win.Power = c.Power;
    VembaRecord& v = s.Vembas[static_cast<std::size_t>(striker)];
    const AimPoint touch = StrikeTouchPoint(s, v, c.AimAngle);
    Segment seg = StrikeSegment(touch, c.AimAngle, c.Power);
    std::int16_t power = c.Power;
    StrikeVemba(v, seg, power);
}

}  // namespace zel::ai
