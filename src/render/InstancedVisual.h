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

    // A lighter mesh that draws every copy instead while each copy of Mesh()
    // would be less than `belowPixels` in radius on the screen: far away a
    // speck needs few faces, close up it keeps its own. Null turns it off.
    void SetDistantMesh(std::shared_ptr<MeshBuilder> mesh, double belowPixels) {
        distant_ = std::move(mesh);
        distantBelowPixels_ = belowPixels;
    }
    const std::shared_ptr<MeshBuilder>& DistantMesh() const { return distant_; }
    double DistantBelowPixels() const { return distantBelowPixels_; }

private:
    std::shared_ptr<MeshBuilder> mesh_;     // the one mesh every copy shows
    std::vector<Instance> instances_;       // where the copies stand
    std::shared_ptr<MeshBuilder> distant_;  // the stand-in far away, or null
    double distantBelowPixels_ = 0;         // screen radius under which it draws
};

}  // namespace zel::render
