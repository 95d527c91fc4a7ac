#include "screens/TeamsScreenModel.h"

#include <algorithm>
#include <filesystem>

#include "core/SharedTexts.h"

namespace zel::screens {
namespace {

std::string FileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

}  // namespace

void TeamsScreenModel::Open(const std::string& teamFile, Dialogs& d) {
    teams_.SetPlayersPerTeam(TeamList::kPlayersDefault);
    const std::string status = teams_.Load(teamFile, d);
    if (status.empty()) return;  // a failed load leaves the lists as they were
    status_ = status;
    playing_.clear();
    goEnabled_ = false;
    TeamsChanged();
}

bool TeamsScreenModel::SetPlayersPerTeam(int n) {
    if (n < 1 || n > 4) return false;
    teams_.SetPlayersPerTeam(static_cast<std::int16_t>(n));
    return true;
}

std::string TeamsScreenModel::PlayersLabel() const {
    return "Количество: " + std::to_string(teams_.PlayersPerTeam());
}

void TeamsScreenModel::MoveToPlaying(int i, Dialogs& d) {
    if (i < 0 || i >= static_cast<int>(existing_.size())) return;
    if (playing_.size() >= 2) {
        Tell(d, "В списке играющих команд уже находятся 2 команды!", MsgIcon::Information);
        return;
    }
    playing_.push_back(existing_[static_cast<std::size_t>(i)]);
    existing_.erase(existing_.begin() + i);
    goEnabled_ = playing_.size() == 2;
}

void TeamsScreenModel::MoveToExisting(int i) {
    if (i < 0 || i >= static_cast<int>(playing_.size())) return;
    existing_.push_back(playing_[static_cast<std::size_t>(i)]);
    playing_.erase(playing_.begin() + i);
    goEnabled_ = false;
}

bool TeamsScreenModel::MayCreate(Dialogs& d) const {
    if (teams_.Count() < TeamList::kMaxTeams) return true;
    Tell(d, "Больше 8 команд создавать нельзя!", MsgIcon::Information);
    return false;
}

int TeamsScreenModel::SelectedTeam(int i, Dialogs& d) const {
    if (i < 0 || i >= static_cast<int>(existing_.size())) {
        Tell(d, "Сначала выберите команду!", MsgIcon::Information);
        return 0;
    }
    return teams_.Find(existing_[static_cast<std::size_t>(i)]);
}

void TeamsScreenModel::TeamsChanged() {
    // List1 holds every team that is not playing, in table order.
    existing_.clear();
    std::vector<std::string> stillPlaying;
    for (const std::string& name : playing_)
        if (teams_.Find(name) != 0) stillPlaying.push_back(name);
    playing_ = stillPlaying;
    std::vector<std::string> playingLeft = playing_;
    for (int n = 1; n <= teams_.Count(); ++n) {
        const std::string& name = teams_.At(n)->ComName;
        const auto it = std::find(playingLeft.begin(), playingLeft.end(), name);
        if (it != playingLeft.end()) {
            playingLeft.erase(it);
            continue;
        }
        existing_.push_back(name);
    }
    goEnabled_ = playing_.size() == 2;
}

void TeamsScreenModel::Delete(int i, Dialogs& d) {
    const int n = SelectedTeam(i, d);
    if (n == 0) return;
    const std::string name = teams_.At(n)->ComName;
    if (Tell(d, "Вы действительно хотите удалить команду" + std::string(zel::texts::kBlankLine) +
                    name + "?",
             MsgIcon::Exclamation, MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    teams_.Remove(n);
    existing_.erase(existing_.begin() + i);
}

void TeamsScreenModel::Save(const std::string& teamFile, Dialogs& d) {
    const std::string status = teams_.Save(teamFile, FileName(teamFile), d);
    if (!status.empty()) status_ = status;
}

StartOutcome TeamsScreenModel::Start(MatchState& s, StartScreenModel& start, GameStarter& starter,
                                     const StartGameHooks& hooks, const std::string& teamFile,
                                     const std::function<void()>& saveSettings, Dialogs& d) {
    if (playing_.size() != 2) {
        Tell(d, "Выберите 2 команды для игры!", MsgIcon::Information);
        goEnabled_ = false;
        return StartOutcome::NoParticipants;
    }
    if (starter.Busy()) return StartOutcome::Refused;

    s.TeamGame = kTrue;
    Save(teamFile, d);
    if (saveSettings) saveSettings();

    for (int n = 1; n <= teams_.Count(); ++n) teams_.At(n)->Score = 0;
    s.FirstTeam = static_cast<std::int16_t>(teams_.Find(playing_[0]));
    s.SecondTeam = static_cast<std::int16_t>(teams_.Find(playing_[1]));
    Team* first = teams_.At(s.FirstTeam);
    Team* second = teams_.At(s.SecondTeam);
    if (!first || !second) return StartOutcome::NoParticipants;
    first->Players = second->Players = teams_.PlayersPerTeam();
    const int num = first->Players + second->Players;

    for (int i = 1; i <= num; ++i) s.Vembas[i].RGray = kFalse;
    for (int j = 1; j <= first->Players; ++j) {
        VembaRecord& a = s.Vembas[2 * j - 1];
        a.R = first->R[static_cast<std::size_t>(j - 1)];
        a.TeamSide = 0;
        a.RGray = kFalse;
        s.Players[2 * j - 1] = first->Kinds[static_cast<std::size_t>(j - 1)];
        VembaRecord& b = s.Vembas[2 * j];
        b.R = second->R[static_cast<std::size_t>(j - 1)];
        b.TeamSide = 1;
        b.RGray = kTrue;
        s.Players[2 * j] = second->Kinds[static_cast<std::size_t>(j - 1)];
    }
    for (int k = 1; k <= kMaxParticipants; ++k) s.KtoHodit[k] = static_cast<std::int16_t>(k);
    start.SetGamersKolvo(static_cast<std::int16_t>(num));
    return starter.StartGame(hooks);
}

}  // namespace zel::screens
