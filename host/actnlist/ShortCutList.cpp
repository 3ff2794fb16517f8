#include "host/actnlist/ShortCutList.h"

namespace host {

HOST_METACLASS(TShortCutList, TStringList);

TShortCut TShortCutList::GetShortCuts(Integer Index) {
    return TextToShortCut(Get(Index));
}

Integer TShortCutList::IndexOfShortCut(TShortCut ShortCut) {
    if (ShortCut == scNone) return -1;
    for (Integer i = 0; i < GetCount(); ++i)
        if (GetShortCuts(i) == ShortCut) return i;
    return -1;
}

} // namespace host
