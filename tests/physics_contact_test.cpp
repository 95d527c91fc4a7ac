// Shapes, the pair search and the contact response.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

#include "core/MatchState.h"
#include "physics/Contact.h"
#include "physics/Motion.h"
#include "physics/PhysStep.h"
#include "physics/Shapes.h"
#include "physics/StepLimits.h"
#include "reference/ReferencePhysics.h"
#include "reference/TableSetup.h"

namespace zel {
namespace {

constexpr double kFinest = 1.0 / (1 << 24);  // the sub-step a contact is resolved in

std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v); }

MatchState Table(std::int16_t num = 4, std::int16_t model = 3) {
    MatchState s = ref::NewTable(num);
    for (int k = 1; k <= num; ++k) s.Vembas[k].RMod = model;
    return s;
}

void Put(VembaRecord& v, double x, double y, double xvec = 0, double yvec = 0) {
    v.Xpos = x;
    v.Ypos = y;
    v.Xvec = xvec;
    v.Yvec = yvec;
    v.u = 0;
    v.Phi = 0;
}

TEST(PhysicsContact, ShapeFractionsAreFifthsExceptTheBodyColumn) {
    const ShapeTable t = InitShapes(20, 14, 11);
    const int counts[kModelCount] = {2, 19, 17, 1, 0, 1, 1};
    for (int m = 0; m < kModelCount; ++m) EXPECT_EQ(t[m].Count, counts[m]) << m;
    // Fins: k * 14 / 5.0, which is not 14 * 0.2 in binary.
    EXPECT_EQ(Bits(t[1].Circles[12].X), Bits(-(14 / 5.0)));
    EXPECT_EQ(Bits(t[1].Circles[12].Rad), Bits(56 / 5.0));
    EXPECT_NE(Bits(t[1].Circles[16].X), Bits(14 * 0.2));
    EXPECT_EQ(Bits(t[1].Circles[19].Y), Bits(56 / 5.0));
    // The body column: 14 times the decimal factor, which is not 98 / 10.0.
    EXPECT_EQ(Bits(t[1].Circles[4].Y), Bits(-(14 * 0.7)));
    EXPECT_NE(Bits(t[1].Circles[4].Y), Bits(-9.8));
    EXPECT_EQ(t[1].Circles[11].Y, 0.0);
    EXPECT_EQ(t[2].Circles[13].X, -16.0);
    EXPECT_EQ(t[2].Circles[13].Y, -16.0);
    EXPECT_EQ(t[2].Circles[13].Rad, 4.0);
    EXPECT_EQ(t[5].Circles[1].Rad, 11.0);
    EXPECT_EQ(t[6].Circles[1].Rad, 1000000.0);

    const ShapeTable r = ref::InitShapes(20, 14, 11);
    for (int m = 0; m < kModelCount; ++m)
        for (int k = 0; k < 20; ++k) {
            EXPECT_EQ(Bits(t[m].Circles[k].X), Bits(r[m].Circles[k].X)) << m << "/" << k;
            EXPECT_EQ(Bits(t[m].Circles[k].Y), Bits(r[m].Circles[k].Y)) << m << "/" << k;
            EXPECT_EQ(Bits(t[m].Circles[k].Rad), Bits(r[m].Circles[k].Rad)) << m << "/" << k;
        }
}

TEST(PhysicsContact, WorldCirclesTurnWithTheHeading) {
    MatchState s = Table(2, 0);
    VembaRecord& v = s.Vembas[1];
    Put(v, 100, 200);
    v.Phi = s.Pi / 2;
    const Circle tail = GetWorldCircle(s, v, 2);  // (0, -14) at heading 0
    EXPECT_NEAR(tail.X, 114, 1e-12);
    EXPECT_NEAR(tail.Y, 200, 1e-12);
    EXPECT_EQ(tail.Rad, 14.0);
    EXPECT_EQ(GetWorldCircle(s, v, 3).Rad, 0.0);  // a slot the model lacks
    v.RMod = 42;  // a model outside the table has no circles
    EXPECT_EQ(ShapeCircleCount(s, v), 0);
}

