// Text on a canvas: metrics of the Liberation faces at the host's sizes, glyphs drawn without
// anti-aliasing (a small reference picture), backgrounds, clipping and styles.
#include "host/graphics/Text.h"
#include "host/graphics/Canvas.h"
#include "tests/host/graphics/Sheet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

using namespace host;

namespace {
/// The text tests draw in black.
struct Sheet : sheettest::Sheet {
    Sheet(Integer W, Integer H) : sheettest::Sheet(W, H) { Canvas->GetFont()->SetColor(clBlack); }
};
} // namespace

TEST(Text, TheDefaultFontMeasuresAsTheHostsForms) {
    Sheet s(10, 10);
    // "MS Sans Serif" 8 at 96 pixels per inch: the 13-pixel text height forms record.
    EXPECT_EQ(s.Canvas->TextHeight("Hi"), 13);
    EXPECT_EQ(s.Canvas->TextWidth(""), 0);
    EXPECT_EQ(s.Canvas->TextWidth("iiii"), 4 * s.Canvas->TextWidth("i"));
    Integer regular = s.Canvas->TextWidth("Hello, World");
    s.Canvas->GetFont()->SetStyle(TFontStyles{fsBold});
    EXPECT_GT(s.Canvas->TextWidth("Hello, World"), regular);
    s.Canvas->GetFont()->SetSize(16);
    EXPECT_GT(s.Canvas->TextHeight("Hi"), 20);
    TLogFont f;
    std::strcpy(f.lfFaceName, "Courier New");
    EXPECT_NE(FontFileOf(f).find("LiberationMono-Regular"), AnsiString::npos);
    std::strcpy(f.lfFaceName, "Times New Roman");
    f.lfItalic = 1;
    EXPECT_NE(FontFileOf(f).find("LiberationSerif-Italic"), AnsiString::npos);
    std::strcpy(f.lfFaceName, "Some Third-Party Face");
    f.lfItalic = 0;
    f.lfWeight = FW_BOLD;
    EXPECT_NE(FontFileOf(f).find("LiberationSans-Bold"), AnsiString::npos);
}

TEST(Text, GlyphsAreDrawnWithoutAntiAliasing) {
    Sheet s(12, 13);
    s.Canvas->GetBrush()->SetStyle(bsClear);
    s.Canvas->TextOut(0, 0, "Hi");
    EXPECT_EQ(s.Picture(), "............\n"
                           "............\n"
                           ".#...#..#...\n"
                           ".#...#......\n"
                           ".#...#..#...\n"
                           ".#####..#...\n"
                           ".#...#..#...\n"
                           ".#...#..#...\n"
                           ".#...#..#...\n"
                           ".#...#..#...\n"
                           "............\n"
                           "............\n"
                           "............\n");
    EXPECT_EQ(s.Canvas->GetPenPos(), (TPoint{9, 0})); // the pen moves past the text
}

TEST(Text, BackgroundClippingAndStyles) {
    // An opaque brush fills the text's cell, and only it.
    Sheet s(30, 16);
    s.Canvas->GetBrush()->SetColor(clRed);
    s.Canvas->TextOut(2, 1, "Hi");
    Integer cell = 9 * 13;
    EXPECT_EQ(s.Count(RGB(255, 0, 0)) + s.Count(0), cell);
    EXPECT_EQ(s.Surface->Get(1, 1), RGB(255, 255, 255));
    EXPECT_EQ(s.Surface->Get(2, 1), RGB(255, 0, 0));

    // TextRect fills its rectangle and draws nothing outside it.
    Sheet r(30, 16);
    r.Canvas->GetBrush()->SetColor(clRed);
    r.Canvas->TextRect({0, 0, 5, 16}, 0, 0, "Hello");
    for (Integer y = 0; y < 16; ++y)
        for (Integer x = 5; x < 30; ++x) ASSERT_EQ(r.Surface->Get(x, y), RGB(255, 255, 255));
    EXPECT_GT(r.Count(0), 0);

    // Underline and strike-out add a rule across the text.
    Sheet plain(40, 16), ruled(40, 16);
    plain.Canvas->TextOut(0, 0, "mm");
    ruled.Canvas->GetFont()->SetStyle(TFontStyles{fsUnderline, fsStrikeOut});
    ruled.Canvas->TextOut(0, 0, "mm");
    Integer w = plain.Canvas->TextWidth("mm");
    EXPECT_GE(ruled.Count(0) - plain.Count(0), w); // at least one new row of pixels
}
