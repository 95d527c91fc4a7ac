#pragma once

// Captions and messages of the match setup, options, piece editor, piece
// preview and results screens, exactly as the game shows them. Lines of
// multi-line messages are separated by CR LF (zel::texts::kNewLine and
// kBlankLine). The texts several screens share are zel::texts's
// (core/SharedTexts.h), named here too so each screen finds all its texts in
// one place.
#include "core/SharedTexts.h"

namespace zel::screens::texts {

using zel::texts::kBack;
using zel::texts::kDeviceErrorStart;
using zel::texts::kExit;
using zel::texts::kHelp;
using zel::texts::kQuickMatch;
using zel::texts::kWarningTitle;

// --- the match setup screen frmStart ----------------------------------------

inline constexpr const char* kStartPrompt = "Отметьте играющих игроков и задайте их имена:";
inline constexpr const char* kColumnPlays = "Играет:";
inline constexpr const char* kColumnName = "Имя Вембы:";
inline constexpr const char* kColumnModel = "Модель Вембы:";
inline constexpr const char* kColumnPlayer = "Кто играет:";
inline constexpr const char* kMyVemba = "Дополнительно...";
inline constexpr const char* kGo = "ВЕМБА!!!";
inline constexpr const char* kGoTip = "НЕ ЖДЕТ!!!";
inline constexpr const char* kOptions = "Параметры >>";
inline constexpr const char* kOptionsTip = "Настройка системных параметров ZEL";
inline constexpr const char* kControl = "Управление...";
inline constexpr const char* kControlTip = "Вывод информации об управлении игрой";
inline constexpr const char* kControlTitle = "Управление игрой";
inline constexpr const char* kControlText =
    "Точка удара вращается вместе с камерой - клавишами 4 и 6 цифровой клавиатуры при включенном "
    "Numlock. Выбор направления удара - клавиши Влево и Вправо. Выбор силы удара - длительное "
    "нажатие на пробел. Горшок - 'G'.";
inline constexpr const char* kControlNote = "Вся эта информация будет показана в ходе игры.";

// StartGame's refusals and its warning before the match.
inline constexpr const char* kBadTableSize =
    "Размеры поля заданы неверно. Задайте верные значения и повторите запуск.";
inline constexpr const char* kBadDisplay = "Некорректные параметры графики.";
inline constexpr const char* kNamesSlowWarning =
    "Если игра будет сильно тормозить, выключите имена нажатием на F3. Включить имена можно "
    "повторно нажав на F3.";

// --- the options screen frmOptions -------------------------------------------

inline constexpr const char* kTabGraphics = "Графика";
inline constexpr const char* kTabGame = "Игра";
inline constexpr const char* kTabTable = "Стол";
inline constexpr const char* kTabSound = "Звук";
inline constexpr const char* kFrameGraphics = "Параметры графики";
inline constexpr const char* kTex = "Загрузить текстуры стола";
inline constexpr const char* kUseRoom = "Загрузить комнату (+ текстуры и приколы)";
inline constexpr const char* kLabelMode = "Выберите разрешение монитора:";
inline constexpr const char* kLabelDevice = "Параметры ускорения:";
inline constexpr const char* kLabelAccelOnly =
    "Параметры, рекомендуемые только при использовании 3D-ускорителя:";
inline constexpr const char* kLabelMayFail =
    "Возможно, выбранный режим не заработает. В этом случае попробуйте другой.";
inline constexpr const char* kLabelUnsupported =
    "Если выбранный режим ваш компьютер не поддерживает, возможны сбои в работе игры. В этом "
    "случае измените параметры Аппаратного ускорения или выберите Программное. Используйте "
    "стандартные видеорежимы!.";
inline constexpr const char* kFrameAdvanced = "Дополнительные настройки";
inline constexpr const char* kShowSgin = "Включить дурацкие сообщения";
inline constexpr const char* kFrameSize = "Размеры стола";
inline constexpr const char* kLabelSize = "Укажите размеры игрового стола:";
inline constexpr const char* kLabelLength = "длина:";
inline constexpr const char* kLabelWidth = "ширина:";
inline constexpr const char* kMaxSize = "Использовать максимальное поле (1000x1000)";
inline constexpr const char* kFrameFriction = "Трение поля";
inline constexpr const char* kFriction[3] = {"малое", "стандартное", "большое"};
inline constexpr const char* kFrameBorder = "Стенка";
inline constexpr const char* kBorder = "Использовать стенку";
inline constexpr const char* kLabelBorderPos = "Положение стенки:";
inline constexpr const char* kBorderPos[2] = {"позиция1", "позиция2"};
inline constexpr const char* kBorderSimm =
    "Включить стенку, симметричную выбранной относительно центра поля";
inline constexpr const char* kFramePipa = "Пипа";
inline constexpr const char* kPipa = "Включить пипу";
inline constexpr const char* kLabelPipaPos = "Расположение:";
inline constexpr const char* kPipaPos[2] = {"2 пипы в части 1", "2 пипы в части 2"};
inline constexpr const char* kPipaSimm =
    "Включить 2 другие пипы, симметричные относительно центра поля";
inline constexpr const char* kSound = "Включить звук";
inline constexpr const char* kSoundTip = "Проигрывание файл D:\\track01.mp3 средствами Media Player 7";
inline constexpr const char* kDone = "Готово";
inline constexpr const char* kQuitQuestion = "Вы действительно хотите выйти из игры?";

// --- the piece editor frmEditVemba ------------------------------------------

inline constexpr const char* kEditorTitle = "Настройка Вембы";
inline constexpr const char* kEditorHeading = "Изменение параметров Вембы";
inline constexpr const char* kFramePiece = "Параметры Вембы";
inline constexpr const char* kLabelMass = "Масса:";
inline constexpr const char* kInfoDesign = "Игрок:";
inline constexpr const char* kInfoPrefix = "Игрок: ";
inline constexpr const char* kFramePreview = "Предварительный просмотр";
inline constexpr const char* kPreviewHint =
    "Чтобы посмотреть на выбранную Вембу, нажмите на кнопку \"Предварительный просмотр\".";
inline constexpr const char* kPreviewButton = "Предварительный просмотр";
inline constexpr const char* kPreviewMode8 =
    "Будет использован режим 640x480x8bit. Убедитесь, что он поддерживается. Чтобы изменить его, "
    "кликните здесь.";
inline constexpr const char* kPreviewMode16 =
    "Будет использован режим 640x480x16bit. Убедитесь, что он поддерживается. Чтобы изменить его, "
    "кликните здесь.";
inline constexpr const char* kAccept = "Принять";
inline constexpr const char* kBadMass =
    "Вы ввели некорректное значение массы. Измените значение параметра и повторите попытку.";

// --- the piece preview frmVembaPreview ----------------------------------------

inline constexpr const char* kPreviewTitle = "Предварительный просмотр";
inline constexpr const char* kPreviewLogPrefix = "VembaPreview:";
inline constexpr const char* kNoPieceMesh = "Ошибка: не найден .х-файл Вембы. Переустановите игру.";
// The preview's own start-up caption, spelt as it has always been shown.
inline constexpr const char* kPreviewCaptionInit = "Инциализация Direct3D...";
inline constexpr const char* kPreviewCaptionScene = "Создание сцены...";
inline constexpr const char* kPreviewCaptionRunning = "Предварительный просмотр Вембы";
inline constexpr const char* kPreviewPlayer = "Игрок ";
inline constexpr const char* kPreviewSeparator = " - ";
inline constexpr const char* kPreviewEscHint = "Нажмите [Esc] для выхода";
inline constexpr const char* kPreviewDeviceAdvice =
    ". Для устранения неполадки попробуйте изменить параметры графики и/или перезагрузить Windows.";

// --- the results screen frmResult ---------------------------------------------

inline constexpr const char* kResultHeading = "Итоги Вембы:";
inline constexpr const char* kResultMatchPiece = "Вемба матча:";
inline constexpr const char* kResultKnocked = "Сбито Вемб:";
inline constexpr const char* kTeam1Design = "Команда1:";
inline constexpr const char* kTeam2Design = "Команда2:";
inline constexpr const char* kTeamScore = "Общий счет:";
inline constexpr const char* kPlayAgain = "НАЧАТЬ ВЕМБУ ОПЯТЬ!";
inline constexpr const char* kPlayAgainTip = "Продолжение матча";
inline constexpr const char* kSaveReplay = "Сохранить повтор как...";
inline constexpr const char* kLoadReplay = "Загрузить повтор...";
inline constexpr const char* kTeamWon = "Выиграла команда:";
inline constexpr const char* kPlayerWon = "Выиграл игрок:";
inline constexpr const char* kAllFell = "(все сгинули)";
inline constexpr const char* kNotFinished = "(матч не закончен)";
inline constexpr const char* kNoWinner = "(отсутствует)";
inline constexpr const char* kNoMatchPiece = "(неопределена)";

// The save dialog of "Сохранить повтор как..." and its messages.
inline constexpr const char* kSaveDialogTitle = "Сохранение повтора";
inline constexpr const char* kSaveFilterName = "Файлы повтора ZEL";
inline constexpr const char* kSaveFilterPattern = "*.sav";
inline constexpr const char* kSaveDefaultExtension = "*.sav";
inline constexpr const char* kReplayExtension = ".sav";
inline constexpr const char* kOverwriteTitle = "Сохранение файла";
inline constexpr const char* kOverwriteStart = "Файл";
inline constexpr const char* kOverwriteEnd = "уже существует. Перезаписать?";
inline constexpr const char* kSavedStart = "Файл ";
inline constexpr const char* kSavedEnd = " успешно сохранен!";
inline constexpr const char* kSaveFailed = "Ошибка при сохранении файла!";

// --- the teams screen frmCom and the team file zel.cmd ----------------------

inline constexpr const char* kTeamHeading = "Командная игра";

inline constexpr const char* kTeamFileComment = ";KORVALO 2: VANTORIX - Информация о командной игре";
inline constexpr const char* kTeamFileMissing = "(Файл с настройками команд не найден)";
inline constexpr const char* kTeamFileLoaded = "(Файл с настройками команд успешно загружен)";
inline constexpr const char* kTeamFileSavedStart = "(Настройки команд были успешно сохранены в файл ";
inline constexpr const char* kTeamFileSavedEnd = ")";
inline constexpr const char* kTeamFileBadEntry = "Обнаружена некорректная запись в файле ";
inline constexpr const char* kTeamFileDefaultFollows = "Значение параметра будет установлено по умолчанию.";
inline constexpr const char* kTeamFileLoadFailed = "Ошибка при загрузке файла настроек:";
inline constexpr const char* kTeamFileSaveFailed = "Ошибка при сохранении файла настроек:";

}  // namespace zel::screens::texts
