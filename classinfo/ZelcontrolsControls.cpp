// The class infos of TControl, TWinControl and the controls that paint themselves.
#include "classinfo/Zelcontrols.h"

#include "core/ClassInfoRows.h"
#include "host/classes/Lists.h"
#include "host/controls/HintWindow.h"
#include "host/menus/Menu.h"
#include "host/system/SysUtils.h"

#include <cstdint>

namespace zeltrix {

using namespace host;

/// Reaches what TControl keeps protected: the storage the class info writes straight into, the
/// action link and the events.
class TProtectedTControl : public TControl {
public:
    using TControl::FAnchors;
    using TControl::FControlState;
    using TControl::FControlStyle;
    using TControl::FDockOrientation;
    using TControl::FDragCursor;
    using TControl::FDragKind;
    using TControl::FFloatingDockSiteClass;
    using TControl::FHint;
    using TControl::FIsControl;
    using TControl::FLRDockWidth;
    using TControl::FScalingFlags;
    using TControl::FTBDockHeight;
    using TControl::FUndockHeight;
    using TControl::FUndockWidth;
    using TControl::GetActionLink;
    using TControl::SetActionLink;
};

class TProtectedTWinControl : public TWinControl {
public:
    using TWinControl::GetOnKeyDown;
};

namespace {
/// A character buffer is taken only as an address the caller made as one.
char* Buffer(const Variant& V) {
    if (!V.IsByRef())
        throw EInvalidCast(Format("%s is not an address of this process", {V.AsString()}));
    return static_cast<char*>(const_cast<void*>(zelPointerFromVariant(V)));
}
} // namespace

struct TControlClassInfo::ZelRows {
    using CI = TControlClassInfo;
    using C = TControl;
    using P = TProtectedTControl;

    // WindowText is a character pointer: read as the address of the control's text; written,
    // a string is the text itself and an address the caller's text, copied (the host keeps
    // the caller's buffer; a copy leaves it the caller's).
    static Variant GetWindowText(C& Owner) {
        return Variant(static_cast<long long>(
            reinterpret_cast<std::uintptr_t>(Owner.GetWindowText())));
    }
    static void SetWindowText(C& Owner, const Variant& Value) {
        if (Value.IsByRef())
            Owner.SetTextBuf(static_cast<const char*>(zelPointerFromVariant(Value)));
        else
            Owner.SetText(Value.AsString());
    }
    static Integer GetTextBuf(C& Owner, const Variant& Target, Integer BufSize) {
        return Owner.GetTextBuf(Buffer(Target), BufSize);
    }
    static void SetTextBuf(C& Owner, const Variant& Source) {
        Owner.SetTextBuf(Buffer(Source));
    }

