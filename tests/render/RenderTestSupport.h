#pragma once
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QImage>

#include "core/MatchSetup.h"
#include "core/MatchState.h"
#include "base/ErrorLog.h"
#include "physics/Shapes.h"
#include "render/GraphModule.h"
#include "support/FakeMatchPort.h"
#include "support/TempDir.h"

namespace zel::test {

// The folder that holds the generated gamedata/ (the build directory).
inline std::string GameDataRoot() { return ZEL_TEST_APP_PATH; }

// A match state as a new match has it, with the shape table built and the
// program folder pointing at the generated game data.
inline void PrepareMatch(MatchState& s, int num = 2) {
    ResetMatchDefaults(s);
    s.Num = static_cast<std::int16_t>(num);
    ResetLayout(s);
    s.Shapes = InitShapes(s.VembaRadius, s.BodyRadius, s.PipaRadius);
    s.AppPath = GameDataRoot();
    for (int i = 1; i <= kMaxParticipants; ++i) s.KtoHodit[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i);
}

// A GraphModule over its own match state, port and error log.
struct SceneHarness {
    explicit SceneHarness(render::RenderSettings settings = DefaultSettings(), int num = 2)
        : log(tmp.Path().string()) {
        PrepareMatch(s, num);
        graph = std::make_unique<render::GraphModule>(s, port, log, std::move(settings));
    }

    static render::RenderSettings DefaultSettings() {
        render::RenderSettings r;
        r.ScreenW = 640;
        r.ScreenH = 480;
        r.Colors = 32;
        r.UseTex = true;
        r.AppTitle = "Korvalo II";
        return r;
    }

    // Device and scene; false when either failed.
    bool Build() { return graph->InitDirect3D() && graph->LoadScene(); }
    render::SceneSlots& Slots() { return graph->Slots(); }
    std::string Log() const { return TempDir::Read(log.Path()); }

    TempDir tmp;                                 // holds the error log
    MatchState s;                                // the match the scene shows
    FakeMatchPort port{&s};                      // records captions, answers questions
    ErrorLog log;                                // zelerror.log in tmp
    std::unique_ptr<render::GraphModule> graph;  // the scene under test
};

// An orthographic camera straight above the table: image column grows with
// table x and image row with table y, `scale` pixels per table unit, the
// image centre over table point (cx, cy).
struct TopView {
    double scale = 1;   // pixels per table unit
    double cx = 0;      // table x under the image centre
    double cy = 0;      // table y under the image centre
    int width = 0;      // image width in pixels
    int height = 0;     // image height in pixels

    // Table coordinates of the centre of pixel (col, row).
    double TableX(int col) const { return (col + 0.5 - width / 2.0) / scale + cx; }
    double TableY(int row) const { return (row + 0.5 - height / 2.0) / scale + cy; }
    int Col(double x) const { return static_cast<int>(std::floor((x - cx) * scale + width / 2.0)); }
    int Row(double y) const { return static_cast<int>(std::floor((y - cy) * scale + height / 2.0)); }
};

// Replaces the scene's camera by a top view; the viewport keeps its size.
inline TopView LookFromAbove(render::SceneSlots& z, double cx, double cy, double scale) {
    TopView v;
    v.scale = scale;
    v.cx = cx;
    v.cy = cy;
    v.width = z.View->Width();
    v.height = z.View->Height();
    z.CameraFrame->SetPosition(z.SceneRoot.get(), {cx / 10, 500, -cy / 10});
    z.CameraFrame->SetOrientation(z.SceneRoot.get(), {0, -1, 0}, {0, 0, 1});
    z.View->SetProjection(render::Viewport::Projection::Orthographic);
    // Orthographic field: half the longer side in scene units.
    z.View->SetField(std::max(v.width, v.height) / 2.0 / scale / 10.0);
    return v;
}

inline QImage Draw(render::GraphModule& g) {
    const auto failure = g.RenderStep();
    if (failure) return {};
    return g.Picture();
}

inline bool Lit(QRgb p) { return qRed(p) > 8 || qGreen(p) > 8 || qBlue(p) > 8; }

// Takes every visual off the root's children and puts them back on demand,
// so one part of the scene can be drawn alone or left out.
class VisualStash {
public:
    void Take(render::Frame& f) {
        for (const auto& v : f.Visuals()) kept_.push_back({&f, v});
        for (const auto& v : std::vector(f.Visuals())) f.DeleteVisual(v);
    }
    void TakeAll(render::SceneSlots& z) {
        for (const auto& c : z.SceneRoot->Children()) Take(*c);
    }
    void Restore() {
        for (auto& [frame, mesh] : kept_) frame->AddVisual(mesh);
        kept_.clear();
    }

private:
    std::vector<std::pair<render::Frame*, std::shared_ptr<render::MeshBuilder>>> kept_;  // what to put back where
};

// Signed distance to the axis-aligned rectangle x0..x1, y0..y1.
inline double DistanceToRectangle(double x, double y, double x0, double y0, double x1, double y1) {
    const double dx = std::max(x0 - x, x - x1);
    const double dy = std::max(y0 - y, y - y1);
    if (dx <= 0 && dy <= 0) return std::max(dx, dy);
    return std::hypot(std::max(dx, 0.0), std::max(dy, 0.0));
}

// A record's shape circles where the physics has them (table units).
std::vector<Circle> ShapeCircles(const MatchState& s, const VembaRecord& rec);
// Signed distance from table point (x, y) to the union of the circles
// (negative inside).
double DistanceToCircles(const std::vector<Circle>& circles, double x, double y);

// Pixels of the view whose state disagrees with `inside` (a signed distance
// function, negative inside) farther than `tolerance` table units from its
// boundary: lit outside, or unlit inside.
struct ShapeMismatch {
    int litOutside = 0;  // drawn where nothing should be
    int darkInside = 0;  // missing where the shape is
    int inside = 0;      // pixels well inside the shape
};
ShapeMismatch CompareMask(const QImage& img, const TopView& v, const std::function<bool(int, int)>& drawn,
                          const std::function<double(double, double)>& distance, double tolerance);

}  // namespace zel::test
