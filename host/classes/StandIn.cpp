#include "host/classes/StandIn.h"

#include "host/classes/RuntimeClass.h"

namespace host {

namespace {
TComponent* NewStandIn(TClass Class, TComponent* Owner) {
    return new TStandIn(Owner, Class);
}
} // namespace

TStandIn::TStandIn(TComponent* AOwner, TClass AClass) : TComponent(AOwner), FClass(AClass) {}

void TStandIn::SetParentComponent(TComponent* Value) {
    if (Value == FParentComponent) return;
    if (FParentComponent) RemoveFreeNotification(FParentComponent);
    FParentComponent = Value;
    if (Value) FreeNotification(Value);
}

void TStandIn::DefineProperties(TFiler* Filer) {
    TPersistent::DefineProperties(Filer);
}

void TStandIn::GetChildren(TGetChildProc Proc, TComponent* Root) {
    if (!GetOwner()) {
        for (Integer i = 0; i < GetComponentCount(); ++i)
            if (TComponent* c = GetComponents(i);
                !c->HasParent() || c->GetParentComponent() == this)
                Proc(c);
        return;
    }
    // An inline stand-in (a frame) owns its children; any other lists the root's.
    TComponent* owner = GetChildOwner() ? this : Root;
    if (!owner) return;
    for (Integer i = 0; i < owner->GetComponentCount(); ++i)
        if (TComponent* c = owner->GetComponents(i); c->GetParentComponent() == this) Proc(c);
}

TComponent* TStandIn::GetChildOwner() {
    return GetComponentState().Contains(csInline) ? this : nullptr;
}

void TStandIn::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FParentComponent) FParentComponent = nullptr;
}

TClass StandInClass(const AnsiString& Name) {
    return MakeRuntimeClass(Name, TComponent::StaticClass(), &NewStandIn, true);
}

TComponent* AsStandIn(TComponent* Component) {
    return Component && IsStandInClass(Component->ClassType()) ? Component : nullptr;
}

} // namespace host
