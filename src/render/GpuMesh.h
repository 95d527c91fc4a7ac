#pragma once
#include <vector>

#include "render/GlFunctions.h"
#include "render/MeshGeometry.h"

namespace zel::render {

// A mesh's triangles on the GPU: a vertex buffer and a vertex array whose
// per-instance attributes read from the device's shared instance buffer.
// Owns its GL objects; the context must be current when it is destroyed.
class GpuMesh {
public:
    GpuMesh(GlFunctions& gl, const MeshGeometry& geometry, GLuint instanceBuffer);
    ~GpuMesh();
    GpuMesh(const GpuMesh&) = delete;
    GpuMesh& operator=(const GpuMesh&) = delete;

    void Bind() const;
    const std::vector<GeometryPart>& Parts() const { return parts_; }

private:
    GlFunctions& gl_;                 // the device's functions
    GLuint vao_ = 0;                  // attribute layout
    GLuint vbo_ = 0;                  // the triangle vertices
    std::vector<GeometryPart> parts_; // texture runs within the vertices
};

}  // namespace zel::render
