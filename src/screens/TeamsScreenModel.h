#pragma once
#include <functional>
#include <string>
#include <vector>

#include "base/Dialogs.h"
#include "core/MatchState.h"
#include "screens/GameStarter.h"
#include "screens/StartScreenModel.h"
#include "screens/TeamList.h"

namespace zel::screens {

// The teams screen frmCom without a window: the list of existing teams
// List1, the list of the two playing teams ListPlay, the players-per-team
// scroll bar VS with its label, the status label and the start button.
class TeamsScreenModel {
public:
    explicit TeamsScreenModel(TeamList& teams) : teams_(teams) {}

    // The main menu opens the screen: VS at 4, then the team file is loaded
    // into the table and List1 (ListPlay empty, "Вемба!" disabled).
    void Open(const std::string& teamFile, Dialogs& d);

    const std::vector<std::string>& Existing() const { return existing_; }  // List1
    const std::vector<std::string>& Playing() const { return playing_; }    // ListPlay
    const std::string& Status() const { return status_; }                   // lbl
    bool GoEnabled() const { return goEnabled_; }                           // cmdGo

    // VS 1..4 and lblKolvo "Количество: " n; other values are refused.
    bool SetPlayersPerTeam(int n);
    std::string PlayersLabel() const;

    // A double click (or Enter) on entry `i` of List1: it moves to the end of
    // ListPlay, unless two teams are there already ("В списке играющих
    // команд уже находятся 2 команды!"). With two playing teams "Вемба!" is
    // enabled. An entry that does not exist does nothing.
    void MoveToPlaying(int i, Dialogs& d);
    // The same on ListPlay: the team goes back to the end of List1 and
    // "Вемба!" is disabled.
    void MoveToExisting(int i);

    // "Создать...": false with "Больше 8 команд создавать нельзя!" when eight
    // teams exist; else the editor may open in create mode.
    bool MayCreate(Dialogs& d) const;
    // "Изменить..." and "Удалить" name the team selected in List1 (-1: none,
    // which shows "Сначала выберите команду!" and gives 0); the first team
    // of that name.
    int SelectedTeam(int i, Dialogs& d) const;
    // The editor closed with a created or changed team: List1 follows the
    // table (a created team at its end, a changed one in its place).
    void TeamsChanged();
    // "Удалить" on List1's entry `i`: asks "Вы действительно хотите удалить
    // команду" / the name "?"; on "Да" the team leaves List1 and the table.
    void Delete(int i, Dialogs& d);

    // "Вемба!": exactly two playing teams (else "Выберите 2 команды для
    // игры!" and the button disabled); a press during a start is ignored.
    // TeamGame on; the teams and the settings saved; scores 0; FirstTeam and
    // SecondTeam the two playing teams; PlayersPerTeam players each, player j
    // of the first team participant 2j-1 (side 0), of the second 2j (side
    // 1, grey); turn order 1..n; the setup screen's participant count n;
    // then StartGame.
    StartOutcome Start(MatchState& s, StartScreenModel& start, GameStarter& starter,
                       const StartGameHooks& hooks, const std::string& teamFile,
                       const std::function<void()>& saveSettings, Dialogs& d);

    // Leaving the screen ("< Назад", "Выход", closing): the teams are saved.
    void Save(const std::string& teamFile, Dialogs& d);

private:
    TeamList& teams_;                     // the table the screen shows and edits
    std::vector<std::string> existing_;   // List1: names of teams not playing
    std::vector<std::string> playing_;    // ListPlay: at most two names
    std::string status_;                  // lbl
    bool goEnabled_ = false;              // cmdGo
};

}  // namespace zel::screens
