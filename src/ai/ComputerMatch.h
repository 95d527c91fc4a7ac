#pragma once
#include <cstdint>

#include "ai/StrikeChoice.h"
#include "ai/WorkerPool.h"
#include "core/MatchKernel.h"
#include "core/MatchState.h"

namespace zel::ai {

// Plays `c` at once through the kernel's computer hands: camera and aim,
// the space bar pressed Power / 2 times, released. False when the kernel
// refused (not a computer's turn to strike).
bool PlayThroughKeys(MatchKernel& k, const StrikeChoice& c);

// How a headless match of computer players went.
struct ComputerMatchResult {
    int Turns = 0;            // strikes released
    long long Ticks = 0;      // simulation ticks run
    long long Simulated = 0;  // candidate strikes the decisions played to rest
    bool Finished = false;    // the match ended by the rules (not by the turn limit)
};

// Seed of the decision of strike number `turn` (from 0) of a match seeded `seed`.
std::uint64_t TurnSeed(std::uint64_t seed, int turn);

// Drives a started live match (Init returned true) without a screen, the
// timers firing back to back: each turn of a computer player is decided by
// DecideStrike at its level with TurnSeed(seed, turn) and played through
// the kernel's computer hands, so the replay records it like a person's
// strike. After `turnLimit` strikes, or at a person's turn (nobody is at
// this keyboard), the match is left with Esc, Y. The work is bounded: turns
// by the limit, ticks per turn by the kernel's rest test with the physics'
// own bounds.
ComputerMatchResult PlayComputerMatch(MatchState& s, MatchKernel& k, WorkerPool& pool, std::uint64_t seed,
                                      int turnLimit);

}  // namespace zel::ai
