#include <gtest/gtest.h>

#include "RenderTestSupport.h"
#include "render/MeshBuilder.h"
#include "render/StaticLayer.h"
#include "render/StaticTail.h"

namespace zel::test {
namespace {

using render::Signature;
using render::StaticTail;

Signature Sig(std::uint8_t v) { return Signature{v}; }

// Nothing is kept until a batch has stayed the same for the settling
// frames; then the whole unchanged end is.
TEST(StaticTail, TheEndIsKeptOnceItHasStayedTheSameForTheSettlingFrames) {
    StaticTail tail;
    const std::vector<Signature> batches{Sig(1), Sig(2), Sig(3)};
    for (int f = 1; f < StaticTail::kSettleFrames; ++f) EXPECT_EQ(tail.Update(Sig(9), batches), 0u) << f;
    EXPECT_EQ(tail.Update(Sig(9), batches), 3u);

    // A batch that changes keeps only the batches drawn after it; it takes
    // the settling frames again to rejoin them.
    const std::vector<Signature> moved{Sig(1), Sig(7), Sig(3)};
    EXPECT_EQ(tail.Update(Sig(9), moved), 1u);
    EXPECT_EQ(tail.Update(Sig(9), moved), 1u);
    EXPECT_EQ(tail.Update(Sig(9), moved), 3u);

    // Batches match from the end: one more at the front moves nothing.
    EXPECT_EQ(tail.Update(Sig(9), {Sig(5), Sig(1), Sig(7), Sig(3)}), 3u);
}

// A change of the frame itself (the camera, the lights) starts all over.
TEST(StaticTail, AChangedFrameStartsSettlingAfresh) {
    StaticTail tail;
    const std::vector<Signature> batches{Sig(1), Sig(2)};
    for (int f = 0; f < StaticTail::kSettleFrames; ++f) tail.Update(Sig(9), batches);
    ASSERT_EQ(tail.Update(Sig(9), batches), 2u);
    EXPECT_EQ(tail.Update(Sig(8), batches), 0u);
    EXPECT_EQ(tail.Update(Sig(8), batches), 0u);
    EXPECT_EQ(tail.Update(Sig(8), batches), 2u);
    tail.Reset();
    EXPECT_EQ(tail.Update(Sig(8), batches), 0u);
}

// The 24-bit depth in the top bits of glReadPixels' 32, repeated below.
std::uint32_t Depth32(std::uint32_t z24) { return (z24 << 8) | (z24 >> 16); }

TEST(StaticLayer, OneDepthStepFartherIsOneTwentyFourBitStepAndTheFarValueStays) {
    EXPECT_EQ(render::OneDepthStepFarther(Depth32(0)), Depth32(1));
    EXPECT_EQ(render::OneDepthStepFarther(Depth32(0x7fffff)), Depth32(0x800000));
    EXPECT_EQ(render::OneDepthStepFarther(Depth32(0xfffffe)), Depth32(0xffffff));
    EXPECT_EQ(render::OneDepthStepFarther(Depth32(0xffffff)), Depth32(0xffffff));
}

// Two harnesses drawing the same match, one starting its frames from the
// kept layer and one drawing everything; the window's rounding is on, as
// when presenting.
struct TwoScenes {
    explicit TwoScenes(int bits) : kept(Settings(bits), 8), drawn(Settings(bits), 8) {
        for (SceneHarness* h : {&kept, &drawn}) {
            h->s.UseRoom = kTrue;
            h->s.Border = kTrue;
            h->s.Pipa = kTrue;
        }
    }
    static render::RenderSettings Settings(int bits) {
        render::RenderSettings r = SceneHarness::DefaultSettings();
        r.Colors = bits;
        return r;
    }
    bool Build() {
        if (!kept.Build() || !drawn.Build()) return false;
        drawn.Slots().Device->SetKeepStatic(false);
        for (SceneHarness* h : {&kept, &drawn}) h->Slots().Device->SetShaderQuantise(true);
        return true;
    }
    template <typename F>
    void ForBoth(F f) {
        f(kept);
        f(drawn);
    }
    SceneHarness kept;   // starts frames from the kept layer
    SceneHarness drawn;  // draws every batch every frame
};

// Pieces sliding and turning over the room and the table, the camera moving
// once, the aim shown and hidden, at 8 and 32 bits: every frame from the
// kept layer is the frame drawn in full, and the layer is really used.
TEST(StaticLayer, FramesFromTheKeptLayerAreTheFramesDrawnInFull) {
    for (const int bits : {8, 32}) {
        SCOPED_TRACE(bits);
        TwoScenes t(bits);
        ASSERT_TRUE(t.Build());
        int framesKept = 0;
        for (int f = 0; f < 14; ++f) {
            SCOPED_TRACE(f);
            t.ForBoth([&](SceneHarness& h) {
                for (int i = 1; i <= 8; ++i) {
                    VembaRecord& v = h.s.Vembas[static_cast<std::size_t>(i)];
                    v.Xpos += 3 * i;
                    v.Phi += 0.1;
                    h.graph->UpdateVembaFrame(i);
                }
                if (f == 7) {
                    h.Slots().CameraFrame->SetPosition(h.Slots().SceneRoot.get(), {20, 60, -40});
                    h.Slots().CameraFrame->LookAt(*h.Slots().TableFrame, nullptr);
                }
                if (f == 10) h.graph->SetAimVisible(f % 2 == 0);
            });
            const QImage a = Draw(*t.kept.graph);
            const QImage b = Draw(*t.drawn.graph);
            ASSERT_FALSE(a.isNull());
            ASSERT_EQ(a, b);
            EXPECT_EQ(t.drawn.Slots().Device->LastKeptBatches(), 0);
            if (t.kept.Slots().Device->LastKeptBatches() >= 2) ++framesKept;
            // The camera's move is a new frame: nothing is kept until it settles.
            if (f == 7) {
                EXPECT_EQ(t.kept.Slots().Device->LastKeptBatches(), 0);
            }
        }
        EXPECT_GE(framesKept, 8);
    }
}

// A batch drawn before a kept one wins where their depths are equal, as it
// does when both are drawn: a red copy of the table laid exactly on the
// table (same mesh data, same frame) and recoloured every frame, so it is
// never kept while the table is.
TEST(StaticLayer, ABatchDrawnBeforeAKeptOneStillWinsAtEqualDepth) {
    TwoScenes t(32);
    ASSERT_TRUE(t.Build());
    std::shared_ptr<render::MeshBuilder> copies[2];
    int n = 0;
    t.ForBoth([&](SceneHarness& h) {
        auto copy = std::make_shared<render::MeshBuilder>(*h.Slots().TableMesh);
        h.Slots().TableFrame->AddVisual(copy);
        copies[n++] = copy;
    });
    bool keptTheTable = false;
    for (int f = 0; f < 6; ++f) {
        SCOPED_TRACE(f);
        for (const auto& copy : copies) copy->SetColour({f % 2 ? 0.9f : 0.7f, 0.1f, 0.1f, 1});
        const QImage a = Draw(*t.kept.graph);
        const QImage b = Draw(*t.drawn.graph);
        ASSERT_EQ(a, b);
        keptTheTable = keptTheTable || t.kept.Slots().Device->LastKeptBatches() > 0;
    }
    EXPECT_TRUE(keptTheTable);
}

}  // namespace
}  // namespace zel::test
