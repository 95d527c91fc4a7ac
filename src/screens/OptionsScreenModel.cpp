#include "screens/OptionsScreenModel.h"

#include <optional>

#include "base/CheckBox.h"
#include "settings/DisplayMode.h"
#include "base/NumberParse.h"
#include "settings/SettingsTexts.h"
#include "core/MatchKeyDefaults.h"

namespace zel {
namespace {

// Table sizes "Готово" accepts when the largest-table box is not checked.
constexpr int kMinTableSize = 201;
constexpr int kMaxTableSize = 1000;

// The device list's entry 0 is the software device; every other index
// means the hardware one.
const char* DeviceIdentifier(int index) {
    return index == 0 ? texts::kSoftwareDeviceId : texts::kHardwareDeviceId;
}

// Stores a box state after checking it.
bool SetBox(std::int16_t& box, int state) {
    if (!IsBoxState(state)) return false;
    box = static_cast<std::int16_t>(state);
    return true;
}

// A pending size from a size box: the whole text must be a number.
std::optional<std::int16_t> SizeFrom(const std::string& text) { return ParseStrictInt16(text); }

bool SizeAccepted(const std::optional<std::int16_t>& v) {
    return v && *v >= kMinTableSize && *v <= kMaxTableSize;
}

}  // namespace

OptionsScreenModel::OptionsScreenModel()
    : drivers_{DisplayDriver{texts::kDefaultDriver, ""}},
      modeText_(FormatDisplayMode(
          {kSettingsDefaults.ScreenW, kSettingsDefaults.ScreenH, kSettingsDefaults.Colors})),
      title_(texts::kOptionsTitle) {}

bool OptionsScreenModel::SetMaxSizeBox(int state) {
    if (!SetBox(maxSizeBox_, state)) return false;
    if (IsChecked(maxSizeBox_)) {
        sizeGroupEnabled_ = false;
        pendingX_ = pendingY_ = kMatchKeyDefaults.LargestTable;
    } else {
        sizeGroupEnabled_ = true;
    }
    return true;
}

bool OptionsScreenModel::SelectFriction(int index) {
    if (index < -1 || index > 2) return false;
    frictionChoice_ = index;
    return true;
}

bool OptionsScreenModel::SetBorderBox(int state) {
    if (!SetBox(borderBox_, state)) return false;
    borderControlsEnabled_ = IsChecked(borderBox_);
    return true;
}

bool OptionsScreenModel::SelectBorderPosition(int index, MatchState& s) {
    if (index < 0 || index > 1) return false;
    borderPosition_ = index;
    s.BordMode = static_cast<std::int16_t>(index);
    return true;
}

bool OptionsScreenModel::SetSimmBox(int state, MatchState& s) {
    if (!SetBox(simmBox_, state)) return false;
    s.BordSimm = ToFlag(IsChecked(simmBox_));
    return true;
}

bool OptionsScreenModel::SetPipaBox(int state) { return SetBox(pipaBox_, state); }

bool OptionsScreenModel::SelectPipaPosition(int index, MatchState& s) {
    if (index < 0 || index > 1) return false;
    pipaPosition_ = index;
    s.PipaMode = static_cast<std::int16_t>(index);
    return true;
}

bool OptionsScreenModel::SetPipaSimmBox(int state, MatchState& s) {
    if (!SetBox(pipaSimmBox_, state)) return false;
    s.PipaSimm = ToFlag(IsChecked(pipaSimmBox_));
    return true;
}

bool OptionsScreenModel::SetShowSginBox(int state) { return SetBox(showSginBox_, state); }
bool OptionsScreenModel::SetSoundBox(int state) { return SetBox(soundBox_, state); }
bool OptionsScreenModel::SetTexBox(int state) { return SetBox(texBox_, state); }
bool OptionsScreenModel::SetUseRoomBox(int state) { return SetBox(useRoomBox_, state); }

bool OptionsScreenModel::SelectDriver(int index) {
    if (index < 0 || index >= static_cast<int>(drivers_.size())) return false;
    driverIndex_ = index;
    driverGuid_ = drivers_[static_cast<std::size_t>(index)].Identifier;
    return true;
}

void OptionsScreenModel::FillDisplayDriverList(const std::vector<DisplayDriver>& drivers) {
    drivers_ = drivers;
    if (drivers_.empty()) drivers_.push_back(DisplayDriver{texts::kDefaultDriver, ""});
    SelectDriver(0);
}

bool OptionsScreenModel::SelectDevice(int index) {
    if (index < 0 || index >= texts::kDeviceEntryCount) return false;
    // The device kind does not change the display the list has chosen.
    deviceIndex_ = index;
    deviceGuid_ = DeviceIdentifier(index);
    return true;
}

void OptionsScreenModel::FormLoad(MatchState& s, const DisplaySettings& d,
                                  const std::vector<DisplayDriver>& drivers) {
    sizeGText_ = std::to_string(s.MaxX);
    sizeVText_ = std::to_string(s.MaxY);

    SetBorderBox(BoxFor(IsSet(s.Border)));
    if (IsSet(s.Border)) {
        // A stored position the screen does not have leaves the buttons as they are.
        SelectBorderPosition(s.BordMode, s);
        SetSimmBox(BoxFor(IsSet(s.BordSimm)), s);
    }
    SetSoundBox(BoxFor(IsSet(s.Sound)));
    SetPipaBox(BoxFor(IsSet(s.Pipa)));
    SetShowSginBox(BoxFor(IsSet(s.ShowSgin)));

    FillDisplayDriverList(drivers);

    SetTexBox(BoxFor(IsSet(d.UseTex)));
    SetUseRoomBox(BoxFor(IsSet(d.UseRoom)));
    frictionChoice_ = -1;
    for (int i = 0; i < 3; ++i)
        if (s.Ftr == kFrictionChoices[i]) frictionChoice_ = i;

    // Entries the lists do not have are skipped; the lists keep their selection.
    modeText_ = FormatDisplayMode({d.ScreenW, d.ScreenH, d.Colors});
    SelectDriver(d.DeviceNum);
    SelectDevice(d.RenderNum);
}

bool OptionsScreenModel::Apply(MatchState& s, DisplaySettings& d, Dialogs& dlg) {
    title_ = texts::kOptionsSaving;

    d.RenderNum = static_cast<std::int16_t>(deviceIndex_);
    if (const std::optional<DisplayMode> mode = ParseDisplayMode(modeText_)) {
        d.ScreenW = mode->Width;
        d.ScreenH = mode->Height;
        d.Colors = mode->Colors;
    }
    d.UseTex = ToFlag(IsChecked(texBox_));
    d.UseRoom = ToFlag(IsChecked(useRoomBox_));
    CopyDisplayToMatch(d, s);
    // The chosen display stays chosen and is kept in the settings, so the
    // next opening and the next start of the program show it again.
    if (driverIndex_ >= 0) d.DeviceNum = static_cast<std::int16_t>(driverIndex_);
    deviceGuid_ = DeviceIdentifier(deviceIndex_);

    const bool largest = IsChecked(maxSizeBox_);
    std::optional<std::int16_t> x = kMatchKeyDefaults.LargestTable;
    std::optional<std::int16_t> y = kMatchKeyDefaults.LargestTable;
    if (!largest) {
        x = SizeFrom(sizeGText_);
        y = SizeFrom(sizeVText_);
    }
    if (x) pendingX_ = *x;
    if (y) pendingY_ = *y;
    if (frictionChoice_ >= 0) s.Ftr = kFrictionChoices[frictionChoice_];

    if (!largest && (!SizeAccepted(x) || !SizeAccepted(y))) {
        Message m;
        m.Text = texts::kBadSizeInput;
        m.Icon = MsgIcon::Information;
        dlg.Ask(m);
        title_ = texts::kOptionsTitle;
        return false;
    }

    s.MaxX = pendingX_;
    s.MaxY = pendingY_;
    if (IsChecked(borderBox_)) {
        s.Border = kTrue;
        s.BordMode = borderPosition_ == 0 ? 0 : 1;
        s.BordSimm = ToFlag(IsChecked(simmBox_));
    } else {
        s.Border = kFalse;
    }
    s.ShowSgin = ToFlag(IsChecked(showSginBox_));
    s.Sound = ToFlag(IsChecked(soundBox_));
    if (IsChecked(pipaBox_)) {
        s.Pipa = kTrue;
        s.PipaMode = pipaPosition_ == 0 ? 0 : 1;
        s.PipaSimm = ToFlag(IsChecked(pipaSimmBox_));
    } else {
        s.Pipa = kFalse;
    }
    title_ = texts::kOptionsTitle;
    return true;
}

}  // namespace zel
