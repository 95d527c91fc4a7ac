#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/Dialogs.h"
#include "base/ErrorLog.h"

namespace zel {

// What the slide-show player asks of the splash window. The window shows
// the slides and the waiting picture, owns the one-shot slide timer and
// hands over to the main menu; the player decides when.
class SlideShowView {
public:
    virtual ~SlideShowView() = default;
    // Loads the picture file into the slide box and shows it. False with a
    // description of the failure when the file is missing or unreadable.
    virtual bool ShowSlidePicture(const std::string& path, std::string& error) = 0;
    // Lets pending window events run once (a key pressed meanwhile is
    // handled inside this call).
    virtual void ProcessEvents() = 0;
    // Arms the one-shot slide timer: SlideTimerTick follows after `ms`.
    virtual void ArmSlideTimer(int ms) = 0;
    virtual void DisarmSlideTimer() = 0;
    // The end of the show: hide the slide box, stop the sound in `slot`
    // without rewinding it, show the waiting picture `waitingPicture` as
    // the window's background with the label "Подождите...".
    virtual void HideSlideBox() = 0;
    virtual void StopSound(int slot) = 0;
    virtual void ShowWaitingScreen(const std::string& waitingPicture) = 0;
    // Work out the program folder again, load the main menu (its first load
    // is the second start-up stage), hide the splash window and show the
    // menu with the focus on "Быстрая игра".
    virtual void HandOverToMenu() = 0;
};

// The splash slide show: a script of pictures, each shown for its own time.
//
// Script gamedata/splash/splash.qorbex under the program folder, one item
// per line: the header "[MerovaneVistrel]" (case-sensitive), then pairs of a
// picture file name (relative to gamedata/splash/; "\" separators are read
// as "/") and the picture's time on screen in milliseconds, 1 to 32767. The
// end of the file, before a picture or after it, ends the show.
//
//  - A missing script or a wrong header skips the show without a word.
//  - A script that cannot be read (an empty file included: its header line
//    cannot be read) is logged and reported; the window then waits for a key.
//  - A picture that cannot be shown or a time that is not a number from 1 to
//    32767 is logged and reported, and the show ends.
//  - Any key ends the show at once; mouse presses do nothing.
//
// Ending the show (Start) runs once per showing: a key pressed while the
// show is already ending (its waiting screen processes events, the main
// menu's first load may ask questions) is ignored, so the menu is never
// loaded twice.
class SlideShowPlayer {
public:
    SlideShowPlayer(SlideShowView& view, Dialogs& dialogs, const ErrorLog& log);

    // Sets the playing flag, as the first start-up stage does before the
    // show is started.
    void SetPlaying() { playing_ = true; }
    // Opens the script under `appPath` (the program folder, ending in "/")
    // and shows the first slide. Called at start-up and by "Заставка".
    void StartMedia(const std::string& appPath);
    // Shows the next slide and arms the timer for it.
    void ShowSlide();
    // The slide timer fired.
    void SlideTimerTick();
    // A key was pressed on the splash window.
    void KeyPress();
    // Ends the show and hands over to the main menu.
    void Start();

    // --- what the player holds, for the window and the tests -------------
    bool Playing() const { return playing_; }
    bool ScriptOpen() const { return scriptOpen_; }
    // The time of the slide on screen, milliseconds.
    std::int16_t SlideTime() const { return slideTime_; }
    const std::string& ScriptPath() const { return scriptPath_; }
    // Start is running or has run for the current showing.
    bool Ending() const { return ending_; }

private:
    bool ReadLine(std::string& line);
    bool AtEnd() const { return next_ >= lines_.size(); }
    void CloseScript();
    void SlideFailed(const std::string& description);

    SlideShowView& view_;         // the splash window
    Dialogs& dialogs_;            // error messages
    const ErrorLog& log_;         // error lines
    bool playing_ = false;        // the show may advance; a key clears it
    bool ending_ = false;         // Start has begun for this showing
    std::string appPath_;         // program folder the script was opened under
    std::string scriptPath_;      // full path of the script
    std::int16_t slideTime_ = 0;  // current slide's time in milliseconds
    bool scriptOpen_ = false;     // the script is open for reading
    std::vector<std::string> lines_;  // the script's lines while it is open
    std::size_t next_ = 0;        // the next line to read
};

// The slide time in a script line: a number from 1 to 32767, blanks around
// it allowed, a fraction rounded as every 16-bit value of our files is
// (halves to the even neighbour). False with a description otherwise; 0 is
// refused too, since a slide that never ends would hang the show.
bool ParseSlideTime(const std::string& line, std::int16_t& ms, std::string& error);

}  // namespace zel
