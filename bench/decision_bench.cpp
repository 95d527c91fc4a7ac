// zel-bench: the computer player's decision at each level in the fullest
// position the game has, eight pieces with the four posts and both walls.
//
// Each repetition is one whole decision (one iteration); the aggregates
// give the median and the worst ("max") decision time. Counters:
// candidates is how many strikes the decision played to rest, replies
// included; candidates_per_s how many it plays to rest per second on the
// worker pool (one thread per core).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "ai/ComputerPlayer.h"
#include "ai/WorkerPool.h"
#include "core/MatchSetup.h"
#include "core/MatchState.h"
#include "physics/Shapes.h"

namespace {

using zel::MatchState;

MatchState EightWithPostsAndWalls() {
    MatchState s;
    s.Pi = 4 * std::atan(1.0);
    s.Shapes = zel::InitShapes(s.VembaRadius, s.BodyRadius, s.PipaRadius);
    zel::MatchSetup setup;
    setup.Border = zel::kTrue;
    setup.BordMode = 1;
    setup.BordSimm = zel::kTrue;
    setup.Pipa = zel::kTrue;
    for (int i = 0; i < 8; ++i)
        setup.Participants.push_back(zel::ParticipantSetup{"P", static_cast<std::int16_t>(i % 4), 1});
    zel::StartMatchState(s, setup);
    zel::PrepareSceneState(s);
    s.CurG = 1;
    return s;
}

// The start of a match of eight: every piece at the edges.
MatchState StartOfEight() { return EightWithPostsAndWalls(); }

// Seven pieces packed in the middle, the striker at a corner: every strike
// into the pack sets off a chain of contacts.
MatchState PackOfSeven() {
    MatchState s = EightWithPostsAndWalls();
    int k = 2;
    for (int row = 0; row < 3 && k <= 8; ++row)
        for (int col = 0; col <= row && k <= 8; ++col, ++k) {
            s.Vembas[k].Xpos = 300 + row * 36.0;
            s.Vembas[k].Ypos = 200 + (col - row / 2.0) * 42.0;
        }
    s.Vembas[8].Xpos = 410;
    s.Vembas[8].Ypos = 200;
    return s;
}

zel::ai::WorkerPool& Pool() {
    static zel::ai::WorkerPool pool;
    return pool;
}

void Decide(benchmark::State& state, MatchState (*position)(), zel::PlayerKind level) {
    const MatchState s = position();
    std::uint64_t seed = 1;
    double candidates = 0;
    double seconds = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        const zel::ai::Decision d = zel::ai::DecideStrike(s, level, seed++, Pool());
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        candidates += d.Simulated;
        benchmark::DoNotOptimize(d.Strike.Power);
    }
    state.counters["candidates"] = candidates / static_cast<double>(state.iterations());
    state.counters["candidates_per_s"] = seconds > 0 ? candidates / seconds : 0;
    state.counters["threads"] = Pool().Threads();
}

double Max(const std::vector<double>& v) { return v.empty() ? 0 : *std::max_element(v.begin(), v.end()); }

void Master_StartOfEight(benchmark::State& st) { Decide(st, StartOfEight, zel::PlayerKind::Master); }
void Master_PackOfSeven(benchmark::State& st) { Decide(st, PackOfSeven, zel::PlayerKind::Master); }
void Amateur_StartOfEight(benchmark::State& st) { Decide(st, StartOfEight, zel::PlayerKind::Amateur); }
void Novice_StartOfEight(benchmark::State& st) { Decide(st, StartOfEight, zel::PlayerKind::Novice); }

}  // namespace

BENCHMARK(Master_StartOfEight)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(9)
    ->ComputeStatistics("max", Max)->ReportAggregatesOnly(true)->UseRealTime();
BENCHMARK(Master_PackOfSeven)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(9)
    ->ComputeStatistics("max", Max)->ReportAggregatesOnly(true)->UseRealTime();
BENCHMARK(Amateur_StartOfEight)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(Novice_StartOfEight)->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();
