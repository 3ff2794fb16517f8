// Menus painted onto a canvas: a small popup compared pixel for pixel, the bar's layout with
// hotkeys underlined and disabled captions greyed, and owner-drawn items sized and drawn by
// their handlers. With ZELTRIX_MENU_PICTURES=dir set, the pictures are written there as PPM.
#include "host/menus/MenuPaint.h"
#include "host/controls/DragImageList.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Canvas.h"
#include "host/menus/Menu.h"
#include "tests/host/graphics/Sheet.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

using namespace host;

namespace {
struct Sheet : sheettest::Sheet {
    using sheettest::Sheet::Sheet;
    TColorRef At(Integer X, Integer Y) const { return Surface->Get(X, Y); }
    /// One character a pixel: the classic scheme's menu colours by letter.
    std::string Picture(const TRect& R) const {
        std::string s;
        for (Integer y = R.Top; y < R.Bottom; ++y) {
            for (Integer x = R.Left; x < R.Right; ++x) {
                TColorRef c = Surface->Get(x, y);
                s += c == ColorToRGB(clMenu)           ? '.'
                     : c == ColorToRGB(clBtnHighlight) ? 'w'
                     : c == ColorToRGB(clBtnShadow)    ? 's'
                     : c == ColorToRGB(cl3DDkShadow)   ? '#'
                     : c == ColorToRGB(clMenuText)     ? '#'
                                                       : '?';
            }
            s += '\n';
        }
        return s;
    }
    void Keep(const char* Name) const {
        const char* dir = std::getenv("ZELTRIX_MENU_PICTURES");
        if (!dir) return;
        std::string path = std::string(dir) + "/" + Name + ".ppm";
        if (FILE* f = std::fopen(path.c_str(), "wb")) {
            std::fprintf(f, "P6 %d %d 255\n", Surface->Width(), Surface->Height());
            for (Integer y = 0; y < Surface->Height(); ++y)
                for (Integer x = 0; x < Surface->Width(); ++x) {
                    TColorRef c = Surface->Get(x, y);
                    unsigned char rgb[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
                    std::fwrite(rgb, 1, 3, f);
                }
            std::fclose(f);
        }
    }
};

TMenuItem* Add(TMenuItem* Parent, const char* Caption, const char* ShortCut = "") {
    auto* i = new TMenuItem(nullptr);
    i->SetCaption(Caption);
    i->SetShortCut(TextToShortCut(ShortCut));
    Parent->Add(i);
    return i;
}
} // namespace

TEST(MenuPaint, ASeparatorAndARadioItemInTheirFrame) {
    TPopupMenu menu(nullptr);
    Add(menu.GetItems(), "-");
    TMenuItem* radio = Add(menu.GetItems(), "");
    radio->SetRadioItem(true);
    radio->SetChecked(true);
    Sheet s(40, 32);
    TRect f = PaintPopupMenu(menu.GetItems(), s.Canvas, Point(0, 0));
    // 3 of frame each side; a row of 17 + 17 (no caption, no shortcut), a separator of 9
    // and a row of 17 high.
    EXPECT_EQ(f, Rect(0, 0, 40, 32));
    s.Keep("popup-reference");
    // The frame's light edge is the menu colour in the classic scheme.
    EXPECT_EQ(s.Picture(f), ".......................................#\n"
                            ".wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwws#\n"
                            ".w....................................s#\n"
                            ".w....................................s#\n"
                            ".w....................................s#\n"
                            ".w....................................s#\n"
                            ".w..ssssssssssssssssssssssssssssssss..s#\n"
                            ".w..wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww..s#\n"
                            ".w....................................s#\n"
                            ".w....................................s#\n"
                            ".w....................................s#\n"
                            ".w....................................s#\n"
                            ".w....................................s#\n"
                            ".w....................................s#\n"
                            ".w....................................s#\n"
                            ".w....................................s#\n"
                            ".w....................................s#\n"
                            ".w....................................s#\n"
                            ".w........###.........................s#\n"
                            ".w.......#####........................s#\n"
                            ".w.......#####........................s#\n"
                            ".w.......#####........................s#\n"
                            ".w........###.........................s#\n"
                            ".w....................................s#\n"
                            ".w....................................s#\n"
                            ".w....................................s#\n"
                            ".w....................................s#\n"
                            ".w....................................s#\n"
                            ".w....................................s#\n"
                            ".w....................................s#\n"
                            ".ssssssssssssssssssssssssssssssssssssss#\n"
                            "########################################\n");
}

TEST(MenuPaint, TheBarShowsCaptionsWithHotkeysUnderlinedAndDisabledOnesGreyed) {
    TMainMenu menu(nullptr);
    TMenuItem* file = Add(menu.GetItems(), "&File");
    TMenuItem* edit = Add(menu.GetItems(), "&Edit");
    edit->SetEnabled(false);
    Add(menu.GetItems(), "Hidden")->SetVisible(false);
    Sheet s(120, MenuBarHeight);
    TRect bar = Rect(0, 0, 120, MenuBarHeight);
    std::vector<TMenuItemBox> boxes = LayoutMenuBar(&menu, s.Canvas, bar);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].Item, file);
    EXPECT_EQ(boxes[0].Rect.Left, 0);
    EXPECT_EQ(boxes[1].Rect.Left, boxes[0].Rect.Right);
    EXPECT_EQ(boxes[0].Rect.Bottom, MenuBarHeight);
    PaintMenuBar(&menu, s.Canvas, bar, file);
    s.Keep("bar");
    // The selected item on the highlight; the menu colour after the last item.
    EXPECT_EQ(s.At(1, 1), ColorToRGB(clHighlight));
    EXPECT_EQ(s.At(119, 1), ColorToRGB(clMenu));
    auto countIn = [&](const TRect& R, TColor C) {
        int n = 0;
        for (Integer y = R.Top; y < R.Bottom; ++y)
            for (Integer x = R.Left; x < R.Right; ++x) n += s.At(x, y) == ColorToRGB(C);
        return n;
    };
    EXPECT_GT(countIn(boxes[0].Rect, clHighlightText), 10);
    EXPECT_GT(countIn(boxes[1].Rect, clGrayText), 10);
    EXPECT_EQ(countIn(boxes[1].Rect, clMenuText), 0);
    // The hotkey's underline: a row of the text colour under the E, nowhere else in the box.
    Integer underline = -1;
    for (Integer y = 0; y < MenuBarHeight; ++y) {
        int run = 0;
        for (Integer x = boxes[1].Rect.Left; x < boxes[1].Rect.Right; ++x)
            run += s.At(x, y) == ColorToRGB(clGrayText);
        if (run >= 5 && run <= 8) underline = y;
    }
    EXPECT_GT(underline, 10);
}

