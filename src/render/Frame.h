#pragma once
#include <memory>
#include <vector>

#include "render/Colour.h"
#include "render/SceneMath.h"

namespace zel::render {

class InstancedVisual;
class Light;
class MeshBuilder;

// A node of the scene: a placement relative to its parent, the visuals and
// lights it shows, and its children. A frame without parent is a scene root
// and carries the background colour. Parents own their children; a frame
// whose parent is gone behaves as a root. Rotations are rigid (no scale).
class Frame : public std::enable_shared_from_this<Frame> {
public:
    // A new frame as the last child of `parent`, or a root when it is null;
    // placed at the parent's origin with the parent's orientation.
    static std::shared_ptr<Frame> Create(const std::shared_ptr<Frame>& parent);

    std::shared_ptr<Frame> Parent() const { return parent_.lock(); }
    const std::vector<std::shared_ptr<Frame>>& Children() const { return children_; }

    // Placement relative to the parent, and relative to the scene root.
    const Transform& Local() const { return local_; }
    Transform World() const;

    // Moves the origin to p given in `reference`'s coordinates (its current
    // position and orientation); a null reference means the parent.
    void SetPosition(const Frame* reference, const Vec3& p);
    // The origin in `reference`'s coordinates (null: the parent's).
    Vec3 Position(const Frame* reference) const;

    // Replaces the orientation by a rotation of theta radians about `axis`
    // (parent's coordinates); the position stays.
    void SetRotation(const Vec3& axis, double theta);
    // Turns the frame further by theta about `axis` given in its own
    // coordinates, after its current orientation; the position stays.
    void AddRotation(const Vec3& axis, double theta);
    // Orientation with z along `direction` and y toward `up`, both given in
    // `reference`'s coordinates (null: the parent's).
    void SetOrientation(const Frame* reference, const Vec3& direction, const Vec3& up);
    // Turns the frame so that its z axis points at the target's origin with
    // no roll: its y axis stays toward the y axis of `reference` (null: the
    // scene root). Nothing changes when the two origins coincide.
    void LookAt(const Frame& target, const Frame* reference);

    // Visuals and lights. Adding one that is already there changes nothing;
    // deleting one that is not there changes nothing.
    void AddVisual(const std::shared_ptr<MeshBuilder>& mesh);
    void DeleteVisual(const std::shared_ptr<MeshBuilder>& mesh);
    void AddVisual(const std::shared_ptr<InstancedVisual>& set);
    void DeleteVisual(const std::shared_ptr<InstancedVisual>& set);
    void AddLight(const std::shared_ptr<Light>& light);
    void DeleteLight(const std::shared_ptr<Light>& light);
    const std::vector<std::shared_ptr<MeshBuilder>>& Visuals() const { return meshes_; }
    const std::vector<std::shared_ptr<InstancedVisual>>& InstancedVisuals() const { return instanced_; }
    const std::vector<std::shared_ptr<Light>>& Lights() const { return lights_; }

    // The colour the viewport is cleared to when this frame is the scene.
    void SetSceneBackground(const Colour& colour) { background_ = colour; }
    const Colour& SceneBackground() const { return background_; }

private:
    Transform ParentWorld() const;

    std::weak_ptr<Frame> parent_;                          // who places us; empty for a root
    std::vector<std::shared_ptr<Frame>> children_;         // frames placed relative to us
    Transform local_;                                      // our placement in the parent
    std::vector<std::shared_ptr<MeshBuilder>> meshes_;     // meshes shown at our placement
    std::vector<std::shared_ptr<InstancedVisual>> instanced_;  // instanced sets we show
    std::vector<std::shared_ptr<Light>> lights_;           // lights at our origin
    Colour background_{0, 0, 0, 1};                        // used when we are the scene
};

}  // namespace zel::render
