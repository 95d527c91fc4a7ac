#pragma once
#include <array>
#include <cstdint>

#include "core/MatchState.h"
#include "physics/BodyMotion.h"
#include "physics/Contact.h"
#include "physics/Geometry.h"
#include "physics/Shapes.h"

// The game's fast first-contact search. It gives exactly the result, the
// bits and the eliminations of the plain search (every pair i < j in order,
// fresh trial copies for each pair, stop at the first contact) while moving
// each body on trial only once per search and skipping pairs that are too
// far apart to touch. Internal to the physics.
namespace zel {

// A shape circle placed with a precomputed cosine and sine of the heading;
// the same formula, in the same order, as GetWorldCircle.
inline Circle PlaceCircle(const Circle& c, double cs, double sn, double x, double y) {
    Circle w;
    w.X = c.X * cs - c.Y * sn + x;
    w.Y = c.Y * cs + c.X * sn + y;
    w.Rad = c.Rad;
    return w;
}

// The model's shape, or nullptr for a model outside the table.
inline const VembaShape* ShapeOf(const MatchState& s, std::int16_t rmod) {
    if (rmod < 0 || rmod >= kModelCount) return nullptr;
    return &s.Shapes[static_cast<std::size_t>(rmod)];
}

// Slots in use, kept inside the 19 a shape can hold.
inline int SlotCount(const MatchState& s, std::int16_t rmod) {
    const VembaShape* sh = ShapeOf(s, rmod);
    if (sh == nullptr) return 0;
    const int n = sh->Count;
    return n < 0 ? 0 : (n > 19 ? 19 : n);
}

// How far each model's circles reach from its centre.
struct ShapeReach {
    std::array<double, kModelCount> Reach{};  // max over slots of |centre| + radius
};
ShapeReach MeasureShapes(const MatchState& s);

// A generous allowance for rounding when deciding from centres and reaches
// that two bodies cannot touch: the exact test works on circle centres that
// carry a few units in the last place of the coordinates, this allows a
// billionth of all magnitudes involved.
inline double RoundingSlack(double reach, double xa, double ya, double xb, double yb) {
    return 1e-9 * (reach + std::fabs(xa) + std::fabs(ya) + std::fabs(xb) + std::fabs(yb)) + 1e-9;
}

// True only when the two discs (centre, reach) certainly do not meet. NaN
// and infinite inputs never count as apart; the exact test decides them.
inline bool CertainlyApart(double xa, double ya, double xb, double yb, double reach) {
    const double dx = xa - xb;
    const double dy = ya - yb;
    const double lim = reach + RoundingSlack(reach, xa, ya, xb, yb);
    return dx * dx + dy * dy > lim * lim;
}

// One body moved on trial, with its heading's cosine and sine and its placed
// circles, each computed only when a pair test needs them.
struct TrialBody {
    PhysBody b;                    // the moved copy
    bool trig = false;             // cs/sn hold cos/sin of b.Phi
    bool placed = false;           // world holds the placed circles
    int count = 0;                 // slots of the model
    double cs = 1, sn = 0;         // cos and sin of b.Phi
    std::array<Circle, 20> world;  // [1..count] circles on the table

    void Reset(const PhysBody& body, int slots) {
        b = body;
        trig = false;
        placed = false;
        count = slots;
    }
    void Place(const MatchState& s);
};

// First contact search with per-body caching. Reused across all searches of
// one tick so its storage is set up once.
class ContactSearcher {
public:
    explicit ContactSearcher(const MatchState& s);
    ContactRec FindFirst(MatchState& s, double dt);

private:
    TouchPair Touch(const MatchState& s, TrialBody& a, TrialBody& b);

    ShapeReach reach_;                                // per-model reach
    std::array<TrialBody, kRecordCount + 1> trial_;   // [1..16] this search's trial copies
    std::array<bool, kRecordCount + 1> valid_{};      // trial_[k] was made from the current record k
};

}  // namespace zel
