// Scrolling controls: the scroll bars' ranges and positions moving the content, the ranges
// following the children (AutoScroll), the bars painted in the classic look inside the border.
#include "host/classes/TypInfoRows.h"
#include "host/forms/Form.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/ScrollBarLook.h"

#include <algorithm>

namespace host {

namespace {
constexpr TPropInfo ControlScrollBarProps[] = {
    HOST_PROP(TControlScrollBar, ButtonSize).Default(0),
    HOST_PROP(TControlScrollBar, Color).Default(clBtnHighlight),
    HOST_PROP(TControlScrollBar, Increment).Default(8),
    HOST_PROP(TControlScrollBar, Margin).Default(0),
    HOST_PROP(TControlScrollBar, ParentColor).Default(true),
    HOST_PROP(TControlScrollBar, Position).Default(0),
    HOST_PROP(TControlScrollBar, Range).Default(0),
    HOST_PROP(TControlScrollBar, Smooth).Default(false),
    HOST_PROP(TControlScrollBar, Size).Default(0),
    HOST_PROP(TControlScrollBar, Style).Default(ssRegular),
    HOST_PROP(TControlScrollBar, ThumbSize).Default(0),
    HOST_PROP(TControlScrollBar, Tracking).Default(false),
    HOST_PROP(TControlScrollBar, Visible).Default(true),
};
constexpr TPropInfo ScrollingProps[] = {
    HOST_PROP(TScrollingWinControl, AutoScroll).Default(true).Unpublished(),
    HOST_PROP(TScrollingWinControl, HorzScrollBar),
    HOST_PROP(TScrollingWinControl, VertScrollBar),
};
constexpr TPropInfo ScrollBoxProps[] = {
    "Align",
    "Anchors",
    "AutoScroll",
    "AutoSize",
    "BiDiMode",
    HOST_PROP(TScrollBox, BorderStyle).Default(bsSingle),
    "Constraints",
    "DockSite",
    "DragCursor",
    "DragKind",
    "DragMode",
    "Enabled",
    "Color",
    "Ctl3D",
    "Font",
    "ParentBiDiMode",
    "ParentColor",
    "ParentCtl3D",
    "ParentFont",
    "ParentShowHint",
    "PopupMenu",
    "ShowHint",
    "TabOrder",
    "TabStop",
    "Visible",
    "OnCanResize",
    "OnClick",
    "OnConstrainedResize",
    "OnDblClick",
    "OnDockDrop",
    "OnDockOver",
    "OnDragDrop",
    "OnDragOver",
    "OnEndDock",
    "OnEndDrag",
    "OnEnter",
    "OnExit",
    "OnGetSiteInfo",
    "OnMouseDown",
    "OnMouseMove",
    "OnMouseUp",
    "OnMouseWheel",
    "OnMouseWheelDown",
    "OnMouseWheelUp",
    "OnResize",
    "OnStartDock",
    "OnStartDrag",
    "OnUnDock",
};
} // namespace

HOST_METACLASS(TControlScrollBar, TPersistent, PropTable(ControlScrollBarProps));
HOST_COMPONENT_METACLASS(TScrollingWinControl, TWinControl, PropTable(ScrollingProps));
HOST_COMPONENT_METACLASS(TScrollBox, TScrollingWinControl, PropTable(ScrollBoxProps));

// ---- TControlScrollBar ----

void TControlScrollBar::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TControlScrollBar*>(Source);
    if (!s) return TPersistent::Assign(Source);
    FVisible = s->FVisible, FTracking = s->FTracking, FSmooth = s->FSmooth;
    FIncrement = s->FIncrement, FButtonSize = s->FButtonSize, FSize = s->FSize;
    FThumbSize = s->FThumbSize, FColor = s->FColor, FParentColor = s->FParentColor;
    FMargin = s->FMargin, FStyle = s->FStyle;
    SetRange(s->FRange);
    SetPosition(s->FPosition);
}

