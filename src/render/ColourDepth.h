#pragma once
#include <QImage>

namespace zel::render {

// The colour depths a match can be shown at (bits per pixel).
inline constexpr int kSupportedColourDepths[] = {8, 16, 24, 32};
bool IsSupportedColourDepth(int bits);

// Reproduces what a display of `bits` per pixel shows of a true-colour
// picture: 16 keeps 5 bits of red, 6 of green and 5 of blue; 8 maps every
// pixel to the nearest entry of one fixed 256-colour palette (8 levels of
// red, 8 of green and 4 of blue); 24 and 32 leave the picture as it is.
// Each channel is rounded to its nearest level, so the result does not
// depend on anything but the pixel itself. Returns an RGB32 picture.
QImage QuantiseToColourDepth(const QImage& image, int bits);

// One colour as the display mode of `bits` shows it (the same rounding as
// QuantiseToColourDepth); alpha is kept.
QRgb QuantiseColour(QRgb colour, int bits);

// How many levels each channel has at `bits` per pixel: {32, 64, 32} at
// 16, {8, 8, 4} at 8, and {0, 0, 0} (no rounding) at 24 and 32. The scene's
// fragment shader rounds with these.
struct ChannelLevels {
    int Red = 0;    // levels of red, 0 for full colour
    int Green = 0;  // levels of green
    int Blue = 0;   // levels of blue
};
ChannelLevels LevelsForColourDepth(int bits);

// The fixed palette of the 8-bit mode, entry i = (r << 5) | (g << 2) | b.
QRgb EightBitPaletteEntry(int index);

}  // namespace zel::render
