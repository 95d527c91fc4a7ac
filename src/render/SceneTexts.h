#pragma once
#include "core/SharedTexts.h"

namespace zel::render::texts {

// Captions shown while the 3D start-up and the scene construction run.
inline constexpr const char* kCaptionInitDevice = "Инициализация Direct3D...";
inline constexpr const char* kCaptionScene = "Загрузка сцены...";
inline constexpr const char* kCaptionRoom = "Загрузка комнаты...";
inline constexpr const char* kCaptionTable = "Загрузка стола...";
inline constexpr const char* kCaptionTableTexture = "Загрузка текстуры стола...";
inline constexpr const char* kCaptionPieces = "Загрузка вемб...";
inline constexpr const char* kCaptionWalls = "Загрузка стенок...";
inline constexpr const char* kCaptionPosts = "Загрузка пип...";
inline constexpr const char* kCaptionNames = "Загрузка имен...";
inline constexpr const char* kCaptionLights = "Установка источников света...";
inline constexpr const char* kCaptionSounds = "Загрузка звуков...";

// The 3D start-up's failure message, around the error's number, description
// and source.
inline constexpr const char* kDeviceErrorSourceSeparator = "; ";
inline constexpr const char* kDeviceErrorAdvice = ". Для устранения неполадки попробуйте следующее:";
inline constexpr const char* kDeviceErrorStep1 = "1. Изменить параметры графики";
inline constexpr const char* kDeviceErrorStep2 = "2. Перезапустить игру";
inline constexpr const char* kDeviceErrorStep3 = "3. Перезагрузить Windows.";
inline constexpr const char* kDeviceErrorSupport = "При повторении этой ошибки обратитесь в службу поддержки Merovane.";

// The scene construction's question after a failing statement.
inline constexpr const char* kSceneErrorStart = "Ошибка при создании сцены: ";
inline constexpr const char* kSceneErrorFiles = ". Возможно отсутствуют или повреждены некоторые файлы .х или .wav. Если это сообщение будет повторяться постоянно, переустановите ZEL.";
inline constexpr const char* kSceneErrorQuestion = "Продолжить выполнение программы (возможно с ошибками)?";

// The log line when the match window gets no OpenGL surface and shows the
// picture through the raster window instead (written once).
inline constexpr const char* kNoOpenGlSurface =
    "Окно не получило поверхность OpenGL: кадр выводится через растровое окно (медленнее)";

using zel::texts::kDeviceErrorStart;
// The device identifiers (the texture filter follows the hardware one).
using zel::texts::kHardwareDeviceId;
using zel::texts::kSoftwareDeviceId;

}  // namespace zel::render::texts
