#include "sound/SoundError.h"

namespace zel::sound {

SoundError::SoundError(SoundErrorCode code, const std::string& description)
    : std::runtime_error(description), Code(code), Number(static_cast<int>(code)), Description(description) {}

}  // namespace zel::sound
