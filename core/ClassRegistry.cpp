// The class registry: host class names to class-info classes, and one cached class info per
// live host object.
#include "core/ZelNotifier.h"

#include "host/classes/Lists.h"
#include "host/system/SysUtils.h"

#include <unordered_map>

namespace zeltrix {

using host::TClass;
using host::TList;

HOST_METACLASS(TzelNotifier, host::TComponent);

namespace {
TList* RegisteredClasses = nullptr;
TList* LiveClassInfos = nullptr;
TzelNotifier* Notifier = nullptr;
// Host class to class-info class, as resolved by FindClassInfoClass; emptied by registration.
std::unordered_map<TClass, TzelClassInfoClass>* Resolved = nullptr;

TzelClassInfoRec* Entry(int Index) {
    return static_cast<TzelClassInfoRec*>(RegisteredClasses->GetItems(Index));
}

TzelClassInfo* Live(int Index) {
    return static_cast<TzelClassInfo*>(LiveClassInfos->GetList()[Index]);
}

bool IsDestroying(TObject* Object) {
    auto* c = host::DynCast<host::TComponent>(Object);
    return c && c->GetComponentState().Contains(host::csDestroying);
}
} // namespace

void TzelClassRegistry::RegisterClass(const AnsiString& Name, TzelClassInfoClass ClassInfoClass,
                                      TClass HostClass) {
    if (!RegisteredClasses) throw host::Exception("The class registry is not initialized!");
    if (!ClassInfoClass || !ClassInfoClass->InheritsFrom(TzelClassInfo::StaticClass()) ||
        !ClassInfoClass->NewObject)
        throw host::Exception("Invalid class info class for " + Name + "!");
    if (FindClassInfo(Name)) return;
    RegisteredClasses->Add(new TzelClassInfoRec{Name, ClassInfoClass, HostClass});
    Resolved->clear();
}

void TzelClassRegistry::Iterate(TIterateProc Proc) {
    if (!RegisteredClasses || !Proc) return;
    for (int i = 0, n = RegisteredClasses->GetCount(); i < n && i < RegisteredClasses->GetCount();
         ++i)
        Proc(Entry(i)->Name);
}

TzelClassInfoClass TzelClassRegistry::FindClassInfo(const AnsiString& Name) {
    if (!RegisteredClasses) return nullptr;
    for (int i = 0, n = RegisteredClasses->GetCount(); i < n; ++i)
        if (host::AnsiSameText(Entry(i)->Name, Name)) return Entry(i)->ClassInfoClass;
    return nullptr;
}

TzelClassInfoClass TzelClassRegistry::FindClassInfoClass(TObject* Object) {
    return Object ? FindClassInfoClass(Object->ClassType()) : nullptr;
}

// By name, as the host reports the class's name, but a class that merely shares a registered
// name is not the registered class: an entry that knows its host class matches only that class.
TzelClassInfoClass TzelClassRegistry::FindClassInfoClass(TClass AClass) {
    if (!RegisteredClasses || !AClass) return nullptr;
    auto hit = Resolved->find(AClass);
    if (hit != Resolved->end()) return hit->second;
    TzelClassInfoClass result = nullptr;
    for (TClass c = AClass; c && !result; c = c->Parent) {
        const AnsiString name = c->ClassName;
        for (int i = 0, n = RegisteredClasses->GetCount(); i < n; ++i) {
            TzelClassInfoRec* e = Entry(i);
            if (!host::AnsiSameText(e->Name, name)) continue;
            if (!e->HostClass || e->HostClass == c) result = e->ClassInfoClass;
            break; // one entry per name
        }
    }
    Resolved->emplace(AClass, result);
    return result;
}

TzelClassInfo* TzelClassRegistry::GetClassInfo(TObject* Object) {
    if (!Object) return nullptr;
    void* intf = nullptr;
    if (Object->GetInterface(IzelObject::IID, &intf) && intf)
        return static_cast<IzelObject*>(intf)->GetZELClassInfo();
    if (!LiveClassInfos) return nullptr;
    for (int i = 0, n = LiveClassInfos->GetCount(); i < n; ++i) {
        TzelClassInfo* ci = Live(i);
        if (ci->FOwner == Object && ci->FOwnerId == Object->ObjectId()) return ci;
    }
    // A component on its way out would never notify the notifier again.
    if (IsDestroying(Object)) return nullptr;
    TzelClassInfoClass cls = FindClassInfoClass(Object);
    if (!cls) return nullptr;
    auto* ci = static_cast<TzelClassInfo*>(cls->NewObject());
    try {
        ci->InitMetaData();
        ci->SetOwner(Object);
    } catch (...) {
        ci->Free();
        throw;
    }
    LiveClassInfos->Add(ci);
    if (auto* c = host::DynCast<host::TComponent>(Object)) Notifier->FreeNotification(c);
    return ci;
}

int TzelClassRegistry::GetRegisteredCount() {
    return RegisteredClasses ? RegisteredClasses->GetCount() : 0;
}

int TzelClassRegistry::GetLiveCount() {
    return LiveClassInfos ? LiveClassInfos->GetCount() : 0;
}

/// Frees a class info once no call runs through it any more.
void TzelClassRegistry::Release(TzelClassInfo* ClassInfo) {
    if (ClassInfo->FBusy > 0)
        ClassInfo->FFreePending = true;
    else
        ClassInfo->Free();
}

void TzelClassRegistry::ForgetClassInfo(TzelClassInfo* ClassInfo) {
    if (!LiveClassInfos) return;
    const int i = LiveClassInfos->IndexOf(ClassInfo);
    if (i < 0) return;
    LiveClassInfos->Delete(i);
    Release(ClassInfo);
}

void TzelClassRegistry::OwnerRemoved(TObject* Owner) {
    if (!LiveClassInfos) return;
    for (int i = 0, n = LiveClassInfos->GetCount(); i < n; ++i) {
        TzelClassInfo* ci = Live(i);
        if (ci->FOwner != Owner) continue;
        LiveClassInfos->GetList()[i] = nullptr;
        ci->DropOwner(); // the component is half destroyed: its handlers are not restored
        Release(ci);
    }
    LiveClassInfos->Pack();
}

// Objects may outlive the package: their class infos are unhooked and freed first, so no later
// event, notification or destructor reaches freed code or data.
void TzelClassRegistry::ShutDown() {
    TList* live = LiveClassInfos;
    LiveClassInfos = nullptr;
    for (int i = live->GetCount() - 1; i >= 0; --i) {
        auto* ci = static_cast<TzelClassInfo*>(live->GetItems(i));
        TObject* owner = ci->FOwner;
        if (auto* c = host::DynCast<host::TComponent>(owner)) Notifier->RemoveFreeNotification(c);
        if (owner && !IsDestroying(owner)) ci->SetOwner(nullptr);
        ci->DropOwner();
        Release(ci);
    }
    delete live;
    Notifier->Free();
    Notifier = nullptr;
    for (int i = 0, n = RegisteredClasses->GetCount(); i < n; ++i) delete Entry(i);
    delete RegisteredClasses;
    RegisteredClasses = nullptr;
    delete Resolved;
    Resolved = nullptr;
}

void TzelNotifier::Notification(host::TComponent* AComponent, host::TOperation Operation) {
    if (Operation == host::opRemove) TzelClassRegistry::OwnerRemoved(AComponent);
    host::TComponent::Notification(AComponent, Operation);
}

void TzelClassRegistry::StartUp() {
    if (RegisteredClasses) return;
    RegisteredClasses = new TList;
    LiveClassInfos = new TList;
    Resolved = new std::unordered_map<TClass, TzelClassInfoClass>;
    Notifier = new TzelNotifier;
}

bool TzelClassRegistry::Started() {
    return RegisteredClasses != nullptr;
}

} // namespace zeltrix
