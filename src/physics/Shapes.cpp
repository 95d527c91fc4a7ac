#include "physics/Shapes.h"

namespace zel {

Circle MakeCircle(double x, double y, double rad) {
    Circle c;
    c.X = x;
    c.Y = y;
    c.Rad = rad;
    return c;
}

namespace {

void Put(VembaShape& shape, int slot, Circle c) { shape.Circles[static_cast<std::size_t>(slot)] = c; }

// k fifths of a radius. The shapes were designed as integer multiples of the
// radius divided by 5.0; that rounding is part of the geometry the replays
// were recorded with, so it must not become r * 0.2 * k or similar.
double Fifths(int k, double r) { return k * r / 5.0; }

}  // namespace

ShapeTable InitShapes(std::int16_t vembaRadius, std::int16_t bodyRadius, std::int16_t pipaRadius) {
    const double r20 = vembaRadius;
    const double r14 = bodyRadius;
    ShapeTable t{};

    // Model 0: the outer disc and the tail circle.
    t[0].Count = 2;
    Put(t[0], 1, MakeCircle(0, 0, r20));
    Put(t[0], 2, MakeCircle(0, -r14, r14));

    // Model 1: a column of body circles from the tail to the centre, then two
    // fins of shrinking circles. The column's offsets multiply the radius by
    // a decimal factor (14 * 0.9 ...), unlike every other fraction here.
    t[1].Count = 19;
    const double column[10] = {1.0, 0.9, 0.8, 0.7, 0.6, 0.5, 0.4, 0.3, 0.2, 0.1};
    for (int k = 0; k < 10; ++k) Put(t[1], k + 1, MakeCircle(0, -(r14 * column[k]), r14));
    Put(t[1], 11, MakeCircle(0, 0, r14));
    for (int k = 1; k <= 4; ++k) {
        const double off = Fifths(k, r14);
        const double rad = Fifths(5 - k, r14);
        Put(t[1], 11 + k, MakeCircle(-off, off, rad));  // left fin
        Put(t[1], 15 + k, MakeCircle(off, off, rad));   // right fin
    }

    // Model 2: the outer disc and four diagonal arms of shrinking circles.
    t[2].Count = 17;
    Put(t[2], 1, MakeCircle(0, 0, r20));
    for (int k = 1; k <= 4; ++k) {
        const double off = Fifths(k, r20);
        const double rad = Fifths(5 - k, r20);
        Put(t[2], 1 + k, MakeCircle(-off, off, rad));
        Put(t[2], 5 + k, MakeCircle(off, off, rad));
        Put(t[2], 9 + k, MakeCircle(-off, -off, rad));
        Put(t[2], 13 + k, MakeCircle(off, -off, rad));
    }

    // Model 3: a single disc.
    t[3].Count = 1;
    Put(t[3], 1, MakeCircle(0, 0, r20));

    // Model 4 has no circles: it never touches anything.
    t[4].Count = 0;

    t[kObstacleModel].Count = 1;
    Put(t[kObstacleModel], 1, MakeCircle(0, 0, pipaRadius));

    // The wall: a circle so large that its rim is straight along the table.
    t[kWallModel].Count = 1;
    Put(t[kWallModel], 1, MakeCircle(0, 0, 1000000));
    return t;
}

}  // namespace zel
