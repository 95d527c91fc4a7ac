#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "ScreensHarness.h"
#include "screens/PieceEditorWindow.h"
#include "screens/ScreenTexts.h"

namespace zel::test {
namespace {

using screens::PieceEditorModel;
using screens::PieceEditorWindow;
namespace st = screens::texts;

TEST(PieceEditor, MassMustBeAWholeNumberFromOneToThousand) {
    for (const char* good : {"1", "1000", " 42 ", "+7"}) EXPECT_TRUE(screens::ParseMass(good)) << good;
    for (const char* bad : {"0", "1001", "-5", "", "abc", "12.5", "99999999999"})
        EXPECT_FALSE(screens::ParseMass(bad)) << bad;

    MatchState s;
    s.Vembas[3].RM = 17;
    FakeDialogs d;
    PieceEditorModel m;
    m.Open(3, "Вера", "Круглая Вемба", s);
    EXPECT_EQ(m.InfoText(), "Игрок: Вера (Круглая Вемба)");
    EXPECT_EQ(m.MassText(), "17");
    m.SetMassText("1001");
    EXPECT_FALSE(m.Accept(s, d));
    EXPECT_EQ(d.LastText(), st::kBadMass);
    EXPECT_EQ(s.Vembas[3].RM, 17);
    m.SetMassText("1000");
    EXPECT_TRUE(m.Accept(s, d));
    EXPECT_EQ(s.Vembas[3].RM, 1000);
}

TEST(PieceEditor, ModeLabelTogglesBetweenEightAndSixteenBits) {
    MatchState s;
    DisplaySettings display;
    FakeDialogs d;
    PieceEditorWindow w(s, display, d);
    w.Open(1, "1", "Вемба из Varnok");
    w.show();
    auto* label = ScreensHarness::Control<QLabel>(&w, "Label4");
    EXPECT_EQ(label->text().toStdString(), st::kPreviewMode16);
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(label->text().toStdString(), st::kPreviewMode8);
    label->setFocus();
    QTest::keyClick(label, Qt::Key_Space);
    EXPECT_EQ(label->text().toStdString(), st::kPreviewMode16);
}

TEST(PieceEditor, AcceptKeepsTheMassAndEscapeDiscardsIt) {
    ScreensHarness h;
    h.s.Vembas[2].RM = 3;
    PieceEditorWindow w(h.s, h.store.Display, h.dialogs);
    w.Open(2, "2", "Вемба из Varnok");
    w.show();
    auto* mass = ScreensHarness::Control<QLineEdit>(&w, "txtMass");
    mass->selectAll();
    QTest::keyClicks(mass, "0");
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(&w, "cmdDone"), Qt::LeftButton);
    EXPECT_EQ(h.dialogs.LastText(), st::kBadMass);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(h.s.Vembas[2].RM, 3);

    mass->selectAll();
    QTest::keyClicks(mass, "250");
    QTest::keyClick(mass, Qt::Key_Return);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(h.s.Vembas[2].RM, 250);

    w.Open(2, "2", "Вемба из Varnok");
    w.show();
    mass->selectAll();
    QTest::keyClicks(mass, "999");
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(h.s.Vembas[2].RM, 250);
}

TEST(PieceEditor, EightBitPreviewIsKeptInTheSettings) {
    ScreensHarness h;
    PieceEditorWindow w(h.s, h.store.Display, h.dialogs);
    w.Open(1, "1", "Вемба из Varnok");
    w.show();
    QTest::mouseClick(ScreensHarness::Control<QLabel>(&w, "Label4"), Qt::LeftButton);
    auto* mass = ScreensHarness::Control<QLineEdit>(&w, "txtMass");
    mass->selectAll();
    QTest::keyClicks(mass, "12");
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(&w, "cmdPreviewVemba"), Qt::LeftButton);
    EXPECT_EQ(w.result(), PieceEditorWindow::kPreviewRequested);
    EXPECT_EQ(h.s.Vembas[1].RM, 12);
    EXPECT_EQ(h.store.Display.Colors, 8);
    ASSERT_TRUE(SaveSettings(h.tmp.File("zel.ini"), h.store, h.s, h.dialogs));
    const std::string ini = TempDir::Read(h.tmp.File("zel.ini"));
    EXPECT_NE(ini.find("Colors=8\r\n"), std::string::npos);
    EXPECT_NE(ini.find("RM0=12\r\n"), std::string::npos);
}

TEST(PieceEditor, OpensFromTheSetupRowWithItsPlayer) {
    ScreensHarness h;
    h.store.Start.SetName(4, "Глеб");
    h.store.Start.SelectModel(4, 2, h.s, h.dialogs);
    h.s.Vembas[5].RM = 77;
    h.screens->OpenStart(&h.menu);
    std::string info;
    std::string mass;
    QTimer::singleShot(0, [&] {
        auto* editor = dynamic_cast<PieceEditorWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr);
        info = ScreensHarness::Control<QLabel>(editor, "lblInfo")->text().toStdString();
        mass = ScreensHarness::Control<QLineEdit>(editor, "txtMass")->text().toStdString();
        editor->reject();
    });
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(h.screens->Start(), "cmdMyVemba4"), Qt::LeftButton);
    EXPECT_EQ(info, "Игрок: Глеб (Квадратная Вемба)");
    EXPECT_EQ(mass, "77");
}

}  // namespace
}  // namespace zel::test
