#pragma once
#include <memory>
#include <string>
#include <vector>

#include "base/ErrorLog.h"
#include "core/MatchKernel.h"
#include "core/MatchState.h"
#include "core/ReplayFile.h"
#include "net/NetMatch.h"
#include "net/NetSession.h"
#include "sim/HeadlessPort.h"
#include "sim/SimOutput.h"

namespace zel {

// One side of a network match without a screen, for zel-sim and the tests:
// the match kernel on a headless screen, joined to a session by NetMatch.
// Its participants strike from a script: the step records of a whole match
// in order (as a replay file holds them), the one at the number of strikes
// made so far is played when a participant of this side is to strike. When
// a participant of this side is to strike and the script has no record left
// the match ends there, as a replay whose records run out ends; so does a
// side left alone once the other has gone.
//
// The owner connects the session to a transport, passes every session event
// to Handle and calls Pump until Done.
class NetPeer {
public:
    // `replayPath` is the replay this side records; the error log goes
    // beside it.
    NetPeer(NetSession& session, const std::string& replayPath, std::vector<ReplayStepRecord> script);

    // Host: the match from a replay file's header, every participant played
    // here except those `guestPlays` marks; the set-up goes out and the
    // match starts. False with the reason in `error`.
    bool HostReplay(const std::string& replayPath,
                    const std::array<bool, kMaxParticipants + 1>& guestPlays, std::string& error);
    // Host: the match from a state already set up (as StartMatchState leaves it).
    bool HostMatch(const MatchState& setUp, const std::array<bool, kMaxParticipants + 1>& guestPlays,
                   std::string& error);

    void Handle(const NetEvent& e);
    // Runs the match as far as it goes without the other side; true when
    // something happened (call again), false when it waits or is done.
    bool Pump();
    bool Done() const { return done_; }
    // Why the match could not be played ("" when it was).
    const std::string& Error() const { return error_; }

    MatchState& State() { return s_; }
    MatchKernel& Kernel() { return kernel_; }
    NetMatch& Match() { return match_; }
    const ErrorLog& Log() const { return log_; }
    const std::string& ReplayPath() const { return replayPath_; }
    // The final state as `zel-sim replay` prints it for the same strikes.
    std::string Output(const std::string& dateTime) const;

    // Tests change this side's physics before the match starts.
    void SetBeforeInit(std::function<void(MatchState&)> f) { beforeInit_ = std::move(f); }

private:
    bool Start(std::string& error);
    void End();

    NetSession& session_;
    std::string replayPath_;
    std::vector<ReplayStepRecord> script_;
    MatchState s_;
    HeadlessPort port_;
    ErrorLog log_;
    MatchKernel kernel_;
    NetMatch match_;
    SimResult result_;
    double startAim_ = 0;   // the aim before the match: what a replay leaves in the output
    bool started_ = false;
    bool done_ = false;
    bool exhausted_ = false;
    std::string error_;
    std::function<void(MatchState&)> beforeInit_;
};

}  // namespace zel
