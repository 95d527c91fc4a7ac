#include "render/GpuPresenter.h"

#include <algorithm>
#include <string>

#include "render/PictureWindow.h"
#include "render/RenderError.h"
#include "render/ShaderCompile.h"

namespace zel::render {

namespace {

// A rectangle from four corners made from the vertex number, drawn as a fan
// (a software rasteriser can take a four-corner fan as one rectangle rather
// than two triangles), mapping the texture rectangle onto the target one.
const char* const kVertexSource = R"(#version 330 core
uniform vec4 uDest;
uniform vec4 uSource;
noperspective out vec2 vUv;
void main() {
    vec2 corner = vec2(float(gl_VertexID == 1 || gl_VertexID == 2), float(gl_VertexID >= 2));
    vUv = mix(uSource.xy, uSource.zw, corner);
    gl_Position = vec4(mix(uDest.xy, uDest.zw, corner), 0.0, 1.0);
}
)";

const char* const kFragmentSource = R"(#version 330 core
noperspective in vec2 vUv;
uniform sampler2D uOverlay;
out vec4 fragColour;
void main() {
    vec4 c = texture(uOverlay, vUv);
    if (c.a <= 0.0) discard;
    fragColour = c;
}
)";

// The picture itself: opaque, so nothing to discard or blend.
const char* const kPictureSource = R"(#version 330 core
noperspective in vec2 vUv;
uniform sampler2D uOverlay;
out vec4 fragColour;
void main() {
    fragColour = texture(uOverlay, vUv);
}
)";

bool RowHasText(const QImage& img, int y, int& left, int& right) {
    const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    left = -1;
    for (int x = 0; x < img.width(); ++x)
        if (qAlpha(row[x]) != 0) {
            if (left < 0) left = x;
            right = x;
        }
    return left >= 0;
}

}  // namespace

std::vector<QRect> OverlayTextBands(const QImage& overlay, int gap) {
    std::vector<QRect> bands;
    if (overlay.isNull()) return bands;
    const QImage img = overlay.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QRect band;
    int lastRow = -1;
    for (int y = 0; y < img.height(); ++y) {
        int left = 0, right = 0;
        if (!RowHasText(img, y, left, right)) continue;
        const QRect row(left, y, right - left + 1, 1);
        if (!band.isNull() && y - lastRow <= gap) {
            band = band.united(row);
        } else {
            if (!band.isNull()) bands.push_back(band);
            band = row;
        }
        lastRow = y;
    }
    if (!band.isNull()) bands.push_back(band);
    return bands;
}

GpuPresenter::RectProgram GpuPresenter::Link(const char* fragmentSource) {
    const GLuint vs = CompileShader(gl_, GL_VERTEX_SHADER, kVertexSource, "шейдер вывода");
    GLuint fs = 0;
    try {
        fs = CompileShader(gl_, GL_FRAGMENT_SHADER, fragmentSource, "шейдер вывода");
    } catch (...) {
        gl_.glDeleteShader(vs);
        throw;
    }
    RectProgram p;
    p.id = gl_.glCreateProgram();
    gl_.glAttachShader(p.id, vs);
    gl_.glAttachShader(p.id, fs);
    gl_.glLinkProgram(p.id);
    gl_.glDeleteShader(vs);
    gl_.glDeleteShader(fs);
    GLint ok = 0;
    gl_.glGetProgramiv(p.id, GL_LINK_STATUS, &ok);
    if (!ok) {
        gl_.glDeleteProgram(p.id);
        throw RenderError(RenderErrorCode::ShaderFailed, "шейдер вывода не связан", "OpenGL");
    }
    p.dest = gl_.glGetUniformLocation(p.id, "uDest");
    p.source = gl_.glGetUniformLocation(p.id, "uSource");
    p.sampler = gl_.glGetUniformLocation(p.id, "uOverlay");
    return p;
}

GpuPresenter::GpuPresenter(GlFunctions& gl) : gl_(gl) {
    picture_ = Link(kPictureSource);
    try {
        text_ = Link(kFragmentSource);
    } catch (...) {
        gl_.glDeleteProgram(picture_.id);
        throw;
    }
    gl_.glGenVertexArrays(1, &vertexArray_);
    gl_.glGenTextures(1, &overlay_);
}

GpuPresenter::~GpuPresenter() {
    if (overlay_) gl_.glDeleteTextures(1, &overlay_);
    if (vertexArray_) gl_.glDeleteVertexArrays(1, &vertexArray_);
    if (text_.id) gl_.glDeleteProgram(text_.id);
    if (picture_.id) gl_.glDeleteProgram(picture_.id);
}

void GpuPresenter::DrawRect(const RectProgram& p, const float dest[4], const float source[4]) {
    gl_.glUniform4f(p.dest, dest[0], dest[1], dest[2], dest[3]);
    gl_.glUniform4f(p.source, source[0], source[1], source[2], source[3]);
    gl_.glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
}

