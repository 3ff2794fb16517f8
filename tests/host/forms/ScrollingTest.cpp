// Scrolling: the ranges following the children, the bars taking their room and moving the
// content, ScrollInView, and the bars painted.
#include "host/controls/Input.h"
#include "host/forms/Form.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/ScrollBarLook.h"

#include <gtest/gtest.h>

namespace {

using namespace host;

TEST(Scrolling, TheRangesFollowTheChildrenAndTheBarsTakeTheirRoom) {
    TScrollBox box(nullptr);
    box.SetBounds(0, 0, 104, 104); // a client area of 100 x 100 inside the sunken border
    EXPECT_EQ(box.GetClientWidth(), 100);
    auto* low = new TGraphicControl(nullptr);
    low->SetParent(&box);
    low->SetBounds(10, 150, 50, 30);
    EXPECT_EQ(box.GetVertScrollBar()->GetRange(), 180);
    EXPECT_TRUE(box.GetVertScrollBar()->IsScrollBarVisible());
    EXPECT_FALSE(box.GetHorzScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(box.GetClientWidth(), 84); // the vertical bar is 16 wide

    box.GetVertScrollBar()->SetPosition(50);
    EXPECT_EQ(low->GetTop(), 100); // the content moved up
    box.GetVertScrollBar()->SetPosition(1000);
    EXPECT_EQ(box.GetVertScrollBar()->GetPosition(), 80); // no further than the range allows
    EXPECT_EQ(low->GetTop(), 70);
    EXPECT_EQ(box.GetVertScrollBar()->GetRange(), 180); // the range counts from the content's top

    box.GetVertScrollBar()->SetPosition(0);
    box.ScrollInView(low);
    EXPECT_EQ(low->GetTop() + low->GetHeight(), 100); // its bottom at the client's bottom
    box.SetAutoScroll(false);
    EXPECT_FALSE(box.GetVertScrollBar()->IsScrollBarVisible());
    delete low;
}

TEST(Scrolling, ABarIsPaintedWithItsArrowsAndThumb) {
    TScrollBox box(nullptr);
    box.SetBounds(0, 0, 60, 60);
    box.SetColor(clWhite);
    auto* tall = new TGraphicControl(nullptr);
    tall->SetParent(&box);
    tall->SetBounds(0, 0, 10, 200);
    TBitmap b;
    b.SetSize(60, 60);
    box.PaintTo(b.GetCanvas(), 0, 0);
    // The bar along the right inside the border: buttons at the ends, the track between.
    EXPECT_EQ(b.ColorAt(50, 4), ColorToRGB(clBtnFace));       // the up button's face
    EXPECT_EQ(b.ColorAt(50, 8), 0u);                          // the tip of its arrow
    EXPECT_EQ(b.ColorAt(50, 20), ColorToRGB(clBtnFace));      // the thumb, at the top
    EXPECT_EQ(b.ColorAt(50, 30), ColorToRGB(clBtnHighlight)); // the track below it
    EXPECT_EQ(b.ColorAt(50, 51), 0u);                         // the down arrow's tip
    EXPECT_EQ(b.ColorAt(1, 1), ColorToRGB(cl3DDkShadow));     // the sunken border
    EXPECT_EQ(b.ColorAt(20, 20), RGB(255, 255, 255));         // the client area
    delete tall;
}

TEST(Scrolling, TheMouseOnABoxsBarScrollsItsContent) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 300);
    auto* box = new TScrollBox(&form);
    box->SetParent(&form);
    box->SetBounds(10, 10, 104, 104);
    auto* low = new TGraphicControl(box);
    low->SetParent(box);
    low->SetBounds(10, 300, 50, 30); // a range of 330 for a client height of 100
    form.Show();
    TWinControl::TWindowScrollBar bar;
    ASSERT_TRUE(box->GetWindowScrollBar(true, bar));
    // The box's window starts 10, 10 into the form's client area.
    auto at = [](TPoint P) { return TPoint{P.X + 10, P.Y + 10}; };
    Integer x = (bar.Bar.Left + bar.Bar.Right) / 2;
    input::Click(&form, at({x, bar.Bar.Bottom - 3}));
    EXPECT_EQ(box->GetVertScrollBar()->GetPosition(), 8); // one Increment
    input::Click(&form, at({x, bar.Bar.Bottom - 20}));
    EXPECT_EQ(box->GetVertScrollBar()->GetPosition(), 8 + 90); // most of a page
    // The thumb to the end: the box scrolls where it lands; with Tracking, as it moves.
    TScrollBarParts parts = LayoutScrollBar(bar.Bar, false, bar.Min, bar.Max, 98, bar.Page);
    Integer thumb = (parts.Thumb.Top + parts.Thumb.Bottom) / 2;
    input::MouseDown(&form, at({x, thumb}));
    input::MouseMove(&form, at({x, bar.Bar.Bottom + 40}));
    EXPECT_EQ(box->GetVertScrollBar()->GetPosition(), 98);
    input::MouseUp(&form, at({x, bar.Bar.Bottom + 40}));
    EXPECT_EQ(box->GetVertScrollBar()->GetPosition(), 230);
    EXPECT_EQ(low->GetTop(), 70);
    box->GetVertScrollBar()->SetTracking(true);
    parts = LayoutScrollBar(bar.Bar, false, bar.Min, bar.Max, 230, bar.Page);
    thumb = (parts.Thumb.Top + parts.Thumb.Bottom) / 2;
    input::MouseDown(&form, at({x, thumb}));
    input::MouseMove(&form, at({x, -50}));
    EXPECT_EQ(box->GetVertScrollBar()->GetPosition(), 0);
    input::MouseUp(&form, at({x, -50}));
    EXPECT_EQ(low->GetTop(), 300);
}

} // namespace
