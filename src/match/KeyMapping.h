#pragma once
#include <Qt>

namespace zel::match {

// The platform virtual-key code the match kernel reacts to for a Qt key
// event, or 0 for a key the match has no code for.
//
// The numeric keypad gives the keypad codes (keypad 2 is 98, + is 107...)
// whether NumLock is on or off: with NumLock on Qt reports the digit with
// the keypad modifier, with it off the navigation key the same keypad key
// stands for (keypad 2 is Down, 4 Left, 6 Right, 8 Up, 7 Home, 9 PgUp,
// 1 End, 3 PgDn, 5 Clear, 0 Insert, the decimal point Delete). The arrows
// and the navigation block outside the keypad keep their own codes, so
// Left/Right still turn the aim while keypad 4/6 orbit the camera.
int VirtualKeyFor(int qtKey, Qt::KeyboardModifiers modifiers);

}  // namespace zel::match
