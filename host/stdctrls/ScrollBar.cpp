#include "host/stdctrls/ScrollBar.h"

#include "host/classes/TypInfoRows.h"
#include "host/graphics/ScrollBarLook.h"
#include "host/menus/Keys.h"
#include "host/system/SysUtils.h"

#include <algorithm>

namespace host {

namespace {
constexpr TPropInfo ScrollBarProps[] = {
    "Align",
    "Anchors",
    "BiDiMode",
    "Constraints",
    "Ctl3D",
    "DragCursor",
    "DragKind",
    "DragMode",
    "Enabled",
    HOST_PROP(TScrollBar, Kind).Default(sbHorizontal),
    HOST_PROP(TScrollBar, LargeChange).Default(1),
    HOST_PROP(TScrollBar, Max).Default(100),
    HOST_PROP(TScrollBar, Min).Default(0),
    HOST_PROP(TScrollBar, PageSize).Default(0),
    "ParentBiDiMode",
    "ParentCtl3D",
    "ParentShowHint",
    "PopupMenu",
    HOST_PROP(TScrollBar, Position).Default(0),
    "ShowHint",
    HOST_PROP(TScrollBar, SmallChange).Default(1),
    "TabOrder",
    HOST_PROP(TWinControl, TabStop).Default(true),
    "Visible",
    HOST_PROP(TScrollBar, OnChange),
    "OnDragDrop",
    "OnDragOver",
    "OnEndDock",
    "OnEndDrag",
    "OnEnter",
    "OnExit",
    "OnKeyDown",
    "OnKeyPress",
    "OnKeyUp",
    HOST_PROP(TScrollBar, OnScroll),
    "OnStartDock",
    "OnStartDrag",
};
} // namespace

HOST_COMPONENT_METACLASS(TScrollBar, TWinControl, PropTable(ScrollBarProps));

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
    FControlStyle = {csFramed, csDoubleClicks};
    FTabStop = true;
    SetBounds(0, 0, 121, 16);
}

void TScrollBar::SetKind(TScrollBarKind Value) {
    if (Value == FKind) return;
    FKind = Value;
    if (!GetComponentState().Contains(csLoading))
        SetBounds(GetLeft(), GetTop(), GetHeight(), GetWidth());
    Invalidate();
}

void TScrollBar::SetPageSize(Integer Value) {
    if (Value == FPageSize) return;
    if (Value < 0 || Value > FMax - FMin + 1)
        throw EInvalidOperation("Property value out of range");
    FPageSize = Value;
    Invalidate();
}

void TScrollBar::SetParams(Integer APosition, Integer AMin, Integer AMax) {
    if (AMax < AMin || AMax < FPageSize) throw EInvalidOperation("Property value out of range");
    APosition = std::clamp(APosition, AMin, AMax);
    bool changed = APosition != FPosition;
    FMin = AMin;
    FMax = AMax;
    FPosition = APosition;
    Invalidate();
    if (changed) Change();
}

void TScrollBar::Change() {
    if (FOnChange && !GetComponentState().Contains(csLoading)) FOnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, Integer& ScrollPos) {
    if (FOnScroll) FOnScroll(this, ScrollCode, ScrollPos);
}

void TScrollBar::DoScroll(TScrollCode Code, Integer Pos) {
    Integer p = FPosition;
    Integer last = FPageSize > 0 ? FMax - FPageSize + 1 : FMax; // the last place a page fits
    switch (Code) {
    case scLineUp: p -= FSmallChange; break;
    case scLineDown: p += FSmallChange; break;
    case scPageUp: p -= FLargeChange; break;
    case scPageDown: p += FLargeChange; break;
    case scPosition:
    case scTrack: p = Pos; break;
    case scTop: p = FMin; break;
    case scBottom: p = last; break;
    case scEndScroll: break;
    }
    p = std::clamp(p, FMin, std::max(last, FMin));
    Scroll(Code, p); // a handler may move it elsewhere
    SetPosition(p);
}

void TScrollBar::DefaultHandler(void* Message) {
    auto& m = *static_cast<TMessage*>(Message);
    bool horizontal = FKind == sbHorizontal;
    TScrollBarParts parts =
        LayoutScrollBar(GetClientRect(), horizontal, FMin, FMax, FPosition, FPageSize);
    switch (m.Msg) {
    case WM_GETDLGCODE: m.Result = DLGC_WANTARROWS; return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (CanFocus() && !Focused()) SetFocus();
        TPoint p = PointOf(m);
        SetMouseCapture(true);
        switch (HitScrollBar(parts, horizontal, p)) {
        case TScrollBarHit::First:
            FPressed = 1;
            DoScroll(scLineUp);
            break;
        case TScrollBarHit::Last:
            FPressed = 2;
            DoScroll(scLineDown);
            break;
        case TScrollBarHit::Thumb:
            FTracking = true;
            FTrackOffset = horizontal ? p.X - parts.Thumb.Left : p.Y - parts.Thumb.Top;
            break;
        case TScrollBarHit::PageBefore: DoScroll(scPageUp); break;
        case TScrollBarHit::PageAfter: DoScroll(scPageDown); break;
        case TScrollBarHit::None: break;
        }
        Invalidate();
        return;
    }
    case WM_MOUSEMOVE: {
        if (!FTracking) return;
        // The thumb follows the mouse: its place in the track is the position.
        Integer at = ScrollBarAlong(parts, horizontal, PointOf(m)) - FTrackOffset;
        DoScroll(scTrack, ScrollBarPositionAt(parts, horizontal, FMin, FMax, FPageSize, at));
        return;
    }
    case WM_LBUTTONUP:
        SetMouseCapture(false);
        if (FTracking) {
            FTracking = false;
            DoScroll(scPosition, FPosition);
        }
        FPressed = 0;
        DoScroll(scEndScroll);
        Invalidate();
        return;
    case WM_KEYDOWN:
        switch (Word(m.WParam)) {
        case VK_LEFT:
        case VK_UP: DoScroll(scLineUp); break;
        case VK_RIGHT:
        case VK_DOWN: DoScroll(scLineDown); break;
        case VK_PRIOR: DoScroll(scPageUp); break;
        case VK_NEXT: DoScroll(scPageDown); break;
        case VK_HOME: DoScroll(scTop); break;
        case VK_END: DoScroll(scBottom); break;
        default: return;
        }
        DoScroll(scEndScroll);
        return;
    default: break;
    }
    TWinControl::DefaultHandler(Message);
}

void TScrollBar::PaintWindow(TCanvas* Canvas) {
    DrawScrollBar(Canvas, GetClientRect(), FKind == sbHorizontal, FMin, FMax, FPosition, FPageSize,
                  true, clScrollBar, GetEnabled(), FPressed);
}

} // namespace host
