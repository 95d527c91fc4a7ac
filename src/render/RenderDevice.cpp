#include "render/RenderDevice.h"

#include <algorithm>
#include <cstdint>

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLVersionFunctionsFactory>
#include <QSurfaceFormat>

#include "render/ColourDepth.h"
#include "render/DetailLevel.h"
#include "render/DrawList.h"
#include "render/Frame.h"
#include "render/GpuCache.h"
#include "render/GpuPresenter.h"
#include "render/GpuProgram.h"
#include "render/GpuRenderTarget.h"
#include "render/MeshBuilder.h"
#include "render/RenderError.h"
#include "render/StaticLayer.h"
#include "render/Viewport.h"

namespace zel::render {

namespace {
constexpr int kMaxPictureSide = 8192;  // larger modes do not exist

// One format for the off-screen surface and every window presented to, so
// the context can be made current on either.
QSurfaceFormat DeviceFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    // The scene has a depth buffer of its own (GpuRenderTarget); a window
    // without one lets a software rasteriser copy and scale the picture on
    // its fast path for flat rectangles.
    format.setDepthBufferSize(0);
    format.setStencilBufferSize(0);
    // The display loop paces itself; a swap never waits for the screen.
    format.setSwapInterval(0);
    return format;
}

// A scene colour as a picture of `bits` per pixel holds it.
float Shown(float channel, int bits, int shift) {
    const int v = static_cast<int>(std::clamp(channel, 0.0f, 1.0f) * 255.0f + 0.5f);
    const QRgb q = QuantiseColour(qRgb(v, v, v), bits);
    return static_cast<float>((q >> shift) & 0xff) / 255.0f;
}
}  // namespace

QSurfaceFormat RenderDevice::WindowFormat() { return DeviceFormat(); }

std::unique_ptr<RenderDevice> RenderDevice::Create(int width, int height, int colourDepth) {
    if (!QGuiApplication::instance()) {
        throw RenderError(RenderErrorCode::NoApplication, "нет оконного приложения для контекста OpenGL", "Qt");
    }
    if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide ||
        !IsSupportedColourDepth(colourDepth)) {
        throw RenderError(RenderErrorCode::DisplayMode,
                          "видеорежим " + std::to_string(width) + "x" + std::to_string(height) + "x" +
                              std::to_string(colourDepth) + " не поддерживается");
    }
    std::unique_ptr<RenderDevice> d(new RenderDevice());
    d->width_ = width;
    d->height_ = height;
    d->colourDepth_ = colourDepth;

    const QSurfaceFormat format = DeviceFormat();
    d->surface_ = std::make_unique<QOffscreenSurface>();
    d->surface_->setFormat(format);
    d->surface_->create();
    d->context_ = std::make_unique<QOpenGLContext>();
    d->context_->setFormat(format);
    if (!d->surface_->isValid() || !d->context_->create() || !d->context_->makeCurrent(d->surface_.get())) {
        throw RenderError(RenderErrorCode::ContextFailed, "не удалось создать контекст OpenGL 3.3", "OpenGL");
    }
    d->gl_ = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_3_3_Core>(d->context_.get());
    if (!d->gl_ || !d->gl_->initializeOpenGLFunctions()) {
        d->gl_ = nullptr;
        throw RenderError(RenderErrorCode::ContextFailed, "OpenGL 3.3 core недоступен", "OpenGL");
    }
    d->gl_->glGenBuffers(1, &d->instanceBuffer_);
    d->target_ = std::make_unique<GpuRenderTarget>(*d->gl_, width, height);
    d->Program(false, false);  // a shader this driver refuses fails here, not in a match
    d->cache_ = std::make_unique<GpuCache>(*d->gl_, d->instanceBuffer_);
    return d;
}

RenderDevice::~RenderDevice() {
    if (context_ && surface_ && context_->makeCurrent(surface_.get())) {
        presenter_.reset();
        layer_.reset();
        cache_.reset();
        for (auto& p : programs_) p.reset();
        target_.reset();
        if (gl_ && instanceBuffer_) gl_->glDeleteBuffers(1, &instanceBuffer_);
        context_->doneCurrent();
    }
    context_.reset();
    surface_.reset();
}

