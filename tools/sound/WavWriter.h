#pragma once
#include <string>

#include "StereoSignal.h"

namespace zel::soundgen {

// The bytes of a WAV file holding `s`: RIFF, PCM, 2 channels, 22,050
// frames per second, 16 bits, block alignment 4, 88,200 bytes per second.
// Samples are rounded to the nearest step and held to the 16-bit range.
std::string EncodeWav(const StereoSignal& s);

// Writes EncodeWav(s) to `path`, through a temporary file renamed over the
// old one. False when the file cannot be written.
bool WriteWavFile(const std::string& path, const StereoSignal& s);

}  // namespace zel::soundgen
