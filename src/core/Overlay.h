#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/MatchState.h"

namespace zel {

// An RGB colour of the overlay text.
struct OverlayColour {
    std::uint8_t R = 255;  // red 0..255
    std::uint8_t G = 255;  // green 0..255
    std::uint8_t B = 255;  // blue 0..255
    friend bool operator==(const OverlayColour&, const OverlayColour&) = default;
};

// The font a line is drawn in.
struct OverlayFont {
    int PointSize = 10;  // 10 for every line except the quit prompt
    bool Bold = false;   // only the quit prompt is bold
    friend bool operator==(const OverlayFont&, const OverlayFont&) = default;
};

// One text drawn over the rendered scene.
struct OverlayText {
    std::string Text;      // UTF-8, drawn as is
    int X = 0;             // left edge, pixels from the left of the screen
    int Y = 0;             // top edge, pixels from the top of the screen
    OverlayColour Colour;  // colour in force when the line is drawn
    OverlayFont Font;      // font in force when the line is drawn
    friend bool operator==(const OverlayText&, const OverlayText&) = default;
};

// White, colour 15 of the 16-colour palette: the overlay's starting colour.
inline constexpr OverlayColour kOverlayWhite{255, 255, 255};
// The room's colour, switched to when the room is shown.
inline constexpr OverlayColour kOverlayRoom{116, 12, 95};
inline constexpr OverlayFont kOverlayRegular{10, false};
inline constexpr OverlayFont kOverlayPrompt{14, true};

// What the display loop draws over each frame, as data: the screen paints the
// lines in order and tests read them. The text colour behaves like a pen on
// the back buffer: once the room colour is switched on it stays for the
// following lines and for every later frame, so the two bracketed notices of
// the top row are white only until the first frame with UseRoom on.
class Overlay {
public:
    // The display loop starts: the pen is white again.
    void Begin() { colour_ = kOverlayWhite; }
    // The lines of one frame, in drawing order.
    std::vector<OverlayText> Compose(const MatchState& s);
    // The colour the pen holds now.
    OverlayColour Colour() const { return colour_; }

private:
    OverlayColour colour_ = kOverlayWhite;  // carries over from frame to frame
};

}  // namespace zel
