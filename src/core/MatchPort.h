#pragma once
#include <cstdint>
#include <string>

#include "base/Dialogs.h"

namespace zel {

// Where the match window goes when it closes.
enum class NextScreen { None, Results, SavedGames, MainMenu };

// Everything the match kernel and the controls ask of the screen: the 3D
// scene, the labels, the sound, the aim visuals, the camera, message boxes,
// and the hand-over to the next window. The game implements it over Qt and
// OpenGL; tests and zel-sim implement it headlessly.
class MatchPort : public Dialogs {
public:
    // Window caption (progress texts, ": загрузка...").
    virtual void SetCaption(const std::string& text) { (void)text; }
    // 3D start-up and scene construction; false means the start-up failed
    // (InitFailed). Scene construction also writes the wall records.
    virtual bool StartDevice() = 0;
    virtual bool BuildScene() = 0;
    virtual void ShutdownScene() = 0;
    // Move participant i's frame to its record (after every working tick).
    virtual void UpdateVembaFrame(int i) = 0;
    virtual void ShowNameLabels() = 0;
    virtual void HideNameLabels() = 0;
    // Sound slot 0..9 at a volume in hundredths of a decibel (0 full).
    virtual void PlaySound(int slot, int volume) = 0;
    // Aim marker and arrow: attach or detach their visuals, turn the arrow,
    // place both above the point (x, z) of the scene plane.
    virtual void SetAimVisible(bool visible) = 0;
    virtual void OrientArrow(double aimAngle) = 0;
    virtual void PlaceAim(double x, double z) = 0;
    // Move the camera frame to (CamX, CamY, CamZ) and look at the table centre.
    virtual void RefreshCamera() = 0;
    // Let pending window events and timers run once.
    virtual void ProcessEvents() {}
    // A uniform random number in [0, 1) for the sound choices.
    virtual double Random01() { return 0.0; }
    // The match window closes itself (the display loop ends).
    virtual void CloseWindow() {}
    // Open the window that follows a match. For the results window,
    // enableSaveReplay says whether "save replay" is offered.
    virtual void OpenNext(NextScreen next, bool gameOver, bool enableSaveReplay) {
        (void)next; (void)gameOver; (void)enableSaveReplay;
    }
};

}  // namespace zel
