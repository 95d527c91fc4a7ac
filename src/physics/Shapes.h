#pragma once
#include <array>
#include <cstdint>

#include "physics/Geometry.h"

namespace zel {

// A body's shape: up to 19 circles relative to its centre at heading 0.
// Slots are numbered 1..19 as the contact search reports them; slot 0 is unused.
struct VembaShape {
    std::array<Circle, 20> Circles{};
    std::int16_t Count = 0;
};

// Models 0..3 are the participants' pieces, 4 the oval piece (no circles),
// 5 the obstacle and 6 the wall.
inline constexpr int kModelCount = 7;
inline constexpr std::int16_t kObstacleModel = 5;
inline constexpr std::int16_t kWallModel = 6;
using ShapeTable = std::array<VembaShape, kModelCount>;

// A circle from its centre and radius.
Circle MakeCircle(double x, double y, double rad);

// Builds the shape table from the three radii (20, 14 and 11 in every match).
// Model 4 has no circles; 5 is the obstacle, 6 the wall (radius 1,000,000).
ShapeTable InitShapes(std::int16_t vembaRadius, std::int16_t bodyRadius, std::int16_t pipaRadius);

}  // namespace zel
