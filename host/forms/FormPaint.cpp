// A form's window in the host's classic look: the raised frame (wider for a sizeable border),
// the caption bar in the active caption's gradient with the caption in bold and the border
// icons' buttons, the menu bar, then the client area and its controls.
#include "host/forms/Form.h"

#include "host/graphics/Bitmap.h"
#include "host/menus/Menu.h"
#include "host/menus/MenuPaint.h"

#include <algorithm>

namespace host {

namespace {
constexpr Integer CaptionHeight = 18, SmallCaptionHeight = 14; // the bar, without its line
constexpr Integer ButtonWidth = 16, ButtonHeight = 14, SmallButton = 12;

Integer FrameWidth(TFormBorderStyle Style) {
    switch (Style) {
    case bsNone: return 0;
    case bsSizeable:
    case bsSizeToolWin: return 4;
    default: return 3;
    }
}

bool Small(TFormBorderStyle Style) {
    return Style == bsToolWindow || Style == bsSizeToolWin;
}

void Fill(TCanvas* Canvas, const TRect& R, TColor Color) {
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(Color);
    Canvas->FillRect(R);
}

/// A raised edge: light on the top and left, dark on the bottom and right, two lines deep.
void RaisedEdge(TCanvas* Canvas, const TRect& R, TColor OuterLight, TColor InnerLight) {
    Fill(Canvas, {R.Left, R.Top, R.Right, R.Top + 1}, OuterLight);
    Fill(Canvas, {R.Left, R.Top, R.Left + 1, R.Bottom}, OuterLight);
    Fill(Canvas, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, cl3DDkShadow);
    Fill(Canvas, {R.Right - 1, R.Top, R.Right, R.Bottom}, cl3DDkShadow);
    TRect i{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    Fill(Canvas, {i.Left, i.Top, i.Right, i.Top + 1}, InnerLight);
    Fill(Canvas, {i.Left, i.Top, i.Left + 1, i.Bottom}, InnerLight);
    Fill(Canvas, {i.Left, i.Bottom - 1, i.Right, i.Bottom}, clBtnShadow);
    Fill(Canvas, {i.Right - 1, i.Top, i.Right, i.Bottom}, clBtnShadow);
}

enum class Glyph { Close, Maximize, Minimize, Help };

/// A caption button: a small raised button with its glyph in black.
void CaptionButton(TCanvas* Canvas, const TRect& R, Glyph G) {
    Fill(Canvas, R, clBtnFace);
    RaisedEdge(Canvas, R, clBtnHighlight, cl3DLight);
    TColor ink = clBtnText;
    Integer w = R.Right - R.Left, h = R.Bottom - R.Top;
    Integer cx = R.Left + (w - 8) / 2, cy = R.Top + (h - 7) / 2;
    switch (G) {
    case Glyph::Close: // an X of two-pixel-wide strokes
        for (Integer i = 0; i < 7; ++i) {
            Fill(Canvas, {cx + i, cy + i, cx + i + 2, cy + i + 1}, ink);
            Fill(Canvas, {cx + 6 - i, cy + i, cx + 8 - i, cy + i + 1}, ink);
        }
        break;
    case Glyph::Maximize: // a window: its top two lines thick
        Fill(Canvas, {cx, cy, cx + 9, cy + 2}, ink);
        Fill(Canvas, {cx, cy, cx + 1, cy + 8}, ink);
        Fill(Canvas, {cx + 8, cy, cx + 9, cy + 8}, ink);
        Fill(Canvas, {cx, cy + 7, cx + 9, cy + 8}, ink);
        break;
    case Glyph::Minimize: // a bar at the bottom
        Fill(Canvas, {cx + 1, cy + 5, cx + 7, cy + 7}, ink);
        break;
    case Glyph::Help: // a question mark
        Fill(Canvas, {cx + 2, cy, cx + 6, cy + 1}, ink);
        Fill(Canvas, {cx + 1, cy + 1, cx + 3, cy + 2}, ink);
        Fill(Canvas, {cx + 5, cy + 1, cx + 7, cy + 3}, ink);
        Fill(Canvas, {cx + 4, cy + 3, cx + 6, cy + 4}, ink);
        Fill(Canvas, {cx + 3, cy + 4, cx + 5, cy + 5}, ink);
        Fill(Canvas, {cx + 3, cy + 6, cx + 5, cy + 7}, ink);
        break;
    }
}
} // namespace

TRect TCustomForm::GetBorderInsets() {
    Integer f = FrameWidth(FBorderStyle);
    Integer top = f;
    if (FBorderStyle != bsNone) top += (Small(FBorderStyle) ? SmallCaptionHeight : CaptionHeight) + 1;
    if (FMenu && FMenu->GetItems()->GetCount() > 0 && !Small(FBorderStyle)) top += MenuBarHeight;
    return {f, top, f, f};
}

void TCustomForm::PaintNonClient(TCanvas* Canvas) {
    if (FBorderStyle == bsNone) return PaintScrollBars(Canvas);
    Integer f = FrameWidth(FBorderStyle);
    TRect all{0, 0, FWidth, FHeight};
    Fill(Canvas, all, clActiveBorder);
    RaisedEdge(Canvas, all, cl3DLight, clBtnHighlight);
    // The caption bar, from the caption colour to its gradient partner.
    Integer barHeight = Small(FBorderStyle) ? SmallCaptionHeight : CaptionHeight;
    TRect bar{f, f, FWidth - f, f + barHeight};
    Fill(Canvas, {bar.Left, bar.Bottom, bar.Right, bar.Bottom + 1}, clBtnFace);
    TColorRef from = ColorToRGB(FActive || true ? clActiveCaption : clInactiveCaption);
    TColorRef to = ColorToRGB(clGradientActiveCaption);
    Integer span = std::max<Integer>(bar.Right - bar.Left - 1, 1);
    for (Integer x = bar.Left; x < bar.Right; ++x) {
        Integer t = x - bar.Left;
        auto mix = [&](Byte a, Byte b) { return Byte(a + (Integer(b) - Integer(a)) * t / span); };
        TColorRef c = RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
                          mix(GetBValue(from), GetBValue(to)));
        Fill(Canvas, {x, bar.Top, x + 1, bar.Bottom}, TColor(c));
    }
    // The buttons, right to left: close, then maximise and minimise, or help.
    Integer bw = Small(FBorderStyle) ? SmallButton : ButtonWidth;
    Integer bh = Small(FBorderStyle) ? SmallButton - 2 : ButtonHeight;
    Integer by = bar.Top + (barHeight - bh) / 2;
    Integer right = bar.Right - 2;
    if (FBorderIcons.Contains(biSystemMenu)) {
        CaptionButton(Canvas, {right - bw, by, right, by + bh}, Glyph::Close);
        right -= bw + 2;
        bool sizeBoxes = !Small(FBorderStyle) && FBorderStyle != bsDialog &&
                         (FBorderIcons.Contains(biMinimize) || FBorderIcons.Contains(biMaximize));
        if (sizeBoxes) {
            CaptionButton(Canvas, {right - bw, by, right, by + bh}, Glyph::Maximize);
            CaptionButton(Canvas, {right - 2 * bw, by, right - bw, by + bh}, Glyph::Minimize);
            right -= 2 * bw + 2;
        } else if (FBorderIcons.Contains(biHelp)) {
            CaptionButton(Canvas, {right - bw, by, right, by + bh}, Glyph::Help);
            right -= bw + 2;
        }
    }
    // The caption in bold in the caption text colour.
    TFont* font = Canvas->GetFont();
    font->SetName("MS Sans Serif");
    font->SetHeight(-11);
    font->SetStyle({fsBold});
    font->SetColor(clCaptionText);
    Canvas->GetBrush()->SetStyle(bsClear);
    Integer ty = bar.Top + (barHeight - Canvas->TextHeight("Wg")) / 2;
    Canvas->TextRect({bar.Left + 2, bar.Top, right - 2, bar.Bottom}, bar.Left + 3, ty, FText);
    Canvas->GetBrush()->SetStyle(bsSolid);
    // The menu bar below the caption.
    TRect n = GetBorderInsets();
    if (n.Top > bar.Bottom + 1) {
        TRect menuBar{f, bar.Bottom + 1, FWidth - f, n.Top};
        PaintMenuBar(FMenu, Canvas, menuBar);
    }
    PaintScrollBars(Canvas);
}

void TCustomForm::PaintWindow(TCanvas* Canvas) {
    HDC own = FCanvas->HandleAllocated() ? FCanvas->GetHandleValue() : 0;
    FCanvas->SetHandle(Canvas->GetHandle());
    FCanvas->GetFont()->Assign(FFont);
    try {
        Paint();
    } catch (...) {
        FCanvas->SetHandle(own);
        throw;
    }
    FCanvas->SetHandle(own);
}

void TCustomForm::Paint() {
    if (FOnPaint) FOnPaint(this);
}

void TCustomForm::PaintWindowTo(TCanvas* Canvas, Integer X, Integer Y) {
    PaintTo(Canvas, X, Y);
}

TBitmap* TCustomForm::GetFormImage() {
    auto* b = new TBitmap;
    try {
        b->SetSize(FWidth, FHeight);
        PaintTo(b->GetCanvas(), 0, 0);
    } catch (...) {
        b->Free();
        throw;
    }
    return b;
}

} // namespace host
