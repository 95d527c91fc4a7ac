#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "ScreensHarness.h"
#include "screens/ScreenTexts.h"

namespace zel::test {
namespace {

using screens::OptionsWindow;
namespace st = screens::texts;

OptionsWindow* OpenedFromSetup(ScreensHarness& h) {
    h.screens->OpenStart(&h.menu);
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(h.screens->Start(), "cmdOption"), Qt::LeftButton);
    return h.screens->Options();
}

void TypeSizes(OptionsWindow* w, const char* length, const char* width) {
    auto* g = ScreensHarness::Control<QLineEdit>(w, "txtSizeG");
    auto* v = ScreensHarness::Control<QLineEdit>(w, "txtSizeV");
    g->selectAll();
    QTest::keyClicks(g, length);
    v->selectAll();
    QTest::keyClicks(v, width);
}

// A click on the box's square: the box may be much wider than its caption.
void ClickBox(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

void ClickDone(OptionsWindow* w) { QTest::mouseClick(ScreensHarness::Control<QPushButton>(w, "cmdOK"), Qt::LeftButton); }

TEST(OptionsScreen, SizesAtTheLimitsAreAcceptedAndBeyondRefused) {
    struct Case {
        const char* length;
        const char* width;
        bool accepted;
    };
    for (const Case c : {Case{"1000", "201", true}, Case{"1001", "400", false}, Case{"600", "200", false},
                         Case{"6x0", "400", false}}) {
        ScreensHarness h;
        h.s.MaxX = 600;
        h.s.MaxY = 400;
        OptionsWindow* w = OpenedFromSetup(h);
        TypeSizes(w, c.length, c.width);
        ClickDone(w);
        if (c.accepted) {
            EXPECT_EQ(h.s.MaxX, 1000);
            EXPECT_EQ(h.s.MaxY, 201);
            EXPECT_TRUE(h.dialogs.Messages.empty());
            EXPECT_FALSE(w->isVisible());
            EXPECT_TRUE(h.screens->Start()->isVisible());
        } else {
            EXPECT_EQ(h.dialogs.LastText(), "Введенные значения некорректны. Повторите ввод.") << c.length;
            EXPECT_EQ(h.s.MaxX, 600);
            EXPECT_EQ(h.s.MaxY, 400);
            EXPECT_TRUE(w->isVisible());
            EXPECT_EQ(w->windowTitle(), QString("Korvalo II: Параметры"));
        }
    }
}

TEST(OptionsScreen, LargestTableIgnoresTheSizeBoxes) {
    ScreensHarness h;
    OptionsWindow* w = OpenedFromSetup(h);
    TypeSizes(w, "5", "abc");
    ClickBox(ScreensHarness::Control<QCheckBox>(w, "chkMaxSize"));
    EXPECT_FALSE(ScreensHarness::Control<QLineEdit>(w, "txtSizeG")->isEnabled());
    EXPECT_FALSE(ScreensHarness::Control<QLineEdit>(w, "txtSizeV")->isEnabled());
    ClickDone(w);
    EXPECT_TRUE(h.dialogs.Messages.empty());
    EXPECT_EQ(h.s.MaxX, 1000);
    EXPECT_EQ(h.s.MaxY, 1000);
}

TEST(OptionsScreen, DisplayModeAndDevicesAreApplied) {
    ScreensHarness h;
    OptionsWindow* w = OpenedFromSetup(h);
    auto* drivers = ScreensHarness::Control<QComboBox>(w, "cmbVideo");
    ASSERT_EQ(drivers->count(), 2);
    EXPECT_EQ(drivers->itemText(0), QString("Видеокарта по умолчанию"));
    auto* modes = ScreensHarness::Control<QComboBox>(w, "cmbGList");
    EXPECT_EQ(modes->currentText(), QString("640x480x8"));
    modes->setFocus();
    modes->setCurrentIndex(modes->findText("800x600x16"));
    ClickDone(w);
    EXPECT_EQ(h.store.Display.ScreenW, 800);
    EXPECT_EQ(h.store.Display.ScreenH, 600);
    EXPECT_EQ(h.store.Display.Colors, 16);
    EXPECT_EQ(h.s.ScreenH, 600);
}

TEST(OptionsScreen, WallPositionTakesEffectWithoutConfirming) {
    ScreensHarness h;
    h.s.Border = kTrue;
    h.s.BordMode = 0;
    OptionsWindow* w = OpenedFromSetup(h);
    auto* tabs = ScreensHarness::Control<QTabWidget>(w, "SSTab1");
    tabs->setCurrentIndex(2);
    QTest::mouseClick(ScreensHarness::Control<QRadioButton>(w, "opBord1"), Qt::LeftButton);
    QTest::keyClick(w, Qt::Key_Escape);
    EXPECT_EQ(h.s.BordMode, 1);
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(h.screens->Start()->isVisible());

    // Clearing the wall box disables its position and symmetry controls.
    h.screens->OpenOptions(h.screens->Start(), false);
    ClickBox(ScreensHarness::Control<QCheckBox>(w, "chkBorder"));
    EXPECT_FALSE(ScreensHarness::Control<QRadioButton>(w, "opBord0")->isEnabled());
    EXPECT_FALSE(ScreensHarness::Control<QCheckBox>(w, "chkSimm")->isEnabled());
}

TEST(OptionsScreen, BackReturnsToWhoeverOpenedIt) {
    ScreensHarness h;
    auto* results = h.screens->Results();
    h.screens->OpenStart(&h.menu);
    ScreenNavigator::HandOver(h.screens->Start(), results);
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(results, "cmdOptions"), Qt::LeftButton);
    OptionsWindow* w = h.screens->Options();
    EXPECT_TRUE(w->isVisible());
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(w, "cmdCancel"), Qt::LeftButton);
    EXPECT_TRUE(results->isVisible());
    EXPECT_FALSE(w->isVisible());

    // Opened later from the setup screen, it goes back there.
    h.screens->OpenStart(results);
    w = OpenedFromSetup(h);
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(w, "cmdCancel"), Qt::LeftButton);
    EXPECT_TRUE(h.screens->Start()->isVisible());
    EXPECT_FALSE(results->isVisible());
}

TEST(OptionsScreen, QuitAsksAndCancelKeepsTheScreen) {
    ScreensHarness h;
    OptionsWindow* w = OpenedFromSetup(h);
    h.dialogs.Answers.push_back(MsgAnswer::Cancel);
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(w, "cmdExit"), Qt::LeftButton);
    ASSERT_EQ(h.dialogs.Messages.size(), 1u);
    EXPECT_EQ(h.dialogs.Messages[0].Text, "Вы действительно хотите выйти из игры?");
    EXPECT_EQ(h.dialogs.Messages[0].Buttons, MsgButtons::OkCancel);
    EXPECT_EQ(h.exitCalls, 0);
    EXPECT_TRUE(w->isVisible());
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(w, "cmdExit"), Qt::LeftButton);
    EXPECT_EQ(h.exitCalls, 1);
}

}  // namespace
}  // namespace zel::test
