#pragma once
#include <cstdint>

#include "core/MatchState.h"
#include "physics/Geometry.h"

// Tables for the physics tests and zel-bench, laid out the way a match
// starts them: participants from ResetLayout, obstacles 80 units in from
// the corners, walls as the scene construction writes them.
namespace zel::ref {

// ResetMatchDefaults for a table of the given size and participant count,
// the shape table built, the elimination counters cleared for a fresh match
// and participant 1 to strike. Participants are named "Игрок 1".."Игрок 8".
MatchState NewTable(std::int16_t num, std::int16_t maxX = 600, std::int16_t maxY = 400);

// Pipa on: four obstacle records after the participants, `inset` units in
// from both edges, in the order (in, in), (MaxX - in, in), (in, MaxY - in),
// (MaxX - in, MaxY - in).
void PlaceObstacles(MatchState& s, double inset = 80);

// Border on with `walls` = 1 or 2 (0 turns it off): "Stenka1" and, for two,
// "Stenka2" after the obstacles. BordMode 1 puts them along y = 0 / MaxY,
// any other value along x = 0 / MaxX.
void PlaceWalls(MatchState& s, int walls, std::int16_t bordMode);

// A strike segment as the player controls build one: the touch point lies
// `touchRadius` from the piece's centre at angle `touchAngle` (table
// coordinates), the segment runs `power` units in the direction `aim`
// measured as the controls do, (sin aim, -cos aim).
Segment StrikeSegment(const VembaRecord& piece, double touchRadius, double touchAngle, double aim, std::int16_t power);

// The aim angle (controls' convention) that points from `from` to (x, y).
double AimTowards(const VembaRecord& from, double x, double y);

}  // namespace zel::ref
