#pragma once
#include "MeshData.h"

namespace zel::content {

// The ceiling lamp, lamp.x: a rose against the ceiling at y = 0, a cord and
// a green enamel shade whose glowing diffuser faces down at y = -30. The
// scene scales it by 0.4 and hangs it from the ceiling (y = 100), so it
// reaches down to 88.
Mesh BuildLampMesh();

// The shelf where fallen pieces gather, swin.x. The scene scales it by 0.4
// and puts its origin on the room's far wall (the plane z = 150, the room
// lying on the -z side); an eliminated piece is put at that origin. So the
// mesh is a wall shelf whose top surface is y = 0 around the origin and
// which reaches from z = 0 (the wall) into the room along -z, with
// brackets under it, a small cup at one side and a plaque on the wall above
// the pieces. Nothing of it lies on the +z side, behind the wall.
Mesh BuildSwinMesh();

}  // namespace zel::content
