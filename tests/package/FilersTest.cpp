// The filer class infos on live readers and writers: values written through a writer's class
// info read back through a reader's, ReadPrefix's write-back, and the reader's five events
// steering a form being read.
#include "ClassesFixture.h"

#include "core/ValueConv.h"
#include "host/classes/ClassRegistration.h"
#include "host/classes/Component.h"
#include "host/classes/ObjectText.h"
#include "host/classes/Reader.h"
#include "host/classes/Streams.h"
#include "host/classes/TypInfo.h"
#include "host/classes/Writer.h"

#include <memory>

namespace classes_test {

/// A component with a published event and reference, and a published handler for the event.
class TFilerProbe : public TComponent {
    HOST_CLASS(TFilerProbe, TComponent)
public:
    explicit TFilerProbe(TComponent* AOwner) : TComponent(AOwner) {}

    TComponent* GetBuddy() const { return FBuddy; }
    void SetBuddy(TComponent* V) { FBuddy = V; }
    TNotifyEvent GetOnPoke() const { return FOnPoke; }
    void SetOnPoke(TNotifyEvent V) { FOnPoke = V; }
    void Poke() {
        if (FOnPoke) FOnPoke(this);
    }
    void Poked(TObject*) { ++PokedCount; }
    int PokedCount = 0;

protected:
    TComponent* FBuddy = nullptr;
    TNotifyEvent FOnPoke;
};

namespace {
constexpr TPropInfo ProbeProps[] = {HOST_PROP(TFilerProbe, Buddy), HOST_PROP(TFilerProbe, OnPoke)};
const TPublishedMethod ProbeMethods[] = {HOST_PUBLISHED_METHOD(TFilerProbe, Poked, TNotifyEvent)};
} // namespace

HOST_COMPONENT_METACLASS(TFilerProbe, TComponent,
                         PropTable(ProbeProps, {.Methods = ProbeMethods, .MethodCount = 1}));

} // namespace classes_test

using namespace classes_test;

namespace {
/// The binary form of a text form, ready to be read.
std::unique_ptr<TMemoryStream> Form(const char* Text) {
    RegisterClass(TFilerProbe::StaticClass());
    TStringStream text(Text);
    auto binary = std::make_unique<TMemoryStream>();
    ObjectTextToBinary(&text, binary.get());
    binary->SetPosition(0);
    return binary;
}

class Filers : public ClassesTest {
protected:
    /// Reads `Text` into `Root` through the reader's class info, with `Listeners` on it.
    void ReadForm(const char* Text, TComponent* Root, std::initializer_list<Hearing*> Listeners) {
        std::unique_ptr<TMemoryStream> form = Form(Text);
        TReader reader(form.get(), 4096);
        Reader = &reader;
        for (Hearing* l : Listeners) Info(&reader)->AddListener(l);
        Call(&reader, "ReadRootComponent", AddressOf(Root));
        Reader = nullptr;
    }
    TReader* Reader = nullptr;
};
} // namespace

