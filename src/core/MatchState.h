#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "core/Flag.h"
#include "core/LeavePoint.h"
#include "core/MatchWindowFields.h"
#include "core/PlayerKind.h"
#include "core/VembaRecord.h"
#include "physics/Geometry.h"
#include "physics/Shapes.h"

namespace zel {

inline constexpr int kMaxParticipants = 8;
inline constexpr int kRecordCount = 16;  // participants, then obstacles, then walls

// Everything a match is: the pieces, whose turn it is, who fell, the table and
// its switches, the camera, and the match window's fields. The game holds one
// of these for the whole run and passes it explicitly; tables are 1-based as
// the rules number participants, index 0 is unused.
struct MatchState {
    // --- bodies -----------------------------------------------------------
    std::array<VembaRecord, kRecordCount + 1> Vembas{};  // [1..16]
    ShapeTable Shapes{};            // built once by InitShapes, never changed after
    // [1..16] like Vembas: where each fallen piece left the table, for the
    // scene only; cleared by ResetLayout.
    std::array<LeavePoint, kRecordCount + 1> LeftTable{};

    // --- turn and elimination state ---------------------------------------
    std::int16_t Num = 2;                                // participants 2..8
    std::array<std::int16_t, kMaxParticipants + 1> KtoHodit{};  // turn slot -> participant
    std::int16_t CurNG = 1;                              // current turn slot
    std::int16_t CurG = 1;                               // participant whose turn it is
    std::array<std::int16_t, kMaxParticipants + 1> WhoSgin{};   // elimination order
    std::int16_t CurSgin = 0;                            // WhoSgin entries written
    std::array<std::int16_t, kMaxParticipants> TurnSgin{};      // [1..7] others fallen this turn
    std::int16_t TurnSginCount = 0;
    Flag SginFlushed = kTrue;       // 0 while TurnSgin waits for the turn-end account
    std::int16_t Winner = 0;        // survivor, winning team, or -1 for nobody
    // [1..8] who plays each participant; ResetMatchDefaults makes them all
    // people, so replays and continued games never hand a turn to the computer.
    std::array<PlayerKind, kMaxParticipants + 1> Players{};
    // [1..8] participants played on the other computer of a network match;
    // no file stores it, ResetMatchDefaults clears it.
    std::array<bool, kMaxParticipants + 1> PlayedElsewhere{};

    // --- table and rule switches ------------------------------------------
    std::int16_t MaxX = 600;        // table width, table units
    std::int16_t MaxY = 400;        // table height, table units
    double Ftr = 0.02;              // friction
    Flag Border = kFalse;           // walls on
    std::int16_t BordMode = 0;      // 1: walls along y = 0 / MaxY, else x = 0 / MaxX
    Flag BordSimm = kFalse;         // second wall opposite the first
    Flag Pipa = kFalse;             // four corner obstacles on
    std::int16_t PipaMode = 0;      // carried to the replay file only
    Flag PipaSimm = kFalse;         // carried to the replay file only
    Flag ShowSgin = kFalse;         // show eliminated pieces
    Flag Sound = kTrue;             // sound effects on
    Flag TeamGame = kFalse;         // two teams play
    std::int16_t FirstTeam = 1;     // team number of side 0, set by the teams screen
    std::int16_t SecondTeam = 2;    // team number of side 1, set by the teams screen
    std::int16_t VembaRadius = 20;  // outer radius of a piece
    std::int16_t BodyRadius = 14;   // radius of a piece's body circle
    std::int16_t PipaRadius = 11;   // radius of an obstacle
    double GorK = 1.0;              // pot-blast strength
    std::array<Vec2, kMaxParticipants + 1> GorImpulse{};  // pot-blast impulse per participant
    std::int16_t NumPipa = 0;       // obstacle records after the participants (0 or 4)
    std::array<Vec2, 5> PipaPos{};  // [1..4] obstacle centres

    // --- presentation state shared with the screen ------------------------
    Flag GameRunning = kFalse;      // the display loop runs while -1
    std::string StatusText;         // status line at the bottom of the view
    Flag NamesOn = kTrue;           // the user wants the name labels
    Flag NamesDetached = kFalse;    // F3 detached the labels
    double CamX = -40, CamY = 20, CamZ = -10;  // camera, scene units (CamY is height)
    double TargX = 0, TargZ = 0;    // where the camera looks on the table plane
    double Pi = 3.14159265358979323846;  // 4 * atan(1), set at start-up
    std::string AppPath;            // program folder, ending in a separator

    // --- settings the match core reads ------------------------------------
    std::int16_t ScreenH = 480;     // overlay rows are placed from the bottom
    Flag UseRoom = kFalse;          // overlay colour and the crowd sound

    // --- the match window -------------------------------------------------
    MatchWindowFields Win;
};

// New-match defaults, then ResetLayout. Run before a match is set up, loaded or replayed.
void ResetMatchDefaults(MatchState& s);

// Start positions of pieces 1..8 for the current table and Num; records 9..16
// cleared; no piece has a leave point.
void ResetLayout(MatchState& s);

// Participants 1..Num whose Life is exactly -1; 0 when Num < 1.
std::int16_t CountAlive(const MatchState& s);

// sqrt(a*a + b*b), written out so every build computes the same bits.
double Hypot(double a, double b);

// Index of the first wall record (after participants and obstacles).
inline int FirstWallRecord(const MatchState& s) { return s.Num + s.NumPipa + 1; }

// Number of bodies taking part in the contact search: participants,
// obstacles and walls.
int BodyCount(const MatchState& s);

}  // namespace zel
