#include <memory>

#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "AppHarness.h"
#include "frontend/ScreenNavigator.h"

namespace zel {
namespace {

TEST(ScreenNavigator, ScreensAreMadeOnFirstUseAndKept) {
    ScreenNavigator screens;
    int made = 0;
    screens.Register("frmTest", [&] {
        ++made;
        return std::make_unique<QWidget>();
    });
    EXPECT_EQ(screens.Existing("frmTest"), nullptr);
    EXPECT_EQ(made, 0);
    QWidget* first = screens.Screen("frmTest");
    ASSERT_NE(first, nullptr);
    first->hide();
    EXPECT_EQ(screens.Screen("frmTest"), first);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(screens.Screen("frmNobody"), nullptr);
}

TEST(ScreenNavigator, HandOverCarriesTheWindowState) {
    for (const Qt::WindowState state : {Qt::WindowNoState, Qt::WindowMinimized, Qt::WindowMaximized}) {
        SCOPED_TRACE(state);
        QWidget from, to;
        to.setWindowState(Qt::WindowMaximized);  // whatever it had before goes
        from.setWindowState(state);
        from.show();
        ScreenNavigator::HandOver(&from, &to);
        EXPECT_FALSE(from.isVisible());
        EXPECT_TRUE(to.isVisible());
        EXPECT_EQ(ScreenNavigator::CarriedState(to.windowState()), state);
    }
}

TEST(ScreenNavigator, MaximisedMenuShowsTheShowMaximisedAndGetsItBack) {
    test::AppHarness h;
    Application& app = h.Started();
    app.Menu()->setWindowState(Qt::WindowMaximized);
    h.Picture("a.png");
    h.Script("[MerovaneVistrel]\r\na.png\r\n30000\r\n");
    QTest::mouseClick(app.Menu()->findChild<QPushButton*>("cmdSplash"), Qt::LeftButton);
    EXPECT_EQ(ScreenNavigator::CarriedState(app.Splash()->windowState()), Qt::WindowMaximized);

    app.Splash()->setWindowState(Qt::WindowMinimized);
    QTest::keyClick(app.Splash(), Qt::Key_Return);
    EXPECT_TRUE(app.Menu()->isVisible());
    EXPECT_EQ(ScreenNavigator::CarriedState(app.Menu()->windowState()), Qt::WindowMinimized);
}

}  // namespace
}  // namespace zel
