#pragma once
#include <sndfile.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "sound/SoundDevice.h"

namespace zel::test {

// A fresh folder under the system's temporary folder, removed afterwards.
class SoundTempDir {
public:
    SoundTempDir() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("zel-sound-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~SoundTempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    std::string Root() const { return path_.string() + "/"; }

private:
    std::filesystem::path path_;  // the folder
};

// Writes a WAV file of a steady sine (amplitude 0..1 of full scale) through
// libsndfile in the given encoding (SF_FORMAT_PCM_16 unless told).
inline void WriteTone(const std::string& path, long frames, double amplitude, double hz, int channels = 2,
                      int rate = 22050, int encoding = SF_FORMAT_PCM_16, int container = SF_FORMAT_WAV) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = container | encoding;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f) return;
    std::vector<double> samples(static_cast<std::size_t>(frames * channels));
    const double pi = 4 * std::atan(1.0);
    for (long k = 0; k < frames; ++k)
        for (int c = 0; c < channels; ++c)
            samples[static_cast<std::size_t>(k * channels + c)] = amplitude * std::sin(2 * pi * hz * k / rate);
    sf_writef_double(f, samples.data(), frames);
    sf_close(f);
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Root mean square of interleaved stereo frames [from, to).
inline double Rms(const std::vector<float>& stereo, std::size_t from, std::size_t to) {
    double sum = 0;
    std::size_t n = 0;
    for (std::size_t k = from * 2; k < to * 2 && k < stereo.size(); ++k, ++n) sum += stereo[k] * stereo[k];
    return n ? std::sqrt(sum / static_cast<double>(n)) : 0;
}

inline double Peak(const std::vector<float>& stereo) {
    double p = 0;
    for (float v : stereo) p = std::max(p, static_cast<double>(std::abs(v)));
    return p;
}

// The loopback output every sound test listens through.
inline sound::SoundDeviceOpener Loopback(int rate = 22050) {
    return [rate] { return sound::SoundDevice::OpenLoopback(rate); };
}

}  // namespace zel::test
