// TShortCutList: an action's further shortcuts, kept as their text.
#pragma once

#include "host/classes/StringList.h"
#include "host/menus/ShortCuts.h"

namespace host {

class TShortCutList : public TStringList {
    HOST_CLASS(TShortCutList, TStringList)
public:
    /// The shortcut the item at `Index` names (0 for text that names none). Read from the text
    /// each time, so it follows every way the strings change. Raises EStringListError for a
    /// bad index.
    TShortCut GetShortCuts(Integer Index);
    /// The first item naming `ShortCut`; -1 when none does (always for 0).
    Integer IndexOfShortCut(TShortCut ShortCut);
};

} // namespace host
