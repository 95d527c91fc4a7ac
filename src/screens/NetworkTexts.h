#pragma once

// Captions and messages of the network screen frmNet, as the game shows
// them. Texts that take a detail end in ": " or a blank.
#include "core/SharedTexts.h"

namespace zel::screens::texts {

using zel::texts::kBack;
using zel::texts::kExit;

inline constexpr const char* kNetHeading = "Сетевая игра";
inline constexpr const char* kNetPrompt =
    "Создайте игру на одном компьютере и подключитесь к ней с другого:";
inline constexpr const char* kNetHostFrame = "Этот компьютер ведет игру";
inline constexpr const char* kNetJoinFrame = "Игра на другом компьютере";
inline constexpr const char* kNetHost = "Создать игру";
inline constexpr const char* kNetHostTip = "Ждать, пока другой компьютер подключится к этому";
inline constexpr const char* kNetJoin = "Подключиться";
inline constexpr const char* kNetJoinTip = "Подключиться к игре, созданной на другом компьютере";
inline constexpr const char* kNetAddressLabel = "Адрес:";
inline constexpr const char* kNetPortLabel = "Порт:";
inline constexpr const char* kNetBackTip = "Назад в главное меню";

// The host, waiting: its addresses, its port, and the wait.
inline constexpr const char* kNetListenAddresses = "Адреса этого компьютера: ";
inline constexpr const char* kNetListenPort = "Порт: ";
inline constexpr const char* kNetNoAddress = "(нет сети, только этот компьютер)";
inline constexpr const char* kNetWaiting = "Ожидание второго компьютера...";
// The guest, joining and joined.
inline constexpr const char* kNetConnecting = "Подключение к ";
inline constexpr const char* kNetConnectingEnd = "...";
inline constexpr const char* kNetJoined = "Подключено! Ведущий компьютер настраивает вембу...";
inline constexpr const char* kNetGuestArrived = "Подключился другой компьютер. Там играют: ";

// Refused input.
inline constexpr const char* kNetBadPort = "Порт задан неверно. Укажите число от 1 до 65535.";
inline constexpr const char* kNetBadAddress =
    "Адрес задан неверно. Укажите имя или адрес другого компьютера.";

// The setup screen in a network match: who plays each slot.
inline constexpr const char* kNetWhereColumn = "Где играет:";
inline constexpr const char* kNetHere = "Здесь";
inline constexpr const char* kNetThere = "На другом компьютере";
inline constexpr const char* kNetGuestView = "Вембу настраивает ведущий компьютер.";

// The results screen: "НАЧАТЬ ВЕМБУ ОПЯТЬ!" waits for the other side.
inline constexpr const char* kNetRestartWaiting = "Ждем ответа другого компьютера...";

}  // namespace zel::screens::texts
