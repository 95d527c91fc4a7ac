#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace zel {

// Who plays a participant: a person at the keyboard, or the computer at one
// of its three levels. The number is what the settings and team files store;
// a file without it plays the participant as a person.
enum class PlayerKind : std::int16_t {
    Human = 0,
    Novice = 1,
    Amateur = 2,
    Master = 3,
};

inline constexpr int kPlayerKindCount = 4;

// The entries of a slot's player list, in the order of the numbers above.
inline constexpr const char* kPlayerKindNames[kPlayerKindCount] = {
    "Человек",
    "Компьютер: новичок",
    "Компьютер: любитель",
    "Компьютер: мастер",
};

// The levels as zel-sim's command line names them ("" for a person).
inline constexpr const char* kPlayerKindWords[kPlayerKindCount] = {"", "novice", "amateur", "master"};

constexpr bool IsComputer(PlayerKind k) { return k != PlayerKind::Human; }

// A stored number as a kind; a number no kind has is a person, so a damaged
// file never hands a participant to the computer.
constexpr PlayerKind PlayerKindFromNumber(int v) {
    return v >= 1 && v < kPlayerKindCount ? static_cast<PlayerKind>(v) : PlayerKind::Human;
}

constexpr int PlayerKindNumber(PlayerKind k) { return static_cast<int>(k); }

// A command-line level word ("novice", "amateur", "master"); nothing otherwise.
inline std::optional<PlayerKind> ComputerLevelFromWord(std::string_view w) {
    for (int k = 1; k < kPlayerKindCount; ++k)
        if (w == kPlayerKindWords[k]) return static_cast<PlayerKind>(k);
    return std::nullopt;
}

}  // namespace zel
