#include "core/MatchSetup.h"

#include <string>

namespace zel {

namespace {

constexpr int kMinTableSize = 201;
constexpr int kMaxTableSize = 1000;
constexpr int kMinMass = 1;
constexpr int kMaxMass = 1000;
constexpr std::int16_t kMaxPlayableModel = 3;
constexpr double kObstacleInset = 80;
constexpr double kWallOffset = 1000000;

bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

SetupResult Check(const MatchSetup& setup) {
    if (!InRange(setup.MaxX, kMinTableSize, kMaxTableSize) ||
        !InRange(setup.MaxY, kMinTableSize, kMaxTableSize))
        return SetupResult::BadTableSize;
    // Friction must slow pieces down, or a strike would never come to rest.
    if (!(setup.Ftr > 0 && setup.Ftr <= 1)) return SetupResult::BadFriction;
    const int num = static_cast<int>(setup.Participants.size());
    if (!InRange(num, 2, kMaxParticipants)) return SetupResult::BadParticipantCount;
    for (const ParticipantSetup& p : setup.Participants) {
        if (!InRange(p.Model, 0, kMaxPlayableModel)) return SetupResult::BadModel;
        if (!InRange(p.Mass, kMinMass, kMaxMass)) return SetupResult::BadMass;
    }
    if (!setup.TurnOrder.empty()) {
        if (static_cast<int>(setup.TurnOrder.size()) != num) return SetupResult::BadTurnOrder;
        // Every participant exactly once, or someone would never play.
        std::vector<bool> seen(num + 1, false);
        for (std::int16_t p : setup.TurnOrder) {
            if (!InRange(p, 1, num) || seen[p]) return SetupResult::BadTurnOrder;
            seen[p] = true;
        }
    }
    return SetupResult::Ok;
}

}  // namespace

SetupResult StartMatchState(MatchState& s, const MatchSetup& setup) {
    ResetMatchDefaults(s);
    const SetupResult check = Check(setup);
    if (check != SetupResult::Ok) return check;

    s.MaxX = setup.MaxX;
    s.MaxY = setup.MaxY;
    s.Border = ToFlag(IsSet(setup.Border));
    s.BordMode = setup.BordMode;
    s.BordSimm = ToFlag(IsSet(setup.BordSimm));
    s.Pipa = ToFlag(IsSet(setup.Pipa));
    s.PipaMode = setup.PipaMode;
    s.PipaSimm = ToFlag(IsSet(setup.PipaSimm));
    s.Sound = ToFlag(IsSet(setup.Sound));
    s.TeamGame = ToFlag(IsSet(setup.TeamGame));
    s.FirstTeam = setup.FirstTeam;
    s.SecondTeam = setup.SecondTeam;

    s.Num = static_cast<std::int16_t>(setup.Participants.size());
    ResetLayout(s);
    PlaceObstacles(s);
    s.Ftr = setup.Ftr;

    for (int i = 1; i <= s.Num; ++i) {
        const ParticipantSetup& p = setup.Participants[i - 1];
        VembaRecord& v = s.Vembas[i];
        v.RGray = ToFlag(IsSet(p.Gray));
        v.R = p.Name.empty() ? std::to_string(i) : p.Name;
        v.RMod = p.Model;
        // ResetLayout has just set every mass to 1; the chosen ones go on top.
        v.RM = p.Mass;
        v.TeamSide = IsSet(s.TeamGame) && p.TeamSide != 0 ? 1 : 0;
        v.SginCount = 0;
        s.Players[i] = p.Player;
    }
    for (int k = 1; k <= kMaxParticipants; ++k) {
        if (k <= s.Num)
            s.KtoHodit[k] = setup.TurnOrder.empty() ? static_cast<std::int16_t>(k)
                                                    : setup.TurnOrder[k - 1];
        else
            s.KtoHodit[k] = static_cast<std::int16_t>(k);
    }
    return SetupResult::Ok;
}

void FillPipaPos(MatchState& s, double inset) {
    const double m = s.MaxX;
    const double h = s.MaxY;
    s.PipaPos[1] = Vec2{inset, inset};
    s.PipaPos[2] = Vec2{m - inset, inset};
    s.PipaPos[3] = Vec2{inset, h - inset};
    s.PipaPos[4] = Vec2{m - inset, h - inset};
}

void PlaceObstacles(MatchState& s) {
    s.NumPipa = 0;
    if (!IsSet(s.Pipa)) return;
    s.NumPipa = 4;
    FillPipaPos(s, kObstacleInset);
    for (int k = 1; k <= 4; ++k) {
        const int index = s.Num + k;
        if (index < 1 || index > kRecordCount) continue;
        VembaRecord& v = s.Vembas[index];
        v.Xpos = s.PipaPos[k].x;
        v.Ypos = s.PipaPos[k].y;
        v.Xvec = v.Yvec = v.u = 0;
        v.Phi = 0;
        v.RMod = kObstacleModel;
        v.Life = kTrue;
    }
}

void PlaceWalls(MatchState& s) {
    if (!IsSet(s.Border)) return;
    const double halfX = s.MaxX / 2.0;
    const double halfY = s.MaxY / 2.0;
    const bool alongY = s.BordMode == 1;  // walls cover the edges y = 0 and y = MaxY

    auto write = [&](int index, const char* name, double x, double y) {
        if (index < 1 || index > kRecordCount) return;
        VembaRecord& v = s.Vembas[index];
        v.R = name;
        v.RMod = kWallModel;
        v.Life = kTrue;
        v.Xpos = x;
        v.Ypos = y;
        v.Xvec = v.Yvec = v.u = 0;
    };

    const int first = FirstWallRecord(s);
    if (alongY)
        write(first, "Stenka1", halfX, -kWallOffset);
    else
        write(first, "Stenka1", -kWallOffset, halfY);
    if (!IsSet(s.BordSimm)) return;
    if (alongY)
        write(first + 1, "Stenka2", halfX, s.MaxY + kWallOffset);
    else
        write(first + 1, "Stenka2", s.MaxX + kWallOffset, halfY);
}

void SetCameraStart(MatchState& s) {
    s.CamX = -40;
    s.CamY = 20;
    s.CamZ = -10;
    const double tableScaleX = s.MaxX / 1000.0;
    const double tableScaleZ = s.MaxY / 500.0;
    s.TargX = tableScaleX * 50;
    s.TargZ = -tableScaleZ * 25;
}

void PrepareSceneState(MatchState& s) {
    SetCameraStart(s);
    PlaceWalls(s);
}

}  // namespace zel
