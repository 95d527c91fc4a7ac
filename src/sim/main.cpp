// zel-sim: the headless simulator. Replays a recorded match or continues a
// saved game through the game's own match kernel and physics, and prints the
// final state as a saved game; `duel` measures the computer player's levels.
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "sim/Duel.h"
#include "sim/SimRunner.h"
#ifdef ZEL_HAVE_NETQT
#include "netqt/NetSim.h"
#endif

namespace {

int Usage() {
    std::cerr << "usage: zel-sim replay FILE.sav [--trace]\n"
                 "       zel-sim continue FILE.zel [--trace]\n"
                 "       zel-sim duel --levels A B [--matches N] [--seed S] [--table WxH] [--players K]\n"
                 "       zel-sim host PORT FILE.sav [--bind ADDRESS] [--record OUT.sav]\n"
                 "       zel-sim join HOST PORT [--record OUT.sav]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "duel") == 0)
        return zel::DuelCommand(std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr);
    if (argc >= 2 && (std::strcmp(argv[1], "host") == 0 || std::strcmp(argv[1], "join") == 0)) {
#ifdef ZEL_HAVE_NETQT
        return zel::RunNetSim(argc, argv, std::cout, std::cerr);
#else
        std::cerr << "zel-sim: network play is not available in this build (built without Qt Network)\n";
        return 2;
#endif
    }
    if (argc < 3 || argc > 4) return Usage();
    zel::SimOptions opt;
    const std::string mode = argv[1];
    if (mode == "replay")
        opt.Mode = zel::SimMode::Replay;
    else if (mode == "continue")
        opt.Mode = zel::SimMode::Continue;
    else
        return Usage();
    opt.Path = argv[2];
    if (argc == 4) {
        if (std::strcmp(argv[3], "--trace") != 0) return Usage();
        opt.Trace = true;
    }

    std::string out;
    std::string error;
    if (!zel::RunSimulation(opt, out, error, std::cerr)) {
        std::cerr << "zel-sim: " << opt.Path << ": " << error << '\n';
        return 1;
    }
    std::cout << out;
    std::cout.flush();
    return std::cout ? 0 : 1;
}
