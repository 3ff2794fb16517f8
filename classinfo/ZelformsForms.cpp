// The class infos of the scrolling controls and the forms.
#include "classinfo/Zelforms.h"

#include "core/ClassInfoRows.h"
#include "host/forms/DockForm.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Icon.h"
#include "host/menus/Menu.h"

namespace zeltrix {

using namespace host;

struct TScrollingWinControlClassInfo::ZelRows {
    using S = TScrollingWinControl;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(S, AutoScroll).protected_(),
        ZEL_PROP(S, HorzScrollBar).published(),
        ZEL_PROP(S, VertScrollBar).published(),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(S, DisableAutoRange),
        ZEL_PROC(S, EnableAutoRange),
        ZEL_PROC(S, ScrollInView, "AControl"),
    };
};
ZEL_TABLE(TScrollingWinControlClassInfo);

struct TScrollBoxClassInfo::ZelRows {
    static constexpr auto Properties = zelRows(
        ZEL_PROP(TScrollBox, BorderStyle).published(),
        published("Align", "Anchors", "AutoScroll", "AutoSize", "BiDiMode", "Constraints",
                  "DockSite", "DragCursor", "DragKind", "DragMode", "Enabled", "Color", "Ctl3D",
                  "Font", "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont",
                  "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder", "TabStop", "Visible"));
    static constexpr auto Events = zelRows(published(
        "OnCanResize", "OnClick", "OnConstrainedResize", "OnDblClick", "OnDockDrop", "OnDockOver",
        "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag", "OnEnter", "OnExit",
        "OnGetSiteInfo", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnMouseWheel",
        "OnMouseWheelDown", "OnMouseWheelUp", "OnResize", "OnStartDock", "OnStartDrag",
        "OnUnDock"));
};
ZEL_TABLE(TScrollBoxClassInfo);

struct TCustomFormClassInfo::ZelRows {
    using CI = TCustomFormClassInfo;
    using F = TCustomForm;
    static constexpr TzelPropertyStyle WriteOnly{psWritable};
    static constexpr auto Properties = zelRows(
        ZEL_PROP_R(F, ActiveMDIChild).protected_(),
        prop<&F::GetBorderIcons, &F::SetBorderIcons, &CI::FBorderIconsSlot>("BorderIcons")
            .protected_(),
        ZEL_PROP_R_SLOT(F, ClientHandle).protected_(),
        ZEL_PROP(F, DefaultMonitor).protected_(),
        ZEL_PROP(F, FormStyle).protected_(),
        ZEL_PROP(F, Icon).protected_(),
        ZEL_PROP_R(F, MDIChildCount).protected_(),
        ZEL_PROP_R(F, MDIChildren, "I").protected_(),
        ZEL_PROP(F, OldCreateOrder).protected_(),
        ZEL_PROP(F, ObjectMenuItem).protected_(),
        ZEL_PROP(F, PixelsPerInch).protected_(),
        ZEL_PROP(F, Position).protected_(),
        ZEL_PROP(F, PrintScale).protected_(),
        ZEL_PROP(F, Scaled).protected_(),
        ZEL_PROP(F, TileMode).protected_(),
        ZEL_PROP(F, WindowMenu).protected_(),
        ZEL_PROP_R(F, Active),
        ZEL_PROP(F, ActiveControl),
        ZEL_PROP(F, ActiveOleControl),
        ZEL_PROP(F, BorderStyle),
        ZEL_PROP_R(F, Canvas),
        ZEL_PROP(F, Designer),
        ZEL_PROP(F, DropTarget),
        ZEL_PROP_R_SLOT(F, FormState),
        ZEL_PROP(F, HelpFile),
        ZEL_PROP(F, KeyPreview),
        ZEL_PROP(F, Menu),
        ZEL_PROP(F, ModalResult),
        ZEL_PROP_R(F, Monitor),
        ZEL_PROP(F, OleFormObject),
        ZEL_PROP(F, WindowState),
        // Write-only in the metadata; the control's own code still reads them.
        protected_("AutoScroll"), protected_(WriteOnly, "ClientHeight", "ClientWidth"),
        protected_("Ctl3D", "Height", "HorzScrollBar", "ParentFont", "PopupMenu",
                   "VertScrollBar"),
        protected_(WriteOnly, "Visible"), protected_("Width"),
        public_("Action", "Caption", "Color", "Font"));
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(F, Close),
        ZEL_FUNC(F, CloseQuery),
        ZEL_PROC(F, DefocusControl, "Control,Removing"),
        ZEL_PROC(F, FocusControl, "Control"),
        ZEL_FUNC(F, GetFormImage),
        ZEL_PROC(F, Hide),
        ZEL_FUNC(F, IsShortCut, "Message"),
        ZEL_PROC(F, Print),
        ZEL_PROC(F, Release),
        ZEL_PROC(F, SendCancelMode, "Sender"),
        ZEL_FUNC(F, SetFocusedControl, "Control"),
        ZEL_PROC(F, Show),
        ZEL_FUNC(F, ShowModal),
        ZEL_FUNC(F, WantChildKey, "Child,Message"),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("CreateNew", "AOwner,Dummy")};
    static constexpr auto Events = zelRows(
        ZEL_EVENT(F, OnActivate, "Sender").protected_(),
        ZEL_EVENT(F, OnClose, "Sender,Action").protected_(),
        ZEL_EVENT(F, OnCloseQuery, "Sender,CanClose").protected_(),
        ZEL_EVENT(F, OnCreate, "Sender").protected_(),
        ZEL_EVENT(F, OnDestroy, "Sender").protected_(),
        ZEL_EVENT(F, OnDeactivate, "Sender").protected_(),
        ZEL_EVENT(F, OnHelp, "Command,Data,CallHelp").protected_(),
        ZEL_EVENT(F, OnHide, "Sender").protected_(),
        ZEL_EVENT(F, OnPaint, "Sender").protected_(),
        ZEL_EVENT(F, OnShortCut, "Msg,Handled").protected_(),
        ZEL_EVENT(F, OnShow, "Sender").protected_(),
        protected_("OnCanResize", "OnClick", "OnDblClick", "OnDragDrop", "OnDragOver",
                   "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown", "OnMouseMove",
                   "OnMouseUp", "OnResize"));
};
ZEL_TABLE(TCustomFormClassInfo);

