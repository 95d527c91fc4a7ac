#pragma once

namespace zel {

// A directed line in table units. The strike and the contact push read it as
// "from the touch point (X1, Y1) towards (X2, Y2)" and then rewrite X2/Y2 to
// hold the direction vector, which the replay recorder relies on.
struct Segment {
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

// One circle of a body's shape, or that circle placed on the table.
struct Circle {
    double X = 0, Y = 0, Rad = 0;
};

// The first touching pair found by the contact search. Doubles because the
// search returns them that way; First = -1 means "no contact".
struct ContactRec {
    double First = -1, Second = -1, FirstCircle = -1, SecondCircle = -1;
};

// A plain pair of doubles (pot-blast impulses, obstacle positions).
struct Vec2 {
    double x = 0, y = 0;
};

}  // namespace zel
