// Painting a tree of controls: backgrounds in their colour, graphic children in their own
// coordinates clipped to their bounds, windows over graphic controls, hidden ones left out.
#include "host/controls/CustomControls.h"
#include "host/graphics/Bitmap.h"
#include "tests/host/graphics/Sheet.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace host;

/// A graphic control that draws a black frame round its whole area and a dot at (1, 1).
struct Framed : TGraphicControl {
    using TGraphicControl::TGraphicControl;
    void Paint() override {
        GetCanvas()->GetBrush()->SetColor(clBlack);
        GetCanvas()->FrameRect({0, 0, GetWidth(), GetHeight()});
        GetCanvas()->SetPixels(1, 1, clRed);
        GetCanvas()->SetPixels(50, 50, clRed); // outside its bounds: clipped away
    }
};

/// A windowed control that paints nothing but its background.
struct Plain : TCustomControl {
    using TCustomControl::TCustomControl;
};

std::string Rows(TBitmap& B) {
    std::string s;
    for (Integer y = 0; y < B.GetHeight(); ++y) {
        for (Integer x = 0; x < B.GetWidth(); ++x) {
            TColorRef c = B.ColorAt(x, y);
            s += c == RGB(255, 255, 255) ? '.'
                 : c == 0               ? '#'
                 : c == RGB(255, 0, 0)  ? 'r'
                 : c == RGB(0, 0, 255)  ? 'b'
                 : c == RGB(0, 255, 0)  ? 'g'
                                        : '?';
        }
        s += '\n';
    }
    return s;
}

TEST(PaintTree, ChildrenPaintOverTheirParentsBackgroundInOrder) {
    TWinControl root(nullptr);
    root.SetBounds(0, 0, 8, 6);
    root.SetColor(clLime);
    auto* frame = new Framed(nullptr);
    frame->SetParent(&root);
    frame->SetBounds(1, 1, 4, 3);
    auto* window = new Plain(nullptr);
    window->SetParent(&root);
    window->SetBounds(4, 2, 3, 3);
    window->SetColor(clBlue);
    auto* hidden = new Plain(nullptr);
    hidden->SetParent(&root);
    hidden->SetBounds(0, 0, 2, 2);
    hidden->SetColor(clRed);
    hidden->Hide();

    TBitmap b;
    b.SetSize(10, 7);
    root.PaintTo(b.GetCanvas(), 1, 1);
    EXPECT_EQ(Rows(b), "..........\n"
                       ".gggggggg.\n"
                       ".g####ggg.\n"
                       ".g#rgbbbg.\n" // the window lies over the frame's right edge
                       ".g###bbbg.\n"
                       ".ggggbbbg.\n"
                       ".gggggggg.\n");

    window->SendToBack(); // only among windows: still over the graphic control
    TBitmap again;
    again.SetSize(10, 7);
    root.PaintTo(again.GetCanvas(), 1, 1);
    EXPECT_EQ(Rows(again), Rows(b));
    delete frame;
    delete window;
    delete hidden;
}

TEST(PaintTree, PaintingOntoAContextClipsToItAndToTheParentsClientArea) {
    TWinControl root(nullptr);
    root.SetBounds(0, 0, 6, 4);
    root.SetColor(clBlue);
    auto* frame = new Framed(nullptr);
    frame->SetParent(&root);
    frame->SetBounds(3, 1, 5, 5); // past the parent's right and bottom edges
    sheettest::Sheet s(5, 5);
    IntersectClipRect(s.DC, 0, 0, 5, 3);
    root.PaintTo(s.DC, -1, 0);
    // The frame's part inside the parent only, and only the rows the context allows.
    EXPECT_EQ(s.Picture(), "?????\n"
                           "??###\n"
                           "??#r?\n"
                           ".....\n"
                           ".....\n");
    delete frame;
}

} // namespace
