// Frame cost of the match scene: the full scene (room, eight pieces, both
// walls, the four posts) at 1024 x 768, eight pieces moving every frame.
//
// The display pass is measured as a player sees it: the scene drawn, the
// overlay texts brought up to date, the picture presented to a real
// full-screen window (scaled to the screen with its aspect kept, the
// overlay over it) and the buffers swapped, with a glFinish after each part
// so each part's time is its own and the pass ends when the frame is out.
// The empty frame (a cleared picture presented the same way: scaled to the
// same full-screen window and swapped, with the same wait; no scene, no
// overlay) is this machine's floor for getting any frame on the screen; the
// paired runs alternate blocks of frames of each kind, so both medians see
// the same machine load, and report median_pass_ms, median_empty_ms and
// pass_to_empty_ratio. The old picture-window path (read back, overlay and
// rounding on the CPU, a raster window) is measured the same way for
// comparison.
//
// The camera stands while the pieces move, as during a strike, so the room
// and the table come from the device's kept layer; median_pass_drawn_ms and
// median_scene_drawn_ms are the same pass with every batch drawn every
// frame, what a frame costs while the camera moves.
//
// Needs an X display with OpenGL 3.3; on a machine without a GPU run it as
//   xvfb-run -a -s "-screen 0 1920x1080x24" zel-render-bench
// (the screen's size is the full-screen window's). The name-label runs add
// eight five-character labels of the densest glyph ("Щ", 32 dots each: 1280
// dots) as the match window draws them.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <vector>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <benchmark/benchmark.h>

#include "core/MatchPort.h"
#include "core/MatchSetup.h"
#include "core/MatchState.h"
#include "base/ErrorLog.h"
#include "core/Overlay.h"
#include "match/FrameCounter.h"
#include "match/NameLabelVisual.h"
#include "match/OverlayPainter.h"
#include "physics/Shapes.h"
#include "render/ColourDepth.h"
#include "render/GameDataFiles.h"
#include "render/GraphModule.h"
#include "render/PictureWindow.h"
#include "render/RenderDevice.h"
#include "render/ScenePresenter.h"

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
    explicit FullScene(int colours = 32) : log(std::string(ZEL_BENCH_APP_PATH)) {
        ResetMatchDefaults(s);
        s.Num = 8;
        ResetLayout(s);
        s.Shapes = InitShapes(s.VembaRadius, s.BodyRadius, s.PipaRadius);
        s.AppPath = ZEL_BENCH_APP_PATH;
        s.UseRoom = kTrue;
        s.Border = kTrue;
        s.BordSimm = kTrue;
        s.Pipa = kTrue;
        s.ScreenH = 768;
        s.StatusText = "Сила удара: 100";
        PlaceObstacles(s);
        for (int i = 1; i <= 8; ++i) s.Vembas[static_cast<std::size_t>(i)].RMod = static_cast<std::int16_t>(i % 4);
        render::RenderSettings r;
        r.ScreenW = 1024;
        r.ScreenH = 768;
        r.Colors = colours;
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

double MedianOf(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// CPU time of the whole process (every thread, the software rasteriser's
// included), in milliseconds: on a shared machine it varies far less with
// the load than the wall clock does.
double ProcessCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000 + static_cast<double>(t.tv_nsec) / 1e6;
}

double MsSince(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t).count();
}

// The match window's screen: a full-screen window on the primary screen,
// presented to on the GPU path (or the picture window when `gpu` is false).
struct Screen {
    Screen(FullScene& scene, bool gpu) : scene(scene), present(window, scene.log) {
        present.PrepareWindow(gpu);
        if (QScreen* primary = QGuiApplication::primaryScreen()) window.setGeometry(primary->geometry());
        Raise();
        onGpu = present.Attach(scene.graph->Slots().Device.get());
        ok = window.isExposed() && onGpu == gpu;
    }

    // Full screen and exposed (the other screen of a paired run hidden first).
    void Raise() {
        window.showFullScreen();
        QElapsedTimer timer;
        timer.start();
        while (!window.isExposed() && timer.elapsed() < 5000)
            QGuiApplication::processEvents(QEventLoop::AllEvents, 20);
        QGuiApplication::processEvents();
    }
    void Lower() {
        window.hide();
        QGuiApplication::processEvents();
    }
    ~Screen() { present.Detach(); }

    render::RenderDevice& Device() { return *scene.graph->Slots().Device; }
    int Colours() const { return scene.graph->Settings().Colors; }

