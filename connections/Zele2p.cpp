#include "connections/Zele2p.h"

#include "host/system/SysUtils.h"

#include "core/Zelcommon.h"
#include "host/classes/TypInfo.h"

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
    return FTargetProperty.Info(GetTargetInfo());
}

TzelPropertyInfo* TzelE2PConnection::GetValueComponentPropertyInfo() {
    return FValueComponentProperty.Info(GetValueComponentInfo());
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

// While the connection is read its components are not resolved yet: nothing is validated.
void TzelE2PConnection::SetTargetProperty(const AnsiString& Value) {
    bool validate = !IsLoading();
    FTargetProperty.SetName(Value, validate, validate ? GetTargetInfo() : nullptr);
}

void TzelE2PConnection::SetValueComponentProperty(const AnsiString& Value) {
    bool validate = !IsLoading();
    FValueComponentProperty.SetName(Value, validate, validate ? GetValueComponentInfo() : nullptr);
}

void TzelE2PConnection::SetTargetPropertyIndex(const Variant& Value) {
    bool validate = !IsLoading();
    FTargetProperty.SetIndexes(Value, validate, validate ? GetTargetInfo() : nullptr);
}

void TzelE2PConnection::SetValueComponentPropertyIndex(const Variant& Value) {
    bool validate = !IsLoading();
    FValueComponentProperty.SetIndexes(Value, validate,
                                       validate ? GetValueComponentInfo() : nullptr);
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

AnsiString TzelE2PConnection::Diagnose() {
    if (!GetSourceInfo()) return zelMissingComponent(FSource, "source");
    if (!GetTargetInfo()) return zelMissingComponent(FTarget, "target");
    if (!GetSourceEventInfo()) return zelMissingName(FSourceEvent, "source event");
    if (AnsiString reason = FTargetProperty.Diagnose(GetTargetInfo()); !reason.empty())
        return reason;
    switch (FValueOptions) {
    case voComponentProperty:
        if (!GetValueComponentInfo()) return zelMissingComponent(FValueComponent, "value");
        return FValueComponentProperty.Diagnose(GetValueComponentInfo());
    case voEventProperty:
        if (!GetValueEventParameterInfo())
            return zelMissingName(FValueEventParameter, "event parameter");
        return {};
    default: return {};
    }
}

bool TzelE2PConnection::Connect() {
    if (!Diagnose().empty()) return false;
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
    case voComponentProperty:
        value = FValueComponentProperty.Read(GetValueComponentInfo());
        if (guard.Dead()) return;
        break;
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
    FTargetProperty.Write(GetTargetInfo(), value);
    if (zelTracing() && !guard.Dead())
        zelTrace(Format("%s: %s.%s -> %s.%s := %s",
                        {GetName(), GetSource() ? GetSource()->GetName() : AnsiString("?"),
                         FSourceEvent, GetTarget() ? GetTarget()->GetName() : AnsiString("?"),
                         FTargetProperty.Name(), zelTraceValue(value)}));
}

void TzelE2PConnection::DefineProperties(TFiler* Filer) {
    inherited::DefineProperties(Filer);
    FTargetProperty.DefineProperties(Filer);
    FValueComponentProperty.DefineProperties(Filer);
}

namespace Zele2p {
void Initialize() {}
void Finalize() {}
} // namespace Zele2p

} // namespace zeltrix
