// TBasicAction and TBasicActionLink.
#include "host/classes/Action.h"

#include "host/classes/Lists.h"
#include "host/classes/TypInfoRows.h"

#include <vector>

namespace host {

HOST_METACLASS(TBasicActionLink, TObject);
namespace {
// Published by the actions that stream them (TAction).
constexpr TPropInfo BasicActionProps[] = {
    HOST_PROP(TBasicAction, OnExecute).Unpublished(),
    HOST_PROP(TBasicAction, OnUpdate).Unpublished(),
};
} // namespace

HOST_COMPONENT_METACLASS(TBasicAction, TComponent, PropTable(BasicActionProps));

// ---- TBasicActionLink ----

TBasicActionLink::TBasicActionLink(TObject* AClient) {
    AssignClient(AClient);
}

TBasicActionLink::~TBasicActionLink() {
    if (FAction) FAction->UnRegisterChanges(this);
}

void TBasicActionLink::AssignClient(TObject*) {}

void TBasicActionLink::Change() {
    if (FOnChange) FOnChange(FAction);
}

bool TBasicActionLink::Execute() {
    return FAction && FAction->Execute();
}
bool TBasicActionLink::Update() {
    return FAction && FAction->Update();
}
bool TBasicActionLink::IsOnExecuteLinked() {
    return true;
}
void TBasicActionLink::SetOnExecute(TNotifyEvent) {}

void TBasicActionLink::SetAction(TBasicAction* Value) {
    if (Value == FAction) return;
    if (FAction) FAction->UnRegisterChanges(this);
    FAction = nullptr;
    if (Value) Value->RegisterChanges(this);
}

// ---- TBasicAction ----

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner), FClients(new TList) {}

TBasicAction::~TBasicAction() {
    while (FClients->GetCount() > 0)
        UnRegisterChanges(static_cast<TBasicActionLink*>(FClients->Last()));
    delete FClients;
}

bool TBasicAction::HandlesTarget(TObject*) {
    return false;
}
void TBasicAction::UpdateTarget(TObject*) {}
void TBasicAction::ExecuteTarget(TObject*) {}

bool TBasicAction::Execute() {
    if (!FOnExecute) return false;
    FOnExecute(this);
    return true;
}

bool TBasicAction::Update() {
    if (!FOnUpdate) return false;
    FOnUpdate(this);
    return true;
}

void TBasicAction::RegisterChanges(TBasicActionLink* Value) {
    if (!Value) return;
    // A link follows one action at a time.
    if (Value->FAction && Value->FAction != this) Value->FAction->UnRegisterChanges(Value);
    Value->FAction = this;
    if (FClients->IndexOf(Value) < 0) {
        FClients->Add(Value);
        ++fClientsVersion;
    }
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Value) {
    Integer i = FClients->IndexOf(Value);
    if (i < 0) return;
    Value->FAction = nullptr;
    FClients->Delete(i);
    ++fClientsVersion;
}

void TBasicAction::Change() {
    if (FOnChange) FOnChange(this);
    // Links may unregister (or free each other) while they hear of the change.
    std::vector<TBasicActionLink*> links;
    for (Integer i = 0; i < FClients->GetCount(); ++i)
        links.push_back(static_cast<TBasicActionLink*>(FClients->GetItems(i)));
    const unsigned start = fClientsVersion;
    for (TBasicActionLink* link : links)
        if (fClientsVersion == start || FClients->IndexOf(link) >= 0) link->Change();
}

void TBasicAction::SetOnExecute(TNotifyEvent Value) {
    if (Value == FOnExecute) return;
    for (Integer i = 0; i < FClients->GetCount(); ++i)
        static_cast<TBasicActionLink*>(FClients->GetItems(i))->SetOnExecute(Value);
    FOnExecute = Value;
    Change();
}

} // namespace host
