#include "render/GpuTexture.h"

#include "render/Texture.h"

namespace zel::render {

GpuTexture::GpuTexture(GlFunctions& gl, const Texture& texture) : gl_(gl) {
    const QImage& img = texture.Image();
    gl_.glGenTextures(1, &id_);
    gl_.glBindTexture(GL_TEXTURE_2D, id_);
    gl_.glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    gl_.glPixelStorei(GL_UNPACK_ROW_LENGTH, static_cast<GLint>(img.bytesPerLine() / 4));
    // Rows go up top row first, so texture coordinate v = 0 is the
    // picture's top edge, as the wraps and the .x files expect.
    gl_.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, img.width(), img.height(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     img.constBits());
    gl_.glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    // One level: the linear option filters between the four nearest texels
    // of the picture itself, never between shrunken copies of it.
    gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    gl_.glBindTexture(GL_TEXTURE_2D, 0);
}

GpuTexture::~GpuTexture() {
    if (id_) gl_.glDeleteTextures(1, &id_);
}

void GpuTexture::Bind(int quality) const {
    gl_.glActiveTexture(GL_TEXTURE0);
    gl_.glBindTexture(GL_TEXTURE_2D, id_);
    const bool linear = quality != 0;
    gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, linear ? GL_LINEAR : GL_NEAREST);
    gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, linear ? GL_LINEAR : GL_NEAREST);
}

}  // namespace zel::render
