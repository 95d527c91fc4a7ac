#pragma once
#include <functional>
#include <memory>
#include <vector>

namespace zel::sound {

// An open audio output with its mixing context. Either the system's default
// output, or a loopback output that mixes only when asked to (RenderFrames)
// and hands back the samples, which is how the tests listen without a
// sound card.
class SoundDevice {
public:
    // The default output; null when there is none.
    static std::unique_ptr<SoundDevice> OpenDefault();
    // A stereo loopback output mixing to 32-bit float at `sampleRate`; null
    // when the audio library has no loopback.
    static std::unique_ptr<SoundDevice> OpenLoopback(int sampleRate);

    ~SoundDevice();
    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;

    // Makes this output's context the one the audio calls go to. Every
    // operation on the slots calls it first, so several devices can live in
    // one process (the tests make many).
    bool MakeCurrent() const;
    bool IsLoopback() const { return loopback_; }
    int SampleRate() const { return sampleRate_; }

    // Loopback only: mixes the next `frames` frames and returns them
    // interleaved left, right. Empty for a device that is not loopback.
    std::vector<float> RenderFrames(int frames);

private:
    struct Handles;  // the audio library's device and context
    SoundDevice(std::unique_ptr<Handles> handles, bool loopback, int sampleRate);

    std::unique_ptr<Handles> handles_;  // the output and its context
    bool loopback_;                     // mixes on RenderFrames only
    int sampleRate_;                    // loopback frames per second; 0 when the system chooses
};

// How InitSound gets its output: the default output in the game, a loopback
// or nothing at all in the tests.
using SoundDeviceOpener = std::function<std::unique_ptr<SoundDevice>()>;

}  // namespace zel::sound
