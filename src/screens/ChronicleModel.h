#pragma once
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "base/Dialogs.h"
#include "screens/ChronicleEvents.h"

namespace zel::screens {

// The chronicle "Хроника Вембы" (frmXronika) and its detail window
// (frmXronikaInfo) without windows: the strip's highlight and scroll
// position, what the detail window shows for each entry of the strip, the
// event list, and the link pages. The windows show what this says.

// The five entries of the strip: the four school years (0 to 3) and the
// events of the last year (4).
inline constexpr int kPeriodCount = 4;
inline constexpr int kEventsEntry = 4;

// One entry of the strip as the detail window shows it.
struct ChronicleEntry {
    const char* Caption;  // lblDate
    const char* Text;     // Text1: the period's story, or the hint of the event list
    bool HasPicture;      // the periods have a picture, the event list has the list instead
};

// Entry `index` (0 to 4; others give entry 0).
const ChronicleEntry& ChronicleEntryAt(int index);

// The picture of period `index`: gamedata/xron/xron<index>.gif under the
// program folder `appPath` (ending in "/").
std::string PeriodPicturePath(const std::string& appPath, int index);

// The strip of the chronicle window: which rectangle is lit, and how far the
// strip has moved.
class ChronicleStrip {
public:
    // The colours, in the form the window's variables keep them: a number
    // 0xBBGGRR stored as a floating-point value, made whole when applied.
    static constexpr double kHighlightColour = 12648447;  // C0FFFF: pale yellow
    static constexpr double kNormalColour = 14737632;     // E0E0E0: light grey

    ChronicleStrip();

    // Reset(): the four rectangles and the event label in the normal colour.
    void Reset();
    // The mouse over label `index` (0 to 4): lights it unless that period's
    // rectangle is lit already. True when a colour changed.
    bool Hover(int index);
    // The fill of rectangle `index` (0 to 3) and the background of the event
    // label, as whole 0xBBGGRR numbers.
    int BoxColour(int index) const;
    int EventLabelColour() const { return eventLabel_; }

    // The scroll bar moved to `value`: every control of the strip moves by
    // the returned number of steps along x (negative: to the left), and the
    // value is kept as the last one applied.
    int Scroll(int value);
    int ScrollPosition() const { return position_; }

private:
    std::array<int, kPeriodCount> boxes_{};  // shp(0..3) fill colours
    int eventLabel_ = 0;                     // lbl(4) background colour
    int position_ = 0;                       // the scroll value last applied
};

// The scroll bar's largest value for a strip `stripWidth` wide seen through
// a window `viewWidth` wide, moving `step` per value: enough to bring the
// strip's right end into view, 0 when it fits.
int StripScrollMaximum(int stripWidth, int viewWidth, int step);

// The rules box of a variant name on the strip.
enum class Variant { Wall, MultiLevel, Professional };
const char* VariantRules(Variant v);

// The detail window's contents.
struct ChronicleDetail {
    std::string Caption;                  // lblDate
    std::string Text;                     // Text1
    bool ShowList = false;                // the event list instead of the picture box
    int Picture = -1;                     // the period whose picture to load, -1 for none
    std::vector<ChronicleEvent> Events;   // the list's entries
};

// What the detail window does, given the program folder.
class ChronicleDetailModel {
public:
    explicit ChronicleDetailModel(std::string appPath) : appPath_(std::move(appPath)) {}

    // Sdvig(index): fills the detail for entry `index` and says whether the
    // window is shown. The event list re-reads gamedata/xron/xron.dat every
    // time; when it is missing, the exclamation message "Не найден файл
    // xron.dat. Переустановите Korvalo." is shown, nothing changes and the
    // result is false.
    bool Open(int index, Dialogs& d);
    // LoadDat(): the event list from the file; false (with the message)
    // when the file is not there.
    bool LoadDat(Dialogs& d);
    // A click on list entry `row`: its description and its title.
    void SelectEvent(int row);
    // The list's tooltip with entry `row` selected (-1: none): "Выделено: "
    // and the title, or "" without a selection.
    std::string ListTip(int row) const;

    const ChronicleDetail& Detail() const { return detail_; }

private:
    std::string appPath_;     // the program folder
    ChronicleDetail detail_;  // what the window shows
};

// "Ссылки" and "Словарь": opens the page `page` (relative to `appPath`)
// through `open` when it is there, else shows the exclamation message
// `missing`.
void OpenChroniclePage(const std::string& appPath, const char* page, const char* missing,
                       Dialogs& d, const std::function<void(const std::string& path)>& open);

// "Выход из игры": asks "Вы уверены, что хотите выйти из игры?" (Yes and
// No, information icon); true for Yes.
bool ConfirmLeaveGame(Dialogs& d);

}  // namespace zel::screens
