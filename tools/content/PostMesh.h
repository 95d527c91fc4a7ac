#pragma once
#include "MeshData.h"

namespace zel::content {

// The post, pipa.x: a brass column of radius 10 on y = 0, 25.5 units tall,
// with a red band and a bevelled top. The scene scales it by 0.11 (the post
// radius 11 over 100), which makes it 1.1 scene units = 11 table units
// across from its centre: the post's collision radius. Nothing of it stands
// out beyond radius 10.
Mesh BuildPostMesh();

}  // namespace zel::content
