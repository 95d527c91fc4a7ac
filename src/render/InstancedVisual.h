#pragma once
#include <memory>
#include <vector>

#include "render/Colour.h"
#include "render/SceneMath.h"

namespace zel::render {

class MeshBuilder;

// Many copies of one small mesh shown by one frame, drawn in a single
// instanced call: each copy has its own offset in the frame's coordinates,
// an even scale and a colour that multiplies the mesh's own.
class InstancedVisual {
public:
    struct Instance {
        Vec3 position;          // offset in the owning frame's coordinates
        double scale = 1;       // even scale of the mesh
        Colour tint{1, 1, 1, 1};// multiplies the face colours
    };

    static std::shared_ptr<InstancedVisual> Create(std::shared_ptr<MeshBuilder> mesh) {
        return std::make_shared<InstancedVisual>(std::move(mesh));
    }
    explicit InstancedVisual(std::shared_ptr<MeshBuilder> mesh) : mesh_(std::move(mesh)) {}

    const std::shared_ptr<MeshBuilder>& Mesh() const { return mesh_; }
    const std::vector<Instance>& Instances() const { return instances_; }
    void Clear() { instances_.clear(); }
    void Add(const Instance& instance) { instances_.push_back(instance); }
    void Reserve(std::size_t n) { instances_.reserve(n); }

private:
    std::shared_ptr<MeshBuilder> mesh_;  // the one mesh every copy shows
    std::vector<Instance> instances_;    // where the copies stand
};

}  // namespace zel::render
