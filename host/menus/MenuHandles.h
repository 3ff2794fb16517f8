// The headless menu-handle table and the pool of menu command ids: a menu handle is an id that
// finds its item again, and every live item has a command id no other live item has.
#pragma once

#include "host/system/Types.h"

namespace host {

class TMenuItem;

using HMENU = THandle;

/// A new handle for `Item`'s sub-menu.
HMENU AllocateMenuHandle(TMenuItem* Item);
/// The item a handle belongs to; null for 0, a freed handle or a number that never was one.
TMenuItem* FindMenuHandle(HMENU Handle);
void ReleaseMenuHandle(HMENU Handle);

/// The lowest free command id (from 1). Raises EMenuError "Too many menu items" when all
/// 65535 are taken.
Word AllocateMenuCommand();
void ReleaseMenuCommand(Word Command);

} // namespace host
