#include "host/menus/MenuPaint.h"

#include "host/graphics/Bitmap.h"
#include "host/imglist/ImgList.h"
#include "host/graphics/Text.h"
#include "host/menus/Menu.h"

#include <algorithm>

namespace host {

namespace {
constexpr Integer BarPad = 6;      // each side of a bar caption
constexpr Integer PopupEdge = 3;   // the raised frame and the padding inside it
constexpr Integer CheckWidth = 17; // the column of check marks, before the captions
constexpr Integer ArrowWidth = 17; // the column of sub-menu arrows, after the shortcuts
constexpr Integer ShortCutGap = 12;
constexpr Integer BreakGap = 2; // between the columns of a popup

// 7 x 7 glyphs, '#' drawn in the text colour.
constexpr const char* CheckGlyph[] = {"......#", ".....##", "#...###", "##.###.",
                                      "#####..", ".###...", "..#...."};
constexpr const char* RadioGlyph[] = {".......", "..###..", ".#####.", ".#####.",
                                      ".#####.", "..###..", "......."};
constexpr const char* ArrowGlyph[] = {"#...", "##..", "###.", "####", "###.", "##..", "#..."};

/// Paints with the menu font and gives the canvas its own font back afterwards.
class MenuFont {
public:
    explicit MenuFont(TCanvas* C) : FCanvas(C), FSaved(new TFont) {
        FSaved->Assign(C->GetFont());
        TFont* f = C->GetFont();
        f->SetName("MS Sans Serif");
        f->SetSize(8);
        f->SetStyle({});
    }
    ~MenuFont() {
        FCanvas->GetFont()->Assign(FSaved);
        FSaved->Free();
    }
    MenuFont(const MenuFont&) = delete;
    MenuFont& operator=(const MenuFont&) = delete;
    void Bold(bool On) { FCanvas->GetFont()->SetStyle(On ? TFontStyles{fsBold} : TFontStyles{}); }

private:
    TCanvas* FCanvas;
    TFont* FSaved;
};

bool OwnerDrawn(TMenuItem* Item) {
    TMenu* menu = Item->GetParentMenu();
    return menu && menu->IsOwnerDraw();
}

TSize Measured(TMenuItem* Item, TCanvas* Canvas, Integer Width, Integer Height) {
    if (OwnerDrawn(Item)) Item->MeasureItem(Canvas, Width, Height);
    return {std::max(Width, 0), std::max(Height, 0)};
}

/// The image list a popup's items draw their images from, or null.
TCustomImageList* ImagesOf(TMenuItem* Parent) {
    TMenu* menu = Parent->GetParentMenu();
    return menu ? menu->GetImages() : nullptr;
}

/// The column before the captions: the check marks', widened for the menu's images.
Integer CheckColumn(TCustomImageList* Images) {
    return Images ? std::max(CheckWidth, Images->GetWidth() + 6) : CheckWidth;
}

std::vector<TMenuItem*> VisibleItems(TMenuItem* Parent) {
    std::vector<TMenuItem*> v;
    for (Integer i = 0; i < Parent->GetCount(); ++i)
        if (Parent->GetItems(i)->GetVisible()) v.push_back(Parent->GetItems(i));
    return v;
}

void Fill(TCanvas* Canvas, const TRect& R, TColor Color) {
    Canvas->GetBrush()->SetColor(Color);
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->FillRect(R);
}

void Glyph(TCanvas* Canvas, const char* const* Rows, Integer Height, Integer X, Integer Y,
           TColor Color) {
    for (Integer r = 0; r < Height; ++r)
        for (Integer c = 0; Rows[r][c]; ++c)
            if (Rows[r][c] == '#') Canvas->SetPixels(X + c, Y + r, Color);
}

/// The caption without its '&' marks at (X, Y), the hotkey underlined.
void Caption(TCanvas* Canvas, const AnsiString& Text, Integer X, Integer Y, TColor Color) {
    AnsiString shown = StripHotkey(Text);
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->GetFont()->SetColor(Color);
    Canvas->TextOut(X, Y, shown);
    Integer p = HotkeyPosition(Text);
    if (p < 0) return;
    Integer left = X + Canvas->TextWidth(shown.substr(0, static_cast<std::size_t>(p)));
    Integer width = Canvas->TextWidth(shown.substr(static_cast<std::size_t>(p), 1));
    Integer base = Y + GetTextMetrics(Canvas->GetFont()->LogFont()).tmAscent + 1;
    Fill(Canvas, Rect(left, base, left + width, base + 1), Color);
}

TColor TextColor(TMenuItem* Item, bool Selected) {
    if (!Item->GetEnabled()) return clGrayText;
    return Selected ? clHighlightText : clMenuText;
}

std::vector<TMenuItem*> BarItems(TMenu* Menu) {
    if (auto* main = DynCast<TMainMenu>(Menu)) return main->GetBarItems();
    return VisibleItems(Menu->GetItems());
}
} // namespace

// ---- the bar ----

std::vector<TMenuItemBox> LayoutMenuBar(TMenu* Menu, TCanvas* Canvas, const TRect& Bounds) {
    MenuFont font(Canvas);
    std::vector<TMenuItemBox> boxes;
    Integer x = Bounds.Left, y = Bounds.Top, rowHeight = MenuBarHeight;
    for (TMenuItem* item : BarItems(Menu)) {
        font.Bold(item->GetDefault());
        TSize s =
            Measured(item, Canvas, Canvas->TextWidth(StripHotkey(item->GetCaption())) + 2 * BarPad,
                     MenuBarHeight);
        bool wraps = x + s.cx > Bounds.Right || item->GetBreak() != mbNone;
        if (wraps && x > Bounds.Left) {
            x = Bounds.Left;
            y += rowHeight;
            rowHeight = MenuBarHeight;
        }
        rowHeight = std::max(rowHeight, s.cy);
        boxes.push_back({item, Rect(x, y, x + s.cx, y + s.cy)});
        x += s.cx;
    }
    return boxes;
}

void PaintMenuBar(TMenu* Menu, TCanvas* Canvas, const TRect& Bounds, TMenuItem* Selected) {
    std::vector<TMenuItemBox> boxes = LayoutMenuBar(Menu, Canvas, Bounds);
    MenuFont font(Canvas);
    Fill(Canvas, Bounds, clMenu);
    for (const TMenuItemBox& b : boxes) {
        bool selected = b.Item == Selected;
        if (OwnerDrawn(b.Item) && b.Item->DrawItem(Canvas, b.Rect, selected)) continue;
        if (selected) Fill(Canvas, b.Rect, clHighlight);
        font.Bold(b.Item->GetDefault());
        Integer ty = b.Rect.Top + (b.Rect.Bottom - b.Rect.Top - Canvas->TextHeight("Wg")) / 2;
        Caption(Canvas, b.Item->GetCaption(), b.Rect.Left + BarPad, ty,
                TextColor(b.Item, selected));
    }
    Canvas->GetBrush()->SetStyle(bsSolid);
}

// ---- popups ----

std::vector<TMenuItemBox> LayoutPopupMenu(TMenuItem* Parent, TCanvas* Canvas, TPoint Origin,
                                          TRect* Frame) {
    MenuFont font(Canvas);
    std::vector<std::vector<TMenuItem*>> columns(1);
    for (TMenuItem* item : VisibleItems(Parent)) {
        if (item->GetBreak() != mbNone && !columns.back().empty()) columns.emplace_back();
        columns.back().push_back(item);
    }
    std::vector<TMenuItemBox> boxes;
    TCustomImageList* images = ImagesOf(Parent);
    Integer itemHeight =
        images ? std::max(MenuItemHeight, images->GetHeight() + 4) : MenuItemHeight;
    Integer x = Origin.X + PopupEdge, bottom = Origin.Y + PopupEdge;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (c > 0) x += BreakGap;
        Integer captions = 0, shortcuts = 0;
        for (TMenuItem* item : columns[c]) {
            if (item->IsLine()) continue;
            font.Bold(item->GetDefault());
            captions = std::max(captions, Canvas->TextWidth(StripHotkey(item->GetCaption())));
            font.Bold(false);
            shortcuts = std::max(shortcuts, Canvas->TextWidth(ShortCutToText(item->GetShortCut())));
        }
        Integer width = CheckColumn(images) + captions +
                        (shortcuts ? ShortCutGap + shortcuts : 0) + ArrowWidth;
        std::vector<TSize> sizes;
        for (TMenuItem* item : columns[c]) {
            TSize s = Measured(item, Canvas, width,
                               item->IsLine() ? MenuSeparatorHeight : itemHeight);
            sizes.push_back(s);
            width = std::max(width, s.cx);
        }
        Integer y = Origin.Y + PopupEdge;
        for (std::size_t i = 0; i < columns[c].size(); ++i) {
            boxes.push_back({columns[c][i], Rect(x, y, x + width, y + sizes[i].cy)});
            y += sizes[i].cy;
        }
        bottom = std::max(bottom, y);
        x += width;
    }
    if (Frame) *Frame = Rect(Origin.X, Origin.Y, x + PopupEdge, bottom + PopupEdge);
    return boxes;
}