    static constexpr TzelPropRow Properties[] = {
        // Written straight into the control in the host. Here the control takes a live link
        // over and frees the one it replaces, so a link never has two owners or none.
        ZEL_PROP(P, ActionLink).protected_(),
        ZEL_PROP(C, AutoSize).protected_(),
        ZEL_PROP(C, Caption).protected_(),
        ZEL_PROP(C, Color).protected_(),
        ZEL_PROP(C, DesktopFont).protected_(),
        ZEL_FIELD(P, DragKind).protected_(),
        ZEL_FIELD(P, DragCursor).protected_(),
        ZEL_PROP(C, DragMode).protected_(),
        ZEL_PROP(C, Font).protected_(),
        ZEL_FIELD(P, IsControl).protected_(),
        ZEL_PROP(C, MouseCapture).protected_(),
        ZEL_PROP(C, ParentBiDiMode).protected_(),
        ZEL_PROP(C, ParentColor).protected_(),
        ZEL_PROP(C, ParentFont).protected_(),
        ZEL_PROP(C, ParentShowHint).protected_(),
        ZEL_PROP(C, PopupMenu).protected_(),
        prop<&P::FScalingFlags, &P::FScalingFlags, &CI::FScalingFlagsSlot>("ScalingFlags")
            .protected_(),
        ZEL_PROP(C, Text).protected_(),
        propFn<&GetWindowText, &SetWindowText>("WindowText").protected_(),
        ZEL_PROP(C, Enabled),
        ZEL_PROP(C, Action),
        ZEL_PROP(C, Align),
        prop<&P::FAnchors, &P::FAnchors, &CI::FAnchorsSlot>("Anchors"),
        ZEL_PROP(C, BiDiMode),
        prop<&C::GetBoundsRect, &C::SetBoundsRect, &CI::FBoundsRectSlot>("BoundsRect"),
        ZEL_PROP(C, ClientHeight),
        ZEL_PROP_R_SLOT(C, ClientOrigin),
        ZEL_PROP_R_SLOT(C, ClientRect),
        ZEL_PROP(C, ClientWidth),
        // Assigned into the control's own constraints: each keeps its one owner.
        ZEL_PROP(C, Constraints),
        prop<&P::FControlState, &P::FControlState, &CI::FControlStateSlot>("ControlState"),
        prop<&P::FControlStyle, &P::FControlStyle, &CI::FControlStyleSlot>("ControlStyle"),
        ZEL_FIELD(P, DockOrientation),
        ZEL_PROP_R(C, Floating),
        ZEL_FIELD(P, FloatingDockSiteClass),
        ZEL_PROP(C, HostDockSite),
        ZEL_FIELD(P, LRDockWidth),
        ZEL_PROP(C, Parent),
        ZEL_PROP(C, ShowHint),
        ZEL_FIELD(P, TBDockHeight),
        ZEL_FIELD(P, UndockHeight),
        ZEL_FIELD(P, UndockWidth),
        ZEL_PROP(C, Visible),
        ZEL_PROP(C, Left).published(),
        ZEL_PROP(C, Top).published(),
        ZEL_PROP(C, Width).published(),
        ZEL_PROP(C, Height).published(),
        ZEL_PROP(C, Cursor).published(),
        ZEL_FIELD(P, Hint).published(),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(C, BeginDrag, "Immediate,Threshold"),
        ZEL_PROC(C, BringToFront),
        ZEL_FUNC_SLOT(C, ClientToScreen, "Point"),
        ZEL_PROC(C, Dock, "NewDockSite,ARect"),
        ZEL_FUNC(C, Dragging),
        ZEL_PROC(C, DragDrop, "Source,X,Y"),
        ZEL_FUNC(C, DrawTextBiDiModeFlags, "Flags"),
        ZEL_FUNC(C, DrawTextBiDiModeFlagsReadingOnly),
        ZEL_PROC(C, EndDrag, "Drop"),
        ZEL_FUNC(C, GetControlsAlignment),
        funcFn<&GetTextBuf>("GetTextBuf", "Buffer,BufSize"),
        ZEL_FUNC(C, GetTextLen),
        ZEL_PROC(C, Hide),
        ZEL_PROC(C, InitiateAction),
        ZEL_PROC(C, Invalidate),
        ZEL_FUNC(C, IsRightToLeft),
        ZEL_FUNC(C, ManualDock, "NewDockSite,DropControl,ControlSide"),
        ZEL_FUNC(C, ManualFloat, "ScreenPos"),
        ZEL_FUNC(C, Perform, "Msg,WParam,LParam"),
        ZEL_PROC(C, Refresh),
        ZEL_PROC(C, Repaint),
        ZEL_FUNC(C, ReplaceDockedControl, "Control,NewDockSite,DropControl,ControlSide"),
        ZEL_FUNC_SLOT(C, ScreenToClient, "Point"),
        ZEL_PROC(C, SendToBack),
        ZEL_PROC(C, SetBounds, "ALeft,ATop,AWidth,AHeight"),
        procFn<&SetTextBuf>("SetTextBuf", "Buffer"),
        ZEL_PROC(C, Show),
        ZEL_PROC(C, Update),
        ZEL_FUNC(C, UseRightToLeftAlignment),
        ZEL_FUNC(C, UseRightToLeftReading),
        ZEL_FUNC(C, UseRightToLeftScrollBar),
    };
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(C, OnCanResize, "Sender,NewWidth,NewHeight,Resize").protected_(),
        ZEL_EVENT(C, OnConstrainedResize, "Sender,MinWidth,MinHeight,MaxWidth,MaxHeight")
            .protected_(),
        ZEL_EVENT(C, OnClick, "Sender").protected_(),
        ZEL_EVENT(C, OnDblClick, "Sender").protected_(),
        ZEL_EVENT(C, OnDragDrop, "Sender,Source,X,Y").protected_(),
        ZEL_EVENT(C, OnDragOver, "Sender,Source,X,Y,State,Accept").protected_(),
        ZEL_EVENT(C, OnEndDock, "Sender,Target,X,Y").protected_(),
        ZEL_EVENT(C, OnEndDrag, "Sender,Target,X,Y").protected_(),
        ZEL_EVENT(C, OnMouseDown, "Sender,Button,Shift,X,Y").protected_(),
        ZEL_EVENT(C, OnMouseMove, "Sender,Shift,X,Y").protected_(),
        ZEL_EVENT(C, OnMouseUp, "Sender,Button,Shift,X,Y").protected_(),
        ZEL_EVENT(C, OnResize, "Sender").protected_(),
        ZEL_EVENT(C, OnStartDock, "Sender,DragObject").protected_(),
        ZEL_EVENT(C, OnStartDrag, "Sender,DragObject").protected_(),
    };
};
ZEL_TABLE(TControlClassInfo);

