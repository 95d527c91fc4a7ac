#include "render/GraphModule.h"

#include <cmath>
#include <exception>
#include <utility>

#include "core/MatchPort.h"
#include "core/MatchSetup.h"
#include "core/MatchState.h"
#include "base/ErrorLog.h"
#include "render/ColourDepth.h"
#include "render/FallenPieceLayout.h"
#include "render/FlatWrap.h"
#include "render/GameDataFiles.h"
#include "render/SceneMessages.h"
#include "render/SceneScript.h"
#include "render/SceneTexts.h"

namespace zel::render {

namespace {

const Vec3 kVertical{0, 1, 0};

// Frame positions and angles go to the scene in single precision, as the
// frame operations have always taken them.
double Single(double x) { return static_cast<double>(static_cast<float>(x)); }
Vec3 SingleVec(double x, double y, double z) { return {Single(x), Single(y), Single(z)}; }

template <typename T>
T& Need(const std::shared_ptr<T>& p) {
    if (!p) throw RenderError(RenderErrorCode::NoObject, "объект сцены не создан");
    return *p;
}

RenderDevice& Need(const std::unique_ptr<RenderDevice>& p) {
    if (!p) throw RenderError(RenderErrorCode::NoDevice, "устройство не создано");
    return *p;
}

Viewport& Need(const std::unique_ptr<Viewport>& p) {
    if (!p) throw RenderError(RenderErrorCode::NoObject, "окно просмотра не создано");
    return *p;
}

// The room box: twelve triangles, corners in the order they are added.
// The first eight are its four walls, then the floor and the ceiling.
struct RoomTriangle {
    Vec3 a;  // first corner
    Vec3 b;  // second corner
    Vec3 c;  // third corner; a, b, c run clockwise seen from inside the room
};
constexpr int kRoomWallTriangles = 8;
const RoomTriangle kRoomTriangles[12] = {
    {{200, -35, 150}, {200, 100, 150}, {200, -35, -200}},
    {{200, 100, -200}, {200, -35, -200}, {200, 100, 150}},
    {{-150, -35, 150}, {-150, -35, -200}, {-150, 100, 150}},
    {{-150, 100, 150}, {-150, -35, -200}, {-150, 100, -200}},
    {{-150, -35, 150}, {-150, 100, 150}, {200, -35, 150}},
    {{-150, 100, 150}, {200, 100, 150}, {200, -35, 150}},
    {{-150, -35, -200}, {200, -35, -200}, {-150, 100, -200}},
    {{-150, 100, -200}, {200, -35, -200}, {200, 100, -200}},
    {{-150, -35, -200}, {200, -35, 150}, {200, -35, -200}},
    {{-150, -35, 150}, {200, -35, 150}, {-150, -35, -200}},
    {{-150, 100, -200}, {200, 100, -200}, {200, 100, 150}},
    {{-150, 100, 150}, {-150, 100, -200}, {200, 100, 150}},
};
// The room's floor, where the table's legs stand and fallen pieces lie;
// there whether the room is drawn or not.
constexpr double kFloorY = -35;
const Colour kRoomWallColour{245.0f / 256, 167.0f / 256, 88.0f / 256, 1};
const Colour kRoomFloorColour{245.0f / 256, 216.0f / 256, 160.0f / 256, 1};

// The renderer draws whole turns of a heading identically: the angle is
// reduced to -pi..pi in double precision before it becomes single.
double HeadingForFrame(double phi, double pi) {
    if (!std::isfinite(phi)) return 0;
    return std::remainder(phi, 2 * pi);
}

RenderError AsRenderError(const std::exception& e) {
    if (const auto* r = dynamic_cast<const RenderError*>(&e)) return *r;
    return RenderError(RenderErrorCode::Internal, e.what());
}

}  // namespace

GraphModule::GraphModule(MatchState& s, MatchPort& port, const ErrorLog& log, RenderSettings settings,
                         GraphHooks hooks)
    : s_(s), port_(port), log_(log), settings_(std::move(settings)), hooks_(std::move(hooks)) {}

GraphModule::~GraphModule() {
    // GPU objects go with the device; the scene objects are plain memory.
    slots_.View.reset();
    slots_.Device.reset();
}

std::string GraphModule::DataPath(const char* relative) const { return s_.AppPath + relative; }
std::string GraphModule::DataPath(const std::string& relative) const { return s_.AppPath + relative; }

bool GraphModule::InitDirect3D() {
    try {
        port_.SetCaption(texts::kCaptionInitDevice);
        slots_.View.reset();
        slots_.Device.reset();
        // The display mode: the picture's size and depth must be one the
        // device can make before the screen is switched.
        const int w = settings_.ScreenW;
        const int h = settings_.ScreenH;
        const int bits = settings_.Colors;
        if (w < 1 || h < 1 || !IsSupportedColourDepth(bits)) {
            throw RenderError(RenderErrorCode::DisplayMode,
                              "видеорежим " + std::to_string(w) + "x" + std::to_string(h) + "x" +
                                  std::to_string(bits) + " не поддерживается");
        }
        if (hooks_.SetDisplayMode) hooks_.SetDisplayMode(w, h, bits);
        slots_.Device = RenderDevice::Create(w, h, bits);
        RenderDevice& d = *slots_.Device;
        d.SetBufferCount(2);
        d.SetRenderQuality(137);
        d.SetTextureQuality(0);
        d.SetDither(1);
        return true;
    } catch (const std::exception& ex) {
        const RenderError e = AsRenderError(ex);
        slots_.Device.reset();
        const std::string text = DeviceFailureMessage(e);
        log_.LogError(text);
        Message m;
        m.Text = text;
        m.Icon = MsgIcon::Exclamation;
        m.Buttons = MsgButtons::Ok;
        port_.Ask(m);
        s_.Win.InitFailed = kTrue;
        s_.Win.GameOver = kFalse;
        return false;
    }
}

bool GraphModule::LoadScene() {
    // Every match builds its scene from nothing; only the device stays.
    // Objects of an earlier scene (a room, walls, posts it had) go now.
    {
        SceneSlots fresh;
        fresh.Device = std::move(slots_.Device);
        slots_ = std::move(fresh);
    }
    SceneScript script(port_, log_);
    SceneSlots& z = slots_;
    auto run = [&](const std::function<void()>& statement) { return script.Run(statement); };
    // Participants beyond the eight slots have no frame; a damaged count
    // must not reach past the tables.
    const int num = std::max(0, std::min<int>(s_.Num, kMaxParticipants));

    // 1. The frames.
    run([&] { port_.SetCaption(texts::kCaptionScene); });
    run([&] { z.SceneRoot = Frame::Create(nullptr); });
    run([&] { z.LightFrame = Frame::Create(z.SceneRoot); });
    run([&] { z.TableFrame = Frame::Create(z.SceneRoot); });
    run([&] { z.RoomFrame = Frame::Create(z.SceneRoot); });
    run([&] { z.CentreFrame = Frame::Create(z.SceneRoot); });
    run([&] { z.AimMarkerFrame = Frame::Create(z.SceneRoot); });
    run([&] { z.AimArrowFrame = Frame::Create(z.SceneRoot); });
    run([&] { z.SwinObjectFrame = Frame::Create(z.SceneRoot); });
    for (int i = 1; i <= num; ++i) run([&] { z.VembaFrames[static_cast<std::size_t>(i)] = Frame::Create(z.SceneRoot); });
    run([&] { z.WallFrames[1] = Frame::Create(z.SceneRoot); });
    run([&] { z.WallFrames[2] = Frame::Create(z.SceneRoot); });
    run([&] { z.CameraFrame = Frame::Create(z.SceneRoot); });

    // 2. Background and camera start.
    run([&] { Need(z.SceneRoot).SetSceneBackground({0, 0, 0, 1}); });
    run([&] { SetCameraStart(s_); });
    run([&] { Need(z.CameraFrame).SetPosition(nullptr, SingleVec(s_.CamX, s_.CamY, s_.CamZ)); });

    // 3. Viewport and ambient light.
    run([&] {
        Need(z.Device);
        z.View = std::make_unique<Viewport>(z.CameraFrame, 0, 0, settings_.ScreenW, settings_.ScreenH);
    });
    run([&] { Need(z.View).SetBack(3000); });
    run([&] { z.AmbientLight = Light::CreateAmbient({0.5f, 0.5f, 0.5f, 1}); });
    run([&] { Need(z.SceneRoot).AddLight(z.AmbientLight); });

    // 4. Table scales.
    run([&] {
        z.TableScaleX = s_.MaxX / 1000.0;
        z.TableScaleZ = s_.MaxY / 500.0;
    });

    // 5. The room.
    if (IsSet(s_.UseRoom)) BuildRoom(script);

    // 6. The table.
    run([&] { port_.SetCaption(texts::kCaptionTable); });
    run([&] { z.TableMesh = MeshBuilder::Create(); });
    run([&] { Need(z.TableMesh).LoadX(DataPath(files::kTable)); });
    run([&] { Need(z.TableMesh).Scale(z.TableScaleX, 0.5, z.TableScaleZ); });
    run([&] { Need(z.TableFrame).SetPosition(nullptr, {0, 0, 0}); });
    run([&] { Need(z.TableFrame).AddVisual(z.TableMesh); });

    // 7. The centre point the camera looks at.
    run([&] { z.CentreMesh = MeshBuilder::Create(); });
    run([&] { Need(z.CentreMesh).LoadX(DataPath(files::kCentrePoint)); });
    run([&] {
        s_.TargX = z.TableScaleX * 50;
        s_.TargZ = -z.TableScaleZ * 25;
    });
    run([&] { Need(z.CentreFrame).SetPosition(nullptr, SingleVec(s_.TargX, -2, s_.TargZ)); });
    run([&] { Need(z.CentreFrame).AddVisual(z.CentreMesh); });

    // 8. Aim marker and arrow; the controls attach and place them.
    run([&] { z.AimMarkerMesh = MeshBuilder::Create(); });
    run([&] { Need(z.AimMarkerMesh).LoadX(DataPath(files::kAimMarker)); });
    run([&] { Need(z.AimMarkerMesh).Scale(0.1, 0.1, 0.1); });
    run([&] { Need(z.AimMarkerFrame).SetPosition(nullptr, {0, 0, 0}); });
    run([&] { z.AimArrowMesh = MeshBuilder::Create(); });
    run([&] { Need(z.AimArrowMesh).LoadX(DataPath(files::kAimArrow)); });
    run([&] { Need(z.AimArrowMesh).Scale(0.1, 0.05, 0.1); });
    run([&] { Need(z.AimArrowFrame).SetPosition(nullptr, {0, 2, 0}); });

    // 9. The table's texture.
    if (settings_.UseTex) {
        Box box{};
        run([&] { port_.SetCaption(texts::kCaptionTableTexture); });
        run([&] { z.TableTexture = Texture::Load(DataPath(files::kTableTexture)); });
        run([&] { box = Need(z.TableMesh).GetBox(); });
        run([&] { Need(z.Device).SetTextureQuality(settings_.DeviceGuid == texts::kHardwareDeviceId ? 1 : 0); });
        FlatWrap wrap;
        run([&] {
            const double m = box.min.y;
            const double extent = box.max.x - m;
            if (extent == 0) throw RenderError(RenderErrorCode::DivisionByZero, "деление на ноль");
            wrap.origin = {0, m, 0};
            wrap.direction = {1, 1, 1};
            wrap.up = {1, 0, 0};
            wrap.offsetU = 0;
            wrap.offsetV = 0;
            wrap.scaleU = 0;
            wrap.scaleV = 1 / extent;
        });
        run([&] { wrap.Apply(Need(z.TableMesh)); });
        run([&] { Need(z.TableMesh).SetTexture(z.TableTexture); });
    }

    // 10. The pieces.
    run([&] { port_.SetCaption(texts::kCaptionPieces); });
    for (int i = 1; i <= num; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const VembaRecord& v = s_.Vembas[k];
        run([&] { z.VembaMeshes[k] = MeshBuilder::Create(); });
        run([&] { Need(z.VembaMeshes[k]).LoadX(DataPath(files::PieceMesh(v.RMod, IsSet(v.RGray)))); });
        run([&] { Need(z.VembaMeshes[k]).Scale(0.1, 0.1, 0.1); });
        run([&] { UpdateVembaFrameOrThrow(i); });
        run([&] { Need(z.VembaFrames[k]).AddVisual(z.VembaMeshes[k]); });
    }

    // 11. The walls and their physics records.
    if (IsSet(s_.Border)) BuildWalls(script);

    // 12. The posts.
    if (IsSet(s_.Pipa)) {
        run([&] { port_.SetCaption(texts::kCaptionPosts); });
        for (std::size_t k = 1; k <= 4; ++k) {
            run([&] { z.PipaFrames[k] = Frame::Create(z.SceneRoot); });
            run([&] { z.PipaMeshes[k] = MeshBuilder::Create(); });
            run([&] { Need(z.PipaMeshes[k]).LoadX(DataPath(files::kPost)); });
            run([&] {
                const double scale = s_.PipaRadius / 100.0;
                Need(z.PipaMeshes[k]).Scale(scale, scale, scale);
            });
            run([&] {
                Need(z.PipaFrames[k]).SetPosition(z.SceneRoot.get(),
                                                  SingleVec(s_.PipaPos[k].x / 10, 0, -s_.PipaPos[k].y / 10));
            });
            run([&] { Need(z.PipaFrames[k]).AddVisual(z.PipaMeshes[k]); });
        }
    }

    // 13. The name labels.
    run([&] { port_.SetCaption(texts::kCaptionNames); });
    run([&] {
        if (hooks_.BuildNameLabels) hooks_.BuildNameLabels();
    });

    // 14. The point light 80 units above the table centre.
    run([&] { port_.SetCaption(texts::kCaptionLights); });
    run([&] { Need(z.LightFrame).SetPosition(nullptr, SingleVec(z.TableScaleX * 50, 80, -z.TableScaleZ * 25)); });
    run([&] { z.PointLight = Light::CreatePoint({1, 1, 1, 1}); });
    run([&] { Need(z.LightFrame).AddLight(z.PointLight); });

    // 15. The camera looks at the table centre.
    run([&] { Need(z.CameraFrame).LookAt(Need(z.CentreFrame), nullptr); });
    run([&] { Need(z.CameraFrame).SetPosition(nullptr, SingleVec(s_.CamX, s_.CamY, s_.CamZ)); });
    run([&] { Need(z.CameraFrame).LookAt(Need(z.CentreFrame), nullptr); });

    // 16. Sounds.
    run([&] { port_.SetCaption(texts::kCaptionSounds); });
    run([&] {
        if (hooks_.LoadSounds) hooks_.LoadSounds();
    });
    if (hooks_.LoadSoundStatements && !script.Stopped()) hooks_.LoadSoundStatements(script);

    // 17. The overlay font is the window's own; the caption goes back.
    run([&] { port_.SetCaption(settings_.AppTitle); });

    if (script.Stopped()) {
        s_.Win.InitFailed = kTrue;
        return false;
    }
    return true;
}

void GraphModule::BuildRoom(SceneScript& script) {
    SceneSlots& z = slots_;
    auto run = [&](const std::function<void()>& statement) { return script.Run(statement); };
    run([&] { port_.SetCaption(texts::kCaptionRoom); });
    run([&] { z.LampFrame = Frame::Create(z.SceneRoot); });
    run([&] { z.RoomMesh = MeshBuilder::Create(); });
    run([&] { z.RoomTexture = Texture::Load(DataPath(files::kRoomTexture)); });
    FlatWrap wrap;
    run([&] {
        wrap.origin = {0, -35, 1};
        wrap.direction = {1, 0, 1};
        wrap.up = {1, 0, 0};
        wrap.offsetU = 0;
        wrap.offsetV = 0;
        wrap.scaleU = 0;
        wrap.scaleV = 1.0 / 135;
    });
    for (int t = 0; t < 12; ++t) {
        const RoomTriangle& tri = kRoomTriangles[t];
        const bool wall = t < kRoomWallTriangles;
        int face = -1;
        run([&] {
            MeshBuilder& room = Need(z.RoomMesh);
            const int a = room.AddVertex(tri.a);
            const int b = room.AddVertex(tri.b);
            const int c = room.AddVertex(tri.c);
            face = room.AddFace({a, b, c}, wall ? kRoomWallColour : kRoomFloorColour);
        });
        if (wall) {
            run([&] { wrap.ApplyToFace(Need(z.RoomMesh), face); });
            run([&] { Need(z.RoomMesh).SetFaceTexture(face, z.RoomTexture); });
        }
    }
    run([&] { Need(z.RoomFrame).AddVisual(z.RoomMesh); });
    run([&] { z.LampMesh = MeshBuilder::Create(); });
    run([&] { Need(z.LampMesh).LoadX(DataPath(files::kLamp)); });
    run([&] { Need(z.LampMesh).Scale(0.4, 0.4, 0.4); });
    run([&] { Need(z.LampFrame).SetPosition(nullptr, {25, 100, -25}); });
    run([&] { Need(z.LampFrame).AddVisual(z.LampMesh); });
    run([&] { z.SwinMesh = MeshBuilder::Create(); });
    run([&] { Need(z.SwinMesh).LoadX(DataPath(files::kSwin)); });
    run([&] { Need(z.SwinMesh).Scale(0.4, 0.4, 0.4); });
    run([&] { Need(z.SwinObjectFrame).SetPosition(nullptr, SingleVec(s_.MaxX / 10.0, 40, 150)); });
    run([&] { Need(z.SwinObjectFrame).AddVisual(z.SwinMesh); });
}

void GraphModule::BuildWalls(SceneScript& script) {
    SceneSlots& z = slots_;
    auto run = [&](const std::function<void()>& statement) { return script.Run(statement); };
    const bool alongX = s_.BordMode == 1;  // walls along the table's long edges y = 0 / MaxY
    run([&] { port_.SetCaption(texts::kCaptionWalls); });
    run([&] { z.WallMeshes[1] = MeshBuilder::Create(); });
    run([&] { Need(z.WallMeshes[1]).LoadX(DataPath(files::kWall)); });
    run([&] { z.WallMeshes[2] = MeshBuilder::Create(); });
    run([&] { Need(z.WallMeshes[2]).LoadX(DataPath(files::kWall)); });

    if (!alongX) {
        run([&] { Need(z.WallMeshes[1]).Scale(z.TableScaleZ / 2, 0.3, 0.5); });
        run([&] { Need(z.WallFrames[1]).SetRotation(kVertical, Single(-s_.Pi / 2)); });
        run([&] { Need(z.WallFrames[1]).SetPosition(nullptr, {-2.5, -5, 0}); });
    } else {
        run([&] { Need(z.WallMeshes[1]).Scale(z.TableScaleX, 0.3, 0.5); });
        run([&] { Need(z.WallFrames[1]).SetRotation(kVertical, Single(3.14159)); });
        run([&] { Need(z.WallFrames[1]).SetPosition(nullptr, {0, -5, 0}); });
    }
    // The physics records of both walls ("Stenka1", and "Stenka2" with
    // BordSimm) are written together, the same way the headless game does.
    run([&] { PlaceWalls(s_); });
    run([&] { Need(z.WallFrames[1]).AddVisual(z.WallMeshes[1]); });

    if (!IsSet(s_.BordSimm)) return;
    if (!alongX) {
        run([&] { Need(z.WallMeshes[2]).Scale(z.TableScaleZ / 2, 0.3, 0.5); });
        run([&] { Need(z.WallFrames[2]).SetRotation(kVertical, Single(-3.14159 / 2)); });
        run([&] { Need(z.WallFrames[2]).SetPosition(nullptr, SingleVec(z.TableScaleX * 100, -5, 0)); });
    } else {
        run([&] { Need(z.WallMeshes[2]).Scale(z.TableScaleX, 0.3, 0.5); });
        run([&] { Need(z.WallFrames[2]).SetRotation(kVertical, Single(3.14159)); });
        // The rail stands on the far edge y = MaxY, 2.5 units thick like
        // every other wall placement. (Placing it at -TableScaleZ*51 - 2
        // only touches the edge on a table 250 high and leaves a gap of up
        // to 15 table units elsewhere, in front of which pieces would bounce
        // off nothing visible.)
        run([&] { Need(z.WallFrames[2]).SetPosition(nullptr, SingleVec(0, -5, -z.TableScaleZ * 50 - 2.5)); });
    }
    run([&] { Need(z.WallFrames[2]).AddVisual(z.WallMeshes[2]); });
}

void GraphModule::UpdateVembaFrameOrThrow(int i) {
    if (i < 1 || i > kMaxParticipants) throw RenderError(RenderErrorCode::BadArgument, "нет вембы с таким номером");
    const auto k = static_cast<std::size_t>(i);
    Frame& frame = Need(slots_.VembaFrames[k]);
    const VembaRecord& v = s_.Vembas[k];
    if (v.Life == kTrue) {
        frame.SetRotation(kVertical, Single(HeadingForFrame(v.Phi, s_.Pi)));
        frame.SetPosition(&Need(slots_.SceneRoot), SingleVec(v.Xpos / 10, 0, -v.Ypos / 10));
        return;
    }
    // Fallen: on the floor beside the edge it went over, clear of the
    // other fallen pieces (the record itself is parked off the table).
    const FloorPlace at = LayOutFallenPieces(s_)[k];
    frame.SetRotation(kVertical, Single(HeadingForFrame(at.Phi, s_.Pi)));
    frame.SetPosition(&Need(slots_.SceneRoot), SingleVec(at.X / 10, kFloorY, -at.Y / 10));
}

RenderFailure GraphModule::UpdateVembaFrame(int i) {
    try {
        UpdateVembaFrameOrThrow(i);
        return std::nullopt;
    } catch (const std::exception& e) {
        return AsRenderError(e);
    }
}

RenderFailure GraphModule::RenderStep() {
    try {
        RenderDevice& d = Need(slots_.Device);
        const Viewport& view = Need(slots_.View);
        const Frame& scene = Need(slots_.SceneRoot);
        d.Clear(view, scene, kClearTarget | kClearDepth);
        d.Render(view, scene);
        return std::nullopt;
    } catch (const std::exception& e) {
        return AsRenderError(e);
    }
}

void GraphModule::ShutdownDirect3D() {
    auto ignoring = [](const std::function<void()>& step) {
        try {
            step();
        } catch (...) {
            // Shutting down goes on whatever failed.
        }
    };
    ignoring([&] {
        if (hooks_.RestoreDisplayMode) hooks_.RestoreDisplayMode();
    });
    ignoring([&] { slots_.View.reset(); });
    ignoring([&] { slots_.Device.reset(); });
    for (std::size_t k = 1; k <= 4; ++k) {
        ignoring([&] { slots_.PipaFrames[k].reset(); });
        ignoring([&] { slots_.PipaMeshes[k].reset(); });
    }
    for (std::size_t k = 1; k <= 8; ++k) {
        ignoring([&] { slots_.VembaFrames[k].reset(); });
        ignoring([&] { slots_.VembaMeshes[k].reset(); });
    }
}

RenderFailure GraphModule::SetAimVisible(bool visible) {
    try {
        Frame& marker = Need(slots_.AimMarkerFrame);
        Frame& arrow = Need(slots_.AimArrowFrame);
        if (visible) {
            marker.AddVisual(slots_.AimMarkerMesh);
            arrow.AddVisual(slots_.AimArrowMesh);
        } else {
            arrow.DeleteVisual(slots_.AimArrowMesh);
            marker.DeleteVisual(slots_.AimMarkerMesh);
        }
        return std::nullopt;
    } catch (const std::exception& e) {
        return AsRenderError(e);
    }
}

RenderFailure GraphModule::OrientArrow(double aimAngle) {
    try {
        Need(slots_.AimArrowFrame).SetRotation(kVertical, Single(aimAngle));
        return std::nullopt;
    } catch (const std::exception& e) {
        return AsRenderError(e);
    }
}

RenderFailure GraphModule::PlaceAim(double x, double z) {
    try {
        const Frame* root = &Need(slots_.SceneRoot);
        Need(slots_.AimMarkerFrame).SetPosition(root, SingleVec(x, 0.5, z));
        Need(slots_.AimArrowFrame).SetPosition(root, SingleVec(x, 1.0, z));
        return std::nullopt;
    } catch (const std::exception& e) {
        return AsRenderError(e);
    }
}

RenderFailure GraphModule::RefreshCamera() {
    try {
        Frame& camera = Need(slots_.CameraFrame);
        camera.SetPosition(&Need(slots_.SceneRoot), SingleVec(s_.CamX, s_.CamY, s_.CamZ));
        camera.LookAt(Need(slots_.CentreFrame), nullptr);
        return std::nullopt;
    } catch (const std::exception& e) {
        return AsRenderError(e);
    }
}

QImage GraphModule::Picture() {
    if (!slots_.Device) return {};
    try {
        return slots_.Device->Grab();
    } catch (const std::exception&) {
        return {};
    }
}

QImage GraphModule::PictureAtColourDepth() {
    const QImage raw = Picture();
    return raw.isNull() ? raw : QuantiseToColourDepth(raw, settings_.Colors);
}

}  // namespace zel::render
