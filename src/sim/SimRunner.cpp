#include "sim/SimRunner.h"

#include <filesystem>
#include <ostream>

#include "core/MatchKernel.h"
#include "core/MatchState.h"
#include "base/ErrorLog.h"
#include "sim/SimBasics.h"
#include "sim/HeadlessPort.h"
#include "sim/SimSetup.h"

namespace zel {

namespace {

// Messages are written with CR LF between their parts; the error line is one line.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

// Runs the kernel the way the match window's timers would, without waiting:
// a rest-detecting tick is followed at once by the turn end.
bool Drive(MatchState& s, MatchKernel& k, SimResult& r, const SimOptions& opt, std::ostream& trace,
           std::string& error) {
    while (IsSet(s.GameRunning)) {
        if (IsSet(s.Win.PauseOn)) {
            k.PauseTick();
            continue;
        }
        if (!IsSet(s.Win.RunTimerOn) || IsSet(s.Win.Busy)) break;  // nothing left to run
        if (r.Ticks >= kSimTickLimit) {
            error = "the match does not come to rest";
            return false;
        }
        ++r.Ticks;
        k.RunTimerTick();
        if (opt.Trace && !IsSet(s.Win.PauseOn)) trace << FormatTraceLines(s, r.Ticks);
    }
    return true;
}

}  // namespace

bool RunSimulation(const SimOptions& opt, std::string& out, std::string& error,
                   std::ostream& trace) {
    if (!std::filesystem::is_regular_file(opt.Path)) {
        error = "no such file";
        return false;
    }
    MatchState s = FreshSimState();
    HeadlessPort port(s);
    const ErrorLog log(SimLogFolder(opt.Path));
    MatchKernel kernel(s, port, log);

    bool hasSteps = true;
    if (opt.Mode == SimMode::Replay) {
        if (!SetUpReplay(opt.Path, s, error)) return false;
    } else {
        if (!SetUpContinue(opt.Path, s, hasSteps, error)) return false;
        s.Win.ContinueGame = kTrue;
    }

    SimResult r;
    if (hasSteps) {
        s.Win.ReplayMode = kTrue;
        if (!kernel.Playback().OpenReplay(opt.Path, port)) {
            error = port.Failures().empty() ? "not a replay file" : OneLine(port.Failures().back());
            return false;
        }
        kernel.OnLoad("Korvalo II");
        if (kernel.Init()) {
            if (!Drive(s, kernel, r, opt, trace, error)) return false;
        }
        kernel.Close();
        if (!port.Failures().empty()) {
            error = OneLine(port.Failures().back());
            return false;
        }
        r.Turns = kernel.StepsApplied();
        r.Finished = IsSet(s.Win.GameOver) && !kernel.ReplayExhausted();
    }
    out = FormatSimSave(s, r, NowDateTimeText());
    return true;
}

}  // namespace zel
