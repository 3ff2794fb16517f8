// TReader: its events with their var parameters, errors and recovery, references, and what
// a failed read leaves behind.
#include "StreamingClasses.h"

#include "host/classes/ClassRegistration.h"
#include "host/classes/Reader.h"
#include "host/classes/Streams.h"
#include "host/classes/Writer.h"
#include "host/system/SysUtils.h"

#include <gtest/gtest.h>

#include <functional>

using namespace host;
using namespace host::streaming_test;

namespace {

class Reader : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterStreamingClasses();
        StreamLog().clear();
    }

    /// Reads `Text` (a text form) with a reader whose events `Setup` may install.
    TComponent* Read(const std::string& Text, TComponent* Root = nullptr,
                     const std::function<void(TReader&)>& Setup = {}) {
        std::string b = ToBinary(Text);
        fStream.Clear();
        fStream.WriteBuffer(b.data(), static_cast<Integer>(b.size()));
        fStream.SetPosition(0);
        TReader r(&fStream, 64);
        if (Setup) Setup(r);
        return r.ReadRootComponent(Root);
    }

    template <class E>
    std::string ErrorOf(const std::string& Text, const std::function<void(TReader&)>& Setup = {}) {
        try {
            Read(Text, nullptr, Setup)->Free();
        } catch (const E& e) {
            return e.Message();
        }
        return "<no error>";
    }

    TMemoryStream fStream;
};

/// Records the reader's events and answers them as a test configures.
struct Events {
    std::vector<std::string> Errors;
    bool Handle = true;
    std::string RenameTo;
    std::string ReferenceTo;
    void* FoundAddress = nullptr;
    TComponent* Ancestor = nullptr;

    void OnError(TReader*, const AnsiString& Message, bool& Handled) {
        Errors.push_back(Message);
        EXPECT_FALSE(Handled);
        Handled = Handle;
    }
    void OnFindMethod(TReader*, const AnsiString& MethodName, void*& Address, bool& Error) {
        Errors.push_back("find " + MethodName + (Error ? " (missing)" : ""));
        if (FoundAddress) {
            Address = FoundAddress;
            Error = false;
        }
    }
    void OnSetName(TReader*, TComponent*, AnsiString& Name) {
        if (!RenameTo.empty()) Name = RenameTo + Name;
    }
    void OnReferenceName(TReader*, AnsiString& Name) {
        if (!ReferenceTo.empty()) Name = ReferenceTo;
    }
    void OnAncestorNotFound(TReader*, const AnsiString& Name, TClass, TComponent*& Component) {
        Errors.push_back("ancestor " + Name);
        Component = Ancestor;
    }
};

std::string Form(std::initializer_list<const char*> Body) {
    std::string s = "object Form1: TTestForm\r\n";
    for (const char* l : Body) s += std::string(l) + "\r\n";
    return s + "end\r\n";
}

} // namespace

TEST_F(Reader, UnknownPropertiesGoThroughOnErrorAndHandledOnesAreSkipped) {
    std::string text =
        Form({"  object Button1: TWidget", "    Bogus = (1 2 'three')", "    Caption = 'kept'",
              "    Font.Nope = 1", "    Shape = stHexagon", "    Count = 'five'", "    Count = 6",
              "    Lines.Strange = 1", "    Wide.Deeper = 1", "  end"});
    EXPECT_EQ(ErrorOf<EReadError>(text), "Property Bogus does not exist");
    Events ev;
    auto* form = As<TTestForm>(Read(text, nullptr, [&](TReader& r) {
        r.SetOnError(TReaderError::Bind<&Events::OnError>(&ev));
    }));
    EXPECT_EQ(ev.Errors, (std::vector<std::string>{
                             "Property Bogus does not exist", "Property Nope does not exist",
                             "Invalid property value", "Invalid property value",
                             "Property Strange does not exist", "Invalid property path"}));
    EXPECT_EQ(form->Button1->GetCaption(), "kept");
    EXPECT_EQ(form->Button1->GetCount(), 6);
    EXPECT_EQ(form->Button1->GetShape(), stCircle);
    form->Free();
    // A handler that leaves Handled false lets the reader raise the error.
    ev.Handle = false;
    ev.Errors.clear();
    EXPECT_EQ(
        ErrorOf<EReadError>(
            text, [&](TReader& r) { r.SetOnError(TReaderError::Bind<&Events::OnError>(&ev)); }),
        "Property Bogus does not exist");
    EXPECT_EQ(ev.Errors.size(), 1u);
}

