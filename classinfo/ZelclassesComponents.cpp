// Threads, components and basic actions.
#include "classinfo/Zelclasses.h"
#include "classinfo/ZelclassesAccess.h"

#include "core/ClassInfoRows.h"

namespace zeltrix {

using namespace host;

struct TThreadClassInfo::ZelRows {
    using CI = TThreadClassInfo;
    using P = TProtectedTThread;
    static constexpr TzelPropRow Properties[] = {
        ZEL_FIELD(P, ReturnValue).protected_(),                                // straight
        ZEL_PROP_R(P, Terminated).protected_(), ZEL_FIELD(P, FreeOnTerminate), // straight
        ZEL_PROP_R_SLOT(TThread, Handle),       ZEL_PROP(TThread, Priority),
        ZEL_PROP(TThread, Suspended),           ZEL_PROP_R_SLOT(TThread, ThreadID),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(TThread, Resume),
        ZEL_PROC(TThread, Suspend),
        ZEL_PROC(TThread, Terminate),
        ZEL_FUNC_SLOT(TThread, WaitFor),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "CreateSuspended")};
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(TThread, OnTerminate, "Sender"),
    };
};
ZEL_TABLE(TThreadClassInfo);

struct TComponentClassInfo::ZelRows {
    using CI = TComponentClassInfo;
    using C = TComponent;
    using P = TProtectedTComponent;

    // The class info keeps a reference, so the bare pointer in the Variant stays valid.
    static Variant GetComObject(CI& Self, C& Owner) {
        Self.FComObject = Owner.GetComObject();
        return zelAddressToVariant(Self.FComObject.get());
    }
    static Variant GetVCLComObject(C& Owner) {
        return zelAddressToVariant(Owner.GetVCLComObject());
    }
    // The host calls through this pointer: only an address is taken, stored straight.
    static void SetVCLComObject(C& Owner, const Variant& Value) {
        Owner.*(&P::FVCLComObject) = const_cast<void*>(zelPointerFromVariant(Value));
    }

    static constexpr TzelPropRow Properties[] = {
        propFnR<&GetComObject>("ComObject"),
        ZEL_PROP_R(C, Components, "Index"),
        ZEL_PROP_R(C, ComponentCount),
        ZEL_PROP(C, ComponentIndex),
        ZEL_PROP_R_SLOT(C, ComponentState),
        ZEL_PROP_R_SLOT(C, ComponentStyle),
        ZEL_FIELD(P, DesignInfo), // straight into the component
        ZEL_PROP_R(C, Owner),
        propFn<&GetVCLComObject, &SetVCLComObject>("VCLComObject"),
        ZEL_PROP(C, Name).published(),
        ZEL_FIELD(P, Tag).published(), // straight into the component
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(C, DestroyComponents),
        ZEL_PROC(C, Destroying),
        ZEL_FUNC(C, ExecuteAction, "Action"),
        ZEL_FUNC(C, FindComponent, "AName"),
        ZEL_PROC(C, FreeNotification, "AComponent"),
        ZEL_PROC(C, FreeOnRelease),
        ZEL_FUNC(C, GetParentComponent),
        ZEL_FUNC(C, HasParent),
        ZEL_PROC(C, InsertComponent, "AComponent"),
        ZEL_PROC(C, RemoveComponent, "AComponent"),
        ZEL_FUNC(C, UpdateAction, "Action"),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "AOwner")};
};
ZEL_TABLE(TComponentClassInfo);

struct TBasicActionLinkClassInfo::ZelRows {
    using L = TBasicActionLink;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(L, Action),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_FUNC(L, Execute),
        ZEL_FUNC(L, Update),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "AClient")};
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(L, OnChange, "Sender"),
    };
};
ZEL_TABLE(TBasicActionLinkClassInfo);

struct TBasicActionClassInfo::ZelRows {
    using CI = TBasicActionClassInfo;
    using A = TBasicAction;
    using P = TProtectedTBasicAction;
    static constexpr TzelMethodRow Methods[] = {
        ZEL_FUNC(A, HandlesTarget, "Target"),
        ZEL_PROC(A, UpdateTarget, "Target"),
        ZEL_PROC(A, ExecuteTarget, "Target"),
        ZEL_FUNC(A, Execute),
        ZEL_PROC(A, RegisterChanges, "Value"),
        ZEL_PROC(A, UnRegisterChanges, "Value"),
        ZEL_FUNC(A, Update),
    };
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(P, OnChange, "Sender").protected_(),
        ZEL_EVENT(A, OnExecute, "Sender"),
        ZEL_EVENT(A, OnUpdate, "Sender"),
    };
};
ZEL_TABLE(TBasicActionClassInfo);

} // namespace zeltrix
