#pragma once
#include <cstdint>

namespace zel {

// The three states of a check box, as the settings file stores them. The
// greyed state only ever comes from a file; clicking gives 0 or 1.
inline constexpr std::int16_t kBoxClear = 0;
inline constexpr std::int16_t kBoxChecked = 1;
inline constexpr std::int16_t kBoxGreyed = 2;

// True for the states a check box can hold; anything else is refused.
constexpr bool IsBoxState(int v) { return v >= kBoxClear && v <= kBoxGreyed; }

// A box counts as checked only in state 1: a greyed box reads as not
// checked when a setting is taken from it or written from it.
constexpr bool IsChecked(std::int16_t box) { return box == kBoxChecked; }

// The box state that shows a flag: checked for on, clear for off.
constexpr std::int16_t BoxFor(bool on) { return on ? kBoxChecked : kBoxClear; }

}  // namespace zel
