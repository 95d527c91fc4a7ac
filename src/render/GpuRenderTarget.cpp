#include "render/GpuRenderTarget.h"

#include "render/RenderError.h"

namespace zel::render {

GpuRenderTarget::GpuRenderTarget(GlFunctions& gl, int width, int height)
    : gl_(gl), width_(width), height_(height) {
    gl_.glGenFramebuffers(1, &fbo_);
    gl_.glGenRenderbuffers(1, &colour_);
    gl_.glGenRenderbuffers(1, &depth_);
    gl_.glBindRenderbuffer(GL_RENDERBUFFER, colour_);
    gl_.glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    gl_.glBindRenderbuffer(GL_RENDERBUFFER, depth_);
    gl_.glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    gl_.glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
    gl_.glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    gl_.glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
    const GLenum status = gl_.glCheckFramebufferStatus(GL_FRAMEBUFFER);
    gl_.glBindRenderbuffer(GL_RENDERBUFFER, 0);
    if (status != GL_FRAMEBUFFER_COMPLETE) {
        gl_.glBindFramebuffer(GL_FRAMEBUFFER, 0);
        gl_.glDeleteFramebuffers(1, &fbo_);
        gl_.glDeleteRenderbuffers(1, &colour_);
        gl_.glDeleteRenderbuffers(1, &depth_);
        fbo_ = colour_ = depth_ = 0;
        throw RenderError(RenderErrorCode::TargetFailed, "не удалось создать внеэкранный буфер", "OpenGL");
    }
}

GpuRenderTarget::~GpuRenderTarget() {
    if (fbo_) gl_.glDeleteFramebuffers(1, &fbo_);
    if (colour_) gl_.glDeleteRenderbuffers(1, &colour_);
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
