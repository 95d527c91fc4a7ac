#pragma once
#include <cstdint>

#include "core/MatchState.h"
#include "physics/Geometry.h"
#include "physics/Shapes.h"

// The table physics written out the plain way: whole-record copies for every
// trial move, a sine and cosine for every circle placed, the pair and circle
// loops exactly as the rules of the table state them, recursion exactly as
// the step is defined. It is slow on purpose and easy to check by reading.
// The game's own physics (src/physics) must give the same bits and the same
// eliminations; the differential test holds it to that and zel-bench
// measures how much faster it is.
//
// It declares nothing of the game's physics, so that every unqualified call
// in it reaches its own routines.
//
// The robustness rules of the game are part of it too, written just as
// plainly: a fallen piece is never pushed or struck; a contact whose body
// has just fallen is not resolved; two immovable bodies never form a
// contact; a pair that starts a step overlapped and already moves apart is
// not a contact, and one that does not is pushed, without trial moves, only
// until it moves apart; a strike or push without a direction pushes nothing
// and one without a lever does not turn; a mass below 1 pushes like 1; a
// position that is not a number is off the table; a step that is not a
// finite time does nothing; the work of one tick is bounded, more loosely
// the heavier the heaviest piece on the table
// (physics/StepLimits.h).
namespace zel::ref {

// Result of a body test: the touching slots, FirstCircle = -1 for none.
struct TouchPair {
    double FirstCircle = -1, SecondCircle = -1;
};

Circle MakeCircle(double x, double y, double rad);
ShapeTable InitShapes(std::int16_t vembaRadius, std::int16_t bodyRadius, std::int16_t pipaRadius);

double SegDX(const Segment& s);
double SegDY(const Segment& s);
double SegLength(const Segment& s);

void MoveVemba(MatchState& s, VembaRecord& rec, double dt);
void EliminatePiece(MatchState& s, int number);
void StrikeVemba(VembaRecord& rec, Segment& seg, std::int16_t& power);
void StrikeVembaVector(VembaRecord& rec, double x1, double y1, double dx, double dy, std::int16_t power);

std::int16_t ShapeCircleCount(const MatchState& s, const VembaRecord& rec);
Circle GetWorldCircle(const MatchState& s, const VembaRecord& rec, int k);
bool CirclesIntersect(const Circle& a, const Circle& b);
TouchPair VembasTouch(const MatchState& s, const VembaRecord& a, const VembaRecord& b);
TouchPair TestPair(MatchState& s, int i, int j, double dt);
ContactRec FindContact(MatchState& s, double dt);
void PushVemba(VembaRecord& rec, Segment& seg);
std::int32_t ResolveContact(MatchState& s, double dt, const ContactRec& c, std::int32_t maxVolleys);
void ResolveContact(MatchState& s, double dt, const ContactRec& c);
void PhysStep(MatchState& s, double dt);

}  // namespace zel::ref
