#include "WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "base/AtomicFile.h"

namespace zel::soundgen {

namespace {

void Put16(std::string& out, std::uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

void Put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::int16_t ToPcm(double x) {
    const double scaled = std::round(x * 32767.0);
    return static_cast<std::int16_t>(std::clamp(scaled, -32768.0, 32767.0));
}

}  // namespace

std::string EncodeWav(const StereoSignal& s) {
    constexpr std::uint32_t kBlockAlign = kChannels * kBitsPerSample / 8;
    const auto dataBytes = static_cast<std::uint32_t>(s.Frames() * kBlockAlign);
    std::string out;
    out.reserve(44 + dataBytes);
    out += "RIFF";
    Put32(out, 36 + dataBytes);
    out += "WAVE";
    out += "fmt ";
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, kChannels);
    Put32(out, kSampleRate);
    Put32(out, kSampleRate * kBlockAlign);
    Put16(out, static_cast<std::uint16_t>(kBlockAlign));
    Put16(out, kBitsPerSample);
    out += "data";
    Put32(out, dataBytes);
    for (std::size_t k = 0; k < s.Frames(); ++k) {
        Put16(out, static_cast<std::uint16_t>(ToPcm(s.Left[k])));
        Put16(out, static_cast<std::uint16_t>(ToPcm(s.Right[k])));
    }
    return out;
}

bool WriteWavFile(const std::string& path, const StereoSignal& s) {
    const std::string bytes = EncodeWav(s);
    int err = 0;
    return ReplaceFileAtomically(path, bytes, err);
}

}  // namespace zel::soundgen
