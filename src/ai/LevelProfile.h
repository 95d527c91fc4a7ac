#pragma once
#include <vector>

#include "core/PlayerKind.h"

namespace zel::ai {

// Which strikes a search tries from one position.
struct CandidatePlan {
    int Targets = 1;                  // nearest opponents aimed at
    // Where on a target to aim, as fractions of the widest hit that still
    // touches it (0 is dead centre, +-1 a graze).
    std::vector<double> HitFractions;
    std::vector<int> Powers;          // even, 2..100
    // Touch points on the striker's rim, radians from straight behind
    // (non-zero spins the piece).
    std::vector<double> RimAngles;
    int Wanders = 0;                  // strikes in random directions, for when no aim is good
    // Retreats: the striker's own piece sent towards the middle of the
    // table, straight and turned off by these angles, at these powers.
    std::vector<double> RetreatAngles;
    std::vector<int> RetreatPowers;
};

// How one level of the computer plays: what it looks at and how well its
// hands do what it meant.
struct LevelProfile {
    CandidatePlan Plan;               // the strikes weighed for its own turn
    // How many of the best strikes are looked at again: played at the
    // corners of the hand's error too (aim, power and rim one and a half
    // error widths off), each weighed by the mean of the five tables they
    // leave. A strike that wins only when struck perfectly is a poor choice
    // for hands that shake. 0 takes the best strike as it is.
    int CheckBest = 0;
    bool LookAhead = false;           // weigh the next opponent's best reply
    int RepliesFor = 0;               // how many of those get the replies weighed
    CandidatePlan ReplyPlan;          // the replies tried for the opponent
    // Strikes played to rest a decision may spend with two pieces on the
    // table (a strike among more pieces costs more: with n pieces the
    // budget is 2/n of this): where the first look leaves room, more of the
    // best strikes get the second look and their replies. 0 keeps the
    // counts above.
    int Budget = 0;
    // The hand's error, standard deviations: aim in radians, power in
    // power units, the touch point on the rim in radians.
    double AimError = 0;
    double PowerError = 0;
    double RimError = 0;
};

// The one table of levels. A person has no profile; asking for one gives
// the beginner's.
const LevelProfile& ProfileFor(PlayerKind level);

}  // namespace zel::ai
