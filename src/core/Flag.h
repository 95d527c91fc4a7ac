#pragma once
#include <cstdint>

namespace zel {

// Flags are stored the way the saved files and the rules expect them:
// -1 for true, 0 for false, in a signed 16-bit integer. Readers treat any
// non-zero value as true; writers always write -1 or 0.
using Flag = std::int16_t;
inline constexpr Flag kTrue = -1;
inline constexpr Flag kFalse = 0;

constexpr Flag ToFlag(bool b) { return b ? kTrue : kFalse; }
constexpr bool IsSet(Flag f) { return f != 0; }

}  // namespace zel
