#include "match/MatchWindow.h"

#include <exception>
#include <thread>
#include <utility>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QString>

#include "ai/ComputerTurn.h"
#include "ai/WorkerPool.h"
#include "core/MatchState.h"
#include "base/ErrorLog.h"
#include "match/DisplayScreen.h"
#include "match/KeyMapping.h"
#include "match/OverlayPainter.h"
#include "net/NetMatch.h"
#include "render/ColourDepth.h"
#include "render/SceneScript.h"
#include "sound/DirectSoundModule.h"
#include "sound/SceneSounds.h"

namespace zel::match {

namespace {

constexpr int kRunTimerMs = 20;
constexpr int kPauseMs = 1000;

// What the log says when a 3D call fails while the match runs.
constexpr const char* kFrameFailure = "Ошибка при выводе сцены: ";

unsigned ClockSeed() {
    return static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
}

}  // namespace

MatchWindow::MatchWindow(MatchState& s, Dialogs& dialogs, const ErrorLog& log, sound::DirectSoundModule* sound,
                         MatchWindowOptions options)
    : s_(s),
      dialogs_(dialogs),
      log_(log),
      sound_(sound),
      options_(std::move(options)),
      present_(view_, log),
      graph_(s, *this, log, options_.Render),
      kernel_(s, *this, log),
      random_(ClockSeed()) {
    // The overlay rows are placed from the bottom of the picture.
    s_.ScreenH = static_cast<std::int16_t>(options_.Render.ScreenH);

    render::GraphHooks& hooks = graph_.Hooks();
    hooks.SetDisplayMode = [this](int width, int height, int) { EnterDisplayMode(width, height); };
    hooks.RestoreDisplayMode = [this] { LeaveDisplayMode(); };
    hooks.BuildNameLabels = [this] { labels_.Build(s_, graph_.Slots()); };
    hooks.LoadSoundStatements = [this](render::SceneScript& script) {
        if (sound_ == nullptr) return;  // no sound module: the match is silent
        sound::LoadSceneSounds(*sound_, s_.AppPath,
                               [&script](const std::function<void()>& load) { script.Run(load); });
    };

    kernel_.SetSaveFolder(options_.SaveFolder);

    runTimer_.setInterval(kRunTimerMs);
    runTimer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&runTimer_, &QTimer::timeout, &runTimer_, [this] { RunTimerFired(); });
    pause_.setInterval(kPauseMs);
    pause_.setSingleShot(true);
    QObject::connect(&pause_, &QTimer::timeout, &pause_, [this] { PauseFired(); });

    view_.OnKeyPress = [this](QKeyEvent* e) { KeyPressed(e); };
    view_.OnKeyRelease = [this](QKeyEvent* e) { KeyReleased(e); };
    view_.OnCloseRequest = [this] { CloseRequested(); };
}

MatchWindow::~MatchWindow() {
    net_.reset();
    StopComputer();
    StopTimers();
    view_.OnKeyPress = nullptr;
    view_.OnKeyRelease = nullptr;
    view_.OnCloseRequest = nullptr;
    view_.hide();
}

bool MatchWindow::Run() {
    kernel_.OnLoad(options_.Render.AppTitle);
    if (IsSet(s_.Win.ReplayMode) && !options_.PlaybackPath.empty() &&
        !kernel_.Playback().OpenReplay(options_.PlaybackPath, *this)) {
        // The reader has said what is wrong with the file; back to the list.
        OpenNext(NextScreen::SavedGames, false, false);
        return false;
    }
    StartNetwork();
    if (!kernel_.Init(options_.ReplayPath)) {
        StopNetwork();
        StopTimers();
        return false;
    }
    live_ = true;
    if (closeRequested_) s_.GameRunning = kFalse;
    SyncTimers();
    StartComputer();
    DisplayLoop();
    StopNetwork();
    StopComputer();
    live_ = false;
    StopTimers();
    kernel_.Close();
    return true;
}

// --- the display loop ---------------------------------------------------------

void MatchWindow::DisplayLoop() {
    overlay_.Begin();
    overlayDrawn_ = false;
    while (s_.GameRunning == kTrue) {
        const auto passStart = std::chrono::steady_clock::now();
        // Keys and timers run here, between two frames.
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        StepNetwork();
        StepComputer();
        SyncTimers();
        // The pass that saw the match end still shows its last status.
        DrawFrame();
        const auto shown = std::chrono::steady_clock::now();
        counter_.AddPass(std::chrono::duration<double>(passStart.time_since_epoch()).count(),
                         std::chrono::duration<double>(shown - passStart).count());
        if (options_.AfterFrame) options_.AfterFrame(*this);
        WaitForNextPass(passStart);
    }
}

void MatchWindow::DrawFrame() {
    Report(graph_.RenderStep());
    const QSize picture(options_.Render.ScreenW, options_.Render.ScreenH);
    std::vector<OverlayText> lines = overlay_.Compose(s_);
    if (counter_.Visible()) lines.push_back(counter_.Line(picture.width(), overlay_.Colour()));
    // The overlay picture is only made again when a text changes.
    if (!overlayDrawn_ || lines != lastOverlay_) {
        present_.SetOverlay(OverlayImage(picture, lines, graph_.Settings().Colors));
        overlayDrawn_ = true;
    }
    lastOverlay_ = std::move(lines);
    present_.Show(picture, graph_.Settings().Colors);
}

