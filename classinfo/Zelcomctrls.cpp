// The unit's registration, in the unit's order. The class infos live in topic files:
// ZelcomctrlsPages.cpp, ZelcomctrlsRanges.cpp, ZelcomctrlsCalendars.cpp, ZelcomctrlsBars.cpp.
#include "classinfo/Zelcomctrls.h"

#include <iterator>

namespace zeltrix {

namespace Zelcomctrls {
namespace {
constexpr const TzelClassTable* Tables[] = {
    &TCustomTabControlClassInfo::ZelTable,
    &TTabControlClassInfo::ZelTable,
    &TTabSheetClassInfo::ZelTable,
    &TPageControlClassInfo::ZelTable,
    &TStatusPanelClassInfo::ZelTable,
    &TStatusPanelsClassInfo::ZelTable,
    &TStatusBarClassInfo::ZelTable,
    &THeaderSectionClassInfo::ZelTable,
    &THeaderSectionsClassInfo::ZelTable,
    &THeaderControlClassInfo::ZelTable,

    // (tree view: TTreeNode, TTreeNodes, TCustomTreeView, TTreeView)

    // &TTrackBarClassInfo::ZelTable,
    // &TProgressBarClassInfo::ZelTable,

    // (rich edit: TTextAttributes, TParaAttributes, TConversion, TCustomRichEdit, TRichEdit)

    // &TCustomUpDownClassInfo::ZelTable,
    // &TUpDownClassInfo::ZelTable,
    // &TCustomHotKeyClassInfo::ZelTable,
    // &THotKeyClassInfo::ZelTable,

    // (list view: TListColumn, TListColumns, TListItem, TListItems, TIconOptions,
    //  TCustomListView, TListView)

    &TAnimateClassInfo::ZelTable,

    // &TToolButtonActionLinkClassInfo::ZelTable,
    // &TToolButtonClassInfo::ZelTable,
    // &TToolBarClassInfo::ZelTable,
    // &TToolBarDockObjectClassInfo::ZelTable,
    // &TCoolBandClassInfo::ZelTable,
    // &TCoolBandsClassInfo::ZelTable,
    // &TCoolBarClassInfo::ZelTable,

    &TMonthCalColorsClassInfo::ZelTable, &TCommonCalendarClassInfo::ZelTable,
    &TMonthCalendarClassInfo::ZelTable,
    // &TDateTimePickerClassInfo::ZelTable,

    // &TPageScrollerClassInfo::ZelTable,
    nullptr, // end (goes once the list has its entries)
};
} // namespace

void Initialize() {
    zelInitializeUnit(Tables, int(std::size(Tables)) - 1);
}
void Finalize() {
    zelFinalizeUnit(Tables, int(std::size(Tables)) - 1);
}
} // namespace Zelcomctrls

} // namespace zeltrix
