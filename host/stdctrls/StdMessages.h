// The messages and notifications of the standard controls: the platform's edit, button, list
// box and combo box messages that the host's StdCtrls classes send their windows, and the
// accelerator test the controls answer CM_DIALOGCHAR with.
#pragma once

#include "host/controls/Messages.h"

namespace host {

inline constexpr Cardinal WM_CUT = 0x0300, WM_COPY = 0x0301, WM_PASTE = 0x0302, WM_CLEAR = 0x0303,
                          WM_UNDO = 0x0304;
// Edits.
inline constexpr Cardinal EM_GETSEL = 0x00B0, EM_SETSEL = 0x00B1, EM_CANUNDO = 0x00C6,
                          EM_EMPTYUNDOBUFFER = 0x00CD, EM_GETMODIFY = 0x00B8, EM_SETMODIFY = 0x00B9,
                          EM_REPLACESEL = 0x00C2, EM_LIMITTEXT = 0x00C5, EM_SETREADONLY = 0x00CF,
                          EM_SETPASSWORDCHAR = 0x00CC;
// Buttons.
inline constexpr Cardinal BM_GETCHECK = 0x00F0, BM_SETCHECK = 0x00F1, BM_CLICK = 0x00F5;
inline constexpr Word BN_CLICKED = 0;
// Notifications an edit sends its parent (in WM_COMMAND, reflected as CN_COMMAND).
inline constexpr Word EN_CHANGE = 0x0300;

/// Whether the key `VK` is the accelerator of `Caption` (the character after its '&').
bool IsAccel(Word VK, const AnsiString& Caption);

} // namespace host
