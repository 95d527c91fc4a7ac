#include "labels/GlyphTable.h"

#include <algorithm>

#include "labels/GlyphMasks.h"

namespace zel::labels {

namespace {

// Copies one block of masks into the table from index `first` on and returns
// the next free index; masks that would run past the table are left out.
int AddGlyphBlock(GlyphTable& table, std::span<const GlyphMask> block, int first) {
    int index = first;
    for (const GlyphMask& mask : block) {
        if (index >= kGlyphTableSize) break;
        Glyph& g = table.Entries[static_cast<std::size_t>(index)];
        g.Char = mask.Char;
        for (int row = 1; row <= kGlyphSize; ++row) {
            const unsigned bits = mask.Rows[static_cast<std::size_t>(row - 1)];
            for (int column = 1; column <= kGlyphSize; ++column) {
                // Column 1 is the row's most significant bit.
                const bool lit = ((bits >> (kGlyphSize - column)) & 1U) != 0;
                g.Dot[static_cast<std::size_t>((column - 1) + kGlyphSize * (row - 1))] = lit ? 1 : 0;
            }
        }
        ++index;
    }
    return index;
}

}  // namespace

void BuildGlyphTable(GlyphTable& table) {
    table = GlyphTable{};
    int next = 1;
    // Each block hands the next free index to the one after it.
    for (int block = 0; block < kGlyphBlockCount; ++block) next = AddGlyphBlock(table, GlyphBlock(block), next);
    table.GlyphCount = static_cast<std::int16_t>(next - 1);
}

const GlyphTable& LabelFont() {
    static const GlyphTable font = [] {
        GlyphTable t;
        BuildGlyphTable(t);
        return t;
    }();
    return font;
}

Glyph FindGlyph(const GlyphTable& table, std::string_view ch) {
    const int last = std::clamp<int>(table.GlyphCount, 0, kGlyphTableSize - 1);
    for (int i = 1; i <= last; ++i) {
        const Glyph& g = table.Entries[static_cast<std::size_t>(i)];
        if (g.Char == ch) return g;
    }
    return Glyph{};
}

Glyph FindGlyph(std::string_view ch) { return FindGlyph(LabelFont(), ch); }

}  // namespace zel::labels