TEST(MenuPaint, OwnerDrawnItemsAreMeasuredAndDrawnByTheirHandlers) {
    TPopupMenu menu(nullptr);
    TMenuItem* a = Add(menu.GetItems(), "Tall");
    TMenuItem* b = Add(menu.GetItems(), "Plain", "Ctrl+P");
    struct Handlers {
        int Drawn = 0;
        TRect Where;
        void Measure(TObject*, TCanvas*, Integer& W, Integer& H) {
            H = 30;
            W = 200;
        }
        void Draw(TObject*, TCanvas* C, const TRect& R, bool Selected) {
            ++Drawn;
            Where = R;
            C->GetBrush()->SetColor(Selected ? clRed : clBlue);
            C->FillRect(R);
        }
    } h;
    a->SetOnMeasureItem(TMenuMeasureItemEvent::Bind<&Handlers::Measure>(&h));
    a->SetOnDrawItem(TMenuDrawItemEvent::Bind<&Handlers::Draw>(&h));
    Sheet s(220, 60);

    // Not an owner-draw menu: the handlers are not asked.
    std::vector<TMenuItemBox> plain = LayoutPopupMenu(menu.GetItems(), s.Canvas, Point(0, 0));
    EXPECT_EQ(plain[0].Rect.Bottom - plain[0].Rect.Top, MenuItemHeight);

    menu.SetOwnerDraw(true);
    TRect frame;
    std::vector<TMenuItemBox> boxes =
        LayoutPopupMenu(menu.GetItems(), s.Canvas, Point(2, 1), &frame);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].Rect, Rect(5, 4, 205, 34)); // the handler's Height and Width
    EXPECT_EQ(boxes[1].Rect, Rect(5, 34, 205, 34 + MenuItemHeight));
    EXPECT_EQ(frame, Rect(2, 1, 208, 34 + MenuItemHeight + 3));

    PaintPopupMenu(menu.GetItems(), s.Canvas, Point(2, 1), a);
    s.Keep("owner-draw");
    EXPECT_EQ(h.Drawn, 1);
    EXPECT_EQ(h.Where, boxes[0].Rect);
    EXPECT_EQ(s.At(100, 20), ColorToRGB(clRed)); // drawn selected by the handler
    // The other item is drawn as usual, its shortcut text ending before the arrow column.
    bool text = false;
    for (Integer x = 150; x < 205 - 17; ++x)
        for (Integer y = 36; y < 48; ++y) text |= s.At(x, y) == ColorToRGB(clMenuText);
    EXPECT_TRUE(text);
    (void)b;
}

