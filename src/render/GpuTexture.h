#pragma once
#include "render/GlFunctions.h"

namespace zel::render {

class Texture;

// A texture's picture on the GPU, one level (no mipmaps), repeating outside
// 0..1.
// Owns the GL texture; the context must be current when it is destroyed.
class GpuTexture {
public:
    GpuTexture(GlFunctions& gl, const Texture& texture);
    ~GpuTexture();
    GpuTexture(const GpuTexture&) = delete;
    GpuTexture& operator=(const GpuTexture&) = delete;

    // Binds to unit 0 with nearest (quality 0) or bilinear (otherwise)
    // sampling, the same for minified and magnified texels.
    void Bind(int quality) const;

private:
    GlFunctions& gl_;  // the device's functions
    GLuint id_ = 0;    // the GL texture
};

}  // namespace zel::render
