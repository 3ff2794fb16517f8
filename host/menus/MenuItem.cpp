#include "host/menus/MenuItem.h"

#include "host/classes/Lists.h"
#include "host/classes/TypInfoRows.h"
#include "host/graphics/Bitmap.h"
#include "host/menus/Menu.h"
#include "host/system/SysUtils.h"

#include <cctype>

namespace host {

namespace {
constexpr TPropInfo MenuItemProps[] = {
    HOST_PROP(TMenuItem, Action),
    HOST_PROP(TMenuItem, Bitmap).Stored<&TMenuItem::IsBitmapStored>(),
    HOST_PROP(TMenuItem, Break).Default(mbNone),
    HOST_PROP(TMenuItem, Caption).Stored<&TMenuItem::IsCaptionStored>(),
    HOST_PROP(TMenuItem, Checked).Default(false).Stored<&TMenuItem::IsCheckedStored>(),
    HOST_PROP(TMenuItem, Default).Default(false),
    HOST_PROP(TMenuItem, Enabled).Default(true).Stored<&TMenuItem::IsEnabledStored>(),
    HOST_PROP(TMenuItem, GroupIndex).Default(0),
    HOST_PROP(TMenuItem, HelpContext).Default(0).Stored<&TMenuItem::IsHelpContextStored>(),
    HOST_PROP(TMenuItem, Hint).Stored<&TMenuItem::IsHintStored>(),
    HOST_PROP(TMenuItem, ImageIndex).Default(-1).Stored<&TMenuItem::IsImageIndexStored>(),
    HOST_PROP(TMenuItem, RadioItem).Default(false),
    HOST_PROP(TMenuItem, ShortCut).Default(0).Stored<&TMenuItem::IsShortCutStored>(),
    HOST_PROP(TMenuItem, Visible).Default(true).Stored<&TMenuItem::IsVisibleStored>(),
    HOST_PROP(TMenuItem, OnClick).Stored<&TMenuItem::IsOnClickStored>(),
    HOST_PROP(TMenuItem, OnDrawItem),
    HOST_PROP(TMenuItem, OnMeasureItem),
};

[[noreturn]] void IndexError() {
    throw EMenuError("Menu index out of range");
}
} // namespace

HOST_METACLASS(EMenuError, Exception);
HOST_METACLASS(TMenuActionLink, TActionLink);
HOST_COMPONENT_METACLASS(TMenuItem, TComponent, PropTable(MenuItemProps));

// ---- hotkeys ----

Integer HotkeyPosition(const AnsiString& Text) {
    Integer shown = 0;
    for (std::size_t i = 0; i < Text.size(); ++i, ++shown) {
        if (Text[i] != cHotkeyPrefix) continue;
        if (i + 1 >= Text.size()) return -1;
        if (Text[i + 1] != cHotkeyPrefix) return shown;
        ++i; // "&&" shows one '&'
    }
    return -1;
}

char GetHotkey(const AnsiString& Text) {
    Integer p = HotkeyPosition(Text);
    if (p < 0) return 0;
    return static_cast<char>(std::toupper(static_cast<unsigned char>(StripHotkey(Text)[p])));
}

AnsiString StripHotkey(const AnsiString& Text) {
    AnsiString s;
    s.reserve(Text.size());
    for (std::size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == cHotkeyPrefix) {
            if (i + 1 >= Text.size()) break;
            ++i;
        }
        s += Text[i];
    }
    return s;
}

// ---- TMenuActionLink ----

TMenuActionLink::TMenuActionLink(TObject* AClient) : TActionLink(AClient) {
    // The base's constructor cannot reach this class's AssignClient.
    AssignClient(AClient);
}

void TMenuActionLink::AssignClient(TObject* AClient) {
    FClient = DynCast<TMenuItem>(AClient);
}

namespace {
TCustomAction* ActionOf(TBasicAction* A) {
    return DynCast<TCustomAction>(A);
}
} // namespace

