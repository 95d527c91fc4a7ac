#include "core/MatchKernel.h"

#include <cmath>

#include "core/MatchTexts.h"
#include "core/Rules.h"
#include "physics/PhysStep.h"

namespace zel {

namespace {

constexpr int kStartSoundVolume = -10;
constexpr int kStrikeSoundVolume = -10;
constexpr std::int16_t kFullPower = 100;

// An index 0..n-1 from a uniform number; anything a port returns outside
// [0, 1) picks the first choice rather than reading past the choices.
int RandomChoice(MatchPort& port, int n) {
    const double r = port.Random01();
    if (!(r >= 0 && r < 1)) return 0;
    const int k = static_cast<int>(r * n);
    return k < n ? k : n - 1;
}

}  // namespace

MatchKernel::MatchKernel(MatchState& s, MatchPort& port, const ErrorLog& log)
    : s_(s), port_(port), log_(log) {}

void MatchKernel::OnLoad(const std::string& appTitle) {
    port_.SetCaption(appTitle + texts::kLoadingSuffix);
    s_.Win.Busy = kFalse;
}

bool MatchKernel::RecordsReplay() const {
    return !IsSet(s_.Win.ReplayMode) && !IsSet(s_.TeamGame) && !IsSet(s_.Win.ContinueGame);
}

VembaRecord* MatchKernel::Striker() {
    if (s_.CurG < 1 || s_.CurG > ParticipantCount(s_)) return nullptr;
    return &s_.Vembas[s_.CurG];
}

void MatchKernel::ShowLabels() {
    s_.NamesDetached = kFalse;
    port_.ShowNameLabels();
}

void MatchKernel::HideLabels() {
    // Labels that F3 has already taken out of the scene stay out.
    if (!IsSet(s_.NamesDetached)) port_.HideNameLabels();
}

void MatchKernel::EndWindow() {
    s_.GameRunning = kFalse;
    s_.Win.RunTimerOn = kFalse;
    port_.CloseWindow();
}

void MatchKernel::PlayStrikeSound() {
    if (!IsSet(s_.Sound) || s_.Win.Power != kFullPower) return;
    // Three strikes in ten at full power get one of the sounds 4..6.
    const int r = RandomChoice(port_, 10);
    if (r >= 1 && r <= 3) port_.PlaySound(r + 3, kStrikeSoundVolume);
}

void MatchKernel::StartSimulation() {
    s_.Win.Busy = kFalse;
    s_.Win.RunTimerOn = kTrue;
}

bool MatchKernel::Init(const std::string& replayPath) {
    MatchWindowFields& w = s_.Win;
    closed_ = false;
    turnEndHeld_ = false;
    stepsApplied_ = 0;
    replayExhausted_ = false;
    w.RunTimerOn = kFalse;
    w.PauseOn = kFalse;

    // The header is written before the per-match counters are cleared, so it
    // carries CurSgin and WhoSgin as the set-up left them.
    if (RecordsReplay() && !writer_.WriteReplayHeader(replayPath, s_, port_, log_)) {
        // The user declined to play without a replay file: back to the menu.
        w.GameOver = kFalse;
        Close();
        return false;
    }

    w.InitFailed = kFalse;
    s_.NamesDetached = kFalse;
    w.ParamsFixed = kFalse;
    w.GameOver = kFalse;
    w.ExitAsked = kFalse;

    const int n = ParticipantCount(s_);
    if (!IsSet(w.ContinueGame)) {
        // A continued game keeps the falls it was saved with.
        for (int i = 1; i <= n; ++i) {
            s_.WhoSgin[i] = 0;
            s_.Vembas[i].SginCount = 0;
        }
        s_.CurSgin = 0;
    }
    s_.TurnSginCount = 0;

    if (!IsSet(w.ContinueGame)) {
        s_.CurG = s_.KtoHodit[1];
        if (Striker() == nullptr) FindNextStriker();
    } else if (Striker() == nullptr || !IsSet(Striker()->Life)) {
        // The saved striker is off the table: the turn passes first.
        s_.CurNG = static_cast<std::int16_t>(s_.CurNG + 1);
        s_.SginFlushed = kTrue;
        if (s_.CurNG > n) s_.CurNG = 1;
        FindNextStriker();
    }

    s_.NamesOn = kTrue;

    // Scene construction puts the camera at its start; a continued game
    // goes on from the camera and the aim it was saved with.
    const double camX = s_.CamX, camY = s_.CamY, camZ = s_.CamZ;
    const double targX = s_.TargX, targZ = s_.TargZ, aim = w.AimAngle;

    if (!port_.StartDevice()) w.InitFailed = kTrue;
    if (!IsSet(w.InitFailed) && !port_.BuildScene()) w.InitFailed = kTrue;
    if (IsSet(w.InitFailed)) {
        Close();
        return false;
    }
    if (IsSet(w.ContinueGame)) {
        s_.CamX = camX;
        s_.CamY = camY;
        s_.CamZ = camZ;
        s_.TargX = targX;
        s_.TargZ = targZ;
        port_.RefreshCamera();
    }

    if (IsSet(s_.Sound)) port_.PlaySound(RandomChoice(port_, 4), kStartSoundVolume);

    s_.StatusText = texts::kAimHint;
    w.PauseOn = kFalse;
    s_.GameRunning = kTrue;

    if (IsSet(w.ReplayMode)) {
        // A replay does not wait for keys: its first step plays at once.
        w.Busy = kFalse;
        GameKernel();
    } else {
        NotifyTurnStart();
        ShowTarg();
        if (IsSet(w.ContinueGame)) {
            w.AimAngle = aim;
            port_.OrientArrow(aim);
            UpdateControl();
            NotifyAim();
        }
        w.Busy = kFalse;
    }
    return true;
}

bool MatchKernel::IsTurnOver() {
    if (s_.Num < 0) return false;
    const int n = ParticipantCount(s_);
    int atRest = 0;
    for (int i = 1; i <= n; ++i) {
        const VembaRecord& v = s_.Vembas[i];
        if (std::abs(v.Xvec) == 0.0 && std::abs(v.Yvec) == 0.0 && std::abs(v.u) == 0.0) ++atRest;
    }
    if (atRest != n) return false;
    if (IsSet(s_.NamesOn)) ShowLabels();
    return true;
}

void MatchKernel::RunTimerTick() {
    MatchWindowFields& w = s_.Win;
    if (!IsSet(w.RunTimerOn) || IsSet(w.Busy)) return;
    w.Busy = kTrue;
    if (IsTurnOver()) {
        // Busy stays latched: the following ticks idle until the next strike.
        w.PauseOn = kTrue;
        s_.StatusText = texts::kTurnChange;
        if (onRest_) onRest_();
        return;
    }
    PhysStep(s_, 1.0);
    for (int i = 1; i <= ParticipantCount(s_); ++i) port_.UpdateVembaFrame(i);
    w.Busy = kFalse;
}

void MatchKernel::PauseTick() {
    if (!IsSet(s_.Win.PauseOn) || turnEndHeld_) return;
    s_.Win.PauseOn = kFalse;
    AccountTurn(s_, port_);
    s_.SginFlushed = kFalse;
    if (DecideMatchEnd(s_, port_)) {
        // A replay watched to the match's end says so, as one whose records
        // run out does.
        if (IsSet(s_.Win.ReplayMode))
            port_.Ask(Message{texts::kReplayEnd, texts::kReplayTitle, MsgIcon::Information, MsgButtons::Ok});
        return;
    }
    PassTurn();
}

bool MatchKernel::FindNextStriker() {
    const int n = ParticipantCount(s_);
    if (n < 1) return false;
    if (s_.CurNG < 1 || s_.CurNG > n) s_.CurNG = 1;
    for (int tries = 0; tries < n; ++tries) {
        const int p = s_.KtoHodit[s_.CurNG];
        if (p >= 1 && p <= n && IsSet(s_.Vembas[p].Life)) {
            s_.CurG = static_cast<std::int16_t>(p);
            return true;
        }
        s_.CurNG = static_cast<std::int16_t>(s_.CurNG >= n ? 1 : s_.CurNG + 1);
    }
    // No turn slot names a participant on the table (a damaged turn order):
    // the lowest-numbered participant still on it plays, so the match goes on.
    for (int i = 1; i <= n; ++i) {
        if (IsSet(s_.Vembas[i].Life)) {
            s_.CurG = static_cast<std::int16_t>(i);
            return true;
        }
    }
    return false;
}

void MatchKernel::PassTurn() {
    s_.CurNG = static_cast<std::int16_t>(s_.CurNG + 1);
    s_.SginFlushed = kTrue;
    if (s_.CurNG > s_.Num) s_.CurNG = 1;
    FindNextStriker();
    s_.Win.CtrlState = kCtrlAiming;
    GameKernel();
}

void MatchKernel::GameKernel() {
    s_.Win.Power = 0;
    s_.Win.CtrlState = kCtrlAiming;
    if (IsSet(s_.Win.ReplayMode)) {
        PlayReplayStep();
        return;
    }
    s_.StatusText = texts::kAimHint;
    NotifyTurnStart();
    ShowTarg();
}

void MatchKernel::Close() {
    if (closed_) return;
    closed_ = true;
    MatchWindowFields& w = s_.Win;
    s_.GameRunning = kFalse;
    w.RunTimerOn = kFalse;
    w.PauseOn = kFalse;
    w.ExitAsked = kFalse;

    port_.ShutdownScene();

    if (RecordsReplay()) {
        if (writer_.IsOpen()) writer_.CloseReplay(port_);
    } else if (writer_.IsOpen()) {
        writer_.CloseQuietly();
    }
    if (reader_.IsOpen()) reader_.Close();

    const bool over = IsSet(w.GameOver);
    if (over && !IsSet(w.ReplayMode))
        port_.OpenNext(NextScreen::Results, over,
                       !IsSet(w.ContinueGame) && !IsSet(s_.TeamGame));
    else if (IsSet(s_.TeamGame))
        port_.OpenNext(NextScreen::Results, over, false);
    else if (IsSet(w.ReplayMode))
        port_.OpenNext(NextScreen::SavedGames, over, false);
    else
        port_.OpenNext(NextScreen::MainMenu, over, false);
}

}  // namespace zel
