// Text <-> binary form conversion: the host's byte layout, its canonical text, bad input.
#include "host/classes/ObjectText.h"
#include "host/classes/Streams.h"
#include "host/classes/Writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

using namespace host;
using namespace std::string_literals;

namespace {

std::string Contents(TMemoryStream& S) {
    return std::string(static_cast<const char*>(S.GetMemory()),
                       static_cast<std::size_t>(S.GetSize()));
}

void Fill(TMemoryStream& S, const std::string& Data) {
    S.WriteBuffer(Data.data(), static_cast<Integer>(Data.size()));
    S.SetPosition(0);
}

std::string TextToBinary(const std::string& Text) {
    TMemoryStream in, out;
    Fill(in, Text);
    ObjectTextToBinary(&in, &out);
    return Contents(out);
}

std::string BinaryToText(const std::string& Binary) {
    TMemoryStream in, out;
    Fill(in, Binary);
    ObjectBinaryToText(&in, &out);
    return Contents(out);
}

/// Joins lines with the CR LF line ends of the canonical text.
std::string Lines(std::initializer_list<const char*> L) {
    std::string s;
    for (const char* l : L) s += std::string(l) + "\r\n";
    return s;
}

template <class E>
std::string ErrorOf(const std::function<void()>& F) {
    try {
        F();
    } catch (const E& e) {
        return e.Message();
    }
    return "<no error>";
}

std::string TextError(const std::string& Text) {
    return ErrorOf<EParserError>([&] { TextToBinary(Text); });
}

std::string BinaryError(const std::string& Binary) {
    return ErrorOf<EReadError>([&] { BinaryToText(Binary); });
}

/// A binary form "object A: T" whose one property P has the value written by `Value`.
std::string FormWithValue(const std::function<void(TWriter&)>& Value) {
    TMemoryStream s;
    {
        TWriter w(&s, 64);
        w.WriteSignature();
        w.WriteStr("T");
        w.WriteStr("A");
        w.WriteStr("P");
        Value(w);
        w.WriteListEnd();
        w.WriteListEnd();
        w.FlushBuffer();
    }
    return Contents(s);
}

const std::string Sig = "TPF0";

} // namespace

TEST(ObjectText, TextToBinaryWritesTheHostLayout) {
    std::string text = Lines({"inherited Form1: TForm1 [3]",
                              "  Left = 10",
                              "  Top = -200",
                              "  Big = 100000",
                              "  Huge = 5000000000",
                              "  S = 'it''s'#13#10",
                              "  A = [akLeft, akTop]",
                              "  E = []",
                              "  B = True",
                              "  N = nil",
                              "  Font.Name = 'Arial'",
                              "  L = (",
                              "    1",
                              "    'x')",
                              "  D = {",
                              "    0A0b}",
                              "  C = <",
                              "    item [2]",
                              "      X = 1",
                              "    end>",
                              "  object Button1: TButton",
                              "    OnClick = Click",
                              "  end",
                              "end"});
    std::string expected = Sig + "\xF3\x02\x03"s
                                 "\x06TForm1"
                                 "\x05"
                                 "Form1"
                                 "\x04Left\x02\x0A"s
                                 "\x03Top\x03\x38\xFF"
                                 "\x03"s
                                 "Big\x04\xA0\x86\x01\x00"
                                 "\x04Huge\x13\x00\xF2\x05\x2A\x01\x00\x00\x00"s
                                 "\x01S\x06\x06it's\r\n"s
                                 "\x01"s
                                 "A\x0B\x06"
                                 "akLeft\x05"
                                 "akTop\x00"
                                 "\x01"s
                                 "E\x0B\x00"
                                 "\x01"
                                 "B\x09"
                                 "\x01N\x0D"
                                 "\x09"s
                                 "Font.Name\x06\x05"
                                 "Arial"
                                 "\x01L\x01\x02\x01\x06\x01x\x00"s
                                 "\x01"s
                                 "D\x0A\x02\x00\x00\x00\x0A\x0B"
                                 "\x01"s
                                 "C\x0E\x02\x02\x01\x01X\x02\x01\x00\x00"
                                 "\x00"s
                                 "\x07TButton\x07"s
                                 "Button1"
                                 "\x07OnClick\x07\x05"
                                 "Click"
                                 "\x00\x00"
                                 "\x00"s;
    EXPECT_EQ(TextToBinary(text), expected);
}

