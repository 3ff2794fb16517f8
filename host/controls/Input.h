// The input API: what a user does with the mouse and the keyboard, turned into the messages
// the host's controls receive, routed as the platform routes them: the mouse to the control
// under it (or the one that captured it), keys to the control with the focus.
#pragma once

#include "host/controls/Control.h"

namespace host {

class TWinControl;

namespace input {

/// `Point` is in the client coordinates of `Window` (a form); the message goes to the
/// topmost enabled, visible control under it, in its own coordinates. Pressing a button over
/// a control that captures the mouse sends it the moves and the release until then.
void MouseDown(TWinControl* Window, TPoint Point, TMouseButton Button = mbLeft,
               TShiftState Shift = {});
void MouseMove(TWinControl* Window, TPoint Point, TShiftState Shift = {});
void MouseUp(TWinControl* Window, TPoint Point, TMouseButton Button = mbLeft,
             TShiftState Shift = {});
/// Press and release at the point.
void Click(TWinControl* Window, TPoint Point, TMouseButton Button = mbLeft,
           TShiftState Shift = {});
/// As the platform delivers a double click: down, up, double click, up.
void DoubleClick(TWinControl* Window, TPoint Point, TShiftState Shift = {});
/// A click in the middle of `Control`, through its top-level window.
void Click(TControl* Control, TShiftState Shift = {});
/// The wheel turned by `Delta` (120 a notch) over the point: to the control with the focus.
void Wheel(TWinControl* Window, TPoint Point, Integer Delta, TShiftState Shift = {});

/// A key pressed and released with the shift keys `Shift` held: WM_KEYDOWN, WM_CHAR for a key
/// that types a character, WM_KEYUP, to the control with the focus.
void PressKey(Word Key, TShiftState Shift = {});
void KeyDown(Word Key, TShiftState Shift = {});
void KeyUp(Word Key, TShiftState Shift = {});
/// Each character typed as its key would type it.
void Type(const AnsiString& Text);

/// Where the mouse last was (screen coordinates) and the top-level window it was over.
TPoint CursorPos();
TWinControl* CursorWindow();
/// The topmost enabled, visible control at `ScreenPos` in the window the mouse was last over
/// (null when there is none).
TControl* ControlAt(TPoint ScreenPos);

/// The control that has captured the mouse (null for none).
TControl* CaptureControl();
void SetCaptureControl(TControl* Control);

/// Puts the cursor at a point of the screen (the next mouse action moves it again).
void SetCursorPos(TPoint ScreenPoint);
/// Hears of each mouse message and key press before the control it goes to (the
/// application's hints, which a press takes away).
using TMouseMessageHook = void (*)(TControl* Control, TMessage& Message);
void SetMouseMessageHook(TMouseMessageHook Hook);

} // namespace input
} // namespace host
