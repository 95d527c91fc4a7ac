#include "render/Viewport.h"

#include <cmath>
#include <utility>

#include "render/Frame.h"
#include "render/RenderError.h"

namespace zel::render {

namespace {
constexpr int kMaxViewportSide = 16384;  // no device picture is larger
}

Viewport::Viewport(std::shared_ptr<Frame> camera, int x, int y, int width, int height)
    : camera_(std::move(camera)), x_(x), y_(y), width_(width), height_(height) {
    if (!camera_) throw RenderError(RenderErrorCode::NoObject, "у окна просмотра нет камеры");
    if (width <= 0 || height <= 0 || width > kMaxViewportSide || height > kMaxViewportSide) {
        throw RenderError(RenderErrorCode::BadArgument, "неверный прямоугольник окна просмотра");
    }
}

void Viewport::SetFront(double front) {
    if (!std::isfinite(front) || (projection_ == Projection::Perspective && front <= 0) || front >= back_) {
        throw RenderError(RenderErrorCode::BadArgument, "неверное переднее расстояние отсечения");
    }
    front_ = front;
}

void Viewport::SetBack(double back) {
    if (!std::isfinite(back) || back <= front_) {
        throw RenderError(RenderErrorCode::BadArgument, "неверное заднее расстояние отсечения");
    }
    back_ = back;
}

void Viewport::SetField(double field) {
    if (!std::isfinite(field) || field <= 0) {
        throw RenderError(RenderErrorCode::BadArgument, "неверный угол обзора");
    }
    field_ = field;
}

void Viewport::HalfExtents(double& hx, double& hy) const {
    if (width_ >= height_) {
        hx = field_;
        hy = field_ * height_ / width_;
    } else {
        hy = field_;
        hx = field_ * width_ / height_;
    }
}

Vec3 Viewport::ToCamera(const Vec3& world) const {
    return Inverse(camera_->World()).Apply(world);
}

bool Viewport::Project(const Vec3& world, double& px, double& py) const {
    const Vec3 c = ToCamera(world);
    double hx = 0;
    double hy = 0;
    HalfExtents(hx, hy);
    double nx = 0;
    double ny = 0;
    if (projection_ == Projection::Perspective) {
        if (!(c.z > 0)) return false;
        nx = c.x / (c.z * hx);
        ny = c.y / (c.z * hy);
    } else {
        nx = c.x / hx;
        ny = c.y / hy;
    }
    px = (nx + 1) * 0.5 * width_;
    py = (1 - ny) * 0.5 * height_;
    return true;
}

GlMatrix Viewport::ViewProjection() const {
    // View: scene -> camera (x right, y up, z forward). OpenGL's eye space
    // looks down -z, so the camera's z is negated on the way; the picture is
    // then the one a left-handed camera sees.
    const Transform view = Inverse(camera_->World());
    double hx = 0;
    double hy = 0;
    HalfExtents(hx, hy);
    const double n = front_;
    const double f = back_;
    // P maps eye (x, y, -zc) to clip space; rows of P:
    double p[4][4] = {};
    if (projection_ == Projection::Perspective) {
        p[0][0] = 1.0 / hx;
        p[1][1] = 1.0 / hy;
        p[2][2] = (f + n) / (n - f);
        p[2][3] = 2.0 * f * n / (n - f);
        p[3][2] = -1.0;
    } else {
        p[0][0] = 1.0 / hx;
        p[1][1] = 1.0 / hy;
        p[2][2] = -2.0 / (f - n);
        p[2][3] = -(f + n) / (f - n);
        p[3][3] = 1.0;
    }
    // E: scene -> eye = flipZ * view, as a 4x4 affine matrix.
    double e[4][4] = {};
    for (int i = 0; i < 3; ++i) {
        const double sign = i == 2 ? -1.0 : 1.0;
        for (int j = 0; j < 3; ++j) e[i][j] = sign * view.rotation.At(i, j);
    }
    e[0][3] = view.position.x;
    e[1][3] = view.position.y;
    e[2][3] = -view.position.z;
    e[3][3] = 1.0;
    GlMatrix out{};
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) {
            double s = 0;
            for (int k = 0; k < 4; ++k) s += p[row][k] * e[k][col];
            out[static_cast<std::size_t>(col * 4 + row)] = static_cast<float>(s);
        }
    }
    return out;
}

}  // namespace zel::render
