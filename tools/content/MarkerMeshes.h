#pragma once
#include "MeshData.h"

namespace zel::content {

// The ball ball.x, corners on a sphere of radius 2 about the origin: an
// icosahedron shaded as a sphere, cheap enough to draw as 1280 label dots
// in every frame of a software renderer. It serves twice: the aim
// marker shows it at scale 0.1 (radius 0.2 scene units, hovering at 0.5),
// and every dot of the floating name labels at scale 0.03 (radius 0.06 in
// a grid of 0.1, so strokes join and a blank cell still shows).
Mesh BuildBallMesh();

// The aim arrow point.x: a flat arrow lying in the x/z plane, its tail at
// the origin and its tip at z = +45, 4 units thick about y = 0. The scene
// scales it by (0.1, 0.05, 0.1) and turns its frame by the aim angle about
// the vertical, which sends local +z along the strike direction
// (sin a, -cos a) of the table plane.
Mesh BuildArrowMesh();

// The table-centre mark centerpoint.x: a small yellow octahedron of radius
// 0.6, shown unscaled 2 scene units under the centre of the table.
Mesh BuildCentrePointMesh();

}  // namespace zel::content
