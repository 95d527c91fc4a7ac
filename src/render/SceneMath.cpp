#include "render/SceneMath.h"

#include <cmath>

namespace zel::render {

Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(const Vec3& a, double k) { return {a.x * k, a.y * k, a.z * k}; }
double Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double Length(const Vec3& a) { return std::sqrt(Dot(a, a)); }

Vec3 Normalized(const Vec3& a) {
    const double len = Length(a);
    if (!(len > 0) || !std::isfinite(len)) return {};
    return a * (1.0 / len);
}

Mat3 operator*(const Mat3& a, const Mat3& b) {
    Mat3 r;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            r.m[static_cast<std::size_t>(i * 3 + j)] =
                a.At(i, 0) * b.At(0, j) + a.At(i, 1) * b.At(1, j) + a.At(i, 2) * b.At(2, j);
        }
    }
    return r;
}

Vec3 operator*(const Mat3& a, const Vec3& v) {
    return {a.At(0, 0) * v.x + a.At(0, 1) * v.y + a.At(0, 2) * v.z,
            a.At(1, 0) * v.x + a.At(1, 1) * v.y + a.At(1, 2) * v.z,
            a.At(2, 0) * v.x + a.At(2, 1) * v.y + a.At(2, 2) * v.z};
}

Mat3 Transposed(const Mat3& a) {
    Mat3 r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) r.m[static_cast<std::size_t>(i * 3 + j)] = a.At(j, i);
    return r;
}

Mat3 RotationAboutAxis(const Vec3& axis, double theta) {
    const Vec3 a = Normalized(axis);
    if (Dot(a, a) == 0 || !std::isfinite(theta)) return Mat3::Identity();
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    const double t = 1.0 - c;
    Mat3 r;
    r.m = {c + a.x * a.x * t,       a.x * a.y * t - a.z * s, a.x * a.z * t + a.y * s,
           a.y * a.x * t + a.z * s, c + a.y * a.y * t,       a.y * a.z * t - a.x * s,
           a.z * a.x * t - a.y * s, a.z * a.y * t + a.x * s, c + a.z * a.z * t};
    return r;
}

Mat3 BasisFromDirectionUp(const Vec3& direction, const Vec3& up) {
    const Vec3 z = Normalized(direction);
    if (Dot(z, z) == 0) return Mat3::Identity();
    Vec3 x = Normalized(Cross(up, z));
    if (Dot(x, x) == 0) {
        // Looking straight along the up vector: keep the picture's top toward
        // the scene's +z (or +y when looking along z).
        const Vec3 fallback = std::abs(z.z) < 0.9 ? Vec3{0, 0, 1} : Vec3{0, 1, 0};
        x = Normalized(Cross(fallback, z));
    }
    const Vec3 y = Cross(z, x);
    Mat3 r;
    r.m = {x.x, y.x, z.x, x.y, y.y, z.y, x.z, y.z, z.z};
    return r;
}

Transform Compose(const Transform& a, const Transform& b) {
    return {a.rotation * b.rotation, a.rotation * b.position + a.position};
}

Transform Inverse(const Transform& t) {
    const Mat3 rt = Transposed(t.rotation);
    return {rt, rt * (Vec3{} - t.position)};
}

}  // namespace zel::render
