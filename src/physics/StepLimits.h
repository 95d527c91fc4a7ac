#pragma once
#include <algorithm>
#include <cstdint>

namespace zel {

// The time step halves around a contact until the sub-step is no longer
// above this; only then is the contact resolved. From dt = 1 that is 24
// halvings, down to 2^-24.
inline constexpr double kBisectionFloor = 1e-7;

// Work limits of one PhysStep(1.0). None of them is reached in a real match;
// they exist so that any state, however absurd (pieces stacked on each
// other, a piece sunk into a wall, a corrupt saved game), still finishes its
// tick in bounded time instead of hanging the match window. Once one of them
// is spent, the rest of the tick moves the bodies freely without a contact
// search, which lets them pass into each other: the limits must therefore
// stay above what any real contact needs.
//
// What a contact needs grows with the masses involved: every push changes a
// piece's speed by 0.1 / RM. Two limits grow with the heaviest piece on the
// table for that reason (TickBudget::ForHeaviestMass); with every mass at 1
// (the default) they are the fixed bases below. Raising a limit changes
// nothing in a tick that stays below it, so the physics of every tick that
// never spent the old limits stays the same bit for bit.

// Masses beyond the piece editor's range (never set by the game) scale the
// limits no further than the heaviest piece it allows.
inline constexpr std::int32_t kHeaviestScaledMass = 1000;

// A separation loop adds 0.1 / RM of relative speed per volley. The hardest
// real contact is a piece of mass 1000 sliding at full strike speed (10 per
// tick) into a wall: about 10 / (0.1 / 1000) = 100,000 volleys. The cap is
// twice that.
inline constexpr std::int32_t kMaxSeparationVolleys = 200000;

// Contacts resolved in one tick on a table of light pieces. A break of eight
// pieces resolves a few dozen at most; a persisting contact that keeps being
// found again within one sub-step is what this stops.
inline constexpr std::int32_t kTickContactBudget = 256;

// Further contacts per unit of the heaviest mass above 1. A heavy piece
// pressed against a wall or squeezing another piece against one is met again
// in sub-step after sub-step, and each meeting changes its speed only by a
// few pushes of 0.1 / RM: mass-1000 pieces driven at full strike speed into a
// wall, into each other or into a pack need up to about 7,000 contacts in
// one tick, a row of mass-10 discs pressed into a wall about 280. This gives
// 400 at mass 10 and 16,240 at mass 1000.
inline constexpr std::int32_t kTickContactsPerMass = 16;

// Separation volleys in one tick, all contacts together: five of the
// hardest real contacts in a single tick, about 0.1 s of work at worst.
// The heaviest packs use about 190,000.
inline constexpr std::int64_t kTickVolleyBudget = 1000000;

// Pair searches in one tick on a table of light pieces. A contact costs
// about 50 searches (24 halvings with a search on each side); this guards
// against bisection that keeps finding contacts that are never resolved
// (rounding at the edge of a touch).
inline constexpr std::int32_t kTickSearchBudget = 65536;

// Further searches per unit of the heaviest mass above 1. A pressed heavy
// piece met again a few sub-steps later costs a handful of searches per
// contact; the heaviest packs use about 55,000 searches in one tick. This
// gives 129,472 at mass 1000, about half a second of searching on a full
// table of eight pieces, obstacles and walls, reached only by absurd states.
inline constexpr std::int32_t kTickSearchesPerMass = 64;

// What one top-level tick may use and has used so far. Both the game's
// physics and the reference transcription set it up and keep it the same
// way, so they spend it identically.
struct TickBudget {
    std::int32_t searches = 0;     // FindContact calls made in this tick
    std::int32_t resolutions = 0;  // ResolveContact calls made in this tick
    std::int64_t volleys = 0;      // separation volleys used in this tick

    std::int32_t searchLimit = kTickSearchBudget;       // searches this tick may make
    std::int32_t resolutionLimit = kTickContactBudget;  // contacts this tick may resolve

    // The limits of a tick whose heaviest piece on the table has mass
    // `heaviest` (below 1 counts as 1, as the push does; above
    // kHeaviestScaledMass as that).
    static TickBudget ForHeaviestMass(std::int32_t heaviest) {
        const std::int32_t m = std::clamp<std::int32_t>(heaviest, 1, kHeaviestScaledMass);
        TickBudget b;
        b.resolutionLimit = kTickContactBudget + kTickContactsPerMass * (m - 1);
        b.searchLimit = kTickSearchBudget + kTickSearchesPerMass * (m - 1);
        return b;
    }

    bool Exhausted() const {
        return searches >= searchLimit || resolutions >= resolutionLimit || volleys >= kTickVolleyBudget;
    }
    // How many separation volleys the next contact may use.
    std::int32_t VolleyAllowance() const {
        const std::int64_t left = kTickVolleyBudget - volleys;
        return static_cast<std::int32_t>(std::min<std::int64_t>(kMaxSeparationVolleys, std::max<std::int64_t>(left, 1)));
    }
};

}  // namespace zel
