#include "Textures.h"

#include <cmath>

#include "Noise.h"
#include "TableMesh.h"

namespace zel::content {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kSize = 256;

// Streams of the noise, one per use, so the patterns do not repeat each other.
enum Seed : std::uint32_t { kFeltGrain = 1, kFeltMottle, kWoodWarp, kWoodFleck, kBoardWarp, kBoardTone, kBoardFleck };

// Felt: a fine grain per pixel over a soft mottle.
void PaintFelt(Image& img, int rows) {
    const double base[3] = {0.16, 0.46, 0.25};
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const double grain = Hash01(x, y, kFeltGrain) - 0.5;
            const double mottle = ValueNoise(x / 32.0, y / 32.0, kSize / 32, 64, kFeltMottle) - 0.5;
            const double k = 1 + 0.12 * grain + 0.14 * mottle;
            img.Set(x, y, base[0] * k, base[1] * k, base[2] * k);
        }
    }
}

// Wood grain running along x, rows from..to of the picture.
void PaintWoodStrip(Image& img, int from, int to) {
    const double base[3] = {0.47, 0.28, 0.14};
    for (int y = from; y < to; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const double warp = ValueNoise(x / 64.0, y / 16.0, kSize / 64, 64, kWoodWarp);
            const double rings = 0.5 + 0.5 * std::sin(2 * kPi * ((y - from) / 9.0 + 1.8 * warp));
            const double fleck = Hash01(x, y, kWoodFleck) - 0.5;
            const double k = 0.80 + 0.22 * rings + 0.06 * fleck;
            img.Set(x, y, base[0] * k, base[1] * k, base[2] * k);
        }
    }
}

}  // namespace

Image PaintTableTexture() {
    Image img(kSize, kSize);
    const int feltRows = static_cast<int>(std::lround(kTableBands.Split * kSize));
    PaintFelt(img, feltRows);
    PaintWoodStrip(img, feltRows, kSize);
    return img;
}

Image PaintWallTexture() {
    Image img(kSize, kSize);
    constexpr int kBoard = 64;   // board width, pixels
    constexpr int kGroove = 3;   // the dark gap at a board's left edge
    const double base[3] = {0.86, 0.64, 0.40};
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const int board = x / kBoard;
            const int lx = x % kBoard;
            if (lx < kGroove) {
                const double shade = lx == 1 ? 0.30 : 0.45;
                img.Set(x, y, base[0] * shade, base[1] * shade, base[2] * shade);
                continue;
            }
            // Grain along the board, bent by noise that repeats with the picture.
            const double warp = ValueNoise(x / 16.0, y / 64.0, kSize / 16, kSize / 64, kBoardWarp);
            const double grain = 0.5 + 0.5 * std::sin(2 * kPi * (lx / 7.0 + 1.5 * warp + board * 0.37));
            const double tone = 0.90 + 0.16 * Hash01(board, 0, kBoardTone);
            const double fleck = Hash01(x, y, kBoardFleck) - 0.5;
            // The board's right edge catches a little light.
            const double edge = lx == kBoard - 1 ? 1.08 : 1.0;
            const double k = tone * (0.84 + 0.16 * grain + 0.05 * fleck) * edge;
            img.Set(x, y, base[0] * k, base[1] * k, base[2] * k);
        }
    }
    return img;
}

}  // namespace zel::content
