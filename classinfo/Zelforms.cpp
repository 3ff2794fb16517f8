// The forms' class infos and the unit's registration.
#include "classinfo/Zelforms.h"

#include "core/ClassInfoRows.h"
#include "host/classes/StringList.h"

namespace zeltrix {

using namespace host;

struct TControlScrollBarClassInfo::ZelRows {
    using B = TControlScrollBar;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP_R(B, Kind),
        ZEL_PROP_R(B, ScrollPos),
        ZEL_PROP(B, ButtonSize).published(),
        ZEL_PROP(B, Color).published(),
        ZEL_PROP(B, Increment).published(),
        ZEL_PROP(B, Margin).published(),
        ZEL_PROP(B, ParentColor).published(),
        ZEL_PROP(B, Position).published(),
        ZEL_PROP(B, Range).published(),
        ZEL_PROP(B, Smooth).published(),
        ZEL_PROP(B, Size).published(),
        ZEL_PROP(B, Style).published(),
        ZEL_PROP(B, ThumbSize).published(),
        ZEL_PROP(B, Tracking).published(),
        ZEL_PROP(B, Visible).published(),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(B, ChangeBiDiPosition),
        ZEL_FUNC(B, IsScrollBarVisible),
    };
};
ZEL_TABLE(TControlScrollBarClassInfo);

struct TDataModuleClassInfo::ZelRows {
    using CI = TDataModuleClassInfo;
    using M = TDataModule;
    static constexpr TzelPropRow Properties[] = {
        prop<&M::GetDesignOffset, &M::SetDesignOffset, &CI::FDesignOffsetSlot>("DesignOffset"),
        prop<&M::GetDesignSize, &M::SetDesignSize, &CI::FDesignSizeSlot>("DesignSize"),
        ZEL_PROP(M, OldCreateOrder).published(),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("CreateNew", "AOwner,Dummy")};
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(M, OnCreate, "Sender").published(),
        ZEL_EVENT(M, OnDestroy, "Sender").published(),
    };
};
ZEL_TABLE(TDataModuleClassInfo);

struct TMonitorClassInfo::ZelRows {
    using M = TMonitor;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP_R(M, Handle),  ZEL_PROP_R(M, MonitorNum), ZEL_PROP_R(M, Left),
        ZEL_PROP_R(M, Height),  ZEL_PROP_R(M, Top),        ZEL_PROP_R(M, Width),
    };
};
ZEL_TABLE(TMonitorClassInfo);

struct TScreenClassInfo::ZelRows {
    using CI = TScreenClassInfo;
    using S = TScreen;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP_R(S, ActiveControl),
        ZEL_PROP_R(S, ActiveCustomForm),
        ZEL_PROP_R(S, ActiveForm),
        ZEL_PROP_R(S, CustomFormCount),
        ZEL_PROP_R(S, CustomForms, "Index"),
        ZEL_PROP(S, Cursor),
        prop<&S::GetCursors, &S::SetCursors, &CI::FCursorsSlot>("Cursors", "Index"),
        ZEL_PROP_R(S, DataModules, "Index"),
        ZEL_PROP_R(S, DataModuleCount),
        ZEL_PROP_R(S, MonitorCount),
        ZEL_PROP_R(S, Monitors, "Index"),
        ZEL_PROP_R(S, DesktopHeight),
        ZEL_PROP_R(S, DesktopLeft),
        ZEL_PROP_R(S, DesktopTop),
        ZEL_PROP_R(S, DesktopWidth),
        // The host stores the given font in place of its own; here the screen's font takes
        // the given one's values (Assign), so each font keeps its one owner.
        ZEL_PROP(S, IconFont),
        ZEL_PROP_R(S, Fonts),
        ZEL_PROP_R(S, FormCount),
        ZEL_PROP_R(S, Forms, "Index"),
        ZEL_PROP_R(S, Imes),
        ZEL_PROP_R(S, DefaultIme),
        ZEL_PROP_R_SLOT(S, DefaultKbLayout),
        ZEL_PROP_R(S, Height),
        ZEL_PROP_R(S, PixelsPerInch),
        ZEL_PROP_R(S, Width),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(S, DisableAlign),
        ZEL_PROC(S, EnableAlign),
        ZEL_PROC(S, Realign),
    };
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(S, OnActiveControlChange, "Sender"),
        ZEL_EVENT(S, OnActiveFormChange, "Sender"),
    };
};
ZEL_TABLE(TScreenClassInfo);

namespace Zelforms {
namespace {
constexpr const TzelClassTable* Tables[] = {
    &TControlScrollBarClassInfo::ZelTable,
    &TScrollingWinControlClassInfo::ZelTable,
    &TScrollBoxClassInfo::ZelTable,
    &TCustomFormClassInfo::ZelTable,
    &TCustomActiveFormClassInfo::ZelTable,
    &TFormClassInfo::ZelTable,
    &TCustomDockFormClassInfo::ZelTable,
    &TDataModuleClassInfo::ZelTable,
    &TMonitorClassInfo::ZelTable,
    &TScreenClassInfo::ZelTable,
};
} // namespace

void Initialize() {
    zelInitializeUnit(Tables);
}
void Finalize() {
    zelFinalizeUnit(Tables);
}
} // namespace Zelforms

} // namespace zeltrix
