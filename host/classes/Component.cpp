// TComponent: ownership, names, free notifications and component state.
#include "host/classes/Component.h"

#include "host/classes/Action.h"
#include "host/classes/Lists.h"
#include "host/classes/RuntimeClass.h"
#include "host/classes/TypInfo.h"
#include "host/system/SysUtils.h"

#include <algorithm>
#include <vector>

namespace host {

namespace {
// Name is written in the component's header, so it is not stored as a property.
constexpr TPropInfo ComponentProps[] = {
    HOST_PROP(TComponent, Name).Stored(false),
    HOST_PROP(TComponent, Tag).Default(0),
};
} // namespace

HOST_COMPONENT_METACLASS(TComponent, TPersistent, PropTable(ComponentProps));

void (*CreateVCLComObjectProc)(TComponent* Component) = nullptr;

namespace {
/// Calls `F` for each component the list held when the loop started, skipping those that an
/// earlier call took out of it: callbacks may free components or change the list.
template <class F>
void ForEachSafely(TList* const& List, const unsigned& Version, bool Reverse, F f) {
    if (!List) return;
    std::vector<TComponent*> snapshot;
    snapshot.reserve(static_cast<std::size_t>(List->GetCount()));
    for (Integer i = 0; i < List->GetCount(); ++i)
        snapshot.push_back(static_cast<TComponent*>(List->GetItems(i)));
    if (Reverse) std::reverse(snapshot.begin(), snapshot.end());
    const unsigned start = Version;
    for (TComponent* c : snapshot) {
        if (Version != start && (!List || List->IndexOf(c) < 0)) continue;
        f(c);
    }
}
} // namespace

// ---- construction and destruction ----

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

void TComponent::BeforeDestruction() {
    Destroying();
}

TComponent::~TComponent() {
    Destroying();
    // A destructor cannot raise: a failing notification handler must not stop the teardown.
    ForEachSafely(FFreeNotifies, fNotifiesVersion, true, [this](TComponent* c) {
        try {
            c->Notification(this, opRemove);
        } catch (...) {
        }
    });
    try {
        DestroyComponents();
    } catch (...) {
    }
    RemoveFreeNotifications();
    if (FOwner) {
        try {
            FOwner->RemoveComponent(this);
        } catch (...) {
        }
        if (FOwner) FOwner->Remove(this); // still listed if a handler raised
    }
}

void TComponent::Destroying() {
    if (FComponentState.Contains(csDestroying)) return;
    FComponentState += csDestroying;
    ForEachSafely(FComponents, fComponentsVersion, false, [](TComponent* c) { c->Destroying(); });
}

void TComponent::DestroyComponents() {
    while (FComponents) {
        auto* instance = static_cast<TComponent*>(FComponents->Last());
        // A component others hold through free notifications leaves with full notification;
        // the rest are taken out quietly, as the owner is going anyway.
        if (instance->FFreeNotifies)
            RemoveComponent(instance);
        else
            Remove(instance);
        if (instance->FOwner == this) Remove(instance);
        instance->Free();
    }
}

// ---- ownership ----

TComponent* TComponent::GetComponents(Integer Index) const {
    if (!FComponents) TList::Error(&SListIndexError, Index);
    return static_cast<TComponent*>(FComponents->GetItems(Index));
}

Integer TComponent::GetComponentCount() const {
    return FComponents ? FComponents->GetCount() : 0;
}

Integer TComponent::GetComponentIndex() const {
    if (FOwner && FOwner->FComponents)
        return FOwner->FComponents->IndexOf(const_cast<TComponent*>(this));
    return -1;
}

void TComponent::SetComponentIndex(Integer Value) {
    if (!FOwner || !FOwner->FComponents) return;
    TList* list = FOwner->FComponents;
    Integer current = list->IndexOf(this);
    if (current < 0) return;
    Integer count = list->GetCount();
    if (Value < 0) Value = 0;
    if (Value >= count) Value = count - 1;
    if (Value == current) return;
    list->Delete(current);
    list->Insert(Value, this);
    ++FOwner->fComponentsVersion;
}

void TComponent::Insert(TComponent* AComponent) {
    if (!FComponents) FComponents = new TList;
    FComponents->Add(AComponent);
    AComponent->FOwner = this;
    ++fComponentsVersion;
}

void TComponent::Remove(TComponent* AComponent) {
    AComponent->FOwner = nullptr;
    if (!FComponents) return;
    FComponents->Remove(AComponent);
    ++fComponentsVersion;
    if (FComponents->GetCount() == 0) {
        delete FComponents;
        FComponents = nullptr;
    }
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (!AComponent) return;
    // An owner may not end up owned by what it owns: destroying either would free the other twice.
    for (TComponent* p = this; p; p = p->FOwner)
        if (p == AComponent)
            throw EComponentError("A component cannot own itself or one of its owners");
    AComponent->ValidateContainer(this);
    ValidateRename(AComponent, AnsiString(), AComponent->FName);
    // A component has one owner: leave the old one first, so no list keeps a stale entry.
    if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
    Insert(AComponent);
    AComponent->SetReference(true);
    if (FComponentState.Contains(csDesigning)) AComponent->SetDesigning(true);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    // Only an owned component can be removed; anything else would corrupt another owner's list.
    if (!AComponent || AComponent->FOwner != this) return;
    ValidateRename(AComponent, AComponent->FName, AnsiString());
    Notification(AComponent, opRemove);
    AComponent->SetReference(false);
    if (AComponent->FOwner == this) Remove(AComponent);
}

TComponent* TComponent::FindComponent(const AnsiString& AName) const {
    if (AName.empty() || !FComponents) return nullptr;
    for (Integer i = 0; i < FComponents->GetCount(); ++i) {
        auto* c = static_cast<TComponent*>(FComponents->GetItems(i));
        if (SameText(c->FName, AName)) return c;
    }
    return nullptr;
}

void TComponent::ValidateContainer(TComponent* AComponent) {
    AComponent->ValidateInsert(this);
}

void TComponent::ValidateInsert(TComponent*) {}

/// Points the owner's published field of this component's name at it (or clears it).
void TComponent::SetReference(bool Enable) {
    if (!FOwner || FName.empty()) return;
    for (TClass c = FOwner->ClassType(); c; c = c->Parent)
        for (int i = 0; i < c->FieldCount; ++i) {
            const TPublishedField& f = c->Fields[i];
            if (!SameText(f.Name, FName)) continue;
            TObject** field = f.Address(FOwner);
            if (!Enable) {
                if (*field == this) *field = nullptr;
            } else if (!f.FieldClass || InheritsFrom(f.FieldClass)) {
                *field = this; // a field of another class cannot hold this component
            }
            return;
        }
}

// ---- notifications ----

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
    NotifyOwned(AComponent, Operation);
}

