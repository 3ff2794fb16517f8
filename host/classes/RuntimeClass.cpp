#include "host/classes/RuntimeClass.h"

#include "host/system/Exceptions.h"
#include "host/system/SysUtils.h"

#include <deque>
#include <mutex>

namespace host {

namespace {
struct RuntimeClass {
    AnsiString Name;
    TMetaClass Meta;
    TRuntimeFactory Factory;
    bool StandIn;
};

struct Classes {
    std::mutex Lock;
    std::deque<RuntimeClass> Items; // stable addresses: a TClass is a pointer into it
};

Classes& Made() {
    static Classes* c = new Classes; // metaclasses outlive every object of theirs
    return *c;
}
} // namespace

TClass MakeRuntimeClass(const AnsiString& Name, TClass Base, TRuntimeFactory Factory,
                        bool StandIn) {
    if (!IsValidIdent(Name)) RaiseFmt<EClassNotFound>("Class %s not found", {Name});
    Classes& c = Made();
    std::lock_guard g(c.Lock);
    for (RuntimeClass& r : c.Items)
        if (r.Meta.Parent == Base && r.Factory == Factory && SameText(r.Name, Name)) return &r.Meta;
    RuntimeClass& r = c.Items.emplace_back();
    r.Name = Name;
    r.Factory = Factory;
    r.StandIn = StandIn;
    r.Meta.ClassName = r.Name.c_str();
    r.Meta.Parent = Base;
    r.Meta.InstanceSize = Base->InstanceSize;
    return &r.Meta;
}

namespace {
/// The class made at run time whose metaclass `Class` is; null for a class of the program.
const RuntimeClass* Find(TClass Class) {
    Classes& c = Made();
    std::lock_guard g(c.Lock);
    for (const RuntimeClass& r : c.Items)
        if (&r.Meta == Class) return &r; // never moves nor goes: safe after the lock
    return nullptr;
}
} // namespace

TRuntimeFactory RuntimeFactory(TClass Class) {
    const RuntimeClass* r = Find(Class);
    return r ? r->Factory : nullptr;
}

bool IsStandInClass(TClass Class) {
    const RuntimeClass* r = Find(Class);
    return r && r->StandIn;
}

} // namespace host
