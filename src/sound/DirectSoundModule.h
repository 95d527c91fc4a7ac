#pragma once
#include <array>
#include <memory>
#include <string>

#include "sound/SoundDevice.h"

namespace zel {
struct MatchState;
class Dialogs;
}  // namespace zel

namespace zel::sound {

// The game's sound effects: one audio output, opened at start-up and kept
// for the whole run, and ten slots 0..9, each holding one sound that scene
// construction loads for every match. The match core decides when a slot
// plays; playing is fire and forget. Sound fails soft: without an output the
// game goes on silently, and playing or stopping never reports anything.
//
// Each slot has one voice, so a slot never sounds twice at the same time:
// playing a slot that is still sounding only changes its volume; playing it
// after it has finished starts it from the beginning; playing it after a
// stop without rewind goes on from where it stopped.
//
// The module is the program's own object, created once and passed to the
// windows that use it; it must outlive them. Single-threaded: the window
// thread only (the audio library mixes on its own thread).
class DirectSoundModule {
public:
    static constexpr int kSlots = 10;

    DirectSoundModule();
    ~DirectSoundModule();
    DirectSoundModule(const DirectSoundModule&) = delete;
    DirectSoundModule& operator=(const DirectSoundModule&) = delete;

    // Start-up: opens the default output. When there is none the message
    // "Ошибка при инициализации DirectSound..." is shown with the critical
    // icon and the match state's Sound switch is turned off; the program goes
    // on. Returns whether an output is open. A second call releases the
    // previous output and its slots first.
    bool InitSound(MatchState& s, Dialogs& dialogs);
    // The same with the output `open` returns (null: no output).
    bool InitSound(MatchState& s, Dialogs& dialogs, const SoundDeviceOpener& open);

    // Reads the WAV file `fileName` into `slot` (0..9), replacing and
    // silencing what the slot held. Throws SoundError for a slot outside
    // 0..9 and for a file that is missing or cannot be read; the slot then
    // keeps what it held. Without an output the file is still read and
    // checked (so a damaged installation is still reported) and the slot
    // remembers it, but nothing can be played.
    void LoadSound(const std::string& fileName, int slot);

    // Plays `slot` once at `volume` (hundredths of a decibel, 0 full,
    // held to -10000..0). A slot outside 0..9, an empty slot or a missing
    // output does nothing.
    void PlaySound(int slot, int volume) noexcept;

    // Stops `slot` where it is; with `rewind` its next play starts from the
    // beginning. A slot outside 0..9 or an empty slot does nothing.
    void StopSound(int slot, bool rewind) noexcept;

    // --- what the slots hold, for the windows and the tests -----------------
    bool HasDevice() const { return device_ != nullptr; }
    // The output, or null; a loopback output is mixed through it.
    SoundDevice* Device() { return device_.get(); }
    // The file last loaded into `slot`; empty for an empty slot or one
    // outside 0..9.
    std::string SlotFile(int slot) const;
    // Whether `slot` is sounding now.
    bool IsPlaying(int slot) const;
    // Where the next play of `slot` starts, in sample frames of its sound
    // (0 after a rewind or a finished play); -1 for an empty slot.
    long long PlayPosition(int slot) const;
    // Frames in the sound of `slot`; 0 for an empty slot.
    long long SlotFrames(int slot) const;
    // The volume `slot` last played at; kFullVolume before its first play.
    int SlotVolume(int slot) const;

private:
    struct Slot;
    void ReleaseSlots();
    Slot* FindSlot(int slot);
    const Slot* FindSlot(int slot) const;

    std::unique_ptr<SoundDevice> device_;          // null without an output
    std::array<std::unique_ptr<Slot>, kSlots> slots_;  // null while unfilled
};

}  // namespace zel::sound