void RenderDevice::MakeCurrent() {
    if (QOpenGLContext::currentContext() == context_.get()) return;
    // On the window when there is one: switching surfaces every frame costs.
    QSurface* on = window_ ? static_cast<QSurface*>(window_.data()) : surface_.get();
    if (!context_->makeCurrent(on) && !context_->makeCurrent(surface_.get())) {
        throw RenderError(RenderErrorCode::ContextFailed, "контекст OpenGL потерян", "OpenGL");
    }
}

GpuPresenter& RenderDevice::Presenter() {
    if (!presenter_) presenter_ = std::make_unique<GpuPresenter>(*gl_);
    return *presenter_;
}

GpuProgram& RenderDevice::Program(bool quantise, bool textured) {
    auto& p = programs_[(quantise ? 2 : 0) + (textured ? 1 : 0)];
    if (!p) {
        const ChannelLevels levels = quantise ? LevelsForColourDepth(colourDepth_) : ChannelLevels{};
        p = std::make_unique<GpuProgram>(*gl_, levels, textured);
    }
    return *p;
}

bool RenderDevice::AttachWindow(QWindow& window) {
    if (window.surfaceType() != QSurface::OpenGLSurface) return false;
    if (!window.handle()) window.create();
    if (!window.handle() || !context_->makeCurrent(&window)) {
        context_->makeCurrent(surface_.get());
        return false;
    }
    try {
        Presenter();
    } catch (const RenderError&) {
        context_->makeCurrent(surface_.get());
        return false;
    }
    window_ = &window;
    shaderQuantise_ = true;
    return true;
}

void RenderDevice::DetachWindow() {
    if (!window_) return;
    window_.clear();
    context_->makeCurrent(surface_.get());
}

void RenderDevice::SetOverlay(const QImage& overlay) {
    MakeCurrent();
    Presenter().SetOverlay(overlay);
}

bool RenderDevice::Present() {
    if (!window_ || !window_->isExposed()) return false;
    if (!context_->makeCurrent(window_.data())) return false;
    const QSize size = window_->size() * window_->devicePixelRatio();
    Presenter().Draw(target_->ColourTexture(), {width_, height_}, context_->defaultFramebufferObject(), size);
    context_->swapBuffers(window_.data());
    return true;
}

bool RenderDevice::PresentEmpty() {
    if (!window_ || !window_->isExposed()) return false;
    if (!context_->makeCurrent(window_.data())) return false;
    target_->Bind();
    gl_->glViewport(0, 0, width_, height_);
    gl_->glClearColor(0, 0, 0, 1);
    gl_->glClear(GL_COLOR_BUFFER_BIT);
    const QSize size = window_->size() * window_->devicePixelRatio();
    Presenter().Draw(target_->ColourTexture(), {width_, height_}, context_->defaultFramebufferObject(), size, false);
    context_->swapBuffers(window_.data());
    return true;
}

void RenderDevice::Finish() {
    MakeCurrent();
    gl_->glFinish();
}

QImage RenderDevice::GrabPresented() {
    MakeCurrent();
    const GpuRenderTarget shown(*gl_, width_, height_);
    Presenter().Draw(target_->ColourTexture(), {width_, height_}, shown.Fbo(), {width_, height_});
    return shown.Read();
}

void RenderDevice::Clear(const Viewport& viewport, const Frame& scene, int flags) {
    MakeCurrent();
    target_->Bind();
    const Colour& bg = scene.SceneBackground();
    // The background as the fragments are: rounded to the depth.
    const std::array<float, 4> colour =
        shaderQuantise_ ? std::array<float, 4>{Shown(bg.r, colourDepth_, 16), Shown(bg.g, colourDepth_, 8),
                                               Shown(bg.b, colourDepth_, 0), 1.0f}
                        : std::array<float, 4>{bg.r, bg.g, bg.b, 1.0f};
    const std::array<int, 4> rect{viewport.X(), height_ - viewport.Y() - viewport.Height(), viewport.Width(),
                                  viewport.Height()};
    ClearRect(rect, colour, flags);
    // A frame may start from the kept layer only over a picture cleared
    // whole, as the layer was.
    const bool whole = (flags & (kClearTarget | kClearDepth)) == (kClearTarget | kClearDepth);
    cleared_ = {whole, rect, colour};
}

