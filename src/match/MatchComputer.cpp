// The computer players of a match window: their turns are stepped between
// frames like the keys, on the window's thread; only the search runs apart.
#include <chrono>

#include "ai/ComputerTurn.h"
#include "ai/WorkerPool.h"
#include "match/MatchWindow.h"

namespace zel::match {

void MatchWindow::StartComputer() {
    if (IsSet(s_.Win.ReplayMode)) return;
    bool any = false;
    for (int i = 1; i <= s_.Num && i <= kMaxParticipants; ++i) any = any || IsComputer(s_.Players[i]);
    if (!any) return;
    pool_ = std::make_unique<ai::WorkerPool>();
    // In the game the computer's chance comes from the clock; what it
    // decides is recorded in the replay like any strike.
    const auto seed = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    computer_ = std::make_unique<ai::ComputerTurn>(s_, kernel_, *pool_, seed);
}

void MatchWindow::StepComputer() {
    if (!computer_) return;
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
    computer_->Tick(ms);
}

void MatchWindow::StopComputer() {
    if (computer_) computer_->Stop();
    computer_.reset();
    pool_.reset();
}

}  // namespace zel::match
