#include <gtest/gtest.h>

#include <string>

#include "SoundTestSupport.h"
#include "sound/SoundError.h"
#include "sound/WaveData.h"

namespace zel::sound {
namespace {

using test::SoundTempDir;
using test::WriteTone;

SoundErrorCode FailureOf(const std::string& path) {
    try {
        ReadWaveFile(path);
    } catch (const SoundError& e) {
        return e.Code;
    }
    return static_cast<SoundErrorCode>(0);
}

TEST(WaveFile, OtherEncodingsChannelCountsAndRatesAreReadAsSixteenBit) {
    SoundTempDir dir;
    WriteTone(dir.File("mono8.wav"), 300, 0.5, 441, 1, 11025, SF_FORMAT_PCM_U8);
    const WaveData mono = ReadWaveFile(dir.File("mono8.wav"));
    EXPECT_EQ(mono.Channels, 1);
    EXPECT_EQ(mono.SampleRate, 11025);
    EXPECT_EQ(mono.Frames(), 300);

    WriteTone(dir.File("float.wav"), 400, 1.0, 441, 2, 44100, SF_FORMAT_FLOAT);
    const WaveData stereo = ReadWaveFile(dir.File("float.wav"));
    EXPECT_EQ(stereo.Channels, 2);
    EXPECT_EQ(stereo.Frames(), 400);
    int top = 0;
    for (std::int16_t v : stereo.Samples) top = std::max(top, std::abs(static_cast<int>(v)));
    EXPECT_GT(top, 32000);  // full scale stays full scale
}

TEST(WaveFile, MissingDamagedAndForeignFilesAreRefusedWithTheirReason) {
    SoundTempDir dir;
    EXPECT_EQ(FailureOf(dir.File("nothing.wav")), SoundErrorCode::FileNotFound);
    EXPECT_EQ(FailureOf(dir.Root()), SoundErrorCode::FileNotFound);  // a folder is no file
    test::WriteBytes(dir.File("junk.wav"), std::string(200, '\x7f'));
    EXPECT_EQ(FailureOf(dir.File("junk.wav")), SoundErrorCode::BadWaveFile);
    test::WriteBytes(dir.File("zero.wav"), "");
    EXPECT_EQ(FailureOf(dir.File("zero.wav")), SoundErrorCode::BadWaveFile);
    WriteTone(dir.File("tone.aiff"), 300, 0.5, 441, 2, 22050, SF_FORMAT_PCM_16, SF_FORMAT_AIFF);
    EXPECT_EQ(FailureOf(dir.File("tone.aiff")), SoundErrorCode::BadWaveFile);
    WriteTone(dir.File("three.wav"), 300, 0.5, 441, 3);
    EXPECT_EQ(FailureOf(dir.File("three.wav")), SoundErrorCode::BadWaveFormat);
    WriteTone(dir.File("empty.wav"), 0, 0.5, 441);
    EXPECT_EQ(FailureOf(dir.File("empty.wav")), SoundErrorCode::EmptyWave);
}

TEST(WaveFile, ACutOffFileGivesTheSamplesThatAreThere) {
    SoundTempDir dir;
    WriteTone(dir.File("tone.wav"), 1000, 0.5, 441);
    // Drop the last 400 frames but keep the header's claim of 1000.
    std::filesystem::resize_file(dir.File("tone.wav"), std::filesystem::file_size(dir.File("tone.wav")) - 1600);
    const WaveData w = ReadWaveFile(dir.File("tone.wav"));
    EXPECT_EQ(w.Frames(), 600);
}

TEST(WaveFile, MoreThanAShortEffectIsRefused) {
    SoundTempDir dir;
    WriteTone(dir.File("long.wav"), static_cast<long>(kMaxWaveFrames) + 1, 0.1, 441, 1, 22050, SF_FORMAT_PCM_U8);
    EXPECT_EQ(FailureOf(dir.File("long.wav")), SoundErrorCode::WaveTooLong);
}

}  // namespace
}  // namespace zel::sound
