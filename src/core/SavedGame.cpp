#include "core/SavedGame.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "base/IniKeyReader.h"
#include "base/NumberParse.h"
#include "base/TextEncoding.h"
#include "core/AimGeometry.h"
#include "core/MatchKeys.h"
#include "core/ReachableRanges.h"

namespace zel {
namespace {

// Section names as the files write them.
constexpr const char* kGeneral = "general";

std::string Idx(int i) { return std::to_string(i); }

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

// A continued game plays on from its order tables at once: a turn order
// whose first Num entries are not each 1..Num becomes 1..Num, and CurNG is
// kept to 1..Num.
void KeepTurnOrderPlayable(MatchState& s) {
    bool orderUsable = true;
    for (int k = 1; k <= s.Num; ++k)
        if (s.KtoHodit[k] < 1 || s.KtoHodit[k] > s.Num) orderUsable = false;
    if (!orderUsable)
        for (int k = 1; k <= s.Num; ++k) s.KtoHodit[k] = static_cast<std::int16_t>(k);
    if (s.CurNG < 1 || s.CurNG > s.Num) s.CurNG = 1;
}

// The keys a participant's section must hold for the piece to be placed.
constexpr const char* kPieceKeys[] = {"Xpos", "Ypos", "Xvec", "Yvec", "u", "Phi", "Life"};

// Whether section `section` itself (up to the next section header) holds
// `key`: the general lookup would also find it in a later section.
bool SectionHasKey(const std::vector<std::string>& lines, const std::string& section,
                   const std::string& key) {
    const std::string header = "[" + FoldCase(section) + "]";
    const std::string prefix = FoldCase(key) + "=";
    bool inside = false;
    for (const std::string& l : lines) {
        const std::string folded = FoldCase(l);
        if (!folded.empty() && folded[0] == '[') {
            if (inside) return false;
            inside = folded.compare(0, header.size(), header) == 0;
            continue;
        }
        if (inside && folded.compare(0, prefix.size(), prefix) == 0) return true;
    }
    return false;
}

// A stored number when the key is there and starts with one.
// A camera or aim value of the file; one the match could not have (not a
// number, or far beyond any table) leaves the start camera's.
std::optional<double> StoredNumber(const IniFile& f, const char* key) {
    const std::string text = f.GetIniValue(kGeneral, key);
    if (text.empty()) return std::nullopt;
    const std::optional<double> v = ParseNumberStrict(text);
    if (!v || !std::isfinite(*v) || std::fabs(*v) > kReachableRanges.MaxPosition) return std::nullopt;
    return v;
}

}  // namespace

std::string ReadGameHeader(const IniFile& f, MatchState& s, SlotSetups& slots) {
    const MatchKeysRead read = ReadMatchKeys(f, kGeneral, true, ModelKeys::PieceModels);
    if (!read.Error.empty()) return read.Error;
    ApplyMatchKeys(read.Keys, s, slots);
    KeepTurnOrderPlayable(s);
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
    const int num = std::clamp<int>(s.Num, 0, kMaxParticipants);
    const std::optional<std::int16_t> curG = ParsePrefixInt16(f.GetIniValue(kGeneral, "CurG"));
    s.CurG = static_cast<std::int16_t>(std::clamp<int>(curG.value_or(1), 1, std::max(num, 1)));

    for (int p = 1; p <= num; ++p) {
        const IniKeyReader r(f, "R" + Idx(p));
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
            v.Xpos = v.Ypos = kParkedPosition;
            v.Xvec = v.Yvec = v.u = 0;
        }
        HoldToReachableRanges(v);
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

std::string ReadContinuedGame(const IniFile& f, MatchState& s, SlotSetups& slots) {
    if (f.GetIniValue(kGeneral, "Num").empty())
        return "нет раздела [general] с ключом Num";
    // The number of participants as the header gives it, before anything changes.
    MatchState probe = s;
    SlotSetups probeSlots = slots;
    const std::string error = ReadGameHeader(f, probe, probeSlots);
    if (!error.empty()) return error;
    for (int p = 1; p <= probe.Num; ++p)
        for (const char* key : kPieceKeys)
            if (!SectionHasKey(f.Lines(), "R" + Idx(p), key))
                return "в разделе [R" + Idx(p) + "] нет ключа " + key;

    s = probe;
    slots = probeSlots;
    for (int i = 1; i <= s.Num; ++i) s.Vembas[i].R = slots[i - 1].Name;
    ReadGamePieces(f, s);

    SetCameraStart(s);
    if (auto v = StoredNumber(f, "CamX")) s.CamX = *v;
    if (auto v = StoredNumber(f, "CamY")) s.CamY = *v;
    if (auto v = StoredNumber(f, "CamZ")) s.CamZ = *v;
    if (auto v = StoredNumber(f, "TargX")) s.TargX = *v;
    if (auto v = StoredNumber(f, "TargZ")) s.TargZ = *v;
    s.Win.AimAngle = AimAngleFromCamera(s, s.Win.AimAngle);
    if (auto v = StoredNumber(f, "AimAngle")) s.Win.AimAngle = *v;

    // Obstacles stand where a new match puts them, so what is drawn is what collides.
    PlaceObstacles(s);
    return "";
}

namespace {

// The replay header's checks and reading on a file already open; `path`
// names the file in the errors.
ReplaySetupRead ReadReplaySetupFrom(const IniFile& f, const std::string& path) {
    ReplaySetupRead out;
    if (!f.HasSection(kGeneral)) {
        out.Error = "Файл " + path + " не является повтором: нет раздела [general]";
        return out;
    }
    if (!HasGameLine(f.Lines())) {
        out.Error = "Файл " + path + " не является повтором: нет строки [game]";
        return out;
    }
    const MatchKeysRead read = ReadMatchKeys(f, kGeneral, true);
    if (!read.Error.empty()) {
        out.Error = "Файл " + path + ": " + read.Error;
        return out;
    }

    // The header means for the match what it means to the settings loader
    // of the game: the same keys applied to a fresh state by the same rules.
    MatchState s;
    ResetMatchDefaults(s);
    SlotSetups slots;
    ApplyMatchKeys(read.Keys, s, slots);

    MatchSetup& m = out.Setup;
    m.MaxX = s.MaxX;
    m.MaxY = s.MaxY;
    m.Ftr = s.Ftr;
    m.Border = s.Border;
    m.BordMode = s.BordMode;
    m.BordSimm = s.BordSimm;
    m.Pipa = s.Pipa;
    m.PipaMode = s.PipaMode;
    m.PipaSimm = s.PipaSimm;
    m.Sound = s.Sound;
    m.TeamGame = kFalse;  // team matches record no replay
    for (int i = 1; i <= s.Num; ++i) {
        const VembaRecord& v = s.Vembas[i];
        ParticipantSetup p;
        p.Name = slots[i - 1].Name;
        p.Model = v.RMod;
        p.Mass = v.RM;
        p.Gray = v.RGray;
        m.Participants.push_back(p);
        m.TurnOrder.push_back(s.KtoHodit[i]);
    }
    out.Ok = true;
    return out;
}

}  // namespace

ReplaySetupRead ReadReplaySetup(const std::string& path) {
    IniFile f;
    std::string error;
    if (!f.Open(path, error)) {
        ReplaySetupRead out;
        out.Error = "Не удалось прочитать файл " + path + ": " + error;
        return out;
    }
    return ReadReplaySetupFrom(f, path);
}

ReplaySetupRead ReadReplaySetupText(std::string_view text, const std::string& name) {
    IniFile f;
    f.OpenText(text);
    return ReadReplaySetupFrom(f, name);
}

namespace {

std::string LoadReplaySetupFrom(const ReplaySetupRead& read, const std::string& path,
                                MatchState& s, SlotSetups& slots) {
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

std::string StartFromFirstSlot(const std::string& error, MatchState& s) {
    if (!error.empty()) return error;
    // Init starts every replay from the first turn slot.
    s.CurNG = 1;
    s.CurG = s.KtoHodit[1];
    return "";
}

}  // namespace

std::string LoadReplaySetup(const std::string& path, MatchState& s, SlotSetups& slots) {
    return LoadReplaySetupFrom(ReadReplaySetup(path), path, s, slots);
}

std::string PrepareReplayPlayback(const std::string& path, MatchState& s, SlotSetups& slots) {
    return StartFromFirstSlot(LoadReplaySetup(path, s, slots), s);
}

std::string PrepareReplayPlaybackText(std::string_view text, const std::string& name,
                                      MatchState& s, SlotSetups& slots) {
    return StartFromFirstSlot(
        LoadReplaySetupFrom(ReadReplaySetupText(text, name), name, s, slots), s);
}

}  // namespace zel
