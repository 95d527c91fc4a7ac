#pragma once
#include <array>

namespace zel::render {

// Scene coordinates: x along the table, y up, z = -(table y) / 10. The scene
// is shown left-handed: seen by a camera, its own x is to the right, y up
// and z into the screen. All CPU-side geometry is double precision; only the
// GPU gets floats.
struct Vec3 {
    double x = 0;  // first axis
    double y = 0;  // second axis (height in the scene)
    double z = 0;  // third axis (forward for a camera)
};

Vec3 operator+(const Vec3& a, const Vec3& b);
Vec3 operator-(const Vec3& a, const Vec3& b);
Vec3 operator*(const Vec3& a, double k);
double Dot(const Vec3& a, const Vec3& b);
Vec3 Cross(const Vec3& a, const Vec3& b);
double Length(const Vec3& a);
// The unit vector along a; the zero vector stays zero (never NaN).
Vec3 Normalized(const Vec3& a);

// A 3x3 matrix, row-major. For a frame's rotation the columns are the
// frame's own x, y and z axes expressed in its parent's coordinates.
struct Mat3 {
    std::array<double, 9> m{1, 0, 0, 0, 1, 0, 0, 0, 1};  // row-major entries

    static Mat3 Identity() { return Mat3{}; }
    double At(int row, int col) const { return m[static_cast<std::size_t>(row * 3 + col)]; }
    Vec3 Column(int col) const { return {At(0, col), At(1, col), At(2, col)}; }
};

Mat3 operator*(const Mat3& a, const Mat3& b);
Vec3 operator*(const Mat3& a, const Vec3& v);
Mat3 Transposed(const Mat3& a);

// Rotation by theta radians about axis (normalised here; a zero axis gives the
// identity). Rodrigues' form v' = v cos t + (a x v) sin t + a (a.v)(1 - cos t):
// about (0, 1, 0) it maps (1, 0, 0) to (cos t, 0, -sin t), which is exactly
// how a piece's shape turns with its heading Phi once scene z = -table y.
Mat3 RotationAboutAxis(const Vec3& axis, double theta);

// The orientation whose z axis points along `direction` and whose y axis is
// as close to `up` as possible: x = up x z, y = z x x (normalised). When the
// two are parallel another up is chosen; a zero direction gives the identity.
Mat3 BasisFromDirectionUp(const Vec3& direction, const Vec3& up);

// A rigid placement: p_parent = rotation * p_local + position.
struct Transform {
    Mat3 rotation;  // orientation of the local axes in the parent
    Vec3 position;  // origin of the local axes in the parent

    Vec3 Apply(const Vec3& p) const { return rotation * p + position; }
    Vec3 ApplyToDirection(const Vec3& d) const { return rotation * d; }
};

// a after b: first b, then a (parent's placement of the child's placement).
Transform Compose(const Transform& a, const Transform& b);
Transform Inverse(const Transform& t);

// Column-major 4x4 float matrix as OpenGL takes it.
using GlMatrix = std::array<float, 16>;

}  // namespace zel::render
