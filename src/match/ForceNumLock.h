#pragma once

namespace zel::match {

// Switches NumLock on before a match, so the keypad gives its digits.
// A desktop program cannot set the keyboard's lock state on every platform
// (under Wayland it may not at all), and the match window reads the keypad
// the same way with NumLock on or off (see VirtualKeyFor), so nothing
// depends on it: this does nothing and returns false, "not switched".
bool ForceNumLock();

}  // namespace zel::match