    // The match window's overlay lines with the frame counter shown; the
    // overlay picture is made again only when a line changes.
    double UpdateOverlay() {
        const auto t = std::chrono::steady_clock::now();
        std::vector<OverlayText> lines = overlay.Compose(scene.s);
        lines.push_back(counter.Line(1024, overlay.Colour()));
        if (!drawn || lines != last) {
            present.SetOverlay(match::OverlayImage({1024, 768}, lines, Colours()));
            drawn = true;
            last = std::move(lines);
        }
        if (onGpu) Device().Finish();
        return MsSince(t);
    }

    // One display pass; fills its parts in milliseconds.
    struct Parts {
        double scene = 0, overlay = 0, present = 0, pass = 0, cpu = 0;
    };
    Parts Pass(int frame) {
        Parts p;
        const double cpu0 = ProcessCpuMs();
        const auto t0 = std::chrono::steady_clock::now();
        scene.Tick(frame);
        scene.graph->RenderStep();
        Device().Finish();
        p.scene = MsSince(t0);
        p.overlay = UpdateOverlay();
        const auto t2 = std::chrono::steady_clock::now();
        present.Show({1024, 768}, Colours());
        if (onGpu) Device().Finish();
        p.present = MsSince(t2);
        p.pass = MsSince(t0);
        p.cpu = ProcessCpuMs() - cpu0;
        counter.AddPass(std::chrono::duration<double>(t0.time_since_epoch()).count(), p.pass / 1000);
        return p;
    }

    // The floor: a cleared picture presented to the same window and swapped.
    double Empty(double* cpu = nullptr) {
        const double cpu0 = ProcessCpuMs();
        const auto t0 = std::chrono::steady_clock::now();
        Device().PresentEmpty();
        Device().Finish();
        if (cpu) *cpu = ProcessCpuMs() - cpu0;
        return MsSince(t0);
    }

    FullScene& scene;               // what is drawn
    render::PictureWindow window;   // full screen
    render::ScenePresenter present; // how the picture reaches it
    Overlay overlay;                // the match's texts
    match::FrameCounter counter;    // F4's counter, shown
    std::vector<OverlayText> last;  // the lines of the overlay picture
    bool drawn = false;             // the overlay picture exists
    bool onGpu = false;             // the GPU path was taken
    bool ok = false;                // the window is up on the asked path
};

void ReportScreen(benchmark::State& state) {
    if (QScreen* primary = QGuiApplication::primaryScreen()) {
        state.counters["screen_w"] = primary->geometry().width();
        state.counters["screen_h"] = primary->geometry().height();
    }
}

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

// The whole display pass against the empty frame, in blocks of frames that
// alternate (the first frames after each switch are left out), at the
// colour depth of the argument.
constexpr int kBlock = 20;   // frames per block
constexpr int kSettle = 2;   // frames after a switch that are not counted

