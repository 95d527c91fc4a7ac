#include "sim/SimOutput.h"

#include "core/ProgramVersion.h"
#include "core/ReplayFile.h"
#include "core/ReplayHeader.h"
#include "base/NumberFormat.h"

namespace zel {

std::string FormatSimSave(const MatchState& s, const SimResult& r, const std::string& dateTime) {
    std::string out = kSimSaveHeader;
    out += dateTime + "\r\n";
    out += "Ver=" + std::to_string(kBuildNumber) + "\r\n";
    out += FormatGeneralSection(s);
    out += r.Finished ? "Finished=1\r\n" : "Finished=0\r\n";
    out += "Winner=" + std::to_string(r.Finished ? s.Winner : 0) + "\r\n";
    out += "Turns=" + std::to_string(r.Turns) + "\r\n";
    out += "Ticks=" + std::to_string(r.Ticks) + "\r\n";
    for (int i = 1; i <= s.Num && i <= kMaxParticipants; ++i) {
        const VembaRecord& v = s.Vembas[i];
        out += "[R" + std::to_string(i) + "]\r\n";
        out += "Xpos=" + FormatDouble(v.Xpos) + "\r\n";
        out += "Ypos=" + FormatDouble(v.Ypos) + "\r\n";
        out += "Xvec=" + FormatDouble(v.Xvec) + "\r\n";
        out += "Yvec=" + FormatDouble(v.Yvec) + "\r\n";
        out += "u=" + FormatDouble(v.u) + "\r\n";
        out += "Phi=" + FormatDouble(v.Phi) + "\r\n";
        out += IsSet(v.Life) ? "Life=-1\r\n" : "Life=0\r\n";
        out += "SginCount=" + std::to_string(v.SginCount) + "\r\n";
    }
    return out;
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