Integer TControlScrollBar::ControlExtent() const {
    TRect b = FControl->GetBorderInsets();
    return FKind == sbHorizontal ? FControl->GetWidth() - b.Left - b.Right
                                 : FControl->GetHeight() - b.Top - b.Bottom;
}

bool TControlScrollBar::IsScrollBarVisible() const {
    return FVisible && FRange > ControlExtent();
}

void TControlScrollBar::SetRange(Integer Value) {
    Value = std::max(Value, 0);
    if (Value == FRange) return;
    FRange = Value;
    FControl->Realign();
    SetPosition(FPosition); // within the new range
    FControl->Invalidate();
}

void TControlScrollBar::SetPosition(Integer Value) {
    Integer extent =
        FKind == sbHorizontal ? FControl->GetClientWidth() : FControl->GetClientHeight();
    Value = std::clamp(Value, 0, std::max(FRange - extent, 0));
    if (Value == FPosition) return;
    Integer delta = FPosition - Value;
    FPosition = Value;
    if (FKind == sbHorizontal)
        FControl->ScrollBy(delta, 0);
    else
        FControl->ScrollBy(0, delta);
}

void TControlScrollBar::ScrollMessage(Word Code, Integer Pos) {
    Integer extent =
        FKind == sbHorizontal ? FControl->GetClientWidth() : FControl->GetClientHeight();
    Integer page = std::max<Integer>(extent * 9 / 10, 1);
    switch (Code) {
    case 0: SetPosition(FPosition - FIncrement); break; // a line up or left
    case 1: SetPosition(FPosition + FIncrement); break;
    case 2: SetPosition(FPosition - page); break; // a page
    case 3: SetPosition(FPosition + page); break;
    case 4: SetPosition(Pos); break; // the thumb landed
    case 5:
        if (FTracking) SetPosition(Pos); // the thumb moving
        break;
    case 6: SetPosition(0); break; // top
    case 7: SetPosition(FRange); break;
    default: break; // the end of a scroll
    }
}

void TControlScrollBar::SetVisible(bool Value) {
    if (Value == FVisible) return;
    FVisible = Value;
    FControl->Realign();
    FControl->Invalidate();
}

void TControlScrollBar::SetIncrement(TScrollBarInc Value) {
    FIncrement = std::clamp(Value, 1, 32767);
}

void TControlScrollBar::SetColor(TColor Value) {
    FColor = Value;
    FParentColor = false;
    FControl->Invalidate();
}

void TControlScrollBar::SetParentColor(bool Value) {
    FParentColor = Value;
    if (Value) FColor = clBtnHighlight;
    FControl->Invalidate();
}

void TControlScrollBar::SetSize(Integer Value) {
    FSize = std::max(Value, 0);
    FControl->Realign();
    FControl->Invalidate();
}

void TControlScrollBar::SetStyle(TScrollBarStyle Value) {
    FStyle = Value;
    FControl->Invalidate();
}

void TControlScrollBar::ChangeBiDiPosition() {
    if (FKind == sbHorizontal && IsScrollBarVisible()) SetPosition(0);
}

// ---- TScrollingWinControl ----

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner)
    : TWinControl(AOwner), FHorzScrollBar(new TControlScrollBar(this, sbHorizontal)),
      FVertScrollBar(new TControlScrollBar(this, sbVertical)) {}

TScrollingWinControl::~TScrollingWinControl() {
    FHorzScrollBar->Free();
    FVertScrollBar->Free();
}

void TScrollingWinControl::SetAutoScroll(bool Value) {
    if (Value == FAutoScroll) return;
    FAutoScroll = Value;
    if (Value)
        CalcAutoRange();
    else
        FHorzScrollBar->SetRange(0), FVertScrollBar->SetRange(0);
}

void TScrollingWinControl::EnableAutoRange() {
    if (FAutoRangeCount > 0 && --FAutoRangeCount == 0) CalcAutoRange();
}

