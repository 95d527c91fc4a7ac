#include "settings/NetSettings.h"

#include "settings/SettingsDefaults.h"

namespace zel {

namespace {
// The longest host name there is.
constexpr std::size_t kMaxAddressLength = 253;
constexpr std::uint32_t kMaxPort = 65535;
}  // namespace

NetSettings DefaultNetSettings() {
    const SettingsDefaultTable& t = kSettingsDefaults;
    return NetSettings{t.NetAddress, t.NetPort, t.NetPort};
}

std::optional<std::uint16_t> ParsePort(std::string_view text) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    std::uint32_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (v == 0 || v > kMaxPort) return std::nullopt;
    return static_cast<std::uint16_t>(v);
}

bool UsableAddress(std::string_view text) {
    if (text.empty() || text.size() > kMaxAddressLength) return false;
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= ' ' || u == 0x7f) return false;
    }
    return true;
}

}  // namespace zel
