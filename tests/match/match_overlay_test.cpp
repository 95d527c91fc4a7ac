#include <gtest/gtest.h>

#include <set>
#include <utility>

#include <QFontMetrics>
#include <QImage>
#include <QRect>
#include <QString>

#include "MatchHarness.h"
#include "core/KeyCodes.h"
#include "core/MatchTexts.h"
#include "core/Overlay.h"
#include "match/OverlayPainter.h"
#include "settings/DisplayMode.h"
#include "settings/SettingsTexts.h"
#include "support/KernelHarness.h"

namespace zel::test {
namespace {

// Pixels of exactly `colour` inside `box`.
int CountColour(const QImage& img, QRgb colour, const QRect& box) {
    const QRect r = box.intersected(img.rect());
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if ((img.pixel(x, y) & 0xffffff) == (colour & 0xffffff)) ++n;
    return n;
}

const OverlayText* FindLine(const std::vector<OverlayText>& lines, const std::string& text) {
    for (const OverlayText& l : lines)
        if (l.Text == text) return &l;
    return nullptr;
}

// Where a line's letters go: from its top-left corner, as wide as the text
// advances and as tall as a line of its font.
QRect LineBox(const OverlayText& line) {
    const QFontMetrics fm(match::OverlayFontFor(line.Font));
    return QRect(line.X, line.Y, fm.horizontalAdvance(QString::fromStdString(line.Text)), fm.height());
}

// The picture sizes the options screen offers, each once.
std::set<std::pair<int, int>> OfferedSizes() {
    std::set<std::pair<int, int>> sizes;
    for (const char* text : texts::kDisplayModes) {
        const std::optional<DisplayMode> mode = ParseDisplayMode(text);
        if (mode) sizes.insert({mode->Width, mode->Height});
    }
    return sizes;
}

// With every line up at once (parameters fixed, names hidden, the quit
// question asked) and whichever status the match shows, each line can be
// read whole: inside the picture, clear of every other line.
TEST(MatchOverlay, EveryLineLiesInsideThePictureAndClearOfTheOthersAtEveryOfferedSize) {
    KernelHarness h;
    ASSERT_TRUE(h.Init());
    h.Press(vk::kF2);
    h.Press(vk::kF3);
    h.Press(vk::kEscape);
    h.S.Vembas[h.S.CurG].R = "Александра Великая";
    const std::string statuses[] = {texts::kAimHint, texts::kTurnChange, texts::kNobodyLeft, texts::kMatchOver,
                                    std::string(texts::kPowerPrefix) + "100"};
    const std::set<std::pair<int, int>> sizes = OfferedSizes();
    ASSERT_FALSE(sizes.empty());
    for (const auto& [width, height] : sizes) {
        h.S.ScreenH = static_cast<std::int16_t>(height);
        const QRect picture(0, 0, width, height);
        for (const std::string& status : statuses) {
            h.S.StatusText = status;
            Overlay overlay;
            const std::vector<OverlayText> lines = overlay.Compose(h.S);
            ASSERT_EQ(lines.size(), 5u);
            for (std::size_t i = 0; i < lines.size(); ++i) {
                const QRect box = LineBox(lines[i]);
                EXPECT_TRUE(picture.contains(box)) << width << "x" << height << " \"" << lines[i].Text << "\"";
                for (std::size_t j = i + 1; j < lines.size(); ++j)
                    EXPECT_FALSE(box.intersects(LineBox(lines[j])))
                        << width << "x" << height << " \"" << lines[i].Text << "\" and \"" << lines[j].Text << "\"";
            }
        }
    }
}

TEST(MatchOverlay, TurnAndStatusLinesArePaintedInThePensColourWithinTheirBoxes) {
    for (const bool room : {false, true}) {
        SCOPED_TRACE(room);
        MatchHarness h;
        h.s.UseRoom = ToFlag(room);
        const QRgb pen = room ? qRgb(kOverlayRoom.R, kOverlayRoom.G, kOverlayRoom.B)
                              : qRgb(kOverlayWhite.R, kOverlayWhite.G, kOverlayWhite.B);
        h.Do([&](match::MatchWindow& w) {
            const std::vector<OverlayText>& lines = w.LastOverlay();
            const OverlayText* turn = FindLine(lines, std::string(texts::kWhoseTurn) + "Анна");
            const OverlayText* status = FindLine(lines, texts::kAimHint);
            ASSERT_NE(turn, nullptr);
            ASSERT_NE(status, nullptr);
            const QImage shown = w.ShownPicture();
            ASSERT_EQ(shown.size(), QSize(h.options.Render.ScreenW, h.options.Render.ScreenH));
            const QRect turnBox = LineBox(*turn);
            const QRect statusBox = LineBox(*status);
            ASSERT_LT(turnBox.bottom(), statusBox.top());
            // Each line has letters in the pen's colour, and nothing of it
            // lies in the gap between them or in the row above the turn line.
            EXPECT_GT(CountColour(shown, pen, turnBox), turnBox.width() / 4);
            EXPECT_GT(CountColour(shown, pen, statusBox), statusBox.width() / 4);
            const QRect gap(0, turnBox.bottom() + 1, shown.width(), statusBox.top() - turnBox.bottom() - 1);
            EXPECT_EQ(CountColour(shown, pen, gap), 0);
            const QRect above(0, turnBox.top() - turnBox.height(), shown.width(), turnBox.height());
            EXPECT_EQ(CountColour(shown, pen, above), 0);
        });
        h.Quit();
        ASSERT_TRUE(h.Run());
    }
}

TEST(MatchOverlay, EscAsksAndYClosesTheMatchBackToTheMenu) {
    MatchHarness h;
    const QRgb white = qRgb(kOverlayWhite.R, kOverlayWhite.G, kOverlayWhite.B);
    QRect promptBox;
    h.Do([&](match::MatchWindow& w) {
        // The scene is built: the caption is the title again.
        EXPECT_EQ(w.View().title().toStdString(), "Korvalo II");
    });
    h.Tap(Qt::Key_Escape);
    h.Do([&](match::MatchWindow& w) {
        const OverlayText* prompt = FindLine(w.LastOverlay(), texts::kQuitPrompt);
        ASSERT_NE(prompt, nullptr);
        // Drawn one pixel right of and below the prompt's place, bold and larger.
        EXPECT_EQ(prompt->X, h.s.Win.PromptX + 1);
        EXPECT_EQ(prompt->Y, h.s.Win.PromptY + 1);
        EXPECT_EQ(prompt->Font, kOverlayPrompt);
        promptBox = LineBox(*prompt);
        EXPECT_GT(CountColour(w.ShownPicture(), white, promptBox), promptBox.width() / 2);
    });
    // N takes the question back; the match goes on.
    h.Tap(Qt::Key_N);
    h.Do([&](match::MatchWindow& w) {
        EXPECT_EQ(FindLine(w.LastOverlay(), texts::kQuitPrompt), nullptr);
        EXPECT_EQ(CountColour(w.ShownPicture(), white, promptBox), 0);
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
