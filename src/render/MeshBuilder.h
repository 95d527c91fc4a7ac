#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "render/Colour.h"
#include "render/SceneMath.h"

namespace zel::render {

class Texture;

// One corner of a face: which vertex it uses, and the normal and texture
// coordinates it has on this face (a vertex shared by faces of a hard edge
// has one normal per face).
struct FaceCorner {
    int vertex = 0;   // index into the mesh's vertex positions
    Vec3 normal;      // shading normal at this corner, unit length
    double u = 0;     // texture coordinate across the picture (0 = left edge)
    double v = 0;     // texture coordinate down the picture (0 = top row)
};

// A convex polygon of three or more corners, front side where the corners run
// clockwise as seen by the viewer (the .x convention).
struct MeshFace {
    std::vector<FaceCorner> corners;   // in winding order
    Colour colour;                     // diffuse colour, multiplied by the light
    Colour emissive{0, 0, 0, 0};       // light of its own, added after lighting
    std::shared_ptr<Texture> texture;  // picture multiplied in, or none
};

// Axis-aligned extent of a mesh in its own coordinates.
struct Box {
    Vec3 min;  // smallest x, y, z of any vertex
    Vec3 max;  // largest x, y, z of any vertex
};

// Geometry in main memory, edited by the scene code (load, scale, faces,
// colours, textures, wraps) and shown by any number of frames. Every change
// bumps Version() so the device knows to rebuild its GPU copy.
class MeshBuilder {
public:
    static std::shared_ptr<MeshBuilder> Create() { return std::make_shared<MeshBuilder>(); }

    // Replaces the contents by the meshes of a DirectX .x file (all meshes of
    // the file, frame transforms applied). Throws RenderError FileNotFound or
    // BadMeshFile; on failure the contents are left as they were.
    void LoadX(const std::string& path);

    // Multiplies every vertex coordinate; normals follow so that lighting
    // stays right for uneven factors.
    void Scale(double sx, double sy, double sz);
    // Throws RenderError EmptyMesh for a mesh without vertices.
    Box GetBox() const;

    // Adds a vertex and returns its index.
    int AddVertex(const Vec3& position);
    // Adds a face over existing vertices (three or more, each index valid),
    // with the flat normal of its winding. Throws RenderError BadArgument.
    int AddFace(const std::vector<int>& vertices, const Colour& colour);
    // Adds a fully described face (loaders). Indices must be valid.
    int AddFace(MeshFace face);

    void SetColour(const Colour& colour);
    void SetFaceColour(int face, const Colour& colour);
    void SetTexture(const std::shared_ptr<Texture>& texture);
    void SetFaceTexture(int face, const std::shared_ptr<Texture>& texture);
    void SetFaceTextureCoordinates(int face, int corner, double u, double v);

    const std::vector<Vec3>& Vertices() const { return vertices_; }
    const std::vector<MeshFace>& Faces() const { return faces_; }
    int FaceCount() const { return static_cast<int>(faces_.size()); }
    std::uint64_t Version() const { return version_; }

private:
    void CheckFace(int face) const;

    std::vector<Vec3> vertices_;   // positions in the mesh's own coordinates
    std::vector<MeshFace> faces_;  // polygons over those positions
    std::uint64_t version_ = 0;    // bumped on every change
};

}  // namespace zel::render
