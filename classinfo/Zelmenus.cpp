// The menu class infos and the unit's registration.
#include "classinfo/Zelmenus.h"

#include "core/ClassInfoRows.h"
#include "host/graphics/Bitmap.h"

namespace zeltrix {

using namespace host;

/// Reaches the item's action link and the menu's OnChange, protected in the host.
class TProtectedTMenuItem : public TMenuItem {
public:
    using TMenuItem::GetActionLink;
    using TMenuItem::SetActionLink;
};
class TProtectedTMenu : public TMenu {
public:
    using TMenu::GetOnChange;
    using TMenu::SetOnChange;
};

struct TMenuActionLinkClassInfo::ZelRows {}; // an exact entry for the host class
ZEL_TABLE(TMenuActionLinkClassInfo);

struct TMenuItemClassInfo::ZelRows {
    using CI = TMenuItemClassInfo;
    using I = TMenuItem;
    using P = TProtectedTMenuItem;
    static constexpr TzelPropRow Properties[] = {
        // Written straight into the item in the host. Here the item takes the link over (from
        // an item that held it) and frees the one it replaces, so a link never has two owners
        // or none; only a live link is accepted.
        ZEL_PROP(P, ActionLink).protected_(),
        ZEL_PROP_R(I, Command),
        ZEL_PROP_R_SLOT(I, Handle),
        ZEL_PROP_R(I, Count),
        ZEL_PROP_R(I, Items, "Index"),
        ZEL_PROP(I, MenuIndex),
        ZEL_PROP_R(I, Parent),
        ZEL_PROP(I, Action).published(),
        ZEL_PROP(I, Bitmap).published(),
        ZEL_PROP(I, Break).published(),
        ZEL_PROP(I, Caption).published(),
        ZEL_PROP(I, Checked).published(),
        ZEL_PROP(I, Default).published(),
        ZEL_PROP(I, Enabled).published(),
        ZEL_PROP(I, GroupIndex).published(),
        ZEL_PROP(I, HelpContext).published(), // a plain store in the host
        ZEL_PROP(I, Hint).published(),        // a plain store in the host
        ZEL_PROP(I, ImageIndex).published(),
        ZEL_PROP(I, RadioItem).published(),
        ZEL_PROP(I, ShortCut).published(),
        ZEL_PROP(I, Visible).published(),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(I, InitiateAction),  ZEL_PROC(I, Insert, "Index,Item"),
        ZEL_PROC(I, Delete, "Index"), ZEL_PROC(I, Click),
        ZEL_FUNC(I, IndexOf, "Item"), ZEL_FUNC(I, GetParentMenu),
        ZEL_PROC(I, Add, "Item"),     ZEL_PROC(I, Remove, "Item"),
    };
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(I, OnClick, "Sender").published(),
        ZEL_EVENT(I, OnDrawItem, "Sender,ACanvas,ARect,Selected").published(),
        ZEL_EVENT(I, OnMeasureItem, "Sender,ACanvas,Width,Height").published(),
    };
};
ZEL_TABLE(TMenuItemClassInfo);

struct TMenuClassInfo::ZelRows {
    using CI = TMenuClassInfo;
    using M = TMenu;
    using P = TProtectedTMenu;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(M, Images),
        ZEL_PROP(M, BiDiMode),
        ZEL_PROP_R_SLOT(M, Handle),
        ZEL_PROP(M, OwnerDraw),
        ZEL_PROP(M, ParentBiDiMode),
        prop<&M::GetWindowHandle, &M::SetWindowHandle, &CI::FWindowHandleSlot>("WindowHandle"),
        ZEL_PROP_R(M, Items).published(),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_FUNC(M, DispatchCommand, "ACommand"),
        ZEL_FUNC(M, DispatchPopup, "AHandle"),
        ZEL_FUNC(M, FindItem, "Value,Kind"),
        func<static_cast<THelpContext (M::*)(Integer, bool) const>(&M::GetHelpContext)>(
            "GetHelpContext", "Value,ByCommand"),
        ZEL_FUNC(M, IsRightToLeft),
        ZEL_FUNC(M, IsShortCut, "Message"),
        ZEL_PROC(M, ProcessMenuChar, "Message"),
    };
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(P, OnChange, "Sender,Source,Rebuild").protected_(),
    };
};
ZEL_TABLE(TMenuClassInfo);

struct TMainMenuClassInfo::ZelRows {
    using M = TMainMenu;
    static constexpr auto Properties =
        zelRows(ZEL_PROP(M, AutoMerge).published(),
                published("BiDiMode", "Images", "OwnerDraw", "ParentBiDiMode"));
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(M, Merge, "Menu"),
        ZEL_PROC(M, Unmerge, "Menu"),
        ZEL_PROC(M, SetOle2MenuHandle, "Handle"),
    };
    static constexpr auto Events = zelRows(published("OnChange"));
};
ZEL_TABLE(TMainMenuClassInfo);

struct TPopupMenuClassInfo::ZelRows {
    using M = TPopupMenu;
    static constexpr auto Properties = zelRows(
        // Stored straight in the host; here through the setter, which also watches the
        // component so that it never dangles.
        ZEL_PROP(M, PopupComponent), ZEL_PROP(M, TrackButton), ZEL_PROP(M, Alignment).published(),
        ZEL_PROP(M, AutoPopup).published(),
        prop<static_cast<THelpContext (M::*)() const>(&M::GetHelpContext), &M::SetHelpContext>(
            "HelpContext")
            .published(),
        published("BiDiMode", "Images", "OwnerDraw", "ParentBiDiMode"));
    static constexpr TzelMethodRow Methods[] = {ZEL_PROC(M, Popup, "X,Y")};
    static constexpr auto Events =
        zelRows(ZEL_EVENT(M, OnPopup, "Sender").published(), published("OnChange"));
};
ZEL_TABLE(TPopupMenuClassInfo);

namespace Zelmenus {
namespace {
constexpr const TzelClassTable* Tables[] = {
    &TMenuActionLinkClassInfo::ZelTable, &TMenuItemClassInfo::ZelTable,  &TMenuClassInfo::ZelTable,
    &TMainMenuClassInfo::ZelTable,       &TPopupMenuClassInfo::ZelTable,
};
} // namespace

void Initialize() {
    zelInitializeUnit(Tables);
}
void Finalize() {
    zelFinalizeUnit(Tables);
}
} // namespace Zelmenus

} // namespace zeltrix