TEST(ObjectText, StringsKeepTheirBytesAndWidenOnlyBeyondEightBits) {
    auto valueOf = [](const std::string& v) {
        std::string b = TextToBinary("object A: T\n P = " + v + "\nend\n");
        return b.substr(4 + 2 + 2 + 2); // after signature, class, name and property name
    };
    EXPECT_EQ(valueOf("'caf'#233"), std::string("\x06\x04"
                                                "caf\xE9\x00\x00",
                                                8));
    EXPECT_EQ(valueOf("'caf\xC3\xA9'"), std::string("\x06\x05"
                                                    "caf\xC3\xA9\x00\x00",
                                                    9));
    EXPECT_EQ(valueOf("'a' + #$41 +\n 'b'"), std::string("\x06\x03"
                                                         "aAb\x00\x00",
                                                         7));
    EXPECT_EQ(valueOf("'x'#1234"), std::string("\x12\x02\x00\x00\x00"
                                               "x\x00\xD2\x04\x00\x00",
                                               11));
    // A byte order mark says the quoted text is UTF-8.
    std::string b = TextToBinary("\xEF\xBB\xBFobject A: T\n P = 'caf\xC3\xA9'\nend\n");
    EXPECT_EQ(b.substr(10), std::string("\x06\x04"
                                        "caf\xE9\x00\x00",
                                        8));
    std::string longText(300, 'z');
    EXPECT_EQ(valueOf("'" + longText + "'").substr(0, 5), std::string("\x0C\x2C\x01\x00\x00", 5));
}

TEST(ObjectText, CanonicalTextSurvivesTextToBinaryToText) {
    std::string text = Lines({
        "object Form1: TForm1",
        "  Caption = 'Don'#39't '#233't'#233' '#1234'x'",
        "  Hint = ",
        "    'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa' +",
        "    'b'#13#10'c'",
        "  Exact = 'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa'",
        "  Empty = ''",
        "  Lines.Strings = (",
        "    ''",
        "    ",
        "      'cccccccccccccccccccccccccccccccccccccccccccccccccccccccccccccccc' +",
        "      'c')",
        "  NoLines = ()",
        "  Sizes = (",
        "    645",
        "    -149)",
        "  F = 1.500000000000000000",
        "  G = -0.100000000000000000",
        "  FS = 0.100000000000000000s",
        "  FC = 122500c",
        "  FD = 36892.500000000000000000d",
        "  Big = 5000000000",
        "  Anchors = [akLeft, akBottom]",
        "  NoAnchors = []",
        "  Flag = False",
        "  Obj = nil",
        "  V = Null",
        "  Ref = Form2.Button1",
        "  Data = {",
        "    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F",
        "    FF}",
        "  Columns = <",
        "    item",
        "      Caption = 'a'",
        "      Width = 5",
        "    end",
        "    item [7]",
        "    end>",
        "  NoColumns = <>",
        "  object Button1: TButton [1]",
        "    OnClick = Button1Click",
        "    inline Frame1: TFrame1",
        "    end",
        "  end",
        "  inherited Panel1: TPanel",
        "  end",
        "end",
    });
    std::string binary = TextToBinary(text);
    EXPECT_EQ(BinaryToText(binary), text);
    EXPECT_EQ(TextToBinary(BinaryToText(binary)), binary);
}

TEST(ObjectText, LooseTextBecomesCanonical) {
    std::string loose = "OBJECT a : T\rX=$10 S='p'#65'q'+'r' L=( 1 2 ) END";
    EXPECT_EQ(BinaryToText(TextToBinary(loose)), Lines({"object a: T", "  X = 16", "  S = 'pAqr'",
                                                        "  L = (", "    1", "    2)", "end"}));
}

