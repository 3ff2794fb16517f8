// Message, input and common dialogs answered as a user answers them: the modal hook types into
// and clicks the controls the dialogs name.
#include "host/classes/StringList.h"
#include "host/controls/Input.h"
#include "host/dialogs/CommonDialogs.h"
#include "host/dialogs/MessageDialogs.h"
#include "host/forms/Application.h"
#include "host/graphics/GraphicsObjects.h"
#include "host/menus/Keys.h"
#include "host/stdctrls/ButtonControls.h"
#include "host/stdctrls/Edit.h"
#include "host/stdctrls/Labels.h"
#include "host/system/SysUtils.h"
#include "tests/host/ReferencePictures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace host;

/// Answers each modal form with the next of `Answers`; records the forms' captions.
struct Answering {
    std::vector<std::function<void(TCustomForm*)>> Answers;
    std::vector<std::string> Captions;
    std::size_t Next = 0;
    static void Hook(TCustomForm* Form, void* Data) {
        auto* self = static_cast<Answering*>(Data);
        self->Captions.push_back(Form->GetCaption());
        if (self->Next < self->Answers.size()) self->Answers[self->Next++](Form);
    }
    explicit Answering(std::vector<std::function<void(TCustomForm*)>> A) : Answers(std::move(A)) {
        TCustomForm::SetModalHook(&Hook, this);
    }
    ~Answering() { TCustomForm::SetModalHook(nullptr, nullptr); }
};

void Press(TCustomForm* Form, const char* Button) {
    input::Click(static_cast<TControl*>(Form->FindComponent(Button)));
}

auto TypeAndPress(const char* Text, const char* Button) {
    return [=](TCustomForm* F) {
        input::Type(Text);
        Press(F, Button);
    };
}

TEST(MessageDialogs, ButtonsCaptionsAndTheAnswers) {
    std::unique_ptr<TForm> dlg(CreateMessageDialog("Save changes?", mtConfirmation, mbYesNoCancel));
    EXPECT_EQ(dlg->GetCaption(), "Confirm");
    auto* yes = static_cast<TButton*>(dlg->FindComponent("Yes"));
    auto* cancel = static_cast<TButton*>(dlg->FindComponent("Cancel"));
    ASSERT_TRUE(yes && cancel && dlg->FindComponent("No"));
    EXPECT_TRUE(yes->GetDefault());
    EXPECT_TRUE(cancel->GetCancel());
    EXPECT_EQ(static_cast<TLabel*>(dlg->FindComponent("Message"))->GetCaption(), "Save changes?");
    EXPECT_LT(yes->GetLeft(), cancel->GetLeft());
    dlg->Show();
    picturetest::Picture image = picturetest::Own(dlg->GetFormImage());
    picturetest::ExpectLooksAs(image.get(), "message-dialog.png");
    dlg->Hide();

    Answering a({[](TCustomForm* F) { Press(F, "No"); },
                 [](TCustomForm*) { input::PressKey(VK_ESCAPE); },
                 [](TCustomForm*) { input::PressKey(VK_RETURN); }, TypeAndPress("Bob", "OK"),
                 [](TCustomForm* F) { Press(F, "Cancel"); }});
    EXPECT_EQ(MessageDlg("Save changes?", mtConfirmation, mbYesNoCancel, 0), mrNo);
    EXPECT_EQ(MessageDlg("Really?", mtWarning, mbOKCancel, 0), mrCancel);
    ShowMessage("Done.");
    EXPECT_EQ(a.Captions[2], Application()->GetTitle());
    AnsiString name = "Ann";
    EXPECT_TRUE(InputQuery("Name", "Your name:", name));
    EXPECT_EQ(name, "Bob"); // typing replaced the selected default
    EXPECT_EQ(InputBox("Name", "Your name:", "Ann"), "Ann");
}

