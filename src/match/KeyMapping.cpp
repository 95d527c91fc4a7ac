#include "match/KeyMapping.h"

#include "core/KeyCodes.h"

namespace zel::match {

namespace {

// Virtual-key codes the kernel does not name but still receives (any key
// other than Esc refreshes the camera).
constexpr int kBackspace = 8;
constexpr int kTab = 9;
constexpr int kEnter = 13;
constexpr int kShift = 16;
constexpr int kControl = 17;
constexpr int kAlt = 18;
constexpr int kPageUp = 33;
constexpr int kPageDown = 34;
constexpr int kEnd = 35;
constexpr int kHome = 36;
constexpr int kUp = 38;
constexpr int kDown = 40;
constexpr int kInsert = 45;
constexpr int kDelete = 46;
constexpr int kPad0 = 96;
constexpr int kPadMultiply = 106;
constexpr int kPadDecimal = 110;
constexpr int kPadDivide = 111;
constexpr int kF1 = 112;

// A key of the numeric keypad, with NumLock on (digits and signs) or off
// (the navigation keys printed beside the digits).
int KeypadKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_0: case Qt::Key_Insert: return kPad0;
        case Qt::Key_1: case Qt::Key_End: return kPad0 + 1;
        case Qt::Key_2: case Qt::Key_Down: return vk::kPad2;
        case Qt::Key_3: case Qt::Key_PageDown: return kPad0 + 3;
        case Qt::Key_4: case Qt::Key_Left: return vk::kPad4;
        case Qt::Key_5: case Qt::Key_Clear: return kPad0 + 5;
        case Qt::Key_6: case Qt::Key_Right: return vk::kPad6;
        case Qt::Key_7: case Qt::Key_Home: return kPad0 + 7;
        case Qt::Key_8: case Qt::Key_Up: return vk::kPad8;
        case Qt::Key_9: case Qt::Key_PageUp: return kPad0 + 9;
        case Qt::Key_Plus: return vk::kPadPlus;
        case Qt::Key_Minus: return vk::kPadMinus;
        case Qt::Key_Asterisk: return kPadMultiply;
        case Qt::Key_Slash: return kPadDivide;
        case Qt::Key_Period: case Qt::Key_Comma: case Qt::Key_Delete: return kPadDecimal;
        case Qt::Key_Enter: return kEnter;
        default: return 0;
    }
}

}  // namespace

int VirtualKeyFor(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        const int pad = KeypadKey(qtKey);
        if (pad != 0) return pad;
    }
    // Letters and digits of the main block have their ASCII capitals'
    // codes, whatever the layout would type (Y and N answer the quit prompt).
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return kF1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
        case Qt::Key_Escape: return vk::kEscape;
        case Qt::Key_Space: return vk::kSpace;
        case Qt::Key_Left: return vk::kLeft;
        case Qt::Key_Right: return vk::kRight;
        case Qt::Key_Up: return kUp;
        case Qt::Key_Down: return kDown;
        case Qt::Key_Home: return kHome;
        case Qt::Key_End: return kEnd;
        case Qt::Key_PageUp: return kPageUp;
        case Qt::Key_PageDown: return kPageDown;
        case Qt::Key_Insert: return kInsert;
        case Qt::Key_Delete: return kDelete;
        case Qt::Key_Backspace: return kBackspace;
        case Qt::Key_Tab: return kTab;
        case Qt::Key_Return: case Qt::Key_Enter: return kEnter;
        case Qt::Key_Shift: return kShift;
        case Qt::Key_Control: return kControl;
        case Qt::Key_Alt: return kAlt;
        default: return 0;
    }
}

}  // namespace zel::match
