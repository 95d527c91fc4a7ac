#pragma once
#include <functional>
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
// A tick whose timer is off does nothing, as a disabled timer never fires.
//
// Life of a window:
//   OnLoad(title);
//   if (Init()) { while (GameRunning == -1) { events, ticks, keys, frame } }
//   Close();   // harmless when Init already closed the window
// When Init returns false it has already run the close sequence.
//
// Name labels: the port only attaches and detaches them. The kernel keeps
// NamesDetached: a show clears it, and a hide while the labels are already
// detached by F3 is not passed on. F3 turning them on shows them at once
// unless the pieces are moving (a strike released and its rest test not yet
// passed); then the rest test shows them.
//
// Replay mode: each turn start reads one step record and plays the strike it
// holds exactly as the live strike was made. The camera keys, F3 and Esc act
// during a replay; the strike keys (space, the arrows, F2) do not.
class MatchKernel {
public:
    MatchKernel(MatchState& s, MatchPort& port, const ErrorLog& log);

    // Window load: caption "<title>: загрузка...", Busy cleared.
    void OnLoad(const std::string& appTitle);
    // Starts a match. Returns true when the display loop should run (while
    // GameRunning is -1; a replay that holds no step ends it at once). Returns
    // false, after running Close, when the 3D start-up failed or the user
    // declined to go on without a replay file. `replayPath` is where a live
    // individual match records ("zel.sav").
    bool Init(const std::string& replayPath = "zel.sav");

    void RunTimerTick();
    void PauseTick();  // TurnEnd
    void GameKernel();
    bool IsTurnOver();

    // The keyboard. In a computer player's turn the strike keys (space, the
    // arrows, F2) are refused; the camera keys, F3 and Esc act as always.
    void KeyDown(int vk);
    void KeyUp(int vk);
    void ShowTarg();
    void UpdateControl();

    // --- the computer player's hands (ComputerHands.cpp) -------------------
    // True while a computer player is to strike: a live match (not a
    // replay) runs, the participant to play is the computer's, and the
    // strike has not been released. Nothing below acts otherwise.
    bool ComputerToStrike() const;
    // The camera moved as the keypad moves it, to (camX, camZ), and the aim
    // turned to aimAngle as the arrows turn it; only while aiming.
    bool ComputerAim(double camX, double camZ, double aimAngle);
    // One press of the space bar (the power rises by 2 up to 100).
    bool ComputerCharge();
    // The camera put back at (camX, camZ), where the computer aimed from,
    // then the space bar released: the strike goes out as a person's does.
    bool ComputerRelease(double camX, double camZ);

    // --- the other computer's hands (RemoteHands.cpp) ---------------------
    // In a network match the participants with PlayedElsewhere set are
    // played on the other computer: their turns refuse the local strike
    // keys as a computer player's do, and show what arrives from there.
    // True while such a participant is to strike: a live match runs and its
    // strike has not come (the quit prompt here does not stop it).
    bool RemoteToStrike() const;
    // The other striker's camera (x, z), aim and power as they change there;
    // values that are not finite or beyond any table are refused.
    bool RemoteAim(double camX, double camZ, double aimAngle, int power);
    // The other striker's strike, played exactly as replay mode plays a
    // step record, and recorded into this side's replay.
    bool RemoteStrike(const ReplayStepRecord& step);
    // A strike of a participant played here given as a step record (the
    // headless host plays a recorded replay this way): played as RemoteStrike
    // plays it, recorded, and reported to the strike listener.
    bool ScriptedStrike(const ReplayStepRecord& step);
    // True while a participant played here is to strike (live match, before
    // the strike), whoever's hands those are.
    bool LocalToStrike() const;