void TComponent::NotifyOwned(TComponent* AComponent, TOperation Operation) {
    ForEachSafely(FComponents, fComponentsVersion, false,
                  [&](TComponent* c) { c->Notification(AComponent, Operation); });
}

void TComponent::AddNotify(TComponent* AComponent) {
    if (!FFreeNotifies) FFreeNotifies = new TList;
    if (FFreeNotifies->IndexOf(AComponent) < 0) {
        FFreeNotifies->Add(AComponent);
        ++fNotifiesVersion;
    }
}

void TComponent::RemoveNotify(TComponent* AComponent) {
    if (!FFreeNotifies) return;
    if (FFreeNotifies->Remove(AComponent) >= 0) ++fNotifiesVersion;
    if (FFreeNotifies->GetCount() == 0) {
        delete FFreeNotifies;
        FFreeNotifies = nullptr;
    }
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    AddNotify(AComponent);
    AComponent->AddNotify(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent) return;
    RemoveNotify(AComponent);
    AComponent->RemoveNotify(this);
}

void TComponent::RemoveFreeNotifications() {
    while (FFreeNotifies) {
        auto* c = static_cast<TComponent*>(FFreeNotifies->Last());
        RemoveFreeNotification(c);
    }
}

// ---- names and state ----

void TComponent::SetName(const TComponentName& NewName) {
    if (FName == NewName) return;
    if (!NewName.empty() && !IsValidIdent(NewName))
        RaiseFmt<EComponentError>("''%s'' is not a valid component name", {NewName});
    if (FOwner)
        FOwner->ValidateRename(this, FName, NewName);
    else
        ValidateRename(nullptr, FName, NewName);
    SetReference(false);
    ChangeName(NewName);
    SetReference(true);
}

