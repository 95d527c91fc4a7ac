#include <cstdlib>

#include <QApplication>
#include <gtest/gtest.h>

#include "frontend/GameTheme.h"

// The screen tests need a Qt application for their windows (and the piece
// preview for its OpenGL context), in the game's look as the program puts
// it on. Listing them needs none.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    zel::theme::ApplyGameTheme(app);
    return RUN_ALL_TESTS();
}
