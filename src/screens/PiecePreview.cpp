#include "screens/PiecePreview.h"

#include <exception>

#include <QCoreApplication>
#include <QEventLoop>
#include <QFont>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>

#include "render/ColourDepth.h"
#include "render/GameDataFiles.h"
#include "render/RenderError.h"
#include "screens/ScreenTexts.h"
#include "base/TextFile.h"

namespace zel::screens {
namespace {

using render::Colour;
using render::Frame;
using render::Light;
using render::MeshBuilder;
using render::RenderDevice;
using render::RenderError;
using render::RenderErrorCode;
using render::Vec3;
using render::Viewport;

// The preview's display mode and picture.
constexpr int kPreviewWidth = 640;
constexpr int kPreviewHeight = 480;
// Timer1: one turn of kTurn radians about the vertical every kTickMs.
constexpr int kTickMs = 40;
constexpr double kTurn = 0.05;
// The piece is shown five times as large as in a match.
constexpr double kPieceScale = 0.5;
constexpr double kBackClip = 1000;
// Where the title line and the hint are drawn, in picture pixels.
constexpr int kTextX = 20;
constexpr int kTitleY = 10;
constexpr int kHintY = 450;
constexpr int kTextPointSize = 10;
// Colour 3 of the 16-colour palette (dark cyan): the preview's text colour.
const QColor kTextColour(0, 128, 128);

RenderError AsRenderError(const std::exception& e) {
    if (const auto* r = dynamic_cast<const RenderError*>(&e)) return *r;
    return RenderError(RenderErrorCode::Internal, e.what());
}

}  // namespace

PiecePreview::PiecePreview(MatchState& s, const StartScreenModel& start, const DisplaySettings& display,
                           Dialogs& d, const ErrorLog& log)
    : s_(s), start_(start), display_(display), d_(d), log_(log) {}

PiecePreview::~PiecePreview() {
    // GPU objects go with the device, before it.
    slots_.View.reset();
    slots_.Device.reset();
}

PreviewOutcome PiecePreview::LoadPreviewVemba(int p) {
    ticks_ = 0;
    failed_ = false;
    titleLine_.clear();
    window_ = std::make_unique<render::PictureWindow>();
    present_ = std::make_unique<render::ScenePresenter>(*window_, log_);
    overlaySet_ = false;
    window_->OnKeyPress = [this](QKeyEvent* e) { KeyPressed(e->key()); };
    // Closing the window by hand ends the preview as Esc does.
    window_->OnCloseRequest = [this] { Stop(); };

    const int model = start_.Model(p);
    const std::string meshFile = s_.AppPath + render::files::PieceMesh(model, false);
    if (!FileExists(meshFile)) {
        log_.LogError(std::string(texts::kPreviewLogPrefix) + texts::kNoPieceMesh);
        Message m;
        m.Text = texts::kNoPieceMesh;
        m.Title = texts::kPreviewTitle;
        m.Icon = MsgIcon::Information;
        d_.Ask(m);
        Exit();
        return PreviewOutcome::NoMeshFile;
    }

    if (!InitDevice()) {
        Exit();
        return PreviewOutcome::DeviceFailed;
    }

    const int record = p + 1;
    const bool gray = record >= 1 && record <= kMaxParticipants && IsSet(s_.Vembas[record].RGray);
    try {
        BuildScene(model, gray);
    } catch (const std::exception& ex) {
        const RenderError e = AsRenderError(ex);
        ReportSceneFailure(e.Number, e.Description);
        Exit();
        return PreviewOutcome::SceneFailed;
    }

    titleLine_ = std::string(texts::kPreviewPlayer) + start_.Name(p) + texts::kPreviewSeparator +
                 StartScreenModel::ModelName(model);
    s_.GameRunning = kTrue;
    timer_ = std::make_unique<QTimer>();
    timer_->setInterval(kTickMs);
    QObject::connect(timer_.get(), &QTimer::timeout, [this] { Tick(); });
    timer_->start();
    window_->setTitle(QString::fromStdString(texts::kPreviewCaptionRunning));
    RenderLoop();
    Exit();
    return failed_ ? PreviewOutcome::SceneFailed : PreviewOutcome::Closed;
}

bool PiecePreview::InitDevice() {
    window_->setTitle(QString::fromStdString(texts::kPreviewCaptionInit));
    try {
        // The default driver and the software device: one OpenGL device
        // draws the picture whatever the options screen chose.
        slots_.Device = RenderDevice::Create(kPreviewWidth, kPreviewHeight, display_.Colors);
        RenderDevice& device = *slots_.Device;
        device.SetBufferCount(2);
        device.SetRenderQuality(137);
        device.SetTextureQuality(0);
        device.SetDither(1);
        // The display mode switch: the picture fills the screen.
        present_->PrepareWindow(true);
        window_->resize(kPreviewWidth, kPreviewHeight);
        window_->showFullScreen();
        present_->Attach(slots_.Device.get());
        return true;
    } catch (const std::exception& ex) {
        const RenderError e = AsRenderError(ex);
        slots_.Device.reset();
        const std::string text = std::string(texts::kDeviceErrorStart) + std::to_string(e.Number) + " " +
                                 e.Description + texts::kPreviewDeviceAdvice;
        log_.LogError(text);
        Message m;
        m.Text = text;
        m.Icon = MsgIcon::Exclamation;
        d_.Ask(m);
        return false;
    }
}

void PiecePreview::BuildScene(int model, bool gray) {
    render::SceneSlots& z = slots_;
    window_->setTitle(QString::fromStdString(texts::kPreviewCaptionScene));
    z.SceneRoot = Frame::Create(nullptr);
    z.VembaFrames[1] = Frame::Create(z.SceneRoot);
    z.CameraFrame = Frame::Create(z.SceneRoot);
    z.LightFrame = Frame::Create(z.SceneRoot);
    z.SceneRoot->SetSceneBackground(Colour{0, 0, 0, 1});

    s_.CamX = -40;
    s_.CamY = 20;
    s_.CamZ = 10;
    z.CameraFrame->SetPosition(nullptr, Vec3{s_.CamX, s_.CamY, s_.CamZ});
    z.View = std::make_unique<Viewport>(z.CameraFrame, 0, 0, kPreviewWidth, kPreviewHeight);
    z.View->SetBack(kBackClip);
    z.AmbientLight = Light::CreateAmbient(Colour{0.5f, 0.5f, 0.5f, 1});
    z.SceneRoot->AddLight(z.AmbientLight);

    z.VembaMeshes[1] = MeshBuilder::Create();
    z.VembaMeshes[1]->LoadX(s_.AppPath + render::files::PieceMesh(model, gray));
    z.VembaMeshes[1]->Scale(kPieceScale, kPieceScale, kPieceScale);
    z.VembaFrames[1]->AddVisual(z.VembaMeshes[1]);
    z.VembaFrames[1]->SetPosition(nullptr, Vec3{0, 0, 0});

    z.LightFrame->SetPosition(nullptr, Vec3{0, 50, 0});
    z.PointLight = Light::CreatePoint(Colour{1, 1, 1, 1});
    z.LightFrame->AddLight(z.PointLight);
    z.CameraFrame->LookAt(*z.VembaFrames[1], nullptr);
}

void PiecePreview::RenderLoop() {
    while (IsSet(s_.GameRunning)) {
        // The timer fires every 40 ms, so waiting for the next event never
        // waits longer than one turn.
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        if (!IsSet(s_.GameRunning)) break;
        DrawFrame();
    }
}

void PiecePreview::DrawFrame() {
    render::SceneSlots& z = slots_;
    try {
        if (!z.Device || !z.View || !z.SceneRoot)
            throw RenderError(RenderErrorCode::NoDevice, "устройство не создано");
        z.Device->Clear(*z.View, *z.SceneRoot, render::kClearTarget | render::kClearDepth);
        z.Device->Render(*z.View, *z.SceneRoot);
        // The two lines never change while the preview runs.
        if (!overlaySet_) {
            present_->SetOverlay(TextOverlay());
            overlaySet_ = true;
        }
        present_->Show(QSize(kPreviewWidth, kPreviewHeight), display_.Colors);
    } catch (const std::exception& ex) {
        const RenderError e = AsRenderError(ex);
        failed_ = true;
        Stop();
        ReportSceneFailure(e.Number, e.Description);
    }
}

QImage PiecePreview::TextOverlay() const {
    QImage overlay(kPreviewWidth, kPreviewHeight, QImage::Format_ARGB32_Premultiplied);
    overlay.fill(Qt::transparent);
    QPainter painter(&overlay);
    QFont font = painter.font();
    font.setPointSize(kTextPointSize);
    // A 16- or 8-bit display has no smoothed letters: every lit pixel has
    // the text's colour, so it stays one of the mode's colours on screen.
    if (render::LevelsForColourDepth(display_.Colors).Red != 0) font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(render::QuantiseColour(kTextColour.rgb(), display_.Colors)));
    const int rowHeight = painter.fontMetrics().height();
    painter.drawText(QRect(kTextX, kTitleY, overlay.width() - kTextX, rowHeight), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromStdString(titleLine_));
    painter.drawText(QRect(kTextX, kHintY, overlay.width() - kTextX, rowHeight), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromStdString(texts::kPreviewEscHint));
    return overlay;
}

