#pragma once
#include <chrono>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <QTimer>

#include "core/MatchKernel.h"
#include "core/MatchPort.h"
#include "core/Overlay.h"
#include "match/FrameCounter.h"
#include "match/NameLabelVisual.h"
#include "render/GraphModule.h"
#include "render/PictureWindow.h"
#include "render/RenderSettings.h"
#include "render/ScenePresenter.h"

class QKeyEvent;

namespace zel {
class ErrorLog;
class NetMatch;
class NetSession;
struct NetEvent;
namespace ai {
class ComputerTurn;
class WorkerPool;
}  // namespace ai
namespace sound {
class DirectSoundModule;
}
}  // namespace zel

namespace zel::match {

class MatchWindow;

// How a match ends for the screens around it: the screen that follows, the
// match's GameOver, and whether the results screen offers to save the replay.
using MatchEnded = std::function<void(NextScreen next, bool gameOver, bool enableSaveReplay)>;

// A network match: the session with the other computer and what the window
// does with its link. Without a session the match is this computer's alone.
struct MatchNetOptions {
    NetSession* Session = nullptr;
    // What the other computer said since the last pass of the display loop.
    std::function<std::vector<NetEvent>()> TakeEvents;
    // Sends what the session holds to send.
    std::function<void()> Flush;
    // This computer leaves the game (the match was left before its end).
    std::function<void()> Quit;
};

// How one match window is run.
struct MatchWindowOptions {
    render::RenderSettings Render;      // display mode and screen, table texture, device kind, application title
    std::string ReplayPath = "zel.sav"; // where a live individual match records its replay
    std::string SaveFolder;             // where F5 writes saved games; "" refuses to save
    // With ReplayMode set: the replay file whose steps the match plays.
    // Empty when the caller opened it on the kernel itself.
    std::string PlaybackPath;
    bool FullScreen = true;             // false: a ScreenW x ScreenH window on the desktop
    // Shortest time between the starts of two passes of the display loop,
    // so a fast machine does not spin at full load; 0 renders flat out.
    int FrameIntervalMs = 16;
    // The picture goes straight from the device to the window's OpenGL
    // surface; false keeps the raster picture window (the CPU path), which
    // is also what a window without an OpenGL surface falls back to.
    bool GpuPresent = true;
    MatchEnded Ended;                   // the close sequence's hand-over to the next screen
    // Runs after every pass of the display loop, once its picture is shown.
    // The game leaves it empty; tests drive the match from it.
    std::function<void(MatchWindow&)> AfterFrame;
    // A network match; empty for a match of this computer alone.
    MatchNetOptions Net;
};

// The match window: one match on screen. It owns the 3D scene (GraphModule),
// the name labels and the two timers, runs the match kernel, shows the
// picture in a PictureWindow (full screen while the match lasts, on the
// screen the options chose or else the primary one) and turns Qt's key
// events into the kernel's virtual-key codes.
//
// Everything runs on the GUI thread. Key events and the timers (RunTimer
// every 20 ms while Win.RunTimerOn is set; the one-shot one-second Pause,
// started when Win.PauseOn turns on) are only let through at the start of
// each pass of the display loop, so a tick, a key handler and a frame never
// overlap. Held keys charge through the keyboard's auto-repeat; only a real
// release (not a repeat's) reaches the kernel.
//
// A 3D call that fails while the match runs is written to the error log
// (each distinct failure once) and the match goes on.
//
// In a network match (options.Net) the window joins the kernel to the
// session (NetMatch): this keyboard strikes for the participants played
// here, the other computer's striker is shown as its aim and strike arrive,
// and every pass hands over what arrived and sends what is due. When the
// connection is lost the match goes on for this computer alone and a message
// box says why; the replay so far is kept and F5 saves as ever. A match left
// before its end tells the other computer this one left.
class MatchWindow final : public MatchPort {
public:
    // The match state, dialogs, error log and sound module (null: silent)
    // must outlive the window. Needs a QGuiApplication.
    MatchWindow(MatchState& s, Dialogs& dialogs, const ErrorLog& log, sound::DirectSoundModule* sound,
                MatchWindowOptions options);
    ~MatchWindow() override;
    MatchWindow(const MatchWindow&) = delete;
    MatchWindow& operator=(const MatchWindow&) = delete;

    // The whole life of the window: caption, Init (3D start-up, scene,
    // labels, sounds), the display loop while GameRunning is -1, and the
    // close sequence with its hand-over. Returns whether the display loop
    // ran (false when the start-up failed or was declined).
    bool Run();

