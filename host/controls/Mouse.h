// TMouse: what the program knows of the mouse (the cursor's position, which control has
// captured it, the drag and wheel settings), and the program's one Mouse.
#pragma once

#include "host/controls/Control.h"

namespace host {

class TMouse : public TObject {
    HOST_CLASS(TMouse, TObject)
public:
    /// Reads the platform's settings: a headless mouse with a wheel of three lines a notch.
    TMouse();

    /// The window that has captured the mouse (0: none); a graphic control's capture shows
    /// as its parent's window, as the platform only knows windows. Setting 0 releases it.
    THandle GetCapture() const;
    void SetCapture(THandle Value);
    /// The cursor on the screen; the input API moves it, and setting it moves it without a
    /// mouse message (as the platform's cursor does until the mouse next moves).
    TPoint GetCursorPos() const;
    void SetCursorPos(const TPoint& Value);
    /// Whether a drag starts as the button goes down, or once the mouse moved DragThreshold
    /// pixels.
    bool GetDragImmediate() const { return FDragImmediate; }
    void SetDragImmediate(bool Value) { FDragImmediate = Value; }
    Integer GetDragThreshold() const { return FDragThreshold; }
    void SetDragThreshold(Integer Value) { FDragThreshold = Value; }
    bool GetMousePresent() const { return FMousePresent; }
    /// The registered wheel message of platforms without a native wheel; 0, as the wheel
    /// sends WM_MOUSEWHEEL.
    Cardinal GetRegWheelMessage() const { return FWheelMessage; }
    bool GetWheelPresent() const { return FWheelPresent; }
    Integer GetWheelScrollLines() const { return FScrollLines; }
    /// A system setting changed: reads the wheel settings again (0: all of them).
    void SettingChanged(Integer Setting);

private:
    bool FDragImmediate = true;
    Integer FDragThreshold = 5;
    bool FMousePresent = true;
    Cardinal FWheelMessage = 0;
    bool FWheelPresent = true;
    Integer FScrollLines = 3;
};

/// The program's mouse, made when first used.
TMouse* Mouse();

} // namespace host
