#include "ai/LevelProfile.h"

namespace zel::ai {

namespace {

// The beginner hits the nearest piece dead centre and hard, picking only
// between that and two strikes at random, and its hand shakes: at 300 units
// its aim wanders by about 45 units, its power by 18.
const LevelProfile kNovice{
    .Plan = {.Targets = 1, .HitFractions = {0}, .Powers = {100}, .RimAngles = {0}, .Wanders = 2, .RetreatAngles = {}, .RetreatPowers = {}},
    .CheckBest = 0,
    .LookAhead = false,
    .RepliesFor = 0,
    .ReplyPlan = {},
    .AimError = 0.15,
    .PowerError = 18,
    .RimError = 0.3,
};

// The amateur picks among two targets, a few cuts and powers and two
// retreats, checks its four best for a shaking hand, and mostly hits what it
// aims at.
const LevelProfile kAmateur{
    .Plan = {.Targets = 2,
             .HitFractions = {0, -0.3, 0.3, -0.6, 0.6},
             .Powers = {30, 50, 70, 90, 100},
             .RimAngles = {0},
             .Wanders = 10,
             .RetreatAngles = {0},
             .RetreatPowers = {20, 40}},
    .CheckBest = 4,
    .LookAhead = false,
    .RepliesFor = 0,
    .ReplyPlan = {},
    .AimError = 0.05,
    .PowerError = 8,
    .RimError = 0.1,
};

// The master weighs cuts, powers and spin against four targets and retreats
// towards the middle, then looks again at its four best (more when the
// table leaves room in its budget): each struck as its hand may strike it,
// against the next opponent's best replies to every table it may leave. It
// rarely misses.
const LevelProfile kMaster{
    .Plan = {.Targets = 4,
             .HitFractions = {0, -0.25, 0.25, -0.5, 0.5, -0.75, 0.75},
             .Powers = {24, 36, 48, 60, 72, 84, 100},
             .RimAngles = {0, -0.5, 0.5},
             .Wanders = 40,
             .RetreatAngles = {0, -0.4, 0.4, -0.8, 0.8},
             .RetreatPowers = {16, 30, 44, 58}},
    .CheckBest = 4,
    .LookAhead = true,
    .RepliesFor = 4,
    .ReplyPlan = {.Targets = 2,
                  .HitFractions = {0, -0.3, 0.3, -0.6, 0.6},
                  .Powers = {50, 75, 100},
                  .RimAngles = {0},
                  .Wanders = 0,
                  .RetreatAngles = {},
                  .RetreatPowers = {}},
    .Budget = 1700,
    .AimError = 0.005,
    .PowerError = 1.5,
    .RimError = 0.03,
};

}  // namespace

const LevelProfile& ProfileFor(PlayerKind level) {
    switch (level) {
        case PlayerKind::Amateur:
            return kAmateur;
        case PlayerKind::Master:
            return kMaster;
        default:
            return kNovice;
    }
}

}  // namespace zel::ai
