// Class infos of the host's Menus unit: menu items, their action links, menus and popups.
#pragma once

#include "classinfo/Zelactnlist.h"
#include "host/menus/Menu.h"
#include "host/menus/MenuItem.h"

namespace zeltrix {

ZEL_PLAIN_CLASSINFO(TMenuActionLinkClassInfo, TActionLinkClassInfo, host::TMenuActionLink);

class TMenuItemClassInfo
    : public TzelFamily<TMenuItemClassInfo, TComponentClassInfo, host::TMenuItem> {
    ZEL_CLASSINFO(TMenuItemClassInfo)
protected:
    host::HMENU FHandleSlot = 0;
};

class TMenuClassInfo : public TzelFamily<TMenuClassInfo, TComponentClassInfo, host::TMenu> {
    ZEL_CLASSINFO(TMenuClassInfo)
protected:
    host::HMENU FHandleSlot = 0;
    host::HWND FWindowHandleSlot = 0;
};

ZEL_PLAIN_CLASSINFO(TMainMenuClassInfo, TMenuClassInfo, host::TMainMenu);
ZEL_PLAIN_CLASSINFO(TPopupMenuClassInfo, TMenuClassInfo, host::TPopupMenu);

namespace Zelmenus {
void Initialize();
void Finalize();
} // namespace Zelmenus

} // namespace zeltrix
