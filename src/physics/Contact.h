#pragma once
#include <cstdint>

#include "core/MatchState.h"
#include "physics/Geometry.h"

namespace zel {

// Result of a body test: the touching slots, FirstCircle = -1 for none.
struct TouchPair {
    double FirstCircle = -1, SecondCircle = -1;
};

// Circles in use by the body's model; 0 for a model outside 0..6.
std::int16_t ShapeCircleCount(const MatchState& s, const VembaRecord& rec);

// Slot k (1..19) of the body's shape, placed on the table:
// X = cx*cos(Phi) - cy*sin(Phi) + Xpos, Y = cy*cos(Phi) + cx*sin(Phi) + Ypos.
// A slot the model does not have gives a circle of radius 0 at the centre.
Circle GetWorldCircle(const MatchState& s, const VembaRecord& rec, int k);

// True when the centres are closer than the sum of the radii (touching
// circles do not overlap).
bool CirclesIntersect(const Circle& a, const Circle& b);

// The first overlapping slot pair, a's slots outer, b's inner; none when
// either body is off the table.
TouchPair VembasTouch(const MatchState& s, const VembaRecord& a, const VembaRecord& b);

// Trial-moves copies of bodies i and j over dt and tests them. A copy that
// leaves the table eliminates the real piece at once. Two bodies that never
// move (obstacles, walls) never form a contact.
TouchPair TestPair(MatchState& s, int i, int j, double dt);

// The first pair of bodies (i < j in search order, bodies 1..BodyCount)
// that would touch after dt. A pair whose touching circles already overlap
// now and whose bodies are moving apart along the line of those circles'
// centres is passed over: it may drift apart, and only a pair that started
// the step overlapped can be in that state.
ContactRec FindContact(MatchState& s, double dt);

// True when circles p of body i and q of body j overlap at the bodies'
// current positions and the bodies' relative velocity along the line from
// circle p's centre to circle q's centre separates them. Both bodies must be
// on the table.
bool OverlapDriftingApart(const MatchState& s, int i, int j, int p, int q);

// One contact impulse of 0.1 / RM along the segment, with the matching turn;
// rewrites the segment to (X1, Y1, dX, dY). Obstacles, walls and fallen
// pieces are not moved. A mass below 1 (never set by the game) pushes like 1.
void PushVemba(VembaRecord& rec, Segment& seg);

// Pushes the contact's two bodies apart in volleys until trial copies over
// dt no longer overlap on the contact's circles (count volleys), then gives
// count + 1 more. Nothing happens when either body is already off the table.
// A pair whose circles overlap already at the current positions (it started
// the step sunk into each other) makes no trial moves and stops the
// separation as soon as its bodies move apart along the line of centres.
// At most maxVolleys separation volleys (at least one); returns count.
std::int32_t ResolveContact(MatchState& s, double dt, const ContactRec& c, std::int32_t maxVolleys);

// The same with the standard per-contact cap (kMaxSeparationVolleys).
void ResolveContact(MatchState& s, double dt, const ContactRec& c);

}  // namespace zel
