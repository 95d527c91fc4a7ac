#include <exception>
#include <string>

#include "setup/BusyPointer.h"
#include "setup/CheckBox.h"
#include "setup/NumberFormat.h"
#include "setup/Settings.h"
#include "setup/SetupTexts.h"
#include "setup/TextFile.h"

namespace zel {
namespace {

std::string Idx(int i) { return std::to_string(i); }

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

}  // namespace

std::string BuildSettingsText(const SettingsStore& store, const MatchState& s) {
    const DisplaySettings& display = store.Display;
    const StartScreenModel& start = store.Start;
    const OptionsScreenModel& options = store.Options;

    std::string out = std::string("[") + texts::kSettingsSection + "]" + texts::kNewLine;
    Line(out, "ScreenW", std::to_string(display.ScreenW));
    Line(out, "ScreenH", std::to_string(display.ScreenH));
    Line(out, "Colors", std::to_string(display.Colors));
    Line(out, "UseTex", Bit(IsSet(display.UseTex)));
    Line(out, "UseRoom", Bit(IsSet(display.UseRoom)));
    Line(out, "DeviceNum", std::to_string(display.DeviceNum));
    Line(out, "RenderNum", std::to_string(display.RenderNum));
    for (int i = 0; i < StartScreenModel::kSlots; ++i) {
        Line(out, "R" + Idx(i), OneLine(start.Name(i)));
        Line(out, "RModel" + Idx(i), std::to_string(start.Model(i)));
        Line(out, "RM" + Idx(i), std::to_string(s.Vembas[i + 1].RM));
    }
    Line(out, "MaxX", OneLine(options.SizeGText()));
    Line(out, "MaxY", OneLine(options.SizeVText()));
    Line(out, "Ftr", FormatDouble(s.Ftr));
    Line(out, "MaxScr", Bit(IsChecked(options.MaxSizeBox())));
    Line(out, "Sound", Bit(IsChecked(options.SoundBox())));
    if (IsChecked(options.BorderBox())) {
        Line(out, "Border", "1");
        Line(out, "BordMode", std::to_string(s.BordMode));
        Line(out, "BordSimm", Bit(IsSet(s.BordSimm)));
    } else {
        Line(out, "Border", "0");
    }
    Line(out, "ShowSgin", Bit(IsChecked(options.ShowSginBox())));
    Line(out, "Pipa", Bit(IsChecked(options.PipaBox())));
    for (int i = 0; i < StartScreenModel::kSlots; ++i)
        Line(out, "chk" + Idx(i), std::to_string(start.Mark(i)));
    return out;
}

bool SaveSettings(const std::string& settingsFile, const SettingsStore& store, const MatchState& s,
                  Dialogs& d) {
    BusyPointer busy(d);
    std::string text;
    try {
        text = BuildSettingsText(store, s);
    } catch (const std::exception& e) {
        busy.Release();
        Message m;
        m.Text = std::string(texts::kSaveFailed) + texts::kBlankLine + texts::kErrorDescription +
                 e.what();
        m.Icon = MsgIcon::Critical;
        d.Ask(m);
        return false;
    }
    return WriteTextFile(settingsFile, text, d);
}

}  // namespace zel
