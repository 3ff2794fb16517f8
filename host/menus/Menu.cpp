#include "host/menus/Menu.h"

#include "host/classes/Lists.h"
#include "host/classes/TypInfoRows.h"

#include <algorithm>
#include <cctype>

namespace host {

namespace {
// Declared here, published by the two kinds of menu.
constexpr TPropInfo MenuProps[] = {
    Published<&TMenu::GetItems>("Items"),
    HOST_PROP(TMenu, Images).Unpublished(),
    HOST_PROP(TMenu, BiDiMode)
        .Default(bdLeftToRight)
        .Stored<&TMenu::IsBiDiModeStored>()
        .Unpublished(),
    HOST_PROP(TMenu, OwnerDraw).Default(false).Unpublished(),
    HOST_PROP(TMenu, ParentBiDiMode).Default(true).Unpublished(),
    HOST_PROP(TMenu, OnChange).Unpublished(),
};
constexpr TPropInfo MainMenuProps[] = {
    HOST_PROP(TMainMenu, AutoMerge).Default(false),
    "BiDiMode",
    "Images",
    "OwnerDraw",
    "ParentBiDiMode",
    "OnChange",
};
constexpr TPropInfo PopupMenuProps[] = {
    HOST_PROP(TPopupMenu, Alignment).Default(paLeft),
    HOST_PROP(TPopupMenu, AutoPopup).Default(true),
    Published<static_cast<THelpContext (TPopupMenu::*)() const>(&TPopupMenu::GetHelpContext),
              &TPopupMenu::SetHelpContext>("HelpContext")
        .Default(0),
    "BiDiMode",
    "Images",
    "OwnerDraw",
    "ParentBiDiMode",
    "OnChange",
    HOST_PROP(TPopupMenu, OnPopup),
};

TMenuItem* FindIn(TMenuItem* Parent, Integer Value, TFindItemKind Kind) {
    for (Integer i = 0; i < Parent->GetCount(); ++i) {
        TMenuItem* item = Parent->GetItems(i);
        bool found = false;
        switch (Kind) {
        case fkCommand: found = item->GetCommand() == Value; break;
        case fkHandle:
            found = Value != 0 && item->HandleAllocated() &&
                    item->GetHandle() == static_cast<HMENU>(Value);
            break;
        case fkShortCut: found = Value != 0 && item->GetShortCut() == Value; break;
        }
        if (found) return item;
        if (TMenuItem* sub = FindIn(item, Value, Kind)) return sub;
    }
    return nullptr;
}
} // namespace

HOST_COMPONENT_METACLASS(TMenu, TComponent, PropTable(MenuProps));
HOST_COMPONENT_METACLASS(TMainMenu, TMenu, PropTable(MainMenuProps));
HOST_COMPONENT_METACLASS(TPopupMenu, TMenu, PropTable(PopupMenuProps));

// ---- TMenu ----

TMenu::TMenu(TComponent* AOwner)
    : TComponent(AOwner), FItems(new TMenuItem(this)), FImageChangeLink(new TChangeLink) {
    FItems->FMenu = this;
    FImageChangeLink->SetOnChange(TNotifyEvent::Bind<&TMenu::ImageListChange>(this));
}

void TMenu::ImageListChange(TObject* Sender) {
    if (Sender == FImages) MenuChanged(this, nullptr, true);
}

TMenu::~TMenu() {
    FImageChangeLink->Free();
    // The tree goes with the menu; nothing is told of the items leaving it.
    FItems->FMenu = nullptr;
    FItems->Free();
}

TMenuItem* TMenu::FindItem(Integer Value, TFindItemKind Kind) const {
    if (Kind == fkHandle && Value != 0 && FItems->HandleAllocated() &&
        FItems->GetHandle() == static_cast<HMENU>(Value))
        return FItems;
    return FindIn(FItems, Value, Kind);
}

bool TMenu::DispatchCommand(Word ACommand) {
    TMenuItem* item = FindItem(ACommand, fkCommand);
    if (!item) return false;
    item->Click();
    return true;
}

bool TMenu::DispatchPopup(HMENU AHandle) {
    TMenuItem* item = FindItem(static_cast<Integer>(AHandle), fkHandle);
    if (!item) return false;
    // The sub-menu about to open shows its items' current state.
    if (!GetComponentState().Contains(csDesigning)) item->InitiateActions();
    item->Click();
    return true;
}

THelpContext TMenu::GetHelpContext(Integer Value, bool ByCommand) const {
    const TMenuItem* item = FindItem(Value, ByCommand ? fkCommand : fkHandle);
    for (; item; item = item->GetParent())
        if (item->GetHelpContext() != 0) return item->GetHelpContext();
    return 0;
}

bool TMenu::IsShortCut(TWMKey& Message) {
    TShortCut sc = ShortCutFromMessage(Message);
    TMenuItem* item = FindItem(sc, fkShortCut);
    if (!item) return false;
    // The item and the sub-menus it is in show their actions' state first.
    for (TMenuItem* p = item; p; p = p->GetParent()) p->InitiateAction();
    if (item->GetEnabled()) item->Click();
    return true;
}

void TMenu::ProcessMenuChar(TWMMenuChar& Message) {
    Message.Result = MNC_IGNORE;
    TMenuItem* parent = FindItem(static_cast<Integer>(Message.Menu), fkHandle);
    if (!parent || Message.User == 0) return;
    char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(Message.User)));
    auto result = [&](Word Code, Integer Index) {
        Message.Result = static_cast<LongInt>((Cardinal(Code) << 16) | Cardinal(Index & 0xFFFF));
    };
    auto execute = [&](Integer Index) {
        TMenuItem* item = parent->GetItems(Index);
        if (!item->GetEnabled()) return result(MNC_SELECT, Index);
        result(MNC_EXECUTE, Index);
        item->Click();
    };
    for (Integer i = 0; i < parent->GetCount(); ++i) {
        TMenuItem* item = parent->GetItems(i);
        if (item->GetVisible() && GetHotkey(item->GetCaption()) == wanted) return execute(i);
    }
    Integer first = -1, matches = 0;
    for (Integer i = 0; i < parent->GetCount(); ++i) {
        TMenuItem* item = parent->GetItems(i);
        AnsiString text = StripHotkey(item->GetCaption());
        if (!item->GetVisible() || item->IsLine() || text.empty() ||
            std::toupper(static_cast<unsigned char>(text[0])) != static_cast<unsigned char>(wanted))
            continue;
        if (matches++ == 0) first = i;
    }
    if (matches == 1) return execute(first);
    if (matches > 1) result(MNC_SELECT, first);
}

