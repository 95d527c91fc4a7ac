#include "frontend/DesktopLauncher.h"

#include <exception>

#include <QDesktopServices>
#include <QString>

#include "frontend/FrontendTexts.h"
#include "base/TextFile.h"

namespace zel {

DesktopLauncher::DesktopLauncher(Opener open) : open_(std::move(open)) {
    if (!open_) open_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

void DesktopLauncher::Launch(const QUrl& url) const {
    if (!url.isValid()) return;
    try {
        (void)open_(url);
    } catch (const std::exception&) {
        // A launch that fails is no concern of the game.
    }
}

void DesktopLauncher::StartNet(const std::string& address) const {
    Launch(QUrl(QString::fromStdString(address), QUrl::StrictMode));
}

void DesktopLauncher::OpenHelp(const std::string& appPath, Dialogs& d) const {
    const std::string index = appPath + texts::kHelpIndex;
    if (!FileExists(index)) {
        d.Ask({texts::kHelpMissing, "", MsgIcon::Critical, MsgButtons::Ok});
        return;
    }
    Launch(QUrl::fromLocalFile(QString::fromStdString(index)));
}

}  // namespace zel
