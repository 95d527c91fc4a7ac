#include "render/FallenPieceLayout.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zel::render {

namespace {

// Along-edge offsets tried for a piece whose place is taken, in spacings:
// 0, +1, -1, +2, -2, ... Each earlier piece can block at most two of them,
// so seven earlier pieces always leave one free.
constexpr int kOffsetsTried = 17;

double OffsetAt(int k) { return (k % 2 == 1 ? 1 : -1) * static_cast<double>((k + 1) / 2); }

// A fallen piece to lay: where it would lie with nothing in the way.
struct Fallen {
    int number = 0;          // participant
    bool known = false;      // it has a leave point
    std::int16_t order = 0;  // fall order of its leave point
    double x = 0, y = 0;     // the rim point it left from
    double outX = 0, outY = 0;  // the way out
    double phi = 0;          // heading it lies with
};

Fallen Describe(const MatchState& s, int i) {
    Fallen f;
    f.number = i;
    const LeavePoint& p = s.LeftTable[static_cast<std::size_t>(i)];
    if (p.Known) {
        f.known = true;
        f.order = p.Order;
        f.x = p.X;
        f.y = p.Y;
        f.outX = p.OutX;
        f.outY = p.OutY;
        f.phi = p.Phi;
        return f;
    }
    // No leave point: beside an edge a piece can fall over.
    const bool wallAlongX0 = IsSet(s.Border) && s.BordMode != 1;
    if (wallAlongX0) {
        f.x = s.MaxX / 2.0;
        f.outY = -1;
    } else {
        f.y = s.MaxY / 2.0;
        f.outX = -1;
    }
    f.phi = s.Vembas[static_cast<std::size_t>(i)].Phi;
    return f;
}

}  // namespace

std::array<FloorPlace, kMaxParticipants + 1> LayOutFallenPieces(const MatchState& s) {
    std::array<FloorPlace, kMaxParticipants + 1> places{};
    std::vector<Fallen> fallen;
    const int n = std::min<int>(s.Num, kMaxParticipants);
    for (int i = 1; i <= n; ++i)
        if (s.Vembas[static_cast<std::size_t>(i)].Life != kTrue) fallen.push_back(Describe(s, i));
    std::stable_sort(fallen.begin(), fallen.end(), [](const Fallen& a, const Fallen& b) {
        if (a.known != b.known) return !a.known;
        return a.order < b.order;
    });

    std::vector<FloorPlace> laid;
    for (const Fallen& f : fallen) {
        const double cx = f.x + f.outX * kFloorClearance;
        const double cy = f.y + f.outY * kFloorClearance;
        FloorPlace at;
        at.Phi = f.phi;
        for (int k = 0; k < kOffsetsTried; ++k) {
            // Along the rim: the way out turned a quarter.
            const double along = OffsetAt(k) * kFloorSpacing;
            at.X = cx - f.outY * along;
            at.Y = cy + f.outX * along;
            const bool taken = std::any_of(laid.begin(), laid.end(), [&](const FloorPlace& o) {
                const double dx = o.X - at.X;
                const double dy = o.Y - at.Y;
                return dx * dx + dy * dy < kFloorSpacing * kFloorSpacing;
            });
            if (!taken) break;
        }
        laid.push_back(at);
        places[static_cast<std::size_t>(f.number)] = at;
    }
    return places;
}

}  // namespace zel::render