void PiecePreview::Tick() {
    if (!slots_.VembaFrames[1]) return;
    slots_.VembaFrames[1]->AddRotation(Vec3{0, 1, 0}, kTurn);
    ++ticks_;
}

void PiecePreview::KeyPressed(int key) {
    if (key == Qt::Key_Escape) Stop();
}

void PiecePreview::Stop() {
    if (timer_) timer_->stop();
    s_.GameRunning = kFalse;
}

void PiecePreview::ReportSceneFailure(int number, const std::string& description) {
    const std::string what = std::to_string(number) + " " + description;
    log_.LogError(texts::kPreviewLogPrefix + what);
    Message m;
    m.Text = what;
    m.Title = texts::kPreviewTitle;
    m.Icon = MsgIcon::Critical;
    d_.Ask(m);
}

void PiecePreview::Exit() {
    // RP_DX_Exit: the desktop again, the scene released, the setup screen back.
    Stop();
    timer_.reset();
    if (window_) {
        window_->OnKeyPress = nullptr;
        window_->OnCloseRequest = nullptr;
        window_->hide();
    }
    if (present_) present_->Detach();
    slots_.View.reset();
    slots_.Device.reset();
    slots_.VembaFrames[1].reset();
    slots_.VembaMeshes[1].reset();
    present_.reset();
    window_.reset();
    if (OnExit) OnExit();
}

}  // namespace zel::screens
