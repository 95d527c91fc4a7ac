#include "PostMesh.h"

#include "MeshShapes.h"

namespace zel::content {
namespace {

// Mesh units; the radius follows from the collision radius and the scene's
// scale: 11 table units = 1.1 scene units = 10 mesh units at 0.11.
struct PostSize {
    double Radius = 10;
    double BandFrom = 16;   // the red band
    double BandTo = 19;
    double BodyTop = 24;    // where the bevel starts
    double Top = 25.5;
    double TopRadius = 8.5;
    int Segments = 40;      // a 40-gon with corners on the radius
};
constexpr PostSize kSize{};

}  // namespace

Mesh BuildPostMesh() {
    const PostSize& s = kSize;
    Mesh mesh;
    mesh.Name = "Pipa";
    const int brass = mesh.AddMaterial({"PipaBrass", {0.85, 0.64, 0.24}, 40, {0.6, 0.55, 0.4}, {}});
    const int band = mesh.AddMaterial({"PipaBand", {0.70, 0.10, 0.10}, 20, {0.3, 0.3, 0.3}, {}});
    AddFrustum(mesh, 0, 0, 0, s.Radius, s.BandFrom, s.Radius, s.Segments, brass);
    AddFrustum(mesh, 0, 0, s.BandFrom, s.Radius, s.BandTo, s.Radius, s.Segments, band);
    AddFrustum(mesh, 0, 0, s.BandTo, s.Radius, s.BodyTop, s.Radius, s.Segments, brass);
    AddFrustum(mesh, 0, 0, s.BodyTop, s.Radius, s.Top, s.TopRadius, s.Segments, brass);
    AddDisc(mesh, 0, s.Top, 0, s.TopRadius, true, s.Segments, brass);
    AddDisc(mesh, 0, 0, 0, s.Radius, false, s.Segments, brass);
    return mesh;
}

}  // namespace zel::content
