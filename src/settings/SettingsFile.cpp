#include "settings/SettingsFile.h"

#include <optional>

#include "base/BusyPointer.h"
#include "base/CheckBox.h"
#include "base/IniKeyReader.h"
#include "base/NumberFormat.h"
#include "core/MatchKeyDefaults.h"
#include "base/TextFile.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsTexts.h"

namespace zel {
namespace {

std::string Idx(int i) { return std::to_string(i); }

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

// Who plays each slot; anything but a level's number is a person.
void ReadPlayers(const IniKeyReader& r, std::array<PlayerKind, kMaxParticipants>& players) {
    for (int i = 0; i < kMaxParticipants; ++i) {
        const std::optional<std::int16_t> v = r.StrictInt16("Player" + Idx(i));
        players[static_cast<std::size_t>(i)] = v ? PlayerKindFromNumber(*v) : PlayerKind::Human;
    }
}

// The network screen's boxes; what cannot be used is the built-in value.
NetSettings ReadNet(const IniKeyReader& r) {
    const SettingsDefaultTable& t = kSettingsDefaults;
    NetSettings net;
    const std::string address = r.Text("NetAddress");
    net.Address = UsableAddress(address) ? address : t.NetAddress;
    const std::string port = r.Text("NetPort");
    net.Port = ParsePort(port) ? port : t.NetPort;
    const std::string hostPort = r.Text("NetHostPort");
    net.HostPort = ParsePort(hostPort) ? hostPort : t.NetPort;
    return net;
}

// A value on one line: a line break typed or pasted into a box would end
// the key early and start a bogus key of its own.
std::string OneLine(std::string v) {
    for (char& c : v)
        if (c == '\r' || c == '\n') c = ' ';
    return v;
}

// Appends "key=value" and CR LF.
void Line(std::string& out, const std::string& key, const std::string& value) {
    out += key;
    out += '=';
    out += value;
    out += texts::kNewLine;
}

const char* Bit(bool on) { return on ? "1" : "0"; }

// What a zel.ini key gives when its value cannot be used: the built-in
// settings, so that one bad key costs only itself.
MatchKeys SettingsFallbackKeys(bool withParticipants) {
    const SettingsDefaultTable& t = kSettingsDefaults;
    MatchKeys k;
    k.WithParticipants = withParticipants;
    for (SlotKeys& slot : k.Slots) {
        slot.Model = t.Model;
        slot.Mass = kMatchKeyDefaults.DefaultMass;
    }
    k.Num = t.Num;
    k.CurG = t.CurG;
    k.Ftr = kMatchKeyDefaults.Ftr;
    k.MaxScr = kBoxClear;
    k.ShowSgin = BoxFor(IsSet(t.ShowSgin));
    k.Border = BoxFor(IsSet(t.Border));
    k.Sound = BoxFor(IsSet(t.Sound));
    k.Pipa = BoxFor(IsSet(t.Pipa));
    k.BordMode = t.BordMode;
    k.BordSimm = t.BordSimm;
    return k;
}

bool AllBlank(const IniFile& file) {
    for (const std::string& line : file.Lines())
        if (line.find_first_not_of(" \t\r") != std::string::npos) return false;
    return true;
}

}  // namespace

SettingsFileRead ReadSettingsFile(const std::string& path, const std::string& settingsFile,
                                  const DisplaySettings& current, bool withParticipants,
                                  Dialogs& d) {
    SettingsFileRead out;
    out.Display = current;
    if (!FileExists(path)) return out;
    out.Found = true;
    const char* section = path == settingsFile ? texts::kSettingsSection : texts::kReplaySection;

    BusyPointer busy(d);
    IniFile file;
    if (!file.Open(path, out.Error)) {
        if (out.Error.empty()) out.Error = "файл не открывается";
        return out;
    }
    const bool settings = path == settingsFile;
    if (settings && AllBlank(file)) {
        out.Found = false;  // an empty zel.ini holds nothing to lose
        return out;
    }
    if (!file.HasSection(section)) {
        out.Error = std::string(texts::kNoSettingsSection) + section + "]";
        return out;
    }
    ReadDisplay(IniKeyReader(file, section), out.Display);
    if (settings) ReadPlayers(IniKeyReader(file, section), out.Players);
    if (settings) out.Net = ReadNet(IniKeyReader(file, section));
    // zel.ini's keys are independent lines, so a bad one falls back alone;
    // a replay's keys must all be right or the match is another one.
    const MatchKeys fallback = SettingsFallbackKeys(withParticipants);
    MatchKeysRead match = ReadMatchKeys(file, section, withParticipants, ModelKeys::ListEntries,
                                        settings ? &fallback : nullptr);
    out.Match = std::move(match.Keys);
    out.Error = std::move(match.Error);
    out.Skipped = std::move(match.Skipped);
    return out;
}

std::string BuildSettingsText(const SettingsValues& v) {
    const DisplaySettings& display = v.Display;
    std::string out = std::string("[") + texts::kSettingsSection + "]" + texts::kNewLine;
    Line(out, "ScreenW", std::to_string(display.ScreenW));
    Line(out, "ScreenH", std::to_string(display.ScreenH));
    Line(out, "Colors", std::to_string(display.Colors));
    Line(out, "UseTex", Bit(IsSet(display.UseTex)));
    Line(out, "UseRoom", Bit(IsSet(display.UseRoom)));
    Line(out, "DeviceNum", std::to_string(display.DeviceNum));
    Line(out, "RenderNum", std::to_string(display.RenderNum));
    for (int i = 0; i < kMaxParticipants; ++i) {
        const SettingsSlotValues& slot = v.Slots[i];
        Line(out, "R" + Idx(i), OneLine(slot.Name));
        Line(out, "RModel" + Idx(i), std::to_string(slot.Model));
        Line(out, "RM" + Idx(i), std::to_string(slot.Mass));
    }
    Line(out, "MaxX", OneLine(v.MaxXText));
    Line(out, "MaxY", OneLine(v.MaxYText));
    Line(out, "Ftr", FormatDouble(v.Ftr));
    Line(out, "MaxScr", Bit(IsChecked(v.MaxScrBox)));
    Line(out, "Sound", Bit(IsChecked(v.SoundBox)));
    if (IsChecked(v.BorderBox)) {
        Line(out, "Border", "1");
        Line(out, "BordMode", std::to_string(v.BordMode));
        Line(out, "BordSimm", Bit(IsSet(v.BordSimm)));
    } else {
        Line(out, "Border", "0");
    }
    Line(out, "ShowSgin", Bit(IsChecked(v.ShowSginBox)));
    Line(out, "Pipa", Bit(IsChecked(v.PipaBox)));
    for (int i = 0; i < kMaxParticipants; ++i) Line(out, "chk" + Idx(i), std::to_string(v.Slots[i].Mark));
    for (int i = 0; i < kMaxParticipants; ++i)
        Line(out, "Player" + Idx(i), std::to_string(PlayerKindNumber(v.Slots[i].Player)));
    Line(out, "NetAddress", OneLine(v.Net.Address));
    Line(out, "NetPort", OneLine(v.Net.Port));
    Line(out, "NetHostPort", OneLine(v.Net.HostPort));
    return out;
}

}  // namespace zel
