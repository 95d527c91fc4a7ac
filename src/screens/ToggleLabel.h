#pragma once
#include <functional>

#include <QLabel>

namespace zel::screens {

// A label that acts when clicked, as the piece editor's preview mode label
// does. It also takes the keyboard focus (Tab) and acts on Space and Enter,
// so the choice is open to keyboard users too; the focus shows as a frame.
class ToggleLabel : public QLabel {
public:
    explicit ToggleLabel(QWidget* parent = nullptr);

    std::function<void()> OnClick;  // a click, Space or Enter

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
};

}  // namespace zel::screens
