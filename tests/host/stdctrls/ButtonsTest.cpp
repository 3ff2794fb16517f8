// Buttons, check boxes, radio buttons, labels and group boxes through the input API: clicks,
// the default and cancel buttons, accelerators, the states a click moves through.
#include "host/controls/Input.h"
#include "host/forms/Form.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/PngFile.h"
#include "host/menus/Keys.h"
#include "host/stdctrls/ButtonControls.h"
#include "host/stdctrls/Labels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace host;

struct Log {
    std::vector<std::string> Lines;
    void Click(TObject* Sender) {
        Lines.push_back(static_cast<TComponent*>(Sender)->GetName() + " click");
    }
};

template <class T>
T* Put(TWinControl* Parent, const char* Name, TRect R, const char* Caption = "") {
    auto* c = new T(Parent->GetOwner() ? Parent->GetOwner() : Parent);
    c->SetName(Name);
    c->SetParent(Parent);
    c->SetBoundsRect(R);
    if (*Caption) c->SetCaption(Caption);
    return c;
}

struct Buttons : ::testing::Test {
    TForm Form{nullptr};
    Log L;
    void SetUp() override {
        Form.SetBounds(0, 0, 308, 227);
        Form.SetCaption("Buttons");
    }
};

TEST_F(Buttons, AButtonClicksWhenReleasedOverItAndSetsItsFormsModalResult) {
    auto* ok = Put<TButton>(&Form, "Ok", {10, 10, 85, 35}, "OK");
    ok->SetOnClick(TNotifyEvent::Bind<&Log::Click>(&L));
    Form.Show();
    input::Click(ok);
    EXPECT_EQ(L.Lines, (std::vector<std::string>{"Ok click"}));
    EXPECT_TRUE(ok->Focused()); // the press took the focus
    // Pressed and dragged off: no click.
    input::MouseDown(&Form, {20, 20});
    EXPECT_TRUE(ok->IsPressed());
    input::MouseMove(&Form, {200, 150});
    EXPECT_FALSE(ok->IsPressed());
    input::MouseUp(&Form, {200, 150});
    EXPECT_EQ(L.Lines.size(), 1u);
    // The space bar clicks the focused button, as the platform's buttons do.
    input::PressKey(VK_SPACE);
    EXPECT_EQ(L.Lines.size(), 2u);
    ok->SetModalResult(mrOk);
    input::Click(ok);
    EXPECT_EQ(Form.GetModalResult(), mrOk);
}

TEST_F(Buttons, EnterAndEscAnswerTheDefaultAndCancelButtonsAndAcceleratorsClick) {
    auto* check = Put<TCheckBox>(&Form, "Check", {10, 10, 150, 27}, "&Remember");
    auto* save = Put<TButton>(&Form, "Save", {10, 40, 85, 65}, "&Save");
    auto* cancel = Put<TButton>(&Form, "Cancel", {100, 40, 175, 65}, "Cancel");
    save->SetDefault(true);
    cancel->SetCancel(true);
    save->SetOnClick(TNotifyEvent::Bind<&Log::Click>(&L));
    cancel->SetOnClick(TNotifyEvent::Bind<&Log::Click>(&L));
    check->SetOnClick(TNotifyEvent::Bind<&Log::Click>(&L));
    Form.Show();
    check->SetFocus();
    input::PressKey(VK_RETURN);
    input::PressKey(VK_ESCAPE);
    EXPECT_EQ(L.Lines, (std::vector<std::string>{"Save click", "Cancel click"}));
    // With another button focused, Enter is that button's.
    cancel->SetFocus();
    EXPECT_FALSE(save->IsActive());
    L.Lines.clear();
    input::PressKey(VK_RETURN);
    EXPECT_EQ(L.Lines, (std::vector<std::string>{"Cancel click"}));
    // A character no control wants is an accelerator: S clicks Save, R toggles Remember.
    L.Lines.clear();
    input::Type("sr");
    EXPECT_EQ(L.Lines, (std::vector<std::string>{"Save click", "Check click"}));
    EXPECT_TRUE(check->GetChecked());
    EXPECT_TRUE(check->Focused());
}

TEST_F(Buttons, ACheckBoxMovesThroughItsStatesAndARadioButtonIsOnePerParent) {
    auto* check = Put<TCheckBox>(&Form, "Check", {10, 10, 150, 27}, "Grayed too");
    check->SetOnClick(TNotifyEvent::Bind<&Log::Click>(&L));
    check->SetAllowGrayed(true);
    Form.Show();
    std::vector<TCheckBoxState> seen;
    for (int i = 0; i < 3; ++i) {
        input::Click(check);
        seen.push_back(check->GetState());
    }
    EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
    EXPECT_EQ(L.Lines.size(), 3u);
    // Set in code it clicks too, unless clicks are disabled; setting the same state does not.
    check->SetChecked(true);
    check->SetChecked(true);
    check->SetClicksDisabled(true);
    check->SetChecked(false);
    EXPECT_EQ(L.Lines.size(), 4u);

    auto* group = Put<TGroupBox>(&Form, "Group", {10, 40, 200, 140}, "Size");
    auto* small = Put<TRadioButton>(group, "Small", {8, 20, 100, 37}, "Small");
    auto* large = Put<TRadioButton>(group, "Large", {8, 40, 100, 57}, "Large");
    auto* outside = Put<TRadioButton>(&Form, "Outside", {220, 40, 300, 57}, "Other");
    outside->SetChecked(true);
    input::Click(small);
    EXPECT_TRUE(small->GetChecked());
    input::Click(large);
    EXPECT_TRUE(large->GetChecked());
    EXPECT_FALSE(small->GetChecked());
    EXPECT_TRUE(outside->GetChecked()); // another parent, another group
    EXPECT_TRUE(large->GetTabStop() && !small->GetTabStop());
    // The group box's children sit below its caption.
    EXPECT_GT(small->ClientToScreen({0, 0}).Y - group->ClientToScreen({0, 0}).Y, 8);
}

TEST_F(Buttons, ALabelSizesToItsTextAndPassesItsAcceleratorOn) {
    auto* label = Put<TLabel>(&Form, "NameLabel", {10, 10, 20, 20}, "&Name:");
    auto* target = Put<TCheckBox>(&Form, "Target", {80, 10, 180, 27}, "x");
    auto* other = Put<TButton>(&Form, "Other", {10, 60, 85, 85}, "Other");
    label->SetFocusControl(target);
    EXPECT_EQ(label->GetWidth(), label->GetCanvas()->TextWidth("Name:"));
    EXPECT_EQ(label->GetHeight(), label->GetCanvas()->TextHeight("Name:"));
    label->SetAlignment(taRightJustify);
    Integer right = label->GetLeft() + label->GetWidth();
    label->SetCaption("&Full name:");
    EXPECT_EQ(label->GetLeft() + label->GetWidth(), right); // grows to the left
    Form.Show();
    other->SetFocus();
    input::Type("f");
    EXPECT_TRUE(target->Focused());
    label->SetShowAccelChar(false);
    other->SetFocus();
    input::Type("f");
    EXPECT_TRUE(other->Focused());
    target->Free(); // the label lets go of it
    EXPECT_EQ(label->GetFocusControl(), nullptr);
}

} // namespace
