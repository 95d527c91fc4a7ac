#pragma once
#include <cstddef>
#include <vector>

namespace zel::soundgen {

// The game's sound files: 22,050 frames per second, two channels, 16 bits.
inline constexpr int kSampleRate = 22050;
inline constexpr int kChannels = 2;
inline constexpr int kBitsPerSample = 16;

// A sound being made: two channels of samples in -1..1 at kSampleRate.
struct StereoSignal {
    std::vector<double> Left;   // left channel
    std::vector<double> Right;  // right channel, always as long as Left

    // A silent signal `seconds` long.
    static StereoSignal Silence(double seconds) {
        StereoSignal s;
        const auto n = static_cast<std::size_t>(seconds * kSampleRate + 0.5);
        s.Left.assign(n, 0.0);
        s.Right.assign(n, 0.0);
        return s;
    }
    std::size_t Frames() const { return Left.size(); }
    double Seconds() const { return static_cast<double>(Frames()) / kSampleRate; }
};

}  // namespace zel::soundgen
