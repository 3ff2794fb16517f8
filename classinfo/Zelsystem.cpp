#include "classinfo/Zelsystem.h"

#include "core/ClassInfoRows.h"
#include "host/system/Exceptions.h"
#include "host/system/Interfaces.h"
#include "host/system/SysUtils.h"

namespace zeltrix {

using host::TClass;
using host::TGUID;
using host::TInterfacedObject;

namespace {
/// A message handed to Dispatch or DefaultHandler: a by-address Variant is the caller's message
/// record, which the host reads and writes in place. A plain number is dispatched as a zeroed
/// message record of that number, large enough for every message record of the host.
template <void (TObject::*Call)(void*)>
void CallWithMessage(TObject& Owner, const Variant& Message) {
    if (Message.IsByRef()) {
        (Owner.*Call)(const_cast<void*>(zelAddressFromVariant(Message)));
        return;
    }
    alignas(16) unsigned char record[256] = {};
    const host::Cardinal msg = static_cast<host::Cardinal>(Conv<Int64>::From(Message));
    std::memcpy(record, &msg, sizeof msg);
    (Owner.*Call)(record);
}
} // namespace

struct TObjectClassInfo::ZelRows {
    using CI = TObjectClassInfo;

    static TObject* Self(TObject& Owner) { return &Owner; }

    // The host initialises an instance when it constructs it; an address is accepted only as
    // a live instance of the owner's class, which is returned as the host's InitInstance does.
    static TObject* InitInstance(TObject& Owner, const Variant& Instance) {
        return zelObjectFromVariant(Instance, Owner.ClassType());
    }

    // Managed members of a C++ object are finalised by its destructor alone; finalising them
    // early would leave a live object broken, so there is nothing to do here.
    static void CleanupInstance(TObject&) {}

    // The class's run-time type information is its metaclass on this host.
    static Variant ClassInfo(TObject& Owner) { return zelAddressToVariant(Owner.ClassType()); }

    // Name is a short string.
    static Variant MethodAddress(TObject& Owner, const Variant& Name) {
        return zelAddressToVariant(Owner.MethodAddress(zelShortString(Name)));
    }
    static Variant FieldAddress(TObject& Owner, const Variant& Name) {
        return zelAddressToVariant(Owner.FieldAddress(zelShortString(Name)));
    }

    // Obj is an out buffer: the interface pointer the host put there, as an address.
    static bool GetInterface(CI& Self, TObject& Owner, const TGUID& IID, Variant& Obj) {
        void* obj = nullptr;
        const bool found = Owner.GetInterface(IID, &obj);
        Self.FGetInterfaceObj = zelAddressToVariant(obj);
        Obj = Self.FGetInterfaceObj;
        return found;
    }
    static Variant GetInterfaceEntry(TObject& Owner, const TGUID& IID) {
        return zelAddressToVariant(TObject::GetInterfaceEntry(Owner.ClassType(), IID));
    }
    static Variant GetInterfaceTable(TObject& Owner) {
        return zelAddressToVariant(TObject::GetInterfaceTable(Owner.ClassType()));
    }

    static void Dispatch(CI& Self, TObject& Owner, const Variant& Message) {
        Self.FDispatchMessage = Message;
        CallWithMessage<&TObject::Dispatch>(Owner, Message);
    }
    static void DefaultHandler(CI& Self, TObject& Owner, const Variant& Message) {
        Self.FDefaultHandlerMessage = Message;
        CallWithMessage<&TObject::DefaultHandler>(Owner, Message);
    }

    // A C++ instance is allocated and initialised together: a new instance of the owner's
    // class, made by its constructor.
    static TObject* NewInstance(TObject& Owner) {
        TClass cls = Owner.ClassType();
        TObject* obj = cls->NewObject      ? cls->NewObject()
                       : cls->NewWithOwner ? cls->NewWithOwner(nullptr)
                                           : nullptr;
        if (!obj)
            throw host::Exception(
                host::Format("Cannot create an instance of class %s", {cls->ClassName}));
        return obj;
    }

    // Releasing an instance's memory in C++ means destroying it; the destructors run, but
    // BeforeDestruction does not, as the host's FreeInstance skips it.
    static void FreeInstance(TObject& Owner) { delete &Owner; }

    static constexpr TzelPropRow Properties[] = {
        propFnR<&Self>("Self"),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(TObject, Free),
        funcFn<&InitInstance>("InitInstance", "Instance"),
        procFn<&CleanupInstance>("CleanupInstance"),
        ZEL_FUNC(TObject, ClassType),
        ZEL_FUNC(TObject, ClassName),
        ZEL_FUNC(TObject, ClassNameIs, "Name"),
        ZEL_FUNC(TObject, ClassParent),
        funcFn<&ClassInfo>("ClassInfo"),
        ZEL_FUNC(TObject, InstanceSize),
        ZEL_FUNC(TObject, InheritsFrom, "AClass"),
        funcFn<&MethodAddress>("MethodAddress", "Name"),
        ZEL_FUNC(TObject, MethodName, "Address"),
        funcFn<&FieldAddress>("FieldAddress", "Name"),
        funcFn<&GetInterface>("GetInterface", "IID,Obj"),
        funcFn<&GetInterfaceEntry>("GetInterfaceEntry", "IID"),
        funcFn<&GetInterfaceTable>("GetInterfaceTable"),
        func<&TObject::SafeCallException, &CI::FSafeCallExceptionResult>("SafeCallException",
                                                                         "ExceptObject,ExceptAddr"),
        ZEL_PROC(TObject, AfterConstruction),
        ZEL_PROC(TObject, BeforeDestruction),
        procFn<&Dispatch>("Dispatch", "Message"),
        procFn<&DefaultHandler>("DefaultHandler", "Message"),
        funcFn<&NewInstance>("NewInstance"),
        procFn<&FreeInstance>("FreeInstance"),
    };
    static constexpr TzelCtorRow Constructors[] = {
        ctor("Create"),
    };
};
ZEL_TABLE(TObjectClassInfo);

struct TInterfacedObjectClassInfo::ZelRows {
    static constexpr TzelPropRow Properties[] = {
        propR<&TInterfacedObject::RefCount>("RefCount"),
    };
};
ZEL_TABLE(TInterfacedObjectClassInfo);

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
