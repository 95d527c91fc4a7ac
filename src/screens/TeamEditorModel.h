#pragma once
#include <array>
#include <string>

#include "base/Dialogs.h"
#include "screens/TeamList.h"

namespace zel::screens {

// The team editor frmNewCom without a window: the team name box, the four
// player boxes, and the checks of "Создать" / "Готово" (cmdDone).
class TeamEditorModel {
public:
    enum class Mode { Create, Edit };

    // Create mode: "Создание новой команды", cmdDone "Создать", the name
    // "Команда" + (Count()+1), players "Вемба1".."Вемба4".
    static TeamEditorModel ForNewTeam(const TeamList& teams);
    // Edit mode for team `n`: "Изменение настроек команды", cmdDone "Готово",
    // the team's name and players.
    static TeamEditorModel ForTeam(const TeamList& teams, int n);

    Mode EditMode() const { return mode_; }
    const std::string& Title() const { return title_; }
    const std::string& DoneCaption() const { return doneCaption_; }
    const std::string& TeamName() const { return name_; }
    void SetTeamName(std::string v) { name_ = std::move(v); }
    const std::string& Player(int i) const { return players_[static_cast<std::size_t>(i & 3)]; }
    void SetPlayer(int i, std::string v) {
        if (i >= 0 && i < 4) players_[static_cast<std::size_t>(i)] = std::move(v);
    }
    // Who plays player i: a person (new teams) or the computer at a level.
    PlayerKind Kind(int i) const { return kinds_[static_cast<std::size_t>(i & 3)]; }
    void SetKind(int i, PlayerKind k) {
        if (i >= 0 && i < 4) kinds_[static_cast<std::size_t>(i)] = k;
    }

    // cmdDone: an empty name warns "Надо ввести имя команды!"; in create mode
    // a name (as typed) that a team has already gives "Команда с указанным
    // именем уже существует. Задайте другое имя."; a player box blank after
    // trimming gives "Вы не ввели некоторые имена игроков.". Each keeps the
    // editor open (false). Otherwise the team, its name trimmed and its
    // players as typed, is appended (create) or replaces team n in place
    // (edit), and the result is true: the editor closes.
    bool Done(TeamList& teams, Dialogs& d) const;

private:
    Mode mode_ = Mode::Create;
    int team_ = 0;                        // the team being changed in edit mode
    std::string title_;                   // the window title
    std::string doneCaption_;             // cmdDone's caption
    std::string name_;                    // txtComName
    std::array<std::string, 4> players_;  // txt(0)..txt(3)
    std::array<PlayerKind, 4> kinds_{};   // cmbKind(0)..cmbKind(3)
};

}  // namespace zel::screens
