#pragma once
#include "core/MatchState.h"

namespace zel::ai {

// What the rules reward, as numbers the search compares. A fall decides a
// match, so falls weigh far more than where the pieces stand.
struct ScoreWeights {
    double Win = 10000;          // the last opponent is off and our side stays
    double OwnFallAlone = 5000;  // our piece off in a free-for-all: we are out
    double OwnFallTeam = 400;    // our piece off in a team match: the partners go on
    double KnockOff = 100;       // per opponent off the table
    double PartnerFall = 150;    // per partner off the table
    double OwnExposure = 80;     // our piece at an open edge (full weight on the rim)
    double PartnerExposure = 30; // a partner at an open edge
    double OpponentExposure = 12;  // an opponent left at an open edge: easier next time
    double OwnDanger = 150;      // an opponent could drive our piece over an open edge
    double PartnerDanger = 50;   // likewise a partner
    double Reply = 0.4;          // share of the next opponent's best reply held against a strike
};

inline constexpr ScoreWeights kScoreWeights{};

// Whether a and b play against each other: everyone else in a free-for-all,
// the other side in a team match.
bool AreOpponents(const MatchState& s, int a, int b);

// Distance from (x, y) to the nearest edge of the table that no wall covers;
// a large number when walls cover every edge.
double OpenEdgeDistance(const MatchState& s, double x, double y);

// 0 for a piece well inside, rising to 1 on an open edge.
double Exposure(const MatchState& s, int piece);

// How easily an opponent's straight shot could drive `piece` off the table:
// for each opponent on the table, how little open table lies behind the
// piece on the line from that opponent through it (walls stop the piece),
// less for a far opponent, who aims less surely. 0 (safe) .. 1.
double ShotDanger(const MatchState& s, int piece);

// How good the table `after` (at rest after `me`'s strike) is for `me`,
// compared with `before` (the table as the strike began).
double ScorePosition(const MatchState& before, const MatchState& after, int me);

// Whether the match is over on `after` for the side of `me`: no opponent
// is left, or nobody of its side is.
bool SideDecided(const MatchState& after, int me);

}  // namespace zel::ai
