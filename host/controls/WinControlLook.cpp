// A windowed control's 3-D look and bevels, its foreign parent window, flipping and scaling its
// children, and the mouse wheel.
#include "host/controls/WinControl.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/Edges.h"

#include <algorithm>

namespace host {

void TWinControl::SetCtl3D(bool Value) {
    FParentCtl3D = false;
    if (Value == FCtl3D) return;
    FCtl3D = Value;
    Perform(CM_CTL3DCHANGED, 0, 0);
    NotifyControls(CM_PARENTCTL3DCHANGED);
}

void TWinControl::SetParentCtl3D(bool Value) {
    if (Value == FParentCtl3D) return;
    FParentCtl3D = Value;
    if (Value && FParent && !GetComponentState().Contains(csReading))
        Perform(CM_PARENTCTL3DCHANGED, 0, 0);
}

void TWinControl::CMParentCtl3DChanged(TMessage&) {
    if (!FParentCtl3D || !FParent) return;
    SetCtl3D(FParent->GetCtl3D());
    FParentCtl3D = true;
}

namespace {
Integer CutDepth(TBevelCut Cut) {
    return Cut == bvNone ? 0 : 1;
}
} // namespace

TRect TWinControl::BevelInsets() const {
    if (FBevelKind == bkNone) return {0, 0, 0, 0};
    // Each cut that is drawn is BevelWidth wide (a flat bevel: one line).
    Integer d =
        FBevelKind == bkFlat ? 1 : (CutDepth(FBevelInner) + CutDepth(FBevelOuter)) * FBevelWidth;
    return {FBevelEdges.Contains(beLeft) ? d : 0, FBevelEdges.Contains(beTop) ? d : 0,
            FBevelEdges.Contains(beRight) ? d : 0, FBevelEdges.Contains(beBottom) ? d : 0};
}

void TWinControl::SetBevelEdges(TBevelEdges Value) {
    FBevelEdges = Value;
    Realign();
    Invalidate();
}

void TWinControl::SetBevelInner(TBevelCut Value) {
    FBevelInner = Value;
    Realign();
    Invalidate();
}

void TWinControl::SetBevelOuter(TBevelCut Value) {
    FBevelOuter = Value;
    Realign();
    Invalidate();
}

void TWinControl::SetBevelKind(TBevelKind Value) {
    if (Value == FBevelKind) return;
    FBevelKind = Value;
    Realign();
    Invalidate();
}

void TWinControl::SetBevelWidth(Integer Value) {
    FBevelWidth = std::max(Value, 1);
    Realign();
    Invalidate();
}

TRect TWinControl::PaintClientEdge(TCanvas* Canvas) {
    TRect n = BevelInsets();
    TRect r{n.Left, n.Top, FWidth - n.Right, FHeight - n.Bottom};
    DrawEdge(Canvas, r, FCtl3D ? EDGE_SUNKEN : BDR_SUNKENOUTER,
             FCtl3D ? BF_RECT : BF_RECT | BF_MONO);
    Integer b = ClientEdgeWidth();
    return {r.Left + b, r.Top + b, r.Right - b, r.Bottom - b};
}

void TWinControl::PaintBevels(TCanvas* Canvas) {
    if (FBevelKind == bkNone) return;
    TRect r{0, 0, FWidth, FHeight};
    auto edge = [&](TBevelCut Cut, bool Soft) {
        if (Cut == bvNone) return;
        for (Integer i = 0; i < FBevelWidth; ++i) {
            TColor light = Cut == bvRaised ? clBtnHighlight : clBtnShadow;
            TColor dark = Cut == bvRaised ? (Soft ? cl3DDkShadow : clBtnShadow) : clBtnHighlight;
            if (Cut == bvSpace) light = dark = clBtnFace;
            Canvas->GetBrush()->SetColor(light);
            if (FBevelEdges.Contains(beTop)) Canvas->FillRect({r.Left, r.Top, r.Right, r.Top + 1});
            if (FBevelEdges.Contains(beLeft))
                Canvas->FillRect({r.Left, r.Top, r.Left + 1, r.Bottom});
            Canvas->GetBrush()->SetColor(dark);
            if (FBevelEdges.Contains(beBottom))
                Canvas->FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
            if (FBevelEdges.Contains(beRight))
                Canvas->FillRect({r.Right - 1, r.Top, r.Right, r.Bottom});
            r = {r.Left + FBevelEdges.Contains(beLeft), r.Top + FBevelEdges.Contains(beTop),
                 r.Right - FBevelEdges.Contains(beRight),
                 r.Bottom - FBevelEdges.Contains(beBottom)};
        }
    };
    Canvas->GetBrush()->SetStyle(bsSolid);
    if (FBevelKind == bkFlat) {
        Canvas->GetBrush()->SetColor(clBtnShadow);
        Canvas->FrameRect(r);
        return;
    }
    edge(FBevelOuter, FBevelKind == bkSoft);
    edge(FBevelInner, FBevelKind == bkSoft);
}

void TWinControl::SetParentWindow(HWND Value) {
    if (Value == FParentWindow) return;
    if (Value && FParent) throw EInvalidOperation("Control has a parent control already");
    FParentWindow = Value;
}

void TWinControl::SetWindowHandle(HWND Value) {
    // A headless window's id is the control's own; another's cannot be taken over.
    if (Value != FHandle && Value != 0 && FindControl(Value))
        throw EInvalidOperation("Invalid window handle");
    if (Value == 0) DestroyHandle();
}

TWinControl* TWinControl::CreateParentedControl(TClass Class, HWND ParentWindow) {
    if (!Class || !Class->InheritsFrom(TWinControl::StaticClass()) || !Class->NewWithOwner)
        throw EInvalidCast("Invalid class typecast");
    auto* c = static_cast<TWinControl*>(Class->NewWithOwner(nullptr));
    c->SetParentWindow(ParentWindow);
    return c;
}

void TWinControl::FlipChildren(bool AllLevels) {
    Integer width = GetClientWidth();
    DisableAlign();
    for (Integer i = 0; i < GetControlCount(); ++i) {
        TControl* c = GetControls(i);
        if (c->GetAlign() == alLeft)
            c->FAlign = alRight;
        else if (c->GetAlign() == alRight)
            c->FAlign = alLeft;
        c->FAnchorMove = true;
        c->SetLeft(width - c->GetLeft() - c->GetWidth());
        c->FAnchorMove = false;
        if (auto* w = dynamic_cast<TWinControl*>(c); w && AllLevels) w->FlipChildren(true);
    }
    EnableAlign();
    Realign();
}

namespace {
Integer Scale(Integer V, Integer M, Integer D) {
    return Integer(static_cast<long long>(V) * M / D);
}

/// A child scaled whole: its place, its size, its own font, and its children.
void ChangeScale(TControl* C, Integer M, Integer D) {
    if (auto* w = dynamic_cast<TWinControl*>(C)) {
        w->DisableAlign();
        for (Integer i = 0; i < w->GetControlCount(); ++i) ChangeScale(w->GetControls(i), M, D);
        w->EnableAlign();
    }
    C->SetBounds(Scale(C->GetLeft(), M, D), Scale(C->GetTop(), M, D), Scale(C->GetWidth(), M, D),
                 Scale(C->GetHeight(), M, D));
    if (!C->GetParentFont()) C->GetFont()->SetHeight(Scale(C->GetFont()->GetHeight(), M, D));
}
} // namespace

void TWinControl::ScaleBy(Integer M, Integer D) {
    if (D == 0 || M == D) return;
    // The children whole; the control itself keeps its place.
    DisableAlign();
    for (Integer i = 0; i < GetControlCount(); ++i) ChangeScale(GetControls(i), M, D);
    EnableAlign();
    SetBounds(FLeft, FTop, Scale(FWidth, M, D), Scale(FHeight, M, D));
    if (!FParentFont) FFont->SetHeight(Scale(FFont->GetHeight(), M, D));
}

void TWinControl::UpdateControlState() {
    // Headless windows show as their controls say: nothing lags behind to bring up to date
    // but the painting.
    Invalidate();
}

bool TWinControl::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
    bool handled = false;
    if (FOnMouseWheel) FOnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (handled) return true;
    // Whole notches only, the rest kept for the next turn.
    FWheelAccumulator += WheelDelta;
    while (!handled && std::abs(FWheelAccumulator) >= WHEEL_DELTA) {
        bool down = FWheelAccumulator < 0;
        FWheelAccumulator += down ? WHEEL_DELTA : -WHEEL_DELTA;
        if (down && FOnMouseWheelDown) FOnMouseWheelDown(this, Shift, MousePos, handled);
        if (!down && FOnMouseWheelUp) FOnMouseWheelUp(this, Shift, MousePos, handled);
    }
    return handled;
}

void TWinControl::MouseWheelHandler(TMessage& Message) {
    // The form hears the wheel first; then the control its focus is on.
    TWinControl* top = GetTopLevel();
    TMessage m = Message;
    m.Msg = CM_MOUSEWHEEL;
    if (top != this) top->Send(m);
    if (m.Result == 0) Send(m);
    Message.Result = m.Result;
}

void TWinControl::WMMouseWheel(TMessage& Message) {
    if (GetComponentState().Contains(csDesigning)) return;
    MouseWheelHandler(Message);
    if (Message.Result == 0) DispatchInherited(&ClassMeta, &Message);
}

void TWinControl::CMMouseWheel(TMessage& Message) {
    TShiftState shift = KeysToShiftState(Message.WParamLo());
    if (DoMouseWheel(shift, SmallInt(Message.WParamHi()), PointOf(Message))) Message.Result = 1;
}

} // namespace host
