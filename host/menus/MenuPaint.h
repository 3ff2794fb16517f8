// Menus painted onto a canvas in the host's classic look: a menu bar (captions left to right on
// the menu colour, hotkeys underlined) and an open popup (a raised frame, one item a row,
// separators, check marks and radio dots, shortcut text right-aligned, sub-menu arrows).
#pragma once

#include "host/system/Types.h"

#include <vector>

namespace host {

class TCanvas;
class TMenu;
class TMenuItem;

/// Where an item is in a painted menu.
struct TMenuItemBox {
    TMenuItem* Item = nullptr;
    TRect Rect;
};

inline constexpr Integer MenuBarHeight = 19;
inline constexpr Integer MenuItemHeight = 17;
inline constexpr Integer MenuSeparatorHeight = 9;

/// The bar's items (a main menu's merged bar, else the visible top-level items) left to right
/// from Bounds' top left, a new row for an item that breaks or does not fit. Owner-drawn menus
/// ask each item's OnMeasureItem.
std::vector<TMenuItemBox> LayoutMenuBar(TMenu* Menu, TCanvas* Canvas, const TRect& Bounds);
/// Fills Bounds with the menu colour and paints the bar's items; `Selected` is highlighted.
void PaintMenuBar(TMenu* Menu, TCanvas* Canvas, const TRect& Bounds, TMenuItem* Selected = nullptr);

/// The rows of Parent's visible sub-items in a popup with its top left at Origin (a new column
/// for an item that breaks); the popup's whole rectangle in `Frame`.
std::vector<TMenuItemBox> LayoutPopupMenu(TMenuItem* Parent, TCanvas* Canvas, TPoint Origin,
                                          TRect* Frame = nullptr);
/// Paints Parent's sub-items as an open popup at Origin; returns the popup's rectangle.
TRect PaintPopupMenu(TMenuItem* Parent, TCanvas* Canvas, TPoint Origin,
                     TMenuItem* Selected = nullptr);

} // namespace host
