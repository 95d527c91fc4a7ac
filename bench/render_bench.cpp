// Frame cost of the match scene: the full scene (room, eight pieces, both
// walls, the four posts) drawn off screen at 1024 x 768 and read back, as
// the match window does each pass of its display loop. Reports the median
// frame time over a few hundred frames. Needs an X display with OpenGL 3.3
// (run it under xvfb-run with Mesa's software renderer on a machine without
// a GPU). The name-label runs add eight five-character labels of the
// densest glyph ("Щ", 32 dots each: 1280 dots) as the match window draws
// them; the paired run alternates blocks of frames with and without them,
// so both medians see the same machine load, and reports their ratio.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include "core/MatchPort.h"
#include "core/MatchSetup.h"
#include "core/MatchState.h"
#include "base/ErrorLog.h"
#include "match/NameLabelVisual.h"
#include "physics/Shapes.h"
#include "render/GameDataFiles.h"
#include "render/GraphModule.h"

namespace {

using namespace zel;

// A screen that answers every question with Yes and shows nothing.
class QuietPort : public MatchPort {
public:
    MsgAnswer Ask(const Message&) override { return MsgAnswer::Yes; }
    bool StartDevice() override { return true; }
    bool BuildScene() override { return true; }
    void ShutdownScene() override {}
    void UpdateVembaFrame(int) override {}
    void ShowNameLabels() override {}
    void HideNameLabels() override {}
    void PlaySound(int, int) override {}
    void SetAimVisible(bool) override {}
    void OrientArrow(double) override {}
    void PlaceAim(double, double) override {}
    void RefreshCamera() override {}
};

struct FullScene {
    FullScene() : log(std::string(ZEL_BENCH_APP_PATH)) {
        ResetMatchDefaults(s);
        s.Num = 8;
        ResetLayout(s);
        s.Shapes = InitShapes(s.VembaRadius, s.BodyRadius, s.PipaRadius);
        s.AppPath = ZEL_BENCH_APP_PATH;
        s.UseRoom = kTrue;
        s.Border = kTrue;
        s.BordSimm = kTrue;
        s.Pipa = kTrue;
        PlaceObstacles(s);
        for (int i = 1; i <= 8; ++i) s.Vembas[static_cast<std::size_t>(i)].RMod = static_cast<std::int16_t>(i % 4);
        render::RenderSettings r;
        r.ScreenW = 1024;
        r.ScreenH = 768;
        r.Colors = 32;
        graph = std::make_unique<render::GraphModule>(s, port, log, r);
        ok = graph->InitDirect3D() && graph->LoadScene();
        if (ok) {
            graph->SetAimVisible(true);
            graph->PlaceAim(1, -3);
        }
    }

    // The pieces slide and turn a little every frame, as during a strike.
    void Tick(int frame) {
        for (int i = 1; i <= 8; ++i) {
            VembaRecord& v = s.Vembas[static_cast<std::size_t>(i)];
            v.Phi += 0.05;
            v.Xpos += (frame % 40 < 20) ? 0.5 : -0.5;
            graph->UpdateVembaFrame(i);
        }
    }

    MatchState s;                                // eight pieces, walls, posts, room
    QuietPort port;                              // no captions or boxes to show
    ErrorLog log;                                // only written if the scene fails
    std::unique_ptr<render::GraphModule> graph;  // the scene being drawn
    bool ok = false;                             // device and scene were built
};

void RunFrames(benchmark::State& state, FullScene& scene) {
    if (!scene.ok) {
        state.SkipWithError("the scene could not be built (no OpenGL 3.3 display?)");
        return;
    }
    std::vector<double> frameMs;
    int frame = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        scene.Tick(frame++);
        scene.graph->RenderStep();
        const QImage picture = scene.graph->Picture();
        benchmark::DoNotOptimize(picture.constBits());
        const auto t1 = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(t1 - t0).count();
        state.SetIterationTime(seconds);
        frameMs.push_back(seconds * 1000);
    }
    std::sort(frameMs.begin(), frameMs.end());
    state.counters["median_frame_ms"] = frameMs.empty() ? 0 : frameMs[frameMs.size() / 2];
    state.counters["draw_calls"] = scene.graph->Slots().Device->LastDrawCalls();
}

