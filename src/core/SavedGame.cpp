#include "core/SavedGame.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "setup/NumberParse.h"
#include "setup/TextEncoding.h"

namespace zel {
namespace {

// Section names as the files write them.
constexpr const char* kGeneral = "general";

// Masses the piece editor allows; anything else in a file becomes 1.
constexpr std::int16_t kMinMass = 1;
constexpr std::int16_t kMaxMass = 1000;
// Shapes exist for the models 0..6 (6 is the wall); others would index past
// the shape table.
constexpr std::int16_t kMaxModel = kModelCount - 1;

// Table size with the largest-table box checked, and the sizes a 0 stands for.
constexpr std::int16_t kLargestTable = 1000;
constexpr std::int16_t kDefaultMaxX = 600;
constexpr std::int16_t kDefaultMaxY = 400;

// Where an eliminated piece is parked, off every table.
constexpr double kParked = -100;

std::string Idx(int i) { return std::to_string(i); }

// A value quoted in an error description, cut short when it is long.
std::string Quote(const std::string& v) {
    constexpr std::size_t kMax = 40;
    return "«" + (v.size() > kMax ? v.substr(0, kMax) + "…" : v) + "»";
}

// "true"/"false" in any letter case, or a number (non-zero is true).
std::optional<bool> ParseBoolText(const std::string& value) {
    const std::optional<double> n = ParseNumberStrict(value);
    if (n) return *n != 0;
    std::string t = FoldCase(value);
    const auto first = t.find_first_not_of(" \t");
    if (first == std::string::npos) return std::nullopt;
    t = t.substr(first, t.find_last_not_of(" \t") - first + 1);
    if (t == "true") return true;
    if (t == "false") return false;
    return std::nullopt;
}

// Friction as stored: the current scale 0.01..0.03, or the old scale's 30,
// 50 and 80 meaning the same three settings.
double FrictionFrom(double v, bool acceptOldScale) {
    if (v == 0.01 || v == 0.02 || v == 0.03) return v;
    if (acceptOldScale) {
        if (v == 30) return 0.01;
        if (v == 50) return 0.02;
        if (v == 80) return 0.03;
    }
    return 0.02;
}

std::int16_t MassFrom(std::int16_t v) { return v >= kMinMass && v <= kMaxMass ? v : 1; }

// Reads keys of one section; the first failure is kept and later reads of
// this reader give 0 without replacing it.
class KeyReader {
public:
    KeyReader(const IniFile& f, std::string section) : f_(f), section_(std::move(section)) {}

    std::string Text(const std::string& key) const { return f_.GetIniValue(section_, key); }

    double Number(const std::string& key) const { return ParseNumberPrefix(Text(key)); }

    // Numeric prefix to 16 bits; overflow is an error.
    std::int16_t Int16(const std::string& key) {
        if (!error_.empty()) return 0;
        const std::string v = Text(key);
        const std::optional<std::int16_t> n = ParsePrefixInt16(v);
        if (!n) {
            error_ = "Переполнение: значение ключа " + key + " " + Quote(v) +
                     " не помещается в 16 бит";
            return 0;
        }
        return *n;
    }

    // A check box's state 0, 1 or 2 from the numeric prefix; others are an error.
    std::int16_t BoxState(const std::string& key) {
        const std::int16_t v = Int16(key);
        if (!error_.empty()) return 0;
        if (v < 0 || v > 2) {
            error_ = "Недопустимое значение ключа " + key + " " + Quote(Text(key)) +
                     ": ожидается 0, 1 или 2";
            return 0;
        }
        return v;
    }

