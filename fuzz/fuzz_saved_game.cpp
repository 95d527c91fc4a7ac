// Saved games (*.zel) continued by the simulator, as "zel-sim continue"
// and the game continue them.
#include <ostream>

#include "FuzzSupport.h"
#include "TickClock.h"
#include "sim/SimRunner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zel::fuzz::SlowestInput slowest("input");
    const zel::fuzz::Timed timed(slowest);
    static zel::fuzz::SlowestInput slowestTick("tick");
    zel::fuzz::TickClock clock;
    std::ostream trace(&clock);
    zel::SimOptions opt;
    opt.Mode = zel::SimMode::Continue;
    opt.Path = zel::fuzz::WriteInput(zel::fuzz::Bytes(data, size), "input.zel");
    opt.Trace = true;
    std::string out, error;
    zel::RunSimulation(opt, out, error, trace);
    slowestTick.Record(clock.WorstMs());
    return 0;
}
