#include "render/LowDetailSphere.h"

#include <cmath>

#include "render/MeshBuilder.h"
#include "render/RenderError.h"

namespace zel::render {

double SurfaceArea(const MeshBuilder& mesh) {
    const auto& v = mesh.Vertices();
    double area = 0;
    for (const MeshFace& f : mesh.Faces()) {
        const Vec3& a = v[static_cast<std::size_t>(f.corners[0].vertex)];
        for (std::size_t k = 2; k < f.corners.size(); ++k) {
            const Vec3& b = v[static_cast<std::size_t>(f.corners[k - 1].vertex)];
            const Vec3& c = v[static_cast<std::size_t>(f.corners[k].vertex)];
            area += Length(Cross(b - a, c - a)) / 2;
        }
    }
    return area;
}

std::shared_ptr<MeshBuilder> LowDetailSphere(const MeshBuilder& sphere) {
    if (sphere.FaceCount() == 0) throw RenderError(RenderErrorCode::EmptyMesh, "у сферы нет граней");
    // A regular octahedron of corner distance R has the surface 4 sqrt(3) R^2.
    const double r = std::sqrt(SurfaceArea(sphere) / (4 * std::sqrt(3.0)));
    const MeshFace& look = sphere.Faces().front();

    auto mesh = MeshBuilder::Create();
    const Vec3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    int corner[3][2] = {};  // [axis][0: +, 1: -]
    for (int a = 0; a < 3; ++a) {
        corner[a][0] = mesh->AddVertex(axes[a] * r);
        corner[a][1] = mesh->AddVertex(axes[a] * -r);
    }
    // One face per octant. The front is where (b - a) x (c - a) points;
    // flipping one axis turns the winding, so odd octants swap two corners.
    for (int octant = 0; octant < 8; ++octant) {
        const int sx = octant & 1, sy = (octant >> 1) & 1, sz = (octant >> 2) & 1;
        int ids[3] = {corner[0][sx], corner[1][sy], corner[2][sz]};
        if ((sx + sy + sz) % 2 == 1) std::swap(ids[1], ids[2]);
        MeshFace face;
        face.colour = look.colour;
        face.emissive = look.emissive;
        for (int id : ids) {
            const Vec3& p = mesh->Vertices()[static_cast<std::size_t>(id)];
            face.corners.push_back({id, Normalized(p), 0, 0});
        }
        mesh->AddFace(std::move(face));
    }
    return mesh;
}

}  // namespace zel::render
