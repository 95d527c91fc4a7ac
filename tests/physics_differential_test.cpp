// The game's physics against the plain transcription, bit for bit: random
// tables, random strikes, a few ticks each, and a few long matches.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>

#include "core/MatchState.h"
#include "physics/Contact.h"
#include "physics/Motion.h"
#include "physics/PhysStep.h"
#include "reference/ReferencePhysics.h"
#include "reference/TableSetup.h"

namespace zel {
namespace {

std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v); }

// Every field the physics can touch, doubles compared as bits, and the
// elimination tables. Returns the first difference, or "" when equal.
std::string FirstDifference(const MatchState& fast, const MatchState& ref) {
    std::ostringstream d;
    for (int k = 1; k <= kRecordCount; ++k) {
        const VembaRecord& a = fast.Vembas[k];
        const VembaRecord& b = ref.Vembas[k];
        const struct {
            const char* name;
            double x, y;
        } doubles[] = {{"Xpos", a.Xpos, b.Xpos}, {"Ypos", a.Ypos, b.Ypos}, {"Reserved", a.Reserved, b.Reserved},
                       {"Xvec", a.Xvec, b.Xvec}, {"Yvec", a.Yvec, b.Yvec}, {"u", a.u, b.u},
                       {"Phi", a.Phi, b.Phi}};
        for (const auto& f : doubles)
            if (Bits(f.x) != Bits(f.y)) {
                d.precision(17);
                d << "record " << k << " " << f.name << ": fast " << f.x << " reference " << f.y;
                return d.str();
            }
        if (a.Life != b.Life || a.SginCount != b.SginCount || a.Number != b.Number || a.RMod != b.RMod ||
            a.RM != b.RM || a.R != b.R) {
            d << "record " << k << " flags, counters or name differ";
            return d.str();
        }
    }
    if (fast.WhoSgin != ref.WhoSgin || fast.CurSgin != ref.CurSgin) return "WhoSgin/CurSgin differ";
    if (fast.TurnSgin != ref.TurnSgin || fast.TurnSginCount != ref.TurnSginCount) return "TurnSgin differ";
    if (fast.SginFlushed != ref.SginFlushed) return "SginFlushed differs";
    return "";
}

bool AllAtRest(const MatchState& s) {
    for (int k = 1; k <= s.Num; ++k) {
        const VembaRecord& v = s.Vembas[k];
        if (v.Xvec != 0 || v.Yvec != 0 || v.u != 0) return false;
    }
    return true;
}

class Scenario {
public:
    explicit Scenario(std::uint64_t seed) : rng_(seed) {}