TEST(ObjectText, EveryBinaryValueKindSurvivesBinaryToTextToBinary) {
    std::vector<std::function<void(TWriter&)>> values = {
        [](TWriter& w) { w.WriteInteger(-128); },
        [](TWriter& w) { w.WriteInteger(32767); },
        [](TWriter& w) { w.WriteInteger(-2147483647 - 1); },
        [](TWriter& w) { w.WriteInteger(Int64(-5000000000)); },
        [](TWriter& w) { w.WriteFloat(1.5L); },
        [](TWriter& w) { w.WriteFloat(0.1); }, // a double's 0.1 needs more than 18 decimals
        [](TWriter& w) { w.WriteFloat(1.0L / 3); },
        [](TWriter& w) { w.WriteFloat(1e300L); },
        [](TWriter& w) { w.WriteFloat(-0.0L); },
        [](TWriter& w) { w.WriteFloat(std::numeric_limits<Extended>::infinity()); },
        [](TWriter& w) { w.WriteFloat(-std::numeric_limits<Extended>::infinity()); },
        [](TWriter& w) { w.WriteSingle(0.1f); },
        [](TWriter& w) { w.WriteSingle(3.4e38f); },
        [](TWriter& w) { w.WriteCurrency(Currency::FromScaled(-9223372036854775807LL)); },
        [](TWriter& w) { w.WriteDate(45000.123456789); },
        [](TWriter& w) { w.WriteString("tab\there 'q' \xFF"); },
        [](TWriter& w) { w.WriteString(std::string(1000, 'x')); },
        [](TWriter& w) { w.WriteWideString(u"w\u0416\U0001F600"); },
        [](TWriter& w) { w.WriteIdent("clBtnFace"); },
        [](TWriter& w) { w.WriteBoolean(true); },
        [](TWriter& w) { w.WriteValue(vaNil); },
        [](TWriter& w) { w.WriteValue(vaNull); },
        [](TWriter& w) { w.WriteBinaryData("\x00\x01\x02", 3); },
        [](TWriter& w) { w.WriteBinaryData("", 0); },
        [](TWriter& w) {
            w.WriteValue(vaSet);
            w.WriteStr("fsBold");
            w.WriteStr("");
        },
        [](TWriter& w) {
            w.WriteListBegin();
            w.WriteListBegin();
            w.WriteString("nested");
            w.WriteListEnd();
            w.WriteListEnd();
        },
        [](TWriter& w) {
            w.WriteValue(vaCollection);
            w.WriteInteger(4);
            w.WriteListBegin();
            w.WriteStr("Items.Strings");
            w.WriteListBegin();
            w.WriteString("x");
            w.WriteListEnd();
            w.WriteListEnd();
            w.WriteListEnd();
        },
    };
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::string binary = FormWithValue(values[i]);
        std::string text = BinaryToText(binary);
        try {
            EXPECT_EQ(TextToBinary(text), binary) << "value " << i << ":\n" << text;
        } catch (const Exception& e) {
            ADD_FAILURE() << e.Message() << " for value " << i << ":\n" << text;
        }
    }
}

TEST(ObjectText, NewerValueKindsAreRead) {
    EXPECT_EQ(BinaryToText(FormWithValue([](TWriter& w) { w.WriteUTF8String("caf\xC3\xA9"); })),
              Lines({"object A: T", "  P = 'caf'#233", "end"}));
    EXPECT_EQ(BinaryToText(FormWithValue([](TWriter& w) {
                  w.WriteValue(vaDouble);
                  double d = 2.25;
                  w.Write(&d, 8);
              })),
              Lines({"object A: T", "  P = 2.250000000000000000", "end"}));
    // Resource-wrapped binary forms read like plain ones.
    std::string binary = FormWithValue([](TWriter& w) { w.WriteInteger(1); });
    std::string res = "\xFF\x0A\x00T\x00\x30\x10\0\0\0\0"s + binary;
    EXPECT_EQ(BinaryToText(res), Lines({"object A: T", "  P = 1", "end"}));
}

