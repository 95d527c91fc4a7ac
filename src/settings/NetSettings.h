#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zel {

// What the network screen remembers in zel.ini between runs: the address
// and port last joined and the port last hosted on, as the boxes held them.
// A file without these keys (every file written before network play) gives
// the built-in ones.
struct NetSettings {
    std::string Address;   // NetAddress: the other computer's address
    std::string Port;      // NetPort: its port
    std::string HostPort;  // NetHostPort: the port this computer listens on
};

// The built-in boxes: this computer's own address and the game's port.
NetSettings DefaultNetSettings();

// A port box's text as a port number: digits only, 1..65535.
std::optional<std::uint16_t> ParsePort(std::string_view text);

// An address box's text is usable: 1..253 characters, none of them blank or
// a control character (a host name, IPv4 or IPv6 address).
bool UsableAddress(std::string_view text);

}  // namespace zel
