#include "match/DisplayScreen.h"

#include <QGuiApplication>
#include <QScreen>

namespace zel::match {

int ChosenScreenIndex(const std::string& driverGuid, const std::vector<std::string>& screenNames) {
    if (driverGuid.empty()) return -1;
    for (std::size_t i = 0; i < screenNames.size(); ++i)
        if (screenNames[i] == driverGuid) return static_cast<int>(i);
    return -1;
}

QScreen* ChosenScreen(const std::string& driverGuid) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return nullptr;
    const QList<QScreen*> screens = QGuiApplication::screens();
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(screens.size()));
    for (const QScreen* screen : screens) names.push_back(screen->name().toStdString());
    const int chosen = ChosenScreenIndex(driverGuid, names);
    return chosen >= 0 ? screens[chosen] : QGuiApplication::primaryScreen();
}

}  // namespace zel::match
