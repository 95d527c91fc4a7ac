#include "TableMesh.h"

#include <algorithm>
#include <utility>

#include "MeshShapes.h"

namespace zel::content {
namespace {

// Table dimensions in mesh units (before the scene's scaling).
struct TableSize {
    double Length = 100;        // playing surface along x
    double Width = 50;          // playing surface along -z
    double SlabDepth = 3;       // thickness of the top
    double FloorY = -70;        // the room's floor: -35 scene units at scale 0.5
    double LegSide = 4;         // square legs
    double LegInset = 4;        // from the surface's edges to a leg's outer faces
    double ApronDepth = 3;      // boards under the slab between the legs
    double ApronThickness = 0.8;
    int GridX = 20;             // the surface is a grid, so a point light
    int GridZ = 10;             // above it shades it smoothly
    double GrainRepeat = 40;    // mesh units of wood per repeat of the grain strip
};
constexpr TableSize kSize{};

// Texture coordinates for a wooden box: the grain runs along the face's
// longer side and the face's shorter side spans the wood strip once.
UvMap WoodMap(Vec3 lo, Vec3 hi) {
    return [lo, hi](Vec3 p, Vec3 n) {
        // The face's two in-plane axes (coordinate offsets and extents).
        const Vec3 off = p - lo;
        const Vec3 ext = hi - lo;
        double a = off.x, aExt = ext.x, b = off.y, bExt = ext.y;  // a face across z
        if (n.x != 0) {
            a = off.y, aExt = ext.y, b = off.z, bExt = ext.z;
        } else if (n.y != 0) {
            b = off.z, bExt = ext.z;
        }
        if (bExt > aExt) {
            std::swap(a, b);
            std::swap(aExt, bExt);
        }
        const double across = bExt > 0 ? b / bExt : 0;
        return Vec2{a / kSize.GrainRepeat,
                    kTableBands.WoodTop + (kTableBands.WoodBottom - kTableBands.WoodTop) * across};
    };
}

void AddWoodBox(Mesh& mesh, Vec3 lo, Vec3 hi, int material, unsigned skip) {
    AddBox(mesh, lo, hi, material, skip, WoodMap(lo, hi));
}

}  // namespace

Mesh BuildTableMesh() {
    const TableSize& s = kSize;
    Mesh mesh;
    mesh.Name = "VembaTable";
    mesh.Textured = true;
    const int felt = mesh.AddMaterial({"TableFelt", {0.16, 0.46, 0.25}, 0, {}, {}});
    const int wood = mesh.AddMaterial({"TableWood", {0.45, 0.27, 0.13}, 12, {0.15, 0.12, 0.10}, {}});

    // The playing surface: a grid over x 0..Length, z -Width..0, the felt
    // band of the texture across it once.
    const int first = static_cast<int>(mesh.Positions.size());
    for (int j = 0; j <= s.GridZ; ++j) {
        for (int i = 0; i <= s.GridX; ++i) {
            const double x = s.Length * i / s.GridX;
            const double z = -s.Width * j / s.GridZ;
            mesh.AddVertex({x, 0, z}, {0, 1, 0},
                           {static_cast<double>(i) / s.GridX,
                            kTableBands.FeltTop + (kTableBands.FeltBottom - kTableBands.FeltTop) * j / s.GridZ});
        }
    }
    const int row = s.GridX + 1;
    for (int j = 0; j < s.GridZ; ++j) {
        for (int i = 0; i < s.GridX; ++i) {
            const int a = first + j * row + i;
            mesh.AddQuad(a, a + 1, a + row + 1, a + row, felt);
        }
    }

    // The slab under the felt: four wooden sides and a bottom (its top is
    // the felt grid above).
    constexpr unsigned kNoTop = 1u << 3;
    AddWoodBox(mesh, {0, -s.SlabDepth, -s.Width}, {s.Length, 0, 0}, wood, kNoTop);

    // Legs, from the slab down to the floor, inset from the corners.
    const double legLo[2] = {s.LegInset, s.Length - s.LegInset - s.LegSide};
    const double legZ[2] = {-s.LegInset - s.LegSide, -s.Width + s.LegInset};
    for (double x : legLo) {
        for (double z : legZ) {
            AddWoodBox(mesh, {x, s.FloorY, z}, {x + s.LegSide, -s.SlabDepth, z + s.LegSide}, wood, kNoTop);
        }
    }

    // The apron: boards between the legs, flush with their outer faces.
    const double aTop = -s.SlabDepth;
    const double aBottom = aTop - s.ApronDepth;
    const double x0 = s.LegInset + s.LegSide;
    const double x1 = s.Length - s.LegInset - s.LegSide;
    const double zNear = -s.LegInset;
    const double zFar = -s.Width + s.LegInset;
    AddWoodBox(mesh, {x0, aBottom, zNear - s.ApronThickness}, {x1, aTop, zNear}, wood, kNoTop);
    AddWoodBox(mesh, {x0, aBottom, zFar}, {x1, aTop, zFar + s.ApronThickness}, wood, kNoTop);
    const double z0 = zFar + s.LegSide;
    const double z1 = zNear - s.LegSide;
    AddWoodBox(mesh, {s.LegInset, aBottom, z0}, {s.LegInset + s.ApronThickness, aTop, z1}, wood, kNoTop);
    AddWoodBox(mesh, {s.Length - s.LegInset - s.ApronThickness, aBottom, z0}, {s.Length - s.LegInset, aTop, z1},
               wood, kNoTop);
    return mesh;
}

}  // namespace zel::content
