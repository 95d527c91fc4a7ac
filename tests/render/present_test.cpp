#include <set>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <gtest/gtest.h>

#include "RenderTestSupport.h"
#include "render/ColourDepth.h"
#include "render/GpuPresenter.h"
#include "render/PictureWindow.h"
#include "render/RenderDevice.h"
#include "render/ScenePresenter.h"
#include "render/SceneTexts.h"

namespace zel::test {
namespace {

using render::PictureWindow;
using render::QuantiseToColourDepth;
using render::ScenePresenter;

render::RenderSettings AtDepth(int bits) {
    render::RenderSettings r = SceneHarness::DefaultSettings();
    r.Colors = bits;
    return r;
}

int Differences(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return a.width() * a.height() + 1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) & 0xffffff) != (b.pixel(x, y) & 0xffffff)) ++n;
    return n;
}

int DistinctColours(const QImage& img) {
    std::set<QRgb> seen;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) seen.insert(img.pixel(x, y) & 0xffffff);
    return static_cast<int>(seen.size());
}

bool WaitExposed(QWindow& w) {
    QElapsedTimer timer;
    timer.start();
    while (!w.isExposed() && timer.elapsed() < 5000) QGuiApplication::processEvents(QEventLoop::AllEvents, 50);
    return w.isExposed();
}

// A transparent picture-sized overlay with two opaque blocks of text colour.
QImage TwoBlockOverlay(QSize size, QRgb colour) {
    QImage overlay(size, QImage::Format_ARGB32_Premultiplied);
    overlay.fill(Qt::transparent);
    QPainter p(&overlay);
    p.fillRect(QRect(20, 10, 60, 12), QColor::fromRgb(colour));
    p.fillRect(QRect(300, 400, 25, 9), QColor::fromRgb(colour));
    return overlay;
}

// The scene rounded by the fragment shader as it is drawn is the scene drawn
// in full colour and rounded afterwards by the CPU quantiser, pixel for pixel.
TEST(RenderPresent, ShaderQuantiserEqualsTheCpuQuantiserAtSixteenAndEightBits) {
    for (const int bits : {16, 8}) {
        SCOPED_TRACE(bits);
        SceneHarness h(AtDepth(bits), 8);
        h.s.UseRoom = kTrue;
        ASSERT_TRUE(h.Build());
        render::RenderDevice& device = *h.Slots().Device;
        device.SetShaderQuantise(false);
        const QImage full = Draw(*h.graph);
        ASSERT_FALSE(full.isNull());
        // A picture with many colours, so the two roundings have work to do.
        ASSERT_GT(DistinctColours(full), 500);
        const QImage expected = QuantiseToColourDepth(full, bits);
        ASSERT_GT(Differences(full, expected), 1000);
        device.SetShaderQuantise(true);
        const QImage shaded = Draw(*h.graph);
        EXPECT_EQ(Differences(shaded, expected), 0);
    }
}

TEST(RenderPresent, ColourRoundingOfOneColourIsThePictureRounding) {
    QImage img(256, 1, QImage::Format_RGB32);
    for (int x = 0; x < 256; ++x) img.setPixel(x, 0, qRgb(x, 255 - x, (x * 7) & 255));
    for (const int bits : {8, 16, 24, 32}) {
        const QImage q = QuantiseToColourDepth(img, bits);
        for (int x = 0; x < 256; ++x)
            ASSERT_EQ(render::QuantiseColour(img.pixel(x, 0), bits) & 0xffffff, q.pixel(x, 0) & 0xffffff)
                << bits << " " << x;
    }
}

// What the window is given at the picture's own size is the picture with
// the overlay's text over it, as the CPU would lay it.
TEST(RenderPresent, PresentedPictureIsTheSceneWithTheOverlayOverIt) {
    SceneHarness h(AtDepth(16));
    ASSERT_TRUE(h.Build());
    render::RenderDevice& device = *h.Slots().Device;
    device.SetShaderQuantise(true);
    const QImage scene = Draw(*h.graph);
    const QImage overlay = TwoBlockOverlay(scene.size(), qRgb(255, 255, 255));
    device.SetOverlay(overlay);
    QImage expected = scene;
    QPainter(&expected).drawImage(0, 0, overlay);
    const QImage shown = device.GrabPresented();
    EXPECT_EQ(Differences(shown, expected), 0);
    EXPECT_EQ(shown.pixel(30, 15) & 0xffffff, 0xffffffu);
    // Taken away again: the scene alone.
    device.SetOverlay(QImage());
    EXPECT_EQ(Differences(device.GrabPresented(), scene), 0);
}

TEST(RenderPresent, OverlayIsDrawnOnlyOverTheBandsOfRowsThatHoldText) {
    const std::vector<QRect> bands = render::OverlayTextBands(TwoBlockOverlay({640, 480}, qRgb(1, 2, 3)));
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[0], QRect(20, 10, 60, 12));
    EXPECT_EQ(bands[1], QRect(300, 400, 25, 9));
    QImage empty(64, 64, QImage::Format_ARGB32_Premultiplied);
    empty.fill(Qt::transparent);
    EXPECT_TRUE(render::OverlayTextBands(empty).empty());
    // Two rows apart still join: the lines of one text are one band.
    QImage close = empty;
    close.setPixel(5, 10, 0xff000000u);
    close.setPixel(9, 12, 0xff000000u);
    EXPECT_EQ(render::OverlayTextBands(close), std::vector<QRect>{QRect(5, 10, 5, 3)});
}

