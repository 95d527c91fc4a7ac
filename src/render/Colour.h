#pragma once

namespace zel::render {

// A colour with components 0..1 as the scene operations take them.
struct Colour {
    float r = 1;  // red
    float g = 1;  // green
    float b = 1;  // blue
    float a = 1;  // opacity; the match draws everything opaque
};

inline bool operator==(const Colour& x, const Colour& y) {
    return x.r == y.r && x.g == y.g && x.b == y.b && x.a == y.a;
}

}  // namespace zel::render
