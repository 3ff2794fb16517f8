// The forms' class infos and the unit's registration.
#include "classinfo/Zelforms.h"

#include "core/ClassInfoRows.h"
#include "host/classes/StringList.h"
#include "host/system/SysUtils.h"

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
        ZEL_PROP_R(M, Handle), ZEL_PROP_R(M, MonitorNum), ZEL_PROP_R(M, Left),
        ZEL_PROP_R(M, Height), ZEL_PROP_R(M, Top),        ZEL_PROP_R(M, Width),
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

/// The hint record of OnShowHint goes to the listeners as the caller's record; one a listener
/// hands back is copied in, its text as a string.
template <>
struct ZelEventParam<THintInfo&> {
    static constexpr bool Var = true;
    static void In(Variant* V, const THintInfo& X) {
        if (V) *V = zelAddressToVariant(&X);
    }
    static void Refresh(Variant*, const THintInfo&) {}
    static void Back(Variant* V, THintInfo& X) {
        if (!V) return;
        auto* from = static_cast<const THintInfo*>(zelAddressFromVariant(*V));
        if (from != &X) X = *from;
    }
};

struct TApplicationClassInfo::ZelRows {
    using CI = TApplicationClassInfo;
    using A = TApplication;

    // CreateForm's Reference is an untyped var: the new form comes back in it.
    static void CreateForm(A& Owner, TClass InstanceClass, Variant& Reference) {
        TComponent* form = nullptr;
        Owner.CreateForm(InstanceClass, &form);
        Reference = Conv<TObject*>::To(form);
    }
    // Text and Caption are character pointers: an address made as one, or the text itself.
    static AnsiString Text(const Variant& V) {
        if (V.IsByRef()) {
            auto* p = static_cast<const char*>(zelPointerFromVariant(V));
            return p ? AnsiString(p) : AnsiString();
        }
        if (V.IsEmpty() || V.IsNull()) return AnsiString();
        if (V.IsString()) return V.AsString();
        throw EInvalidCast(Format("%s is not an address of this process", {V.AsString()}));
    }
    static Integer MessageBox(A& Owner, const Variant& Text_, const Variant& Caption,
                              Integer Flags) {
        return Owner.MessageBox(Text(Text_), Text(Caption), Flags);
    }

    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP_R(A, Active),
        ZEL_PROP(A, AllowTesting),
        ZEL_PROP_R(A, CurrentHelpFile),
        prop<&A::GetDialogHandle, &A::SetDialogHandle, &CI::FDialogHandleSlot>("DialogHandle"),
        ZEL_PROP_R(A, ExeName),
        prop<&A::GetHandle, &A::SetHandle, &CI::FHandleSlot>("Handle"),
        ZEL_PROP(A, HelpFile),
        ZEL_PROP(A, Hint),
        ZEL_PROP(A, HintColor),
        ZEL_PROP(A, HintHidePause),
        ZEL_PROP(A, HintPause),
        ZEL_PROP(A, HintShortCuts),
        ZEL_PROP(A, HintShortPause),
        // The application's icon takes the given one's image (Assign), as the host's setter does.
        ZEL_PROP(A, Icon),
        ZEL_PROP_R(A, MainForm),
        ZEL_PROP(A, BiDiMode),
        ZEL_PROP(A, ShowHint),
        ZEL_PROP(A, ShowMainForm),
        ZEL_PROP_R(A, Terminated),
        ZEL_PROP(A, Title),
        ZEL_PROP(A, UpdateFormatSettings),
        ZEL_PROP(A, UpdateMetricSettings),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(A, BringToFront),
        ZEL_PROC(A, ControlDestroyed, "Control"),
        ZEL_PROC(A, CancelHint),
        procFn<&CreateForm>("CreateForm", "InstanceClass,Reference"),
        ZEL_PROC(A, CreateHandle),
        ZEL_FUNC(A, ExecuteAction, "Action"),
        ZEL_PROC(A, HandleException, "Sender"),
        ZEL_PROC(A, HandleMessage),
        ZEL_FUNC(A, HelpCommand, "Command,Data"),
        ZEL_FUNC(A, HelpContext, "Context"),
        ZEL_FUNC(A, HelpJump, "JumpID"),
        ZEL_PROC(A, HideHint),
        ZEL_PROC(A, HintMouseMessage, "Control,Message"),
        ZEL_PROC(A, Initialize),
        ZEL_FUNC(A, IsRightToLeft),
        funcFn<&MessageBox>("MessageBox", "Text,Caption,Flags"),
        ZEL_PROC(A, Minimize),
        ZEL_PROC(A, NormalizeAllTopMosts),
        ZEL_PROC(A, NormalizeTopMosts),
        ZEL_PROC(A, ProcessMessages),
        ZEL_PROC(A, Restore),
        ZEL_PROC(A, RestoreTopMosts),
        ZEL_PROC(A, Run),
        ZEL_PROC(A, ShowException, "E"),
        ZEL_PROC(A, Terminate),
        ZEL_FUNC(A, UpdateAction, "Action"),
        ZEL_FUNC(A, UseRightToLeftAlignment),
        ZEL_FUNC(A, UseRightToLeftReading),
        ZEL_FUNC(A, UseRightToLeftScrollBar),
    };
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(A, OnActionExecute, "Action,Handled"),
        ZEL_EVENT(A, OnActionUpdate, "Action,Handled"),
        ZEL_EVENT(A, OnActivate, "Sender"),
        ZEL_EVENT(A, OnDeactivate, "Sender"),
        ZEL_EVENT(A, OnException, "Sender,E"),
        ZEL_EVENT(A, OnIdle, "Sender,Done"),
        ZEL_EVENT(A, OnHelp, "Command,Data,CallHelp"),
        ZEL_EVENT(A, OnHint, "Sender"),
        ZEL_EVENT(A, OnMessage, "Msg,Handled"),
        ZEL_EVENT(A, OnMinimize, "Sender"),
        ZEL_EVENT(A, OnRestore, "Sender"),
        ZEL_EVENT(A, OnShowHint, "HintStr,CanShow,HintInfo"),
        ZEL_EVENT(A, OnShortCut, "Msg,Handled"),
    };
};
ZEL_TABLE(TApplicationClassInfo);

namespace Zelforms {
namespace {
constexpr const TzelClassTable* Tables[] = {
    &TControlScrollBarClassInfo::ZelTable, &TScrollingWinControlClassInfo::ZelTable,
    &TScrollBoxClassInfo::ZelTable,        &TCustomFormClassInfo::ZelTable,
    &TCustomActiveFormClassInfo::ZelTable, &TFormClassInfo::ZelTable,
    &TCustomDockFormClassInfo::ZelTable,   &TDataModuleClassInfo::ZelTable,
    &TMonitorClassInfo::ZelTable,          &TScreenClassInfo::ZelTable,
    &TApplicationClassInfo::ZelTable,
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
