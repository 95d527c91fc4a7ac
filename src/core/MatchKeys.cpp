#include "core/MatchKeys.h"

#include <algorithm>

#include "base/CheckBox.h"
#include "base/IniKeyReader.h"
#include "base/NumberParse.h"
#include "base/TextEncoding.h"
#include "core/MatchKeyDefaults.h"
#include "physics/Shapes.h"

namespace zel {
namespace {

std::string Idx(int i) { return std::to_string(i); }

// "true"/"false" in any letter case, or a number (non-zero is true).
std::optional<bool> ParseBoolText(const std::string& value) {
    if (const std::optional<double> n = ParseNumberStrict(value)) return *n != 0;
    std::string t = FoldCase(value);
    const auto first = t.find_first_not_of(" \t");
    if (first == std::string::npos) return std::nullopt;
    t = t.substr(first, t.find_last_not_of(" \t") - first + 1);
    if (t == "true") return true;
    if (t == "false") return false;
    return std::nullopt;
}

// A key read only when the file has it: zel.ini leaves out what it does not
// keep, and an absent key must not overwrite what the program holds.
bool Has(const IniKeyReader& r, const std::string& key) { return !r.Text(key).empty(); }

// Replaces `value` by the fallback's when the reader skipped the value just
// read (only a KeepGoing reader does).
template <typename T>
void OrFallback(IniKeyReader& r, T& value, const T& fallback) {
    if (r.TakeSkip()) value = fallback;
}

// Slot keys, then the order tables, slot by slot. A stopping reader stops at
// the first failure; with `fb` every unusable value takes fb's.
void ReadSlots(IniKeyReader& r, MatchKeys& k, const MatchKeys& fb) {
    const MatchKeyDefaultTable& t = kMatchKeyDefaults;
    for (int i = 0; i < kMaxParticipants; ++i) {
        SlotKeys& slot = k.Slots[i];
        if (k.WithParticipants) {
            slot.Name = r.Text("R" + Idx(i));
            const std::string modelKey = "RModel" + Idx(i);
            slot.Model = r.Int16(modelKey);
            OrFallback(r, slot.Model, fb.Slots[i].Model);
            if (r.Failed()) return;
            if (k.Models == ModelKeys::ListEntries &&
                (slot.Model < -1 || slot.Model >= t.ModelEntries)) {
                r.Fail("Недопустимое значение ключа " + modelKey + " " +
                       IniKeyReader::Quote(r.Text(modelKey)) + ": в списке моделей нет элемента " +
                       Idx(slot.Model));
                OrFallback(r, slot.Model, fb.Slots[i].Model);
                if (r.Failed()) return;
            }
            if (k.Models == ModelKeys::PieceModels &&
                (slot.Model < 0 || slot.Model >= kModelCount)) {
                r.Fail("Модель " + Idx(slot.Model) + " (ключ " + modelKey + ") не существует");
                OrFallback(r, slot.Model, fb.Slots[i].Model);
                if (r.Failed()) return;
            }
            slot.Mass = r.Int16("RM" + Idx(i));
            OrFallback(r, slot.Mass, fb.Slots[i].Mass);
            if (r.Failed()) return;
            if (const std::optional<bool> gray = ParseBoolText(r.Text("RGray" + Idx(i))))
                slot.Gray = ToFlag(*gray);
        }
        k.KtoHodit[i + 1] = r.Int16("KtoHodit" + Idx(i + 1));
        OrFallback(r, k.KtoHodit[i + 1], fb.KtoHodit[i + 1]);
        k.WhoSgin[i + 1] = r.Int16("WhoSgin" + Idx(i + 1));
        OrFallback(r, k.WhoSgin[i + 1], fb.WhoSgin[i + 1]);
        if (r.Failed()) return;
    }
}

// Table, counters, friction and the switches, likewise.
void ReadTableAndSwitches(IniKeyReader& r, MatchKeys& k, const MatchKeys& fb) {
    auto int16 = [&](const char* key, std::int16_t& target, std::int16_t fallback) {
        target = r.Int16(key);
        OrFallback(r, target, fallback);
    };
    auto box = [&](const char* key, std::int16_t& target, std::int16_t fallback) {
        target = r.BoxState(key);
        OrFallback(r, target, fallback);
    };
    int16("MaxX", k.MaxX, fb.MaxX);
    int16("MaxY", k.MaxY, fb.MaxY);
    int16("CurSgin", k.CurSgin, fb.CurSgin);
    int16("CurNG", k.CurNG, fb.CurNG);
    int16("Num", k.Num, fb.Num);
    int16("CurG", k.CurG, fb.CurG);
    k.Ftr = r.Number("Ftr");
    box("MaxScr", k.MaxScr, fb.MaxScr);
    box("ShowSgin", k.ShowSgin, fb.ShowSgin);
    box("Border", k.Border, fb.Border);
    if (r.Failed()) return;
    if (k.Border != kBoxClear) {
        if (Has(r, "BordMode")) {
            k.BordMode = r.Int16("BordMode");
            if (r.TakeSkip()) k.BordMode = fb.BordMode;
        }
        if (Has(r, "BordSimm")) {
            k.BordSimm = ToFlag(r.Int16("BordSimm") != 0);
            if (r.TakeSkip()) k.BordSimm = fb.BordSimm;
        }
    }
    box("Sound", k.Sound, fb.Sound);
    box("Pipa", k.Pipa, fb.Pipa);
    if (r.Failed()) return;
    if (k.Pipa != kBoxClear) {
        if (Has(r, "PipaMode")) {
            k.PipaMode = r.Int16("PipaMode");
            if (r.TakeSkip()) k.PipaMode = fb.PipaMode;
        }
        if (Has(r, "PipaSimm")) {
            k.PipaSimm = ToFlag(r.Int16("PipaSimm") != 0);
            if (r.TakeSkip()) k.PipaSimm = fb.PipaSimm;
        }
    }
}

// A table index read from a file, or 0 when it would index past the tables.
std::int16_t TableIndex(std::int16_t v) { return v >= 0 && v <= kMaxParticipants ? v : 0; }

}  // namespace

double FrictionFromFile(double v) {
    for (const double choice : kFrictionChoices)
        if (v == choice) return v;
    if (v == 30) return kFrictionChoices[0];
    if (v == 50) return kFrictionChoices[1];
    if (v == 80) return kFrictionChoices[2];
    return kMatchKeyDefaults.Ftr;
}

std::int16_t UsableMass(std::int16_t v) {
    const MatchKeyDefaultTable& t = kMatchKeyDefaults;
    return v >= t.MinMass && v <= t.MaxMass ? v : t.DefaultMass;
}

MatchKeysRead ReadMatchKeys(const IniFile& f, std::string_view section, bool withParticipants,
                            ModelKeys models, const MatchKeys* fallback) {
    MatchKeysRead out;
    MatchKeys& k = out.Keys;
    k.WithParticipants = withParticipants;
    k.Models = models;
    IniKeyReader r(f, std::string(section));
    const MatchKeys none;
    if (fallback) r.KeepGoing();
    const MatchKeys& fb = fallback ? *fallback : none;
    ReadSlots(r, k, fb);
    if (!r.Failed()) ReadTableAndSwitches(r, k, fb);
    out.Error = r.Error();
    out.Skipped = r.Skipped();
    if (!out.Error.empty()) return out;
    // The marks never stop a load: a value that is not a box state leaves the mark.
    for (int i = 0; i < kMaxParticipants; ++i) {
        const std::optional<std::int16_t> mark = r.StrictInt16("chk" + Idx(i));
        if (mark && IsBoxState(*mark)) k.Slots[i].Mark = *mark;
    }
    return out;
}

std::int16_t TableLengthFrom(const MatchKeys& k) {
    if (IsChecked(k.MaxScr)) return kMatchKeyDefaults.LargestTable;
    return k.MaxX == 0 ? kMatchKeyDefaults.MaxX : k.MaxX;
}

std::int16_t TableWidthFrom(const MatchKeys& k) {
    if (IsChecked(k.MaxScr)) return kMatchKeyDefaults.LargestTable;
    return k.MaxY == 0 ? kMatchKeyDefaults.MaxY : k.MaxY;
}

void ApplyMatchKeys(const MatchKeys& k, MatchState& s, SlotSetups& slots) {
    const MatchKeyDefaultTable& t = kMatchKeyDefaults;
    for (int i = 0; i < kMaxParticipants; ++i) {
        const SlotKeys& in = k.Slots[i];
        SlotSetup& slot = slots[i];
        VembaRecord& v = s.Vembas[i + 1];
        if (k.WithParticipants) {
            slot.Name = in.Name;
            const bool listEntry = k.Models == ModelKeys::ListEntries;
            slot.Model = listEntry && in.Model == t.OvalModel ? 0 : in.Model;
            if (slot.Model >= 0) v.RMod = slot.Model;
            slot.Mass = UsableMass(in.Mass);
            v.RM = slot.Mass;
            if (in.Gray) {
                v.RGray = *in.Gray;
                slot.Gray = *in.Gray;
            }
        }
        if (slot.Name.empty()) slot.Name = Idx(i + 1);
        if (in.Mark) slot.Mark = *in.Mark;
        s.KtoHodit[i + 1] = TableIndex(k.KtoHodit[i + 1]);
        s.WhoSgin[i + 1] = TableIndex(k.WhoSgin[i + 1]);
    }
    s.CurSgin = TableIndex(k.CurSgin);
    s.CurNG = TableIndex(k.CurNG);
    s.Num = std::clamp(k.Num, t.MinNum, t.MaxNum);
    s.CurG = std::clamp(k.CurG, std::int16_t{1}, s.Num);
    s.Ftr = FrictionFromFile(k.Ftr);
    s.MaxX = TableLengthFrom(k);
    s.MaxY = TableWidthFrom(k);
    s.ShowSgin = ToFlag(k.ShowSgin != kBoxClear);
    s.Border = ToFlag(k.Border != kBoxClear);
    if (k.BordMode) s.BordMode = *k.BordMode;
    if (k.BordSimm) s.BordSimm = *k.BordSimm;
    s.Sound = ToFlag(k.Sound != kBoxClear);
    s.Pipa = ToFlag(k.Pipa != kBoxClear);
    if (k.PipaMode) s.PipaMode = *k.PipaMode;
    if (k.PipaSimm) s.PipaSimm = *k.PipaSimm;
}

}  // namespace zel
