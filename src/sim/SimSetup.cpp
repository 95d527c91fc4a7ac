#include "sim/SimSetup.h"

#include "core/SavedGame.h"
#include "base/IniLookup.h"

namespace zel {

bool SetUpReplay(const std::string& path, MatchState& s, std::string& error) {
    SlotSetups slots;
    error = PrepareReplayPlayback(path, s, slots);
    return error.empty();
}

bool SetUpContinue(const std::string& path, MatchState& s, bool& hasSteps, std::string& error) {
    IniFile f;
    if (!f.Open(path, error)) return false;
    SlotSetups slots;
    error = ReadContinuedGame(f, s, slots);
    if (!error.empty()) {
        error = "Файл " + path + " не является сохраненной игрой: " + error;
        return false;
    }
    hasSteps = false;
    for (const std::string& line : f.Lines())
        if (line == "[game]") hasSteps = true;
    return true;
}

}  // namespace zel
