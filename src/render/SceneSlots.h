#pragma once
#include <array>
#include <memory>

#include "render/Frame.h"
#include "render/Light.h"
#include "render/MeshBuilder.h"
#include "render/RenderDevice.h"
#include "render/Texture.h"
#include "render/Viewport.h"

namespace zel::render {

// The 3D objects of a match, by the names the scene code uses. Scene
// construction fills them, the frame update and the controls move them,
// the shut-down releases the device and the pieces' and posts' objects; the
// piece preview builds its own small scene in the same slots. Tables are
// 1-based like the participants, index 0 unused.
struct SceneSlots {
    std::unique_ptr<RenderDevice> Device;  // context and picture; GPU copies die with it
    std::unique_ptr<Viewport> View;        // camera, rectangle, clipping

    std::shared_ptr<Frame> SceneRoot;       // root; background black
    std::shared_ptr<Frame> CameraFrame;     // the eye
    std::shared_ptr<Frame> LightFrame;      // carries the point light above the table centre
    std::shared_ptr<Frame> TableFrame;      // shows the table
    std::shared_ptr<Frame> RoomFrame;       // shows the room box
    std::shared_ptr<Frame> CentreFrame;     // the table centre the camera looks at
    std::shared_ptr<Frame> AimMarkerFrame;  // the marker where the cue meets the piece
    std::shared_ptr<Frame> AimArrowFrame;   // the arrow along the strike direction
    std::shared_ptr<Frame> SwinObjectFrame; // shows the swin object, only with the room
    std::shared_ptr<Frame> LampFrame;       // the lamp, only with the room

    std::array<std::shared_ptr<Frame>, 9> VembaFrames;        // [1..8] a participant's piece
    std::array<std::shared_ptr<MeshBuilder>, 9> VembaMeshes;  // [1..8] its mesh
    std::array<std::shared_ptr<Frame>, 3> WallFrames;         // [1..2] always created
    std::array<std::shared_ptr<MeshBuilder>, 3> WallMeshes;   // [1..2] only with walls on
    std::array<std::shared_ptr<Frame>, 5> PipaFrames;         // [1..4] only with posts on
    std::array<std::shared_ptr<MeshBuilder>, 5> PipaMeshes;   // [1..4] only with posts on

    std::shared_ptr<MeshBuilder> TableMesh;      // the table, scaled to MaxX x MaxY
    std::shared_ptr<MeshBuilder> CentreMesh;     // the mark under the table centre
    std::shared_ptr<MeshBuilder> AimMarkerMesh;  // attached while aiming
    std::shared_ptr<MeshBuilder> AimArrowMesh;   // attached while aiming
    std::shared_ptr<MeshBuilder> RoomMesh;       // twelve triangles of the room box
    std::shared_ptr<MeshBuilder> LampMesh;       // hangs above the table
    std::shared_ptr<MeshBuilder> SwinMesh;       // shelf of the fallen pieces

    std::shared_ptr<Light> AmbientLight;  // (0.5, 0.5, 0.5) on the root
    std::shared_ptr<Light> PointLight;    // white, on LightFrame
    std::shared_ptr<Texture> TableTexture;  // only with UseTex
    std::shared_ptr<Texture> RoomTexture;   // on the room's walls

    double TableScaleX = 0;  // MaxX / 1000: the table mesh's x scale
    double TableScaleZ = 0;  // MaxY / 500: the table mesh's z scale
};

}  // namespace zel::render
