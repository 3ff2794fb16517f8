#include "variable/Zelvar.h"

#include "host/classes/Lists.h"
#include "host/system/Interfaces.h"

#include <cstdint>

namespace zeltrix {

using namespace host;

namespace {
const char* const SelfDescriptor = "Override::Self::psReadable..psWritable::pvPublished::0";
const char* const InstanceChangeDescriptor = "Define::OnInstanceChange::pvPublished::1::Instance";

Variant AddressValue(const TObject* Object) {
    return Variant(static_cast<Int64>(reinterpret_cast<std::intptr_t>(Object)));
}
} // namespace

// ---------------------------------------------------------------------------------------------
// TzelVariableClassInfo

TzelVariableClassInfo::TzelVariableClassInfo() = default;

TzelVariableClassInfo::TzelVariableClassInfo(const AnsiString& ClassTypeName) {
    Update(ClassTypeName);
}

TzelVariableClassInfo::~TzelVariableClassInfo() {
    DetachRelays();
    if (FInnerClassInfo) {
        // Unhooking touches the held object: only while it lives.
        if (GetInstance()) FInnerClassInfo->SetOwner(nullptr);
        FreeAndNil(FInnerClassInfo);
    }
}

TzelClassInfo* TzelVariableClassInfo::NewInnerClassInfo(const AnsiString& ClassTypeName) {
    TzelClassInfoClass infoClass = TzelClassRegistry::FindClassInfo(ClassTypeName);
    // The variable's own class info wraps nothing: a variable of variables would hold no object.
    if (!infoClass || infoClass->InheritsFrom(TzelVariableClassInfo::StaticClass()))
        throw Exception("Unknown class!");
    TzelClassInfo* info = TzelClassRegistry::NewClassInfo(infoClass);
    try {
        info->InitMetaData();
    } catch (...) {
        info->Free();
        throw;
    }
    return info;
}

void TzelVariableClassInfo::Update(const AnsiString& ClassTypeName) {
    // Built first, then swapped: a failure leaves the old class in place.
    TzelClassInfo* inner = NewInnerClassInfo(ClassTypeName);
    DetachRelays();
    TzelClassInfo* old = FInnerClassInfo;
    FInnerClassInfo = inner;
    FClassTypeName = ClassTypeName;
    if (old) {
        if (GetInstance()) old->SetOwner(nullptr);
        old->Free();
    }
    AttachRelays();
}

TObject* TzelVariableClassInfo::GetInstance() const {
    if (!FInstance || !LiveObjects::IsAlive(FInstance, FInstanceId)) return nullptr;
    return FInstance;
}

void TzelVariableClassInfo::AttachRelays() {
    for (int i = 0; i < FInnerClassInfo->GetEventCount(); ++i) {
        auto* relay = new TzelListener();
        relay->EventName = FInnerClassInfo->GetEvents(i)->Name;
        relay->Handler = TNotifyZELEvent::Bind<&TzelVariableClassInfo::Relay>(this);
        FRelays.push_back(relay);
        FInnerClassInfo->AddListener(relay);
    }
}

void TzelVariableClassInfo::DetachRelays() {
    for (TzelListener* relay : FRelays) {
        if (FInnerClassInfo) FInnerClassInfo->RemoveListener(relay);
        relay->Free();
    }
    FRelays.clear();
}

void TzelVariableClassInfo::Relay(TObject*, TzelEventInfo* Event) { FireEvent(Event); }

void TzelVariableClassInfo::DefineZELProperties(TList* List) {
    if (!FInnerClassInfo) return;
    for (int i = 0; i < FInnerClassInfo->GetPropertyCount(); ++i)
        List->Add(FInnerClassInfo->GetProperties(i));
    ReadZELProperties(SelfDescriptor);
}

void TzelVariableClassInfo::DefineZELMethods(TList* List) {
    if (!FInnerClassInfo) return;
    for (int i = 0; i < FInnerClassInfo->GetMethodCount(); ++i)
        List->Add(FInnerClassInfo->GetMethods(i));
}

void TzelVariableClassInfo::DefineZELEvents(TList* List) {
    if (!FInnerClassInfo) return;
    for (int i = 0; i < FInnerClassInfo->GetEventCount(); ++i)
        List->Add(FInnerClassInfo->GetEvents(i));
    ReadZELEvents(InstanceChangeDescriptor);
}

// Members of the held class while no object is held (or it has been destroyed): reading gives
// an empty value, writing and calling do nothing. Raising instead would make a form whose
// connections read a variable on connect fail to load before the application can fill it.
Variant TzelVariableClassInfo::GetProperty(TzelPropertyInfo* Info) {
    if (Info->Name == "Self") return AddressValue(GetInstance());
    if (!FInnerClassInfo || !GetInstance() || FInnerClassInfo->GetOwner() != FInstance)
        return Variant();
    return FInnerClassInfo->GetProperty(Info);
}

void TzelVariableClassInfo::SetProperty(TzelPropertyInfo* Info, const Variant& Value) {
    if (Info->Name != "Self") {
        if (!FInnerClassInfo || !GetInstance() || FInnerClassInfo->GetOwner() != FInstance) return;
        return FInnerClassInfo->SetProperty(Info, Value);
    }
    SetInstance(zelObjectFromVariant(Value, nullptr));
    TObject* instance = GetInstance();
    if (TzelEventInfo* event = FindEvent("OnInstanceChange")) {
        event->GetArgs(0)->Value = AddressValue(instance);
        FireEvent(event);
    }
}

void TzelVariableClassInfo::InvokeMethod(TzelMethodInfo* Info) {
    if (!FInnerClassInfo || !GetInstance() || FInnerClassInfo->GetOwner() != FInstance) {
        Info->Result.Clear();
        return;
    }
    FInnerClassInfo->InvokeMethod(Info);
}

void TzelVariableClassInfo::SetInstance(TObject* Instance) {
    if (!FInnerClassInfo) throw Exception("Unknown class!");
    TObject* bound = FInnerClassInfo->GetOwner();
    if (bound && bound == FInstance && !GetInstance()) {
        // The held object died while held: its hooks died with it, and unhooking would touch
        // freed memory. A fresh inner class info takes over, and the metadata follows it.
        TzelClassInfo* fresh = NewInnerClassInfo(FClassTypeName);
        DetachRelays();
        TzelClassInfo* old = FInnerClassInfo;
        FInnerClassInfo = fresh;
        old->Free();
        AttachRelays();
        InitMetaData();
    }
    FInstance = Instance;
    FInstanceId = Instance ? Instance->ObjectId() : 0;
    FInnerClassInfo->SetOwner(Instance);
}

// ---------------------------------------------------------------------------------------------
// TzelVariable

TzelVariable::TzelVariable(TComponent* AOwner) : TComponent(AOwner), FClassTypeName("TObject") {
    FClassInfo = new TzelVariableClassInfo(FClassTypeName);
    FClassInfo->InitMetaData();
    FClassInfo->SetOwner(this);
}

TzelVariable::~TzelVariable() {
    // Connections hear of the removal while the class info they cached still exists.
    NotifyRemoval();
    FreeAndNil(FClassInfo);
}

TzelClassInfo* TzelVariable::GetZELClassInfo() { return FClassInfo; }

HRESULT TzelVariable::QueryInterface(const TGUID& IID, void** Obj) {
    return GetInterface(IID, Obj) ? S_OK : E_NOINTERFACE;
}

void TzelVariable::SetClassTypeName(const AnsiString& Value) {
    if (!TzelClassRegistry::FindClassInfo(Value)) throw Exception("Unknown class!");
    if (Value == FClassTypeName) return;
    FClassInfo->Update(Value);
    FClassTypeName = Value;
    FClassInfo->InitMetaData();
}

namespace Zelvar {
void Initialize() {
    TzelClassRegistry::RegisterClass("TzelVariable", TzelVariableClassInfo::StaticClass());
}
void Finalize() {}
} // namespace Zelvar

} // namespace zeltrix
