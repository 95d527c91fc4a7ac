#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "MatchHarness.h"
#include "match/FrameCounter.h"

namespace zel::test {
namespace {

using match::FrameCounter;
using match::FrameCounterText;

// `passes` passes `interval` seconds apart from `from`, each shown `work`
// seconds after it began; returns every text the counter showed.
std::set<std::string> Feed(FrameCounter& c, double from, int passes, double interval, double work) {
    std::set<std::string> texts;
    for (int i = 0; i < passes; ++i) {
        c.AddPass(from + i * interval, work);
        texts.insert(c.Text());
    }
    return texts;
}

const OverlayText* CounterLine(const std::vector<OverlayText>& lines) {
    for (const OverlayText& l : lines)
        if (l.Text.find(" к/с · ") != std::string::npos) return &l;
    return nullptr;
}

TEST(FrameCounter, TextGivesWholeFramesAndTenthsOfAMillisecondAfterAComma) {
    EXPECT_EQ(FrameCounterText(60, 16.66), "60 к/с · 16,7 мс");
    EXPECT_EQ(FrameCounterText(144, 6.94), "144 к/с · 6,9 мс");
    EXPECT_EQ(FrameCounterText(5, 200), "5 к/с · 200,0 мс");
    EXPECT_EQ(FrameCounterText(-3, -1), "0 к/с · 0,0 мс");
}

TEST(FrameCounter, CountsThePassesOfTheLastSecondAndTheirMeanFrameTime) {
    FrameCounter c;
    Feed(c, 100.0, 120, 1.0 / 60, 0.005);
    EXPECT_EQ(c.Text(), "60 к/с · 5,0 мс");
    // Slower now: after a second of 25 passes a second, only they count.
    Feed(c, 102.0, 50, 1.0 / 25, 0.030);
    EXPECT_EQ(c.Text(), "25 к/с · 30,0 мс");
}

TEST(FrameCounter, TextChangesAtMostTwiceASecond) {
    FrameCounter c;
    // Every pass takes a different time, so a text made each pass would differ each pass.
    std::set<std::string> texts;
    for (int i = 0; i < 180; ++i) {
        c.AddPass(10.0 + i / 60.0, 0.001 * (i % 17));
        texts.insert(c.Text());
    }
    EXPECT_GE(texts.size(), 3u);
    EXPECT_LE(texts.size(), 7u);
}

TEST(FrameCounter, ClockGoingBackOrNotANumberNeverBreaksIt) {
    FrameCounter c;
    Feed(c, 50.0, 30, 1.0 / 30, 0.01);
    c.AddPass(std::numeric_limits<double>::quiet_NaN(), 0.01);
    c.AddPass(1.0, std::numeric_limits<double>::infinity());
    c.AddPass(1.0, 0.02);
    EXPECT_TRUE(std::regex_match(c.Text(), std::regex(R"(\d+ к/с · \d+,\d мс)"))) << c.Text();
}

// F4 in a match shows the counter in the overlay's top right corner and
// takes it away again; the match itself never sees the key.
TEST(FrameCounter, FourthFunctionKeyShowsAndHidesTheCounterInTheOverlayCorner) {
    MatchHarness h;
    int shownAt = 0;
    h.Do([&](match::MatchWindow& w) {
        EXPECT_EQ(CounterLine(w.LastOverlay()), nullptr);
        EXPECT_TRUE(w.PresentsOnGpu());
    });
    h.Tap(Qt::Key_F4);
    h.Do([&](match::MatchWindow& w) {
        const OverlayText* line = CounterLine(w.LastOverlay());
        ASSERT_NE(line, nullptr);
        EXPECT_TRUE(std::regex_match(line->Text, std::regex(R"(\d+ к/с · \d+,\d мс)"))) << line->Text;
        EXPECT_GT(line->X, h.options.Render.ScreenW / 2);
        EXPECT_LT(line->X, h.options.Render.ScreenW);
        EXPECT_LT(line->Y, h.options.Render.ScreenH / 4);
        shownAt = line->X;
        // The counter's letters are on the screen.
        const QImage shown = w.ShownPicture();
        int lit = 0;
        for (int y = line->Y; y < line->Y + 12; ++y)
            for (int x = line->X; x < h.options.Render.ScreenW; ++x)
                if ((shown.pixel(x, y) & 0xffffff) == 0xffffffu) ++lit;
        EXPECT_GT(lit, 20);
    });
    h.Tap(Qt::Key_F4);
    h.Do([&](match::MatchWindow& w) {
        EXPECT_EQ(CounterLine(w.LastOverlay()), nullptr);
        EXPECT_FALSE(w.Counter().Visible());
    });
    h.Quit();
    ASSERT_TRUE(h.Run());
    EXPECT_FALSE(h.timedOut);
    EXPECT_GT(shownAt, 0);
}

}  // namespace
}  // namespace zel::test
