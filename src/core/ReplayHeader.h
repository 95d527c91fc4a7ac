#pragma once
#include <string>

#include "core/MatchState.h"

namespace zel {

// The "[general]" section a replay file starts with and a saved game carries:
// "[general]", Num, MaxX, MaxY, CurG, CurNG, CurSgin, Ftr, the four keys of
// each participant counted from 0 (R, RModel, RM, RGray), KtoHodit and
// WhoSgin counted from 1, the walls, the obstacles and Sound. Every line
// ends in CR LF; doubles are written shortest and in fixed notation.
std::string FormatGeneralSection(const MatchState& s);

}  // namespace zel
