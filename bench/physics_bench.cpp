// zel-bench: the table physics per tick, the game's implementation
// ("Optimized") against the plain transcription ("Reference"), on the same
// tables and the same number of ticks.
//
// Counters: per_tick is the mean time of one PhysStep(1.0); worst_tick_ms is
// the slowest single tick seen; ticks is how many ticks one run covers.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <vector>

#include "core/MatchState.h"
#include "physics/Contact.h"
#include "physics/Motion.h"
#include "physics/PhysStep.h"
#include "reference/ReferencePhysics.h"
#include "reference/TableSetup.h"

namespace {

using zel::MatchState;

struct TableRun {
    MatchState start;  // the table right after the strike
    int ticks = 0;     // ticks one run covers
};

bool AtRest(const MatchState& s) {
    for (int k = 1; k <= s.Num; ++k) {
        const zel::VembaRecord& v = s.Vembas[k];
        if (v.Xvec != 0 || v.Yvec != 0 || v.u != 0) return false;
    }
    return true;
}

bool AnyTouch(const MatchState& s) {
    const int n = zel::BodyCount(s);
    for (int i = 1; i < n; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (zel::VembasTouch(s, s.Vembas[i], s.Vembas[j]).FirstCircle != -1) return true;
    return false;
}

// Ticks until everything rests, at most `cap`.
int TicksToRest(MatchState s, int cap) {
    int t = 0;
    while (t < cap && !AtRest(s)) {
        zel::PhysStep(s, 1.0);
        ++t;
    }
    return t;
}

void Strike(MatchState& s, int k, double aimX, double aimY, std::int16_t power, double touchOffset) {
    zel::VembaRecord& v = s.Vembas[k];
    const double aim = zel::ref::AimTowards(v, aimX, aimY);
    // The touch point sits behind the piece, a little off the line of the
    // strike so that the piece also turns.
    const double behind = std::atan2(std::cos(aim), -std::sin(aim)) + s.Pi / 2;
    zel::Segment seg = zel::ref::StrikeSegment(v, s.VembaRadius, behind + s.Pi + touchOffset, aim, power);
    zel::StrikeVemba(v, seg, power);
}

// Two pieces far apart, one sliding: no contact at all.
TableRun FreeSlide() {
    TableRun r;
    r.start = zel::ref::NewTable(2);
    for (int k = 1; k <= 2; ++k) r.start.Vembas[k].RMod = 1;
    r.start.Vembas[1].Xpos = 60;
    r.start.Vembas[1].Ypos = 60;
    Strike(r.start, 1, 540, 200, 60, 0.2);
    r.ticks = TicksToRest(r.start, 5000);
    return r;
}

// Eight standard pieces, four obstacles, walls along both long sides: the
// striker breaks a pack of seven at full power.
TableRun Break() {
    TableRun r;
    MatchState& s = r.start;
    s = zel::ref::NewTable(8);
    zel::ref::PlaceObstacles(s);
    zel::ref::PlaceWalls(s, 2, 1);
    for (int k = 1; k <= 8; ++k) {
        s.Vembas[k].RMod = 1;
        s.Vembas[k].Phi = -s.Pi / 2;  // noses towards the striker
    }
    s.Vembas[1].Xpos = 120;
    s.Vembas[1].Ypos = 200;
    s.Vembas[1].Phi = s.Pi / 2;
    // A triangle of rows 1, 2, 4, spaced so that no two pieces touch.
    const double gap = 46;
    const double rows[7][2] = {{0, 0}, {1, -0.5}, {1, 0.5}, {2, -1.5}, {2, -0.5}, {2, 0.5}, {2, 1.5}};
    for (int k = 0; k < 7; ++k) {
        s.Vembas[k + 2].Xpos = 330 + rows[k][0] * gap;
        s.Vembas[k + 2].Ypos = 200 + rows[k][1] * gap;
    }
    Strike(s, 1, 330, 201, 100, 0.05);
    r.ticks = TicksToRest(s, 5000);
    return r;
}

// Eight pieces packed as tightly as they go without touching, struck hard
// from one end.
TableRun DenseCluster() {
    TableRun r;
    MatchState& s = r.start;
    s = zel::ref::NewTable(8);
    zel::ref::PlaceWalls(s, 2, 0);
    for (int k = 1; k <= 8; ++k) s.Vembas[k].RMod = 1;
    auto place = [&](double spacing) {
        for (int k = 0; k < 8; ++k) {
            s.Vembas[k + 1].Xpos = 240 + (k % 4) * spacing;
            s.Vembas[k + 1].Ypos = 180 + (k / 4) * spacing;
            s.Vembas[k + 1].Phi = 0;
        }
    };
    double lo = 20, hi = 60;  // touching at lo, apart at hi
    for (int i = 0; i < 40; ++i) {
        const double mid = (lo + hi) / 2;
        place(mid);
        (AnyTouch(s) ? lo : hi) = mid;
    }
    place(hi + 0.05);
    Strike(s, 1, s.Vembas[8].Xpos, s.Vembas[8].Ypos, 100, 0.1);
    r.ticks = std::min(TicksToRest(s, 5000), 60);  // the pack's tick costs are up front
    return r;
}

// Eight standard pieces of the heaviest mass the editor allows, seven of
// them in a row lying up to a wall, struck from behind at full power: the
// costliest ticks a real match has, a pressed heavy row meeting the wall and
// each other again in sub-step after sub-step.
TableRun HeavyRow() {
    TableRun r;
    MatchState& s = r.start;
    s = zel::ref::NewTable(8);
    zel::ref::PlaceWalls(s, 2, 0);
    for (int k = 1; k <= 8; ++k) {
        s.Vembas[k].RMod = 1;
        s.Vembas[k].RM = 1000;
        s.Vembas[k].Phi = 0;
        s.Vembas[k].Ypos = 200;
    }
    for (int k = 0; k < 7; ++k) s.Vembas[k + 2].Xpos = 600 - 24 - k * 44;
    s.Vembas[1].Xpos = 200;
    Strike(s, 1, 600, 200, 100, 0);
    r.ticks = std::min(TicksToRest(s, 5000), 60);  // the row's costly ticks come first
    return r;
}

// CPU time of this thread, so that other processes on the machine do not
// count against a tick.
double ThreadSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

template <void (*Step)(MatchState&, double)>
void RunTable(benchmark::State& state, const TableRun& run) {
    if (run.ticks == 0) {
        state.SkipWithError("the table never moves");
        return;
    }
    std::int64_t ticks = 0;
    for (auto _ : state) {
        MatchState s = run.start;
        for (int t = 0; t < run.ticks; ++t) Step(s, 1.0);
        ticks += run.ticks;
        benchmark::DoNotOptimize(s.Vembas[1].Xpos);
    }
    // The worst tick, outside the timed loop (the clock costs about as much
    // as a quiet tick). Every run plays the same ticks; a tick's cost is its
    // cheapest of three runs, since interruptions only ever add.
    std::vector<double> best(static_cast<std::size_t>(run.ticks), 1e300);
    for (int rep = 0; rep < 3; ++rep) {
        MatchState s = run.start;
        for (int t = 0; t < run.ticks; ++t) {
            const double t0 = ThreadSeconds();
            Step(s, 1.0);
            const double el = ThreadSeconds() - t0;
            best[static_cast<std::size_t>(t)] = std::min(best[static_cast<std::size_t>(t)], el);
        }
    }
    state.counters["per_tick"] = benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["worst_tick_ms"] = *std::max_element(best.begin(), best.end()) * 1e3;
    state.counters["ticks"] = run.ticks;
}

const TableRun& FreeSlideRun() {
    static const TableRun r = FreeSlide();
    return r;
}
const TableRun& BreakRun() {
    static const TableRun r = Break();
    return r;
}
const TableRun& DenseRun() {
    static const TableRun r = DenseCluster();
    return r;
}

const TableRun& HeavyRowRun() {
    static const TableRun r = HeavyRow();
    return r;
}

void FreeSlide_Reference(benchmark::State& st) { RunTable<zel::ref::PhysStep>(st, FreeSlideRun()); }
void FreeSlide_Optimized(benchmark::State& st) { RunTable<zel::PhysStep>(st, FreeSlideRun()); }
void Break_Reference(benchmark::State& st) { RunTable<zel::ref::PhysStep>(st, BreakRun()); }
void Break_Optimized(benchmark::State& st) { RunTable<zel::PhysStep>(st, BreakRun()); }
void DenseCluster_Reference(benchmark::State& st) { RunTable<zel::ref::PhysStep>(st, DenseRun()); }
void DenseCluster_Optimized(benchmark::State& st) { RunTable<zel::PhysStep>(st, DenseRun()); }
void HeavyRow_Optimized(benchmark::State& st) { RunTable<zel::PhysStep>(st, HeavyRowRun()); }

BENCHMARK(FreeSlide_Reference)->Unit(benchmark::kMillisecond);
BENCHMARK(FreeSlide_Optimized)->Unit(benchmark::kMillisecond);
BENCHMARK(Break_Reference)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(Break_Optimized)->Unit(benchmark::kMillisecond);
BENCHMARK(DenseCluster_Reference)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(DenseCluster_Optimized)->Unit(benchmark::kMillisecond);
// Optimised only: with full pair searches for each of the heavy row's
// thousands of contacts the plain transcription needs nearly a minute for
// one pass of its ticks.
BENCHMARK(HeavyRow_Optimized)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
