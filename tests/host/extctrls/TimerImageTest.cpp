// Timers on the application's clock; images and paint boxes with their pictures and canvases.
#include "host/extctrls/Shapes.h"
#include "host/extctrls/Timer.h"
#include "host/forms/Application.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Icon.h"
#include "host/graphics/Picture.h"

#include <gtest/gtest.h>

namespace {

using namespace host;

struct Ticks {
    int Count = 0;
    TTimer* StopAt = nullptr;
    void Tick(TObject*) {
        ++Count;
        if (StopAt && Count == 2) StopAt->SetEnabled(false);
    }
};

TEST(Timer, FiresEveryIntervalOfTheClockWhileEnabled) {
    Ticks t;
    TTimer timer(nullptr);
    EXPECT_TRUE(timer.GetEnabled());
    EXPECT_EQ(timer.GetInterval(), 1000u);
    Application()->AdvanceClock(5000);
    EXPECT_FALSE(timer.Running()); // no OnTimer: nothing runs
    timer.SetOnTimer(TNotifyEvent::Bind<&Ticks::Tick>(&t));
    Application()->AdvanceClock(999);
    EXPECT_EQ(t.Count, 0);
    Application()->AdvanceClock(1);
    EXPECT_EQ(t.Count, 1);
    Application()->AdvanceClock(3000);
    EXPECT_EQ(t.Count, 4);
    // A new interval counts from the change.
    Application()->AdvanceClock(700);
    timer.SetInterval(500);
    Application()->AdvanceClock(499);
    EXPECT_EQ(t.Count, 4);
    Application()->AdvanceClock(1);
    EXPECT_EQ(t.Count, 5);
    timer.SetEnabled(false);
    Application()->AdvanceClock(5000);
    EXPECT_EQ(t.Count, 5);
    timer.SetEnabled(true);
    timer.SetInterval(0); // an interval of 0 stops it
    Application()->AdvanceClock(5000);
    EXPECT_EQ(t.Count, 5);
}

TEST(Timer, AHandlerMayStopItsTimerAndAFreedTimerIsGoneFromTheClock) {
    Ticks t;
    auto* timer = new TTimer(nullptr);
    t.StopAt = timer;
    timer->SetInterval(100);
    timer->SetOnTimer(TNotifyEvent::Bind<&Ticks::Tick>(&t));
    Application()->AdvanceClock(1000);
    EXPECT_EQ(t.Count, 2);
    timer->SetEnabled(true);
    timer->Free();
    Application()->AdvanceClock(1000); // nothing fires into a freed timer
    EXPECT_EQ(t.Count, 2);
}

TEST(Image, DrawingOnItsCanvasMakesABitmapOfItsSize) {
    TImage image(nullptr);
    image.SetBounds(0, 0, 30, 20);
    EXPECT_FALSE(image.GetPicture()->GetGraphic());
    image.GetCanvas()->SetPixels(3, 4, clRed);
    auto* bitmap = dynamic_cast<TBitmap*>(image.GetPicture()->GetGraphic());
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->GetWidth(), 30);
    EXPECT_EQ(bitmap->GetHeight(), 20);
    EXPECT_EQ(bitmap->ColorAt(3, 4), RGB(255, 0, 0));
    // Another kind of graphic cannot be drawn on.
    TIcon icon;
    image.GetPicture()->SetGraphic(&icon);
    EXPECT_THROW(image.GetCanvas(), EInvalidOperation);
}

TEST(Image, AutoSizeFollowsThePictureAndDestRectPlacesIt) {
    TImage image(nullptr);
    TBitmap b;
    b.SetWidth(40);
    b.SetHeight(10);
    image.SetBounds(0, 0, 20, 20);
    image.GetPicture()->SetGraphic(&b);
    EXPECT_EQ(image.DestRect(), (TRect{0, 0, 40, 10}));
    image.SetCenter(true);
    EXPECT_EQ(image.DestRect(), (TRect{-10, 5, 30, 15}));
    image.SetProportional(true); // too wide: shrunk to the width, proportions kept
    EXPECT_EQ(image.DestRect(), (TRect{0, 7, 20, 12}));
    image.SetProportional(false);
    image.SetStretch(true);
    EXPECT_EQ(image.DestRect(), (TRect{0, 0, 20, 20}));
    image.SetStretch(false);
    image.SetAutoSize(true);
    EXPECT_EQ(image.GetWidth(), 40);
    EXPECT_EQ(image.GetHeight(), 10);
    b.SetHeight(12);
    image.GetPicture()->SetGraphic(&b);
    EXPECT_EQ(image.GetHeight(), 12);
    // An empty picture leaves the size alone.
    image.GetPicture()->SetGraphic(nullptr);
    EXPECT_EQ(image.GetWidth(), 40);
}

TEST(PaintBox, OnPaintDrawsOnItsCanvasWhenItPaints) {
    struct Painter {
        TPaintBox* Box;
        int Calls = 0;
        void Paint(TObject*) {
            ++Calls;
            Box->GetCanvas()->FillRect({0, 0, 2, 2}); // the box's colour, as its brush starts
        }
    };
    TWinControl root(nullptr);
    root.SetBounds(0, 0, 10, 10);
    root.SetColor(clWhite);
    auto* box = new TPaintBox(nullptr);
    EXPECT_EQ(box->GetWidth(), 105);
    box->SetParent(&root);
    box->SetBounds(1, 1, 5, 5);
    box->SetParentColor(false);
    box->SetColor(clRed);
    Painter p{box};
    box->SetOnPaint(TNotifyEvent::Bind<&Painter::Paint>(&p));
    TBitmap b;
    b.SetWidth(10);
    b.SetHeight(10);
    root.PaintTo(b.GetCanvas(), 0, 0);
    EXPECT_EQ(p.Calls, 1);
    EXPECT_EQ(b.ColorAt(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(b.ColorAt(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(b.ColorAt(3, 3), RGB(255, 255, 255)); // the rest is the parent's
}

} // namespace

namespace {

TEST(Image, TransparentLetsTheParentShowThroughTheBitmapsTransparentColour) {
    TWinControl root(nullptr);
    root.SetBounds(0, 0, 4, 4);
    root.SetColor(clLime);
    auto* image = new TImage(nullptr);
    image->SetParent(&root);
    image->SetBounds(0, 0, 4, 4);
    TCanvas* c = image->GetCanvas(); // a 4 x 4 bitmap
    c->GetBrush()->SetColor(clWhite);
    c->FillRect({0, 0, 4, 4});
    c->SetPixels(1, 1, clRed);
    auto paint = [&](Integer X, Integer Y) {
        TBitmap b;
        b.SetWidth(4);
        b.SetHeight(4);
        root.PaintTo(b.GetCanvas(), 0, 0);
        return b.ColorAt(X, Y);
    };
    EXPECT_EQ(paint(0, 0), RGB(255, 255, 255));
    image->SetTransparent(true); // the bottom left pixel's white goes
    EXPECT_TRUE(image->GetPicture()->GetGraphic()->GetTransparent());
    EXPECT_EQ(paint(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(paint(1, 1), RGB(255, 0, 0));
}

} // namespace
