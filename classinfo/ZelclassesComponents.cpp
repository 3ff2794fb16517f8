// Threads, components and basic actions.
#include "classinfo/Zelclasses.h"
#include "classinfo/ZelclassesAccess.h"

#include "core/ClassInfoTable.h"

namespace zeltrix {

using namespace host;

template <>
inline constexpr int ZelEnumHigh<TThreadPriority> = tpTimeCritical;

struct TThreadClassInfo::ZelRows {
    using CI = TThreadClassInfo;
    using P = TProtectedTThread;
    static constexpr TzelPropRow Properties[] = {
        prop<&P::FReturnValue, &P::FReturnValue>("ReturnValue").protected_(), // straight
        propR<&P::GetTerminated>("Terminated").protected_(),
        prop<&P::FFreeOnTerminate, &P::FFreeOnTerminate>("FreeOnTerminate"), // straight
        propR<&TThread::GetHandle, &CI::FHandleSlot>("Handle"),
        prop<&TThread::GetPriority, &TThread::SetPriority>("Priority"),
        prop<&TThread::GetSuspended, &TThread::SetSuspended>("Suspended"),
        propR<&TThread::GetThreadID, &CI::FThreadIDSlot>("ThreadID"),
    };
    static constexpr TzelMethodRow Methods[] = {
        proc<&TThread::Resume>("Resume"),
        proc<&TThread::Suspend>("Suspend"),
        proc<&TThread::Terminate>("Terminate"),
        func<&TThread::WaitFor, &CI::FWaitForSlot>("WaitFor"),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "CreateSuspended")};
    static constexpr TzelEventRow Events[] = {
        event<CI, &TThread::GetOnTerminate, &TThread::SetOnTerminate>("OnTerminate", "Sender"),
    };
};
ZEL_TABLE(TThreadClassInfo, TObjectClassInfo, TThread);

struct TComponentClassInfo::ZelRows {
    using CI = TComponentClassInfo;
    using C = TComponent;
    using P = TProtectedTComponent;

    // The class info keeps a reference, so the bare pointer in the Variant stays valid.
    static Variant GetComObject(TzelClassInfo* Self, TzelPropertyInfo*) {
        auto* self = static_cast<CI*>(Self);
        self->FComObject = zelOwnerAs<C>(Self)->GetComObject();
        return zelAddressToVariant(self->FComObject.get());
    }
    static Variant GetVCLComObject(TzelClassInfo* Self, TzelPropertyInfo*) {
        return zelAddressToVariant(zelOwnerAs<C>(Self)->GetVCLComObject());
    }
    // The host calls through this pointer: only an address is taken, stored straight.
    static void SetVCLComObject(TzelClassInfo* Self, TzelPropertyInfo*, const Variant& Value) {
        void* p = const_cast<void*>(zelPointerFromVariant(Value));
        zelOwnerAs<C>(Self)->*(&P::FVCLComObject) = p;
    }

    static constexpr TzelPropRow Properties[] = {
        propFnR("ComObject", &GetComObject),
        propR<&C::GetComponents>("Components", "Index"),
        propR<&C::GetComponentCount>("ComponentCount"),
        prop<&C::GetComponentIndex, &C::SetComponentIndex>("ComponentIndex"),
        propR<&C::GetComponentState, &CI::FComponentStateSlot>("ComponentState"),
        propR<&C::GetComponentStyle, &CI::FComponentStyleSlot>("ComponentStyle"),
        prop<&P::FDesignInfo, &P::FDesignInfo>("DesignInfo"), // straight into the component
        propR<&C::GetOwner>("Owner"),
        propFn("VCLComObject", &GetVCLComObject, &SetVCLComObject),
        prop<&C::GetName, &C::SetName>("Name").published(),
        prop<&P::FTag, &P::FTag>("Tag").published(), // straight into the component
    };
    static constexpr TzelMethodRow Methods[] = {
        proc<&C::DestroyComponents>("DestroyComponents"),
        proc<&C::Destroying>("Destroying"),
        func<&C::ExecuteAction>("ExecuteAction", "Action"),
        func<&C::FindComponent>("FindComponent", "AName"),
        proc<&C::FreeNotification>("FreeNotification", "AComponent"),
        proc<&C::FreeOnRelease>("FreeOnRelease"),
        func<&C::GetParentComponent>("GetParentComponent"),
        func<&C::HasParent>("HasParent"),
        proc<&C::InsertComponent>("InsertComponent", "AComponent"),
        proc<&C::RemoveComponent>("RemoveComponent", "AComponent"),
        func<&C::UpdateAction>("UpdateAction", "Action"),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "AOwner")};
};
ZEL_TABLE(TComponentClassInfo, TPersistentClassInfo, TComponent);

struct TBasicActionLinkClassInfo::ZelRows {
    using L = TBasicActionLink;
    static constexpr TzelPropRow Properties[] = {
        prop<&L::GetAction, &L::SetAction>("Action"),
    };
    static constexpr TzelMethodRow Methods[] = {
        func<&L::Execute>("Execute"),
        func<&L::Update>("Update"),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "AClient")};
    static constexpr TzelEventRow Events[] = {
        event<TBasicActionLinkClassInfo, &L::GetOnChange, &L::SetOnChange>("OnChange", "Sender"),
    };
};
ZEL_TABLE(TBasicActionLinkClassInfo, TObjectClassInfo, TBasicActionLink);

struct TBasicActionClassInfo::ZelRows {
    using CI = TBasicActionClassInfo;
    using A = TBasicAction;
    using P = TProtectedTBasicAction;
    static constexpr TzelMethodRow Methods[] = {
        func<&A::HandlesTarget>("HandlesTarget", "Target"),
        proc<&A::UpdateTarget>("UpdateTarget", "Target"),
        proc<&A::ExecuteTarget>("ExecuteTarget", "Target"),
        func<&A::Execute>("Execute"),
        proc<&A::RegisterChanges>("RegisterChanges", "Value"),
        proc<&A::UnRegisterChanges>("UnRegisterChanges", "Value"),
        func<&A::Update>("Update"),
    };
    static constexpr TzelEventRow Events[] = {
        event<CI, &P::GetOnChange, &P::SetOnChange>("OnChange", "Sender").protected_(),
        event<CI, &A::GetOnExecute, &A::SetOnExecute>("OnExecute", "Sender"),
        event<CI, &A::GetOnUpdate, &A::SetOnUpdate>("OnUpdate", "Sender"),
    };
};
ZEL_TABLE(TBasicActionClassInfo, TComponentClassInfo, TBasicAction);

} // namespace zeltrix
