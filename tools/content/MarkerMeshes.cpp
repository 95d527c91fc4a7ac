#include "MarkerMeshes.h"

#include <array>
#include <cmath>
#include <vector>

#include "MeshShapes.h"

namespace zel::content {
namespace {

// The arrow's outline in the x/z plane (mesh units): a shaft 4 wide and 30
// long, then a head 16 wide and 15 long.
struct OutlinePoint {
    double X;  // across the arrow
    double Z;  // along it, tail at 0
};
const std::vector<OutlinePoint> kArrow = {
    {-2, 0}, {-2, 30}, {-8, 30}, {0, 45}, {8, 30}, {2, 30}, {2, 0},
};
// The outline cut into triangles (indices into kArrow), no T-junctions.
const std::vector<std::array<int, 3>> kArrowTriangles = {
    {0, 1, 5}, {0, 5, 6}, {2, 3, 1}, {1, 3, 5}, {5, 3, 4},
};
constexpr double kArrowHalfThickness = 2;
constexpr double kBallRadius = 2;

}  // namespace

Mesh BuildBallMesh() {
    Mesh mesh;
    mesh.Name = "Ball";
    const int m = mesh.AddMaterial({"BallWhite", {0.96, 0.95, 0.86}, 30, {0.5, 0.5, 0.5}, {}});
    // Up to 1280 label dots show this mesh in every frame, a few pixels
    // each, and a software renderer pays for every triangle of every dot.
    // So the ball is the icosahedron, the roundest solid of 20 triangles;
    // its corner normals point away from the centre, so it is shaded as a
    // sphere.
    const double g = (1 + std::sqrt(5.0)) / 2;
    const Vec3 corners[12] = {{-1, g, 0}, {1, g, 0},  {-1, -g, 0}, {1, -g, 0}, {0, -1, g}, {0, 1, g},
                              {0, -1, -g}, {0, 1, -g}, {g, 0, -1},  {g, 0, 1},  {-g, 0, -1}, {-g, 0, 1}};
    const int faces[20][3] = {{0, 11, 5}, {0, 5, 1},  {0, 1, 7},   {0, 7, 10}, {0, 10, 11},
                              {1, 5, 9},  {5, 11, 4}, {11, 10, 2}, {10, 7, 6}, {7, 1, 8},
                              {3, 9, 4},  {3, 4, 2},  {3, 2, 6},   {3, 6, 8},  {3, 8, 9},
                              {4, 9, 5},  {2, 4, 11}, {6, 2, 10},  {8, 6, 7},  {9, 8, 1}};
    int v[12];
    for (int k = 0; k < 12; ++k) {
        const Vec3 n = Normalized(corners[k]);
        v[k] = mesh.AddVertex(n * kBallRadius, n);
    }
    for (const auto& f : faces) mesh.AddTriangle(v[f[0]], v[f[1]], v[f[2]], m);
    return mesh;
}

Mesh BuildArrowMesh() {
    Mesh mesh;
    mesh.Name = "AimArrow";
    const int m = mesh.AddMaterial({"AimArrowOrange", {1.0, 0.42, 0.10}, 20, {0.4, 0.4, 0.4}, {}});
    const double h = kArrowHalfThickness;

    // Top and bottom.
    for (double y : {h, -h}) {
        const Vec3 n{0, y > 0 ? 1.0 : -1.0, 0};
        std::vector<int> v;
        for (const OutlinePoint& p : kArrow) v.push_back(mesh.AddVertex({p.X, y, p.Z}, n));
        for (const auto& t : kArrowTriangles) mesh.AddTriangle(v[t[0]], v[t[1]], v[t[2]], m);
    }
    // Sides: the outline turns clockwise in (x, z) coordinates, so the
    // outward normal of the edge a->b is its direction (dx, dz) turned to
    // (-dz, dx).
    for (std::size_t k = 0; k < kArrow.size(); ++k) {
        const OutlinePoint a = kArrow[k];
        const OutlinePoint b = kArrow[(k + 1) % kArrow.size()];
        const Vec3 n = Normalized({-(b.Z - a.Z), 0, b.X - a.X});
        mesh.AddQuad(mesh.AddVertex({a.X, -h, a.Z}, n), mesh.AddVertex({b.X, -h, b.Z}, n),
                     mesh.AddVertex({b.X, h, b.Z}, n), mesh.AddVertex({a.X, h, a.Z}, n), m);
    }
    return mesh;
}

Mesh BuildCentrePointMesh() {
    Mesh mesh;
    mesh.Name = "CentrePoint";
    const int m = mesh.AddMaterial({"CentrePointYellow", {1.0, 0.85, 0.20}, 20, {0.4, 0.4, 0.4}, {}});
    constexpr double r = 0.6;
    const Vec3 tips[6] = {{r, 0, 0}, {-r, 0, 0}, {0, r, 0}, {0, -r, 0}, {0, 0, r}, {0, 0, -r}};
    // Each face joins one tip from each axis pair; its normal points to
    // the octant it faces.
    for (int sx = 0; sx < 2; ++sx) {
        for (int sy = 2; sy < 4; ++sy) {
            for (int sz = 4; sz < 6; ++sz) {
                const Vec3 n = Normalized(tips[sx] + tips[sy] + tips[sz]);
                mesh.AddTriangle(mesh.AddVertex(tips[sx], n), mesh.AddVertex(tips[sy], n), mesh.AddVertex(tips[sz], n), m);
            }
        }
    }
    return mesh;
}

}  // namespace zel::content
