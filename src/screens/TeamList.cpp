#include "screens/TeamList.h"

#include <algorithm>

#include "base/AtomicFile.h"
#include "base/IniLookup.h"
#include "base/NumberParse.h"
#include "base/TextFile.h"
#include "core/SharedTexts.h"
#include "screens/ScreenTexts.h"

namespace zel::screens {
namespace {

void Line(std::string& out, const std::string& text) {
    out += text;
    out += zel::texts::kNewLine;
}

// A value on one line: a line break in a name would end the key early.
std::string OneLine(std::string v) {
    for (char& c : v)
        if (c == '\r' || c == '\n') c = ' ';
    return v;
}

}  // namespace

const Team* TeamList::At(int n) const { return n >= 1 && n <= count_ ? &teams_[n - 1] : nullptr; }
Team* TeamList::At(int n) { return n >= 1 && n <= count_ ? &teams_[n - 1] : nullptr; }

int TeamList::Find(const std::string& name) const {
    for (int n = 1; n <= count_; ++n)
        if (teams_[n - 1].ComName == name) return n;
    return 0;
}

bool TeamList::Add(Team t) {
    if (count_ >= kMaxTeams) return false;
    teams_[count_++] = std::move(t);
    return true;
}

void TeamList::Remove(int n) {
    if (n < 1 || n > count_) return;
    std::move(teams_.begin() + n, teams_.begin() + count_, teams_.begin() + n - 1);
    teams_[--count_] = Team{};
}

std::string TeamList::Load(const std::string& path, Dialogs& d) {
    if (!FileExists(path)) {
        count_ = 0;
        loadFailed_ = false;
        return texts::kTeamFileMissing;
    }
    IniFile f;
    std::string error;
    if (!f.Open(path, error)) {
        loadFailed_ = true;
        Tell(d, std::string(texts::kTeamFileLoadFailed) + zel::texts::kBlankLine + error,
             MsgIcon::Information);
        return "";
    }
    const std::optional<std::int16_t> k = ParsePrefixInt16(f.GetIniValue("", "K"));
    std::int16_t players = k.value_or(0);
    if (players == 0) {
        Tell(d, std::string(texts::kTeamFileBadEntry) + path + zel::texts::kNewLine +
                    texts::kTeamFileDefaultFollows,
             MsgIcon::Information);
        players = kPlayersDefault;
        loadFailed_ = true;  // whatever else the file held is kept beside at the first save
    }
    if (players < 1 || players > 4) {
        loadFailed_ = true;
        Tell(d, std::string(texts::kTeamFileLoadFailed) + zel::texts::kBlankLine +
                    "Недопустимое количество игроков K=" + std::to_string(players) +
                    ": ожидается от 1 до 4",
             MsgIcon::Information);
        return "";
    }
    playersPerTeam_ = players;
    count_ = 0;
    for (int n = 1; n <= kMaxTeams; ++n) {
        const std::string section = std::to_string(n);
        Team t;
        t.ComName = f.GetIniValue(section, "ComName");
        if (t.ComName.empty()) break;
        for (int j = 0; j < 4; ++j) {
            t.R[j] = f.GetIniValue(section, "R" + std::to_string(j + 1));
            const std::optional<std::int16_t> kind =
                ParsePrefixInt16(f.GetIniValue(section, "C" + std::to_string(j + 1)));
            t.Kinds[j] = kind ? PlayerKindFromNumber(*kind) : PlayerKind::Human;
        }
        teams_[count_++] = std::move(t);
    }
    if (k && *k == players) loadFailed_ = false;
    return texts::kTeamFileLoaded;
}

std::string TeamList::FileText() const {
    // The key lookup goes on past a section that lacks a key, so once any
    // team has a computer player every team writes all four C keys; a table
    // of people only is written as it always was.
    bool computers = false;
    for (int n = 1; n <= count_; ++n)
        for (PlayerKind k : teams_[n - 1].Kinds) computers = computers || IsComputer(k);
    std::string out;
    Line(out, texts::kTeamFileComment);
    Line(out, "K=" + std::to_string(playersPerTeam_));
    for (int n = 1; n <= count_; ++n) {
        const Team& t = teams_[n - 1];
        Line(out, "[" + std::to_string(n) + "]");
        Line(out, "ComName=" + OneLine(t.ComName));
        for (int j = 0; j < 4; ++j) Line(out, "R" + std::to_string(j + 1) + "=" + OneLine(t.R[j]));
        if (computers)
            for (int j = 0; j < 4; ++j)
                Line(out, "C" + std::to_string(j + 1) + "=" + std::to_string(PlayerKindNumber(t.Kinds[j])));
    }
    Line(out, "");
    return out;
}

std::string TeamList::Save(const std::string& path, const std::string& name, Dialogs& d) {
    if (count_ == 0 && !FileExists(path)) return "";
    int err = 0;
    bool ok = true;
    if (loadFailed_ && FileExists(path)) {
        std::string old;
        std::string error;
        ok = ReadFileBytes(path, old, error) && ReplaceFileAtomically(path + ".bak", old, err);
        if (!ok && err == 0) err = EIO;
    }
    if (ok) ok = ReplaceFileAtomically(path, FileText(), err);
    if (!ok) {
        Tell(d, std::string(texts::kTeamFileSaveFailed) + zel::texts::kBlankLine + SystemErrorText(err),
             MsgIcon::Critical);
        return "";
    }
    loadFailed_ = false;
    return std::string(texts::kTeamFileSavedStart) + name + texts::kTeamFileSavedEnd;
}

std::string TeamList::TeamName(int team) const {
    const Team* t = At(team);
    return t ? t->ComName : "";
}

std::int16_t TeamList::Score(int team) const {
    const Team* t = At(team);
    return t ? t->Score : 0;
}

void TeamList::AddScore(int team, int points) {
    if (Team* t = At(team))
        t->Score = static_cast<std::int16_t>(std::clamp(t->Score + points, -32768, 32767));
}

}  // namespace zel::screens
