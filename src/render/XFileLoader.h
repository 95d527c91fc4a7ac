#pragma once
#include <string>

#include "render/MeshBuilder.h"

namespace zel::render {

// Reads a DirectX .x file (text or binary) into a mesh: every mesh of the
// file with its frame transforms applied, its material's diffuse and
// emissive colours as face colours, its normals and texture coordinates.
// Coordinates, winding and texture coordinates come out exactly as written
// in the file (the file's left-handed convention is the scene's own).
// Texture file names inside the file are ignored: the scene code gives
// textures explicitly. Throws RenderError FileNotFound or BadMeshFile.
MeshBuilder LoadXFile(const std::string& path);

}  // namespace zel::render
