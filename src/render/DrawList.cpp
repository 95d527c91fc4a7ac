#include "render/DrawList.h"

#include <unordered_map>
#include <utility>

#include "render/Frame.h"
#include "render/InstancedVisual.h"
#include "render/Light.h"
#include "render/MeshBuilder.h"

namespace zel::render {

namespace {

DrawInstance MakeInstance(const Transform& t, double scale, const Colour& tint) {
    DrawInstance d;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            d.rows[static_cast<std::size_t>(r * 4 + c)] = static_cast<float>(t.rotation.At(r, c) * scale);
        }
    }
    d.rows[3] = static_cast<float>(t.position.x);
    d.rows[7] = static_cast<float>(t.position.y);
    d.rows[11] = static_cast<float>(t.position.z);
    d.tint = {tint.r, tint.g, tint.b, tint.a};
    return d;
}

}  // namespace

DrawList CollectDrawList(const Frame& scene) {
    DrawList out;
    out.background = scene.SceneBackground();
    std::unordered_map<const MeshBuilder*, std::size_t> batchOf;
    auto batchFor = [&](const std::shared_ptr<MeshBuilder>& mesh) -> DrawBatch& {
        auto [it, inserted] = batchOf.try_emplace(mesh.get(), out.batches.size());
        if (inserted) out.batches.push_back({mesh, {}, nullptr, 0});
        return out.batches[it->second];
    };

    // Depth first with an explicit stack: the world placement of each frame
    // is its parent's composed with its own.
    struct Pending {
        const Frame* frame;     // the frame still to visit
        Transform parentWorld;  // its parent's placement in the scene
    };
    std::vector<Pending> stack;
    stack.push_back({&scene, {}});
    while (!stack.empty()) {
        const Pending p = stack.back();
        stack.pop_back();
        ++out.frameCount;
        const Transform world = Compose(p.parentWorld, p.frame->Local());

        for (const auto& light : p.frame->Lights()) {
            const Colour& c = light->GetColour();
            if (light->GetKind() == Light::Kind::Ambient) {
                out.ambient = {out.ambient.r + c.r, out.ambient.g + c.g, out.ambient.b + c.b, 1};
            } else if (static_cast<int>(out.pointLights.size()) < kMaxPointLights) {
                out.pointLights.push_back({world.position, c});
            }
        }
        for (const auto& mesh : p.frame->Visuals()) {
            if (mesh && mesh->FaceCount() > 0) batchFor(mesh).instances.push_back(MakeInstance(world, 1, {1, 1, 1, 1}));
        }
        for (const auto& set : p.frame->InstancedVisuals()) {
            if (!set || !set->Mesh() || set->Mesh()->FaceCount() == 0 || set->Instances().empty()) continue;
            DrawBatch& batch = batchFor(set->Mesh());
            if (!batch.distant && set->DistantMesh() && set->DistantMesh()->FaceCount() > 0) {
                batch.distant = set->DistantMesh();
                batch.distantBelowPixels = set->DistantBelowPixels();
            }
            for (const auto& inst : set->Instances()) {
                const Transform placed{world.rotation, world.Apply(inst.position)};
                batch.instances.push_back(MakeInstance(placed, inst.scale, inst.tint));
            }
        }
        // Push children in reverse so they are visited in creation order.
        const auto& children = p.frame->Children();
        for (auto it = children.rbegin(); it != children.rend(); ++it) stack.push_back({it->get(), world});
    }
    return out;
}

}  // namespace zel::render
