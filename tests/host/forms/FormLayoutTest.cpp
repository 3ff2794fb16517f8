// A form class written in C++ with its layout in a text form file: made, it reads the layout
// registered under its class name, binding its published fields and handlers by name, and
// runs as any form; a layout that does not read leaves no form behind.
#include "host/classes/ComponentStreaming.h"
#include "host/classes/Streams.h"
#include "host/controls/Input.h"
#include "host/forms/Application.h"
#include "tests/host/FormFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace host;

class TAboutForm : public TForm {
    HOST_CLASS(TAboutForm, TForm)
public:
    using TForm::TForm;
    // Published: bound by name when the layout is read.
    TScrollBox* Box = nullptr;
    void FormCreate(TObject*) { Heard.push_back("create, box " + std::to_string(Box != nullptr)); }
    void BoxClick(TObject* Sender) {
        Heard.push_back("click " + static_cast<TComponent*>(Sender)->GetName());
    }
    std::vector<std::string> Heard;
};

const TPublishedMethod AboutMethods[] = {
    HOST_PUBLISHED_METHOD(TAboutForm, FormCreate, TNotifyEvent),
    HOST_PUBLISHED_METHOD(TAboutForm, BoxClick, TNotifyEvent),
};
const TPublishedField AboutFields[] = {
    {"Box", TScrollBox::StaticClass(),
     [](TObject* o) { return reinterpret_cast<TObject**>(&static_cast<TAboutForm*>(o)->Box); }},
};

} // namespace

HOST_COMPONENT_METACLASS(
    TAboutForm, TForm,
    {.Methods = AboutMethods, .MethodCount = 2, .Fields = AboutFields, .FieldCount = 1});

namespace {

struct Layout : ::testing::Test {
    void TearDown() override { UnregisterResource(HInstance, "TAboutForm", RT_RCDATA); }
};

TEST_F(Layout, AFormClassReadsItsLayoutAndRunsWithIt) {
    RegisterResource(HInstance, "TAboutForm", RT_RCDATA,
                     formtest::Lines({
                         "object AboutForm: TAboutForm",
                         "  Caption = 'About'",
                         "  ClientHeight = 120",
                         "  ClientWidth = 200",
                         "  OnCreate = FormCreate",
                         "  object Box: TScrollBox",
                         "    Left = 8",
                         "    Top = 8",
                         "    Width = 100",
                         "    Height = 60",
                         "    OnClick = BoxClick",
                         "  end",
                         "end",
                     }));
    auto* form = static_cast<TAboutForm*>(CreateComponent(TAboutForm::StaticClass(), nullptr));
    EXPECT_EQ(form->GetName(), "AboutForm");
    EXPECT_EQ(form->GetCaption(), "About");
    EXPECT_EQ(form->GetClientWidth(), 200);
    ASSERT_NE(form->Box, nullptr);
    EXPECT_EQ(form->Box->GetParent(), form);
    EXPECT_FALSE(form->GetFormState().Contains(fsCreating));
    form->Show();
    input::Click(form->Box);
    EXPECT_EQ(form->Heard, (std::vector<std::string>{"create, box 1", "click Box"}));
    form->Free();
}

TEST_F(Layout, ALayoutThatDoesNotReadLeavesNoFormBehind) {
    RegisterResource(
        HInstance, "TAboutForm", RT_RCDATA,
        formtest::Lines({"object AboutForm: TAboutForm", "  OnCreate = NoSuchMethod", "end"}));
    Integer forms = Screen()->GetCustomFormCount();
    EXPECT_THROW(CreateComponent(TAboutForm::StaticClass(), nullptr), EReadError);
    EXPECT_EQ(Screen()->GetCustomFormCount(), forms);
    // Without a layout the class is built in code, as any form.
    UnregisterResource(HInstance, "TAboutForm", RT_RCDATA);
    TComponent* plain = CreateComponent(TAboutForm::StaticClass(), nullptr);
    EXPECT_EQ(plain->GetComponentCount(), 0);
    plain->Free();
}

} // namespace
