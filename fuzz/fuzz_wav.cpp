// Sound effects (WAV) through the game's loader.
#include "FuzzSupport.h"
#include "sound/SoundError.h"
#include "sound/WaveData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zel::fuzz::SlowestInput slowest("input");
    const zel::fuzz::Timed timed(slowest);
    const std::string path = zel::fuzz::WriteInput(zel::fuzz::Bytes(data, size), "input.wav");
    try {
        (void)zel::sound::ReadWaveFile(path);
    } catch (const zel::sound::SoundError&) {
        // A refused file is the expected outcome for most inputs.
    }
    return 0;
}