TEST(ObjectText, FloatsUseTheHostsEighteenDecimalsWhenTheyAreExact) {
    EXPECT_EQ(FormFloatText(1.5L), "1.500000000000000000");
    EXPECT_EQ(FormFloatText(0.1L), "0.100000000000000000");
    EXPECT_EQ(FormFloatText(-2e-5L), "-0.000020000000000000");
    EXPECT_EQ(FormFloatText(1e20L), "1E+20");
    EXPECT_EQ(FormFloatText(std::numeric_limits<Extended>::quiet_NaN()), "NAN");
    std::string d = FormFloatText(0.1); // the double nearest 0.1
    EXPECT_GT(d.size(), 20u);
    EXPECT_EQ(std::strtold(d.c_str(), nullptr), static_cast<Extended>(0.1));
}

TEST(ObjectText, MalformedTextGivesParserErrorsWithTheLine) {
    EXPECT_EQ(TextError("thing A: T\nend\n"), "OBJECT expected on line 1");
    EXPECT_EQ(TextError("object A: T\n  P = 'abc\nend\n"), "Invalid string constant on line 2");
    EXPECT_EQ(TextError("object A: T\n  P = #\nend\n"), "Invalid string constant on line 2");
    EXPECT_EQ(TextError("object A: T\n  P = #99999999\nend\n"),
              "Invalid string constant on line 2");
    EXPECT_EQ(TextError("object A: T\n\n  P = {\n 0A0}\nend\n"), "Invalid binary value on line 4");
    EXPECT_EQ(TextError("object A: T\n  P = {0A"), "Invalid binary value on line 2");
    EXPECT_EQ(TextError("object A: T\n  P 5\nend\n"), "'=' expected on line 2");
    EXPECT_EQ(TextError("object A: T\n  P = )\nend\n"), "Invalid property value on line 2");
    EXPECT_EQ(TextError("object A: T\n  P = 99999999999999999999\nend\n"),
              "Invalid numeric value on line 2");
    EXPECT_EQ(TextError("object A: T\n  P = -\nend\n"), "Invalid numeric value on line 2");
    EXPECT_EQ(TextError("object A: T\n  P = 1e39s\nend\n"), "Invalid numeric value on line 2");
    EXPECT_EQ(TextError("object A: T\n  P = 1e309d\nend\n"), "Invalid numeric value on line 2");
    EXPECT_EQ(TextError("object A: T\n  P = 1e99999s\nend\n"), "Invalid numeric value on line 2");
    EXPECT_EQ(TextError("object A: T\n  P = 'a' + 5\nend\n"), "String expected on line 2");
    EXPECT_EQ(TextError("object A: T\n  P = [a b]\nend\n"), "',' expected on line 2");
    EXPECT_EQ(TextError("object A: T\n  P = <x>\nend\n"), "item expected on line 2");
    EXPECT_EQ(TextError("object A: T\n  P = 1\n"), "Identifier expected on line 3");
    EXPECT_EQ(TextError("object A: T\n  " + std::string(300, 'p') + " = 1\nend\n"),
              "Identifier too long on line 2");
    EXPECT_EQ(TextError("object A: T" + std::string(240, 'x') + "\nend\n"),
              "Identifier too long on line 1");
    EXPECT_EQ(TextError("object A: T\n  P = " + std::string(5000, '(')),
              "Nesting too deep on line 2");
    EXPECT_EQ(TextError(""), "OBJECT expected on line 1");
}

