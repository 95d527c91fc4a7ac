#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "base/IniLookup.h"
#include "base/TextFile.h"
#include "screens/ChronicleModel.h"
#include "screens/ChronicleTexts.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"

namespace zel::screens {
namespace {

// A program folder with gamedata/xron/xron.dat holding `events`.
struct ChronicleFolder {
    explicit ChronicleFolder(const std::string& events = "") {
        std::filesystem::create_directories(dir.Path() / "gamedata/xron");
        std::filesystem::create_directories(dir.Path() / "gamedata/help");
        if (!events.empty()) WriteEvents(events);
    }
    void WriteEvents(const std::string& events) const { dir.Write("gamedata/xron/xron.dat", events); }
    std::string App() const { return dir.Path().string() + "/"; }

    test::TempDir dir;
    test::FakeDialogs dialogs;
};

std::vector<ChronicleEvent> Read(const std::string& text) {
    IniFile file;
    file.OpenText(text);
    return ReadChronicleEvents(file);
}

TEST(ChronicleEvents, TitlesOnlyAtThreeAndSevenListTwoEntriesWithTheirOwnDescriptions) {
    const std::vector<ChronicleEvent> events = Read(
        "[general]\r\n"
        "EvDescr2=Без заголовка\r\n"
        "EvTitle3=Третье\r\nEvDescr3=Описание три\r\n"
        "EvDescr5=Тоже без заголовка\r\n"
        "EvTitle7=Седьмое\r\nEvDescr7=Описание семь\r\n");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].Title, "Третье");
    EXPECT_EQ(events[0].Description, "Описание три");
    EXPECT_EQ(events[1].Title, "Седьмое");
    EXPECT_EQ(events[1].Description, "Описание семь");
}

// A title whose description is missing shows none rather than the text of
// an untitled event before it.
TEST(ChronicleEvents, ATitleWithoutDescriptionNeverTakesAnotherEventsDescription) {
    const std::vector<ChronicleEvent> events =
        Read("[general]\r\nEvDescr1=Чужое описание\r\nEvTitle2=Событие без описания\r\n");
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].Title, "Событие без описания");
    EXPECT_EQ(events[0].Description, "");
}

TEST(ChronicleEvents, OnlyNumbersZeroToFiftyAreListed) {
    std::string text = "[general]\r\n";
    for (int n = 0; n <= 60; ++n) text += "EvTitle" + std::to_string(n) + "=Событие " + std::to_string(n) + "\r\n";
    const std::vector<ChronicleEvent> events = Read(text);
    ASSERT_EQ(events.size(), 51u);
    EXPECT_EQ(events.front().Title, "Событие 0");
    EXPECT_EQ(events.back().Title, "Событие 50");
}

TEST(ChronicleDetail, TheEventListComesFromTheFileAndIsReadAgainAtEveryOpening) {
    ChronicleFolder f("[general]\r\nEvTitle0=Первое\r\nEvDescr0=Раз\r\n");
    ChronicleDetailModel detail(f.App());
    ASSERT_TRUE(detail.Open(kEventsEntry, f.dialogs));
    EXPECT_TRUE(detail.Detail().ShowList);
    EXPECT_EQ(detail.Detail().Picture, -1);
    EXPECT_EQ(detail.Detail().Caption, "Осень 2000 - весна 2001: Подробности");
    EXPECT_EQ(detail.Detail().Text, "Кликните на событии в левой части окна.");
    ASSERT_EQ(detail.Detail().Events.size(), 1u);
    EXPECT_EQ(detail.ListTip(-1), "");

    detail.SelectEvent(0);
    EXPECT_EQ(detail.Detail().Text, "Раз");
    EXPECT_EQ(detail.Detail().Caption, "Первое");
    EXPECT_EQ(detail.ListTip(0), "Выделено: Первое");

    f.WriteEvents("[general]\r\nEvTitle0=Первое\r\nEvTitle1=Второе\r\nEvDescr1=Два\r\n");
    ASSERT_TRUE(detail.Open(kEventsEntry, f.dialogs));
    ASSERT_EQ(detail.Detail().Events.size(), 2u);
    detail.SelectEvent(1);
    EXPECT_EQ(detail.Detail().Text, "Два");
    // Rows that are not in the list change nothing.
    detail.SelectEvent(2);
    EXPECT_EQ(detail.Detail().Text, "Два");
    EXPECT_TRUE(f.dialogs.Messages.empty());
}

