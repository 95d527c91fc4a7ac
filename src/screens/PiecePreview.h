#pragma once
#include <functional>
#include <memory>
#include <string>

#include "base/Dialogs.h"
#include "core/MatchState.h"
#include "base/ErrorLog.h"
#include "render/PictureWindow.h"
#include "render/ScenePresenter.h"
#include "render/SceneSlots.h"
#include "settings/DisplaySettings.h"
#include "screens/StartScreenModel.h"

class QTimer;

namespace zel::screens {

// How a preview ended.
enum class PreviewOutcome {
    Closed,        // Esc (or the window's close button) ended it
    NoMeshFile,    // the piece's .x file is missing; nothing was switched
    DeviceFailed,  // the 3D start-up failed
    SceneFailed,   // building or drawing the little scene failed
};

// The piece preview frmVembaPreview: one participant's piece alone, full
// screen in a 640 x 480 picture at the Colors depth, turning by 0.05 radians
// every 40 ms, with "Игрок <name> - <model>" on top and "Нажмите [Esc] для
// выхода" at the bottom, until Esc. It builds its own little scene in a set
// of scene slots of its own (a preview never runs during a match). The name
// and model come from the match setup screen's controls.
class PiecePreview {
public:
    PiecePreview(MatchState& s, const StartScreenModel& start, const DisplaySettings& display, Dialogs& d,
                 const ErrorLog& log);
    ~PiecePreview();
    PiecePreview(const PiecePreview&) = delete;
    PiecePreview& operator=(const PiecePreview&) = delete;

    // Runs when the preview window goes (on every path, errors included):
    // the match setup screen is shown again.
    std::function<void()> OnExit;

    // LoadPreviewVemba(p), p the 0-based participant: runs the whole preview
    // and returns when its window has closed. A missing piece file is
    // reported ("Ошибка: не найден .х-файл Вембы. Переустановите игру.",
    // logged with "VembaPreview:") before anything is switched; a failed 3D
    // start-up gives the device message (warning icon); a failure while the
    // scene is built or drawn is logged and shown with its number and
    // description (critical icon). Each ends the preview.
    PreviewOutcome LoadPreviewVemba(int p);

    // The window while a preview runs (null otherwise); tests send it keys.
    render::PictureWindow* Window() { return window_.get(); }
    // Timer ticks of the running (or last) preview: turns of 0.05 radians.
    int Ticks() const { return ticks_; }
    // The scene of the running (or last) preview; released when it ends.
    const render::SceneSlots& Slots() const { return slots_; }
    // The title line of the running (or last) preview.
    const std::string& TitleLine() const { return titleLine_; }

private:
    bool InitDevice();
    void BuildScene(int model, bool gray);
    void RenderLoop();
    void DrawFrame();
    void Tick();
    void KeyPressed(int key);
    void Stop();
    void Exit();
    void ReportSceneFailure(int number, const std::string& description);
    QImage TextOverlay() const;

    MatchState& s_;                                // camera and the loop flag GameRunning
    const StartScreenModel& start_;                // names and models of the slots
    const DisplaySettings& display_;               // the colour depth Colors
    Dialogs& d_;                                   // message boxes
    const ErrorLog& log_;                          // failures are written here
    std::unique_ptr<render::PictureWindow> window_;  // the full-screen picture
    std::unique_ptr<render::ScenePresenter> present_;  // how each frame reaches window_
    bool overlaySet_ = false;                      // the two text lines have been handed over
    std::unique_ptr<QTimer> timer_;                // Timer1: 40 ms turns
    render::SceneSlots slots_;                     // the preview's own little scene
    std::string titleLine_;                        // "Игрок <name> - <model>"
    int ticks_ = 0;                                // turns applied so far
    bool failed_ = false;                          // the scene failed while drawing
};

}  // namespace zel::screens
