#include "host/actnlist/CustomAction.h"

#include "host/actnlist/ShortCutList.h"
#include "host/classes/Lists.h"
#include "host/classes/TypInfoRows.h"

#include <vector>

namespace host {

namespace {
// Declared here, published by TAction (and by descendants that want them streamed).
constexpr TPropInfo CustomActionProps[] = {
    HOST_PROP(TCustomAction, Caption).Unpublished(),
    HOST_PROP(TCustomAction, Checked).Default(false).Unpublished(),
    HOST_PROP(TCustomAction, Enabled).Default(true).Unpublished(),
    HOST_PROP(TCustomAction, HelpContext).Default(0).Unpublished(),
    HOST_PROP(TCustomAction, Hint).Unpublished(),
    HOST_PROP(TCustomAction, ImageIndex).Default(-1).Unpublished(),
    HOST_PROP(TCustomAction, ShortCut).Default(0).Unpublished(),
    HOST_PROP(TCustomAction, Visible).Default(true).Unpublished(),
    HOST_PROP(TCustomAction, OnHint).Unpublished(),
};
constexpr TPropInfo ActionProps[] = {
    "Caption",  "Checked", "Enabled",   "HelpContext", "Hint",     "ImageIndex",
    "ShortCut", "Visible", "OnExecute", "OnHint",      "OnUpdate",
};
} // namespace

HOST_COMPONENT_METACLASS(TCustomAction, TContainedAction, PropTable(CustomActionProps));
HOST_COMPONENT_METACLASS(TAction, TCustomAction, PropTable(ActionProps));
HOST_METACLASS(TActionLink, TBasicActionLink);

// ---- TCustomAction ----

TCustomAction::TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}

TCustomAction::~TCustomAction() {
    delete FSecondaryShortCuts;
}

TShortCutList* TCustomAction::GetSecondaryShortCuts() {
    if (!FSecondaryShortCuts) FSecondaryShortCuts = new TShortCutList;
    return FSecondaryShortCuts;
}

void TCustomAction::SetSecondaryShortCuts(TShortCutList* Value) {
    GetSecondaryShortCuts()->Assign(Value);
}

bool TCustomAction::HasShortCut(TShortCut ShortCut) const {
    if (ShortCut == scNone) return false;
    return ShortCut == FShortCut ||
           (FSecondaryShortCuts && FSecondaryShortCuts->IndexOfShortCut(ShortCut) >= 0);
}

template <class F>
void TCustomAction::EachLink(F&& Tell) {
    // A client may drop its link (or free another client) while it hears of the change.
    std::vector<TBasicActionLink*> links;
    for (Integer i = 0; i < FClients->GetCount(); ++i)
        links.push_back(static_cast<TBasicActionLink*>(FClients->GetItems(i)));
    for (TBasicActionLink* link : links)
        if (FClients->IndexOf(link) >= 0)
            if (auto* l = DynCast<TActionLink>(link)) Tell(l);
}

void TCustomAction::AssignTo(TPersistent* Dest) {
    auto* d = DynCast<TCustomAction>(Dest);
    if (!d) return TContainedAction::AssignTo(Dest);
    d->SetAutoCheck(FAutoCheck);
    d->SetCaption(FCaption);
    d->SetGroupIndex(FGroupIndex);
    d->SetChecked(FChecked);
    d->SetEnabled(FEnabled);
    d->SetHelpContext(FHelpContext);
    d->SetHint(FHint);
    d->SetImageIndex(FImageIndex);
    d->SetShortCut(FShortCut);
    if (FSecondaryShortCuts || d->FSecondaryShortCuts)
        d->SetSecondaryShortCuts(GetSecondaryShortCuts());
    d->SetVisible(FVisible);
    d->SetOnExecute(GetOnExecute());
    d->SetOnHint(FOnHint);
    d->SetOnUpdate(GetOnUpdate());
}

bool TCustomAction::IsSuspended() const {
    return FActionList && FActionList->GetState() != asNormal;
}

bool TCustomAction::Execute() {
    if (IsSuspended()) return false;
    Update();
    if (!FEnabled) return false;
    // A checked radio action stays checked when executed again.
    if (FAutoCheck && !(FChecked && FGroupIndex > 0)) SetChecked(!FChecked);
    return TContainedAction::Execute();
}

