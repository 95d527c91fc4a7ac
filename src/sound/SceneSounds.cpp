#include "sound/SceneSounds.h"

#include "sound/DirectSoundModule.h"

namespace zel::sound {

std::vector<SoundLoad> SceneSoundLoads() {
    const std::string dir = "gamedata/sound/";
    std::vector<SoundLoad> loads;
    for (int k = 0; k <= 3; ++k) {
        loads.push_back({dir + "Vemba" + std::to_string(k) + ".wav", k});
        loads.push_back({dir + "Poswinu" + std::to_string(k) + ".wav", k + 3});
    }
    loads.push_back({dir + "xruk.wav", 7});
    loads.push_back({dir + "2vemby.wav", 8});
    loads.push_back({dir + "stenka.wav", 9});
    return loads;
}

void LoadSceneSounds(DirectSoundModule& sound, const std::string& appPath, const SceneStatement& run) {
    for (const SoundLoad& load : SceneSoundLoads()) {
        const std::string path = appPath + load.File;
        const int slot = load.Slot;
        auto statement = [&sound, path, slot] { sound.LoadSound(path, slot); };
        if (run) {
            run(statement);
        } else {
            statement();
        }
    }
}

}  // namespace zel::sound
