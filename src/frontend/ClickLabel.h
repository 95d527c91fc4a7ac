#pragma once
#include <functional>

#include <QLabel>
#include <QMouseEvent>

namespace zel {

// A label that reports mouse presses: the menu's coat of arms and web
// links, the about window's logo and product link.
class ClickLabel : public QLabel {
public:
    using QLabel::QLabel;

    // Every mouse press on the label, with its button and modifiers.
    std::function<void(QMouseEvent*)> OnPress;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (OnPress) {
            e->accept();
            OnPress(e);
        } else {
            QLabel::mousePressEvent(e);
        }
    }
};

}  // namespace zel
