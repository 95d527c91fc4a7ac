#include "sim/SimOutput.h"

#include "core/SavedGameWriter.h"
#include "base/NumberFormat.h"

namespace zel {

std::string FormatSimSave(const MatchState& s, const SimResult& r, const std::string& dateTime) {
    std::string extra = r.Finished ? "Finished=1\r\n" : "Finished=0\r\n";
    extra += "Winner=" + std::to_string(r.Finished ? s.Winner : 0) + "\r\n";
    extra += "Turns=" + std::to_string(r.Turns) + "\r\n";
    extra += "Ticks=" + std::to_string(r.Ticks) + "\r\n";
    return FormatSavedGame(s, kSimSaveHeader, dateTime, extra);
}

std::string FormatTraceLines(const MatchState& s, long long tick) {
    std::string out;
    for (int i = 1; i <= s.Num && i <= kMaxParticipants; ++i) {
        const VembaRecord& v = s.Vembas[i];
        out += "T " + std::to_string(tick) + ' ' + std::to_string(i) + ' ' + FormatDouble(v.Xpos) +
               ' ' + FormatDouble(v.Ypos) + ' ' + FormatDouble(v.Xvec) + ' ' +
               FormatDouble(v.Yvec) + ' ' + FormatDouble(v.u) + ' ' + FormatDouble(v.Phi) + ' ' +
               std::to_string(v.Life) + '\n';
    }
    return out;
}

}  // namespace zel
