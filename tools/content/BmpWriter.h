#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace zel::content {

// An RGB picture held top row first, as we paint it.
struct Image {
    int Width = 0;                    // pixels per row
    int Height = 0;                   // rows
    std::vector<std::uint8_t> Rgb;    // Width * Height * 3 bytes, row 0 = top

    Image(int width, int height);
    // Sets one pixel from components in 0..1 (clamped, rounded).
    void Set(int x, int y, double r, double g, double b);
};

// Encodes the picture as an uncompressed 24-bit Windows bitmap: a 14-byte
// file header, a 40-byte info header, then the rows bottom-up in blue,
// green, red order, each padded to a multiple of four bytes.
std::vector<std::uint8_t> EncodeBmp(const Image& image);

}  // namespace zel::content
