// The network side of a match window: what the other computer says is
// handed to the kernel between frames, like the keys, and what this side
// has to say goes out at once.
#include "base/ErrorLog.h"
#include "core/Rules.h"
#include "match/MatchWindow.h"
#include "net/NetMatch.h"
#include "net/NetSession.h"
#include "net/NetTexts.h"

namespace zel::match {

void MatchWindow::StartNetwork() {
    const MatchNetOptions& net = options_.Net;
    if (net.Session == nullptr || IsSet(s_.Win.ReplayMode)) return;
    net_ = std::make_unique<NetMatch>(s_, kernel_, *net.Session, log_);
    net_->Attach();
    aloneTold_ = false;
}

void MatchWindow::StepNetwork() {
    if (!net_) return;
    const MatchNetOptions& net = options_.Net;
    if (net.TakeEvents)
        for (const NetEvent& e : net.TakeEvents()) net_->Handle(e);
    if (net.Flush) net.Flush();
    if (net_->Alone() && !aloneTold_) {
        // The match goes on here alone; the person is told why at once,
        // unless the table had already decided it (the other side left in
        // the last turn-end pause): then the match simply ends.
        aloneTold_ = true;
        if (IsSet(s_.Win.GameOver) || MatchIsDecided(s_)) return;
        Tell(dialogs_, std::string(nettexts::kMatchEndedByLink) + net_->AloneReason(), MsgIcon::Exclamation,
             MsgButtons::Ok, nettexts::kTitle);
    }
}

void MatchWindow::StopNetwork() {
    if (!net_) return;
    const MatchNetOptions& net = options_.Net;
    if (!net_->Alone()) {
        if (IsSet(s_.Win.GameOver)) {
            net_->MatchEnded();
        } else if (net.Quit) {
            // Left before its end (Esc, the window closed): the other
            // computer is told this one left.
            net.Quit();
        }
    }
    if (net.Flush) net.Flush();
    net_.reset();
}

}  // namespace zel::match
