#pragma once
#include <QImage>

#include "render/GlFunctions.h"

namespace zel::render {

// A new colour texture of the picture's format (8-bit RGBA, one level,
// nearest, clamped), unbound. Every buffer the picture is copied to or
// from is made by it, so copies between them are plain blits.
GLuint CreatePictureTexture(GlFunctions& gl, int width, int height);

// The off-screen picture the scene is drawn into: an 8-bit RGBA colour
// texture and a 24-bit depth buffer of a fixed size. Owns the framebuffer and
// its buffers; the context must be current when it is destroyed.
class GpuRenderTarget {
public:
    // Throws RenderError TargetFailed when the framebuffer is incomplete.
    GpuRenderTarget(GlFunctions& gl, int width, int height);
    ~GpuRenderTarget();
    GpuRenderTarget(const GpuRenderTarget&) = delete;
    GpuRenderTarget& operator=(const GpuRenderTarget&) = delete;

    void Bind() const;
    GLuint Fbo() const { return fbo_; }
    // The colour buffer as a texture, for drawing the picture elsewhere.
    GLuint ColourTexture() const { return colour_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The picture as RGB32, top row first.
    QImage Read() const;

private:
    GlFunctions& gl_;   // the device's functions
    int width_;         // pixels across
    int height_;        // pixels down
    GLuint fbo_ = 0;    // the framebuffer
    GLuint colour_ = 0; // its colour texture
    GLuint depth_ = 0;  // its depth renderbuffer
};

}  // namespace zel::render
