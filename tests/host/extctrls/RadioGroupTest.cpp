// Radio groups: the items as buttons in columns, the choice by code, mouse and arrows, the
// buttons following the items, and the group read from and written to a form.
#include "host/extctrls/RadioGroup.h"
#include "host/classes/StringList.h"
#include "host/controls/Input.h"
#include "host/forms/Form.h"
#include "host/menus/Keys.h"
#include "tests/host/FormFiles.h"
#include "tests/host/ReferencePictures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace host;

struct RadioGroups : ::testing::Test {
    TForm Form{nullptr};
    TRadioGroup* Group = nullptr;
    std::vector<Integer> Clicks; // ItemIndex at each OnClick

    void Click(TObject*) { Clicks.push_back(Group->GetItemIndex()); }

    void SetUp() override {
        Form.SetBounds(0, 0, 240, 180);
        Form.SetCaption("Radio");
        Group = new TRadioGroup(&Form);
        Group->SetName("Group");
        Group->SetParent(&Form);
        Group->SetBounds(8, 8, 185, 105);
        Group->SetCaption("Size");
        Group->SetOnClick(TNotifyEvent::Bind<&RadioGroups::Click>(this));
    }
    void Fill(std::initializer_list<const char*> Items) {
        for (const char* s : Items) Group->GetItems()->Add(s);
    }
};

TEST_F(RadioGroups, ItemsShowAsButtonsInColumnsTopToBottomFirst) {
    Fill({"Small", "Medium", "Large"});
    ASSERT_EQ(Group->GetButtonCount(), 3);
    EXPECT_EQ(Group->GetButton(1)->GetCaption(), "Medium");
    EXPECT_EQ(Group->GetButton(1)->GetParent(), Group);
    EXPECT_EQ(Group->GetItemIndex(), -1);
    for (Integer i = 0; i < 3; ++i) EXPECT_FALSE(Group->GetButton(i)->GetChecked());
    // One column: full width inside the frame, rows sharing the height below the caption.
    TGroupButton* first = Group->GetButton(0);
    TGroupButton* second = Group->GetButton(1);
    EXPECT_EQ(first->GetLeft(), 8);
    EXPECT_EQ(first->GetWidth(), 175);
    EXPECT_EQ(second->GetTop() - first->GetTop(), first->GetHeight());
    EXPECT_GT(first->GetTop(), 0);
    EXPECT_LE(Group->GetButton(2)->GetTop() + Group->GetButton(2)->GetHeight(), 105);

    Group->SetColumns(2); // two rows in the first column, one in the second
    EXPECT_EQ(Group->GetButton(0)->GetLeft(), 8);
    EXPECT_EQ(Group->GetButton(1)->GetLeft(), 8);
    EXPECT_EQ(Group->GetButton(2)->GetLeft(), 8 + 87);
    EXPECT_EQ(Group->GetButton(2)->GetTop(), Group->GetButton(0)->GetTop());
    EXPECT_EQ(Group->GetButton(2)->GetWidth(), 87);
    Group->SetColumns(0);
    EXPECT_EQ(Group->GetColumns(), 1);
    Group->SetColumns(100);
    EXPECT_EQ(Group->GetColumns(), 16);
    // A resized group lays its buttons out again.
    Group->SetColumns(1);
    Group->SetWidth(305);
    EXPECT_EQ(Group->GetButton(0)->GetWidth(), 295);
}

TEST_F(RadioGroups, ItemIndexChecksItsButtonAndOutOfRangeValuesAreClamped) {
    Fill({"a", "b", "c"});
    Group->SetItemIndex(1);
    EXPECT_TRUE(Group->GetButton(1)->GetChecked());
    EXPECT_EQ(Clicks, std::vector<Integer>{1});
    Group->SetItemIndex(1); // no change, no click
    EXPECT_EQ(Clicks.size(), 1u);
    Group->SetItemIndex(10);
    EXPECT_EQ(Group->GetItemIndex(), 2);
    EXPECT_FALSE(Group->GetButton(1)->GetChecked());
    EXPECT_TRUE(Group->GetButton(2)->GetChecked());
    Group->SetItemIndex(-7); // none: no button checked and nothing chosen to report
    EXPECT_EQ(Group->GetItemIndex(), -1);
    for (Integer i = 0; i < 3; ++i) EXPECT_FALSE(Group->GetButton(i)->GetChecked());
    EXPECT_EQ(Clicks, (std::vector<Integer>{1, 2}));

    TRadioGroup empty(nullptr);
    empty.SetItemIndex(0);
    EXPECT_EQ(empty.GetItemIndex(), -1);
}

TEST_F(RadioGroups, AClickOrTheArrowsMoveTheChoiceAndFireOnClick) {
    Fill({"a", "b", "c"});
    Form.Show();
    input::Click(Group->GetButton(2));
    EXPECT_EQ(Group->GetItemIndex(), 2);
    EXPECT_TRUE(Group->GetButton(2)->Focused());
    input::Click(Group->GetButton(2)); // the choice already: nothing changes
    EXPECT_EQ(Clicks, std::vector<Integer>{2});
    // Down wraps to the first; a disabled button is passed over.
    input::PressKey(VK_DOWN);
    EXPECT_EQ(Group->GetItemIndex(), 0);
    EXPECT_TRUE(Group->GetButton(0)->Focused());
    Group->GetButton(1)->SetEnabled(false);
    input::PressKey(VK_RIGHT);
    EXPECT_EQ(Group->GetItemIndex(), 2);
    input::PressKey(VK_UP);
    EXPECT_EQ(Group->GetItemIndex(), 0);
    EXPECT_EQ(Clicks, (std::vector<Integer>{2, 0, 2, 0}));
    EXPECT_TRUE(Group->GetButton(0)->GetChecked());
    EXPECT_FALSE(Group->GetButton(2)->GetChecked());
}

