// TMenuItem, the tree a menu is made of (captions with '&' hotkeys and '-' separators, check
// marks and radio groups, an action to follow), and TMenuActionLink, through which it follows it.
#pragma once

#include "host/actnlist/CustomAction.h"
#include "host/menus/MenuHandles.h"

namespace host {

class TMenu;
class TMenuItem;
class TBitmap;
class TCanvas;

HOST_EXCEPTION(EMenuError, Exception)

enum TMenuBreak { mbNone, mbBreak, mbBarBreak };
HOST_ENUM_INFO(TMenuBreak, mbNone, mbBreak, mbBarBreak)

/// OnDrawItem: paints an owner-drawn item into ARect of ACanvas.
using TMenuDrawItemEvent =
    Closure<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, bool Selected)>;
/// OnMeasureItem: may change the size an owner-drawn item takes.
using TMenuMeasureItemEvent =
    Closure<void(TObject* Sender, TCanvas* ACanvas, Integer& Width, Integer& Height)>;
/// How an item tells its parent (and the root its menu) that it changed.
using TMenuChangeEvent = Closure<void(TObject* Sender, TMenuItem* Source, bool Rebuild)>;

inline constexpr char cHotkeyPrefix = '&';
inline constexpr const char* cLineCaption = "-";

/// The hotkey of a caption: the character after a single '&' ("&&" is a literal '&'), upper
/// case; 0 without one.
char GetHotkey(const AnsiString& Text);
/// The caption without its '&' marks ("&&" becomes '&').
AnsiString StripHotkey(const AnsiString& Text);
/// Where the hotkey of `Text` is in StripHotkey(Text); -1 without one.
Integer HotkeyPosition(const AnsiString& Text);

/// The link of a menu item to its action: Caption, Checked, Enabled, HelpContext, Hint,
/// ImageIndex, ShortCut, Visible and OnClick follow the action while they show its values.
class TMenuActionLink : public TActionLink {
    HOST_CLASS(TMenuActionLink, TActionLink)
public:
    explicit TMenuActionLink(TObject* AClient);
    TMenuItem* GetClient() const { return FClient; }

protected:
    void AssignClient(TObject* AClient) override;
    bool IsCaptionLinked() override;
    bool IsCheckedLinked() override;
    bool IsEnabledLinked() override;
    bool IsHelpContextLinked() override;
    bool IsHintLinked() override;
    bool IsImageIndexLinked() override;
    bool IsShortCutLinked() override;
    bool IsVisibleLinked() override;
    bool IsOnExecuteLinked() override;
    void SetCaption(const AnsiString& Value) override;
    void SetChecked(bool Value) override;
    void SetEnabled(bool Value) override;
    void SetHelpContext(THelpContext Value) override;
    void SetHint(const AnsiString& Value) override;
    void SetImageIndex(TImageIndex Value) override;
    void SetShortCut(TShortCut Value) override;
    void SetVisible(bool Value) override;
    void SetOnExecute(TNotifyEvent Value) override;

    TMenuItem* FClient = nullptr;
    friend class TMenuItem;
};