TEST_F(Filers, WriterValuesReadBackThroughTheReader) {
    TMemoryStream stream;
    {
        TWriter writer(&stream, 16); // a small buffer: values cross its end
        EXPECT_EQ(Info(&writer)->ClassName(), "TWriterClassInfo");
        Call(&writer, "WriteSignature");
        Call(&writer, "WriteInteger", 300);
        Call(&writer, "WriteString", "hi");
        Call(&writer, "WriteBoolean", true);
        Call(&writer, "WriteChar", "xyz"); // the first character
        Call(&writer, "WriteFloat", 1.5);
        Call(&writer, "WriteSingle", "2.5");
        Call(&writer, "WriteCurrency", 1.25);
        Call(&writer, "WriteDate", 3.5);
        Call(&writer, "WriteIdent", "clRed");
        Call(&writer, "WriteWideString", "wide");
        Call(&writer, "WriteListBegin");
        Call(&writer, "WriteString", "in list");
        Call(&writer, "WriteListEnd");
        Call(&writer, "Write", "raw!AB", 4);
        Call(&writer, "Write", "AB", 2);
        const char tail[] = "AB";
        EXPECT_THROW(Call(&writer, "Write", Variant::Address(tail), 2), EInvalidCast);
        EXPECT_EQ(MessageOf([&] { Call(&writer, "Write", "ab", 3); }), "Stream write error");
        EXPECT_THROW(Call(&writer, "WriteInteger", "1e99"), Exception);
        const Integer written = Get(&writer, "Position").AsInteger();
        Call(&writer, "FlushBuffer"); // the filer's own method
        EXPECT_EQ(stream.GetSize(), written);
    }

    stream.SetPosition(0);
    TReader reader(&stream, 16);
    EXPECT_EQ(Info(&reader)->ClassName(), "TReaderClassInfo");
    Call(&reader, "ReadSignature");
    EXPECT_EQ(Call(&reader, "NextValue")->Result.AsInteger(), vaInt16);
    EXPECT_EQ(Call(&reader, "ReadInteger")->Result.AsInteger(), 300);
    EXPECT_EQ(Call(&reader, "ReadString")->Result.AsString(), "hi");
    EXPECT_TRUE(Call(&reader, "ReadBoolean")->Result.AsBoolean());
    EXPECT_EQ(Call(&reader, "ReadChar")->Result.AsString(), "x");
    EXPECT_EQ(Call(&reader, "ReadFloat")->Result.AsDouble(), 1.5);
    EXPECT_EQ(Call(&reader, "ReadSingle")->Result.AsDouble(), 2.5);
    Variant price = Call(&reader, "ReadCurrency")->Result;
    EXPECT_EQ(price.VarType(), varCurrency);
    EXPECT_EQ(price.AsDouble(), 1.25);
    EXPECT_EQ(Call(&reader, "ReadDate")->Result.AsDouble(), 3.5);
    EXPECT_EQ(Call(&reader, "ReadIdent")->Result.AsString(), "clRed");
    EXPECT_EQ(Call(&reader, "ReadWideString")->Result.AsString(), "wide");
    Call(&reader, "ReadListBegin");
    EXPECT_FALSE(Call(&reader, "EndOfList")->Result.AsBoolean());
    EXPECT_EQ(Call(&reader, "ReadString")->Result.AsString(), "in list");
    EXPECT_TRUE(Call(&reader, "EndOfList")->Result.AsBoolean());
    Call(&reader, "ReadListEnd");
    EXPECT_EQ(Call(&reader, "Read", Variant(), 4)->GetArgs(0)->Value.AsString(), "raw!");
    char buffer[3] = {'-', '-', '-'};
    EXPECT_THROW(Call(&reader, "Read", Variant::Address(buffer), 2), EInvalidCast);
    EXPECT_EQ(std::string(buffer, 3), "---");
    EXPECT_EQ(Call(&reader, "Read", Variant(), 2)->GetArgs(0)->Value.AsString(), "AB");
    EXPECT_EQ(Get(&reader, "Position").AsInteger(), stream.GetSize());
    // Past the end: the host's read error, and no buffer the size of the Count.
    EXPECT_EQ(MessageOf([&] { Call(&reader, "Read", Variant(), 0x7FFFFFFF); }),
              "Stream read error");
}

TEST_F(Filers, CopyValueAndFilerProperties) {
    TMemoryStream source, target;
    {
        TWriter writer(&source, 64);
        writer.WriteListBegin();
        writer.WriteInteger(Integer(5));
        writer.WriteString("five");
        writer.WriteListEnd();
        writer.WriteInteger(Integer(6));
    }
    source.SetPosition(0);
    TReader reader(&source, 64);
    {
        TWriter writer(&target, 64);
        Call(&reader, "CopyValue", AddressOf(&writer));                    // the whole list
        EXPECT_EQ(Call(&reader, "ReadValue")->Result.AsInteger(), vaInt8); // the 6 after it
    }
    EXPECT_EQ(target.GetSize(), source.GetSize() - 2);
    EXPECT_EQ(0, std::memcmp(target.GetMemory(), source.GetMemory(), target.GetSize()));

    TComponent owner(nullptr);
    Set(&reader, "Owner", AddressOf(&owner));
    EXPECT_EQ(reader.GetOwner(), &owner);
    Set(&reader, "Root", AddressOf(&owner));
    EXPECT_EQ(Get(&reader, "Root").AsInt64(), AddressOf(&owner).AsInt64());
    Set(&reader, "IgnoreChildren", true);
    EXPECT_TRUE(reader.GetIgnoreChildren());
    EXPECT_THROW(Set(&reader, "Parent", 4096), EInvalidCast); // no live component there
    EXPECT_EQ(reader.GetParent(), nullptr);
}

