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
// tick in bounded time instead of hanging the match window.
//
// A separation loop adds 0.1 / RM of relative speed per volley. The hardest
// real contact is a piece of mass 1000 sliding at full strike speed (10 per
// tick) into a wall: about 10 / (0.1 / 1000) = 100,000 volleys. The cap is
// twice that.
inline constexpr std::int32_t kMaxSeparationVolleys = 200000;

// Contacts resolved in one tick. A break of eight pieces resolves a few
// dozen at most; a persisting contact that keeps being found again within
// one sub-step is what this stops. Once it is spent, the rest of the tick
// moves the bodies freely without a contact search.
inline constexpr std::int32_t kTickContactBudget = 256;

// Separation volleys in one tick, all contacts together: five of the
// hardest real contacts in a single tick, about 0.1 s of work at worst.
// Spending it ends contact handling for the tick like the budget above.
inline constexpr std::int64_t kTickVolleyBudget = 1000000;

// Pair searches in one tick. A contact costs about 50 searches (24 halvings
// with a search on each side), so the contact budget alone needs about
// 13,000; this only guards against bisection that keeps finding contacts
// that are never resolved (rounding at the edge of a touch).
inline constexpr std::int32_t kTickSearchBudget = 65536;

// What one top-level tick has used so far. Both the game's physics and the
// reference transcription keep it the same way, so they spend it identically.
struct TickBudget {
    std::int32_t searches = 0;     // FindContact calls made in this tick
    std::int32_t resolutions = 0;  // ResolveContact calls made in this tick
    std::int64_t volleys = 0;      // separation volleys used in this tick

    bool Exhausted() const {
        return searches >= kTickSearchBudget || resolutions >= kTickContactBudget ||
               volleys >= kTickVolleyBudget;
    }
    // How many separation volleys the next contact may use.
    std::int32_t VolleyAllowance() const {
        const std::int64_t left = kTickVolleyBudget - volleys;
        return static_cast<std::int32_t>(std::min<std::int64_t>(kMaxSeparationVolleys, std::max<std::int64_t>(left, 1)));
    }
};

}  // namespace zel
