#include "screens/ToggleLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace zel::screens {

ToggleLabel::ToggleLabel(QWidget* parent) : QLabel(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setWordWrap(true);
    setFrameShape(QFrame::NoFrame);
    // Underlined like a link, so it reads as something to click.
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
}

void ToggleLabel::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && OnClick) {
        e->accept();
        OnClick();
        return;
    }
    QLabel::mousePressEvent(e);
}

void ToggleLabel::keyPressEvent(QKeyEvent* e) {
    const int key = e->key();
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && OnClick) {
        e->accept();
        OnClick();
        return;
    }
    QLabel::keyPressEvent(e);
}

void ToggleLabel::focusInEvent(QFocusEvent* e) {
    setFrameShape(QFrame::Box);
    QLabel::focusInEvent(e);
}

void ToggleLabel::focusOutEvent(QFocusEvent* e) {
    setFrameShape(QFrame::NoFrame);
    QLabel::focusOutEvent(e);
}

}  // namespace zel::screens
