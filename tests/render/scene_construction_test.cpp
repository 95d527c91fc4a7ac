#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "RenderTestSupport.h"
#include "physics/Motion.h"
#include "render/GameDataFiles.h"
#include "render/SceneTexts.h"

namespace zel::test {
namespace {

using render::Frame;
using render::Vec3;
namespace texts = render::texts;

// One way a match can be set up for the scene.
struct SceneFlags {
    bool room;              // UseRoom
    bool texture;           // UseTex
    int walls;              // 0, 1 or 2 walls (Border, BordSimm)
    std::int16_t bordMode;  // which pair of edges the walls guard
    bool posts;             // Pipa
    std::int16_t maxX;      // table width
    std::int16_t maxY;      // table height
};

std::string Name(const SceneFlags& f) {
    return std::string(f.room ? "Room" : "NoRoom") + (f.texture ? "Tex" : "NoTex") + "Walls" +
           std::to_string(f.walls) + "Mode" + std::to_string(f.bordMode) + (f.posts ? "Posts" : "NoPosts");
}

std::vector<SceneFlags> AllFlagCombinations() {
    std::vector<SceneFlags> out;
    int n = 0;
    for (bool room : {false, true})
        for (bool tex : {false, true})
            for (int walls : {0, 1, 2})
                for (std::int16_t mode : {std::int16_t{0}, std::int16_t{1}}) {
                    if (walls == 0 && mode == 1) continue;
                    for (bool posts : {false, true}) {
                        // Two table sizes, so no placement can hide behind 600 x 400.
                        const bool odd = (n++ % 2) == 1;
                        out.push_back({room, tex, walls, mode, posts, static_cast<std::int16_t>(odd ? 900 : 600),
                                       static_cast<std::int16_t>(odd ? 250 : 400)});
                    }
                }
    return out;
}

void Configure(SceneHarness& h, const SceneFlags& f, int num) {
    MatchState& s = h.s;
    s.MaxX = f.maxX;
    s.MaxY = f.maxY;
    s.Num = static_cast<std::int16_t>(num);
    ResetLayout(s);
    s.UseRoom = ToFlag(f.room);
    s.Border = ToFlag(f.walls > 0);
    s.BordSimm = ToFlag(f.walls == 2);
    s.BordMode = f.bordMode;
    s.Pipa = ToFlag(f.posts);
    PlaceObstacles(s);
    for (int i = 1; i <= num; ++i) {
        s.Vembas[static_cast<std::size_t>(i)].RMod = static_cast<std::int16_t>(i % 4);
        s.Vembas[static_cast<std::size_t>(i)].RGray = ToFlag(i > 4);
    }
    render::RenderSettings r = SceneHarness::DefaultSettings();
    r.UseTex = f.texture;
    h.graph->SetSettings(r);
}

void ExpectAt(const Frame& f, const Vec3& p, const char* what) {
    const Vec3 w = f.World().position;
    EXPECT_NEAR(w.x, p.x, 1e-5) << what;
    EXPECT_NEAR(w.y, p.y, 1e-5) << what;
    EXPECT_NEAR(w.z, p.z, 1e-5) << what;
}

// The frame's x axis after a rotation by `angle` about the vertical.
void ExpectTurnedBy(const Frame& f, double angle, const char* what) {
    const Vec3 x = f.World().rotation.Column(0);
    EXPECT_NEAR(x.x, std::cos(angle), 1e-6) << what;
    EXPECT_NEAR(x.z, -std::sin(angle), 1e-6) << what;
    EXPECT_NEAR(x.y, 0, 1e-9) << what;
}

class SceneConstruction : public testing::TestWithParam<SceneFlags> {};

TEST_P(SceneConstruction, BuildsEveryFrameWhereTheSceneRulesPutIt) {
    const SceneFlags f = GetParam();
    SceneHarness h;
    const int num = 8;
    Configure(h, f, num);
    ASSERT_TRUE(h.Build()) << (h.port.Messages.empty() ? "" : h.port.LastText());
    EXPECT_TRUE(h.port.Messages.empty()) << h.port.LastText();
    EXPECT_FALSE(IsSet(h.s.Win.InitFailed));
    const MatchState& s = h.s;
    render::SceneSlots& z = h.Slots();

    // Captions, in order, only for the parts that are built.
    std::vector<std::string> captions = {texts::kCaptionInitDevice, texts::kCaptionScene};
    if (f.room) captions.push_back(texts::kCaptionRoom);
    captions.push_back(texts::kCaptionTable);
    if (f.texture) captions.push_back(texts::kCaptionTableTexture);
    captions.push_back(texts::kCaptionPieces);
    if (f.walls > 0) captions.push_back(texts::kCaptionWalls);
    if (f.posts) captions.push_back(texts::kCaptionPosts);
    for (const char* c : {texts::kCaptionNames, texts::kCaptionLights, texts::kCaptionSounds}) captions.push_back(c);
    captions.push_back("Korvalo II");
    EXPECT_EQ(h.port.Captions, captions);

    // The root's children in creation order.
    std::vector<const Frame*> order = {z.LightFrame.get(), z.TableFrame.get(), z.RoomFrame.get(),
                                       z.CentreFrame.get(), z.AimMarkerFrame.get(), z.AimArrowFrame.get(),
                                       z.SwinObjectFrame.get()};
    for (int i = 1; i <= num; ++i) order.push_back(z.VembaFrames[static_cast<std::size_t>(i)].get());
    order.push_back(z.WallFrames[1].get());
    order.push_back(z.WallFrames[2].get());
    order.push_back(z.CameraFrame.get());
    if (f.room) order.push_back(z.LampFrame.get());
    if (f.posts)
        for (std::size_t k = 1; k <= 4; ++k) order.push_back(z.PipaFrames[k].get());
    std::vector<const Frame*> children;
    for (const auto& c : z.SceneRoot->Children()) children.push_back(c.get());
    EXPECT_EQ(children, order);
    EXPECT_EQ(z.SceneRoot->SceneBackground(), (render::Colour{0, 0, 0, 1}));
    ASSERT_EQ(z.SceneRoot->Lights().size(), 1u);
    EXPECT_FLOAT_EQ(z.SceneRoot->Lights()[0]->GetColour().g, 0.5f);

    // Room, lamp and swin object only with the room.
    EXPECT_EQ(z.RoomFrame->Visuals().size(), f.room ? 1u : 0u);
    EXPECT_EQ(z.SwinObjectFrame->Visuals().size(), f.room ? 1u : 0u);
    if (f.room) {
        EXPECT_EQ(z.RoomMesh->FaceCount(), 12);
        int textured = 0;
        for (const auto& face : z.RoomMesh->Faces()) textured += face.texture ? 1 : 0;
        EXPECT_EQ(textured, 8);
        ExpectAt(*z.LampFrame, {25, 100, -25}, "lamp");
        EXPECT_EQ(z.LampFrame->Visuals().size(), 1u);
        ExpectAt(*z.SwinObjectFrame, {s.MaxX / 10.0, 40, 150}, "swin");
    } else {
        EXPECT_EQ(z.LampFrame, nullptr);
        EXPECT_EQ(z.RoomMesh, nullptr);
    }

    // The table covers the playing area with its top at y = 0.
    ExpectAt(*z.TableFrame, {0, 0, 0}, "table");
    ASSERT_EQ(z.TableFrame->Visuals().size(), 1u);
    const render::Box box = z.TableMesh->GetBox();
    EXPECT_NEAR(box.max.y, 0, 1e-5);
    EXPECT_DOUBLE_EQ(z.TableScaleX, s.MaxX / 1000.0);
    EXPECT_DOUBLE_EQ(z.TableScaleZ, s.MaxY / 500.0);
    bool allTextured = true;
    for (const auto& face : z.TableMesh->Faces()) allTextured = allTextured && face.texture == z.TableTexture;
    EXPECT_EQ(allTextured && z.TableTexture != nullptr, f.texture);
    EXPECT_EQ(z.Device->TextureQuality(), f.texture ? 1 : 0);

    // Centre, aim marker and arrow (no visuals yet), light, camera.
    EXPECT_DOUBLE_EQ(s.TargX, s.MaxX / 1000.0 * 50);
    EXPECT_DOUBLE_EQ(s.TargZ, -(s.MaxY / 500.0) * 25);
    ExpectAt(*z.CentreFrame, {s.MaxX / 20.0, -2, -s.MaxY / 20.0}, "centre");
    ExpectAt(*z.AimMarkerFrame, {0, 0, 0}, "marker");
    ExpectAt(*z.AimArrowFrame, {0, 2, 0}, "arrow");
    EXPECT_TRUE(z.AimMarkerFrame->Visuals().empty());
    EXPECT_TRUE(z.AimArrowFrame->Visuals().empty());
    ExpectAt(*z.LightFrame, {s.MaxX / 20.0, 80, -s.MaxY / 20.0}, "light");
    ASSERT_EQ(z.LightFrame->Lights().size(), 1u);
    EXPECT_EQ(z.LightFrame->Lights()[0]->GetKind(), render::Light::Kind::Point);
    ExpectAt(*z.CameraFrame, {-40, 20, -10}, "camera");
    const Vec3 look = render::Normalized(z.CentreFrame->World().position - z.CameraFrame->World().position);
    const Vec3 forward = z.CameraFrame->World().rotation.Column(2);
    EXPECT_NEAR(render::Dot(look, forward), 1, 1e-9);
    EXPECT_EQ(z.View->Back(), 3000);
    EXPECT_EQ(z.View->Width(), 640);

    // Each piece on its record, turned by its heading, showing its mesh.
    for (int i = 1; i <= num; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const VembaRecord& v = s.Vembas[k];
        ExpectAt(*z.VembaFrames[k], {v.Xpos / 10, 0, -v.Ypos / 10}, "piece");
        ExpectTurnedBy(*z.VembaFrames[k], v.Phi, "piece");
        ASSERT_EQ(z.VembaFrames[k]->Visuals().size(), 1u);
        EXPECT_EQ(z.VembaFrames[k]->Visuals()[0], z.VembaMeshes[k]);
    }

    // Walls: frames always, meshes and records only as switched on.
    ASSERT_NE(z.WallFrames[1], nullptr);
    ASSERT_NE(z.WallFrames[2], nullptr);
    EXPECT_EQ(z.WallFrames[1]->Visuals().size(), f.walls >= 1 ? 1u : 0u);
    EXPECT_EQ(z.WallFrames[2]->Visuals().size(), f.walls == 2 ? 1u : 0u);
    const int first = FirstWallRecord(s);
    if (f.walls >= 1) {
        const VembaRecord& w1 = s.Vembas[static_cast<std::size_t>(first)];
        EXPECT_EQ(w1.R, "Stenka1");
        EXPECT_EQ(w1.RMod, kWallModel);
        EXPECT_EQ(w1.Life, kTrue);
        if (f.bordMode == 1) {
            ExpectAt(*z.WallFrames[1], {0, -5, 0}, "wall 1");
            ExpectTurnedBy(*z.WallFrames[1], 3.14159, "wall 1");
            EXPECT_EQ(w1.Xpos, s.MaxX / 2.0);
            EXPECT_EQ(w1.Ypos, -1000000);
        } else {
            ExpectAt(*z.WallFrames[1], {-2.5, -5, 0}, "wall 1");
            ExpectTurnedBy(*z.WallFrames[1], -s.Pi / 2, "wall 1");
            EXPECT_EQ(w1.Xpos, -1000000);
            EXPECT_EQ(w1.Ypos, s.MaxY / 2.0);
        }
    }
    if (f.walls == 2) {
        const VembaRecord& w2 = s.Vembas[static_cast<std::size_t>(first + 1)];
        EXPECT_EQ(w2.R, "Stenka2");
        EXPECT_EQ(w2.RMod, kWallModel);
        if (f.bordMode == 1) {
            ExpectAt(*z.WallFrames[2], {0, -5, -s.MaxY / 10.0 - 2.5}, "wall 2");
            ExpectTurnedBy(*z.WallFrames[2], 3.14159, "wall 2");
            EXPECT_EQ(w2.Ypos, s.MaxY + 1000000);
        } else {
            ExpectAt(*z.WallFrames[2], {s.MaxX / 10.0, -5, 0}, "wall 2");
            ExpectTurnedBy(*z.WallFrames[2], -3.14159 / 2, "wall 2");
            EXPECT_EQ(w2.Xpos, s.MaxX + 1000000);
        }
    } else if (first + 1 <= kRecordCount) {
        EXPECT_NE(s.Vembas[static_cast<std::size_t>(first + 1)].R, "Stenka2");
    }
    if (f.walls == 0 && first <= kRecordCount) {
        EXPECT_NE(s.Vembas[static_cast<std::size_t>(first)].R, "Stenka1");
    }

    // Posts at the corners, eight scene units in from both edges.
    for (std::size_t k = 1; k <= 4; ++k) {
        if (!f.posts) {
            EXPECT_EQ(z.PipaFrames[k], nullptr);
            continue;
        }
        ExpectAt(*z.PipaFrames[k], {s.PipaPos[k].x / 10, 0, -s.PipaPos[k].y / 10}, "post");
        EXPECT_EQ(z.PipaFrames[k]->Visuals().size(), 1u);
    }
    if (f.posts) {
        ExpectAt(*z.PipaFrames[4], {s.MaxX / 10.0 - 8, 0, -(s.MaxY / 10.0 - 8)}, "post 4");
    }

    // Drawn from the start camera, the table fills the middle of the picture.
    const QImage start = Draw(*h.graph);
    ASSERT_FALSE(start.isNull());
    const QRgb middle = start.pixel(320, 240);
    EXPECT_GT(qGreen(middle), qRed(middle));

    // Seen from above, what stands on and around the table is exactly the
    // pieces, the posts and the wall rails (2.5 scene units thick, outside
    // the edges they guard). The room's lamp would hide the table; it and
    // the room stay out of this picture.
    VisualStash roomParts;
    for (const auto& frame : {z.RoomFrame, z.LampFrame, z.SwinObjectFrame})
        if (frame) roomParts.Take(*frame);
    const double scale = std::min(640.0 / (s.MaxX + 100), 480.0 / (s.MaxY + 100));
    const TopView v = LookFromAbove(z, s.MaxX / 2.0, s.MaxY / 2.0, scale);
    const QImage all = Draw(*h.graph);
    VisualStash standing;
    for (std::size_t k = 1; k <= 8; ++k) standing.Take(*z.VembaFrames[k]);
    for (std::size_t k = 1; k <= 2; ++k) standing.Take(*z.WallFrames[k]);
    if (f.posts)
        for (std::size_t k = 1; k <= 4; ++k) standing.Take(*z.PipaFrames[k]);
    const QImage tableOnly = Draw(*h.graph);
    const double mx = s.MaxX;
    const double my = s.MaxY;
    std::vector<Circle> circles;
    for (std::size_t k = 1; k <= static_cast<std::size_t>(num); ++k) {
        const auto c = ShapeCircles(s, s.Vembas[k]);
        circles.insert(circles.end(), c.begin(), c.end());
    }
    if (f.posts)
        for (std::size_t k = 1; k <= 4; ++k) circles.push_back({s.PipaPos[k].x, s.PipaPos[k].y, double(s.PipaRadius)});
    auto distance = [&](double x, double y) {
        double d = DistanceToCircles(circles, x, y);
        const double t = 25;  // rail thickness, table units
        if (f.walls >= 1) {
            d = std::min(d, f.bordMode == 1 ? DistanceToRectangle(x, y, 0, -t, mx, 0)
                                            : DistanceToRectangle(x, y, -t, 0, 0, my));
        }
        if (f.walls == 2) {
            d = std::min(d, f.bordMode == 1 ? DistanceToRectangle(x, y, 0, my, mx, my + t)
                                            : DistanceToRectangle(x, y, mx, 0, mx + t, my));
        }
        return d;
    };
    const ShapeMismatch m = CompareMask(
        all, v, [&](int col, int row) { return all.pixel(col, row) != tableOnly.pixel(col, row); }, distance,
        1.5 / scale);
    EXPECT_EQ(m.litOutside, 0);
    EXPECT_EQ(m.darkInside, 0);
}

INSTANTIATE_TEST_SUITE_P(AllSwitches, SceneConstruction, testing::ValuesIn(AllFlagCombinations()),
                         [](const testing::TestParamInfo<SceneFlags>& info) { return Name(info.param); });

// Copies the generated game data without one file.
void CopyGameDataWithout(const TempDir& dir, const std::string& missing) {
    namespace fs = std::filesystem;
    const fs::path from = fs::path(GameDataRoot()) / "gamedata";
    fs::copy(from, dir.Path() / "gamedata", fs::copy_options::recursive);
    fs::remove(dir.Path() / missing);
}

TEST(GraphModule, MissingPostMeshAsksOncePerFailingStatementAndYesGoesOn) {
    SceneHarness h;
    TempDir data;
    CopyGameDataWithout(data, render::files::kPost);
    h.s.AppPath = data.Path().string() + "/";
    h.s.Pipa = kTrue;
    PlaceObstacles(h.s);
    ASSERT_TRUE(h.graph->InitDirect3D());
    ASSERT_TRUE(h.graph->LoadScene());
    ASSERT_EQ(h.port.Messages.size(), 4u);
    const std::string path = data.File(render::files::kPost);
    const std::string expected = "Ошибка при создании сцены: 1010 файл не найден: " + path +
                                 ". Возможно отсутствуют или повреждены некоторые файлы .\u0445 или .wav. "
                                 "Если это сообщение будет повторяться постоянно, переустановите ZEL.\r\n"
                                 "Продолжить выполнение программы (возможно с ошибками)?";
    for (const Message& m : h.port.Messages) {
        EXPECT_EQ(m.Text, expected);
        EXPECT_EQ(m.Buttons, MsgButtons::YesNo);
        EXPECT_EQ(m.Icon, MsgIcon::Information);
    }
    // Each failure is logged, and construction went on to the end.
    const std::string log = h.Log();
    std::size_t lines = 0;
    for (std::size_t p = log.find("Ошибка при создании сцены"); p != std::string::npos;
         p = log.find("Ошибка при создании сцены", p + 1))
        ++lines;
    EXPECT_EQ(lines, 4u);
    EXPECT_EQ(h.port.Captions.back(), "Korvalo II");
    EXPECT_FALSE(IsSet(h.s.Win.InitFailed));
    for (std::size_t k = 1; k <= 4; ++k) {
        ASSERT_NE(h.Slots().PipaFrames[k], nullptr);
        EXPECT_EQ(h.Slots().PipaMeshes[k]->FaceCount(), 0);
    }
    EXPECT_FALSE(h.graph->RenderStep().has_value());
}

TEST(GraphModule, AnswerNoStopsConstructionAndTheMatchDoesNotStart) {
    SceneHarness h;
    TempDir data;
    CopyGameDataWithout(data, render::files::kTable);
    h.s.AppPath = data.Path().string() + "/";
    h.port.Answers = {MsgAnswer::No};
    ASSERT_TRUE(h.graph->InitDirect3D());
    EXPECT_FALSE(h.graph->LoadScene());
    EXPECT_EQ(h.port.Messages.size(), 1u);
    EXPECT_TRUE(IsSet(h.s.Win.InitFailed));
    EXPECT_EQ(h.port.Captions.back(), texts::kCaptionTable);
    EXPECT_EQ(h.Slots().CentreMesh, nullptr);
}

TEST(GraphModule, UnusableDisplayModeShowsTheDeviceMessageAndFailsTheStart) {
    render::RenderSettings r = SceneHarness::DefaultSettings();
    r.Colors = 12;
    SceneHarness h(r);
    h.s.Win.GameOver = kTrue;
    EXPECT_FALSE(h.graph->InitDirect3D());
    ASSERT_EQ(h.port.Messages.size(), 1u);
    const Message& m = h.port.Messages[0];
    EXPECT_EQ(m.Text,
              "DirectX вернул ошибку: 1003 видеорежим 640x480x12 не поддерживается; zelrender. "
              "Для устранения неполадки попробуйте следующее:\r\n\r\n"
              "1. Изменить параметры графики\r\n2. Перезапустить игру\r\n3. Перезагрузить Windows.\r\n\r\n"
              "При повторении этой ошибки обратитесь в службу поддержки Merovane.");
    EXPECT_EQ(m.Icon, MsgIcon::Exclamation);
    EXPECT_EQ(m.Buttons, MsgButtons::Ok);
    EXPECT_NE(h.Log().find("DirectX вернул ошибку: 1003"), std::string::npos);
    EXPECT_TRUE(IsSet(h.s.Win.InitFailed));
    EXPECT_FALSE(IsSet(h.s.Win.GameOver));
    EXPECT_EQ(h.Slots().Device, nullptr);

    render::RenderSettings zero = SceneHarness::DefaultSettings();
    zero.ScreenW = 0;
    SceneHarness h2(zero);
    EXPECT_FALSE(h2.graph->InitDirect3D());
    EXPECT_EQ(h2.port.Messages.size(), 1u);
}

TEST(GraphModule, GreyParticipantLoadsTheGreyTwinOfItsModel) {
    SceneHarness h;
    h.s.Vembas[2].RMod = 3;
    h.s.Vembas[2].RGray = kTrue;
    ASSERT_TRUE(h.Build());
    render::MeshBuilder grey;
    grey.LoadX(GameDataRoot() + render::files::PieceMesh(3, true));
    grey.Scale(0.1, 0.1, 0.1);
    const auto& loaded = *h.Slots().VembaMeshes[2];
    ASSERT_EQ(loaded.FaceCount(), grey.FaceCount());
    EXPECT_EQ(loaded.Faces()[0].colour, grey.Faces()[0].colour);
    EXPECT_EQ(loaded.Vertices()[5].x, grey.Vertices()[5].x);
}

TEST(GraphModule, FrameUpdateFollowsTheRecordOnTheTable) {
    SceneHarness h;
    ASSERT_TRUE(h.Build());
    render::SceneSlots& z = h.Slots();
    VembaRecord& v = h.s.Vembas[1];
    v.Xpos = 250;
    v.Ypos = 125;
    v.Phi = 0.75;
    ASSERT_FALSE(h.graph->UpdateVembaFrame(1).has_value());
    ExpectAt(*z.VembaFrames[1], {25, 0, -12.5}, "moved");
    ExpectTurnedBy(*z.VembaFrames[1], 0.75, "moved");
}

// A fallen piece's frame in table coordinates, and its height.
struct FloorSpot {
    double x, y, height;
};
FloorSpot SpotOf(const Frame& f) {
    const Vec3 w = f.World().position;
    return {w.x * 10, -w.z * 10, w.y};
}

// How far (x, y) lies outside the table rectangle; 0 on or inside it.
double OutsideTable(const MatchState& s, double x, double y) {
    const double dx = std::fmax(std::fmax(-x, x - s.MaxX), 0.0);
    const double dy = std::fmax(std::fmax(-y, y - s.MaxY), 0.0);
    return std::hypot(dx, dy);
}

// The farthest any model's circles reach from its centre, table units.
constexpr double kPieceReach = 28;
// The room's floor.
constexpr double kFloor = -35;

// Slides piece i from (x, y) with velocity (xvec, yvec) off the table.
void SlideOff(MatchState& s, int i, double x, double y, double xvec, double yvec) {
    VembaRecord& v = s.Vembas[static_cast<std::size_t>(i)];
    v.Xpos = x;
    v.Ypos = y;
    v.Xvec = xvec;
    v.Yvec = yvec;
    v.u = 0.4;
    MoveVemba(s, v, 1.0);
}

TEST(GraphModule, FallenPieceLiesOnTheFloorOutsideTheEdgeItCrossed) {
    const struct {
        const char* edge;
        double x, y, xvec, yvec;  // start and velocity
        double atX, atY;          // where it crosses the rim
    } cases[] = {
        {"x = MaxX", 590, 125, 20, 0, 600, 125},   {"x = 0", 10, 300, -20, 0, 0, 300},
        {"y = 0", 450, 10, 0, -20, 450, 0},        {"y = MaxY", 80, 390, 0, 20, 80, 400},
        {"corner 0, MaxY", 5, 395, -10, 10, 0, 400},
    };
    for (bool room : {false, true})
        for (const auto& c : cases) {
            SceneHarness h;
            h.s.UseRoom = ToFlag(room);
            ASSERT_TRUE(h.Build());
            render::SceneSlots& z = h.Slots();
            SlideOff(h.s, 1, c.x, c.y, c.xvec, c.yvec);
            ASSERT_EQ(h.s.Vembas[1].Life, kFalse) << c.edge;
            ASSERT_FALSE(h.graph->UpdateVembaFrame(1).has_value());
            const FloorSpot at = SpotOf(*z.VembaFrames[1]);
            EXPECT_NEAR(at.height, kFloor, 1e-5) << c.edge;
            // Clear of the table, but beside the place it went over.
            EXPECT_GT(OutsideTable(h.s, at.x, at.y), kPieceReach) << c.edge;
            EXPECT_LT(std::hypot(at.x - c.atX, at.y - c.atY), 2 * kPieceReach) << c.edge;
            // Lying the way it went over the edge.
            ExpectTurnedBy(*z.VembaFrames[1], h.s.Vembas[1].Phi, c.edge);
        }
}

TEST(GraphModule, PiecesThatFellAtOnePlaceLieApartAndStayWhereTheyLie) {
    SceneHarness h(SceneHarness::DefaultSettings(), 5);
    ASSERT_TRUE(h.Build());
    render::SceneSlots& z = h.Slots();
    std::vector<FloorSpot> laid;
    for (int i = 1; i <= 5; ++i) {
        SlideOff(h.s, i, 590, 200, 20, 0);  // all over x = MaxX at y = 200
        for (int k = 1; k <= 5; ++k) ASSERT_FALSE(h.graph->UpdateVembaFrame(k).has_value());
        // The earlier ones have not moved.
        for (int k = 1; k < i; ++k) {
            const FloorSpot now = SpotOf(*z.VembaFrames[static_cast<std::size_t>(k)]);
            EXPECT_EQ(now.x, laid[static_cast<std::size_t>(k - 1)].x) << "piece " << k << " after " << i;
            EXPECT_EQ(now.y, laid[static_cast<std::size_t>(k - 1)].y) << "piece " << k << " after " << i;
        }
        laid.push_back(SpotOf(*z.VembaFrames[static_cast<std::size_t>(i)]));
    }
    for (std::size_t a = 0; a < laid.size(); ++a) {
        EXPECT_GT(laid[a].x, h.s.MaxX + kPieceReach) << a + 1;
        EXPECT_LT(std::fabs(laid[a].y - 200), 200.0) << a + 1;  // beside the same stretch of the edge
        for (std::size_t b = a + 1; b < laid.size(); ++b)
            EXPECT_GE(std::hypot(laid[a].x - laid[b].x, laid[a].y - laid[b].y), 2 * kPieceReach) << a + 1 << " and " << b + 1;
    }
}

TEST(GraphModule, PieceFallenBeforeTheGameWasContinuedLiesBesideTheTable) {
    // A saved game carries a fallen piece only as parked at (-100, -100).
    for (std::int16_t bordMode : {std::int16_t{-1}, std::int16_t{0}, std::int16_t{1}}) {
        SceneHarness h(SceneHarness::DefaultSettings(), 3);
        h.s.Border = ToFlag(bordMode >= 0);
        h.s.BordMode = bordMode;
        h.s.BordSimm = kTrue;
        for (int i : {1, 3}) {
            VembaRecord& v = h.s.Vembas[static_cast<std::size_t>(i)];
            v.Life = kFalse;
            v.Xpos = v.Ypos = -100;
        }
        h.s.Vembas[3].Phi = 1.25;
        ASSERT_TRUE(h.Build());
        render::SceneSlots& z = h.Slots();
        const FloorSpot one = SpotOf(*z.VembaFrames[1]);
        const FloorSpot three = SpotOf(*z.VembaFrames[3]);
        for (const FloorSpot& at : {one, three}) {
            EXPECT_NEAR(at.height, kFloor, 1e-5) << bordMode;
            EXPECT_GT(OutsideTable(h.s, at.x, at.y), kPieceReach) << bordMode;
            EXPECT_LT(OutsideTable(h.s, at.x, at.y), 3 * kPieceReach) << bordMode;
            // Not behind a wall: beside an edge a piece can fall over.
            if (bordMode == 0) {
                EXPECT_TRUE(at.y < 0 || at.y > h.s.MaxY) << bordMode;
            } else if (bordMode == 1) {
                EXPECT_TRUE(at.x < 0 || at.x > h.s.MaxX) << bordMode;
            }
        }
        EXPECT_GE(std::hypot(one.x - three.x, one.y - three.y), 2 * kPieceReach) << bordMode;
        ExpectTurnedBy(*z.VembaFrames[3], 1.25, "with the heading the file gives");
    }
}

TEST(GraphModule, WholeTurnsOfTheHeadingPlaceThePieceExactlyAsNoTurn) {
    SceneHarness h;
    ASSERT_TRUE(h.Build());
    VembaRecord& v = h.s.Vembas[2];
    v.Phi = 0;
    h.graph->UpdateVembaFrame(2);
    const render::Transform zero = h.Slots().VembaFrames[2]->World();
    for (double turns : {2.0, -2.0, 4.0}) {
        v.Phi = turns * h.s.Pi;
        h.graph->UpdateVembaFrame(2);
        const render::Transform t = h.Slots().VembaFrames[2]->World();
        EXPECT_EQ(t.rotation.m, zero.rotation.m) << turns;
    }
}

TEST(GraphModule, AimAndCameraFollowTheControls) {
    SceneHarness h;
    ASSERT_TRUE(h.Build());
    render::SceneSlots& z = h.Slots();
    ASSERT_FALSE(h.graph->SetAimVisible(true).has_value());
    EXPECT_EQ(z.AimMarkerFrame->Visuals().size(), 1u);
    EXPECT_EQ(z.AimArrowFrame->Visuals().size(), 1u);
    h.graph->PlaceAim(3, -4);
    ExpectAt(*z.AimMarkerFrame, {3, 0.5, -4}, "marker");
    ExpectAt(*z.AimArrowFrame, {3, 1, -4}, "arrow");
    // The arrow's forward axis points along the strike: (sin a, -cos a) in
    // table coordinates.
    const double a = 2.2;
    h.graph->OrientArrow(a);
    const Vec3 forward = z.AimArrowFrame->World().rotation.Column(2);
    EXPECT_NEAR(forward.x, std::sin(a), 1e-6);
    EXPECT_NEAR(-forward.z, -std::cos(a), 1e-6);
    ExpectAt(*z.AimArrowFrame, {3, 1, -4}, "arrow kept its place");
    h.graph->SetAimVisible(false);
    EXPECT_TRUE(z.AimMarkerFrame->Visuals().empty());
    EXPECT_TRUE(z.AimArrowFrame->Visuals().empty());

    h.s.CamX = 10;
    h.s.CamY = 50;
    h.s.CamZ = 30;
    ASSERT_FALSE(h.graph->RefreshCamera().has_value());
    ExpectAt(*z.CameraFrame, {10, 50, 30}, "camera");
    const Vec3 look = render::Normalized(z.CentreFrame->World().position - Vec3{10, 50, 30});
    EXPECT_NEAR(render::Dot(look, z.CameraFrame->World().rotation.Column(2)), 1, 1e-6);
}

TEST(GraphModule, ShutdownTwiceIsHarmlessAndLaterFrameWorkReportsFailure) {
    SceneHarness h;
    ASSERT_TRUE(h.Build());
    h.graph->ShutdownDirect3D();
    h.graph->ShutdownDirect3D();
    EXPECT_EQ(h.Slots().Device, nullptr);
    EXPECT_EQ(h.Slots().VembaFrames[1], nullptr);
    EXPECT_TRUE(h.graph->RenderStep().has_value());
    EXPECT_TRUE(h.graph->UpdateVembaFrame(1).has_value());
    EXPECT_TRUE(h.graph->Picture().isNull());
    // A new start-up and scene work again.
    EXPECT_TRUE(h.Build());
    EXPECT_FALSE(h.graph->RenderStep().has_value());
}

TEST(GraphModule, NextSceneKeepsNothingOfTheLastOne) {
    SceneHarness h;
    h.s.UseRoom = kTrue;
    h.s.Border = kTrue;
    ASSERT_TRUE(h.Build());
    h.s.UseRoom = kFalse;
    h.s.Border = kFalse;
    ASSERT_TRUE(h.graph->LoadScene());
    EXPECT_EQ(h.Slots().LampFrame, nullptr);
    EXPECT_EQ(h.Slots().RoomMesh, nullptr);
    EXPECT_EQ(h.Slots().WallMeshes[1], nullptr);
    EXPECT_FALSE(h.graph->RenderStep().has_value());
}

TEST(GraphModule, OutOfRangeInputIsRefusedWithoutHarm) {
    SceneHarness h;
    h.s.Num = 12;  // damaged: more participants than slots
    ASSERT_TRUE(h.Build());
    int pieces = 0;
    for (std::size_t k = 1; k <= 8; ++k) pieces += h.Slots().VembaFrames[k] ? 1 : 0;
    EXPECT_EQ(pieces, 8);
    EXPECT_TRUE(h.graph->UpdateVembaFrame(0).has_value());
    EXPECT_TRUE(h.graph->UpdateVembaFrame(9).has_value());

    SceneHarness bad;
    bad.s.Vembas[1].RMod = 77;  // no such model file: asked, then built without it
    ASSERT_TRUE(bad.Build());
    EXPECT_EQ(bad.port.Messages.size(), 1u);
    EXPECT_EQ(bad.Slots().VembaMeshes[1]->FaceCount(), 0);
}

}  // namespace
}  // namespace zel::test
