#include "sound/WaveData.h"

#include <sndfile.h>

#include <filesystem>
#include <memory>
#include <system_error>

#include "sound/SoundError.h"

namespace zel::sound {

namespace {

// Sample rates outside this range are not sound a person hears from a file.
constexpr int kMinSampleRate = 1000;
constexpr int kMaxSampleRate = 192000;
// Frames read per call.
constexpr sf_count_t kReadChunk = 8192;

struct SndfileCloser {
    void operator()(SNDFILE* f) const { sf_close(f); }
};

}  // namespace

WaveData ReadWaveFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        throw SoundError(SoundErrorCode::FileNotFound, "файл не найден: " + path);

    SF_INFO info{};
    std::unique_ptr<SNDFILE, SndfileCloser> file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file)
        throw SoundError(SoundErrorCode::BadWaveFile,
                         "файл не читается как WAV: " + path + " (" + sf_strerror(nullptr) + ")");
    const int major = info.format & SF_FORMAT_TYPEMASK;
    if (major != SF_FORMAT_WAV && major != SF_FORMAT_WAVEX)
        throw SoundError(SoundErrorCode::BadWaveFile, "файл не в формате WAV: " + path);
    if (info.channels < 1 || info.channels > 2 || info.samplerate < kMinSampleRate ||
        info.samplerate > kMaxSampleRate)
        throw SoundError(SoundErrorCode::BadWaveFormat,
                         "формат звука не поддерживается (" + std::to_string(info.channels) + " каналов, " +
                             std::to_string(info.samplerate) + " Гц): " + path);
    if (info.frames > kMaxWaveFrames) throw SoundError(SoundErrorCode::WaveTooLong, "звук слишком длинный: " + path);

    // Floating-point files are read at full scale, not as raw -1..1.
    sf_command(file.get(), SFC_SET_SCALE_FLOAT_INT_READ, nullptr, SF_TRUE);

    WaveData wave;
    wave.Channels = info.channels;
    wave.SampleRate = info.samplerate;
    // The header's frame count may be wrong in a damaged file: read until the
    // data ends, never past the bound.
    std::vector<std::int16_t> chunk(static_cast<std::size_t>(kReadChunk * info.channels));
    long long frames = 0;
    for (;;) {
        const sf_count_t got = sf_readf_short(file.get(), chunk.data(), kReadChunk);
        if (got <= 0) break;
        frames += got;
        if (frames > kMaxWaveFrames)
            throw SoundError(SoundErrorCode::WaveTooLong, "звук слишком длинный: " + path);
        wave.Samples.insert(wave.Samples.end(), chunk.begin(), chunk.begin() + got * info.channels);
    }
    if (frames == 0) throw SoundError(SoundErrorCode::EmptyWave, "в файле нет звука: " + path);
    return wave;
}

}  // namespace zel::sound
