#pragma once
#include <functional>
#include <string>

#include <QUrl>

#include "base/Dialogs.h"

namespace zel {

// Opens the help pages and web addresses with the desktop's own programs
// (its browser, through the desktop's default handler for a file or an
// address). A launch that fails is silent: the game goes on as if it had
// worked.
class DesktopLauncher {
public:
    // What actually opens a file or an address; false when it could not.
    using Opener = std::function<bool(const QUrl&)>;

    // Without an opener the desktop's default handler is used.
    explicit DesktopLauncher(Opener open = {});

    // StartNet: the address in the browser. Failures are ignored.
    void StartNet(const std::string& address) const;
    // OpenHelp: the help index gamedata/help/index.html under `appPath` (the
    // program folder, ending in "/"). When the file is not there the
    // critical message "Ошибка при запуске справочной системы. Не найден
    // главный html-файл: index.html" is shown and nothing is opened.
    void OpenHelp(const std::string& appPath, Dialogs& d) const;

private:
    void Launch(const QUrl& url) const;

    Opener open_;  // the desktop's handler, or the tests' recorder
};

}  // namespace zel