TEST(PhysicsContact, DiscsExactlyFortyApartDoNotTouch) {
    MatchState s = Table(2);
    Put(s.Vembas[1], 100, 100);
    Put(s.Vembas[2], 140, 100);
    EXPECT_EQ(VembasTouch(s, s.Vembas[1], s.Vembas[2]).FirstCircle, -1);
    Put(s.Vembas[2], 139.999, 100);
    const TouchPair t = VembasTouch(s, s.Vembas[1], s.Vembas[2]);
    EXPECT_EQ(t.FirstCircle, 1);
    EXPECT_EQ(t.SecondCircle, 1);
    s.Vembas[2].Life = kFalse;  // a fallen piece never touches anything
    EXPECT_EQ(VembasTouch(s, s.Vembas[1], s.Vembas[2]).FirstCircle, -1);
}

TEST(PhysicsContact, FirstSlotPairInOrderWins) {
    // Model 1 against a disc that covers its tail and body: slot 1 of the
    // first body (the tail end of the column) is reported first.
    MatchState s = Table(2, 1);
    Put(s.Vembas[1], 100, 100);
    s.Vembas[2].RMod = 3;
    Put(s.Vembas[2], 100, 80);
    const TouchPair t = VembasTouch(s, s.Vembas[1], s.Vembas[2]);
    EXPECT_EQ(t.FirstCircle, 1);
    EXPECT_EQ(t.SecondCircle, 1);
}

// Two discs on the x axis, the first closing on the second; the gap is a
// multiple of the finest sub-step so that the number of separation volleys
// is known: the relative speed drops by 0.1/m1 + 0.1/m2 per volley and the
// loop stops once speed * dt no longer closes the gap.
MatchState ClosingPair(double speed, double gapInSteps, std::int16_t m1, std::int16_t m2) {
    MatchState s = Table(2);
    s.Vembas[1].RM = m1;
    s.Vembas[2].RM = m2;
    Put(s.Vembas[1], 200, 200, speed, 0);
    Put(s.Vembas[2], 240 + gapInSteps * kFinest, 200);
    return s;
}

TEST(PhysicsContact, EachBodyGetsTwiceCountPlusOnePushes) {
    {
        MatchState s = ClosingPair(2.0, 1.9, 1, 1);  // one volley brings 2.0 to 1.8
        ContactRec c{1, 2, 1, 1};
        EXPECT_EQ(ResolveContact(s, kFinest, c, kMaxSeparationVolleys), 1);
        EXPECT_NEAR(s.Vembas[1].Xvec, 2.0 - 3 * 0.1, 1e-12);
        EXPECT_NEAR(s.Vembas[2].Xvec, 3 * 0.1, 1e-12);
        EXPECT_EQ(s.Vembas[1].Yvec, 0.0);
        EXPECT_EQ(s.Vembas[2].u, 0.0);  // pushes through a disc's centre do not turn it
    }
    {
        MatchState s = ClosingPair(2.0, 1.5, 1, 1);  // 2.0 -> 1.8 -> 1.6 -> 1.4
        ContactRec c{1, 2, 1, 1};
        EXPECT_EQ(ResolveContact(s, kFinest, c, kMaxSeparationVolleys), 3);
        EXPECT_NEAR(s.Vembas[1].Xvec, 2.0 - 7 * 0.1, 1e-12);
        EXPECT_NEAR(s.Vembas[2].Xvec, 7 * 0.1, 1e-12);
    }
}

TEST(PhysicsContact, HeavyPieceTakesAThirdOfTheImpulseOfALightOne) {
    MatchState s = ClosingPair(2.0, 1.9, 3, 1);  // relative speed drops by 0.1/3 + 0.1
    ContactRec c{1, 2, 1, 1};
    EXPECT_EQ(ResolveContact(s, kFinest, c, kMaxSeparationVolleys), 1);
    EXPECT_NEAR(s.Vembas[1].Xvec, 2.0 - 3 * (0.1 / 3), 1e-12);
    EXPECT_NEAR(s.Vembas[2].Xvec, 3 * 0.1, 1e-12);
    // Momentum along the line of centres is kept between movable bodies.
    EXPECT_NEAR(3 * s.Vembas[1].Xvec + s.Vembas[2].Xvec, 3 * 2.0, 1e-12);
}