TEST(ChronicleDetail, AMissingEventFileGivesItsMessageAndShowsNothing) {
    ChronicleFolder f;
    ChronicleDetailModel detail(f.App());
    ASSERT_TRUE(detail.Open(1, f.dialogs));
    EXPECT_FALSE(detail.Open(kEventsEntry, f.dialogs));
    ASSERT_EQ(f.dialogs.Messages.size(), 1u);
    EXPECT_EQ(f.dialogs.Messages[0].Text, "Не найден файл xron.dat. Переустановите Korvalo.");
    EXPECT_EQ(f.dialogs.Messages[0].Icon, MsgIcon::Exclamation);
    // The period shown before stays as it was.
    EXPECT_FALSE(detail.Detail().ShowList);
    EXPECT_EQ(detail.Detail().Caption, "Осень 1998 - весна 1999");
}

TEST(ChronicleDetail, EachPeriodShowsItsCaptionItsStoryAndItsOwnPicture) {
    ChronicleFolder f;
    ChronicleDetailModel detail(f.App());
    const char* captions[] = {"Осень 1997 - весна 1998", "Осень 1998 - весна 1999",
                              "Осень 1999 - весна 2000", "Осень 2000 - весна 2001"};
    std::vector<std::string> stories;
    for (int i = 0; i < kPeriodCount; ++i) {
        ASSERT_TRUE(detail.Open(i, f.dialogs));
        EXPECT_EQ(detail.Detail().Caption, captions[i]);
        EXPECT_FALSE(detail.Detail().ShowList);
        EXPECT_EQ(detail.Detail().Picture, i);
        EXPECT_EQ(PeriodPicturePath(f.App(), i), f.App() + "gamedata/xron/xron" + std::to_string(i) + ".gif");
        for (const std::string& before : stories) EXPECT_NE(detail.Detail().Text, before);
        stories.push_back(detail.Detail().Text);
    }
    EXPECT_FALSE(detail.Open(5, f.dialogs));
    EXPECT_TRUE(f.dialogs.Messages.empty());
}

TEST(ChronicleStrip, TheMouseLightsOneEntryAtATimeAndTheLightStays) {
    const int lit = 0xC0FFFF;
    const int normal = 0xE0E0E0;
    ChronicleStrip strip;
    for (int i = 0; i < kPeriodCount; ++i) EXPECT_EQ(strip.BoxColour(i), normal);
    EXPECT_EQ(strip.EventLabelColour(), normal);

    EXPECT_TRUE(strip.Hover(2));
    EXPECT_EQ(strip.BoxColour(2), lit);
    // Moving over the lit year again changes nothing.
    EXPECT_FALSE(strip.Hover(2));
    EXPECT_TRUE(strip.Hover(4));
    EXPECT_EQ(strip.BoxColour(2), normal);
    EXPECT_EQ(strip.EventLabelColour(), lit);
    EXPECT_TRUE(strip.Hover(0));
    EXPECT_EQ(strip.EventLabelColour(), normal);
    EXPECT_EQ(strip.BoxColour(0), lit);
    for (int i = 1; i < kPeriodCount; ++i) EXPECT_EQ(strip.BoxColour(i), normal);
    EXPECT_FALSE(strip.Hover(7));
    strip.Reset();
    EXPECT_EQ(strip.BoxColour(0), normal);
}

TEST(ChronicleStrip, ScrollingToTheEndAndBackMovesTheStripBackToItsStart) {
    ChronicleStrip strip;
    int moved = 0;
    for (int v : {3, 10, 40, 40, 17, 0}) moved += strip.Scroll(v);
    EXPECT_EQ(moved, 0);
    EXPECT_EQ(strip.ScrollPosition(), 0);
    // A larger value moves the strip to the left.
    EXPECT_EQ(strip.Scroll(5), -5);
}

TEST(ChronicleStrip, TheScrollRangeBringsTheStripsEndIntoView) {
    EXPECT_EQ(StripScrollMaximum(1000, 400, 7), 86);  // 86 * 7 = 602 >= 600
    EXPECT_EQ(StripScrollMaximum(1000, 400, 6), 100);
    EXPECT_EQ(StripScrollMaximum(300, 400, 7), 0);
    EXPECT_EQ(StripScrollMaximum(1000, 400, 0), 0);
}

