#include "physics/Contact.h"

#include <bit>
#include <cmath>

#include "physics/BodyMotion.h"
#include "physics/ContactSearch.h"
#include "physics/Motion.h"
#include "physics/StepLimits.h"

namespace zel {

std::int16_t ShapeCircleCount(const MatchState& s, const VembaRecord& rec) {
    return static_cast<std::int16_t>(SlotCount(s, rec.RMod));
}

Circle GetWorldCircle(const MatchState& s, const VembaRecord& rec, int k) {
    if (k < 1 || k > SlotCount(s, rec.RMod)) {
        Circle c;
        c.X = rec.Xpos;
        c.Y = rec.Ypos;
        c.Rad = 0;
        return c;
    }
    const Circle& c = ShapeOf(s, rec.RMod)->Circles[static_cast<std::size_t>(k)];
    return PlaceCircle(c, std::cos(rec.Phi), std::sin(rec.Phi), rec.Xpos, rec.Ypos);
}

bool CirclesIntersect(const Circle& a, const Circle& b) {
    return std::sqrt((a.X - b.X) * (a.X - b.X) + (a.Y - b.Y) * (a.Y - b.Y)) < a.Rad + b.Rad;
}

namespace {

TrialBody TrialOf(const MatchState& s, const PhysBody& b) {
    TrialBody t;
    t.Reset(b, SlotCount(s, b.RMod));
    return t;
}

// The double loop of the body test over two placed bodies.
TouchPair TouchPlaced(const MatchState& s, TrialBody& a, TrialBody& b) {
    TouchPair none;
    if (!IsSet(a.b.Life) || !IsSet(b.b.Life)) return none;
    a.Place(s);
    b.Place(s);
    for (int p = 1; p <= a.count; ++p)
        for (int q = 1; q <= b.count; ++q)
            if (CirclesIntersect(a.world[static_cast<std::size_t>(p)], b.world[static_cast<std::size_t>(q)])) {
                TouchPair t;
                t.FirstCircle = p;
                t.SecondCircle = q;
                return t;
            }
    return none;
}

bool ValidBody(int k) { return k >= 1 && k <= kRecordCount; }

}  // namespace

TouchPair VembasTouch(const MatchState& s, const VembaRecord& a, const VembaRecord& b) {
    TrialBody ta = TrialOf(s, ToBody(a));
    TrialBody tb = TrialOf(s, ToBody(b));
    return TouchPlaced(s, ta, tb);
}

TouchPair TestPair(MatchState& s, int i, int j, double dt) {
    if (!ValidBody(i) || !ValidBody(j)) return TouchPair{};
    VembaRecord& ri = s.Vembas[static_cast<std::size_t>(i)];
    VembaRecord& rj = s.Vembas[static_cast<std::size_t>(j)];
    if (IsImmovable(ri.RMod) && IsImmovable(rj.RMod)) return TouchPair{};
    PhysBody a = ToBody(ri);
    PhysBody b = ToBody(rj);
    MoveBody(s, a, dt);
    MoveBody(s, b, dt);
    TrialBody ta = TrialOf(s, a);
    TrialBody tb = TrialOf(s, b);
    return TouchPlaced(s, ta, tb);
}

ContactRec FindContact(MatchState& s, double dt) {
    ContactSearcher search(s);
    return search.FindFirst(s, dt);
}

namespace {

// The unit vector from circle c1's centre towards c2's. Concentric circles
// (only pieces stacked exactly on each other) have no such line; they are
// pushed apart along x rather than by a vector that is not a number.
void ContactNormal(const Circle& c1, const Circle& c2, double& nx, double& ny) {
    const double len = std::sqrt((c2.X - c1.X) * (c2.X - c1.X) + (c2.Y - c1.Y) * (c2.Y - c1.Y));
    if (len > 0) {
        nx = (c2.X - c1.X) / len;
        ny = (c2.Y - c1.Y) / len;
    } else {
        nx = 1;
        ny = 0;
    }
}

bool MovingApart(const VembaRecord& vi, const VembaRecord& vj, double nx, double ny) {
    return (vj.Xvec - vi.Xvec) * nx + (vj.Yvec - vi.Yvec) * ny > 0;
}

// One push precomputed: the segment is the same for every push of a
// contact (positions do not change during the response), so each push adds
// the same three increments. Adding a precomputed increment gives the same
// bits as computing it again.
struct PushPlan {
    double dX = 0, dY = 0;       // the rewritten segment's direction
    double addX = 0, addY = 0;   // velocity increments ((d / L) * 0.1) / m
    double subU = 0;             // turn decrement, 0 when there is no lever
    bool push = false;           // the direction has a length: push at all
    bool turn = false;           // the lever has a length: turn as well
};

// A mass below 1 never comes from the game; dividing by it would throw the
// piece off at an infinite or reversed speed.
double PushMass(const VembaRecord& rec) { return rec.RM >= 1 ? static_cast<double>(rec.RM) : 1.0; }

PushPlan PlanPush(const VembaRecord& rec, const Segment& seg) {
    PushPlan p;
    p.dX = SegDX(seg);
    p.dY = SegDY(seg);
    const double len = SegLength(seg);
    const double m = PushMass(rec);
    p.push = (len > 0) && std::isfinite(len);
    if (!p.push) return p;
    p.addX = p.dX / len * 0.1 / m;
    p.addY = p.dY / len * 0.1 / m;
    const double rx = rec.Xpos - seg.X1;
    const double ry = rec.Ypos - seg.Y1;
    const double rlen = Hypot(rx, ry);
    p.turn = (rlen > 0) && std::isfinite(rlen);
    if (p.turn) p.subU = (ry * p.dX - rx * p.dY) / len / rlen * 0.01 / m;
    return p;
}

bool Pushable(const VembaRecord& rec) { return !IsImmovable(rec.RMod) && IsSet(rec.Life); }

void ApplyPush(VembaRecord& rec, const PushPlan& p) {
    if (!p.push) return;
    rec.Xvec = rec.Xvec + p.addX;
    rec.Yvec = rec.Yvec + p.addY;
    if (p.turn) rec.u = rec.u - p.subU;
}

// A trial body's circle with its heading's cosine and sine kept while the
// heading stays the same bits (it often does over a tiny dt).
struct TrialCircle {
    bool have = false;
    std::uint64_t phiBits = 0;
    double cs = 1, sn = 0;

