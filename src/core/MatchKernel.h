#pragma once
#include <string>

#include "core/MatchPort.h"
#include "core/MatchState.h"
#include "core/ReplayFile.h"

namespace zel {

class ErrorLog;

// The match window's logic without drawing: start-up (Init), the two timers
// (RunTimer ticks and the turn-end Pause), the turn cycle, the keys, and the
// close sequence. The host (the Qt window, zel-sim, a test) owns the clock:
// it calls RunTimerTick while Win.RunTimerOn is set and PauseTick one second
// after Win.PauseOn was switched on, between frames, never re-entrantly.
class MatchKernel {
public:
    MatchKernel(MatchState& s, MatchPort& port, const ErrorLog& log);

    // Window load: caption "<title>: загрузка...", Busy cleared.
    void OnLoad(const std::string& appTitle);
    // Starts a match. Returns true when the display loop should run; false
    // when the 3D start-up failed or the user declined to go on without a
    // replay file. `replayPath` is where a live match records ("zel.sav").
    bool Init(const std::string& replayPath = "zel.sav");

    void RunTimerTick();
    void PauseTick();  // TurnEnd
    void GameKernel();
    bool IsTurnOver();

    void KeyDown(int vk);
    void KeyUp(int vk);
    void ShowTarg();
    void UpdateControl();

    // Close sequence: stop, shut the scene, finish or drop the replay file,
    // open the next window.
    void Close();

    // Playback: the replay file to read steps from (opened by the caller).
    ReplayReader& Playback() { return reader_; }
    ReplayWriter& Recorder() { return writer_; }
    // Step records applied so far (replay mode).
    int StepsApplied() const { return stepsApplied_; }
    // True when the replay file ran out of step records.
    bool ReplayExhausted() const { return replayExhausted_; }

private:
    MatchState& s_;
    MatchPort& port_;
    const ErrorLog& log_;
    ReplayWriter writer_;
    ReplayReader reader_;
    int stepsApplied_ = 0;
    bool replayExhausted_ = false;
};

}  // namespace zel
