#include "net/NetSession.h"

#include <type_traits>
#include <utility>

#include "net/NetCodec.h"
#include "net/NetLimits.h"
#include "net/NetTexts.h"

namespace zel {

namespace {

// "%1" and "%2" of a text replaced by the two numbers.
std::string Fill(std::string text, int a, int b) {
    const std::string n1 = std::to_string(a), n2 = std::to_string(b);
    if (auto i = text.find("%1"); i != std::string::npos) text.replace(i, 2, n1);
    if (auto i = text.find("%2"); i != std::string::npos) text.replace(i, 2, n2);
    return text;
}

const char* MessageName(const NetMessage& m) {
    static constexpr const char* kNames[] = {
        "приветствие", "отказ", "расстановка", "прицел", "удар", "положение на столе",
        "предложение начать опять", "ответ на предложение", "знак связи", "прощание"};
    return kNames[m.index()];
}

}  // namespace

NetSession::NetSession(NetRole role, std::vector<std::string> localNames, int buildNumber)
    : role_(role), localNames_(std::move(localNames)), buildNumber_(buildNumber) {
    if (localNames_.size() > kMaxParticipants) localNames_.resize(kMaxParticipants);
}

void NetSession::Start() {
    if (role_ == NetRole::Guest && phase_ == Phase::Handshake)
        Send(HelloMsg{kNetLimits.ProtocolVersion, buildNumber_, localNames_});
}

std::string NetSession::TakeOutgoing() { return std::exchange(outgoing_, {}); }

std::vector<NetEvent> NetSession::TakeEvents() { return std::exchange(events_, {}); }

bool NetSession::PlaysHere(int p) const {
    if (p < 1 || p > num_) return false;
    const bool guest = guestPlays_[static_cast<std::size_t>(p)];
    return role_ == NetRole::Guest ? guest : !guest;
}

void NetSession::Send(const NetMessage& m) {
    if (phase_ != Phase::Closed) outgoing_ += EncodeFrame(m);
}

void NetSession::Emit(NetEventKind kind, NetMessage m, std::string text) {
    events_.push_back(NetEvent{kind, std::move(m), std::move(text)});
}

void NetSession::Close(std::string text) {
    if (phase_ == Phase::Closed) return;
    phase_ = Phase::Closed;
    closeText_ = text;
    held_.clear();
    pendingFail_.clear();
    Emit(NetEventKind::Closed, KeepAliveMsg{}, text);
}

void NetSession::Reject(const std::string& text) {
    if (phase_ == Phase::Closed) return;
    Send(RefuseMsg{text.substr(0, kNetLimits.MaxReasonBytes)});
    Close(text);
}

void NetSession::Fail(const std::string& text) {
    // What arrived before the connection ended is still played out first.
    if (!held_.empty()) {
        if (pendingFail_.empty()) pendingFail_ = text;
        return;
    }
    Close(text);
}

void NetSession::Quit() {
    if (phase_ == Phase::Closed) return;
    Send(ByeMsg{});
    Close(nettexts::kYouQuit);
}

void NetSession::Receive(std::string_view bytes) {
    if (phase_ == Phase::Closed) return;
    decoder_.Feed(bytes);
    while (phase_ != Phase::Closed) {
        std::optional<NetMessage> m = decoder_.Next();
        if (!m) break;
        Handle(std::move(*m));
    }
    if (decoder_.Failed()) Reject(decoder_.Error());
}

void NetSession::Handle(NetMessage&& m) {
    if (std::holds_alternative<KeepAliveMsg>(m)) return;
    // Behind held messages everything waits its turn, a Bye too: the other
    // side's last strike and rest are played before its leaving.
    if (Holdable(m) || !held_.empty()) {
        if (held_.size() >= kNetLimits.MaxHeldMessages) {
            Reject(std::string(nettexts::kOutOfTurn) + "слишком много сообщений подряд");
            return;
        }
        held_.push_back(std::move(m));
        return;
    }
    HandleNow(std::move(m));
}

bool NetSession::Holdable(const NetMessage& m) const {
    // Between a match set-up or a rest and the next turn start (or the match
    // end) this side may be a moment behind the other: what belongs further
    // on waits, in order.
    if (phase_ != Phase::Rested && phase_ != Phase::Started) return false;
    return std::holds_alternative<AimMsg>(m) || std::holds_alternative<StrikeMsg>(m) ||
           std::holds_alternative<RestingStateMsg>(m) || std::holds_alternative<RestartAskMsg>(m) ||
           std::holds_alternative<RestartAnswerMsg>(m);
}

void NetSession::ReleaseHeld() {
    // The first message that is still early stops the release: the ones
    // behind it keep waiting in their order.
    while (!held_.empty() && phase_ != Phase::Closed && !Holdable(held_.front())) {
        NetMessage m = std::move(held_.front());
        held_.pop_front();
        HandleNow(std::move(m));
    }
    if (held_.empty() && !pendingFail_.empty()) Close(pendingFail_);
}

void NetSession::HandleHello(const HelloMsg& m) {
    if (m.ProtocolVersion != kNetLimits.ProtocolVersion) {
        Reject(nettexts::kOtherProtocol);
        return;
    }
    if (m.BuildNumber != buildNumber_) {
        Reject(std::string(nettexts::kOtherBuild) +
               Fill(nettexts::kOtherBuildDetail, buildNumber_, m.BuildNumber));
        return;
    }
    peerNames_ = m.Names;
    if (role_ == NetRole::Host) Send(HelloMsg{kNetLimits.ProtocolVersion, buildNumber_, localNames_});
    phase_ = Phase::Lobby;
    Emit(NetEventKind::PeerHello, m);
}

void NetSession::HandleNow(NetMessage&& m) {
    if (std::holds_alternative<ByeMsg>(m)) {
        Close(nettexts::kOtherQuit);
        return;
    }
    if (const auto* r = std::get_if<RefuseMsg>(&m)) {
        Close(std::string(nettexts::kRefusedByOther) + r->Reason);
        return;
    }
    const std::string outOfTurn = std::string(nettexts::kOutOfTurn) + MessageName(m);
    if (const auto* h = std::get_if<HelloMsg>(&m)) {
        if (phase_ != Phase::Handshake) return Reject(outOfTurn);
        return HandleHello(*h);
    }
    if (phase_ == Phase::Handshake) return Reject(outOfTurn);

    if (const auto* s = std::get_if<MatchSetupMsg>(&m)) {
        if (role_ != NetRole::Guest || phase_ != Phase::Lobby) return Reject(outOfTurn);
        num_ = s->Num;
        guestPlays_ = s->GuestPlays;
        strikes_ = 0;
        striker_ = 0;
        phase_ = Phase::Started;
        Emit(NetEventKind::Setup, std::move(m));
        return;
    }
    if (const auto* a = std::get_if<AimMsg>(&m)) {
        if (phase_ != Phase::Turn || a->Participant != striker_ || PlaysHere(striker_))
            return Reject(outOfTurn);
        Emit(NetEventKind::Aim, std::move(m));
        return;
    }
    if (const auto* k = std::get_if<StrikeMsg>(&m)) {
        if (phase_ != Phase::Turn || k->Participant != striker_ || PlaysHere(striker_) ||
            k->Turn != strikes_)
            return Reject(outOfTurn);
        ++strikes_;
        phase_ = Phase::Moving;
        Emit(NetEventKind::Strike, std::move(m));
        return;
    }
    if (const auto* r = std::get_if<RestingStateMsg>(&m)) {
        if (role_ != NetRole::Guest || phase_ != Phase::Moving || r->Turn != strikes_ - 1)
            return Reject(outOfTurn);
        phase_ = Phase::Rested;
        Emit(NetEventKind::Resting, std::move(m));
        return;
    }
    if (std::holds_alternative<RestartAskMsg>(m)) {
        if (phase_ != Phase::Over || peerAsked_) return Reject(outOfTurn);
        if (askedRestart_) {
            // Both asked at once: that is agreement on both sides.
            AgreeRestart();
            Emit(NetEventKind::RestartAnswered, RestartAnswerMsg{true});
            return;
        }
        peerAsked_ = true;
        Emit(NetEventKind::RestartAsked);
        return;
    }
    if (const auto* a = std::get_if<RestartAnswerMsg>(&m)) {
        if (phase_ != Phase::Over || !askedRestart_) return Reject(outOfTurn);
        askedRestart_ = false;
        if (a->Yes) AgreeRestart();
        Emit(NetEventKind::RestartAnswered, std::move(m));
        return;
    }
    Reject(outOfTurn);
}

bool NetSession::SendSetup(const MatchSetupMsg& m) {
    if (role_ != NetRole::Host || phase_ != Phase::Lobby) return false;
    if (m.Num < 2 || m.Num > kMaxParticipants) return false;
    num_ = m.Num;
    guestPlays_ = m.GuestPlays;
    strikes_ = 0;
    striker_ = 0;
    Send(m);
    phase_ = Phase::Started;
    return true;
}

void NetSession::BeginTurn(int striker) {
    if (phase_ != Phase::Started && phase_ != Phase::Rested) return;
    striker_ = striker;
    phase_ = Phase::Turn;
    ReleaseHeld();
}

bool NetSession::SendAim(const AimMsg& m) {
    if (phase_ != Phase::Turn || m.Participant != striker_ || !PlaysHere(striker_)) return false;
    Send(m);
    return true;
}

bool NetSession::SendStrike(const ReplayStepRecord& step) {
    if (phase_ != Phase::Turn || !PlaysHere(striker_)) return false;
    Send(StrikeMsg{strikes_, static_cast<std::int16_t>(striker_), step});
    ++strikes_;
    phase_ = Phase::Moving;
    return true;
}

bool NetSession::SendRestingState(const RestingState& r) {
    if (role_ != NetRole::Host || phase_ != Phase::Moving) return false;
    Send(RestingStateMsg{strikes_ - 1, r});
    phase_ = Phase::Rested;
    return true;
}

void NetSession::EndMatch() {
    if (phase_ == Phase::Closed || phase_ == Phase::Over) return;
    if (phase_ == Phase::Handshake || phase_ == Phase::Lobby) return;
    phase_ = Phase::Over;
    askedRestart_ = false;
    peerAsked_ = false;
    ReleaseHeld();
}

void NetSession::AgreeRestart() {
    askedRestart_ = false;
    peerAsked_ = false;
    held_.clear();
    phase_ = Phase::Lobby;
}

bool NetSession::AskRestart() {
    if (phase_ != Phase::Over || askedRestart_) return false;
    if (peerAsked_) return AnswerRestart(true);
    askedRestart_ = true;
    Send(RestartAskMsg{});
    return true;
}

bool NetSession::AnswerRestart(bool yes) {
    if (phase_ != Phase::Over || !peerAsked_) return false;
    peerAsked_ = false;
    Send(RestartAnswerMsg{yes});
    if (yes) AgreeRestart();
    return true;
}

void NetSession::SendKeepAlive() {
    if (phase_ != Phase::Closed) Send(KeepAliveMsg{});
}

}  // namespace zel
