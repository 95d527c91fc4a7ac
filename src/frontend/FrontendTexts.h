#pragma once
#include <string>

#include "core/ProgramVersion.h"
#include "core/SharedTexts.h"

namespace zel {

namespace texts {

// --- the application title ----------------------------------------------------

// The product's own name; every window caption that shows the application
// title shows it with " Билд" and the build number (ApplicationTitle).
inline constexpr const char* kProductTitle = "Korvalo II: Vantorix";
inline constexpr const char* kBuildWord = " Билд";

// --- start-up captions of the splash window ----------------------------------

inline constexpr const char* kLoadingSound = "Загрузка DirectSound...";
inline constexpr const char* kWelcomeShow = "Добро пожаловать в игру Korvalo II !";
inline constexpr const char* kLoadingConfig = "Загрузка конфигурационных файлов...";
inline constexpr const char* kLoadingGameParams = "Загрузка параметров игры...";
inline constexpr const char* kWelcomeMenu = "Добро пожаловать в игру Korvalo II Vantorix!";

// --- the slide show -------------------------------------------------------------

inline constexpr const char* kSlideScript = "gamedata/splash/splash.qorbex";
inline constexpr const char* kSlideFolder = "gamedata/splash/";
inline constexpr const char* kWaitingPicture = "gamedata/zel2.gif";
inline constexpr const char* kScriptHeader = "[MerovaneVistrel]";
inline constexpr const char* kWaitLabel = "Подождите...";
inline constexpr const char* kScriptOpenLog = "Vistrel Player > Ошибка при открытии файла ";
inline constexpr const char* kScriptOpenMessage = "Ошибка при открытии файла заставки! ";
inline constexpr const char* kSlideError = "Ошибка в файле Vistrel. Продолжение невозможно.";
inline constexpr const char* kSlideErrorLog =
    "Vistrel Player > Ошибка в файле Vistrel. Продолжение невозможно.";

// --- the main menu --------------------------------------------------------------

inline constexpr const char* kQuickMatchTip = "Быстрая игра. Несколько игроков";
inline constexpr const char* kTeamMatch = "Командная игра";
inline constexpr const char* kTeamMatchTip = "Вемба между командами из нескольких игроков";
inline constexpr const char* kLoadGame = "Загрузить игру";
inline constexpr const char* kLoadGameTip = "Загрузить сохраненную игру";
inline constexpr const char* kChronicle = "Хроника Вембы";
inline constexpr const char* kChronicleTipStart = "Вся история и эволюция Вембы";
inline constexpr const char* kClubSchool = " в школе Вембного Клуба";
inline constexpr const char* kHelpTip = "Описание к игре";
inline constexpr const char* kService = "Сервис";
inline constexpr const char* kServiceTip = "Техническая поддержка";
inline constexpr const char* kSplash = "Заставка";
inline constexpr const char* kNetGame = "Сетевая игра";
inline constexpr const char* kExitTip = "Выход из игры";
inline constexpr const char* kCoatOfArmsTip =
    "Это герб Вембного Клуба! Щелкните здесь, чтобы увидеть его полный вариант.";
inline constexpr const char* kMakerLink = "Merovane";
inline constexpr const char* kMakerLinkTip = "Зайти на сайт Merovane";
inline constexpr const char* kClubLink = "Вембный Клуб";
inline constexpr const char* kClubLinkTip = "Зайти на сайт Вембного Клуба";
inline constexpr const char* kMenuHeading = "Главное меню";
inline constexpr const char* kBetaNotice =
    "Это бета-версия игры. Информацию об обновлении смотрите на сайте Merovane.";
inline constexpr const char* kLoadingTeams = "Загрузка команд...";

inline constexpr const char* kHelpMenu = "Справка";
inline constexpr const char* kHelpContents = "Содержание";
inline constexpr const char* kHelpAbout = "О программе";
inline constexpr const char* kSupportMenu = "Тех.поддержка";
inline constexpr const char* kSupportUpdate = "Обновить...";
inline constexpr const char* kSupportHomePage = "Домашняя страница ZEL";
inline constexpr const char* kSupportReport = "Отчет об ошибках";

inline constexpr const char* kExitQuestion = "Выйти из игры в Windows?";
inline constexpr const char* kFileNotFound = "Необходимый файл не найден!";
inline constexpr const char* kHelpMissing =
    "Ошибка при запуске справочной системы. Не найден главный html-файл: index.html";

// Files the menu looks for under the program folder.
inline constexpr const char* kHelpIndex = "gamedata/help/index.html";
inline constexpr const char* kBigCoatOfArms = "gamedata/pic/biggerb.gif";
inline constexpr const char* kSmallCoatOfArms = "gamedata/pic/smallgerb.gif";
inline constexpr const char* kLogoPicture = "gamedata/logo.gif";
inline constexpr const char* kWindowIcon = "gamedata/pic/korvalo2.png";

// --- web addresses ------------------------------------------------------------------
// Addresses of the maker's and the club's pages. The chronicle's link to the
// club's site uses kClubSite as well.
inline constexpr const char* kMakerSite = "https://merovane.example/";
inline constexpr const char* kClubSite = "https://vembklub.example/";
inline constexpr const char* kProductHomePage = "https://merovane.example/korvalo2/";
inline constexpr const char* kProductUpdatePage = "https://merovane.example/korvalo2/update/";
inline constexpr const char* kSupportAddress = "support@merovane.example";

// --- the about window ---------------------------------------------------------------

inline constexpr const char* kAboutTitle = "О программе";
inline constexpr const char* kVersionCaption = "Версия:";
inline constexpr const char* kBuildCaption = "Билд:";
inline constexpr const char* kBetaLabel = "Beta2";
inline constexpr const char* kLogoMissing = "Ошибка при загрузке изображения! Файл не существует!";
inline constexpr const char* kTechnologiesCaption = "В игре использованы следующие технологии:";
inline constexpr const char* kTechEngine = "Korvalo 3D - собственный трехмерный движок игры";
// The game draws through OpenGL, so the about box names what it really uses.
inline constexpr const char* kTechGraphics = "OpenGL 3.3 (или выше)";
inline constexpr const char* kTechPhysics = "TorvinMathEngine - физический движок стола";
inline constexpr const char* kCreditsButton = "Разработчики";
inline constexpr const char* kCreditsHeading = "Группа разработчиков игры Korvalo® II Vantorix:";
inline constexpr const char* kLeadProgrammerRole = "Главный программист:";
inline constexpr const char* kLeadProgrammer = "Команда Merovane, korvalo@merovane.example";
inline constexpr const char* kMathEngineRole = "Математический движок:";
inline constexpr const char* kMathEngineAuthor = "Команда Merovane, physics@merovane.example";
inline constexpr const char* kProductLinkTip = "Кликните здесь, чтобы зайти на страницу Korvalo";
inline constexpr const char* kPreviousEdition = "Korvalo II: Quellmark.";
inline constexpr const char* kLegalNotice =
    "© Merovane и Вембный Клуб. Все права защищены.";
inline constexpr const char* kProjectOpened = "Проект открыт 14 апреля 2001 года.";
inline constexpr const char* kSupportInvitation =
    "О проблемах, вопросах и пожеланиях пишите нам по адресу support@merovane.example";
inline constexpr const char* kCloseButton = "Закрыть";

}  // namespace texts

// The application title with the build: "Korvalo II: Vantorix Билд1200".
inline std::string ApplicationTitle() {
    return std::string(texts::kProductTitle) + texts::kBuildWord + std::to_string(kBuildNumber);
}

// "3.0.1200", as the about window shows the version.
inline std::string VersionText() { return kVersionText; }

}  // namespace zel
