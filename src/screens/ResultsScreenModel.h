#pragma once
#include <cstdint>
#include <string>

#include "core/Flag.h"
#include "core/MatchState.h"
#include "screens/TeamTable.h"

namespace zel::screens {

// What the results screen "Итоги Вембы" shows, control by control.
struct ResultsView {
    std::string Status;               // lblStatus: who is named below
    std::string Winner;               // lblWiner: the winner's name
    std::string MatchPiece;           // lblVembaMatcha: who knocked off the most pieces
    std::string Knocked;              // lblUron: how many that was
    bool TeamGroupVisible = false;    // lblCom1/2, lblScore1/2, lblScore: team matches only
    std::string Team1;                // lblCom1: the first team's name
    std::string Team2;                // lblCom2: the second team's name
    std::string Score1 = "0";         // lblScore1: the first team's running score
    std::string Score2 = "0";         // lblScore2: the second team's running score
    bool GoEnabled = false;           // "НАЧАТЬ ВЕМБУ ОПЯТЬ!"
    bool SaveReplayEnabled = false;   // "Сохранить повтор как..."
    bool LoadReplayEnabled = false;   // "Загрузить повтор...": while a replay file exists
    std::string Waiting;              // lblWaiting: a network match's ask for another match
};

// The results screen without a window: the texts Update writes from the
// match that just ended, the team scores it credits, and the turn order of
// the match "НАЧАТЬ ВЕМБУ ОПЯТЬ!" starts.
class ResultsScreenModel {
public:
    ResultsScreenModel();

    // Set by the match window before Update: -1 when the match reached its
    // end, 0 when it was left early.
    void SetGameOver(Flag gameOver) { gameOver_ = gameOver; }
    Flag GameOver() const { return gameOver_; }

    // Refreshes the texts from the match state and, after a team match, the
    // team table (may be null when there is none: names read "" and no
    // score is credited). A team match that ended credits the winning team
    // with the number of pieces still on the table; one left early shows
    // "(матч не закончен)" and leaves the scores as they were. An individual
    // match names the first participant still on the table. "Вемба матча"
    // is the first participant with the largest SginCount, "(неопределена)"
    // and "0" when nobody knocked anything off. Both replay buttons end up
    // disabled; the start button enabled.
    void Update(const MatchState& s, TeamTable* teams);

    // The match window offers "Сохранить повтор как..." after an individual
    // match that was neither continued nor a team match.
    void EnableSaveReplay(bool on) { view_.SaveReplayEnabled = on; }
    // "Загрузить повтор..." is offered whenever a replay file exists.
    void EnableLoadReplay(bool on) { view_.LoadReplayEnabled = on; }

    // Step one of "НАЧАТЬ ВЕМБУ ОПЯТЬ!": after an ended match the new turn
    // order is the elimination order backwards (the last survivor first) and
    // every SginCount is cleared; after a match left early the order is
    // 1..Num. An elimination list with gaps or repeats (it cannot happen in
    // a match played to its end) keeps its usable entries in that order and
    // adds the missing participants in number order, so every participant
    // still gets a turn.
    void PreparePlayAgain(MatchState& s) const;

    // A network match: "НАЧАТЬ ВЕМБУ ОПЯТЬ!" asked the other computer;
    // until it answers the button is disabled and the screen says it waits.
    // Cleared, the button is enabled again.
    void SetWaitingForPeer(bool on);
    bool WaitingForPeer() const { return !view_.Waiting.empty(); }

    const ResultsView& View() const { return view_; }

private:
    Flag gameOver_ = kFalse;  // the match reached its end
    ResultsView view_;        // what the controls show
};

}  // namespace zel::screens