bool TMenuActionLink::IsCaptionLinked() {
    return TActionLink::IsCaptionLinked() && FClient &&
           FClient->GetCaption() == ActionOf(FAction)->GetCaption();
}
bool TMenuActionLink::IsCheckedLinked() {
    return TActionLink::IsCheckedLinked() && FClient &&
           FClient->GetChecked() == ActionOf(FAction)->GetChecked();
}
bool TMenuActionLink::IsEnabledLinked() {
    return TActionLink::IsEnabledLinked() && FClient &&
           FClient->GetEnabled() == ActionOf(FAction)->GetEnabled();
}
bool TMenuActionLink::IsHelpContextLinked() {
    return TActionLink::IsHelpContextLinked() && FClient &&
           FClient->GetHelpContext() == ActionOf(FAction)->GetHelpContext();
}
bool TMenuActionLink::IsHintLinked() {
    return TActionLink::IsHintLinked() && FClient &&
           FClient->GetHint() == ActionOf(FAction)->GetHint();
}
bool TMenuActionLink::IsImageIndexLinked() {
    return TActionLink::IsImageIndexLinked() && FClient &&
           FClient->GetImageIndex() == ActionOf(FAction)->GetImageIndex();
}
bool TMenuActionLink::IsShortCutLinked() {
    return TActionLink::IsShortCutLinked() && FClient &&
           FClient->GetShortCut() == ActionOf(FAction)->GetShortCut();
}
bool TMenuActionLink::IsVisibleLinked() {
    return TActionLink::IsVisibleLinked() && FClient &&
           FClient->GetVisible() == ActionOf(FAction)->GetVisible();
}
bool TMenuActionLink::IsOnExecuteLinked() {
    return TActionLink::IsOnExecuteLinked() && FClient && FAction &&
           FClient->GetOnClick() == FAction->GetOnExecute();
}

void TMenuActionLink::SetCaption(const AnsiString& Value) {
    if (IsCaptionLinked()) FClient->SetCaption(Value);
}
void TMenuActionLink::SetChecked(bool Value) {
    if (IsCheckedLinked()) FClient->SetChecked(Value);
}
void TMenuActionLink::SetEnabled(bool Value) {
    if (IsEnabledLinked()) FClient->SetEnabled(Value);
}
void TMenuActionLink::SetHelpContext(THelpContext Value) {
    if (IsHelpContextLinked()) FClient->SetHelpContext(Value);
}
void TMenuActionLink::SetHint(const AnsiString& Value) {
    if (IsHintLinked()) FClient->SetHint(Value);
}
void TMenuActionLink::SetImageIndex(TImageIndex Value) {
    if (IsImageIndexLinked()) FClient->SetImageIndex(Value);
}
void TMenuActionLink::SetShortCut(TShortCut Value) {
    if (IsShortCutLinked()) FClient->SetShortCut(Value);
}
void TMenuActionLink::SetVisible(bool Value) {
    if (IsVisibleLinked()) FClient->SetVisible(Value);
}
void TMenuActionLink::SetOnExecute(TNotifyEvent Value) {
    if (IsOnExecuteLinked()) FClient->SetOnClick(Value);
}

// ---- TMenuItem: life ----

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(AllocateMenuCommand()) {}

TMenuItem::~TMenuItem() {
    if (FParent) {
        FParent->FItems->Remove(this);
        FParent->MenuChanged(FParent->GetCount() == 0);
        FParent = nullptr;
    }
    while (GetCount() > 0) {
        // Each sub-item takes itself out of the list as it goes.
        auto* item = static_cast<TMenuItem*>(FItems->Last());
        item->Free();
    }
    delete FItems;
    FItems = nullptr;
    delete FActionLink;
    FActionLink = nullptr;
    if (FBitmap) FBitmap->Free();
    if (FHandle) ReleaseMenuHandle(FHandle);
    ReleaseMenuCommand(FCommand);
}

HMENU TMenuItem::GetHandle() {
    if (!FHandle) FHandle = AllocateMenuHandle(this);
    return FHandle;
}

// ---- the tree ----

Integer TMenuItem::GetCount() const {
    return FItems ? FItems->GetCount() : 0;
}

