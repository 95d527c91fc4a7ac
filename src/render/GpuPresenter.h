#pragma once
#include <vector>

#include <QImage>
#include <QRect>
#include <QSize>

#include "render/GlFunctions.h"

namespace zel::render {

// Puts the drawn picture on a framebuffer of any size, all on the GPU: the
// picture scaled as large as fits with its aspect kept and centred (one
// textured rectangle, filtered when the sizes differ), the bars beside it
// cleared to black, and the overlay texts over it from a texture that is
// only uploaded when the texts change. The overlay is drawn only over the
// bands of rows that hold text, so a frame blends a few small rectangles
// rather than the whole screen.
//
// Owns its program, vertex array and texture; made and destroyed with the
// device's context current.
class GpuPresenter {
public:
    // Throws RenderError ShaderFailed.
    explicit GpuPresenter(GlFunctions& gl);
    ~GpuPresenter();
    GpuPresenter(const GpuPresenter&) = delete;
    GpuPresenter& operator=(const GpuPresenter&) = delete;

    // The texts over the picture: a picture-sized image, transparent where
    // there is no text (any format; premultiplied alpha is used). A null
    // image takes the overlay away. Uploads it and finds its text bands.
    void SetOverlay(const QImage& overlay);
    // The bands of picture rows holding overlay text, each as wide as its
    // text reaches (for checks).
    const std::vector<QRect>& OverlayBands() const { return bands_; }

    // Draws the picture of `picture` size held in texture `source` (rows
    // bottom first, as OpenGL draws them) onto framebuffer `target` of
    // `targetSize`, with the overlay unless `withOverlay` is false.
    void Draw(GLuint source, QSize picture, GLuint target, QSize targetSize, bool withOverlay = true);

private:
    // A textured rectangle program and its uniform locations.
    struct RectProgram {
        GLuint id = 0;       // the linked program
        GLint dest = -1;     // vec4 target rectangle in clip space
        GLint source = -1;   // vec4 texture rectangle
        GLint sampler = -1;  // sampler2D on unit 0
    };
    RectProgram Link(const char* fragmentSource);
    void DrawRect(const RectProgram& p, const float dest[4], const float source[4]);

    GlFunctions& gl_;            // the device's functions
    RectProgram picture_;        // the picture, opaque
    RectProgram text_;           // the overlay, blended where it has text
    GLuint vertexArray_ = 0;     // empty: the corners come from gl_VertexID
    GLuint overlay_ = 0;         // the overlay texture (premultiplied RGBA)
    QSize overlaySize_;          // its size; empty: no overlay
    std::vector<QRect> bands_;   // picture rectangles holding text
};

// The bands of rows of `overlay` that hold any pixel with alpha, each cut to
// the columns its pixels reach; rows closer than `gap` join one band.
std::vector<QRect> OverlayTextBands(const QImage& overlay, int gap = 2);

}  // namespace zel::render