void TComponent::ChangeName(const TComponentName& NewName) {
    FName = NewName;
}

void TComponent::ValidateRename(TComponent* AComponent, const AnsiString& CurName,
                                const AnsiString& NewName) {
    if (!AComponent || NewName.empty() || SameText(CurName, NewName)) return;
    TComponent* existing = FindComponent(NewName);
    if (existing && existing != AComponent)
        RaiseFmt<EComponentError>("A component named %s already exists", {NewName});
}

AnsiString TComponent::GetNamePath() {
    return FName;
}

void TComponent::Loaded() {
    FComponentState -= csLoading;
}

void TComponent::SetAncestor(bool Value) {
    if (Value)
        FComponentState += csAncestor;
    else
        FComponentState -= csAncestor;
    ForEachSafely(FComponents, fComponentsVersion, false,
                  [Value](TComponent* c) { c->SetAncestor(Value); });
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
    if (Value)
        FComponentState += csDesigning;
    else
        FComponentState -= csDesigning;
    if (SetChildren)
        ForEachSafely(FComponents, fComponentsVersion, false,
                      [Value](TComponent* c) { c->SetDesigning(Value, true); });
}

void TComponent::SetInline(bool Value) {
    if (Value)
        FComponentState += csInline;
    else
        FComponentState -= csInline;
}

void TComponent::Updating() {
    FComponentState += csUpdating;
}
void TComponent::Updated() {
    FComponentState -= csUpdating;
}

// ---- streaming hooks ----

void TComponent::GetChildren(TGetChildProc, TComponent*) {}
TComponent* TComponent::GetChildOwner() {
    return nullptr;
}
TComponent* TComponent::GetChildParent() {
    return this;
}
void TComponent::SetChildOrder(TComponent*, Integer) {}
TComponent* TComponent::GetParentComponent() {
    return nullptr;
}
bool TComponent::HasParent() {
    return false;
}
void TComponent::SetParentComponent(TComponent*) {}

// ---- actions ----

bool TComponent::ExecuteAction(TBasicAction* Action) {
    if (Action && Action->HandlesTarget(this)) {
        Action->ExecuteTarget(this);
        return true;
    }
    return false;
}

bool TComponent::UpdateAction(TBasicAction* Action) {
    if (Action && Action->HandlesTarget(this)) {
        Action->UpdateTarget(this);
        return true;
    }
    return false;
}

// ---- COM ----

ComPtr<IUnknown> TComponent::GetComObject() {
    if (!FVCLComObject && CreateVCLComObjectProc) CreateVCLComObjectProc(this);
    if (!FVCLComObject)
        RaiseFmt<EComponentError>("%s has not been registered as a COM class", {ClassName()});
    return ComPtr<IUnknown>(static_cast<IVCLComObject*>(FVCLComObject));
}

void TComponent::FreeOnRelease() {
    if (FVCLComObject) static_cast<IVCLComObject*>(FVCLComObject)->FreeOnRelease();
}

// ---- virtual constructor ----

TComponent* CreateComponent(TClass Class, TComponent* AOwner) {
    if (Class && !Class->NewWithOwner)
        if (TRuntimeFactory make = RuntimeFactory(Class)) return make(Class, AOwner);
    if (!Class || !Class->NewWithOwner || !Class->InheritsFrom(TComponent::StaticClass()))
        throw EComponentError(AnsiString("Cannot create a component of class ") +
                              (Class ? Class->ClassName : "nil"));
    return static_cast<TComponent*>(Class->NewWithOwner(AOwner));
}

} // namespace host
