#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "labels/Glyph.h"

namespace zel::labels {

// Entries 0..80 of the glyph table; 0 is never filled.
inline constexpr int kGlyphTableSize = 81;
// Glyphs of the label font: 26 Latin capitals, 33 Russian capitals, the
// digits 1..9.
inline constexpr int kFontGlyphs = 68;

// The label font, indexed from 1 in table order.
struct GlyphTable {
    // [1..GlyphCount] the font; entry 0 and the entries after GlyphCount stay
    // blank (all cells 0, no character) so a lookup can never hit them.
    std::array<Glyph, kGlyphTableSize> Entries{};
    // Index of the last filled entry: 68 once built, 0 before.
    std::int16_t GlyphCount = 0;
};

// Fills entries 1..68 in table order and sets GlyphCount to 68. The whole
// table is cleared first, so building again gives exactly the same table.
void BuildGlyphTable(GlyphTable& table);

// The built label font. Built on first use and never changed afterwards.
const GlyphTable& LabelFont();

// A copy of the first entry 1..GlyphCount whose character equals `ch`
// exactly (case-sensitive: callers upper-case first). The blank glyph (all
// cells 0, empty character) when nothing matches, for an empty `ch` too.
Glyph FindGlyph(const GlyphTable& table, std::string_view ch);
// The same in the label font.
Glyph FindGlyph(std::string_view ch);

}  // namespace zel::labels
