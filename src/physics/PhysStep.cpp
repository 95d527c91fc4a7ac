#include "physics/PhysStep.h"

#include <algorithm>
#include <cmath>

#include "physics/Contact.h"
#include "physics/ContactSearch.h"
#include "physics/Motion.h"
#include "physics/StepLimits.h"

namespace zel {

namespace {

// Free motion of the participants' pieces; obstacles and walls never move.
void MoveAll(MatchState& s, double dt) {
    const int n = std::min<int>(s.Num, kRecordCount);
    for (int k = 1; k <= n; ++k) MoveVemba(s, s.Vembas[static_cast<std::size_t>(k)], dt);
}

// The heaviest participant still on the table sets how much contact work
// the tick may do. Fallen pieces, obstacles and walls take no pushes.
std::int32_t HeaviestMassOnTable(const MatchState& s) {
    const int n = std::min<int>(s.Num, kRecordCount);
    std::int32_t heaviest = 1;
    for (int k = 1; k <= n; ++k) {
        const VembaRecord& v = s.Vembas[static_cast<std::size_t>(k)];
        if (IsSet(v.Life)) heaviest = std::max<std::int32_t>(heaviest, v.RM);
    }
    return heaviest;
}

// One level of the recursive step. Resolving a contact and searching again
// with the same dt is a loop here rather than a further level of recursion:
// a cluster can resolve many contacts within the finest sub-step.
void Step(MatchState& s, double dt, TickBudget& budget, ContactSearcher& search) {
    for (;;) {
        if (budget.Exhausted()) {
            MoveAll(s, dt);
            return;
        }
        ++budget.searches;
        const ContactRec c = search.FindFirst(s, dt);
        if (c.First == -1) {
            MoveAll(s, dt);
            return;
        }
        if (dt <= kBisectionFloor) {
            budget.volleys += ResolveContact(s, dt, c, budget.VolleyAllowance());
            ++budget.resolutions;
            continue;
        }
        Step(s, dt / 2, budget, search);
        Step(s, dt / 2, budget, search);
        return;
    }
}

}  // namespace

TickBudget PhysStepMeasured(MatchState& s, double dt) {
    TickBudget budget = TickBudget::ForHeaviestMass(HeaviestMassOnTable(s));
    // A step that is not a finite time would halve forever.
    if (!std::isfinite(dt)) return budget;
    ContactSearcher search(s);
    Step(s, dt, budget, search);
    return budget;
}

void PhysStep(MatchState& s, double dt) { PhysStepMeasured(s, dt); }

}  // namespace zel