TEST(PhysicsContact, EveryPushOfAVolleyGetsItsOwnSegment) {
    // A contact along a diagonal, away from the origin: a push that read the
    // previous push's rewritten segment would go off in another direction.
    MatchState s = Table(2);
    const double d = 40 / std::sqrt(2.0) + 2 * kFinest;
    Put(s.Vembas[1], 300, 150, 1.5, 1.5);
    Put(s.Vembas[2], 300 + d, 150 + d);
    ContactRec c{1, 2, 1, 1};
    const std::int32_t count = ResolveContact(s, kFinest, c, kMaxSeparationVolleys);
    ASSERT_GE(count, 1);
    const double each = (2 * count + 1) * 0.1 / std::sqrt(2.0);
    EXPECT_NEAR(s.Vembas[2].Xvec, each, 1e-12);
    EXPECT_NEAR(s.Vembas[2].Yvec, each, 1e-12);
    EXPECT_NEAR(s.Vembas[1].Xvec, 1.5 - each, 1e-12);
    EXPECT_NEAR(s.Vembas[1].Yvec, 1.5 - each, 1e-12);
}

TEST(PhysicsContact, DiscDrivenAtAWallBouncesStraightBack) {
    MatchState s = Table(2);
    ref::PlaceWalls(s, 1, 0);  // along x = 0
    VembaRecord& v = s.Vembas[1];
    Put(v, 60, 200, -8, 0);
    const VembaRecord wall = s.Vembas[3];
    double closest = v.Xpos;
    for (int t = 0; t < 12; ++t) {
        PhysStep(s, 1.0);
        closest = std::fmin(closest, v.Xpos);
    }
    // It stopped at the rim (the wall's circle is a million units across,
    // so allow its rounding) and came back, along x only, without a turn.
    EXPECT_GE(closest, 20 - 1e-6);
    EXPECT_LT(closest, 28.0);
    EXPECT_GE(v.Xvec, 0.0);
    EXPECT_GT(v.Xpos, closest);
    EXPECT_EQ(v.Yvec, 0.0);
    EXPECT_EQ(v.u, 0.0);
    EXPECT_EQ(v.Life, kTrue);
    EXPECT_EQ(s.Vembas[3].Xpos, wall.Xpos);
    EXPECT_EQ(s.Vembas[3].Ypos, wall.Ypos);
    EXPECT_EQ(s.Vembas[3].Xvec, 0.0);
}

TEST(PhysicsContact, WallsAlongTheLongSidesBounceAndTheShortSidesDrop) {
    MatchState s = Table(3);
    ref::PlaceWalls(s, 2, 1);  // along y = 0 and y = MaxY
    Put(s.Vembas[1], 300, 40, 0, -8);
    Put(s.Vembas[2], 30, 200, -8, 0);
    Put(s.Vembas[3], 300, 360, 0, 8);
    for (int t = 0; t < 15; ++t) PhysStep(s, 1.0);
    EXPECT_EQ(s.Vembas[1].Life, kTrue);
    EXPECT_GE(s.Vembas[1].Ypos, 20 - 1e-6);
    EXPECT_GE(s.Vembas[1].Yvec, 0.0);
    EXPECT_EQ(s.Vembas[2].Life, kFalse);
    EXPECT_EQ(s.Vembas[3].Life, kTrue);
    EXPECT_LE(s.Vembas[3].Ypos, 380 + 1e-6);
    EXPECT_LE(s.Vembas[3].Yvec, 0.0);
}

