#pragma once
#include <string>

#include "base/Dialogs.h"
#include "screens/SaveFileChooser.h"

namespace zel::screens {

// How "Сохранить повтор как..." ended.
enum class SaveReplayOutcome {
    Cancelled,  // the dialog gave no name
    Declined,   // the file existed and the person kept it
    Saved,      // the replay was copied under the chosen name
    Failed,     // the copy failed; the message was shown
};

// The name as it will be saved: ".sav" appended unless the name already
// ends in it, in any letter case (".SAV" stays as typed).
std::string WithReplayExtension(const std::string& name);

// "Сохранить повтор как...": asks for a name ("Сохранение повтора", filter
// "Файлы повтора ZEL" *.sav), adds the extension, asks before replacing
// anything already there under that name ("Сохранение файла"), copies the
// match's replay file `replayFile` (zel.sav) there and says so ("Файл ...
// успешно сохранен!"). A failure shows "Ошибка при сохранении файла!" with
// the system's description. The copy goes to a hidden file beside the
// target first and replaces the target only when complete, so a failed
// copy never damages a file that was there.
SaveReplayOutcome SaveReplayAs(SaveFileChooser& chooser, Dialogs& d, const std::string& replayFile);

}  // namespace zel::screens
