#include "reference/TableSetup.h"

#include <cmath>
#include <string>

#include "reference/ReferencePhysics.h"

namespace zel::ref {

MatchState NewTable(std::int16_t num, std::int16_t maxX, std::int16_t maxY) {
    MatchState s;
    s.MaxX = maxX;
    s.MaxY = maxY;
    s.Pi = 4 * std::atan(1.0);
    ResetMatchDefaults(s);
    s.Num = num;
    ResetLayout(s);
    s.Shapes = InitShapes(s.VembaRadius, s.BodyRadius, s.PipaRadius);
    s.CurSgin = 0;
    s.CurG = 1;
    for (int k = 1; k <= kMaxParticipants; ++k) s.Vembas[k].R = "Игрок " + std::to_string(k);
    return s;
}

void PlaceObstacles(MatchState& s, double inset) {
    s.Pipa = kTrue;
    s.NumPipa = 4;
    s.PipaPos[1] = Vec2{inset, inset};
    s.PipaPos[2] = Vec2{s.MaxX - inset, inset};
    s.PipaPos[3] = Vec2{inset, s.MaxY - inset};
    s.PipaPos[4] = Vec2{s.MaxX - inset, s.MaxY - inset};
    for (int k = 1; k <= 4; ++k) {
        VembaRecord& v = s.Vembas[s.Num + k];
        v.Xpos = s.PipaPos[k].x;
        v.Ypos = s.PipaPos[k].y;
        v.Xvec = v.Yvec = v.u = v.Phi = 0;
        v.RMod = kObstacleModel;
        v.Life = kTrue;
        v.R.clear();
    }
}

void PlaceWalls(MatchState& s, int walls, std::int16_t bordMode) {
    s.Border = ToFlag(walls > 0);
    s.BordSimm = ToFlag(walls > 1);
    s.BordMode = bordMode;
    if (walls <= 0) return;
    const double far = 1000000;
    const int first = FirstWallRecord(s);
    for (int w = 0; w < walls && w < 2; ++w) {
        VembaRecord& v = s.Vembas[first + w];
        v.R = w == 0 ? "Stenka1" : "Stenka2";
        v.RMod = kWallModel;
        v.Life = kTrue;
        v.Xvec = v.Yvec = v.u = v.Phi = 0;
        if (bordMode == 1) {
            v.Xpos = s.MaxX / 2.0;
            v.Ypos = w == 0 ? -far : s.MaxY + far;
        } else {
            v.Xpos = w == 0 ? -far : s.MaxX + far;
            v.Ypos = s.MaxY / 2.0;
        }
    }
}

Segment StrikeSegment(const VembaRecord& piece, double touchRadius, double touchAngle, double aim, std::int16_t power) {
    Segment g;
    g.X1 = piece.Xpos + touchRadius * std::cos(touchAngle);
    g.Y1 = piece.Ypos + touchRadius * std::sin(touchAngle);
    g.X2 = g.X1 + power * std::sin(aim);
    g.Y2 = g.Y1 - power * std::cos(aim);
    return g;
}

double AimTowards(const VembaRecord& from, double x, double y) {
    // (sin a, -cos a) = direction  =>  a = atan2(dx, -dy)
    return std::atan2(x - from.Xpos, -(y - from.Ypos));
}

}  // namespace zel::ref
