#include "net/NetMatchSetup.h"

#include "core/ReplayFile.h"
#include "core/SavedGame.h"
#include "net/NetTexts.h"

namespace zel {

MatchSetupMsg MakeMatchSetup(const MatchState& s,
                             const std::array<bool, kMaxParticipants + 1>& guestPlays) {
    MatchSetupMsg m;
    // The date line is the replay file's own; each side's recorder writes its own.
    m.Header = FormatReplayHeader(s, "");
    m.Num = s.Num;
    for (int p = 1; p <= s.Num && p <= kMaxParticipants; ++p)
        m.GuestPlays[static_cast<std::size_t>(p)] = guestPlays[static_cast<std::size_t>(p)];
    return m;
}

std::string ApplyMatchSetup(const MatchSetupMsg& m, NetRole role, MatchState& s) {
    const auto players = s.Players;
    SlotSetups slots;
    const std::string error = PrepareReplayPlaybackText(m.Header, nettexts::kTitle, s, slots);
    if (!error.empty()) return std::string(nettexts::kBadSetup) + error;
    if (s.Num != m.Num) {
        ResetMatchDefaults(s);
        return std::string(nettexts::kBadSetup) + "число участников не совпадает с заголовком";
    }
    for (int p = 1; p <= s.Num; ++p) {
        const auto k = static_cast<std::size_t>(p);
        const bool guest = m.GuestPlays[k];
        const bool elsewhere = role == NetRole::Host ? guest : !guest;
        s.PlayedElsewhere[k] = elsewhere;
        // The other side's participants are played by its own hands, never
        // by this side's computer player.
        s.Players[k] = elsewhere ? PlayerKind::Human : players[k];
    }
    return "";
}

}  // namespace zel
