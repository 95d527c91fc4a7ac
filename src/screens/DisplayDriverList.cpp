#include "screens/DisplayDriverList.h"

#include <QGuiApplication>
#include <QScreen>

#include "settings/SettingsTexts.h"

namespace zel::screens {

std::vector<DisplayDriver> DisplayDriverList() {
    std::vector<DisplayDriver> drivers{DisplayDriver{zel::texts::kDefaultDriver, ""}};
    if (!QGuiApplication::instance()) return drivers;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const std::string name = screen->name().toStdString();
        QString detail = (screen->manufacturer() + " " + screen->model()).trimmed();
        std::string description = name;
        if (!detail.isEmpty()) description += " (" + detail.toStdString() + ")";
        drivers.push_back(DisplayDriver{description, name});
    }
    return drivers;
}

}  // namespace zel::screens
