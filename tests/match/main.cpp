#include <cstdlib>

#include <QGuiApplication>
#include <gtest/gtest.h>

// The screen tests need a Qt GUI application for their OpenGL contexts.
// Listing the tests needs none, so the build can list them without a display.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) {
        // No display at all: Qt's off-screen platform still lets the tests
        // report a clear failure instead of aborting.
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
