#include "classinfo/Zelsystem.h"

#include "core/ClassInfoTable.h"
#include "host/system/Exceptions.h"
#include "host/system/Interfaces.h"
#include "host/system/SysUtils.h"

namespace zeltrix {

using host::TClass;
using host::TGUID;
using host::TInterfacedObject;

HOST_METACLASS(TObjectClassInfo, TzelClassInfo);
HOST_METACLASS(TInterfacedObjectClassInfo, TObjectClassInfo);

namespace {
TzelDescriptorTexts ObjectTexts, InterfacedObjectTexts;

/// A message handed to Dispatch or DefaultHandler: a by-address Variant is the caller's message
/// record, which the host reads and writes in place. A plain number is dispatched as a zeroed
/// message record of that number, large enough for every message record of the host.
template <void (TObject::*Call)(void*), Variant TObjectClassInfo::*Slot>
void CallWithMessage(TObjectClassInfo* Self, TzelMethodInfo* Info) {
    TObject* owner = TzelDispatch::Owner(Self);
    zelNeed(Info, Info->GetArgCount(), 1);
    const Variant& message = Info->Args[0]->Value;
    Self->*Slot = message;
    if (message.IsByRef()) {
        (owner->*Call)(const_cast<void*>(zelAddressFromVariant(message)));
        return;
    }
    alignas(16) unsigned char record[256] = {};
    const host::Cardinal msg = static_cast<host::Cardinal>(Conv<Int64>::From(message));
    std::memcpy(record, &msg, sizeof msg);
    (owner->*Call)(record);
}
} // namespace

struct TObjectClassInfo::ZelRows {
    static Variant Self(TzelClassInfo* CI, TzelPropertyInfo*) {
        return Conv<TObject*>::To(TzelDispatch::Owner(CI));
    }

    // The host initialises an instance when it constructs it; an address is accepted only as
    // a live instance of the owner's class, which is returned as the host's InitInstance does.
    static void InitInstance(TzelClassInfo* CI, TzelMethodInfo* Info) {
        TObject* owner = TzelDispatch::Owner(CI);
        zelNeed(Info, Info->GetArgCount(), 1);
        Info->Result =
            Conv<TObject*>::To(zelObjectFromVariant(Info->Args[0]->Value, owner->ClassType()));
    }

    // Managed members of a C++ object are finalised by its destructor alone; finalising them
    // early would leave a live object broken, so there is nothing to do here.
    static void CleanupInstance(TzelClassInfo* CI, TzelMethodInfo*) { TzelDispatch::Owner(CI); }

    // The class's run-time type information is its metaclass on this host.
    static void ClassInfo(TzelClassInfo* CI, TzelMethodInfo* Info) {
        Info->Result = zelAddressToVariant(TzelDispatch::Owner(CI)->ClassType());
    }

    // Name is a short string.
    static void MethodAddress(TzelClassInfo* CI, TzelMethodInfo* Info) {
        TObject* owner = TzelDispatch::Owner(CI);
        zelNeed(Info, Info->GetArgCount(), 1);
        Info->Result =
            zelAddressToVariant(owner->MethodAddress(zelShortString(Info->Args[0]->Value)));
    }

    static void FieldAddress(TzelClassInfo* CI, TzelMethodInfo* Info) {
        TObject* owner = TzelDispatch::Owner(CI);
        zelNeed(Info, Info->GetArgCount(), 1);
        Info->Result =
            zelAddressToVariant(owner->FieldAddress(zelShortString(Info->Args[0]->Value)));
    }

    // Obj is an out buffer: the interface pointer the host put there, as an address.
    static void GetInterface(TzelClassInfo* CI, TzelMethodInfo* Info) {
        TObject* owner = TzelDispatch::Owner(CI);
        zelNeed(Info, Info->GetArgCount(), 2);
        const TGUID iid = Conv<TGUID>::From(Info->Args[0]->Value);
        auto* self = static_cast<TObjectClassInfo*>(CI);
        void* obj = nullptr;
        const bool found = owner->GetInterface(iid, &obj);
        self->FGetInterfaceObj = zelAddressToVariant(obj);
        Info->Args[1]->Value = self->FGetInterfaceObj;
        Info->Result = found;
    }

    static void GetInterfaceEntry(TzelClassInfo* CI, TzelMethodInfo* Info) {
        TObject* owner = TzelDispatch::Owner(CI);
        zelNeed(Info, Info->GetArgCount(), 1);
        const TGUID iid = Conv<TGUID>::From(Info->Args[0]->Value);
        Info->Result = zelAddressToVariant(TObject::GetInterfaceEntry(owner->ClassType(), iid));
    }

