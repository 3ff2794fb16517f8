// The canvas's pixel rules, on small surfaces computed by hand: shapes exclude their right and
// bottom edges, lines their end point; wide pens, pen modes, brushes, clipping, flood fills and
// copies; and the canvas's notifications and lock.
#include "host/graphics/Canvas.h"
#include "host/graphics/Bitmap.h"
#include "tests/host/graphics/Sheet.h"

#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>

using namespace host;
using testsupport::MessageOf;

namespace {

using sheettest::Sheet;

std::string Rows(std::initializer_list<const char*> L) {
    std::string s;
    for (const char* r : L) s += std::string(r) + "\n";
    return s;
}

} // namespace

TEST(Canvas, RectangleExcludesItsRightAndBottomEdge) {
    Sheet s(7, 5);
    s.Canvas->GetBrush()->SetColor(clRed);
    s.Canvas->Rectangle(1, 1, 6, 4);
    EXPECT_EQ(s.Picture(), Rows({".......", //
                                 ".#####.", ".#rrr#.", ".#####.", "......."}));
    // Without a pen the fill is one pixel smaller on the right and at the bottom.
    Sheet t(5, 4);
    t.Canvas->GetPen()->SetStyle(psClear);
    t.Canvas->GetBrush()->SetColor(clBlack);
    t.Canvas->Rectangle(0, 0, 4, 3);
    EXPECT_EQ(t.Picture(), Rows({"###..", "###..", ".....", "....."}));
}

TEST(Canvas, LinesLeaveOutTheirEndPointAndMoveThePen) {
    Sheet s(6, 4);
    s.Canvas->MoveTo(0, 0);
    s.Canvas->LineTo(5, 0);
    s.Canvas->LineTo(5, 3);
    EXPECT_EQ(s.Canvas->GetPenPos(), (TPoint{5, 3}));
    // The second line starts where the first left off: (5, 0) is drawn once, by it.
    EXPECT_EQ(s.Picture(), Rows({"######", ".....#", ".....#", "......"}));

    // A pen of width 3 draws a round-ended band three pixels wide, its ends included.
    Sheet w(9, 5);
    w.Canvas->GetPen()->SetWidth(3);
    w.Canvas->MoveTo(2, 2);
    w.Canvas->LineTo(6, 2);
    EXPECT_EQ(w.Picture(), Rows({".........", ".#######.", ".#######.", ".#######.", "........."}));
}

TEST(Canvas, EllipseFillsInsideAndOutlinesTheEdge) {
    Sheet s(5, 5);
    s.Canvas->GetBrush()->SetColor(clRed);
    s.Canvas->Ellipse(0, 0, 5, 5);
    EXPECT_EQ(s.Picture(), Rows({".###.", "#rrr#", "#rrr#", "#rrr#", ".###."}));
}

TEST(Canvas, PieKeepsItsSectorCounterClockwise) {
    // From the radial to the right (0 degrees) to the one upwards (90 degrees).
    Sheet s(8, 8);
    s.Canvas->GetPen()->SetStyle(psClear);
    s.Canvas->GetBrush()->SetColor(clBlack);
    s.Canvas->Pie(0, 0, 8, 8, 8, 4, 4, 0);
    EXPECT_EQ(s.Picture(), Rows({"....##..", "....###.", "....####", "....####", "........",
                                 "........", "........", "........"}));
}

TEST(Canvas, PenModesCombineWithWhatIsThere) {
    Sheet s(4, 1);
    s.Canvas->GetPen()->SetMode(pmXor);
    s.Canvas->GetPen()->SetColor(clWhite);
    s.Canvas->MoveTo(0, 0);
    s.Canvas->LineTo(3, 0);
    EXPECT_EQ(s.Picture(), "###.\n");
    s.Canvas->MoveTo(0, 0);
    s.Canvas->LineTo(3, 0); // twice: back to white
    EXPECT_EQ(s.Picture(), "....\n");
    // A focus rectangle inverts every other pixel, so drawing it twice restores them.
    Sheet f(4, 3);
    f.Canvas->DrawFocusRect({0, 0, 4, 3});
    EXPECT_EQ(f.Picture(), Rows({"#.#.", "...#", "#.#."}));
    f.Canvas->DrawFocusRect({0, 0, 4, 3});
    EXPECT_EQ(f.Picture(), Rows({"....", "....", "...."}));
}

