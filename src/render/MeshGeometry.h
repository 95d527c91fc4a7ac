#pragma once
#include <memory>
#include <vector>

namespace zel::render {

class MeshBuilder;
class Texture;

// Floats per vertex in MeshGeometry::vertexData, in this order: position
// (3), normal (3), texture coordinates (2), diffuse colour (4), emissive
// colour (3).
inline constexpr int kGeometryStride = 15;

// A run of triangles that share one texture (or none).
struct GeometryPart {
    std::shared_ptr<Texture> texture;  // bound while the run is drawn
    int first = 0;                     // first vertex of the run
    int count = 0;                     // vertices in the run, a multiple of 3
};

// A mesh flattened into triangle vertices ready for upload: every face
// fanned into triangles, faces grouped by texture. Built in main memory so
// it can be checked without a GPU.
struct MeshGeometry {
    std::vector<float> vertexData;     // kGeometryStride floats per vertex
    std::vector<GeometryPart> parts;   // runs in the order their texture was first met
    int VertexCount() const { return static_cast<int>(vertexData.size()) / kGeometryStride; }
};

MeshGeometry BuildGeometry(const MeshBuilder& mesh);

}  // namespace zel::render