    void Fail(std::string description) {
        if (error_.empty()) error_ = std::move(description);
    }
    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }

private:
    const IniFile& f_;
    std::string section_;
    std::string error_;  // the first failure; "" while all went well
};

std::int16_t Clamp16(std::int16_t v, std::int16_t lo, std::int16_t hi) {
    return std::clamp(v, lo, hi);
}

// Keeps the values the match indexes its tables with inside those tables.
void KeepIndexesInRange(MatchState& s) {
    bool orderUsable = true;
    for (int k = 1; k <= s.Num; ++k)
        if (s.KtoHodit[k] < 1 || s.KtoHodit[k] > s.Num) orderUsable = false;
    if (!orderUsable)
        for (int k = 1; k <= s.Num; ++k) s.KtoHodit[k] = static_cast<std::int16_t>(k);
    for (int k = 1; k <= kMaxParticipants; ++k) {
        if (s.KtoHodit[k] < 0 || s.KtoHodit[k] > kMaxParticipants) s.KtoHodit[k] = 0;
        if (s.WhoSgin[k] < 0 || s.WhoSgin[k] > kMaxParticipants) s.WhoSgin[k] = 0;
    }
    if (s.CurNG < 1 || s.CurNG > s.Num) s.CurNG = 1;
    if (s.CurSgin < 0 || s.CurSgin > kMaxParticipants) s.CurSgin = 0;
}

std::int16_t CurGFrom(std::int16_t v, std::int16_t num) {
    if (v < 1) return 1;
    if (v > num) return num;
    return v;
}

void ShowReadError(Dialogs& d, const std::string& description) {
    Message m;
    m.Text = description;
    m.Icon = MsgIcon::Critical;
    d.Ask(m);
}

// The "[game]" line as the replay reader looks for it: a line that is exactly
// "[game]", or a last line that is "[game]" in any letter case.
bool HasGameLine(const std::vector<std::string>& lines) {
    if (std::find(lines.begin(), lines.end(), "[game]") != lines.end()) return true;
    if (lines.empty()) return false;
    std::string last = lines.back();
    for (char& c : last)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return last == "[game]";
}

bool HasSection(const std::vector<std::string>& lines, const std::string& section) {
    const std::string header = "[" + FoldCase(section) + "]";
    for (const std::string& l : lines)
        if (FoldCase(l).compare(0, header.size(), header) == 0) return true;
    return false;
}

}  // namespace

std::string ReadGameHeader(const IniFile& f, MatchState& s, SlotSetups& slots) {
    KeyReader r(f, kGeneral);

    for (int i = 0; i < kMaxParticipants && !r.Failed(); ++i) {
        VembaRecord& v = s.Vembas[i + 1];
        SlotSetup& slot = slots[i];
        slot.Name = r.Text("R" + Idx(i));
        if (slot.Name.empty()) slot.Name = Idx(i + 1);

        const std::int16_t model = r.Int16("RModel" + Idx(i));
        if (r.Failed()) break;
        if (model < 0 || model > kMaxModel) {
            r.Fail("Модель " + Idx(model) + " (ключ RModel" + Idx(i) + ") не существует");
            break;
        }
        v.RMod = model;

        const std::int16_t mass = MassFrom(r.Int16("RM" + Idx(i)));
        if (r.Failed()) break;
        v.RM = mass;
        slot.Mass = mass;

        if (const std::optional<bool> gray = ParseBoolText(r.Text("RGray" + Idx(i)))) {
            v.RGray = ToFlag(*gray);
            slot.Gray = v.RGray;
        }

        s.KtoHodit[i + 1] = r.Int16("KtoHodit" + Idx(i + 1));
        s.WhoSgin[i + 1] = r.Int16("WhoSgin" + Idx(i + 1));
    }
    if (r.Failed()) return r.Error();

    std::int16_t maxX = r.Int16("MaxX");
    std::int16_t maxY = r.Int16("MaxY");
    const std::int16_t curSgin = r.Int16("CurSgin");
    const std::int16_t curNG = r.Int16("CurNG");
    const std::int16_t num = r.Int16("Num");
    const std::int16_t curG = r.Int16("CurG");
    if (r.Failed()) return r.Error();
    s.MaxX = maxX;
    s.MaxY = maxY;
    s.CurSgin = curSgin;
    s.CurNG = curNG;
    s.Num = Clamp16(num, 2, kMaxParticipants);
    s.CurG = CurGFrom(curG, s.Num);

    s.Ftr = FrictionFrom(r.Number("Ftr"), true);

    const std::int16_t maxScr = r.BoxState("MaxScr");
    if (r.Failed()) return r.Error();
    if (maxScr == 1) maxX = maxY = kLargestTable;
    if (maxX == 0) maxX = kDefaultMaxX;
    if (maxY == 0) maxY = kDefaultMaxY;
    s.MaxX = maxX;
    s.MaxY = maxY;

    const std::int16_t showSgin = r.BoxState("ShowSgin");
    if (r.Failed()) return r.Error();
    s.ShowSgin = ToFlag(showSgin != 0);

    const std::int16_t border = r.BoxState("Border");
    if (r.Failed()) return r.Error();
    s.Border = ToFlag(border != 0);
    if (IsSet(s.Border)) {
        const std::int16_t mode = r.Int16("BordMode");
        const std::int16_t simm = r.Int16("BordSimm");
        if (r.Failed()) return r.Error();
        s.BordMode = mode;
        s.BordSimm = ToFlag(simm != 0);
    }

    const std::int16_t sound = r.BoxState("Sound");
    if (r.Failed()) return r.Error();
    s.Sound = ToFlag(sound != 0);

    const std::int16_t pipa = r.BoxState("Pipa");
    if (r.Failed()) return r.Error();
    s.Pipa = ToFlag(pipa != 0);
    if (IsSet(s.Pipa)) {
        const std::int16_t mode = r.Int16("PipaMode");
        const std::int16_t simm = r.Int16("PipaSimm");
        if (r.Failed()) return r.Error();
        s.PipaMode = mode;
        s.PipaSimm = ToFlag(simm != 0);
    }

    KeepIndexesInRange(s);

    // Participation marks: a value that is not a box state leaves the mark.
    for (int i = 0; i < kMaxParticipants; ++i) {
        const std::optional<std::int16_t> mark = ParseStrictInt16(r.Text("chk" + Idx(i)));
        if (mark && *mark >= 0 && *mark <= 2) slots[i].Mark = *mark;
    }
    return "";
}

