#pragma once
#include <functional>
#include <optional>
#include <string>

#include <QImage>

#include "render/RenderError.h"
#include "render/RenderSettings.h"
#include "render/SceneSlots.h"

namespace zel {
struct MatchState;
class MatchPort;
class ErrorLog;
}  // namespace zel

namespace zel::render {

class SceneScript;

// What an operation that reports its failure to the caller returns: empty
// on success, the error otherwise.
using RenderFailure = std::optional<RenderError>;

// Things the match window and the other modules plug into the scene's
// start-up and construction. Each may be empty. A hook that throws counts as
// a failing statement (construction) or a failing start-up step.
struct GraphHooks {
    std::function<void(int width, int height, int bits)> SetDisplayMode;  // go full screen
    std::function<void()> RestoreDisplayMode;  // back to the desktop
    std::function<void()> BuildNameLabels;     // the name labels, after the pieces exist
    std::function<void()> LoadSounds;          // the match's sound effects
    // The match's sound effects as statements of their own: the hook runs
    // each load through the script, so a failing load is reported and asked
    // about and the next load still runs. Called after LoadSounds.
    std::function<void(SceneScript& script)> LoadSoundStatements;
};

// The match scene: the 3D start-up, the construction of the table, room,
// pieces, walls, posts, aim marker, lights and camera, the per-tick frame
// update, the render step and the shut-down, with the game's progress
// captions, failure messages and questions. It owns the scene slots; the
// match state, the port (captions, questions) and the error log are the
// caller's and must outlive it.
//
// The picture is drawn off screen at ScreenW x ScreenH. The match window
// shows it through a ScenePresenter after each RenderStep: presented by the
// device straight to the window, or, without an OpenGL surface, taken with
// Picture(), overlaid, passed through QuantiseToColourDepth (Colors) and
// shown scaled to the screen.
class GraphModule {
public:
    GraphModule(MatchState& s, MatchPort& port, const ErrorLog& log, RenderSettings settings,
                GraphHooks hooks = {});
    ~GraphModule();
    GraphModule(const GraphModule&) = delete;
    GraphModule& operator=(const GraphModule&) = delete;

    // The 3D start-up. On failure: the device message is logged and shown
    // (warning icon), InitFailed is set, GameOver cleared, and false is
    // returned; the match window then closes (the kernel runs its close).
    bool InitDirect3D();
    // Builds the match scene and writes the camera start and the wall
    // records into the match state. After a failing statement the question
    // is asked; No sets InitFailed and returns false.
    bool LoadScene();
    // Moves participant i's frame (1..8) to its record: on the table with
    // its heading, or, once eliminated, lying on the floor beside the table
    // where it went over the edge (LayOutFallenPieces).
    RenderFailure UpdateVembaFrame(int i);
    // Clears the picture and the depth buffer and draws the scene.
    RenderFailure RenderStep();
    // Releases the device and viewport, the posts' and pieces' frames and
    // meshes; every error is ignored, so running it twice is harmless.
    void ShutdownDirect3D();

    // The aim marker and arrow and the camera, as the controls move them.
    RenderFailure SetAimVisible(bool visible);     // attach or detach both visuals
    RenderFailure OrientArrow(double aimAngle);     // arrow rotated by AimAngle about the vertical
    RenderFailure PlaceAim(double x, double z);     // marker at (x, 0.5, z), arrow at (x, 1, z)
    RenderFailure RefreshCamera();                  // camera to (CamX, CamY, CamZ), looking at the centre

    // The last drawn picture at full colour (RGB32, ScreenW x ScreenH), or a
    // null image without a device.
    QImage Picture();
    // The same as the display mode of Colors shows it.
    QImage PictureAtColourDepth();

    SceneSlots& Slots() { return slots_; }
    const RenderSettings& Settings() const { return settings_; }
    void SetSettings(const RenderSettings& settings) { settings_ = settings; }
    GraphHooks& Hooks() { return hooks_; }

private:
    void UpdateVembaFrameOrThrow(int i);
    std::string DataPath(const char* relative) const;
    std::string DataPath(const std::string& relative) const;
    void BuildRoom(class SceneScript& script);
    void BuildWalls(class SceneScript& script);

    MatchState& s_;            // the match in play
    MatchPort& port_;          // captions and questions
    const ErrorLog& log_;      // failures are written here
    RenderSettings settings_;  // display mode, texture, device kind
    GraphHooks hooks_;         // window and other modules
    SceneSlots slots_;         // the scene's objects
};

}  // namespace zel::render
