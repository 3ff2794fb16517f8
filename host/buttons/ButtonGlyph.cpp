#include "host/buttons/ButtonGlyph.h"

#include "host/controls/Control.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/Colors.h"
#include "host/graphics/DrawText.h"
#include "host/graphics/Edges.h"

#include <algorithm>

namespace host {

TButtonGlyph::TButtonGlyph() : FGlyph(new TBitmap) {
    FGlyph->SetOnChange(TNotifyEvent::Bind<&TButtonGlyph::GlyphChanged>(this));
}

TButtonGlyph::~TButtonGlyph() = default;

void TButtonGlyph::SetGlyph(TBitmap* Value) {
    FGlyph->Assign(Value); // OnChange counts the images
}

void TButtonGlyph::GlyphChanged(TObject*) {
    // A strip of square images: one per state.
    Integer w = FGlyph->GetWidth(), h = FGlyph->GetHeight();
    if (h > 0 && w % h == 0 && w / h >= 1 && w / h <= 4) FNumGlyphs = w / h;
    if (OnChange) OnChange(nullptr);
}

void TButtonGlyph::SetNumGlyphs(TNumGlyphs Value) {
    Value = std::clamp<TNumGlyphs>(Value, 1, 4);
    if (Value == FNumGlyphs) return;
    FNumGlyphs = Value;
    if (OnChange) OnChange(nullptr);
}

TPoint TButtonGlyph::ImageSize() const {
    if (FGlyph->GetEmpty()) return {0, 0};
    return {FGlyph->GetWidth() / FNumGlyphs, FGlyph->GetHeight()};
}

void TButtonGlyph::DrawImage(TCanvas* Canvas, TPoint At, TButtonState State) {
    TPoint size = ImageSize();
    if (size.X == 0) return;
    // The state's own image where the glyph has one; a held-down button shows the pressed one.
    Integer index = State;
    if (index == bsExclusive && FNumGlyphs < 4) index = bsDown;
    if (index >= FNumGlyphs) index = bsUp;
    TCanvas* source = FGlyph->GetCanvas();
    // The pixel at the bottom left is the colour that lets the face show through.
    TColor transparent = source->GetPixels(index * size.X, size.Y - 1);
    TRect from{index * size.X, 0, (index + 1) * size.X, size.Y};
    if (State != bsDisabled || FNumGlyphs > 1) {
        TBitmap image;
        image.SetSize(size.X, size.Y);
        image.GetCanvas()->CopyRect({0, 0, size.X, size.Y}, source, from);
        image.SetTransparentColor(transparent);
        image.SetTransparent(true);
        Canvas->Draw(At.X, At.Y, &image);
        return;
    }
    // No disabled image: the dark parts of the up image, engraved.
    for (TColor ink : {clBtnHighlight, clBtnShadow}) {
        Integer shift = ink == clBtnHighlight ? 1 : 0;
        for (Integer y = 0; y < size.Y; ++y)
            for (Integer x = 0; x < size.X; ++x) {
                TColor c = source->GetPixels(x, y);
                if (c == transparent) continue;
                TColorRef rgb = ColorToRGB(c);
                Integer light =
                    (GetRValue(rgb) * 30 + GetGValue(rgb) * 59 + GetBValue(rgb) * 11) / 100;
                if (light < 192) Canvas->SetPixels(At.X + x + shift, At.Y + y + shift, ink);
            }
    }
}

bool TButtonGlyph::SetLayout(TButtonLayout Value) {
    if (Value == FLayout) return false;
    FLayout = Value;
    return true;
}

bool TButtonGlyph::SetMargin(Integer Value) {
    if (Value == FMargin || Value < -1) return false;
    FMargin = Value;
    return true;
}

bool TButtonGlyph::SetSpacing(Integer Value) {
    if (Value == FSpacing || Value < -1) return false;
    FSpacing = Value;
    return true;
}

void TButtonGlyph::Draw(TCanvas* Canvas, const TRect& Client, TPoint Offset,
                        const AnsiString& Caption, TButtonState State, bool Enabled) {
    const TButtonLayout Layout = FLayout;
    Integer Margin = FMargin, Spacing = FSpacing;
    TPoint glyph = ImageSize();
    TRect text{0, 0, Client.Right - Client.Left, 0};
    if (!Caption.empty()) DrawText(Canvas, Caption, text, DT_CALCRECT | DT_SINGLELINE);
    TPoint textSize{text.Right - text.Left, text.Bottom - text.Top};
    if (Caption.empty()) textSize = {0, 0};
    bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
    Integer room = horizontal ? Client.Right - Client.Left : Client.Bottom - Client.Top;
    Integer glyphLen = horizontal ? glyph.X : glyph.Y;
    Integer textLen = horizontal ? textSize.X : textSize.Y;
    if (glyphLen == 0 || textLen == 0) Spacing = 0;
    // Margin -1 centres glyph and caption together; Spacing -1 spreads the space left evenly.
    if (Margin == -1) {
        if (Spacing == -1) {
            Margin = Spacing = (room - glyphLen - textLen) / 3;
        } else
            Margin = (room - glyphLen - Spacing - textLen) / 2;
    } else if (Spacing == -1) {
        Spacing = (room - Margin - glyphLen - textLen) / 2;
    }
    Integer glyphAt = Margin, textAt = Margin + glyphLen + Spacing;
    if (Layout == blGlyphRight || Layout == blGlyphBottom) {
        glyphAt = room - Margin - glyphLen;
        textAt = glyphAt - Spacing - textLen;
    }
    TPoint g, t;
    if (horizontal) {
        g = {Client.Left + glyphAt, Client.Top + (Client.Bottom - Client.Top - glyph.Y) / 2};
        t = {Client.Left + textAt, Client.Top + (Client.Bottom - Client.Top - textSize.Y) / 2};
    } else {
        g = {Client.Left + (Client.Right - Client.Left - glyph.X) / 2, Client.Top + glyphAt};
        t = {Client.Left + (Client.Right - Client.Left - textSize.X) / 2, Client.Top + textAt};
    }
    DrawImage(Canvas, {g.X + Offset.X, g.Y + Offset.Y}, Enabled ? State : bsDisabled);
    if (Caption.empty()) return;
    TRect r{t.X + Offset.X, t.Y + Offset.Y, t.X + Offset.X + textSize.X,
            t.Y + Offset.Y + textSize.Y};
    Canvas->GetBrush()->SetStyle(bsClear);
    if (Enabled)
        DrawText(Canvas, Caption, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    else
        DrawDisabledText(Canvas, Caption, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

} // namespace host