bool LoadGameHeader(const std::string& path, MatchState& s, SlotSetups& slots, Dialogs& d) {
    IniFile f;
    std::string error;
    if (!f.Open(path, error)) {
        ShowReadError(d, error);
        return false;
    }
    error = ReadGameHeader(f, s, slots);
    if (error.empty()) return true;
    ShowReadError(d, error);
    return false;
}

void ReadGamePieces(const IniFile& f, MatchState& s) {
    const std::int16_t num = Clamp16(s.Num, 0, kMaxParticipants);
    const std::optional<std::int16_t> curG = ParsePrefixInt16(f.GetIniValue(kGeneral, "CurG"));
    s.CurG = CurGFrom(curG.value_or(1), num);

    for (int p = 1; p <= num; ++p) {
        KeyReader r(f, "R" + Idx(p));
        VembaRecord& v = s.Vembas[p];
        v.Xpos = r.Number("Xpos");
        v.Ypos = r.Number("Ypos");
        v.Xvec = r.Number("Xvec");
        v.Yvec = r.Number("Yvec");
        v.u = r.Number("u");
        v.Phi = r.Number("Phi");
        v.Life = ToFlag(r.Number("Life") != 0);
        const std::optional<std::int16_t> sgin = ParsePrefixInt16(r.Text("SginCount"));
        v.SginCount = sgin && *sgin >= 0 ? *sgin : 0;
        if (!IsSet(v.Life)) {
            v.Xpos = v.Ypos = kParked;
            v.Xvec = v.Yvec = v.u = 0;
        }
    }
}

bool LoadGamePieces(const std::string& path, MatchState& s, Dialogs& d) {
    IniFile f;
    std::string error;
    if (!f.Open(path, error)) {
        ShowReadError(d, error);
        return false;
    }
    ReadGamePieces(f, s);
    return true;
}

