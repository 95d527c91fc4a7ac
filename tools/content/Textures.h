#pragma once
#include "BmpWriter.h"

namespace zel::content {

// The table's texture, vembatable.bmp, 256 by 256: green felt in the upper
// three quarters (the playing surface) and a strip of wood grain below it
// (the slab's sides, the apron and the legs), split where TableMesh.h says.
// The wood strip tiles from left to right.
Image PaintTableTexture();

// The room's walls, pic/mingerb.bmp, 256 by 256: honey-coloured wood
// panelling of four vertical boards with grooves between them. It tiles
// both ways, and any single row or column of it still reads as wood, so
// it looks right however the walls stretch it.
Image PaintWallTexture();

}  // namespace zel::content
