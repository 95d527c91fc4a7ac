#include "render/ScenePresenter.h"

#include <QPainter>

#include "base/ErrorLog.h"
#include "render/ColourDepth.h"
#include "render/PictureWindow.h"
#include "render/RenderDevice.h"
#include "render/SceneTexts.h"

namespace zel::render {

namespace {
// The largest picture the device makes; a blank frame is never larger.
constexpr int kLargestPicture = 8192;
}  // namespace

ScenePresenter::ScenePresenter(PictureWindow& window, const ErrorLog& log) : window_(window), log_(log) {}

void ScenePresenter::PrepareWindow(bool gpu) {
    wanted_ = gpu;
    if (gpu) {
        window_.UseOpenGl();
    } else {
        window_.UseRaster();
    }
}

bool ScenePresenter::Attach(RenderDevice* device) {
    Detach();
    device_ = device;
    gpu_ = false;
    if (!wanted_) return false;
    if (device_ == nullptr) {
        // No device to present: the texts go over black through the picture
        // window. Not a missing surface, so nothing is logged.
        window_.UseRaster();
        return false;
    }
    gpu_ = window_.IsOpenGl() && device_->AttachWindow(window_);
    if (!gpu_) {
        window_.UseRaster();
        if (!fallbackLogged_) {
            fallbackLogged_ = true;
            log_.LogError(texts::kNoOpenGlSurface);
        }
    }
    if (gpu_ && !overlay_.isNull()) device_->SetOverlay(overlay_);
    return gpu_;
}

void ScenePresenter::Detach() {
    if (device_ != nullptr && gpu_) device_->DetachWindow();
    device_ = nullptr;
    gpu_ = false;
}

void ScenePresenter::SetOverlay(const QImage& overlay) {
    overlay_ = overlay;
    if (OnGpu()) device_->SetOverlay(overlay_);
}

void ScenePresenter::Show(QSize picture, int colourDepth) {
    if (OnGpu()) {
        device_->Present();
        return;
    }
    QImage shown = device_ != nullptr ? device_->Grab() : QImage();
    if (shown.isNull()) {
        // No device: the texts still go over a black picture.
        if (picture.width() < 1 || picture.height() < 1 || picture.width() > kLargestPicture ||
            picture.height() > kLargestPicture)
            return;
        shown = QImage(picture, QImage::Format_RGB32);
        shown.fill(Qt::black);
    }
    if (!overlay_.isNull()) {
        QPainter p(&shown);
        p.drawImage(0, 0, overlay_);
    }
    window_.ShowPicture(QuantiseToColourDepth(shown, colourDepth));
}

QImage ScenePresenter::Shown() {
    if (OnGpu()) return device_->GrabPresented();
    return window_.Picture();
}

}  // namespace zel::render
