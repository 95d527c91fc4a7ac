#include <set>

#include <QImage>
#include <gtest/gtest.h>

#include "render/ColourDepth.h"

namespace zel::render {
namespace {

QImage Ramp() {
    QImage img(256, 3, QImage::Format_RGB32);
    for (int x = 0; x < 256; ++x) {
        img.setPixel(x, 0, qRgb(x, 0, 0));
        img.setPixel(x, 1, qRgb(0, x, 0));
        img.setPixel(x, 2, qRgb(0, 0, x));
    }
    return img;
}

std::set<int> Levels(const QImage& img, int row, int (*channel)(QRgb)) {
    std::set<int> out;
    for (int x = 0; x < img.width(); ++x) out.insert(channel(img.pixel(x, row)));
    return out;
}

TEST(RenderColourDepth, SixteenBitsKeepFiveSixFiveLevelsAndTheExtremes) {
    const QImage q = QuantiseToColourDepth(Ramp(), 16);
    EXPECT_EQ(Levels(q, 0, qRed).size(), 32u);
    EXPECT_EQ(Levels(q, 1, qGreen).size(), 64u);
    EXPECT_EQ(Levels(q, 2, qBlue).size(), 32u);
    EXPECT_EQ(q.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(q.pixel(255, 0), qRgb(255, 0, 0));
    EXPECT_EQ(q.pixel(255, 1), qRgb(0, 255, 0));
    // Each value goes to its nearest level: never farther than half a step.
    for (int x = 0; x < 256; ++x) {
        EXPECT_LE(std::abs(qRed(q.pixel(x, 0)) - x), 5) << x;
        EXPECT_LE(std::abs(qGreen(q.pixel(x, 1)) - x), 3) << x;
    }
}

TEST(RenderColourDepth, EightBitsUseOnlyTheFixedPalette) {
    QImage img(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) img.setPixel(x, y, qRgb(x * 4, y * 4, (x * 7 + y * 13) & 255));
    const QImage q = QuantiseToColourDepth(img, 8);
    std::set<QRgb> palette;
    for (int i = 0; i < 256; ++i) palette.insert(EightBitPaletteEntry(i) | 0xff000000u);
    EXPECT_EQ(palette.size(), 256u);
    std::set<QRgb> used;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const QRgb p = q.pixel(x, y) | 0xff000000u;
            EXPECT_TRUE(palette.count(p)) << x << "," << y;
            used.insert(p);
        }
    EXPECT_GT(used.size(), 100u);
    EXPECT_EQ(QuantiseToColourDepth(Ramp(), 8).pixel(255, 2), qRgb(0, 0, 255));
}

TEST(RenderColourDepth, TrueColourIsLeftAlone) {
    const QImage r = Ramp();
    EXPECT_EQ(QuantiseToColourDepth(r, 32), r.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(QuantiseToColourDepth(r, 24), r.convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(IsSupportedColourDepth(16));
    EXPECT_FALSE(IsSupportedColourDepth(12));
}

}  // namespace
}  // namespace zel::render
