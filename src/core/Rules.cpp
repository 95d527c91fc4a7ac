#include "core/Rules.h"

#include <algorithm>
#include <climits>

#include "core/MatchTexts.h"
#include "base/Rounding.h"

namespace zel {

namespace {

constexpr int kWhoSginSize = kMaxParticipants;       // WhoSgin[1..8]
constexpr int kTurnSginSize = kMaxParticipants - 1;  // TurnSgin[1..7]
constexpr int kCrowdSoundSlot = 7;

bool IsParticipant(const MatchState& s, int i) { return i >= 1 && i <= ParticipantCount(s); }

// Writes WhoSgin(pos) only inside the table.
void SetWhoSgin(MatchState& s, int pos, std::int16_t who) {
    if (pos >= 1 && pos <= kWhoSginSize) s.WhoSgin[pos] = who;
}

std::int16_t ClampSgin(int n) {
    return static_cast<std::int16_t>(std::clamp(n, 0, kWhoSginSize));
}

// Team and free-for-all endings alike append the survivors in number order.
void AppendSurvivors(MatchState& s) {
    for (int i = 1; i <= ParticipantCount(s); ++i) {
        if (s.Vembas[i].Life != kTrue) continue;
        SetWhoSgin(s, s.CurSgin + 1, static_cast<std::int16_t>(i));
        s.CurSgin = ClampSgin(s.CurSgin + 1);
    }
}

void FinishMatch(MatchState& s, std::int16_t winner) {
    s.Winner = winner;
    s.Win.GameOver = kTrue;
    s.StatusText = texts::kMatchOver;
    s.GameRunning = kFalse;
}

bool DecideFreeForAll(MatchState& s, MatchPort& port) {
    const int alive = CountAlive(s);
    if (alive == 0) {
        s.StatusText = texts::kNobodyLeft;
        s.Win.GameOver = kTrue;
        s.Winner = -1;
        port.ProcessEvents();
        FinishMatch(s, -1);
        return true;
    }
    if (alive == 1) {
        // The survivor follows the fallen in WhoSgin; CurSgin stays where it
        // was, as the results screen and stored replays have always had it.
        std::int16_t survivor = 0;
        for (int i = 1; i <= ParticipantCount(s); ++i) {
            if (IsSet(s.Vembas[i].Life)) {
                survivor = static_cast<std::int16_t>(i);
                break;
            }
        }
        SetWhoSgin(s, s.CurSgin + 1, survivor);
        FinishMatch(s, survivor);
        return true;
    }
    return false;
}

bool DecideTeamMatch(MatchState& s) {
    const int alive = CountAlive(s);
    int sideZero = 0;
    for (int i = 1; i <= ParticipantCount(s); ++i)
        if (s.Vembas[i].Life == kTrue && s.Vembas[i].TeamSide == 0) ++sideZero;

    if (alive >= 1 && sideZero == alive) {
        AppendSurvivors(s);
        FinishMatch(s, s.FirstTeam);
        return true;
    }
    if (alive >= 1 && sideZero == 0) {
        AppendSurvivors(s);
        FinishMatch(s, s.SecondTeam);
        return true;
    }
    if (alive == 0) {
        FinishMatch(s, -1);
        return true;
    }
    return false;
}

}  // namespace

int ParticipantCount(const MatchState& s) {
    return std::clamp<int>(s.Num, 0, kMaxParticipants);
}

int CrowdVolume(const MatchState& s) {
    const double dx = s.MaxX / 10.0 - s.CamX;
    const double dz = 150.0 - s.CamZ;
    const double n = RoundHalfEven((dx * dx + dz * dz) / 100.0);
    // A camera far outside the room would overflow an int; the sound layer
    // clamps to its own quietest volume anyway.
    if (!(n <= static_cast<double>(INT_MAX))) return -INT_MAX;
    return -static_cast<int>(n);
}

void AccountTurn(MatchState& s, MatchPort& port) {
    if (s.TurnSginCount < 1 || IsSet(s.SginFlushed)) return;
    const int n = std::min<int>(s.TurnSginCount, kTurnSginSize);
    for (int k = 1; k <= n; ++k) SetWhoSgin(s, s.CurSgin + k, s.TurnSgin[n - k + 1]);
    if (n >= 2 && IsSet(s.UseRoom)) port.PlaySound(kCrowdSoundSlot, CrowdVolume(s));
    s.CurSgin = ClampSgin(s.CurSgin + n);
    if (IsParticipant(s, s.CurG))
        s.Vembas[s.CurG].SginCount = static_cast<std::int16_t>(s.Vembas[s.CurG].SginCount + n);
    s.TurnSginCount = 0;
}

bool DecideMatchEnd(MatchState& s, MatchPort& port) {
    return IsSet(s.TeamGame) ? DecideTeamMatch(s) : DecideFreeForAll(s, port);
}

bool MatchIsDecided(const MatchState& s) {
    const int alive = CountAlive(s);
    if (!IsSet(s.TeamGame)) return alive <= 1;
    int sideZero = 0;
    for (int i = 1; i <= ParticipantCount(s); ++i)
        if (s.Vembas[i].Life == kTrue && s.Vembas[i].TeamSide == 0) ++sideZero;
    return sideZero == alive || sideZero == 0;
}

void GorApply(MatchState& s) {
    const int c = s.CurG;
    const double p = s.Win.Power;
    if (!(p >= 1 || p <= -1)) return;
    if (!IsParticipant(s, c)) return;
    const VembaRecord& striker = s.Vembas[c];
    const double halfX = s.MaxX / 2.0;
    const double halfY = s.MaxY / 2.0;
    for (int i = 1; i <= ParticipantCount(s); ++i) {
        if (i == c) continue;
        const VembaRecord& v = s.Vembas[i];
        const double d = Hypot(v.Xpos - striker.Xpos, v.Ypos - striker.Ypos);
        if (d == 0) {
            s.GorImpulse[i] = Vec2{0, 0};
            continue;
        }
        const double e = Hypot(v.Xpos - halfX, v.Ypos - halfY);
        const double f = (p * s.GorK) / (d * d) * e;
        s.GorImpulse[i] = Vec2{f * (v.Xpos - striker.Xpos) / 5.0, f * (v.Ypos - striker.Ypos) / 5.0};
    }
    s.GorImpulse[c] = Vec2{0, 0};
}

}  // namespace zel
