// The network protocol's reader and the session's turn checks on whatever
// bytes the other computer might send. The first byte picks the side that
// listens (even: host, odd: guest) and the size of the chunks the bytes come
// in; between chunks the side moves on as a match would (turn starts, its
// rest), so the bytes meet every phase of the session. Every message read
// must write back to a frame that reads as the same message.
#include <cstdlib>

#include "FuzzSupport.h"
#include "core/ProgramVersion.h"
#include "net/NetCodec.h"
#include "net/NetDecoder.h"
#include "net/NetSession.h"

namespace {

// A message read from the wire is one the writer can write and read back.
void CheckRoundTrip(std::string_view bytes) {
    zel::NetDecoder d;
    d.Feed(bytes);
    for (int i = 0; i < 10000; ++i) {
        const std::optional<zel::NetMessage> m = d.Next();
        if (!m) return;
        const std::string again = zel::EncodeFrame(*m);
        zel::NetDecoder back;
        back.Feed(again);
        const std::optional<zel::NetMessage> m2 = back.Next();
        if (!m2 || zel::EncodeFrame(*m2) != again) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zel::fuzz::SlowestInput slowest("input");
    const zel::fuzz::Timed timed(slowest);
    if (size < 1) return 0;
    const std::string_view bytes = zel::fuzz::Bytes(data + 1, size - 1);
    CheckRoundTrip(bytes);

    const bool guest = (data[0] & 1) != 0;
    const std::size_t chunk = 1 + (data[0] >> 1);
    zel::NetSession s(guest ? zel::NetRole::Guest : zel::NetRole::Host, {"Игрок"}, zel::kBuildNumber);
    s.Start();
    for (std::size_t at = 0; at < bytes.size() && !s.IsClosed(); at += chunk) {
        s.Receive(bytes.substr(at, chunk));
        const int striker = 1 + static_cast<int>(at % 8);
        switch (s.CurrentPhase()) {
        case zel::NetSession::Phase::Started:
        case zel::NetSession::Phase::Rested:
            s.BeginTurn(striker);
            break;
        case zel::NetSession::Phase::Moving:
            s.SendRestingState(zel::RestingState{});
            break;
        case zel::NetSession::Phase::Turn:
            s.SendStrike(zel::ReplayStepRecord{1, 0, 10, 10, 0});
            break;
        default:
            break;
        }
        (void)s.TakeOutgoing();
        (void)s.TakeEvents();
    }
    return 0;
}
