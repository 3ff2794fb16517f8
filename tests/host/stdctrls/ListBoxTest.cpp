// List boxes through the input API: choosing by the mouse and the keys, extended selection
// with Shift and Ctrl, the items' places, sorting, whole-item heights and owner drawing.
#include "host/stdctrls/ListBox.h"
#include "host/controls/Input.h"
#include "host/forms/Form.h"
#include "host/graphics/Bitmap.h"
#include "host/menus/Keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace host;

struct ListBoxes : ::testing::Test {
    TForm Form{nullptr};
    TListBox* List;
    int Clicks = 0;
    void Clicked(TObject*) { ++Clicks; }
    void SetUp() override {
        Form.SetBounds(0, 0, 308, 227);
        List = new TListBox(&Form);
        List->SetParent(&Form);
        List->SetBounds(10, 10, 150, 150);
        for (const char* s : {"one", "two", "three", "four", "five", "six"})
            List->GetItems()->Add(s);
        List->SetOnClick(TNotifyEvent::Bind<&ListBoxes::Clicked>(this));
        Form.Show();
    }
    /// A point of the form inside item `Index`.
    TPoint At(Integer Index) {
        TRect r = List->ItemRect(Index);
        return Form.ScreenToClient(List->ClientToScreen({r.Left + 5, r.Top + 2}));
    }
    std::vector<int> Selection() {
        std::vector<int> s;
        for (Integer i = 0; i < List->GetItems()->GetCount(); ++i)
            if (List->GetSelected(i)) s.push_back(i);
        return s;
    }
};

TEST_F(ListBoxes, OneChoiceByTheMouseAndTheKeys) {
    input::Click(&Form, At(2));
    EXPECT_EQ(List->GetItemIndex(), 2);
    EXPECT_TRUE(List->GetSelected(2));
    EXPECT_EQ(List->GetSelCount(), -1); // not a multiple selection
    EXPECT_EQ(Clicks, 1);
    input::Click(&Form, At(2)); // the same item again: no change, no click
    EXPECT_EQ(Clicks, 1);
    input::PressKey(VK_DOWN);
    EXPECT_EQ(List->GetItemIndex(), 3);
    input::PressKey(VK_END);
    EXPECT_EQ(List->GetItemIndex(), 5);
    input::Type("t"); // the next item starting with T, round from the end
    EXPECT_EQ(List->GetItemIndex(), 1);
    EXPECT_EQ(Clicks, 4);
    EXPECT_EQ(Selection(), (std::vector<int>{1}));
    // Selected out of range is the host's list error; in range, it chooses.
    EXPECT_THROW(List->GetSelected(6), EListError);
    List->SetSelected(4, true);
    EXPECT_EQ(List->GetItemIndex(), 4);
    EXPECT_EQ(List->ItemAtPos({5, 1000}, true), -1);
    EXPECT_EQ(List->ItemAtPos({5, 1000}, false), 6);
}

TEST_F(ListBoxes, ExtendedSelectionWithShiftAndCtrl) {
    List->SetMultiSelect(true);
    input::Click(&Form, At(1));
    input::Click(&Form, At(3), mbLeft, {ssShift});
    EXPECT_EQ(Selection(), (std::vector<int>{1, 2, 3}));
    input::Click(&Form, At(5), mbLeft, {ssCtrl});
    EXPECT_EQ(Selection(), (std::vector<int>{1, 2, 3, 5}));
    EXPECT_EQ(List->GetSelCount(), 4);
    input::Click(&Form, At(2), mbLeft, {ssCtrl}); // Ctrl takes one out
    EXPECT_EQ(Selection(), (std::vector<int>{1, 3, 5}));
    input::PressKey(VK_DOWN, {ssShift}); // from the anchor at 2 to 3
    EXPECT_EQ(Selection(), (std::vector<int>{2, 3}));
    input::Click(&Form, At(0));
    EXPECT_EQ(Selection(), (std::vector<int>{0}));
    // Without ExtendedSelect a click toggles.
    List->SetExtendedSelect(false);
    input::Click(&Form, At(4));
    input::Click(&Form, At(0));
    EXPECT_EQ(Selection(), (std::vector<int>{4}));
}

TEST_F(ListBoxes, SortedItemsWholeItemHeightsAndOwnerDrawing) {
    List->SetSorted(true);
    EXPECT_EQ(List->GetItems()->GetStrings(0), "five");
    EXPECT_EQ(List->GetItems()->Add("Eight"), 0); // in its place, ignoring case
    List->GetItems()->SetStrings(0, "zero");
    EXPECT_EQ(List->GetItems()->GetStrings(6), "zero");
    Integer h = List->GetItemHeight();
    List->SetIntegralHeight(true);
    List->SetHeight(h * 3 + 4 + h / 2);
    EXPECT_EQ(List->GetClientHeight(), h * 3);
    // The visible rows scroll with the keys.
    List->SetItemIndex(0);
    input::PressKey(VK_END);
    EXPECT_EQ(List->GetTopIndex(), List->GetItems()->GetCount() - 3);

    // Variable owner drawing: OnMeasureItem gives each item its height, OnDrawItem paints it.
    List->SetIntegralHeight(false);
    List->SetHeight(200);
    List->SetTopIndex(0);
    List->SetStyle(lbOwnerDrawVariable);
    struct Draw {
        std::vector<std::string> Drawn;
        void Measure(TWinControl*, Integer Index, Integer& Height) { Height = 10 + Index; }
        void Paint(TWinControl*, Integer Index, TRect Rect, TOwnerDrawState State) {
            Drawn.push_back(std::to_string(Index) + ":" + std::to_string(Rect.Bottom - Rect.Top) +
                            (State.Contains(odSelected) ? "s" : ""));
        }
    } draw;
    List->SetOnMeasureItem(TMeasureItemEvent::Bind<&Draw::Measure>(&draw));
    List->SetOnDrawItem(TDrawItemEvent::Bind<&Draw::Paint>(&draw));
    EXPECT_EQ(List->ItemRect(2).Top, 10 + 11);
    List->SetItemIndex(1);
    TBitmap* image = Form.GetFormImage();
    image->Free();
    ASSERT_GE(draw.Drawn.size(), 3u);
    EXPECT_EQ(draw.Drawn[0], "0:10");
    EXPECT_EQ(draw.Drawn[1], "1:11s");
}

} // namespace
