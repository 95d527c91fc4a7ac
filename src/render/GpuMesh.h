#pragma once
#include <vector>

#include "render/GlFunctions.h"
#include "render/IndexedGeometry.h"

namespace zel::render {

// A mesh's triangles on the GPU: a vertex buffer of the distinct vertices,
// an index buffer of the triangles and a vertex array whose per-instance
// attributes read from the device's shared instance buffer.
// Owns its GL objects; the context must be current when it is destroyed.
class GpuMesh {
public:
    GpuMesh(GlFunctions& gl, const IndexedGeometry& geometry, GLuint instanceBuffer);
    ~GpuMesh();
    GpuMesh(const GpuMesh&) = delete;
    GpuMesh& operator=(const GpuMesh&) = delete;

    void Bind() const;
    // Texture runs; first and count are in indices (GL_UNSIGNED_INT).
    const std::vector<GeometryPart>& Parts() const { return parts_; }

private:
    GlFunctions& gl_;                 // the device's functions
    GLuint vao_ = 0;                  // attribute layout
    GLuint vbo_ = 0;                  // the distinct vertices
    GLuint ibo_ = 0;                  // three indices per triangle, kept in the vertex array
    std::vector<GeometryPart> parts_; // texture runs within the indices
};

}  // namespace zel::render