class TMenuItem : public TComponent {
    HOST_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* AOwner);
    /// Leaves its parent and frees its sub-items, its action link and its bitmap.
    ~TMenuItem() override;

    // ---- the tree ----
    /// Raises EMenuError "Menu inserted twice" for an item that has a parent (or is a menu's
    /// root), "Menu index out of range" for a bad index, and "Cannot insert a menu item into
    /// itself" for this item or one above it. An item placed after ones of a higher
    /// GroupIndex takes theirs; the ones after it are raised to its own.
    void Insert(Integer Index, TMenuItem* Item);
    void Add(TMenuItem* Item) { Insert(GetCount(), Item); }
    /// Takes the item at `Index` out of the tree without freeing it.
    void Delete(Integer Index);
    /// Raises EMenuError "Sub-menu is not in menu" for an item that is not a sub-item.
    void Remove(TMenuItem* Item);
    /// Frees every sub-item.
    void Clear();
    Integer IndexOf(TMenuItem* Item) const;
    /// The sub-item whose caption, without hotkeys, is `ACaption` without hotkeys (ignoring
    /// case); null when none is.
    TMenuItem* Find(const AnsiString& ACaption) const;
    Integer GetCount() const;
    /// Raises EMenuError "Menu index out of range" for a bad index.
    TMenuItem* GetItems(Integer Index) const;
    TMenuItem* GetParent() const { return FParent; }
    /// The position in the parent; -1 without one.
    Integer GetMenuIndex() const;
    /// Moves the item within its parent, kept within the parent's bounds.
    void SetMenuIndex(Integer Value);
    /// The menu whose tree this item is in; null for an item outside a menu.
    TMenu* GetParentMenu() const;

    // ---- identity ----
    /// The item's command id, unique among live items (what WM_COMMAND carries).
    Word GetCommand() const { return FCommand; }
    /// The headless menu handle of the item's sub-menu, made on first use.
    HMENU GetHandle();
    bool HandleAllocated() const { return FHandle != 0; }

    // ---- actions and clicks ----
    /// OnClick, unless the item follows an action whose OnExecute it shows: then the action
    /// executes.
    virtual void Click();
    /// Lets the item's action update it (its OnUpdate), so that it shows the action's state.
    void InitiateAction();
    /// InitiateAction for each sub-item.
    void InitiateActions();
    /// Owner drawing: OnMeasureItem may change the size the item takes.
    virtual void MeasureItem(TCanvas* ACanvas, Integer& Width, Integer& Height);
    /// Owner drawing: OnDrawItem paints the item; false when it has no handler.
    virtual bool DrawItem(TCanvas* ACanvas, const TRect& ARect, bool Selected);

    // ---- published properties ----
    TBasicAction* GetAction() const;
    /// Follows `Value` (null stops following); properties still at their defaults take the
    /// action's values.
    void SetAction(TBasicAction* Value);
    /// The item's picture, made empty on first use.
    TBitmap* GetBitmap();
    /// Copies `Value`'s picture; null removes the picture.
    void SetBitmap(TBitmap* Value);
    TMenuBreak GetBreak() const { return FBreak; }
    void SetBreak(TMenuBreak Value);
    const AnsiString& GetCaption() const { return FCaption; }
    void SetCaption(const AnsiString& Value);
    bool GetChecked() const { return FChecked; }
    /// Checking a radio item unchecks the radio items of its group under the same parent.
    void SetChecked(bool Value);
    bool GetDefault() const { return FDefault; }
    /// One default item per parent: making this one the default clears the others.
    void SetDefault(bool Value);
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    Byte GetGroupIndex() const { return FGroupIndex; }
    /// Raises EMenuError "GroupIndex cannot be less than a previous menu item's GroupIndex";
    /// later items of a lower GroupIndex are raised to it.
    void SetGroupIndex(Byte Value);
    THelpContext GetHelpContext() const { return FHelpContext; }
    /// A plain store, as the host's property writes its field.
    void SetHelpContext(THelpContext Value) { FHelpContext = Value; }
    const AnsiString& GetHint() const { return FHint; }
    /// A plain store, as the host's property writes its field.
    void SetHint(const AnsiString& Value) { FHint = Value; }
    TImageIndex GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(TImageIndex Value);
    bool GetRadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value);
    TShortCut GetShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    TNotifyEvent GetOnClick() const { return FOnClick; }
    void SetOnClick(TNotifyEvent Value) { FOnClick = Value; }
    TMenuDrawItemEvent GetOnDrawItem() const { return FOnDrawItem; }
    void SetOnDrawItem(TMenuDrawItemEvent Value) { FOnDrawItem = Value; }
    TMenuMeasureItemEvent GetOnMeasureItem() const { return FOnMeasureItem; }
    void SetOnMeasureItem(TMenuMeasureItemEvent Value) { FOnMeasureItem = Value; }

    /// A separator: the caption "-".
    bool IsLine() const { return FCaption == cLineCaption; }

    // Streamed only where they do not show the action's value.
    bool IsCaptionStored() const;
    bool IsCheckedStored() const;
    bool IsEnabledStored() const;
    bool IsHelpContextStored() const;
    bool IsHintStored() const;
    bool IsImageIndexStored() const;
    bool IsShortCutStored() const;
    bool IsVisibleStored() const;
    bool IsOnClickStored() const;
    bool IsBitmapStored() const;

    // ---- streaming ----
    bool HasParent() override { return true; }
    /// The menu for a top-level item, else the parent item.
    TComponent* GetParentComponent() override;
    /// Joins the items of the menu or item a form reads it inside.
    void SetParentComponent(TComponent* Value) override;

protected:
    TMenuActionLink* GetActionLink() const { return FActionLink; }
    /// Takes `Value` over (from the item that held it, if any) and frees the link it replaces;
    /// the link then serves this item. `Value` must be a live link or null.
    void SetActionLink(TMenuActionLink* Value);
    /// The action changed: the item takes its values (only those at their defaults while
    /// `CheckDefaults`).
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);
    /// Tells the parent, and through the root the menu, of a change.
    virtual void MenuChanged(bool Rebuild);
    void GetChildren(TGetChildProc Proc, TComponent* Root) override;
    void SetChildOrder(TComponent* Child, Integer Order) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;

private:
    friend class TMenu;
    friend class TMenuActionLink;
    void SubItemChanged(TObject* Sender, TMenuItem* Source, bool Rebuild);
    void TurnSiblingsOff();
    void VerifyGroupIndex(Integer Position, Byte Value);
    bool Linked(bool (TMenuActionLink::*IsLinked)()) const;

    AnsiString FCaption;
    HMENU FHandle = 0;
    bool FChecked = false;
    bool FEnabled = true;
    bool FDefault = false;
    bool FRadioItem = false;
    bool FVisible = true;
    Byte FGroupIndex = 0;
    TImageIndex FImageIndex = -1;
    TMenuActionLink* FActionLink = nullptr;
    TMenuBreak FBreak = mbNone;
    TBitmap* FBitmap = nullptr;
    Word FCommand = 0;
    THelpContext FHelpContext = 0;
    AnsiString FHint;
    TList* FItems = nullptr;
    TShortCut FShortCut = 0;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr; // set on a menu's root item only
    TMenuChangeEvent FOnChange;
    TNotifyEvent FOnClick;
    TMenuDrawItemEvent FOnDrawItem;
    TMenuMeasureItemEvent FOnMeasureItem;
};

} // namespace host
