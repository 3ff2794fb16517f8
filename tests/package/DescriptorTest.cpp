// The descriptor language: tokeniser, field conversions, the four readers and their messages.
#include "core/Zelcommon.h"
#include "host/system/Exceptions.h"

#include "tests/TestSupport.h"

#include <gtest/gtest.h>

using namespace zeltrix;
using host::Exception;

namespace {
/// A class info whose descriptors are plain texts set by the test.
class TTextInfo : public TzelClassInfo {
public:
    AnsiString Props, Methods, Ctors, Events;
    void DefineZELProperties(host::TList*) override { ReadZELProperties(Props); }
    void DefineZELMethods(host::TList*) override { ReadZELMethods(Methods); }
    void DefineZELConstructors(host::TList*) override { ReadZELConstructors(Ctors); }
    void DefineZELEvents(host::TList*) override { ReadZELEvents(Events); }
    using TzelClassInfo::ReadZELEvents;
    using TzelClassInfo::ReadZELMethods;
    using TzelClassInfo::ReadZELProperties;
};

using testsupport::MessageOf;

} // namespace

TEST(Tokenizer, SplitsAtTheTwoCharacterDelimiter) {
    TStringTokenizer t("A::::B:C::", "::");
    EXPECT_EQ(t.NextToken(), "A");
    EXPECT_EQ(t.NextToken(), ""); // two delimiters in a row
    EXPECT_FALSE(t.EndOfText());
    EXPECT_EQ(t.NextToken(), "B:C"); // a lone first character belongs to the token
    EXPECT_TRUE(t.EndOfText());
    EXPECT_EQ(t.NextToken(), "");
    EXPECT_EQ(t.NextToken(), "");

    TStringTokenizer one("X::y", "::");
    one.NextToken();
    EXPECT_TRUE(one.EndOfText()); // one unread character left counts as the end
    EXPECT_TRUE(TStringTokenizer("", "..").EndOfText());
}

TEST(Descriptor, FieldConversionsAndTheirMessages) {
    EXPECT_EQ(ParsePropertyStyles(""), TzelPropertyStyle());
    EXPECT_EQ(ParsePropertyStyles("psIndexed..psReadable..psReadable"),
              (TzelPropertyStyle{psReadable, psIndexed}));
    EXPECT_EQ(MessageOf([] { ParsePropertyStyles("psReadable..psWriteable"); }),
              "psReadable..psWriteable Invalid property style property!");
    EXPECT_EQ(MessageOf([] { ParsePropertyVisibility("pvPrivate"); }),
              "pvPrivate Invalid property visibility property!");
    EXPECT_EQ(MessageOf([] { ParsePropertyVisibility(""); }),
              " Invalid property visibility property!");
    EXPECT_EQ(MessageOf([] { ParseEventVisibility("public"); }),
              "public Invalid event property visibility property!");
    EXPECT_EQ(MessageOf([] { ParseMethodStyle("msConstructor"); }),
              "Invalid method style property!");
    EXPECT_EQ(ParseMethodStyle("msProcedure"), msProcedure);
}

TEST(Descriptor, ReadersBuildRecordsInTextOrder) {
    TTextInfo ci;
    ci.Props = "Define::Self::psReadable::pvPublic::0::"
               "Define::Items::psReadable..psWritable..psIndexed::pvPublic::2::Index::Name";
    ci.Methods = "Add::msFunction::1::Item::Clear::msProcedure::0::Add::msProcedure::2::A::B";
    ci.Ctors = "Create::1::AOwner";
    ci.Events = "Define::OnChange::pvPublic::1::Sender";
    ci.InitMetaData();

    ASSERT_EQ(ci.GetPropertyCount(), 2);
    TzelPropertyInfo* items = ci.GetProperties(1);
    EXPECT_EQ(items->Name, "Items");
    EXPECT_EQ(items->Style, (TzelPropertyStyle{psReadable, psWritable, psIndexed}));
    ASSERT_EQ(items->GetIndexCount(), 2);
    EXPECT_EQ(items->GetIndexes(1)->Name, "Name");
    EXPECT_EQ(items->GetIndexes(0)->ClassInfo, &ci);

    ASSERT_EQ(ci.GetMethodCount(), 3);
    EXPECT_EQ(ci.FindMethod("Add"), ci.GetMethods(0)); // the earlier of two records wins
    EXPECT_EQ(ci.GetMethods(2)->GetArgCount(), 2);
    EXPECT_NE(ci.GetMethods(2)->GetArgs(0), ci.GetMethods(0)->GetArgs(0)); // each its own
    EXPECT_EQ(ci.GetMethods(1)->GetArgCount(), 0);
    EXPECT_EQ(ci.GetMethods(1)->Find("Item"), nullptr);
    EXPECT_EQ(ci.GetMethods(0)->Find("item"), nullptr); // names are case-sensitive
    EXPECT_EQ(ci.GetMethods(0)->Find("Item"), ci.GetMethods(0)->GetArgs(0));
    EXPECT_TRUE(ci.GetMethods(0)->Result.IsEmpty());
    EXPECT_TRUE(ci.GetMethods(0)->GetArgs(0)->Value.IsEmpty());
    EXPECT_EQ(ci.FindConstructor("Create")->GetArgs(0)->Name, "AOwner");
    EXPECT_EQ(ci.FindEvent("OnChange")->Visibility, pvPublic);
    EXPECT_EQ(ci.FindEvent("onchange"), nullptr);

    // Indexes outside a record's list raise the host list's error rather than read past it.
    EXPECT_EQ(MessageOf([&] { items->GetIndexes(2); }), "List index out of bounds (2)");
    EXPECT_EQ(MessageOf([&] { ci.GetProperties(5); }), "List index out of bounds (5)");
}

