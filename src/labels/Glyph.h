#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace zel::labels {

// Size of a glyph's dot matrix: columns 1..10 left to right, rows 1..10 top
// to bottom.
inline constexpr int kGlyphSize = 10;

// One character of the label font: a 10 x 10 matrix of dots and the
// character it draws. Column 1 is blank in every glyph of the font, so
// characters set side by side never touch.
struct Glyph {
    // 1 for a lit cell, 0 for a blank one; (column, row) is stored at
    // (column - 1) + 10 * (row - 1), columns running fastest.
    std::array<std::int16_t, kGlyphSize * kGlyphSize> Dot{};
    // The one character (UTF-8) the glyph draws; empty for the blank glyph
    // that lookups return for characters the font does not have.
    std::string Char;

    // Cell (column, row), both 1..10; 0 outside the matrix.
    std::int16_t Cell(int column, int row) const {
        if (column < 1 || column > kGlyphSize || row < 1 || row > kGlyphSize) return 0;
        return Dot[static_cast<std::size_t>((column - 1) + kGlyphSize * (row - 1))];
    }
    // Number of lit cells.
    int LitCount() const {
        int n = 0;
        for (std::int16_t d : Dot) n += d == 1 ? 1 : 0;
        return n;
    }
};

}  // namespace zel::labels
