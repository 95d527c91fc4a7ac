#include "ai/ComputerMatch.h"

#include "ai/ComputerPlayer.h"
#include "ai/SeededRandom.h"
#include "core/KeyCodes.h"

namespace zel::ai {

namespace {
// A strike comes to rest in a few thousand ticks at most; a turn that runs
// this long is stopped rather than spun forever.
constexpr long long kTicksPerTurnLimit = 200000;
}  // namespace

bool PlayThroughKeys(MatchKernel& k, const StrikeChoice& c) {
    if (!k.ComputerAim(c.CamX, c.CamZ, c.AimAngle)) return false;
    for (int p = 0; p < c.Power; p += 2)
        if (!k.ComputerCharge()) return false;
    return k.ComputerRelease(c.CamX, c.CamZ);
}

std::uint64_t TurnSeed(std::uint64_t seed, int turn) {
    return SeededRandom::Mix(seed, static_cast<std::uint64_t>(turn) + 1);
}

ComputerMatchResult PlayComputerMatch(MatchState& s, MatchKernel& k, WorkerPool& pool, std::uint64_t seed,
                                      int turnLimit) {
    ComputerMatchResult r;
    long long turnTicks = 0;
    auto leave = [&] {
        k.KeyDown(vk::kEscape);
        k.KeyDown(vk::kY);
    };
    while (IsSet(s.GameRunning)) {
        if (IsSet(s.Win.PauseOn)) {
            k.PauseTick();
            continue;
        }
        if (IsSet(s.Win.RunTimerOn) && !IsSet(s.Win.Busy)) {
            if (++turnTicks > kTicksPerTurnLimit) {
                leave();
                break;
            }
            ++r.Ticks;
            k.RunTimerTick();
            continue;
        }
        if (r.Turns >= turnLimit || !k.ComputerToStrike()) {
            leave();
            break;
        }
        const PlayerKind level = s.Players[static_cast<std::size_t>(s.CurG)];
        const Decision d = DecideStrike(s, level, TurnSeed(seed, r.Turns), pool);
        r.Simulated += d.Simulated;
        if (d.Stopped || !PlayThroughKeys(k, d.Strike)) {
            leave();
            break;
        }
        ++r.Turns;
        turnTicks = 0;
    }
    r.Finished = IsSet(s.Win.GameOver);
    return r;
}

}  // namespace zel::ai
