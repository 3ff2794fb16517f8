#include "connections/Zelconlist.h"

#include "core/Zelcommon.h"
#include "host/classes/Lists.h"
#include "host/classes/Reader.h"
#include "host/classes/TypInfo.h"

namespace zeltrix {

using namespace host;

HOST_METACLASS(EzelInvalidFeature, Exception);
HOST_COMPONENT_METACLASS(TzelConnectionList, TComponent);

namespace {
const TPropInfo ConnectionProps[] = {
    HOST_PROP(TzelConnection, Source),
    HOST_PROP(TzelConnection, Target),
};
} // namespace
HOST_COMPONENT_METACLASS(TzelConnection, TComponent, PropTable(ConnectionProps));

// ---------------------------------------------------------------------------------------------
// TzelConnectionList

TzelConnectionList::TzelConnectionList(TComponent* AOwner) : TComponent(AOwner) {
    FConnections = new TList();
}

TzelConnectionList::~TzelConnectionList() {
    // Each connection takes itself out of the list when it goes.
    for (int count; (count = FConnections->GetCount()) > 0;) {
        auto* c = static_cast<TzelConnection*>(FConnections->Last());
        c->Free();
        if (FConnections->GetCount() == count) FConnections->Delete(count - 1);
    }
    FreeAndNil(FConnections);
}

int TzelConnectionList::GetConnectionCount() const {
    return FConnections->GetCount();
}

TzelConnection* TzelConnectionList::GetConnection(int Index) const {
    return static_cast<TzelConnection*>(FConnections->GetItems(Index));
}

void TzelConnectionList::SetConnection(int Index, TzelConnection* Value) {
    GetConnection(Index)->Assign(Value);
}

void TzelConnectionList::AddConnection(TzelConnection* Connection) {
    FConnections->Add(Connection);
    Connection->FConnectionList = this;
    Connection->FreeNotification(this);
}

void TzelConnectionList::RemoveConnection(TzelConnection* Connection) {
    if (FConnections && FConnections->Remove(Connection) >= 0)
        Connection->FConnectionList = nullptr;
}

void TzelConnectionList::Loaded() {
    inherited::Loaded();
    if (GetComponentState().Contains(csDesigning)) return;
    // A connection may go while an earlier one connects (its first copy can free things), so
    // the count is read on every step.
    for (int i = 0; FConnections && i < FConnections->GetCount(); ++i) GetConnection(i)->Connect();
}

void TzelConnectionList::Notification(TComponent* AComponent, TOperation Operation) {
    inherited::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent &&
        AComponent->InheritsFrom(TzelConnection::StaticClass()))
        RemoveConnection(static_cast<TzelConnection*>(AComponent));
}

void TzelConnectionList::GetChildren(TGetChildProc Proc, TComponent* Root) {
    for (int i = 0; i < FConnections->GetCount(); ++i) {
        TzelConnection* c = GetConnection(i);
        if (c->GetOwner() == Root) Proc(c);
    }
}

void TzelConnectionList::SetChildOrder(TComponent* Child, int Order) {
    if (FConnections->IndexOf(Child) >= 0) static_cast<TzelConnection*>(Child)->SetIndex(Order);
}

// ---------------------------------------------------------------------------------------------
// TzelListenerLink

void TzelListenerLink::Add(TzelClassInfo* ClassInfo) {
    if (!ClassInfo) return;
    if (FHost != ClassInfo) RemoveAll();
    ClassInfo->AddListener(FListener);
    FHost = ClassInfo;
    FHostId = ClassInfo->ObjectId();
    ++FCount;
}

void TzelListenerLink::RemoveAll() {
    TzelClassInfo* host = FHost;
    int count = FCount;
    FHost = nullptr;
    FCount = 0;
    // A class info that went with its component took its listener list along.
    if (!host || !LiveObjects::IsAlive(host, FHostId)) return;
    for (; count > 0; --count) host->RemoveListener(FListener);
}

void TzelListenerLink::RemoveFrom(TObject* Owner) {
    if (FHost && LiveObjects::IsAlive(FHost, FHostId) && FHost->GetOwner() == Owner) RemoveAll();
}

