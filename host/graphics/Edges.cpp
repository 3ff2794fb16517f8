#include "host/graphics/Edges.h"

#include "host/graphics/Canvas.h"
#include "host/graphics/Colors.h"
#include "host/graphics/DrawText.h"

namespace host {

namespace {
void Fill(TCanvas* Canvas, const TRect& R, TColor Color) {
    if (R.Left >= R.Right || R.Top >= R.Bottom) return;
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(Color);
    Canvas->FillRect(R);
}

/// One border: the light colour on the top and left, the dark one on the bottom and right.
void Border(TCanvas* Canvas, TRect& R, Cardinal Flags, TColor Light, TColor Dark) {
    if (Flags & BF_TOP) Fill(Canvas, {R.Left, R.Top, R.Right, R.Top + 1}, Light);
    if (Flags & BF_LEFT) Fill(Canvas, {R.Left, R.Top, R.Left + 1, R.Bottom}, Light);
    if (Flags & BF_BOTTOM) Fill(Canvas, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, Dark);
    if (Flags & BF_RIGHT) Fill(Canvas, {R.Right - 1, R.Top, R.Right, R.Bottom}, Dark);
    R = {R.Left + !!(Flags & BF_LEFT), R.Top + !!(Flags & BF_TOP), R.Right - !!(Flags & BF_RIGHT),
         R.Bottom - !!(Flags & BF_BOTTOM)};
}
} // namespace

void DrawEdge(TCanvas* Canvas, TRect& Rect, Cardinal Edge, Cardinal Flags) {
    TRect r = Rect;
    TBrushStyle style = Canvas->GetBrush()->GetStyle();
    TColor color = Canvas->GetBrush()->GetColor();
    if (Flags & (BF_FLAT | BF_MONO)) {
        TColor c = Flags & BF_MONO ? clWindowFrame : clBtnShadow;
        if (Edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) Border(Canvas, r, Flags, c, c);
        if (Edge & (BDR_RAISEDINNER | BDR_SUNKENINNER))
            Border(Canvas, r, Flags, Flags & BF_MONO ? clWindow : clBtnFace,
                   Flags & BF_MONO ? clWindow : clBtnFace);
    } else {
        // The outer border, then the inner one, as the platform pairs their colours.
        if (Edge & BDR_RAISEDOUTER)
            Border(Canvas, r, Flags, Flags & BF_SOFT ? clBtnHighlight : cl3DLight, cl3DDkShadow);
        else if (Edge & BDR_SUNKENOUTER)
            Border(Canvas, r, Flags, clBtnShadow, clBtnHighlight);
        if (Edge & BDR_RAISEDINNER)
            Border(Canvas, r, Flags, Flags & BF_SOFT ? cl3DLight : clBtnHighlight, clBtnShadow);
        else if (Edge & BDR_SUNKENINNER)
            Border(Canvas, r, Flags, cl3DDkShadow, cl3DLight);
    }
    if (Flags & BF_MIDDLE) Fill(Canvas, r, Flags & BF_MONO ? clWindow : clBtnFace);
    if (Flags & BF_ADJUST) Rect = r;
    Canvas->GetBrush()->SetColor(color);
    Canvas->GetBrush()->SetStyle(style);
}

TRect DrawPushButton(TCanvas* Canvas, TRect Rect, bool Pressed, bool Default, bool Flat) {
    if (Default) {
        Fill(Canvas, Rect, clWindowFrame);
        Rect = {Rect.Left + 1, Rect.Top + 1, Rect.Right - 1, Rect.Bottom - 1};
    }
    if (Pressed && Default) {
        // A default button pressed: a shadow frame round the face, not a sunken edge.
        Fill(Canvas, Rect, clBtnShadow);
        Fill(Canvas, {Rect.Left + 1, Rect.Top + 1, Rect.Right - 1, Rect.Bottom - 1}, clBtnFace);
        return {Rect.Left + 3, Rect.Top + 3, Rect.Right - 1, Rect.Bottom - 1};
    }
    if (Flat && !Pressed) {
        Fill(Canvas, Rect, clBtnFace);
        return Rect;
    }
    DrawEdge(Canvas, Rect, Pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
    if (Pressed) Rect = {Rect.Left + 1, Rect.Top + 1, Rect.Right + 1, Rect.Bottom + 1};
    return Rect;
}

void DrawCheckBox(TCanvas* Canvas, Integer X, Integer Y, TCheckMark Mark, bool Pressed,
                  bool Enabled) {
    TRect r{X, Y, X + 13, Y + 13};
    DrawEdge(Canvas, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    Fill(Canvas, r, Pressed || !Enabled || Mark == TCheckMark::Grayed ? clBtnFace : clWindow);
    if (Mark == TCheckMark::Unchecked) return;
    TColor ink = Mark == TCheckMark::Grayed || !Enabled ? clBtnShadow : clWindowText;
    // The platform's 7 x 7 tick, three pixels thick.
    static constexpr int Rise[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int i = 0; i < 7; ++i)
        Fill(Canvas, {X + 3 + i, Y + 3 + Rise[i], X + 4 + i, Y + 6 + Rise[i]}, ink);
}

void DrawRadioButton(TCanvas* Canvas, Integer X, Integer Y, bool Checked, bool Pressed,
                     bool Enabled) {
    // The platform's round button, row by row: the outer ring (shadow above, highlight
    // below), the inner ring (dark shadow above, light below), the window colour inside.
    static constexpr const char* Rows[12] = {"    ssss    ", "  ssddddss  ", " sdd    ddh ",
                                             " sd      lh ", "sd        lh", "sd        lh",
                                             "sd        lh", "sd        lh", " sl      lh ",
                                             " hll    llh ", "  hhllllhh  ", "    hhhh    "};
    TColor inside = Pressed || !Enabled ? clBtnFace : clWindow;
    for (int row = 0; row < 12; ++row) {
        const char* line = Rows[row];
        // The inside: between the first and last ring pixels of the row.
        int first = -1, last = -1;
        for (int c = 0; c < 12; ++c)
            if (line[c] != ' ') {
                if (first < 0) first = c;
                last = c;
            }
        for (int c = first + 1; c < last; ++c)
            if (line[c] == ' ') Canvas->SetPixels(X + c, Y + row, inside);
        for (int c = 0; c < 12; ++c) {
            TColor color;
            switch (line[c]) {
            case 's': color = clBtnShadow; break;
            case 'd': color = cl3DDkShadow; break;
            case 'l': color = cl3DLight; break;
            case 'h': color = clBtnHighlight; break;
            default: continue;
            }
            Canvas->SetPixels(X + c, Y + row, color);
        }
    }
    if (!Checked) return;
    TColor dot = Enabled ? clWindowText : clBtnShadow;
    Fill(Canvas, {X + 5, Y + 4, X + 7, Y + 8}, dot);
    Fill(Canvas, {X + 4, Y + 5, X + 8, Y + 7}, dot);
}

void DrawDisabledText(TCanvas* Canvas, const AnsiString& Text, TRect Rect, Cardinal Format) {
    TBrushStyle style = Canvas->GetBrush()->GetStyle();
    TColor color = Canvas->GetFont()->GetColor();
    Canvas->GetBrush()->SetStyle(bsClear);
    TRect shifted{Rect.Left + 1, Rect.Top + 1, Rect.Right + 1, Rect.Bottom + 1};
    Canvas->GetFont()->SetColor(clBtnHighlight);
    DrawText(Canvas, Text, shifted, Format);
    Canvas->GetFont()->SetColor(clBtnShadow);
    DrawText(Canvas, Text, Rect, Format);
    Canvas->GetFont()->SetColor(color);
    Canvas->GetBrush()->SetStyle(style);
}

} // namespace host
