#include <string>

#include "base/CheckBox.h"
#include "screens/SettingsControls.h"
#include "core/MatchKeyDefaults.h"
#include "settings/SettingsDefaults.h"

namespace zel {
namespace {

// The default model entry never asks anything; this answers in case it did.
class SilentDialogs : public Dialogs {
public:
    MsgAnswer Ask(const Message&) override { return MsgAnswer::Ok; }
};

}  // namespace

void ApplyDefaultSettings(SettingsStore& store, MatchState& s) {
    const SettingsDefaultTable& t = kSettingsDefaults;
    SilentDialogs silent;

    DisplaySettings& display = store.Display;
    display.ScreenW = t.ScreenW;
    display.ScreenH = t.ScreenH;
    display.Colors = t.Colors;
    display.UseTex = t.UseTex;
    display.UseRoom = t.UseRoom;
    display.DeviceNum = t.DeviceNum;
    display.RenderNum = t.RenderNum;

    StartScreenModel& start = store.Start;
    for (int i = 0; i < StartScreenModel::kSlots; ++i) {
        start.SetName(i, std::to_string(i + 1));
        start.SetPlayer(i, PlayerKind::Human);
    }
    for (int i = 0; i < StartScreenModel::kSlots; ++i) start.SelectModel(i, t.Model, s, silent);
    s.Num = t.Num;
    // Only the first marks are set; the others keep what the person chose.
    for (int i = 0; i < t.MarkedSlots; ++i) start.SetMark(i, kBoxChecked);
    s.CurG = t.CurG;
    s.Ftr = kMatchKeyDefaults.Ftr;

    OptionsScreenModel& options = store.Options;
    options.SetMaxSizeBox(kBoxClear);
    s.MaxX = kMatchKeyDefaults.MaxX;
    s.MaxY = kMatchKeyDefaults.MaxY;
    options.SetSoundBox(BoxFor(IsSet(t.Sound)));
    s.Sound = t.Sound;
    // The wall box itself is left alone; the options screen shows the flag
    // again when it is next opened.
    s.Border = t.Border;
    s.BordMode = t.BordMode;
    s.BordSimm = t.BordSimm;
    options.SetPipaBox(BoxFor(IsSet(t.Pipa)));
    s.Pipa = t.Pipa;
    options.SetShowSginBox(BoxFor(IsSet(t.ShowSgin)));
    s.ShowSgin = ToFlag(options.ShowSginBox() != kBoxClear);

    store.Net = DefaultNetSettings();

    CopyDisplayToMatch(display, s);
}

}  // namespace zel
