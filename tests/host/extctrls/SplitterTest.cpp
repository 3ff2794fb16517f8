// Splitters dragged with the mouse: the control on their side resizes within MinSize and the
// room left, snaps shut, follows ResizeStyle, and OnCanResize may change or refuse the size.
#include "host/extctrls/Splitter.h"
#include "host/controls/Input.h"
#include "host/extctrls/Panel.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Colors.h"
#include "host/menus/Keys.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace host;

struct Fixture {
    TForm Form{nullptr};
    TPanel* Side;
    TSplitter* Split;
    TPanel* Rest;
    std::vector<std::string> Log;
    Integer Replace = -1;
    bool Refuse = false;
    Fixture(TAlign Align = alLeft) {
        Form.SetBounds(0, 0, 208, 127); // a client area of 200 x 100
        Side = new TPanel(&Form);
        Side->SetParent(&Form);
        Side->SetAlign(Align);
        if (Align == alLeft || Align == alRight)
            Side->SetWidth(60);
        else
            Side->SetHeight(40);
        Split = new TSplitter(&Form);
        Split->SetParent(&Form);
        Split->SetAlign(Align);
        if (Align == alTop || Align == alBottom) Split->SetHeight(3);
        // Placed past the panel so that alignment puts it beside it.
        if (Align == alLeft) Split->SetLeft(100);
        if (Align == alRight) Split->SetLeft(10);
        if (Align == alTop) Split->SetTop(80);
        Rest = new TPanel(&Form);
        Rest->SetParent(&Form);
        Rest->SetAlign(alClient);
        Split->SetOnCanResize(TSplitterCanResizeEvent::Bind<&Fixture::CanResize>(this));
        Split->SetOnMoved(TNotifyEvent::Bind<&Fixture::Moved>(this));
    }
    void CanResize(TObject*, Integer& NewSize, bool& Accept) {
        Log.push_back("can " + std::to_string(NewSize));
        if (Replace >= 0) NewSize = Replace;
        Accept = !Refuse;
    }
    void Moved(TObject*) { Log.push_back("moved"); }
    /// Drags the splitter by its middle from `From` to `To` (form client coordinates).
    void Drag(TPoint From, TPoint To) {
        input::MouseDown(&Form, From);
        input::MouseMove(&Form, To);
        input::MouseUp(&Form, To);
    }
};

TEST(Splitter, StartsAsTheHostsAndSitsBesideItsControl) {
    Fixture f;
    EXPECT_EQ(f.Split->GetWidth(), 3);
    EXPECT_EQ(f.Split->GetMinSize(), 30);
    EXPECT_EQ(f.Split->GetResizeStyle(), rsPattern);
    EXPECT_TRUE(f.Split->GetAutoSnap());
    EXPECT_FALSE(f.Split->GetBeveled());
    EXPECT_EQ(f.Split->GetCursor(), crHSplit);
    EXPECT_EQ(f.Split->GetLeft(), 60);
    EXPECT_EQ(f.Split->FindControl(), f.Side);
    f.Split->SetAlign(alTop);
    EXPECT_EQ(f.Split->GetCursor(), crVSplit);
}

TEST(Splitter, DraggingResizesTheControlOnceReleasedWithTheEventsInOrder) {
    Fixture f;
    input::MouseDown(&f.Form, {61, 50});
    input::MouseMove(&f.Form, {81, 50});
    EXPECT_EQ(f.Side->GetWidth(), 60); // rsPattern: a line moves, the control waits
    EXPECT_EQ(f.Split->LinePos().X, 80);
    input::MouseUp(&f.Form, {81, 50});
    EXPECT_EQ(f.Side->GetWidth(), 80);
    EXPECT_EQ(f.Split->GetLeft(), 80);
    EXPECT_EQ(f.Rest->GetLeft(), 83);
    EXPECT_EQ(f.Log, (std::vector<std::string>{"can 80", "moved"}));
}

TEST(Splitter, TheLineShowsInvertedOverTheFormWhileDragged) {
    Fixture f;
    f.Form.Show();
    f.Split->SetResizeStyle(rsLine);
    input::MouseDown(&f.Form, {61, 50});
    input::MouseMove(&f.Form, {91, 50});
    std::unique_ptr<TBitmap, void (*)(TBitmap*)> during(f.Form.GetFormImage(),
                                                        [](TBitmap* B) { B->Free(); });
    TRect n = f.Form.GetNonClientInsets();
    // The panel's face (button face) inverted where the line is, untouched beside it.
    TColor face = during->ColorAt(n.Left + 95, n.Top + 50);
    EXPECT_EQ(during->ColorAt(n.Left + 91, n.Top + 50), TColor(ColorToRGB(face) ^ 0xFFFFFF));
    input::MouseUp(&f.Form, {91, 50});
    std::unique_ptr<TBitmap, void (*)(TBitmap*)> after(f.Form.GetFormImage(),
                                                       [](TBitmap* B) { B->Free(); });
    EXPECT_EQ(after->ColorAt(n.Left + 95, n.Top + 50), face);
    EXPECT_NE(after->ColorAt(n.Left + 91, n.Top + 20), TColor(ColorToRGB(face) ^ 0xFFFFFF));
}

