#pragma once
#include <array>
#include <memory>

#include <QImage>
#include <QPointer>
#include <QSurfaceFormat>
#include <QWindow>

#include "render/GlFunctions.h"
#include "render/StaticTail.h"

class QOffscreenSurface;
class QOpenGLContext;

namespace zel::render {

class Frame;
class MeshBuilder;
class StaticLayer;
struct DrawBatch;
class GpuCache;
class GpuPresenter;
class GpuProgram;
class GpuRenderTarget;
class Viewport;

// Flags of Clear, combinable: the picture and the depth buffer.
enum ClearFlags : int { kClearTarget = 1, kClearDepth = 2 };

// The device: an OpenGL 3.3 core context on its own off-screen surface, the
// picture of the display mode it was made for, the shading program and the
// GPU copies of the scene. Everything GPU-side is made after the context and
// freed, with the context current, before it. Needs a Qt GUI application on
// the calling (GUI) thread.
class RenderDevice {
public:
    // Throws RenderError: NoApplication, DisplayMode (width or height outside
    // 1..8192, colour depth not 8/16/24/32), ContextFailed, TargetFailed,
    // ShaderFailed.
    static std::unique_ptr<RenderDevice> Create(int width, int height, int colourDepth);
    ~RenderDevice();
    RenderDevice(const RenderDevice&) = delete;
    RenderDevice& operator=(const RenderDevice&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int ColourDepth() const { return colourDepth_; }

    // Options. Render quality 137 is Gouraud shading with lighting and solid
    // fill, the only kind the device draws; it is recorded as given. Texture
    // quality 0 samples the nearest texel, 1 filters linearly. Buffer count
    // and dither are recorded (the picture is single-buffered off screen and
    // the colour-depth rounding never dithers).
    void SetBufferCount(int n) { bufferCount_ = n; }
    void SetRenderQuality(int q) { renderQuality_ = q; }
    void SetTextureQuality(int q) { textureQuality_ = q; }
    void SetDither(int d) { dither_ = d; }
    int BufferCount() const { return bufferCount_; }
    int RenderQuality() const { return renderQuality_; }
    int TextureQuality() const { return textureQuality_; }
    int Dither() const { return dither_; }

    // Clears the viewport's rectangle of the picture (kClearTarget, to the
    // scene's background colour) and/or of the depth buffer (kClearDepth).
    void Clear(const Viewport& viewport, const Frame& scene, int flags);
    // Draws the scene as the viewport's camera sees it, one instanced call
    // per mesh and texture.
    void Render(const Viewport& viewport, const Frame& scene);
    // The picture as drawn (RGB32, top row first): full colour, or rounded
    // to the colour depth while ShaderQuantise is on.
    QImage Grab();
    // The picture as the display mode shows it (quantised to the depth).
    QImage GrabAtColourDepth();

    // --- straight to a window ----------------------------------------------
    // The surface format a window must have to be presented to: set it on
    // the window (with the OpenGL surface type) before it is first shown.
    static QSurfaceFormat WindowFormat();
    // Draws on `window` from now on: the context is made current on it and
    // the scene's fragments are rounded to the colour depth as they are
    // drawn (Grab then gives the picture as shown). False, with nothing
    // changed, when the window has no OpenGL surface the context can use.
    // The window must outlive the device or be detached first.
    bool AttachWindow(QWindow& window);
    void DetachWindow();
    bool HasWindow() const { return !window_.isNull(); }
    // The texts drawn over the picture when it is presented (see
    // GpuPresenter::SetOverlay); only call it when they change.
    void SetOverlay(const QImage& overlay);
    // Shows the last drawn picture on the window: scaled with its aspect
    // kept, black bars, the overlay, then the buffers are swapped. False
    // (nothing drawn) without a window or while it is not exposed.
    bool Present();
    // The floor of a frame: the picture cleared to black and presented as
    // Present does (scaled to the window, bars, swapped), without the
    // overlay; the scene's picture is lost. False as Present.
    bool PresentEmpty();
    // Waits until the GPU has finished everything asked of it.
    void Finish();
    // What Present puts on the screen, composed at the picture's own size
    // (the picture and the overlay over it), read back for checks.
    QImage GrabPresented();
    // Rounds the scene's fragments to the colour depth in the shader
    // (on with a window; tests switch it by hand).
    void SetShaderQuantise(bool on) { shaderQuantise_ = on; }
    bool ShaderQuantise() const { return shaderQuantise_; }

    // Keeps the far end of the draw order that has not changed for a few
    // frames (the room and the table while pieces move) in a layer and
    // starts each frame from it instead of drawing it (StaticTail,
    // StaticLayer); the picture is the same pixel for pixel. On unless
    // switched off (checks compare the two).
    void SetKeepStatic(bool on) { keepStatic_ = on; }

    // Draw calls and instances of the last Render (for checks), and how
    // many batches it took from the kept layer instead of drawing them.
    int LastDrawCalls() const { return lastDrawCalls_; }
    int LastInstances() const { return lastInstances_; }
    int LastKeptBatches() const { return lastKeptBatches_; }

private:
    RenderDevice() = default;
    void MakeCurrent();
    GpuPresenter& Presenter();
    GpuProgram& Program(bool quantise, bool textured);
    // Clears a rectangle (OpenGL rows) of the bound framebuffer.
    void ClearRect(const std::array<int, 4>& rect, const std::array<float, 4>& colour, int flags);
    // One batch with `mesh` (its own or its stand-in), all copies in one
    // call per texture.
    void DrawOne(const DrawBatch& batch, const std::shared_ptr<MeshBuilder>& mesh, bool quantise);

    int width_ = 0;               // picture width in pixels
    int height_ = 0;              // picture height in pixels
    int colourDepth_ = 32;        // bits per pixel of the display mode
    int bufferCount_ = 1;         // recorded option
    int renderQuality_ = 137;     // recorded option
    int textureQuality_ = 0;      // 0 nearest, else linear
    int dither_ = 0;              // recorded option
    int lastDrawCalls_ = 0;       // statistics of the last Render
    int lastInstances_ = 0;       // statistics of the last Render
    bool shaderQuantise_ = false; // round to the colour depth while drawing
    bool keepStatic_ = true;      // start frames from the kept layer
    int lastKeptBatches_ = 0;     // statistics of the last Render
    GLuint programInUse_ = 0;     // the program bound while batches are drawn
    // The last Clear: whether it cleared picture and depth together, where,
    // and to what colour (the kept layer is cleared the same way).
    struct LastClear {
        bool whole = false;
        std::array<int, 4> rect{};
        std::array<float, 4> colour{};
    } cleared_;
    StaticTail tail_;             // which end of the draw order stays the same

    std::unique_ptr<QOffscreenSurface> surface_;  // what the context draws on
    std::unique_ptr<QOpenGLContext> context_;     // owns every GL object below
    GlFunctions* gl_ = nullptr;                   // owned by the context
    GLuint instanceBuffer_ = 0;                   // per-instance data, refilled per batch
    std::unique_ptr<GpuRenderTarget> target_;     // the picture
    // The shading variants, by Variant(): plain or rounding to the colour
    // depth, untextured or textured; each made when first needed.
    std::array<std::unique_ptr<GpuProgram>, 4> programs_;
    std::unique_ptr<GpuCache> cache_;             // meshes and textures
    std::unique_ptr<GpuPresenter> presenter_;     // the picture onto a window, made when first needed
    std::unique_ptr<StaticLayer> layer_;          // the kept far end, made when first needed
    QPointer<QWindow> window_;                    // presented to; null: off screen only
};

}  // namespace zel::render
