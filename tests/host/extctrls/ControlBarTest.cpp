// Control bars: bands in rows of RowSize, moved by their grabbers, with the band events.
#include "host/extctrls/ControlBar.h"
#include "host/controls/Input.h"
#include "host/extctrls/Panel.h"
#include "host/graphics/Bitmap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace host;

struct Fixture {
    TForm Form{nullptr};
    TControlBar* Bar;
    TPanel* A;
    TPanel* B;
    std::vector<std::string> Log;
    bool AllowDrag = true;
    Fixture() {
        Form.SetBounds(0, 0, 308, 127); // a client area of 300 x 100
        Bar = new TControlBar(&Form);
        Bar->SetParent(&Form);
        Bar->SetBounds(0, 0, 300, 80);
        A = MakeBand("A", 0, 0, 50);
        B = MakeBand("B", 100, 0, 40);
        Bar->SetOnBandDrag(TBandDragEvent::Bind<&Fixture::Drag>(this));
        Bar->SetOnBandMove(TBandMoveEvent::Bind<&Fixture::Move>(this));
    }
    TPanel* MakeBand(const char* Name, Integer Left, Integer Top, Integer Width) {
        auto* p = new TPanel(&Form);
        p->SetName(Name);
        p->SetBounds(Left, Top, Width, 10);
        p->SetParent(Bar);
        return p;
    }
    void Drag(TObject*, TControl* C, bool& D) {
        Log.push_back("drag " + C->GetName());
        D = AllowDrag;
    }
    void Move(TObject*, TControl* C, TRect& R) {
        Log.push_back("move " + C->GetName() + " " + std::to_string(R.Left) + "," +
                      std::to_string(R.Top));
    }
};

TEST(ControlBar, BandsSnapToRowsInsideTheirInsets) {
    Fixture f;
    EXPECT_EQ(f.Bar->GetRowSize(), 26);
    EXPECT_TRUE(f.Bar->GetRowSnap());
    EXPECT_TRUE(f.Bar->GetAutoDrag());
    EXPECT_TRUE(f.Bar->GetAutoDock());
    // Inside the grabber and the frame; the height of a row.
    EXPECT_EQ(f.A->GetBoundsRect(), (TRect{11, 2, 61, 24}));
    EXPECT_EQ(f.B->GetBoundsRect(), (TRect{100, 2, 140, 24}));
    EXPECT_EQ(f.Bar->BandRect(f.A), (TRect{0, 0, 63, 26}));
    // A band moved over another pushes it along its row.
    f.B->SetLeft(30);
    EXPECT_EQ(f.B->GetLeft(), 63 + 11);
    f.Bar->SetRowSize(30);
    EXPECT_EQ(f.A->GetHeight(), 26);
    f.Bar->SetRowSnap(false);
    f.A->SetHeight(12);
    EXPECT_EQ(f.A->GetHeight(), 12);
}

TEST(ControlBar, OnBandInfoChangesTheInsetsAndRows) {
    struct Info {
        void Band(TObject*, TControl*, TRect& Insets, Integer&, Integer& Rows) {
            Insets = {4, 1, 1, 1};
            Rows = 2;
        }
    } info;
    Fixture f;
    f.Bar->SetOnBandInfo(TBandInfoEvent::Bind<&Info::Band>(&info));
    f.Bar->StickControls();
    EXPECT_EQ(f.A->GetTop(), 1);
    EXPECT_EQ(f.A->GetHeight(), 2 * 26 - 2);
}

TEST(ControlBar, DraggingABandByItsGrabberMovesItToAnotherRow) {
    Fixture f;
    input::MouseDown(&f.Form, {5, 10}); // A's grabber
    input::MouseMove(&f.Form, {125, 36});
    input::MouseUp(&f.Form, {125, 36});
    // Into the second row at the mouse, the press's place in the band kept.
    EXPECT_EQ(f.A->GetTop(), 26 + 2);
    EXPECT_EQ(f.A->GetLeft(), 120 + 11);
    EXPECT_EQ(f.B->GetTop(), 2); // left in its row
    ASSERT_EQ(f.Log.size(), 2u);
    EXPECT_EQ(f.Log[0], "drag A");
    EXPECT_EQ(f.Log[1], "move A 120,26");
    // Back up above B: B gives way to the right.
    input::MouseDown(&f.Form, {125, 36});
    input::MouseMove(&f.Form, {80, 10});
    input::MouseUp(&f.Form, {80, 10});
    EXPECT_EQ(f.A->GetTop(), 2);
    EXPECT_EQ(f.A->GetLeft(), 75 + 11);
    EXPECT_EQ(f.B->GetLeft(), 75 + 63 + 11);
    // Dropped on the middle of a band that starts further left, it goes after that band.
    input::MouseDown(&f.Form, {80, 10});
    input::MouseMove(&f.Form, {170, 10});
    input::MouseUp(&f.Form, {170, 10});
    EXPECT_EQ(f.A->GetLeft(), f.B->GetLeft() + f.B->GetWidth() + 2 + 11);
}

