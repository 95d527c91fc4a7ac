#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "SoundEffects.h"
#include "WavWriter.h"
#include "sound/WaveData.h"

namespace zel::soundgen {
namespace {

std::uint32_t Le(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

std::string ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

std::string GameFile(const char* name) { return std::string(ZEL_GAMEDATA_ROOT) + "gamedata/sound/" + name; }

TEST(SoundContent, EveryFileIsStereoSixteenBitPcmAt22050) {
    for (const SoundEffect& e : SoundEffects()) {
        const std::string b = ReadAll(GameFile(e.FileName));
        ASSERT_GE(b.size(), 44u) << e.FileName;
        EXPECT_EQ(b.substr(0, 4), "RIFF");
        EXPECT_EQ(Le(b, 4, 4), b.size() - 8) << e.FileName;
        EXPECT_EQ(b.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(Le(b, 16, 4), 16u);
        EXPECT_EQ(Le(b, 20, 2), 1u) << "PCM";
        EXPECT_EQ(Le(b, 22, 2), 2u) << "channels";
        EXPECT_EQ(Le(b, 24, 4), 22050u) << "frames per second";
        EXPECT_EQ(Le(b, 28, 4), 88200u) << "bytes per second";
        EXPECT_EQ(Le(b, 32, 2), 4u) << "block alignment";
        EXPECT_EQ(Le(b, 34, 2), 16u) << "bits";
        EXPECT_EQ(b.substr(36, 4), "data");
        EXPECT_EQ(Le(b, 40, 4), b.size() - 44) << e.FileName;
        // The build wrote what the recipe makes today.
        EXPECT_EQ(b, EncodeWav(e.Make())) << e.FileName;
    }
}

TEST(SoundContent, EachSoundIsShortStartsAndEndsOnSilenceAndNeverClips) {
    for (const SoundEffect& e : SoundEffects()) {
        const sound::WaveData w = sound::ReadWaveFile(GameFile(e.FileName));
        const double seconds = static_cast<double>(w.Frames()) / w.SampleRate;
        EXPECT_GE(seconds, 0.2) << e.FileName;
        EXPECT_LE(seconds, 2.0) << e.FileName;
        int peak = 0;
        for (std::int16_t v : w.Samples) peak = std::max(peak, std::abs(static_cast<int>(v)));
        EXPECT_GT(peak, 32767 * 0.4) << e.FileName << " is loud enough to hear";
        EXPECT_LT(peak, 32767 * 0.95) << e.FileName << " leaves headroom";
        // No click at either end.
        EXPECT_LT(std::abs(static_cast<int>(w.Samples.front())), 200) << e.FileName;
        EXPECT_LT(std::abs(static_cast<int>(w.Samples.back())), 200) << e.FileName;
    }
}

// The two channels mixed to one, -1..1.
std::vector<double> Mono(const StereoSignal& s) {
    std::vector<double> m(s.Frames());
    for (std::size_t k = 0; k < s.Frames(); ++k) m[k] = (s.Left[k] + s.Right[k]) / 2;
    return m;
}

TEST(SoundContent, NoTwoSoundsAreAlike) {
    std::vector<std::vector<double>> sounds;
    for (const SoundEffect& e : SoundEffects()) sounds.push_back(Mono(e.Make()));
    for (std::size_t a = 0; a < sounds.size(); ++a) {
        for (std::size_t b = a + 1; b < sounds.size(); ++b) {
            const std::size_t n = std::min(sounds[a].size(), sounds[b].size());
            double ab = 0, aa = 0, bb = 0;
            for (std::size_t k = 0; k < n; ++k) {
                ab += sounds[a][k] * sounds[b][k];
                aa += sounds[a][k] * sounds[a][k];
                bb += sounds[b][k] * sounds[b][k];
            }
            EXPECT_LT(std::abs(ab) / std::sqrt(aa * bb), 0.5)
                << SoundEffects()[a].FileName << " and " << SoundEffects()[b].FileName;
        }
    }
}

TEST(SoundContent, SynthesisIsTheSameOnEveryRun) {
    for (const SoundEffect& e : SoundEffects()) EXPECT_EQ(EncodeWav(e.Make()), EncodeWav(e.Make())) << e.FileName;
}

TEST(SoundContent, SamplesAreRoundedAndHeldToSixteenBits) {
    StereoSignal s = StereoSignal::Silence(0);
    s.Left = {1.5, 0.5, -1.5, 0.0};
    s.Right = {-1.0, 1.0 / 32767, 2.0 / 32767 * 0.74, -0.5};
    const std::string b = EncodeWav(s);
    ASSERT_EQ(b.size(), 44u + 16u);
    const auto sample = [&](int k) { return static_cast<std::int16_t>(Le(b, 44 + 2 * static_cast<std::size_t>(k), 2)); };
    EXPECT_EQ(sample(0), 32767);
    EXPECT_EQ(sample(1), -32767);
    EXPECT_EQ(sample(2), 16384);  // 16383.5 rounds away from zero
    EXPECT_EQ(sample(3), 1);
    EXPECT_EQ(sample(4), -32768);
    EXPECT_EQ(sample(5), 1);
    EXPECT_EQ(sample(6), 0);
    EXPECT_EQ(sample(7), -16384);
}

}  // namespace
}  // namespace zel::soundgen
