#pragma once
#include <memory>
#include <vector>

#include "render/DrawList.h"
#include "render/SceneMath.h"

namespace zel::render {

class MeshBuilder;

// Level of detail for batches of copies: a batch whose copies all stand
// small on the screen may be drawn with a lighter stand-in mesh (the
// name-label dots far from the camera), and with its full mesh as soon as
// any copy comes close. One choice per batch, so a batch stays one call.

// The distance of the vertex farthest from the mesh's own origin.
double BoundingRadius(const MeshBuilder& mesh);

// The largest radius in pixels any copy of a mesh of `meshRadius` (its own
// units; each copy's scale applied) has in a viewport of `width` x `height`
// pixels seen through `viewProjection`. Measured across the line of sight
// at the copy's centre, which is what a small sphere covers. Copies at or
// behind the eye are not counted; 0 when no copy is in front of it.
double LargestScreenRadius(const GlMatrix& viewProjection, int width, int height,
                           const std::vector<DrawInstance>& instances, double meshRadius);

// The mesh a batch is drawn with: its distant stand-in when it has one and
// every copy of its own mesh is smaller on the screen than the batch's
// threshold, else its own mesh.
const std::shared_ptr<MeshBuilder>& MeshToDraw(const DrawBatch& batch, const GlMatrix& viewProjection, int width,
                                               int height);

}  // namespace zel::render
