#include <gtest/gtest.h>

#include <cmath>

#include "core/MatchSetup.h"
#include "core/Rules.h"
#include "physics/Motion.h"
#include "support/FakeMatchPort.h"

namespace zel {
namespace {

using test::FakeMatchPort;
using test::PlayedSound;

// A started free-for-all of `num` participants, participant 1 to strike.
MatchState Match(int num) {
    MatchState s;
    s.Shapes = InitShapes(20, 14, 11);
    MatchSetup setup;
    for (int i = 0; i < num; ++i) setup.Participants.push_back(ParticipantSetup{});
    StartMatchState(s, setup);
    s.CurSgin = 0;
    s.CurG = 1;
    s.SginFlushed = kTrue;
    return s;
}

// The turn end as the Pause tick runs it.
bool EndTurn(MatchState& s, FakeMatchPort& port) {
    AccountTurn(s, port);
    s.SginFlushed = kFalse;
    return DecideMatchEnd(s, port);
}

TEST(Rules, StrikerFallingAfterTwoVictimsIsWrittenFirstAndCreditedOnce) {
    MatchState s = Match(5);
    s.UseRoom = kTrue;
    FakeMatchPort port(&s);
    EliminatePiece(s, 2);
    EliminatePiece(s, 3);
    EliminatePiece(s, 1);  // the striker follows

    EXPECT_FALSE(EndTurn(s, port));
    EXPECT_EQ(s.CurSgin, 3);
    EXPECT_EQ(s.WhoSgin[1], 1);
    EXPECT_EQ(s.WhoSgin[2], 3);
    EXPECT_EQ(s.WhoSgin[3], 2);
    EXPECT_EQ(s.Vembas[1].SginCount, 1);
    EXPECT_EQ(s.Vembas[2].SginCount + s.Vembas[3].SginCount + s.Vembas[4].SginCount, 0);
    EXPECT_EQ(s.TurnSginCount, 0);
    EXPECT_TRUE(port.Sounds.empty());  // flushed falls are nobody's crowd moment
}

TEST(Rules, TwoVictimsOfAStayingStrikerAreCreditedLastFallenFirstWithTheCrowd) {
    MatchState s = Match(4);
    s.UseRoom = kTrue;
    s.Sound = kFalse;  // the crowd does not ask the sound switch
    // Camera 15 and 5 scene units off the swin object: 250 / 100 = 2.5 -> 2.
    s.CamX = 600 / 10.0 - 15;
    s.CamZ = 150 - 5;
    FakeMatchPort port(&s);
    EliminatePiece(s, 3);
    EliminatePiece(s, 2);

    EXPECT_FALSE(EndTurn(s, port));
    EXPECT_EQ(s.WhoSgin[1], 2);
    EXPECT_EQ(s.WhoSgin[2], 3);
    EXPECT_EQ(s.CurSgin, 2);
    EXPECT_EQ(s.TurnSginCount, 0);
    EXPECT_EQ(s.Vembas[1].SginCount, 2);
    ASSERT_EQ(port.Sounds.size(), 1u);
    EXPECT_EQ(port.Sounds[0], (PlayedSound{7, -2}));
}

TEST(Rules, CrowdNeedsTwoVictimsAndTheRoom) {
    MatchState one = Match(3);
    one.UseRoom = kTrue;
    FakeMatchPort port(&one);
    EliminatePiece(one, 2);
    EndTurn(one, port);
    EXPECT_EQ(one.Vembas[1].SginCount, 1);
    EXPECT_TRUE(port.Sounds.empty());

    MatchState noRoom = Match(4);
    EliminatePiece(noRoom, 2);
    EliminatePiece(noRoom, 3);
    EndTurn(noRoom, port);
    EXPECT_TRUE(port.Sounds.empty());

    // Standing on the swin object the crowd is at full volume; the start
    // camera hears it at -(100^2 + 160^2) / 100.
    MatchState s = Match(4);
    s.CamX = 60;
    s.CamZ = 150;
    EXPECT_EQ(CrowdVolume(s), 0);
    s.CamX = -40;
    s.CamZ = -10;
    EXPECT_EQ(CrowdVolume(s), -356);
}

TEST(Rules, FreeForAllEndsWithTheLastOneStandingAfterTheFallen) {
    MatchState s = Match(2);
    FakeMatchPort port(&s);
    s.GameRunning = kTrue;
    EliminatePiece(s, 1);  // the striker falls alone

    EXPECT_TRUE(EndTurn(s, port));
    EXPECT_EQ(s.Winner, 2);
    EXPECT_EQ(s.WhoSgin[1], 1);
    EXPECT_EQ(s.WhoSgin[2], 2);
    EXPECT_EQ(s.CurSgin, 1);  // the survivor is written past the count
    EXPECT_EQ(s.Win.GameOver, kTrue);
    EXPECT_EQ(s.GameRunning, kFalse);
    EXPECT_EQ(s.StatusText, "Вемба закончена!");
    EXPECT_EQ(port.EventPumps, 0);
}

TEST(Rules, FreeForAllThatNobodySurvivesSaysSoThenEnds) {
    MatchState s = Match(3);
    FakeMatchPort port(&s);
    s.GameRunning = kTrue;
    EliminatePiece(s, 2);
    EliminatePiece(s, 3);
    EliminatePiece(s, 1);

    EXPECT_TRUE(EndTurn(s, port));
    EXPECT_EQ(s.Winner, -1);
    ASSERT_EQ(port.StatusAtEventPump.size(), 1u);
    EXPECT_EQ(port.StatusAtEventPump[0], "Вы живых не осталось никого...Все сгинули!");
    EXPECT_EQ(s.StatusText, "Вемба закончена!");
    EXPECT_EQ(s.GameRunning, kFalse);
    EXPECT_EQ(s.CurSgin, 3);

    MatchState two = Match(3);
    EliminatePiece(two, 3);
    EXPECT_FALSE(EndTurn(two, port));
    EXPECT_EQ(two.Win.GameOver, kFalse);
}

TEST(Rules, TeamMatchEndsWhenOneSideIsLeftOrNobody) {
    auto teams = [] {
        MatchState s = Match(4);
        s.TeamGame = kTrue;
        s.FirstTeam = 5;
        s.SecondTeam = 3;
        s.Vembas[3].TeamSide = 1;
        s.Vembas[4].TeamSide = 1;
        return s;
    };
    FakeMatchPort port;

    MatchState first = teams();
    EliminatePiece(first, 3);
    EliminatePiece(first, 4);
    EXPECT_TRUE(EndTurn(first, port));
    EXPECT_EQ(first.Winner, 5);
    EXPECT_EQ(first.CurSgin, 4);  // 4, 3 credited, then survivors 1 and 2
    EXPECT_EQ(first.WhoSgin[3], 1);
    EXPECT_EQ(first.WhoSgin[4], 2);
    EXPECT_EQ(first.StatusText, "Вемба закончена!");

    MatchState second = teams();
    second.CurG = 3;
    EliminatePiece(second, 1);
    EliminatePiece(second, 2);
    EliminatePiece(second, 4);
    EXPECT_TRUE(EndTurn(second, port));
    EXPECT_EQ(second.Winner, 3);
    EXPECT_EQ(second.WhoSgin[4], 3);

    MatchState nobody = teams();
    nobody.CurG = 2;
    for (int i : {1, 3, 4, 2}) EliminatePiece(nobody, i);
    EXPECT_TRUE(EndTurn(nobody, port));
    EXPECT_EQ(nobody.Winner, -1);
    EXPECT_EQ(nobody.Win.GameOver, kTrue);

    MatchState both = teams();
    EliminatePiece(both, 2);
    EliminatePiece(both, 4);
    EXPECT_FALSE(EndTurn(both, port));
    EXPECT_EQ(both.Win.GameOver, kFalse);
}

TEST(Rules, AMatchIsDecidedExactlyWhenItsTurnEndWouldEndIt) {
    FakeMatchPort port;
    auto check = [&](MatchState s, std::initializer_list<int> fallen) {
        for (int i : fallen) EliminatePiece(s, i);
        const bool decided = MatchIsDecided(s);
        EXPECT_EQ(decided, EndTurn(s, port)) << "with " << fallen.size() << " fallen";
        return decided;
    };
    EXPECT_FALSE(check(Match(3), {}));
    EXPECT_FALSE(check(Match(3), {2}));
    EXPECT_TRUE(check(Match(3), {2, 3}));
    EXPECT_TRUE(check(Match(2), {1, 2}));

    MatchState teams = Match(4);
    teams.TeamGame = kTrue;
    teams.Vembas[3].TeamSide = 1;
    teams.Vembas[4].TeamSide = 1;
    EXPECT_FALSE(check(teams, {}));
    EXPECT_FALSE(check(teams, {2, 4}));
    EXPECT_TRUE(check(teams, {3, 4}));
    EXPECT_TRUE(check(teams, {1, 2}));
    EXPECT_TRUE(check(teams, {1, 2, 3, 4}));
}

TEST(Rules, GorApplyWithoutPowerChangesNothing) {
    MatchState s = Match(3);
    for (int i = 1; i <= 3; ++i) s.GorImpulse[i] = Vec2{7.0 * i, -1.0};
    s.Win.Power = 0;
    GorApply(s);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(s.GorImpulse[i].x, 7.0 * i);
        EXPECT_EQ(s.GorImpulse[i].y, -1.0);
    }
}

TEST(Rules, GorApplyPushesAwayFromTheStrikerGrowingWithDistanceFromCentre) {
    MatchState s = Match(4);
    s.CurG = 2;
    s.Win.Power = 37;
    s.GorImpulse[2] = Vec2{5, 5};
    s.Vembas[4].Xpos = s.Vembas[2].Xpos;  // right on the striker's point
    s.Vembas[4].Ypos = s.Vembas[2].Ypos;
    GorApply(s);

    const VembaRecord& c = s.Vembas[2];
    const VembaRecord& v = s.Vembas[1];
    const double d = Hypot(v.Xpos - c.Xpos, v.Ypos - c.Ypos);
    const double e = Hypot(v.Xpos - 300.0, v.Ypos - 200.0);
    const double f = (37 * 1.0) / (d * d) * e;
    EXPECT_EQ(s.GorImpulse[1].x, f * (v.Xpos - c.Xpos) / 5.0);
    EXPECT_EQ(s.GorImpulse[1].y, f * (v.Ypos - c.Ypos) / 5.0);
    EXPECT_LT(s.GorImpulse[1].x, 0);  // piece 1 is at the striker's lower left
    EXPECT_EQ(s.GorImpulse[2].x, 0);
    EXPECT_EQ(s.GorImpulse[2].y, 0);
    EXPECT_EQ(s.GorImpulse[4].x, 0);  // no direction to push in
    EXPECT_EQ(s.GorImpulse[4].y, 0);
    EXPECT_TRUE(std::isfinite(s.GorImpulse[3].x) && std::isfinite(s.GorImpulse[3].y));
}

TEST(Rules, DamagedCountersNeverWritePastTheTables) {
    MatchState s = Match(8);
    s.CurSgin = 6;
    s.TurnSginCount = 7;
    s.SginFlushed = kFalse;
    for (int k = 1; k <= 7; ++k) s.TurnSgin[k] = static_cast<std::int16_t>(k + 1);
    s.CurG = 12;  // not a participant
    FakeMatchPort port;
    AccountTurn(s, port);
    EXPECT_EQ(s.CurSgin, 8);
    EXPECT_EQ(s.WhoSgin[8], 7);
    EXPECT_EQ(s.TurnSginCount, 0);
}

}  // namespace
}  // namespace zel
