#pragma once
#include <QImage>
#include <QSize>

namespace zel {
class ErrorLog;
}

namespace zel::render {

class PictureWindow;
class RenderDevice;

// How a window shows the device's picture each frame. On the GPU path the
// device presents straight to the window's OpenGL surface: the scene is
// rounded to the colour depth as it is drawn, scaled and overlaid on the
// GPU, and nothing of the picture passes through the CPU. When the window
// cannot get an OpenGL surface, the picture is read back, the overlay laid
// over it, rounded to the colour depth and shown by the raster window, as
// before; the log says so once.
class ScenePresenter {
public:
    // The window and the log must outlive the presenter.
    ScenePresenter(PictureWindow& window, const ErrorLog& log);

    // Before the window is first shown: asks for an OpenGL surface, unless
    // `gpu` is false (the picture window is used from the start).
    void PrepareWindow(bool gpu);
    // After the device is made: presents through it when the GPU path was
    // asked for and the window has an OpenGL surface the device can use;
    // else turns the window back into the picture window and, the first
    // time, writes the log line. Returns whether the GPU path is taken.
    bool Attach(RenderDevice* device);
    // Before the device goes.
    void Detach();
    bool OnGpu() const { return device_ != nullptr && gpu_; }

    // The texts over the picture: a picture-sized image, transparent where
    // there is no text, its colours already those of the colour depth.
    // Call it only when the texts change.
    void SetOverlay(const QImage& overlay);
    // Shows the last drawn picture (black of `picture` size without a
    // device) with the overlay at `colourDepth` bits.
    void Show(QSize picture, int colourDepth);
    // What is on the screen, at the picture's size (for checks).
    QImage Shown();

private:
    PictureWindow& window_;        // where the picture goes
    const ErrorLog& log_;          // the fallback's line goes here
    RenderDevice* device_ = nullptr;  // the attached device; null: none
    bool wanted_ = false;          // PrepareWindow asked for the GPU path
    bool gpu_ = false;             // the device presents to the window
    bool fallbackLogged_ = false;  // the fallback has been written to the log
    QImage overlay_;               // the last overlay, for the picture window
};

}  // namespace zel::render
