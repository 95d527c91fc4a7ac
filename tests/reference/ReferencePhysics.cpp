#include "reference/ReferencePhysics.h"

#include <cmath>

#include "physics/StepLimits.h"

namespace zel::ref {

// ---------------------------------------------------------------- shapes

Circle MakeCircle(double x, double y, double rad) {
    Circle c;
    c.X = x;
    c.Y = y;
    c.Rad = rad;
    return c;
}

ShapeTable InitShapes(std::int16_t vembaRadius, std::int16_t bodyRadius, std::int16_t pipaRadius) {
    const double R20 = vembaRadius;
    const double R14 = bodyRadius;
    ShapeTable Shapes{};

    Shapes[0].Count = 2;
    Shapes[0].Circles[1] = MakeCircle(0, 0, R20);
    Shapes[0].Circles[2] = MakeCircle(0, -R14, R14);

    Shapes[1].Count = 19;
    Shapes[1].Circles[1] = MakeCircle(0, -R14 * 1.0, R14);
    Shapes[1].Circles[2] = MakeCircle(0, -R14 * 0.9, R14);
    Shapes[1].Circles[3] = MakeCircle(0, -R14 * 0.8, R14);
    Shapes[1].Circles[4] = MakeCircle(0, -R14 * 0.7, R14);
    Shapes[1].Circles[5] = MakeCircle(0, -R14 * 0.6, R14);
    Shapes[1].Circles[6] = MakeCircle(0, -R14 * 0.5, R14);
    Shapes[1].Circles[7] = MakeCircle(0, -R14 * 0.4, R14);
    Shapes[1].Circles[8] = MakeCircle(0, -R14 * 0.3, R14);
    Shapes[1].Circles[9] = MakeCircle(0, -R14 * 0.2, R14);
    Shapes[1].Circles[10] = MakeCircle(0, -R14 * 0.1, R14);
    Shapes[1].Circles[11] = MakeCircle(0, 0, R14);
    Shapes[1].Circles[12] = MakeCircle(-(1 * R14 / 5.0), 1 * R14 / 5.0, 4 * R14 / 5.0);
    Shapes[1].Circles[13] = MakeCircle(-(2 * R14 / 5.0), 2 * R14 / 5.0, 3 * R14 / 5.0);
    Shapes[1].Circles[14] = MakeCircle(-(3 * R14 / 5.0), 3 * R14 / 5.0, 2 * R14 / 5.0);
    Shapes[1].Circles[15] = MakeCircle(-(4 * R14 / 5.0), 4 * R14 / 5.0, 1 * R14 / 5.0);
    Shapes[1].Circles[16] = MakeCircle(1 * R14 / 5.0, 1 * R14 / 5.0, 4 * R14 / 5.0);
    Shapes[1].Circles[17] = MakeCircle(2 * R14 / 5.0, 2 * R14 / 5.0, 3 * R14 / 5.0);
    Shapes[1].Circles[18] = MakeCircle(3 * R14 / 5.0, 3 * R14 / 5.0, 2 * R14 / 5.0);
    Shapes[1].Circles[19] = MakeCircle(4 * R14 / 5.0, 4 * R14 / 5.0, 1 * R14 / 5.0);

    Shapes[2].Count = 17;
    Shapes[2].Circles[1] = MakeCircle(0, 0, R20);
    Shapes[2].Circles[2] = MakeCircle(-(1 * R20 / 5.0), 1 * R20 / 5.0, 4 * R20 / 5.0);
    Shapes[2].Circles[3] = MakeCircle(-(2 * R20 / 5.0), 2 * R20 / 5.0, 3 * R20 / 5.0);
    Shapes[2].Circles[4] = MakeCircle(-(3 * R20 / 5.0), 3 * R20 / 5.0, 2 * R20 / 5.0);
    Shapes[2].Circles[5] = MakeCircle(-(4 * R20 / 5.0), 4 * R20 / 5.0, 1 * R20 / 5.0);
    Shapes[2].Circles[6] = MakeCircle(1 * R20 / 5.0, 1 * R20 / 5.0, 4 * R20 / 5.0);
    Shapes[2].Circles[7] = MakeCircle(2 * R20 / 5.0, 2 * R20 / 5.0, 3 * R20 / 5.0);
    Shapes[2].Circles[8] = MakeCircle(3 * R20 / 5.0, 3 * R20 / 5.0, 2 * R20 / 5.0);
    Shapes[2].Circles[9] = MakeCircle(4 * R20 / 5.0, 4 * R20 / 5.0, 1 * R20 / 5.0);
    Shapes[2].Circles[10] = MakeCircle(-(1 * R20 / 5.0), -(1 * R20 / 5.0), 4 * R20 / 5.0);
    Shapes[2].Circles[11] = MakeCircle(-(2 * R20 / 5.0), -(2 * R20 / 5.0), 3 * R20 / 5.0);
    Shapes[2].Circles[12] = MakeCircle(-(3 * R20 / 5.0), -(3 * R20 / 5.0), 2 * R20 / 5.0);
    Shapes[2].Circles[13] = MakeCircle(-(4 * R20 / 5.0), -(4 * R20 / 5.0), 1 * R20 / 5.0);
    Shapes[2].Circles[14] = MakeCircle(1 * R20 / 5.0, -(1 * R20 / 5.0), 4 * R20 / 5.0);
    Shapes[2].Circles[15] = MakeCircle(2 * R20 / 5.0, -(2 * R20 / 5.0), 3 * R20 / 5.0);
    Shapes[2].Circles[16] = MakeCircle(3 * R20 / 5.0, -(3 * R20 / 5.0), 2 * R20 / 5.0);
    Shapes[2].Circles[17] = MakeCircle(4 * R20 / 5.0, -(4 * R20 / 5.0), 1 * R20 / 5.0);

    Shapes[3].Count = 1;
    Shapes[3].Circles[1] = MakeCircle(0, 0, R20);

    Shapes[4].Count = 0;

    Shapes[5].Count = 1;
    Shapes[5].Circles[1] = MakeCircle(0, 0, pipaRadius);

    Shapes[6].Count = 1;
    Shapes[6].Circles[1] = MakeCircle(0, 0, 1000000);
    return Shapes;
}

// ---------------------------------------------------------------- motion

double SegDX(const Segment& s) { return s.X2 - s.X1; }
double SegDY(const Segment& s) { return s.Y2 - s.Y1; }
double SegLength(const Segment& s) { return Hypot(SegDX(s), SegDY(s)); }

namespace {

double Sgn(double v) {
    if (v > 0) return 1;
    if (v < 0) return -1;
    return 0;
}

}  // namespace

void MoveVemba(MatchState& s, VembaRecord& rec, double dt) {
    if (rec.RMod == 5 || rec.RMod == 6) return;

    const double sp = Hypot(rec.Xvec, rec.Yvec);
    const double L = 2 * s.Ftr * dt;
    if (sp <= L) {
        rec.Xvec = 0;
        rec.Yvec = 0;
    } else {
        rec.Xvec = rec.Xvec - 2 * (s.Ftr * rec.Xvec * dt / sp);
        rec.Yvec = rec.Yvec - 2 * (s.Ftr * rec.Yvec * dt / sp);
    }

    const double A = s.Ftr * dt * 3;
    if (std::fabs(rec.u) <= A) {
        rec.u = 0;
    } else {
        rec.u = rec.u - Sgn(rec.u) * s.Ftr * dt * 3;
    }

    rec.Xpos = rec.Xpos + dt * rec.Xvec;
    rec.Ypos = rec.Ypos + dt * rec.Yvec;
    rec.Phi = rec.Phi - dt * rec.u;

    if (rec.Phi > 10 * s.Pi) rec.Phi = rec.Phi - 10 * s.Pi;
    if (rec.Phi < -10 * s.Pi) rec.Phi = rec.Phi + 10 * s.Pi;

    if (rec.Number <= s.Num && rec.Life != 0) {
        // A position that is not a number is off the table as well.
        const bool inside = rec.Xpos <= s.MaxX && rec.Ypos <= s.MaxY && rec.Xpos >= 0 && rec.Ypos >= 0;
        if (rec.Xpos > s.MaxX || rec.Ypos > s.MaxY || rec.Xpos < 0 || rec.Ypos < 0 || !inside)
            EliminatePiece(s, rec.Number);
    }
}

void EliminatePiece(MatchState& s, int number) {
    if (number < 1 || number > 16) return;
    VembaRecord& v = s.Vembas[number];
    v.Life = 0;
    v.Xpos = -100;
    v.Ypos = -100;
    v.Xvec = 0;
    v.Yvec = 0;
    v.u = 0;

    if (number == s.CurG) {
        if (s.CurSgin + 1 >= 1 && s.CurSgin + 1 <= 8) s.WhoSgin[s.CurSgin + 1] = s.CurG;
        s.CurSgin = static_cast<std::int16_t>(s.CurSgin + 1 > 8 ? 8 : s.CurSgin + 1);
        v.SginCount = static_cast<std::int16_t>(v.SginCount + 1);
        if (s.TurnSginCount > 0) {
            for (int k = 1; k <= s.TurnSginCount; ++k) {
                const int from = s.TurnSginCount - k + 1;
                const std::int16_t who = (from >= 1 && from <= 7) ? s.TurnSgin[from] : 0;
                if (s.CurSgin + k >= 1 && s.CurSgin + k <= 8) s.WhoSgin[s.CurSgin + k] = who;
            }
            s.CurSgin = static_cast<std::int16_t>(s.CurSgin + s.TurnSginCount > 8 ? 8 : s.CurSgin + s.TurnSginCount);
            s.TurnSginCount = 0;
            s.SginFlushed = -1;
        }
    } else {
        if (s.TurnSginCount + 1 >= 1 && s.TurnSginCount + 1 <= 7) s.TurnSgin[s.TurnSginCount + 1] = static_cast<std::int16_t>(number);
        s.TurnSginCount = static_cast<std::int16_t>(s.TurnSginCount + 1 > 7 ? 7 : s.TurnSginCount + 1);
        s.SginFlushed = 0;
    }
}

void StrikeVemba(VembaRecord& rec, Segment& seg, std::int16_t& power) {
    if (rec.RMod == 5 || rec.RMod == 6) return;
    if (rec.Life == 0) return;
    const double dX = SegDX(seg);
    const double dY = SegDY(seg);
    const double L = SegLength(seg);
    const double rx = rec.Xpos - seg.X1;
    const double ry = rec.Ypos - seg.Y1;
    seg.X2 = dX;
    seg.Y2 = dY;
    if (!(L > 0) || !std::isfinite(L)) return;
    rec.Xvec = rec.Xvec + (dX / L) * 0.1 * power;
    rec.Yvec = rec.Yvec + (dY / L) * 0.1 * power;
    const double dlen = Hypot(dX, dY);
    const double rlen = Hypot(rx, ry);
    if (!(rlen > 0) || !std::isfinite(rlen)) return;
    rec.u = rec.u - 0.01 * power * (ry * dX - rx * dY) / (dlen * rlen);
}

void StrikeVembaVector(VembaRecord& rec, double x1, double y1, double dx, double dy, std::int16_t power) {
    // The replay form: the touch point and the direction as the segment
    // holds them after a strike.
    if (rec.RMod == 5 || rec.RMod == 6) return;
    if (rec.Life == 0) return;
    const double L = Hypot(dx, dy);
    if (!(L > 0) || !std::isfinite(L)) return;
    rec.Xvec = rec.Xvec + (dx / L) * 0.1 * power;
    rec.Yvec = rec.Yvec + (dy / L) * 0.1 * power;
    const double rx = rec.Xpos - x1;
    const double ry = rec.Ypos - y1;
    const double rlen = Hypot(rx, ry);
    if (!(rlen > 0) || !std::isfinite(rlen)) return;
    rec.u = rec.u - 0.01 * power * (ry * dx - rx * dy) / (L * rlen);
}

// ------------------------------------------------------------ collisions

std::int16_t ShapeCircleCount(const MatchState& s, const VembaRecord& rec) {
    if (rec.RMod < 0 || rec.RMod > 6) return 0;
    const std::int16_t n = s.Shapes[rec.RMod].Count;
    if (n < 0) return 0;
    if (n > 19) return 19;
    return n;
}

Circle GetWorldCircle(const MatchState& s, const VembaRecord& rec, int k) {
    if (k < 1 || k > ShapeCircleCount(s, rec)) return MakeCircle(rec.Xpos, rec.Ypos, 0);
    const Circle& c = s.Shapes[rec.RMod].Circles[k];
    const double phi = rec.Phi;
    Circle w;
    w.X = c.X * std::cos(phi) - c.Y * std::sin(phi) + rec.Xpos;
    w.Y = c.Y * std::cos(phi) + c.X * std::sin(phi) + rec.Ypos;
    w.Rad = c.Rad;
    return w;
}

bool CirclesIntersect(const Circle& a, const Circle& b) {
    return std::sqrt((a.X - b.X) * (a.X - b.X) + (a.Y - b.Y) * (a.Y - b.Y)) < a.Rad + b.Rad;
}

TouchPair VembasTouch(const MatchState& s, const VembaRecord& a, const VembaRecord& b) {
    TouchPair t;
    if (a.Life == 0 || b.Life == 0) return t;
    for (int p = 1; p <= ShapeCircleCount(s, a); ++p) {
        for (int q = 1; q <= ShapeCircleCount(s, b); ++q) {
            if (CirclesIntersect(GetWorldCircle(s, a, p), GetWorldCircle(s, b, q))) {
                t.FirstCircle = p;
                t.SecondCircle = q;
                return t;
            }
        }
    }
    return t;
}

TouchPair TestPair(MatchState& s, int i, int j, double dt) {
    if (i < 1 || i > 16 || j < 1 || j > 16) return TouchPair{};
    // Two bodies that never move never form a contact.
    const bool fixedI = s.Vembas[i].RMod == 5 || s.Vembas[i].RMod == 6;
    const bool fixedJ = s.Vembas[j].RMod == 5 || s.Vembas[j].RMod == 6;
    if (fixedI && fixedJ) return TouchPair{};
    VembaRecord A = s.Vembas[i];
    VembaRecord B = s.Vembas[j];
    MoveVemba(s, A, dt);
    MoveVemba(s, B, dt);
    return VembasTouch(s, A, B);
}

namespace {

void Normal(const Circle& C1, const Circle& C2, double& nx, double& ny) {
    const double len = std::sqrt((C2.X - C1.X) * (C2.X - C1.X) + (C2.Y - C1.Y) * (C2.Y - C1.Y));
    if (len > 0) {
        nx = (C2.X - C1.X) / len;
        ny = (C2.Y - C1.Y) / len;
    } else {
        nx = 1;
        ny = 0;
    }
}

bool Separating(const MatchState& s, int i, int j, double nx, double ny) {
    const VembaRecord& a = s.Vembas[i];
    const VembaRecord& b = s.Vembas[j];
    return (b.Xvec - a.Xvec) * nx + (b.Yvec - a.Yvec) * ny > 0;
}

// The touching circles of the pair overlap already at the current positions
// and the pair moves apart along the line of their centres.
bool DriftingApart(const MatchState& s, int i, int j, int p, int q) {
    if (s.Vembas[i].Life == 0 || s.Vembas[j].Life == 0) return false;
    const Circle C1 = GetWorldCircle(s, s.Vembas[i], p);
    const Circle C2 = GetWorldCircle(s, s.Vembas[j], q);
    if (!CirclesIntersect(C1, C2)) return false;
    double nx, ny;
    Normal(C1, C2, nx, ny);
    return Separating(s, i, j, nx, ny);
}

}  // namespace

ContactRec FindContact(MatchState& s, double dt) {
    int N = BodyCount(s);
    if (N > 16) N = 16;
    for (int i = 1; i <= N - 1; ++i) {
        for (int j = i + 1; j <= N; ++j) {
            const TouchPair t = TestPair(s, i, j, dt);
            if (t.FirstCircle != -1) {
                if (DriftingApart(s, i, j, static_cast<int>(t.FirstCircle), static_cast<int>(t.SecondCircle))) continue;
                ContactRec c;
                c.First = i;
                c.Second = j;
                c.FirstCircle = t.FirstCircle;
                c.SecondCircle = t.SecondCircle;
                return c;
            }
        }
    }
    return ContactRec{};
}

void PushVemba(VembaRecord& rec, Segment& seg) {
    if (rec.RMod == 5 || rec.RMod == 6) return;
    if (rec.Life == 0) return;
    const double dX = SegDX(seg);
    const double dY = SegDY(seg);
    const double L = SegLength(seg);
    const double m = rec.RM >= 1 ? rec.RM : 1;
    const double rx = rec.Xpos - seg.X1;
    const double ry = rec.Ypos - seg.Y1;
    seg.X2 = dX;
    seg.Y2 = dY;
    if (!(L > 0) || !std::isfinite(L)) return;
    rec.Xvec = rec.Xvec + ((dX / L) * 0.1) / m;
    rec.Yvec = rec.Yvec + ((dY / L) * 0.1) / m;
    const double dlen = Hypot(dX, dY);
    const double rlen = Hypot(rx, ry);
    if (!(rlen > 0) || !std::isfinite(rlen)) return;
    rec.u = rec.u - (((ry * dX - rx * dY) / dlen) / rlen) * 0.01 / m;
}

namespace {

void Volley(MatchState& s, int i, int j, const Circle& C1, const Circle& C2, double nx, double ny) {
    Segment segJ;
    segJ.X1 = C2.X - nx * C2.Rad;
    segJ.Y1 = C2.Y - ny * C2.Rad;
    segJ.X2 = C2.X;
    segJ.Y2 = C2.Y;
    PushVemba(s.Vembas[j], segJ);
    Segment segI;
    segI.X1 = C1.X + nx * C1.Rad;
    segI.Y1 = C1.Y + ny * C1.Rad;
    segI.X2 = C1.X;
    segI.Y2 = C1.Y;
    PushVemba(s.Vembas[i], segI);
}

}  // namespace

std::int32_t ResolveContact(MatchState& s, double dt, const ContactRec& c, std::int32_t maxVolleys) {
    if (!(c.First >= 1 && c.First <= 16 && c.Second >= 1 && c.Second <= 16)) return 0;
    const int i = static_cast<int>(c.First);
    const int j = static_cast<int>(c.Second);
    if (!(c.FirstCircle >= 1 && c.FirstCircle <= ShapeCircleCount(s, s.Vembas[i]))) return 0;
    if (!(c.SecondCircle >= 1 && c.SecondCircle <= ShapeCircleCount(s, s.Vembas[j]))) return 0;
    const int p = static_cast<int>(c.FirstCircle);
    const int q = static_cast<int>(c.SecondCircle);
    if (s.Vembas[i].Life == 0 || s.Vembas[j].Life == 0) return 0;

    const Circle C1 = GetWorldCircle(s, s.Vembas[i], p);
    const Circle C2 = GetWorldCircle(s, s.Vembas[j], q);
    double nx, ny;
    Normal(C1, C2, nx, ny);
    const bool overlappedNow = CirclesIntersect(C1, C2);

    std::int32_t count = 0;
    if (overlappedNow) {
        // Sunk into each other at the start of the step: push until the
        // bodies move apart along n, no trial moves.
        do {
            Volley(s, i, j, C1, C2, nx, ny);
            count = count + 1;
        } while (!Separating(s, i, j, nx, ny) && count < maxVolleys);
    } else {
        VembaRecord A;
        VembaRecord B;
        do {
            Volley(s, i, j, C1, C2, nx, ny);
            A = s.Vembas[i];
            B = s.Vembas[j];
            MoveVemba(s, A, dt);
            MoveVemba(s, B, dt);
            count = count + 1;
            if (count >= maxVolleys) break;
        } while (CirclesIntersect(GetWorldCircle(s, A, p), GetWorldCircle(s, B, q)));
    }

    for (std::int32_t k = 1; k <= count + 1; ++k) Volley(s, i, j, C1, C2, nx, ny);
    return count;
}

void ResolveContact(MatchState& s, double dt, const ContactRec& c) {
    ResolveContact(s, dt, c, kMaxSeparationVolleys);
}

namespace {

void Step(MatchState& s, double dt, TickBudget& budget) {
    if (budget.Exhausted()) {
        for (int k = 1; k <= s.Num && k <= 16; ++k) MoveVemba(s, s.Vembas[k], dt);
        return;
    }
    budget.searches = budget.searches + 1;
    const ContactRec contact = FindContact(s, dt);
    if (contact.First == -1) {
        for (int k = 1; k <= s.Num && k <= 16; ++k) MoveVemba(s, s.Vembas[k], dt);
        return;
    }
    if (dt <= 1e-7) {
        budget.volleys = budget.volleys + ResolveContact(s, dt, contact, budget.VolleyAllowance());
        budget.resolutions = budget.resolutions + 1;
        Step(s, dt, budget);
        return;
    }
    Step(s, dt / 2, budget);
    Step(s, dt / 2, budget);
}

}  // namespace

void PhysStep(MatchState& s, double dt) {
    if (!std::isfinite(dt)) return;
    // The tick's work limits follow the heaviest participant on the table.
    std::int32_t heaviest = 1;
    for (int k = 1; k <= s.Num && k <= 16; ++k)
        if (s.Vembas[k].Life != 0 && s.Vembas[k].RM > heaviest) heaviest = s.Vembas[k].RM;
    TickBudget budget = TickBudget::ForHeaviestMass(heaviest);
    Step(s, dt, budget);
}

}  // namespace zel::ref