// Four kinds of blocks in turn: the whole display pass on the GPU path, the
// empty frame on the same window, the pass of the old picture-window path
// (its own full-screen raster window, raised for its blocks), and the GPU
// pass again with every batch drawn every frame (the kept layer switched
// off: what a frame costs while the camera moves).
void BM_DisplayPassPaired1024x768(benchmark::State& state) {
    FullScene scene(static_cast<int>(state.range(0)));
    if (!scene.ok) {
        state.SkipWithError("the scene could not be built (no OpenGL 3.3 display?)");
        return;
    }
    Screen old(scene, false);
    old.Lower();
    Screen screen(scene, true);
    if (!screen.ok || !old.ok) {
        state.SkipWithError("no full-screen OpenGL window");
        return;
    }
    std::vector<double> pass, empty, picture, pictureScene, sceneMs, overlayMs, presentMs, drawnPass, drawnScene;
    std::vector<double> passCpu, emptyCpu, pictureCpu;
    int frame = 0;
    for (auto _ : state) {
        const int kind = (frame / kBlock) % 4;
        const bool counted = frame % kBlock >= kSettle;
        if (frame % kBlock == 0 && kind == 2) {
            screen.Lower();
            old.Raise();
        } else if (frame % kBlock == 0 && kind == 3) {
            old.Lower();
            screen.Raise();
        }
        if (frame % kBlock == 0) screen.Device().SetKeepStatic(kind != 3);
        double ms = 0;
        if (kind == 3) {
            const Screen::Parts p = screen.Pass(frame);
            ms = p.pass;
            if (counted) {
                drawnPass.push_back(p.pass);
                drawnScene.push_back(p.scene);
            }
        } else if (kind == 0) {
            const Screen::Parts p = screen.Pass(frame);
            ms = p.pass;
            if (counted) {
                pass.push_back(p.pass);
                sceneMs.push_back(p.scene);
                overlayMs.push_back(p.overlay);
                presentMs.push_back(p.present);
                passCpu.push_back(p.cpu);
            }
        } else if (kind == 1) {
            double cpu = 0;
            ms = screen.Empty(&cpu);
            if (counted) {
                empty.push_back(ms);
                emptyCpu.push_back(cpu);
            }
        } else {
            const Screen::Parts p = old.Pass(frame);
            ms = p.pass;
            if (counted) {
                picture.push_back(p.pass);
                pictureScene.push_back(p.scene);
                pictureCpu.push_back(p.cpu);
            }
        }
        state.SetIterationTime(ms / 1000);
        ++frame;
    }
    const double passMedian = MedianOf(pass);
    const double emptyMedian = MedianOf(empty);
    state.counters["median_pass_ms"] = passMedian;
    state.counters["median_empty_ms"] = emptyMedian;
    state.counters["pass_to_empty_ratio"] = emptyMedian > 0 ? passMedian / emptyMedian : 0;
    state.counters["median_scene_ms"] = MedianOf(sceneMs);
    state.counters["median_overlay_ms"] = MedianOf(overlayMs);
    state.counters["median_present_ms"] = MedianOf(presentMs);
    state.counters["median_pass_drawn_ms"] = MedianOf(drawnPass);
    state.counters["median_scene_drawn_ms"] = MedianOf(drawnScene);
    state.counters["median_picture_window_ms"] = MedianOf(picture);
    state.counters["median_picture_window_scene_ms"] = MedianOf(pictureScene);
    state.counters["median_pass_cpu_ms"] = MedianOf(passCpu);
    state.counters["median_empty_cpu_ms"] = MedianOf(emptyCpu);
    state.counters["median_picture_window_cpu_ms"] = MedianOf(pictureCpu);
    ReportScreen(state);
}
BENCHMARK(BM_DisplayPassPaired1024x768)->Arg(8)->Arg(32)->Iterations(800)->UseManualTime()->Unit(benchmark::kMillisecond);

// Blocks of whole display passes with the labels shown alternate with
// blocks without them, so both medians see the same machine load; reports
// the two medians and their ratio. The labels stand still while the pieces
// move (they follow them only at rest), so the kept layer holds them; the
// same pairs with every batch drawn every frame give labels_ratio_drawn.
void BM_NameLabelCostPaired1024x768(benchmark::State& state) {
    FullScene scene(8);
    if (!scene.ok) {
        state.SkipWithError("the scene could not be built (no OpenGL 3.3 display?)");
        return;
    }
    Screen screen(scene, true);
    if (!screen.ok) {
        state.SkipWithError("no full-screen OpenGL window");
        return;
    }
    match::NameLabelVisual labels;
    AddDensestLabels(scene, labels);
    std::vector<double> withMs, withoutMs, withCpu, withoutCpu, withDrawn, withoutDrawn;
    int frame = 0;
    for (auto _ : state) {
        const bool shown = (frame / kBlock) % 2 == 0;
        const bool keep = (frame / kBlock / 2) % 2 == 0;
        if (frame % kBlock == 0) {
            if (shown) {
                labels.Show(scene.graph->Slots());
            } else {
                labels.Hide();
            }
            screen.Device().SetKeepStatic(keep);
        }
        const Screen::Parts p = screen.Pass(frame);
        state.SetIterationTime(p.pass / 1000);
        if (frame % kBlock >= kSettle) {
            if (keep) {
                (shown ? withMs : withoutMs).push_back(p.pass);
                (shown ? withCpu : withoutCpu).push_back(p.cpu);
            } else {
                (shown ? withDrawn : withoutDrawn).push_back(p.pass);
            }
        }
        ++frame;
    }
    const double with = MedianOf(withMs);
    const double without = MedianOf(withoutMs);
    state.counters["median_with_labels_ms"] = with;
    state.counters["median_without_labels_ms"] = without;
    state.counters["labels_ratio"] = without > 0 ? with / without : 0;
    const double withoutCpuMedian = MedianOf(withoutCpu);
    state.counters["labels_cpu_ratio"] = withoutCpuMedian > 0 ? MedianOf(withCpu) / withoutCpuMedian : 0;
    const double withoutDrawnMedian = MedianOf(withoutDrawn);
    state.counters["labels_ratio_drawn"] = withoutDrawnMedian > 0 ? MedianOf(withDrawn) / withoutDrawnMedian : 0;
}
BENCHMARK(BM_NameLabelCostPaired1024x768)->Iterations(800)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
