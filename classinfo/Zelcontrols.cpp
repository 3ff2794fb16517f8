// The controls' class infos and the unit's registration.
#include "classinfo/Zelcontrols.h"

#include "core/ClassInfoRows.h"

namespace zeltrix {

using namespace host;

struct TDragObjectClassInfo::ZelRows {
    using CI = TDragObjectClassInfo;
    using D = TDragObject;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(D, Cancelling),
        prop<&D::GetDragHandle, &D::SetDragHandle, &CI::FDragHandleSlot>("DragHandle"),
        prop<&D::GetDragPos, &D::SetDragPos, &CI::FDragPosSlot>("DragPos"),
        prop<&D::GetDragTargetPos, &D::SetDragTargetPos, &CI::FDragTargetPosSlot>(
            "DragTargetPos"),
        ZEL_PROP(D, DragTarget),
        ZEL_PROP_R(D, MouseDeltaX),
        ZEL_PROP_R(D, MouseDeltaY),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(D, Assign, "Source"),     ZEL_FUNC(D, GetName),
        ZEL_PROC(D, HideDragImage),        ZEL_FUNC_SLOT(D, Instance),
        ZEL_PROC(D, ShowDragImage),
    };
};
ZEL_TABLE(TDragObjectClassInfo);

struct TBaseDragControlObjectClassInfo::ZelRows {
    static constexpr TzelPropRow Properties[] = {ZEL_PROP(TBaseDragControlObject, Control)};
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "AControl")};
};
ZEL_TABLE(TBaseDragControlObjectClassInfo);

struct TDragControlObjectClassInfo::ZelRows {}; // an exact entry for the host class
ZEL_TABLE(TDragControlObjectClassInfo);

struct TDragDockObjectClassInfo::ZelRows {
    using CI = TDragDockObjectClassInfo;
    using D = TDragDockObject;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(D, Brush),
        prop<&D::GetDockRect, &D::SetDockRect, &CI::FDockRectSlot>("DockRect"),
        ZEL_PROP_R(D, DropAlign),
        ZEL_PROP_R(D, DropOnControl),
        ZEL_PROP(D, Floating),
        ZEL_PROP_R(D, FrameWidth),
    };
};
ZEL_TABLE(TDragDockObjectClassInfo);

struct TControlCanvasClassInfo::ZelRows {
    using C = TControlCanvas;
    static constexpr TzelPropRow Properties[] = {ZEL_PROP(C, Control)};
    static constexpr TzelMethodRow Methods[] = {ZEL_PROC(C, FreeHandle), ZEL_PROC(C, UpdateTextFlags)};
};
ZEL_TABLE(TControlCanvasClassInfo);

struct TControlActionLinkClassInfo::ZelRows {}; // an exact entry for the host class
ZEL_TABLE(TControlActionLinkClassInfo);

struct TSizeConstraintsClassInfo::ZelRows {
    using S = TSizeConstraints;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP_R(S, Control).protected_(),
        ZEL_PROP(S, MaxHeight).published(),
        ZEL_PROP(S, MaxWidth).published(),
        ZEL_PROP(S, MinHeight).published(),
        ZEL_PROP(S, MinWidth).published(),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "Control")};
    static constexpr TzelEventRow Events[] = {ZEL_EVENT(S, OnChange, "Sender")};
};
ZEL_TABLE(TSizeConstraintsClassInfo);

struct TWinControlActionLinkClassInfo::ZelRows {}; // an exact entry for the host class
ZEL_TABLE(TWinControlActionLinkClassInfo);

struct TDragImageListClassInfo::ZelRows {
    using L = TDragImageList;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(L, DragCursor),
        ZEL_PROP_R(L, Dragging),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_FUNC(L, BeginDrag, "Window,X,Y"),
        ZEL_FUNC(L, DragLock, "Window,XPos,YPos"),
        ZEL_FUNC(L, DragMove, "X,Y"),
        ZEL_PROC(L, DragUnlock),
        ZEL_FUNC(L, EndDrag),
        ZEL_PROC(L, HideDragImage),
        ZEL_FUNC(L, SetDragImage, "Index,HotSpotX,HotSpotY"),
        ZEL_PROC(L, ShowDragImage),
    };
};
ZEL_TABLE(TDragImageListClassInfo);

