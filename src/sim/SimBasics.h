#pragma once
#include <string>

#include "core/MatchState.h"

namespace zel {

// A match comes to rest within a few thousand ticks; this many means the file
// holds something no match can reach, and the run stops instead of spinning.
inline constexpr long long kSimTickLimit = 20'000'000;

// A match state as the simulator starts every run from: the shapes made and
// the match defaults set.
MatchState FreshSimState();

// The error log of a simulator run sits beside the file it reads ("." for a
// bare file name).
std::string SimLogFolder(const std::string& path);

}  // namespace zel
