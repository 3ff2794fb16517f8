// Text: the metrics and glyphs of logical fonts, from FreeType with the Liberation fonts, drawn
// without anti-aliasing so that every pixel is determined.
#pragma once

#include "host/graphics/Surface.h"

#include <string_view>

namespace host {

struct TTextMetric {
    Integer tmHeight = 0;  // ascent + descent
    Integer tmAscent = 0;  // above the base line
    Integer tmDescent = 0; // below it
    Integer tmInternalLeading = 0;
    Integer tmAveCharWidth = 0;
    Integer tmMaxCharWidth = 0;
    Integer tmWeight = 0;
};

/// The font file a logical font is drawn with: Liberation Sans for the sans-serif faces (and
/// "MS Sans Serif", "System" and unknown faces), Serif for the Times faces, Mono for the Courier
/// faces and fixed-pitch requests; bold and italic by the record.
AnsiString FontFileOf(const TLogFont& Font);
TTextMetric GetTextMetrics(const TLogFont& Font);
/// Width and height of `Text` (8-bit text, Latin-1) in `Font`: the advances' sum and the
/// font's height.
TSize GetTextExtent(const TLogFont& Font, std::string_view Text);
/// Draws `Text` with its cell's top left at (X, Y) in `Color`; with `Background`, the cell is
/// filled with `*Background` first. Only pixels inside `Clip` (and the context's bounds) are
/// touched. Returns the extent drawn.
TSize DrawTextOn(TGdiDC& DC, const TLogFont& Font, TColorRef Color, const TColorRef* Background,
                 Integer X, Integer Y, std::string_view Text, const TRect* Clip);

} // namespace host