TEST(Canvas, BrushesHatchAndFloodFillsFollowTheirStyle) {
    Sheet s(10, 3);
    s.Canvas->GetBrush()->SetColor(clBlack);
    s.Canvas->GetBrush()->SetStyle(bsVertical);
    s.Canvas->FillRect({0, 0, 10, 3}); // hatches leave the rest as it was
    EXPECT_EQ(s.Picture(), Rows({"#.......#.", "#.......#.", "#.......#."}));

    // Border: fill until the border colour. Surface: fill the area of one colour.
    Sheet f(6, 5);
    f.Canvas->GetBrush()->SetStyle(bsClear);
    f.Canvas->Rectangle(0, 0, 5, 5);
    f.Canvas->GetBrush()->SetStyle(bsSolid);
    f.Canvas->GetBrush()->SetColor(clRed);
    f.Canvas->FloodFill(2, 2, clBlack, fsBorder);
    EXPECT_EQ(f.Picture(), Rows({"#####.", "#rrr#.", "#rrr#.", "#rrr#.", "#####."}));
    f.Canvas->GetBrush()->SetColor(clBlack);
    f.Canvas->FloodFill(5, 0, clWhite, fsSurface);
    EXPECT_EQ(f.Picture(), Rows({"######", "#rrr##", "#rrr##", "#rrr##", "######"}));
    f.Canvas->FloodFill(2, 2, clBlack, fsSurface); // (2, 2) is not black: nothing to fill
    EXPECT_EQ(f.Surface->Get(2, 2), RGB(255, 0, 0));
}

TEST(Canvas, PixelsAndClipping) {
    Sheet s(6, 6);
    s.Canvas->SetPixels(3, 5, clRed);
    EXPECT_EQ(s.Canvas->GetPixels(3, 5), TColor(0x0000FF)); // X first, then Y
    EXPECT_EQ(s.Canvas->GetPixels(5, 3), clWhite);
    EXPECT_EQ(s.Canvas->GetPixels(6, 0), TColor(-1)); // outside the surface

    IntersectClipRect(s.DC, 2, 2, 4, 4);
    EXPECT_EQ(s.Canvas->GetClipRect(), (TRect{2, 2, 4, 4}));
    s.Canvas->GetBrush()->SetColor(clBlack);
    s.Canvas->FillRect({0, 0, 6, 6});
    EXPECT_EQ(s.Picture(), Rows({"......", "......", "..##..", "..##..", "......", "...r.."}));
    EXPECT_EQ(s.Canvas->GetPixels(0, 0), TColor(-1)); // outside the clipping rectangle
    SelectClipRgn(s.DC, 0);
    EXPECT_EQ(s.Canvas->GetClipRect(), (TRect{0, 0, 6, 6}));
}

TEST(Canvas, CopyRectStretchesAndCombinesByCopyMode) {
    Sheet from(2, 1), to(4, 2);
    from.Canvas->SetPixels(0, 0, clBlack);
    to.Canvas->CopyRect({0, 0, 4, 2}, from.Canvas, {0, 0, 2, 1});
    EXPECT_EQ(to.Picture(), Rows({"##..", "##.."}));
    to.Canvas->SetCopyMode(cmSrcInvert); // black ^ black is black, white ^ black white
    to.Canvas->CopyRect({0, 0, 2, 1}, from.Canvas, {0, 0, 2, 1});
    EXPECT_EQ(to.Picture(), Rows({"#...", "##.."}));
    to.Canvas->SetCopyMode(cmDstInvert);
    to.Canvas->CopyRect({0, 1, 4, 2}, from.Canvas, {0, 0, 2, 1});
    EXPECT_EQ(to.Picture(), Rows({"#...", "..##"}));
}

TEST(Canvas, NotificationsLockAndACanvasWithoutASurface) {
    struct Log {
        std::string Events;
        void Changing(TObject*) { Events += "<"; }
        void Change(TObject*) { Events += ">"; }
    } log;
    Sheet s(3, 3);
    s.Canvas->SetOnChanging(TNotifyEvent::Bind<&Log::Changing>(&log));
    s.Canvas->SetOnChange(TNotifyEvent::Bind<&Log::Change>(&log));
    s.Canvas->Rectangle(0, 0, 3, 3);
    s.Canvas->MoveTo(1, 1); // moving the pen draws nothing
    s.Canvas->FillRect({0, 0, 1, 1});
    EXPECT_EQ(log.Events, "<><>");

    s.Canvas->Lock();
    s.Canvas->Lock(); // the same thread may lock again
    EXPECT_EQ(s.Canvas->GetLockCount(), 2);
    bool other = true;
    std::thread([&] { other = s.Canvas->TryLock(); }).join();
    EXPECT_FALSE(other);
    s.Canvas->Unlock();
    s.Canvas->Unlock();
    std::thread([&] {
        other = s.Canvas->TryLock();
        if (other) s.Canvas->Unlock();
    }).join();
    EXPECT_TRUE(other);

    auto* bare = new TCanvas;
    EXPECT_EQ(MessageOf<EInvalidOperation>([&] { bare->LineTo(1, 1); }),
              "Canvas does not allow drawing");
    bare->Free();
}