TEST_F(Reader, EventsBindOnlyToPublishedMethodsOfTheirOwnSignature) {
    EXPECT_EQ(
        ErrorOf<EReadError>(Form({"  object Button1: TWidget", "    OnClick = Missing", "  end"})),
        "Invalid property value");
    // PanelPing takes (Sender, Value): it cannot handle OnClick.
    EXPECT_EQ(ErrorOf<EReadError>(
                  Form({"  object Button1: TWidget", "    OnClick = PanelPing", "  end"})),
              "Invalid property value");
    // OnFindMethod sees the name and may supply another method.
    Events ev;
    ev.FoundAddress = TTestForm::StaticClass()->FindMethod("Button1Click")->Code;
    auto* form = As<TTestForm>(Read(
        Form({"  object Button1: TWidget", "    OnClick = OldName", "    OnPing = nil", "  end"}),
        nullptr, [&](TReader& r) {
            r.SetOnFindMethod(TFindMethodEvent::Bind<&Events::OnFindMethod>(&ev));
        }));
    EXPECT_EQ(ev.Errors, (std::vector<std::string>{"find OldName (missing)"}));
    form->Button1->GetOnClick()(form->Button1);
    EXPECT_EQ(form->Clicks, (std::vector<std::string>{"click Button1"}));
    EXPECT_FALSE(form->Button1->GetOnPing().Assigned());
    form->Free();
    // An address that is no method of the root is refused, whatever the handler says.
    static int notCode;
    ev.FoundAddress = &notCode;
    EXPECT_EQ(ErrorOf<EReadError>(
                  Form({"  object Button1: TWidget", "    OnClick = Other", "  end"}),
                  [&](TReader& r) {
                      r.SetOnFindMethod(TFindMethodEvent::Bind<&Events::OnFindMethod>(&ev));
                  }),
              "Invalid property value");
}

TEST_F(Reader, OnSetNameAndOnReferenceNameChangeTheNames) {
    Events ev;
    ev.RenameTo = "My";
    ev.ReferenceTo = "MyPanel1";
    auto* form = As<TTestForm>(
        Read(Form({"  object Button1: TWidget", "    Buddy = Elsewhere", "  end",
                   "  object Panel1: TWidget", "  end"}),
             nullptr, [&](TReader& r) {
                 r.SetOnSetName(TSetNameEvent::Bind<&Events::OnSetName>(&ev));
                 r.SetOnReferenceName(TReferenceNameEvent::Bind<&Events::OnReferenceName>(&ev));
             }));
    auto* b = As<TWidget>(form->FindComponent("MyButton1"));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetBuddy(), form->FindComponent("MyPanel1"));
    EXPECT_EQ(form->Button1, nullptr); // no field of the new name
    form->Free();
}

TEST_F(Reader, InheritedComponentsAreFoundOrAskedFor) {
    TTestForm form(nullptr);
    auto* existing = new TWidget(&form);
    existing->SetName("Button1");
    Read(Form({"  inherited Button1: TWidget", "    Caption = 'changed'", "  end"}), &form);
    EXPECT_EQ(existing->GetCaption(), "changed");
    EXPECT_EQ(existing->LoadedCount, 1);
    EXPECT_EQ(form.GetComponentCount(), 1);

    std::string missing = Form({"  inherited Gone: TWidget", "  end"});
    EXPECT_EQ(ErrorOf<EReadError>(missing), "Ancestor for 'Gone' not found");
    Events ev;
    TTestForm other(nullptr);
    ev.Ancestor = new TWidget(&other);
    Read(missing, &form, [&](TReader& r) {
        r.SetOnAncestorNotFound(TAncestorNotFoundEvent::Bind<&Events::OnAncestorNotFound>(&ev));
    });
    EXPECT_EQ(ev.Errors, (std::vector<std::string>{"ancestor Gone"}));
    EXPECT_EQ(static_cast<TWidget*>(ev.Ancestor)->LoadedCount, 1);
}