// ---------------------------------------------------------------------------------------------
// TzelConnection

TzelConnection::TzelConnection(TComponent* AOwner) : TComponent(AOwner) {}

TzelConnection::~TzelConnection() {
    if (FDestroyedFlag) *FDestroyedFlag = true;
    if (FConnectionList) FConnectionList->RemoveConnection(this);
}

bool TzelConnection::IsLoading() const {
    return GetComponentState().Contains(csLoading);
}
bool TzelConnection::IsDesigning() const {
    return GetComponentState().Contains(csDesigning);
}

int TzelConnection::GetIndex() const {
    return FConnectionList
               ? FConnectionList->FConnections->IndexOf(const_cast<TzelConnection*>(this))
               : -1;
}

void TzelConnection::SetIndex(int Value) {
    int current = GetIndex();
    if (current < 0) return;
    TList* list = FConnectionList->FConnections;
    int last = list->GetCount() - 1;
    if (Value < 0) Value = 0;
    if (Value > last) Value = last;
    if (current != Value) {
        list->Delete(current);
        list->Insert(Value, this);
    }
}

void TzelConnection::SetConnectionList(TzelConnectionList* List) {
    if (List == FConnectionList) return;
    if (FConnectionList) FConnectionList->RemoveConnection(this);
    if (List) List->AddConnection(this);
}

bool TzelConnection::HasParent() {
    return FConnectionList ? true : inherited::HasParent();
}

TComponent* TzelConnection::GetParentComponent() {
    return FConnectionList ? FConnectionList : inherited::GetParentComponent();
}

void TzelConnection::SetParentComponent(TComponent* Value) {
    if (IsLoading()) return;
    if (auto* list = DynCast<TzelConnectionList>(Value)) SetConnectionList(list);
}

void TzelConnection::ReadState(TReader* Reader) {
    inherited::ReadState(Reader);
    if (auto* list = DynCast<TzelConnectionList>(Reader->GetParent())) SetConnectionList(list);
}

void TzelConnection::CheckZeltrixComponent(TComponent* Value) {
    if (Value && !TzelClassRegistry::FindClassInfoClass(Value))
        throw Exception("This is a not Zeltrix component!");
}

TzelClassInfo* TzelConnection::ResolveInfo(TComponent* Component, TzelClassInfo*& Cache) {
    if (!Component) return nullptr;
    if (Cache && Cache->GetOwner() != Component) Cache = nullptr;
    if (!Cache) Cache = TzelClassRegistry::GetClassInfo(Component);
    return Cache;
}

TzelClassInfo* TzelConnection::GetSourceInfo() {
    return ResolveInfo(FSource, FSourceInfo);
}
TzelClassInfo* TzelConnection::GetTargetInfo() {
    return ResolveInfo(FTarget, FTargetInfo);
}

void TzelConnection::AddLink(TzelListenerLink* Link) {
    if (FLinkCount < 2) FLinks[FLinkCount++] = Link;
}

void TzelConnection::RemoveListenersFrom(TComponent* AComponent) {
    for (int i = 0; i < FLinkCount; ++i) FLinks[i]->RemoveFrom(AComponent);
}

// The class-info caches are cleared with their field: the old component's class info may be
// freed with it while this connection still holds a free notification for it.
void TzelConnection::SetSource(TComponent* Value) {
    CheckZeltrixComponent(Value);
    if (FSource) {
        RemoveListenersFrom(FSource);
        FSource = nullptr;
        FSourceInfo = nullptr;
        Unconnect();
    }
    FSource = Value;
    FSourceInfo = nullptr;
    if (Value) Value->FreeNotification(this);
}

void TzelConnection::SetTarget(TComponent* Value) {
    CheckZeltrixComponent(Value);
    if (FTarget) {
        RemoveListenersFrom(FTarget);
        FTarget = nullptr;
        FTargetInfo = nullptr;
        Unconnect();
    }
    FTarget = Value;
    FTargetInfo = nullptr;
    if (Value) Value->FreeNotification(this);
}

