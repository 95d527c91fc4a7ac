#include "render/Frame.h"

#include <algorithm>

#include "render/InstancedVisual.h"
#include "render/Light.h"
#include "render/MeshBuilder.h"

namespace zel::render {

namespace {
template <typename T>
void AddOnce(std::vector<std::shared_ptr<T>>& list, const std::shared_ptr<T>& item) {
    if (!item) return;
    if (std::find(list.begin(), list.end(), item) == list.end()) list.push_back(item);
}

template <typename T>
void RemoveAll(std::vector<std::shared_ptr<T>>& list, const std::shared_ptr<T>& item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}
}  // namespace

std::shared_ptr<Frame> Frame::Create(const std::shared_ptr<Frame>& parent) {
    auto f = std::make_shared<Frame>();
    if (parent) {
        f->parent_ = parent;
        parent->children_.push_back(f);
    }
    return f;
}

Transform Frame::ParentWorld() const {
    const auto p = parent_.lock();
    return p ? p->World() : Transform{};
}

Transform Frame::World() const {
    // Walk up iteratively; the chain is finite because parents are only set
    // at creation, to frames that already existed.
    Transform t = local_;
    auto p = parent_.lock();
    while (p) {
        t = Compose(p->local_, t);
        p = p->parent_.lock();
    }
    return t;
}

void Frame::SetPosition(const Frame* reference, const Vec3& p) {
    if (!reference) {
        local_.position = p;
        return;
    }
    const Vec3 world = reference->World().Apply(p);
    local_.position = Inverse(ParentWorld()).Apply(world);
}

Vec3 Frame::Position(const Frame* reference) const {
    if (!reference) return local_.position;
    return Inverse(reference->World()).Apply(World().position);
}

void Frame::SetRotation(const Vec3& axis, double theta) {
    local_.rotation = RotationAboutAxis(axis, theta);
}

void Frame::AddRotation(const Vec3& axis, double theta) {
    local_.rotation = local_.rotation * RotationAboutAxis(axis, theta);
}

void Frame::SetOrientation(const Frame* reference, const Vec3& direction, const Vec3& up) {
    if (!reference) {
        local_.rotation = BasisFromDirectionUp(direction, up);
        return;
    }
    const Mat3 refRot = reference->World().rotation;
    const Mat3 world = BasisFromDirectionUp(refRot * direction, refRot * up);
    local_.rotation = Transposed(ParentWorld().rotation) * world;
}

void Frame::LookAt(const Frame& target, const Frame* reference) {
    const Transform self = World();
    const Vec3 direction = target.World().position - self.position;
    if (Dot(direction, direction) == 0) return;
    const Vec3 up = reference ? reference->World().rotation.Column(1) : Vec3{0, 1, 0};
    const Mat3 world = BasisFromDirectionUp(direction, up);
    local_.rotation = Transposed(ParentWorld().rotation) * world;
}

void Frame::AddVisual(const std::shared_ptr<MeshBuilder>& mesh) { AddOnce(meshes_, mesh); }
void Frame::DeleteVisual(const std::shared_ptr<MeshBuilder>& mesh) { RemoveAll(meshes_, mesh); }
void Frame::AddVisual(const std::shared_ptr<InstancedVisual>& set) { AddOnce(instanced_, set); }
void Frame::DeleteVisual(const std::shared_ptr<InstancedVisual>& set) { RemoveAll(instanced_, set); }
void Frame::AddLight(const std::shared_ptr<Light>& light) { AddOnce(lights_, light); }
void Frame::DeleteLight(const std::shared_ptr<Light>& light) { RemoveAll(lights_, light); }

}  // namespace zel::render
