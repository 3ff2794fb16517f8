// A control's reading order, automatic size, desktop font and mouse capture.
#include "host/controls/Control.h"
#include "host/controls/Input.h"
#include "host/controls/WinControl.h"
#include "host/forms/Application.h"

namespace host {

void TControl::SetBiDiMode(TBiDiMode Value) {
    FParentBiDiMode = false;
    if (Value == FBiDiMode) return;
    FBiDiMode = Value;
    Perform(CM_BIDIMODECHANGED, 0, 0);
}

void TControl::SetParentBiDiMode(bool Value) {
    if (Value == FParentBiDiMode) return;
    FParentBiDiMode = Value;
    if (Value && FParent && !GetComponentState().Contains(csReading))
        Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
}

void TControl::CMParentBiDiModeChanged(TMessage&) {
    if (!FParentBiDiMode || !FParent) return;
    SetBiDiMode(FParent->GetBiDiMode());
    FParentBiDiMode = true;
}

LongInt TControl::DrawTextBiDiModeFlags(LongInt Flags) const {
    if (UseRightToLeftAlignment()) {
        if ((Flags & (DT_CENTER | DT_RIGHT)) == DT_LEFT)
            Flags |= DT_RIGHT;
        else if (Flags & DT_RIGHT)
            Flags &= ~DT_RIGHT;
    }
    return Flags | DrawTextBiDiModeFlagsReadingOnly();
}

LongInt TControl::DrawTextBiDiModeFlagsReadingOnly() const {
    return UseRightToLeftReading() ? DT_RTLREADING : 0;
}

void TControl::SetAutoSize(bool Value) {
    if (Value == FAutoSize) return;
    FAutoSize = Value;
    if (Value) AdjustSize();
}

void TControl::SetDesktopFont(bool Value) {
    if (Value == FDesktopFont) return;
    FDesktopFont = Value;
    if (Value) {
        FFont->Assign(Screen()->GetIconFont());
        FDesktopFont = true; // the font's change does not count as the control's own
    }
}

bool TControl::GetMouseCapture() const {
    return input::CaptureControl() == this;
}

void TControl::SetMouseCapture(bool Value) {
    if (Value)
        input::SetCaptureControl(this);
    else if (GetMouseCapture())
        input::SetCaptureControl(nullptr);
}

} // namespace host
