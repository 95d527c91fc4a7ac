#pragma once
#include <array>
#include <string>
#include <vector>

namespace zel::content {

// A point or direction in mesh units. Doubles while we build; the .x writer
// rounds to six decimals, which is far below anything a renderer can show.
struct Vec3 {
    double x = 0, y = 0, z = 0;
};

// Texture coordinates in the .x convention: u to the right, v downwards from
// the top row of the picture.
struct Vec2 {
    double u = 0, v = 0;
};

// A colour, each component 0..1.
struct Rgb {
    double r = 0, g = 0, b = 0;
};

// One entry of a mesh's material list; the fields are those of the .x
// Material template.
struct Material {
    std::string Name;  // object name in the file, so parts of a mesh stay recognisable
    Rgb Diffuse;       // the colour the part is lit with
    double Power = 0;  // specular exponent
    Rgb Specular;      // highlight colour, black for matte parts
    Rgb Emissive;      // self-lit colour: only the lamp's diffuser glows
};

// A triangle: three vertex indices and the material it is drawn with.
struct Face {
    std::array<int, 3> V{};  // indices into the mesh's vertex arrays
    int MaterialIndex = 0;   // index into Mesh::Materials
};

// An indexed triangle mesh as it goes into one .x Mesh object. Every vertex
// carries its own normal (and texture coordinates when the mesh is
// textured), so hard edges are made by giving a corner one vertex per side.
struct Mesh {
    std::string Name;                 // Mesh object name in the file
    std::vector<Vec3> Positions;      // vertex positions, mesh units
    std::vector<Vec3> Normals;        // unit normal per vertex
    std::vector<Vec2> TexCoords;      // per vertex; written only when Textured
    bool Textured = false;            // the scene puts a texture on this mesh
    std::vector<Face> Faces;          // triangles
    std::vector<Material> Materials;  // referenced by Face::MaterialIndex

    // Adds a material and returns its index.
    int AddMaterial(const Material& m);

    // Adds a vertex and returns its index.
    int AddVertex(Vec3 position, Vec3 normal, Vec2 uv = {});

    // Adds a triangle wound so that the cross product (b - a) x (c - a)
    // points the way its vertex normals point: the one winding rule every
    // mesh of the game follows. Degenerate triangles are dropped.
    void AddTriangle(int a, int b, int c, int material);

    // Two triangles over the quad a-b-c-d (corners in order around it).
    void AddQuad(int a, int b, int c, int d, int material);
};

Vec3 operator+(Vec3 a, Vec3 b);
Vec3 operator-(Vec3 a, Vec3 b);
Vec3 operator*(Vec3 a, double k);
double Dot(Vec3 a, Vec3 b);
Vec3 Cross(Vec3 a, Vec3 b);
double Length(Vec3 a);
// The unit vector along a; a zero vector stays zero.
Vec3 Normalized(Vec3 a);

}  // namespace zel::content
