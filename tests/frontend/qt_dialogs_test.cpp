#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include "frontend/QtDialogs.h"

namespace zel {
namespace {

// Presses `button` of the message box as soon as it is up, keeping what it showed.
struct BoxReader {
    QString Title, Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    int Buttons = 0;
    QStringList Captions;  // the buttons' captions, in the box's order

    void PressWhenShown(QMessageBox::StandardButton button) {
        QTimer::singleShot(0, [this, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            Title = box->windowTitle();
            Text = box->text();
            Icon = box->icon();
            Buttons = static_cast<int>(box->standardButtons());
            Captions.clear();
            for (QAbstractButton* b : box->buttons()) Captions << b->text();
            Captions.sort();
            box->button(button)->click();
        });
    }
};

TEST(QtDialogs, BoxesShowTheApplicationTitleAndReturnTheButtonPressed) {
    QtDialogs dialogs("Korvalo II: Vantorix Билд1200");
    BoxReader reader;
    reader.PressWhenShown(QMessageBox::Cancel);
    const MsgAnswer answer =
        dialogs.Ask({"Первая строка\r\nвторая", "", MsgIcon::Information, MsgButtons::OkCancel});
    EXPECT_EQ(answer, MsgAnswer::Cancel);
    EXPECT_EQ(reader.Title.toStdString(), "Korvalo II: Vantorix Билд1200");
    EXPECT_EQ(reader.Text.toStdString(), "Первая строка\nвторая");
    EXPECT_EQ(reader.Icon, QMessageBox::Information);
    EXPECT_EQ(reader.Buttons, static_cast<int>(QMessageBox::Ok | QMessageBox::Cancel));
    EXPECT_EQ(reader.Captions, QStringList({"ОК", "Отмена"}));

    reader.PressWhenShown(QMessageBox::No);
    EXPECT_EQ(dialogs.Ask({"?", "Чтение файла", MsgIcon::Exclamation, MsgButtons::YesNo}), MsgAnswer::No);
    EXPECT_EQ(reader.Title.toStdString(), "Чтение файла");
    EXPECT_EQ(reader.Icon, QMessageBox::Warning);
    EXPECT_EQ(reader.Captions, QStringList({"Да", "Нет"}));
}

TEST(QtDialogs, BusyPointerIsUndoneOnceForEachShowing) {
    QtDialogs dialogs("t");
    dialogs.Busy(false);  // nothing to undo
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    dialogs.Busy(true);
    dialogs.Busy(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    dialogs.Busy(false);
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    dialogs.Busy(false);
    dialogs.Busy(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace zel
