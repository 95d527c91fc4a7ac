#include "app/NetPlay.h"

#include <QObject>
#include <QTimer>

#include "core/MatchState.h"
#include "core/ProgramVersion.h"
#include "net/NetMatchSetup.h"
#include "net/NetTexts.h"
#include "netqt/NetLink.h"
#include "screens/GameScreens.h"
#include "screens/NetworkWindow.h"
#include "screens/ResultsWindow.h"
#include "screens/SettingsStore.h"

namespace zel {
namespace {

// What the match window handles itself while a network match runs.
bool MatchEvent(NetEventKind k) {
    return k == NetEventKind::Aim || k == NetEventKind::Strike || k == NetEventKind::Resting ||
           k == NetEventKind::Closed;
}

}  // namespace

NetPlay::NetPlay(MatchState& s, SettingsStore& store, Dialogs& d)
    : s_(s), store_(store), d_(d), context_(std::make_unique<QObject>()) {}

NetPlay::~NetPlay() {
    context_.reset();  // nothing waiting runs any more
    if (link_) {
        QObject::disconnect(link_.get(), nullptr, nullptr, nullptr);
        link_->Quit();
    }
}

void NetPlay::SetTimeouts(int silenceMs, int keepAliveMs) {
    silenceMs_ = silenceMs;
    keepAliveMs_ = keepAliveMs;
}

void NetPlay::Adopt(std::unique_ptr<NetLink> link) {
    DropLink();
    link_ = std::move(link);
    QObject::connect(link_.get(), &NetLink::event, context_.get(), [this](const NetEvent& e) { OnEvent(e); });
}

std::unique_ptr<NetLink> NetPlay::MakeLink(NetRole role, std::vector<std::string> names) {
    auto link = std::make_unique<NetLink>(role, std::move(names), kBuildNumber);
    if (silenceMs_ > 0) link->SetTimeouts(silenceMs_, keepAliveMs_);
    return link;
}

std::string NetPlay::Listen(std::uint16_t port) {
    DropLink();
    std::unique_ptr<NetLink> link = MakeLink(NetRole::Host, store_.Start.CheckedNames());
    std::string error;
    if (!link->Listen(port, error)) return error;
    Adopt(std::move(link));
    return "";
}

std::vector<std::string> NetPlay::LocalAddresses() {
    std::vector<std::string> out;
    if (!link_) return out;
    for (const QString& a : link_->ListenAddresses()) out.push_back(a.toStdString());
    return out;
}

void NetPlay::Connect(const std::string& address, std::uint16_t port, const std::vector<std::string>& names) {
    Adopt(MakeLink(NetRole::Guest, names));
    link_->Connect(QString::fromStdString(address), port);
}

void NetPlay::Close() {
    if (!link_) return;
    link_->Quit();
    DropLink();
}

bool NetPlay::Linked() const {
    if (!link_) return false;
    const NetSession& session = link_->Session();
    return !session.IsClosed() && session.CurrentPhase() != NetSession::Phase::Handshake;
}

bool NetPlay::Hosting() const { return link_ && link_->Session().Role() == NetRole::Host; }

bool NetPlay::AskRestart() {
    if (!Linked()) return false;
    NetSession& session = link_->Session();
    const bool asked = session.AskRestart();
    Flush();
    // The other computer had asked already: this was the yes.
    if (asked && session.CurrentPhase() == NetSession::Phase::Lobby)
        QTimer::singleShot(0, context_.get(), [this] { RestartAgreed(); });
    return asked;
}

bool NetPlay::AnswerRestart(bool yes) {
    if (!Linked()) return false;
    const bool answered = link_->Session().AnswerRestart(yes);
    Flush();
    return answered;
}

match::MatchNetOptions NetPlay::BeginMatch() {
    if (!Linked() || IsSet(s_.Win.ReplayMode) || IsSet(s_.Win.ContinueGame)) return {};
    NetSession& session = link_->Session();
    if (session.Role() == NetRole::Host) {
        if (session.CurrentPhase() != NetSession::Phase::Lobby) return {};
        const MatchSetupMsg setup = MakeMatchSetup(s_, s_.PlayedElsewhere);
        // The host starts from the very bits the guest starts from.
        const std::string error = ApplyMatchSetup(setup, NetRole::Host, s_);
        if (!error.empty() || !session.SendSetup(setup)) {
            session.Fail(error.empty() ? std::string(nettexts::kBadSetup) : error);
            Flush();
            return {};
        }
        matchEvents_.clear();
        inMatch_ = true;
        Flush();
    } else if (!inMatch_) {
        return {};
    }
    match::MatchNetOptions options;
    options.Session = &session;
    options.TakeEvents = [this] {
        std::vector<NetEvent> out(matchEvents_.begin(), matchEvents_.end());
        matchEvents_.clear();
        return out;
    };
    options.Flush = [this] { Flush(); };
    options.Quit = [this] {
        if (link_) link_->Quit();
    };
    return options;
}

void NetPlay::MatchClosed() {
    inMatch_ = false;
    matchEvents_.clear();
    if (link_ && link_->Session().IsClosed()) {
        DropLink();
        // The match window has said why; the screens go on alone.
        if (screens_) screens_->NetworkLost("");
    }
}

void NetPlay::OnEvent(const NetEvent& e) {
    if (inMatch_ && MatchEvent(e.Kind)) {
        matchEvents_.push_back(e);
        return;
    }
    // The guest's match starts with the set-up: what follows it belongs to
    // the match, even before the window is up.
    if (e.Kind == NetEventKind::Setup) {
        matchEvents_.clear();
        inMatch_ = true;
    }
    QTimer::singleShot(0, context_.get(), [this, e] { Act(e); });
}

void NetPlay::Act(const NetEvent& e) {
    if (!screens_) return;
    switch (e.Kind) {
        case NetEventKind::PeerHello:
            if (Hosting()) {
                screens_->NetworkScreen()->GuestArrived(std::get<HelloMsg>(e.Message).Names);
            } else {
                screens_->NetworkScreen()->Connected();
            }
            break;
        case NetEventKind::Setup: {
            const MatchSetupMsg setup = std::get<MatchSetupMsg>(e.Message);
            const bool ran = screens_->RunGuestMatch([this, &setup](MatchState& s) {
                const std::string error = ApplyMatchSetup(setup, NetRole::Guest, s);
                if (!error.empty()) {
                    inMatch_ = false;
                    if (link_) link_->Session().Fail(error);
                    Flush();
                    return false;
                }
                s.Win.ReplayMode = kFalse;
                s.Win.ContinueGame = kFalse;
                s.TeamGame = kFalse;
                return true;
            });
            if (!ran && link_ && !link_->Session().IsClosed()) {
                // This side cannot take the match now (a replay is playing):
                // leaving says so to the host instead of keeping it waiting.
                inMatch_ = false;
                link_->Quit();
                DropLink();
                screens_->NetworkLost(nettexts::kYouQuit);
            }
            inMatch_ = inMatch_ && ran;
            break;
        }
        case NetEventKind::RestartAsked:
            RestartAsked();
            break;
        case NetEventKind::RestartAnswered:
            if (std::get<RestartAnswerMsg>(e.Message).Yes) {
                RestartAgreed();
            } else {
                Tell(d_, nettexts::kRestartDeclined, MsgIcon::Information, MsgButtons::Ok, nettexts::kTitle);
                screens_->Results()->RestartRefused();
            }
            break;
        case NetEventKind::Closed:
            DropLink();
            screens_->NetworkLost(e.Text);
            break;
        default:
            break;
    }
}

void NetPlay::RestartAsked() {
    // Both asked at once: the session has agreed already.
    if (!link_ || link_->Session().CurrentPhase() != NetSession::Phase::Over) return;
    const bool yes = Tell(d_, nettexts::kRestartAsked, MsgIcon::Question, MsgButtons::YesNo,
                          nettexts::kTitle) == MsgAnswer::Yes;
    if (!AnswerRestart(yes) || !yes) {
        screens_->Results()->RestartRefused();
        return;
    }
    RestartAgreed();
}

void NetPlay::RestartAgreed() {
    if (!screens_ || !Linked()) return;
    screens::ResultsWindow* results = screens_->Results();
    if (Hosting()) {
        results->PlayAgainNow();
    } else {
        // The host's set-up starts the match here.
        results->WaitForHost();
    }
}

void NetPlay::Flush() {
    if (link_) link_->Flush();
}

void NetPlay::DropLink() {
    if (!link_) return;
    NetLink* link = link_.release();
    QObject::disconnect(link, nullptr, context_.get(), nullptr);
    // It may be inside its own signal now.
    link->deleteLater();
    inMatch_ = false;
    matchEvents_.clear();
}

}  // namespace zel
