// TMenu and its two kinds: TMainMenu, the bar of a form, which another form's menu merges into
// by GroupIndex, and TPopupMenu, shown at a point.
#pragma once

#include "host/imglist/ImgList.h"
#include "host/menus/MenuItem.h"

#include <vector>

namespace host {

/// The image list a menu draws its items' images from.
using TMenuImages = TCustomImageList;
using HWND = THandle;

enum TFindItemKind { fkCommand, fkHandle, fkShortCut };
HOST_ENUM_INFO(TFindItemKind, fkCommand, fkHandle, fkShortCut)
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
HOST_ENUM_INFO(TBiDiMode, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign,
               bdRightToLeftReadingOnly)
enum TPopupAlignment { paLeft, paRight, paCenter };
HOST_ENUM_INFO(TPopupAlignment, paLeft, paRight, paCenter)
enum TTrackButton { tbRightButton, tbLeftButton };
HOST_ENUM_INFO(TTrackButton, tbRightButton, tbLeftButton)

inline constexpr Cardinal WM_COMMAND = 0x0111, WM_MENUCHAR = 0x0120;
inline constexpr Word MF_POPUP = 0x0010, MF_SYSMENU = 0x2000;
/// What WM_MENUCHAR answers in its result's high word.
inline constexpr Word MNC_IGNORE = 0, MNC_CLOSE = 1, MNC_EXECUTE = 2, MNC_SELECT = 3;

/// The menu-character message as the host lays it out (32-bit fields).
struct TWMMenuChar {
    Cardinal Msg = WM_MENUCHAR;
    char User = 0; // the character typed
    Byte Unused = 0;
    Word MenuFlag = 0; // MF_POPUP or MF_SYSMENU
    HMENU Menu = 0;    // the menu open
    LongInt Result = 0;
};
static_assert(sizeof(TWMMenuChar) == 16);

class TMenu : public TComponent {
    HOST_CLASS(TMenu, TComponent)
public:
    explicit TMenu(TComponent* AOwner);
    /// Frees the root item and with it the whole tree.
    ~TMenu() override;

    /// The root item, whose sub-items are the menu's items.
    TMenuItem* GetItems() const { return FItems; }
    /// The item, anywhere in the tree, with that command id, sub-menu handle or shortcut;
    /// null when none has it (shortcut 0 finds nothing).
    TMenuItem* FindItem(Integer Value, TFindItemKind Kind) const;
    /// Clicks the item with that command id; false when there is none.
    bool DispatchCommand(Word ACommand);
    /// Clicks the item whose sub-menu has that handle, as its sub-menu opens; false when none.
    bool DispatchPopup(HMENU AHandle);
    /// The help context of the item with that command id (or sub-menu handle), else of the
    /// nearest item above it that has one; 0 when none does or nothing is found.
    THelpContext GetHelpContext(Integer Value, bool ByCommand) const;
    /// The item with the message's shortcut updates from its action and, when enabled, is
    /// clicked; true when an item has the shortcut.
    virtual bool IsShortCut(TWMKey& Message);
    /// Answers a character typed while the sub-menu `Message.Menu` of this menu is open: its
    /// item with that hotkey, else the only one whose caption starts with it, executes (its
    /// result MNC_EXECUTE with the item's position; headless, there is no menu loop to do it,
    /// so the item is clicked here) or, when disabled or one of several, is selected
    /// (MNC_SELECT); 0 (MNC_IGNORE) when none fits or the handle is not this menu's.
    void ProcessMenuChar(TWMMenuChar& Message);
    bool IsRightToLeft() const { return FBiDiMode != bdLeftToRight; }

    HMENU GetHandle() const { return FItems->GetHandle(); }
    HWND GetWindowHandle() const { return FWindowHandle; }
    void SetWindowHandle(HWND Value);
    TMenuImages* GetImages() const { return FImages; }
    void SetImages(TMenuImages* Value);
    TBiDiMode GetBiDiMode() const { return FBiDiMode; }
    /// A mode of its own: ParentBiDiMode becomes false.
    void SetBiDiMode(TBiDiMode Value);
    bool GetParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool Value);
    bool IsBiDiModeStored() const { return !FParentBiDiMode; }
    bool GetOwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool Value);
    /// Whether the items are measured and drawn by their owners (OwnerDraw or Images).
    bool IsOwnerDraw() const { return FOwnerDraw || FImages; }

    TMenuChangeEvent GetOnChange() const { return FOnChange; }
    void SetOnChange(TMenuChangeEvent Value) { FOnChange = Value; }

    void GetChildren(TGetChildProc Proc, TComponent* Root) override;

