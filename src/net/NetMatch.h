#pragma once
#include <optional>
#include <string>

#include "core/MatchKernel.h"
#include "core/MatchState.h"
#include "net/NetSession.h"
#include "net/RestingState.h"

namespace zel {

class ErrorLog;

// Joins one side's match kernel to its network session for one match:
//  - this side's turn starts, aim changes and strikes go out (BeginTurn,
//    SendAim, SendStrike);
//  - the other side's aim and strikes are played (RemoteAim, RemoteStrike);
//  - the host sends the table at every rest; the guest holds its turn end
//    until the host's resting state for that strike has come, compares it
//    with its own and, if any bit differs, takes the host's and writes the
//    difference to the error log;
//  - a closed session leaves the match to this side alone (PlayAlone) with
//    the reason on the status line: the replay so far is kept, F5 saves.
// The owner passes every session event to Handle, runs the kernel's clock
// as usual (PauseTick does nothing while the turn end is held) and calls
// MatchEnded when the match has ended by the rules.
class NetMatch {
public:
    NetMatch(MatchState& s, MatchKernel& kernel, NetSession& session, const ErrorLog& log);
    ~NetMatch();
    NetMatch(const NetMatch&) = delete;
    NetMatch& operator=(const NetMatch&) = delete;

    // Installs the kernel's listeners; call before kernel.Init. The
    // destructor removes them.
    void Attach();
    void Handle(const NetEvent& e);
    void MatchEnded();

    // Resting states of the host that differed from this side's and were taken.
    int DriftsTaken() const { return drifts_; }
    // The session closed: every participant is played here now.
    bool Alone() const { return alone_; }
    const std::string& AloneReason() const { return aloneReason_; }

private:
    void OnTurn(int striker);
    void OnRest();
    void TakeHostState(const RestingStateMsg& m);
    void GoAlone(const std::string& text);

    MatchState& s_;
    MatchKernel& kernel_;
    NetSession& session_;
    const ErrorLog& log_;
    bool attached_ = false;
    bool ownRest_ = false;                     // guest: this side's pieces are at rest
    std::optional<RestingStateMsg> hostRest_;  // guest: the host's rest, not yet compared
    int drifts_ = 0;
    bool alone_ = false;
    std::string aloneReason_;
};

}  // namespace zel
