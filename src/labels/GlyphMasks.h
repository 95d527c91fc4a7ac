#pragma once
#include <array>
#include <cstdint>
#include <span>

namespace zel::labels {

// One glyph of the label font as it is written down: the character and its
// ten rows, row 1 (top) first. Each row is ten bits, column 1 the most
// significant (0x200) and column 10 the least (0x001).
struct GlyphMask {
    const char* Char;                    // the character drawn, UTF-8
    std::array<std::uint16_t, 10> Rows;  // lit columns of rows 1..10
};

// The font comes in five blocks that fill the glyph table one after the
// other: Latin "A".."N", Latin "O".."Z", Russian "А".."Н", Russian "О".."Я",
// digits "1".."9". The order inside a block is the table order, which is not
// quite the alphabet ("R" before "Q"; "Ё" after "Е", "Щ" before "Ш", "Ы"
// after "Э") and has no "0".
inline constexpr int kGlyphBlockCount = 5;

// Block 0..4; an empty span for any other number.
std::span<const GlyphMask> GlyphBlock(int block);

}  // namespace zel::labels
