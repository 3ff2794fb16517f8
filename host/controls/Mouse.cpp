#include "host/controls/Mouse.h"

#include "host/classes/TypInfoRows.h"
#include "host/controls/Input.h"
#include "host/controls/WinControl.h"

namespace host {

HOST_METACLASS(TMouse, TObject);

namespace {
// What the headless platform answers when asked for its mouse settings.
constexpr Integer PlatformScrollLines = 3;
} // namespace

TMouse* Mouse() {
    static TMouse* m = new TMouse; // lives as long as the program
    return m;
}

TMouse::TMouse() {
    SettingChanged(0);
}

void TMouse::SettingChanged(Integer) {
    FMousePresent = true;
    FWheelPresent = true;
    FWheelMessage = 0;
    FScrollLines = PlatformScrollLines;
}

THandle TMouse::GetCapture() const {
    TControl* c = input::CaptureControl();
    if (!c) return 0;
    auto* w = dynamic_cast<TWinControl*>(c);
    if (!w) w = c->GetParent();
    return w ? w->GetHandle() : 0;
}

void TMouse::SetCapture(THandle Value) {
    input::SetCaptureControl(Value ? FindControl(Value) : nullptr);
}

TPoint TMouse::GetCursorPos() const {
    return input::CursorPos();
}

void TMouse::SetCursorPos(const TPoint& Value) {
    input::SetCursorPos(Value);
}

} // namespace host
