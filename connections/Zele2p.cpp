#include "connections/Zele2p.h"

#include "connections/Zelindexes.h"
#include "host/classes/TypInfo.h"
#include "core/Zelcommon.h"
#include "host/classes/Filer.h"

namespace zeltrix {

using namespace host;

namespace {
const TPropInfo E2PProps[] = {
    HOST_PROP(TzelE2PConnection, SourceEvent),
    HOST_PROP(TzelE2PConnection, TargetProperty),
    HOST_PROP(TzelE2PConnection, TargetPropertyIndex).Stored(false),
    HOST_PROP(TzelE2PConnection, ValueComponent),
    HOST_PROP(TzelE2PConnection, ValueComponentProperty),
    HOST_PROP(TzelE2PConnection, ValueComponentPropertyIndex).Stored(false),
    HOST_PROP(TzelE2PConnection, ValueEventParameter),
    HOST_PROP(TzelE2PConnection, ValueConstant),
    HOST_PROP(TzelE2PConnection, ValueOptions).NoDefault(),
};
} // namespace
HOST_COMPONENT_METACLASS(TzelE2PConnection, TzelConnection, PropTable(E2PProps));

TzelE2PConnection::TzelE2PConnection(TComponent* AOwner)
    : TzelConnection(AOwner), FListener(new TzelListener()), FLink(FListener) {
    FListener->Handler = TNotifyZELEvent::Bind<&TzelE2PConnection::OnSourceEvent>(this);
    FValueConstantValue = Variant(FValueConstant);
    AddLink(&FLink);
}

TzelE2PConnection::~TzelE2PConnection() {
    FLink.RemoveAll();
    FreeAndNil(FListener);
}

void TzelE2PConnection::SetValueConstant(const AnsiString& Value) {
    FValueConstant = Value;
    FValueConstantValue = Variant(Value);
}

TzelClassInfo* TzelE2PConnection::GetValueComponentInfo() {
    return ResolveInfo(FValueComponent, FValueComponentInfo);
}

TzelEventInfo* TzelE2PConnection::GetSourceEventInfo() {
    return FSourceEventInfo.Get(GetSourceInfo(), FSourceEvent);
}

TzelPropertyInfo* TzelE2PConnection::GetTargetPropertyInfo() {
    return FTargetPropertyInfo.Get(GetTargetInfo(), FTargetProperty);
}

TzelPropertyInfo* TzelE2PConnection::GetValueComponentPropertyInfo() {
    return FValueComponentPropertyInfo.Get(GetValueComponentInfo(), FValueComponentProperty);
}

TzelParameterInfo* TzelE2PConnection::GetValueEventParameterInfo() {
    TzelEventInfo* event = GetSourceEventInfo();
    return event ? event->Find(FValueEventParameter) : nullptr;
}

void TzelE2PConnection::SetSourceEvent(const AnsiString& Value) {
    if (Value == FSourceEvent) return;
    AnsiString old = FSourceEvent;
    FSourceEvent = Value;
    // The parameter belongs to the old event, whether or not the new name is accepted.
    SetValueEventParameter("");
    if (IsLoading() || Value.empty()) return;
    TzelClassInfo* info = GetSourceInfo();
    if (!info || !info->FindEvent(Value)) {
        FSourceEvent = std::move(old);
        throw EzelInvalidFeature(!info ? "Invalid SourceEvent value. Unknown Source component"
                                       : "Invalid SourceEvent value. Unknown source event");
    }
}

// The first failing test of the event-parameter setter, or null.
static const char* EventParameterFailure(TzelClassInfo* SourceInfo, TzelEventInfo* Event,
                                         const AnsiString& Name) {
    if (!SourceInfo) return "Invalid ValueEventParameter value. Unknown source component";
    if (!Event) return "Invalid ValueEventParameter value. Unknown SourceEvent";
    if (!Event->Find(Name))
        return "Invalid ValueEventParameter value. Unknown event parameter name";
    return nullptr;
}

void TzelE2PConnection::SetValueEventParameter(const AnsiString& Value) {
    if (Value == FValueEventParameter) return;
    AnsiString old = FValueEventParameter;
    FValueEventParameter = Value;
    if (Value.empty() || IsLoading()) return;
    if (const char* failure = EventParameterFailure(GetSourceInfo(), GetSourceEventInfo(), Value)) {
        FValueEventParameter = std::move(old);
        throw EzelInvalidFeature(failure);
    }
}

void TzelE2PConnection::SetTargetProperty(const AnsiString& Value) {
    zelSetPropertyName(FTargetProperty, FTargetPropertyIndex, Value, !IsLoading(), GetTargetInfo(),
                       zelTargetPropertyMessages);
}

void TzelE2PConnection::SetValueComponentProperty(const AnsiString& Value) {
    zelSetPropertyName(FValueComponentProperty, FValueComponentPropertyIndex, Value, !IsLoading(),
                       GetValueComponentInfo(), zelValueComponentPropertyMessages);
}

void TzelE2PConnection::SetTargetPropertyIndex(const Variant& Value) {
    bool validate = !IsLoading();
    TzelClassInfo* info = validate ? GetTargetInfo() : nullptr;
    zelSetPropertyIndex(FTargetPropertyIndex, Value, validate, info,
                        validate ? GetTargetPropertyInfo() : nullptr, zelTargetPropertyMessages);
}

void TzelE2PConnection::SetValueComponentPropertyIndex(const Variant& Value) {
    bool validate = !IsLoading();
    TzelClassInfo* info = validate ? GetValueComponentInfo() : nullptr;
    zelSetPropertyIndex(FValueComponentPropertyIndex, Value, validate, info,
                        validate ? GetValueComponentPropertyInfo() : nullptr,
                        zelValueComponentPropertyMessages);
}

void TzelE2PConnection::SetValueComponent(TComponent* Value) {
    CheckZeltrixComponent(Value);
    if (FValueComponent) {
        FValueComponent = nullptr;
        FValueComponentInfo = nullptr;
        Unconnect();
    }
    FValueComponent = Value;
    FValueComponentInfo = nullptr;
    if (Value) Value->FreeNotification(this);
}

bool TzelE2PConnection::ReleaseComponent(TComponent* AComponent) {
    bool stop = TzelConnection::ReleaseComponent(AComponent);
    if (AComponent == FValueComponent) {
        FValueComponent = nullptr;
        FValueComponentInfo = nullptr;
        stop = true;
    }
    return stop;
}

bool TzelE2PConnection::Connect() {
    if (!GetSourceInfo() || !GetTargetInfo() || !GetSourceEventInfo() || !GetTargetPropertyInfo())
        return false;
    if (FValueOptions == voComponentProperty &&
        (!GetValueComponentInfo() || !GetValueComponentPropertyInfo()))
        return false;
    if (FValueOptions == voEventProperty && !GetValueEventParameterInfo()) return false;
    if (IsDesigning()) return true;
    FListener->EventName = FSourceEvent;
    FLink.Add(GetSourceInfo());
    return true;
}

void TzelE2PConnection::Unconnect() {
    // Wherever the listener is registered, however often, and whether or not the event name
    // still resolves.
    FLink.RemoveAll();
    if (!GetSourceInfo()) {
        SetSourceEvent("");
        SetValueEventParameter("");
    }
    if (!GetTargetInfo()) SetTargetProperty("");
    if (!GetValueComponentInfo()) SetValueComponentProperty("");
}

// A value source that stopped resolving after Connect (ValueOptions switched, a variable's class
// changed) raises the message of the name that no longer resolves: a silent skip would hide it.
void TzelE2PConnection::OnSourceEvent(TObject*, TzelEventInfo*) {
    RunGuard guard(this);
    Variant value;
    switch (FValueOptions) {
    case voConstant: value = FValueConstantValue; break;
    case voComponentProperty: {
        TzelClassInfo* info = GetValueComponentInfo();
        TzelPropertyInfo* property = GetValueComponentPropertyInfo();
        if (!property)
            throw EzelInvalidFeature(info ? zelValueComponentPropertyMessages.NameProperty
                                          : zelValueComponentPropertyMessages.NameComponent);
        // Applied right before the read: the same property record may serve the target.
        zelApplyIndexArray(property, FValueComponentPropertyIndex,
                           zelValueComponentPropertyMessages);
        value = info->GetProperty(property);
        if (guard.Dead()) return;
        break;
    }
    case voEventProperty: {
        TzelParameterInfo* parameter = GetValueEventParameterInfo();
        if (!parameter)
            throw EzelInvalidFeature(
                EventParameterFailure(GetSourceInfo(), GetSourceEventInfo(), FValueEventParameter));
        value = parameter->Value;
        break;
    }
    default: throw Exception("Internal error in TzelE2PConnection.OnSourceEvent");
    }
    TzelClassInfo* target = GetTargetInfo();
    TzelPropertyInfo* property = GetTargetPropertyInfo();
    if (!property)
        throw EzelInvalidFeature(target ? zelTargetPropertyMessages.NameProperty
                                        : zelTargetPropertyMessages.NameComponent);
    zelApplyIndexArray(property, FTargetPropertyIndex, zelTargetPropertyMessages);
    target->SetProperty(property, value);
}

void TzelE2PConnection::DefineProperties(TFiler* Filer) {
    inherited::DefineProperties(Filer);
    Filer->DefineProperty("TargetPropertyIndexes",
                          TReaderProc::Bind<&TzelE2PConnection::ReadTargetPropertyIndexes>(this),
                          TWriterProc::Bind<&TzelE2PConnection::WriteTargetPropertyIndexes>(this),
                          VarIsArray(FTargetPropertyIndex));
    Filer->DefineProperty(
        "ValueComponentPropertyIndexes",
        TReaderProc::Bind<&TzelE2PConnection::ReadValueComponentPropertyIndexes>(this),
        TWriterProc::Bind<&TzelE2PConnection::WriteValueComponentPropertyIndexes>(this),
        VarIsArray(FValueComponentPropertyIndex));
}

void TzelE2PConnection::ReadTargetPropertyIndexes(TReader* Reader) {
    FTargetPropertyIndex = zelReadIndexArray(Reader);
}
void TzelE2PConnection::WriteTargetPropertyIndexes(TWriter* Writer) {
    zelWriteIndexArray(Writer, FTargetPropertyIndex);
}
void TzelE2PConnection::ReadValueComponentPropertyIndexes(TReader* Reader) {
    FValueComponentPropertyIndex = zelReadIndexArray(Reader);
}
void TzelE2PConnection::WriteValueComponentPropertyIndexes(TWriter* Writer) {
    zelWriteIndexArray(Writer, FValueComponentPropertyIndex);
}

namespace Zele2p {
void Initialize() {}
void Finalize() {}
} // namespace Zele2p

} // namespace zeltrix
