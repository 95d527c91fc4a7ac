#include "render/GpuRenderTarget.h"

#include "render/RenderError.h"

namespace zel::render {

GLuint CreatePictureTexture(GlFunctions& gl, int width, int height) {
    GLuint id = 0;
    gl.glGenTextures(1, &id);
    gl.glBindTexture(GL_TEXTURE_2D, id);
    // Given as blue-green-red-alpha, the driver may keep it in the window's
    // own byte order, for which a software rasteriser copies and scales
    // rectangles on a fast path of its own.
    gl.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    gl.glBindTexture(GL_TEXTURE_2D, 0);
    return id;
}

GpuRenderTarget::GpuRenderTarget(GlFunctions& gl, int width, int height)
    : gl_(gl), width_(width), height_(height) {
    gl_.glGenFramebuffers(1, &fbo_);
    colour_ = CreatePictureTexture(gl_, width, height);
    gl_.glGenRenderbuffers(1, &depth_);
    gl_.glBindRenderbuffer(GL_RENDERBUFFER, depth_);
    gl_.glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    gl_.glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
    gl_.glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour_, 0);
    gl_.glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
    const GLenum status = gl_.glCheckFramebufferStatus(GL_FRAMEBUFFER);
    gl_.glBindRenderbuffer(GL_RENDERBUFFER, 0);
    if (status != GL_FRAMEBUFFER_COMPLETE) {
        gl_.glBindFramebuffer(GL_FRAMEBUFFER, 0);
        gl_.glDeleteFramebuffers(1, &fbo_);
        gl_.glDeleteTextures(1, &colour_);
        gl_.glDeleteRenderbuffers(1, &depth_);
        fbo_ = colour_ = depth_ = 0;
        throw RenderError(RenderErrorCode::TargetFailed, "не удалось создать внеэкранный буфер", "OpenGL");
    }
}

GpuRenderTarget::~GpuRenderTarget() {
    if (fbo_) gl_.glDeleteFramebuffers(1, &fbo_);
    if (colour_) gl_.glDeleteTextures(1, &colour_);
    if (depth_) gl_.glDeleteRenderbuffers(1, &depth_);
}

void GpuRenderTarget::Bind() const { gl_.glBindFramebuffer(GL_FRAMEBUFFER, fbo_); }

QImage GpuRenderTarget::Read() const {
    QImage img(width_, height_, QImage::Format_RGBA8888);
    Bind();
    gl_.glPixelStorei(GL_PACK_ALIGNMENT, 4);
    gl_.glPixelStorei(GL_PACK_ROW_LENGTH, static_cast<GLint>(img.bytesPerLine() / 4));
    gl_.glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, img.bits());
    gl_.glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    // OpenGL's first row is the bottom one.
    return img.mirrored(false, true).convertToFormat(QImage::Format_RGB32);
}

}  // namespace zel::render