void BM_FullScene1024x768(benchmark::State& state) {
    FullScene scene;
    RunFrames(state, scene);
}
BENCHMARK(BM_FullScene1024x768)->Iterations(300)->UseManualTime()->Unit(benchmark::kMillisecond);

// The same with a thousand name-label dots sharing one small sphere.
void BM_FullSceneWithLabelDots1024x768(benchmark::State& state) {
    FullScene scene;
    if (scene.ok) {
        auto dot = render::MeshBuilder::Create();
        dot->LoadX(std::string(ZEL_BENCH_APP_PATH) + render::files::kAimMarker);
        dot->Scale(0.03, 0.03, 0.03);
        auto& z = scene.graph->Slots();
        for (int i = 0; i < 1000; ++i) {
            auto f = render::Frame::Create(z.SceneRoot);
            f->SetPosition(z.VembaFrames[static_cast<std::size_t>(1 + i % 8)].get(),
                           {0.1 * (i % 50) - 1.9, 1.5, -0.1 * ((i / 50) % 10)});
            f->AddVisual(dot);
        }
    }
    RunFrames(state, scene);
}
BENCHMARK(BM_FullSceneWithLabelDots1024x768)->Iterations(300)->UseManualTime()->Unit(benchmark::kMillisecond);

// Eight participants named with five of the densest glyph, their labels
// built and shown over the pieces as a match starts.
void AddDensestLabels(FullScene& scene, match::NameLabelVisual& labels) {
    for (int i = 1; i <= 8; ++i) scene.s.Vembas[static_cast<std::size_t>(i)].R = "ЩЩЩЩЩ";
    labels.Build(scene.s, scene.graph->Slots());
}

void BM_FullSceneWithNameLabels1024x768(benchmark::State& state) {
    FullScene scene;
    match::NameLabelVisual labels;
    if (scene.ok) AddDensestLabels(scene, labels);
    RunFrames(state, scene);
    state.counters["label_dots"] = labels.Visual() ? labels.Visual()->Instances().size() : 0;
}
BENCHMARK(BM_FullSceneWithNameLabels1024x768)->Iterations(300)->UseManualTime()->Unit(benchmark::kMillisecond);

// Blocks of frames with the labels shown alternate with blocks without them
// (the first frames after each switch are left out), so both medians see the
// same machine load; reports the two medians and their ratio.
void BM_NameLabelCostPaired1024x768(benchmark::State& state) {
    FullScene scene;
    if (!scene.ok) {
        state.SkipWithError("the scene could not be built (no OpenGL 3.3 display?)");
        return;
    }
    constexpr int kBlock = 20;   // frames per block
    constexpr int kSettle = 2;   // frames after a switch that are not counted
    match::NameLabelVisual labels;
    AddDensestLabels(scene, labels);
    std::vector<double> withMs, withoutMs;
    int frame = 0;
    for (auto _ : state) {
        const bool shown = (frame / kBlock) % 2 == 0;
        if (frame % kBlock == 0) {
            if (shown) {
                labels.Show(scene.graph->Slots());
            } else {
                labels.Hide();
            }
        }
        const auto t0 = std::chrono::steady_clock::now();
        scene.graph->RenderStep();
        const QImage picture = scene.graph->Picture();
        benchmark::DoNotOptimize(picture.constBits());
        const auto t1 = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(t1 - t0).count();
        state.SetIterationTime(seconds);
        if (frame % kBlock >= kSettle) (shown ? withMs : withoutMs).push_back(seconds * 1000);
        ++frame;
    }
    auto median = [](std::vector<double>& v) {
        if (v.empty()) return 0.0;
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const double with = median(withMs);
    const double without = median(withoutMs);
    state.counters["median_with_labels_ms"] = with;
    state.counters["median_without_labels_ms"] = without;
    state.counters["labels_ratio"] = without > 0 ? with / without : 0;
}
BENCHMARK(BM_NameLabelCostPaired1024x768)->Iterations(400)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
