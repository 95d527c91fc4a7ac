#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "ScreensHarness.h"
#include "screens/ScreenTexts.h"
#include "base/TextFile.h"

namespace zel::test {
namespace {

using screens::OptionsWindow;
using screens::StartWindow;
namespace st = screens::texts;

StartWindow* ShownStart(ScreensHarness& h) {
    h.screens->OpenStart(&h.menu);
    return h.screens->Start();
}

// The next widget Tab moves to from `w`.
QWidget* NextTabStop(QWidget* w) {
    QWidget* next = w->nextInFocusChain();
    // As Tab does: hidden controls (the network column) are passed over.
    while (next != w && (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisible()))
        next = next->nextInFocusChain();
    return next;
}

void ClickGo(StartWindow* w) {
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(w, "cmdGo"), Qt::LeftButton);
}

TEST(SetupScreen, CheckedSlotsBecomeParticipantsInOrderWithTheirMasses) {
    ScreensHarness h;
    h.MarkOnly({0, 2, 5});
    h.store.Start.SetName(0, "Анна");
    h.store.Start.SetName(2, "  Борис ");
    h.store.Start.SetName(5, "Вера");
    h.store.Start.SelectModel(5, 3, h.s, h.dialogs);
    h.s.Vembas[1].RM = 5;
    h.s.Vembas[3].RM = 7;
    h.s.Vembas[6].RM = 900;
    StartWindow* w = ShownStart(h);
    EXPECT_EQ(ScreensHarness::Control<QLabel>(w, "lblGamersKolvo")->text(), QString("Играет игроков: 3"));

    ClickGo(w);

    ASSERT_EQ(h.matches, 1);
    const MatchState& m = h.started[0];
    EXPECT_EQ(m.Num, 3);
    EXPECT_EQ(m.Vembas[1].R, "Анна");
    EXPECT_EQ(m.Vembas[2].R, "Борис");
    EXPECT_EQ(m.Vembas[3].R, "Вера");
    EXPECT_EQ(m.Vembas[3].RMod, 3);
    EXPECT_EQ(m.Vembas[1].RM, 5);
    EXPECT_EQ(m.Vembas[2].RM, 7);
    EXPECT_EQ(m.Vembas[3].RM, 900);
    EXPECT_EQ(m.KtoHodit[1], 1);
    EXPECT_EQ(m.KtoHodit[3], 3);
    EXPECT_FALSE(IsSet(m.TeamGame));
    EXPECT_EQ(h.numLockCalls, 1);
    ASSERT_FALSE(h.dialogs.Messages.empty());
    EXPECT_EQ(h.dialogs.Messages.back().Title, st::kWarningTitle);
    EXPECT_EQ(h.dialogs.Messages.back().Text, st::kNamesSlowWarning);
    EXPECT_TRUE(FileExists(h.tmp.File("zel.ini")));
    // After the match every slot has its own mass again, ready for the
    // next match and the settings file.
    EXPECT_EQ(h.s.Vembas[1].RM, 5);
    EXPECT_EQ(h.s.Vembas[2].RM, 1);
    EXPECT_EQ(h.s.Vembas[3].RM, 7);
    EXPECT_EQ(h.s.Vembas[6].RM, 900);
    EXPECT_TRUE(h.screens->Results()->isVisible());
    EXPECT_FALSE(w->isVisible());
}

TEST(SetupScreen, OneCheckedSlotCannotStart) {
    ScreensHarness h;
    h.MarkOnly({4});
    StartWindow* w = ShownStart(h);
    auto* go = ScreensHarness::Control<QPushButton>(w, "cmdGo");
    EXPECT_FALSE(go->isEnabled());
    EXPECT_EQ(ScreensHarness::Control<QLabel>(w, "lblGamersKolvo")->text(), QString("Играет игроков: 1"));
    w->Go();
    EXPECT_EQ(h.matches, 0);

    // Checking a second mark by mouse enables it again.
    QTest::mouseClick(ScreensHarness::Control<QCheckBox>(w, "chk6"), Qt::LeftButton);
    EXPECT_TRUE(go->isEnabled());
    EXPECT_EQ(h.store.Start.GamersKolvo(), 2);
}

TEST(SetupScreen, MarksSetByTheProgramShowWhenTheScreenOpens) {
    ScreensHarness h;
    StartWindow* w = h.screens->Start();
    h.MarkOnly({1, 3, 5, 7});
    h.store.Start.SelectModel(3, 2, h.s, h.dialogs);
    ShownStart(h);
    EXPECT_EQ(ScreensHarness::Control<QLabel>(w, "lblGamersKolvo")->text(), QString("Играет игроков: 4"));
    EXPECT_TRUE(ScreensHarness::Control<QCheckBox>(w, "chk7")->isChecked());
    EXPECT_EQ(ScreensHarness::Control<QComboBox>(w, "cmb3")->currentIndex(), 2);
    EXPECT_EQ(h.s.Vembas[4].RMod, 2);
}

TEST(SetupScreen, OvalPieceIsRefusedWithAWarning) {
    ScreensHarness h;
    StartWindow* w = ShownStart(h);
    auto* list = ScreensHarness::Control<QComboBox>(w, "cmb1");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_End);
    ASSERT_EQ(h.dialogs.Messages.size(), 1u);
    EXPECT_EQ(h.dialogs.Messages[0].Title, "Предупреждение");
    EXPECT_EQ(h.dialogs.Messages[0].Text, "В этой версии Korvalo  Овальная Вемба недоступна.");
    EXPECT_EQ(list->currentText(), QString("Вемба из Varnok"));
    EXPECT_EQ(h.store.Start.Model(1), 0);
    EXPECT_EQ(h.s.Vembas[2].RMod, 0);
}

