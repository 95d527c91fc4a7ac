#pragma once

namespace zel::sound::texts {

// Shown once at start-up when no audio output can be opened.
inline constexpr const char* kNoSoundDevice =
    "Ошибка при инициализации DirectSound. Убедитесь, что ваша звуковая карта правильно установлена.";

}  // namespace zel::sound::texts
