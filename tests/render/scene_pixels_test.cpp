#include <algorithm>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "RenderTestSupport.h"
#include "physics/Motion.h"
#include "render/ColourDepth.h"
#include "render/GameDataFiles.h"

namespace zel::test {
namespace {

using render::Frame;
using render::SceneSlots;
using render::Vec3;

auto LitIn(const QImage& img) {
    return [&img](int col, int row) { return Lit(img.pixel(col, row)); };
}
auto ChangedBetween(const QImage& a, const QImage& b) {
    return [&a, &b](int col, int row) { return a.pixel(col, row) != b.pixel(col, row); };
}

// A view over the whole table with a margin, centred on it.
TopView WholeTable(SceneSlots& z, const MatchState& s) {
    const double scale = std::min(640.0 / (s.MaxX + 100), 480.0 / (s.MaxY + 100));
    return LookFromAbove(z, s.MaxX / 2.0, s.MaxY / 2.0, scale);
}

TEST(SceneView, TableCoversExactlyItsPlayingArea) {
    for (auto [mx, my] : {std::pair{600, 400}, std::pair{1000, 250}, std::pair{300, 900}}) {
        SceneHarness h;
        h.s.MaxX = static_cast<std::int16_t>(mx);
        h.s.MaxY = static_cast<std::int16_t>(my);
        ResetLayout(h.s);
        ASSERT_TRUE(h.Build());
        VisualStash pieces;
        for (std::size_t k = 1; k <= 2; ++k) pieces.Take(*h.Slots().VembaFrames[k]);
        const TopView v = WholeTable(h.Slots(), h.s);
        const QImage img = Draw(*h.graph);
        ASSERT_FALSE(img.isNull());
        const double tolerance = 1.5 / v.scale;
        const ShapeMismatch m = CompareMask(
            img, v, LitIn(img), [&](double x, double y) { return DistanceToRectangle(x, y, 0, 0, mx, my); },
            tolerance);
        EXPECT_EQ(m.litOutside, 0) << mx << "x" << my;
        EXPECT_EQ(m.darkInside, 0) << mx << "x" << my;
        EXPECT_GT(m.inside, 10000);
        // The table is green cloth, not the black of the background.
        const QRgb centre = img.pixel(v.Col(mx / 2.0), v.Row(my / 2.0));
        EXPECT_GT(qGreen(centre), qRed(centre));
    }
}

TEST(SceneView, EachPieceStandsWhereItsRecordIs) {
    SceneHarness h(SceneHarness::DefaultSettings(), 8);
    const double headings[9] = {0, 0.3, 2.0, -1.1, 3.0, 0.9, -2.6, 1.6, 5.5};
    for (std::size_t i = 1; i <= 8; ++i) {
        h.s.Vembas[i].RMod = static_cast<std::int16_t>(i % 4);
        h.s.Vembas[i].Phi = headings[i];
        h.s.Vembas[i].RGray = ToFlag(i > 6);
    }
    h.s.Vembas[3].Xpos = 250;  // one piece out in the open
    h.s.Vembas[3].Ypos = 170;
    ASSERT_TRUE(h.Build());
    const TopView v = WholeTable(h.Slots(), h.s);
    const QImage with = Draw(*h.graph);
    VisualStash pieces;
    for (std::size_t k = 1; k <= 8; ++k) pieces.Take(*h.Slots().VembaFrames[k]);
    const QImage without = Draw(*h.graph);
    std::vector<Circle> circles;
    for (std::size_t k = 1; k <= 8; ++k) {
        const auto c = ShapeCircles(h.s, h.s.Vembas[k]);
        circles.insert(circles.end(), c.begin(), c.end());
    }
    const ShapeMismatch m = CompareMask(
        with, v, ChangedBetween(with, without),
        [&](double x, double y) { return DistanceToCircles(circles, x, y); },
        1.5 / v.scale);
    EXPECT_EQ(m.litOutside, 0);
    EXPECT_EQ(m.darkInside, 0);
    EXPECT_GT(m.inside, 500);
}

TEST(SceneView, FallenPieceIsDrawnOnTheFloorBesideTheEdgeItCrossed) {
    SceneHarness h;
    ASSERT_TRUE(h.Build());
    SceneSlots& z = h.Slots();
    // From above, with room beyond the table's edges for the floor.
    const double scale = std::min(640.0 / (h.s.MaxX + 300), 480.0 / (h.s.MaxY + 300));
    const TopView v = LookFromAbove(z, h.s.MaxX / 2.0, h.s.MaxY / 2.0, scale);
    VembaRecord& p = h.s.Vembas[2];
    p.Xpos = 590;
    p.Ypos = 120;
    p.Xvec = 20;
    MoveVemba(h.s, p, 1.0);  // over x = MaxX at y = 120
    ASSERT_EQ(p.Life, kFalse);
    ASSERT_FALSE(h.graph->UpdateVembaFrame(2).has_value());
    const QImage present = Draw(*h.graph);
    VisualStash piece;
    piece.Take(*z.VembaFrames[2]);
    const QImage absent = Draw(*h.graph);
    int near = 0;
    int elsewhere = 0;
    for (int row = 0; row < present.height(); ++row)
        for (int col = 0; col < present.width(); ++col) {
            if (present.pixel(col, row) == absent.pixel(col, row)) continue;
            const double x = v.TableX(col);
            const double y = v.TableY(row);
            const bool beside = x > h.s.MaxX + 1 / scale && x < h.s.MaxX + 100 && std::fabs(y - 120) < 60;
            (beside ? near : elsewhere)++;
        }
    EXPECT_GT(near, 50);
    EXPECT_EQ(elsewhere, 0);
}

TEST(SceneView, WallsStandAlongTheEdgesTheyGuardOverTheirWholeLength) {
    for (auto [tableX, tableY] : {std::pair{600, 400}, std::pair{1000, 950}, std::pair{350, 201}})
    for (std::int16_t mode : {std::int16_t{0}, std::int16_t{1}}) {
        for (bool both : {false, true}) {
            SceneHarness h;
            h.s.MaxX = static_cast<std::int16_t>(tableX);
            h.s.MaxY = static_cast<std::int16_t>(tableY);
            ResetLayout(h.s);
            h.s.Border = kTrue;
            h.s.BordMode = mode;
            h.s.BordSimm = ToFlag(both);
            ASSERT_TRUE(h.Build());
            SceneSlots& z = h.Slots();
            const MatchState& s = h.s;
            const TopView v = WholeTable(z, s);
            const QImage with = Draw(*h.graph);
            VisualStash walls;
            walls.Take(*z.WallFrames[1]);
            walls.Take(*z.WallFrames[2]);
            const QImage without = Draw(*h.graph);
            const double px = 1 / v.scale;  // one pixel in table units
            const double mx = s.MaxX;
            const double my = s.MaxY;
            // Outward distance from the guarded edges, and position along them.
            auto covered = [&](double out, double along, bool second) {
                const double x = mode == 1 ? along : (second ? mx + out : -out);
                const double y = mode == 1 ? (second ? my + out : -out) : along;
                return with.pixel(v.Col(x), v.Row(y)) != without.pixel(v.Col(x), v.Row(y));
            };
            const double length = mode == 1 ? mx : my;
            int missing = 0;
            for (double along = 2 * px; along <= length - 2 * px; along += px) {
                for (double out : {1.5 * px, 3.0}) {
                    if (!covered(out, along, false)) ++missing;
                    if (both && !covered(out, along, true)) ++missing;
                    if (!both && covered(out, along, true)) ++missing;
                }
            }
            EXPECT_EQ(missing, 0) << tableX << "x" << tableY << " mode " << mode << " both " << both;
            // Nothing of a wall on the table or beyond the other edges.
            int stray = 0;
            for (int row = 0; row < with.height(); ++row)
                for (int col = 0; col < with.width(); ++col) {
                    if (with.pixel(col, row) == without.pixel(col, row)) continue;
                    const double x = v.TableX(col);
                    const double y = v.TableY(row);
                    const double a = mode == 1 ? x : y;    // along the guarded edges
                    const double c = mode == 1 ? y : x;    // across them
                    const double extent = mode == 1 ? my : mx;
                    const double alongExtent = mode == 1 ? mx : my;
                    if (c > 1.5 * px && c < extent - 1.5 * px) ++stray;        // on the table
                    if (a < -1.5 * px - 40 || a > alongExtent + 40) ++stray;  // far past the ends
                }
            EXPECT_EQ(stray, 0) << tableX << "x" << tableY << " mode " << mode << " both " << both;
        }
    }
}

TEST(SceneView, PostsStandAtTheCornersWithThePostRadius) {
    SceneHarness h;
    h.s.Pipa = kTrue;
    PlaceObstacles(h.s);
    ASSERT_TRUE(h.Build());
    SceneSlots& z = h.Slots();
    const TopView v = WholeTable(z, h.s);
    const QImage with = Draw(*h.graph);
    VisualStash posts;
    for (std::size_t k = 1; k <= 4; ++k) posts.Take(*z.PipaFrames[k]);
    const QImage without = Draw(*h.graph);
    const ShapeMismatch m = CompareMask(
        with, v, ChangedBetween(with, without),
        [&](double x, double y) {
            double d = 1e9;
            for (std::size_t k = 1; k <= 4; ++k)
                d = std::min(d, std::hypot(x - h.s.PipaPos[k].x, y - h.s.PipaPos[k].y) - h.s.PipaRadius);
            return d;
        },
        1.5 / v.scale);
    EXPECT_EQ(m.litOutside, 0);
    EXPECT_EQ(m.darkInside, 0);
    EXPECT_GT(m.inside, 200);
}

// Seen from straight above, a piece's outline is the union of its shape
// circles, whatever its heading.
TEST(SceneView, PieceSilhouetteFollowsItsCirclesAtEveryHeading) {
    SceneHarness h;
    ASSERT_TRUE(h.Build());
    SceneSlots& z = h.Slots();
    VisualStash others;
    others.TakeAll(z);
    const double scale = 6;  // pixels per table unit
    const TopView v = LookFromAbove(z, 300, 200, scale);
    for (std::int16_t model = 0; model <= 3; ++model) {
        render::MeshBuilder& mesh = *z.VembaMeshes[1];
        mesh.LoadX(GameDataRoot() + render::files::PieceMesh(model, false));
        mesh.Scale(0.1, 0.1, 0.1);
        z.VembaFrames[1]->AddVisual(z.VembaMeshes[1]);
        VembaRecord& rec = h.s.Vembas[1];
        rec.RMod = model;
        rec.Xpos = 300;
        rec.Ypos = 200;
        for (double phi : {0.0, 0.4, 1.3, 1.5707963267948966, 2.7, -2.1, 9.0}) {
            rec.Phi = phi;
            ASSERT_FALSE(h.graph->UpdateVembaFrame(1).has_value());
            const QImage img = Draw(*h.graph);
            const std::vector<Circle> circles = ShapeCircles(h.s, rec);
            const ShapeMismatch m = CompareMask(
                img, v, LitIn(img), [&](double x, double y) { return DistanceToCircles(circles, x, y); },
                1.5 / scale);
            EXPECT_EQ(m.litOutside, 0) << "model " << model << " phi " << phi;
            EXPECT_EQ(m.darkInside, 0) << "model " << model << " phi " << phi;
            EXPECT_GT(m.inside, 3000);
        }
    }
}

TEST(SceneView, SameSceneDrawsTheSamePictureAndWholeTurnsChangeNothing) {
    SceneHarness h;
    ASSERT_TRUE(h.Build());
    WholeTable(h.Slots(), h.s);
    h.s.Vembas[1].Phi = 0;
    h.graph->UpdateVembaFrame(1);
    const QImage first = Draw(*h.graph);
    EXPECT_EQ(Draw(*h.graph), first);
    h.s.Vembas[1].Phi = 2 * h.s.Pi;
    h.graph->UpdateVembaFrame(1);
    EXPECT_EQ(Draw(*h.graph), first);
}

TEST(SceneView, StartCameraLooksAtTheTableCentreAndShowsTheAimMarker) {
    SceneHarness h;
    ASSERT_TRUE(h.Build());
    SceneSlots& z = h.Slots();
    double px = 0;
    double py = 0;
    ASSERT_TRUE(z.View->Project(z.CentreFrame->World().position, px, py));
    EXPECT_NEAR(px, 320, 1e-6);
    EXPECT_NEAR(py, 240, 1e-6);
    const QImage img = Draw(*h.graph);
    const QRgb centre = img.pixel(320, 240);
    EXPECT_GT(qGreen(centre), qRed(centre));
    EXPECT_GT(qGreen(centre), qBlue(centre));

    // The marker in front of piece 1, on the camera's side.
    const VembaRecord& p = h.s.Vembas[1];
    const Vec3 at{p.Xpos / 10 - 2, 0, -p.Ypos / 10};
    h.graph->PlaceAim(at.x, at.z);
    h.graph->OrientArrow(1.0);
    h.graph->SetAimVisible(true);
    const QImage aimed = Draw(*h.graph);
    ASSERT_TRUE(z.View->Project({at.x, 0.5, at.z}, px, py));
    int changed = 0;
    for (int row = 0; row < img.height(); ++row)
        for (int col = 0; col < img.width(); ++col)
            if (aimed.pixel(col, row) != img.pixel(col, row)) {
                EXPECT_LT(std::hypot(col - px, row - py), 60);
                ++changed;
            }
    EXPECT_GT(changed, 20);
}

// A thousand label dots sharing one sphere are one instanced draw call.
TEST(SceneView, ManyFramesSharingOneMeshAreDrawnInOneCall) {
    SceneHarness h;
    ASSERT_TRUE(h.Build());
    SceneSlots& z = h.Slots();
    const TopView v = WholeTable(z, h.s);
    Draw(*h.graph);
    const int callsBefore = z.Device->LastDrawCalls();
    const int instancesBefore = z.Device->LastInstances();
    auto dot = render::MeshBuilder::Create();
    dot->LoadX(GameDataRoot() + render::files::kAimMarker);
    dot->Scale(0.03, 0.03, 0.03);
    const QImage before = Draw(*h.graph);
    for (int i = 0; i < 1000; ++i) {
        auto f = Frame::Create(z.SceneRoot);
        f->SetPosition(z.SceneRoot.get(), {5 + (i % 50) * 0.5, 1.5, -5 - (i / 50) * 0.5});
        f->AddVisual(dot);
    }
    const QImage after = Draw(*h.graph);
    EXPECT_EQ(z.Device->LastDrawCalls(), callsBefore + 1);
    EXPECT_EQ(z.Device->LastInstances(), instancesBefore + 1000);
    // The last dot is drawn where it stands.
    const int col = v.Col((5 + 49 * 0.5) * 10);
    const int row = v.Row((5 + 19 * 0.5) * 10);
    EXPECT_NE(after.pixel(col, row), before.pixel(col, row));
}

TEST(SceneView, PictureIsShownAtTheColourDepthOfTheDisplayMode) {
    render::RenderSettings r = SceneHarness::DefaultSettings();
    r.Colors = 16;
    SceneHarness h(r);
    ASSERT_TRUE(h.Build());
    ASSERT_FALSE(h.graph->RenderStep().has_value());
    const QImage shown = h.graph->PictureAtColourDepth();
    const QImage full = h.graph->Picture();
    ASSERT_EQ(shown.size(), QSize(640, 480));
    EXPECT_NE(shown, full);
    for (int row = 0; row < shown.height(); row += 7)
        for (int col = 0; col < shown.width(); col += 7) {
            const int red = qRed(shown.pixel(col, row));
            EXPECT_EQ(red, (((red * 31 + 127) / 255) * 255 + 15) / 31) << col << "," << row;
        }
}

}  // namespace
}  // namespace zel::test