TEST(Splitter, MinSizeHoldsAndAutoSnapClosesBelowHalfOfIt) {
    Fixture f;
    f.Drag({61, 50}, {41, 50}); // 40: above MinSize
    EXPECT_EQ(f.Side->GetWidth(), 40);
    f.Drag({41, 50}, {21, 50}); // 20: held at 30
    EXPECT_EQ(f.Side->GetWidth(), 30);
    f.Drag({31, 50}, {10, 50}); // 9: below half of MinSize, shut
    EXPECT_EQ(f.Side->GetWidth(), 0);
    EXPECT_EQ(f.Split->FindControl(), f.Side); // a shut control can be pulled open again
    f.Drag({1, 50}, {51, 50});
    EXPECT_EQ(f.Side->GetWidth(), 50);
    f.Split->SetAutoSnap(false);
    f.Drag({51, 50}, {52 - 49, 50});
    EXPECT_EQ(f.Side->GetWidth(), 30);
}

TEST(Splitter, TheControlLeavesMinSizeToTheOthers) {
    Fixture f;
    f.Drag({61, 50}, {250, 50});
    // 200 wide: the splitter's 3 and MinSize 30 stay free.
    EXPECT_EQ(f.Side->GetWidth(), 200 - 3 - 30);
}

TEST(Splitter, OnCanResizeMayChangeOrRefuseTheSize) {
    Fixture f;
    f.Replace = 45;
    f.Drag({61, 50}, {91, 50});
    EXPECT_EQ(f.Side->GetWidth(), 45);
    f.Replace = -1;
    f.Refuse = true;
    f.Log.clear();
    f.Drag({46, 50}, {90, 50});
    EXPECT_EQ(f.Side->GetWidth(), 45);
    EXPECT_EQ(f.Log, (std::vector<std::string>{"can 89", "moved"}));
}

TEST(Splitter, RsUpdateResizesAsTheMouseMovesAndOtherSidesMirror) {
    Fixture f;
    f.Split->SetResizeStyle(rsUpdate);
    input::MouseDown(&f.Form, {61, 50});
    input::MouseMove(&f.Form, {71, 50});
    EXPECT_EQ(f.Side->GetWidth(), 70);
    input::MouseMove(&f.Form, {91, 50});
    EXPECT_EQ(f.Side->GetWidth(), 90);
    input::MouseUp(&f.Form, {91, 50});
    EXPECT_EQ(f.Side->GetWidth(), 90);

    Fixture right(alRight);
    EXPECT_EQ(right.Split->GetLeft(), 200 - 60 - 3);
    right.Drag({138, 50}, {118, 50}); // leftwards: the right panel grows
    EXPECT_EQ(right.Side->GetWidth(), 80);
    EXPECT_EQ(right.Side->GetLeft(), 120);

    Fixture top(alTop);
    EXPECT_EQ(top.Split->GetTop(), 40);
    top.Drag({100, 41}, {100, 61});
    EXPECT_EQ(top.Side->GetHeight(), 60);
}

TEST(Splitter, AControlFreedWhileDraggedIsLetGo) {
    Fixture f;
    input::MouseDown(&f.Form, {61, 50});
    EXPECT_TRUE(f.Split->Sizing());
    f.Side->Free();
    input::MouseMove(&f.Form, {81, 50});
    input::MouseUp(&f.Form, {81, 50});
    EXPECT_FALSE(f.Split->Sizing());
}

} // namespace

namespace {

TEST(Splitter, EscCancelsTheDragAndTheFormsOwnKeyHandlerComesBack) {
    struct Keys {
        int Count = 0;
        void Down(TObject*, Word&, TShiftState) { ++Count; }
    } keys;
    Fixture f;
    f.Form.SetOnKeyDown(TKeyEvent::Bind<&Keys::Down>(&keys));
    f.Form.Show();
    input::MouseDown(&f.Form, {61, 50});
    input::MouseMove(&f.Form, {91, 50});
    input::PressKey(VK_ESCAPE);
    input::MouseUp(&f.Form, {91, 50});
    EXPECT_EQ(f.Side->GetWidth(), 60);
    EXPECT_EQ(f.Log, (std::vector<std::string>{"can 90"})); // no OnMoved
    EXPECT_EQ(keys.Count, 0);                               // Esc was the splitter's
    input::PressKey(VK_ESCAPE);
    EXPECT_EQ(keys.Count, 1);
    // Under rsUpdate the control goes back to its size.
    f.Split->SetResizeStyle(rsUpdate);
    input::MouseDown(&f.Form, {61, 50});
    input::MouseMove(&f.Form, {91, 50});
    EXPECT_EQ(f.Side->GetWidth(), 90);
    input::PressKey(VK_ESCAPE);
    input::MouseUp(&f.Form, {91, 50});
    EXPECT_EQ(f.Side->GetWidth(), 60);
    // A splitter freed mid-drag leaves the form's handler as it was.
    input::MouseDown(&f.Form, {61, 50});
    f.Split->Free();
    input::MouseUp(&f.Form, {61, 50});
    input::PressKey(VK_ESCAPE);
    EXPECT_EQ(keys.Count, 2);
    f.Form.Hide();
}

} // namespace