TEST_F(RadioGroups, ButtonsFollowTheItemsAndTheGroup) {
    Fill({"a", "b", "c"});
    Group->SetItemIndex(2);
    Clicks.clear();
    Group->GetItems()->Delete(0); // a choice past the last item moves to the last
    EXPECT_EQ(Group->GetButtonCount(), 2);
    EXPECT_EQ(Group->GetButton(0)->GetCaption(), "b");
    EXPECT_EQ(Group->GetItemIndex(), 1);
    EXPECT_TRUE(Group->GetButton(1)->GetChecked());
    Group->GetItems()->Delete(1);
    EXPECT_EQ(Group->GetItemIndex(), 0);
    EXPECT_TRUE(Group->GetButton(0)->GetChecked());
    TStringList other;
    other.Add("x");
    other.Add("y");
    other.Add("z");
    Group->SetItems(&other);
    EXPECT_EQ(Group->GetButtonCount(), 3);
    EXPECT_EQ(Group->GetButton(2)->GetCaption(), "z");
    EXPECT_TRUE(Clicks.empty()); // the buttons take the choice silently
    Group->GetItems()->Clear();
    EXPECT_EQ(Group->GetButtonCount(), 0);
    EXPECT_EQ(Group->GetItemIndex(), -1);

    Fill({"p", "q"});
    Group->SetEnabled(false);
    EXPECT_FALSE(Group->GetButton(1)->GetEnabled());
    Group->SetEnabled(true);
    EXPECT_TRUE(Group->GetButton(1)->GetEnabled());
    // A button freed by hand leaves the group, which keeps its choice within what is left.
    Group->SetItemIndex(1);
    Group->GetButton(1)->Free();
    EXPECT_EQ(Group->GetButtonCount(), 1);
    EXPECT_EQ(Group->GetItemIndex(), 0);
}

const char* const FormHead[] = {"object Main: TForm",
                                "  Left = 0",
                                "  Top = 0",
                                "  Caption = 'Main'",
                                "  ClientHeight = 213",
                                "  ClientWidth = 312",
                                "  Color = clBtnFace",
                                "  Font.Charset = DEFAULT_CHARSET",
                                "  Font.Color = clWindowText",
                                "  Font.Height = -11",
                                "  Font.Name = 'MS Sans Serif'",
                                "  Font.Style = []",
                                "  OldCreateOrder = False",
                                "  PixelsPerInch = 96",
                                "  TextHeight = 13"};

std::string FormWith(std::initializer_list<const char*> Body) {
    std::string s;
    for (const char* l : FormHead) s += std::string(l) + "\r\n";
    for (const char* l : Body) s += std::string(l) + "\r\n";
    return s + "end\r\n";
}

TEST(RadioGroupForms, ItemsAndTheChoiceReadAndWriteBack) {
    // The choice comes before the items it names, as the IDE writes them.
    const std::string text =
        FormWith({"  object Group1: TRadioGroup", "    Left = 8", "    Top = 8", "    Width = 185",
                  "    Height = 105", "    Caption = 'Size'", "    Columns = 2",
                  "    ItemIndex = 1", "    Items.Strings = (", "      'Small'", "      'Medium'",
                  "      'Large')", "    TabOrder = 0", "  end"});
    formtest::RootPtr root = formtest::Load(text);
    ASSERT_TRUE(root);
    auto* group = DynCast<TRadioGroup>(root->FindComponent("Group1"));
    ASSERT_TRUE(group);
    EXPECT_EQ(group->GetColumns(), 2);
    ASSERT_EQ(group->GetButtonCount(), 3);
    EXPECT_TRUE(group->GetButton(1)->GetChecked());
    EXPECT_EQ(group->GetButton(2)->GetLeft(), 8 + 87);
    // The buttons are the group's own: the form holds the items, not them.
    EXPECT_EQ(formtest::Save(root.get(), true), text);
    formtest::RootPtr again = formtest::Load(formtest::Save(root.get(), false));
    ASSERT_TRUE(again);
    EXPECT_EQ(DynCast<TRadioGroup>(again->FindComponent("Group1"))->GetItemIndex(), 1);
}

TEST(RadioGroupForms, AChoicePastTheItemsOfTheFormIsClamped) {
    formtest::RootPtr root =
        formtest::Load(FormWith({"  object Group1: TRadioGroup", "    ItemIndex = 5",
                                 "    Items.Strings = (", "      'a'", "      'b')", "  end"}));
    ASSERT_TRUE(root);
    auto* group = DynCast<TRadioGroup>(root->FindComponent("Group1"));
    ASSERT_TRUE(group);
    EXPECT_EQ(group->GetItemIndex(), 1);
    EXPECT_TRUE(group->GetButton(1)->GetChecked());
}

TEST_F(RadioGroups, LooksAsTheClassicGroupOfRadioButtons) {
    Fill({"Small", "Medium", "Large", "Huge"});
    Group->SetColumns(2);
    Group->SetItemIndex(1);
    picturetest::Picture image = picturetest::Own(Form.GetFormImage());
    picturetest::ExpectLooksAs(image.get(), "radio-group.png");
}

} // namespace