TEST(SetupScreen, EmptyNameBecomesTheParticipantNumber) {
    ScreensHarness h;
    h.MarkOnly({0, 2});
    h.store.Start.SetName(2, "   ");
    StartWindow* w = ShownStart(h);
    ClickGo(w);
    ASSERT_EQ(h.matches, 1);
    EXPECT_EQ(h.started[0].Vembas[2].R, "2");
    EXPECT_EQ(h.store.Start.Name(2), "2");
    EXPECT_EQ(ScreensHarness::Control<QLineEdit>(w, "txtG2")->text(), QString("2"));
}

TEST(SetupScreen, TableSizeMustLieWithinTheLimits) {
    struct Case {
        std::int16_t x, y;
        bool starts;
    };
    for (const Case c : {Case{1000, 201, true}, Case{1001, 400, false}, Case{600, 200, false}}) {
        ScreensHarness h;
        h.s.MaxX = c.x;
        h.s.MaxY = c.y;
        StartWindow* w = ShownStart(h);
        ClickGo(w);
        EXPECT_EQ(h.matches, c.starts ? 1 : 0) << c.x << "x" << c.y;
        if (!c.starts) {
            EXPECT_EQ(h.dialogs.Messages.front().Text, st::kBadTableSize);
            EXPECT_TRUE(h.screens->Options()->isVisible());
            EXPECT_FALSE(w->isVisible());
        }
    }
}

TEST(SetupScreen, UnusableDisplayOpensTheOptionsInstead) {
    ScreensHarness h;
    h.store.Display.Colors = 1;
    h.s.Vembas[1].RM = 40;
    StartWindow* w = ShownStart(h);
    ClickGo(w);
    EXPECT_EQ(h.matches, 0);
    EXPECT_EQ(h.dialogs.LastText(), st::kBadDisplay);
    EXPECT_TRUE(h.screens->Options()->isVisible());
    EXPECT_EQ(h.s.Vembas[1].RM, 40);
}

TEST(SetupScreen, PostsWithThreeParticipantsFollowThem) {
    ScreensHarness h;
    h.MarkOnly({0, 1, 2});
    h.s.Pipa = kTrue;
    h.s.MaxX = 600;
    h.s.MaxY = 400;
    ClickGo(ShownStart(h));
    ASSERT_EQ(h.matches, 1);
    const MatchState& m = h.started[0];
    EXPECT_EQ(m.NumPipa, 4);
    const double corners[4][2] = {{80, 80}, {520, 80}, {80, 320}, {520, 320}};
    for (int k = 0; k < 4; ++k) {
        const VembaRecord& post = m.Vembas[4 + k];
        EXPECT_EQ(post.Xpos, corners[k][0]) << k;
        EXPECT_EQ(post.Ypos, corners[k][1]) << k;
        EXPECT_EQ(post.RMod, 5);
        EXPECT_EQ(post.Life, kTrue);
    }
}

