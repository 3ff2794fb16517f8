// What bitmap and speed buttons share: the glyph (up to four images side by side, one per
// state) and the layout of glyph and caption on the button's face.
#pragma once

#include "host/classes/TypInfoTraits.h"
#include "host/graphics/Bitmap.h"
#include "host/system/Closure.h"

#include <memory>

namespace host {

class TCanvas;
class TFont;

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
HOST_ENUM_INFO(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom)
/// Which of the glyph's images shows: up, disabled, pressed, down (held by its group).
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
HOST_ENUM_INFO(TButtonState, bsUp, bsDisabled, bsDown, bsExclusive)
enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };
HOST_ENUM_INFO(TButtonStyle, bsAutoDetect, bsWin31, bsNew)
using TNumGlyphs = Integer; // 1 to 4

class TButtonGlyph {
public:
    TButtonGlyph();
    ~TButtonGlyph();

    TBitmap* GetGlyph() const { return FGlyph.get(); }
    /// Copies the picture; a glyph whose width is a multiple of its height takes as many images.
    void SetGlyph(TBitmap* Value);
    TNumGlyphs GetNumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(TNumGlyphs Value);
    /// Heard when the glyph or the count changes.
    TNotifyEvent OnChange;

    // Where glyph and caption go: Margin -1 centres them, Spacing -1 spreads the room evenly.
    // The setters answer whether anything changed (the button then paints again).
    TButtonLayout GetLayout() const { return FLayout; }
    bool SetLayout(TButtonLayout Value);
    Integer GetMargin() const { return FMargin; }
    bool SetMargin(Integer Value);
    Integer GetSpacing() const { return FSpacing; }
    bool SetSpacing(Integer Value);

    /// The size of one image (zero when there is none).
    TPoint ImageSize() const;
    /// Draws glyph and caption into `Client`, shifted by `Offset` (a pressed face), as the
    /// layout places them.
    void Draw(TCanvas* Canvas, const TRect& Client, TPoint Offset, const AnsiString& Caption,
              TButtonState State, bool Enabled);

private:
    void GlyphChanged(TObject* Sender);
    void DrawImage(TCanvas* Canvas, TPoint At, TButtonState State);

    std::unique_ptr<TBitmap> FGlyph;
    TNumGlyphs FNumGlyphs = 1;
    TButtonLayout FLayout = blGlyphLeft;
    Integer FMargin = -1;
    Integer FSpacing = 4;
};

} // namespace host