TEST(CommonDialogs, AFileDialogsAnswerIsThePathTyped) {
    TOpenDialog open(nullptr);
    open.SetInitialDir("/tmp");
    open.SetDefaultExt("txt");
    open.SetFilter("Text files (*.txt)|*.txt|All files (*.*)|*.*");
    {
        Answering a({TypeAndPress("notes", "OK"), [](TCustomForm* F) { Press(F, "Cancel"); }});
        EXPECT_TRUE(open.Execute());
        EXPECT_EQ(open.GetFileName(), "/tmp/notes.txt");
        EXPECT_EQ(open.GetFiles()->GetCount(), 1);
        EXPECT_FALSE(open.Execute());
        EXPECT_EQ(open.GetFileName(), "/tmp/notes.txt");
        EXPECT_EQ(a.Captions[0], "Open");
    }
    // A file that must exist and does not: the dialog says so and answers false.
    open.SetOptions({ofFileMustExist, ofAllowMultiSelect});
    {
        Answering a({TypeAndPress("\"/no/such\" \"/tmp\"", "OK"), TypeAndPress("", "OK")});
        EXPECT_FALSE(open.Execute());
        EXPECT_EQ(a.Captions.back(), "Warning");
        EXPECT_EQ(open.GetFiles()->GetCount(), 2);
    }
    const std::string path = "/tmp/zeltrix-save-dialog.txt";
    std::fclose(std::fopen(path.c_str(), "w"));
    TSaveDialog save(nullptr);
    save.SetOptions({ofOverwritePrompt});
    {
        Answering a({TypeAndPress(path.c_str(), "OK"), [](TCustomForm* F) { Press(F, "No"); },
                     TypeAndPress(path.c_str(), "OK"), [](TCustomForm* F) { Press(F, "Yes"); }});
        EXPECT_FALSE(save.Execute());
        EXPECT_TRUE(save.Execute());
        EXPECT_EQ(a.Captions[0], "Save As");
    }
    std::remove(path.c_str());
}

TEST(CommonDialogs, ColourAndFontAreTypedAndChecked) {
    TColorDialog colour(nullptr);
    TFontDialog font(nullptr);
    font.GetFont()->SetName("Liberation Sans");
    font.SetOptions({fdEffects, fdLimitSize});
    font.SetMinFontSize(6);
    font.SetMaxFontSize(20);
    Answering a({TypeAndPress("clRed", "OK"), TypeAndPress("sky", "OK"),
                 TypeAndPress("", "OK"), // the error's OK
                 [](TCustomForm* F) {
                     auto* size = static_cast<TEdit*>(F->FindComponent("FontSize"));
                     size->SetText("14");
                     input::Click(static_cast<TControl*>(F->FindComponent("Bold")));
                     Press(F, "OK");
                 },
                 [](TCustomForm* F) {
                     static_cast<TEdit*>(F->FindComponent("FontSize"))->SetText("99");
                     Press(F, "OK");
                 }});
    EXPECT_TRUE(colour.Execute());
    EXPECT_EQ(colour.GetColor(), clRed);
    EXPECT_FALSE(colour.Execute());
    EXPECT_EQ(colour.GetColor(), clRed);
    EXPECT_TRUE(font.Execute());
    EXPECT_EQ(font.GetFont()->GetSize(), 14);
    EXPECT_TRUE(font.GetFont()->GetStyle().Contains(fsBold));
    EXPECT_FALSE(font.Execute()); // past the limit
    EXPECT_EQ(font.GetFont()->GetSize(), 14);
}

struct Finding {
    std::vector<std::string> Log;
    void Found(TObject* S) { Log.push_back("find " + static_cast<TFindDialog*>(S)->GetFindText()); }
    void Replaced(TObject* S) {
        auto* d = static_cast<TReplaceDialog*>(S);
        Log.push_back(std::string(d->GetOptions().Contains(frReplaceAll) ? "all " : "one ") +
                      d->GetReplaceText());
    }
};

TEST(CommonDialogs, FindAndReplaceStayOpenAndReport) {
    Finding f;
    TReplaceDialog dialog(nullptr);
    dialog.SetOnFind(TNotifyEvent::Bind<&Finding::Found>(&f));
    dialog.SetOnReplace(TNotifyEvent::Bind<&Finding::Replaced>(&f));
    dialog.SetFindText("cat");
    EXPECT_TRUE(dialog.Execute());
    TForm* form = dialog.GetForm();
    ASSERT_TRUE(form && form->GetVisible());
    Press(form, "FindNext");
    static_cast<TEdit*>(form->FindComponent("ReplaceText"))->SetText("dog");
    input::Click(static_cast<TControl*>(form->FindComponent("MatchCase")));
    Press(form, "Replace");
    Press(form, "ReplaceAll");
    EXPECT_TRUE(dialog.GetOptions().Contains(frMatchCase));
    Press(form, "Cancel");
    EXPECT_FALSE(form->GetVisible());
    EXPECT_EQ(f.Log, (std::vector<std::string>{"find cat", "one dog", "all dog"}));
    EXPECT_EQ(dialog.GetReplaceText(), "dog");
}

} // namespace
