#include "frontend/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace zel {
namespace {

QMessageBox::Icon ToQtIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Critical: return QMessageBox::Critical;
        case MsgIcon::Question: return QMessageBox::Question;
        case MsgIcon::Exclamation: return QMessageBox::Warning;
        case MsgIcon::Information: return QMessageBox::Information;
        case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MsgButtons::Ok: break;
    }
    return QMessageBox::Ok;
}

// The first button is the default, as Enter answers a box of the game.
QMessageBox::StandardButton FirstButton(MsgButtons buttons) {
    return buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel ? QMessageBox::Ok
                                                                        : QMessageBox::Yes;
}

MsgAnswer FromQt(int button, MsgButtons asked) {
    switch (button) {
        case QMessageBox::Ok: return MsgAnswer::Ok;
        case QMessageBox::Yes: return MsgAnswer::Yes;
        case QMessageBox::No: return MsgAnswer::No;
        case QMessageBox::Cancel: return MsgAnswer::Cancel;
        default: break;
    }
    // The box was closed without a button: the answer that changes nothing.
    switch (asked) {
        case MsgButtons::Ok: return MsgAnswer::Ok;
        case MsgButtons::YesNo: return MsgAnswer::No;
        default: return MsgAnswer::Cancel;
    }
}

// The buttons speak Russian like the rest of the game, whatever translation
// of the toolkit is installed.
void NameButtons(QMessageBox& box) {
    const struct {
        QMessageBox::StandardButton Button;
        const char* Caption;
    } kCaptions[] = {{QMessageBox::Ok, "ОК"},
                     {QMessageBox::Cancel, "Отмена"},
                     {QMessageBox::Yes, "Да"},
                     {QMessageBox::No, "Нет"}};
    for (const auto& c : kCaptions)
        if (QAbstractButton* b = box.button(c.Button)) b->setText(QString::fromUtf8(c.Caption));
}

QString ScreenText(const std::string& text) {
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

QtDialogs::QtDialogs(std::string defaultTitle) : defaultTitle_(std::move(defaultTitle)) {}

QtDialogs::~QtDialogs() {
    while (busyDepth_ > 0) Busy(false);
}

MsgAnswer QtDialogs::Ask(const Message& m) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QString::fromStdString(m.Title.empty() ? defaultTitle_ : m.Title));
    box.setTextFormat(Qt::PlainText);
    box.setText(ScreenText(m.Text));
    box.setIcon(ToQtIcon(m.Icon));
    box.setStandardButtons(ToQtButtons(m.Buttons));
    box.setDefaultButton(FirstButton(m.Buttons));
    NameButtons(box);
    // A question must be answered with the normal pointer, whatever runs.
    const bool busy = busyDepth_ > 0;
    if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    if (busy) QApplication::restoreOverrideCursor();
    return FromQt(answer, m.Buttons);
}

void QtDialogs::Busy(bool on) {
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++busyDepth_;
    } else if (busyDepth_ > 0) {
        QApplication::restoreOverrideCursor();
        --busyDepth_;
    }
}

}  // namespace zel
