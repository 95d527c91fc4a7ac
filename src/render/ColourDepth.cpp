#include "render/ColourDepth.h"

#include <array>

namespace zel::render {

namespace {

// For each 8-bit channel value, the value shown with `levels` levels:
// nearest level index, expanded back to 0..255 (rounded).
std::array<std::uint8_t, 256> LevelTable(int levels) {
    std::array<std::uint8_t, 256> t{};
    const int top = levels - 1;
    for (int c = 0; c < 256; ++c) {
        const int level = (c * top + 127) / 255;
        t[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>((level * 255 + top / 2) / top);
    }
    return t;
}

QImage Quantise(const QImage& image, int redLevels, int greenLevels, int blueLevels) {
    const auto rt = LevelTable(redLevels);
    const auto gt = LevelTable(greenLevels);
    const auto bt = LevelTable(blueLevels);
    QImage out = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p = row[x];
            row[x] = qRgb(rt[static_cast<std::size_t>(qRed(p))], gt[static_cast<std::size_t>(qGreen(p))],
                          bt[static_cast<std::size_t>(qBlue(p))]);
        }
    }
    return out;
}

}  // namespace

bool IsSupportedColourDepth(int bits) {
    for (int b : kSupportedColourDepths)
        if (b == bits) return true;
    return false;
}

ChannelLevels LevelsForColourDepth(int bits) {
    if (bits == 16) return {32, 64, 32};
    if (bits == 8) return {8, 8, 4};
    return {};
}

QImage QuantiseToColourDepth(const QImage& image, int bits) {
    const ChannelLevels l = LevelsForColourDepth(bits);
    if (l.Red == 0) return image.convertToFormat(QImage::Format_RGB32);
    return Quantise(image, l.Red, l.Green, l.Blue);
}

QRgb QuantiseColour(QRgb colour, int bits) {
    const ChannelLevels l = LevelsForColourDepth(bits);
    if (l.Red == 0) return colour;
    const auto rt = LevelTable(l.Red);
    const auto gt = LevelTable(l.Green);
    const auto bt = LevelTable(l.Blue);
    return qRgba(rt[static_cast<std::size_t>(qRed(colour))], gt[static_cast<std::size_t>(qGreen(colour))],
                 bt[static_cast<std::size_t>(qBlue(colour))], qAlpha(colour));
}

QRgb EightBitPaletteEntry(int index) {
    const int r = (index >> 5) & 7;
    const int g = (index >> 2) & 7;
    const int b = index & 3;
    return qRgb((r * 255 + 3) / 7, (g * 255 + 3) / 7, (b * 255 + 1) / 3);
}

}  // namespace zel::render
