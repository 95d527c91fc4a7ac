#include "MeshShapes.h"

#include <cmath>

namespace zel::content {
namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

void AddBox(Mesh& mesh, Vec3 lo, Vec3 hi, int material, unsigned skip, const UvMap& uv) {
    // For each face: its outward normal and its four corners in order.
    struct Side {
        Vec3 n;
        Vec3 c[4];
    };
    const Side sides[6] = {
        {{-1, 0, 0}, {{lo.x, lo.y, lo.z}, {lo.x, hi.y, lo.z}, {lo.x, hi.y, hi.z}, {lo.x, lo.y, hi.z}}},
        {{1, 0, 0}, {{hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z}, {hi.x, hi.y, hi.z}, {hi.x, lo.y, hi.z}}},
        {{0, -1, 0}, {{lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, lo.y, hi.z}, {lo.x, lo.y, hi.z}}},
        {{0, 1, 0}, {{lo.x, hi.y, lo.z}, {hi.x, hi.y, lo.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}}},
        {{0, 0, -1}, {{lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z}, {lo.x, hi.y, lo.z}}},
        {{0, 0, 1}, {{lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}}},
    };
    for (unsigned s = 0; s < 6; ++s) {
        if (skip & (1u << s)) continue;
        int v[4];
        for (int k = 0; k < 4; ++k) {
            const Vec3 p = sides[s].c[k];
            v[k] = mesh.AddVertex(p, sides[s].n, uv ? uv(p, sides[s].n) : Vec2{});
        }
        mesh.AddQuad(v[0], v[1], v[2], v[3], material);
    }
}

void AddFrustum(Mesh& mesh, double cx, double cz, double y0, double r0, double y1, double r1,
                int segments, int material) {
    // Outward normal of the profile line from (r0, y0) to (r1, y1).
    const double nr = y1 - y0;
    const double ny = r0 - r1;
    const double len = std::sqrt(nr * nr + ny * ny);
    const int first = static_cast<int>(mesh.Positions.size());
    for (int k = 0; k <= segments; ++k) {
        const double a = 2.0 * kPi * (k % segments) / segments;
        const double c = std::cos(a);
        const double s = std::sin(a);
        const Vec3 n{c * nr / len, ny / len, s * nr / len};
        mesh.AddVertex({cx + c * r0, y0, cz + s * r0}, n);
        mesh.AddVertex({cx + c * r1, y1, cz + s * r1}, n);
    }
    for (int k = 0; k < segments; ++k) {
        const int b = first + 2 * k;
        mesh.AddQuad(b, b + 2, b + 3, b + 1, material);
    }
}

void AddDisc(Mesh& mesh, double cx, double y, double cz, double radius, bool up, int segments,
             int material) {
    const Vec3 n{0, up ? 1.0 : -1.0, 0};
    const int centre = mesh.AddVertex({cx, y, cz}, n);
    const int first = static_cast<int>(mesh.Positions.size());
    for (int k = 0; k < segments; ++k) {
        const double a = 2.0 * kPi * k / segments;
        mesh.AddVertex({cx + std::cos(a) * radius, y, cz + std::sin(a) * radius}, n);
    }
    for (int k = 0; k < segments; ++k) {
        mesh.AddTriangle(centre, first + k, first + (k + 1) % segments, material);
    }
}

void AddSphere(Mesh& mesh, Vec3 centre, double radius, int slices, int stacks, int material) {
    const int first = static_cast<int>(mesh.Positions.size());
    for (int i = 0; i <= stacks; ++i) {
        const double polar = kPi * i / stacks;
        for (int k = 0; k <= slices; ++k) {
            const double a = 2.0 * kPi * (k % slices) / slices;
            const Vec3 n{std::sin(polar) * std::cos(a), std::cos(polar), std::sin(polar) * std::sin(a)};
            mesh.AddVertex(centre + n * radius, n);
        }
    }
    const int row = slices + 1;
    for (int i = 0; i < stacks; ++i) {
        for (int k = 0; k < slices; ++k) {
            const int a = first + i * row + k;
            // The quads next to the poles lose one corner to the pole point;
            // AddTriangle drops the collapsed half.
            mesh.AddQuad(a, a + 1, a + row + 1, a + row, material);
        }
    }
}

void AddExtrusion(Mesh& mesh, const std::vector<SectionPoint>& section, const std::vector<int>& edgeMaterials,
                  double x0, double length, int segments, int endMaterial) {
    double cy = 0, cz = 0;
    for (const SectionPoint& p : section) cy += p.Y / section.size(), cz += p.Z / section.size();

    const std::size_t n = section.size();
    for (std::size_t e = 0; e < n; ++e) {
        const SectionPoint a = section[e];
        const SectionPoint b = section[(e + 1) % n];
        // Perpendicular to the edge, turned away from the section's centre.
        Vec3 normal = Normalized({0, b.Z - a.Z, -(b.Y - a.Y)});
        if (Dot(normal, {0, a.Y - cy, a.Z - cz}) < 0) normal = normal * -1.0;
        for (int k = 0; k < segments; ++k) {
            const double xa = x0 - length * k / segments;
            const double xb = x0 - length * (k + 1) / segments;
            mesh.AddQuad(mesh.AddVertex({xa, a.Y, a.Z}, normal), mesh.AddVertex({xb, a.Y, a.Z}, normal),
                         mesh.AddVertex({xb, b.Y, b.Z}, normal), mesh.AddVertex({xa, b.Y, b.Z}, normal),
                         edgeMaterials[e]);
        }
    }
    for (double x : {x0, x0 - length}) {
        const Vec3 normal{x == x0 ? 1.0 : -1.0, 0, 0};
        std::vector<int> v;
        for (const SectionPoint& p : section) v.push_back(mesh.AddVertex({x, p.Y, p.Z}, normal));
        for (std::size_t k = 1; k + 1 < v.size(); ++k) mesh.AddTriangle(v[0], v[k], v[k + 1], endMaterial);
    }
}

}  // namespace zel::content
