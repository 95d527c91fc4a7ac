#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zel {

// A full-screen display mode as the options screen's mode list writes it:
// width "x" height "x" colour depth, e.g. "800x600x16".
struct DisplayMode {
    std::int16_t Width = 0;   // pixels
    std::int16_t Height = 0;  // pixels
    std::int16_t Colors = 0;  // bits per pixel
};

// "800x600x16" from the three numbers.
std::string FormatDisplayMode(const DisplayMode& m);

// Splits the text at its first and its last "x": the width before the first,
// the height between the two, the colour depth after the last. Each part
// must be a number that rounds into 16 bits (blanks around it allowed); a
// text that is not three such numbers joined by "x" (typed by hand, say)
// gives nothing, and the screen then keeps the display settings it had.
std::optional<DisplayMode> ParseDisplayMode(std::string_view text);

}  // namespace zel
