#pragma once
#include <string>
#include <vector>

#include "base/ErrorLog.h"
#include "core/MatchSetup.h"
#include "core/ReplayFile.h"
#include "sim/HeadlessPort.h"
#include "support/AutoPlayer.h"
#include "support/KernelHarness.h"

namespace zel::test {

// A live match played to its end by the automatic player on a table with
// walls and obstacles, recorded into its replay file; the step records
// read back from that file, as a network peer's script.
struct RecordedMatch {
    KernelHarness H;
    std::vector<ReplayStepRecord> Steps;

    RecordedMatch(int num, std::uint32_t seed) : H(num) {
        MatchSetup m;
        m.Border = kTrue;
        m.BordSimm = kTrue;
        m.Pipa = kTrue;
        m.Ftr = 0.02;
        for (int i = 0; i < num; ++i) {
            ParticipantSetup p;
            p.Name = "Игрок" + std::to_string(i + 1);
            p.Model = static_cast<std::int16_t>(i % 4);
            p.Mass = static_cast<std::int16_t>(1 + (i * 37) % 5);
            m.Participants.push_back(p);
        }
        H.Setup(m);
        AutoPlay(H, seed, 400);
        MatchState scratch;
        HeadlessPort port(scratch);
        ReplayReader reader;
        if (!reader.OpenReplay(Path(), port)) return;
        ReplayStepRecord r;
        while (Steps.size() < 10000 && reader.ReadStep(r, port, H.Log)) Steps.push_back(r);
    }

    std::string Path() const { return H.ReplayPath(); }
};

}  // namespace zel::test
