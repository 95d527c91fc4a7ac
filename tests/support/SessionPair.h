#pragma once
#include <string>
#include <vector>

#include "core/ProgramVersion.h"
#include "net/NetSession.h"

namespace zel::test {

// A host and a guest session joined by a wire in memory: Exchange carries
// the bytes each has to send to the other until neither has any (a bounded
// number of rounds) and keeps the events each side got.
struct SessionPair {
    NetSession Host{NetRole::Host, {"Хозяин"}, kBuildNumber};
    NetSession Guest{NetRole::Guest, {"Гость"}, kBuildNumber};
    std::vector<NetEvent> HostEvents;
    std::vector<NetEvent> GuestEvents;

    void Exchange() {
        for (int round = 0; round < 100; ++round) {
            const std::string toGuest = Host.TakeOutgoing();
            const std::string toHost = Guest.TakeOutgoing();
            if (toGuest.empty() && toHost.empty()) break;
            Guest.Receive(toGuest);
            Host.Receive(toHost);
        }
        for (NetEvent& e : Host.TakeEvents()) HostEvents.push_back(std::move(e));
        for (NetEvent& e : Guest.TakeEvents()) GuestEvents.push_back(std::move(e));
    }

    // Handshake done, a match of `num` participants set up by the host with
    // the guest playing those `guestPlays` marks.
    void SetUp(int num, std::array<bool, 9> guestPlays) {
        Guest.Start();
        Exchange();
        MatchSetupMsg m;
        m.Header = "[general]\r\n[game]\r\n";
        m.Num = static_cast<std::int16_t>(num);
        m.GuestPlays = guestPlays;
        Host.SendSetup(m);
        Exchange();
    }

    static bool Has(const std::vector<NetEvent>& events, NetEventKind kind) {
        for (const NetEvent& e : events)
            if (e.Kind == kind) return true;
        return false;
    }
    static std::string ClosedText(const std::vector<NetEvent>& events) {
        for (const NetEvent& e : events)
            if (e.Kind == NetEventKind::Closed) return e.Text;
        return "";
    }
};

}  // namespace zel::test