TEST(MenuPaint, APopupShowsChecksShortcutsArrowsAndGreyedItems) {
    TPopupMenu menu(nullptr);
    TMenuItem* root = menu.GetItems();
    Add(root, "&New", "Ctrl+N")->SetDefault(true);
    TMenuItem* open = Add(root, "&Open...", "Ctrl+O");
    Add(root, "-");
    Add(root, "&Word wrap")->SetChecked(true);
    Add(root, "&Print", "Ctrl+P")->SetEnabled(false);
    TMenuItem* recent = Add(root, "&Recent");
    Add(recent, "a.txt");
    Sheet s(200, 130);
    std::vector<TMenuItemBox> boxes = LayoutPopupMenu(root, s.Canvas, Point(4, 4));
    PaintPopupMenu(root, s.Canvas, Point(4, 4), open);
    s.Keep("popup");
    ASSERT_EQ(boxes.size(), 6u);
    auto count = [&](const TRect& R, TColor C) {
        int n = 0;
        for (Integer y = R.Top; y < R.Bottom; ++y)
            for (Integer x = R.Left; x < R.Right; ++x) n += s.At(x, y) == ColorToRGB(C);
        return n;
    };
    auto checkColumn = [](const TRect& R) { return Rect(R.Left, R.Top, R.Left + 17, R.Bottom); };
    auto arrowColumn = [](const TRect& R) { return Rect(R.Right - 17, R.Top, R.Right, R.Bottom); };
    EXPECT_GT(count(boxes[1].Rect, clHighlight), 100); // the selected row
    EXPECT_GT(count(boxes[1].Rect, clHighlightText), 20);
    EXPECT_EQ(count(checkColumn(boxes[3].Rect), clMenuText), 21); // the check mark
    EXPECT_EQ(count(checkColumn(boxes[0].Rect), clMenuText), 0);
    EXPECT_GT(count(boxes[4].Rect, clGrayText), 20);
    EXPECT_EQ(count(boxes[4].Rect, clMenuText), 0);
    EXPECT_EQ(count(arrowColumn(boxes[5].Rect), clMenuText), 16); // the sub-menu arrow
    EXPECT_EQ(count(arrowColumn(boxes[0].Rect), clMenuText), 0);
    // The default item's caption is bold: it loses ink when it is default no more.
    int bold = count(boxes[0].Rect, clMenuText);
    boxes[0].Item->SetDefault(false);
    PaintPopupMenu(root, s.Canvas, Point(4, 4), open);
    EXPECT_LT(count(boxes[0].Rect, clMenuText), bold);
}

