#include "core/MatchState.h"

#include <cmath>

namespace zel {

double Hypot(double a, double b) { return std::sqrt(a * a + b * b); }

void ResetMatchDefaults(MatchState& s) {
    s.CurSgin = 1;
    s.CurNG = 1;
    s.VembaRadius = 20;
    s.PipaRadius = 11;
    s.BodyRadius = 14;
    s.GorK = 1.0;
    s.TurnSginCount = 0;
    s.SginFlushed = kTrue;
    s.Num = 2;
    s.Ftr = 0.02;
    s.Players.fill(PlayerKind::Human);
    s.PlayedElsewhere.fill(false);
    ResetLayout(s);
}

void ResetLayout(MatchState& s) {
    // Table sizes go to floating point before any division.
    const double m = s.MaxX;
    const double h = s.MaxY;
    const double pi = s.Pi;
    const double seven = s.Num >= 7 ? 1.0 : 0.0;
    const double eight = s.Num == 8 ? 1.0 : 0.0;
    struct Start {
        double x, y, phi;
    };
    const Start starts[9] = {
        {0, 0, 0},
        {30, 30, 3.0 / 4.0 * pi},
        {m - 30, h - 30, -pi / 4},
        {30, h - 30, pi / 4},
        {m - 30, 30, -3.0 / 4.0 * pi},
        // Piece 5 uses the literal 3.14159, as the layout always did.
        {30, h / 2 - h / 6 * seven, 3.14159 / 2},
        {m - 30, h / 2 + h / 6 * eight, -pi / 2},
        {30, h / 2 + h / 6 * seven, pi / 2},
        {m - 30, h / 2 - h / 6 * eight, -pi / 2},
    };
    for (int i = 1; i <= kMaxParticipants; ++i) {
        VembaRecord& v = s.Vembas[i];
        v.Xvec = v.Yvec = v.u = 0;
        v.Life = kTrue;
        v.ResetField = 0;
        v.RM = 1;
        v.Number = static_cast<std::int16_t>(i);
        v.Xpos = starts[i].x;
        v.Ypos = starts[i].y;
        v.Phi = starts[i].phi;
    }
    for (int i = kMaxParticipants + 1; i <= kRecordCount; ++i) {
        VembaRecord& v = s.Vembas[i];
        v.Number = static_cast<std::int16_t>(i);
        v.Xpos = v.Ypos = v.Xvec = v.Yvec = v.u = v.Phi = 0;
        v.Life = kTrue;
        v.ResetField = 0;
        v.RM = 1;
    }
    // Nobody has left the table of a new, continued or replayed match yet
    // (pieces a saved game carries as fallen come without a leave point).
    s.LeftTable.fill(LeavePoint{});
}

std::int16_t CountAlive(const MatchState& s) {
    std::int16_t n = 0;
    for (int i = 1; i <= s.Num && i <= kMaxParticipants; ++i)
        if (s.Vembas[i].Life == kTrue) ++n;
    return n;
}

int BodyCount(const MatchState& s) {
    int walls = 0;
    if (IsSet(s.Border)) walls = IsSet(s.BordSimm) ? 2 : 1;
    return s.Num + s.NumPipa + walls;
}

}  // namespace zel