TEST_F(Reader, BadFormsRaiseTheHostsErrorsAndLeaveNothingBehind) {
    std::size_t live = LiveObjects::Count();
    EXPECT_EQ(ErrorOf<EClassNotFound>(Form({"  object X: TNope", "  end"})),
              "Class TNope not found");
    EXPECT_EQ(ErrorOf<EClassNotFound>("object A: TNope\r\nend\r\n"), "Class TNope not found");
    // A registered class that is no component cannot be created by a form.
    RegisterClass(TStringList::StaticClass());
    EXPECT_EQ(ErrorOf<EClassNotFound>(Form({"  object X: TStringList", "  end"})),
              "Class TStringList not found");
    EXPECT_EQ(ErrorOf<EComponentError>(
                  Form({"  object A: TWidget", "  end", "  object A: TWidget", "  end"})),
              "A component named A already exists");
    EXPECT_EQ(ErrorOf<EReadError>(Form({"  object A: TWidget", "    object B: TWidget",
                                        "      Buddy = (1)", "    end", "  end"})),
              "Invalid property value");
    EXPECT_EQ(LiveObjects::Count(), live);

    // Every truncation of a good form fails cleanly.
    std::string good =
        ToBinary(Form({"  object A: TWidget", "    Caption = 'x'", "    Lines.Strings = ('a')",
                       "    object B: TWidget", "    end", "  end"}));
    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        TMemoryStream s;
        s.WriteBuffer(good.data(), static_cast<Integer>(cut));
        s.SetPosition(0);
        EXPECT_THROW(s.ReadComponent(nullptr), EReadError) << cut;
        EXPECT_EQ(LiveObjects::Count(), live + 1) << cut; // the stream itself
    }
}

TEST_F(Reader, AnErrorInLoadedAbandonsTheWholeRead) {
    std::size_t live = LiveObjects::Count();
    EXPECT_EQ(ErrorOf<EComponentError>(Form({"  object A: TWidget", "  end", "  object B: TWidget",
                                             "    Caption = 'fail in Loaded'", "  end"})),
              "Loaded failed");
    EXPECT_EQ(LiveObjects::Count(), live);
}

TEST_F(Reader, AFailedReadIntoAGivenRootFreesOnlyWhatItCreated) {
    TTestForm form(nullptr);
    auto* mine = new TWidget(&form);
    mine->SetName("Mine");
    EXPECT_THROW(Read(Form({"  Caption = 'x'", "  object Button1: TWidget", "  end",
                            "  object Bad: TNope", "  end"}),
                      &form),
                 EClassNotFound);
    EXPECT_EQ(form.GetComponentCount(), 1);
    EXPECT_EQ(form.GetComponents(0), mine);
    EXPECT_EQ(form.Button1, nullptr);
    EXPECT_FALSE(form.GetComponentState().Contains(csLoading));
    EXPECT_EQ(form.LoadedCount, 0);
}

TEST_F(Reader, ReferencesToFormsNotLoadedYetAreResolvedLater) {
    static TComponent* globalForm = nullptr;
    FindGlobalComponent = [](const AnsiString& Name) -> TComponent* {
        return globalForm && SameText(Name, globalForm->GetName()) ? globalForm : nullptr;
    };
    auto* form = As<TTestForm>(
        Read(Form({"  object Button1: TWidget", "    Buddy = Form2.Target", "  end"})));
    EXPECT_EQ(form->Button1->GetBuddy(), nullptr);
    auto* form2 = As<TTestForm>(
        Read("object Form2: TTestForm\r\n  object Target: TWidget\r\n  end\r\nend\r\n"));
    globalForm = form2;
    GlobalFixupReferences();
    EXPECT_EQ(form->Button1->GetBuddy(), form2->FindComponent("Target"));
    // A second form named like a loaded one gets a unique name.
    auto* form3 = As<TTestForm>(Read("object Form2: TTestForm\r\nend\r\n"));
    EXPECT_EQ(form3->GetName(), "Form2_1");
    form3->Free();
    form->Free();
    form2->Free();
    globalForm = nullptr;
    FindGlobalComponent = nullptr;
    RemoveFixups(nullptr);
}

TEST_F(Reader, ReferencesMustNameAComponentOfThePropertysClass) {
    // Partner takes a TWidget: the form itself is no widget.
    EXPECT_EQ(
        ErrorOf<EReadError>(Form({"  object Button1: TWidget", "    Partner = Owner", "  end"})),
        "Invalid property value");
    Events ev;
    auto* form = As<TTestForm>(Read(
        Form({"  object Button1: TWidget", "    Partner = Owner", "    Buddy = Nowhere", "  end"}),
        nullptr, [&](TReader& r) { r.SetOnError(TReaderError::Bind<&Events::OnError>(&ev)); }));
    EXPECT_EQ(ev.Errors, (std::vector<std::string>{"Invalid property value"}));
    EXPECT_EQ(form->Button1->GetPartner(), nullptr);
    EXPECT_EQ(form->Button1->GetBuddy(), nullptr); // perhaps on a form still to come
    form->Free();
    RemoveFixups(nullptr);
}

