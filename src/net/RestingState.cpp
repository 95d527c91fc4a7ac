#include "net/RestingState.h"

#include <cstring>

#include "base/NumberFormat.h"

namespace zel {

RestingState CaptureRestingState(const MatchState& s) {
    RestingState r;
    r.Vembas = s.Vembas;
    r.LeftTable = s.LeftTable;
    r.CurNG = s.CurNG;
    r.CurG = s.CurG;
    r.WhoSgin = s.WhoSgin;
    r.CurSgin = s.CurSgin;
    r.TurnSgin = s.TurnSgin;
    r.TurnSginCount = s.TurnSginCount;
    r.SginFlushed = s.SginFlushed;
    r.Winner = s.Winner;
    return r;
}

void AdoptRestingState(const RestingState& r, MatchState& s) {
    s.Vembas = r.Vembas;
    s.LeftTable = r.LeftTable;
    s.CurNG = r.CurNG;
    s.CurG = r.CurG;
    s.WhoSgin = r.WhoSgin;
    s.CurSgin = r.CurSgin;
    s.TurnSgin = r.TurnSgin;
    s.TurnSginCount = r.TurnSginCount;
    s.SginFlushed = r.SginFlushed;
    s.Winner = r.Winner;
}

namespace {

// Collects the differences field by field; doubles are compared by their bits.
class DiffList {
public:
    void Number(const std::string& name, double host, double own) {
        if (std::memcmp(&host, &own, sizeof host) != 0)
            Add(name, FormatDouble(host) + "/" + FormatDouble(own));
    }
    void Int(const std::string& name, long host, long own) {
        if (host != own) Add(name, std::to_string(host) + "/" + std::to_string(own));
    }
    void Text(const std::string& name, const std::string& host, const std::string& own) {
        if (host != own) Add(name, "\"" + host + "\"/\"" + own + "\"");
    }
    const std::string& Out() const { return out_; }

private:
    void Add(const std::string& name, const std::string& values) {
        if (!out_.empty()) out_ += "; ";
        out_ += name + " " + values;
    }
    std::string out_;
};

}  // namespace

std::string RestingStateDifference(const RestingState& host, const RestingState& own) {
    DiffList d;
    for (int i = 1; i <= kRecordCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const VembaRecord& a = host.Vembas[k];
        const VembaRecord& b = own.Vembas[k];
        const std::string p = "R" + std::to_string(i) + ".";
        d.Number(p + "Xpos", a.Xpos, b.Xpos);
        d.Number(p + "Ypos", a.Ypos, b.Ypos);
        d.Number(p + "Reserved", a.Reserved, b.Reserved);
        d.Number(p + "Xvec", a.Xvec, b.Xvec);
        d.Number(p + "Yvec", a.Yvec, b.Yvec);
        d.Int(p + "RGray", a.RGray, b.RGray);
        d.Int(p + "Life", a.Life, b.Life);
        d.Int(p + "ResetField", a.ResetField, b.ResetField);
        d.Int(p + "TeamSide", a.TeamSide, b.TeamSide);
        d.Number(p + "u", a.u, b.u);
        d.Int(p + "Number", a.Number, b.Number);
        d.Number(p + "Phi", a.Phi, b.Phi);
        d.Text(p + "R", a.R, b.R);
        d.Int(p + "SginCount", a.SginCount, b.SginCount);
        d.Int(p + "RMod", a.RMod, b.RMod);
        d.Int(p + "RM", a.RM, b.RM);
        const LeavePoint& la = host.LeftTable[k];
        const LeavePoint& lb = own.LeftTable[k];
        d.Int(p + "Left.Known", la.Known, lb.Known);
        d.Number(p + "Left.X", la.X, lb.X);
        d.Number(p + "Left.Y", la.Y, lb.Y);
        d.Number(p + "Left.OutX", la.OutX, lb.OutX);
        d.Number(p + "Left.OutY", la.OutY, lb.OutY);
        d.Number(p + "Left.Phi", la.Phi, lb.Phi);
        d.Int(p + "Left.Order", la.Order, lb.Order);
    }
    d.Int("CurNG", host.CurNG, own.CurNG);
    d.Int("CurG", host.CurG, own.CurG);
    for (int i = 1; i <= kMaxParticipants; ++i)
        d.Int("WhoSgin" + std::to_string(i), host.WhoSgin[static_cast<std::size_t>(i)],
              own.WhoSgin[static_cast<std::size_t>(i)]);
    d.Int("CurSgin", host.CurSgin, own.CurSgin);
    for (int i = 1; i < kMaxParticipants; ++i)
        d.Int("TurnSgin" + std::to_string(i), host.TurnSgin[static_cast<std::size_t>(i)],
              own.TurnSgin[static_cast<std::size_t>(i)]);
    d.Int("TurnSginCount", host.TurnSginCount, own.TurnSginCount);
    d.Int("SginFlushed", host.SginFlushed, own.SginFlushed);
    d.Int("Winner", host.Winner, own.Winner);
    return d.Out();
}

}  // namespace zel
