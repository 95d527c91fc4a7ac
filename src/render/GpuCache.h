#pragma once
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "render/GlFunctions.h"
#include "render/GpuMesh.h"
#include "render/GpuTexture.h"

namespace zel::render {

class MeshBuilder;
class Texture;

// The GPU copies of the scene's meshes and textures, made on first use and
// remade when a mesh changes. An entry whose scene object is gone is freed
// at the next Purge. Belongs to one device; the context must be current
// whenever it is used or destroyed.
class GpuCache {
public:
    GpuCache(GlFunctions& gl, GLuint instanceBuffer) : gl_(gl), instanceBuffer_(instanceBuffer) {}

    const GpuMesh& Mesh(const std::shared_ptr<MeshBuilder>& mesh);
    const GpuTexture& TextureFor(const std::shared_ptr<Texture>& texture);
    // Frees the copies of scene objects that no longer exist.
    void Purge();
    std::size_t MeshCount() const { return meshes_.size(); }
    std::size_t TextureCount() const { return textures_.size(); }

private:
    struct MeshEntry {
        std::weak_ptr<MeshBuilder> source;  // tells whether the mesh still exists
        std::uint64_t version = 0;          // mesh version the copy was made from
        std::unique_ptr<GpuMesh> gpu;       // the copy
    };
    struct TextureEntry {
        std::weak_ptr<Texture> source;      // tells whether the texture still exists
        std::unique_ptr<GpuTexture> gpu;    // the copy
    };

    GlFunctions& gl_;             // the device's functions
    GLuint instanceBuffer_;       // shared per-instance data the meshes read
    std::unordered_map<const MeshBuilder*, MeshEntry> meshes_;   // by scene object
    std::unordered_map<const Texture*, TextureEntry> textures_;  // by scene object
};

}  // namespace zel::render
