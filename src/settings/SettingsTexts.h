#pragma once
#include "core/SharedTexts.h"

namespace zel::texts {

// --- the match setup screen ------------------------------------------------

// The model list of every slot, in list order; the entry index is the
// piece's model number.
inline constexpr int kModelEntryCount = 5;
inline constexpr const char* kModelNames[kModelEntryCount] = {
    "Вемба из Varnok", "Стандартная Вемба", "Квадратная Вемба", "Круглая Вемба",
    "Овальная Вемба"};

// The participant count label: its design text, and the prefix of the count.
inline constexpr const char* kGamersKolvoCaption = "Играет игроков:";
inline constexpr const char* kGamersKolvoPrefix = "Играет игроков: ";

// The warning when the oval piece is chosen (two blanks before "Овальная");
// its title is texts::kWarningTitle.
inline constexpr const char* kOvalUnavailable = "В этой версии Korvalo  Овальная Вемба недоступна.";

// --- the options screen ----------------------------------------------------

inline constexpr const char* kOptionsTitle = "Korvalo II: Параметры";
inline constexpr const char* kOptionsSaving = "Сохранение параметров...";
// "Готово" refuses the typed table size.
inline constexpr const char* kBadSizeInput = "Введенные значения некорректны. Повторите ввод.";
inline constexpr const char* kDefaultDriver = "Видеокарта по умолчанию";

// The 3D device list, in list order (index 0 software, 1 hardware).
inline constexpr int kDeviceEntryCount = 2;
inline constexpr const char* kDeviceNames[kDeviceEntryCount] = {
    "Программное (Software, использует DirectDraw)",
    "Аппаратное (HAL, использует Direct3D HAL)"};
// Their identifiers are texts::kSoftwareDeviceId and kHardwareDeviceId.

// The display modes offered, width x height x colour depth.
inline constexpr int kDisplayModeCount = 9;
inline constexpr const char* kDisplayModes[kDisplayModeCount] = {
    "1024x768x32", "1024x768x16", "1024x768x8", "800x600x32", "800x600x16",
    "800x600x8",   "640x480x32",  "640x480x16", "640x480x8"};

// --- the settings file -----------------------------------------------------

inline constexpr const char* kSettingsFileName = "zel.ini";
inline constexpr const char* kSettingsSection = "zelset";   // in zel.ini
inline constexpr const char* kReplaySection = "general";    // in any other file
inline constexpr const char* kLoadFailed = "Ошибка при загрузке параметров.";
inline constexpr const char* kSaveFailed = "Ошибка при сохранении параметров.";
inline constexpr const char* kErrorDescription = "Описание ошибки: ";
inline constexpr const char* kDefaultsFollow = "Параметры будут установлены по умолчанию.";
// A file without its section header; the section name and "]" follow.
inline constexpr const char* kNoSettingsSection = "в файле нет раздела [";
// Some values of zel.ini were unusable; the rest of the file was loaded.
inline constexpr const char* kSomeDefaultsFollow =
    "Для этих параметров будут установлены значения по умолчанию, остальные загружены из файла.";
// Where the file that failed to load was kept before anything replaces it.
inline constexpr const char* kDamagedFileKept = "Копия файла сохранена: ";
// No copy could be made: the file stays as it is.
inline constexpr const char* kDamagedFileLeft =
    "Копию файла сохранить не удалось, поэтому он не будет перезаписан.";

}  // namespace zel::texts
