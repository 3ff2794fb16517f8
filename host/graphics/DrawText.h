// The platform's DrawText over a canvas: text laid out in a rectangle (alignment, word wrap,
// lines, tabs, the '&' prefix underlined), or only measured. Labels, buttons, check boxes,
// panels and headers draw their captions with it, as the host's controls do.
#pragma once

#include "host/system/Types.h"

namespace host {

class TCanvas;

inline constexpr Cardinal DT_TOP = 0x0000, DT_VCENTER = 0x0004, DT_BOTTOM = 0x0008,
                          DT_WORDBREAK = 0x0010, DT_SINGLELINE = 0x0020, DT_EXPANDTABS = 0x0040,
                          DT_NOCLIP = 0x0100, DT_CALCRECT = 0x0400, DT_NOPREFIX = 0x0800,
                          DT_END_ELLIPSIS = 0x8000, DT_HIDEPREFIX = 0x100000;
// DT_LEFT, DT_CENTER, DT_RIGHT and DT_RTLREADING: host/controls/Control.h keeps them with the
// reading order; their values are the platform's (0, 1, 2, 0x20000).

/// Draws `Text` in `Rect` with the canvas's font, in its brush's style behind each line, and
/// returns the text's height. With DT_CALCRECT nothing is drawn: `Rect` becomes the extent the
/// text takes (its right edge widened for the longest line, its bottom set).
Integer DrawText(TCanvas* Canvas, const AnsiString& Text, TRect& Rect, Cardinal Format);

} // namespace host