TEST(PhysicsContact, SearchCoversObstaclesAndWallsOnlyWhenSwitchedOn) {
    MatchState s = Table(2);
    Put(s.Vembas[1], 100, 100);
    Put(s.Vembas[2], 400, 300);
    // Records 3..6 hold obstacles, but with Pipa off they are not bodies.
    ref::PlaceObstacles(s);
    s.Pipa = kFalse;
    s.NumPipa = 0;
    Put(s.Vembas[1], 80, 105);  // sunk into the first obstacle position
    EXPECT_EQ(FindContact(s, 1.0).First, -1);
    ref::PlaceObstacles(s);
    const ContactRec c = FindContact(s, 1.0);
    EXPECT_EQ(c.First, 1);
    EXPECT_EQ(c.Second, 3);

    MatchState w = Table(2);
    Put(w.Vembas[1], 10, 100);
    Put(w.Vembas[2], 400, 300);
    w.Vembas[3].RMod = kWallModel;
    Put(w.Vembas[3], -1000000, 200);
    EXPECT_EQ(FindContact(w, 1.0).First, -1);  // Border off: record 3 is no body
    ref::PlaceWalls(w, 1, 0);
    EXPECT_EQ(FindContact(w, 1.0).Second, 3);
}

TEST(PhysicsContact, TwoContactsInOneStepGoLowestPairFirst) {
    MatchState s = Table(5);
    Put(s.Vembas[1], 100, 100, 3, 0);
    Put(s.Vembas[5], 142, 100);
    Put(s.Vembas[2], 300, 300, 3, 0);
    Put(s.Vembas[3], 341, 300);
    Put(s.Vembas[4], 500, 50);
    const ContactRec c = FindContact(s, 1.0);
    EXPECT_EQ(c.First, 1);
    EXPECT_EQ(c.Second, 5);
}

TEST(PhysicsContact, ImmovableBodiesNeverFormAContact) {
    MatchState s = Table(2);
    ref::PlaceObstacles(s, 5);  // obstacles 5 units in: they overlap the wall
    ref::PlaceWalls(s, 2, 0);
    Put(s.Vembas[1], 300, 100);
    Put(s.Vembas[2], 300, 300);
    EXPECT_EQ(FindContact(s, 1.0).First, -1);
    EXPECT_EQ(TestPair(s, 3, 7, 1.0).FirstCircle, -1);
    PhysStep(s, 1.0);
}

TEST(PhysicsContact, FallenBodiesTakeNoPushAndNoResolution) {
    MatchState s = Table(2);
    Put(s.Vembas[1], 100, 100, 1, 0);
    Put(s.Vembas[2], 139, 100);
    s.Vembas[2].Life = kFalse;
    Segment seg{160, 100, 139, 100};
    PushVemba(s.Vembas[2], seg);
    EXPECT_EQ(s.Vembas[2].Xvec, 0.0);
    EXPECT_EQ(seg.X2, 139.0);
    EXPECT_EQ(ResolveContact(s, kFinest, ContactRec{1, 2, 1, 1}, 10), 0);
    EXPECT_EQ(s.Vembas[1].Xvec, 1.0);
    // Nonsense contact records are ignored as well.
    EXPECT_EQ(ResolveContact(s, kFinest, ContactRec{1, 99, 1, 1}, 10), 0);
    EXPECT_EQ(ResolveContact(s, kFinest, ContactRec{1, 2, 7, 1}, 10), 0);
    EXPECT_EQ(ResolveContact(s, kFinest, ContactRec{std::nan(""), 2, 1, 1}, 10), 0);
}

TEST(PhysicsContact, PushWithoutLeverOrMassGivesNoNaN) {
    MatchState s = Table(2);
    VembaRecord& v = s.Vembas[1];
    Put(v, 100, 100);
    Segment onCentre{100, 100, 110, 100};  // touch point on the centre: no lever
    PushVemba(v, onCentre);
    EXPECT_NEAR(v.Xvec, 0.1, 1e-15);
    EXPECT_EQ(v.u, 0.0);
    v.RM = 0;  // never set by the game; pushes like mass 1
    Segment again{100, 90, 110, 90};
    PushVemba(v, again);
    EXPECT_NEAR(v.Xvec, 0.2, 1e-15);
    EXPECT_TRUE(std::isfinite(v.u));
}

