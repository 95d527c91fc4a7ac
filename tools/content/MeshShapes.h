#pragma once
#include <functional>
#include <vector>

#include "MeshData.h"

namespace zel::content {

// Building blocks shared by the mesh families. Each adds its own vertices,
// so every block has its own normals and hard edges where blocks meet.

// Gives texture coordinates to a vertex from its position and normal.
using UvMap = std::function<Vec2(Vec3 position, Vec3 normal)>;

// An axis-aligned box, six flat faces. Faces listed in `skip` (bit 0 = -x,
// 1 = +x, 2 = -y, 3 = +y, 4 = -z, 5 = +z) are left out where they would be
// hidden against another part anyway.
void AddBox(Mesh& mesh, Vec3 lo, Vec3 hi, int material, unsigned skip = 0, const UvMap& uv = {});

// The side of a surface of revolution about the vertical line through
// (cx, cz): radius r0 at height y0 to radius r1 at height y1 (y0 < y1),
// smooth around, `segments` steps. A radius of zero makes a cone tip.
void AddFrustum(Mesh& mesh, double cx, double cz, double y0, double r0, double y1, double r1,
                int segments, int material);

// A flat horizontal disc facing up (or down when `up` is false).
void AddDisc(Mesh& mesh, double cx, double y, double cz, double radius, bool up, int segments,
             int material);

// A prism along -x from x = x0 to x = x0 - length over a convex cross-section
// in the y/z plane, walked once around; edge k (from point k to point k+1)
// is drawn with edgeMaterials[k], the two end faces with endMaterial.
// `segments` steps along the length keep point-light shading smooth.
struct SectionPoint {
    double Y;  // height
    double Z;  // depth
};
void AddExtrusion(Mesh& mesh, const std::vector<SectionPoint>& section, const std::vector<int>& edgeMaterials,
                  double x0, double length, int segments, int endMaterial);

// A sphere of `slices` steps around and `stacks` steps from pole to pole.
void AddSphere(Mesh& mesh, Vec3 centre, double radius, int slices, int stacks, int material);

}  // namespace zel::content