    double Real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng_); }
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool Chance(double p) { return Real(0, 1) < p; }

    // Masses across 1..1000 with the light end and both extremes well covered.
    std::int16_t Mass() {
        switch (Int(0, 4)) {
            case 0: return 1;
            case 1: return 1000;
            case 2: return static_cast<std::int16_t>(Int(1, 1000));
            default: return static_cast<std::int16_t>(std::lround(std::exp(Real(0, std::log(1000.0)))));
        }
    }

    // Ticks to run this scenario for.
    int Ticks() const { return ticks_; }

    MatchState Build() {
        // Heavy pieces make long separation loops and, pushing each other
        // under friction, many contacts per tick; the plain transcription
        // pays for each with full pair searches, so heavy scenarios use few
        // pieces. Tables that start overlapped run one tick.
        const bool heavy = Chance(0.3);
        const bool overlapped = Chance(0.03);
        ticks_ = overlapped ? 1 : Int(1, 2);
        const int size = Int(0, 19);  // small tables are cheap for the plain search
        const std::int16_t num = static_cast<std::int16_t>(heavy || size < 10 ? Int(2, 3) : (size < 16 ? Int(4, 5) : Int(6, 8)));
        const std::int16_t maxX = static_cast<std::int16_t>(Chance(0.2) ? 600 : Int(200, 800));
        const std::int16_t maxY = static_cast<std::int16_t>(Chance(0.15) ? 201 : Int(150, 600));
        MatchState s = ref::NewTable(num, maxX, maxY);
        s.Ftr = 0.01 * Int(1, 3);
        if (Chance(0.5)) ref::PlaceObstacles(s);
        const int walls = Int(0, 2);
        ref::PlaceWalls(s, walls, static_cast<std::int16_t>(Int(0, 1)));

        // Pieces: the start layout, scattered, or packed around one point
        // so that a few ticks bring contacts.
        const int layout = Chance(0.2) ? 0 : (Chance(0.25) ? 1 : 2);
        const double spread = heavy ? 35 : 55;
        const double cx = Real(60, maxX - 60.0), cy = Real(60, maxY - 60.0);
        for (int k = 1; k <= num; ++k) {
            VembaRecord& v = s.Vembas[k];
            v.RMod = static_cast<std::int16_t>(Int(0, 3));
            v.RM = heavy ? Mass() : static_cast<std::int16_t>(Int(1, 30));
            if (layout == 1) {
                v.Xpos = Real(0, maxX);
                v.Ypos = Real(0, maxY);
            } else if (layout == 2) {
                v.Xpos = cx + Real(-spread, spread);
                v.Ypos = cy + Real(-spread, spread);
            }
            if (layout != 0 || Chance(0.3)) v.Phi = Real(-4, 4);
        }
        // Normal play never starts a step overlapped, but the rule for it
        // must agree as well.
        if (!overlapped) Separate(s, layout == 2 ? cx : maxX / 2.0, layout == 2 ? cy : maxY / 2.0, layout == 2 ? spread : maxX);

        s.CurG = static_cast<std::int16_t>(Int(1, num));
        if (Chance(0.2)) {
            // An earlier victim of this turn already waits to be accounted.
            const int victim = Int(1, num);
            if (victim != s.CurG) {
                const VembaRecord& v = s.Vembas[victim];
                if (IsSet(v.Life)) {
                    EliminatePiece(s, victim);
                }
            }
        }
        Strike(s, s.CurG);
        if (Chance(0.3)) Strike(s, Int(1, num));
        if (Chance(0.2))
            for (int k = 1; k <= num; ++k)
                if (IsSet(s.Vembas[k].Life)) {
                    s.Vembas[k].Xvec += Real(-2, 2);
                    s.Vembas[k].Yvec += Real(-2, 2);
                    s.Vembas[k].u += Real(-0.2, 0.2);
                }
        return s;
    }

    // Moves overlapping pieces to other spots of the same area (bounded
    // tries), so that packed tables stay packed.
    void Separate(MatchState& s, double cx, double cy, double spread) {
        for (int k = 1; k <= s.Num; ++k) {
            for (int tries = 0; tries < 40 && Overlaps(s, k); ++tries) {
                const double reach = spread + tries * 3;
                s.Vembas[k].Xpos = std::fmin(std::fmax(cx + Real(-reach, reach), 0.0), s.MaxX);
                s.Vembas[k].Ypos = std::fmin(std::fmax(cy + Real(-reach, reach), 0.0), s.MaxY);
            }
        }
    }

    static bool Overlaps(const MatchState& s, int k) {
        const int n = BodyCount(s);
        for (int j = 1; j <= n; ++j)
            if (j != k && VembasTouch(s, s.Vembas[k], s.Vembas[j]).FirstCircle != -1) return true;
        return false;
    }

    static int Nearest(const MatchState& s, int k) {
        int best = k;
        double bestD = 1e300;
        for (int j = 1; j <= BodyCount(s); ++j) {
            if (j == k || !IsSet(s.Vembas[j].Life) || s.Vembas[j].RMod == kWallModel) continue;
            const double d = Hypot(s.Vembas[j].Xpos - s.Vembas[k].Xpos, s.Vembas[j].Ypos - s.Vembas[k].Ypos);
            if (d < bestD) {
                bestD = d;
                best = j;
            }
        }
        return best;
    }

    // A strike at another body (or anywhere), touch point on the rim.
    void Strike(MatchState& s, int k) {
        VembaRecord& v = s.Vembas[k];
        if (!IsSet(v.Life)) return;
        const int target = Chance(0.7) ? Nearest(s, k) : Int(1, BodyCount(s));
        double aim;
        if (target != k && !Chance(0.15)) {
            const VembaRecord& t = s.Vembas[target];
            double tx = t.Xpos, ty = t.Ypos;
            if (t.RMod == kWallModel) {  // aim at the wall's rim
                tx = std::fmin(std::fmax(v.Xpos + Real(-200, 200), -5.0), s.MaxX + 5.0);
                ty = std::fmin(std::fmax(v.Ypos + Real(-200, 200), -5.0), s.MaxY + 5.0);
                if (s.BordMode == 1) ty = t.Ypos < 0 ? -1 : s.MaxY + 1.0;
                else tx = t.Xpos < 0 ? -1 : s.MaxX + 1.0;
            }
            aim = ref::AimTowards(v, tx, ty) + Real(-0.2, 0.2);
        } else {
            aim = Real(-s.Pi, s.Pi);
        }
        std::int16_t power = static_cast<std::int16_t>(2 * (Chance(0.2) ? Int(1, 50) : Int(20, 50)));
        Segment seg = ref::StrikeSegment(v, s.VembaRadius, Real(-s.Pi, s.Pi), aim, power);
        StrikeVemba(v, seg, power);
    }

