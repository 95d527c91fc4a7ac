#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace zel::sound {

// Longest sound a slot takes, in sample frames: a little over three minutes
// at 22,050 frames per second. The game's effects last a second or two; the
// bound keeps a damaged or foreign file from filling the memory.
inline constexpr long long kMaxWaveFrames = 1LL << 22;

// The samples of one WAV file as the slots play them: 16-bit, interleaved.
struct WaveData {
    int Channels = 0;                    // 1 or 2
    int SampleRate = 0;                  // frames per second
    std::vector<std::int16_t> Samples;   // Frames() * Channels values

    long long Frames() const { return Channels > 0 ? static_cast<long long>(Samples.size()) / Channels : 0; }
};

// Reads a WAV file (any sample encoding libsndfile reads from a RIFF WAV,
// converted to 16 bits). Throws SoundError: FileNotFound when it does not
// exist, BadWaveFile when it is not a readable WAV file, BadWaveFormat for
// other than one or two channels or an unusable sample rate, WaveTooLong
// past kMaxWaveFrames, EmptyWave when it holds no samples.
WaveData ReadWaveFile(const std::string& path);

}  // namespace zel::sound
