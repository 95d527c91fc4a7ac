#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

#include "render/PictureWindow.h"

namespace zel::render {
namespace {

TEST(PictureWindow, PictureIsScaledWithItsAspectKeptAndCentred) {
    EXPECT_EQ(PictureWindow::FitRect({1024, 768}, {1280, 1024}), QRect(0, 32, 1280, 960));
    EXPECT_EQ(PictureWindow::FitRect({800, 600}, {1920, 1080}), QRect(240, 0, 1440, 1080));
    EXPECT_EQ(PictureWindow::FitRect({640, 480}, {640, 480}), QRect(0, 0, 640, 480));
    EXPECT_TRUE(PictureWindow::FitRect({0, 480}, {640, 480}).isEmpty());
    EXPECT_TRUE(PictureWindow::FitRect({640, 480}, {0, 0}).isEmpty());
}

TEST(PictureWindow, ShowsThePictureBetweenBlackBars) {
    PictureWindow w;
    w.resize(320, 240);
    w.show();
    QElapsedTimer timer;
    timer.start();
    while (!w.isExposed() && timer.elapsed() < 5000) QGuiApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_TRUE(w.isExposed());
    QImage picture(160, 60, QImage::Format_RGB32);
    picture.fill(qRgb(200, 30, 30));
    w.ShowPicture(picture);
    QGuiApplication::processEvents();
    const QImage shot = w.screen()->grabWindow(w.winId()).toImage();
    ASSERT_EQ(shot.size(), QSize(320, 240));
    EXPECT_EQ(shot.pixel(160, 120), qRgb(200, 30, 30));
    EXPECT_EQ(shot.pixel(160, 20), qRgb(0, 0, 0));   // 320 x 120 picture, bars of 60 above
    EXPECT_EQ(shot.pixel(160, 225), qRgb(0, 0, 0));  // and below
}

}  // namespace
}  // namespace zel::render
