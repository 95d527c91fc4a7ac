#pragma once
#include <string>
#include <vector>

#include "core/KeyCodes.h"
#include "core/MatchKernel.h"
#include "core/MatchSetup.h"
#include "core/MatchState.h"
#include "base/ErrorLog.h"
#include "support/FakeMatchPort.h"
#include "support/TempDir.h"

namespace zel::test {

// A match window on a fake screen: its own temp folder, error log, match
// state and kernel. Tests set up the state, start it and drive the clock.
struct KernelHarness {
    TempDir Dir;                        // zel.sav and zelerror.log of this match
    ErrorLog Log{Dir.Path().string()};  // failures the kernel and the files log
    MatchState S;                       // the match under test
    FakeMatchPort Port{&S};             // the screen, recording
    MatchKernel Kernel{S, Port, Log};   // the match window's logic

    // A new individual match of `num` participants named A, B, C... on a
    // 600 x 400 table, not yet started.
    explicit KernelHarness(int num = 2) {
        S.Shapes = InitShapes(20, 14, 11);
        MatchSetup setup;
        for (int i = 0; i < num; ++i)
            setup.Participants.push_back(ParticipantSetup{std::string(1, char('A' + i)), 3, 1});
        Setup(setup);
    }

    void Setup(const MatchSetup& setup) { StartMatchState(S, setup); }

    std::string ReplayPath() const { return Dir.File("zel.sav"); }
    bool Init() { return Kernel.Init(ReplayPath()); }

    void Press(int key, int times = 1) {
        for (int i = 0; i < times; ++i) Kernel.KeyDown(key);
    }

    // Charges to `power` (even, 2..100) and releases the strike.
    void Strike(int power) {
        for (int p = 0; p < power; p += 2) Kernel.KeyDown(vk::kSpace);
        Kernel.KeyUp(vk::kSpace);
    }

    // Runs RunTimer ticks until the turn-end pause starts; false when the
    // table did not settle within `maxTicks`.
    bool RunToRest(int maxTicks = 20000) {
        for (int t = 0; t < maxTicks; ++t) {
            if (IsSet(S.Win.PauseOn)) return true;
            Kernel.RunTimerTick();
        }
        return IsSet(S.Win.PauseOn);
    }

    // Parks participant i as a fall would, without booking it anywhere.
    void Park(int i) {
        VembaRecord& v = S.Vembas[i];
        v.Life = kFalse;
        v.Xpos = v.Ypos = -100;
        v.Xvec = v.Yvec = v.u = 0;
    }
};

}  // namespace zel::test