TEST(MenuPaint, AnItemThatBreaksStartsANewColumn) {
    TPopupMenu menu(nullptr);
    TMenuItem* a = Add(menu.GetItems(), "A");
    TMenuItem* b = Add(menu.GetItems(), "B");
    TMenuItem* c = Add(menu.GetItems(), "C");
    b->SetBreak(mbBarBreak);
    Sheet s(120, 60);
    TRect frame;
    std::vector<TMenuItemBox> boxes =
        LayoutPopupMenu(menu.GetItems(), s.Canvas, Point(0, 0), &frame);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1].Rect.Top, boxes[0].Rect.Top);
    EXPECT_GT(boxes[1].Rect.Left, boxes[0].Rect.Right);
    EXPECT_EQ(boxes[2].Rect.Left, boxes[1].Rect.Left);
    EXPECT_EQ(boxes[2].Rect.Top, boxes[1].Rect.Bottom);
    EXPECT_EQ(frame.Bottom, boxes[2].Rect.Bottom + 3);
    PaintPopupMenu(menu.GetItems(), s.Canvas, Point(0, 0));
    // The etched line between the columns.
    EXPECT_EQ(s.At(boxes[1].Rect.Left - 2, 10), ColorToRGB(clBtnShadow));
    EXPECT_EQ(s.At(boxes[1].Rect.Left - 1, 10), ColorToRGB(clBtnHighlight));
    (void)a;
    (void)c;
}

TEST(MenuPaint, ItemsShowTheirImagesFromTheMenusImageList) {
    TImageList images(nullptr);
    images.SetWidth(16), images.SetHeight(16);
    TBitmap strip;
    strip.SetSize(32, 16);
    strip.GetCanvas()->GetBrush()->SetColor(clRed);
    strip.GetCanvas()->FillRect(Rect(0, 0, 16, 16));
    strip.GetCanvas()->GetBrush()->SetColor(clBlue);
    strip.GetCanvas()->FillRect(Rect(16, 0, 32, 16));
    images.Add(&strip, nullptr);

    TPopupMenu menu(nullptr);
    int rebuilds = 0;
    struct Counter {
        int* N;
        void Changed(TObject*, TMenuItem*, bool Rebuild) { *N += Rebuild; }
    } counter{&rebuilds};
    menu.SetOnChange(TMenuChangeEvent::Bind<&Counter::Changed>(&counter));
    menu.SetImages(&images);
    TMenuItem* cut = Add(menu.GetItems(), "Cu&t");
    cut->SetImageIndex(0);
    TMenuItem* copy = Add(menu.GetItems(), "&Copy");
    copy->SetImageIndex(1);
    copy->SetChecked(true);
    Add(menu.GetItems(), "&Paste"); // no image: none drawn
    Sheet s(160, 80);
    std::vector<TMenuItemBox> boxes = LayoutPopupMenu(menu.GetItems(), s.Canvas, Point(0, 0));
    PaintPopupMenu(menu.GetItems(), s.Canvas, Point(0, 0));
    s.Keep("images");
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].Rect.Bottom - boxes[0].Rect.Top, 20); // rows fit the images
    auto count = [&](const TRect& R, TColorRef C) {
        int n = 0;
        for (Integer y = R.Top; y < R.Bottom; ++y)
            for (Integer x = R.Left; x < R.Right; ++x) n += s.At(x, y) == C;
        return n;
    };
    EXPECT_EQ(count(boxes[0].Rect, RGB(255, 0, 0)), 256);
    EXPECT_EQ(count(boxes[1].Rect, RGB(0, 0, 255)), 256);
    EXPECT_EQ(count(boxes[1].Rect, ColorToRGB(clMenuText)) >= 20, true); // caption, no check
    EXPECT_EQ(count(boxes[2].Rect, RGB(255, 0, 0)) + count(boxes[2].Rect, RGB(0, 0, 255)), 0);
    // The caption starts after the widened image column.
    Integer firstInk = boxes[0].Rect.Right;
    for (Integer y = boxes[2].Rect.Top; y < boxes[2].Rect.Bottom; ++y)
        for (Integer x = boxes[2].Rect.Left; x < boxes[2].Rect.Right; ++x)
            if (s.At(x, y) == ColorToRGB(clMenuText)) firstInk = std::min(firstInk, x);
    EXPECT_GE(firstInk, 22);

    int before = rebuilds;
    images.Delete(0); // the menu hears the images changed
    EXPECT_EQ(rebuilds, before + 1);
}
