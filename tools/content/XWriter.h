#pragma once
#include <string>

#include "MeshData.h"

namespace zel::content {

// Renders a mesh as a DirectX .x file in the text flavour ("xof 0303txt
// 0032"): one top-level Mesh object with MeshNormals, MeshTextureCoords
// (only for a textured mesh) and a MeshMaterialList of Material objects.
// Normals share the mesh's face list, one normal per vertex. Numbers are
// written with six decimals in the "C" format, so the output is the same
// byte for byte on every machine. `comment` goes into a // line after the
// header; it must not contain a line break.
std::string WriteXText(const Mesh& mesh, const std::string& comment);

}  // namespace zel::content
