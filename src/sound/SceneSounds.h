#pragma once
#include <functional>
#include <string>
#include <vector>

namespace zel::sound {

class DirectSoundModule;

// One load of a match's sound effects: a file under the program folder and
// the slot it goes to.
struct SoundLoad {
    std::string File;  // relative to the program folder, "gamedata/sound/..."
    int Slot = 0;      // 0..9
};

// The loads of a match, in the order they run: for k = 0..3 "Vemba<k>.wav"
// into slot k, then "Poswinu<k>.wav" into slot k + 3; then "xruk.wav" into
// 7, "2vemby.wav" into 8 and "stenka.wav" into 9. "Poswinu0.wav" goes to
// slot 3 before "Vemba3.wav" replaces it, so it is loaded (and must exist)
// but never heard. Slots 0..3 are the match-start sounds, 4..6 the
// full-power strikes, 7 the crowd; 8 and 9 are loaded for sounds no moment
// plays yet.
std::vector<SoundLoad> SceneSoundLoads();

// Runs one statement of scene construction: scene construction reports a
// statement that throws and asks whether to go on.
using SceneStatement = std::function<void(const std::function<void()>&)>;

// Loads the sound effects of a match from the program folder `appPath`
// (ending in a separator), each load as a statement of its own through
// `run`, so a missing file is reported and the next load still runs.
// Without `run` the first failing load throws its SoundError.
void LoadSceneSounds(DirectSoundModule& sound, const std::string& appPath, const SceneStatement& run);

}  // namespace zel::sound