    Circle At(const Circle& shapeCircle, const PhysBody& b) {
        // A circle on the body's centre lands on the centre whatever the
        // heading (up to the sign of a zero, which the overlap test squares
        // away); only a heading that is not a number would place it at NaN.
        if (shapeCircle.X == 0 && shapeCircle.Y == 0 && std::isfinite(b.Phi)) {
            Circle w;
            w.X = b.Xpos;
            w.Y = b.Ypos;
            w.Rad = shapeCircle.Rad;
            return w;
        }
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(b.Phi);
        if (!have || bits != phiBits) {
            cs = std::cos(b.Phi);
            sn = std::sin(b.Phi);
            phiBits = bits;
            have = true;
        }
        return PlaceCircle(shapeCircle, cs, sn, b.Xpos, b.Ypos);
    }
};

}  // namespace

void PushVemba(VembaRecord& rec, Segment& seg) {
    if (!Pushable(rec)) return;
    const PushPlan p = PlanPush(rec, seg);
    seg.X2 = p.dX;
    seg.Y2 = p.dY;
    ApplyPush(rec, p);
}

bool OverlapDriftingApart(const MatchState& s, int i, int j, int p, int q) {
    if (!ValidBody(i) || !ValidBody(j)) return false;
    const VembaRecord& vi = s.Vembas[static_cast<std::size_t>(i)];
    const VembaRecord& vj = s.Vembas[static_cast<std::size_t>(j)];
    if (!IsSet(vi.Life) || !IsSet(vj.Life)) return false;
    const Circle c1 = GetWorldCircle(s, vi, p);
    const Circle c2 = GetWorldCircle(s, vj, q);
    if (!CirclesIntersect(c1, c2)) return false;
    double nx, ny;
    ContactNormal(c1, c2, nx, ny);
    return MovingApart(vi, vj, nx, ny);
}

std::int32_t ResolveContact(MatchState& s, double dt, const ContactRec& c, std::int32_t maxVolleys) {
    // The record carries doubles; anything that is not a body and slot of
    // this table is no contact.
    if (!(c.First >= 1 && c.First <= kRecordCount && c.Second >= 1 && c.Second <= kRecordCount)) return 0;
    const int i = static_cast<int>(c.First);
    const int j = static_cast<int>(c.Second);
    VembaRecord& vi = s.Vembas[static_cast<std::size_t>(i)];
    VembaRecord& vj = s.Vembas[static_cast<std::size_t>(j)];
    if (!(c.FirstCircle >= 1 && c.FirstCircle <= SlotCount(s, vi.RMod))) return 0;
    if (!(c.SecondCircle >= 1 && c.SecondCircle <= SlotCount(s, vj.RMod))) return 0;
    const int p = static_cast<int>(c.FirstCircle);
    const int q = static_cast<int>(c.SecondCircle);
    // A trial move of this very search may have taken one of them off the table.
    if (!IsSet(vi.Life) || !IsSet(vj.Life)) return 0;

    const Circle c1 = GetWorldCircle(s, vi, p);
    const Circle c2 = GetWorldCircle(s, vj, q);
    double nx, ny;
    ContactNormal(c1, c2, nx, ny);
    // In play the real positions never overlap at the start of a step (a
    // body only moves when nothing touches after the move). Overlap now
    // means the pair started the step sunk into each other; waiting for the
    // trial copies to part over a step of 1e-7 would need an absurd speed, so
    // such a pair stops pushing as soon as it moves apart along n.
    const bool sunk = CirclesIntersect(c1, c2);

    // j is pushed from its rim point facing i towards its centre (along +n),
    // i from its rim point facing j towards its centre (along -n).
    const PushPlan pj = PlanPush(vj, Segment{c2.X - nx * c2.Rad, c2.Y - ny * c2.Rad, c2.X, c2.Y});
    const PushPlan pi = PlanPush(vi, Segment{c1.X + nx * c1.Rad, c1.Y + ny * c1.Rad, c1.X, c1.Y});
    auto volley = [&] {
        if (Pushable(vj)) ApplyPush(vj, pj);
        if (Pushable(vi)) ApplyPush(vi, pi);
    };

    const VembaShape& shapeI = *ShapeOf(s, vi.RMod);
    const VembaShape& shapeJ = *ShapeOf(s, vj.RMod);
    const Circle& circleP = shapeI.Circles[static_cast<std::size_t>(p)];
    const Circle& circleQ = shapeJ.Circles[static_cast<std::size_t>(q)];
    TrialCircle trialP, trialQ;

    std::int32_t count = 0;
    if (sunk) {
        // No trial moves: over a step this small they cannot pull a sunk
        // pair apart, so only the bodies' motion along n decides.
        do {
            volley();
            ++count;
        } while (!MovingApart(vi, vj, nx, ny) && count < maxVolleys);
        for (std::int32_t k = 0; k <= count; ++k) volley();
        return count;
    }
    for (;;) {
        volley();
        PhysBody a = ToBody(vi);
        PhysBody b = ToBody(vj);
        MoveBody(s, a, dt);
        MoveBody(s, b, dt);
        ++count;
        if (count >= maxVolleys) break;
        if (!CirclesIntersect(trialP.At(circleP, a), trialQ.At(circleQ, b))) break;
    }
    for (std::int32_t k = 0; k <= count; ++k) volley();
    return count;
}

void ResolveContact(MatchState& s, double dt, const ContactRec& c) {
    ResolveContact(s, dt, c, kMaxSeparationVolleys);
}

}  // namespace zel
