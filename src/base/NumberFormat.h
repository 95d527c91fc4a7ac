#pragma once
#include <string>

namespace zel {

// A double as our files write it: the shortest decimal that reads back to the
// same double, in plain positional notation with "." as the decimal point,
// never an exponent and never influenced by the locale.
//  - Whole numbers carry no fraction: 30, -100, 0.
//  - Fractions keep their leading zero: 0.02, -0.5, 0.000001.
//  - -0.0 prints "-0", so it reads back as -0.0 and replays stay bit-exact.
//  - NaN and the infinities never belong in a file; they print "0", which
//    every reader takes as a harmless zero.
// ParseNumberPrefix reads every result back to the identical bits. The
// longest outputs are about 330 characters (the smallest subnormal, the
// largest doubles).
std::string FormatDouble(double v);

}  // namespace zel
