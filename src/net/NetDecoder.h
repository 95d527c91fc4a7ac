#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "net/NetMessages.h"

namespace zel {

// Splits the byte stream of a connection into messages, whatever chunks the
// bytes arrive in. Feed appends what arrived; Next gives one whole message
// at a time. The first bad frame (a length beyond the bound, another
// protocol version, a field out of range) stops the decoder for good with
// one text for the player; nothing read after it is looked at.
class NetDecoder {
public:
    void Feed(std::string_view bytes);
    // The next whole message, or nothing until more bytes come (or after an error).
    std::optional<NetMessage> Next();
    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }
    // Bytes waiting for the rest of their frame.
    std::size_t Pending() const { return buffer_.size() - start_; }

private:
    std::string buffer_;
    std::size_t start_ = 0;  // the first byte not yet taken
    std::string error_;
};

}  // namespace zel
