#include <gtest/gtest.h>

#include <QImage>

#include "MatchHarness.h"
#include "core/MatchTexts.h"
#include "labels/NameLabelLayout.h"
#include "render/DetailLevel.h"
#include "render/DrawList.h"
#include "render/Frame.h"
#include "render/InstancedVisual.h"
#include "render/Viewport.h"

namespace zel::test {
namespace {

float F(double x) { return static_cast<float>(x); }

// Every dot stands where its piece frame, as it stands now, puts its offset.
void ExpectDotsOverTheirPieces(match::MatchWindow& w) {
    const auto& dots = w.Labels().Dots();
    const auto& copies = w.Labels().Visual()->Instances();
    ASSERT_EQ(copies.size(), dots.size());
    render::SceneSlots& z = w.Graph().Slots();
    for (std::size_t n = 0; n < dots.size(); ++n) {
        const labels::LabelOffset& o = dots[n].Offset;
        const render::Vec3 at =
            z.VembaFrames[static_cast<std::size_t>(dots[n].Participant)]->World().Apply({o.X, o.Y, o.Z});
        EXPECT_EQ(F(copies[n].position.x), F(at.x)) << n;
        EXPECT_EQ(F(copies[n].position.y), F(at.y)) << n;
        EXPECT_EQ(F(copies[n].position.z), F(at.z)) << n;
    }
}

bool HasLine(const std::vector<OverlayText>& lines, const std::string& text) {
    for (const OverlayText& l : lines)
        if (l.Text == text) return true;
    return false;
}

// Seen straight from above, close up, the labels are white dots over the
// pieces: the picture with them differs from the one without exactly at
// the dots of the piece under the camera. (The pieces and the aim are taken
// out meanwhile, so no white of theirs hides a dot.)
TEST(NameLabelVisual, PixelsShowEachLabelOverItsPiece) {
    MatchHarness h;
    int piecesSeen = 0;
    h.Do([&](match::MatchWindow& w) {
        render::SceneSlots& z = w.Graph().Slots();
        for (int q = 1; q <= 2; ++q) z.VembaFrames[q]->DeleteVisual(z.VembaMeshes[q]);
        w.Graph().SetAimVisible(false);
        constexpr double kPixelsPerUnit = 8;  // table units
        for (int p = 1; p <= 2; ++p) {
            SCOPED_TRACE(p);
            const VembaRecord& v = h.s.Vembas[static_cast<std::size_t>(p)];
            z.CameraFrame->SetPosition(z.SceneRoot.get(), {v.Xpos / 10, 500, -v.Ypos / 10});
            z.CameraFrame->SetOrientation(z.SceneRoot.get(), {0, -1, 0}, {0, 0, 1});
            z.View->SetProjection(render::Viewport::Projection::Orthographic);
            z.View->SetField(640 / 2.0 / kPixelsPerUnit / 10.0);
            ASSERT_FALSE(w.Graph().RenderStep());
            const QImage with = w.Graph().Picture();
            w.Labels().Hide();
            ASSERT_FALSE(w.Graph().RenderStep());
            const QImage without = w.Graph().Picture();
            w.Labels().Show(z);

            const double dotRadius = 0.06 * 10 * kPixelsPerUnit;
            std::vector<std::pair<double, double>> centres;
            int lit = 0;
            for (std::size_t n = 0; n < w.Labels().Dots().size(); ++n) {
                if (w.Labels().Dots()[n].Participant != p) continue;
                double px = 0, py = 0;
                ASSERT_TRUE(z.View->Project(w.Labels().Visual()->Instances()[n].position, px, py));
                centres.push_back({px, py});
                if (with.pixel(static_cast<int>(px), static_cast<int>(py)) !=
                    without.pixel(static_cast<int>(px), static_cast<int>(py)))
                    ++lit;
            }
            ASSERT_GT(centres.size(), 40u);
            EXPECT_EQ(lit, static_cast<int>(centres.size()));
            int stray = 0;
            for (int y = 0; y < with.height(); ++y) {
                for (int x = 0; x < with.width(); ++x) {
                    if (with.pixel(x, y) == without.pixel(x, y)) continue;
                    bool nearDot = false;
                    for (const auto& [cx, cy] : centres)
                        nearDot = nearDot || std::hypot(x + 0.5 - cx, y + 0.5 - cy) < dotRadius + 1.5;
                    if (!nearDot) ++stray;
                }
            }
            EXPECT_EQ(stray, 0);
            ++piecesSeen;
        }
    });
    h.Quit();
    ASSERT_TRUE(h.Run());
    EXPECT_EQ(piecesSeen, 2);
}

// From the match camera every dot is a speck, so the stand-in draws them:
// each dot still shows where the ball shows it, about as large and as
// bright. (The stand-in's shape is checked with the render tests.)
TEST(NameLabelVisual, FromTheMatchCameraTheStandInShowsTheDotsAsTheBallDoes) {
    MatchHarness h;
    bool checked = false;
    h.Do([&](match::MatchWindow& w) {
        render::SceneSlots& z = w.Graph().Slots();
        render::InstancedVisual& visual = *w.Labels().Visual();
        const render::DrawList list = render::CollectDrawList(*z.SceneRoot);
        const render::DrawBatch* dots = nullptr;
        for (const auto& b : list.batches)
            if (b.mesh == visual.Mesh()) dots = &b;
        ASSERT_NE(dots, nullptr);
        ASSERT_NE(visual.DistantMesh(), nullptr);
        ASSERT_EQ(render::MeshToDraw(*dots, z.View->ViewProjection(), z.View->Width(), z.View->Height()),
                  visual.DistantMesh());

        ASSERT_FALSE(w.Graph().RenderStep());
        const QImage far = w.Graph().Picture();
        const auto distant = visual.DistantMesh();
        const double below = visual.DistantBelowPixels();
        visual.SetDistantMesh(nullptr, 0);
        ASSERT_FALSE(w.Graph().RenderStep());
        const QImage ball = w.Graph().Picture();
        visual.SetDistantMesh(distant, below);
        w.Labels().Hide();
        ASSERT_FALSE(w.Graph().RenderStep());
        const QImage none = w.Graph().Picture();
        w.Labels().Show(z);

        int farCount = 0, ballCount = 0;
        double farLight = 0, ballLight = 0;
        for (int y = 0; y < none.height(); ++y) {
            for (int x = 0; x < none.width(); ++x) {
                const QRgb n = none.pixel(x, y);
                if (far.pixel(x, y) != n) {
                    ++farCount;
                    farLight += qGray(far.pixel(x, y));
                }
                if (ball.pixel(x, y) != n) {
                    ++ballCount;
                    ballLight += qGray(ball.pixel(x, y));
                }
            }
        }
        int centres = 0, shown = 0;
        for (const auto& dot : visual.Instances()) {
            double px = 0, py = 0;
            if (!z.View->Project(dot.position, px, py)) continue;
            const int x = static_cast<int>(px), y = static_cast<int>(py);
            if (!none.rect().contains(x, y) || ball.pixel(x, y) == none.pixel(x, y)) continue;
            ++centres;
            if (far.pixel(x, y) != none.pixel(x, y)) ++shown;
        }
        ASSERT_GT(centres, 40);
        EXPECT_GE(shown, centres * 9 / 10);
        ASSERT_GT(ballCount, 0);
        EXPECT_NEAR(static_cast<double>(farCount) / ballCount, 1.0, 0.3);
        ASSERT_GT(farCount, 0);
        EXPECT_NEAR(farLight / farCount, ballLight / ballCount, 20);
        checked = true;
    });
    h.Quit();
    ASSERT_TRUE(h.Run());
    EXPECT_TRUE(checked);
}

// The labels leave the scene with the strike and come back over the
// pieces' new places when everything rests; F3 takes them away and brings
// them back, but while pieces move only the rest brings them back.
TEST(NameLabelVisual, LabelsFollowThePiecesOnlyAtRestAndF3SwitchesThem) {
    MatchHarness h;
    auto strike = [&h] {
        h.Press(Qt::Key_Space);
        for (int i = 0; i < 14; ++i) {
            h.Release(Qt::Key_Space, Qt::NoModifier, true);
            h.Press(Qt::Key_Space, Qt::NoModifier, true);
        }
        h.Release(Qt::Key_Space);
    };
    const double startX = h.s.Vembas[1].Xpos;
    h.Do([](match::MatchWindow& w) { ExpectDotsOverTheirPieces(w); });
    strike();
    h.Do([&](match::MatchWindow& w) {
        EXPECT_EQ(h.s.Win.CtrlState, kCtrlStrike);
        EXPECT_FALSE(w.Labels().Shown());
    });
    h.WaitFor([&h] { return h.s.StatusText == texts::kTurnChange; });
    h.Do([&](match::MatchWindow& w) {
        EXPECT_NE(h.s.Vembas[1].Xpos, startX);
        EXPECT_TRUE(w.Labels().Shown());
        ExpectDotsOverTheirPieces(w);
    });
    // F3 while the next participant aims: off, with the notice, and on.
    h.WaitFor([&h] { return h.s.CurG == 2 && h.s.Win.CtrlState == kCtrlAiming; });
    h.Tap(Qt::Key_F3);
    h.Do([&](match::MatchWindow& w) {
        EXPECT_FALSE(w.Labels().Shown());
        EXPECT_TRUE(HasLine(w.LastOverlay(), texts::kNamesHidden));
    });
    h.Tap(Qt::Key_F3);
    h.Do([&](match::MatchWindow& w) {
        EXPECT_TRUE(w.Labels().Shown());
        EXPECT_FALSE(HasLine(w.LastOverlay(), texts::kNamesHidden));
    });
    // The second participant strikes; F3 off and on while the pieces move.
    strike();
    h.Tap(Qt::Key_F3);
    h.Tap(Qt::Key_F3);
    h.Do([&](match::MatchWindow& w) {
        ASSERT_EQ(h.s.Win.CtrlState, kCtrlStrike) << "the pieces stopped before F3 was tested";
        EXPECT_EQ(h.s.NamesOn, kTrue);
        EXPECT_FALSE(w.Labels().Shown());
    });
    h.WaitFor([&h] { return h.s.StatusText == texts::kTurnChange; });
    h.Do([](match::MatchWindow& w) {
        EXPECT_TRUE(w.Labels().Shown());
        ExpectDotsOverTheirPieces(w);
    });
    h.Quit();
    ASSERT_TRUE(h.Run());
    EXPECT_FALSE(h.timedOut);
}

// Eight five-character names of the densest glyph: every one of the 1280
// dots is there (lower case shown as upper case), drawn by one call.
TEST(NameLabelVisual, EveryDotOfEightDensestLabelsIsDrawnInOneCall) {
    MatchHarness h(std::vector<std::string>(8, "щщщщщщ"));
    h.Do([&](match::MatchWindow& w) {
        EXPECT_EQ(w.Labels().Visual()->Instances().size(), static_cast<std::size_t>(labels::kMostLabelDots));
        ASSERT_FALSE(w.Graph().RenderStep());
        const int withLabels = w.Graph().Slots().Device->LastDrawCalls();
        w.Labels().Hide();
        ASSERT_FALSE(w.Graph().RenderStep());
        EXPECT_EQ(withLabels - w.Graph().Slots().Device->LastDrawCalls(), 1);
        w.Labels().Show(w.Graph().Slots());
    });
    h.Quit();
    ASSERT_TRUE(h.Run());
}

}  // namespace
}  // namespace zel::test
