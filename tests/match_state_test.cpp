#include <gtest/gtest.h>

#include "core/MatchState.h"

namespace zel {
namespace {

MatchState NewMatch(std::int16_t num, std::int16_t maxX = 600, std::int16_t maxY = 400) {
    MatchState s;
    s.MaxX = maxX;
    s.MaxY = maxY;
    ResetMatchDefaults(s);
    s.Num = num;
    ResetLayout(s);
    return s;
}

TEST(MatchState, DefaultsResetCountersAndRadii) {
    MatchState s;
    s.CurSgin = 5;
    s.TurnSginCount = 3;
    s.SginFlushed = kFalse;
    s.Num = 7;
    s.Ftr = 0.03;
    ResetMatchDefaults(s);
    EXPECT_EQ(s.CurSgin, 1);
    EXPECT_EQ(s.CurNG, 1);
    EXPECT_EQ(s.TurnSginCount, 0);
    EXPECT_EQ(s.SginFlushed, kTrue);
    EXPECT_EQ(s.Num, 2);
    EXPECT_EQ(s.Ftr, 0.02);
    EXPECT_EQ(s.VembaRadius, 20);
    EXPECT_EQ(s.BodyRadius, 14);
    EXPECT_EQ(s.PipaRadius, 11);
    EXPECT_EQ(s.GorK, 1.0);
}

TEST(MatchState, LayoutPutsCornerPiecesThirtyUnitsIn) {
    MatchState s = NewMatch(4, 600, 400);
    EXPECT_EQ(s.Vembas[1].Xpos, 30);
    EXPECT_EQ(s.Vembas[1].Ypos, 30);
    EXPECT_EQ(s.Vembas[2].Xpos, 570);
    EXPECT_EQ(s.Vembas[2].Ypos, 370);
    EXPECT_EQ(s.Vembas[3].Ypos, 370);
    EXPECT_EQ(s.Vembas[4].Xpos, 570);
    EXPECT_EQ(s.Vembas[1].Phi, 3.0 / 4.0 * s.Pi);
    EXPECT_EQ(s.Vembas[5].Phi, 3.14159 / 2);  // the literal, not Pi
    for (int i = 1; i <= 16; ++i) {
        EXPECT_EQ(s.Vembas[i].Number, i);
        EXPECT_EQ(s.Vembas[i].Life, kTrue);
        EXPECT_EQ(s.Vembas[i].RM, 1);
    }
}

TEST(MatchState, SevenAndEightParticipantsSpreadTheSideEdges) {
    // 400 high: middle 200, a sixth 66.67; no integer division anywhere.
    const double sixth = 400.0 / 6;
    MatchState six = NewMatch(6);
    EXPECT_EQ(six.Vembas[5].Ypos, 200);
    EXPECT_EQ(six.Vembas[7].Ypos, 200);
    MatchState seven = NewMatch(7);
    EXPECT_EQ(seven.Vembas[5].Ypos, 200 - sixth);
    EXPECT_EQ(seven.Vembas[7].Ypos, 200 + sixth);
    EXPECT_EQ(seven.Vembas[6].Ypos, 200);
    EXPECT_EQ(seven.Vembas[8].Ypos, 200);
    MatchState eight = NewMatch(8);
    EXPECT_EQ(eight.Vembas[6].Ypos, 200 + sixth);
    EXPECT_EQ(eight.Vembas[8].Ypos, 200 - sixth);

    MatchState odd = NewMatch(2, 601, 401);
    EXPECT_EQ(odd.Vembas[5].Ypos, 200.5);
}

TEST(MatchState, CountAliveCountsOnlyExactlyTrueParticipants) {
    MatchState s = NewMatch(3);
    EXPECT_EQ(CountAlive(s), 3);
    s.Vembas[2].Life = kFalse;
    s.Vembas[3].Life = 1;  // not -1: does not count
    EXPECT_EQ(CountAlive(s), 1);
    s.Vembas[1].Life = kFalse;
    EXPECT_EQ(CountAlive(s), 0);
    s.Num = 0;
    EXPECT_EQ(CountAlive(s), 0);
}

TEST(MatchState, HypotOfZeroIsZero) {
    EXPECT_EQ(Hypot(0, 0), 0.0);
    EXPECT_EQ(Hypot(3, 4), 5.0);
}

}  // namespace
}  // namespace zel
