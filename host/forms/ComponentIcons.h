// Non-visual components as the IDE's designer shows them: an icon where the designer placed
// each (its DesignInfo), with its name below, on a blank design surface.
#pragma once

#include "host/classes/Component.h"

namespace host {

class TBitmap;
class TCanvas;

/// The icon's size: a raised square around a 24 x 24 glyph.
inline constexpr Integer ComponentIconSize = 28;

/// Whether the designer shows `Component` as an icon: not a control, and not an item of
/// another component (a menu item, an action in its list).
bool ShowsAsIcon(TComponent* Component);
/// Where the designer placed `Component` (its DesignInfo, or a stand-in's Left and Top).
TPoint DesignPosition(TComponent* Component);
/// One component's icon with its top left at (X, Y), and its name centred below.
void PaintComponentIcon(TCanvas* Canvas, TComponent* Component, Integer X, Integer Y);
/// The design surface of `Root` (a data module): Width x Height in the window colour with the
/// icons of the components it owns. The caller frees the bitmap.
TBitmap* GetDesignImage(TComponent* Root, Integer Width, Integer Height);

} // namespace host
