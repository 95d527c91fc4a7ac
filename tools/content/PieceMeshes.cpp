#include "PieceMeshes.h"

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "CircleUnion.h"
#include "MeshShapes.h"
#include "PieceCircles.h"

namespace zel::content {
namespace {

constexpr double kPi = 3.14159265358979323846;

// The puck's profile, mesh units. The top stays well below the name labels,
// which float 15 units (1.5 scene units) above the piece's frame.
struct PuckProfile {
    double SideTop = 6.0;       // height of the straight side wall
    double Bevel = 1.5;         // the rim bevel: as far inwards as it rises
    double BossRadius = 5.0;    // the raised boss marking the centre of rotation
    double BossHeight = 1.0;    // how far the boss stands above the top
    double MaxArcStep = kPi / 36;  // 5 degrees: under 0.02 units off a radius-20 rim
    double OvalHalfWidth = 16;  // model 4, along x
    double OvalHalfLength = 24; // model 4, along z
    int OvalSteps = 72;         // model 4 outline points
    int BossSteps = 24;
};
constexpr PuckProfile kProfile{};

// Colours per model: body, then rim and boss.
struct PieceColours {
    Rgb Body;
    Rgb Rim;
};
constexpr PieceColours kColours[5] = {
    {{0.78, 0.16, 0.14}, {0.96, 0.80, 0.30}},  // 0: red with a gold rim
    {{0.15, 0.33, 0.78}, {0.88, 0.90, 0.95}},  // 1: blue with a silver rim
    {{0.95, 0.62, 0.10}, {0.40, 0.20, 0.08}},  // 2: amber with a dark rim
    {{0.52, 0.24, 0.68}, {0.96, 0.86, 0.40}},  // 3: violet with a gold rim
    {{0.10, 0.58, 0.62}, {0.92, 0.94, 0.90}},  // 4: teal with a pale rim
};
constexpr PieceColours kGray{{0.50, 0.50, 0.52}, {0.78, 0.78, 0.80}};

// One outline point in the table plane with the outward normal there.
struct OutlinePoint {
    double X, Y;    // position, table units
    double Nx, Ny;  // outward unit normal
};
// A smooth stretch of outline; consecutive runs share their end points, and
// the corner between them stays sharp.
using OutlineRun = std::vector<OutlinePoint>;

std::vector<OutlineRun> CircleRuns(const std::vector<PieceCircle>& circles) {
    std::vector<OutlineRun> runs;
    for (const OutlineArc& arc : UnionOutline(circles)) {
        OutlineRun run;
        for (double a : ArcAngles(arc, kProfile.MaxArcStep)) {
            const RimPoint p = PointOnRim(circles[arc.Circle], a);
            run.push_back({p.X, p.Y, p.Nx, p.Ny});
        }
        runs.push_back(run);
    }
    return runs;
}

std::vector<OutlineRun> OvalRuns() {
    const double a = kProfile.OvalHalfWidth;
    const double b = kProfile.OvalHalfLength;
    OutlineRun run;
    for (int k = 0; k <= kProfile.OvalSteps; ++k) {
        const double t = 2 * kPi * (k % kProfile.OvalSteps) / kProfile.OvalSteps;
        const double nx = std::cos(t) / a;
        const double ny = std::sin(t) / b;
        const double len = std::hypot(nx, ny);
        run.push_back({a * std::cos(t), b * std::sin(t), nx / len, ny / len});
    }
    return {run};
}

// Table plane to mesh: x stays, table y becomes -z.
Vec3 MeshPoint(double x, double y, double height) { return {x, height, -y}; }

// Moves a point towards the centre by `by` along the line to it.
OutlinePoint PullIn(const OutlinePoint& p, double by) {
    const double r = std::hypot(p.X, p.Y);
    const double k = (r - by) / r;
    return {p.X * k, p.Y * k, p.Nx, p.Ny};
}

// The top face is a fan from the centre, which is only right when every
// outline point is seen from the centre in turn: the outline must be
// star-shaped about the piece's centre of rotation. Every piece model is.
void RequireStarShaped(const std::vector<OutlineRun>& runs) {
    for (const OutlineRun& run : runs) {
        for (std::size_t k = 0; k + 1 < run.size(); ++k) {
            const double turn = run[k].X * run[k + 1].Y - run[k].Y * run[k + 1].X;
            if (turn <= 0) throw std::runtime_error("piece outline is not star-shaped about its centre");
        }
    }
}

Mesh BuildPuck(const std::string& name, const std::vector<OutlineRun>& runs, const PieceColours& colours) {
    RequireStarShaped(runs);
    Mesh mesh;
    mesh.Name = name;
    const int body = mesh.AddMaterial({name + "Body", colours.Body, 20, {0.25, 0.25, 0.25}, {}});
    const int rim = mesh.AddMaterial({name + "Rim", colours.Rim, 30, {0.45, 0.45, 0.45}, {}});
    const PuckProfile& pr = kProfile;
    const double top = pr.SideTop + pr.Bevel;
    const Vec3 up{0, 1, 0};

    for (const OutlineRun& run : runs) {
        int prevLow = -1, prevHigh = -1, prevEdge = -1, prevInner = -1;
        for (const OutlinePoint& p : run) {
            const Vec3 side{p.Nx, 0, -p.Ny};
            const Vec3 bevel = Normalized(side + up);
            const OutlinePoint q = PullIn(p, pr.Bevel);
            const int low = mesh.AddVertex(MeshPoint(p.X, p.Y, 0), side);
            const int high = mesh.AddVertex(MeshPoint(p.X, p.Y, pr.SideTop), side);
            const int edge = mesh.AddVertex(MeshPoint(p.X, p.Y, pr.SideTop), bevel);
            const int inner = mesh.AddVertex(MeshPoint(q.X, q.Y, top), bevel);
            if (prevLow >= 0) {
                mesh.AddQuad(prevLow, low, high, prevHigh, body);
                mesh.AddQuad(prevEdge, edge, inner, prevInner, rim);
            }
            prevLow = low;
            prevHigh = high;
            prevEdge = edge;
            prevInner = inner;
        }
    }

    // Top and bottom: fans from the centre over the whole outline.
    const int topCentre = mesh.AddVertex({0, top, 0}, up);
    const int bottomCentre = mesh.AddVertex({0, 0, 0}, {0, -1, 0});
    for (const OutlineRun& run : runs) {
        int prevTop = -1, prevBottom = -1;
        for (const OutlinePoint& p : run) {
            const OutlinePoint q = PullIn(p, pr.Bevel);
            const int t = mesh.AddVertex(MeshPoint(q.X, q.Y, top), up);
            const int b = mesh.AddVertex(MeshPoint(p.X, p.Y, 0), {0, -1, 0});
            if (prevTop >= 0) {
                mesh.AddTriangle(topCentre, prevTop, t, body);
                mesh.AddTriangle(bottomCentre, prevBottom, b, body);
            }
            prevTop = t;
            prevBottom = b;
        }
    }

    AddFrustum(mesh, 0, 0, top, pr.BossRadius, top + pr.BossHeight, pr.BossRadius, pr.BossSteps, rim);
    AddDisc(mesh, 0, top + pr.BossHeight, 0, pr.BossRadius, true, pr.BossSteps, rim);
    return mesh;
}

}  // namespace

Mesh BuildPieceMesh(int model, bool gray) {
    if (model < 0 || model > 4) throw std::invalid_argument("no piece model " + std::to_string(model));
    const std::vector<OutlineRun> runs = model == 4 ? OvalRuns() : CircleRuns(PieceCirclesOf(model));
    const std::string name = "Vemba" + std::to_string(model) + (gray ? "Gray" : "");
    return BuildPuck(name, runs, gray ? kGray : kColours[model]);
}

}  // namespace zel::content
