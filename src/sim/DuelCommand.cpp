#include <ostream>

#include "sim/Duel.h"

namespace zel {

int DuelCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    DuelOptions opt;
    std::string error;
    if (!ParseDuelArgs(args, opt, error)) {
        err << "zel-sim duel: " << error << '\n'
            << "usage: zel-sim duel --levels A B [--matches N] [--seed S] [--table WxH] [--players K]\n"
               "       [--no-walls] [--no-posts]\n";
        return 2;
    }
    const DuelReport r = RunDuel(opt);
    out << FormatDuelLine(opt.LevelA, r.A) << '\n' << FormatDuelLine(opt.LevelB, r.B) << '\n';
    out.flush();
    return out ? 0 : 1;
}

}  // namespace zel
