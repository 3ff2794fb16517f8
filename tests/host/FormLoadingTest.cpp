// Forms from real projects: a root class of the form's own, components of classes this program
// lacks, properties newer IDEs write. They load, report what was kept, and save back unchanged.
#include "StreamingClasses.h"

#include "host/classes/ClassRegistration.h"
#include "host/classes/FormLoading.h"
#include "host/classes/TypInfo.h"
#include "host/classes/KeptProperties.h"
#include "host/classes/ObjectText.h"
#include "host/classes/StandIn.h"
#include "host/classes/Streams.h"

#include "tests/host/FormFiles.h"

#include <gtest/gtest.h>

#include <memory>

using namespace host;
using namespace host::streaming_test;

namespace {

using namespace formtest;

bool HasNote(const std::vector<TFormLoadNote>& Notes, const char* Path, const char* Part) {
    for (const TFormLoadNote& n : Notes)
        if (n.Path == Path && n.Message.find(Part) != AnsiString::npos) return true;
    return false;
}

// Written in the converter's canonical layout, so that saving must give back the same text.
const std::string ProjectForm = Lines({
    "object Form1: TForm1",
    "  Left = -8",
    "  Top = 107",
    "  Caption = 'Form1'",
    "  ClientHeight = 300",
    "  OnCreate = FormCreate",
    "  object Grid1: TThirdPartyGrid",
    "    Left = 8",
    "    Options = [goEditing, goTabs]",
    "    Columns = <",
    "      item",
    "        Title = 'A'",
    "      end>",
    "    object Inner: TThirdPartyButton",
    "      Caption = 'x'",
    "    end",
    "  end",
    "  object Button1: TWidget",
    "    Caption = 'Press'",
    "    Items = <",
    "      item",
    "        Caption = 'one'",
    "        ImageIndex = 4",
    "      end>",
    "    Buddy = Grid1",
    "    Partner = Grid1",
    "    OnClick = Button1Click",
    "    ExplicitWidth = 75",
    "  end",
    "  object Probe: TComponent",
    "    Tag = 'not a number'",
    "  end",
    "end",
});

class FormLoading : public ::testing::Test {
protected:
    void SetUp() override { RegisterStreamingClasses(); }
};

TEST_F(FormLoading, UnknownClassesBecomeStandInsThatKeepTheirTree) {
    std::vector<TFormLoadNote> notes;
    RootPtr root = Load(ProjectForm, notes);
    // The root's own class is made at run time over the form class its properties imply.
    ASSERT_FALSE(AsStandIn(root.get()));
    EXPECT_EQ(root->ClassName(), "TForm1");
    EXPECT_TRUE(root->InheritsFrom(GetClass("TForm")));
    EXPECT_EQ(root->GetName(), "Form1");

    TComponent* grid = root->FindComponent("Grid1");
    TComponent* inner = root->FindComponent("Inner");
    ASSERT_TRUE(grid && inner);
    EXPECT_TRUE(AsStandIn(grid) && AsStandIn(inner));
    EXPECT_EQ(grid->ClassName(), "TThirdPartyGrid");
    EXPECT_EQ(inner->GetParentComponent(), grid);
    // A class made at run time is made once per name.
    EXPECT_EQ(grid->ClassType(), StandInClass("tthirdpartygrid"));
    EXPECT_EQ(GetClass("TThirdPartyGrid"), nullptr); // nor is it registered for other forms

    // What a stand-in holds is kept as streamed, not reported one property at a time.
    ASSERT_TRUE(grid->GetKeptProperties());
    EXPECT_EQ(grid->GetKeptProperties()->Items().size(), 3u); // Left, Options, Columns
    EXPECT_FALSE(HasNote(notes, "Form1.Grid1", "Options"));
    EXPECT_TRUE(HasNote(notes, "Form1.Grid1", "stand-in"));
    EXPECT_TRUE(HasNote(notes, "Form1.Grid1.Inner", "stand-in"));
    EXPECT_TRUE(HasNote(notes, "Form1", "the form's own class"));
}

TEST_F(FormLoading, PropertiesAKnownClassCannotTakeAreReportedAndKept) {
    std::vector<TFormLoadNote> notes;
    RootPtr root = Load(ProjectForm, notes);
    auto* button = DynCast<TWidget>(root->FindComponent("Button1"));
    ASSERT_TRUE(button);
    EXPECT_EQ(button->GetCaption(), "Press");
    // A reference to a stand-in resolves where the property's class allows it ...
    EXPECT_EQ(button->GetBuddy(), root->FindComponent("Grid1"));
    // ... and is kept where it does not.
    EXPECT_EQ(button->GetPartner(), nullptr);
    EXPECT_TRUE(HasNote(notes, "Form1.Button1", "Partner:"));
    EXPECT_TRUE(HasNote(notes, "Form1.Button1",
                        "ExplicitWidth: Property ExplicitWidth does not exist; kept"));
    EXPECT_TRUE(
        HasNote(notes, "Form1.Button1", "OnClick: TForm1 has no method Button1Click; kept"));
    EXPECT_TRUE(HasNote(notes, "Form1.Button1", "ImageIndex")); // inside a collection item
    EXPECT_TRUE(HasNote(notes, "Form1.Probe", "Tag: Invalid property value; kept"));
    // A form's own properties are the form's now.
    EXPECT_FALSE(HasNote(notes, "Form1", "ClientHeight"));
    EXPECT_EQ(GetOrdProp(root.get(), GetPropInfo(root.get(), "ClientHeight")), 300);
    // Each note names the component's own class, as the form names it.
    EXPECT_EQ(notes[0].Path, "Form1");
    EXPECT_EQ(notes[0].ClassName, "TForm1");
}

TEST_F(FormLoading, SavingWritesBackWhatWasRead) {
    std::vector<TFormLoadNote> notes;
    RootPtr root = Load(ProjectForm, notes);
    EXPECT_EQ(Save(root.get(), true), ProjectForm);

    // The binary form reads back to the same text, through a second load.
    std::string binary = Save(root.get(), false);
    std::vector<TFormLoadNote> again;
    RootPtr second = Load(binary, again);
    EXPECT_EQ(Save(second.get(), true), ProjectForm);
    EXPECT_EQ(again.size(), notes.size());
}

TEST_F(FormLoading, InheritedComponentsWithoutTheirAncestorAreKeptAsInherited) {
    // A form of an inherited form, and a frame whose children come from the frame's own form:
    // neither ancestor is loaded.
    const std::string text = Lines({
        "inherited Form2: TForm2",
        "  Caption = 'Child'",
        "  inherited Panel1: TVendorPanel [0]",
        "    Visible = False",
        "    inline Frame1: TFrame1",
        "      Tag = 7",
        "      inherited Label1: TLabel",
        "        Caption = 'in the frame'",
        "      end",
        "    end",
        "  end",
        "  object Button2: TWidget",
        "    Caption = 'new here'",
        "    Items = <>",
        "  end",
        "end",
    });
    std::vector<TFormLoadNote> notes;
    RootPtr root = Load(text, notes);
    TComponent* panel = root->FindComponent("Panel1");
    ASSERT_TRUE(panel);
    TComponent* frame = root->FindComponent("Frame1");
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->GetTag(), 7);
    EXPECT_TRUE(frame->GetComponentState().Contains(csInline));
    EXPECT_TRUE(frame->FindComponent("Label1")); // a frame owns its children
    EXPECT_TRUE(HasNote(notes, "Form2.Panel1", "ancestor form that is not loaded"));
    EXPECT_EQ(Save(root.get(), true), text);
}

TEST_F(FormLoading, ARegisteredRootClassIsCreatedFromItsClass) {
    const std::string text = Lines({
        "object Form2: TTestForm",
        "  TextHeight = 13",
        "  object Button1: TWidget",
        "    Caption = 'Go'",
        "  end",
        "end",
    });
    std::vector<TFormLoadNote> notes;
    RootPtr root = Load(text, notes);
    ASSERT_TRUE(DynCast<TTestForm>(root.get()));
    EXPECT_FALSE(AsStandIn(root.get()));
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].Path, "Form2");
    EXPECT_EQ(notes[0].ClassName, "TTestForm");
}

TEST_F(FormLoading, WhatIsNotAFormStillFails) {
    std::vector<TFormLoadNote> notes;
    EXPECT_THROW(Load("hello", notes), EReadError);
    EXPECT_THROW(Load(Lines({"object Form1: TForm1", "  Caption = 'x'"}), notes), Exception);
    // A class name that is no identifier cannot be a class of the form's own.
    EXPECT_THROW(Load(Lines({"object A: 9Bad", "end"}), notes), Exception);
}

} // namespace