void RenderDevice::ClearRect(const std::array<int, 4>& rect, const std::array<float, 4>& colour, int flags) {
    GLbitfield mask = 0;
    if (flags & kClearTarget) {
        gl_->glClearColor(colour[0], colour[1], colour[2], colour[3]);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & kClearDepth) {
        gl_->glDepthMask(GL_TRUE);
        gl_->glClearDepth(1.0);
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    gl_->glEnable(GL_SCISSOR_TEST);
    gl_->glScissor(rect[0], rect[1], rect[2], rect[3]);
    gl_->glClear(mask);
    gl_->glDisable(GL_SCISSOR_TEST);
}

namespace {

// The mesh a batch is drawn with and what its pixels depend on besides the
// frame: the mesh (alive while the batch is) and its version, and every
// copy's placement and tint.
Signature BatchSignature(const DrawBatch& batch, const MeshBuilder& mesh) {
    Signature s;
    s.reserve(16 + batch.instances.size() * sizeof(DrawInstance));
    AddToSignature(s, &mesh);
    AddToSignature(s, mesh.Version());
    for (const DrawInstance& d : batch.instances) {
        AddToSignature(s, d.rows);
        AddToSignature(s, d.tint);
    }
    return s;
}

}  // namespace

void RenderDevice::Render(const Viewport& viewport, const Frame& scene) {
    MakeCurrent();
    cache_->Purge();
    const DrawList list = CollectDrawList(scene);
    const std::array<int, 4> rect{viewport.X(), height_ - viewport.Y() - viewport.Height(), viewport.Width(),
                                  viewport.Height()};

    const ChannelLevels levels = shaderQuantise_ ? LevelsForColourDepth(colourDepth_) : ChannelLevels{};
    const bool quantise = levels.Red != 0;
    const GlMatrix vp = viewport.ViewProjection();
    float positions[kMaxPointLights * 3] = {};
    float colours[kMaxPointLights * 3] = {};
    const int lights = static_cast<int>(list.pointLights.size());
    for (int i = 0; i < lights; ++i) {
        const auto& l = list.pointLights[static_cast<std::size_t>(i)];
        positions[i * 3 + 0] = static_cast<float>(l.position.x);
        positions[i * 3 + 1] = static_cast<float>(l.position.y);
        positions[i * 3 + 2] = static_cast<float>(l.position.z);
        colours[i * 3 + 0] = l.colour.r;
        colours[i * 3 + 1] = l.colour.g;
        colours[i * 3 + 2] = l.colour.b;
    }
    // Both variants of this colour depth get the frame's uniforms; each part
    // is then drawn with the one its texture asks for.
    for (const bool textured : {false, true}) {
        const GpuProgram& program = Program(quantise, textured);
        const auto& loc = program.Uniforms();
        gl_->glUseProgram(program.Id());
        gl_->glUniformMatrix4fv(loc.viewProjection, 1, GL_FALSE, vp.data());
        gl_->glUniform3f(loc.ambient, list.ambient.r, list.ambient.g, list.ambient.b);
        gl_->glUniform1i(loc.lightCount, lights);
        gl_->glUniform3fv(loc.lightPosition, kMaxPointLights, positions);
        gl_->glUniform3fv(loc.lightColour, kMaxPointLights, colours);
        gl_->glUniform1i(loc.texture, 0);
    }
    programInUse_ = Program(quantise, true).Id();  // the last one given uniforms above

    // Batches go in the reverse of the tree's order. A scene is built from
    // the outside in: the room and the table first, then what stands on
    // them (pieces, walls, posts, labels). Drawn first, the near things fill
    // the depth buffer before the room and the table, and the room and the
    // table, drawn last, are the end the kept layer holds.
    std::vector<const DrawBatch*> order;
    std::vector<const std::shared_ptr<MeshBuilder>*> meshes;
    order.reserve(list.batches.size());
    for (auto it = list.batches.rbegin(); it != list.batches.rend(); ++it) {
        order.push_back(&*it);
        meshes.push_back(&MeshToDraw(*it, vp, viewport.Width(), viewport.Height()));
    }

    // How many batches at the end come from the kept layer.
    std::size_t kept = 0;
    Signature key;
    std::vector<std::shared_ptr<MeshBuilder>> keptMeshes;
    if (keepStatic_ && cleared_.whole && cleared_.rect == rect) {
        Signature frame;
        AddToSignature(frame, vp);
        AddToSignature(frame, rect);
        AddToSignature(frame, cleared_.colour);
        AddToSignature(frame, list.ambient);
        for (const PointLightInfo& l : list.pointLights) {
            AddToSignature(frame, l.position);
            AddToSignature(frame, l.colour);
        }
        AddToSignature(frame, levels);
        AddToSignature(frame, textureQuality_);
        std::vector<Signature> batches;
        batches.reserve(order.size());
        for (std::size_t i = 0; i < order.size(); ++i) batches.push_back(BatchSignature(*order[i], **meshes[i]));
        kept = tail_.Update(frame, batches);
        key = std::move(frame);
        for (std::size_t i = order.size() - kept; i < order.size(); ++i) {
            key.insert(key.end(), batches[i].begin(), batches[i].end());
            keptMeshes.push_back(*meshes[i]);
        }
    } else {
        tail_.Reset();
    }
    cleared_.whole = false;  // the next frame clears again

    gl_->glViewport(rect[0], rect[1], rect[2], rect[3]);
    gl_->glEnable(GL_DEPTH_TEST);
    gl_->glDepthFunc(GL_LESS);
    gl_->glDepthMask(GL_TRUE);
    // Front faces run clockwise on screen; the backs of closed meshes are
    // never seen and are skipped.
    gl_->glEnable(GL_CULL_FACE);
    gl_->glFrontFace(GL_CW);
    gl_->glCullFace(GL_BACK);
    gl_->glDisable(GL_BLEND);

    if (kept > 0 && !layer_) {
        try {
            layer_ = std::make_unique<StaticLayer>(*gl_, width_, height_);
        } catch (const RenderError&) {
            // No second framebuffer: every frame is drawn in full.
            keepStatic_ = false;
            tail_.Reset();
            kept = 0;
        }
    }
    lastDrawCalls_ = 0;
    lastInstances_ = 0;
    const std::size_t split = order.size() - kept;
    if (kept > 0) {
        if (!layer_->Holds(key, keptMeshes)) {
            layer_->BeginDrawing();
            ClearRect(rect, cleared_.colour, kClearTarget | kClearDepth);
            for (std::size_t i = split; i < order.size(); ++i) DrawOne(*order[i], *meshes[i], quantise);
            layer_->Seal(rect[0], rect[1], rect[2], rect[3], std::move(key), keptMeshes);
        }
        layer_->CopyTo(target_->Fbo(), rect[0], rect[1], rect[2], rect[3]);
    } else {
        target_->Bind();
    }
    for (std::size_t i = 0; i < split; ++i) DrawOne(*order[i], *meshes[i], quantise);
    lastKeptBatches_ = static_cast<int>(kept);

    gl_->glBindVertexArray(0);
    gl_->glBindBuffer(GL_ARRAY_BUFFER, 0);
    gl_->glUseProgram(0);
}

void RenderDevice::DrawOne(const DrawBatch& batch, const std::shared_ptr<MeshBuilder>& meshToDraw, bool quantise) {
    const GpuMesh& mesh = cache_->Mesh(meshToDraw);
    const GLuint plain = Program(quantise, false).Id();
    const GLuint textured = Program(quantise, true).Id();
    const auto count = static_cast<GLsizei>(batch.instances.size());
    gl_->glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer_);
    gl_->glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(batch.instances.size() * sizeof(DrawInstance)),
                      batch.instances.data(), GL_STREAM_DRAW);
    mesh.Bind();
    for (const GeometryPart& part : mesh.Parts()) {
        const GLuint wanted = part.texture ? textured : plain;
        if (wanted != programInUse_) {
            gl_->glUseProgram(wanted);
            programInUse_ = wanted;
        }
        if (part.texture) cache_->TextureFor(part.texture).Bind(textureQuality_);
        gl_->glDrawElementsInstanced(
            GL_TRIANGLES, part.count, GL_UNSIGNED_INT,
            reinterpret_cast<const void*>(static_cast<std::uintptr_t>(part.first) * sizeof(std::uint32_t)), count);
        ++lastDrawCalls_;
    }
    lastInstances_ += count;
}

QImage RenderDevice::Grab() {
    MakeCurrent();
    return target_->Read();
}

QImage RenderDevice::GrabAtColourDepth() {
    // Rounding an already rounded picture again changes nothing.
    return QuantiseToColourDepth(Grab(), colourDepth_);
}

}  // namespace zel::render
