// The masked edits' class infos: the mask state as a set by address, the text with and without
// the mask's formatting, and ValidateEdit raising the host's error through Invoke.
#include "ClassesFixture.h"

#include "host/forms/Form.h"
#include "host/mask/MaskEdit.h"

#include <gtest/gtest.h>

using namespace classes_test;
using Mask = ClassesTest;

TEST_F(Mask, TextsStateAndValidationThroughTheClassInfo) {
    TForm form(nullptr);
    auto* edit = new TMaskEdit(&form);
    edit->SetParent(&form);
    Set(edit, "EditMask", AnsiString("000-00;0;_"));
    EXPECT_TRUE(Get(edit, "IsMasked").AsBoolean());
    EXPECT_EQ(Get(edit, "MaxLength").AsInteger(), 6);
    Set(edit, "Text", AnsiString("12345"));
    EXPECT_EQ(Get(edit, "EditText").AsString(), "123-45");
    Set(edit, "EditText", AnsiString("9_8-7"));
    EXPECT_EQ(Get(edit, "Text").AsString(), "9 87 ");
    EXPECT_EQ(Call(edit, "GetTextLen")->Result.AsInteger(), 5);

    const auto* state = static_cast<const TMaskedState*>(Get(edit, "MaskState").AsAddress());
    EXPECT_TRUE(state->Contains(msMasked));
    TMaskedState reEnter{msMasked, msReEnter};
    Set(edit, "MaskState", Variant::Address(&reEnter));
    EXPECT_TRUE(edit->GetMaskState() == reEnter);

    EXPECT_THROW(Call(edit, "ValidateEdit"), EDBEditError);
    EXPECT_EQ(edit->GetSelStart(), 1);
    Call(edit, "Clear");
    EXPECT_EQ(edit->GetEditText(), "___-__");
    // TMaskEdit's class info only republishes: the request reaches TCustomMaskEdit's code.
    EXPECT_EQ(Info(edit)->FindProperty("EditMask")->Visibility, pvPublished);
}
