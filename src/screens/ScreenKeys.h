#pragma once
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

#include <functional>

namespace zel::screens {

// The keys every screen answers the same way: Esc goes back, Enter presses
// the focused button or, when none has the focus, the screen's main action
// (`accept`, may be empty). Returns true when the key was taken.
inline bool HandleScreenKeys(QKeyEvent* e, QWidget* focus, const std::function<void()>& back,
                             const std::function<void()>& accept) {
    const int key = e->key();
    if (key == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        back();
        return true;
    }
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    if (auto* button = qobject_cast<QPushButton*>(focus)) {
        if (button->isEnabled()) button->click();
        return true;
    }
    if (!accept) return false;
    accept();
    return true;
}

}  // namespace zel::screens
