#pragma once
#include <cstdint>

#include "core/MatchState.h"

namespace zel::ai {

// A strike as a person makes it: the camera where the keypad put it (which
// fixes the touch point, on the piece's rim facing the camera), the aim the
// arrows turned to, and the power the space bar's repeats reached (even,
// 2..100). The computer decides one of these and plays it through the
// kernel's keys, so the kernel computes the touch point and the segment
// exactly as for a person.
struct StrikeChoice {
    double CamX = 0;           // camera, scene units
    double CamZ = 0;
    double AimAngle = 0;       // radians, strike along (sin, -cos) in table coordinates
    std::int16_t Power = 2;    // even, 2..100
};

// Scene units from the piece to where the computer puts the camera: near
// enough to see the piece, far enough that the rim point is well defined.
inline constexpr double kCameraDistance = 12;

// The choice striking along aimAngle with the cue meeting the rim at
// `rimAngle` radians from the point straight behind the piece (positive
// turns the touch point clockwise on the table), power as given (made even
// and held to 2..100).
StrikeChoice MakeStrike(const MatchState& s, int striker, double aimAngle, double rimAngle, int power);

// Power held to what the space bar gives: even, 2..100.
std::int16_t KeyPower(int power);

// Whether a person could make this strike: finite aim and camera, power
// even in 2..100, and a camera that does not stand above the piece (so the
// touch point lies on the rim facing it).
bool PersonCouldStrike(const MatchState& s, int striker, const StrikeChoice& c);

// The state right after the kernel releases `c` for `striker`: the camera
// set, the touch point and segment as the release computes them, the
// piece struck. The same calls as the kernel's release, bit for bit.
void ApplyStrike(MatchState& s, int striker, const StrikeChoice& c);

}  // namespace zel::ai
