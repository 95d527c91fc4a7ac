#pragma once
#include "MeshData.h"

namespace zel::content {

// The piece meshes vemba0..vemba4 and their grey twins.
//
// Mesh units are table units (the scene scales a piece by 0.1 and scene
// units are a tenth of table units). A circle (X, Y, Rad) of the piece's
// collision shape lies at mesh x = X, z = -Y, so the mesh's outline in the
// x/z plane is exactly the union of the model's circles; the piece stands
// on y = 0 and is 8.5 units tall. Model 4, which has no circles, is an oval
// of 16 by 24 units, its long axis along z.
//
// Throws std::invalid_argument for a model outside 0..4.
Mesh BuildPieceMesh(int model, bool gray);

}  // namespace zel::content
