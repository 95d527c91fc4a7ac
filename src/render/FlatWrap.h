#pragma once
#include "render/SceneMath.h"

namespace zel::render {

class MeshBuilder;

// A flat texture wrap: the picture lies in a plane and is projected onto the
// faces along the wrap's direction. The wrap's own axes are z = direction,
// x = up x z and y = z x x (normalised), placed at `origin`. A vertex whose
// offset from the origin has wrap coordinates (x, y) gets
//     u = scaleU * x - offsetU,   v = -scaleV * y - offsetV,
// so that v runs down the picture while y runs up (the picture stands
// upright). Coordinates are the mesh's own; the picture repeats outside 0..1.
struct FlatWrap {
    Vec3 origin;             // where the picture's (u, v) = (-offset) lies
    Vec3 direction{0, 0, 1}; // projection direction (the wrap's z)
    Vec3 up{0, 1, 0};        // the picture's upward direction (the wrap's y)
    double offsetU = 0;      // shift across the picture
    double offsetV = 0;      // shift down the picture
    double scaleU = 1;       // picture widths per unit along the wrap's x
    double scaleV = 1;       // picture heights per unit along the wrap's y

    // Texture coordinates of one point.
    void Map(const Vec3& p, double& u, double& v) const;
    // Sets the texture coordinates of every corner of every face, or of one
    // face (throws RenderError BadArgument for a face that does not exist).
    void Apply(MeshBuilder& mesh) const;
    void ApplyToFace(MeshBuilder& mesh, int face) const;
};

}  // namespace zel::render
