// TzelClassInfo: the metadata lists, look-ups, owner binding and the listener mechanism.
#include "core/ClassInfoFamily.h"

#include "host/classes/Lists.h"
#include "host/system/SysUtils.h"

namespace zeltrix {

using host::Exception;
using host::TList;

HOST_METACLASS(TzelClassInfo, TObject);

/// One FireEvent loop: the next position to call and the end fixed when the loop began. A
/// listener removed meanwhile moves both, so the loop neither skips nor repeats one, and never
/// runs past the list.
struct TzelClassInfo::FireCursor {
    int Pos;
    int End;
    FireCursor* Next;
};

TzelClassInfo::TzelClassInfo()
    : FProperties(new TList), FMethods(new TList), FConstructors(new TList), FEvents(new TList),
      FListeners(new TList) {}

TzelClassInfo::~TzelClassInfo() {
    if (FOwner) {
        // A class info freed while its object lives takes its forwarders out first, so the
        // object never calls into freed memory.
        if (host::LiveObjects::IsAlive(FOwner, FOwnerId)) TzelDispatch::UnhookAll(this);
        host::LiveObjects::Unwatch(FOwner, &OwnerDied, this);
    }
    for (TList* l : {FProperties, FMethods, FConstructors, FEvents}) {
        ReleaseRecords(l);
        delete l;
    }
    for (TObject* r : FRetired) delete r;
    delete FListeners;
}

void TzelClassInfo::ReleaseRecords(TList* List) {
    for (int i = 0, n = List->GetCount(); i < n; ++i) {
        auto* f = static_cast<TzelFeature*>(List->GetItems(i));
        if (f && f->ClassInfo == this) delete f;
    }
    List->Clear();
}

void TzelClassInfo::ConnectEventHandlers() {}
void TzelClassInfo::UnConnectEventHandlers() {}
void TzelClassInfo::DefineZELProperties(TList*) {}
void TzelClassInfo::DefineZELMethods(TList*) {}
void TzelClassInfo::DefineZELConstructors(TList*) {}
void TzelClassInfo::DefineZELEvents(TList*) {}

Variant TzelClassInfo::GetProperty(TzelPropertyInfo* Info) {
    throw Exception("Property " + (Info ? Info->Name : AnsiString()) + " not found!");
}

void TzelClassInfo::SetProperty(TzelPropertyInfo* Info, const Variant&) {
    throw Exception("Property " + (Info ? Info->Name : AnsiString()) + " not found!");
}

void TzelClassInfo::InvokeMethod(TzelMethodInfo* Info) {
    throw Exception("Method " + (Info ? Info->Name : AnsiString()) + " not found!");
}

void TzelClassInfo::InvokeConstructor(TzelConstructorInfo* Info) {
    throw Exception("Constructor " + (Info ? Info->Name : AnsiString()) + " not found!");
}

void TzelClassInfo::InitMetaData() {
    // Records dropped here may still be held by connections: they live on until this class
    // info goes, and callers tell them from the new ones by looking them up again.
    for (TList* l : {FProperties, FMethods, FConstructors, FEvents}) {
        for (int i = 0, n = l->GetCount(); i < n; ++i) {
            auto* f = static_cast<TzelFeature*>(l->GetItems(i));
            if (f && f->ClassInfo == this) FRetired.push_back(f);
        }
        l->Clear();
    }
    ++FGeneration;
    DefineZELProperties(FProperties);
    DefineZELMethods(FMethods);
    DefineZELConstructors(FConstructors);
    DefineZELEvents(FEvents);
}

void TzelClassInfo::SetOwner(TObject* AOwner) {
    if (AOwner && !host::LiveObjects::Find(AOwner))
        throw Exception(
            host::Format("%p is not a live object", {static_cast<const void*>(AOwner)}));
    if (FOwner) {
        UnConnectEventHandlers();
        TzelDispatch::UnhookAll(this); // whatever a hand-written descendant left behind
        host::LiveObjects::Unwatch(FOwner, &OwnerDied, this);
    }
    FOwner = AOwner;
    FOwnerId = AOwner ? AOwner->ObjectId() : 0;
    FReleased = false;
    if (!AOwner) return;
    host::LiveObjects::Watch(AOwner, &OwnerDied, this);
    try {
        ConnectEventHandlers();
    } catch (...) {
        TzelDispatch::UnhookAll(this);
        host::LiveObjects::Unwatch(AOwner, &OwnerDied, this);
        FOwner = nullptr;
        FOwnerId = 0;
        throw;
    }
}

void TzelClassInfo::OwnerDied(void* Data, TObject*) {
    auto* self = static_cast<TzelClassInfo*>(Data);
    self->DropOwner();
    TzelClassRegistry::ForgetClassInfo(self);
}

// The owner is gone or going: its handlers need no restoring, and nothing may touch it again.
void TzelClassInfo::DropOwner() {
    if (FOwner) host::LiveObjects::Unwatch(FOwner, &OwnerDied, this);
    FOwner = nullptr;
    FOwnerId = 0;
    FHooks.clear();
    FReleased = true;
}

namespace {
template <class T>
T* FindIn(const TList* List, const AnsiString& Name) {
    void* const* items = List->GetList();
    for (int i = 0, n = List->GetCount(); i < n; ++i) {
        auto* f = static_cast<T*>(items[i]);
        if (f->Name == Name) return f;
    }
    return nullptr;
}
} // namespace

TzelPropertyInfo* TzelClassInfo::FindProperty(const AnsiString& Name) const {
    return FindIn<TzelPropertyInfo>(FProperties, Name);
}
TzelMethodInfo* TzelClassInfo::FindMethod(const AnsiString& Name) const {
    return FindIn<TzelMethodInfo>(FMethods, Name);
}
TzelConstructorInfo* TzelClassInfo::FindConstructor(const AnsiString& Name) const {
    return FindIn<TzelConstructorInfo>(FConstructors, Name);
}
// A descendant that defines an event again (the host class declares its own of that name,
// with its own parameters) holds the record its forwarder fills and its listeners hear: the
// most derived one, last in the list.
TzelEventInfo* TzelClassInfo::FindEvent(const AnsiString& Name) const {
    void* const* items = FEvents->GetList();
    for (int i = FEvents->GetCount() - 1; i >= 0; --i) {
        auto* e = static_cast<TzelEventInfo*>(items[i]);
        if (e->Name == Name) return e;
    }
    return nullptr;
}

int TzelClassInfo::GetPropertyCount() const {
    return FProperties->GetCount();
}
int TzelClassInfo::GetMethodCount() const {
    return FMethods->GetCount();
}
int TzelClassInfo::GetConstructorCount() const {
    return FConstructors->GetCount();
}
int TzelClassInfo::GetEventCount() const {
    return FEvents->GetCount();
}
int TzelClassInfo::GetListenerCount() const {
    return FListeners->GetCount();
}

TzelPropertyInfo* TzelClassInfo::GetProperties(int Index) const {
    return static_cast<TzelPropertyInfo*>(FProperties->GetItems(Index));
}
TzelMethodInfo* TzelClassInfo::GetMethods(int Index) const {
    return static_cast<TzelMethodInfo*>(FMethods->GetItems(Index));
}
TzelConstructorInfo* TzelClassInfo::GetConstructors(int Index) const {
    return static_cast<TzelConstructorInfo*>(FConstructors->GetItems(Index));
}
TzelEventInfo* TzelClassInfo::GetEvents(int Index) const {
    return static_cast<TzelEventInfo*>(FEvents->GetItems(Index));
}

void TzelClassInfo::AddListener(TzelListener* Listener) {
    if (Listener) FListeners->Add(Listener);
}

void TzelClassInfo::RemoveListener(TzelListener* Listener) {
    if (!Listener) return;
    const int i = FListeners->IndexOf(Listener);
    if (i < 0) return;
    FListeners->Delete(i);
    for (FireCursor* c = FCursors; c; c = c->Next) {
        if (i < c->Pos) {
            --c->Pos;
            --c->End;
        } else if (i < c->End) {
            --c->End;
        }
    }
}

void TzelClassInfo::FireEvent(TzelEventInfo* Event) {
    if (!Event || FReleased) return;
    TzelClassInfoGuard guard(this);
    FireCursor cursor{0, FListeners->GetCount(), FCursors};
    FCursors = &cursor;
    struct Pop {
        TzelClassInfo* Self;
        FireCursor* Cursor;
        ~Pop() { Self->FCursors = Cursor->Next; }
    } pop{this, &cursor};
    while (cursor.Pos < cursor.End && !FReleased) {
        auto* l = static_cast<TzelListener*>(FListeners->GetList()[cursor.Pos++]);
        if (l->Handler.Assigned() && l->EventName == Event->Name) l->Handler(FOwner, Event);
    }
}

TzelClassInfoGuard::TzelClassInfoGuard(TzelClassInfo* AClassInfo) : FClassInfo(AClassInfo) {
    if (FClassInfo) ++FClassInfo->FBusy;
}

TzelClassInfoGuard::~TzelClassInfoGuard() {
    if (FClassInfo && --FClassInfo->FBusy == 0 && FClassInfo->FFreePending) FClassInfo->Free();
}

} // namespace zeltrix
