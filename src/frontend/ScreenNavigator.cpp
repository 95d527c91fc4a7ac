#include "frontend/ScreenNavigator.h"

#include <QWidget>

namespace zel {

ScreenNavigator::ScreenNavigator() = default;

ScreenNavigator::~ScreenNavigator() {
    // Screens may point at each other through their callbacks: hide them
    // all before any goes, so no close or hide reaction sees a dead one.
    for (auto& [name, screen] : screens_)
        if (screen) screen->hide();
    screens_.clear();
}

void ScreenNavigator::Register(const std::string& name, Factory make) {
    makers_[name] = std::move(make);
}

QWidget* ScreenNavigator::Screen(const std::string& name) {
    if (QWidget* made = Existing(name)) return made;
    const auto maker = makers_.find(name);
    if (maker == makers_.end() || !maker->second) return nullptr;
    std::unique_ptr<QWidget> screen = maker->second();
    QWidget* raw = screen.get();
    if (raw) screens_[name] = std::move(screen);
    return raw;
}

QWidget* ScreenNavigator::Existing(const std::string& name) const {
    const auto it = screens_.find(name);
    return it == screens_.end() ? nullptr : it->second.get();
}

Qt::WindowStates ScreenNavigator::CarriedState(Qt::WindowStates state) {
    return state & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
}

void ScreenNavigator::HandOver(QWidget* from, QWidget* to) {
    if (from == to) {
        if (to) to->show();
        return;
    }
    if (from) {
        const Qt::WindowStates state = CarriedState(from->windowState());
        from->hide();
        if (to) to->setWindowState(state);
    }
    if (to) to->show();
}

}  // namespace zel
