#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "ScreensHarness.h"
#include "render/MeshBuilder.h"
#include "screens/PieceEditorWindow.h"
#include "screens/PiecePreview.h"
#include "screens/ScreenTexts.h"

namespace zel::test {
namespace {

using screens::PiecePreview;
using screens::PreviewOutcome;
namespace st = screens::texts;

TEST(PiecePreview, MissingModelFileIsReportedBeforeTheDisplayChanges) {
    ScreensHarness h;
    h.s.AppPath = h.tmp.Path().string() + "/";
    h.store.Start.SelectModel(0, 3, h.s, h.dialogs);
    h.store.Display.Colors = 16;
    int exits = 0;
    bool fullScreenAtMessage = false;
    // Notes whether the preview window was up when the message came.
    struct Watch : FakeDialogs {
        PiecePreview* p = nullptr;
        bool* full = nullptr;
        MsgAnswer Ask(const Message& m) override {
            *full = p->Window() && p->Window()->isVisible();
            return FakeDialogs::Ask(m);
        }
    } watch;
    PiecePreview watched(h.s, h.store.Start, h.store.Display, watch, h.log);
    watch.p = &watched;
    watch.full = &fullScreenAtMessage;
    watched.OnExit = [&] { ++exits; };

    EXPECT_EQ(watched.LoadPreviewVemba(0), PreviewOutcome::NoMeshFile);
    ASSERT_EQ(watch.Messages.size(), 1u);
    EXPECT_EQ(watch.Messages[0].Text, "Ошибка: не найден .х-файл Вембы. Переустановите игру.");
    EXPECT_EQ(watch.Messages[0].Title, "Предварительный просмотр");
    EXPECT_EQ(watch.Messages[0].Icon, MsgIcon::Information);
    EXPECT_FALSE(fullScreenAtMessage);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(watched.Window(), nullptr);
    EXPECT_NE(TempDir::Read(h.log.Path()).find(std::string("VembaPreview:") + st::kNoPieceMesh), std::string::npos);
}

TEST(PiecePreview, UnusableColourDepthGivesTheDeviceMessage) {
    ScreensHarness h;
    h.store.Display.Colors = 12;
    PiecePreview preview(h.s, h.store.Start, h.store.Display, h.dialogs, h.log);
    int exits = 0;
    preview.OnExit = [&] { ++exits; };
    EXPECT_EQ(preview.LoadPreviewVemba(0), PreviewOutcome::DeviceFailed);
    ASSERT_EQ(h.dialogs.Messages.size(), 1u);
    EXPECT_EQ(h.dialogs.Messages[0].Text.rfind("DirectX вернул ошибку: 1003 ", 0), 0u);
    EXPECT_EQ(h.dialogs.Messages[0].Icon, MsgIcon::Exclamation);
    EXPECT_EQ(exits, 1);
}

TEST(PiecePreview, PieceTurnsUntilEscapeAndOtherKeysChangeNothing) {
    ScreensHarness h;
    h.store.Start.SetName(1, "Дина");
    h.store.Start.SelectModel(1, 2, h.s, h.dialogs);
    h.s.Vembas[2].RGray = kTrue;
    h.store.Display.Colors = 16;
    h.screens->OpenStart(&h.menu);
    h.screens->Start()->hide();
    PiecePreview preview(h.s, h.store.Start, h.store.Display, h.dialogs, h.log);
    preview.OnExit = [&] { h.screens->Start()->show(); };
    int ticksAtSpace = -1;
    bool running = false;
    bool grayMesh = false;
    // Once the piece has turned a few times: a key that is not Esc, then Esc.
    QTimer watch;
    int polls = 0;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (preview.Ticks() < 3 && ++polls < 1000) return;
        watch.stop();
        running = preview.Window() && preview.Window()->isVisible();
        // The grey participant's piece is the "_gray.x" variant.
        render::MeshBuilder gray;
        gray.LoadX(h.s.AppPath + "gamedata/mesh/vemba2_gray.x");
        const auto& shown = preview.Slots().VembaMeshes[1];
        grayMesh = shown && shown->FaceCount() == gray.FaceCount() && gray.FaceCount() > 0 &&
                   shown->Faces()[0].colour == gray.Faces()[0].colour;
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
        QCoreApplication::sendEvent(preview.Window(), &space);
        ticksAtSpace = preview.Ticks();
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(preview.Window(), &esc);
    });
    watch.start(10);
    const PreviewOutcome outcome = preview.LoadPreviewVemba(1);
    ASSERT_EQ(outcome, PreviewOutcome::Closed) << h.dialogs.LastText();
    EXPECT_TRUE(running);
    EXPECT_TRUE(grayMesh);
    EXPECT_GE(ticksAtSpace, 3);
    EXPECT_LE(preview.Ticks(), ticksAtSpace + 1);
    EXPECT_EQ(preview.TitleLine(), "Игрок Дина - Квадратная Вемба");
    EXPECT_FALSE(IsSet(h.s.GameRunning));
    EXPECT_TRUE(h.dialogs.Messages.empty());
    EXPECT_TRUE(h.screens->Start()->isVisible());
}

// From the setup row's "Дополнительно..." through the editor's preview
// button to the turning piece, and Esc back to the setup screen.
TEST(PiecePreview, EditorPreviewHidesTheSetupScreenUntilEscape) {
    ScreensHarness h;
    h.store.Display.Colors = 16;
    h.screens->OpenStart(&h.menu);
    screens::StartWindow* start = h.screens->Start();
    bool setupHidden = false;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (auto* editor = dynamic_cast<screens::PieceEditorWindow*>(QApplication::activeModalWidget())) {
            auto* mass = ScreensHarness::Control<QLineEdit>(editor, "txtMass");
            mass->selectAll();
            QTest::keyClicks(mass, "5");
            QTest::mouseClick(ScreensHarness::Control<QPushButton>(editor, "cmdPreviewVemba"), Qt::LeftButton);
            return;
        }
        PiecePreview* preview = start->Preview();
        if (!preview || !preview->Window() || preview->Ticks() < 1) return;
        driver.stop();
        setupHidden = !start->isVisible();
        QTest::keyClick(preview->Window(), Qt::Key_Escape);
    });
    driver.start(10);
    QTest::mouseClick(ScreensHarness::Control<QPushButton>(start, "cmdMyVemba0"), Qt::LeftButton);
    EXPECT_TRUE(setupHidden);
    EXPECT_TRUE(start->isVisible());
    EXPECT_EQ(start->Preview(), nullptr);
    EXPECT_EQ(h.s.Vembas[1].RM, 5);
    EXPECT_TRUE(h.dialogs.Messages.empty());
}

}  // namespace
}  // namespace zel::test