// ReadPrefix writes both arguments back, as integers, even when the host leaves them be.
TEST_F(Filers, ReadPrefixWritesBothArgumentsBack) {
    TMemoryStream stream;
    {
        TWriter writer(&stream, 64);
        writer.WriteString("plain");
        writer.WritePrefix(TFilerFlags{ffInherited, ffChildPos}, 7);
    }
    stream.SetPosition(0);
    TReader reader(&stream, 64);
    TzelMethodInfo* prefix = Info(&reader)->FindMethod("ReadPrefix");
    prefix->GetArgs(0)->Value = "5";
    prefix->GetArgs(1)->Value = "42";
    Info(&reader)->InvokeMethod(prefix); // no prefix: no flags, the position untouched
    EXPECT_EQ(prefix->GetArgs(0)->Value.VarType(), varInteger);
    EXPECT_EQ(prefix->GetArgs(0)->Value.AsInteger(), 0);
    EXPECT_EQ(prefix->GetArgs(1)->Value.VarType(), varInteger);
    EXPECT_EQ(prefix->GetArgs(1)->Value.AsInteger(), 42);

    Call(&reader, "ReadString");
    Call(&reader, "ReadPrefix", 0, 0);
    EXPECT_EQ(prefix->GetArgs(0)->Value.AsInteger(), 3); // ffInherited, ffChildPos
    EXPECT_EQ(prefix->GetArgs(1)->Value.AsInteger(), 7);

    // Flags outside the filer flags are refused before the host reads anything.
    stream.SetPosition(0);
    reader.SetPosition(0);
    prefix->GetArgs(0)->Value = 8;
    EXPECT_THROW(Info(&reader)->InvokeMethod(prefix), ERangeError);
    prefix->GetArgs(0)->Value = -1;
    EXPECT_THROW(Info(&reader)->InvokeMethod(prefix), ERangeError);
    EXPECT_EQ(prefix->GetArgs(0)->Value.AsInteger(), -1);
    EXPECT_EQ(Get(&reader, "Position").AsInteger(), 0);
}

TEST_F(Filers, OnErrorHandledByAListenerLetsReadingContinue) {
    const char* text = "object Root: TFilerProbe\r\n  Bogus = 1\r\n  Tag = 7\r\nend\r\n";
    std::vector<std::string> messages;
    Hearing handle("OnError", [&](TObject* Sender, TzelEventInfo* E) {
        EXPECT_EQ(Sender, Reader);
        EXPECT_EQ(E->GetArgs(0)->Value.AsInt64(), AddressOf(Reader).AsInt64());
        messages.push_back(E->GetArgs(1)->Value.AsString());
        EXPECT_FALSE(E->GetArgs(2)->Value.AsBoolean());
        E->GetArgs(2)->Value = true;
    });
    TFilerProbe root(nullptr);
    ReadForm(text, &root, {&handle});
    EXPECT_EQ(root.GetTag(), 7);
    EXPECT_EQ(messages, std::vector<std::string>{"Property Bogus does not exist"});

    // A listener that leaves Handled alone leaves the error to the host.
    Hearing look("OnError", [&](TObject*, TzelEventInfo*) { messages.push_back("seen"); });
    TFilerProbe other(nullptr);
    EXPECT_EQ(MessageOf([&] { ReadForm(text, &other, {&look}); }), "Property Bogus does not exist");
    EXPECT_EQ(messages.back(), "seen");
    EXPECT_EQ(other.GetTag(), 0);
}

