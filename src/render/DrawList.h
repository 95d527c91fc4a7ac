#pragma once
#include <array>
#include <memory>
#include <vector>

#include "render/Colour.h"
#include "render/SceneMath.h"

namespace zel::render {

class Frame;
class MeshBuilder;

// Point lights beyond this number are not drawn; the match uses one.
inline constexpr int kMaxPointLights = 8;

// One copy of a mesh to draw: its placement in the scene as the three rows
// of a 3x4 matrix (rotation and even scale, then translation in the last
// column), and a colour multiplying the mesh's face colours.
struct DrawInstance {
    std::array<float, 12> rows{};       // row-major 3x4 scene placement
    std::array<float, 4> tint{1, 1, 1, 1};  // multiplies the face colours
};

// Every copy of one mesh in the scene; the device draws a batch with one
// instanced call per texture the mesh uses.
struct DrawBatch {
    std::shared_ptr<MeshBuilder> mesh;     // the geometry all copies share
    std::vector<DrawInstance> instances;   // one per frame or instance showing it
    // A lighter stand-in drawn instead while every copy is less than
    // distantBelowPixels in radius on the screen (see DetailLevel); null
    // when the batch has none.
    std::shared_ptr<MeshBuilder> distant;
    double distantBelowPixels = 0;
};

// A point light as the shading sees it: where it is in the scene.
struct PointLightInfo {
    Vec3 position;  // scene coordinates of the light's frame origin
    Colour colour;  // intensity per channel
};

// What one pass over the scene found: the lights and the meshes to draw,
// grouped by mesh in the order they were first met (depth first, children in
// creation order), so the same scene always gives the same list.
struct DrawList {
    Colour background{0, 0, 0, 1};         // the scene root's background
    Colour ambient{0, 0, 0, 1};            // sum of all ambient lights
    std::vector<PointLightInfo> pointLights;  // at most kMaxPointLights
    std::vector<DrawBatch> batches;        // one per distinct mesh
    int frameCount = 0;                    // frames visited
};

// Walks the frame tree under `scene` (the scene itself included).
DrawList CollectDrawList(const Frame& scene);

}  // namespace zel::render
