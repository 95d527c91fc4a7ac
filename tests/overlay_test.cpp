#include <gtest/gtest.h>

#include "core/Overlay.h"

namespace zel {
namespace {

MatchState Screen() {
    MatchState s;
    s.ScreenH = 600;
    s.CurG = 2;
    s.Vembas[2].R = "Зоркий";
    s.StatusText = "Переход хода!";
    return s;
}

TEST(Overlay, PlainFrameShowsWhoseTurnAndStatusInWhite) {
    MatchState s = Screen();
    Overlay o;
    const std::vector<OverlayText> lines = o.Compose(s);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Text, "Ходит игрок Зоркий");
    EXPECT_EQ(lines[1].Text, "Переход хода!");
    EXPECT_EQ(lines[0].X, lines[1].X);
    EXPECT_LT(lines[0].Y, lines[1].Y);  // the status under the turn line
    for (const OverlayText& t : lines) {
        EXPECT_EQ(t.Colour, (OverlayColour{255, 255, 255}));
        EXPECT_EQ(t.Font, (OverlayFont{10, false}));
    }
}

TEST(Overlay, BottomLinesKeepTheirDistanceFromTheBottomOfTheScreen) {
    MatchState s = Screen();
    Overlay o;
    const std::vector<OverlayText> small = o.Compose(s);
    s.ScreenH = static_cast<std::int16_t>(s.ScreenH + 168);
    const std::vector<OverlayText> large = o.Compose(s);
    ASSERT_EQ(small.size(), large.size());
    for (std::size_t i = 0; i < small.size(); ++i) {
        EXPECT_EQ(large[i].X, small[i].X) << small[i].Text;
        EXPECT_EQ(large[i].Y - small[i].Y, 168) << small[i].Text;
    }
}

TEST(Overlay, NoticesShareTheTopRowAboveEverythingElse) {
    MatchState s = Screen();
    s.Win.ParamsFixed = kTrue;
    s.NamesOn = kFalse;
    Overlay o;
    const std::vector<OverlayText> lines = o.Compose(s);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].Text, "[Параметры удара фиксированы]");
    EXPECT_EQ(lines[1].Text, "[Имена скрыты]");
    EXPECT_EQ(lines[0].Y, lines[1].Y);
    EXPECT_LT(lines[0].X, lines[1].X);
    EXPECT_LT(lines[0].Y, lines[2].Y);
    // Each notice comes and goes on its own.
    s.Win.ParamsFixed = kFalse;
    const std::vector<OverlayText> namesOnly = o.Compose(s);
    ASSERT_EQ(namesOnly.size(), 3u);
    EXPECT_EQ(namesOnly[0].Text, "[Имена скрыты]");
    EXPECT_EQ(namesOnly[0].X, lines[1].X);
}

TEST(Overlay, RoomColourStaysInForceForLaterLinesAndFrames) {
    MatchState s = Screen();
    s.UseRoom = kTrue;
    s.Win.ParamsFixed = kTrue;
    const OverlayColour room{116, 12, 95};
    Overlay o;
    o.Begin();
    std::vector<OverlayText> first = o.Compose(s);
    EXPECT_EQ(first[0].Colour, (OverlayColour{255, 255, 255}));  // drawn before the switch
    EXPECT_EQ(first[1].Colour, room);
    EXPECT_EQ(first[2].Colour, room);

    std::vector<OverlayText> second = o.Compose(s);
    EXPECT_EQ(second[0].Colour, room);

    s.UseRoom = kFalse;  // nothing switches the pen back within the loop
    EXPECT_EQ(o.Compose(s)[0].Colour, room);
    o.Begin();
    EXPECT_EQ(o.Compose(s)[0].Colour, (OverlayColour{255, 255, 255}));
}

TEST(Overlay, QuitPromptIsBoldFourteenOnePixelOffAndOnlyIt) {
    MatchState s = Screen();
    s.Win.ExitAsked = kTrue;
    s.Win.PromptText = "Выйти из игры? (Y/N)";
    s.Win.PromptX = 40;
    s.Win.PromptY = 30;
    Overlay o;
    std::vector<OverlayText> lines = o.Compose(s);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].Text, "Выйти из игры? (Y/N)");
    EXPECT_EQ(lines[2].X, s.Win.PromptX + 1);
    EXPECT_EQ(lines[2].Y, s.Win.PromptY + 1);
    EXPECT_EQ(lines[2].Font, (OverlayFont{14, true}));
    EXPECT_EQ(o.Compose(s)[0].Font, (OverlayFont{10, false}));
}

TEST(Overlay, StrikerOutsideTheTableShowsNoName) {
    MatchState s = Screen();
    for (std::int16_t bad : {0, -3, 17, 32767}) {
        s.CurG = bad;
        Overlay o;
        EXPECT_EQ(o.Compose(s)[0].Text, "Ходит игрок ");
    }
}

}  // namespace
}  // namespace zel