TEST(PhysicsContact, PairSunkAndMovingApartIsNotAContact) {
    MatchState s = Table(2);
    Put(s.Vembas[1], 100, 100, -0.5, 0);
    Put(s.Vembas[2], 130, 100, 0.5, 0);
    EXPECT_TRUE(OverlapDriftingApart(s, 1, 2, 1, 1));
    EXPECT_EQ(FindContact(s, 1.0).First, -1);
    // At rest the same pair is a contact, and its response stops as soon as
    // the bodies move apart: one volley, three pushes, no wild speed.
    s.Vembas[1].Xvec = 0;
    s.Vembas[2].Xvec = 0;
    const ContactRec c = FindContact(s, 1.0);
    ASSERT_EQ(c.First, 1);
    EXPECT_EQ(ResolveContact(s, kFinest, c, kMaxSeparationVolleys), 1);
    EXPECT_NEAR(s.Vembas[1].Xvec, -0.3, 1e-12);
    EXPECT_NEAR(s.Vembas[2].Xvec, 0.3, 1e-12);
}

TEST(PhysicsContact, StackedDiscsArePushedApartAlongX) {
    MatchState s = Table(2);
    Put(s.Vembas[1], 100, 100);
    Put(s.Vembas[2], 100, 100);
    EXPECT_EQ(ResolveContact(s, kFinest, ContactRec{1, 2, 1, 1}, kMaxSeparationVolleys), 1);
    EXPECT_NEAR(s.Vembas[1].Xvec, -0.3, 1e-12);
    EXPECT_NEAR(s.Vembas[2].Xvec, 0.3, 1e-12);
    EXPECT_EQ(s.Vembas[1].Yvec, 0.0);
}

TEST(PhysicsContact, SeparationLoopStopsAtItsCap) {
    // A mass-1000 disc sunk into a wall and driven into it: far more volleys
    // than the cap would be needed to turn it round.
    MatchState s = Table(2);
    ref::PlaceWalls(s, 1, 0);
    Put(s.Vembas[1], 10, 200, -1000, 0);
    s.Vembas[1].RM = 1000;
    EXPECT_EQ(ResolveContact(s, kFinest, ContactRec{1, 3, 1, 1}, 500), 500);
    EXPECT_NEAR(s.Vembas[1].Xvec, -1000 + 1001 * 0.1 / 1000, 1e-9);
}

// ---------------------------------------------------------- heavy contacts

