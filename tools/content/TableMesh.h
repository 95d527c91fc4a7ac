#pragma once
#include "MeshData.h"

namespace zel::content {

// Where the parts of the table texture lie, in texture v (0 = top row):
// felt is painted above Split and wood grain below it. The mesh samples
// each a few texels clear of the split and of the picture's top and bottom
// rows, so filtering (and wrapping round at the edges) never mixes felt and
// wood on the table. The texture's painter uses the same bands.
struct TableTextureBands {
    double FeltTop = 0.01;     // the playing surface samples v FeltTop..FeltBottom
    double FeltBottom = 0.74;
    double Split = 0.75;       // felt painted above, wood below
    double WoodTop = 0.78;     // the wooden parts sample v WoodTop..WoodBottom
    double WoodBottom = 0.98;
};
inline constexpr TableTextureBands kTableBands{};

// The table, vembatable.x. The scene scales it by (MaxX/1000, 0.5,
// MaxY/500) and places it at the origin, so its playing surface is the
// rectangle x 0..100, z -50..0 at y = 0 in mesh units: after scaling
// exactly x 0..MaxX/10, z -MaxY/10..0, the table the pieces slide on. The
// slab, its apron and four legs hang below the surface and stay within that
// rectangle; the legs reach y = -70, the room's floor after scaling. The
// surface and the wood carry texture coordinates into vembatable.bmp.
Mesh BuildTableMesh();

}  // namespace zel::content