    // --- MatchPort --------------------------------------------------------
    MsgAnswer Ask(const Message& m) override;
    void Busy(bool on) override;
    void SetCaption(const std::string& text) override;
    bool StartDevice() override;
    bool BuildScene() override;
    void ShutdownScene() override;
    void UpdateVembaFrame(int i) override;
    void ShowNameLabels() override;
    void HideNameLabels() override;
    void PlaySound(int slot, int volume) override;
    void SetAimVisible(bool visible) override;
    void OrientArrow(double aimAngle) override;
    void PlaceAim(double x, double z) override;
    void RefreshCamera() override;
    void ProcessEvents() override;
    double Random01() override;
    void OpenNext(NextScreen next, bool gameOver, bool enableSaveReplay) override;

    // --- what the window holds, for the program and its tests ---------------
    render::PictureWindow& View() { return view_; }
    render::GraphModule& Graph() { return graph_; }
    MatchKernel& Kernel() { return kernel_; }
    NameLabelVisual& Labels() { return labels_; }
    const std::string& Caption() const { return caption_; }
    // The overlay lines of the last frame, as they were painted.
    const std::vector<OverlayText>& LastOverlay() const { return lastOverlay_; }
    // The last frame as the screen shows it, at the picture's size.
    QImage ShownPicture() { return present_.Shown(); }
    // Whether the picture goes to the window on the GPU path.
    bool PresentsOnGpu() const { return present_.OnGpu(); }
    // F4's frame counter.
    const FrameCounter& Counter() const { return counter_; }
    bool RunTimerActive() const { return runTimer_.isActive(); }
    // The computer players' turns; null when people play every participant.
    ai::ComputerTurn* Computer() { return computer_.get(); }
    // The network side of the match; null for a match of this computer alone.
    NetMatch* Network() { return net_.get(); }
    bool PauseActive() const { return pause_.isActive(); }

private:
    void KeyPressed(QKeyEvent* e);
    void KeyReleased(QKeyEvent* e);
    void CloseRequested();
    void RunTimerFired();
    void PauseFired();
    // Starts and stops the two timers as the kernel's flags say.
    void SyncTimers();
    void StopTimers();
    void EnterDisplayMode(int width, int height);
    void LeaveDisplayMode();
    // DXOut: the display loop.
    void DisplayLoop();
    void DrawFrame();
    void WaitForNextPass(std::chrono::steady_clock::time_point passStart);
    void Report(const render::RenderFailure& failure);
    // The computer players (MatchComputer.cpp): started when the match has
    // any, stepped every pass of the display loop, stopped when it ends.
    void StartComputer();
    void StepComputer();
    void StopComputer();
    // The network side (MatchNetwork.cpp): attached before Init, stepped
    // every pass of the display loop, told the end when the loop ends.
    void StartNetwork();
    void StepNetwork();
    void StopNetwork();

    MatchState& s_;                        // the match in play
    Dialogs& dialogs_;                     // message boxes and the busy pointer
    const ErrorLog& log_;                  // failures are written here
    sound::DirectSoundModule* sound_;      // null: the match is silent
    MatchWindowOptions options_;           // how this window runs
    render::PictureWindow view_;           // the picture on screen, the keys
    render::ScenePresenter present_;       // how each frame reaches view_
    FrameCounter counter_;                 // F4: frames per second in the corner
    bool overlayDrawn_ = false;            // the overlay of lastOverlay_ has been handed over
    render::GraphModule graph_;            // the 3D scene of the match
    MatchKernel kernel_;                   // the match's logic
    NameLabelVisual labels_;               // the name labels in the scene
    Overlay overlay_;                      // the texts over each frame, with the pen's colour
    QTimer runTimer_;                      // RunTimer, 20 ms
    QTimer pause_;                         // Pause, one second, one shot
    std::mt19937 random_;                  // the sound choices, seeded from the clock
    std::vector<OverlayText> lastOverlay_; // the last frame's texts
    std::string caption_;                  // the window caption now
    std::string lastFailure_;              // the last 3D failure written to the log
    bool live_ = false;                    // between Init and the end of the display loop
    bool closeRequested_ = false;          // the user closed the window; the match ends
    std::unique_ptr<ai::WorkerPool> pool_;      // the computer's search threads
    std::unique_ptr<ai::ComputerTurn> computer_;  // the computer players' turns
    std::unique_ptr<NetMatch> net_;             // the network side, in a network match
    bool aloneTold_ = false;                    // the lost connection's message was shown
};

}  // namespace zel::match
