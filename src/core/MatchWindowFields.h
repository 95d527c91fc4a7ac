#pragma once
#include <cstdint>
#include <string>

#include "core/Flag.h"

namespace zel {

// What the aiming state machine is doing (CtrlState).
enum CtrlStates : std::int16_t {
    kCtrlFixed = 0,     // F2 fixed the strike parameters
    kCtrlAiming = 1,    // arrows turn the aim, the marker follows the camera
    kCtrlCharging = 2,  // space is held, power climbs
    kCtrlStrike = 3,    // the strike is running
};

// The match window's own variables. Other screens set ReplayMode and
// ContinueGame before they start a match, and the results screen reads
// GameOver afterwards, so they live with the match state rather than in a
// window object.
struct MatchWindowFields {
    Flag ParamsFixed = kFalse;   // F2 fixed the strike parameters
    Flag Busy = kFalse;          // a tick runs, or the turn-end pause is latched
    Flag ContinueGame = kFalse;  // continuing a saved game: keep CurG, write no replay
    Flag InitFailed = kFalse;    // the 3D start-up failed; no match runs
    Flag GameOver = kFalse;      // the match ended by the rules
    Flag ReplayMode = kFalse;    // the window plays a replay file
    Flag ExitAsked = kFalse;     // the quit prompt is on screen
    std::int16_t CtrlState = kCtrlAiming;
    double AimAngle = 0;         // strike direction, radians
    std::int16_t Power = 0;      // strike power 0..100
    std::string PromptText;      // the quit question drawn over the scene
    std::int16_t PromptX = 0;
    std::int16_t PromptY = 0;
    Flag RunTimerOn = kFalse;    // the 20 ms simulation timer is enabled
    Flag PauseOn = kFalse;       // the one-second turn-end timer is enabled
};

}  // namespace zel