TEST(ControlBar, OnBandDragMayRefuseAndAPressBesideTheGrabberDoesNothing) {
    Fixture f;
    f.AllowDrag = false;
    input::MouseDown(&f.Form, {5, 10});
    input::MouseMove(&f.Form, {125, 36});
    input::MouseUp(&f.Form, {125, 36});
    EXPECT_EQ(f.A->GetTop(), 2);
    EXPECT_EQ(f.Log, (std::vector<std::string>{"drag A"}));
    f.Log.clear();
    input::MouseDown(&f.Form, {250, 10}); // the bar, no band
    input::MouseMove(&f.Form, {250, 40});
    input::MouseUp(&f.Form, {250, 40});
    EXPECT_TRUE(f.Log.empty());
}

} // namespace

namespace {

TEST(ControlBar, BandsPaintAFrameAndAGrabberThatOnBandPaintMayLeaveOut) {
    struct Painter {
        int Calls = 0;
        bool NoGrabber = false;
        void Band(TObject*, TControl*, TCanvas*, TRect&, TBandPaintOptions& Options) {
            ++Calls;
            if (NoGrabber) Options -= bpoGrabber;
        }
    } painter;
    Fixture f;
    f.Bar->SetOnBandPaint(TBandPaintEvent::Bind<&Painter::Band>(&painter));
    auto pixel = [&](Integer X, Integer Y) {
        TBitmap b;
        b.SetWidth(300);
        b.SetHeight(80);
        f.Bar->PaintTo(b.GetCanvas(), 0, 0);
        return b.ColorAt(X, Y);
    };
    EXPECT_EQ(pixel(0, 5), ColorToRGB(clBtnHighlight)); // the band's frame
    EXPECT_EQ(pixel(62, 5), ColorToRGB(clBtnShadow));
    EXPECT_EQ(pixel(3, 10), ColorToRGB(clBtnHighlight)); // the grabber's first ridge
    EXPECT_EQ(pixel(5, 10), ColorToRGB(clBtnShadow));
    EXPECT_EQ(painter.Calls, 8); // each paint: A and B
    painter.NoGrabber = true;
    EXPECT_EQ(pixel(3, 10), ColorToRGB(clBtnFace));
    EXPECT_EQ(pixel(200, 60), ColorToRGB(clBtnFace)); // the bar itself
}

} // namespace

namespace {

TEST(ControlBar, WithAutoDragABandPulledOffTheBarFloats) {
    Fixture f;
    f.A->SetDragKind(dkDock);
    input::MouseDown(&f.Form, {5, 10});
    input::MouseMove(&f.Form, {150, 95}); // well below the bar, which ends at 80
    input::MouseMove(&f.Form, {160, 120});
    input::MouseUp(&f.Form, {160, 120});
    EXPECT_TRUE(f.A->GetFloating());
    EXPECT_NE(f.A->GetParent(), f.Bar);
    if (f.A->GetHostDockSite()) f.A->GetHostDockSite()->Free();
    // Without AutoDrag, or for a control that does not dock, the band stays on the bar.
    f.B->SetDragKind(dkDock);
    f.Bar->SetAutoDrag(false);
    f.Log.clear();
    input::MouseDown(&f.Form, {94, 10}); // B's grabber
    input::MouseMove(&f.Form, {150, 95});
    input::MouseUp(&f.Form, {150, 95});
    EXPECT_EQ(f.B->GetParent(), f.Bar);
    ASSERT_FALSE(f.Log.empty());
    EXPECT_EQ(f.Log[0], "drag B");
}

} // namespace
