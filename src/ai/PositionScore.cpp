#include "ai/PositionScore.h"

#include <algorithm>

#include "core/Rules.h"

namespace zel::ai {

namespace {

// Nearer an open edge than this, a piece is in danger.
constexpr double kSafeDistance = 110;
constexpr double kFar = 1e9;
// How far a piece flies after a straight full-power hit, roughly; more open
// table than this behind it is safe.
constexpr double kFlight = 260;
// An opponent this far away hits half as surely.
constexpr double kAimReach = 600;

bool OnTable(const MatchState& s, int i) { return IsSet(s.Vembas[static_cast<std::size_t>(i)].Life); }

}  // namespace

bool AreOpponents(const MatchState& s, int a, int b) {
    if (a == b) return false;
    if (!IsSet(s.TeamGame)) return true;
    return s.Vembas[static_cast<std::size_t>(a)].TeamSide != s.Vembas[static_cast<std::size_t>(b)].TeamSide;
}

double OpenEdgeDistance(const MatchState& s, double x, double y) {
    // Walls cover y = 0 and y = MaxY with BordMode 1, else x = 0 and x = MaxX;
    // the second only when symmetric.
    const bool walls = IsSet(s.Border);
    const bool alongY = s.BordMode == 1;
    const bool twin = IsSet(s.BordSimm);
    const bool coverLeft = walls && !alongY;
    const bool coverRight = walls && !alongY && twin;
    const bool coverBottom = walls && alongY;
    const bool coverTop = walls && alongY && twin;
    double d = kFar;
    if (!coverLeft) d = std::min(d, x);
    if (!coverRight) d = std::min(d, s.MaxX - x);
    if (!coverBottom) d = std::min(d, y);
    if (!coverTop) d = std::min(d, s.MaxY - y);
    return d;
}

double Exposure(const MatchState& s, int piece) {
    const VembaRecord& v = s.Vembas[static_cast<std::size_t>(piece)];
    const double d = OpenEdgeDistance(s, v.Xpos, v.Ypos);
    if (d >= kSafeDistance) return 0;
    const double t = 1 - std::max(d, 0.0) / kSafeDistance;
    return t * t;
}

namespace {

// Distance from (x, y) along the unit direction (ux, uy) to an open edge of
// the table; kFar when the line meets a wall or no edge first.
double OpenRun(const MatchState& s, double x, double y, double ux, double uy) {
    const bool walls = IsSet(s.Border);
    const bool alongY = s.BordMode == 1;
    const bool twin = IsSet(s.BordSimm);
    double best = kFar;
    bool open = false;
    auto edge = [&](double t, bool covered) {
        if (t > 0 && t < best) {
            best = t;
            open = !covered;
        }
    };
    if (ux < 0) edge(-x / ux, walls && !alongY);
    if (ux > 0) edge((s.MaxX - x) / ux, walls && !alongY && twin);
    if (uy < 0) edge(-y / uy, walls && alongY);
    if (uy > 0) edge((s.MaxY - y) / uy, walls && alongY && twin);
    return open ? best : kFar;
}

}  // namespace

double ShotDanger(const MatchState& s, int piece) {
    const VembaRecord& me = s.Vembas[static_cast<std::size_t>(piece)];
    double danger = 0;
    for (int o = 1; o <= ParticipantCount(s); ++o) {
        if (!OnTable(s, o) || !AreOpponents(s, piece, o)) continue;
        const VembaRecord& v = s.Vembas[static_cast<std::size_t>(o)];
        const double dx = me.Xpos - v.Xpos, dy = me.Ypos - v.Ypos;
        const double d = Hypot(dx, dy);
        if (!(d > 0)) continue;
        const double run = OpenRun(s, me.Xpos, me.Ypos, dx / d, dy / d);
        if (run >= kFlight) continue;
        const double sure = 1 - 0.5 * std::min(d / kAimReach, 1.0);
        danger = std::max(danger, (1 - run / kFlight) * sure);
    }
    return danger;
}

bool SideDecided(const MatchState& after, int me) {
    const int n = ParticipantCount(after);
    bool opponentLeft = false;
    bool ownLeft = false;
    for (int i = 1; i <= n; ++i) {
        if (!OnTable(after, i)) continue;
        if (AreOpponents(after, me, i))
            opponentLeft = true;
        else
            ownLeft = true;
    }
    return !opponentLeft || !ownLeft;
}

double ScorePosition(const MatchState& before, const MatchState& after, int me) {
    const ScoreWeights& w = kScoreWeights;
    const int n = ParticipantCount(after);
    const bool team = IsSet(after.TeamGame);
    double score = 0;
    bool opponentLeft = false;
    bool ownLeft = false;
    for (int i = 1; i <= n; ++i) {
        const bool was = OnTable(before, i);
        const bool is = OnTable(after, i);
        const bool opponent = AreOpponents(after, me, i);
        if (is) (opponent ? opponentLeft : ownLeft) = true;
        if (!was) continue;
        if (i == me) {
            if (!is)
                score -= team ? w.OwnFallTeam : w.OwnFallAlone;
            else
                score -= w.OwnExposure * Exposure(after, i) + w.OwnDanger * ShotDanger(after, i);
        } else if (opponent) {
            if (!is)
                score += w.KnockOff;
            else
                score += w.OpponentExposure * Exposure(after, i);
        } else {
            if (!is)
                score -= w.PartnerFall;
            else
                score -= w.PartnerExposure * Exposure(after, i) + w.PartnerDanger * ShotDanger(after, i);
        }
    }
    if (!opponentLeft && ownLeft) score += w.Win;
    return score;
}

}  // namespace zel::ai
