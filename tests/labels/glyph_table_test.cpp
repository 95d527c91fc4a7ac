#include <gtest/gtest.h>

#include <array>
#include <set>
#include <utility>
#include <string>
#include <vector>

#include "labels/GlyphTable.h"
#include "labels/LabelText.h"

namespace zel::labels {
namespace {

const GlyphTable& Font() { return LabelFont(); }

const Glyph& Entry(int i) { return Font().Entries[static_cast<std::size_t>(i)]; }

bool Blank(const Glyph& g) { return g.Char.empty() && g.LitCount() == 0; }

// The glyph drawn with '#' for a lit cell, rows top to bottom.
std::vector<std::string> Picture(const Glyph& g) {
    std::vector<std::string> rows;
    for (int r = 1; r <= kGlyphSize; ++r) {
        std::string line;
        for (int c = 1; c <= kGlyphSize; ++c) line += g.Cell(c, r) == 1 ? '#' : '.';
        rows.push_back(line);
    }
    return rows;
}

std::vector<int> LitColumnsOfRow(const Glyph& g, int row) {
    std::vector<int> cols;
    for (int c = 1; c <= kGlyphSize; ++c)
        if (g.Cell(c, row) == 1) cols.push_back(c);
    return cols;
}

TEST(GlyphTable, BuildFillsSixtyEightEntriesAndLeavesEntryZeroAndTheTailBlank) {
    EXPECT_EQ(Font().GlyphCount, 68);
    EXPECT_TRUE(Blank(Entry(0)));
    for (int i = 1; i <= 68; ++i) {
        EXPECT_FALSE(Entry(i).Char.empty()) << i;
        EXPECT_GT(Entry(i).LitCount(), 0) << i;
    }
    for (int i = 69; i < kGlyphTableSize; ++i) EXPECT_TRUE(Blank(Entry(i))) << i;
}

TEST(GlyphTable, OrderIsLatinThenRussianThenDigitsWithRBeforeQAndNoZero) {
    const std::string order = "ABCDEFGHIJKLMNOPRQSTUVWXYZ"
                              "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧЩШЪЬЭЫЮЯ"
                              "123456789";
    const std::vector<std::string> chars = SplitCharacters(order, 100);
    ASSERT_EQ(chars.size(), 68u);
    for (int i = 1; i <= 68; ++i) EXPECT_EQ(Entry(i).Char, chars[static_cast<std::size_t>(i - 1)]) << i;
}

TEST(GlyphTable, RebuildOverwritesEveryCellAndGivesTheSameTable) {
    GlyphTable t;
    for (Glyph& g : t.Entries) {
        g.Dot.fill(7);
        g.Char = "?";
    }
    t.GlyphCount = 80;
    BuildGlyphTable(t);
    BuildGlyphTable(t);
    EXPECT_EQ(t.GlyphCount, 68);
    for (int i = 0; i < kGlyphTableSize; ++i) {
        EXPECT_EQ(t.Entries[static_cast<std::size_t>(i)].Dot, Entry(i).Dot) << i;
        EXPECT_EQ(t.Entries[static_cast<std::size_t>(i)].Char, Entry(i).Char) << i;
    }
}

TEST(GlyphTable, FindGlyphReturnsACopyOfTheEntryOfEveryCharacter) {
    for (int i = 1; i <= 68; ++i) {
        const Glyph g = FindGlyph(Entry(i).Char);
        EXPECT_EQ(g.Char, Entry(i).Char);
        EXPECT_EQ(g.Dot, Entry(i).Dot) << Entry(i).Char;
    }
}

TEST(GlyphTable, CharactersWithoutAGlyphGetTheBlankOneAndLookupKeepsCase) {
    for (const char* ch : {"0", " ", "", "a", "z", "а", "ё", "я", "!", "-", "\xCE\xA9" /* Ω */, "AB", "\xFF"})
        EXPECT_TRUE(Blank(FindGlyph(ch))) << ch;
    EXPECT_EQ(FindGlyph("Ё").Char, "Ё");
    EXPECT_NE(FindGlyph("Ё").Dot, FindGlyph("Е").Dot);
    // Looking up in a table that was never built finds nothing at all.
    EXPECT_TRUE(Blank(FindGlyph(GlyphTable{}, "A")));
}

TEST(GlyphTable, LatinAndRussianLookalikesAreSeparateEntries) {
    const std::pair<const char*, const char*> same[] = {{"O", "О"}, {"X", "Х"}, {"M", "М"}, {"T", "Т"}};
    for (const auto& [latin, russian] : same) {
        EXPECT_EQ(FindGlyph(latin).Char, latin);
        EXPECT_EQ(FindGlyph(russian).Char, russian);
        EXPECT_EQ(FindGlyph(latin).Dot, FindGlyph(russian).Dot) << latin;
    }
    EXPECT_NE(FindGlyph("H").Dot, FindGlyph("Н").Dot);
    EXPECT_NE(FindGlyph("P").Dot, FindGlyph("Р").Dot);
    // Apart from those lookalikes every glyph has a shape of its own, so no
    // character was written down twice.
    std::set<std::array<std::int16_t, 100>> shapes;
    for (int i = 1; i <= 68; ++i) shapes.insert(Entry(i).Dot);
    EXPECT_EQ(shapes.size(), 68u - 4u);
}

TEST(GlyphTable, MaskBitsRunFromColumnOneAtTheLeft) {
    const std::vector<std::string> a = {".....#....", "....#.#...", "....#.#...", "...#...#..", "...#...#..",
                                        "..#######.", "..#.....#.", ".#.......#", ".#.......#", ".........."};
    EXPECT_EQ(Picture(FindGlyph("A")), a);
    const std::vector<std::string> shcha = {".#..#..#..", ".#..#..#..", ".#..#..#..", ".#..#..#..", ".#..#..#..",
                                            ".#..#..#..", ".#..#..#..", ".#..#..#..", "..#######.", "........#."};
    EXPECT_EQ(Picture(FindGlyph("Щ")), shcha);
}

TEST(GlyphTable, EveryGlyphKeepsTheFontsMarginsAndDescenders) {
    const std::set<std::string> column9 = {"A", "C", "X", "Х", "Ц", "Щ"};
    const std::set<std::string> row10 = {"R", "Ц", "Щ"};
    for (int i = 1; i <= 68; ++i) {
        const Glyph& g = Entry(i);
        for (std::int16_t d : g.Dot) EXPECT_TRUE(d == 0 || d == 1) << g.Char;
        bool col1 = false, col9 = false, col10 = false, r10 = false;
        for (int k = 1; k <= kGlyphSize; ++k) {
            col1 = col1 || g.Cell(1, k) == 1;
            col9 = col9 || g.Cell(9, k) == 1;
            col10 = col10 || g.Cell(10, k) == 1;
            r10 = r10 || g.Cell(k, 10) == 1;
        }
        EXPECT_FALSE(col1) << g.Char << ": column 1 separates characters";
        EXPECT_EQ(col9, column9.count(g.Char) == 1) << g.Char;
        EXPECT_EQ(col10, g.Char == "A") << g.Char;
        EXPECT_EQ(r10, row10.count(g.Char) == 1) << g.Char;
        EXPECT_GE(g.LitCount(), 11) << g.Char;
        EXPECT_LE(g.LitCount(), 32) << g.Char;
    }
    EXPECT_EQ(FindGlyph("1").LitCount(), 11);
    EXPECT_EQ(FindGlyph("Щ").LitCount(), 32);
    EXPECT_EQ(LitColumnsOfRow(FindGlyph("R"), 10), (std::vector<int>{2, 7}));
    EXPECT_EQ(LitColumnsOfRow(FindGlyph("Ц"), 10), (std::vector<int>{9}));
    EXPECT_EQ(LitColumnsOfRow(FindGlyph("Щ"), 10), (std::vector<int>{9}));
}

}  // namespace
}  // namespace zel::labels