TEST(SetupScreen, CountLeftByTheTeamsScreenDoesNotCarryOver) {
    ScreensHarness h;
    h.MarkOnly({3, 4});
    h.store.Start.SetGamersKolvo(6);
    h.s.TeamGame = kTrue;
    h.s.Ftr = 0.03;
    h.store.Options.SelectFriction(0);
    ClickGo(ShownStart(h));
    ASSERT_EQ(h.matches, 1);
    EXPECT_EQ(h.started[0].Num, 2);
    EXPECT_FALSE(IsSet(h.started[0].TeamGame));
    EXPECT_EQ(h.started[0].Ftr, 0.01);
}

TEST(SetupScreen, TeamMatchKeepsThePlayersTheTeamsScreenSetUp) {
    ScreensHarness h;
    h.MarkOnly({0, 1});
    h.s.TeamGame = kTrue;
    for (int i = 1; i <= 4; ++i) {
        h.s.Vembas[i].R = "Игрок" + std::to_string(i);
        h.s.Vembas[i].TeamSide = static_cast<std::int16_t>((i + 1) % 2);
        h.s.Vembas[i].RGray = ToFlag(i % 2 == 0);
        h.s.KtoHodit[i] = static_cast<std::int16_t>(i);
    }
    h.store.Start.SetGamersKolvo(4);
    h.teams.show();
    EXPECT_EQ(h.screens->StartGameFrom(&h.teams), screens::StartOutcome::Started);
    ASSERT_EQ(h.matches, 1);
    const MatchState& m = h.started[0];
    EXPECT_EQ(m.Num, 4);
    EXPECT_TRUE(IsSet(m.TeamGame));
    EXPECT_EQ(m.Vembas[3].R, "Игрок3");
    EXPECT_EQ(m.Vembas[2].TeamSide, 1);
    EXPECT_EQ(m.Vembas[2].RGray, kTrue);
    EXPECT_EQ(m.Vembas[3].RGray, kFalse);
    EXPECT_FALSE(h.teams.isVisible());
    EXPECT_TRUE(h.screens->Results()->isVisible());
}

TEST(SetupScreen, KeyboardRunsRowByRowAndEscapeGoesBack) {
    ScreensHarness h;
    h.s.TeamGame = kTrue;
    StartWindow* w = ShownStart(h);
    const char* order[] = {"chk0", "txtG0", "cmbPlayer0", "cmb0", "cmdMyVemba0", "chk1"};
    QWidget* at = ScreensHarness::Control<QWidget>(w, order[0]);
    for (int k = 1; k < 6; ++k) {
        at = NextTabStop(at);
        EXPECT_EQ(at->objectName().toStdString(), order[k]);
    }
    auto* last = ScreensHarness::Control<QWidget>(w, "cmdMyVemba7");
    EXPECT_EQ(NextTabStop(last)->objectName().toStdString(), "cmdGo");

    QTest::keyClick(w, Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(h.menu.isVisible());
    EXPECT_FALSE(IsSet(h.s.TeamGame));
    EXPECT_TRUE(FileExists(h.tmp.File("zel.ini")));
}

TEST(SetupScreen, ControlsHelpExitAndClosing) {
    ScreensHarness h;
    StartWindow* w = ShownStart(h);
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(w, "cmdControl"), Qt::LeftButton);
    ASSERT_EQ(h.dialogs.Messages.size(), 1u);
    EXPECT_EQ(h.dialogs.Messages[0].Title, "Управление игрой");
    EXPECT_EQ(h.dialogs.Messages[0].Text,
              std::string(st::kControlText) + "\r\n\r\n" + "Вся эта информация будет показана в ходе игры.");
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(w, "cmdHelp"), Qt::LeftButton);
    EXPECT_EQ(h.helpCalls, 1);
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(w, "cmdExit"), Qt::LeftButton);
    EXPECT_EQ(h.exitCalls, 1);
    EXPECT_TRUE(FileExists(h.tmp.File("zel.ini")));
    w->close();
    EXPECT_EQ(h.exitCalls, 2);
}

}  // namespace
}  // namespace zel::test
