// Free motion, leaving the table, the elimination booking and the strike.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/MatchState.h"
#include "physics/Contact.h"
#include "physics/Motion.h"
#include "physics/PhysStep.h"
#include "reference/TableSetup.h"

namespace zel {
namespace {

// A table with `num` model-3 pieces (single discs) at rest.
MatchState Table(std::int16_t num = 4) {
    MatchState s = ref::NewTable(num);
    for (int k = 1; k <= num; ++k) s.Vembas[k].RMod = 3;
    return s;
}

TEST(PhysicsMotion, FrictionTakesTwiceFtrOffTheSpeedAndKeepsTheDirection) {
    MatchState s = Table();
    VembaRecord& v = s.Vembas[1];
    v.Xpos = 100;
    v.Ypos = 100;
    v.Xvec = 3;
    v.Yvec = 4;
    MoveVemba(s, v, 1.0);
    EXPECT_NEAR(Hypot(v.Xvec, v.Yvec), 5 - 0.04, 1e-12);
    EXPECT_NEAR(v.Xvec / v.Yvec, 0.75, 1e-12);
    // The position moves by the already reduced velocity.
    EXPECT_EQ(v.Xpos, 100 + v.Xvec);
    EXPECT_EQ(v.Ypos, 100 + v.Yvec);
}

TEST(PhysicsMotion, SlowPieceStopsExactlyAndDoesNotMoveInThatTick) {
    MatchState s = Table();
    VembaRecord& v = s.Vembas[1];
    v.Xpos = 100;
    v.Ypos = 100;
    v.Xvec = 0.13;  // 0.13 -> 0.09 -> 0.05 -> 0.01 -> stop
    int ticks = 0;
    while (v.Xvec != 0 && ticks < 10) {
        MoveVemba(s, v, 1.0);
        ++ticks;
    }
    EXPECT_EQ(ticks, 4);
    EXPECT_EQ(v.Xvec, 0.0);
    EXPECT_EQ(v.Yvec, 0.0);
    const double stoppedAt = v.Xpos;
    EXPECT_NEAR(stoppedAt, 100 + 0.09 + 0.05 + 0.01, 1e-12);  // the last tick added nothing
}

TEST(PhysicsMotion, SpeedAndSpinEqualToTheLimitStop) {
    // Ftr = 0.25 keeps the limits exact: speed limit 0.5, spin limit 0.75.
    MatchState s = Table();
    s.Ftr = 0.25;
    VembaRecord& v = s.Vembas[1];
    v.Xpos = v.Ypos = 100;
    v.Xvec = 0.5;
    v.u = 0.75;
    MoveVemba(s, v, 1.0);
    EXPECT_EQ(v.Xvec, 0.0);
    EXPECT_EQ(v.u, 0.0);
    EXPECT_EQ(v.Xpos, 100.0);

    v.Xvec = 0.5 + 1e-12;
    v.u = -(0.75 + 1e-12);
    MoveVemba(s, v, 1.0);
    EXPECT_GT(v.Xvec, 0.0);
    EXPECT_LT(v.u, 0.0);
    EXPECT_NEAR(v.u, -1e-12, 1e-15);
}

TEST(PhysicsMotion, CentreOnTheRimStaysAndAnyAmountBeyondFalls) {
    const double rims[4][2] = {{0, 200}, {600, 200}, {300, 0}, {300, 400}};
    for (const auto& r : rims) {
        MatchState s = Table();
        VembaRecord& v = s.Vembas[2];
        v.Xpos = r[0];
        v.Ypos = r[1];
        MoveVemba(s, v, 1.0);
        EXPECT_EQ(v.Life, kTrue) << r[0] << "," << r[1];
    }
    const double beyond[4][2] = {{std::nextafter(0.0, -1.0), 200}, {std::nextafter(600.0, 700.0), 200},
                                 {300, std::nextafter(0.0, -1.0)}, {300, std::nextafter(400.0, 500.0)}};
    for (const auto& r : beyond) {
        MatchState s = Table();
        VembaRecord& v = s.Vembas[2];
        v.Xpos = r[0];
        v.Ypos = r[1];
        MoveVemba(s, v, 1.0);
        EXPECT_EQ(v.Life, kFalse) << r[0] << "," << r[1];
        EXPECT_EQ(v.Xpos, -100.0);
    }
}

TEST(PhysicsMotion, OnlyParticipantsFallOffTheTable) {
    MatchState s = Table(2);
    ref::PlaceObstacles(s);
    VembaRecord& post = s.Vembas[3];
    post.RMod = 3;  // even a movable body after the participants does not fall
    post.Xpos = -50;
    MoveVemba(s, post, 1.0);
    EXPECT_EQ(post.Life, kTrue);
    EXPECT_EQ(s.TurnSginCount, 0);
}

TEST(PhysicsMotion, PositionThatIsNotANumberCountsAsOffTheTable) {
    // An infinite speed would otherwise leave a piece "on the table" at NaN,
    // never at rest and never hit: the turn could not end.
    MatchState s = Table();
    VembaRecord& v = s.Vembas[2];
    v.Xpos = v.Ypos = 100;
    v.Xvec = std::numeric_limits<double>::infinity();
    MoveVemba(s, v, 1.0);
    EXPECT_EQ(v.Life, kFalse);
    EXPECT_EQ(v.Xpos, -100.0);
    EXPECT_EQ(v.Xvec, 0.0);
}

TEST(PhysicsMotion, HeadingWrapsOncePerMoveAndStaysNearTenPi) {
    MatchState s = Table();
    VembaRecord& v = s.Vembas[1];
    v.Xpos = v.Ypos = 100;
    v.Phi = 10 * s.Pi + 0.5;
    MoveVemba(s, v, 1.0);
    EXPECT_EQ(v.Phi, 10 * s.Pi + 0.5 - 10 * s.Pi);

    // A piece spinning fast (slowed only a little by friction) never leaves
    // +-10 Pi by more than one tick's rotation. (One wrap per move keeps up
    // with any turn below 10 Pi per tick; a strike gives at most 1.)
    v.u = -30;
    for (int t = 0; t < 200; ++t) {
        MoveVemba(s, v, 1.0);
        ASSERT_LE(std::fabs(v.Phi), 10 * s.Pi + 30) << t;
    }
}

TEST(PhysicsMotion, FallRecordsWhereTheCentreCrossedTheEdgeAndWhichWayItWent) {
    // Without friction the centre runs straight: each of these crosses its
    // edge half way through the move.
    const double h = std::sqrt(0.5);
    const struct {
        const char* edge;
        double x, y, xvec, yvec;  // start and velocity
        double atX, atY;          // crossing point
        double outX, outY;        // way out
    } cases[] = {
        {"x = MaxX", 590, 100, 20, 10, 600, 105, 1, 0},
        {"x = 0", 5, 300, -10, -4, 0, 298, -1, 0},
        {"y = 0", 200, 3, 6, -6, 203, 0, 0, -1},
        {"y = MaxY", 400, 396, -8, 8, 396, 400, 0, 1},
        {"corner MaxX, MaxY", 596, 396, 8, 8, 600, 400, h, h},
        {"corner 0, 0", 4, 2, -8, -4, 0, 0, -h, -h},
        // Beyond both edges at the end, but over y = MaxY well before x = MaxX.
        {"near the corner", 590, 396, 12, 8, 596, 400, 0, 1},
    };
    for (const auto& c : cases) {
        MatchState s = Table();
        s.Ftr = 0;
        VembaRecord& v = s.Vembas[2];
        v.Xpos = c.x;
        v.Ypos = c.y;
        v.Xvec = c.xvec;
        v.Yvec = c.yvec;
        v.u = 0.25;
        MoveVemba(s, v, 1.0);
        ASSERT_EQ(v.Life, kFalse) << c.edge;
        // The rules' parking place stays as it is.
        EXPECT_EQ(v.Xpos, -100.0) << c.edge;
        EXPECT_EQ(v.Ypos, -100.0) << c.edge;
        const LeavePoint& p = s.LeftTable[2];
        EXPECT_TRUE(p.Known) << c.edge;
        EXPECT_NEAR(p.X, c.atX, 1e-12) << c.edge;
        EXPECT_NEAR(p.Y, c.atY, 1e-12) << c.edge;
        EXPECT_EQ(p.OutX, c.outX) << c.edge;
        EXPECT_EQ(p.OutY, c.outY) << c.edge;
        EXPECT_EQ(p.Phi, v.Phi) << c.edge;  // the heading it had as it went over
        EXPECT_NE(p.Phi, Table().Vembas[2].Phi) << c.edge;
        EXPECT_FALSE(s.LeftTable[1].Known) << c.edge;
    }
}

TEST(PhysicsMotion, FallsAreNumberedInTheOrderTheyHappenAndForgottenByANewMatch) {
    MatchState s = Table(4);
    s.CurG = 1;
    // Piece 3 goes over x = MaxX first; piece 1's trial move in the tick's
    // contact search already takes it over y = 0 (pieces 2 and 4 meet).
    s.Vembas[3].Xpos = 599;
    s.Vembas[3].Ypos = 200;
    s.Vembas[3].Xvec = 3;
    PhysStep(s, 1.0);
    s.Vembas[1].Xpos = 100;
    s.Vembas[1].Ypos = 0.5;
    s.Vembas[1].Yvec = -2;
    s.Vembas[2].Xpos = 300;
    s.Vembas[2].Ypos = 300;
    s.Vembas[2].Xvec = 3;
    s.Vembas[4].Xpos = 342;
    s.Vembas[4].Ypos = 300;
    PhysStep(s, 1.0);
    ASSERT_EQ(s.Vembas[3].Life, kFalse);
    ASSERT_EQ(s.Vembas[1].Life, kFalse);
    EXPECT_EQ(s.LeftTable[3].Order, 1);
    EXPECT_EQ(s.LeftTable[1].Order, 2);
    EXPECT_EQ(s.LeftTable[3].X, 600.0);
    EXPECT_NEAR(s.LeftTable[3].Y, 200, 1e-12);
    EXPECT_EQ(s.LeftTable[1].Y, 0.0);
    EXPECT_NEAR(s.LeftTable[1].X, 100, 1e-12);
    EXPECT_EQ(s.LeftTable[1].OutY, -1.0);

    ResetMatchDefaults(s);
    for (const LeavePoint& p : s.LeftTable) EXPECT_FALSE(p.Known);
}

TEST(PhysicsMotion, FallWithoutAFinitePathHasNoLeavePoint) {
    MatchState s = Table();
    VembaRecord& v = s.Vembas[2];
    v.Xpos = v.Ypos = 100;
    v.Xvec = std::numeric_limits<double>::infinity();
    MoveVemba(s, v, 1.0);
    EXPECT_EQ(v.Life, kFalse);
    EXPECT_FALSE(s.LeftTable[2].Known);
}

TEST(PhysicsMotion, OtherPieceFallingWaitsInTheTurnList) {
    MatchState s = Table();
    s.CurG = 1;
    s.Vembas[3].Xvec = 5;
    EliminatePiece(s, 3);
    EXPECT_EQ(s.Vembas[3].Life, kFalse);
    EXPECT_EQ(s.Vembas[3].Xpos, -100.0);
    EXPECT_EQ(s.Vembas[3].Ypos, -100.0);
    EXPECT_EQ(s.Vembas[3].Xvec, 0.0);
    EXPECT_EQ(s.TurnSginCount, 1);
    EXPECT_EQ(s.TurnSgin[1], 3);
    EXPECT_EQ(s.SginFlushed, kFalse);
    EXPECT_EQ(s.CurSgin, 0);
    EXPECT_EQ(s.Vembas[1].SginCount, 0);
}

TEST(PhysicsMotion, StrikerFallingAfterTwoOthersIsFollowedByThemLastFirst) {
    MatchState s = Table(5);
    s.CurG = 2;
    s.CurSgin = 1;
    s.WhoSgin[1] = 5;  // fell in an earlier turn
    EliminatePiece(s, 4);  // A
    EliminatePiece(s, 1);  // B
    EliminatePiece(s, 2);  // the striker
    EXPECT_EQ(s.CurSgin, 4);
    EXPECT_EQ(s.WhoSgin[1], 5);
    EXPECT_EQ(s.WhoSgin[2], 2);
    EXPECT_EQ(s.WhoSgin[3], 1);
    EXPECT_EQ(s.WhoSgin[4], 4);
    EXPECT_EQ(s.TurnSginCount, 0);
    EXPECT_EQ(s.SginFlushed, kTrue);
    EXPECT_EQ(s.Vembas[2].SginCount, 1);
    EXPECT_EQ(s.Vembas[1].SginCount, 0);
    EXPECT_EQ(s.Vembas[4].SginCount, 0);
}

TEST(PhysicsMotion, StrikerFallingAloneLeavesTheFlushFlagAsItWas) {
    MatchState s = Table();
    s.CurG = 1;
    s.SginFlushed = kFalse;
    EliminatePiece(s, 1);
    EXPECT_EQ(s.CurSgin, 1);
    EXPECT_EQ(s.WhoSgin[1], 1);
    EXPECT_EQ(s.SginFlushed, kFalse);
}

TEST(PhysicsMotion, FallenPieceStaysParkedAndFallsOnlyOnce) {
    MatchState s = Table();
    s.CurG = 1;
    VembaRecord& v = s.Vembas[3];
    v.Xpos = 599;
    v.Ypos = 200;
    v.Xvec = 5;
    for (int t = 0; t < 5; ++t) PhysStep(s, 1.0);
    EXPECT_EQ(v.Life, kFalse);
    EXPECT_EQ(s.TurnSginCount, 1);
    EXPECT_EQ(v.Xpos, -100.0);
    EXPECT_EQ(v.Ypos, -100.0);
    EXPECT_EQ(v.Xvec, 0.0);
    EXPECT_EQ(v.Yvec, 0.0);
    EXPECT_EQ(v.u, 0.0);
}

TEST(PhysicsMotion, FullEliminationTablesAreNeverWrittenPastTheirEnd) {
    // Counters already at the end (a corrupt state): bookings are dropped
    // rather than written outside the tables.
    MatchState s = Table(8);
    s.CurG = 1;
    s.TurnSginCount = 7;
    for (int k = 1; k <= 7; ++k) s.TurnSgin[k] = static_cast<std::int16_t>(k + 1);
    s.CurSgin = 8;
    EliminatePiece(s, 2);
    EXPECT_EQ(s.TurnSginCount, 7);
    EliminatePiece(s, 1);
    EXPECT_EQ(s.CurSgin, 8);
    EXPECT_EQ(s.TurnSginCount, 0);
    EliminatePiece(s, 0);
    EliminatePiece(s, 17);
    EliminatePiece(s, -3);
}

TEST(PhysicsMotion, TrialMoveOverTheEdgeEliminatesBeforeTheTickIsSubdivided) {
    // Piece 1 would leave only at the end of the whole tick; pieces 2 and 3
    // touch during it. The search over the whole tick already takes piece 1
    // off, although it moved only a copy and the tick is then halved.
    MatchState s = Table(3);
    s.CurG = 2;
    VembaRecord& p1 = s.Vembas[1];
    p1.Xpos = 599.5;
    p1.Ypos = 50;
    p1.Xvec = 1;
    s.Vembas[2].Xpos = 200;
    s.Vembas[2].Ypos = 200;
    s.Vembas[2].Xvec = 5;
    s.Vembas[3].Xpos = 243;
    s.Vembas[3].Ypos = 200;
    const ContactRec c = FindContact(s, 1.0);
    EXPECT_EQ(c.First, 2);
    EXPECT_EQ(c.Second, 3);
    EXPECT_EQ(p1.Life, kFalse);
    EXPECT_EQ(s.TurnSginCount, 1);
    EXPECT_EQ(s.TurnSgin[1], 1);
}

TEST(PhysicsMotion, StrikeGivesATenthOfThePowerWhateverTheMass) {
    MatchState s = Table();
    VembaRecord& v = s.Vembas[1];
    v.Xpos = v.Ypos = 100;
    v.RM = 500;
    // Touch point on the rim straight below the centre, pushing up (+y):
    // the lever is parallel to the push, so no turn.
    Segment seg{100, 80, 100, 80 + 60};
    std::int16_t power = 60;
    StrikeVemba(v, seg, power);
    EXPECT_EQ(v.Xvec, 0.0);
    EXPECT_NEAR(v.Yvec, 6.0, 1e-12);
    EXPECT_EQ(v.u, 0.0);
    // The segment now holds the direction for the replay recorder.
    EXPECT_EQ(seg.X1, 100.0);
    EXPECT_EQ(seg.Y1, 80.0);
    EXPECT_EQ(seg.X2, 0.0);
    EXPECT_EQ(seg.Y2, 60.0);
}

TEST(PhysicsMotion, OffCentreStrikeTurnsByTheSineOfTheLeverAngle) {
    MatchState s = Table();
    VembaRecord& v = s.Vembas[1];
    v.Xpos = v.Ypos = 100;
    // Touch point left of the centre, push along +y: lever (20, 0) and push
    // at right angles, sine 1; u drops by 0.01 * power.
    Segment seg{80, 100, 80, 150};
    std::int16_t power = 50;
    StrikeVemba(v, seg, power);
    EXPECT_NEAR(v.u, 0.5, 1e-12);  // r.y*dX - r.x*dY = 0 - 20*50 < 0, so u rises
    // The lever's length does not matter, only its direction.
    VembaRecord w = s.Vembas[2];
    w.Xpos = w.Ypos = 100;
    Segment near{95, 100, 95, 150};
    StrikeVemba(w, near, power);
    EXPECT_NEAR(w.u, v.u, 1e-12);
}

TEST(PhysicsMotion, VectorStrikeGivesTheSameBitsAsTheSegmentStrike) {
    MatchState s = Table();
    VembaRecord a = s.Vembas[1];
    a.Xpos = 123.25;
    a.Ypos = 77.5;
    a.u = 0.01;
    VembaRecord b = a;
    Segment seg{a.Xpos + 13.1, a.Ypos - 15.2, a.Xpos + 13.1 + 47.3, a.Ypos - 15.2 + 81.9};
    std::int16_t power = 94;
    StrikeVemba(a, seg, power);
    StrikeVembaVector(b, seg.X1, seg.Y1, seg.X2, seg.Y2, power);
    EXPECT_EQ(a.Xvec, b.Xvec);
    EXPECT_EQ(a.Yvec, b.Yvec);
    EXPECT_EQ(a.u, b.u);
}

TEST(PhysicsMotion, StrikeMovesNeitherObstaclesWallsNorFallenPieces) {
    MatchState s = Table(2);
    ref::PlaceObstacles(s);
    ref::PlaceWalls(s, 1, 0);
    s.Vembas[2].Life = kFalse;
    for (int k : {2, 3, 7}) {
        VembaRecord& v = s.Vembas[k];
        const VembaRecord before = v;
        Segment seg{v.Xpos - 20, v.Ypos, v.Xpos + 30, v.Ypos + 3};
        std::int16_t power = 100;
        StrikeVemba(v, seg, power);
        StrikeVembaVector(v, v.Xpos - 20, v.Ypos, 50, 3, power);
        EXPECT_EQ(v.Xvec, before.Xvec) << k;
        EXPECT_EQ(v.Yvec, before.Yvec) << k;
        EXPECT_EQ(v.u, before.u) << k;
        EXPECT_EQ(seg.X2, before.Xpos + 30) << k;  // the segment is not touched either
    }
}

TEST(PhysicsMotion, DegenerateStrikeGivesNoNaN) {
    // A zero-length direction (a corrupt replay step) pushes nothing; a touch
    // point on the centre pushes without turning.
    MatchState s = Table();
    VembaRecord& v = s.Vembas[1];
    v.Xpos = v.Ypos = 100;
    StrikeVembaVector(v, 80, 100, 0, 0, 100);
    StrikeVembaVector(v, 80, 100, std::nan(""), 1, 100);
    EXPECT_EQ(v.Xvec, 0.0);
    EXPECT_EQ(v.Yvec, 0.0);
    EXPECT_EQ(v.u, 0.0);
    Segment seg{100, 100, 130, 140};
    std::int16_t power = 50;
    StrikeVemba(v, seg, power);
    EXPECT_NEAR(v.Xvec, 3.0, 1e-12);
    EXPECT_NEAR(v.Yvec, 4.0, 1e-12);
    EXPECT_EQ(v.u, 0.0);
}

}  // namespace
}  // namespace zel
