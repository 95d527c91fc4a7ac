#include "CircleUnion.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace zel::content {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;
// Lengths closer than this (table units) count as equal; the piece circles
// are a few tens of units across.
constexpr double kEps = 1e-9;

// A stretch of a rim, as angles about the circle's centre.
struct Interval {
    double From;  // start, radians
    double To;    // end, radians, To >= From
};

// True when circle `i` is covered by circle `j` as a whole. Of two equal
// circles the later one is the covered one, so exactly one survives.
bool Covers(const PieceCircle& j, const PieceCircle& i, bool jFirst) {
    const double d = std::hypot(i.X - j.X, i.Y - j.Y);
    if (d < kEps && std::abs(i.Rad - j.Rad) < kEps) return jFirst;
    return d + i.Rad <= j.Rad + kEps;
}

// The uncovered parts of circle i's rim, as anticlockwise angle intervals
// starting in [0, 2 pi); the last one may run on past 2 pi.
std::vector<Interval> FreeParts(const std::vector<PieceCircle>& circles, std::size_t i) {
    const PieceCircle& c = circles[i];
    std::vector<Interval> covered;
    for (std::size_t j = 0; j < circles.size(); ++j) {
        if (j == i) continue;
        const PieceCircle& o = circles[j];
        if (Covers(o, c, j < i)) return {};
        const double dx = o.X - c.X;
        const double dy = o.Y - c.Y;
        const double d = std::hypot(dx, dy);
        if (d >= c.Rad + o.Rad - kEps) continue;  // apart or touching: covers no arc
        if (d + o.Rad <= c.Rad + kEps) continue;  // inside us: covers no rim
        const double half = std::acos(std::clamp((d * d + c.Rad * c.Rad - o.Rad * o.Rad) / (2 * d * c.Rad), -1.0, 1.0));
        const double mid = std::atan2(dy, dx);
        covered.push_back({mid - half, mid + half});
    }
    if (covered.empty()) return {{0, kTwoPi}};

    // Bring every interval into [0, 2 pi), splitting the ones that run over
    // the end, then sweep once round.
    std::vector<Interval> parts;
    for (Interval iv : covered) {
        const double shift = std::floor(iv.From / kTwoPi) * kTwoPi;
        iv.From -= shift;
        iv.To -= shift;
        if (iv.To > kTwoPi) {
            parts.push_back({iv.From, kTwoPi});
            parts.push_back({0, iv.To - kTwoPi});
        } else {
            parts.push_back(iv);
        }
    }
    std::sort(parts.begin(), parts.end(), [](const Interval& a, const Interval& b) { return a.From < b.From; });
    std::vector<Interval> free;
    double reach = 0;  // everything from 0 to reach is covered or already listed
    for (const Interval& iv : parts) {
        if (iv.From > reach + kEps) free.push_back({reach, iv.From});
        reach = std::max(reach, iv.To);
    }
    if (reach < kTwoPi - kEps) free.push_back({reach, kTwoPi});
    // A free part that ends at 2 pi goes on from 0: join the two.
    if (free.size() > 1 && free.front().From < kEps && free.back().To > kTwoPi - kEps) {
        free.back().To = kTwoPi + free.front().To;
        free.erase(free.begin());
    }
    return free;
}

}  // namespace

RimPoint PointOnRim(const PieceCircle& c, double angle) {
    const double nx = std::cos(angle);
    const double ny = std::sin(angle);
    return {c.X + c.Rad * nx, c.Y + c.Rad * ny, nx, ny};
}

std::vector<double> ArcAngles(const OutlineArc& arc, double maxStep) {
    const int steps = std::max(1, static_cast<int>(std::ceil((arc.To - arc.From) / maxStep)));
    std::vector<double> a;
    for (int k = 0; k <= steps; ++k) a.push_back(arc.From + (arc.To - arc.From) * k / steps);
    return a;
}

std::vector<OutlineArc> UnionOutline(const std::vector<PieceCircle>& circles) {
    std::vector<OutlineArc> arcs;
    for (std::size_t i = 0; i < circles.size(); ++i) {
        for (const Interval& iv : FreeParts(circles, i)) arcs.push_back({static_cast<int>(i), iv.From, iv.To});
    }
    if (arcs.empty()) throw std::runtime_error("outline: no circles");

    // Chain the arcs: each one continues where the previous one ended.
    std::vector<OutlineArc> loop{arcs.front()};
    std::vector<bool> used(arcs.size(), false);
    used[0] = true;
    for (std::size_t n = 1; n < arcs.size(); ++n) {
        const OutlineArc& last = loop.back();
        const RimPoint end = PointOnRim(circles[last.Circle], last.To);
        std::size_t best = arcs.size();
        double bestDist = 1e-6;  // arc ends meet far closer than this, or not at all
        for (std::size_t k = 0; k < arcs.size(); ++k) {
            if (used[k]) continue;
            const RimPoint s = PointOnRim(circles[arcs[k].Circle], arcs[k].From);
            const double dist = std::hypot(s.X - end.X, s.Y - end.Y);
            if (dist < bestDist) {
                best = k;
                bestDist = dist;
            }
        }
        if (best == arcs.size()) throw std::runtime_error("outline: the circles do not form one closed loop");
        used[best] = true;
        loop.push_back(arcs[best]);
    }
    const RimPoint end = PointOnRim(circles[loop.back().Circle], loop.back().To);
    const RimPoint begin = PointOnRim(circles[loop.front().Circle], loop.front().From);
    if (std::hypot(end.X - begin.X, end.Y - begin.Y) > 1e-6) {
        throw std::runtime_error("outline: the loop does not close");
    }
    return loop;
}

}  // namespace zel::content
