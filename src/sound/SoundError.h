#pragma once
#include <stdexcept>
#include <string>

namespace zel::sound {

// The sound layer's error numbers. Scene construction prints the number and
// the description of a failing load, so each failure has its own number.
enum class SoundErrorCode : int {
    NoDevice = 2001,        // the sound device was never created
    BadSlot = 2002,         // a slot number outside 0..9
    FileNotFound = 2003,    // the WAV file does not exist
    BadWaveFile = 2004,     // the file could not be read as a WAV file
    BadWaveFormat = 2005,   // channels or sample rate the game does not play
    WaveTooLong = 2006,     // more sound than a short effect can hold
    EmptyWave = 2007,       // a WAV file with no samples
    PlatformFailed = 2008,  // the audio library refused a buffer or source
};

// One failure of the sound layer: the number and description the messages
// show. what() is the description.
struct SoundError : std::runtime_error {
    SoundError(SoundErrorCode code, const std::string& description);

    SoundErrorCode Code;      // which failure
    int Number;               // the number shown to the user
    std::string Description;  // what went wrong, in the user's language
};

}  // namespace zel::sound