void TMenu::SetWindowHandle(HWND Value) {
    if (Value == FWindowHandle) return;
    FWindowHandle = Value;
    MenuChanged(this, nullptr, false);
}

void TMenu::SetImages(TMenuImages* Value) {
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
    MenuChanged(this, nullptr, true);
}

void TMenu::SetBiDiMode(TBiDiMode Value) {
    FParentBiDiMode = false;
    if (Value == FBiDiMode) return;
    FBiDiMode = Value;
    MenuChanged(this, nullptr, true);
}

void TMenu::SetParentBiDiMode(bool Value) {
    // No control parent to take a mode from yet: the mode stays as it is.
    FParentBiDiMode = Value;
}

void TMenu::SetOwnerDraw(bool Value) {
    if (Value == FOwnerDraw) return;
    FOwnerDraw = Value;
    MenuChanged(this, nullptr, true);
}

void TMenu::DoChange(TMenuItem* Source, bool Rebuild) {
    if (FOnChange) FOnChange(this, Source, Rebuild);
}

void TMenu::MenuChanged(TObject*, TMenuItem* Source, bool Rebuild) {
    TComponentState s = GetComponentState();
    if (s.Contains(csLoading) || s.Contains(csReading) || s.Contains(csDestroying)) return;
    DoChange(Source, Rebuild);
}

