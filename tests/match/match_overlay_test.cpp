#include <gtest/gtest.h>

#include <QImage>

#include "MatchHarness.h"
#include "core/MatchTexts.h"
#include "core/Overlay.h"

namespace zel::test {
namespace {

// Pixels of exactly `colour` in the rectangle x0..x1, y0..y1 (inclusive).
int CountColour(const QImage& img, QRgb colour, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = std::max(0, y0); y <= std::min(img.height() - 1, y1); ++y)
        for (int x = std::max(0, x0); x <= std::min(img.width() - 1, x1); ++x)
            if ((img.pixel(x, y) & 0xffffff) == (colour & 0xffffff)) ++n;
    return n;
}

const OverlayText* FindLine(const std::vector<OverlayText>& lines, const std::string& text) {
    for (const OverlayText& l : lines)
        if (l.Text == text) return &l;
    return nullptr;
}

TEST(MatchOverlay, TurnAndStatusLinesArePaintedAtTheBottomInThePensColour) {
    for (const bool room : {false, true}) {
        SCOPED_TRACE(room);
        MatchHarness h;
        h.s.UseRoom = ToFlag(room);
        const QRgb pen = room ? qRgb(116, 12, 95) : qRgb(255, 255, 255);
        h.Do([&](match::MatchWindow& w) {
            const std::vector<OverlayText>& lines = w.LastOverlay();
            const OverlayText* turn = FindLine(lines, std::string(texts::kWhoseTurn) + "Анна");
            const OverlayText* status = FindLine(lines, texts::kAimHint);
            ASSERT_NE(turn, nullptr);
            ASSERT_NE(status, nullptr);
            EXPECT_EQ(turn->Y, 480 - 70);
            EXPECT_EQ(status->Y, 480 - 40);
            const QImage& shown = w.View().Picture();
            ASSERT_EQ(shown.size(), QSize(640, 480));
            // Both lines have letters in the pen's colour, and nothing of it
            // lies between them or above the turn line.
            EXPECT_GT(CountColour(shown, pen, 20, 410, 200, 425), 40);
            EXPECT_GT(CountColour(shown, pen, 20, 440, 600, 455), 100);
            EXPECT_EQ(CountColour(shown, pen, 0, 395, 639, 408), 0);
        });
        h.Quit();
        ASSERT_TRUE(h.Run());
    }
}

TEST(MatchOverlay, EscAsksAndYClosesTheMatchBackToTheMenu) {
    MatchHarness h;
    const QRgb white = qRgb(255, 255, 255);
    h.Do([&](match::MatchWindow& w) {
        // The scene is built: the caption is the title again.
        EXPECT_EQ(w.View().title().toStdString(), "Korvalo II");
    });
    h.Tap(Qt::Key_Escape);
    h.Do([&](match::MatchWindow& w) {
        const OverlayText* prompt = FindLine(w.LastOverlay(), texts::kQuitPrompt);
        ASSERT_NE(prompt, nullptr);
        EXPECT_EQ(prompt->X, 41);
        EXPECT_EQ(prompt->Y, 31);
        EXPECT_EQ(prompt->Font, kOverlayPrompt);
        EXPECT_GT(CountColour(w.View().Picture(), white, 41, 31, 260, 52), 100);
    });
    // N takes the question back; the match goes on.
    h.Tap(Qt::Key_N);
    h.Do([&](match::MatchWindow& w) {
        EXPECT_EQ(FindLine(w.LastOverlay(), texts::kQuitPrompt), nullptr);
        EXPECT_EQ(CountColour(w.View().Picture(), white, 41, 31, 260, 52), 0);
        EXPECT_EQ(h.s.GameRunning, kTrue);
    });
    h.Quit();
    ASSERT_TRUE(h.Run());
    EXPECT_FALSE(h.timedOut);
    ASSERT_EQ(h.ended.size(), 1u);
    EXPECT_EQ(h.ended[0].Next, NextScreen::MainMenu);
    EXPECT_FALSE(h.ended[0].GameOver);
    EXPECT_EQ(h.s.GameRunning, kFalse);
    // The replay of the match left early is finished with its end line.
    EXPECT_NE(TempDir::Read((h.tmp.Path() / "zel.sav").string()).find(";Конец записи: "), std::string::npos);
}

}  // namespace
}  // namespace zel::test
