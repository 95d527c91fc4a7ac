#pragma once
#include <deque>
#include <string>

#include "core/Overlay.h"

namespace zel::match {

// The players' frame counter, F4 in a match: frames per second and the mean
// time a frame took to draw and show, over the last second, as
// "60 к/с · 16,7 мс" in the overlay's top right corner. Every pass is
// counted while it is hidden too, so it reads true the moment it is shown.
// The text changes at most twice a second, so the overlay it is part of
// is redrawn no more often than that.
class FrameCounter {
public:
    void Toggle();
    bool Visible() const { return visible_; }

    // One pass of the display loop: it started at `start` and its frame was
    // on the screen `work` seconds later (seconds on any steady clock).
    void AddPass(double start, double work);
    // The text now (empty before the first pass).
    const std::string& Text() const { return text_; }
    // The counter as an overlay line in the top right corner of a picture
    // `screenW` pixels wide, in the pen's colour.
    OverlayText Line(int screenW, OverlayColour pen) const;

private:
    struct Pass {
        double start;  // when it began
        double work;   // how long until its frame was shown
    };
    void Refresh(double now);

    std::deque<Pass> passes_;   // the passes of the last second, oldest first
    std::string text_;          // what the counter shows
    double shownAt_ = -1e300;   // when the text was last made
    bool visible_ = false;      // F4 has shown it
};

// "60 к/с · 16,7 мс": whole frames per second, frame time in milliseconds
// with one decimal after a comma.
std::string FrameCounterText(int framesPerSecond, double frameMs);

}  // namespace zel::match
