#pragma once
#include "MeshData.h"

namespace zel::content {

// The wall along a table edge, border1.x: a wooden rail running along -x
// from x = 0 to x = -100, 5 units thick from z = -5 to z = 0, from y = 0 up
// to y = 22 (mesh units).
//
// The scene uses one mesh for both walls and all placements, scaled by
// (edge length / 100, 0.3, 0.5), turned about the vertical and put on an
// edge, so the rail covers the edge from end to end, reaches from 5 scene
// units below the table surface to 1.6 above it, and is 2.5 scene units
// thick. Depending on the placement either long face (z = 0 or z = -5) is
// the one that faces the table, so both are flat over the rail's whole
// height and nothing stands out beyond them.
Mesh BuildWallMesh();

}  // namespace zel::content
