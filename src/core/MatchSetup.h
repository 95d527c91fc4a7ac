#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/MatchState.h"

namespace zel {

// One participant of a new match as the set-up screens hand it over.
struct ParticipantSetup {
    std::string Name;             // shown and saved; empty gives the participant's number
    std::int16_t Model = 0;       // piece model 0..3 (RMod); the oval model 4 is not offered
    std::int16_t Mass = 1;        // 1..1000; only contact pushes divide by it
    Flag Gray = kFalse;           // drawn with the grey mesh
    std::int16_t TeamSide = 0;    // 0 or 1 in a team match, 0 otherwise
    PlayerKind Player = PlayerKind::Human;  // a person or the computer at a level
};

// Everything a new match is started from. Defaults are the new-match values.
struct MatchSetup {
    std::int16_t MaxX = 600;      // table width, 201..1000
    std::int16_t MaxY = 400;      // table height, 201..1000
    double Ftr = 0.02;            // friction: the game offers 0.01, 0.02, 0.03; any value in (0, 1]
    Flag Border = kFalse;         // walls on
    std::int16_t BordMode = 0;    // 1: walls along y = 0 / MaxY, else along x = 0 / MaxX
    Flag BordSimm = kFalse;       // a second wall opposite the first
    Flag Pipa = kFalse;           // four corner obstacles
    std::int16_t PipaMode = 0;    // recorded in the replay only
    Flag PipaSimm = kFalse;       // recorded in the replay only
    Flag Sound = kTrue;           // sound effects
    Flag TeamGame = kFalse;       // two teams play
    std::int16_t FirstTeam = 1;   // team number of side 0
    std::int16_t SecondTeam = 2;  // team number of side 1
    std::vector<ParticipantSetup> Participants;  // 2..8, participant i is entry i-1
    // Turn order: participant numbers per turn slot. Empty gives 1..Num.
    std::vector<std::int16_t> TurnOrder;
};

// Why a set-up was refused; the state is then left as ResetMatchDefaults made it.
enum class SetupResult { Ok, BadTableSize, BadParticipantCount, BadModel, BadMass, BadTurnOrder,
                         BadFriction };

// Fills the match state for a new match in the order the game has always
// used: new-match defaults, table and switches, Num, start layout, obstacles,
// then the participants (names, models, grey flags, sides) and, after the
// layout has set every mass to 1, their masses; then the turn order.
// Camera and wall records are the scene's (PrepareSceneState).
SetupResult StartMatchState(MatchState& s, const MatchSetup& setup);

// Obstacle centres `inset` units in from both edges, corner by corner:
// (in, in), (MaxX - in, in), (in, MaxY - in), (MaxX - in, MaxY - in).
void FillPipaPos(MatchState& s, double inset);

// NumPipa = 4 when Pipa is on, else 0. When on: PipaPos 80 units in, and
// records Num+1..Num+4 become the obstacles (model 5, on the table, at
// rest, heading 0).
void PlaceObstacles(MatchState& s);

// The wall records of the physics when Border is on: "Stenka1" at record
// Num+NumPipa+1 and, with BordSimm, "Stenka2" right after it; model 6, on the
// table, at rest, centred a million units beyond the edge their rim covers
// (y = 0 / MaxY with BordMode 1, else x = 0 / MaxX).
void PlaceWalls(MatchState& s);

// Camera start: (-40, 20, -10), looking at the table centre
// TargX = MaxX/1000*50, TargZ = -(MaxY/500)*25 in scene units.
void SetCameraStart(MatchState& s);

// What scene construction writes into the match state, in its order: the
// camera start, then the wall records. The 3D scene and the headless port
// both call it, so a match plays the same with and without graphics.
void PrepareSceneState(MatchState& s);

}  // namespace zel
