#pragma once

namespace zel::sound {

// Volumes are hundredths of a decibel: 0 is the sound as recorded, negative
// values are quieter. The quietest volume the slots take is -100 dB, where a
// sound can no longer be heard; louder than recorded is not possible.
inline constexpr int kFullVolume = 0;
inline constexpr int kQuietestVolume = -10000;

// `volume` held to kQuietestVolume..kFullVolume. A volume out of range
// (the crowd heard from far outside the room) plays at the nearest end
// rather than at whatever volume the slot had before.
int ClampVolume(int volume);

// The amplitude factor of a volume: 10^(volume / 2000), after ClampVolume.
double GainFromVolume(int volume);

}  // namespace zel::sound