bool TCustomAction::Update() {
    if (IsSuspended()) return false;
    if (TContainedAction::Update()) return true;
    if (FEnabled && FDisableIfNoHandler && !GetOnExecute()) SetEnabled(false);
    return false;
}

bool TCustomAction::DoHint(AnsiString& HintStr) {
    bool canShow = true;
    if (FOnHint) FOnHint(HintStr, canShow);
    return canShow;
}

void TCustomAction::SetCaption(const AnsiString& Value) {
    if (Value == FCaption) return;
    EachLink([&](TActionLink* l) { l->SetCaption(Value); });
    FCaption = Value;
    Change();
}

void TCustomAction::SetChecked(bool Value) {
    if (Value == FChecked) return;
    EachLink([&](TActionLink* l) { l->SetChecked(Value); });
    FChecked = Value;
    if (FChecked) UncheckGroup();
    Change();
}

void TCustomAction::UncheckGroup() {
    if (FGroupIndex <= 0 || !FActionList) return;
    for (Integer i = 0; i < FActionList->GetActionCount(); ++i) {
        auto* a = DynCast<TCustomAction>(FActionList->GetAction(i));
        if (a && a != this && a->FGroupIndex == FGroupIndex) a->SetChecked(false);
    }
}

void TCustomAction::SetGroupIndex(Integer Value) {
    if (Value == FGroupIndex) return;
    FGroupIndex = Value;
    if (FChecked) UncheckGroup();
}

void TCustomAction::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    EachLink([&](TActionLink* l) { l->SetEnabled(Value); });
    FEnabled = Value;
    Change();
}

void TCustomAction::SetHelpContext(THelpContext Value) {
    if (Value == FHelpContext) return;
    EachLink([&](TActionLink* l) { l->SetHelpContext(Value); });
    FHelpContext = Value;
    Change();
}

void TCustomAction::SetHint(const AnsiString& Value) {
    if (Value == FHint) return;
    EachLink([&](TActionLink* l) { l->SetHint(Value); });
    FHint = Value;
    Change();
}

void TCustomAction::SetImageIndex(TImageIndex Value) {
    if (Value == FImageIndex) return;
    EachLink([&](TActionLink* l) { l->SetImageIndex(Value); });
    FImageIndex = Value;
    Change();
}

void TCustomAction::SetShortCut(TShortCut Value) {
    if (Value == FShortCut) return;
    EachLink([&](TActionLink* l) { l->SetShortCut(Value); });
    FShortCut = Value;
    Change();
}

void TCustomAction::SetVisible(bool Value) {
    if (Value == FVisible) return;
    EachLink([&](TActionLink* l) { l->SetVisible(Value); });
    FVisible = Value;
    Change();
}

// ---- TAction ----

TAction::TAction(TComponent* AOwner) : TCustomAction(AOwner) {
    FDisableIfNoHandler = true;
}

// ---- TActionLink ----

bool TActionLink::IsCaptionLinked() {
    return DynCast<TCustomAction>(FAction) != nullptr;
}
bool TActionLink::IsCheckedLinked() {
    return DynCast<TCustomAction>(FAction) != nullptr;
}
bool TActionLink::IsEnabledLinked() {
    return DynCast<TCustomAction>(FAction) != nullptr;
}
bool TActionLink::IsHelpContextLinked() {
    return DynCast<TCustomAction>(FAction) != nullptr;
}
bool TActionLink::IsHintLinked() {
    return DynCast<TCustomAction>(FAction) != nullptr;
}
bool TActionLink::IsImageIndexLinked() {
    return DynCast<TCustomAction>(FAction) != nullptr;
}
bool TActionLink::IsShortCutLinked() {
    return DynCast<TCustomAction>(FAction) != nullptr;
}
bool TActionLink::IsVisibleLinked() {
    return DynCast<TCustomAction>(FAction) != nullptr;
}

void TActionLink::SetCaption(const AnsiString&) {}
void TActionLink::SetChecked(bool) {}
void TActionLink::SetEnabled(bool) {}
void TActionLink::SetHelpContext(THelpContext) {}
void TActionLink::SetHint(const AnsiString&) {}
void TActionLink::SetImageIndex(TImageIndex) {}
void TActionLink::SetShortCut(TShortCut) {}
void TActionLink::SetVisible(bool) {}

} // namespace host
