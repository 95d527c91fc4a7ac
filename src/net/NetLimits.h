#pragma once
#include <cstddef>
#include <cstdint>

namespace zel {

// The bounds of the network protocol. Both sides hold every message to
// them; a message beyond any of them closes the connection.
struct NetLimitTable {
    std::uint8_t ProtocolVersion;  // the framing and message layout; a peer with another is refused
    std::size_t MaxFrameBytes;     // a message's body (version, type, fields) at most
    std::size_t MaxNameBytes;      // one participant's name, UTF-8 bytes
    std::size_t MaxReasonBytes;    // a refusal's reason
    std::size_t MaxHeaderBytes;    // the replay header in a match set-up
    std::size_t MaxHeldMessages;   // messages of the next turn held while this one ends
    int SilenceTimeoutMs;          // no message for this long: the connection is dead
    int KeepAliveMs;               // a quiet side says it is alive this often
};

inline constexpr NetLimitTable kNetLimits{
    .ProtocolVersion = 1,
    .MaxFrameBytes = 128 * 1024,  // the largest resting state with the longest numbers fits
    .MaxNameBytes = 256,
    .MaxReasonBytes = 1024,
    .MaxHeaderBytes = 16 * 1024,
    .MaxHeldMessages = 4096,
    .SilenceTimeoutMs = 30000,
    .KeepAliveMs = 5000,
};

}  // namespace zel
