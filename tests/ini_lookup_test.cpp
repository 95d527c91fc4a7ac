#include <gtest/gtest.h>

#include "base/IniLookup.h"
#include "support/TempDir.h"

namespace zel {
namespace {

using test::TempDir;

IniFile FromText(const std::string& text) {
    IniFile f;
    f.OpenText(text);
    return f;
}

TEST(IniLookup, SectionAndKeyIgnoreLetterCase) {
    const IniFile f = FromText("[ZELSET]\r\nscreenw=800\r\nИмя=Вася\r\n");
    EXPECT_EQ(f.GetIniValue("zelset", "ScreenW"), "800");
    EXPECT_EQ(f.GetIniValue("ZelSet", "SCREENW"), "800");
    EXPECT_EQ(f.GetIniValue("zelset", "ИМЯ"), "Вася");
}

TEST(IniLookup, BlanksBeforeKeyOrEqualsNeverMatch) {
    const IniFile f = FromText("[zelset]\r\nScreenW = 800\r\n ScreenH=600\r\nColors =16\r\n");
    EXPECT_EQ(f.GetIniValue("zelset", "ScreenW"), "");
    EXPECT_EQ(f.GetIniValue("zelset", "ScreenH"), "");
    EXPECT_EQ(f.GetIniValue("zelset", "Colors"), "");
}

TEST(IniLookup, KeyMissingFromItsSectionIsFoundInALaterOne) {
    const IniFile f = FromText("[zelset]\r\nScreenW=800\r\n[other]\r\nScreenH=600\r\n");
    EXPECT_EQ(f.GetIniValue("zelset", "ScreenH"), "600");
}

TEST(IniLookup, KeysBeforeTheSectionAreNotSeen) {
    const IniFile f = FromText("ScreenW=1\r\n[zelset]\r\nScreenH=2\r\n");
    EXPECT_EQ(f.GetIniValue("zelset", "ScreenW"), "");
    // Without a section the search starts at the first line.
    EXPECT_EQ(f.GetIniValue("", "ScreenW"), "1");
    EXPECT_EQ(f.GetIniValue("", "ScreenH"), "2");
}

TEST(IniLookup, FirstMatchingLineWins) {
    const IniFile f = FromText("[general]\r\nNum=3\r\nNum=5\r\n[general]\r\nNum=7\r\n");
    EXPECT_EQ(f.GetIniValue("general", "Num"), "3");
}

TEST(IniLookup, MissingSectionGivesEmptyEvenWhenTheKeyExists) {
    const IniFile f = FromText("[general]\r\nNum=3\r\n");
    EXPECT_EQ(f.GetIniValue("zelset", "Num"), "");
    EXPECT_EQ(f.GetIniValue("general", "Missing"), "");
}

TEST(IniLookup, HeaderMatchesByPrefixAndNeedsTheClosingBracket) {
    const IniFile f = FromText("[R10]\r\nXpos=10\r\n[R1] trailing words\r\nXpos=1\r\n");
    EXPECT_EQ(f.GetIniValue("R1", "Xpos"), "1");
    EXPECT_EQ(f.GetIniValue("R10", "Xpos"), "10");
    // "R1=" is not a prefix of "R10=...".
    const IniFile g = FromText("[general]\r\nR10=ten\r\nR1=one\r\n");
    EXPECT_EQ(g.GetIniValue("general", "R1"), "one");
}

TEST(IniLookup, ValueIsTheVerbatimRestOfTheLine) {
    const IniFile f = FromText("[g]\r\nR0= Вася \r\nExpr=a=b\r\nEmpty=\r\nLast=end");
    EXPECT_EQ(f.GetIniValue("g", "R0"), " Вася ");
    EXPECT_EQ(f.GetIniValue("g", "Expr"), "a=b");
    EXPECT_EQ(f.GetIniValue("g", "Empty"), "");
    EXPECT_EQ(f.GetIniValue("g", "Last"), "end");
    // The comment lines of a replay hold no key.
    const IniFile r = FromText(";Сохраненный повтор\r\nVer=1200\r\n");
    EXPECT_EQ(r.GetIniValue("", "Ver"), "1200");
}

TEST(IniLookup, FileLookupDecodesAndClosesItsFile) {
    TempDir dir;
    const std::string p = dir.Write("zel.cmd", "[Team1]\r\nName=\xCA\xEE\xF2\xFB\r\n");
    EXPECT_EQ(GetIniValueFromFile(p, "team1", "name"), "Коты");
    EXPECT_EQ(GetIniValueFromFile("", "team1", "name"), "");
    EXPECT_EQ(GetIniValueFromFile(dir.File("missing"), "team1", "name"), "");
    EXPECT_EQ(GetIniValueFromFile(dir.Path().string(), "team1", "name"), "");
}

}  // namespace
}  // namespace zel
