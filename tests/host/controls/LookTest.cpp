// What a control's look and reading order do: right-to-left flags and their inheritance, 3-D
// and bevels framing a window, the wheel in notches, scaling and flipping children, the desktop
// font and the mouse capture.
#include "host/controls/CustomControls.h"
#include "host/controls/Input.h"
#include "host/forms/Application.h"
#include "host/graphics/Bitmap.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace host;

TEST(Look, ReadingOrderIsInheritedAndTurnsTextFlags) {
    TWinControl parent(nullptr);
    auto* child = new TGraphicControl(nullptr);
    child->SetParent(&parent);
    parent.SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(child->GetBiDiMode(), bdRightToLeft);
    EXPECT_TRUE(child->GetParentBiDiMode());
    EXPECT_TRUE(child->UseRightToLeftAlignment());
    EXPECT_TRUE(child->UseRightToLeftScrollBar());
    EXPECT_EQ(child->DrawTextBiDiModeFlags(DT_LEFT), DT_RIGHT | DT_RTLREADING);
    EXPECT_EQ(child->DrawTextBiDiModeFlags(DT_RIGHT), DT_LEFT | DT_RTLREADING);
    EXPECT_EQ(child->DrawTextBiDiModeFlags(DT_CENTER), DT_CENTER | DT_RTLREADING);
    child->SetBiDiMode(bdRightToLeftReadingOnly);
    EXPECT_FALSE(child->GetParentBiDiMode());
    EXPECT_EQ(child->DrawTextBiDiModeFlags(DT_LEFT), DT_RTLREADING); // reading, not alignment
    EXPECT_FALSE(child->UseRightToLeftScrollBar());
    parent.SetBiDiMode(bdLeftToRight);
    EXPECT_EQ(child->GetBiDiMode(), bdRightToLeftReadingOnly); // its own now
    EXPECT_EQ(child->DrawTextBiDiModeFlagsReadingOnly(), DT_RTLREADING);
    delete child;
}

TEST(Look, BevelsFrameTheWindowOutsideItsClientArea) {
    TCustomControl c(nullptr);
    c.SetBounds(0, 0, 10, 8);
    c.SetColor(clWhite);
    EXPECT_EQ(c.GetClientWidth(), 10);
    c.SetBevelKind(bkTile);
    EXPECT_EQ(c.GetClientWidth(), 6); // inner and outer cut, one pixel each, both sides
    c.SetBevelEdges({beTop, beBottom});
    EXPECT_EQ(c.GetClientWidth(), 10);
    EXPECT_EQ(c.GetClientHeight(), 4);
    c.SetBevelEdges({beLeft, beTop, beRight, beBottom});
    c.SetBevelInner(bvLowered);
    TBitmap b;
    b.SetSize(10, 8);
    c.PaintTo(b.GetCanvas(), 0, 0);
    EXPECT_EQ(b.ColorAt(0, 3), ColorToRGB(clBtnHighlight)); // the raised outer cut's light side
    EXPECT_EQ(b.ColorAt(9, 3), ColorToRGB(clBtnShadow));
    EXPECT_EQ(b.ColorAt(1, 3), ColorToRGB(clBtnShadow)); // the lowered inner cut's dark side
    EXPECT_EQ(b.ColorAt(5, 4), RGB(255, 255, 255));      // the client area
}

TEST(Look, Ctl3DFollowsTheParentUntilSet) {
    TWinControl parent(nullptr);
    auto* child = new TWinControl(nullptr);
    child->SetParent(&parent);
    parent.SetCtl3D(false);
    EXPECT_FALSE(child->GetCtl3D());
    child->SetCtl3D(true);
    EXPECT_FALSE(child->GetParentCtl3D());
    parent.SetCtl3D(true);
    parent.SetCtl3D(false);
    EXPECT_TRUE(child->GetCtl3D());
    delete child;
}

TEST(Look, TheWheelTurnsInNotchesAndHandlersMayTakeIt) {
    struct Wheel {
        std::vector<int> Log; // 0 wheel, -1 down, 1 up
        bool Take = false;
        void On(TObject*, TShiftState, Integer, TPoint, bool& Handled) {
            Log.push_back(0);
            Handled = Take;
        }
        void Down(TObject*, TShiftState, TPoint, bool&) { Log.push_back(-1); }
        void Up(TObject*, TShiftState, TPoint, bool&) { Log.push_back(1); }
    } w;
    TWinControl c(nullptr);
    c.SetOnMouseWheel(TMouseWheelEvent::Bind<&Wheel::On>(&w));
    c.SetOnMouseWheelDown(TMouseWheelUpDownEvent::Bind<&Wheel::Down>(&w));
    c.SetOnMouseWheelUp(TMouseWheelUpDownEvent::Bind<&Wheel::Up>(&w));
    c.SetFocus();
    input::Wheel(&c, {1, 1}, 60);   // half a notch: kept
    input::Wheel(&c, {1, 1}, 60);   // the rest of it: up
    input::Wheel(&c, {1, 1}, -240); // two notches down
    EXPECT_EQ(w.Log, (std::vector<int>{0, 0, 1, 0, -1, -1}));
    w.Take = true;
    w.Log.clear();
    input::Wheel(&c, {1, 1}, 120);
    EXPECT_EQ(w.Log, (std::vector<int>{0}));
}

TEST(Look, ScalingAndFlippingMoveTheChildren) {
    TWinControl parent(nullptr);
    parent.SetBounds(0, 0, 100, 50);
    auto* child = new TWinControl(nullptr);
    child->SetParent(&parent);
    child->SetBounds(10, 5, 20, 10);
    child->GetFont()->SetHeight(-10);
    parent.ScaleBy(3, 2);
    EXPECT_EQ(parent.GetWidth(), 150);
    EXPECT_EQ(child->GetBoundsRect(), (TRect{15, 7, 45, 22}));
    EXPECT_EQ(child->GetFont()->GetHeight(), -15);
    parent.FlipChildren(false);
    EXPECT_EQ(child->GetLeft(), 150 - 15 - 30);
    delete child;
}

TEST(Look, DesktopFontCaptureAndWindowText) {
    TGraphicControl c(nullptr);
    c.GetFont()->SetName("Courier New");
    c.SetDesktopFont(true);
    EXPECT_EQ(c.GetFont()->GetName(), Screen()->GetIconFont()->GetName());
    EXPECT_TRUE(c.GetDesktopFont());
    c.GetFont()->SetSize(20); // the control's own font again
    EXPECT_FALSE(c.GetDesktopFont());

    c.SetMouseCapture(true);
    EXPECT_TRUE(c.GetMouseCapture());
    EXPECT_EQ(input::CaptureControl(), &c);
    c.SetMouseCapture(false);
    EXPECT_EQ(input::CaptureControl(), nullptr);

    char buffer[] = "from a buffer";
    c.SetWindowText(buffer);
    buffer[0] = 'X'; // the control keeps its own copy
    EXPECT_STREQ(c.GetWindowText(), "from a buffer");
}

} // namespace