bool TzelConnection::ReleaseComponent(TComponent* AComponent) {
    bool stop = false;
    if (AComponent == FSource) FSource = nullptr, FSourceInfo = nullptr, stop = true;
    if (AComponent == FTarget) FTarget = nullptr, FTargetInfo = nullptr, stop = true;
    return stop;
}

std::vector<AnsiString> TzelConnection::Notes() {
    std::vector<AnsiString> notes;
    if (Diagnose().empty()) AddNotes(notes);
    return notes;
}

void TzelConnection::AddNotes(std::vector<AnsiString>&) {}

AnsiString zelMissingComponent(TComponent* Component, const char* Role) {
    if (!Component) return AnsiString("no ") + Role + " component";
    return AnsiString(Role) + " component " + Component->GetName() + " has no class info";
}

AnsiString zelMissingName(const AnsiString& Name, const char* What) {
    if (Name.empty()) return AnsiString("no ") + What;
    return AnsiString("unknown ") + What + " '" + Name + "'";
}

void TzelConnection::Notification(TComponent* AComponent, TOperation Operation) {
    inherited::Notification(AComponent, Operation);
    if (Operation != opRemove || !AComponent) return;
    // A component removed from its owner lives on with its class info: take the listeners out
    // of it first, so that the connection really is inactive afterwards.
    if (AComponent == FSource || AComponent == FTarget) RemoveListenersFrom(AComponent);
    // Every field naming the component is cleared before Unconnect runs, so that nothing
    // reaches the class info the component takes with it.
    if (ReleaseComponent(AComponent)) Unconnect();
}

template <class Info>
static Info* FindFeature(TzelClassInfo* ClassInfo, const AnsiString& Name);
template <>
TzelPropertyInfo* FindFeature(TzelClassInfo* ClassInfo, const AnsiString& Name) {
    return ClassInfo->FindProperty(Name);
}
template <>
TzelEventInfo* FindFeature(TzelClassInfo* ClassInfo, const AnsiString& Name) {
    return ClassInfo->FindEvent(Name);
}

template <>
TzelMethodInfo* FindFeature(TzelClassInfo* ClassInfo, const AnsiString& Name) {
    return ClassInfo->FindMethod(Name);
}

template <class Info>
Info* TzelFeatureCache<Info>::Get(TzelClassInfo* ClassInfo, const AnsiString& Name) {
    if (!ClassInfo) return nullptr;
    if (FInfo && (FClassInfoId != ClassInfo->ObjectId() ||
                  FGeneration != ClassInfo->GetGeneration() || FInfo->Name != Name))
        FInfo = nullptr;
    if (!FInfo) {
        FInfo = FindFeature<Info>(ClassInfo, Name);
        FClassInfoId = ClassInfo->ObjectId();
        FGeneration = ClassInfo->GetGeneration();
    }
    return FInfo;
}
template class TzelFeatureCache<TzelPropertyInfo>;
template class TzelFeatureCache<TzelEventInfo>;
template class TzelFeatureCache<TzelMethodInfo>;

// ---------------------------------------------------------------------------------------------
// tracing

namespace {
TzelTraceProc TraceProc = nullptr;
void* TraceData = nullptr;
} // namespace

void zelSetConnectionTrace(TzelTraceProc Proc, void* Data) {
    TraceProc = Proc;
    TraceData = Data;
}

bool zelTracing() {
    return TraceProc != nullptr;
}

void zelTrace(const AnsiString& Line) {
    if (TraceProc) TraceProc(TraceData, Line);
}

AnsiString zelTraceValue(const Variant& Value) {
    if (Value.IsString()) return "'" + Value.AsString() + "'";
    if (Value.IsEmpty()) return "(empty)";
    try {
        return Value.AsString();
    } catch (const Exception&) {
        return "(a value)";
    }
}

// ---------------------------------------------------------------------------------------------

namespace Zelconlist {
void Initialize() {}
void Finalize() {}
} // namespace Zelconlist

} // namespace zeltrix
