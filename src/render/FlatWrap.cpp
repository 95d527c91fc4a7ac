#include "render/FlatWrap.h"

#include "render/MeshBuilder.h"

namespace zel::render {

void FlatWrap::Map(const Vec3& p, double& u, double& v) const {
    const Mat3 axes = BasisFromDirectionUp(direction, up);
    const Vec3 d = p - origin;
    const double x = Dot(d, axes.Column(0));
    const double y = Dot(d, axes.Column(1));
    u = scaleU * x - offsetU;
    v = -scaleV * y - offsetV;
}

void FlatWrap::ApplyToFace(MeshBuilder& mesh, int face) const {
    if (face < 0 || face >= mesh.FaceCount()) {
        mesh.SetFaceTextureCoordinates(face, 0, 0, 0);  // raises the error for a missing face
        return;
    }
    const auto& corners = mesh.Faces()[static_cast<std::size_t>(face)].corners;
    for (std::size_t k = 0; k < corners.size(); ++k) {
        double u = 0;
        double v = 0;
        Map(mesh.Vertices()[static_cast<std::size_t>(corners[k].vertex)], u, v);
        mesh.SetFaceTextureCoordinates(face, static_cast<int>(k), u, v);
    }
}

void FlatWrap::Apply(MeshBuilder& mesh) const {
    for (int f = 0; f < mesh.FaceCount(); ++f) ApplyToFace(mesh, f);
}

}  // namespace zel::render