void MatchWindow::WaitForNextPass(std::chrono::steady_clock::time_point passStart) {
    if (options_.FrameIntervalMs <= 0) return;
    const auto due = passStart + std::chrono::milliseconds(options_.FrameIntervalMs);
    const auto now = std::chrono::steady_clock::now();
    if (now < due) std::this_thread::sleep_for(due - now);
}

void MatchWindow::Report(const render::RenderFailure& failure) {
    if (!failure) return;
    const std::string text =
        kFrameFailure + std::to_string(failure->Number) + " " + failure->Description + "; " + failure->Source;
    // A failure that repeats every frame is written once.
    if (text == lastFailure_) return;
    lastFailure_ = text;
    log_.LogError(text);
}

// --- keys, timers, closing ------------------------------------------------------

void MatchWindow::KeyPressed(QKeyEvent* e) {
    e->accept();
    if (!live_ || s_.GameRunning != kTrue) return;
    // F4 is the window's own: the frame counter, shown or hidden.
    if (e->key() == Qt::Key_F4) {
        if (!e->isAutoRepeat()) counter_.Toggle();
        return;
    }
    const int key = VirtualKeyFor(e->key(), e->modifiers());
    if (key == 0) return;
    // Auto-repeated presses count: holding space charges by them.
    kernel_.KeyDown(key);
    SyncTimers();
}

void MatchWindow::KeyReleased(QKeyEvent* e) {
    e->accept();
    // A held key's repeats come as release and press pairs; only the real
    // release lets go of the key.
    if (!live_ || s_.GameRunning != kTrue || e->isAutoRepeat() || e->key() == Qt::Key_F4) return;
    const int key = VirtualKeyFor(e->key(), e->modifiers());
    if (key == 0) return;
    kernel_.KeyUp(key);
    SyncTimers();
}

void MatchWindow::CloseRequested() {
    closeRequested_ = true;
    s_.GameRunning = kFalse;
    s_.Win.RunTimerOn = kFalse;
    SyncTimers();
}

void MatchWindow::RunTimerFired() {
    if (!live_) return;
    kernel_.RunTimerTick();
    SyncTimers();
}

void MatchWindow::PauseFired() {
    if (!live_) return;
    kernel_.PauseTick();
    SyncTimers();
}

void MatchWindow::SyncTimers() {
    const bool run = live_ && IsSet(s_.Win.RunTimerOn);
    if (run && !runTimer_.isActive()) {
        runTimer_.start();
    } else if (!run && runTimer_.isActive()) {
        runTimer_.stop();
    }
    // The pause starts when the rest test switches it on and fires once.
    const bool pause = live_ && IsSet(s_.Win.PauseOn);
    if (pause && !pause_.isActive()) {
        pause_.start();
    } else if (!pause && pause_.isActive()) {
        pause_.stop();
    }
}

void MatchWindow::StopTimers() {
    runTimer_.stop();
    pause_.stop();
}

void MatchWindow::EnterDisplayMode(int width, int height) {
    // The screen the options screen's display list chose; the window starts
    // on it, so full screen covers that screen.
    if (QScreen* screen = ChosenScreen(options_.Render.DriverGuid)) {
        view_.setScreen(screen);
        view_.setPosition(screen->geometry().topLeft());
    }
    if (!view_.isVisible()) present_.PrepareWindow(options_.GpuPresent);
    view_.resize(width, height);
    if (options_.FullScreen) {
        view_.showFullScreen();
    } else {
        view_.show();
    }
    view_.requestActivate();
}

void MatchWindow::LeaveDisplayMode() { view_.hide(); }

// --- MatchPort ------------------------------------------------------------------

MsgAnswer MatchWindow::Ask(const Message& m) { return dialogs_.Ask(m); }

void MatchWindow::Busy(bool on) { dialogs_.Busy(on); }

void MatchWindow::SetCaption(const std::string& text) {
    caption_ = text;
    view_.setTitle(QString::fromStdString(text));
}

bool MatchWindow::StartDevice() {
    if (!graph_.InitDirect3D()) return false;
    present_.Attach(graph_.Slots().Device.get());
    return true;
}

bool MatchWindow::BuildScene() { return graph_.LoadScene(); }

void MatchWindow::ShutdownScene() {
    present_.Detach();
    labels_.Clear();
    graph_.ShutdownDirect3D();
}

void MatchWindow::UpdateVembaFrame(int i) { Report(graph_.UpdateVembaFrame(i)); }

void MatchWindow::ShowNameLabels() {
    try {
        labels_.Show(graph_.Slots());
    } catch (const std::exception& e) {
        Report(render::RenderError(render::RenderErrorCode::Internal, e.what()));
    }
}

void MatchWindow::HideNameLabels() { labels_.Hide(); }

void MatchWindow::PlaySound(int slot, int volume) {
    if (sound_ != nullptr) sound_->PlaySound(slot, volume);
}

void MatchWindow::SetAimVisible(bool visible) { Report(graph_.SetAimVisible(visible)); }

void MatchWindow::OrientArrow(double aimAngle) { Report(graph_.OrientArrow(aimAngle)); }

void MatchWindow::PlaceAim(double x, double z) { Report(graph_.PlaceAim(x, z)); }

void MatchWindow::RefreshCamera() { Report(graph_.RefreshCamera()); }

void MatchWindow::ProcessEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    SyncTimers();
}

double MatchWindow::Random01() {
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    return uniform(random_);
}

void MatchWindow::OpenNext(NextScreen next, bool gameOver, bool enableSaveReplay) {
    if (options_.Ended) options_.Ended(next, gameOver, enableSaveReplay);
}

}  // namespace zel::match
