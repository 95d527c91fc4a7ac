#pragma once

namespace zel {

// The platform virtual-key codes the match window reacts to. The host
// translates its own key events into these before calling the kernel; the
// keypad codes are the ones produced while NumLock is on.
namespace vk {
inline constexpr int kEscape = 27;
inline constexpr int kSpace = 32;
inline constexpr int kLeft = 37;
inline constexpr int kRight = 39;
inline constexpr int kN = 78;
inline constexpr int kY = 89;
inline constexpr int kPad2 = 98;
inline constexpr int kPad4 = 100;
inline constexpr int kPad6 = 102;
inline constexpr int kPad8 = 104;
inline constexpr int kPadPlus = 107;
inline constexpr int kPadMinus = 109;
inline constexpr int kF2 = 113;
inline constexpr int kF3 = 114;
inline constexpr int kF5 = 116;
}  // namespace vk

}  // namespace zel
