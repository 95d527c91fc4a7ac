#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <tuple>
#include <vector>

#include "core/MatchState.h"
#include "labels/GlyphTable.h"
#include "labels/LabelText.h"
#include "labels/NameLabelLayout.h"

namespace zel::labels {
namespace {

MatchState WithNames(std::initializer_list<const char*> names) {
    MatchState s;
    s.Num = static_cast<std::int16_t>(names.size());
    int i = 1;
    for (const char* n : names) s.Vembas[static_cast<std::size_t>(i++)].R = n;
    return s;
}

std::vector<LabelDot> DotsOf(const std::vector<LabelDot>& dots, int participant) {
    std::vector<LabelDot> out;
    for (const LabelDot& d : dots)
        if (d.Participant == participant) out.push_back(d);
    return out;
}

std::vector<LabelDot> DotsOfChar(const std::vector<LabelDot>& dots, int participant, int charIndex) {
    std::vector<LabelDot> out;
    for (const LabelDot& d : DotsOf(dots, participant))
        if (d.CharIndex == charIndex) out.push_back(d);
    return out;
}

int Lit(const char* ch) { return FindGlyph(ch).LitCount(); }

float F(double x) { return static_cast<float>(x); }

TEST(NameLabels, DotStandsOnTheCellGridOfItsCharacter) {
    const LabelOffset first = PlaceLabelDot(1, 1, 1);
    EXPECT_EQ(first.X, F(0.1 * 1 + 1 - 3));
    EXPECT_EQ(F(first.X), F(-1.9));
    EXPECT_EQ(first.Y, 1.5);
    EXPECT_EQ(F(first.Z), F(-0.1));
    const LabelOffset last = PlaceLabelDot(5, 10, 10);
    EXPECT_EQ(F(last.X), F(3.0));
    EXPECT_EQ(F(last.Z), F(-1.0));
    // One character further is exactly one unit further along x.
    for (int c = 1; c <= 10; ++c) EXPECT_NEAR(PlaceLabelDot(3, c, 4).X - PlaceLabelDot(2, c, 4).X, 1.0, 1e-6);
    // The offsets are what a single-precision frame position holds.
    EXPECT_EQ(PlaceLabelDot(4, 7, 3).X, static_cast<double>(F(0.1 * 7 + 4 - 3)));
}

TEST(NameLabels, DotsAreNumberedByParticipantCharacterColumnThenRow) {
    const std::vector<LabelDot> dots = BuildNameLabelDots(WithNames({"AB", "Я"}));
    ASSERT_EQ(dots.size(), static_cast<std::size_t>(Lit("A") + Lit("B") + Lit("Я")));
    for (std::size_t n = 1; n < dots.size(); ++n) {
        const auto key = [](const LabelDot& d) { return std::tie(d.Participant, d.CharIndex, d.Column, d.Row); };
        EXPECT_LT(key(dots[n - 1]), key(dots[n])) << "dot " << n + 1;
    }
    // "A" lights nothing in column 1; its first lit cells in column order
    // are the feet of its left stroke, rows 8 and 9 of column 2.
    EXPECT_EQ(std::tie(dots[0].Participant, dots[0].CharIndex, dots[0].Column, dots[0].Row), std::make_tuple(1, 1, 2, 8));
    EXPECT_EQ(std::tie(dots[1].Column, dots[1].Row), std::make_tuple(2, 9));
    // Every dot is a lit cell of its character, placed on that cell.
    const auto charOf = [](const LabelDot& d) { return d.Participant == 2 ? "Я" : d.CharIndex == 1 ? "A" : "B"; };
    for (const LabelDot& d : dots) {
        EXPECT_EQ(FindGlyph(charOf(d)).Cell(d.Column, d.Row), 1);
        const LabelOffset p = PlaceLabelDot(d.CharIndex, d.Column, d.Row);
        EXPECT_EQ(std::tie(d.Offset.X, d.Offset.Y, d.Offset.Z), std::tie(p.X, p.Y, p.Z));
    }
}

TEST(NameLabels, OnlyTheFirstFiveCharactersOfANameShow) {
    const std::vector<LabelDot> dots = BuildNameLabelDots(WithNames({"ABCDEFGH", "Z"}));
    const std::vector<LabelDot> first = DotsOf(dots, 1);
    EXPECT_EQ(first.size(), static_cast<std::size_t>(Lit("A") + Lit("B") + Lit("C") + Lit("D") + Lit("E")));
    for (const LabelDot& d : first) EXPECT_LE(d.CharIndex, 5);
    // A five-character label spans -1.9 .. 3.0 around the piece, wherever it starts.
    double minX = 10, maxX = -10;
    for (const LabelDot& d : BuildNameLabelDots(WithNames({"ЩЩЩЩЩЩ", "A"}))) {
        if (d.Participant != 1) continue;
        minX = std::min(minX, d.Offset.X);
        maxX = std::max(maxX, d.Offset.X);
    }
    EXPECT_NEAR(minX, -1.8, 1e-6);  // column 1 is blank, so the first dot is in column 2
    EXPECT_NEAR(maxX, 2.9, 1e-6);   // column 10 of "Щ" is blank too
}

TEST(NameLabels, ARussianLetterIsOneCharacter) {
    // Six two-byte letters: five of them show, 32 dots each.
    const std::vector<LabelDot> dots = BuildNameLabelDots(WithNames({"ЩЩЩЩЩЩ", ""}));
    EXPECT_EQ(dots.size(), 160u);
    EXPECT_EQ(DotsOfChar(dots, 1, 5).size(), 32u);
    // "й" typed as "и" and a combining breve is still one letter.
    EXPECT_EQ(LabelCharacters("Йоли\xD0\xB8\xCC\x86"), (std::vector<std::string>{"Й", "О", "Л", "И", "Й"}));
    EXPECT_EQ(LabelCharacters("\xD0\xB5\xCC\x88ж"), (std::vector<std::string>{"Ё", "Ж"}));
}

TEST(NameLabels, LowerCaseLettersShowTheirCapitalsAndYoShowsAsCapitalYo) {
    const auto count = [](const char* name) { return BuildNameLabelDots(WithNames({name, ""})).size(); };
    EXPECT_EQ(LabelCharacters("ёжик"), (std::vector<std::string>{"Ё", "Ж", "И", "К"}));
    EXPECT_EQ(LabelCharacters("vasya"), (std::vector<std::string>{"V", "A", "S", "Y", "A"}));
    EXPECT_EQ(count("ёжик"), count("ЁЖИК"));
    EXPECT_EQ(count("щука"), count("ЩУКА"));
    EXPECT_EQ(count("abc"), count("ABC"));
    EXPECT_EQ(UpperCaseCharacter("ß"), "ß");
    EXPECT_EQ(UpperCaseCharacter("1"), "1");
}

TEST(NameLabels, EmptyNameHasNoDotsAndTheNextLabelFollowsDirectly) {
    const std::vector<LabelDot> dots = BuildNameLabelDots(WithNames({"A", "", "B"}));
    ASSERT_EQ(dots.size(), static_cast<std::size_t>(Lit("A") + Lit("B")));
    EXPECT_TRUE(DotsOf(dots, 2).empty());
    EXPECT_EQ(dots[static_cast<std::size_t>(Lit("A"))].Participant, 3);
    EXPECT_TRUE(BuildNameLabelDots(WithNames({"", ""})).empty());
}

TEST(NameLabels, SpacesAndCharactersWithoutAGlyphKeepTheirCell) {
    for (const char* name : {"A B", "A0B", "A!B", "A\xCE\xA9" "B", "A\xF0\x9F\x98\x80" "B", "A\xFF" "B", "A\xD0" "B"}) {
        const std::vector<LabelDot> dots = BuildNameLabelDots(WithNames({name, ""}));
        EXPECT_TRUE(DotsOfChar(dots, 1, 2).empty()) << name;
        const std::vector<LabelDot> a = DotsOfChar(dots, 1, 1);
        const std::vector<LabelDot> b = DotsOfChar(dots, 1, 3);
        ASSERT_EQ(a.size(), static_cast<std::size_t>(Lit("A"))) << name;
        ASSERT_EQ(b.size(), static_cast<std::size_t>(Lit("B"))) << name;
        // The third character stands 2.0 from the first: an empty cell between.
        EXPECT_NEAR(b[0].Offset.X - PlaceLabelDot(1, b[0].Column, 1).X, 2.0, 1e-6) << name;
    }
}

TEST(NameLabels, IdenticalNamesGetASeparateLabelEachOverItsOwnPiece) {
    const std::vector<LabelDot> dots = BuildNameLabelDots(WithNames({"Вася", "Вася", "Вася"}));
    const std::vector<LabelDot> p1 = DotsOf(dots, 1), p2 = DotsOf(dots, 2), p3 = DotsOf(dots, 3);
    ASSERT_FALSE(p1.empty());
    ASSERT_EQ(p1.size(), p2.size());
    ASSERT_EQ(p1.size(), p3.size());
    EXPECT_EQ(dots.size(), 3 * p1.size());
    for (std::size_t k = 0; k < p1.size(); ++k) {
        EXPECT_EQ(p1[k].Offset.X, p2[k].Offset.X);
        EXPECT_EQ(p1[k].Offset.Z, p3[k].Offset.Z);
    }
}

TEST(NameLabels, EightFiveLetterNamesOfTheDensestGlyphAllShow) {
    MatchState s = WithNames({"ЩЩЩЩЩ", "ЩЩЩЩЩ", "ЩЩЩЩЩ", "ЩЩЩЩЩ", "ЩЩЩЩЩ", "ЩЩЩЩЩ", "ЩЩЩЩЩ", "ЩЩЩЩЩ"});
    const std::vector<LabelDot> dots = BuildNameLabelDots(s);
    EXPECT_EQ(dots.size(), static_cast<std::size_t>(kMostLabelDots));
    EXPECT_GT(dots.size(), 1000u);
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(DotsOf(dots, i).size(), 160u) << i;
}

TEST(NameLabels, ParticipantCountOutsideTheTableIsHeldToIt) {
    MatchState s = WithNames({"A", "B", "C", "D", "E", "F", "G", "H"});
    s.Vembas[9].R = "Stenka1";  // records after the participants are not labelled
    s.Num = 12;
    EXPECT_EQ(DotsOf(BuildNameLabelDots(s), 8).size(), static_cast<std::size_t>(Lit("H")));
    EXPECT_TRUE(DotsOf(BuildNameLabelDots(s), 9).empty());
    s.Num = -3;
    EXPECT_TRUE(BuildNameLabelDots(s).empty());
}

}  // namespace
}  // namespace zel::labels
