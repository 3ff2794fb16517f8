// Combo boxes through the input API: typing into the edit part, choosing with the arrows and
// the dropped-down list, a list-only combo choosing by letter, OnDropDown filling the list.
#include "host/stdctrls/ComboBox.h"
#include "host/controls/Input.h"
#include "host/forms/Form.h"
#include "host/graphics/Bitmap.h"
#include "host/menus/Keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace host;

struct Combos : ::testing::Test {
    TForm Form{nullptr};
    TComboBox* Combo;
    std::vector<std::string> Log;
    void Changed(TObject*) { Log.push_back("change " + Combo->GetText()); }
    void Dropped(TObject*) {
        Log.push_back("drop");
        if (Combo->GetItems()->GetCount() == 0)
            for (const char* s : {"Apple", "Banana", "Cherry"}) Combo->GetItems()->Add(s);
    }
    void SetUp() override {
        Form.SetBounds(0, 0, 308, 227);
        Combo = new TComboBox(&Form);
        Combo->SetParent(&Form);
        Combo->SetBounds(10, 10, 150, 21);
        Combo->SetOnChange(TNotifyEvent::Bind<&Combos::Changed>(this));
        Combo->SetOnDropDown(TNotifyEvent::Bind<&Combos::Dropped>(this));
        Form.Show();
        Combo->SetFocus();
    }
};

TEST_F(Combos, TheListDropsDownAndAClickOnAnItemChoosesIt) {
    input::PressKey(VK_F1 + 3); // F4
    ASSERT_TRUE(Combo->GetDroppedDown());
    EXPECT_EQ(Log, (std::vector<std::string>{"drop"}));
    TComboListWindow* list = Combo->GetListWindow();
    EXPECT_TRUE(list->GetVisible());
    EXPECT_EQ(list->GetTop(), Combo->ClientToScreen({0, 0}).Y - 2 + Combo->GetHeight());
    input::Click(list, {10, 1 + Combo->GetItemHeight() + 3}); // the second item
    EXPECT_FALSE(Combo->GetDroppedDown());
    EXPECT_EQ(Combo->GetItemIndex(), 1);
    EXPECT_EQ(Combo->GetText(), "Banana");
    EXPECT_EQ(Log.back(), "change Banana");
    input::PressKey(VK_DOWN);
    EXPECT_EQ(Combo->GetText(), "Cherry");
    // Typed text that names an item chooses it; other text chooses none.
    Combo->SelectAll();
    input::Type("apple");
    EXPECT_EQ(Combo->GetItemIndex(), 0); // the list's search ignores case
    input::Type("s");
    EXPECT_EQ(Combo->GetItemIndex(), -1);
    EXPECT_EQ(Combo->GetText(), "apples");
}

TEST_F(Combos, AListOnlyComboChoosesByLetterAndPaints) {
    Combo->SetStyle(csDropDownList);
    for (const char* s : {"Red", "Green", "Blue", "Grey"}) Combo->GetItems()->Add(s);
    input::Type("g");
    EXPECT_EQ(Combo->GetText(), "Green");
    input::Type("g");
    EXPECT_EQ(Combo->GetText(), "Grey");
    Combo->SetText("Blue"); // in code, the item that has it
    EXPECT_EQ(Combo->GetItemIndex(), 2);
    // Painted: the chosen item highlighted while the combo has the focus, its button at the
    // right in the face colour.
    TBitmap* image = Form.GetFormImage();
    TPoint at = Combo->ClientToScreen({5, Combo->GetClientHeight() / 2});
    TPoint form = Form.ClientToScreen({0, 0});
    Integer fx = at.X - form.X + (Form.GetWidth() - Form.GetClientWidth()) / 2;
    Integer fy = at.Y - Form.GetTop();
    EXPECT_EQ(image->ColorAt(fx, fy), ColorToRGB(clHighlight));
    EXPECT_EQ(image->ColorAt(fx + Combo->GetClientWidth() - 12, fy - 4), ColorToRGB(clBtnFace));
    image->Free();
}

} // namespace