TRect TScrollingWinControl::GetNonClientInsets() {
    TRect n = GetBorderInsets();
    if (FVertScrollBar->IsScrollBarVisible()) n.Right += FVertScrollBar->Thickness();
    if (FHorzScrollBar->IsScrollBarVisible()) n.Bottom += FHorzScrollBar->Thickness();
    return n;
}

void TScrollingWinControl::CalcAutoRange() {
    if (!FAutoScroll || FAutoRangeCount > 0 || GetComponentState().Contains(csLoading)) return;
    // The content reaches as far as the children that do not fill a side, counted from the
    // content's origin (the positions scrolled so far added back).
    Integer right = 0, bottom = 0;
    for (Integer i = 0; i < GetControlCount(); ++i) {
        TControl* c = GetControls(i);
        if (!c->GetVisible()) continue;
        TAlign a = c->GetAlign();
        if (a != alRight && a != alClient && a != alTop && a != alBottom)
            right = std::max(right, c->GetLeft() + c->GetWidth() + FHorzScrollBar->GetPosition());
        if (a != alBottom && a != alClient && a != alLeft && a != alRight)
            bottom = std::max(bottom, c->GetTop() + c->GetHeight() + FVertScrollBar->GetPosition());
    }
    bool before = FHorzScrollBar->IsScrollBarVisible() || FVertScrollBar->IsScrollBarVisible();
    FHorzScrollBar->FRange = right;
    FVertScrollBar->FRange = bottom;
    FHorzScrollBar->SetPosition(FHorzScrollBar->FPosition);
    FVertScrollBar->SetPosition(FVertScrollBar->FPosition);
    // A bar that comes or goes changes the client area: the children are placed once more.
    bool after = FHorzScrollBar->IsScrollBarVisible() || FVertScrollBar->IsScrollBarVisible();
    if (before != after && !FInAutoRange) {
        FInAutoRange = true;
        Realign();
        FInAutoRange = false;
    }
    Invalidate();
}

void TScrollingWinControl::AlignControls(TControl* AControl, TRect& Rect) {
    TWinControl::AlignControls(AControl, Rect);
    CalcAutoRange();
}

void TScrollingWinControl::ScrollInView(TControl* AControl) {
    if (!AControl || !ContainsControl(AControl) || AControl == this) return;
    TPoint at = ScreenToClient(AControl->ClientToScreen({0, 0}));
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
        TRect n = w->GetNonClientInsets();
        at = {at.X - n.Left, at.Y - n.Top};
    }
    auto bring = [](TControlScrollBar* Bar, Integer Pos, Integer Size, Integer Extent) {
        if (Pos < 0)
            Bar->SetPosition(Bar->GetPosition() + Pos);
        else if (Pos + Size > Extent)
            Bar->SetPosition(Bar->GetPosition() + std::min(Pos + Size - Extent, Pos));
    };
    bring(FHorzScrollBar, at.X, AControl->GetWidth(), GetClientWidth());
    bring(FVertScrollBar, at.Y, AControl->GetHeight(), GetClientHeight());
}

void TScrollingWinControl::PaintNonClient(TCanvas* Canvas) {
    PaintScrollBars(Canvas);
}

namespace {
void Fill(TCanvas* Canvas, const TRect& R, TColor Color) {
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(Color);
    Canvas->FillRect(R);
}
} // namespace

bool TScrollingWinControl::GetWindowScrollBar(bool Vertical, TWindowScrollBar& Bar) {
    TControlScrollBar* sb = Vertical ? FVertScrollBar : FHorzScrollBar;
    if (!sb->IsScrollBarVisible()) return false;
    TRect b = GetBorderInsets();
    TRect inner{b.Left, b.Top, FWidth - b.Right, FHeight - b.Bottom};
    bool other = (Vertical ? FHorzScrollBar : FVertScrollBar)->IsScrollBarVisible();
    Integer hs = FHorzScrollBar->Thickness(), vs = FVertScrollBar->Thickness();
    Bar.Bar =
        Vertical
            ? TRect{inner.Right - vs, inner.Top, inner.Right, inner.Bottom - (other ? hs : 0)}
            : TRect{inner.Left, inner.Bottom - hs, inner.Right - (other ? vs : 0), inner.Bottom};
    Bar.Min = 0;
    Bar.Max = std::max<Integer>(sb->GetRange() - 1, 0);
    Bar.Page = std::max<Integer>(Vertical ? GetClientHeight() : GetClientWidth(), 1);
    Bar.Position = sb->GetPosition();
    Bar.Enabled = GetEnabled();
    return true;
}

