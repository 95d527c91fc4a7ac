#include "WallMesh.h"

#include "MeshShapes.h"

namespace zel::content {

Mesh BuildWallMesh() {
    Mesh mesh;
    mesh.Name = "Border";
    const int rail = mesh.AddMaterial({"BorderRail", {0.40, 0.22, 0.11}, 15, {0.2, 0.18, 0.15}, {}});
    const int cap = mesh.AddMaterial({"BorderCap", {0.62, 0.40, 0.20}, 25, {0.3, 0.28, 0.25}, {}});
    // The rail's cross-section (mesh units): flat faces on both sides and a
    // bevelled cap in lighter wood on top.
    const std::vector<SectionPoint> section = {{0, 0}, {20, 0}, {22, -1}, {22, -4}, {20, -5}, {0, -5}};
    const std::vector<int> materials = {rail, cap, cap, cap, rail, rail};
    // Twenty steps along the 100 units keep the light on it smooth.
    AddExtrusion(mesh, section, materials, 0, 100, 20, rail);
    return mesh;
}

}  // namespace zel::content
