#include "render/MeshBuilder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "render/RenderError.h"
#include "render/XFileLoader.h"

namespace zel::render {

namespace {
bool Finite(const Vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }
}  // namespace

void MeshBuilder::LoadX(const std::string& path) {
    MeshBuilder loaded = LoadXFile(path);
    vertices_ = std::move(loaded.vertices_);
    faces_ = std::move(loaded.faces_);
    ++version_;
}

void MeshBuilder::Scale(double sx, double sy, double sz) {
    if (!std::isfinite(sx) || !std::isfinite(sy) || !std::isfinite(sz)) {
        throw RenderError(RenderErrorCode::BadArgument, "масштаб не является числом");
    }
    for (Vec3& p : vertices_) p = {p.x * sx, p.y * sy, p.z * sz};
    // Normals transform by the inverse transpose; its cofactor form
    // (sy*sz, sx*sz, sx*sy) needs no division and survives a zero factor.
    const Vec3 k{sy * sz, sx * sz, sx * sy};
    for (MeshFace& f : faces_) {
        for (FaceCorner& c : f.corners) {
            const Vec3 n = Normalized({c.normal.x * k.x, c.normal.y * k.y, c.normal.z * k.z});
            if (Dot(n, n) > 0) c.normal = n;
        }
    }
    ++version_;
}

Box MeshBuilder::GetBox() const {
    if (vertices_.empty()) {
        throw RenderError(RenderErrorCode::EmptyMesh, "сетка не содержит вершин");
    }
    const double inf = std::numeric_limits<double>::infinity();
    Box b{{inf, inf, inf}, {-inf, -inf, -inf}};
    for (const Vec3& p : vertices_) {
        b.min = {std::min(b.min.x, p.x), std::min(b.min.y, p.y), std::min(b.min.z, p.z)};
        b.max = {std::max(b.max.x, p.x), std::max(b.max.y, p.y), std::max(b.max.z, p.z)};
    }
    return b;
}

int MeshBuilder::AddVertex(const Vec3& position) {
    if (!Finite(position)) throw RenderError(RenderErrorCode::BadArgument, "координата вершины не является числом");
    vertices_.push_back(position);
    ++version_;
    return static_cast<int>(vertices_.size()) - 1;
}

int MeshBuilder::AddFace(const std::vector<int>& vertices, const Colour& colour) {
    if (vertices.size() < 3) throw RenderError(RenderErrorCode::BadArgument, "у грани меньше трёх вершин");
    for (int v : vertices) {
        if (v < 0 || v >= static_cast<int>(vertices_.size())) {
            throw RenderError(RenderErrorCode::BadArgument, "грань ссылается на несуществующую вершину");
        }
    }
    // The front side is where the corners run clockwise for the viewer; in
    // these coordinates that is the side (b - a) x (c - a) points to.
    const Vec3& a = vertices_[static_cast<std::size_t>(vertices[0])];
    const Vec3& b = vertices_[static_cast<std::size_t>(vertices[1])];
    const Vec3& c = vertices_[static_cast<std::size_t>(vertices[2])];
    const Vec3 normal = Normalized(Cross(b - a, c - a));
    MeshFace face;
    face.colour = colour;
    for (int v : vertices) face.corners.push_back({v, normal, 0, 0});
    faces_.push_back(std::move(face));
    ++version_;
    return static_cast<int>(faces_.size()) - 1;
}

int MeshBuilder::AddFace(MeshFace face) {
    if (face.corners.size() < 3) throw RenderError(RenderErrorCode::BadArgument, "у грани меньше трёх вершин");
    for (const FaceCorner& c : face.corners) {
        if (c.vertex < 0 || c.vertex >= static_cast<int>(vertices_.size())) {
            throw RenderError(RenderErrorCode::BadArgument, "грань ссылается на несуществующую вершину");
        }
    }
    faces_.push_back(std::move(face));
    ++version_;
    return static_cast<int>(faces_.size()) - 1;
}

void MeshBuilder::CheckFace(int face) const {
    if (face < 0 || face >= static_cast<int>(faces_.size())) {
        throw RenderError(RenderErrorCode::BadArgument, "нет грани с таким номером");
    }
}

void MeshBuilder::SetColour(const Colour& colour) {
    for (MeshFace& f : faces_) f.colour = colour;
    ++version_;
}

void MeshBuilder::SetFaceColour(int face, const Colour& colour) {
    CheckFace(face);
    faces_[static_cast<std::size_t>(face)].colour = colour;
    ++version_;
}

void MeshBuilder::SetTexture(const std::shared_ptr<Texture>& texture) {
    for (MeshFace& f : faces_) f.texture = texture;
    ++version_;
}

void MeshBuilder::SetFaceTexture(int face, const std::shared_ptr<Texture>& texture) {
    CheckFace(face);
    faces_[static_cast<std::size_t>(face)].texture = texture;
    ++version_;
}

void MeshBuilder::SetFaceTextureCoordinates(int face, int corner, double u, double v) {
    CheckFace(face);
    auto& corners = faces_[static_cast<std::size_t>(face)].corners;
    if (corner < 0 || corner >= static_cast<int>(corners.size())) {
        throw RenderError(RenderErrorCode::BadArgument, "нет угла грани с таким номером");
    }
    corners[static_cast<std::size_t>(corner)].u = u;
    corners[static_cast<std::size_t>(corner)].v = v;
    ++version_;
}

}  // namespace zel::render