struct TCustomActiveFormClassInfo::ZelRows {
    static constexpr auto Properties = zelRows(
        ZEL_PROP(TCustomActiveForm, AxBorderStyle).published(), public_("Visible"),
        published("ActiveControl", "Anchors", "AutoScroll", "AutoSize", "BorderWidth", "Caption",
                  "Color", "Constraints", "Font", "Height", "HorzScrollBar", "KeyPreview",
                  "OldCreateOrder", "PixelsPerInch", "PopupMenu", "PrintScale", "Scaled",
                  "ShowHint", "VertScrollBar", "Width"));
    static constexpr auto Events = zelRows(published(
        "OnActivate", "OnClick", "OnCreate", "OnDblClick", "OnDestroy", "OnDeactivate",
        "OnDragDrop", "OnDragOver", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown",
        "OnMouseMove", "OnMouseUp", "OnPaint"));
};
ZEL_TABLE(TCustomActiveFormClassInfo);

struct TFormClassInfo::ZelRows {
    using F = TForm;
    static constexpr auto Properties = zelRows(
        public_("ActiveMDIChild", "ClientHandle", "DockManager", "MDIChildCount", "MDIChildren",
                "TileMode"),
        published("Action", "ActiveControl", "Align", "Anchors", "AutoScroll", "AutoSize",
                  "BiDiMode", "BorderIcons", "BorderStyle", "BorderWidth", "Caption",
                  "ClientHeight", "ClientWidth", "Color", "Constraints", "Ctl3D",
                  "UseDockManager", "DefaultMonitor", "DockSite", "DragKind", "DragMode",
                  "Enabled", "ParentFont", "Font", "FormStyle", "Height", "HelpFile",
                  "HorzScrollBar", "Icon", "KeyPreview", "Menu", "OldCreateOrder",
                  "ObjectMenuItem", "ParentBiDiMode", "PixelsPerInch", "PopupMenu", "Position",
                  "PrintScale", "Scaled", "ShowHint", "VertScrollBar", "Visible", "Width",
                  "WindowState", "WindowMenu"));
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(F, ArrangeIcons), ZEL_PROC(F, Cascade), ZEL_PROC(F, Next),
        ZEL_PROC(F, Previous),     ZEL_PROC(F, Tile),
    };
    static constexpr auto Events = zelRows(published(
        "OnActivate", "OnCanResize", "OnClick", "OnClose", "OnCloseQuery", "OnConstrainedResize",
        "OnCreate", "OnDblClick", "OnDestroy", "OnDeactivate", "OnDockDrop", "OnDockOver",
        "OnDragDrop", "OnDragOver", "OnEndDock", "OnGetSiteInfo", "OnHide", "OnHelp",
        "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown", "OnMouseMove", "OnMouseUp",
        "OnMouseWheel", "OnMouseWheelDown", "OnMouseWheelUp", "OnPaint", "OnResize",
        "OnShortCut", "OnShow", "OnStartDock", "OnUnDock"));
};
ZEL_TABLE(TFormClassInfo);

struct TCustomDockFormClassInfo::ZelRows {
    static constexpr auto Properties =
        zelRows(public_("AutoScroll", "BorderStyle", "FormStyle"), published("PixelsPerInch"));
};
ZEL_TABLE(TCustomDockFormClassInfo);

} // namespace zeltrix
