// TWriter: what is written and what is left out (defaults, stored flags, ancestors), and how
// references and events are named.
#include "StreamingClasses.h"

#include "host/classes/Reader.h"
#include "host/classes/Streams.h"
#include "host/classes/Writer.h"
#include "host/system/SysUtils.h"

#include <gtest/gtest.h>

using namespace host;
using namespace host::streaming_test;

namespace {

class Writer : public ::testing::Test {
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

struct Stranger {
    void Click(TObject*) {}
};

} // namespace

TEST_F(Writer, DefaultsAndUnstoredValuesAreLeftOut) {
    TTestForm form(nullptr);
    form.SetName("F");
    TWidget* w = NewWidget(&form, "W");
    EXPECT_EQ(ToText(WriteForm(&form)), Lines({"object F: TTestForm", "  object W: TWidget",
                                               "    Items = <>", "  end", "end"}));
    w->SetCount(13); // IsCountStored says no
    w->SetEnabled(false);
    w->SetLetter('b');
    w->SetShape(stSquare);
    w->SetColor(7); // no name for 7
    w->SetTag(-1);
    w->GetFont()->SetSize(8);
    w->GetFont()->SetName("Courier");
    Stranger stranger;
    // A handler that is no published method of the form has no name to write.
    w->SetOnClick(TNotifyEvent::Bind<&Stranger::Click>(&stranger));
    // A component without a name cannot be named either.
    w->SetBuddy(new TWidget(&form));
    EXPECT_EQ(ToText(WriteForm(&form)),
              Lines({"object F: TTestForm", "  object W: TWidget", "    Tag = -1",
                     "    Shape = stSquare", "    Enabled = False", "    Letter = 'b'",
                     "    Color = 7", "    Font.Name = 'Courier'", "    Items = <>", "  end",
                     "  object TWidget", "    Items = <>", "  end", "end"}));
}

TEST_F(Writer, ComponentsStateWritingWhileTheirStateIsWritten) {
    TTestForm form(nullptr);
    NewWidget(&form, "W");
    WriteForm(&form);
    EXPECT_EQ(StreamLog(), (std::vector<std::string>{"write state: W (writing)"}));
    EXPECT_FALSE(form.FindComponent("W")->GetComponentState().Contains(csWriting));
}

TEST_F(Writer, ReferencesAreNamedRelativeToTheRoot) {
    auto* other = new TTestForm(nullptr);
    other->SetName("Form2");
    TWidget* target = NewWidget(other, "Target");
    TTestForm form(nullptr);
    form.SetName("Form1");
    TWidget* a = NewWidget(&form, "A");
    TWidget* b = NewWidget(&form, "B");
    TWidget* c = NewWidget(&form, "C");
    a->SetBuddy(target);
    b->SetBuddy(other);
    c->SetBuddy(&form);
    std::string text = ToText(WriteForm(&form));
    EXPECT_NE(text.find("    Buddy = Form2.Target\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    Buddy = Form2.Owner\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    Buddy = Owner\r\n"), std::string::npos) << text;

    static TComponent* global = nullptr;
    global = other;
    FindGlobalComponent = [](const AnsiString& Name) -> TComponent* {
        return SameText(Name, global->GetName()) ? global : nullptr;
    };
    other->SetName("Form2"); // still
    auto* back = As<TTestForm>(ReadText(text));
    EXPECT_EQ(As<TWidget>(back->FindComponent("A"))->GetBuddy(), target);
    EXPECT_EQ(As<TWidget>(back->FindComponent("B"))->GetBuddy(), other);
    EXPECT_EQ(As<TWidget>(back->FindComponent("C"))->GetBuddy(), back);
    back->Free();
    FindGlobalComponent = nullptr;
    other->Free();
}

TEST_F(Writer, DescendentsWriteOnlyWhatDiffersFromTheAncestor) {
    auto build = [](TTestForm& f) {
        f.SetName("Form1");
        f.SetCaption("Base");
        TWidget* b = NewWidget(&f, "Button1");
        b->SetCaption("A");
        b->SetCount(1);
        b->GetLines()->Add("x");
        static_cast<TTestItem*>(b->GetItems()->Add())->SetCaption("i");
        NewWidget(&f, "Panel1");
    };
    TTestForm ancestor(nullptr), form(nullptr);
    build(ancestor);
    build(form);
    As<TWidget>(form.FindComponent("Button1"))->SetCaption("B");
    TWidget* extra = NewWidget(&form, "Extra");
    extra->SetComponentIndex(1); // between the inherited ones
    std::string text = ToText(WriteForm(&form, &ancestor));
    EXPECT_EQ(text,
              Lines({"inherited Form1: TTestForm", "  inherited Button1: TWidget",
                     "    Caption = 'B'", "  end", "  object Extra: TWidget [1]", "    Items = <>",
                     "  end", "  inherited Panel1: TWidget", "  end", "end"}));

    // Changed collections and lists are written whole.
    static_cast<TTestItem*>(As<TWidget>(form.FindComponent("Button1"))->GetItems()->GetItems(0))
        ->SetWidth(3);
    As<TWidget>(form.FindComponent("Panel1"))->GetLines()->Add("new");
    text = ToText(WriteForm(&form, &ancestor));
    EXPECT_NE(
        text.find("    Items = <\r\n      item\r\n        Caption = 'i'\r\n        Width = 3\r\n"),
        std::string::npos)
        << text;
    EXPECT_NE(text.find("    Lines.Strings = (\r\n      'new')"), std::string::npos) << text;

    // Reading the difference over a copy of the ancestor gives the descendant back.
    TTestForm copy(nullptr);
    ReadText(ToText(WriteForm(&ancestor)), &copy);
    ReadText(text, &copy);
    EXPECT_EQ(WriteForm(&copy), WriteForm(&form));
}

TEST_F(Writer, IgnoreChildrenWritesTheComponentAlone) {
    TTestForm form(nullptr);
    form.SetName("F");
    NewWidget(&form, "W");
    TMemoryStream s;
    {
        TWriter w(&s, 64);
        w.SetIgnoreChildren(true);
        w.WriteRootComponent(&form);
        w.FlushBuffer();
    }
    std::string b(static_cast<const char*>(s.GetMemory()), static_cast<std::size_t>(s.GetSize()));
    EXPECT_EQ(ToText(b), Lines({"object F: TTestForm", "end"}));
}

TEST_F(Writer, VariantsWithoutAFormRepresentationAreRefused) {
    TTestForm form(nullptr);
    TWidget* w = NewWidget(&form, "W");
    w->SetData(VarArrayOf({Variant(1), Variant(2)}));
    EXPECT_THROW(WriteForm(&form), EWriteError);
    w->SetData(Variant::Null());
    EXPECT_NE(ToText(WriteForm(&form)).find("    Data = Null\r\n"), std::string::npos);
    auto* back = As<TTestForm>(ReadText(ToText(WriteForm(&form))));
    EXPECT_TRUE(As<TWidget>(back->FindComponent("W"))->GetData().IsNull());
    back->Free();
}