TMenuItem* TMenuItem::GetItems(Integer Index) const {
    if (Index < 0 || Index >= GetCount()) IndexError();
    return static_cast<TMenuItem*>(FItems->GetItems(Index));
}

Integer TMenuItem::IndexOf(TMenuItem* Item) const {
    return FItems ? FItems->IndexOf(Item) : -1;
}

void TMenuItem::VerifyGroupIndex(Integer Position, Byte Value) {
    for (Integer i = 0; i < GetCount(); ++i) {
        TMenuItem* item = GetItems(i);
        if (i < Position) {
            if (item->FGroupIndex > Value)
                throw EMenuError(
                    "GroupIndex cannot be less than a previous menu item's GroupIndex");
        } else if (item->FGroupIndex < Value) {
            item->FGroupIndex = Value;
        }
    }
}

void TMenuItem::Insert(Integer Index, TMenuItem* Item) {
    if (!Item) return;
    if (Item->FParent || Item->FMenu) throw EMenuError("Menu inserted twice");
    for (TMenuItem* p = this; p; p = p->FParent)
        if (p == Item) throw EMenuError("Cannot insert a menu item into itself");
    if (Index < 0 || Index > GetCount()) IndexError();
    if (Index > 0 && Item->FGroupIndex < GetItems(Index - 1)->FGroupIndex)
        Item->FGroupIndex = GetItems(Index - 1)->FGroupIndex;
    VerifyGroupIndex(Index, Item->FGroupIndex);
    if (!FItems) FItems = new TList;
    FItems->Insert(Index, Item);
    Item->FParent = this;
    Item->FOnChange = TMenuChangeEvent::Bind<&TMenuItem::SubItemChanged>(this);
    MenuChanged(GetCount() == 1);
}

void TMenuItem::Delete(Integer Index) {
    if (Index < 0 || Index >= GetCount()) IndexError();
    TMenuItem* item = GetItems(Index);
    FItems->Delete(Index);
    item->FParent = nullptr;
    item->FOnChange = {};
    MenuChanged(GetCount() == 0);
}

void TMenuItem::Remove(TMenuItem* Item) {
    Integer i = IndexOf(Item);
    if (i < 0) throw EMenuError("Sub-menu is not in menu");
    Delete(i);
}

void TMenuItem::Clear() {
    while (GetCount() > 0) GetItems(GetCount() - 1)->Free();
}

TMenuItem* TMenuItem::Find(const AnsiString& ACaption) const {
    AnsiString wanted = StripHotkey(ACaption);
    for (Integer i = 0; i < GetCount(); ++i)
        if (AnsiSameText(wanted, StripHotkey(GetItems(i)->FCaption))) return GetItems(i);
    return nullptr;
}

Integer TMenuItem::GetMenuIndex() const {
    return FParent ? FParent->IndexOf(const_cast<TMenuItem*>(this)) : -1;
}

void TMenuItem::SetMenuIndex(Integer Value) {
    if (!FParent) return;
    Integer count = FParent->GetCount();
    if (Value < 0) Value = 0;
    if (Value >= count) Value = count - 1;
    Integer current = GetMenuIndex();
    if (Value == current) return;
    FParent->FItems->Move(current, Value);
    FParent->MenuChanged(true);
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* item = this;
    while (item->FParent) item = item->FParent;
    return item->FMenu;
}

// ---- changes ----

void TMenuItem::MenuChanged(bool Rebuild) {
    if (FOnChange)
        FOnChange(this, this, Rebuild);
    else if (FMenu)
        FMenu->MenuChanged(this, this, Rebuild);
}

void TMenuItem::SubItemChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) {
    if (FParent && FOnChange)
        FOnChange(Sender, Source, Rebuild);
    else if (FMenu)
        FMenu->MenuChanged(Sender, Source, Rebuild);
}

void TMenuItem::SetCaption(const AnsiString& Value) {
    if (Value == FCaption) return;
    FCaption = Value;
    MenuChanged(true);
}