    static void GetInterfaceTable(TzelClassInfo* CI, TzelMethodInfo* Info) {
        Info->Result =
            zelAddressToVariant(TObject::GetInterfaceTable(TzelDispatch::Owner(CI)->ClassType()));
    }

    static void Dispatch(TzelClassInfo* CI, TzelMethodInfo* Info) {
        CallWithMessage<&TObject::Dispatch, &TObjectClassInfo::FDispatchMessage>(
            static_cast<TObjectClassInfo*>(CI), Info);
    }

    static void DefaultHandler(TzelClassInfo* CI, TzelMethodInfo* Info) {
        CallWithMessage<&TObject::DefaultHandler, &TObjectClassInfo::FDefaultHandlerMessage>(
            static_cast<TObjectClassInfo*>(CI), Info);
    }

    // A C++ instance is allocated and initialised together: a new instance of the owner's
    // class, made by its constructor.
    static void NewInstance(TzelClassInfo* CI, TzelMethodInfo* Info) {
        TClass cls = TzelDispatch::Owner(CI)->ClassType();
        TObject* obj = cls->NewObject      ? cls->NewObject()
                       : cls->NewWithOwner ? cls->NewWithOwner(nullptr)
                                           : nullptr;
        if (!obj)
            throw host::Exception(
                host::Format("Cannot create an instance of class %s", {cls->ClassName}));
        Info->Result = Conv<TObject*>::To(obj);
    }

    // Releasing an instance's memory in C++ means destroying it; the destructors run, but
    // BeforeDestruction does not, as the host's FreeInstance skips it.
    static void FreeInstance(TzelClassInfo* CI, TzelMethodInfo*) { delete TzelDispatch::Owner(CI); }

    static constexpr TzelPropRow Properties[] = {
        propFnR("Self", &Self),
    };
    static constexpr TzelMethodRow Methods[] = {
        proc<&TObject::Free>("Free"),
        funcFn("InitInstance", "Instance", &InitInstance),
        procFn("CleanupInstance", "", &CleanupInstance),
        func<&TObject::ClassType>("ClassType"),
        func<&TObject::ClassName>("ClassName"),
        func<&TObject::ClassNameIs>("ClassNameIs", "Name"),
        func<&TObject::ClassParent>("ClassParent"),
        funcFn("ClassInfo", "", &ClassInfo),
        func<&TObject::InstanceSize>("InstanceSize"),
        func<&TObject::InheritsFrom>("InheritsFrom", "AClass"),
        funcFn("MethodAddress", "Name", &MethodAddress),
        func<&TObject::MethodName>("MethodName", "Address"),
        funcFn("FieldAddress", "Name", &FieldAddress),
        funcFn("GetInterface", "IID,Obj", &GetInterface),
        funcFn("GetInterfaceEntry", "IID", &GetInterfaceEntry),
        funcFn("GetInterfaceTable", "", &GetInterfaceTable),
        func<&TObject::SafeCallException, &TObjectClassInfo::FSafeCallExceptionResult>(
            "SafeCallException", "ExceptObject,ExceptAddr"),
        proc<&TObject::AfterConstruction>("AfterConstruction"),
        proc<&TObject::BeforeDestruction>("BeforeDestruction"),
        procFn("Dispatch", "Message", &Dispatch),
        procFn("DefaultHandler", "Message", &DefaultHandler),
        funcFn("NewInstance", "", &NewInstance),
        procFn("FreeInstance", "", &FreeInstance),
    };
    static constexpr TzelCtorRow Constructors[] = {
        ctor("Create"),
    };
};

constinit const TzelClassTable TObjectClassInfo::ZelTable = {
    "TObject",           &TObject::ClassMeta, &TObjectClassInfo::ClassMeta, nullptr,
    ZelRows::Properties, ZelRows::Methods,    ZelRows::Constructors,        {},
    &ObjectTexts};

struct TInterfacedObjectClassInfo::ZelRows {
    static constexpr TzelPropRow Properties[] = {
        propR<&TInterfacedObject::RefCount>("RefCount"),
    };
};

constinit const TzelClassTable TInterfacedObjectClassInfo::ZelTable = {
    "TInterfacedObject",
    &TInterfacedObject::ClassMeta,
    &TInterfacedObjectClassInfo::ClassMeta,
    &TObjectClassInfo::ZelTable,
    ZelRows::Properties,
    {},
    {},
    {},
    &InterfacedObjectTexts};

namespace Zelsystem {
namespace {
constexpr const TzelClassTable* Tables[] = {&TObjectClassInfo::ZelTable,
                                            &TInterfacedObjectClassInfo::ZelTable};
}
void Initialize() {
    zelInitializeUnit(Tables);
}
void Finalize() {
    zelFinalizeUnit(Tables);
}
} // namespace Zelsystem

} // namespace zeltrix
