#include "render/PictureWindow.h"

#include "render/RenderDevice.h"

#include <QExposeEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QResizeEvent>

namespace zel::render {

PictureWindow::PictureWindow() { setSurfaceType(QSurface::RasterSurface); }

void PictureWindow::UseOpenGl() {
    setFormat(RenderDevice::WindowFormat());
    Remake(QSurface::OpenGLSurface);
}

void PictureWindow::UseRaster() { Remake(QSurface::RasterSurface); }

void PictureWindow::Remake(QSurface::SurfaceType type) {
    if (surfaceType() == type) return;
    const bool wasVisible = isVisible();
    const Qt::WindowStates states = windowStates();
    store_.reset();
    // The surface type is fixed when the platform window is made.
    if (handle()) destroy();
    setSurfaceType(type);
    if (wasVisible) {
        setWindowStates(states);
        setVisible(true);
    }
}

QRect PictureWindow::FitRect(const QSize& picture, const QSize& window) {
    if (picture.isEmpty() || window.isEmpty()) return {};
    QSize fitted = picture.scaled(window, Qt::KeepAspectRatio);
    return {(window.width() - fitted.width()) / 2, (window.height() - fitted.height()) / 2, fitted.width(),
            fitted.height()};
}

void PictureWindow::ShowPicture(const QImage& picture) {
    picture_ = picture;
    Paint();
}

void PictureWindow::Paint() {
    if (!isExposed() || surfaceType() != QSurface::RasterSurface) return;
    if (!store_) {
        store_ = std::make_unique<QBackingStore>(this);
        store_->resize(size());
    }
    const QRect area(QPoint(0, 0), size());
    store_->beginPaint(area);
    {
        QPainter p(store_->paintDevice());
        p.fillRect(area, Qt::black);
        if (!picture_.isNull()) {
            p.setRenderHint(QPainter::SmoothPixmapTransform, picture_.size() != size());
            p.drawImage(FitRect(picture_.size(), size()), picture_);
        }
    }
    store_->endPaint();
    store_->flush(area);
}

void PictureWindow::exposeEvent(QExposeEvent*) { Paint(); }

void PictureWindow::resizeEvent(QResizeEvent* e) {
    if (store_) store_->resize(e->size());
    Paint();
}

void PictureWindow::keyPressEvent(QKeyEvent* e) {
    if (OnKeyPress) OnKeyPress(e);
}

void PictureWindow::keyReleaseEvent(QKeyEvent* e) {
    if (OnKeyRelease) OnKeyRelease(e);
}

bool PictureWindow::event(QEvent* e) {
    if (e->type() == QEvent::Close && OnCloseRequest) OnCloseRequest();
    return QWindow::event(e);
}

}  // namespace zel::render
