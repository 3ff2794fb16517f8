#include "connections/Zele2m.h"

#include "host/system/SysUtils.h"

#include "core/Zelcommon.h"
#include "host/classes/TypInfo.h"

namespace zeltrix {

using namespace host;

namespace {
const TPropInfo ParameterProps[] = {
    HOST_PROP(TzelParameterConnection, ParameterName),
    HOST_PROP(TzelParameterConnection, Component),
    HOST_PROP(TzelParameterConnection, ComponentProperty),
    HOST_PROP(TzelParameterConnection, ComponentPropertyIndex).Stored(false),
    HOST_PROP(TzelParameterConnection, EventParameter),
    HOST_PROP(TzelParameterConnection, Constant),
    HOST_PROP(TzelParameterConnection, Options).NoDefault(),
};
const TPropInfo E2MProps[] = {
    HOST_PROP(TzelE2MConnection, SourceEvent),
    HOST_PROP(TzelE2MConnection, TargetMethod),
    HOST_PROP(TzelE2MConnection, TargetMethodParameters),
};
} // namespace
HOST_METACLASS(TzelParameterConnection, TCollectionItem,
               PropTable(ParameterProps, MakeItemMetaClass<TzelParameterConnection>()));
HOST_METACLASS(TzelParameterConnections, TCollection);
HOST_COMPONENT_METACLASS(TzelE2MConnection, TzelConnection, PropTable(E2MProps));

// ---------------------------------------------------------------------------------------------
// TzelParameterConnection

TzelParameterConnection::TzelParameterConnection(TCollection* ACollection)
    : TCollectionItem(ACollection), FConstantValue(AnsiString()) {}

TzelE2MConnection* TzelParameterConnection::GetConnection() const {
    auto* owner = DynCast<TzelParameterConnections>(GetCollection());
    return owner ? owner->FOwner : nullptr;
}

bool TzelParameterConnection::Validates() const {
    TzelE2MConnection* connection = GetConnection();
    return connection && !connection->IsLoading();
}

TzelParameterInfo* TzelParameterConnection::GetParameterInfo() const {
    TzelE2MConnection* connection = GetConnection();
    TzelMethodInfo* method = connection ? connection->GetTargetMethodInfo() : nullptr;
    return method ? method->Find(FParameterName) : nullptr;
}

TzelClassInfo* TzelParameterConnection::GetComponentInfo() {
    return TzelConnection::ResolveInfo(FComponent, FComponentInfo);
}

TzelPropertyInfo* TzelParameterConnection::GetComponentPropertyInfo() {
    return FComponentProperty.Info(GetComponentInfo());
}

TzelParameterInfo* TzelParameterConnection::GetEventParameterInfo() const {
    TzelE2MConnection* connection = GetConnection();
    TzelEventInfo* event = connection ? connection->GetSourceEventInfo() : nullptr;
    return event ? event->Find(FEventParameter) : nullptr;
}

void TzelParameterConnection::SetComponent(TComponent* Value) {
    TzelConnection::CheckZeltrixComponent(Value);
    TzelE2MConnection* connection = GetConnection();
    if (FComponent && connection) {
        // Emptied directly: the index array stays as it was.
        FComponentProperty.ClearName();
        connection->Unconnect();
    }
    FComponent = Value;
    FComponentInfo = nullptr;
    // The connection, not the item, hears of the component's destruction.
    if (Value && connection) Value->FreeNotification(connection);
}

void TzelParameterConnection::SetComponentProperty(const AnsiString& Value) {
    bool validate = Validates();
    FComponentProperty.SetName(Value, validate, validate ? GetComponentInfo() : nullptr);
}

void TzelParameterConnection::SetComponentPropertyIndex(const Variant& Value) {
    bool validate = Validates();
    FComponentProperty.SetIndexes(Value, validate, validate ? GetComponentInfo() : nullptr);
}

void TzelParameterConnection::SetEventParameter(const AnsiString& Value) {
    if (Value == FEventParameter) return;
    AnsiString old = FEventParameter;
    FEventParameter = Value;
    if (Value.empty() || !Validates()) return;
    TzelE2MConnection* connection = GetConnection();
    TzelEventInfo* event = connection->GetSourceEventInfo();
    const char* failure =
        !connection->GetSourceInfo() ? "Invalid EventParameter value. Unknown source component"
        : !event                     ? "Invalid EventParameter value. Unknown SourceEvent"
        : !event->Find(Value)        ? "Invalid EventParameter value. Unknown event parameter name"
                                     : nullptr;
    if (failure) {
        FEventParameter = std::move(old);
        throw EzelInvalidFeature(failure);
    }
}

void TzelParameterConnection::SetConstant(const AnsiString& Value) {
    FConstant = Value;
    FConstantValue = Variant(Value);
}

AnsiString TzelParameterConnection::GetDisplayName() {
    return FParameterName.empty() ? inherited::GetDisplayName() : FParameterName;
}

// Without it the host's collection assignment would clear the items and then fail on the first
// one, losing them all.
void TzelParameterConnection::Assign(TPersistent* Source) {
    auto* source = DynCast<TzelParameterConnection>(Source);
    if (!source) return inherited::Assign(Source);
    FParameterName = source->FParameterName;
    FComponent = source->FComponent;
    FComponentInfo = nullptr;
    if (FComponent)
        if (TzelE2MConnection* connection = GetConnection())
            FComponent->FreeNotification(connection);
    FComponentProperty.Assign(source->FComponentProperty);
    FEventParameter = source->FEventParameter;
    SetConstant(source->FConstant);
    FOptions = source->FOptions;
}

void TzelParameterConnection::DefineProperties(TFiler* Filer) {
    inherited::DefineProperties(Filer);
    FComponentProperty.DefineProperties(Filer);
}

AnsiString TzelParameterConnection::Diagnose() {
    if (!GetParameterInfo()) return zelMissingName(FParameterName, "method parameter");
    switch (FOptions) {
    case voComponentProperty:
        if (!GetComponentInfo()) return zelMissingComponent(FComponent, "parameter");
        return FComponentProperty.Diagnose(GetComponentInfo());
    case voEventProperty:
        if (!GetEventParameterInfo()) return zelMissingName(FEventParameter, "event parameter");
        return {};
    default: return {};
    }
}

// An item that does not resolve (its parameter, component, property or event parameter is gone)
// gives its argument an empty value and takes nothing back: the method never sees a value left
// from an earlier call, and a component deleted at run time does not break the connection.
bool TzelParameterConnection::ArgumentValue(Variant& Value) {
    switch (FOptions) {
    case voComponentProperty: return FComponentProperty.TryRead(GetComponentInfo(), Value);
    case voConstant: Value = FConstantValue; return true;
    case voEventProperty:
        if (TzelParameterInfo* parameter = GetEventParameterInfo()) {
            Value = parameter->Value;
            return true;
        }
        return false;
    default: throw Exception("Internal error in TzelE2MConnection.OnSourceEvent");
    }
}

void TzelParameterConnection::TakeResult(TzelParameterInfo* Argument) {
    switch (FOptions) {
    case voConstant: return;
    case voComponentProperty:
        // The index array is applied again: another item may have used the same property
        // record meanwhile.
        FComponentProperty.TryWrite(GetComponentInfo(), Argument->Value);
        return;
    case voEventProperty:
        if (TzelParameterInfo* parameter = GetEventParameterInfo())
            parameter->Value = Argument->Value;
        return;
    default: throw Exception("Internal error in TzelE2MConnection.OnSourceEvent");
    }
}

// ---------------------------------------------------------------------------------------------
// TzelParameterConnections

TzelParameterConnections::TzelParameterConnections(TzelE2MConnection* AOwner)
    : TCollection(TzelParameterConnection::StaticClass()), FOwner(AOwner) {}

TzelParameterConnection* TzelParameterConnections::Add() {
    return static_cast<TzelParameterConnection*>(TCollection::Add());
}

TzelParameterConnection* TzelParameterConnections::GetItem(int Index) const {
    return static_cast<TzelParameterConnection*>(TCollection::GetItems(Index));
}

void TzelParameterConnections::SetItem(int Index, TzelParameterConnection* Value) {
    GetItem(Index)->Assign(Value);
}

TPersistent* TzelParameterConnections::GetOwner() {
    return FOwner;
}

void TzelParameterConnections::Assign(TPersistent* Source) {
    TCollection::Assign(Source);
    if (auto* source = DynCast<TzelParameterConnections>(Source)) {
        FMethodName = source->FMethodName;
        FAsRead = source->FAsRead;
    }
}

void TzelParameterConnections::Init(TzelMethodInfo* MethodInfo) {
    BeginUpdate();
    struct EndUpdateAtExit {
        TCollection* C;
        ~EndUpdateAtExit() { C->EndUpdate(); }
    } end{this};
    Clear();
    FAsRead = false;
    if (!MethodInfo) {
        FMethodName.clear();
        return;
    }
    FMethodName = MethodInfo->Name;
    for (int i = 0; i < MethodInfo->GetArgCount(); ++i)
        Add()->FParameterName = MethodInfo->GetArgs(i)->Name;
}

// ---------------------------------------------------------------------------------------------
// TzelE2MConnection

TzelE2MConnection::TzelE2MConnection(TComponent* AOwner)
    : TzelConnection(AOwner), FTargetMethodParameters(new TzelParameterConnections(this)),
      FListener(new TzelListener()), FLink(FListener) {
    FListener->Handler = TNotifyZELEvent::Bind<&TzelE2MConnection::OnSourceEvent>(this);
    AddLink(&FLink);
}

TzelE2MConnection::~TzelE2MConnection() {
    FreeAndNil(FTargetMethodParameters);
    FLink.RemoveAll();
    FreeAndNil(FListener);
}

TzelEventInfo* TzelE2MConnection::GetSourceEventInfo() {
    return FSourceEventInfo.Get(GetSourceInfo(), FSourceEvent);
}

TzelMethodInfo* TzelE2MConnection::GetTargetMethodInfo() {
    return FTargetMethodInfo.Get(GetTargetInfo(), FTargetMethod);
}

void TzelE2MConnection::SetSourceEvent(const AnsiString& Value) {
    FSourceEvent = Value;
    for (int i = 0; FTargetMethodParameters && i < FTargetMethodParameters->GetCount(); ++i)
        FTargetMethodParameters->GetItem(i)->SetEventParameter("");
}

// While the form is read the target is not resolved yet; rebuilding here would only drop items
// read before the name. After a load the items are those saved with the form until a method is
// chosen: the saved one is adopted as it is, another one rebuilds them. Losing the target
// before that (an empty name) keeps them, so that deleting a component loses no saved settings.
void TzelE2MConnection::SetTargetMethod(const AnsiString& Value) {
    FTargetMethod = Value;
    TzelParameterConnections* items = FTargetMethodParameters;
    if (IsLoading() || !items) return;
    if (items->FAsRead) {
        if (Value.empty()) return;
        items->FAsRead = false;
    }
    if (Value != items->FMethodName) items->Init(GetTargetMethodInfo());
}

void TzelE2MConnection::SetTargetMethodParameters(TzelParameterConnections* Value) {
    FTargetMethodParameters->Assign(Value);
}

void TzelE2MConnection::Loaded() {
    inherited::Loaded();
    // The items read from the file were built for the method saved with them.
    FTargetMethodParameters->FMethodName = FTargetMethod;
    FTargetMethodParameters->FAsRead = true;
}

bool TzelE2MConnection::ReleaseComponent(TComponent* AComponent) {
    bool stop = TzelConnection::ReleaseComponent(AComponent);
    for (int i = 0; FTargetMethodParameters && i < FTargetMethodParameters->GetCount(); ++i) {
        TzelParameterConnection* item = FTargetMethodParameters->GetItem(i);
        if (item->FComponent != AComponent) continue;
        item->FComponent = nullptr;
        item->FComponentInfo = nullptr;
        item->SetComponentProperty("");
    }
    return stop;
}

// Connect does not test the items: one that does not resolve passes an empty value.
AnsiString TzelE2MConnection::Diagnose() {
    if (!GetSourceInfo()) return zelMissingComponent(FSource, "source");
    if (!GetTargetInfo()) return zelMissingComponent(FTarget, "target");
    if (!GetSourceEventInfo()) return zelMissingName(FSourceEvent, "source event");
    if (!GetTargetMethodInfo()) return zelMissingName(FTargetMethod, "target method");
    return {};
}

void TzelE2MConnection::AddNotes(std::vector<AnsiString>& Notes) {
    for (int i = 0; i < FTargetMethodParameters->GetCount(); ++i) {
        TzelParameterConnection* item = FTargetMethodParameters->GetItem(i);
        if (AnsiString reason = item->Diagnose(); !reason.empty())
            Notes.push_back("parameter " + item->GetDisplayName() + ": " + reason);
    }
}

bool TzelE2MConnection::Connect() {
    if (!Diagnose().empty()) return false;
    if (IsDesigning()) return true;
    FListener->EventName = FSourceEvent;
    FLink.Add(GetSourceInfo());
    return true;
}

void TzelE2MConnection::Unconnect() {
    FLink.RemoveAll();
    if (!GetSourceInfo()) SetSourceEvent("");
    if (!GetTargetInfo()) SetTargetMethod("");
}

void TzelE2MConnection::OnSourceEvent(TObject*, TzelEventInfo*) {
    RunGuard guard(this);
    TzelClassInfo* target = GetTargetInfo();
    TzelMethodInfo* method = GetTargetMethodInfo();
    // Only a variable whose class changed after Connect can get here without the method.
    if (!method) throw Exception("Method " + FTargetMethod + " not found!");
    for (int i = 0; i < method->GetArgCount(); ++i) method->GetArgs(i)->Value.Clear();
    for (int i = 0; i < FTargetMethodParameters->GetCount(); ++i) {
        TzelParameterConnection* item = FTargetMethodParameters->GetItem(i);
        TzelParameterInfo* argument = method->Find(item->FParameterName);
        if (!argument) {
            if (item->FOptions > voEventProperty)
                throw Exception("Internal error in TzelE2MConnection.OnSourceEvent");
            continue;
        }
        Variant value;
        bool given = item->ArgumentValue(value);
        if (guard.Dead()) return;
        if (!given) continue;
        // Reading a component's property runs host code that may free the target: the method
        // and the argument are resolved again then.
        if (item->FOptions == voComponentProperty) {
            method = GetTargetMethodInfo();
            if (!method) return;
            argument = method->Find(item->FParameterName);
        }
        if (argument) argument->Value = std::move(value);
    }
    target = GetTargetInfo();
    method = GetTargetMethodInfo();
    if (!method) return;
    AnsiString call;
    if (zelTracing()) {
        AnsiString args;
        for (int i = 0; i < method->GetArgCount(); ++i)
            args += (i ? ", " : "") + zelTraceValue(method->GetArgs(i)->Value);
        call =
            Format("%s: %s.%s -> %s.%s(%s)",
                   {GetName(), GetSource() ? GetSource()->GetName() : AnsiString("?"), FSourceEvent,
                    GetTarget() ? GetTarget()->GetName() : AnsiString("?"), FTargetMethod, args});
    }
    target->InvokeMethod(method);
    if (!call.empty()) zelTrace(call);
    if (guard.Dead()) return;
    // The call may have freed the target (and with it the arguments), an item's component or
    // the source: everything is resolved again, and what is gone takes nothing back. A write
    // to a component runs host code too, so the method is resolved again after each.
    method = GetTargetMethodInfo();
    for (int i = 0; method && i < FTargetMethodParameters->GetCount(); ++i) {
        TzelParameterConnection* item = FTargetMethodParameters->GetItem(i);
        if (TzelParameterInfo* argument = method->Find(item->FParameterName)) {
            item->TakeResult(argument);
            if (guard.Dead()) return;
            if (item->FOptions == voComponentProperty) method = GetTargetMethodInfo();
        } else if (item->FOptions > voEventProperty) {
            throw Exception("Internal error in TzelE2MConnection.OnSourceEvent");
        }
    }
}

namespace Zele2m {
void Initialize() {}
void Finalize() {}
} // namespace Zele2m

} // namespace zeltrix
