#include "MeshData.h"

#include <cmath>
#include <utility>

namespace zel::content {

Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(Vec3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Length(Vec3 a) { return std::sqrt(Dot(a, a)); }
Vec3 Normalized(Vec3 a) {
    const double len = Length(a);
    return len > 0 ? a * (1.0 / len) : a;
}

int Mesh::AddMaterial(const Material& m) {
    Materials.push_back(m);
    return static_cast<int>(Materials.size()) - 1;
}

int Mesh::AddVertex(Vec3 position, Vec3 normal, Vec2 uv) {
    Positions.push_back(position);
    Normals.push_back(Normalized(normal));
    TexCoords.push_back(uv);
    return static_cast<int>(Positions.size()) - 1;
}

void Mesh::AddTriangle(int a, int b, int c, int material) {
    const Vec3 pa = Positions[a];
    const Vec3 cross = Cross(Positions[b] - pa, Positions[c] - pa);
    // Below this the triangle has no area worth drawing and no reliable side.
    if (Length(cross) < 1e-9) return;
    const Vec3 wanted = Normals[a] + Normals[b] + Normals[c];
    if (Dot(cross, wanted) < 0) std::swap(b, c);
    Faces.push_back({{a, b, c}, material});
}

void Mesh::AddQuad(int a, int b, int c, int d, int material) {
    AddTriangle(a, b, c, material);
    AddTriangle(a, c, d, material);
}

}  // namespace zel::content
