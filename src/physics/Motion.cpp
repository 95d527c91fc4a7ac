#include "physics/Motion.h"

#include <algorithm>
#include <cmath>

#include "physics/BodyMotion.h"

namespace zel {

double SegDX(const Segment& s) { return s.X2 - s.X1; }
double SegDY(const Segment& s) { return s.Y2 - s.Y1; }
double SegLength(const Segment& s) { return Hypot(SegDX(s), SegDY(s)); }

void MoveVemba(MatchState& s, VembaRecord& rec, double dt) { MoveBody(s, rec, dt); }

namespace {

// The elimination tables have fixed sizes (8 and 7 entries, 1-based). A real
// match never writes past them: every piece falls at most once. A corrupt
// state (counters already at the end, a record falling twice) must not write
// outside them either, so writes past the end are dropped and the counters
// stop at the table size.
void PutWhoSgin(MatchState& s, int index, std::int16_t who) {
    if (index >= 1 && index <= kMaxParticipants) s.WhoSgin[static_cast<std::size_t>(index)] = who;
}

std::int16_t TurnSginAt(const MatchState& s, int index) {
    if (index >= 1 && index < static_cast<int>(s.TurnSgin.size())) return s.TurnSgin[static_cast<std::size_t>(index)];
    return 0;
}

std::int16_t ClampCount(int v, int most) {
    if (v > most) v = most;
    return static_cast<std::int16_t>(v);
}

constexpr int kTurnSginSlots = kMaxParticipants - 1;

}  // namespace

void EliminatePiece(MatchState& s, int number) {
    if (number < 1 || number > kRecordCount) return;
    VembaRecord& v = s.Vembas[static_cast<std::size_t>(number)];
    v.Life = kFalse;
    v.Xpos = kParkedPosition;
    v.Ypos = kParkedPosition;
    v.Xvec = 0;
    v.Yvec = 0;
    v.u = 0;

    if (number == s.CurG) {
        // The striker's own piece: it goes to the elimination order at once,
        // followed by the pieces that fell earlier in this turn, last first.
        PutWhoSgin(s, s.CurSgin + 1, s.CurG);
        s.CurSgin = ClampCount(s.CurSgin + 1, kMaxParticipants);
        v.SginCount = static_cast<std::int16_t>(v.SginCount + 1);
        if (s.TurnSginCount > 0) {
            for (int k = 1; k <= s.TurnSginCount; ++k)
                PutWhoSgin(s, s.CurSgin + k, TurnSginAt(s, s.TurnSginCount - k + 1));
            s.CurSgin = ClampCount(s.CurSgin + s.TurnSginCount, kMaxParticipants);
            s.TurnSginCount = 0;
            // Only here: with nothing waiting, the flag keeps its value.
            s.SginFlushed = kTrue;
        }
    } else {
        // Another piece: it waits in TurnSgin for the turn-end account.
        const int slot = s.TurnSginCount + 1;
        if (slot >= 1 && slot <= kTurnSginSlots) s.TurnSgin[static_cast<std::size_t>(slot)] = static_cast<std::int16_t>(number);
        s.TurnSginCount = ClampCount(slot, kTurnSginSlots);
        s.SginFlushed = kFalse;
    }
}

void EliminatePiece(MatchState& s, int number, const LeavePoint& where) {
    if (number < 1 || number > kRecordCount) return;
    EliminatePiece(s, number);
    // Falls are numbered in the order they happen; the scene lays a later
    // fall clear of the earlier ones.
    std::int16_t last = 0;
    for (const LeavePoint& p : s.LeftTable) last = std::max(last, p.Order);
    LeavePoint& p = s.LeftTable[static_cast<std::size_t>(number)];
    p = where;
    p.Order = static_cast<std::int16_t>(last + 1);
}

namespace {

// The strike proper, shared by the segment and the vector form. The touch
// point is (x1, y1), the push direction (dX, dY).
void ApplyStrike(VembaRecord& rec, double x1, double y1, double dX, double dY, std::int16_t power) {
    const double len = Hypot(dX, dY);
    // A direction of zero length (or one that is not a number) gives no
    // push at all rather than a velocity that is not a number: such a piece
    // would never come to rest and the turn would never end.
    if (!(len > 0) || !std::isfinite(len)) return;
    rec.Xvec = rec.Xvec + dX / len * 0.1 * power;
    rec.Yvec = rec.Yvec + dY / len * 0.1 * power;

    const double rx = rec.Xpos - x1;
    const double ry = rec.Ypos - y1;
    const double rlen = Hypot(rx, ry);
    // The turn follows the sine of the angle between lever and push; a touch
    // point on the centre has no lever and gives no turn.
    if (!(rlen > 0) || !std::isfinite(rlen)) return;
    rec.u = rec.u - 0.01 * power * (ry * dX - rx * dY) / (len * rlen);
}

bool Strikeable(const VembaRecord& rec) { return !IsImmovable(rec.RMod) && IsSet(rec.Life); }

}  // namespace

void StrikeVemba(VembaRecord& rec, Segment& seg, std::int16_t& power) {
    // Obstacles and walls never move; a piece that has fallen takes part in nothing.
    if (!Strikeable(rec)) return;
    const double dX = SegDX(seg);
    const double dY = SegDY(seg);
    ApplyStrike(rec, seg.X1, seg.Y1, dX, dY, power);
    // The caller (and the replay recorder) read the direction back from here.
    seg.X2 = dX;
    seg.Y2 = dY;
}

void StrikeVembaVector(VembaRecord& rec, double x1, double y1, double dx, double dy, std::int16_t power) {
    if (!Strikeable(rec)) return;
    ApplyStrike(rec, x1, y1, dx, dy, power);
}

}  // namespace zel
