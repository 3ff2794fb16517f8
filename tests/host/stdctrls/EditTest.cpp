// Edit boxes through the input API: typing, the caret and selection by keys and mouse, the
// clipboard and undo, and the settings that limit what is typed.
#include "host/stdctrls/Edit.h"
#include "host/clipbrd/Clipboard.h"
#include "host/controls/Input.h"
#include "host/forms/Form.h"
#include "host/menus/Keys.h"
#include "host/stdctrls/ButtonControls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace host;

struct Edits : ::testing::Test {
    TForm Form{nullptr};
    TEdit* Edit;
    TEdit* Other;
    int Changes = 0;
    void Changed(TObject*) { ++Changes; }
    void SetUp() override {
        Form.SetBounds(0, 0, 308, 127);
        Edit = new TEdit(&Form);
        Edit->SetParent(&Form);
        Edit->SetBounds(10, 10, 200, 21);
        Other = new TEdit(&Form);
        Other->SetParent(&Form);
        Other->SetBounds(10, 40, 200, 21);
        Edit->SetOnChange(TNotifyEvent::Bind<&Edits::Changed>(this));
        Form.Show();
        Edit->SetFocus();
    }
    std::string Sel() { return Edit->GetSelText(); }
};

TEST_F(Edits, TypingEditsAtTheCaretAndTheKeysMoveAndSelect) {
    input::Type("Hello world");
    EXPECT_EQ(Edit->GetText(), "Hello world");
    EXPECT_EQ(Changes, 11);
    EXPECT_TRUE(Edit->GetModified());
    input::PressKey(VK_HOME);
    input::PressKey(VK_RIGHT, {ssShift});
    input::PressKey(VK_RIGHT, {ssShift});
    EXPECT_EQ(Sel(), "He");
    input::Type("J");
    EXPECT_EQ(Edit->GetText(), "Jllo world");
    input::PressKey(VK_END);
    input::PressKey(VK_LEFT, {ssCtrl, ssShift}); // the last word
    EXPECT_EQ(Sel(), "world");
    input::PressKey(VK_BACK);
    input::PressKey(VK_BACK);
    EXPECT_EQ(Edit->GetText(), "Jllo");
    input::PressKey(VK_HOME);
    input::PressKey(VK_DELETE);
    EXPECT_EQ(Edit->GetText(), "llo");
    EXPECT_EQ(Edit->GetSelStart(), 0);
    // Code sets the text: the caret goes to the start and Modified is cleared.
    Edit->SetText("set");
    EXPECT_FALSE(Edit->GetModified());
    EXPECT_FALSE(Edit->GetCanUndo());
}

TEST_F(Edits, TheClipboardAndOneLevelOfUndo) {
    input::Type("copy me");
    input::PressKey(VK_LEFT, {ssCtrl, ssShift});
    input::PressKey('C', {ssCtrl});
    EXPECT_EQ(Clipboard().GetAsText(), "me");
    input::PressKey(VK_HOME);
    input::PressKey('V', {ssCtrl});
    EXPECT_EQ(Edit->GetText(), "mecopy me");
    input::PressKey('Z', {ssCtrl});
    EXPECT_EQ(Edit->GetText(), "copy me");
    input::PressKey('Z', {ssCtrl}); // undo again redoes
    EXPECT_EQ(Edit->GetText(), "mecopy me");
    Edit->SelectAll();
    input::PressKey('X', {ssCtrl});
    EXPECT_EQ(Edit->GetText(), "");
    EXPECT_EQ(Clipboard().GetAsText(), "mecopy me");
    // A password is shown hidden and never copied out.
    Edit->SetPasswordChar('*');
    Edit->SetText("secret");
    Edit->SelectAll();
    Clipboard().SetAsText("before");
    Edit->CopyToClipboard();
    EXPECT_EQ(Clipboard().GetAsText(), "before");
    Edit->SetPasswordChar(0);
    Edit->CopyToClipboard();
    EXPECT_EQ(Clipboard().GetAsText(), "secret");
    // Only the first line of the clipboard goes into a single-line edit.
    Clipboard().SetAsText("one\r\ntwo");
    Edit->SetText("");
    Edit->PasteFromClipboard();
    EXPECT_EQ(Edit->GetText(), "one");
}

TEST_F(Edits, TheLimitTheCaseAndReadOnlyShapeWhatIsTyped) {
    Edit->SetMaxLength(5);
    input::Type("abcdefg");
    EXPECT_EQ(Edit->GetText(), "abcde");
    Edit->SetSelText("in code, past the limit");
    EXPECT_EQ(Edit->GetText(), "abcdein code, past the limit");
    Edit->SetMaxLength(0);
    Edit->SetText("");
    Edit->SetCharCase(ecUpperCase);
    input::Type("Mixed");
    EXPECT_EQ(Edit->GetText(), "MIXED");
    Edit->SetCharCase(ecLowerCase);
    EXPECT_EQ(Edit->GetText(), "mixed");
    Edit->SetReadOnly(true);
    int before = Changes;
    input::Type("x");
    input::PressKey(VK_BACK);
    EXPECT_EQ(Edit->GetText(), "mixed");
    EXPECT_EQ(Changes, before);
    // A key the handler takes types nothing; one it changes types the new character.
    Edit->SetReadOnly(false);
    Edit->SetCharCase(ecNormal);
    Edit->SetText("");
    struct Upper {
        void Key(TObject*, char& K) { K = K == 'q' ? 0 : char(std::toupper(K)); }
    } upper;
    Edit->SetOnKeyPress(TKeyPressEvent::Bind<&Upper::Key>(&upper));
    input::Type("aqb");
    EXPECT_EQ(Edit->GetText(), "AB");
}

TEST_F(Edits, TheMouseAndTheFocusPlaceTheCaretOrSelectAll) {
    Edit->SetText("alpha beta");
    // Tab brings the focus with everything selected; a click places the caret instead.
    Other->SetFocus();
    input::PressKey(VK_TAB, {ssShift});
    EXPECT_TRUE(Edit->Focused());
    EXPECT_EQ(Sel(), "alpha beta");
    input::Click(&Form, Form.ScreenToClient(Edit->ClientToScreen({1, 5})));
    EXPECT_EQ(Edit->GetSelLength(), 0);
    EXPECT_EQ(Edit->GetSelStart(), 0);
    // A double click selects the word under the mouse.
    TPoint inBeta = Form.ScreenToClient(Edit->ClientToScreen({Edit->GetWidth() / 2 - 30, 5}));
    input::DoubleClick(&Form, inBeta);
    EXPECT_EQ(Sel(), "beta");
    // Enter in an edit is its form's: the default button clicks.
    auto* ok = new TButton(&Form);
    ok->SetParent(&Form);
    ok->SetBounds(220, 10, 75, 25);
    ok->SetDefault(true);
    int clicks = 0;
    struct Count {
        int* N;
        void Click(TObject*) { ++*N; }
    } count{&clicks};
    ok->SetOnClick(TNotifyEvent::Bind<&Count::Click>(&count));
    Edit->SetFocus();
    input::PressKey(VK_RETURN);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Edit->GetText(), "alpha beta");
}

} // namespace
