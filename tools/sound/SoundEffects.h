#pragma once
#include <span>

#include "StereoSignal.h"

namespace zel::soundgen {

// One sound file of the game and the recipe that makes it.
struct SoundEffect {
    const char* FileName;     // under gamedata/sound/
    StereoSignal (*Make)();   // synthesises the sound
};

// The eleven sound files the matches load:
// - "Vemba0.wav".."Vemba3.wav": four short tunes, one of which opens a match;
// - "Poswinu0.wav".."Poswinu3.wav": the cue driving a piece at full power
//   (0 is loaded and then replaced, so it is never heard);
// - "xruk.wav": the crowd in the room when a turn knocks several pieces off;
// - "2vemby.wav": two pieces clacking together;
// - "stenka.wav": a piece knocking against the wooden wall.
// Each is made here from sines and noise; nothing is recorded.
std::span<const SoundEffect> SoundEffects();

}  // namespace zel::soundgen