    // The striker's view as the aim listener reports it.
    struct AimView {
        int Participant = 0;
        double CamX = 0;
        double CamZ = 0;
        double AimAngle = 0;
        int Power = 0;
    };
    // Called with every strike made here (keys, computer, script) with the
    // record the replay file gets, whether or not a replay is written.
    void SetStrikeListener(std::function<void(const ReplayStepRecord&)> f) { onStrike_ = std::move(f); }
    // Called when the camera, aim or power of a striker played here changed.
    void SetAimListener(std::function<void(const AimView&)> f) { onAim_ = std::move(f); }
    // Called at every turn start of a live match with the striker.
    void SetTurnListener(std::function<void(int)> f) { onTurn_ = std::move(f); }
    // Called when everything has come to rest after a strike, before the
    // turn end accounts it.
    void SetRestListener(std::function<void()> f) { onRest_ = std::move(f); }
    // While held, PauseTick does nothing (PauseOn stays set); the guest
    // holds each turn end until the host's resting state has been compared.
    void HoldTurnEnd(bool held) { turnEndHeld_ = held; }
    bool TurnEndHeld() const { return turnEndHeld_; }
    // The pieces' frames follow their records again after the piece state
    // was replaced (the host's resting state taken over).
    void PiecesReplaced();
    // The other computer is gone: every participant is played here from now
    // on, the turn end is no longer held, the status line shows `text`.
    void PlayAlone(const std::string& text);

    // Close sequence: stop, shut the scene, finish or drop the replay file,
    // open the next window. Runs once per Init; later calls do nothing.
    void Close();

    // F5: the folder saved games go to ("" refuses to save) and the clock
    // that names them (tests replace it: file-name stamp, header date).
    void SetSaveFolder(std::string folder) { saveFolder_ = std::move(folder); }
    void SetSaveClock(std::function<std::string()> stamp, std::function<std::string()> dateTime) {
        saveStamp_ = std::move(stamp);
        saveDateTime_ = std::move(dateTime);
    }
    // F5: while a participant aims in a live individual match, writes the
    // match as a saved game and says in the status line where it went; at
    // any other moment the status line says why nothing was saved. The
    // match goes on either way.
    void SaveGame();

    // Playback: the replay file to read steps from (opened by the caller).
    ReplayReader& Playback() { return reader_; }
    ReplayWriter& Recorder() { return writer_; }
    // Step records applied so far (replay mode, remote and scripted strikes).
    int StepsApplied() const { return stepsApplied_; }
    // True when the replay file ran out of step records.
    bool ReplayExhausted() const { return replayExhausted_; }

private:
    // A live individual match records its strikes; replays, continued games
    // and team matches do not.
    bool RecordsReplay() const;
    // The striker's record, or nullptr when CurG names no participant.
    VembaRecord* Striker();
    void ShowLabels();
    void HideLabels();
    // The window ends itself: the display loop stops and the host closes.
    void EndWindow();
    // TurnEnd step 4: next turn slot whose participant is still on the table.
    void PassTurn();
    // Picks CurG from CurNG onwards; false when no slot names a living participant.
    bool FindNextStriker();
    void ReleaseStrike();
    // Key-down with the strike keys allowed or not.
    void HandleKeyDown(int vk, bool strikeKeys);
    // True when the participant to play is the computer's.
    bool ComputerPlays() const;
    // True when the participant to play is played on the other computer.
    bool RemotePlays() const;
    // A strike made here: into the replay, then to the strike listener.
    void StrikeMade(const ReplayStepRecord& r);
    // The camera, aim or power of a striker played here may have changed.
    void NotifyAim();
    void NotifyTurnStart();
    // A step record played as replay mode plays it; false when no striker.
    void PlayStep(const ReplayStepRecord& r);
    void PlayStrikeSound();
    // Replay turn start: reads and plays one step record.
    void PlayReplayStep();
    // After a strike (live or replayed) the simulation runs.
    void StartSimulation();

    MatchState& s_;
    MatchPort& port_;
    const ErrorLog& log_;
    ReplayWriter writer_;
    ReplayReader reader_;
    int stepsApplied_ = 0;
    bool replayExhausted_ = false;
    bool closed_ = false;
    std::string saveFolder_;                      // where F5 writes
    std::function<std::string()> saveStamp_;      // file-name stamp; empty: now
    std::function<std::string()> saveDateTime_;   // header date; empty: now
    std::function<void(const ReplayStepRecord&)> onStrike_;
    std::function<void(const AimView&)> onAim_;
    std::function<void(int)> onTurn_;
    std::function<void()> onRest_;
    bool turnEndHeld_ = false;
    AimView lastAim_;        // what the aim listener was last told
    bool aimReported_ = false;
};

}  // namespace zel
