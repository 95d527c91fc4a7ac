#include "RoomMeshes.h"

#include <vector>

#include "MeshShapes.h"

namespace zel::content {
namespace {

// Lamp, mesh units (scene units are 0.4 of these).
struct LampSize {
    double RoseRadius = 3, RoseDepth = 1;
    double CordRadius = 0.4;
    double ShadeTop = -20, ShadeTopRadius = 3;
    double ShadeBottom = -30, ShadeBottomRadius = 12;
    int Segments = 32;
};
constexpr LampSize kLamp{};

// Shelf, mesh units (scene units are 0.4 of these). A piece standing at the
// origin reaches at most 28 table units = 2.8 scene units = 7 mesh units
// from it, in any heading, and is 0.85 scene units (about 2 here) tall.
struct SwinSize {
    double HalfWidth = 15;      // along x
    double Depth = 14;          // from the wall into the room
    double Thickness = 2;       // the board, below y = 0
    double LipHeight = 1.5;     // a low lip along the front edge
    double LipDepth = 1;
    double PlaqueBottom = 3;    // the plaque hangs above the pieces
    double PlaqueTop = 28;
    double PlaqueDepth = 1;
    double PanelInset = 6;      // the brass panel on the plaque
    double PanelDepth = 0.6;
    double BracketDrop = 10;    // brackets under the shelf
    double BracketX = 10;       // their distance from the centre
    double BracketHalfWidth = 1;
    double CupX = 11.5;         // a little trophy cup at the side, clear of the pieces
    double CupZ = -6;
};
constexpr SwinSize kSwin{};

}  // namespace

Mesh BuildLampMesh() {
    const LampSize& s = kLamp;
    Mesh mesh;
    mesh.Name = "Lamp";
    const int metal = mesh.AddMaterial({"LampMetal", {0.20, 0.20, 0.18}, 30, {0.5, 0.5, 0.5}, {}});
    const int shade = mesh.AddMaterial({"LampShade", {0.08, 0.36, 0.22}, 40, {0.6, 0.6, 0.6}, {}});
    const int glow = mesh.AddMaterial({"LampGlow", {1.0, 0.95, 0.80}, 0, {}, {1.0, 0.90, 0.65}});
    AddFrustum(mesh, 0, 0, -s.RoseDepth, s.RoseRadius, 0, s.RoseRadius, s.Segments, metal);
    AddDisc(mesh, 0, -s.RoseDepth, 0, s.RoseRadius, false, s.Segments, metal);
    AddFrustum(mesh, 0, 0, s.ShadeTop, s.CordRadius, -s.RoseDepth, s.CordRadius, 8, metal);
    AddFrustum(mesh, 0, 0, s.ShadeBottom, s.ShadeBottomRadius, s.ShadeTop, s.ShadeTopRadius, s.Segments, shade);
    AddDisc(mesh, 0, s.ShadeTop, 0, s.ShadeTopRadius, true, s.Segments, shade);
    AddDisc(mesh, 0, s.ShadeBottom, 0, s.ShadeBottomRadius, false, s.Segments, glow);
    return mesh;
}

Mesh BuildSwinMesh() {
    const SwinSize& s = kSwin;
    Mesh mesh;
    mesh.Name = "Swin";
    const int walnut = mesh.AddMaterial({"SwinWalnut", {0.36, 0.21, 0.11}, 15, {0.2, 0.18, 0.15}, {}});
    const int brass = mesh.AddMaterial({"SwinBrass", {0.86, 0.67, 0.26}, 45, {0.7, 0.65, 0.45}, {}});
    // Faces against the wall (+z) are never seen.
    constexpr unsigned kNoBack = 1u << 5;
    const double w = s.HalfWidth;

    AddBox(mesh, {-w, -s.Thickness, -s.Depth}, {w, 0, 0}, walnut, kNoBack);
    AddBox(mesh, {-w, 0, -s.Depth}, {w, s.LipHeight, -s.Depth + s.LipDepth}, brass);
    AddBox(mesh, {-w, s.PlaqueBottom, -s.PlaqueDepth}, {w, s.PlaqueTop, 0}, walnut, kNoBack);
    AddBox(mesh, {-w + s.PanelInset, s.PlaqueBottom + s.PanelInset, -s.PlaqueDepth - s.PanelDepth},
           {w - s.PanelInset, s.PlaqueTop - s.PanelInset, -s.PlaqueDepth}, brass, kNoBack);

    // The cup: foot, stem, bowl and its dark inside.
    const int dark = mesh.AddMaterial({"SwinCupInside", {0.25, 0.18, 0.06}, 0, {}, {}});
    AddFrustum(mesh, s.CupX, s.CupZ, 0, 2.5, 0.8, 2.0, 16, brass);
    AddDisc(mesh, s.CupX, 0.8, s.CupZ, 2.0, true, 16, brass);
    AddFrustum(mesh, s.CupX, s.CupZ, 0.8, 0.6, 4, 0.6, 8, brass);
    AddFrustum(mesh, s.CupX, s.CupZ, 4, 0.6, 8.5, 3.2, 16, brass);
    AddDisc(mesh, s.CupX, 8.5, s.CupZ, 3.2, true, 16, dark);

    // Two triangular brackets under the board, against the wall.
    const std::vector<SectionPoint> bracket = {{-s.Thickness, 0},
                                               {-s.Thickness, -s.Depth + 2},
                                               {-s.Thickness - s.BracketDrop, 0}};
    for (double x : {-s.BracketX, s.BracketX}) {
        AddExtrusion(mesh, bracket, {walnut, walnut, walnut}, x + s.BracketHalfWidth, 2 * s.BracketHalfWidth, 1,
                     walnut);
    }
    return mesh;
}

}  // namespace zel::content
