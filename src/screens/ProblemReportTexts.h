#pragma once

// Captions and messages of the problem report window "Отчет об ошибках",
// exactly as the game shows them.
namespace zel::screens::texts {

inline constexpr const char* kReportCaption = "Отчет об ошибках программ Merovane(R)";
inline constexpr const char* kReportIntro =
    "Эта программа позволяет пользователям на ходу записывать ошибки бета и предварительных "
    "версий программ компании Merovane(R).";
inline constexpr const char* kReportTitleCaption = "Отчет о программе:";
inline constexpr const char* kReportVersionCaption = "Версия программы:";
inline constexpr const char* kReportDateCaption = "Дата выпуска: ";
inline constexpr const char* kReportTextCaption = "Подробное описание ошибок:";
inline constexpr const char* kReportInitialText = "Введите сюда подробное описание ошибки.";
inline constexpr const char* kReportSave = "&Сохранить и свернуть это окно";
inline constexpr const char* kReportClose = "&Закрыть";
inline constexpr const char* kReportUnsaved = "Текст не сохранен. Сохранить его сейчас?";
// The version line: "3.0.1200" and then " (Билд 1200)".
inline constexpr const char* kReportBuildStart = " (Билд ";
inline constexpr const char* kReportBuildEnd = ")";

// The hint under the text box. The file goes to the current folder, or,
// when that cannot be written, to the folder named at the end.
inline constexpr const char* kReportHintStart = "После ввода текста нажмите кнопку \"Сохранить\".";
inline constexpr const char* kReportHintCurrentFolder =
    " Данные будут сохранены в файл TYREPORT.RPT в текущем каталоге.";
inline constexpr const char* kReportHintOtherFolder = " Данные будут сохранены в файл tyreport.rpt в каталоге ";
inline constexpr const char* kReportHintOtherEnd = ".";

// The report's file name.
inline constexpr const char* kReportFile = "tyreport.rpt";

}  // namespace zel::screens::texts
