#include "screens/ChronicleModel.h"

#include <cmath>

#include "base/IniLookup.h"
#include "base/TextFile.h"
#include "screens/ChronicleTexts.h"

namespace zel::screens {
namespace {

int Whole(double colour) { return static_cast<int>(std::lround(colour)); }

constexpr std::array<ChronicleEntry, 5> kEntries{{
    {texts::kPeriodCaption0, texts::kPeriodText0, true},
    {texts::kPeriodCaption1, texts::kPeriodText1, true},
    {texts::kPeriodCaption2, texts::kPeriodText2, true},
    {texts::kPeriodCaption3, texts::kPeriodText3, true},
    {texts::kEventsCaption, texts::kEventHint, false},
}};

}  // namespace

const ChronicleEntry& ChronicleEntryAt(int index) {
    if (index < 0 || index >= static_cast<int>(kEntries.size())) index = 0;
    return kEntries[static_cast<std::size_t>(index)];
}

std::string PeriodPicturePath(const std::string& appPath, int index) {
    return appPath + texts::kPeriodPictureStart + std::to_string(index) + texts::kPeriodPictureEnd;
}

// --- the strip ------------------------------------------------------------------

ChronicleStrip::ChronicleStrip() { Reset(); }

void ChronicleStrip::Reset() {
    boxes_.fill(Whole(kNormalColour));
    eventLabel_ = Whole(kNormalColour);
}

bool ChronicleStrip::Hover(int index) {
    if (index < 0 || index > kEventsEntry) return false;
    const int lit = Whole(kHighlightColour);
    if (index < kPeriodCount && boxes_[static_cast<std::size_t>(index)] == lit) return false;
    const auto before = boxes_;
    const int labelBefore = eventLabel_;
    Reset();
    if (index < kPeriodCount) {
        boxes_[static_cast<std::size_t>(index)] = lit;
    } else {
        eventLabel_ = lit;
    }
    return before != boxes_ || labelBefore != eventLabel_;
}

int ChronicleStrip::BoxColour(int index) const {
    if (index < 0 || index >= kPeriodCount) return Whole(kNormalColour);
    return boxes_[static_cast<std::size_t>(index)];
}

int ChronicleStrip::Scroll(int value) {
    const int shift = position_ - value;
    position_ = value;
    return shift;
}

int StripScrollMaximum(int stripWidth, int viewWidth, int step) {
    if (step <= 0 || stripWidth <= viewWidth) return 0;
    return (stripWidth - viewWidth + step - 1) / step;
}

const char* VariantRules(Variant v) {
    switch (v) {
        case Variant::Wall: return texts::kWallRules;
        case Variant::MultiLevel: return texts::kMultiLevelRules;
        case Variant::Professional: return texts::kProRules;
    }
    return texts::kWallRules;
}

// --- the detail window ----------------------------------------------------------------

bool ChronicleDetailModel::LoadDat(Dialogs& d) {
    const std::string path = appPath_ + texts::kEventFile;
    if (!FileExists(path)) {
        Tell(d, texts::kEventFileMissing, MsgIcon::Exclamation);
        return false;
    }
    IniFile file;
    std::string error;
    detail_.Events.clear();
    // A file that cannot be read lists nothing, as an empty one would.
    if (file.Open(path, error)) detail_.Events = ReadChronicleEvents(file);
    return true;
}

bool ChronicleDetailModel::Open(int index, Dialogs& d) {
    if (index < 0 || index > kEventsEntry) return false;
    const ChronicleEntry& entry = ChronicleEntryAt(index);
    if (index == kEventsEntry) {
        if (!LoadDat(d)) return false;
        detail_.ShowList = true;
        detail_.Picture = -1;
    } else {
        detail_.ShowList = false;
        detail_.Picture = index;
    }
    detail_.Text = entry.Text;
    detail_.Caption = entry.Caption;
    return true;
}

void ChronicleDetailModel::SelectEvent(int row) {
    if (row < 0 || row >= static_cast<int>(detail_.Events.size())) return;
    const ChronicleEvent& e = detail_.Events[static_cast<std::size_t>(row)];
    detail_.Text = e.Description;
    detail_.Caption = e.Title;
}

std::string ChronicleDetailModel::ListTip(int row) const {
    if (row < 0 || row >= static_cast<int>(detail_.Events.size())) return "";
    return std::string(texts::kSelectedTipStart) + detail_.Events[static_cast<std::size_t>(row)].Title;
}

// --- links and leaving -------------------------------------------------------------------

void OpenChroniclePage(const std::string& appPath, const char* page, const char* missing,
                       Dialogs& d, const std::function<void(const std::string& path)>& open) {
    const std::string path = appPath + page;
    if (!FileExists(path)) {
        Tell(d, missing, MsgIcon::Exclamation);
        return;
    }
    if (open) open(path);
}

bool ConfirmLeaveGame(Dialogs& d) {
    return Tell(d, texts::kLeaveGameQuestion, MsgIcon::Information, MsgButtons::YesNo) ==
           MsgAnswer::Yes;
}

}  // namespace zel::screens
