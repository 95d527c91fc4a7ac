#include <filesystem>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "MatchDriver.h"
#include "TestProgram.h"
#include "ScreensHarness.h"
#include "app/Application.h"
#include "app/GameScreensWiring.h"
#include "base/IniLookup.h"
#include "frontend/MainMenuWindow.h"
#include "match/MatchWindow.h"
#include "screens/GameScreens.h"
#include "screens/TeamEditorDialog.h"
#include "screens/TeamsWindow.h"
#include "sound/SoundDevice.h"

namespace zel::test {
namespace {

namespace fs = std::filesystem;

// Double-clicks the entry `row` of a list as a person does (Enter on it does
// the same).
void Activate(QListWidget* list, int row) {
    list->setCurrentRow(row);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
}

// A person creates two teams with Cyrillic names on the teams screen, plays
// them against each other with one player each, sees both names and the
// score, plays the rematch, sees the score grow, and goes back to the menu;
// zel.cmd holds both teams afterwards.
TEST(TeamsEndToEnd, CreateTwoTeamsPlayARematchAndKeepTheScore) {
    TestProgram test([](const TempDir& dir) {
        // A small table, so the match is short.
        dir.Write("zel.ini", "[zelset]\r\nMaxX=201\r\nMaxY=201\r\nSound=0\r\nBorder=0\r\nPipa=0\r\nShowSgin=0\r\n");
    });
    Application& app = *test.app;
    const auto& screens = test.screens;
    FakeDialogs& dialogs = test.dialogs;
    int& quits = test.quits;
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.Menu() && app.Menu()->isVisible(); }, 10000));

    QTest::mouseClick(ScreensHarness::Control<QPushButton>(app.Menu(), "cmdCom"), Qt::LeftButton);
    screens::TeamsWindow* teams = screens->TeamsScreen();
    ASSERT_TRUE(QTest::qWaitFor([&] { return teams->isVisible(); }, 5000));
    EXPECT_EQ(ScreensHarness::Control<QLabel>(teams, "lbl")->text(), "(Файл с настройками команд не найден)");

    // Two teams through the editor, the second with a name from the
    // collection and its first player played by "Компьютер: любитель".
    const QString names[] = {"Ёжики", "Совята"};
    for (const QString& name : names) {
        teams->OnEditorShown = [&](screens::TeamEditorDialog& editor) {
            Type(editor.findChild<QLineEdit*>("txtComName"), name);
            QTest::mouseClick(editor.findChild<QPushButton*>("cmdName0"), Qt::LeftButton);
            if (name == names[1]) {
                auto* kind = editor.findChild<QComboBox*>("cmbKind0");
                kind->setFocus();
                QTest::keyClick(kind, Qt::Key_Down);
                QTest::keyClick(kind, Qt::Key_Down);
                EXPECT_EQ(kind->currentText(), "Компьютер: любитель");
            }
            QTest::mouseClick(editor.findChild<QPushButton*>("cmdDone"), Qt::LeftButton);
        };
        QTest::mouseClick(ScreensHarness::Control<QPushButton>(teams, "cmdNew"), Qt::LeftButton);
    }
    QListWidget* existing = ScreensHarness::Control<QListWidget>(teams, "List1");
    ASSERT_EQ(existing->count(), 2) << dialogs.LastText();
    EXPECT_EQ(existing->item(0)->text(), names[0]);
    EXPECT_NE(screens->Teams().At(1)->R[0], "Вемба1");  // picked from the collection

    ScreensHarness::Control<QScrollBar>(teams, "VS")->setValue(1);
    EXPECT_EQ(ScreensHarness::Control<QLabel>(teams, "lblKolvo")->text(), "Количество: 1");
    Activate(existing, 0);
    Activate(existing, 0);
    QPushButton* go = ScreensHarness::Control<QPushButton>(teams, "cmdGo");
    ASSERT_TRUE(go->isEnabled());

    Striker striker(app.State());
    QWidget* results = screens->Results();
    int total = 0;
    for (int match = 0; match < 2; ++match) {
        if (match == 0) {
            QTest::mouseClick(go, Qt::LeftButton);
        } else {
            QTest::mouseClick(ScreensHarness::Control<QPushButton>(results, "cmdGo"), Qt::LeftButton);
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return results->isVisible(); }, 60000)) << dialogs.LastText();
        const MatchState& s = app.State();
        ASSERT_TRUE(IsSet(s.TeamGame));
        EXPECT_EQ(s.Num, 2);
        EXPECT_EQ(s.Players[1], PlayerKind::Human);
        EXPECT_EQ(s.Players[2], PlayerKind::Amateur);
        EXPECT_EQ(ScreensHarness::Control<QLabel>(results, "lblCom1")->text(), names[0]);
        EXPECT_EQ(ScreensHarness::Control<QLabel>(results, "lblCom2")->text(), names[1]);
        if (s.Winner >= 1) total += CountAlive(s);
        const int shown = ScreensHarness::Control<QLabel>(results, "lblScore1")->text().toInt() +
                          ScreensHarness::Control<QLabel>(results, "lblScore2")->text().toInt();
        EXPECT_EQ(shown, total) << "match " << match;
    }
    // The computer may end the rematch before the person's turn comes.
    EXPECT_GE(striker.Strikes(), 1);
    EXPECT_GE(total, 1);  // at least one of the two matches had a winner

    QTest::keyClick(results, Qt::Key_Escape);
    ASSERT_TRUE(teams->isVisible());
    QTest::keyClick(teams, Qt::Key_Escape);
    EXPECT_TRUE(app.Menu()->isVisible());
    EXPECT_FALSE(IsSet(app.State().TeamGame));
    const std::string file = app.Paths().TeamFile();
    EXPECT_EQ(GetIniValueFromFile(file, "1", "ComName"), names[0].toStdString());
    EXPECT_EQ(GetIniValueFromFile(file, "2", "ComName"), names[1].toStdString());
    EXPECT_EQ(GetIniValueFromFile(file, "2", "C1"), "2");
    EXPECT_EQ(GetIniValueFromFile(file, "1", "C1"), "0");
    EXPECT_EQ(quits, 0);
}

}  // namespace
}  // namespace zel::test
