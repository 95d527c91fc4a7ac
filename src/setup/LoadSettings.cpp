#include <algorithm>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

#include "setup/BusyPointer.h"
#include "setup/CheckBox.h"
#include "setup/IniKeyReader.h"
#include "setup/SettingsDefaults.h"
#include "setup/Settings.h"
#include "setup/SetupTexts.h"
#include "setup/TextFile.h"

namespace zel {
namespace {

// A failed load must leave no trace, so the loader works on copies of the
// state and the store and keeps them only when every read succeeded.
static_assert(std::is_copy_assignable_v<MatchState> && std::is_copy_assignable_v<SettingsStore>);

std::string Idx(int i) { return std::to_string(i); }

// Friction keeps only the three settings the game offers.
double FrictionFrom(double v) {
    for (const double choice : kFrictionChoices)
        if (v == choice) return v;
    return kSettingsDefaults.Ftr;
}

// The piece editor allows 1..1000; a stored mass outside that (0 from a
// missing key, say) would later divide a contact push by zero or refuse the
// match, so it reads as the untouched mass instead.
std::int16_t MassFrom(std::int16_t v) {
    return v >= kSettingsDefaults.MinMass && v <= kSettingsDefaults.MaxMass
               ? v
               : kSettingsDefaults.DefaultMass;
}

std::int16_t CurGFrom(std::int16_t v, std::int16_t num) {
    if (v < 1) return 1;
    return std::min(v, num);
}

// Display keys: a value that is not a number keeps the setting.
void ReadDisplay(const IniKeyReader& r, DisplaySettings& display) {
    const SettingsDefaultTable& t = kSettingsDefaults;
    auto number = [&](const char* key, std::int16_t& target) {
        if (const std::optional<std::int16_t> v = r.StrictInt16(key)) target = *v;
    };
    auto flag = [&](const char* key, Flag& target) {
        if (const std::optional<std::int16_t> v = r.StrictInt16(key)) target = ToFlag(*v != 0);
    };
    number("ScreenW", display.ScreenW);
    number("ScreenH", display.ScreenH);
    number("Colors", display.Colors);
    flag("UseTex", display.UseTex);
    flag("UseRoom", display.UseRoom);
    if (display.ScreenW == 0) display.ScreenW = t.ScreenW;
    if (display.ScreenH == 0) display.ScreenH = t.ScreenH;
    if (display.Colors == 0) display.Colors = t.Colors;

    auto device = [&](const char* key, std::int16_t& target, std::int16_t fallback) {
        number(key, target);
        if (target < 0 || target >= t.DeviceLimit) target = fallback;
    };
    device("DeviceNum", display.DeviceNum, t.DeviceNum);
    device("RenderNum", display.RenderNum, t.RenderNum);
}

// Names, models, masses and the order tables, slot by slot. Stops at the
// first failure.
void ReadSlots(IniKeyReader& r, SettingsStore& store, MatchState& s, Dialogs& d) {
    StartScreenModel& start = store.Start;
    for (int i = 0; i < StartScreenModel::kSlots; ++i) {
        // A team match brings its own participants; their slots stay as they are.
        if (!IsSet(s.TeamGame)) {
            start.SetName(i, r.Text("R" + Idx(i)));
            const std::string modelKey = "RModel" + Idx(i);
            const std::int16_t model = r.Int16(modelKey);
            if (r.Failed()) return;
            if (!start.SelectModel(i, model, s, d)) {
                r.Fail("Недопустимое значение ключа " + modelKey + " " +
                       IniKeyReader::Quote(r.Text(modelKey)) + ": в списке моделей нет элемента " +
                       Idx(model));
                return;
            }
            const std::int16_t mass = r.Int16("RM" + Idx(i));
            if (r.Failed()) return;
            s.Vembas[i + 1].RM = MassFrom(mass);
        }
        if (start.Name(i).empty()) start.SetName(i, Idx(i + 1));
        const std::int16_t turn = r.Int16("KtoHodit" + Idx(i + 1));
        const std::int16_t fell = r.Int16("WhoSgin" + Idx(i + 1));
        if (r.Failed()) return;
        s.KtoHodit[i + 1] = turn;
        s.WhoSgin[i + 1] = fell;
    }
}

// Table, counters, friction and the switches with their boxes. Stops at the
// first failure.
void ReadTableAndSwitches(IniKeyReader& r, SettingsStore& store, MatchState& s) {
    const SettingsDefaultTable& t = kSettingsDefaults;
    OptionsScreenModel& options = store.Options;

    std::int16_t maxX = r.Int16("MaxX");
    if (r.Failed()) return;
    options.SetSizeGText(std::to_string(maxX));
    std::int16_t maxY = r.Int16("MaxY");
    if (r.Failed()) return;
    options.SetSizeVText(std::to_string(maxY));
    const std::int16_t curSgin = r.Int16("CurSgin");
    const std::int16_t curNG = r.Int16("CurNG");
    const std::int16_t num = r.Int16("Num");
    const std::int16_t curG = r.Int16("CurG");
    if (r.Failed()) return;
    s.CurSgin = curSgin;
    s.CurNG = curNG;
    s.Num = std::clamp<std::int16_t>(num, 2, kMaxParticipants);
    s.CurG = CurGFrom(curG, s.Num);

    s.Ftr = FrictionFrom(r.Number("Ftr"));

    const std::int16_t maxScr = r.BoxState("MaxScr");
    if (r.Failed()) return;
    options.SetMaxSizeBox(maxScr);
    if (IsChecked(options.MaxSizeBox())) maxX = maxY = t.LargestTable;
    if (maxX == 0) maxX = t.MaxX;
    if (maxY == 0) maxY = t.MaxY;
    s.MaxX = maxX;
    s.MaxY = maxY;

    const std::int16_t showSgin = r.BoxState("ShowSgin");
    if (r.Failed()) return;
    options.SetShowSginBox(showSgin);
    s.ShowSgin = ToFlag(options.ShowSginBox() != kBoxClear);

    const std::int16_t border = r.BoxState("Border");
    if (r.Failed()) return;
    options.SetBorderBox(border);
    s.Border = ToFlag(options.BorderBox() != kBoxClear);
    if (IsSet(s.Border)) {
        const std::int16_t mode = r.Int16("BordMode");
        const std::int16_t simm = r.Int16("BordSimm");
        if (r.Failed()) return;
        s.BordMode = mode;
        s.BordSimm = ToFlag(simm != 0);
    }

    const std::int16_t sound = r.BoxState("Sound");
    if (r.Failed()) return;
    options.SetSoundBox(sound);
    s.Sound = ToFlag(options.SoundBox() != kBoxClear);

    const std::int16_t pipa = r.BoxState("Pipa");
    if (r.Failed()) return;
    options.SetPipaBox(pipa);
    s.Pipa = ToFlag(options.PipaBox() != kBoxClear);
}

// Participation marks: a value that is not a box state leaves the mark.
void ReadMarks(const IniKeyReader& r, StartScreenModel& start) {
    for (int i = 0; i < StartScreenModel::kSlots; ++i) {
        const std::optional<std::int16_t> mark = r.StrictInt16("chk" + Idx(i));
        if (mark && IsBoxState(*mark)) start.SetMark(i, *mark);
    }
}

void ShowLoadFailure(Dialogs& d, const std::string& description) {
    Message m;
    m.Text = std::string(texts::kLoadFailed) + texts::kBlankLine + texts::kErrorDescription +
             description + texts::kBlankLine + texts::kDefaultsFollow;
    m.Icon = MsgIcon::Critical;
    d.Ask(m);
}

}  // namespace

void LoadSettings(const std::string& path, const std::string& settingsFile, SettingsStore& store,
                  MatchState& s, Dialogs& d) {
    if (!FileExists(path)) {
        ApplyDefaultSettings(store, s);
        return;
    }
    const std::string section = path == settingsFile ? texts::kSettingsSection
                                                     : texts::kReplaySection;

    SettingsStore work = store;
    MatchState next = s;
    IniFile file;
    std::string error;
    {
        BusyPointer busy(d);
        const bool opened = file.Open(path, error);
        if (!opened && error.empty()) error = "файл не открывается";
        if (opened) {
            IniKeyReader r(file, section);
            ReadDisplay(r, work.Display);
            ReadSlots(r, work, next, d);
            if (!r.Failed()) ReadTableAndSwitches(r, work, next);
            error = r.Error();
            busy.Release();
            if (error.empty()) ReadMarks(r, work.Start);
        }
    }
    file.Close();

    if (!error.empty()) {
        ShowLoadFailure(d, error);
        ApplyDefaultSettings(store, s);
        return;
    }
    CopyDisplayToMatch(work.Display, next);
    store = std::move(work);
    s = std::move(next);
}

}  // namespace zel
