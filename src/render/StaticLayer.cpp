#include "render/StaticLayer.h"

#include "render/GpuRenderTarget.h"
#include "render/MeshBuilder.h"
#include "render/RenderError.h"

namespace zel::render {

std::uint32_t OneDepthStepFarther(std::uint32_t depth32) {
    const std::uint32_t z = depth32 >> 8;
    const std::uint32_t farther = z >= 0xFFFFFFu ? z : z + 1;
    return (farther << 8) | (farther >> 16);
}

StaticLayer::StaticLayer(GlFunctions& gl, int width, int height) : gl_(gl) {
    gl_.glGenFramebuffers(1, &fbo_);
    colour_ = CreatePictureTexture(gl_, width, height);
    gl_.glGenTextures(1, &depth_);
    gl_.glBindTexture(GL_TEXTURE_2D, depth_);
    gl_.glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, width, height, 0, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT,
                     nullptr);
    gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    gl_.glBindTexture(GL_TEXTURE_2D, 0);
    gl_.glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
    gl_.glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour_, 0);
    gl_.glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, depth_, 0);
    const GLenum status = gl_.glCheckFramebufferStatus(GL_FRAMEBUFFER);
    if (status != GL_FRAMEBUFFER_COMPLETE) {
        gl_.glBindFramebuffer(GL_FRAMEBUFFER, 0);
        gl_.glDeleteFramebuffers(1, &fbo_);
        gl_.glDeleteTextures(1, &colour_);
        gl_.glDeleteTextures(1, &depth_);
        fbo_ = colour_ = depth_ = 0;
        throw RenderError(RenderErrorCode::TargetFailed, "не удалось создать буфер неподвижной части сцены",
                          "OpenGL");
    }
}

StaticLayer::~StaticLayer() {
    if (fbo_) gl_.glDeleteFramebuffers(1, &fbo_);
    if (colour_) gl_.glDeleteTextures(1, &colour_);
    if (depth_) gl_.glDeleteTextures(1, &depth_);
}

bool StaticLayer::Holds(const Signature& key, const std::vector<std::shared_ptr<MeshBuilder>>& meshes) const {
    if (key_.empty() || key != key_ || meshes.size() != meshes_.size()) return false;
    for (std::size_t i = 0; i < meshes.size(); ++i)
        if (meshes_[i].expired() || meshes_[i].lock() != meshes[i]) return false;
    return true;
}

void StaticLayer::BeginDrawing() {
    key_.clear();
    meshes_.clear();
    gl_.glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
}

void StaticLayer::Seal(int x, int y, int w, int h, Signature key,
                       const std::vector<std::shared_ptr<MeshBuilder>>& meshes) {
    depths_.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    gl_.glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
    gl_.glPixelStorei(GL_PACK_ALIGNMENT, 4);
    gl_.glReadPixels(x, y, w, h, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, depths_.data());
    for (std::uint32_t& d : depths_) d = OneDepthStepFarther(d);
    gl_.glBindTexture(GL_TEXTURE_2D, depth_);
    gl_.glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    gl_.glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, w, h, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, depths_.data());
    gl_.glBindTexture(GL_TEXTURE_2D, 0);
    key_ = std::move(key);
    meshes_.assign(meshes.begin(), meshes.end());
}

void StaticLayer::CopyTo(GLuint target, int x, int y, int w, int h) const {
    gl_.glDisable(GL_SCISSOR_TEST);  // a blit is cut by the scissor too
    gl_.glBindFramebuffer(GL_READ_FRAMEBUFFER, fbo_);
    gl_.glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target);
    gl_.glBlitFramebuffer(x, y, x + w, y + h, x, y, x + w, y + h, GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT,
                          GL_NEAREST);
    gl_.glBindFramebuffer(GL_FRAMEBUFFER, target);
}

}  // namespace zel::render
