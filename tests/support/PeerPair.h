#pragma once
#include <string>
#include <vector>

#include "core/ProgramVersion.h"
#include "net/NetSession.h"
#include "sim/NetPeer.h"
#include "support/TempDir.h"

namespace zel::test {

// A host and a guest peer joined by a wire in memory, each recording its
// replay and error log in its own folder. Run pumps both and carries bytes
// and events between them until both are done (a bounded number of rounds).
struct PeerPair {
    TempDir HostDir;
    TempDir GuestDir;
    NetSession HostSession{NetRole::Host, {}, kBuildNumber};
    NetSession GuestSession{NetRole::Guest, {"Гость"}, kBuildNumber};
    NetPeer Host;
    NetPeer Guest;

    explicit PeerPair(const std::vector<ReplayStepRecord>& script)
        : Host(HostSession, HostDir.File("zel.sav"), script),
          Guest(GuestSession, GuestDir.File("zel.sav"), script) {
        GuestSession.Start();
    }

    // One round: each side runs as far as it goes, then the wire carries
    // what was said and each side hears it. False once nothing moves.
    bool Round() {
        bool moved = false;
        for (int i = 0; i < 100000 && Host.Pump(); ++i) moved = true;
        for (int i = 0; i < 100000 && Guest.Pump(); ++i) moved = true;
        const std::string toGuest = HostSession.TakeOutgoing();
        const std::string toHost = GuestSession.TakeOutgoing();
        moved = moved || !toGuest.empty() || !toHost.empty();
        GuestSession.Receive(toGuest);
        HostSession.Receive(toHost);
        for (const NetEvent& e : HostSession.TakeEvents()) {
            moved = true;
            Host.Handle(e);
        }
        for (const NetEvent& e : GuestSession.TakeEvents()) {
            moved = true;
            Guest.Handle(e);
        }
        return moved;
    }

    // Runs until both sides are done or nothing moves; `rounds` bounds it.
    void Run(int rounds = 100000) {
        for (int r = 0; r < rounds; ++r) {
            const bool moved = Round();
            if (Host.Done() && Guest.Done() && !moved) return;
            if (!moved) return;
        }
    }
};

}  // namespace zel::test