struct TImageListClassInfo::ZelRows {
    static constexpr auto Properties =
        zelRows(published("BlendColor", "BkColor", "AllocBy", "DrawingStyle", "Height",
                          "ImageType", "Masked", "ShareImages", "Width"));
    static constexpr auto Events = zelRows(published("OnChange"));
};
ZEL_TABLE(TImageListClassInfo);

struct TDockZoneClassInfo::ZelRows {
    using Z = TDockZone;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP_R(Z, ChildCount), ZEL_PROP_R(Z, Height),    ZEL_PROP_R(Z, Left),
        ZEL_PROP_R(Z, LimitBegin), ZEL_PROP_R(Z, LimitSize), ZEL_PROP_R(Z, Top),
        ZEL_PROP_R(Z, Width),
    };
    static constexpr TzelMethodRow Methods[] = {ZEL_PROC(Z, ResetChildren), ZEL_PROC(Z, Update)};
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "Tree")};
};
ZEL_TABLE(TDockZoneClassInfo);

struct TDockTreeClassInfo::ZelRows {
    static constexpr TzelMethodRow Methods[] = {ZEL_PROC(TDockTree, PaintSite, "DC")};
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "DockSite")};
};
ZEL_TABLE(TDockTreeClassInfo);

struct TMouseClassInfo::ZelRows {
    using CI = TMouseClassInfo;
    using M = TMouse;
    static constexpr TzelPropRow Properties[] = {
        prop<&M::GetCapture, &M::SetCapture, &CI::FCaptureSlot>("Capture"),
        prop<&M::GetCursorPos, &M::SetCursorPos, &CI::FCursorPosSlot>("CursorPos"),
        ZEL_PROP(M, DragImmediate),
        ZEL_PROP(M, DragThreshold),
        ZEL_PROP_R(M, MousePresent),
        ZEL_PROP_R_SLOT(M, RegWheelMessage),
        ZEL_PROP_R(M, WheelPresent),
        ZEL_PROP_R(M, WheelScrollLines),
    };
    static constexpr TzelMethodRow Methods[] = {ZEL_PROC(M, SettingChanged, "Setting")};
    static constexpr TzelCtorRow Constructors[] = {ctor("Create")};
};
ZEL_TABLE(TMouseClassInfo);

namespace Zelcontrols {
namespace {
constexpr const TzelClassTable* Tables[] = {
    &TDragObjectClassInfo::ZelTable,
    &TBaseDragControlObjectClassInfo::ZelTable,
    &TDragControlObjectClassInfo::ZelTable,
    &TDragDockObjectClassInfo::ZelTable,
    &TControlCanvasClassInfo::ZelTable,
    &TControlActionLinkClassInfo::ZelTable,
    &TSizeConstraintsClassInfo::ZelTable,
    &TControlClassInfo::ZelTable,
    &TWinControlActionLinkClassInfo::ZelTable,
    &TWinControlClassInfo::ZelTable,
    &TGraphicControlClassInfo::ZelTable,
    &TCustomControlClassInfo::ZelTable,
    &THintWindowClassInfo::ZelTable,
    &TDragImageListClassInfo::ZelTable,
    &TImageListClassInfo::ZelTable,
    &TDockZoneClassInfo::ZelTable,
    &TDockTreeClassInfo::ZelTable,
    &TMouseClassInfo::ZelTable,
};
} // namespace

void Initialize() {
    zelInitializeUnit(Tables);
}
void Finalize() {
    zelFinalizeUnit(Tables);
}
} // namespace Zelcontrols

} // namespace zeltrix
