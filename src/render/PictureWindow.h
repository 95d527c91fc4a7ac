#pragma once
#include <functional>
#include <memory>

#include <QBackingStore>
#include <QImage>
#include <QWindow>

class QKeyEvent;

namespace zel::render {

// A plain window that shows the match picture, scaled to the window with its
// aspect kept, centred on black. It starts as a raster window painting
// ShowPicture's picture through Qt's backing store, which shows whatever
// the off-screen device draws wherever that works. UseOpenGl gives it an
// OpenGL surface instead, for a RenderDevice to present to directly; it
// then paints nothing itself. Keys and the close request are handed to the
// owner's callbacks.
class PictureWindow : public QWindow {
public:
    PictureWindow();

    // The kind of surface: OpenGL (RenderDevice::WindowFormat) for a device
    // to present to, or raster for ShowPicture. A window already on screen
    // is made again with the new surface and shown as it was.
    void UseOpenGl();
    void UseRaster();
    bool IsOpenGl() const { return surfaceType() == QSurface::OpenGLSurface; }

    // Keeps the picture and, on a raster surface, paints it at once when
    // the window is exposed.
    void ShowPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }

    // Where a picture of `picture` size lands in a window of `window` size:
    // as large as fits with the picture's aspect, centred.
    static QRect FitRect(const QSize& picture, const QSize& window);

    std::function<void(QKeyEvent*)> OnKeyPress;    // every key press, repeats included
    std::function<void(QKeyEvent*)> OnKeyRelease;  // every key release, repeats included
    std::function<void()> OnCloseRequest;          // the user closed the window

protected:
    void exposeEvent(QExposeEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    bool event(QEvent* e) override;

private:
    void Paint();
    void Remake(QSurface::SurfaceType type);

    std::unique_ptr<QBackingStore> store_;  // the raster window's pixels, made on first paint
    QImage picture_;       // the last picture shown
};

}  // namespace zel::render