// The reader's own handlers keep their say once a class info has hooked the reader: what they
// put in a var parameter is what the listeners see and, unless one changes it, what the host gets.
TEST_F(Filers, TheReadersOwnHandlersStillDecide) {
    struct Own {
        void Error(TReader*, const AnsiString&, bool& Handled) { Handled = true; }
        void SetName(TReader*, TComponent*, AnsiString& Name) { Name = "Mine"; }
    } own;
    std::unique_ptr<TMemoryStream> form = Form("object Root: TFilerProbe\r\n  Bogus = 1\r\n"
                                               "  object Child: TFilerProbe\r\n  end\r\nend\r\n");
    TReader reader(form.get(), 4096);
    reader.SetOnError(TReaderError::Bind<&Own::Error>(&own));
    reader.SetOnSetName(TSetNameEvent::Bind<&Own::SetName>(&own));
    std::string seen;
    Hearing look("OnSetName",
                 [&](TObject*, TzelEventInfo* E) { seen = E->GetArgs(2)->Value.AsString(); });
    Info(&reader)->AddListener(&look);
    TFilerProbe root(nullptr);
    EXPECT_NO_THROW(Call(&reader, "ReadRootComponent", AddressOf(&root)));
    EXPECT_EQ(seen, "Mine");
    EXPECT_NE(root.FindComponent("Mine"), nullptr);
}

TEST_F(Filers, OnFindMethodWritesAddressAndErrorBack) {
    const char* text = "object Root: TFilerProbe\r\n  OnPoke = Missing\r\nend\r\n";
    TFilerProbe root(nullptr);
    Hearing find("OnFindMethod", [&](TObject*, TzelEventInfo* E) {
        EXPECT_EQ(E->GetArgs(1)->Value.AsString(), "Missing");
        EXPECT_EQ(E->GetArgs(2)->Value.AsAddress(), nullptr);
        EXPECT_TRUE(E->GetArgs(3)->Value.AsBoolean());
        // The code of the root's published handler, as the root's own class info gives it.
        E->GetArgs(2)->Value = Call(&root, "MethodAddress", "Poked")->Result;
        E->GetArgs(3)->Value = false;
    });
    ReadForm(text, &root, {&find});
    root.Poke();
    EXPECT_EQ(root.PokedCount, 1);

    // A plain number is never taken as code to call.
    Hearing forge("OnFindMethod", [&](TObject*, TzelEventInfo* E) {
        E->GetArgs(2)->Value = 4096;
        E->GetArgs(3)->Value = false;
    });
    TFilerProbe other(nullptr);
    EXPECT_THROW(ReadForm(text, &other, {&forge}), EVariantError);
    EXPECT_FALSE(other.GetOnPoke().Assigned());
}

TEST_F(Filers, OnSetNameOnReferenceNameAndOnAncestorNotFoundWriteBack) {
    TFilerProbe root(nullptr);
    TFilerProbe stand(&root);
    stand.SetName("Stand");
    Hearing rename("OnSetName", [&](TObject*, TzelEventInfo* E) {
        EXPECT_EQ(E->GetArgs(2)->Value.AsString(), "Child");
        EXPECT_NE(E->GetArgs(1)->Value.AsInt64(), 0);
        E->GetArgs(2)->Value = "Renamed";
    });
    Hearing refer("OnReferenceName", [&](TObject*, TzelEventInfo* E) {
        EXPECT_EQ(E->GetArgs(1)->Value.AsString(), "Ghost");
        E->GetArgs(1)->Value = "Renamed";
    });
    Hearing ancestor("OnAncestorNotFound", [&](TObject*, TzelEventInfo* E) {
        EXPECT_EQ(E->GetArgs(1)->Value.AsString(), "Lost");
        EXPECT_EQ(E->GetArgs(2)->Value.AsAddress(), TFilerProbe::StaticClass());
        EXPECT_EQ(E->GetArgs(3)->Value.AsInt64(), 0);
        E->GetArgs(3)->Value = AddressOf(&stand);
    });
    ReadForm("object Root: TFilerProbe\r\n"
             "  Buddy = Ghost\r\n"
             "  object Child: TFilerProbe\r\n"
             "  end\r\n"
             "  inherited Lost: TFilerProbe\r\n"
             "    Tag = 9\r\n"
             "  end\r\n"
             "end\r\n",
             &root, {&rename, &refer, &ancestor});
    TComponent* child = root.FindComponent("Renamed");
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(root.GetBuddy(), child);
    EXPECT_EQ(stand.GetTag(), 9);
}