struct TWinControlClassInfo::ZelRows {
    using CI = TWinControlClassInfo;
    using W = TWinControl;

    // The class's own: a control of the owner's class inside a foreign window.
    static TWinControl* CreateParentedControl(W& Owner, HWND ParentWindow) {
        return TWinControl::CreateParentedControl(Owner.ClassType(), ParentWindow);
    }
    static TControl* ControlAtPos(W& Owner, TPoint Pos, bool AllowDisabled) {
        return Owner.ControlAtPos(Pos, AllowDisabled);
    }
    static void GetTabOrderList(W& Owner, TList* List) {
        if (!List) return;
        std::vector<TWinControl*> controls;
        Owner.GetTabOrderList(controls);
        for (TWinControl* c : controls) List->Add(c);
    }
    using PaintToDC = void (W::*)(HDC, Integer, Integer);

    static constexpr TzelPropRow Properties[] = {
        prop<&W::GetBevelEdges, &W::SetBevelEdges, &CI::FBevelEdgesSlot>("BevelEdges")
            .protected_(),
        ZEL_PROP(W, BevelInner).protected_(),
        ZEL_PROP(W, BevelOuter).protected_(),
        ZEL_PROP(W, BevelKind).protected_(),
        ZEL_PROP(W, BevelWidth).protected_(),
        ZEL_PROP(W, BorderWidth).protected_(),
        ZEL_PROP(W, Ctl3D).protected_(),
        ZEL_PROP(W, DefWndProc).protected_(),
        ZEL_PROP(W, DockSite).protected_(),
        ZEL_PROP(W, DockManager).protected_(),
        ZEL_PROP(W, ImeMode).protected_(),
        ZEL_PROP(W, ImeName).protected_(),
        ZEL_PROP(W, ParentCtl3D).protected_(),
        ZEL_PROP(W, UseDockManager).protected_(),
        ZEL_PROP(W, WheelAccumulator).protected_(),
        prop<&W::GetWindowHandle, &W::SetWindowHandle, &CI::FWindowHandleSlot>("WindowHandle")
            .protected_(),
        ZEL_PROP_R(W, DockClientCount),
        ZEL_PROP_R(W, DockClients, "Index"),
        ZEL_PROP(W, DoubleBuffered),
        ZEL_PROP_R(W, Brush),
        ZEL_PROP_R(W, Controls, "Index"),
        ZEL_PROP_R(W, ControlCount),
        ZEL_PROP_R_SLOT(W, Handle),
        prop<&W::GetParentWindow, &W::SetParentWindow, &CI::FParentWindowSlot>("ParentWindow"),
        ZEL_PROP_R(W, Showing),
        ZEL_PROP(W, TabOrder),
        ZEL_PROP(W, TabStop),
        ZEL_PROP(W, HelpContext).published(),
    };
    static constexpr TzelMethodRow Methods[] = {
        funcFn<&CreateParentedControl>("CreateParentedControl", "ParentWindow"),
        ZEL_PROC(W, Broadcast, "Message"),
        ZEL_FUNC(W, CanFocus),
        ZEL_FUNC(W, ContainsControl, "Control"),
        funcFn<&ControlAtPos>("ControlAtPos", "Pos,AllowDisabled"),
        ZEL_PROC(W, DisableAlign),
        ZEL_PROC(W, DockDrop, "Source,X,Y"),
        ZEL_PROC(W, EnableAlign),
        ZEL_FUNC(W, FindChildControl, "ControlName"),
        ZEL_PROC(W, FlipChildren, "AllLevels"),
        ZEL_FUNC(W, Focused),
        procFn<&GetTabOrderList>("GetTabOrderList", "List"),
        ZEL_FUNC(W, HandleAllocated),
        ZEL_PROC(W, HandleNeeded),
        ZEL_PROC(W, InsertControl, "AControl"),
        ZEL_PROC(W, MouseWheelHandler, "Message"),
        proc<static_cast<PaintToDC>(&W::PaintTo)>("PaintTo", "DC,X,Y"),
        ZEL_PROC(W, RemoveControl, "AControl"),
        ZEL_PROC(W, Realign),
        ZEL_PROC(W, ScaleBy, "M,D"),
        ZEL_PROC(W, ScrollBy, "DeltaX,DeltaY"),
        ZEL_PROC(W, SetFocus),
        ZEL_PROC(W, UpdateControlState),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("CreateParented", "ParentWindow")};
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(W, OnDockDrop, "Sender,Source,X,Y").protected_(),
        ZEL_EVENT(W, OnDockOver, "Sender,Source,X,Y,State,Accept").protected_(),
        ZEL_EVENT(W, OnEnter, "Sender").protected_(),
        ZEL_EVENT(W, OnExit, "Sender").protected_(),
        ZEL_EVENT(W, OnGetSiteInfo, "Sender,DockClient,InfluenceRect,MousePos,CanDock")
            .protected_(),
        ZEL_EVENT(W, OnKeyDown, "Sender,Key,Shift").protected_(),
        ZEL_EVENT(W, OnKeyPress, "Sender,Key").protected_(),
        ZEL_EVENT(W, OnKeyUp, "Sender,Key,Shift").protected_(),
        ZEL_EVENT(W, OnMouseWheel, "Sender,Shift,WheelDelta,MousePos,Handled").protected_(),
        ZEL_EVENT(W, OnMouseWheelDown, "Sender,Shift,MousePos,Handled").protected_(),
        ZEL_EVENT(W, OnMouseWheelUp, "Sender,Shift,MousePos,Handled").protected_(),
        ZEL_EVENT(W, OnUnDock, "Sender,Client,NewTarget,Allow").protected_(),
    };
};
ZEL_TABLE(TWinControlClassInfo);

struct TGraphicControlClassInfo::ZelRows {
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP_R(TGraphicControl, Canvas).protected_(),
    };
};
ZEL_TABLE(TGraphicControlClassInfo);

struct TCustomControlClassInfo::ZelRows {
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP_R(TCustomControl, Canvas).protected_(),
    };
};
ZEL_TABLE(TCustomControlClassInfo);

struct THintWindowClassInfo::ZelRows {
    using CI = THintWindowClassInfo;
    using H = THintWindow;
    static constexpr auto Properties =
        zelRows(override_("BiDiMode", {}, pvPublic), override_("Caption", {}, pvPublic),
                override_("Color", {}, pvPublic), override_("Canvas", {}, pvPublic));
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(H, ActivateHint, "Rect,AHint"),
        ZEL_PROC(H, ActivateHintData, "Rect,AHint,AData"),
        ZEL_FUNC_SLOT(H, CalcHintRect, "MaxWidth,AHint,AData"),
        ZEL_FUNC(H, IsHintMsg, "Msg"),
        ZEL_PROC(H, ReleaseHandle),
    };
};
ZEL_TABLE(THintWindowClassInfo);

} // namespace zeltrix
