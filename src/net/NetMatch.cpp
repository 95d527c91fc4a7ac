#include "net/NetMatch.h"

#include "base/ErrorLog.h"
#include "net/NetTexts.h"

namespace zel {

NetMatch::NetMatch(MatchState& s, MatchKernel& kernel, NetSession& session, const ErrorLog& log)
    : s_(s), kernel_(kernel), session_(session), log_(log) {}

NetMatch::~NetMatch() {
    if (!attached_) return;
    kernel_.SetStrikeListener({});
    kernel_.SetAimListener({});
    kernel_.SetTurnListener({});
    kernel_.SetRestListener({});
    kernel_.HoldTurnEnd(false);
}

void NetMatch::Attach() {
    attached_ = true;
    kernel_.SetStrikeListener([this](const ReplayStepRecord& r) {
        if (!alone_) session_.SendStrike(r);
    });
    kernel_.SetAimListener([this](const MatchKernel::AimView& v) {
        if (alone_) return;
        AimMsg m;
        m.Participant = static_cast<std::int16_t>(v.Participant);
        m.CamX = v.CamX;
        m.CamZ = v.CamZ;
        m.AimAngle = v.AimAngle;
        m.Power = static_cast<std::int16_t>(v.Power);
        session_.SendAim(m);
    });
    kernel_.SetTurnListener([this](int striker) { OnTurn(striker); });
    kernel_.SetRestListener([this] { OnRest(); });
    if (session_.IsClosed()) GoAlone(session_.CloseText());
}

void NetMatch::OnTurn(int striker) {
    ownRest_ = false;
    hostRest_.reset();
    if (alone_) return;
    session_.BeginTurn(striker);
    // The guest's turn end waits for the host's word on the table.
    if (session_.Role() == NetRole::Guest) kernel_.HoldTurnEnd(true);
}

void NetMatch::OnRest() {
    if (session_.Role() == NetRole::Host) {
        if (!alone_) session_.SendRestingState(CaptureRestingState(s_));
        return;
    }
    // The host's word on this strike still counts when the host left right
    // after giving it.
    ownRest_ = true;
    if (hostRest_) TakeHostState(*hostRest_);
}

void NetMatch::TakeHostState(const RestingStateMsg& m) {
    const std::string diff = RestingStateDifference(m.State, CaptureRestingState(s_));
    if (!diff.empty()) {
        log_.LogError(nettexts::kDrift + diff);
        AdoptRestingState(m.State, s_);
        kernel_.PiecesReplaced();
        ++drifts_;
    }
    hostRest_.reset();
    kernel_.HoldTurnEnd(false);
}

void NetMatch::Handle(const NetEvent& e) {
    if (alone_) return;
    switch (e.Kind) {
    case NetEventKind::Aim: {
        const auto& a = std::get<AimMsg>(e.Message);
        kernel_.RemoteAim(a.CamX, a.CamZ, a.AimAngle, a.Power);
        break;
    }
    case NetEventKind::Strike: {
        const auto& k = std::get<StrikeMsg>(e.Message);
        // The session has checked the striker against its turn; a kernel that
        // cannot take the strike now has lost step with the other side.
        if (!kernel_.RemoteStrike(k.Step)) {
            const std::string text = std::string(nettexts::kOutOfTurn) + "удар";
            session_.Fail(text);
            GoAlone(text);
        }
        break;
    }
    case NetEventKind::Resting:
        hostRest_ = std::get<RestingStateMsg>(e.Message);
        if (ownRest_) TakeHostState(*hostRest_);
        break;
    case NetEventKind::Closed:
        GoAlone(e.Text);
        break;
    default:
        break;
    }
}

void NetMatch::MatchEnded() {
    if (!alone_) session_.EndMatch();
}

void NetMatch::GoAlone(const std::string& text) {
    if (alone_) return;
    alone_ = true;
    aloneReason_ = text;
    kernel_.PlayAlone(std::string(nettexts::kMatchEndedByLink) + text);
}

}  // namespace zel