TEST(ObjectText, MalformedBinaryGivesReadErrors) {
    std::string good = FormWithValue([](TWriter& w) { w.WriteString("hello"); });
    EXPECT_EQ(BinaryError("TPF1" + good.substr(4)), "Invalid stream format");
    for (std::size_t cut = 0; cut < good.size(); ++cut)
        EXPECT_EQ(BinaryError(good.substr(0, cut)), "Stream read error") << cut;
    EXPECT_EQ(BinaryError(FormWithValue([](TWriter& w) { w.WriteValue(TValueType(0x40)); })),
              "Invalid stream format");
    // Lengths that claim more than the stream holds are refused before anything is allocated.
    EXPECT_EQ(BinaryError(FormWithValue([](TWriter& w) {
                  w.WriteValue(vaLString);
                  w.Write("\xFF\xFF\xFF\x7F", 4);
              })),
              "Stream read error");
    EXPECT_EQ(BinaryError(FormWithValue([](TWriter& w) {
                  w.WriteValue(vaWString);
                  w.Write("\x00\x00\x00\x40", 4);
              })),
              "Stream read error");
    EXPECT_EQ(BinaryError(FormWithValue([](TWriter& w) {
                  w.WriteValue(vaBinary);
                  w.Write("\xFF\xFF\xFF\xFF", 4);
              })),
              "Invalid stream format");
    EXPECT_EQ(BinaryError(FormWithValue([](TWriter& w) {
                  for (int i = 0; i < 10000; ++i) w.WriteListBegin();
              })),
              "Invalid stream format");
    // Names that the text could not carry back: not identifiers, or words that end a list.
    EXPECT_EQ(BinaryError(Sig + "\x01\x03\x00\x00\x00"s), "Invalid stream format");
    EXPECT_EQ(BinaryError(Sig + "\x01T\x02 A\x00\x00"s), "Invalid stream format");
    EXPECT_EQ(BinaryError(Sig + "\x01T\x00\x03"
                                "End\x02\x01\x00\x00"s),
              "Invalid stream format");
    EXPECT_EQ(BinaryError(FormWithValue([](TWriter& w) {
                  w.WriteListBegin();
                  w.WriteValue(vaIdent);
                  w.WriteStr("Null");
                  w.WriteListEnd();
              })),
              "Invalid stream format");
    EXPECT_EQ(BinaryError(FormWithValue([](TWriter& w) {
                  w.WriteValue(vaSet);
                  w.WriteStr("a b");
                  w.WriteStr("");
              })),
              "Invalid stream format");
    EXPECT_EQ(TextError("object A: T\n  P = (1 Null)\nend\n"), "Invalid property value on line 2");
    EXPECT_EQ(TextError("object A: T\n  P = [$1]\nend\n"), "Identifier expected on line 2");
}

TEST(ObjectText, ResourceVariantsWrapTheBinaryForm) {
    std::string text = Lines({"object Form1: TForm1", "  Tag = 1", "end"});
    TMemoryStream in, res, back;
    Fill(in, text);
    ObjectTextToResource(&in, &res);
    std::string r = Contents(res);
    std::string binary = TextToBinary(text);
    std::string header = "\xFF\x0A\x00TFORM1\x00\x30\x10"s;
    ASSERT_EQ(r.substr(0, header.size()), header);
    EXPECT_EQ(r.substr(header.size(), 4), "\0\0\0"s.insert(0, 1, static_cast<char>(binary.size())));
    EXPECT_EQ(r.substr(header.size() + 4), binary);
    res.SetPosition(0);
    EXPECT_EQ(TestStreamFormat(&res), sofBinary);
    ObjectResourceToText(&res, &back);
    EXPECT_EQ(Contents(back), text);

    // A 32-bit resource file: the empty first entry, then the form as RCDATA.
    std::string entry0("\x00\x00\x00\x00\x20\x00\x00\x00\xFF\xFF\x00\x00\xFF\xFF\x00\x00", 16);
    entry0 += std::string(16, '\0');
    std::string h;
    auto le32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) h += static_cast<char>(v >> (8 * i));
    };
    le32(static_cast<std::uint32_t>(binary.size()));
    le32(32);
    h += std::string("\xFF\xFF\x0A\x00\xFF\xFF\x01\x00", 8);
    h += std::string(16, '\0');
    EXPECT_EQ(BinaryToText(entry0 + h + binary), text);
    EXPECT_THROW(BinaryToText(entry0), EInvalidImage);
}

TEST(ObjectText, TestStreamFormatTellsTheFormatsApart) {
    for (auto [data, format] : std::initializer_list<std::pair<std::string, TStreamOriginalFormat>>{
             {"TPF0xyz", sofBinary},
             {"\xEF\xBB\xBF  \r\n INHERITED F: T", sofText},
             {"object", sofText},
             {"objects", sofUnknown},
             {"", sofUnknown}}) {
        TMemoryStream s;
        Fill(s, data);
        EXPECT_EQ(TestStreamFormat(&s), format) << data;
        EXPECT_EQ(s.GetPosition(), 0);
    }
}