void TMenuItem::TurnSiblingsOff() {
    if (!FParent) return;
    for (Integer i = 0; i < FParent->GetCount(); ++i) {
        TMenuItem* item = FParent->GetItems(i);
        if (item != this && item->FRadioItem && item->FGroupIndex == FGroupIndex)
            item->SetChecked(false);
    }
}

void TMenuItem::SetChecked(bool Value) {
    if (Value == FChecked) return;
    FChecked = Value;
    if (Value && FRadioItem) TurnSiblingsOff();
    MenuChanged(false);
}

void TMenuItem::SetRadioItem(bool Value) {
    if (Value == FRadioItem) return;
    FRadioItem = Value;
    if (FChecked && FRadioItem) TurnSiblingsOff();
    MenuChanged(false);
}

void TMenuItem::SetGroupIndex(Byte Value) {
    if (Value == FGroupIndex) return;
    if (FParent) FParent->VerifyGroupIndex(FParent->IndexOf(this), Value);
    FGroupIndex = Value;
    if (FChecked && FRadioItem) TurnSiblingsOff();
}

void TMenuItem::SetDefault(bool Value) {
    if (Value == FDefault) return;
    if (Value && FParent)
        for (Integer i = 0; i < FParent->GetCount(); ++i) FParent->GetItems(i)->FDefault = false;
    FDefault = Value;
    MenuChanged(true);
}

void TMenuItem::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    MenuChanged(false);
}

void TMenuItem::SetVisible(bool Value) {
    if (Value == FVisible) return;
    FVisible = Value;
    MenuChanged(true);
}

void TMenuItem::SetBreak(TMenuBreak Value) {
    if (Value == FBreak) return;
    FBreak = Value;
    MenuChanged(true);
}

void TMenuItem::SetImageIndex(TImageIndex Value) {
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    MenuChanged(true);
}

void TMenuItem::SetShortCut(TShortCut Value) {
    if (Value == FShortCut) return;
    FShortCut = Value;
    MenuChanged(true);
}

TBitmap* TMenuItem::GetBitmap() {
    if (!FBitmap) FBitmap = new TBitmap;
    return FBitmap;
}

void TMenuItem::SetBitmap(TBitmap* Value) {
    if (Value) {
        GetBitmap()->Assign(Value);
    } else if (FBitmap) {
        FBitmap->Free();
        FBitmap = nullptr;
    }
    MenuChanged(true);
}

bool TMenuItem::IsBitmapStored() const {
    return FBitmap && !FBitmap->GetEmpty();
}

// ---- actions ----

TBasicAction* TMenuItem::GetAction() const {
    return FActionLink ? FActionLink->GetAction() : nullptr;
}

void TMenuItem::SetAction(TBasicAction* Value) {
    if (!Value) {
        delete FActionLink;
        FActionLink = nullptr;
        return;
    }
    // The action passes each change of its state to the link's setters; nothing else needs
    // to hear of its changes.
    if (!FActionLink) FActionLink = new TMenuActionLink(this);
    FActionLink->SetAction(Value);
    ActionChange(Value, Value->GetComponentState().Contains(csLoading));
    Value->FreeNotification(this);
}

void TMenuItem::SetActionLink(TMenuActionLink* Value) {
    if (Value == FActionLink) return;
    // A link serves one item: the item that held it lets go, so that only this one frees it.
    // (A link made for an item that has gone may still name it: only a live one is asked.)
    if (Value && Value->FClient && Value->FClient != this &&
        LiveObjects::Find(Value->FClient, TMenuItem::StaticClass()) &&
        Value->FClient->FActionLink == Value)
        Value->FClient->FActionLink = nullptr;
    delete FActionLink;
    FActionLink = Value;
    if (Value) Value->FClient = this;
}

