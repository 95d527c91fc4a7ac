#pragma once
#include <cstdint>

#include "core/MatchState.h"
#include "physics/Geometry.h"

namespace zel {

// Result of a body test: the touching slots, FirstCircle = -1 for none.
struct TouchPair {
    double FirstCircle = -1, SecondCircle = -1;
};

std::int16_t ShapeCircleCount(const MatchState& s, const VembaRecord& rec);
// Slot k (1..19) of the body's shape, placed on the table.
Circle GetWorldCircle(const MatchState& s, const VembaRecord& rec, int k);
bool CirclesIntersect(const Circle& a, const Circle& b);
TouchPair VembasTouch(const MatchState& s, const VembaRecord& a, const VembaRecord& b);
// Trial-moves copies of bodies i and j over dt and tests them.
TouchPair TestPair(MatchState& s, int i, int j, double dt);
// The first pair of bodies (in search order) that would touch after dt.
ContactRec FindContact(MatchState& s, double dt);
// One contact impulse of 0.1 / RM along the segment; rewrites the segment.
void PushVemba(VembaRecord& rec, Segment& seg);
// Pushes the contact's two bodies apart and back off each other.
void ResolveContact(MatchState& s, double dt, const ContactRec& c);

}  // namespace zel
