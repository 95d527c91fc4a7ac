#pragma once
#include <memory>

namespace zel::render {

class MeshBuilder;

// An eight-faced stand-in for a small round mesh seen from far away (the
// name-label dot): a regular octahedron about the mesh's origin with the
// colours of the mesh's first face and, at every corner, the normal pointing
// straight out from the centre, so it is lit like a ball. It is sized so
// that, averaged over all directions of view, it covers as much of the
// screen as `sphere` does (for a convex body that average is a quarter of
// its surface area): a dot looks as large and as bright whichever of the two
// draws it. A software rasteriser pays per triangle for such specks, and the
// octahedron shows about four faces where a twenty-faced ball shows ten.
//
// Throws RenderError EmptyMesh when `sphere` has no faces.
std::shared_ptr<MeshBuilder> LowDetailSphere(const MeshBuilder& sphere);

// The surface area of a mesh's faces (each a convex polygon), in its own
// units squared.
double SurfaceArea(const MeshBuilder& mesh);

}  // namespace zel::render
