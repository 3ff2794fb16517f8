#include "host/graphics/DrawText.h"

#include "host/graphics/Canvas.h"
#include "host/graphics/Text.h"

#include <algorithm>
#include <vector>

namespace host {

namespace {
constexpr Cardinal Center = 0x0001, Right = 0x0002;

struct Line {
    AnsiString Text;     // as shown: prefixes taken out, tabs expanded
    Integer Hotkey = -1; // the underlined character's place in Text
};

/// Takes the '&' prefixes out of one line: "&&" shows '&', "&x" underlines x.
Line Shown(const AnsiString& Raw, Cardinal Format, Integer TabWidth) {
    Line l;
    for (std::size_t i = 0; i < Raw.size(); ++i) {
        char c = Raw[i];
        if (c == '&' && !(Format & DT_NOPREFIX)) {
            if (i + 1 < Raw.size() && Raw[i + 1] == '&') {
                l.Text += '&';
                ++i;
            } else if (i + 1 < Raw.size()) {
                if (!(Format & DT_HIDEPREFIX)) l.Hotkey = Integer(l.Text.size());
            }
            continue;
        }
        if (c == '\t' && (Format & DT_EXPANDTABS)) {
            std::size_t to = (l.Text.size() / std::size_t(TabWidth) + 1) * std::size_t(TabWidth);
            l.Text.append(to - l.Text.size(), ' ');
            continue;
        }
        l.Text += c;
    }
    return l;
}

/// The lines of the text: its own line breaks, then (with DT_WORDBREAK) breaks between words
/// where a line is wider than `Width`. A word wider than the line stays whole.
std::vector<Line> Layout(TCanvas* Canvas, const AnsiString& Text, Cardinal Format, Integer Width) {
    std::vector<AnsiString> raw;
    if (Format & DT_SINGLELINE) {
        AnsiString one;
        for (char c : Text)
            if (c != '\r' && c != '\n') one += c;
        raw.push_back(one);
    } else {
        AnsiString cur;
        for (std::size_t i = 0; i < Text.size(); ++i) {
            if (Text[i] == '\r' || Text[i] == '\n') {
                if (Text[i] == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
                raw.push_back(cur);
                cur.clear();
            } else {
                cur += Text[i];
            }
        }
        raw.push_back(cur);
    }
    std::vector<Line> lines;
    for (const AnsiString& r : raw) {
        if (!(Format & DT_WORDBREAK) || (Format & DT_SINGLELINE)) {
            lines.push_back(Shown(r, Format, 8));
            continue;
        }
        // A line takes words while they fit; the first word of a line stays whole.
        std::size_t start = 0;
        while (true) {
            std::size_t cut = std::min(r.find(' ', start), r.size());
            while (cut < r.size()) {
                std::size_t next = std::min(r.find(' ', cut + 1), r.size());
                if (Canvas->TextWidth(Shown(r.substr(start, next - start), Format, 8).Text) > Width)
                    break;
                cut = next;
            }
            lines.push_back(Shown(r.substr(start, cut - start), Format, 8));
            start = cut;
            while (start < r.size() && r[start] == ' ') ++start; // the break eats the spaces
            if (start >= r.size()) break;
        }
    }
    return lines;
}

/// The line cut to `Width` with "..." at its end.
AnsiString Ellipsis(TCanvas* Canvas, const AnsiString& Text, Integer Width) {
    if (Canvas->TextWidth(Text) <= Width) return Text;
    AnsiString s = Text;
    while (!s.empty() && Canvas->TextWidth(s + "...") > Width) s.pop_back();
    return s + "...";
}
} // namespace

Integer DrawText(TCanvas* Canvas, const AnsiString& Text, TRect& Rect, Cardinal Format) {
    const Integer width = Rect.Right - Rect.Left;
    std::vector<Line> lines = Layout(Canvas, Text, Format, width);
    const TTextMetric tm = GetTextMetrics(Canvas->GetFont()->LogFont());
    const Integer lineHeight = tm.tmHeight;
    const Integer height = lineHeight * Integer(lines.size());
    if (Format & DT_CALCRECT) {
        Integer widest = 0;
        for (const Line& l : lines) widest = std::max(widest, Canvas->TextWidth(l.Text));
        if (Format & Center)
            Rect.Left += (width - widest) / 2;
        else if (Format & Right)
            Rect.Left = Rect.Right - widest;
        Rect.Right = Rect.Left + widest;
        Rect.Bottom = Rect.Top + height;
        return height;
    }
    Integer y = Rect.Top;
    if (Format & DT_SINGLELINE) {
        if (Format & DT_VCENTER) y = Rect.Top + (Rect.Bottom - Rect.Top - lineHeight) / 2;
        if (Format & DT_BOTTOM) y = Rect.Bottom - lineHeight;
    }
    TBrushStyle style = Canvas->GetBrush()->GetStyle();
    for (Line& l : lines) {
        if (Format & DT_END_ELLIPSIS) l.Text = Ellipsis(Canvas, l.Text, width);
        Integer w = Canvas->TextWidth(l.Text);
        Integer x = Rect.Left;
        if (Format & Center) x = Rect.Left + (width - w) / 2;
        if (Format & Right) x = Rect.Right - w;
        if (Format & DT_NOCLIP) {
            Canvas->TextOut(x, y, l.Text);
        } else {
            // Clipped to the rectangle; behind the text, the brush's cells as TextOut paints them.
            TRect cell{std::max(x, Rect.Left), std::max(y, Rect.Top), std::min(x + w, Rect.Right),
                       std::min(y + lineHeight, Rect.Bottom)};
            if (style != bsClear && cell.Left < cell.Right && cell.Top < cell.Bottom)
                Canvas->FillRect(cell);
            Canvas->GetBrush()->SetStyle(bsClear);
            Canvas->TextRect(Rect, x, y, l.Text);
            Canvas->GetBrush()->SetStyle(style);
        }
        if (l.Hotkey >= 0 && l.Hotkey < Integer(l.Text.size())) {
            Integer left = x + Canvas->TextWidth(l.Text.substr(0, std::size_t(l.Hotkey)));
            Integer cw = Canvas->TextWidth(l.Text.substr(std::size_t(l.Hotkey), 1));
            Integer base = y + tm.tmAscent + 1;
            if ((Format & DT_NOCLIP) || (base >= Rect.Top && base < Rect.Bottom)) {
                TColor saved = Canvas->GetBrush()->GetColor();
                Canvas->GetBrush()->SetStyle(bsSolid);
                Canvas->GetBrush()->SetColor(Canvas->GetFont()->GetColor());
                Canvas->FillRect(
                    {std::max(left, Rect.Left), base, std::min(left + cw, Rect.Right), base + 1});
                Canvas->GetBrush()->SetColor(saved);
                Canvas->GetBrush()->SetStyle(style);
            }
        }
        y += lineHeight;
    }
    return height;
}

} // namespace host
