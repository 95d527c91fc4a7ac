#include "core/ReplayHeader.h"

#include <algorithm>

#include "base/NumberFormat.h"

namespace zel {

namespace {

void Line(std::string& out, const std::string& key, const std::string& value) {
    out += key;
    out += '=';
    out += value;
    out += "\r\n";
}

std::string Int(int v) { return std::to_string(v); }

// A name must stay on its own line.
std::string OneLine(std::string v) {
    std::replace(v.begin(), v.end(), '\r', ' ');
    std::replace(v.begin(), v.end(), '\n', ' ');
    return v;
}

}  // namespace

std::string FormatGeneralSection(const MatchState& s) {
    std::string out = "[general]\r\n";
    Line(out, "Num", Int(s.Num));
    Line(out, "MaxX", Int(s.MaxX));
    Line(out, "MaxY", Int(s.MaxY));
    Line(out, "CurG", Int(s.CurG));
    Line(out, "CurNG", Int(s.CurNG));
    Line(out, "CurSgin", Int(s.CurSgin));
    Line(out, "Ftr", FormatDouble(s.Ftr));
    const int num = s.Num < 0 ? 0 : (s.Num > kMaxParticipants ? kMaxParticipants : s.Num);
    for (int i = 0; i < num; ++i) {
        const VembaRecord& v = s.Vembas[i + 1];
        const std::string n = Int(i);
        Line(out, "R" + n, OneLine(v.R));
        Line(out, "RModel" + n, Int(v.RMod));
        Line(out, "RM" + n, Int(v.RM));
        Line(out, "RGray" + n, Int(ToFlag(IsSet(v.RGray))));
    }
    for (int i = 1; i <= num; ++i) {
        Line(out, "KtoHodit" + Int(i), Int(s.KtoHodit[i]));
        Line(out, "WhoSgin" + Int(i), Int(s.WhoSgin[i]));
    }
    if (IsSet(s.Border)) {
        out += "Border=1\r\n";
        Line(out, "BordMode", Int(s.BordMode));
        out += IsSet(s.BordSimm) ? "BordSimm=1\r\n" : "BordSimm=0\r\n";
    } else {
        out += "Border=0\r\n";
    }
    if (IsSet(s.Pipa)) {
        out += "Pipa=1\r\n";
        Line(out, "PipaMode", Int(s.PipaMode));
        out += IsSet(s.PipaSimm) ? "PipaSimm=1\r\n" : "PipaSimm=0\r\n";
    } else {
        out += "Pipa=0\r\n";
    }
    out += IsSet(s.Sound) ? "Sound=1\r\n" : "Sound=0\r\n";
    return out;
}

}  // namespace zel
