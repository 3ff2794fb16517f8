#include "variable/Zelvar.h"

#include "core/ValueConv.h"
#include "host/classes/Lists.h"
#include "host/classes/TypInfo.h"
#include "host/system/Interfaces.h"
#include "host/system/SysUtils.h"

#include <cstdint>

namespace zeltrix {

using namespace host;

namespace {
const TPropInfo VariableProps[] = {
    HOST_PROP(TzelVariable, ClassTypeName),
};
const TInterfaceEntry VariableInterfaces[] = {
    {IzelObject::IID,
     [](TObject* Instance) -> void* {
         return static_cast<IzelObject*>(static_cast<TzelVariable*>(Instance));
     }},
};
constexpr TInterfaceTable VariableInterfaceTable = {1, VariableInterfaces};
constexpr TMetaClass VariableExtras = [] {
    TMetaClass m{};
    m.Interfaces = &VariableInterfaceTable;
    return m;
}();

/// Reaches TComponent::Notification of another component, as the host's access classes do.
struct TProtectedTComponent : TComponent {
    using TComponent::Notification;
};

const char* const SelfDescriptor = "Override::Self::psReadable..psWritable::pvPublished::0";
const char* const InstanceChangeDescriptor = "Define::OnInstanceChange::pvPublished::1::Instance";

Variant AddressValue(const TObject* Object) {
    return Variant(static_cast<Int64>(reinterpret_cast<std::intptr_t>(Object)));
}
} // namespace

HOST_METACLASS(TzelVariableClassInfo, TzelClassInfo);
HOST_COMPONENT_METACLASS(TzelVariable, TComponent, PropTable(VariableProps, VariableExtras));

// ---------------------------------------------------------------------------------------------
// TzelVariableClassInfo

TzelVariableClassInfo::TzelVariableClassInfo() = default;

TzelVariableClassInfo::TzelVariableClassInfo(const AnsiString& ClassTypeName) {
    Update(ClassTypeName);
}

TzelVariableClassInfo::~TzelVariableClassInfo() {
    DetachRelays();
    DropInnerRecords();
    if (FInnerClassInfo) {
        // The inner class info lets go of a held object that died by itself.
        FInnerClassInfo->SetOwner(nullptr);
        FreeAndNil(FInnerClassInfo);
    }
}

TzelClassInfo* TzelVariableClassInfo::NewInnerClassInfo(const AnsiString& ClassTypeName) {
    TzelClassInfoClass infoClass = TzelClassRegistry::FindClassInfo(ClassTypeName);
    // The variable's own class info wraps nothing: a variable of variables would hold no object.
    if (!infoClass || infoClass->InheritsFrom(TzelVariableClassInfo::StaticClass()))
        throw Exception("Unknown class!");
    auto* info = static_cast<TzelClassInfo*>(infoClass->NewObject());
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
    DropInnerRecords();
    TzelClassInfo* old = FInnerClassInfo;
    FInnerClassInfo = inner;
    FClassTypeName = ClassTypeName;
    if (old) {
        old->SetOwner(nullptr);
        old->Free();
    }
    AttachRelays();
}

// The lists hold the inner class info's very records: they leave the lists before that class
// info frees them, so that nothing (the base destructor, a rebuild) reads them afterwards.
void TzelVariableClassInfo::DropInnerRecords() {
    for (TList* list : {FProperties, FMethods, FConstructors, FEvents}) {
        int kept = 0;
        for (int i = 0; i < list->GetCount(); ++i) {
            auto* feature = static_cast<TzelFeature*>(list->GetItems(i));
            if (feature->ClassInfo == this) list->SetItems(kept++, feature);
        }
        list->SetCount(kept);
    }
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

void TzelVariableClassInfo::Relay(TObject*, TzelEventInfo* Event) {
    FireEvent(Event);
}

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

// Members of the held class while no object is held (or it has been destroyed: the inner class
// info then has no owner any more): reading gives an empty value, writing and calling do
// nothing. Raising instead would make a form whose connections read a variable when they
// connect fail to load before the application can fill the variable.
bool TzelVariableClassInfo::Bound() const {
    return FInnerClassInfo && FInnerClassInfo->GetOwner();
}

Variant TzelVariableClassInfo::GetProperty(TzelPropertyInfo* Info) {
    if (Info->Name == "Self") return AddressValue(GetInstance());
    if (!Bound()) return Variant();
    return FInnerClassInfo->GetProperty(Info);
}

void TzelVariableClassInfo::SetProperty(TzelPropertyInfo* Info, const Variant& Value) {
    if (Info->Name != "Self") {
        if (Bound()) FInnerClassInfo->SetProperty(Info, Value);
        return;
    }
    SetInstance(HeldObject(Value));
    if (TzelEventInfo* event = FindEvent("OnInstanceChange")) {
        event->GetArgs(0)->Value = AddressValue(GetInstance());
        FireEvent(event);
    }
}

void TzelVariableClassInfo::InvokeMethod(TzelMethodInfo* Info) {
    if (!Bound()) {
        Info->Result.Clear();
        return;
    }
    FInnerClassInfo->InvokeMethod(Info);
}

// Only a live object of the chosen class (or a descendant) is held: the inner class info
// treats its owner as that class.
TObject* TzelVariableClassInfo::HeldObject(const Variant& Value) const {
    TObject* object = zelObjectFromVariant(Value, TObject::StaticClass());
    if (!object) return nullptr;
    for (TClass c = object->ClassType(); c; c = c->Parent)
        if (AnsiSameText(c->ClassName, FClassTypeName)) return object;
    throw EInvalidCast(
        Format("%d is not the address of a live %s",
               {static_cast<long long>(reinterpret_cast<std::intptr_t>(object)), FClassTypeName}));
}

void TzelVariableClassInfo::SetInstance(TObject* Instance) {
    if (!FInnerClassInfo) throw Exception("Unknown class!");
    FInnerClassInfo->SetOwner(Instance);
    FInstance = Instance;
    FInstanceId = Instance ? Instance->ObjectId() : 0;
}

// ---------------------------------------------------------------------------------------------
// TzelVariable

TzelVariable::TzelVariable(TComponent* AOwner) : TComponent(AOwner), FClassTypeName("TObject") {
    FClassInfo = new TzelVariableClassInfo(FClassTypeName);
    FClassInfo->InitMetaData();
    FClassInfo->SetOwner(this);
}

TzelVariable::~TzelVariable() {
    // Connections hear of the removal while the class info they cached still exists; the
    // inherited destructor would tell them only after it is gone.
    Destroying();
    std::vector<TComponent*> notified;
    for (int i = 0; FFreeNotifies && i < FFreeNotifies->GetCount(); ++i)
        notified.push_back(static_cast<TComponent*>(FFreeNotifies->GetItems(i)));
    for (TComponent* c : notified)
        if (FFreeNotifies && FFreeNotifies->IndexOf(c) >= 0)
            (c->*&TProtectedTComponent::Notification)(this, opRemove);
    RemoveFreeNotifications();
    FreeAndNil(FClassInfo);
}

TzelClassInfo* TzelVariable::GetZELClassInfo() {
    return FClassInfo;
}

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
