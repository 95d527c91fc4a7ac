#include "screens/TeamEditorModel.h"

namespace zel::screens {
namespace {

std::string Trimmed(const std::string& v) {
    const auto first = v.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return v.substr(first, v.find_last_not_of(" \t") - first + 1);
}

}  // namespace

TeamEditorModel TeamEditorModel::ForNewTeam(const TeamList& teams) {
    TeamEditorModel m;
    m.mode_ = Mode::Create;
    m.title_ = "Создание новой команды";
    m.doneCaption_ = "Создать";
    m.name_ = "Команда" + std::to_string(teams.Count() + 1);
    for (int i = 0; i < 4; ++i) m.players_[static_cast<std::size_t>(i)] = "Вемба" + std::to_string(i + 1);
    return m;
}

TeamEditorModel TeamEditorModel::ForTeam(const TeamList& teams, int n) {
    TeamEditorModel m;
    m.mode_ = Mode::Edit;
    m.team_ = n;
    m.title_ = "Изменение настроек команды";
    m.doneCaption_ = "Готово";
    if (const Team* t = teams.At(n)) {
        m.name_ = t->ComName;
        m.players_ = t->R;
        m.kinds_ = t->Kinds;
    }
    return m;
}

bool TeamEditorModel::Done(TeamList& teams, Dialogs& d) const {
    if (Trimmed(name_).empty()) {
        Tell(d, "Надо ввести имя команды!", MsgIcon::Exclamation);
        return false;
    }
    if (mode_ == Mode::Create && teams.Find(name_) != 0) {
        Tell(d, "Команда с указанным именем уже существует. Задайте другое имя.", MsgIcon::Information);
        return false;
    }
    for (const std::string& p : players_)
        if (Trimmed(p).empty()) {
            Tell(d, "Вы не ввели некоторые имена игроков.", MsgIcon::Information);
            return false;
        }
    Team t;
    t.ComName = Trimmed(name_);
    t.R = players_;
    t.Kinds = kinds_;
    if (mode_ == Mode::Create) return teams.Add(std::move(t));
    Team* old = teams.At(team_);
    if (!old) return false;
    t.Score = old->Score;
    t.Players = old->Players;
    *old = std::move(t);
    return true;
}

}  // namespace zel::screens
