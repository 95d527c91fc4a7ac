#pragma once
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QWidget>

#include "base/Dialogs.h"
#include "frontend/DesktopLauncher.h"
#include "screens/ChronicleModel.h"

class QScrollBar;

namespace zel {

class ChronicleInfoWindow;
class ClickLabel;
class StripBox;
class StripLabel;

// frmXronika, "Хроника Вембы": the club's history as a strip of school
// years that the scroll bar HS moves sideways. The mouse over a year lights
// its rectangle; a click opens the detail window (Sdvig) with the year's
// story and picture, or, for the last label, the season's events. The names
// of three game variants on the strip show their rules. Below are the help
// pages, the link page, the dictionary and the club's site; "< Назад" goes
// back to the main menu, "Выход" and closing the window by its frame end
// the program without a question.
//
// Every control of the strip carries the tag "s" (the property "tag") and
// moves with the scroll bar: a step of the bar moves it by StripStep()
// pixels, a little under half a line, so the strip keeps its proportions
// at any scale and font size; the bar's range reaches the strip's end.
class ChronicleWindow : public QWidget {
public:
    ChronicleWindow(std::string appPath, Dialogs& dialogs, const DesktopLauncher& launcher,
                    std::string appTitle);
    ~ChronicleWindow() override;

    // Sdvig: opens the detail window for entry `index` (0 to 4) and hides
    // this one; when the detail has nothing to show this window stays.
    void Sdvig(int index);
    // Reset: the four rectangles and the event label in the normal colour.
    void Reset();
    // The mouse over strip label `index`.
    void Highlight(int index);

    // "< Назад": back to the main menu (given this window).
    std::function<void(QWidget* from)> OnBack;
    // ExitProgram.
    std::function<void()> OnExitProgram;
    // The program is ending: closing no longer ends it again.
    void SetExiting();

    // The detail window, made on first use.
    ChronicleInfoWindow* Detail();
    // The detail window if it has been made, else null.
    ChronicleInfoWindow* ExistingDetail() const { return detail_.get(); }
    // The controls that move with the strip.
    std::vector<QWidget*> StripControls() const;
    // Pixels the strip moves per step of the scroll bar.
    int StripStep() const { return step_; }
    QScrollBar* ScrollBar() const { return scroll_; }
    const screens::ChronicleStrip& Strip() const { return strip_; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void BuildStrip(QWidget* view);
    void Scrolled(int value);
    void UpdateScrollRange();
    void PaintStrip();
    void OpenPage(const char* page, const char* missing);
    void Exit();

    std::string appPath_;                   // the program folder
    Dialogs& dialogs_;                      // messages
    const DesktopLauncher& launcher_;       // help, pages and the club's site
    screens::ChronicleStrip strip_;         // the highlight and the scroll position
    QWidget* view_ = nullptr;               // the window onto the strip
    QScrollBar* scroll_ = nullptr;          // HS
    std::array<StripBox*, 4> boxes_{};      // shp(0..3)
    std::array<StripLabel*, 5> labels_{};   // lbl(0..4)
    int stripWidth_ = 0;                    // the whole strip, pixels
    int step_ = 1;                          // pixels per scroll step
    std::unique_ptr<ChronicleInfoWindow> detail_;  // frmXronikaInfo
    bool exiting_ = false;                  // the program is ending
};

}  // namespace zel
