#include "screens/StartScreenModel.h"

#include <utility>

#include "base/CheckBox.h"
#include "settings/SettingsTexts.h"

namespace zel {
namespace {

bool ValidSlot(int slot) { return slot >= 0 && slot < StartScreenModel::kSlots; }

// Fewer participants than this cannot start a match.
constexpr int kMinParticipants = 2;

}  // namespace

StartScreenModel::StartScreenModel() : gamersKolvoText_(texts::kGamersKolvoCaption) {}

const std::string& StartScreenModel::Name(int slot) const {
    static const std::string kNone;
    return ValidSlot(slot) ? slots_[slot].Name : kNone;
}

void StartScreenModel::SetName(int slot, std::string text) {
    if (ValidSlot(slot)) slots_[slot].Name = std::move(text);
}

std::int16_t StartScreenModel::Model(int slot) const {
    return ValidSlot(slot) ? slots_[slot].Model : std::int16_t{-1};
}

bool StartScreenModel::SelectModel(int slot, int index, MatchState& s, Dialogs& d) {
    if (!ValidSlot(slot) || index < -1 || index >= texts::kModelEntryCount) return false;
    if (index == kOvalModel) {
        Message m;
        m.Title = texts::kWarningTitle;
        m.Text = texts::kOvalUnavailable;
        m.Icon = MsgIcon::Information;
        d.Ask(m);
        index = 0;
    }
    slots_[slot].Model = static_cast<std::int16_t>(index);
    if (index >= 0) s.Vembas[slot + 1].RMod = static_cast<std::int16_t>(index);
    return true;
}

std::int16_t StartScreenModel::Mark(int slot) const {
    return ValidSlot(slot) ? slots_[slot].Mark : kBoxClear;
}

bool StartScreenModel::SetMark(int slot, int state) {
    if (!ValidSlot(slot) || !IsBoxState(state)) return false;
    slots_[slot].Mark = static_cast<std::int16_t>(state);
    CountMarks();
    return true;
}

PlayerKind StartScreenModel::Player(int slot) const {
    return ValidSlot(slot) ? slots_[slot].Player : PlayerKind::Human;
}

void StartScreenModel::SetPlayer(int slot, PlayerKind kind) {
    if (ValidSlot(slot)) slots_[slot].Player = kind;
}

int StartScreenModel::CheckedCount() const {
    int n = 0;
    for (const Slot& slot : slots_)
        if (IsChecked(slot.Mark)) ++n;
    return n;
}

void StartScreenModel::CountMarks() {
    const int n = CheckedCount();
    gamersKolvoText_ = texts::kGamersKolvoPrefix + std::to_string(n);
    goEnabled_ = n >= kMinParticipants;
    if (goEnabled_) gamersKolvo_ = static_cast<std::int16_t>(n);
}

void StartScreenModel::SetNetworkMode(bool on) {
    networkMode_ = on;
    if (on) return;
    for (Slot& slot : slots_) {
        slot.There = false;
        if (!slot.Lent) continue;
        slot.Lent = false;
        slot.Name = slot.OwnName;
        slot.Mark = slot.OwnMark;
        slot.Player = slot.OwnPlayer;
    }
    CountMarks();
}

const std::string& StartScreenModel::OwnName(int slot) const {
    if (ValidSlot(slot) && slots_[slot].Lent) return slots_[slot].OwnName;
    return Name(slot);
}

std::int16_t StartScreenModel::OwnMark(int slot) const {
    if (ValidSlot(slot) && slots_[slot].Lent) return slots_[slot].OwnMark;
    return Mark(slot);
}

PlayerKind StartScreenModel::OwnPlayer(int slot) const {
    if (ValidSlot(slot) && slots_[slot].Lent) return slots_[slot].OwnPlayer;
    return Player(slot);
}

bool StartScreenModel::PlayedThere(int slot) const { return ValidSlot(slot) && slots_[slot].There; }

void StartScreenModel::SetPlayedThere(int slot, bool there) {
    if (!networkMode_ || !ValidSlot(slot)) return;
    slots_[slot].There = there;
    if (there) slots_[slot].Player = PlayerKind::Human;
}

int StartScreenModel::TakeGuestNames(const std::vector<std::string>& names) {
    if (!networkMode_) return 0;
    int placed = 0;
    int slot = 0;
    for (const std::string& name : names) {
        while (slot < kSlots && IsChecked(slots_[slot].Mark)) ++slot;
        if (slot >= kSlots) break;
        Slot& lent = slots_[slot];
        if (!lent.Lent) {
            lent.Lent = true;
            lent.OwnName = lent.Name;
            lent.OwnMark = lent.Mark;
            lent.OwnPlayer = lent.Player;
        }
        lent.Name = name;
        SetPlayedThere(slot, true);
        SetMark(slot, kBoxChecked);
        ++placed;
        ++slot;
    }
    return placed;
}

std::vector<std::string> StartScreenModel::CheckedNames() const {
    auto nameOf = [this](int i) {
        const std::string& raw = slots_[i].Name;
        const std::size_t first = raw.find_first_not_of(' ');
        const std::size_t last = raw.find_last_not_of(' ');
        std::string name = first == std::string::npos ? std::string() : raw.substr(first, last - first + 1);
        return name.empty() ? std::to_string(i + 1) : name;
    };
    std::vector<std::string> names;
    for (int i = 0; i < kSlots; ++i)
        if (IsChecked(slots_[i].Mark)) names.push_back(nameOf(i));
    if (names.empty()) names.push_back(nameOf(0));
    return names;
}

const char* StartScreenModel::ModelName(int index) {
    if (index < 0 || index >= texts::kModelEntryCount) return "";
    return texts::kModelNames[index];
}

}  // namespace zel
