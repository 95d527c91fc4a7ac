#include "screens/ResultsScreenModel.h"

#include <algorithm>
#include <vector>

#include "screens/NetworkTexts.h"
#include "screens/ScreenTexts.h"

namespace zel::screens {

ResultsScreenModel::ResultsScreenModel() {
    view_.Team1 = texts::kTeam1Design;
    view_.Team2 = texts::kTeam2Design;
}

void ResultsScreenModel::Update(const MatchState& s, TeamTable* teams) {
    view_.Waiting.clear();
    const int num = std::clamp<int>(s.Num, 0, kMaxParticipants);
    std::string winner;
    view_.SaveReplayEnabled = false;
    view_.LoadReplayEnabled = false;

    if (IsSet(s.TeamGame)) {
        view_.TeamGroupVisible = true;
        view_.Status = texts::kTeamWon;
        view_.Team1 = teams ? teams->TeamName(s.FirstTeam) : "";
        view_.Team2 = teams ? teams->TeamName(s.SecondTeam) : "";
        if (IsSet(gameOver_)) {
            if (s.Winner >= 1) {
                winner = teams ? teams->TeamName(s.Winner) : "";
                if (teams) teams->AddScore(s.Winner, CountAlive(s));
            } else {
                winner = texts::kAllFell;
            }
            if (teams) {
                view_.Score1 = std::to_string(teams->Score(s.FirstTeam));
                view_.Score2 = std::to_string(teams->Score(s.SecondTeam));
            }
        } else {
            winner = texts::kNotFinished;
        }
    } else {
        view_.Status = texts::kPlayerWon;
        if (IsSet(gameOver_)) {
            for (int i = 1; i <= num; ++i) {
                if (s.Vembas[i].Life == kTrue) {
                    winner = s.Vembas[i].R;
                    break;
                }
            }
        }
        view_.TeamGroupVisible = false;
    }
    if (winner.empty()) winner = texts::kNoWinner;
    view_.Winner = winner;

    int best = 0;
    std::int16_t most = 0;
    for (int i = 1; i <= num; ++i) {
        if (best == 0 || s.Vembas[i].SginCount > most) {
            best = i;
            most = s.Vembas[i].SginCount;
        }
    }
    if (best == 0 || most <= 0) {
        view_.MatchPiece = texts::kNoMatchPiece;
        view_.Knocked = "0";
    } else {
        view_.MatchPiece = s.Vembas[best].R;
        view_.Knocked = std::to_string(most);
    }
    view_.GoEnabled = true;
}

void ResultsScreenModel::PreparePlayAgain(MatchState& s) const {
    const int num = std::clamp<int>(s.Num, 0, kMaxParticipants);
    if (!IsSet(gameOver_)) {
        for (int i = 1; i <= num; ++i) s.KtoHodit[i] = static_cast<std::int16_t>(i);
        return;
    }
    std::vector<std::int16_t> order;
    std::vector<bool> taken(static_cast<std::size_t>(num) + 1, false);
    for (int i = 1; i <= num; ++i) {
        const std::int16_t p = s.WhoSgin[num + 1 - i];
        if (p < 1 || p > num || taken[static_cast<std::size_t>(p)]) continue;
        taken[static_cast<std::size_t>(p)] = true;
        order.push_back(p);
    }
    for (int p = 1; p <= num; ++p)
        if (!taken[static_cast<std::size_t>(p)]) order.push_back(static_cast<std::int16_t>(p));
    for (int i = 1; i <= num; ++i) {
        s.KtoHodit[i] = order[static_cast<std::size_t>(i - 1)];
        s.Vembas[i].SginCount = 0;
    }
}

void ResultsScreenModel::SetWaitingForPeer(bool on) {
    view_.Waiting = on ? texts::kNetRestartWaiting : "";
    view_.GoEnabled = !on;
}

}  // namespace zel::screens
