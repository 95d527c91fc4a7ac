#include "net/NetDecoder.h"

#include "net/NetCodec.h"
#include "net/NetLimits.h"
#include "net/NetTexts.h"

namespace zel {

namespace {

constexpr std::size_t kLengthBytes = 4;

}  // namespace

void NetDecoder::Feed(std::string_view bytes) {
    if (Failed()) return;
    // What was taken is dropped before the buffer grows, so it never holds
    // more than one frame and the bytes of the latest chunk.
    if (start_ > 0) {
        buffer_.erase(0, start_);
        start_ = 0;
    }
    buffer_.append(bytes);
}

std::optional<NetMessage> NetDecoder::Next() {
    if (Failed() || Pending() < kLengthBytes) return std::nullopt;
    std::uint32_t n = 0;
    for (std::size_t i = 0; i < kLengthBytes; ++i)
        n = (n << 8) | static_cast<std::uint8_t>(buffer_[start_ + i]);
    if (n > kNetLimits.MaxFrameBytes) {
        error_ = nettexts::kOversized;
        return std::nullopt;
    }
    if (n < 2) {
        error_ = std::string(nettexts::kMalformed) + "пустое сообщение";
        return std::nullopt;
    }
    if (Pending() < kLengthBytes + n) return std::nullopt;
    const std::string_view body(buffer_.data() + start_ + kLengthBytes, n);
    start_ += kLengthBytes + n;
    std::string error;
    std::optional<NetMessage> m = DecodeBody(body, error);
    if (!m) {
        error_ = error;
        return std::nullopt;
    }
    return m;
}

}  // namespace zel
