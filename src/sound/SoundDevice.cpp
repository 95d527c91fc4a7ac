#include "sound/SoundDevice.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <algorithm>
#include <utility>

namespace zel::sound {

namespace {

// Loopback entry points of OpenAL Soft, looked up at run time since they are
// an extension.
struct LoopbackApi {
    LPALCLOOPBACKOPENDEVICESOFT Open = nullptr;
    LPALCISRENDERFORMATSUPPORTEDSOFT FormatSupported = nullptr;
    LPALCRENDERSAMPLESSOFT Render = nullptr;
};

LoopbackApi GetLoopbackApi() {
    LoopbackApi api;
    if (alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback") != ALC_TRUE) return api;
    api.Open = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    api.FormatSupported = reinterpret_cast<LPALCISRENDERFORMATSUPPORTEDSOFT>(
        alcGetProcAddress(nullptr, "alcIsRenderFormatSupportedSOFT"));
    api.Render = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
    return api;
}

// Longest block mixed per call; RenderFrames loops over larger requests.
// The mixer moves to a new volume over one block, so blocks are kept short.
constexpr int kRenderBlock = 256;

}  // namespace

struct SoundDevice::Handles {
    ALCdevice* Device = nullptr;    // the output
    ALCcontext* Context = nullptr;  // where sources and the listener live
};

SoundDevice::SoundDevice(std::unique_ptr<Handles> handles, bool loopback, int sampleRate)
    : handles_(std::move(handles)), loopback_(loopback), sampleRate_(sampleRate) {}

SoundDevice::~SoundDevice() {
    if (alcGetCurrentContext() == handles_->Context) alcMakeContextCurrent(nullptr);
    alcDestroyContext(handles_->Context);
    alcCloseDevice(handles_->Device);
}

std::unique_ptr<SoundDevice> SoundDevice::OpenDefault() {
    ALCdevice* device = alcOpenDevice(nullptr);
    if (!device) return nullptr;
    ALCcontext* context = alcCreateContext(device, nullptr);
    if (!context) {
        alcCloseDevice(device);
        return nullptr;
    }
    std::unique_ptr<SoundDevice> d(new SoundDevice(std::make_unique<Handles>(Handles{device, context}), false, 0));
    if (!d->MakeCurrent()) return nullptr;
    return d;
}

std::unique_ptr<SoundDevice> SoundDevice::OpenLoopback(int sampleRate) {
    const LoopbackApi api = GetLoopbackApi();
    if (!api.Open || !api.FormatSupported || !api.Render || sampleRate <= 0) return nullptr;
    ALCdevice* device = api.Open(nullptr);
    if (!device) return nullptr;
    if (api.FormatSupported(device, sampleRate, ALC_STEREO_SOFT, ALC_FLOAT_SOFT) != ALC_TRUE) {
        alcCloseDevice(device);
        return nullptr;
    }
    const ALCint attrs[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_FLOAT_SOFT,
                            ALC_FREQUENCY, sampleRate, 0};
    ALCcontext* context = alcCreateContext(device, attrs);
    if (!context) {
        alcCloseDevice(device);
        return nullptr;
    }
    std::unique_ptr<SoundDevice> d(
        new SoundDevice(std::make_unique<Handles>(Handles{device, context}), true, sampleRate));
    if (!d->MakeCurrent()) return nullptr;
    return d;
}

bool SoundDevice::MakeCurrent() const {
    if (alcGetCurrentContext() == handles_->Context) return true;
    return alcMakeContextCurrent(handles_->Context) == ALC_TRUE;
}

std::vector<float> SoundDevice::RenderFrames(int frames) {
    std::vector<float> out;
    if (!loopback_ || frames <= 0) return out;
    const LoopbackApi api = GetLoopbackApi();
    if (!api.Render) return out;
    out.resize(static_cast<std::size_t>(frames) * 2);
    for (int done = 0; done < frames;) {
        const int n = std::min(kRenderBlock, frames - done);
        api.Render(handles_->Device, out.data() + static_cast<std::size_t>(done) * 2, n);
        done += n;
    }
    return out;
}

}  // namespace zel::sound
