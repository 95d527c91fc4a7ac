#include "render/GpuMesh.h"

#include <cstdint>

#include "render/DrawList.h"
#include "render/GpuProgram.h"

namespace zel::render {

namespace {
const void* Offset(std::size_t floats) {
    return reinterpret_cast<const void*>(static_cast<std::uintptr_t>(floats * sizeof(float)));
}
}  // namespace

GpuMesh::GpuMesh(GlFunctions& gl, const IndexedGeometry& geometry, GLuint instanceBuffer)
    : gl_(gl), parts_(geometry.parts) {
    gl_.glGenVertexArrays(1, &vao_);
    gl_.glGenBuffers(1, &vbo_);
    gl_.glBindVertexArray(vao_);
    gl_.glBindBuffer(GL_ARRAY_BUFFER, vbo_);
    gl_.glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(geometry.vertexData.size() * sizeof(float)),
                     geometry.vertexData.data(), GL_STATIC_DRAW);
    gl_.glGenBuffers(1, &ibo_);
    gl_.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ibo_);
    gl_.glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                     static_cast<GLsizeiptr>(geometry.indices.size() * sizeof(std::uint32_t)),
                     geometry.indices.data(), GL_STATIC_DRAW);
    const GLsizei stride = kGeometryStride * sizeof(float);
    gl_.glEnableVertexAttribArray(kAttrPosition);
    gl_.glVertexAttribPointer(kAttrPosition, 3, GL_FLOAT, GL_FALSE, stride, Offset(0));
    gl_.glEnableVertexAttribArray(kAttrNormal);
    gl_.glVertexAttribPointer(kAttrNormal, 3, GL_FLOAT, GL_FALSE, stride, Offset(3));
    gl_.glEnableVertexAttribArray(kAttrTexCoord);
    gl_.glVertexAttribPointer(kAttrTexCoord, 2, GL_FLOAT, GL_FALSE, stride, Offset(6));
    gl_.glEnableVertexAttribArray(kAttrColour);
    gl_.glVertexAttribPointer(kAttrColour, 4, GL_FLOAT, GL_FALSE, stride, Offset(8));
    gl_.glEnableVertexAttribArray(kAttrEmissive);
    gl_.glVertexAttribPointer(kAttrEmissive, 3, GL_FLOAT, GL_FALSE, stride, Offset(12));

    // Per-instance placement rows and tint, from the shared instance buffer.
    gl_.glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer);
    const GLsizei istride = sizeof(DrawInstance);
    const GLuint instanceAttrs[4] = {kAttrInstanceRow0, kAttrInstanceRow1, kAttrInstanceRow2, kAttrInstanceTint};
    for (int k = 0; k < 4; ++k) {
        gl_.glEnableVertexAttribArray(instanceAttrs[k]);
        gl_.glVertexAttribPointer(instanceAttrs[k], 4, GL_FLOAT, GL_FALSE, istride, Offset(static_cast<std::size_t>(k) * 4));
        gl_.glVertexAttribDivisor(instanceAttrs[k], 1);
    }
    gl_.glBindVertexArray(0);
    gl_.glBindBuffer(GL_ARRAY_BUFFER, 0);
}

GpuMesh::~GpuMesh() {
    if (ibo_) gl_.glDeleteBuffers(1, &ibo_);
    if (vbo_) gl_.glDeleteBuffers(1, &vbo_);
    if (vao_) gl_.glDeleteVertexArrays(1, &vao_);
}

void GpuMesh::Bind() const { gl_.glBindVertexArray(vao_); }

}  // namespace zel::render