void TMenu::Loaded() {
    TComponent::Loaded();
    MenuChanged(this, nullptr, true);
}

void TMenu::GetChildren(TGetChildProc Proc, TComponent* Root) {
    FItems->GetChildren(Proc, Root);
}

void TMenu::SetChildOrder(TComponent* Child, Integer Order) {
    FItems->SetChildOrder(Child, Order);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == FImages) {
        // The list is going: it has let go of the link already, and is asked nothing more.
        FImages = nullptr;
        MenuChanged(this, nullptr, true);
    }
}

// ---- TMainMenu ----

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}

TMainMenu::~TMainMenu() {
    if (FMerged) FMerged->RemoveFreeNotification(this);
}

void TMainMenu::Merge(TMainMenu* Menu) {
    if (Menu == this) Menu = nullptr; // a bar cannot show itself twice
    if (Menu == FMerged) return;
    if (FMerged) FMerged->RemoveFreeNotification(this);
    FMerged = Menu;
    if (FMerged) FMerged->FreeNotification(this);
    MenuChanged(this, nullptr, true);
}

void TMainMenu::Unmerge(TMainMenu* Menu) {
    if (Menu && Menu == FMerged) Merge(nullptr);
}

std::vector<TMenuItem*> TMainMenu::GetBarItems() const {
    auto visible = [](TMenuItem* Parent) {
        std::vector<TMenuItem*> v;
        for (Integer i = 0; i < Parent->GetCount(); ++i)
            if (Parent->GetItems(i)->GetVisible()) v.push_back(Parent->GetItems(i));
        return v;
    };
    std::vector<TMenuItem*> bar = visible(FItems);
    if (!FMerged) return bar;
    std::vector<TMenuItem*> merged = visible(FMerged->GetItems());
    for (std::size_t m = 0; m < merged.size();) {
        Byte group = merged[m]->GetGroupIndex();
        std::size_t end = m;
        while (end < merged.size() && merged[end]->GetGroupIndex() == group) ++end;
        // In place of this menu's items of the group, else after the items of lower groups.
        auto own = [&](TMenuItem* I) { return I->GetParent() == FItems; };
        auto first = std::find_if(bar.begin(), bar.end(), [&](TMenuItem* I) {
            return own(I) && I->GetGroupIndex() == group;
        });
        std::ptrdiff_t at;
        if (first != bar.end()) {
            at = first - bar.begin();
            bar.erase(
                std::remove_if(bar.begin(), bar.end(),
                               [&](TMenuItem* I) { return own(I) && I->GetGroupIndex() == group; }),
                bar.end());
        } else {
            at = std::find_if(bar.begin(), bar.end(),
                              [&](TMenuItem* I) { return I->GetGroupIndex() > group; }) -
                 bar.begin();
        }
        bar.insert(bar.begin() + at, merged.begin() + static_cast<std::ptrdiff_t>(m),
                   merged.begin() + static_cast<std::ptrdiff_t>(end));
        m = end;
    }
    return bar;
}

void TMainMenu::SetAutoMerge(bool Value) {
    if (Value == FAutoMerge) return;
    FAutoMerge = Value;
    MenuChanged(this, nullptr, false);
}

void TMainMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == FMerged) {
        FMerged = nullptr;
        MenuChanged(this, nullptr, true);
    }
}

// ---- TPopupMenu ----

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

void TPopupMenu::Popup(Integer X, Integer Y) {
    FPopupPoint = Point(X, Y);
    DoPopup(this);
    if (!GetComponentState().Contains(csDesigning)) FItems->InitiateActions();
}

void TPopupMenu::DoPopup(TObject* Sender) {
    if (FOnPopup) FOnPopup(Sender);
}

void TPopupMenu::SetPopupComponent(TComponent* Value) {
    if (Value == FPopupComponent) return;
    if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
    FPopupComponent = Value;
    if (FPopupComponent) FPopupComponent->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == FPopupComponent)
        FPopupComponent = nullptr;
}

} // namespace host
