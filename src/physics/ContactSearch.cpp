#include "physics/ContactSearch.h"

#include <algorithm>
#include <cmath>

#include "physics/Contact.h"

namespace zel {

ShapeReach MeasureShapes(const MatchState& s) {
    ShapeReach r;
    for (int m = 0; m < kModelCount; ++m) {
        const VembaShape& sh = s.Shapes[static_cast<std::size_t>(m)];
        const int n = SlotCount(s, static_cast<std::int16_t>(m));
        double reach = 0;
        for (int k = 1; k <= n; ++k) {
            const Circle& c = sh.Circles[static_cast<std::size_t>(k)];
            reach = std::max(reach, Hypot(c.X, c.Y) + std::fabs(c.Rad));
        }
        r.Reach[static_cast<std::size_t>(m)] = reach;
    }
    return r;
}

void TrialBody::Place(const MatchState& s) {
    if (placed) return;
    if (!trig) {
        cs = std::cos(b.Phi);
        sn = std::sin(b.Phi);
        trig = true;
    }
    const VembaShape* sh = ShapeOf(s, b.RMod);
    for (int k = 1; k <= count; ++k)
        world[static_cast<std::size_t>(k)] = PlaceCircle(sh->Circles[static_cast<std::size_t>(k)], cs, sn, b.Xpos, b.Ypos);
    placed = true;
}

ContactSearcher::ContactSearcher(const MatchState& s) : reach_(MeasureShapes(s)) {}

TouchPair ContactSearcher::Touch(const MatchState& s, TrialBody& a, TrialBody& b) {
    TouchPair none;
    if (a.count == 0 || b.count == 0) return none;
    const double ra = reach_.Reach[static_cast<std::size_t>(a.b.RMod)];
    const double rb = reach_.Reach[static_cast<std::size_t>(b.b.RMod)];
    if (CertainlyApart(a.b.Xpos, a.b.Ypos, b.b.Xpos, b.b.Ypos, ra + rb)) return none;
    a.Place(s);
    b.Place(s);
    for (int p = 1; p <= a.count; ++p) {
        const Circle& cp = a.world[static_cast<std::size_t>(p)];
        // A circle of a that cannot reach anything of b cannot give a pair;
        // skipping it keeps the order of the pairs that remain.
        if (CertainlyApart(cp.X, cp.Y, b.b.Xpos, b.b.Ypos, std::fabs(cp.Rad) + rb)) continue;
        for (int q = 1; q <= b.count; ++q) {
            if (CirclesIntersect(cp, b.world[static_cast<std::size_t>(q)])) {
                TouchPair t;
                t.FirstCircle = p;
                t.SecondCircle = q;
                return t;
            }
        }
    }
    return none;
}

ContactRec ContactSearcher::FindFirst(MatchState& s, double dt) {
    const int n = std::min(BodyCount(s), kRecordCount);
    valid_.fill(false);

    // Moves record k's current state on trial into trial_[k]. The move may
    // eliminate a table record (a copy that leaves the table takes the real
    // piece with it); that record's cached trial is then stale. A trial
    // whose move eliminated anything is not reused either: the plain search
    // would repeat that move, with its booking, on the next pair.
    auto makeTrial = [&](int k, const PhysBody& from) -> int {
        TrialBody& t = trial_[static_cast<std::size_t>(k)];
        t.Reset(from, SlotCount(s, from.RMod));
        const int e = MoveBody(s, t.b, dt);
        valid_[static_cast<std::size_t>(k)] = (e == 0);
        if (e != 0) valid_[static_cast<std::size_t>(e)] = false;
        return e;
    };

    for (int i = 1; i < n; ++i) {
        const bool fixedI = IsImmovable(s.Vembas[static_cast<std::size_t>(i)].RMod);
        for (int j = i + 1; j <= n; ++j) {
            // Two bodies that never move never touch, and moving them on
            // trial changes nothing: the pair is simply not a pair.
            if (fixedI && IsImmovable(s.Vembas[static_cast<std::size_t>(j)].RMod)) continue;

            // The plain search copies both records before moving either, so
            // j's copy is taken before i's trial move can eliminate anything.
            const bool haveA = valid_[static_cast<std::size_t>(i)];
            const bool haveB = valid_[static_cast<std::size_t>(j)];
            PhysBody copyB;
            if (!haveB) copyB = ToBody(s.Vembas[static_cast<std::size_t>(j)]);
            bool bStale = false;
            if (!haveA) {
                const int e = makeTrial(i, ToBody(s.Vembas[static_cast<std::size_t>(i)]));
                bStale = (e == j);
            }
            if (!haveB) {
                makeTrial(j, copyB);
                if (bStale) valid_[static_cast<std::size_t>(j)] = false;
            }

            TrialBody& a = trial_[static_cast<std::size_t>(i)];
            TrialBody& b = trial_[static_cast<std::size_t>(j)];
            if (!IsSet(a.b.Life) || !IsSet(b.b.Life)) continue;
            const TouchPair t = Touch(s, a, b);
            if (t.FirstCircle == -1) continue;
            if (OverlapDriftingApart(s, i, j, static_cast<int>(t.FirstCircle), static_cast<int>(t.SecondCircle)))
                continue;
            ContactRec c;
            c.First = i;
            c.Second = j;
            c.FirstCircle = t.FirstCircle;
            c.SecondCircle = t.SecondCircle;
            return c;
        }
    }
    return ContactRec{};
}

}  // namespace zel
