#pragma once

// Captions and messages of the saved-games browser frmLoadGame, exactly as
// the game shows them. Lines of multi-line messages are separated by CR LF.
#include "core/SharedTexts.h"

namespace zel::screens::texts {

inline constexpr const char* kLoadGameCaptionSuffix = ": загрузка игры";
inline constexpr const char* kStoredGames = "Записанные игры:";
inline constexpr const char* kSelectAndLoad = "Выделите файл в списке и нажмите \"Загрузить\"";
inline constexpr const char* kInfo = "Инфо";
inline constexpr const char* kUpdateWindow = "Обновить";
inline constexpr const char* kUpdateWindowTip = "Обновить список файлов";
inline constexpr const char* kDelete = "Удалить";
inline constexpr const char* kLoad = "Загрузить...";

// The two modes: file pattern, title, heading of the information box.
inline constexpr const char* kReplayPattern = "*.sav";
inline constexpr const char* kReplayTitle = "Загрузка повтора";
inline constexpr const char* kReplayInfoHeading = "Информация о записанном повторе:";
inline constexpr const char* kSavedPattern = "*.zel";
inline constexpr const char* kSavedTitle = "Загрузка сохраненной игры";
inline constexpr const char* kSavedInfoHeading = "Информация о сохраненной игре:";

inline constexpr const char* kInfoNoFile =
    "Эта команда используется для вывода даты и времени сохраненной игры. Выделите файл и "
    "нажмите на эту кнопку еще раз.";
inline constexpr const char* kInfoVersion = "Версия/Билд: ";
inline constexpr const char* kInfoDateTime = "дата и время записи: ";
inline constexpr const char* kFileMissing = "Указанный файл не существует!";
inline constexpr const char* kNoFileSelected = "Нет выбранных файлов!";
inline constexpr const char* kSelectFirst = "Сначала выберите файл!";
inline constexpr const char* kDeleteTitle = "Удаление сохраненной игры";
inline constexpr const char* kDeleteQuestion = "Вы уверены, что хотите удалить файл";
inline constexpr const char* kOlderReplay =
    "Игра записана более ранней версией Korvalo. Попытаться открыть файл?";
inline constexpr const char* kOlderSavedGame =
    "Игра записана более ранней версией Korvalo. Просмотр повтора может оказаться неудачным. "
    "Продолжить?";
inline constexpr const char* kBadTable = "Размеры поля заданы неверно.";

// The game's own additions: the places of the folder tree, the mode switch,
// and what a damaged file is told with.
inline constexpr const char* kPlaceGameFolder = "Папка игры";
inline constexpr const char* kPlaceHome = "Домашняя папка";
inline constexpr const char* kShowLabel = "Показать:";
inline constexpr const char* kShowReplays = "повторы (*.sav)";
inline constexpr const char* kShowSavedGames = "сохраненные игры (*.zel)";
inline constexpr const char* kReplayUnusable =
    "Ошибка при чтении файла повтора! Возможно, он поврежден или не содержит сохраненную игру.";
inline constexpr const char* kNoReplayOfContinuedGame =
    "Продолженная игра не записывает повтор: сохранить можно только повтор игры, сыгранной с начала.";
inline constexpr const char* kSavedGameUnusable =
    "Ошибка при чтении сохраненной игры! Возможно, файл поврежден или не содержит сохраненную игру.";

}  // namespace zel::screens::texts