ReplaySetupRead ReadReplaySetup(const std::string& path) {
    ReplaySetupRead out;
    IniFile f;
    std::string error;
    if (!f.Open(path, error)) {
        out.Error = "Не удалось прочитать файл " + path + ": " + error;
        return out;
    }
    if (!HasSection(f.Lines(), kGeneral)) {
        out.Error = "Файл " + path + " не является повтором: нет раздела [general]";
        return out;
    }
    if (!HasGameLine(f.Lines())) {
        out.Error = "Файл " + path + " не является повтором: нет строки [game]";
        return out;
    }
    KeyReader r(f, kGeneral);
    const std::string numText = r.Text("Num");
    if (!ParseNumberStrict(numText)) {
        out.Error = "Файл " + path + " не является повтором: число участников Num " +
                    Quote(numText) + " не задано числом";
        return out;
    }

    MatchSetup& m = out.Setup;
    const std::int16_t num = Clamp16(r.Int16("Num"), 2, kMaxParticipants);
    m.MaxX = r.Int16("MaxX");
    m.MaxY = r.Int16("MaxY");
    if (m.MaxX == 0) m.MaxX = kDefaultMaxX;
    if (m.MaxY == 0) m.MaxY = kDefaultMaxY;
    m.Ftr = FrictionFrom(r.Number("Ftr"), false);
    m.Border = ToFlag(r.Int16("Border") != 0);
    if (IsSet(m.Border)) {
        m.BordMode = r.Int16("BordMode");
        m.BordSimm = ToFlag(r.Int16("BordSimm") != 0);
    }
    m.Pipa = ToFlag(r.Int16("Pipa") != 0);
    if (IsSet(m.Pipa)) {
        m.PipaMode = r.Int16("PipaMode");
        m.PipaSimm = ToFlag(r.Int16("PipaSimm") != 0);
    }
    m.Sound = ToFlag(r.Int16("Sound") != 0);
    m.TeamGame = kFalse;  // team matches record no replay

    for (int i = 0; i < num; ++i) {
        ParticipantSetup p;
        p.Name = r.Text("R" + Idx(i));
        p.Model = r.Int16("RModel" + Idx(i));
        p.Mass = MassFrom(r.Int16("RM" + Idx(i)));
        p.Gray = ToFlag(ParseBoolText(r.Text("RGray" + Idx(i))).value_or(false));
        m.Participants.push_back(p);
    }
    for (int k = 1; k <= num; ++k) m.TurnOrder.push_back(r.Int16("KtoHodit" + Idx(k)));

    if (r.Failed()) {
        out.Error = "Файл " + path + ": " + r.Error();
        return out;
    }
    out.Ok = true;
    return out;
}

std::string LoadReplaySetup(const std::string& path, MatchState& s, SlotSetups& slots) {
    const ReplaySetupRead read = ReadReplaySetup(path);
    if (!read.Ok) {
        ResetMatchDefaults(s);
        return read.Error;
    }
    const SetupResult result = StartMatchState(s, read.Setup);
    if (result != SetupResult::Ok) {
        ResetMatchDefaults(s);
        const char* what = "недопустимые значения";
        switch (result) {
            case SetupResult::BadTableSize: what = "недопустимый размер поля (MaxX, MaxY)"; break;
            case SetupResult::BadParticipantCount: what = "недопустимое число участников"; break;
            case SetupResult::BadModel: what = "недопустимая модель Вембы (RModel)"; break;
            case SetupResult::BadMass: what = "недопустимая масса (RM)"; break;
            case SetupResult::BadTurnOrder: what = "недопустимый порядок ходов (KtoHodit)"; break;
            case SetupResult::BadFriction: what = "недопустимое трение (Ftr)"; break;
            case SetupResult::Ok: break;
        }
        return "Повтор " + path + " нельзя воспроизвести: " + what;
    }
    for (int i = 0; i < s.Num; ++i) {
        const VembaRecord& v = s.Vembas[i + 1];
        SlotSetup& slot = slots[i];
        slot.Name = v.R;
        slot.Model = v.RMod;
        slot.Mass = v.RM;
        slot.Gray = v.RGray;
    }
    return "";
}

}  // namespace zel