protected:
    /// Fires OnChange.
    virtual void DoChange(TMenuItem* Source, bool Rebuild);
    /// A change in the tree (or of the menu itself, Source null) reaches the menu here; not
    /// while the menu is being read or destroyed.
    virtual void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild);
    void SetChildOrder(TComponent* Child, Integer Order) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;

    TMenuItem* FItems;
    HWND FWindowHandle = 0;
    TMenuImages* FImages = nullptr;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    bool FOwnerDraw = false;
    TMenuChangeEvent FOnChange;

private:
    friend class TMenuItem;
    /// The images changed: the items are drawn anew.
    void ImageListChange(TObject* Sender);
    TChangeLink* FImageChangeLink;
};

class TMainMenu : public TMenu {
    HOST_CLASS(TMainMenu, TMenu)
public:
    explicit TMainMenu(TComponent* AOwner);
    ~TMainMenu() override;

    /// Shows `Menu`'s items on this menu's bar by GroupIndex: the items of a group this menu
    /// has take the place of all of its items of that group; the others go in by order (after
    /// the last item of a lower or equal GroupIndex). The items stay in their own menus. Null
    /// unmerges.
    void Merge(TMainMenu* Menu);
    /// Undoes Merge when `Menu` is the menu merged.
    void Unmerge(TMainMenu* Menu);
    TMainMenu* GetMerged() const { return FMerged; }
    /// The top-level items the bar shows, in order: visible items of this menu merged with
    /// those of the merged menu.
    std::vector<TMenuItem*> GetBarItems() const;
    /// Headless: the handle is kept for the caller; no OLE container shares the bar.
    void SetOle2MenuHandle(HMENU Handle) { FOle2Menu = Handle; }
    HMENU GetOle2MenuHandle() const { return FOle2Menu; }

    bool GetAutoMerge() const { return FAutoMerge; }
    void SetAutoMerge(bool Value);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TMainMenu* FMerged = nullptr;
    HMENU FOle2Menu = 0;
    bool FAutoMerge = false;
};

class TPopupMenu : public TMenu {
    HOST_CLASS(TPopupMenu, TMenu)
public:
    explicit TPopupMenu(TComponent* AOwner);

    /// Shows the menu at (X, Y) in screen coordinates. Headless: the point is kept
    /// (PopupPoint), OnPopup fires and the items update from their actions; no modal
    /// tracking follows, a click comes through the items.
    virtual void Popup(Integer X, Integer Y);
    TPoint GetPopupPoint() const { return FPopupPoint; }

    TComponent* GetPopupComponent() const { return FPopupComponent; }
    /// The component the menu was last shown for; cleared when that component is freed.
    void SetPopupComponent(TComponent* Value);
    TTrackButton GetTrackButton() const { return FTrackButton; }
    void SetTrackButton(TTrackButton Value) { FTrackButton = Value; }
    TPopupAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
    bool GetAutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool Value) { FAutoPopup = Value; }
    using TMenu::GetHelpContext;
    /// The menu's own help context: its root item's.
    THelpContext GetHelpContext() const { return FItems->GetHelpContext(); }
    void SetHelpContext(THelpContext Value) { FItems->SetHelpContext(Value); }
    TNotifyEvent GetOnPopup() const { return FOnPopup; }
    void SetOnPopup(TNotifyEvent Value) { FOnPopup = Value; }

protected:
    /// Fires OnPopup.
    virtual void DoPopup(TObject* Sender);
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TPoint FPopupPoint;
    TComponent* FPopupComponent = nullptr;
    TTrackButton FTrackButton = tbRightButton;
    TPopupAlignment FAlignment = paLeft;
    bool FAutoPopup = true;
    TNotifyEvent FOnPopup;
};

} // namespace host
