#include "host/actnlist/ActionList.h"

#include "host/actnlist/CustomAction.h"
#include "host/classes/Lists.h"
#include "host/classes/TypInfoRows.h"
#include "host/menus/ShortCuts.h"

namespace host {

TActionApplicationHooks ActionApplicationHooks;

namespace {
constexpr TPropInfo ContainedActionProps[] = {
    HOST_PROP(TContainedAction, Category),
};
constexpr TPropInfo CustomActionListProps[] = {
    HOST_PROP(TCustomActionList, Images).Unpublished(),
};
constexpr TPropInfo ActionListProps[] = {
    "Images",
    HOST_PROP(TActionList, OnChange),
    HOST_PROP(TActionList, OnExecute),
    HOST_PROP(TActionList, OnUpdate),
};

bool Ask(bool (*Hook)(TBasicAction*), TBasicAction* Action) {
    return Hook && Hook(Action);
}
} // namespace

HOST_COMPONENT_METACLASS(TContainedAction, TBasicAction, PropTable(ContainedActionProps));
HOST_COMPONENT_METACLASS(TCustomActionList, TComponent, PropTable(CustomActionListProps));
HOST_COMPONENT_METACLASS(TActionList, TCustomActionList, PropTable(ActionListProps));

// ---- TContainedAction ----

TContainedAction::TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}

TContainedAction::~TContainedAction() {
    if (FActionList) FActionList->RemoveAction(this);
}

bool TContainedAction::Execute() {
    return (FActionList && FActionList->ExecuteAction(this)) ||
           Ask(ActionApplicationHooks.ExecuteAction, this) || TBasicAction::Execute() ||
           Ask(ActionApplicationHooks.ExecuteTarget, this);
}

bool TContainedAction::Update() {
    return (FActionList && FActionList->UpdateAction(this)) ||
           Ask(ActionApplicationHooks.UpdateAction, this) || TBasicAction::Update() ||
           Ask(ActionApplicationHooks.UpdateTarget, this);
}

TComponent* TContainedAction::GetParentComponent() {
    return FActionList ? FActionList : TBasicAction::GetParentComponent();
}

bool TContainedAction::HasParent() {
    return FActionList ? true : TBasicAction::HasParent();
}

void TContainedAction::SetParentComponent(TComponent* AParent) {
    // A form reads an action inside its list; read anywhere else, it keeps the list it has.
    if (auto* list = DynCast<TCustomActionList>(AParent)) SetActionList(list);
}

void TContainedAction::SetActionList(TCustomActionList* AActionList) {
    if (AActionList == FActionList) return;
    if (FActionList) FActionList->RemoveAction(this);
    if (AActionList) AActionList->AddAction(this);
}

Integer TContainedAction::GetIndex() const {
    return FActionList ? FActionList->FActions->IndexOf(const_cast<TContainedAction*>(this)) : -1;
}

void TContainedAction::SetIndex(Integer Value) {
    const Integer cur = GetIndex();
    if (cur < 0) return;
    const Integer count = FActionList->FActions->GetCount();
    if (Value < 0) Value = 0;
    if (Value >= count) Value = count - 1;
    if (Value == cur) return;
    FActionList->FActions->Move(cur, Value);
    FActionList->Change();
}

void TContainedAction::SetCategory(const AnsiString& Value) {
    if (Value == FCategory) return;
    FCategory = Value;
    if (FActionList) FActionList->Change();
}

// ---- TCustomActionList ----

TCustomActionList::TCustomActionList(TComponent* AOwner)
    : TComponent(AOwner), FActions(new TList), FImageChangeLink(new TChangeLink) {
    FImageChangeLink->SetOnChange(TNotifyEvent::Bind<&TCustomActionList::ImageListChange>(this));
}

void TCustomActionList::ImageListChange(TObject* Sender) {
    if (Sender == FImages) Change();
}

TCustomActionList::~TCustomActionList() {
    FImageChangeLink->Free();
    while (FActions->GetCount() > 0) FreeObject(static_cast<TContainedAction*>(FActions->Last()));
    delete FActions;
}

TContainedAction* TCustomActionList::GetAction(Integer Index) const {
    return static_cast<TContainedAction*>(FActions->GetItems(Index));
}

void TCustomActionList::SetAction(Integer Index, TContainedAction* Value) {
    GetAction(Index)->Assign(Value);
}

Integer TCustomActionList::GetActionCount() const {
    return FActions->GetCount();
}

void TCustomActionList::SetImages(TActionListImages* Value) {
    if (Value == FImages) return;
    if (FImages) {
        FImages->UnRegisterChanges(FImageChangeLink);
        FImages->RemoveFreeNotification(this);
    }
    FImages = Value;
    if (FImages) {
        FImages->RegisterChanges(FImageChangeLink);
        FImages->FreeNotification(this);
    }
    Change();
}

void TCustomActionList::SetState(TActionListState Value) {
    if (Value == FState) return;
    FState = Value;
    if (FState != asSuspendedEnabled) return;
    for (Integer i = 0; i < FActions->GetCount(); ++i)
        if (auto* a = DynCast<TCustomAction>(GetAction(i))) a->SetEnabled(true);
}

bool TCustomActionList::ExecuteAction(TBasicAction* Action) {
    bool handled = false;
    if (FOnExecute) FOnExecute(Action, handled);
    return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* Action) {
    bool handled = false;
    if (FOnUpdate) FOnUpdate(Action, handled);
    return handled;
}

bool TCustomActionList::IsShortCut(TWMKey& Message) {
    if (FState != asNormal) return false;
    const TShortCut sc = ShortCutFromMessage(Message);
    if (sc == scNone) return false;
    for (Integer i = 0; i < FActions->GetCount(); ++i) {
        auto* a = DynCast<TCustomAction>(GetAction(i));
        if (a && a->HasShortCut(sc)) return a->Execute();
    }
    return false;
}

void TCustomActionList::AddAction(TContainedAction* Action) {
    FActions->Add(Action);
    Action->FActionList = this;
    Action->FreeNotification(this);
}

void TCustomActionList::RemoveAction(TContainedAction* Action) {
    if (FActions->Remove(Action) < 0) return;
    Action->RemoveFreeNotification(this);
    Action->FActionList = nullptr;
}

void TCustomActionList::Change() {
    if (FOnChange) FOnChange(this);
    // An action's listeners may change the list; tell the actions that are in it at the time.
    for (Integer i = 0; i < FActions->GetCount(); ++i) GetAction(i)->Change();
}

void TCustomActionList::GetChildren(TGetChildProc Proc, TComponent* Root) {
    for (Integer i = 0; i < FActions->GetCount(); ++i) {
        TContainedAction* a = GetAction(i);
        if (a->GetOwner() == Root) Proc(a);
    }
}

void TCustomActionList::SetChildOrder(TComponent* Child, Integer Order) {
    if (auto* a = DynCast<TContainedAction>(Child); a && a->FActionList == this) a->SetIndex(Order);
}

void TCustomActionList::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImages) {
        // The list is going: it has let go of the link already, and is asked nothing more.
        FImages = nullptr;
        Change();
    }
    // An action leaves its list as it is destroyed; this covers one that could not.
    if (FActions->IndexOf(AComponent) >= 0)
        RemoveAction(static_cast<TContainedAction*>(AComponent));
}

} // namespace host
