#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "base/Dialogs.h"
#include "core/PlayerKind.h"
#include "screens/TeamTable.h"

namespace zel::screens {

// One team of the team table.
struct Team {
    std::string ComName;                // the team's name, never empty
    std::int16_t Players = 0;           // players it fields in the current match, 1..4
    std::array<std::string, 4> R;       // its four players' names (R1..R4)
    std::array<PlayerKind, 4> Kinds{};  // who plays each of them (C1..C4), people by default
    std::int16_t Score = 0;             // running score in the current series of matches
};

// The team table and its file zel.cmd: at most eight teams in creation order,
// numbered from 1, and the players per team of the scroll bar. The file:
//   ";KORVALO 2: VANTORIX - Информация о командной игре"
//   "K=" players per team
//   per team n: "[n]", "ComName=", "R1=".."R4=", and when any team has a
//   computer player "C1=".."C4=" with 0 for a person or the computer's
//   level 1..3 (a file without them plays people, so older files and
//   older readers agree)
//   one empty line
// read as UTF-8 or Windows-1251 with the one key lookup, written UTF-8 with
// CR LF through the atomic writer.
class TeamList : public TeamTable {
public:
    static constexpr int kMaxTeams = 8;
    static constexpr int kPlayersDefault = 4;  // a K of 0 or none gives this

    int Count() const { return count_; }
    // Team n (1..Count()); nullptr for another number.
    const Team* At(int n) const;
    Team* At(int n);
    // The first team with exactly this name, 0 when none.
    int Find(const std::string& name) const;
    // Appends a team; false when eight teams exist already.
    bool Add(Team t);
    // Removes team n; the teams after it move up one place.
    void Remove(int n);
    std::int16_t PlayersPerTeam() const { return playersPerTeam_; }
    void SetPlayersPerTeam(std::int16_t n) { playersPerTeam_ = n; }

    // Loads `path` (zel.cmd). Returns the status text of the teams screen:
    //  - no file: "(Файл с настройками команд не найден)", no teams;
    //  - K 0, missing or not a number: the notice "Обнаружена некорректная
    //    запись в файле <path>" / "Значение параметра будет установлено по
    //    умолчанию." and 4 players per team;
    //  - K outside 1..4 or an unreadable file: "Ошибка при загрузке файла
    //    настроек:", an empty line and the description; the table keeps what
    //    it had and "" is returned;
    //  - else the teams of sections [1].. up to the first without ComName,
    //    and "(Файл с настройками команд успешно загружен)".
    std::string Load(const std::string& path, Dialogs& d);

    // Writes the table to `path`. Returns "(Настройки команд были успешно
    // сохранены в файл <name>)", or "" when nothing was written. A failure
    // shows "Ошибка при сохранении файла настроек:", an empty line and the
    // description, and leaves the old file as it was.
    // Two mends keep what the user did: an empty table is written when a
    // file exists (else deleting every team brought them all back at the
    // next start; with no file and no teams nothing is written), and after
    // a load that failed or found no usable K (a damaged file) the old file
    // is kept beside as "<path>.bak" before the first write replaces it.
    std::string Save(const std::string& path, const std::string& name, Dialogs& d);

    // The file's text for the table as it is now.
    std::string FileText() const;

    // TeamTable: what the results screen reads and scores.
    std::string TeamName(int team) const override;
    std::int16_t Score(int team) const override;
    void AddScore(int team, int points) override;

private:
    std::array<Team, kMaxTeams> teams_{};        // teams 1..count_ at [0..count_-1]
    int count_ = 0;                              // TeamCount, 0..8
    std::int16_t playersPerTeam_ = kPlayersDefault;  // the scroll bar VS, 1..4
    bool loadFailed_ = false;                    // the file on disk was not read cleanly: keep a copy
};

}  // namespace zel::screens
