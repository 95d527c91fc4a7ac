#include "render/MeshGeometry.h"

#include <unordered_map>

#include "render/MeshBuilder.h"

namespace zel::render {

namespace {

void PushCorner(std::vector<float>& out, const MeshBuilder& mesh, const MeshFace& face, const FaceCorner& c) {
    const Vec3& p = mesh.Vertices()[static_cast<std::size_t>(c.vertex)];
    const float values[kGeometryStride] = {
        static_cast<float>(p.x),        static_cast<float>(p.y),        static_cast<float>(p.z),
        static_cast<float>(c.normal.x), static_cast<float>(c.normal.y), static_cast<float>(c.normal.z),
        static_cast<float>(c.u),        static_cast<float>(c.v),
        face.colour.r,                  face.colour.g,                  face.colour.b,  face.colour.a,
        face.emissive.r,                face.emissive.g,                face.emissive.b};
    out.insert(out.end(), values, values + kGeometryStride);
}

}  // namespace

MeshGeometry BuildGeometry(const MeshBuilder& mesh) {
    // Group face indices by texture, keeping first-met order.
    std::vector<std::pair<std::shared_ptr<Texture>, std::vector<std::size_t>>> groups;
    std::unordered_map<const Texture*, std::size_t> groupOf;
    const auto& faces = mesh.Faces();
    for (std::size_t f = 0; f < faces.size(); ++f) {
        const Texture* key = faces[f].texture.get();
        auto [it, inserted] = groupOf.try_emplace(key, groups.size());
        if (inserted) groups.push_back({faces[f].texture, {}});
        groups[it->second].second.push_back(f);
    }

    MeshGeometry g;
    for (const auto& [texture, faceList] : groups) {
        GeometryPart part;
        part.texture = texture;
        part.first = g.VertexCount();
        for (std::size_t f : faceList) {
            const MeshFace& face = faces[f];
            for (std::size_t k = 1; k + 1 < face.corners.size(); ++k) {
                PushCorner(g.vertexData, mesh, face, face.corners[0]);
                PushCorner(g.vertexData, mesh, face, face.corners[k]);
                PushCorner(g.vertexData, mesh, face, face.corners[k + 1]);
            }
        }
        part.count = g.VertexCount() - part.first;
        if (part.count > 0) g.parts.push_back(part);
    }
    return g;
}

}  // namespace zel::render
