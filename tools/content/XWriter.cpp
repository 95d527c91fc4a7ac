#include "XWriter.h"

#include <cstdio>

namespace zel::content {
namespace {

// Six decimals, and never "-0.000000": a negative zero would make two
// otherwise identical files differ.
std::string Num(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6f", v);
    std::string s = buf;
    if (s.find_first_not_of("-0.") == std::string::npos) s = "0.000000";
    return s;
}

// Array elements are separated by "," and the last one closes the array
// member with an extra ";".
const char* Sep(std::size_t i, std::size_t count) { return i + 1 < count ? "," : ";"; }

void WriteFaces(std::string& out, const Mesh& mesh, const char* indent) {
    out += indent + std::to_string(mesh.Faces.size()) + ";\n";
    for (std::size_t i = 0; i < mesh.Faces.size(); ++i) {
        const Face& f = mesh.Faces[i];
        out += indent;
        out += "3;" + std::to_string(f.V[0]) + "," + std::to_string(f.V[1]) + "," +
               std::to_string(f.V[2]) + ";" + Sep(i, mesh.Faces.size()) + "\n";
    }
}

void WriteVectors(std::string& out, const std::vector<Vec3>& vs, const char* indent) {
    out += indent + std::to_string(vs.size()) + ";\n";
    for (std::size_t i = 0; i < vs.size(); ++i) {
        out += indent;
        out += Num(vs[i].x) + ";" + Num(vs[i].y) + ";" + Num(vs[i].z) + ";" + Sep(i, vs.size()) + "\n";
    }
}

std::string Colour(const Rgb& c) { return Num(c.r) + ";" + Num(c.g) + ";" + Num(c.b) + ";"; }

}  // namespace

std::string WriteXText(const Mesh& mesh, const std::string& comment) {
    std::string out = "xof 0303txt 0032\n";
    out += "// " + comment + "\n\n";
    out += "Mesh " + mesh.Name + " {\n";
    WriteVectors(out, mesh.Positions, " ");
    WriteFaces(out, mesh, " ");

    out += "\n MeshNormals {\n";
    WriteVectors(out, mesh.Normals, "  ");
    WriteFaces(out, mesh, "  ");
    out += " }\n";

    if (mesh.Textured) {
        out += "\n MeshTextureCoords {\n";
        out += "  " + std::to_string(mesh.TexCoords.size()) + ";\n";
        for (std::size_t i = 0; i < mesh.TexCoords.size(); ++i) {
            out += "  " + Num(mesh.TexCoords[i].u) + ";" + Num(mesh.TexCoords[i].v) + ";" +
                   Sep(i, mesh.TexCoords.size()) + "\n";
        }
        out += " }\n";
    }

    out += "\n MeshMaterialList {\n";
    out += "  " + std::to_string(mesh.Materials.size()) + ";\n";
    out += "  " + std::to_string(mesh.Faces.size()) + ";\n";
    for (std::size_t i = 0; i < mesh.Faces.size(); ++i) {
        out += "  " + std::to_string(mesh.Faces[i].MaterialIndex) + Sep(i, mesh.Faces.size());
        // The list closes with ";;", as readers of version 03.02 and later expect.
        out += i + 1 < mesh.Faces.size() ? "\n" : ";\n";
    }
    for (const Material& m : mesh.Materials) {
        out += "\n  Material " + m.Name + " {\n";
        out += "   " + Colour(m.Diffuse) + "1.000000;;\n";
        out += "   " + Num(m.Power) + ";\n";
        out += "   " + Colour(m.Specular) + ";\n";
        out += "   " + Colour(m.Emissive) + ";\n";
        out += "  }\n";
    }
    out += " }\n";
    out += "}\n";
    return out;
}

}  // namespace zel::content