TEST_F(Reader, IgnoreChildrenSkipsTheChildren) {
    auto* form = As<TTestForm>(Read(Form({"  Caption = 'c'", "  object Button1: TWidget",
                                          "    object Inner: TWidget", "    end", "  end"}),
                                    nullptr, [](TReader& r) { r.SetIgnoreChildren(true); }));
    EXPECT_EQ(form->GetCaption(), "c");
    EXPECT_EQ(form->GetComponentCount(), 0);
    form->Free();
}

TEST_F(Reader, ValuesOfTheWrongKindAreRefusedAndTheReaderStaysInStep) {
    // Each value read as another kind raises; the next value is still read correctly.
    TMemoryStream s;
    {
        TWriter w(&s, 64);
        w.WriteString("text");
        w.WriteInteger(7);
        w.WriteValue(vaInt8);
        w.FlushBuffer();
    }
    s.SetPosition(0);
    TReader r(&s, 16);
    EXPECT_THROW(r.ReadInteger(), EReadError);
    r.SetPosition(0);
    EXPECT_THROW(r.ReadBoolean(), EReadError);
    r.SetPosition(0);
    r.SkipValue();
    EXPECT_EQ(r.ReadInteger(), 7);
    EXPECT_THROW(r.ReadInteger(), EReadError); // the tag without its byte
    EXPECT_EQ(r.GetPosition(), s.GetSize());
}

TEST_F(Reader, PositionAndFlushKeepTheStreamInLineWithWhatWasRead) {
    TMemoryStream s;
    {
        TWriter w(&s, 16);
        for (int i = 0; i < 100; ++i) w.WriteInteger(1000); // three bytes each
        EXPECT_EQ(w.GetPosition(), 300);
        w.FlushBuffer();
    }
    s.SetPosition(0);
    {
        TReader r(&s, 32);
        EXPECT_EQ(r.ReadInteger(), 1000);
        EXPECT_EQ(r.ReadInteger(), 1000);
        EXPECT_EQ(r.GetPosition(), 6);
        EXPECT_EQ(s.GetPosition(), 32); // a buffer ahead
        r.FlushBuffer();
        EXPECT_EQ(s.GetPosition(), 6);
        EXPECT_EQ(r.ReadInteger(), 1000);
    }
    EXPECT_EQ(s.GetPosition(), 9); // the destructor gives back what was not read
}

TEST_F(Reader, ReadComponentsReadsASequenceOfFormsIntoAnOwner) {
    // What a designer puts on the clipboard: signature and component, again and again.
    TTestForm source(nullptr);
    auto* a = new TWidget(&source);
    a->SetName("A");
    auto* b = new TWidget(&source);
    b->SetName("B");
    b->SetBuddy(a);
    TMemoryStream s;
    {
        TWriter w(&s, 64);
        w.SetRoot(&source);
        for (TComponent* c : {static_cast<TComponent*>(a), static_cast<TComponent*>(b)}) {
            w.WriteSignature();
            w.WriteComponent(c);
        }
        w.WriteListEnd();
        w.FlushBuffer();
    }
    s.SetPosition(0);
    TTestForm target(nullptr);
    std::vector<std::string> got;
    struct Collect {
        std::vector<std::string>* Names;
        void Add(TComponent* C) { Names->push_back(C->GetName()); }
    } collect{&got};
    TReader r(&s, 64);
    r.ReadComponents(&target, &target, TReadComponentsProc::Bind<&Collect::Add>(&collect));
    EXPECT_EQ(got, (std::vector<std::string>{"A", "B"}));
    ASSERT_EQ(target.GetComponentCount(), 2);
    EXPECT_EQ(As<TWidget>(target.FindComponent("B"))->GetBuddy(), target.FindComponent("A"));
    EXPECT_EQ(As<TWidget>(target.FindComponent("A"))->LoadedCount, 1);
}

TEST_F(Reader, ErrorsInsideACustomPropertysReaderAreNotOfferedToOnError) {
    // Where a DefineProperties reader stopped is unknown, so nothing can be skipped safely.
    Events ev;
    EXPECT_EQ(ErrorOf<EReadError>(
                  Form({"  object Button1: TWidget", "    Lines.Strings = (1)", "  end"}),
                  [&](TReader& r) { r.SetOnError(TReaderError::Bind<&Events::OnError>(&ev)); }),
              "Invalid property value");
    EXPECT_TRUE(ev.Errors.empty());
}
