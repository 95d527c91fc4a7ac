#include "net/NetCodec.h"

#include <cmath>
#include <type_traits>

#include "base/NumberFormat.h"
#include "base/NumberParse.h"
#include "core/ReachableRanges.h"
#include "physics/Shapes.h"
#include "net/NetFields.h"
#include "net/NetLimits.h"
#include "net/NetTexts.h"

namespace zel {

namespace {

constexpr std::size_t kMaxStepText = 2048;
constexpr std::int32_t kMaxTurns = 1'000'000;  // strikes in one match, far beyond any
constexpr double kUnitBound = 2;               // a unit vector's parts, with room to spare
// A body record's position: the walls stand a million units beyond the
// table's edge, far beyond where any piece can be.
constexpr double kBodyPosition = 1e7;

void Put(FieldWriter& w, const HelloMsg& m) {
    w.I32(m.ProtocolVersion);
    w.I32(m.BuildNumber);
    w.U8(static_cast<std::uint8_t>(m.Names.size()));
    for (const std::string& n : m.Names) w.Text(n);
}
void Put(FieldWriter& w, const RefuseMsg& m) { w.Text(m.Reason); }
void Put(FieldWriter& w, const MatchSetupMsg& m) {
    w.Text(m.Header);
    w.I16(m.Num);
    for (int i = 1; i <= m.Num && i <= kMaxParticipants; ++i) w.U8(m.GuestPlays[static_cast<std::size_t>(i)] ? 1 : 0);
}
void Put(FieldWriter& w, const AimMsg& m) {
    w.I16(m.Participant);
    w.Number(m.CamX);
    w.Number(m.CamZ);
    w.Number(m.AimAngle);
    w.I16(m.Power);
}
void Put(FieldWriter& w, const StrikeMsg& m) {
    w.I32(m.Turn);
    w.I16(m.Participant);
    w.Text(FormatReplayStep(m.Step));
}
void Put(FieldWriter& w, const RestingStateMsg& m) {
    w.I32(m.Turn);
    const RestingState& r = m.State;
    for (int i = 1; i <= kRecordCount; ++i) {
        const VembaRecord& v = r.Vembas[static_cast<std::size_t>(i)];
        w.Number(v.Xpos);
        w.Number(v.Ypos);
        w.Number(v.Reserved);
        w.Number(v.Xvec);
        w.Number(v.Yvec);
        w.I16(v.RGray);
        w.I16(v.Life);
        w.I16(v.ResetField);
        w.I16(v.TeamSide);
        w.Number(v.u);
        w.I16(v.Number);
        w.Number(v.Phi);
        w.Text(v.R);
        w.I16(v.SginCount);
        w.I16(v.RMod);
        w.I16(v.RM);
        const LeavePoint& l = r.LeftTable[static_cast<std::size_t>(i)];
        w.U8(l.Known ? 1 : 0);
        w.Number(l.X);
        w.Number(l.Y);
        w.Number(l.OutX);
        w.Number(l.OutY);
        w.Number(l.Phi);
        w.I16(l.Order);
    }
    w.I16(r.CurNG);
    w.I16(r.CurG);
    for (int i = 1; i <= kMaxParticipants; ++i) w.I16(r.WhoSgin[static_cast<std::size_t>(i)]);
    w.I16(r.CurSgin);
    for (int i = 1; i < kMaxParticipants; ++i) w.I16(r.TurnSgin[static_cast<std::size_t>(i)]);
    w.I16(r.TurnSginCount);
    w.I16(r.SginFlushed);
    w.I16(r.Winner);
}
void Put(FieldWriter& w, const RestartAnswerMsg& m) { w.U8(m.Yes ? 1 : 0); }
void Put(FieldWriter&, const RestartAskMsg&) {}
void Put(FieldWriter&, const KeepAliveMsg&) {}
void Put(FieldWriter&, const ByeMsg&) {}

using Reader = FieldReader;
constexpr std::int16_t kI16Min = -32768;
constexpr std::int16_t kI16Max = 32767;
constexpr auto kParticipants = static_cast<std::int16_t>(kMaxParticipants);
constexpr auto kRecords = static_cast<std::int16_t>(kRecordCount);

std::optional<NetMessage> GetHello(Reader& r) {
    HelloMsg m;
    std::int32_t v = 0, b = 0;
    std::uint8_t n = 0;
    r.I32(v, 0, 255, "версия протокола");
    r.I32(b, 0, 1'000'000'000, "номер сборки");
    r.U8(n, 0, kMaxParticipants, "число игроков");
    m.ProtocolVersion = v;
    m.BuildNumber = b;
    for (int i = 0; i < n && !r.Failed(); ++i) {
        std::string name;
        if (r.Text(name, 1, kNetLimits.MaxNameBytes, true, "имя игрока")) m.Names.push_back(name);
    }
    if (!r.End()) return std::nullopt;
    return m;
}

std::optional<NetMessage> GetRefuse(Reader& r) {
    RefuseMsg m;
    r.Text(m.Reason, 1, kNetLimits.MaxReasonBytes, false, "причина отказа");
    if (!r.End()) return std::nullopt;
    return m;
}

std::optional<NetMessage> GetSetup(Reader& r) {
    MatchSetupMsg m;
    r.Text(m.Header, 1, kNetLimits.MaxHeaderBytes, false, "заголовок повтора");
    r.I16(m.Num, 2, kParticipants, "число участников");
    for (int i = 1; i <= m.Num && !r.Failed(); ++i) {
        std::uint8_t g = 0;
        r.U8(g, 0, 1, "сторона участника");
        m.GuestPlays[static_cast<std::size_t>(i)] = g == 1;
    }
    if (!r.End()) return std::nullopt;
    return m;
}

std::optional<NetMessage> GetAim(Reader& r) {
    AimMsg m;
    const ReachableRangeTable& k = kReachableRanges;
    r.I16(m.Participant, 1, kParticipants, "участник");
    r.Number(m.CamX, k.MaxPosition, "камера X");
    r.Number(m.CamZ, k.MaxPosition, "камера Z");
    r.Number(m.AimAngle, k.MaxHeading, "направление удара");
    r.I16(m.Power, 0, k.MaxPower, "сила удара");
    if (!r.End()) return std::nullopt;
    return m;
}

std::optional<NetMessage> GetStrike(Reader& r, std::string& error) {
    StrikeMsg m;
    std::string step;
    r.I32(m.Turn, 0, kMaxTurns, "номер удара");
    r.I16(m.Participant, 1, kParticipants, "участник");
    r.Text(step, 1, kMaxStepText, false, "запись удара");
    if (!r.End()) return std::nullopt;
    const std::optional<ReplayStepRecord> rec = ParseStepText(step);
    if (!rec) {
        error = "запись удара: не запись хода повтора";
        return std::nullopt;
    }
    m.Step = *rec;
    return m;
}

std::optional<NetMessage> GetResting(Reader& r) {
    RestingStateMsg m;
    const ReachableRangeTable& k = kReachableRanges;
    r.I32(m.Turn, 0, kMaxTurns, "номер удара");
    RestingState& s = m.State;
    for (int i = 1; i <= kRecordCount && !r.Failed(); ++i) {
        VembaRecord& v = s.Vembas[static_cast<std::size_t>(i)];
        r.Number(v.Xpos, kBodyPosition, "Xpos");
        r.Number(v.Ypos, kBodyPosition, "Ypos");
        r.Number(v.Reserved, kBodyPosition, "Reserved");
        r.Number(v.Xvec, k.MaxSpeed, "Xvec");
        r.Number(v.Yvec, k.MaxSpeed, "Yvec");
        r.Flag(v.RGray, "RGray");
        r.Flag(v.Life, "Life");
        r.I16(v.ResetField, kI16Min, kI16Max, "ResetField");
        r.I16(v.TeamSide, 0, 1, "TeamSide");
        r.Number(v.u, k.MaxSpin, "u");
        r.I16(v.Number, 0, kRecords, "Number");
        r.Number(v.Phi, k.MaxHeading, "Phi");
        r.Text(v.R, 0, kNetLimits.MaxNameBytes, true, "имя");
        r.I16(v.SginCount, 0, kParticipants, "SginCount");
        r.I16(v.RMod, kI16Min, kI16Max, "RMod");
        r.I16(v.RM, kI16Min, kI16Max, "RM");
        // Obstacles and walls never move; one in motion would keep the
        // table from ever coming to rest.
        if ((v.RMod == kObstacleModel || v.RMod == kWallModel) && (v.Xvec != 0 || v.Yvec != 0 || v.u != 0))
            r.Fail("RMod", "препятствие или стенка в движении");
        LeavePoint& l = s.LeftTable[static_cast<std::size_t>(i)];
        std::uint8_t known = 0;
        r.U8(known, 0, 1, "место падения");
        l.Known = known == 1;
        r.Number(l.X, k.MaxPosition, "место падения X");
        r.Number(l.Y, k.MaxPosition, "место падения Y");
        r.Number(l.OutX, kUnitBound, "направление падения X");
        r.Number(l.OutY, kUnitBound, "направление падения Y");
        r.Number(l.Phi, k.MaxHeading, "поворот при падении");
        r.I16(l.Order, 0, kRecords, "порядок падения");
    }
    r.I16(s.CurNG, 1, kParticipants, "CurNG");
    r.I16(s.CurG, 1, kParticipants, "CurG");
    for (int i = 1; i <= kMaxParticipants; ++i)
        r.I16(s.WhoSgin[static_cast<std::size_t>(i)], 0, kParticipants, "WhoSgin");
    r.I16(s.CurSgin, 0, kParticipants + 1, "CurSgin");
    for (int i = 1; i < kMaxParticipants; ++i)
        r.I16(s.TurnSgin[static_cast<std::size_t>(i)], 0, kParticipants, "TurnSgin");
    r.I16(s.TurnSginCount, 0, kParticipants, "TurnSginCount");
    r.Flag(s.SginFlushed, "SginFlushed");
    r.I16(s.Winner, -1, kParticipants, "Winner");
    if (!r.End()) return std::nullopt;
    return m;
}

std::optional<NetMessage> GetAnswer(Reader& r) {
    std::uint8_t yes = 0;
    r.U8(yes, 0, 1, "ответ");
    if (!r.End()) return std::nullopt;
    return RestartAnswerMsg{yes == 1};
}

template <typename M>
std::optional<NetMessage> GetEmpty(Reader& r) {
    if (!r.End()) return std::nullopt;
    return M{};
}

// One "Key=value\r\n" line of a step record; `rest` moves past it.
std::optional<std::string_view> StepLine(std::string_view& rest, std::string_view key) {
    if (rest.substr(0, key.size()) != key) return std::nullopt;
    const std::size_t end = rest.find("\r\n");
    if (end == std::string_view::npos) return std::nullopt;
    std::string_view value = rest.substr(key.size(), end - key.size());
    rest.remove_prefix(end + 2);
    return value;
}

}  // namespace

std::string EncodeFrame(const NetMessage& m) {
    FieldWriter w;
    w.U8(kNetLimits.ProtocolVersion);
    w.U8(MessageTypeByte(m));
    std::visit([&w](const auto& msg) { Put(w, msg); }, m);
    const std::string& body = w.Bytes();
    std::string frame;
    const auto n = static_cast<std::uint32_t>(body.size());
    for (int shift = 24; shift >= 0; shift -= 8) frame.push_back(static_cast<char>((n >> shift) & 0xFF));
    frame += body;
    return frame;
}

std::optional<NetMessage> DecodeBody(std::string_view body, std::string& error) {
    if (body.size() < 2) {
        error = std::string(nettexts::kMalformed) + "пустое сообщение";
        return std::nullopt;
    }
    if (static_cast<std::uint8_t>(body[0]) != kNetLimits.ProtocolVersion) {
        error = nettexts::kOtherProtocol;
        return std::nullopt;
    }
    const auto type = static_cast<std::uint8_t>(body[1]);
    Reader r(body.substr(2));
    std::string detail;
    std::optional<NetMessage> m;
    switch (type) {
    case 1: m = GetHello(r); break;
    case 2: m = GetRefuse(r); break;
    case 3: m = GetSetup(r); break;
    case 4: m = GetAim(r); break;
    case 5: m = GetStrike(r, detail); break;
    case 6: m = GetResting(r); break;
    case 7: m = GetEmpty<RestartAskMsg>(r); break;
    case 8: m = GetAnswer(r); break;
    case 9: m = GetEmpty<KeepAliveMsg>(r); break;
    case 10: m = GetEmpty<ByeMsg>(r); break;
    default: detail = "неизвестный вид сообщения " + std::to_string(type); break;
    }
    if (m) return m;
    if (detail.empty()) detail = r.Error();
    error = std::string(nettexts::kMalformed) + detail;
    return std::nullopt;
}

std::optional<ReplayStepRecord> ParseStepText(std::string_view text) {
    const ReachableRangeTable& k = kReachableRanges;
    static constexpr std::string_view kKeys[4] = {"Xvec=", "Yvec=", "X=", "Y="};
    double v[4] = {};
    for (int i = 0; i < 4; ++i) {
        const std::optional<std::string_view> t = StepLine(text, kKeys[i]);
        if (!t) return std::nullopt;
        const std::optional<double> x = ParseNumberStrict(*t);
        if (!x || FormatDouble(*x) != *t || !std::isfinite(*x)) return std::nullopt;
        v[i] = *x;
    }
    const std::optional<std::string_view> g = StepLine(text, "G=");
    if (!g || !text.empty()) return std::nullopt;
    const std::optional<std::int16_t> power = ParseStrictInt16(*g);
    if (!power || std::to_string(*power) != *g || *power < 0 || *power > k.MaxPower) return std::nullopt;
    ReplayStepRecord r;
    r.Xvec = v[0];
    r.Yvec = v[1];
    r.X = v[2];
    r.Y = v[3];
    r.G = *power;
    // The vector is the strike: no longer than a full-power one (with the
    // rounding of its length), the touch point somewhere a table can be.
    if (Hypot(r.Xvec, r.Yvec) > k.MaxPower + 1 || std::abs(r.X) > k.MaxPosition ||
        std::abs(r.Y) > k.MaxPosition)
        return std::nullopt;
    return r;
}

}  // namespace zel