TEST(Canvas, AContextDeletedUnderItIsNoLongerDrawnOn) {
    auto surface = std::make_shared<TPixelSurface>(2, 2);
    HDC dc = CreateSurfaceDC(surface);
    auto* canvas = new TCanvas;
    canvas->SetHandle(dc);
    canvas->SetPixels(0, 0, clBlack);
    DeleteDC(dc);
    EXPECT_EQ(MessageOf<EInvalidOperation>([&] { canvas->SetPixels(1, 1, clBlack); }),
              "Canvas does not allow drawing");
    EXPECT_EQ(surface->Get(1, 1), RGB(255, 255, 255));
    canvas->Free();
}

TEST(Canvas, PicturesMirrorAndStretchFarPastTheSurfaceCostingOnlyWhatShows) {
    auto* glyph = new TBitmap;
    glyph->SetSize(2, 1);
    glyph->GetCanvas()->SetPixels(0, 0, clRed); // red left, white right
    auto* b = new TBitmap;
    b->SetSize(4, 2);
    b->GetCanvas()->GetBrush()->SetColor(clBlack);
    b->GetCanvas()->FillRect({0, 0, 4, 2});
    // Mirrored: the right edge given first; half of it lies left of the surface.
    b->GetCanvas()->StretchDraw({2, 0, -2, 1}, glyph);
    EXPECT_EQ(b->ColorAt(0, 0), RGB(255, 0, 0)); // the mirror's right half is the red pixel
    EXPECT_EQ(b->ColorAt(1, 0), RGB(255, 0, 0));
    EXPECT_EQ(b->ColorAt(2, 0), 0u);
    // A billion pixels wide: only the four that show are painted, at once.
    b->GetCanvas()->StretchDraw({-4, 1, 1000000000, 2}, glyph); // its left half is red
    EXPECT_EQ(b->ColorAt(0, 1), RGB(255, 0, 0));
    EXPECT_EQ(b->ColorAt(3, 1), RGB(255, 0, 0));
    b->Free();
    glyph->Free();
}

TEST(Canvas, FiguresReachingPastTheSurfaceShowTheSamePixelsAndCostWhatShows) {
    // Each figure on a small surface is the top left of the same figure on a large one.
    auto figures = [](TCanvas& C) {
        C.GetPen()->SetWidth(3);
        C.GetBrush()->SetStyle(bsDiagCross);
        C.Ellipse(-20, -10, 30, 25);
        C.Pie(5, -30, 60, 18, 60, 0, 5, 0);
        C.Chord(-15, 8, 40, 50, 0, 8, 40, 50);
        C.GetPen()->SetWidth(1);
        C.Arc(10, 10, 70, 40, 70, 10, 10, 40);
        C.RoundRect(-5, 3, 26, 60, 12, 9);
        C.GetPen()->SetWidth(5);
        C.MoveTo(-10, 30);
        C.LineTo(40, -4);
        C.Rectangle(15, 6, 70, 50);
    };
    Sheet small(20, 12), large(80, 60);
    figures(*small.Canvas);
    figures(*large.Canvas);
    for (Integer y = 0; y < 12; ++y)
        for (Integer x = 0; x < 20; ++x)
            ASSERT_EQ(small.Surface->Get(x, y), large.Surface->Get(x, y)) << x << ", " << y;
    // Figures a million pixels across: only what shows is visited.
    small.Canvas->GetBrush()->SetStyle(bsSolid);
    small.Canvas->GetBrush()->SetColor(clBlack);
    small.Canvas->Ellipse(-1000000, -1000000, 1000000, 1000000);
    EXPECT_EQ(small.Count(0), 20 * 12); // the ellipse covers the surface
    small.Canvas->Pie(-1000000, -1000000, 1000000, 1000000, 0, 0, 5, 0);
    small.Canvas->Arc(-1000000, -5, 1000000, 1000000, 0, 0, 5, 0);
    small.Canvas->GetPen()->SetWidth(200);
    small.Canvas->MoveTo(-1000000, 6);
    small.Canvas->LineTo(1000000, 6);
    small.Canvas->Rectangle(-1000000, -1000000, 1000000, 1000000);
}
