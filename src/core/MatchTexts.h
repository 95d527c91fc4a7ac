#pragma once

namespace zel {

// The status and prompt lines the match window shows, word for word.
namespace texts {
inline constexpr const char* kAimHint =
    "Выберите точку и направление удара клавишами 4,6 в правой части клавиатуры и <-,->.";
inline constexpr const char* kTurnChange = "Переход хода!";
inline constexpr const char* kNobodyLeft = "Вы живых не осталось никого...Все сгинули!";
inline constexpr const char* kMatchOver = "Вемба закончена!";
inline constexpr const char* kPowerPrefix = "Сила удара: ";
inline constexpr const char* kQuitPrompt = "Выйти из игры? (Y/N)";
inline constexpr const char* kParamsFixed = "[Параметры удара фиксированы]";
inline constexpr const char* kNamesHidden = "[Имена скрыты]";
inline constexpr const char* kWhoseTurn = "Ходит игрок ";
inline constexpr const char* kReplayEnd = "Конец записи!";
inline constexpr const char* kReplayTitle = "Просмотр повтора";
inline constexpr const char* kLoadingSuffix = ": загрузка...";
// F5, saving the match.
inline constexpr const char* kSavedTo = "Игра сохранена в файл ";
inline constexpr const char* kSaveGameFailed = "Не удалось сохранить игру: ";
inline constexpr const char* kSaveNotNow = "Сохранить игру можно только тогда, когда игрок целится.";
inline constexpr const char* kSaveInReplay = "Повтор не сохраняется: это запись уже сыгранной игры.";
inline constexpr const char* kSaveAfterEnd = "Вемба закончена: сохранять нечего.";
inline constexpr const char* kSaveTeamGame = "Командную игру сохранить нельзя.";
inline constexpr const char* kSaveNoFolder = "Не удалось сохранить игру: не задана папка для сохранений.";
}  // namespace texts

}  // namespace zel
