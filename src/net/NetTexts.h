#pragma once

namespace zel {

// What the network play says to the player, word for word. The texts that
// take a detail end in ": " or a blank; the detail follows them.
namespace nettexts {
inline constexpr const char* kTitle = "Сетевая игра";
// Hello carried another build number; the detail says both.
inline constexpr const char* kOtherBuild = "Другая версия игры: ";
inline constexpr const char* kOtherBuildDetail = "у вас сборка %1, у другого компьютера сборка %2.";
inline constexpr const char* kOtherProtocol =
    "Другая версия игры: другой компьютер говорит на другом языке сетевой игры.";
inline constexpr const char* kMalformed = "Другой компьютер прислал негодное сообщение: ";
inline constexpr const char* kOversized = "Другой компьютер прислал слишком длинное сообщение.";
inline constexpr const char* kOutOfTurn = "Другой компьютер прислал сообщение не в свой черед: ";
inline constexpr const char* kRefusedByOther = "Другой компьютер отказался от игры: ";
inline constexpr const char* kConnectionLost = "Связь с другим компьютером потеряна.";
inline constexpr const char* kSilence = "Другой компьютер молчит уже 30 секунд: связь прервана.";
inline constexpr const char* kOtherQuit = "Другой компьютер вышел из игры.";
inline constexpr const char* kYouQuit = "Вы вышли из сетевой игры.";
inline constexpr const char* kCannotListen = "Не удалось открыть порт для игры: ";
inline constexpr const char* kCannotConnect = "Не удалось подключиться к другому компьютеру: ";
inline constexpr const char* kBadSetup = "Другой компьютер прислал негодную расстановку: ";
inline constexpr const char* kDrift =
    "Сетевая игра: положение на столе разошлось с ведущим компьютером, взято его положение: ";
inline constexpr const char* kMatchEndedByLink = "Вемба прервана: ";
inline constexpr const char* kRestartAsked = "Другой компьютер предлагает начать вембу опять.";
inline constexpr const char* kRestartDeclined = "Другой компьютер не хочет начинать вембу опять.";
inline constexpr const char* kNotAvailable = "Сетевая игра в этой сборке недоступна.";
}  // namespace nettexts

}  // namespace zel
