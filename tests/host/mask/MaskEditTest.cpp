// Edit masks and masked edits: the mask's fields and directives, formatting a value, typing and
// deleting through the mask by the input API, and the check when the focus leaves.
#include "host/mask/MaskEdit.h"
#include "host/classes/ObjectText.h"
#include "host/classes/Streams.h"
#include "host/clipbrd/Clipboard.h"
#include "host/controls/Input.h"
#include "host/forms/Application.h"
#include "host/forms/Form.h"
#include "host/menus/Keys.h"
#include "host/system/SysUtils.h"

#include <gtest/gtest.h>

namespace {

using namespace host;

TEST(EditMasks, FieldsDirectivesAndFormatting) {
    EXPECT_EQ(MaskGetMask("!\\(999\\) 000-0000;1;_"), "!\\(999\\) 000-0000");
    EXPECT_TRUE(MaskGetMaskSave("000"));
    EXPECT_FALSE(MaskGetMaskSave("000;0;*"));
    EXPECT_EQ(MaskGetMaskBlank("000;0;*"), '*');
    EXPECT_EQ(MaskGetMaskBlank("000;0"), '_');
    EXPECT_EQ(MaskGetMask("a\\;b;0;_"), "a\\;b"); // an escaped separator is the mask's

    TParsedMask phone("!\\(999\\) 000-0000;1;_");
    EXPECT_EQ(phone.BlankText(), "(___) ___-____");
    EXPECT_EQ(phone.FormatText("(555) 123-4567"), "(555) 123-4567");
    EXPECT_EQ(phone.FormatText("5551234567"), "(555) 123-4567"); // literals the value lacks
    TParsedMask bare("(999) 000-0000;0;_");
    EXPECT_EQ(bare.FormatText("5551234567"), "(555) 123-4567");
    EXPECT_EQ(bare.TextOf("(555) 123-45__"), "55512345  ");
    EXPECT_EQ(phone.TextOf("(555) 123-45__"), "(555) 123-45  ");

    // '!' fills from the end: a short value leaves the blanks in front.
    EXPECT_EQ(TParsedMask("!999;0;_").FormatText("12"), "_12");
    EXPECT_EQ(TParsedMask("999;0;_").FormatText("12"), "12_");
    // Case, "<>" ending it, escaped and special literals.
    EXPECT_EQ(TParsedMask(">LL<ll<>ll;0;_").FormatText("abCDeF"), "ABcdeF");
    EXPECT_EQ(TParsedMask("\\L0_00:00/0;1;*").BlankText(), "L* **:**-*");
    EXPECT_EQ(FormatMaskText("00/00/00;0;_", "1203"), "12-03-  ");
    EXPECT_EQ(FormatMaskText("", "as is"), "as is");
    // What a position may not hold is dropped, not shifted into the next one.
    EXPECT_EQ(TParsedMask("000;0;_").FormatText("1x3"), "1_3");

    EXPECT_EQ(phone.FirstInvalid("(555) 123-4567"), -1);
    EXPECT_EQ(phone.FirstInvalid("(___) 123-4567"), -1); // 9: optional
    EXPECT_EQ(phone.FirstInvalid("(555) 1_3-4567"), 7);
    EXPECT_EQ(TParsedMask("#0").FirstInvalid("+x"), 1);
}

struct MaskEdits : ::testing::Test {
    TForm Form{nullptr};
    TMaskEdit* Edit;
    TMaskEdit* Other;
    int Changes = 0;
    void Changed(TObject*) { ++Changes; }
    void SetUp() override {
        Form.SetBounds(0, 0, 300, 120);
        Edit = new TMaskEdit(&Form);
        Edit->SetParent(&Form);
        Edit->SetBounds(10, 10, 200, 21);
        Edit->SetEditMask("!\\(999\\) 000-0000;1;_");
        Other = new TMaskEdit(&Form);
        Other->SetParent(&Form);
        Other->SetBounds(10, 40, 200, 21);
        Edit->SetOnChange(TNotifyEvent::Bind<&MaskEdits::Changed>(this));
        Form.Show();
        Edit->SetFocus();
        Edit->SetSelStart(0);
    }
};

TEST_F(MaskEdits, TypingFillsThePositionsAndSkipsTheLiterals) {
    EXPECT_TRUE(Edit->GetIsMasked());
    EXPECT_TRUE(Edit->GetMaskState().Contains(msMasked));
    EXPECT_EQ(Edit->GetMaxLength(), 14);
    EXPECT_EQ(Edit->GetEditText(), "(___) ___-____");
    input::Type("555");
    EXPECT_EQ(Edit->GetEditText(), "(555) ___-____");
    EXPECT_EQ(Edit->GetSelStart(), 6); // past ") ", on the next input
    Cardinal beeps = BeepCount();
    input::Type("x"); // a digit's place
    EXPECT_EQ(BeepCount(), beeps + 1);
    input::Type("1234567");
    EXPECT_EQ(Edit->GetEditText(), "(555) 123-4567");
    EXPECT_EQ(Edit->GetText(), "(555) 123-4567");
    EXPECT_EQ(Edit->GetTextLen(), 14);
    input::Type("9"); // full
    EXPECT_EQ(BeepCount(), beeps + 2);
    EXPECT_EQ(Edit->GetEditText(), "(555) 123-4567");
    EXPECT_EQ(Changes, 10);

    // Backspace steps back over the literal and blanks a position; Delete blanks in place.
    Edit->SetSelStart(10);
    input::PressKey(VK_BACK);
    EXPECT_EQ(Edit->GetEditText(), "(555) 12_-4567");
    EXPECT_EQ(Edit->GetSelStart(), 8);
    input::PressKey(VK_HOME);
    input::PressKey(VK_DELETE);
    EXPECT_EQ(Edit->GetEditText(), "(_55) 12_-4567");
    // A selection typed over is blanked first; typing a literal steps over it.
    Edit->SetSelStart(1);
    Edit->SetSelLength(8);
    input::Type("42) 7");
    EXPECT_EQ(Edit->GetEditText(), "(42_) 7__-4567");
    input::PressKey('Z', {ssCtrl}); // one level: the last character
    EXPECT_EQ(Edit->GetEditText(), "(42_) ___-4567");
}

TEST_F(MaskEdits, AClickPastWhatWasEnteredTypesAtTheFirstBlank) {
    input::Click(Other);
    Other->SetEditMask("000-000;0;_");
    Other->SetEditText("12_-___");
    input::Click(Other); // the middle of the box: past the text
    EXPECT_EQ(Other->GetSelStart(), 2);
    input::Type("3456");
    EXPECT_EQ(Other->GetEditText(), "123-456");
}

TEST_F(MaskEdits, TextAndEditTextInCodeAndThroughTheClipboard) {
    Edit->SetText("0301234567");
    EXPECT_EQ(Edit->GetEditText(), "(030) 123-4567");
    EXPECT_FALSE(Edit->GetModified());
    Edit->SetEditText("(12x) 4");
    EXPECT_EQ(Edit->GetEditText(), "(12_) 4__-____");
    // A new mask keeps the text; without one the text is plain.
    Edit->SetEditMask("000-0;0;*");
    EXPECT_EQ(Edit->GetEditText(), "12*-4");
    EXPECT_EQ(Edit->GetText(), "12 4");
    Edit->SetEditMask("");
    EXPECT_FALSE(Edit->GetIsMasked());
    EXPECT_EQ(Edit->GetText(), "12 4");
    EXPECT_EQ(Edit->GetMaxLength(), 0);

    Edit->SetEditMask(">LLL;0;_");
    Edit->SetText("");
    Clipboard().SetAsText("ab1cd");
    Edit->SetSelStart(0);
    input::PressKey('V', {ssCtrl});
    EXPECT_EQ(Edit->GetEditText(), "AB_"); // pasting stops at what the mask refuses
}

TEST_F(MaskEdits, LeavingWithARequiredPositionEmptyKeepsTheFocusAndEscAbandons) {
    Edit->SetText("0301234567");
    input::Type("9");
    Edit->SetSelStart(10);
    input::PressKey(VK_DELETE);
    EXPECT_EQ(Edit->GetEditText(), "(930) 123-_567");
    input::Click(Other);
    EXPECT_TRUE(Edit->Focused());
    EXPECT_EQ(Application()->LastMessageBoxText(), std::string(SMaskEditErr) + ".");
    EXPECT_EQ(Edit->GetSelStart(), 10);
    EXPECT_THROW(Edit->ValidateEdit(), EDBEditError);

    // Esc brings back the text from before this round of editing; then leaving is allowed.
    input::PressKey(VK_ESCAPE);
    EXPECT_EQ(Edit->GetEditText(), "(030) 123-4567");
    EXPECT_FALSE(Edit->GetModified());
    input::Click(Other);
    EXPECT_TRUE(Other->Focused());
}

TEST(MaskEditStreaming, TheMaskTheLengthAndTheTextRoundTrip) {
    TForm form(nullptr);
    auto* edit = new TMaskEdit(&form);
    edit->SetName("Phone");
    edit->SetParent(&form);
    edit->SetEditMask("!\\(999\\)000-0000;1;_");
    edit->SetEditText("(030)123-45__");
    TMemoryStream stream;
    stream.WriteComponent(edit);
    TStringStream text("");
    stream.SetPosition(0);
    ObjectBinaryToText(&stream, &text);
    EXPECT_NE(text.GetDataString().find("MaxLength = 13"), std::string::npos);
    EXPECT_NE(text.GetDataString().find("Text = '(030)123-45  '"), std::string::npos);

    TForm other(nullptr);
    auto* copy = new TMaskEdit(&other);
    copy->SetParent(&other);
    stream.SetPosition(0);
    stream.ReadComponent(copy);
    EXPECT_EQ(copy->GetEditMask(), "!\\(999\\)000-0000;1;_");
    EXPECT_EQ(copy->GetEditText(), "(030)123-45__");
}

} // namespace
