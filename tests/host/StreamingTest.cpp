// Component streaming end to end: a form with every kind of property written, read back and
// written again.
#include "StreamingClasses.h"

#include "host/classes/ClassRegistration.h"
#include "host/classes/Streams.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace host;
using namespace host::streaming_test;

namespace {

class Streaming : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterStreamingClasses();
        StreamLog().clear();
    }
};

TWidget* NewWidget(TComponent* Owner, const char* Name) {
    auto* w = new TWidget(Owner);
    w->SetName(Name);
    return w;
}

/// Form1 with Button1 (every property set), Panel1 holding Kid1 and Kid2.
TTestForm* BuildForm() {
    auto* form = new TTestForm(nullptr);
    form->SetName("Form1");
    form->SetCaption("Main");
    TWidget* b = NewWidget(form, "Button1");
    TWidget* p = NewWidget(form, "Panel1");
    b->SetCaption("Don't");
    b->SetCount(5);
    b->SetBig(5000000000LL);
    b->SetRatio(0.1);
    b->SetScale(1.5f);
    b->SetPrecise(1.0L / 3);
    b->SetPrice(Currency::FromScaled(123400));
    b->SetWhen(45000.5);
    b->SetShape(stTriangle);
    b->SetFlags({fsBold, fsUnderline});
    b->SetEnabled(false);
    b->SetLetter('z');
    b->SetWide(u"w\u0416");
    b->SetData(Variant(42));
    b->SetColor(1);
    b->GetFont()->SetName("Arial");
    b->GetFont()->SetSize(10);
    b->GetFont()->SetStyle({fsItalic});
    static_cast<TTestItem*>(b->GetItems()->Add())->SetCaption("first");
    static_cast<TTestItem*>(b->GetItems()->Add())->SetWidth(7);
    b->GetLines()->Add("line one");
    b->GetLines()->Add("");
    b->SetBuddy(p);
    b->SetOnClick(TNotifyEvent::Bind<&TTestForm::Button1Click>(form));
    b->SetOnPing(TPingEvent::Bind<&TTestForm::PanelPing>(form));
    b->SetDesignInfo(10 | (20 << 16));
    TWidget* k1 = NewWidget(form, "Kid1");
    TWidget* k2 = NewWidget(form, "Kid2");
    k1->SetParentComponent(p);
    k2->SetParentComponent(p);
    k2->SetBuddy(form);
    return form;
}

const std::string FormText = Lines({
    "object Form1: TTestForm",
    "  Caption = 'Main'",
    "  object Button1: TWidget",
    "    Caption = 'Don'#39't'",
    "    Count = 5",
    "    Big = 5000000000",
    "    Ratio = 0.10000000000000000555",
    "    Scale = 1.500000000000000000s",
    "    Precise = 0.33333333333333333334",
    "    Price = 123400c",
    "    When = 45000.500000000000000000d",
    "    Shape = stTriangle",
    "    Flags = [fsBold, fsUnderline]",
    "    Enabled = False",
    "    Letter = 'z'",
    "    Wide = 'w'#1046",
    "    Data = 42",
    "    Color = clRed",
    "    Font.Name = 'Arial'",
    "    Font.Size = 10",
    "    Font.Style = [fsItalic]",
    "    Items = <",
    "      item",
    "        Caption = 'first'",
    "      end",
    "      item",
    "        Width = 7",
    "      end>",
    "    Lines.Strings = (",
    "      'line one'",
    "      '')",
    "    Buddy = Panel1",
    "    OnClick = Button1Click",
    "    OnPing = PanelPing",
    "    Left = 10",
    "    Top = 20",
    "  end",
    "  object Panel1: TWidget",
    "    Items = <>",
    "    object Kid1: TWidget",
    "      Items = <>",
    "    end",
    "    object Kid2: TWidget",
    "      Items = <>",
    "      Buddy = Owner",
    "    end",
    "  end",
    "end",
});

} // namespace

TEST_F(Streaming, WritesEveryPropertyKindInTheHostsLayout) {
    TTestForm* form = BuildForm();
    EXPECT_EQ(ToText(WriteForm(form)), FormText);
    form->Free();
}