void GpuPresenter::SetOverlay(const QImage& overlay) {
    bands_ = OverlayTextBands(overlay);
    if (overlay.isNull() || bands_.empty()) {
        overlaySize_ = {};
        return;
    }
    // OpenGL's first row is the bottom one; the texture is kept upright by
    // flipping its coordinates instead of the pixels.
    const QImage img = overlay.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
    gl_.glActiveTexture(GL_TEXTURE0);
    gl_.glBindTexture(GL_TEXTURE_2D, overlay_);
    gl_.glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    gl_.glPixelStorei(GL_UNPACK_ROW_LENGTH, static_cast<GLint>(img.bytesPerLine() / 4));
    if (overlaySize_ != img.size()) {
        gl_.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, img.width(), img.height(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                         img.constBits());
        gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    } else {
        gl_.glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, img.width(), img.height(), GL_RGBA, GL_UNSIGNED_BYTE,
                            img.constBits());
    }
    gl_.glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    gl_.glBindTexture(GL_TEXTURE_2D, 0);
    overlaySize_ = img.size();
}

void GpuPresenter::Draw(GLuint source, QSize picture, GLuint target, QSize targetSize, bool withOverlay) {
    const QRect fit = PictureWindow::FitRect(picture, targetSize);
    if (fit.isEmpty()) return;
    const int W = targetSize.width();
    const int H = targetSize.height();
    // The fitted rectangle in OpenGL's rows (bottom first).
    const int x0 = fit.x();
    const int y0 = H - fit.y() - fit.height();
    const int x1 = x0 + fit.width();
    const int y1 = y0 + fit.height();

    gl_.glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target);
    gl_.glViewport(0, 0, W, H);
    gl_.glDisable(GL_DEPTH_TEST);
    gl_.glDisable(GL_CULL_FACE);
    gl_.glDepthMask(GL_FALSE);
    // Black bars only where the picture does not reach.
    gl_.glClearColor(0, 0, 0, 1);
    gl_.glEnable(GL_SCISSOR_TEST);
    if (x0 > 0) {
        gl_.glScissor(0, 0, x0, H);
        gl_.glClear(GL_COLOR_BUFFER_BIT);
        gl_.glScissor(x1, 0, W - x1, H);
        gl_.glClear(GL_COLOR_BUFFER_BIT);
    }
    if (y0 > 0) {
        gl_.glScissor(0, 0, W, y0);
        gl_.glClear(GL_COLOR_BUFFER_BIT);
        gl_.glScissor(0, y1, W, H - y1);
        gl_.glClear(GL_COLOR_BUFFER_BIT);
    }
    gl_.glDisable(GL_SCISSOR_TEST);

    const bool scaled = fit.size() != picture;
    const GLint filter = scaled ? GL_LINEAR : GL_NEAREST;
    gl_.glBindVertexArray(vertexArray_);
    gl_.glActiveTexture(GL_TEXTURE0);
    gl_.glDisable(GL_BLEND);
    gl_.glUseProgram(picture_.id);
    gl_.glUniform1i(picture_.sampler, 0);
    gl_.glBindTexture(GL_TEXTURE_2D, source);
    gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    const float whole[4] = {0, 0, 1, 1};
    const float fitted[4] = {static_cast<float>(x0) / W * 2 - 1, static_cast<float>(y0) / H * 2 - 1,
                             static_cast<float>(x1) / W * 2 - 1, static_cast<float>(y1) / H * 2 - 1};
    DrawRect(picture_, fitted, whole);
    // The picture's own texture is sampled nearest again by default.
    gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);

    if (!withOverlay || overlaySize_.isEmpty() || bands_.empty()) {
        gl_.glBindTexture(GL_TEXTURE_2D, 0);
        gl_.glBindVertexArray(0);
        gl_.glUseProgram(0);
        return;
    }
    gl_.glUseProgram(text_.id);
    gl_.glUniform1i(text_.sampler, 0);
    gl_.glBindTexture(GL_TEXTURE_2D, overlay_);
    gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    gl_.glEnable(GL_BLEND);
    gl_.glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    const double sx = static_cast<double>(fit.width()) / picture.width();
    const double sy = static_cast<double>(fit.height()) / picture.height();
    const double ow = overlaySize_.width();
    const double oh = overlaySize_.height();
    for (const QRect& band : bands_) {
        // One picture pixel of room around the band, so filtering sees the
        // transparent edge as the scaled picture would.
        const QRect b = band.adjusted(-1, -1, 1, 1).intersected(QRect(QPoint(0, 0), overlaySize_));
        // Target rectangle in window pixels (top rows first), then clip space.
        const double left = fit.x() + b.left() * sx;
        const double right = fit.x() + (b.right() + 1) * sx;
        const double top = fit.y() + b.top() * sy;
        const double bottom = fit.y() + (b.bottom() + 1) * sy;
        const float dest[4] = {static_cast<float>(left / W * 2 - 1), static_cast<float>(1 - bottom / H * 2),
                               static_cast<float>(right / W * 2 - 1), static_cast<float>(1 - top / H * 2)};
        // The image's top row is the texture's first row, so v runs down.
        const float src[4] = {static_cast<float>(b.left() / ow), static_cast<float>((b.bottom() + 1) / oh),
                              static_cast<float>((b.right() + 1) / ow), static_cast<float>(b.top() / oh)};
        DrawRect(text_, dest, src);
    }
    gl_.glDisable(GL_BLEND);
    gl_.glBindTexture(GL_TEXTURE_2D, 0);
    gl_.glBindVertexArray(0);
    gl_.glUseProgram(0);
}

}  // namespace zel::render
