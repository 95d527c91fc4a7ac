#include "render/GpuCache.h"

#include "render/MeshBuilder.h"
#include "render/IndexedGeometry.h"
#include "render/MeshGeometry.h"
#include "render/Texture.h"

namespace zel::render {

namespace {
// An entry is stale when its object died (a new one may now live at the same
// address) or, for meshes, changed since the copy was made.
template <typename T, typename E>
bool SameObject(const E& entry, const std::shared_ptr<T>& object) {
    return !entry.source.owner_before(object) && !object.owner_before(entry.source) && !entry.source.expired();
}
}  // namespace

const GpuMesh& GpuCache::Mesh(const std::shared_ptr<MeshBuilder>& mesh) {
    MeshEntry& e = meshes_[mesh.get()];
    if (!e.gpu || !SameObject(e, mesh) || e.version != mesh->Version()) {
        e.gpu.reset();
        e.gpu = std::make_unique<GpuMesh>(gl_, IndexGeometry(BuildGeometry(*mesh)), instanceBuffer_);
        e.source = mesh;
        e.version = mesh->Version();
    }
    return *e.gpu;
}

const GpuTexture& GpuCache::TextureFor(const std::shared_ptr<Texture>& texture) {
    TextureEntry& e = textures_[texture.get()];
    if (!e.gpu || !SameObject(e, texture)) {
        e.gpu.reset();
        e.gpu = std::make_unique<GpuTexture>(gl_, *texture);
        e.source = texture;
    }
    return *e.gpu;
}

void GpuCache::Purge() {
    for (auto it = meshes_.begin(); it != meshes_.end();) {
        it = it->second.source.expired() ? meshes_.erase(it) : std::next(it);
    }
    for (auto it = textures_.begin(); it != textures_.end();) {
        it = it->second.source.expired() ? textures_.erase(it) : std::next(it);
    }
}

}  // namespace zel::render