TEST(Descriptor, OverridesChangeInheritedRecordsInPlace) {
    TTextInfo ci;
    ci.Props = "Define::Visible::psReadable..psWritable::pvPublic::0::"
               "Define::Align::psReadable::pvProtected::1::I";
    ci.Events = "Define::OnClick::pvProtected::1::Sender";
    ci.InitMetaData();
    TzelPropertyInfo* visible = ci.FindProperty("Visible");
    ci.ReadZELProperties(
        "Override::Visible::psWritable::pvProtected::Override::Align::::pvPublished");
    EXPECT_EQ(ci.GetPropertyCount(), 2);
    EXPECT_EQ(visible->Style, TzelPropertyStyle{psWritable}); // replaced, not added to
    EXPECT_EQ(visible->Visibility, pvProtected);
    TzelPropertyInfo* align = ci.FindProperty("Align");
    EXPECT_EQ(align->Style, TzelPropertyStyle{psReadable}); // an empty style keeps it
    EXPECT_EQ(align->Visibility, pvPublished);
    EXPECT_EQ(align->GetIndexCount(), 1);
    ci.ReadZELEvents("Override::OnClick::pvPublished");
    EXPECT_EQ(ci.FindEvent("OnClick")->Visibility, pvPublished);

    EXPECT_EQ(MessageOf([&] { ci.ReadZELProperties("Override::Missing::::pvPublic"); }),
              "Override of unknown property Missing!");
    EXPECT_EQ(MessageOf([&] { ci.ReadZELEvents("Override::OnMissing::pvPublic"); }),
              "Override of unknown event OnMissing!");
}

TEST(Descriptor, BadTextsRaiseAndKeepWhatWasReadBefore) {
    TTextInfo ci;
    ci.InitMetaData();
    EXPECT_EQ(MessageOf([&] {
                  ci.ReadZELProperties("Define::A::psReadable::pvPublic::0::"
                                       "Define::B::psReadable..psBogus::pvPublic::0");
              }),
              "psReadable..psBogus Invalid property style property!");
    EXPECT_EQ(ci.GetPropertyCount(), 1); // A stays, B is not appended
    EXPECT_EQ(MessageOf([&] { ci.ReadZELProperties("Defin::X::psReadable::pvPublic::0"); }),
              "Invalid property define token!");
    EXPECT_EQ(MessageOf([&] { ci.ReadZELEvents("Definition::X::pvPublic::0"); }),
              "Invalid property define token!");
    EXPECT_EQ(MessageOf([&] { ci.ReadZELProperties("Define::X::psReadable::pvHidden::0"); }),
              "pvHidden Invalid property visibility property!");
    EXPECT_EQ(MessageOf([&] { ci.ReadZELEvents("Define::X::pvHidden::0"); }),
              "pvHidden Invalid event property visibility property!");
    EXPECT_EQ(MessageOf([&] { ci.ReadZELMethods("Run::msMacro::0"); }),
              "Invalid method style property!");
    EXPECT_EQ(MessageOf([&] { ci.ReadZELMethods("Run::msProcedure::1x"); }),
              "'1x' is not a valid integer value");
    EXPECT_EQ(ci.GetMethodCount(), 0);

    // A text cut short mid-record: an empty Count is a conversion error, an empty style the
    // style message.
    EXPECT_EQ(MessageOf([&] { ci.ReadZELMethods("Run"); }), "Invalid method style property!");
    EXPECT_EQ(MessageOf([&] { ci.ReadZELMethods("Run::msProcedure"); }),
              "'' is not a valid integer value");
    // A short record at the end reads empty names for its missing ones.
    ci.ReadZELMethods("Go::msProcedure::2::A");
    ASSERT_EQ(ci.GetMethodCount(), 1);
    EXPECT_EQ(ci.GetMethods(0)->GetArgCount(), 2);
    EXPECT_EQ(ci.GetMethods(0)->GetArgs(1)->Name, "");
}

