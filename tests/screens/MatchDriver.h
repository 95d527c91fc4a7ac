#pragma once
#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "core/MatchState.h"
#include "render/PictureWindow.h"

// What the end-to-end tests do as a person at the keyboard and mouse would.
namespace zel::test {

// The match window on screen, if one is.
inline render::PictureWindow* MatchView() {
    for (QWindow* w : QGuiApplication::topLevelWindows())
        if (auto* view = dynamic_cast<render::PictureWindow*>(w); view && view->isVisible()) return view;
    return nullptr;
}

inline void Key(QWindow* w, QEvent::Type type, bool repeat) {
    QKeyEvent e(type, Qt::Key_Space, Qt::NoModifier, " ", repeat);
    QCoreApplication::sendEvent(w, &e);
}

// Answers the file dialogs that open while it lives with `path`, as a
// person types a name and confirms it. The name is put into the dialog's
// name box whole and the dialog accepted: typed key by key, the box's
// completer may pop up on a slow machine and take the Return, and the dialog
// would wait for ever. It answers again while a dialog stays open.
class FileDialogAnswer {
public:
    explicit FileDialogAnswer(const std::string& path) : path_(QString::fromStdString(path)) {
        timer_.setInterval(50);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
        timer_.start();
    }

private:
    void Tick() {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* name = dialog ? dialog->findChild<QLineEdit*>("fileNameEdit") : nullptr;
        if (!name || !name->isVisible()) return;
        name->setText(path_);
        // accept() is protected; it is a slot, so it is called as one.
        QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
    }
    QString path_;  // the name typed into every dialog
    QTimer timer_;  // looks for an open dialog
};

// Plays every person's turn as a person would: whenever the match waits for
// a person's strike, holds space until full power (the first press and 49
// repeats) and lets go; the first `gentle` strikes only up to `power`. The
// computer players' turns are left to them.
class Striker {
public:
    explicit Striker(const MatchState& s, int power = 100, int gentle = 0)
        : s_(s), gentleRepeats_(power / 2 - 1), gentle_(gentle) {
        timer_.setInterval(50);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
        timer_.start();
    }
    int Strikes() const { return strikes_; }

private:
    void Tick() {
        render::PictureWindow* view = MatchView();
        if (!view || !IsSet(s_.GameRunning) || s_.Win.CtrlState != kCtrlAiming || IsSet(s_.Win.ExitAsked)) return;
        if (s_.CurG >= 1 && s_.CurG <= kMaxParticipants && IsComputer(s_.Players[s_.CurG])) return;
        // The other computer strikes for the participants it plays.
        if (s_.CurG >= 1 && s_.CurG <= kMaxParticipants && s_.PlayedElsewhere[s_.CurG]) return;
        Key(view, QEvent::KeyPress, false);
        const int repeats = strikes_ < gentle_ ? gentleRepeats_ : 49;
        for (int i = 0; i < repeats; ++i) {
            Key(view, QEvent::KeyRelease, true);
            Key(view, QEvent::KeyPress, true);
        }
        Key(view, QEvent::KeyRelease, false);
        ++strikes_;
    }

    const MatchState& s_;  // the match being played
    int gentleRepeats_;    // key repeats after the first press of a gentle strike
    int gentle_;           // how many strikes are gentle
    QTimer timer_;         // looks at the match every 50 ms
    int strikes_ = 0;      // strikes released so far
};

inline void Type(QLineEdit* edit, const QString& text) {
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    // Letter by letter, Cyrillic included, as a keyboard layout types them.
    for (const QChar c : text) QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

inline void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2)); }

}  // namespace zel::test