TEST_F(Streaming, ReadingRestoresEveryPropertyAndWritesTheSameBytesAgain) {
    TTestForm* original = BuildForm();
    std::string binary = WriteForm(original);
    original->Free();

    TMemoryStream s;
    s.WriteBuffer(binary.data(), static_cast<Integer>(binary.size()));
    s.SetPosition(0);
    auto* form = As<TTestForm>(s.ReadComponent(nullptr));
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->GetName(), "Form1");
    EXPECT_EQ(form->GetCaption(), "Main");
    TWidget* b = form->Button1;
    TWidget* p = form->Panel1;
    ASSERT_NE(b, nullptr);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(b->GetCaption(), "Don't");
    EXPECT_EQ(b->GetCount(), 5);
    EXPECT_EQ(b->GetBig(), 5000000000LL);
    EXPECT_EQ(b->GetRatio(), 0.1);
    EXPECT_EQ(b->GetScale(), 1.5f);
    EXPECT_EQ(b->GetPrecise(), 1.0L / 3);
    EXPECT_EQ(b->GetPrice().Scaled, 123400);
    EXPECT_EQ(b->GetWhen(), 45000.5);
    EXPECT_EQ(b->GetShape(), stTriangle);
    EXPECT_EQ(b->GetFlags(), (TStyles{fsBold, fsUnderline}));
    EXPECT_FALSE(b->GetEnabled());
    EXPECT_EQ(b->GetLetter(), 'z');
    EXPECT_EQ(b->GetWide(), u"w\u0416");
    EXPECT_EQ(b->GetData().AsInteger(), 42);
    EXPECT_EQ(b->GetColor(), 1);
    EXPECT_EQ(b->GetFont()->GetName(), "Arial");
    EXPECT_EQ(b->GetFont()->GetSize(), 10);
    ASSERT_EQ(b->GetItems()->GetCount(), 2);
    EXPECT_EQ(static_cast<TTestItem*>(b->GetItems()->GetItems(0))->GetCaption(), "first");
    EXPECT_EQ(static_cast<TTestItem*>(b->GetItems()->GetItems(1))->GetWidth(), 7);
    EXPECT_EQ(b->GetLines()->GetTextStr(), "line one\r\n\r\n");
    EXPECT_EQ(b->GetDesignInfo(), 10 | (20 << 16));
    // References and events are bound to the new form's own objects.
    EXPECT_EQ(b->GetBuddy(), p);
    b->GetOnClick()(b);
    b->GetOnPing()(b, 9);
    EXPECT_EQ(form->Clicks, (std::vector<std::string>{"click Button1", "ping 9"}));
    ASSERT_EQ(p->Kids().size(), 2u);
    EXPECT_EQ(p->Kids()[0]->GetName(), "Kid1");
    EXPECT_EQ(p->Kids()[1]->GetBuddy(), form);
    EXPECT_EQ(p->Kids()[0]->GetOwner(), form);

    EXPECT_EQ(WriteForm(form), binary);
    form->Free();
}

TEST_F(Streaming, LoadedRunsOncePerComponentAfterTheReferencesAreSet) {
    auto* form = As<TTestForm>(ReadText(FormText));
    EXPECT_EQ(form->LoadedCount, 1);
    for (TWidget* w :
         {form->Button1, form->Panel1, form->Panel1->Kids()[0], form->Panel1->Kids()[1]}) {
        EXPECT_EQ(w->LoadedCount, 1) << w->GetName();
        EXPECT_TRUE(w->LoadingInLoaded) << w->GetName();
        EXPECT_FALSE(w->GetComponentState().Contains(csLoading));
        EXPECT_FALSE(w->GetComponentState().Contains(csReading));
    }
    EXPECT_EQ(form->Button1->BuddyInLoaded, form->Panel1);
    EXPECT_EQ(form->Panel1->Kids()[1]->BuddyInLoaded, form);
    form->Free();
}

TEST_F(Streaming, ChildrenJoinTheirParentWhileLoadingBeforeTheirProperties) {
    TComponent* form = ReadText(
        Lines({"object F: TTestForm", "  object P: TWidget", "    Caption = 'p'",
               "    object K: TWidget", "      Caption = 'k'", "    end", "  end", "end"}));
    EXPECT_EQ(StreamLog(),
              (std::vector<std::string>{
                  "read state: TWidget", "set parent: P in F", "caption while loading: P",
                  "read state: TWidget", "set parent: K in P", "caption while loading: K",
                  // the root first, then each component once its children are read
                  "loaded: F", "loaded: K", "loaded: P"}));
    form->Free();
}

TEST_F(Streaming, ReadingIntoAnExistingRootBindsItsFieldsAndKeepsIt) {
    TTestForm form(nullptr);
    form.SetName("Existing");
    TComponent* r =
        ReadText(Lines({"object Form1: TTestForm", "  Caption = 'x'", "  object Button1: TWidget",
                        "    OnClick = Button1Click", "  end", "end"}),
                 &form);
    EXPECT_EQ(r, &form);
    EXPECT_EQ(form.GetName(), "Form1");
    EXPECT_EQ(form.GetCaption(), "x");
    ASSERT_NE(form.Button1, nullptr);
    EXPECT_EQ(form.Button1->GetOwner(), &form);
    form.Button1->GetOnClick()(form.Button1);
    EXPECT_EQ(form.Clicks.size(), 1u);
    EXPECT_EQ(form.LoadedCount, 1);
}