void TMenuItem::ActionChange(TObject* Sender, bool CheckDefaults) {
    auto* a = DynCast<TCustomAction>(Sender);
    if (!a) return;
    if (!CheckDefaults || FCaption.empty()) SetCaption(a->GetCaption());
    if (!CheckDefaults || !FChecked) SetChecked(a->GetChecked());
    if (!CheckDefaults || FEnabled) SetEnabled(a->GetEnabled());
    if (!CheckDefaults || FHelpContext == 0) SetHelpContext(a->GetHelpContext());
    if (!CheckDefaults || FHint.empty()) SetHint(a->GetHint());
    if (!CheckDefaults || FImageIndex == -1) SetImageIndex(a->GetImageIndex());
    if (!CheckDefaults || FShortCut == 0) SetShortCut(a->GetShortCut());
    if (!CheckDefaults || FVisible) SetVisible(a->GetVisible());
    if (!CheckDefaults || !FOnClick) SetOnClick(a->GetOnExecute());
}

bool TMenuItem::Linked(bool (TMenuActionLink::*IsLinked)()) const {
    return FActionLink && (FActionLink->*IsLinked)();
}

bool TMenuItem::IsCaptionStored() const {
    return !Linked(&TMenuActionLink::IsCaptionLinked);
}
bool TMenuItem::IsCheckedStored() const {
    return !Linked(&TMenuActionLink::IsCheckedLinked);
}
bool TMenuItem::IsEnabledStored() const {
    return !Linked(&TMenuActionLink::IsEnabledLinked);
}
bool TMenuItem::IsHelpContextStored() const {
    return !Linked(&TMenuActionLink::IsHelpContextLinked);
}
bool TMenuItem::IsHintStored() const {
    return !Linked(&TMenuActionLink::IsHintLinked);
}
bool TMenuItem::IsImageIndexStored() const {
    return !Linked(&TMenuActionLink::IsImageIndexLinked);
}
bool TMenuItem::IsShortCutStored() const {
    return !Linked(&TMenuActionLink::IsShortCutLinked);
}
bool TMenuItem::IsVisibleStored() const {
    return !Linked(&TMenuActionLink::IsVisibleLinked);
}
bool TMenuItem::IsOnClickStored() const {
    return !Linked(&TMenuActionLink::IsOnExecuteLinked);
}

void TMenuItem::Click() {
    TBasicAction* action = GetAction();
    if (FOnClick && !(action && FOnClick == action->GetOnExecute())) {
        FOnClick(this);
    } else if (action && !GetComponentState().Contains(csDesigning)) {
        FActionLink->Execute();
    } else if (FOnClick) {
        FOnClick(this);
    }
}

void TMenuItem::InitiateAction() {
    if (FActionLink) FActionLink->Update();
}

void TMenuItem::InitiateActions() {
    for (Integer i = 0; i < GetCount(); ++i) GetItems(i)->InitiateAction();
}

void TMenuItem::MeasureItem(TCanvas* ACanvas, Integer& Width, Integer& Height) {
    if (FOnMeasureItem) FOnMeasureItem(this, ACanvas, Width, Height);
}

bool TMenuItem::DrawItem(TCanvas* ACanvas, const TRect& ARect, bool Selected) {
    if (!FOnDrawItem) return false;
    FOnDrawItem(this, ACanvas, ARect, Selected);
    return true;
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == GetAction()) SetAction(nullptr);
}

void TMenuItem::Loaded() {
    TComponent::Loaded();
    // An action the form named, read before its own properties were: take what is unset.
    if (TBasicAction* a = GetAction()) ActionChange(a, true);
}

// ---- streaming ----

TComponent* TMenuItem::GetParentComponent() {
    if (FParent && FParent->FMenu) return FParent->FMenu;
    return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
    if (FParent) FParent->Remove(this);
    if (auto* menu = DynCast<TMenu>(Value))
        menu->GetItems()->Add(this);
    else if (auto* item = DynCast<TMenuItem>(Value))
        item->Add(this);
}

void TMenuItem::GetChildren(TGetChildProc Proc, TComponent* Root) {
    for (Integer i = 0; i < GetCount(); ++i)
        if (GetItems(i)->GetOwner() == Root) Proc(GetItems(i));
}

void TMenuItem::SetChildOrder(TComponent* Child, Integer Order) {
    if (auto* item = DynCast<TMenuItem>(Child); item && item->FParent == this)
        item->SetMenuIndex(Order);
}

} // namespace host
