#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "core/Flag.h"
#include "core/MatchState.h"

namespace zel {

// What the match set-up screen's controls hold for one participant slot.
// These controls are the only store of names, model choices and
// participation marks between matches, so the loaders of the settings file
// and of saved games fill them, and the settings writer reads them back.
struct SlotSetup {
    std::string Name;          // the slot's name box; the participant's name
    std::int16_t Model = 0;    // entry selected in the slot's model list; -1 when none
    std::int16_t Mass = 1;     // the piece's mass as the piece editor shows it
    Flag Gray = kFalse;        // the piece is drawn with its grey mesh
    std::int16_t Mark = 0;     // participation box: 0 clear, 1 checked, 2 greyed
};

// Slot i is the row of participant i + 1; the files' participant keys count
// from 0 as the slots do.
using SlotSetups = std::array<SlotSetup, kMaxParticipants>;

}  // namespace zel
