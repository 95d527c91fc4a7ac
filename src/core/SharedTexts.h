#pragma once

// Texts that several screens and layers of the game show, defined once so
// they cannot drift apart. A screen's own texts stay in its texts header.
namespace zel::texts {

// Buttons and headings more than one screen has.
inline constexpr const char* kHelp = "Помощь";
inline constexpr const char* kExit = "Выход";
inline constexpr const char* kBack = "< Назад";
inline constexpr const char* kQuickMatch = "Быстрая игра";  // the menu button and the setup heading

// The title of the game's warnings (the oval piece, the slow-names hint).
inline constexpr const char* kWarningTitle = "Предупреждение";

// The two 3D devices the options screen offers and the 3D start-up takes:
// software first (index 0), hardware second.
inline constexpr const char* kSoftwareDeviceId = "IID_IDirect3DRGBDevice";
inline constexpr const char* kHardwareDeviceId = "IID_IDirect3DHALDevice";

// The start of every 3D start-up failure message, the match's and the preview's.
inline constexpr const char* kDeviceErrorStart = "DirectX вернул ошибку: ";

// Line separators of multi-line message boxes.
inline constexpr const char* kNewLine = "\r\n";
inline constexpr const char* kBlankLine = "\r\n\r\n";

}  // namespace zel::texts
