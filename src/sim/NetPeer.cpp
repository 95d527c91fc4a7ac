#include "sim/NetPeer.h"


#include "core/SavedGame.h"
#include "net/NetMatchSetup.h"
#include "sim/SimBasics.h"

namespace zel {

NetPeer::NetPeer(NetSession& session, const std::string& replayPath,
                 std::vector<ReplayStepRecord> script)
    : session_(session),
      replayPath_(replayPath),
      script_(std::move(script)),
      s_(FreshSimState()),
      port_(s_),
      log_(SimLogFolder(replayPath)),
      kernel_(s_, port_, log_),
      match_(s_, kernel_, session_, log_) {}

bool NetPeer::HostReplay(const std::string& replayPath,
                         const std::array<bool, kMaxParticipants + 1>& guestPlays, std::string& error) {
    MatchState setUp = FreshSimState();
    SlotSetups slots;
    error = PrepareReplayPlayback(replayPath, setUp, slots);
    if (!error.empty()) return false;
    return HostMatch(setUp, guestPlays, error);
}

bool NetPeer::HostMatch(const MatchState& setUp,
                        const std::array<bool, kMaxParticipants + 1>& guestPlays, std::string& error) {
    const MatchSetupMsg m = MakeMatchSetup(setUp, guestPlays);
    // The host starts from what the guest reads out of the same header, so
    // both begin with the same bits.
    error = ApplyMatchSetup(m, NetRole::Host, s_);
    if (!error.empty()) return false;
    if (!session_.SendSetup(m)) {
        error = "the session is not ready for a match";
        return false;
    }
    return Start(error);
}

bool NetPeer::Start(std::string& error) {
    if (beforeInit_) beforeInit_(s_);
    startAim_ = s_.Win.AimAngle;
    match_.Attach();
    kernel_.OnLoad("Korvalo II");
    started_ = true;
    if (!kernel_.Init(replayPath_)) {
        error = "the match did not start";
        error_ = error;
        done_ = true;
        return false;
    }
    return true;
}

void NetPeer::Handle(const NetEvent& e) {
    if (e.Kind == NetEventKind::Setup && !started_) {
        const std::string error = ApplyMatchSetup(std::get<MatchSetupMsg>(e.Message), NetRole::Guest, s_);
        if (!error.empty()) {
            error_ = error;
            session_.Fail(error);
            done_ = true;
            return;
        }
        std::string why;
        Start(why);
        return;
    }
    if (e.Kind == NetEventKind::Closed && !started_) {
        error_ = e.Text;
        done_ = true;
        return;
    }
    match_.Handle(e);
}

bool NetPeer::Pump() {
    if (done_ || !started_) return false;
    MatchState& s = s_;
    if (!IsSet(s.GameRunning)) {
        End();
        return false;
    }
    if (IsSet(s.Win.PauseOn)) {
        if (kernel_.TurnEndHeld()) return false;
        kernel_.PauseTick();
        return true;
    }
    if (IsSet(s.Win.RunTimerOn) && !IsSet(s.Win.Busy)) {
        if (result_.Ticks >= kSimTickLimit) {
            error_ = "the match does not come to rest";
            End();
            return false;
        }
        ++result_.Ticks;
        kernel_.RunTimerTick();
        return true;
    }
    if (kernel_.LocalToStrike()) {
        const auto next = static_cast<std::size_t>(kernel_.StepsApplied());
        if (next < script_.size()) {
            kernel_.ScriptedStrike(script_[next]);
            return true;
        }
        // Nothing left to strike with: the match ends here, as a replay
        // whose records run out ends.
        exhausted_ = true;
        s.Win.GameOver = kTrue;
        End();
        return false;
    }
    return false;
}

void NetPeer::End() {
    if (done_) return;
    done_ = true;
    s_.GameRunning = kFalse;
    s_.Win.RunTimerOn = kFalse;
    s_.Win.PauseOn = kFalse;
    result_.Turns = kernel_.StepsApplied();
    result_.Finished = IsSet(s_.Win.GameOver) && !exhausted_;
    if (!exhausted_) match_.MatchEnded();
    kernel_.Close();
    session_.Quit();
}

std::string NetPeer::Output(const std::string& dateTime) const {
    // A replay never turns the aim; the live turns here do. The output shows
    // the aim the replay leaves, so the three outputs compare equal.
    MatchState shown = s_;
    shown.Win.AimAngle = startAim_;
    return FormatSimSave(shown, result_, dateTime);
}

}  // namespace zel
