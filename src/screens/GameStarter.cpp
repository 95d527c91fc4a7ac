#include "screens/GameStarter.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/MatchSetup.h"
#include "screens/ScreenTexts.h"
#include "base/CheckBox.h"
#include "settings/SettingsDefaults.h"
#include "core/MatchKeyDefaults.h"

namespace zel::screens {
namespace {

constexpr int kMinTableSize = 201;
constexpr int kMaxTableSize = 1000;
constexpr int kMinParticipants = 2;
// Models a participant can play: the oval piece (4) cannot be chosen.
constexpr std::int16_t kLastPlayableModel = 3;

bool TableSizeUsable(const MatchState& s) {
    return s.MaxX >= kMinTableSize && s.MaxX <= kMaxTableSize && s.MaxY >= kMinTableSize &&
           s.MaxY <= kMaxTableSize;
}

bool DisplayUsable(const DisplaySettings& d) { return d.ScreenW >= 1 && d.ScreenH >= 1 && d.Colors >= 2; }

// The name box's text without the blanks around it. Line breaks (pasted
// text) become blanks: a name is one line of the replay and settings files.
std::string TrimmedName(const std::string& text) {
    std::string name = text;
    for (char& c : name)
        if (c == '\r' || c == '\n') c = ' ';
    const auto first = name.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    const auto last = name.find_last_not_of(" \t");
    return name.substr(first, last - first + 1);
}

std::int16_t PlayableModel(std::int16_t m) { return m >= 0 && m <= kLastPlayableModel ? m : 0; }

// KtoHodit[1..num] when it names every participant exactly once; otherwise
// empty, which gives the plain order 1..num.
std::vector<std::int16_t> TurnOrderOf(const MatchState& s, int num) {
    std::vector<std::int16_t> order;
    std::vector<bool> seen(static_cast<std::size_t>(num) + 1, false);
    for (int k = 1; k <= num; ++k) {
        const std::int16_t p = s.KtoHodit[static_cast<std::size_t>(k)];
        if (p < 1 || p > num || seen[static_cast<std::size_t>(p)]) return {};
        seen[static_cast<std::size_t>(p)] = true;
        order.push_back(p);
    }
    return order;
}

void Inform(Dialogs& d, const char* text, const char* title = "") {
    Message m;
    m.Text = text;
    m.Title = title;
    m.Icon = MsgIcon::Information;
    m.Buttons = MsgButtons::Ok;
    d.Ask(m);
}

void Call(const std::function<void()>& f) {
    if (f) f();
}

}  // namespace

StartOutcome GameStarter::StartGame(const StartGameHooks& hooks) {
    if (busy_) return StartOutcome::Refused;
    busy_ = true;
    const StartOutcome outcome = Run(hooks);
    // Without a match the records go back to the slots' masses at once.
    if (outcome != StartOutcome::Started) RestoreSlotMasses();
    busy_ = false;
    return outcome;
}

void GameStarter::NoteSlotMasses() {
    // A start that follows a start whose match never reported its end must
    // not take the participants' masses for the slots' ones.
    if (massesNoted_) RestoreSlotMasses();
    for (int i = 1; i <= kMaxParticipants; ++i) slotMass_[static_cast<std::size_t>(i)] = s_.Vembas[i].RM;
    massesNoted_ = true;
}

void GameStarter::RestoreSlotMasses() {
    if (!massesNoted_) return;
    for (int i = 1; i <= kMaxParticipants; ++i) s_.Vembas[i].RM = slotMass_[static_cast<std::size_t>(i)];
    massesNoted_ = false;
}

StartOutcome GameStarter::Run(const StartGameHooks& hooks) {
    NoteSlotMasses();
    // What the teams screen put in the records, before the defaults clear it.
    const std::array<VembaRecord, kRecordCount + 1> before = s_.Vembas;
    const std::array<PlayerKind, kMaxParticipants + 1> beforePlayers = s_.Players;

    ResetMatchDefaults(s_);
    if (!TableSizeUsable(s_)) {
        Inform(d_, texts::kBadTableSize);
        Call(hooks.OpenOptions);
        return StartOutcome::BadTableSize;
    }

    MatchSetup setup;
    setup.MaxX = s_.MaxX;
    setup.MaxY = s_.MaxY;
    setup.Border = s_.Border;
    setup.BordMode = s_.BordMode;
    setup.BordSimm = s_.BordSimm;
    setup.Pipa = s_.Pipa;
    setup.PipaMode = s_.PipaMode;
    setup.PipaSimm = s_.PipaSimm;
    setup.Sound = s_.Sound;
    setup.TeamGame = s_.TeamGame;
    setup.FirstTeam = s_.FirstTeam;
    setup.SecondTeam = s_.SecondTeam;
    const int choice = store_.Options.FrictionChoice();
    setup.Ftr = choice >= 0 && choice < 3 ? kFrictionChoices[choice] : s_.Ftr;

    int num = std::clamp<int>(store_.Start.GamersKolvo(), 0, kMaxParticipants);
    // Slots whose empty name box gets the participant's number.
    std::vector<std::pair<int, std::string>> namedSlots;
    // Participants the setup screen has played on the other computer.
    std::array<bool, kMaxParticipants + 1> elsewhere{};
    if (!IsSet(s_.TeamGame)) {
        StartScreenModel& start = store_.Start;
        int j = 0;
        for (int i = 1; i <= num; ++i) {
            while (j < StartScreenModel::kSlots && !IsChecked(start.Mark(j))) ++j;
            if (j >= StartScreenModel::kSlots) break;
            ParticipantSetup p;
            p.Name = TrimmedName(start.Name(j));
            if (p.Name.empty()) {
                p.Name = std::to_string(i);
                namedSlots.emplace_back(j, p.Name);
            }
            p.Model = PlayableModel(start.Model(j));
            p.Mass = UsableMass(slotMass_[static_cast<std::size_t>(j + 1)]);
            p.Player = start.Player(j);
            elsewhere[static_cast<std::size_t>(i)] = start.PlayedThere(j);
            setup.Participants.push_back(p);
            ++j;
        }
    } else {
        for (int i = 1; i <= num; ++i) {
            const VembaRecord& v = before[static_cast<std::size_t>(i)];
            ParticipantSetup p;
            p.Name = TrimmedName(v.R);
            // Every team piece is the first model with mass 1; the records'
            // masses stay the slots' ones for the next individual match.
            p.Model = 0;
            p.Mass = kMatchKeyDefaults.DefaultMass;
            p.Gray = v.RGray;
            p.TeamSide = v.TeamSide;
            p.Player = beforePlayers[static_cast<std::size_t>(i)];
            setup.Participants.push_back(p);
        }
    }
    num = static_cast<int>(setup.Participants.size());
    if (num < kMinParticipants) return StartOutcome::NoParticipants;
    setup.TurnOrder = TurnOrderOf(s_, num);

    if (StartMatchState(s_, setup) != SetupResult::Ok) return StartOutcome::Refused;
    s_.PlayedElsewhere = elsewhere;
    for (const auto& [slot, name] : namedSlots) store_.Start.SetName(slot, name);

    if (!DisplayUsable(store_.Display)) {
        Inform(d_, texts::kBadDisplay);
        Call(hooks.OpenOptions);
        return StartOutcome::BadDisplay;
    }

    Call(hooks.ForceNumLock);
    Inform(d_, texts::kNamesSlowWarning, texts::kWarningTitle);
    s_.Win.ReplayMode = kFalse;
    s_.Win.ContinueGame = kFalse;
    Call(hooks.RunMatch);
    return StartOutcome::Started;
}

}  // namespace zel::screens
