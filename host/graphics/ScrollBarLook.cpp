#include "host/graphics/ScrollBarLook.h"

#include "host/graphics/Bitmap.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/Edges.h"

#include <algorithm>

namespace host {

namespace {
void Fill(TCanvas* Canvas, const TRect& R, TColor Color) {
    if (R.Left >= R.Right || R.Top >= R.Bottom) return;
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(Color);
    Canvas->FillRect(R);
}

/// Every other pixel the highlight, the rest the face: the platform's track.
void Checker(TCanvas* Canvas, const TRect& R) {
    TBitmap pattern;
    pattern.SetPixelFormat(pf24bit);
    pattern.SetSize(8, 8);
    for (Integer y = 0; y < 8; ++y)
        for (Integer x = 0; x < 8; ++x)
            pattern.GetCanvas()->SetPixels(x, y, (x + y) % 2 ? clBtnFace : clBtnHighlight);
    Canvas->GetBrush()->SetBitmap(&pattern);
    Canvas->FillRect(R);
    Canvas->GetBrush()->SetBitmap(nullptr);
}

/// A small triangle pointing `Dir` (0 left, 1 up, 2 right, 3 down) centred in R.
void Arrow(TCanvas* Canvas, const TRect& R, int Dir, TColor Color) {
    Integer cx = (R.Left + R.Right) / 2, cy = (R.Top + R.Bottom) / 2;
    for (Integer i = 0; i < 4; ++i) {
        Integer len = 2 * i + 1;
        switch (Dir) {
        case 0: Fill(Canvas, {cx - 2 + i, cy - i, cx - 1 + i, cy - i + len}, Color); break;
        case 2: Fill(Canvas, {cx + 1 - i, cy - i, cx + 2 - i, cy - i + len}, Color); break;
        case 1: Fill(Canvas, {cx - i, cy - 2 + i, cx - i + len, cy - 1 + i}, Color); break;
        default: Fill(Canvas, {cx - i, cy + 1 - i, cx - i + len, cy + 2 - i}, Color); break;
        }
    }
}

void Button(TCanvas* Canvas, TRect R, bool Pressed) {
    if (Pressed) {
        DrawEdge(Canvas, R, BDR_SUNKENOUTER, BF_RECT | BF_FLAT | BF_MIDDLE);
        return;
    }
    DrawEdge(Canvas, R, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}
} // namespace

TScrollBarParts LayoutScrollBar(const TRect& Bar, bool Horizontal, Integer Min, Integer Max,
                                Integer Position, Integer Page) {
    TScrollBarParts p;
    Integer length = Horizontal ? Bar.Right - Bar.Left : Bar.Bottom - Bar.Top;
    Integer thick = Horizontal ? Bar.Bottom - Bar.Top : Bar.Right - Bar.Left;
    Integer button = std::min(thick, length / 2);
    p.First = Horizontal ? TRect{Bar.Left, Bar.Top, Bar.Left + button, Bar.Bottom}
                         : TRect{Bar.Left, Bar.Top, Bar.Right, Bar.Top + button};
    p.Last = Horizontal ? TRect{Bar.Right - button, Bar.Top, Bar.Right, Bar.Bottom}
                        : TRect{Bar.Left, Bar.Bottom - button, Bar.Right, Bar.Bottom};
    p.Track = Horizontal ? TRect{p.First.Right, Bar.Top, p.Last.Left, Bar.Bottom}
                         : TRect{Bar.Left, p.First.Bottom, Bar.Right, p.Last.Top};
    Integer space = length - 2 * button;
    long long range = static_cast<long long>(Max) - Min + 1;
    if (space <= 8 || range <= 0 || (Page > 0 && Page >= range)) return p;
    Integer thumb = Page > 0 ? std::max<Integer>(8, Integer(space * Page / range)) : thick;
    thumb = std::min(thumb, space);
    long long room = std::max<long long>(range - std::max(Page, 1), 1);
    long long pos = std::clamp<long long>(static_cast<long long>(Position) - Min, 0, room);
    Integer at = button + Integer((space - thumb) * pos / room);
    p.Thumb = Horizontal ? TRect{Bar.Left + at, Bar.Top, Bar.Left + at + thumb, Bar.Bottom}
                         : TRect{Bar.Left, Bar.Top + at, Bar.Right, Bar.Top + at + thumb};
    return p;
}

TScrollBarHit HitScrollBar(const TScrollBarParts& Parts, bool Horizontal, TPoint P) {
    auto inside = [P](const TRect& R) {
        return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
    };
    if (inside(Parts.First)) return TScrollBarHit::First;
    if (inside(Parts.Last)) return TScrollBarHit::Last;
    if (inside(Parts.Thumb)) return TScrollBarHit::Thumb;
    // A track without a thumb (too short, or the page shows everything) does nothing.
    if (!inside(Parts.Track) || Parts.Thumb.Right <= Parts.Thumb.Left) return TScrollBarHit::None;
    bool before = Horizontal ? P.X < Parts.Thumb.Left : P.Y < Parts.Thumb.Top;
    return before ? TScrollBarHit::PageBefore : TScrollBarHit::PageAfter;
}

Integer ScrollBarPositionAt(const TScrollBarParts& Parts, bool Horizontal, Integer Min, Integer Max,
                            Integer Page, Integer At) {
    Integer track =
        Horizontal ? Parts.Track.Right - Parts.Track.Left : Parts.Track.Bottom - Parts.Track.Top;
    Integer thumb =
        Horizontal ? Parts.Thumb.Right - Parts.Thumb.Left : Parts.Thumb.Bottom - Parts.Thumb.Top;
    Integer space = track - thumb;
    if (space <= 0) return Min;
    long long last = Page > 0 ? static_cast<long long>(Max) - Page + 1 : Max;
    long long room = std::max<long long>(last - Min, 0);
    return Integer(Min + std::clamp<long long>(At, 0, space) * room / space);
}

void DrawScrollBar(TCanvas* Canvas, const TRect& Bar, bool Horizontal, Integer Min, Integer Max,
                   Integer Position, Integer Page, bool Checkered, TColor TrackColor, bool Enabled,
                   int Pressed) {
    TScrollBarParts p = LayoutScrollBar(Bar, Horizontal, Min, Max, Position, Page);
    if (Checkered)
        Checker(Canvas, Bar);
    else
        Fill(Canvas, Bar, TrackColor);
    if (Enabled && p.Thumb.Right > p.Thumb.Left) Button(Canvas, p.Thumb, false);
    Button(Canvas, p.First, Pressed == 1);
    Button(Canvas, p.Last, Pressed == 2);
    TColor ink = Enabled ? clBtnText : clGrayText;
    Arrow(Canvas, p.First, Horizontal ? 0 : 1, ink);
    Arrow(Canvas, p.Last, Horizontal ? 2 : 3, ink);
}

} // namespace host