TEST(ChroniclePages, MissingLinkAndDictionaryPagesGiveTheirMessagesAndPresentOnesOpen) {
    ChronicleFolder f;
    std::vector<std::string> opened;
    auto open = [&](const std::string& path) { opened.push_back(path); };
    OpenChroniclePage(f.App(), texts::kLinksPage, texts::kLinksMissing, f.dialogs, open);
    OpenChroniclePage(f.App(), texts::kDictionaryPage, texts::kDictionaryMissing, f.dialogs, open);
    ASSERT_EQ(f.dialogs.Messages.size(), 2u);
    EXPECT_EQ(f.dialogs.Messages[0].Text, "Не найден файл links.htm. Открытие страницы ссылок невозможно.");
    EXPECT_EQ(f.dialogs.Messages[1].Text, "Не найден файл voc.htm. Открытие словаря невозможно.");
    EXPECT_EQ(f.dialogs.Messages[1].Icon, MsgIcon::Exclamation);
    EXPECT_TRUE(opened.empty());

    f.dir.Write("gamedata/help/voc.htm", "<html></html>");
    OpenChroniclePage(f.App(), texts::kDictionaryPage, texts::kDictionaryMissing, f.dialogs, open);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], f.App() + "gamedata/help/voc.htm");
    EXPECT_EQ(f.dialogs.Messages.size(), 2u);
}

TEST(ChronicleLeaving, LeavingTheGameIsAskedWithYesAndNo) {
    test::FakeDialogs d;
    d.Answers = {MsgAnswer::No, MsgAnswer::Yes};
    EXPECT_FALSE(ConfirmLeaveGame(d));
    EXPECT_TRUE(ConfirmLeaveGame(d));
    ASSERT_EQ(d.Messages.size(), 2u);
    EXPECT_EQ(d.Messages[0].Text, "Вы уверены, что хотите выйти из игры?");
    EXPECT_EQ(d.Messages[0].Buttons, MsgButtons::YesNo);
    EXPECT_EQ(d.Messages[0].Icon, MsgIcon::Information);
}

// --- the game's own chronicle -----------------------------------------------------

TEST(ChronicleContent, TheEventFileHoldsFiftyOneDatedEventsOfTheSeason) {
    const std::string path = std::string(ZEL_DATA_DIR) + "/xron/xron.dat";
    IniFile file;
    std::string error;
    ASSERT_TRUE(file.Open(path, error)) << error;
    const std::vector<ChronicleEvent> events = ReadChronicleEvents(file);
    ASSERT_EQ(events.size(), 51u);
    // "dd.mm.yyyy phrase", from September 2000 to May 2001, in date order.
    const std::regex dated(R"((\d\d)\.(\d\d)\.(\d{4}) .+)");
    int previous = 0;
    for (const ChronicleEvent& e : events) {
        SCOPED_TRACE(e.Title);
        std::smatch m;
        ASSERT_TRUE(std::regex_match(e.Title, m, dated));
        const int day = std::stoi(m[1]);
        const int month = std::stoi(m[2]);
        const int year = std::stoi(m[3]);
        const int date = year * 10000 + month * 100 + day;
        EXPECT_GE(date, 20000901);
        EXPECT_LE(date, 20010531);
        EXPECT_GE(date, previous);
        previous = date;
        EXPECT_LE(e.Title.size(), 80u);  // bytes: two per Cyrillic letter
        // A few sentences.
        EXPECT_GE(std::count(e.Description.begin(), e.Description.end(), '.'), 2) << e.Description;
    }
    // The file is the game's text file: UTF-8 with CR LF line ends.
    const std::string bytes = test::TempDir::Read(path);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), std::count(bytes.begin(), bytes.end(), '\r'));
}

TEST(ChronicleContent, TheDictionaryExplainsTheGamesWords) {
    const std::string page = test::TempDir::Read(std::string(ZEL_DATA_DIR) + "/help/voc.htm");
    std::size_t entries = 0;
    for (std::size_t at = page.find("<dt"); at != std::string::npos; at = page.find("<dt", at + 1)) ++entries;
    EXPECT_GE(entries, 25u);
    for (const char* word : {">Вемба<", ">Вембиться<", ">Сгинуть<", ">Пипа<", ">Горшок<"})
        EXPECT_NE(page.find(word), std::string::npos) << word;
    const std::string links = test::TempDir::Read(std::string(ZEL_DATA_DIR) + "/help/links.htm");
    EXPECT_NE(links.find("https://vembklub.example/"), std::string::npos);
    // Every web address is a placeholder.
    const std::regex address(R"(https?://([^/"]+))");
    for (std::sregex_iterator it(links.begin(), links.end(), address), end; it != end; ++it)
        EXPECT_TRUE((*it)[1].str().ends_with(".example")) << (*it)[0].str();
}

}  // namespace
}  // namespace zel::screens