TEST(Descriptor, CountsAreBoundedByTheText) {
    TTextInfo ci;
    ci.InitMetaData();
    EXPECT_EQ(MessageOf([&] { ci.ReadZELMethods("Run::msProcedure::2147483647::A"); }),
              "2147483647 Invalid descriptor count!");
    EXPECT_EQ(MessageOf([&] { ci.ReadZELMethods("Run::msProcedure::-1"); }),
              "-1 Invalid descriptor count!");
    EXPECT_EQ(MessageOf([&] { ci.ReadZELProperties("Define::P::psReadable::pvPublic::-5"); }),
              "-5 Invalid descriptor count!");
    EXPECT_EQ(ci.GetMethodCount(), 0);
    EXPECT_EQ(ci.GetPropertyCount(), 0);
}

TEST(Descriptor, TrailingSingleCharacterIsIgnored) {
    TTextInfo ci;
    ci.Props = "Define::Self::psReadable::pvPublic::0::Override::Self::psReadable..psWritable::"
               "pvPublished::0";
    ci.InitMetaData();
    ASSERT_EQ(ci.GetPropertyCount(), 1);
    EXPECT_EQ(ci.GetProperties(0)->Style, (TzelPropertyStyle{psReadable, psWritable}));
    EXPECT_EQ(ci.GetProperties(0)->Visibility, pvPublished);

    ci.Props = "";
    ci.InitMetaData(); // an empty text appends nothing
    EXPECT_EQ(ci.GetPropertyCount(), 0);
}

TEST(Descriptor, CountsReadAsStrToIntReadsThem) {
    // Plain digits are read directly; every other spelling goes through StrToInt.
    TTextInfo ci;
    ci.InitMetaData();
    ci.ReadZELMethods("A::msProcedure::$2::X::Y::B::msProcedure:: 1::Z::C::msProcedure::+0::"
                      "D::msProcedure::0000000001::W::E::msProcedure::0x1::V");
    ASSERT_EQ(ci.GetMethodCount(), 5);
    const int expected[] = {2, 1, 0, 1, 1};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(ci.GetMethods(i)->GetArgCount(), expected[i]) << i;
    EXPECT_EQ(ci.GetMethods(3)->GetArgs(0)->Name, "W");
    EXPECT_EQ(MessageOf([&] { ci.ReadZELMethods("F::msProcedure::1 "); }),
              "'1 ' is not a valid integer value");
    EXPECT_EQ(MessageOf([&] { ci.ReadZELMethods("F::msProcedure::12345678901::A"); }),
              "'12345678901' is not a valid integer value");
}

TEST(Descriptor, LongTextsAndRepeatedReadsKeepEveryRecordInOrder) {
    // Records shorter than any real one (empty names) and reads appending to filled lists.
    TTextInfo ci;
    ci.InitMetaData();
    AnsiString text;
    for (int i = 0; i < 300; ++i)
        text += (i ? "::" : "") + AnsiString(i % 3 ? "" : "M") + "::msFunction::0";
    ci.ReadZELMethods(text);
    ci.ReadZELMethods("Last::msProcedure::1::A");
    ASSERT_EQ(ci.GetMethodCount(), 301);
    for (int i = 0; i < 300; ++i) ASSERT_EQ(ci.GetMethods(i)->Name, i % 3 ? "" : "M") << i;
    EXPECT_EQ(ci.GetMethods(300)->Name, "Last");
    EXPECT_EQ(ci.GetMethods(300)->Style, msProcedure);
}

TEST(Tokenizer, AgreesWithAPlainSearchOnEveryText) {
    // Texts built from the delimiter characters, their neighbours and bytes above 127, at every
    // length around the eight-byte steps the scan takes.
    const char alphabet[] = {':', ':', '.', '9', ';', 'a', '\xBA', '\xFF'};
    std::uint32_t seed = 12345;
    auto next = [&] { return seed = seed * 1103515245u + 12345u; };
    for (int round = 0; round < 3000; ++round) {
        AnsiString text;
        const int length = static_cast<int>(next() % 41);
        for (int i = 0; i < length; ++i) text += alphabet[(next() >> 16) % sizeof alphabet];
        for (const char* delimiter : {"::", ".."}) {
            TStringTokenizer t(text, delimiter);
            std::size_t pos = 0; // the plain rule, written out
            for (int step = 0; step < 45; ++step) {
                ASSERT_EQ(t.EndOfText(), pos + 1 >= text.size()) << text;
                AnsiString expected;
                if (pos < text.size()) {
                    const std::size_t end = text.find(delimiter, pos);
                    expected =
                        text.substr(pos, end == AnsiString::npos ? AnsiString::npos : end - pos);
                    pos = end == AnsiString::npos ? text.size() : end + 2;
                }
                ASSERT_EQ(t.NextToken(), expected) << text << " step " << step;
                ASSERT_EQ(t.GetPosition(), static_cast<int>(pos) + 1) << text;
            }
        }
    }
}
