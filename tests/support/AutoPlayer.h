#pragma once
#include <cmath>
#include <cstdint>

#include "core/KeyCodes.h"
#include "support/KernelHarness.h"

namespace zel::test {

// How an automatic live match went.
struct AutoPlayResult {
    int Turns = 0;        // strikes released
    long long Ticks = 0;  // RunTimer ticks that did work, the rest-detecting ones included
};

// Plays a live match through the real keys as a simple-minded player: each
// turn the camera is put behind the striker, a little off the line to the
// nearest other piece (so strikes also spin), the aim points at that piece,
// and the space bar is held for a power between 20 and 100. The timers fire
// back to back. After `maxTurns` strikes the player quits with Esc, Y.
// Deterministic for a given seed.
inline AutoPlayResult AutoPlay(KernelHarness& h, std::uint32_t seed, int maxTurns) {
    MatchState& s = h.S;
    AutoPlayResult r;
    std::uint32_t rng = seed;
    auto next = [&rng]() {
        rng = rng * 1664525u + 1013904223u;
        return (rng >> 8) / 16777216.0;  // [0, 1)
    };
    if (!h.Init()) return r;
    while (IsSet(s.GameRunning)) {
        if (IsSet(s.Win.PauseOn)) {
            h.Kernel.PauseTick();
            continue;
        }
        if (IsSet(s.Win.RunTimerOn) && !IsSet(s.Win.Busy)) {
            ++r.Ticks;
            h.Kernel.RunTimerTick();
            continue;
        }
        if (s.Win.CtrlState != kCtrlAiming) break;
        if (r.Turns == maxTurns) {
            h.Kernel.KeyDown(vk::kEscape);
            h.Kernel.KeyDown(vk::kY);
            break;
        }
        const VembaRecord& me = s.Vembas[s.CurG];
        int target = 0;
        double best = 1e300;
        for (int i = 1; i <= s.Num; ++i) {
            if (i == s.CurG || !IsSet(s.Vembas[i].Life)) continue;
            const double d = Hypot(s.Vembas[i].Xpos - me.Xpos, s.Vembas[i].Ypos - me.Ypos);
            if (d < best) {
                best = d;
                target = i;
            }
        }
        double dx = 1, dy = 0;
        if (target != 0 && best > 0) {
            dx = (s.Vembas[target].Xpos - me.Xpos) / best;
            dy = (s.Vembas[target].Ypos - me.Ypos) / best;
        }
        // The cue meets the piece on the camera's side: put the camera
        // behind the piece, turned a little off the line of the shot.
        const double off = (next() - 0.5) * 0.6;
        const double ux = -(dx * std::cos(off) - dy * std::sin(off));
        const double uy = -(dy * std::cos(off) + dx * std::sin(off));
        s.CamX = me.Xpos / 10 + ux * 6;
        s.CamZ = -me.Ypos / 10 - uy * 6;
        s.Win.AimAngle = std::atan2(dx, -dy);
        const int power = 20 + 2 * static_cast<int>(next() * 41);
        h.Strike(power > 100 ? 100 : power);
        ++r.Turns;
    }
    h.Kernel.Close();
    return r;
}

}  // namespace zel::test
