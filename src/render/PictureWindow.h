#pragma once
#include <functional>

#include <QBackingStore>
#include <QImage>
#include <QWindow>

class QKeyEvent;

namespace zel::render {

// A plain window that shows the match picture: the off-screen picture is
// scaled to the window with its aspect kept, centred on black. It paints
// through Qt's raster backing store and holds no OpenGL context of its own,
// so it shows whatever the off-screen device draws wherever that works.
// Keys and the close request are handed to the owner's callbacks.
class PictureWindow : public QWindow {
public:
    PictureWindow();

    // Keeps the picture and paints it at once when the window is exposed.
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

    QBackingStore store_;  // the window's pixels
    QImage picture_;       // the last picture shown
};

}  // namespace zel::render
