// Virtual key codes, the shift state of keyboard and mouse, the key message record and the
// headless keyboard state that key messages are read against.
#pragma once

#include "host/classes/TypInfoTraits.h"
#include "host/system/Types.h"

namespace host {

enum TShiftStateE { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
HOST_ENUM_INFO(TShiftStateE, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble)
using TShiftState = Set<TShiftStateE, 7>;

// The host's virtual key codes (the ones with a name; letters and digits are their ASCII codes).
inline constexpr Word VK_LBUTTON = 0x01, VK_RBUTTON = 0x02, VK_CANCEL = 0x03, VK_MBUTTON = 0x04;
inline constexpr Word VK_BACK = 0x08, VK_TAB = 0x09, VK_CLEAR = 0x0C, VK_RETURN = 0x0D;
inline constexpr Word VK_SHIFT = 0x10, VK_CONTROL = 0x11, VK_MENU = 0x12, VK_PAUSE = 0x13;
inline constexpr Word VK_CAPITAL = 0x14, VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21;
inline constexpr Word VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25;
inline constexpr Word VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_SELECT = 0x29;
inline constexpr Word VK_PRINT = 0x2A, VK_EXECUTE = 0x2B, VK_SNAPSHOT = 0x2C, VK_INSERT = 0x2D;
inline constexpr Word VK_DELETE = 0x2E, VK_HELP = 0x2F;
inline constexpr Word VK_LWIN = 0x5B, VK_RWIN = 0x5C, VK_APPS = 0x5D;
inline constexpr Word VK_NUMPAD0 = 0x60, VK_NUMPAD9 = 0x69, VK_MULTIPLY = 0x6A, VK_ADD = 0x6B;
inline constexpr Word VK_SEPARATOR = 0x6C, VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E;
inline constexpr Word VK_DIVIDE = 0x6F, VK_F1 = 0x70, VK_F12 = 0x7B, VK_F24 = 0x87;
inline constexpr Word VK_NUMLOCK = 0x90, VK_SCROLL = 0x91;
inline constexpr Word VK_LSHIFT = 0xA0, VK_RSHIFT = 0xA1, VK_LCONTROL = 0xA2, VK_RCONTROL = 0xA3;
inline constexpr Word VK_LMENU = 0xA4, VK_RMENU = 0xA5;
// The punctuation keys of a US keyboard.
inline constexpr Word VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC;
inline constexpr Word VK_OEM_MINUS = 0xBD, VK_OEM_PERIOD = 0xBE, VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0;
inline constexpr Word VK_OEM_4 = 0xDB, VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE;

inline constexpr Cardinal WM_KEYDOWN = 0x0100, WM_KEYUP = 0x0101, WM_CHAR = 0x0102;
inline constexpr Cardinal WM_SYSKEYDOWN = 0x0104, WM_SYSKEYUP = 0x0105, WM_SYSCHAR = 0x0106;

/// A key message as the host lays it out (32-bit fields), so a record at an address reads the
/// same here and for a caller that wrote it.
struct TWMKey {
    Cardinal Msg = 0;
    Word CharCode = 0; // the virtual key
    Word Unused = 0;
    LongInt KeyData = 0; // repeat count, scan code, flags (AltMask)
    LongInt Result = 0;
};
static_assert(sizeof(TWMKey) == 16);

/// The state of a key as the host reports it: the high bit (negative) while the key is down.
SmallInt GetKeyState(Integer VirtKey);
/// Presses or releases a key in the headless keyboard state (the input API and tests do this).
void SetKeyDown(Integer VirtKey, bool Down);
/// Releases every key.
void ReleaseAllKeys();

/// The flag of a key message's KeyData that says the Alt key is down.
inline constexpr LongInt AltMask = 0x20000000;
/// Shift and Ctrl from the keyboard state, Alt from the message's KeyData.
TShiftState KeyDataToShiftState(LongInt KeyData);

} // namespace host