// On the GPU path the picture reaches the window scaled with its aspect
// kept between black bars, and the raster window paints nothing itself.
TEST(RenderPresent, DevicePresentsStraightToTheWindowWithTheAspectKept) {
    SceneHarness h(AtDepth(32));
    ASSERT_TRUE(h.Build());
    h.Slots().SceneRoot->SetSceneBackground({0.8f, 0.1f, 0.1f, 1});
    PictureWindow w;
    ScenePresenter present(w, h.log);
    present.PrepareWindow(true);
    w.resize(320, 120);
    w.show();
    ASSERT_TRUE(WaitExposed(w));
    ASSERT_TRUE(present.Attach(h.Slots().Device.get()));
    EXPECT_TRUE(present.OnGpu());
    // An empty scene: the background alone.
    VisualStash stash;
    stash.TakeAll(h.Slots());
    ASSERT_FALSE(h.graph->RenderStep());
    present.Show({640, 480}, 32);
    h.Slots().Device->Finish();
    EXPECT_TRUE(w.Picture().isNull());
    const QImage shot = w.screen()->grabWindow(w.winId()).toImage();
    ASSERT_EQ(shot.size(), QSize(320, 120));
    // 640 x 480 into 320 x 120: 160 x 120 in the middle, bars of 80 beside it.
    EXPECT_EQ(shot.pixel(160, 60) & 0xffffff, qRgb(204, 26, 26) & 0xffffff);
    EXPECT_EQ(shot.pixel(40, 60) & 0xffffff, 0u);
    EXPECT_EQ(shot.pixel(280, 60) & 0xffffff, 0u);
    present.Detach();
    stash.Restore();
    EXPECT_EQ(h.Log(), "");
}

// A window left without an OpenGL surface gets the picture through the
// raster picture window, as before, and the log says so once however many
// frames and devices follow.
TEST(RenderPresent, WindowWithoutAnOpenGlSurfaceFallsBackToThePictureWindowAndLogsOnce) {
    SceneHarness h(AtDepth(8));
    ASSERT_TRUE(h.Build());
    PictureWindow w;
    ScenePresenter present(w, h.log);
    present.PrepareWindow(true);
    // The platform gave the window no OpenGL surface.
    w.UseRaster();
    w.resize(640, 480);
    w.show();
    ASSERT_TRUE(WaitExposed(w));
    EXPECT_FALSE(present.Attach(h.Slots().Device.get()));
    EXPECT_FALSE(present.OnGpu());
    EXPECT_FALSE(w.IsOpenGl());
    const QImage overlay = TwoBlockOverlay({640, 480}, render::QuantiseColour(qRgb(116, 12, 95), 8));
    present.SetOverlay(overlay);
    for (int frame = 0; frame < 3; ++frame) {
        ASSERT_FALSE(h.graph->RenderStep());
        present.Show({640, 480}, 8);
    }
    QImage expected = h.graph->Picture();
    QPainter(&expected).drawImage(0, 0, overlay);
    EXPECT_EQ(Differences(w.Picture(), QuantiseToColourDepth(expected, 8)), 0);
    EXPECT_EQ(Differences(present.Shown(), w.Picture()), 0);
    // A second start-up on the same window: still one line.
    present.Detach();
    EXPECT_FALSE(present.Attach(h.Slots().Device.get()));
    const std::string log = h.Log();
    const std::string line = render::texts::kNoOpenGlSurface;
    ASSERT_NE(log.find(line), std::string::npos);
    EXPECT_EQ(log.find(line, log.find(line) + line.size()), std::string::npos);
}

// Without a device there is nothing to present: the texts still reach the
// screen over black, through the picture window, and nothing is logged.
TEST(RenderPresent, WithoutADeviceTheTextsGoOverBlackThroughThePictureWindow) {
    SceneHarness h(AtDepth(32));
    PictureWindow w;
    ScenePresenter present(w, h.log);
    present.PrepareWindow(true);
    w.resize(640, 480);
    w.show();
    ASSERT_TRUE(WaitExposed(w));
    EXPECT_FALSE(present.Attach(nullptr));
    EXPECT_FALSE(w.IsOpenGl());
    present.SetOverlay(TwoBlockOverlay({640, 480}, qRgb(255, 255, 255)));
    present.Show({640, 480}, 32);
    const QImage shown = w.Picture();
    ASSERT_EQ(shown.size(), QSize(640, 480));
    EXPECT_EQ(shown.pixel(30, 15) & 0xffffff, 0xffffffu);
    EXPECT_EQ(shown.pixel(320, 240) & 0xffffff, 0u);
    EXPECT_EQ(h.Log(), "");
}

// Asked for the picture window from the start, the window is never given an
// OpenGL surface and nothing is logged: a choice, not a failure.
TEST(RenderPresent, PictureWindowChosenFromTheStartLogsNothing) {
    SceneHarness h(AtDepth(32));
    ASSERT_TRUE(h.Build());
    PictureWindow w;
    ScenePresenter present(w, h.log);
    present.PrepareWindow(false);
    EXPECT_FALSE(present.Attach(h.Slots().Device.get()));
    EXPECT_FALSE(w.IsOpenGl());
    EXPECT_EQ(h.Log(), "");
}

}  // namespace
}  // namespace zel::test