TRect PaintPopupMenu(TMenuItem* Parent, TCanvas* Canvas, TPoint Origin, TMenuItem* Selected) {
    TRect f;
    std::vector<TMenuItemBox> boxes = LayoutPopupMenu(Parent, Canvas, Origin, &f);
    MenuFont font(Canvas);
    // The raised frame: light and highlight above and left, dark shadow and shadow below and
    // right.
    Fill(Canvas, f, clMenu);
    Fill(Canvas, Rect(f.Left, f.Top, f.Right - 1, f.Top + 1), cl3DLight);
    Fill(Canvas, Rect(f.Left, f.Top, f.Left + 1, f.Bottom - 1), cl3DLight);
    Fill(Canvas, Rect(f.Left + 1, f.Top + 1, f.Right - 2, f.Top + 2), clBtnHighlight);
    Fill(Canvas, Rect(f.Left + 1, f.Top + 1, f.Left + 2, f.Bottom - 2), clBtnHighlight);
    Fill(Canvas, Rect(f.Right - 2, f.Top + 1, f.Right - 1, f.Bottom - 1), clBtnShadow);
    Fill(Canvas, Rect(f.Left + 1, f.Bottom - 2, f.Right - 1, f.Bottom - 1), clBtnShadow);
    Fill(Canvas, Rect(f.Right - 1, f.Top, f.Right, f.Bottom), cl3DDkShadow);
    Fill(Canvas, Rect(f.Left, f.Bottom - 1, f.Right, f.Bottom), cl3DDkShadow);

    TCustomImageList* images = ImagesOf(Parent);
    Integer check = CheckColumn(images);
    for (const TMenuItemBox& b : boxes) {
        const TRect& r = b.Rect;
        TMenuItem* item = b.Item;
        bool selected = item == Selected && !item->IsLine();
        if (item->GetBreak() == mbBarBreak && r.Top == f.Top + PopupEdge) {
            // The etched line before a column that starts with a bar break.
            Fill(Canvas, Rect(r.Left - 2, f.Top + PopupEdge, r.Left - 1, f.Bottom - PopupEdge),
                 clBtnShadow);
            Fill(Canvas, Rect(r.Left - 1, f.Top + PopupEdge, r.Left, f.Bottom - PopupEdge),
                 clBtnHighlight);
        }
        if (OwnerDrawn(item) && item->DrawItem(Canvas, r, selected)) continue;
        if (item->IsLine()) {
            Integer y = r.Top + (r.Bottom - r.Top) / 2 - 1;
            Fill(Canvas, Rect(r.Left + 1, y, r.Right - 1, y + 1), clBtnShadow);
            Fill(Canvas, Rect(r.Left + 1, y + 1, r.Right - 1, y + 2), clBtnHighlight);
            continue;
        }
        if (selected) Fill(Canvas, r, clHighlight);
        TColor color = TextColor(item, selected);
        Integer gy = r.Top + (r.Bottom - r.Top - 7) / 2;
        Integer index = item->GetImageIndex();
        if (images && index >= 0 && index < images->GetCount()) {
            // The image in the check column; a checked item's sits in a sunken frame.
            Integer ix = r.Left + (check - images->GetWidth()) / 2,
                    iy = r.Top + (r.Bottom - r.Top - images->GetHeight()) / 2;
            if (item->GetChecked()) {
                TRect e = Rect(ix - 2, iy - 2, ix + images->GetWidth() + 2,
                               iy + images->GetHeight() + 2);
                Fill(Canvas, Rect(e.Left, e.Top, e.Right, e.Top + 1), clBtnShadow);
                Fill(Canvas, Rect(e.Left, e.Top, e.Left + 1, e.Bottom), clBtnShadow);
                Fill(Canvas, Rect(e.Left, e.Bottom - 1, e.Right, e.Bottom), clBtnHighlight);
                Fill(Canvas, Rect(e.Right - 1, e.Top, e.Right, e.Bottom), clBtnHighlight);
            }
            images->Draw(Canvas, ix, iy, index, item->GetEnabled());
        } else if (item->GetChecked())
            Glyph(Canvas, item->GetRadioItem() ? RadioGlyph : CheckGlyph, 7,
                  r.Left + (check - 7) / 2, gy, color);
        else if (item->IsBitmapStored()) {
            TBitmap* bmp = item->GetBitmap();
            Canvas->Draw(r.Left + (check - bmp->GetWidth()) / 2,
                         r.Top + (r.Bottom - r.Top - bmp->GetHeight()) / 2, bmp);
        }
        font.Bold(item->GetDefault());
        Integer ty = r.Top + (r.Bottom - r.Top - Canvas->TextHeight("Wg")) / 2;
        Caption(Canvas, item->GetCaption(), r.Left + check, ty, color);
        font.Bold(false);
        if (AnsiString sc = ShortCutToText(item->GetShortCut()); !sc.empty()) {
            Canvas->GetFont()->SetColor(color);
            Canvas->GetBrush()->SetStyle(bsClear);
            Canvas->TextOut(r.Right - ArrowWidth - Canvas->TextWidth(sc), ty, sc);
        }
        if (item->GetCount() > 0)
            Glyph(Canvas, ArrowGlyph, 7, r.Right - ArrowWidth + (ArrowWidth - 4) / 2, gy, color);
    }
    Canvas->GetBrush()->SetStyle(bsSolid);
    return f;
}

} // namespace host
