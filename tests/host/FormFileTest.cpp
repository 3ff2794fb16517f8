// Form classes written in C++ that read their layouts: resources named after their classes
// (ancestors first), resource headers, and form files on disk.
#include "StreamingClasses.h"

#include "host/classes/ClassRegistration.h"
#include "host/classes/ComponentStreaming.h"
#include "host/classes/Reader.h"
#include "host/classes/Streams.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace host;
using namespace host::streaming_test;

namespace {

class FormFile : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterStreamingClasses();
        StreamLog().clear();
    }
    void TearDown() override {
        UnregisterResource(HInstance, "TTestForm", RT_RCDATA);
        UnregisterResource(HInstance, "TLayoutForm", RT_RCDATA);
        RegisterStreamingClasses();
    }
};

const std::string LayoutText = Lines({
    "object LayoutForm: TLayoutForm",
    "  Caption = 'Layout'",
    "  object Button1: TWidget",
    "    Caption = 'Press'",
    "    Buddy = Panel1",
    "    OnClick = Button1Click",
    "  end",
    "  object Panel1: TWidget",
    "    OnPing = PanelPing",
    "  end",
    "end",
});

} // namespace

TEST_F(FormFile, AFormClassReadsItsLayoutBindingFieldsAndHandlers) {
    // Classes that the form's fields name need no registration.
    UnRegisterClass(TWidget::StaticClass());
    RegisterResource(HInstance, "TLayoutForm", RT_RCDATA, LayoutText);
    TLayoutForm form(nullptr);
    EXPECT_TRUE(InitInheritedComponent(&form, TTestForm::StaticClass()));
    EXPECT_EQ(form.GetName(), "LayoutForm");
    EXPECT_EQ(form.GetCaption(), "Layout");
    ASSERT_NE(form.Button1, nullptr);
    ASSERT_NE(form.Panel1, nullptr);
    EXPECT_EQ(form.Button1->GetCaption(), "Press");
    EXPECT_EQ(form.Button1->GetBuddy(), form.Panel1);
    form.Button1->GetOnClick()(form.Button1);
    form.Panel1->GetOnPing()(form.Panel1, 3);
    EXPECT_EQ(form.Clicks, (std::vector<std::string>{"click Button1", "ping 3"}));
    EXPECT_EQ(form.LoadedCount, 1);
    EXPECT_EQ(form.Button1->LoadedCount, 1);
    EXPECT_TRUE(form.Button1->LoadingInLoaded);
    EXPECT_NE(std::find(StreamLog().begin(), StreamLog().end(), "caption while loading: Button1"),
              StreamLog().end());
    // A class that no field names and nobody registered cannot be read; nothing is left.
    UnRegisterClass(TTestForm::StaticClass());
    RegisterResource(HInstance, "TLayoutForm", RT_RCDATA,
                     Lines({"object F: TLayoutForm", "  object Sub: TTestForm", "  end", "end"}));
    TLayoutForm other(nullptr);
    EXPECT_THROW(InitInheritedComponent(&other, TTestForm::StaticClass()), EClassNotFound);
    EXPECT_EQ(other.GetComponentCount(), 0);
    EXPECT_EQ(other.LoadedCount, 0);
}

TEST_F(FormFile, AncestorLayoutsAreReadFirstAndLoadedRunsOnceAtTheEnd) {
    TTestForm base(nullptr);
    base.SetName("Base");
    auto* b = new TWidget(&base);
    b->SetName("Button1");
    b->SetCaption("base");
    b->SetCount(4);
    RegisterResource(HInstance, "TTestForm", RT_RCDATA, WriteForm(&base)); // a binary layout
    RegisterResource(
        HInstance, "TLayoutForm", RT_RCDATA,
        Lines({"inherited Derived: TLayoutForm", "  inherited Button1: TWidget",
               "    Caption = 'derived'", "  end", "  object Panel1: TWidget", "  end", "end"}));
    TLayoutForm form(nullptr);
    EXPECT_TRUE(InitInheritedComponent(&form, TComponent::StaticClass()));
    EXPECT_EQ(form.GetName(), "Derived");
    ASSERT_NE(form.Button1, nullptr);
    EXPECT_EQ(form.Button1->GetCaption(), "derived");
    EXPECT_EQ(form.Button1->GetCount(), 4);
    ASSERT_NE(form.Panel1, nullptr);
    EXPECT_EQ(form.LoadedCount, 1);
    EXPECT_EQ(form.Button1->LoadedCount, 1);
    EXPECT_EQ(form.Panel1->LoadedCount, 1);
    // Only what the descendant changed differs from the ancestor's layout.
    EXPECT_EQ(ToText(WriteForm(&form, &base)),
              Lines({"inherited Derived: TLayoutForm", "  inherited Button1: TWidget",
                     "    Caption = 'derived'", "  end", "  object Panel1: TWidget",
                     "    Items = <>", "  end", "end"}));
}

TEST_F(FormFile, ResourceHeadersWrapFormsInStreamsAndFiles) {
    TTestForm form(nullptr);
    form.SetName("Form1");
    form.SetCaption("c");
    TMemoryStream s;
    s.WriteComponentRes("TTestForm", &form);
    std::string bytes(static_cast<const char*>(s.GetMemory()),
                      static_cast<std::size_t>(s.GetSize()));
    std::string header("\xFF\x0A\x00TTESTFORM\x00\x30\x10", 15);
    EXPECT_EQ(bytes.substr(0, 15), header);
    std::string body = WriteForm(&form);
    EXPECT_EQ(static_cast<std::size_t>(static_cast<Byte>(bytes[15])), body.size());
    EXPECT_EQ(bytes.substr(19), body);
    s.SetPosition(0);
    auto* back = As<TTestForm>(s.ReadComponentRes(nullptr));
    EXPECT_EQ(back->GetCaption(), "c");
    back->Free();
    // Plain ReadComponent takes the resource header in its stride too.
    s.SetPosition(0);
    s.ReadComponent(nullptr)->Free();

    auto dir = std::filesystem::temp_directory_path() / "zeltrix-formfile-test";
    std::filesystem::create_directories(dir);
    AnsiString file = (dir / "form.res").string();
    WriteComponentResFile(file, &form);
    TTestForm read(nullptr);
    ReadComponentResFile(file, &read);
    EXPECT_EQ(read.GetName(), "Form1");
    EXPECT_EQ(read.GetCaption(), "c");
    std::filesystem::remove_all(dir);
}