// Number of pairs of bodies on the table whose shapes overlap.
int OverlappingPairs(const MatchState& s) {
    const int n = BodyCount(s);
    int pairs = 0;
    for (int i = 1; i < n; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (VembasTouch(s, s.Vembas[i], s.Vembas[j]).FirstCircle != -1) ++pairs;
    return pairs;
}

// Runs `ticks` ticks and requires of every one that it ends with no bodies
// sunk into each other and that its contacts were all resolved by the
// contact response itself, not cut short by the tick's work limits.
void ExpectHeavyTicksResolve(MatchState s, int ticks, const char* what) {
    ASSERT_EQ(OverlappingPairs(s), 0) << what << ": the table starts overlapped";
    int contacts = 0;
    for (int t = 0; t < ticks; ++t) {
        const TickBudget work = PhysStepMeasured(s, 1.0);
        contacts += work.resolutions;
        ASSERT_FALSE(work.Exhausted()) << what << ", tick " << t << ": " << work.resolutions << " contacts, "
                                       << work.searches << " searches, " << work.volleys << " volleys";
        ASSERT_EQ(OverlappingPairs(s), 0) << what << ", tick " << t;
    }
    EXPECT_GT(contacts, 0) << what << ": nothing met";
}

// Full strike power: 100 * 0.1 table units per tick.
constexpr double kStrikeSpeed = 10;

TEST(PhysicsContact, HeavyPieceDrivenIntoAWallStaysOutOfIt) {
    for (std::int16_t model = 0; model <= 3; ++model) {
        MatchState s = Table(2, model);
        ref::PlaceWalls(s, 2, 0);
        for (int k = 1; k <= 2; ++k) s.Vembas[k].RM = 1000;
        Put(s.Vembas[1], 500, 200, kStrikeSpeed, 0);
        Put(s.Vembas[2], 100, 200);
        s.Vembas[1].Phi = 2.35619;  // a slanted shape lands on the wall off its centre and turns
        ExpectHeavyTicksResolve(s, 40, ("model " + std::to_string(model)).c_str());
    }
}

TEST(PhysicsContact, HeavyPiecesDrivenIntoEachOtherAgainstAWallStayApart) {
    for (std::int16_t model = 0; model <= 3; ++model) {
        for (std::int16_t front : {1000, 1}) {  // the piece at the wall: heavy, or light and squeezed
            MatchState s = Table(2, model);
            ref::PlaceWalls(s, 2, 0);
            s.Vembas[1].RM = 1000;
            s.Vembas[2].RM = front;
            Put(s.Vembas[1], 480, 200, kStrikeSpeed, 0);
            Put(s.Vembas[2], 600 - 20.5, 200);
            ExpectHeavyTicksResolve(s, 40,
                                    ("model " + std::to_string(model) + ", front mass " + std::to_string(front)).c_str());
        }
        MatchState s = Table(2, model);  // head on, in the open
        for (int k = 1; k <= 2; ++k) s.Vembas[k].RM = 1000;
        Put(s.Vembas[1], 200, 200, kStrikeSpeed, 0);
        Put(s.Vembas[2], 300, 200, -kStrikeSpeed, 0);
        ExpectHeavyTicksResolve(s, 20, ("head on, model " + std::to_string(model)).c_str());
    }
}

TEST(PhysicsContact, HeavyClusterStruckAtFullSpeedStaysApart) {
    for (std::int16_t model = 0; model <= 3; ++model) {
        {  // a row of seven lying up to the wall, struck from behind
            MatchState s = Table(8, model);
            ref::PlaceWalls(s, 2, 0);
            for (int k = 1; k <= 8; ++k) s.Vembas[k].RM = 1000;
            for (int k = 0; k < 7; ++k) Put(s.Vembas[k + 2], 600 - 24 - k * 44, 200);
            Put(s.Vembas[1], 200, 200, kStrikeSpeed, 0);
            ExpectHeavyTicksResolve(s, 80, ("row, model " + std::to_string(model)).c_str());
        }
        {  // two rows of a pack near the wall, struck into its middle
            MatchState s = Table(8, model);
            ref::PlaceObstacles(s);
            ref::PlaceWalls(s, 2, 0);
            for (int k = 1; k <= 8; ++k) s.Vembas[k].RM = 1000;
            for (int k = 0; k < 7; ++k) Put(s.Vembas[k + 2], 420 + (k % 4) * 44, 175 + (k / 4) * 50);
            Put(s.Vembas[1], 300, 200, kStrikeSpeed, 0);
            ExpectHeavyTicksResolve(s, 80, ("pack, model " + std::to_string(model)).c_str());
        }
    }
}

TEST(PhysicsContact, SearchMatchesThePlainSearchOnItsEliminations) {
    // Pieces 2 and 4 leave the table on trial; pieces 1 and 3 would touch.
    // The plain search tests (1,2), (1,3): it stops there, so piece 4 has
    // not been moved on trial and stays; piece 2 fell.
    MatchState s = Table(4);
    s.CurG = 1;
    Put(s.Vembas[1], 300, 200, 3, 0);
    Put(s.Vembas[2], 599, 50, 5, 0);
    Put(s.Vembas[3], 342, 200);
    Put(s.Vembas[4], 1, 350, -5, 0);
    MatchState r = s;
    const ContactRec c = FindContact(s, 1.0);
    const ContactRec rc = ref::FindContact(r, 1.0);
    EXPECT_EQ(c.First, 1);
    EXPECT_EQ(c.Second, 3);
    EXPECT_EQ(rc.Second, 3);
    EXPECT_EQ(s.Vembas[2].Life, kFalse);
    EXPECT_EQ(s.Vembas[4].Life, kTrue);
    EXPECT_EQ(r.Vembas[4].Life, kTrue);
    EXPECT_EQ(s.TurnSginCount, 1);
}

}  // namespace
}  // namespace zel