private:
    std::mt19937_64 rng_;
    int ticks_ = 1;
};

// Runs both implementations side by side, the game's on `fast` and the
// plain one on `ref`, and compares after every tick. Returns "" or a
// description of the first difference.
std::string RunBoth(MatchState& fast, MatchState& ref, int ticks, bool stopAtRest) {
    for (int t = 1; t <= ticks; ++t) {
        PhysStep(fast, 1.0);
        ref::PhysStep(ref, 1.0);
        const std::string d = FirstDifference(fast, ref);
        if (!d.empty()) return "tick " + std::to_string(t) + ": " + d;
        if (stopAtRest && AllAtRest(fast)) break;
    }
    return "";
}

void RunScenarios(std::uint64_t firstSeed, int count) {
    for (int n = 0; n < count; ++n) {
        const std::uint64_t seed = firstSeed + static_cast<std::uint64_t>(n);
        Scenario sc(seed);
        MatchState fast = sc.Build();
        MatchState ref = fast;
        const std::string d = RunBoth(fast, ref, sc.Ticks(), false);
        ASSERT_EQ(d, "") << "scenario seed " << seed;
    }
}

// Scenarios are split so that ctest can run the parts side by side.
TEST(PhysicsDifferential, RandomTablesAgreeBitForBitPart1) { RunScenarios(1000000, 2500); }
TEST(PhysicsDifferential, RandomTablesAgreeBitForBitPart2) { RunScenarios(2000000, 2500); }
TEST(PhysicsDifferential, RandomTablesAgreeBitForBitPart3) { RunScenarios(3000000, 2500); }
TEST(PhysicsDifferential, RandomTablesAgreeBitForBitPart4) { RunScenarios(4000000, 2500); }

// Whole matches: each participant in turn strikes at its nearest opponent
// and the table runs until everything rests, tick by tick on both sides.
// The turn-end account is left out; both sides clear the turn's list alike.
void PlayMatch(MatchState s, std::uint64_t seed, int turns) {
    Scenario sc(seed);
    MatchState r = s;
    int striker = 1;
    for (int turn = 0; turn < turns && CountAlive(s) >= 2; ++turn) {
        while (!IsSet(s.Vembas[striker].Life)) striker = striker % s.Num + 1;
        s.CurG = r.CurG = static_cast<std::int16_t>(striker);
        s.TurnSginCount = r.TurnSginCount = 0;
        s.SginFlushed = r.SginFlushed = kTrue;
        VembaRecord& v = s.Vembas[striker];
        const VembaRecord& t = s.Vembas[Scenario::Nearest(s, striker)];
        const double aim = ref::AimTowards(v, t.Xpos, t.Ypos) + sc.Real(-0.15, 0.15);
        std::int16_t power = static_cast<std::int16_t>(2 * sc.Int(30, 50));
        Segment a = ref::StrikeSegment(v, s.VembaRadius, sc.Real(-s.Pi, s.Pi), aim, power);
        Segment b = a;
        StrikeVemba(v, a, power);
        ref::StrikeVemba(r.Vembas[striker], b, power);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(a.X2), std::bit_cast<std::uint64_t>(b.X2));
        ASSERT_EQ(RunBoth(s, r, 1500, true), "") << "turn " << turn;
        striker = striker % s.Num + 1;
    }
}

TEST(PhysicsDifferential, FullMatchesAgreeBitForBit) {
    {  // eight standard pieces, obstacles and walls on both long sides
        MatchState s = ref::NewTable(8);
        for (int k = 1; k <= 8; ++k) s.Vembas[k].RMod = 1;
        ref::PlaceObstacles(s);
        ref::PlaceWalls(s, 2, 1);
        PlayMatch(s, 11, 6);
    }
    {  // mixed models and masses on an open table
        MatchState s = ref::NewTable(5, 400, 300);
        const std::int16_t models[] = {0, 1, 2, 3, 1};
        const std::int16_t masses[] = {1, 5, 1, 20, 2};
        for (int k = 1; k <= 5; ++k) {
            s.Vembas[k].RMod = models[k - 1];
            s.Vembas[k].RM = masses[k - 1];
        }
        PlayMatch(s, 12, 8);
    }
    {  // a table 201 high: with seven or more, pieces 1 and 5 start 37 apart
        MatchState s = ref::NewTable(8, 600, 201);
        for (int k = 1; k <= 8; ++k) s.Vembas[k].RMod = static_cast<std::int16_t>(k % 4);
        ref::PlaceWalls(s, 1, 0);
        PlayMatch(s, 13, 4);
    }
}

}  // namespace
}  // namespace zel
