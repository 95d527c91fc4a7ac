#include "sound/DirectSoundModule.h"

#include <AL/al.h>

#include <cstdio>

#include "base/Dialogs.h"
#include "core/MatchState.h"
#include "sound/SoundError.h"
#include "sound/SoundTexts.h"
#include "sound/SoundVolume.h"
#include "sound/WaveData.h"

namespace zel::sound {

// One loaded sound: its samples in the output's memory and the one voice
// that plays them. Without an output only the file's name and length are
// kept. Releasing a slot silences it.
struct DirectSoundModule::Slot {
    SoundDevice* Device = nullptr;  // the output the buffer and source belong to
    std::string File;               // the file it was loaded from
    long long Frames = 0;           // length of the sound in sample frames
    int Volume = kFullVolume;       // the volume it last played at
    ALuint Buffer = 0;              // the samples; 0 without an output
    ALuint Source = 0;              // the voice; 0 without an output

    Slot() = default;
    Slot(const Slot&) = delete;
    Slot& operator=(const Slot&) = delete;
    ~Slot() {
        if (!Device || !Device->MakeCurrent()) return;
        if (Source != 0) {
            alSourceStop(Source);
            alSourcei(Source, AL_BUFFER, 0);
            alDeleteSources(1, &Source);
        }
        if (Buffer != 0) alDeleteBuffers(1, &Buffer);
        alGetError();
    }
};

namespace {

std::string AlErrorText(ALenum e) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(e));
    return text;
}

void ThrowIfAlError(const char* what) {
    const ALenum e = alGetError();
    if (e != AL_NO_ERROR)
        throw SoundError(SoundErrorCode::PlatformFailed,
                         std::string("звуковая система вернула ошибку ") + AlErrorText(e) + " (" + what + ")");
}

}  // namespace

DirectSoundModule::DirectSoundModule() = default;

DirectSoundModule::~DirectSoundModule() { ReleaseSlots(); }

void DirectSoundModule::ReleaseSlots() {
    for (auto& slot : slots_) slot.reset();
}

bool DirectSoundModule::InitSound(MatchState& s, Dialogs& dialogs) {
    return InitSound(s, dialogs, [] { return SoundDevice::OpenDefault(); });
}

bool DirectSoundModule::InitSound(MatchState& s, Dialogs& dialogs, const SoundDeviceOpener& open) {
    ReleaseSlots();
    device_.reset();
    if (open) device_ = open();
    if (!device_) {
        Message m;
        m.Text = texts::kNoSoundDevice;
        m.Icon = MsgIcon::Critical;
        m.Buttons = MsgButtons::Ok;
        dialogs.Ask(m);
        s.Sound = kFalse;
        return false;
    }
    return true;
}

DirectSoundModule::Slot* DirectSoundModule::FindSlot(int slot) {
    if (slot < 0 || slot >= kSlots) return nullptr;
    return slots_[static_cast<std::size_t>(slot)].get();
}

const DirectSoundModule::Slot* DirectSoundModule::FindSlot(int slot) const {
    if (slot < 0 || slot >= kSlots) return nullptr;
    return slots_[static_cast<std::size_t>(slot)].get();
}

void DirectSoundModule::LoadSound(const std::string& fileName, int slot) {
    if (slot < 0 || slot >= kSlots)
        throw SoundError(SoundErrorCode::BadSlot, "номер звука " + std::to_string(slot) + " вне пределов 0..9");
    const WaveData wave = ReadWaveFile(fileName);

    // The new slot is complete before the old one goes, so a failure leaves
    // the slot as it was.
    auto fresh = std::make_unique<Slot>();
    fresh->File = fileName;
    fresh->Frames = wave.Frames();
    if (device_) {
        if (!device_->MakeCurrent())
            throw SoundError(SoundErrorCode::PlatformFailed, "звуковое устройство не отвечает");
        fresh->Device = device_.get();
        alGetError();
        alGenBuffers(1, &fresh->Buffer);
        ThrowIfAlError("буфер");
        const ALenum format = wave.Channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
        alBufferData(fresh->Buffer, format, wave.Samples.data(),
                     static_cast<ALsizei>(wave.Samples.size() * sizeof(std::int16_t)), wave.SampleRate);
        ThrowIfAlError("данные буфера");
        alGenSources(1, &fresh->Source);
        ThrowIfAlError("источник");
        // Effects are heard as recorded, not placed in space around the
        // listener.
        alSourcei(fresh->Source, AL_SOURCE_RELATIVE, AL_TRUE);
        alSource3f(fresh->Source, AL_POSITION, 0, 0, 0);
        alSourcei(fresh->Source, AL_LOOPING, AL_FALSE);
        alSourcei(fresh->Source, AL_BUFFER, static_cast<ALint>(fresh->Buffer));
        ThrowIfAlError("источник");
    }
    slots_[static_cast<std::size_t>(slot)] = std::move(fresh);
}

void DirectSoundModule::PlaySound(int slot, int volume) noexcept {
    Slot* z = FindSlot(slot);
    if (!z || z->Source == 0 || !device_ || !device_->MakeCurrent()) return;
    z->Volume = ClampVolume(volume);
    alSourcef(z->Source, AL_GAIN, static_cast<ALfloat>(GainFromVolume(z->Volume)));
    ALint state = AL_STOPPED;
    alGetSourcei(z->Source, AL_SOURCE_STATE, &state);
    // A slot still sounding goes on at the new volume: one voice per slot.
    if (state != AL_PLAYING) alSourcePlay(z->Source);
    alGetError();
}

void DirectSoundModule::StopSound(int slot, bool rewind) noexcept {
    Slot* z = FindSlot(slot);
    if (!z || z->Source == 0 || !device_ || !device_->MakeCurrent()) return;
    // Pausing keeps the position, which is what a stop without rewind means.
    alSourcePause(z->Source);
    if (rewind) alSourceRewind(z->Source);
    alGetError();
}

std::string DirectSoundModule::SlotFile(int slot) const {
    const Slot* z = FindSlot(slot);
    return z ? z->File : std::string();
}

bool DirectSoundModule::IsPlaying(int slot) const {
    const Slot* z = FindSlot(slot);
    if (!z || z->Source == 0 || !device_ || !device_->MakeCurrent()) return false;
    ALint state = AL_STOPPED;
    alGetSourcei(z->Source, AL_SOURCE_STATE, &state);
    alGetError();
    return state == AL_PLAYING;
}

long long DirectSoundModule::PlayPosition(int slot) const {
    const Slot* z = FindSlot(slot);
    if (!z) return -1;
    if (z->Source == 0 || !device_ || !device_->MakeCurrent()) return 0;
    ALint offset = 0;
    alGetSourcei(z->Source, AL_SAMPLE_OFFSET, &offset);
    alGetError();
    return offset;
}

long long DirectSoundModule::SlotFrames(int slot) const {
    const Slot* z = FindSlot(slot);
    return z ? z->Frames : 0;
}

int DirectSoundModule::SlotVolume(int slot) const {
    const Slot* z = FindSlot(slot);
    return z ? z->Volume : kFullVolume;
}

}  // namespace zel::sound
