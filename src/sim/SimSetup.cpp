#include "sim/SimSetup.h"

#include "core/MatchSetup.h"
#include "core/SavedGame.h"
#include "base/IniLookup.h"

namespace zel {

bool SetUpReplay(const std::string& path, MatchState& s, std::string& error) {
    SlotSetups slots;
    error = LoadReplaySetup(path, s, slots);
    if (!error.empty()) return false;
    // Init starts every replay from the first turn slot.
    s.CurNG = 1;
    s.CurG = s.KtoHodit[1];
    return true;
}

bool SetUpContinue(const std::string& path, MatchState& s, bool& hasSteps, std::string& error) {
    IniFile f;
    if (!f.Open(path, error)) return false;
    // A saved game has a [general] section with the number of participants;
    // the number itself reads as every match file reads it.
    if (f.GetIniValue("general", "Num").empty()) {
        error = "Файл " + path + " не является сохраненной игрой: нет раздела [general] с ключом Num";
        return false;
    }
    SlotSetups slots;
    error = ReadGameHeader(f, s, slots);
    if (!error.empty()) return false;
    for (int i = 1; i <= s.Num; ++i) s.Vembas[i].R = slots[i - 1].Name;
    ReadGamePieces(f, s);
    // Obstacles stand where a new match puts them, so what is drawn is what collides.
    PlaceObstacles(s);

    hasSteps = false;
    for (const std::string& line : f.Lines())
        if (line == "[game]") hasSteps = true;
    return true;
}

}  // namespace zel