void TScrollingWinControl::PaintScrollBars(TCanvas* Canvas) {
    TWindowScrollBar v, h;
    bool hasV = GetWindowScrollBar(true, v), hasH = GetWindowScrollBar(false, h);
    auto bar = [&](TControlScrollBar* Bar, const TWindowScrollBar& W, bool Horizontal) {
        // A regular bar in its default colour has the platform's checkered track.
        bool checkered = Bar->GetStyle() == ssRegular && Bar->GetColor() == clBtnHighlight;
        DrawScrollBar(Canvas, W.Bar, Horizontal, W.Min, W.Max, W.Position, W.Page, checkered,
                      Bar->GetColor());
    };
    if (hasV) bar(FVertScrollBar, v, false);
    if (hasH) bar(FHorzScrollBar, h, true);
    if (hasH && hasV) Fill(Canvas, {v.Bar.Left, h.Bar.Top, v.Bar.Right, h.Bar.Bottom}, clBtnFace);
}

void TScrollingWinControl::DefaultHandler(void* Message) {
    auto& m = *static_cast<TMessage*>(Message);
    if (m.Msg == WM_VSCROLL || m.Msg == WM_HSCROLL) {
        (m.Msg == WM_VSCROLL ? FVertScrollBar : FHorzScrollBar)
            ->ScrollMessage(Word(m.WParam & 0xFFFF), SmallInt(m.WParam >> 16));
        return;
    }
    TWinControl::DefaultHandler(Message);
}

// ---- TScrollBox ----

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner) {
    FControlStyle = {csCaptureMouse, csClickEvents, csAcceptsControls, csSetCaption,
                     csDoubleClicks};
    FTabStop = false;
    SetBounds(0, 0, 185, 41);
}

void TScrollBox::SetBorderStyle(TFormBorderStyle Value) {
    if (Value != bsNone && Value != bsSingle) Value = bsSingle;
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    Realign();
    Invalidate();
}

TRect TScrollBox::GetBorderInsets() {
    return FBorderStyle == bsSingle ? TRect{2, 2, 2, 2} : TRect{0, 0, 0, 0};
}

void TScrollBox::PaintNonClient(TCanvas* Canvas) {
    if (FBorderStyle == bsSingle) {
        // The sunken edge: shadows on the top and left, lights on the bottom and right.
        TRect r{0, 0, FWidth, FHeight};
        Fill(Canvas, {r.Left, r.Top, r.Right, r.Top + 1}, clBtnShadow);
        Fill(Canvas, {r.Left, r.Top, r.Left + 1, r.Bottom}, clBtnShadow);
        Fill(Canvas, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, clBtnHighlight);
        Fill(Canvas, {r.Right - 1, r.Top, r.Right, r.Bottom}, clBtnHighlight);
        Fill(Canvas, {r.Left + 1, r.Top + 1, r.Right - 1, r.Top + 2}, cl3DDkShadow);
        Fill(Canvas, {r.Left + 1, r.Top + 1, r.Left + 2, r.Bottom - 1}, cl3DDkShadow);
        Fill(Canvas, {r.Left + 1, r.Bottom - 2, r.Right - 1, r.Bottom - 1}, cl3DLight);
        Fill(Canvas, {r.Right - 2, r.Top + 1, r.Right - 1, r.Bottom - 1}, cl3DLight);
    }
    PaintScrollBars(Canvas);
}

} // namespace host
