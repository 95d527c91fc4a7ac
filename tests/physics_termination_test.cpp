// Every tick ends, whatever the table looks like: stacked and sunk pieces,
// pieces outside the table, absurd speeds, corrupt records.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "core/MatchState.h"
#include "physics/Contact.h"
#include "physics/Motion.h"
#include "physics/PhysStep.h"
#include "physics/StepLimits.h"
#include "reference/TableSetup.h"

namespace zel {
namespace {

// A piece on the table has a finite position inside the table; a fallen one
// is parked at (-100, -100) at rest.
void ExpectSane(const MatchState& s, const char* what, int n) {
    for (int k = 1; k <= s.Num; ++k) {
        const VembaRecord& v = s.Vembas[k];
        if (IsSet(v.Life)) {
            ASSERT_TRUE(std::isfinite(v.Xpos) && std::isfinite(v.Ypos)) << what << " " << n << " piece " << k;
            if (v.RMod != kObstacleModel && v.RMod != kWallModel) {
                ASSERT_GE(v.Xpos, 0) << what << " " << n << " piece " << k;
                ASSERT_LE(v.Xpos, s.MaxX) << what << " " << n << " piece " << k;
                ASSERT_GE(v.Ypos, 0) << what << " " << n << " piece " << k;
                ASSERT_LE(v.Ypos, s.MaxY) << what << " " << n << " piece " << k;
            }
        } else {
            ASSERT_EQ(v.Xpos, -100.0);
            ASSERT_EQ(v.Ypos, -100.0);
            ASSERT_EQ(v.Xvec, 0.0);
            ASSERT_EQ(v.Yvec, 0.0);
        }
    }
}

TEST(PhysicsTermination, AbsurdTablesFinishEveryTick) {
    std::mt19937_64 rng(20240611);
    auto real = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    auto integer = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const double speeds[] = {0, 1, 10, 100, 1e4, 1e9, 1e300};
    for (int n = 0; n < 100; ++n) {
        const std::int16_t num = static_cast<std::int16_t>(integer(2, 8));
        MatchState s = ref::NewTable(num, static_cast<std::int16_t>(integer(60, 800)),
                                     static_cast<std::int16_t>(integer(60, 600)));
        s.Ftr = 0.01 * integer(0, 3);
        if (integer(0, 1)) ref::PlaceObstacles(s, real(0, 100));
        ref::PlaceWalls(s, integer(0, 2), static_cast<std::int16_t>(integer(0, 1)));
        s.CurG = static_cast<std::int16_t>(integer(1, num));
        const double cx = real(0, s.MaxX), cy = real(0, s.MaxY);
        for (int k = 1; k <= num; ++k) {
            VembaRecord& v = s.Vembas[k];
            v.RMod = static_cast<std::int16_t>(integer(0, 4));
            v.RM = static_cast<std::int16_t>(integer(1, 1000));
            switch (integer(0, 3)) {
                case 0:  // piled up on one spot, often exactly
                    v.Xpos = cx + (integer(0, 1) ? 0 : real(-10, 10));
                    v.Ypos = cy + (integer(0, 1) ? 0 : real(-10, 10));
                    break;
                case 1:  // on an edge, where a wall may stand
                    v.Xpos = integer(0, 1) ? 0 : s.MaxX;
                    v.Ypos = real(0, s.MaxY);
                    break;
                case 2:  // anywhere, also off the table
                    v.Xpos = real(-100, s.MaxX + 100.0);
                    v.Ypos = real(-100, s.MaxY + 100.0);
                    break;
                default:
                    break;
            }
            const double speed = speeds[integer(0, 6)];
            const double dir = real(-4, 4);
            v.Xvec = speed * std::cos(dir);
            v.Yvec = speed * std::sin(dir);
            v.u = real(-1, 1) * speeds[integer(0, 4)];
            v.Phi = real(-100, 100);
        }
        for (int t = 0; t < 3; ++t) {
            PhysStep(s, 1.0);
            ExpectSane(s, "table", n);
        }
    }
}

TEST(PhysicsTermination, NarrowCrowdedTableSeparatesWithoutWildSpeed) {
    // 201 high with eight participants: pieces 1 and 5 (and 3 and 7) start
    // 37 apart with an outer radius of 20.
    MatchState s = ref::NewTable(8, 600, 201);
    for (int k = 1; k <= 8; ++k) s.Vembas[k].RMod = 3;
    ASSERT_NEAR(Hypot(s.Vembas[1].Xpos - s.Vembas[5].Xpos, s.Vembas[1].Ypos - s.Vembas[5].Ypos), 37, 1e-9);
    s.CurG = 2;
    Segment seg = ref::StrikeSegment(s.Vembas[2], 20, 0, ref::AimTowards(s.Vembas[2], 300, 100), 60);
    std::int16_t power = 60;
    StrikeVemba(s.Vembas[2], seg, power);
    double fastest = 0;
    int ticks = 0;
    for (; ticks < 3000; ++ticks) {
        PhysStep(s, 1.0);
        ExpectSane(s, "tick", ticks);
        for (int k : {1, 3, 5, 7}) fastest = std::fmax(fastest, Hypot(s.Vembas[k].Xvec, s.Vembas[k].Yvec));
        bool rest = true;
        for (int k = 1; k <= 8; ++k)
            rest = rest && s.Vembas[k].Xvec == 0 && s.Vembas[k].Yvec == 0 && s.Vembas[k].u == 0;
        if (rest) break;
    }
    EXPECT_LT(ticks, 3000);
    EXPECT_LT(fastest, 1.0);  // a few pushes of 0.1, not the speed a step of 1e-7 would ask
    EXPECT_GT(Hypot(s.Vembas[1].Xpos - s.Vembas[5].Xpos, s.Vembas[1].Ypos - s.Vembas[5].Ypos), 37.5);
}

TEST(PhysicsTermination, PieceSunkIntoAWallComesOutSlowly) {
    MatchState s = ref::NewTable(2);
    ref::PlaceWalls(s, 2, 0);
    s.Vembas[1].RMod = 1;
    s.Vembas[1].Xpos = 0;  // centre on the rim: still on the table
    s.Vembas[1].Ypos = 200;
    for (int t = 0; t < 100; ++t) {
        PhysStep(s, 1.0);
        ExpectSane(s, "tick", t);
        ASSERT_LT(Hypot(s.Vembas[1].Xvec, s.Vembas[1].Yvec), 1.0);
    }
    EXPECT_EQ(s.Vembas[1].Life, kTrue);
    EXPECT_GT(s.Vembas[1].Xpos, 0.0);
}

TEST(PhysicsTermination, HeavyPiecesPushingEachOtherFinishTheirTicks) {
    // A heavy piece driving another ahead of it meets it again in sub-step
    // after sub-step; the tick still ends.
    MatchState s = ref::NewTable(2);
    for (int k = 1; k <= 2; ++k) {
        s.Vembas[k].RMod = 2;
        s.Vembas[k].RM = 1000;
        s.Vembas[k].Phi = 0.3;
    }
    s.Vembas[1].Xpos = 200;
    s.Vembas[1].Ypos = 200;
    s.Vembas[1].Xvec = 4;
    s.Vembas[1].u = 0.05;
    s.Vembas[2].Xpos = 241;
    s.Vembas[2].Ypos = 205;
    for (int t = 0; t < 60; ++t) {
        PhysStep(s, 1.0);
        ExpectSane(s, "tick", t);
    }
}

TEST(PhysicsTermination, TickWorkStaysWithinTheLimitsOfTheHeaviestEditableMass) {
    // A corrupt saved game may carry masses far beyond what the piece
    // editor allows; the tick's work must not grow with them. Heavy pieces
    // piled up and driven into each other and the walls.
    const TickBudget most = TickBudget::ForHeaviestMass(1000);
    MatchState s = ref::NewTable(8);
    ref::PlaceObstacles(s);
    ref::PlaceWalls(s, 2, 0);
    for (int k = 1; k <= 8; ++k) {
        VembaRecord& v = s.Vembas[k];
        v.RMod = static_cast<std::int16_t>(k % 4);
        v.RM = k == 3 ? std::int16_t{-7} : std::int16_t{32767};
        v.Xpos = 560 + k;
        v.Ypos = 200 + 3 * k;
        v.Xvec = k % 2 ? 10 : -10;
        v.Phi = k;
    }
    for (int t = 0; t < 5; ++t) {
        const TickBudget work = PhysStepMeasured(s, 1.0);
        EXPECT_EQ(work.searchLimit, most.searchLimit);
        EXPECT_EQ(work.resolutionLimit, most.resolutionLimit);
        EXPECT_LE(work.searches, most.searchLimit) << "tick " << t;
        EXPECT_LE(work.resolutions, most.resolutionLimit) << "tick " << t;
        EXPECT_LE(work.volleys, kTickVolleyBudget) << "tick " << t;
        ExpectSane(s, "tick", t);
    }
}

TEST(PhysicsTermination, StepThatIsNotAFiniteTimeDoesNothing) {
    MatchState s = ref::NewTable(2);
    s.Vembas[1].Xvec = 3;
    const double x = s.Vembas[1].Xpos;
    PhysStep(s, std::numeric_limits<double>::infinity());
    PhysStep(s, std::nan(""));
    EXPECT_EQ(s.Vembas[1].Xpos, x);
    EXPECT_EQ(s.Vembas[1].Xvec, 3.0);
}

bool AllAtRest(const MatchState& s) {
    for (int k = 1; k <= s.Num; ++k) {
        const VembaRecord& v = s.Vembas[k];
        if (v.Xvec != 0 || v.Yvec != 0 || v.u != 0) return false;
    }
    return true;
}

TEST(PhysicsTermination, CorruptRecordsStillComeToRest) {
    MatchState s = ref::NewTable(8);
    ref::PlaceObstacles(s);
    ref::PlaceWalls(s, 2, 0);
    s.Vembas[1].RMod = 99;
    s.Vembas[2].RMod = -4;
    s.Vembas[3].Number = 0;
    s.Vembas[4].Number = 300;
    s.Vembas[5].Number = 6;  // falls in the name of another record
    s.Vembas[5].Xvec = 500;
    s.Vembas[6].RM = -7;
    s.Vembas[7].Xvec = 40;
    s.Vembas[7].Xpos = s.Vembas[8].Xpos - 41;
    s.Vembas[7].Ypos = s.Vembas[8].Ypos;
    s.Shapes[0].Count = 300;
    s.NumPipa = 40;
    // Contacts and walls only take speed away, so no table may need longer
    // than friction alone needs to stop its fastest piece: the turn of a
    // corrupt saved game ends like any other.
    const double fastest = s.Vembas[5].Xvec;
    const int bound = static_cast<int>(std::ceil(fastest / (2 * s.Ftr)));
    int ticks = 0;
    for (; ticks < bound && !AllAtRest(s); ++ticks) {
        PhysStep(s, 1.0);
        ExpectSane(s, "tick", ticks);
    }
    EXPECT_TRUE(AllAtRest(s)) << "still moving after " << ticks << " ticks";
}

TEST(PhysicsTermination, ParticipantCountOutsideTheTableMovesNoObstacleOrWall) {
    MatchState s = ref::NewTable(4);
    ref::PlaceObstacles(s);
    ref::PlaceWalls(s, 2, 0);
    for (int k = 1; k <= kRecordCount; ++k) s.Vembas[k].Xvec = 3;  // even the fixtures
    const int firstFixture = s.Num + 1, lastFixture = s.Num + 4 + 2;  // four posts, two walls
    const MatchState before = s;
    s.Num = 100;  // counts every record as a participant
    PhysStep(s, 1.0);
    for (int k = firstFixture; k <= lastFixture; ++k) {
        EXPECT_EQ(s.Vembas[k].Xpos, before.Vembas[k].Xpos) << "record " << k;
        EXPECT_EQ(s.Vembas[k].Ypos, before.Vembas[k].Ypos) << "record " << k;
    }
    EXPECT_NE(s.Vembas[1].Xpos, before.Vembas[1].Xpos);  // the pieces did move

    s.Num = -3;  // nobody at all
    const MatchState still = s;
    PhysStep(s, 1.0);
    for (int k = 1; k <= kRecordCount; ++k) {
        EXPECT_EQ(s.Vembas[k].Xpos, still.Vembas[k].Xpos) << "record " << k;
        EXPECT_EQ(s.Vembas[k].Ypos, still.Vembas[k].Ypos) << "record " << k;
        EXPECT_EQ(s.Vembas[k].Xvec, still.Vembas[k].Xvec) << "record " << k;
    }
}

}  // namespace
}  // namespace zel
