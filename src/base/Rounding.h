#pragma once
#include <cmath>
#include <cstdint>

namespace zel {

// Round to the nearest integer, halves to the even neighbour. This is the
// rounding the camera offsets, the crowd volume and the replay power use;
// std::nearbyint honours the default FE_TONEAREST mode, which we never change.
inline double RoundHalfEven(double v) { return std::nearbyint(v); }

// The same, clamped into the 16-bit range the match state stores. NaN gives 0.
inline std::int16_t RoundToInt16(double v) {
    if (std::isnan(v)) return 0;
    const double r = std::nearbyint(v);
    if (r > 32767.0) return 32767;
    if (r < -32768.0) return -32768;
    return static_cast<std::int16_t>(r);
}

}  // namespace zel
