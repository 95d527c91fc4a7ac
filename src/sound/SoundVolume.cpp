#include "sound/SoundVolume.h"

#include <algorithm>
#include <cmath>

namespace zel::sound {

int ClampVolume(int volume) { return std::clamp(volume, kQuietestVolume, kFullVolume); }

double GainFromVolume(int volume) { return std::pow(10.0, ClampVolume(volume) / 2000.0); }

}  // namespace zel::sound
