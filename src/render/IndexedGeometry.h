#pragma once
#include <cstdint>
#include <vector>

#include "render/MeshGeometry.h"

namespace zel::render {

// A flattened mesh with every distinct vertex stored once and the triangles
// given as indices into them. A software rasteriser shades each vertex of a
// draw once per use in a non-indexed draw, but once per distinct vertex in
// an indexed one: a smooth sphere's twenty triangles name only twelve
// corners, and the name labels draw a thousand such spheres a frame.
struct IndexedGeometry {
    std::vector<float> vertexData;       // kGeometryStride floats per distinct vertex
    std::vector<std::uint32_t> indices;  // three per triangle, into vertexData
    std::vector<GeometryPart> parts;     // the same runs; first and count count indices
    int VertexCount() const { return static_cast<int>(vertexData.size()) / kGeometryStride; }
};

// Merges vertices whose every value is bit for bit the same; the triangles,
// their order and their runs stay as they are.
IndexedGeometry IndexGeometry(const MeshGeometry& geometry);

}  // namespace zel::render
