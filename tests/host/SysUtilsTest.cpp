#include "host/system/SysUtils.h"

#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace host;

namespace {
using testsupport::MessageOf;

} // namespace

TEST(SysUtilsFormat, IntegersHexAndPrecision) {
    EXPECT_EQ(Format("x=%d, %5d|%-5d|", {12, 42, 42}), "x=12,    42|42   |");
    EXPECT_EQ(Format("%.5d %.5d %8.3d", {12, -42, -5}), "00012 -00042     -005");
    EXPECT_EQ(Format("%u %u", {-1, Int64(-1)}), "4294967295 18446744073709551615");
    EXPECT_EQ(Format("%x %X %.4x %x", {255, 255, 10, -1}), "FF FF 000A FFFFFFFF");
    EXPECT_EQ(Format("%x", {Int64(-1)}), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(Format("%d", {std::numeric_limits<Int64>::min()}), "-9223372036854775808");
    EXPECT_EQ(Format("100%% %s", {"sure"}), "100% sure");
}

TEST(SysUtilsFormat, IndexesStarsAndStrings) {
    EXPECT_EQ(Format("%2:s %1:s %0:s", {"1st", "2nd", "3rd"}), "3rd 2nd 1st");
    // After an indexed specifier, unindexed ones continue from the next argument.
    EXPECT_EQ(Format("%1:s %s %0:s %s", {"a", "b", "c"}), "b c a b");
    EXPECT_EQ(Format("[%*d] [%-*.*f]", {4, 7, 8, 2, 3.14159}), "[   7] [3.14    ]");
    EXPECT_EQ(Format("[%.2s] [%5s] [%-3s] [%s]", {"abcdef", "ab", "x", 'c'}),
              "[ab] [   ab] [x  ] [c]");
    EXPECT_EQ(Format("%S-%D", {"up", 3}), "up-3");
    EXPECT_EQ(Format("%p", {static_cast<const void*>(nullptr)}), "0000000000000000");
    EXPECT_EQ(Format("no specifiers", {}), "no specifiers");
}

TEST(SysUtilsFormat, FloatingPointKinds) {
    EXPECT_EQ(Format("%f|%.3f|%.0f|%.0f", {12.0, 12.0, 2.5, 0.5}), "12.00|12.000|3|1");
    EXPECT_EQ(Format("%.2f", {0.125}), "0.13"); // half away from zero, on the decimal digits
    EXPECT_EQ(Format("%.2f", {2.675}), "2.67"); // ...of the value actually stored
    EXPECT_EQ(Format("%f", {-0.001}), "0.00");  // no "-0.00"
    EXPECT_EQ(Format("%e", {1234.567}), "1.23456700000000E+003");
    EXPECT_EQ(Format("%.3e|%.1e|%e", {12.0, 12.0, 0.0}), "1.20E+001|1E+001|0.00000000000000E+000");
    EXPECT_EQ(Format("%e", {-1.5e-300}), "-1.50000000000000E-300");
    EXPECT_EQ(Format("%g|%g|%.3g|%g", {1234.567, 1e20, 1234.5, 0.0}), "1234.567|1E20|1.23E3|0");
    EXPECT_EQ(Format("%n|%.0n|%n", {1234567.891, 1234567.891, -999.999}),
              "1,234,567.89|1,234,568|-1,000.00");
    EXPECT_EQ(Format("%m|%m|%.0m", {1234.5, -0.5, 2.5}), "$1,234.50|-$0.50|$3");
}

TEST(SysUtilsFormat, MismatchesRaiseTheHostError) {
    const char* msg = "Format '%d' invalid or incompatible with argument";
    EXPECT_EQ(MessageOf<EConvertError>([] { Format("%d", {"text"}); }), msg);
    EXPECT_EQ(MessageOf<EConvertError>([] { Format("%d", {}); }), msg);
    EXPECT_EQ(MessageOf<EConvertError>([] { Format("%d", {1.5}); }), msg);
    for (const char* bad : {"%s", "%f", "%x", "%p", "%q", "%", "%5", "%-", "%3:s", "%*d"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(Format(bad, {true}), EConvertError);
    }
    EXPECT_THROW(Format("%s %s", {"one"}), EConvertError);
    EXPECT_THROW(Format("%*s", {"not a width", "x"}), EConvertError);
    // A width that would need an unbounded buffer is a bad format, not an allocation.
    EXPECT_THROW(Format("%99999999999d", {1}), EConvertError);
    EXPECT_THROW(Format("%*d", {1 << 30, 1}), EConvertError);
    EXPECT_THROW(Format("%.*d", {Int64(1) << 40, 1}), EConvertError);
}

TEST(SysUtilsIntegers, ParsesTheHostForms) {
    EXPECT_EQ(StrToInt("123"), 123);
    EXPECT_EQ(StrToInt("  -42"), -42);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("0x1f"), 31);
    EXPECT_EQ(StrToInt("x10"), 16);
    EXPECT_EQ(StrToInt("-$10"), -16);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1); // hex fills the 32 bits
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), std::numeric_limits<Integer>::min());
    EXPECT_EQ(StrToInt64("9223372036854775807"), std::numeric_limits<Int64>::max());
    EXPECT_EQ(StrToInt64("-9223372036854775808"), std::numeric_limits<Int64>::min());
    EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(StrToIntDef("oops", 9), 9);
    EXPECT_EQ(IntToStr(-12), "-12");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFFFFFFFFFF");
}

TEST(SysUtilsIntegers, RejectsWhatIsNotAnInteger) {
    for (const char* bad : {"", " ", "-", "$", "0x", "12 ", "1.5", "1e3", "12a", "2147483648",
                            "-2147483649", "$100000000", "--1", "+-1", "1 2"}) {
        SCOPED_TRACE(bad);
        Integer v = 77;
        EXPECT_FALSE(TryStrToInt(bad, v));
        EXPECT_EQ(v, 77); // untouched on failure
    }
    EXPECT_EQ(MessageOf<EConvertError>([] { StrToInt("12a"); }),
              "'12a' is not a valid integer value");
    EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
    EXPECT_THROW(StrToInt64("$10000000000000000"), EConvertError);
}

TEST(SysUtilsFloats, FloatToStrUsesFifteenDigitsAndTheHostExponentForm) {
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(FloatToStr(100), "100");
    EXPECT_EQ(FloatToStr(-0.5), "-0.5");
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    EXPECT_EQ(FloatToStr(1.5e-10), "1.5E-10");
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
    EXPECT_EQ(FloatToStr(1234567890123456.0), "1.23456789012346E15");
    EXPECT_EQ(FloatToStr(0.0001), "0.0001");
    EXPECT_EQ(FloatToStr(0.00001), "0.00001");
    EXPECT_EQ(FloatToStr(0.000001), "1E-6");
    EXPECT_EQ(FloatToStr(9.999999999999999), "10"); // rounding carries into a new digit
    EXPECT_EQ(FloatToStr(0.0), "0");
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(FloatToStrF(1234.5, ffExponent, 3, 0), "1.23E+3");
    EXPECT_EQ(FloatToStrF(1e20, ffGeneral, 15, 3), "1E020");
    EXPECT_EQ(FloatToStrF(1e20, ffFixed, 15, 2), "1E20"); // too wide for fixed
}

TEST(SysUtilsFloats, StrToFloatAcceptsBlanksSignsAndExponents) {
    EXPECT_EQ(StrToFloat("  1.5  "), 1.5L);
    EXPECT_EQ(StrToFloat("-.5"), -0.5L);
    EXPECT_EQ(StrToFloat("5."), 5.0L);
    EXPECT_EQ(StrToFloat("+1E3"), 1000.0L);
    EXPECT_EQ(StrToFloat("2.5e-2"), 0.025L);
    EXPECT_EQ(StrToFloat("1e-99999"), 0.0L); // underflow reads as zero
    EXPECT_TRUE(std::isinf(StrToFloat("-INF")));
    EXPECT_TRUE(std::isnan(StrToFloat("nan")));
    // Whatever FloatToStr writes reads back to the same double.
    for (double d : {0.1, 1.0 / 3, 1e20, 1.5e-10, -123.456, 6.02214076e23}) {
        double back = static_cast<double>(StrToFloat(FloatToStr(d)));
        EXPECT_NEAR(back, d, std::fabs(d) * 1e-14);
    }
    for (const char* bad :
         {"", ".", "e5", "1e", "1e+", "1,5", "1.2.3", "0x10", "1 2", "infinity", "1e99999"}) {
        SCOPED_TRACE(bad);
        Extended v = 3;
        EXPECT_FALSE(TryStrToFloat(bad, v));
        EXPECT_EQ(v, 3);
    }
    EXPECT_EQ(MessageOf<EConvertError>([] { StrToFloat("abc"); }),
              "'abc' is not a valid floating point value");
}

TEST(SysUtilsFloats, CurrencyIsExactToFourPlaces) {
    EXPECT_EQ(StrToCurr("0.1").Scaled, 1000);
    EXPECT_EQ(StrToCurr("-12.34567").Scaled, -123457); // rounded at the fourth place
    EXPECT_EQ(CurrToStr(Currency::FromScaled(15000)), "1.5");
    EXPECT_EQ(CurrToStr(Currency::FromScaled(-1)), "-0.0001");
    EXPECT_EQ(CurrToStr(Currency::FromScaled(std::numeric_limits<Int64>::min())),
              "-922337203685477.5808");
    EXPECT_EQ(CurrToFloat(Currency::FromScaled(25000)), 2.5L);
    Currency c;
    EXPECT_FALSE(TryFloatToCurr(1e15, c));
    EXPECT_FALSE(TryFloatToCurr(std::numeric_limits<double>::quiet_NaN(), c));
    EXPECT_EQ(MessageOf<EConvertError>([] { FloatToCurr(1e20); }),
              "'1E20' is not a valid currency value");
}

TEST(SysUtilsBooleans, TextAndNumbers) {
    EXPECT_EQ(BoolToStr(true), "-1");
    EXPECT_EQ(BoolToStr(false), "0");
    EXPECT_EQ(BoolToStr(true, true), "True");
    EXPECT_TRUE(StrToBool("TRUE"));
    EXPECT_FALSE(StrToBool("false"));
    EXPECT_TRUE(StrToBool("-1"));
    EXPECT_TRUE(StrToBool("0.5"));
    EXPECT_FALSE(StrToBool("0"));
    bool b = true;
    EXPECT_FALSE(TryStrToBool("yes", b));
    EXPECT_FALSE(TryStrToBool("", b));
    EXPECT_EQ(MessageOf<EConvertError>([] { StrToBool("yes"); }),
              "'yes' is not a valid boolean value");
}

TEST(SysUtilsText, CaseFoldingAndComparison) {
    EXPECT_EQ(UpperCase("abc\xe9"), "ABC\xe9"); // ASCII only
    EXPECT_EQ(AnsiUpperCase("abc\xe9\xf7\xff"), "ABC\xc9\xf7\xff");
    EXPECT_EQ(AnsiLowerCase("\xc0\xd7\xde"), "\xe0\xd7\xfe");
    EXPECT_EQ(CompareText("abc", "ABC"), 0);
    EXPECT_LT(CompareText("a", "_"), 0); // folds to upper case, as the host
    EXPECT_LT(CompareText("ab", "abc"), 0);
    EXPECT_GT(CompareStr("a", "B"), 0);
    EXPECT_NE(CompareText("\xe9", "\xc9"), 0);
    EXPECT_EQ(AnsiCompareText("\xe9t\xe9", "\xc9T\xc9"), 0);
    EXPECT_TRUE(SameText("Button1", "BUTTON1"));
    EXPECT_FALSE(SameText("Button1", "Button"));
    EXPECT_TRUE(AnsiSameText("\xe0", "\xc0"));
    EXPECT_LT(AnsiCompareStr("a", "B"), 0);
    EXPECT_LT(AnsiCompareStr("a", "A"), 0);
    EXPECT_GT(AnsiCompareStr("Ab", "aa"), 0);
    EXPECT_EQ(AnsiCompareStr("same", "same"), 0);
}

TEST(SysUtilsText, TrimQuoteAndCopy) {
    EXPECT_EQ(Trim(" \t x y \r\n"), "x y");
    EXPECT_EQ(TrimLeft("  x "), "x ");
    EXPECT_EQ(TrimRight("  x "), "  x");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(QuotedStr("it's"), "'it''s'");
    EXPECT_EQ(AnsiQuotedStr("a\"b", '"'), "\"a\"\"b\"");
    const char* src = "'it''s' rest";
    EXPECT_EQ(AnsiExtractQuotedStr(src, '\''), "it's");
    EXPECT_STREQ(src, " rest");
    const char* unterminated = "'open";
    EXPECT_EQ(AnsiExtractQuotedStr(unterminated, '\''), "open");
    EXPECT_STREQ(unterminated, "");
    const char* plain = "plain";
    EXPECT_EQ(AnsiExtractQuotedStr(plain, '\''), "");
    EXPECT_STREQ(plain, "plain");
    EXPECT_TRUE(IsValidIdent("_Button1"));
    EXPECT_FALSE(IsValidIdent("1Button"));
    EXPECT_FALSE(IsValidIdent("a.b"));
    EXPECT_FALSE(IsValidIdent(""));
    EXPECT_EQ(Pos("lo", "hello"), 4);
    EXPECT_EQ(Pos("", "hello"), 0);
    EXPECT_EQ(Pos("x", "hello"), 0);
    EXPECT_EQ(Copy("hello", 2, 3), "ell");
    EXPECT_EQ(Copy("hello", 0, 2), "he");
    EXPECT_EQ(Copy("hello", 4, 100), "lo");
    EXPECT_EQ(Copy("hello", 6, 1), "");
    EXPECT_EQ(Copy("hello", 2, -1), "");
    EXPECT_EQ(Copy("hello", 2, std::numeric_limits<int>::max()), "ello");
    EXPECT_EQ(StringReplaceAll("a-b-c", "-", "--"), "a--b--c");
    EXPECT_EQ(StringReplaceAll("aXbxc", "x", "_", true), "a_b_c");
    EXPECT_EQ(StringReplaceAll("abc", "", "z"), "abc");
}

TEST(SysUtilsText, WideAndUtf8Conversions) {
    EXPECT_EQ(StringToWide("a\xe9"), u"a\u00e9");
    EXPECT_EQ(WideToString(u"a\u00e9\u20ac\U0001F600"), "a\xe9??");
    WideString all = u"A\u00e9\u20ac\U0001F600";
    EXPECT_EQ(Utf8Encode(all), "A\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80");
    EXPECT_EQ(Utf8Decode(Utf8Encode(all)), all);
    EXPECT_EQ(Utf8Encode(u"\xd800x"), "\xef\xbf\xbdx"); // a lone surrogate
    // Malformed input keeps what is readable around it.
    EXPECT_EQ(Utf8Decode("a\xff"
                         "b\xc3"),
              u"a\ufffdb\ufffd");
    EXPECT_EQ(Utf8Decode("\xc0\xaf"), u"\ufffd\ufffd");           // overlong '/'
    EXPECT_EQ(Utf8Decode("\xed\xa0\x80"), u"\ufffd\ufffd\ufffd"); // encoded surrogate
}

TEST(SysUtilsFiles, NamePartsAndExistence) {
    EXPECT_EQ(ExtractFileName("/tmp/dir/form.dfm"), "form.dfm");
    EXPECT_EQ(ExtractFileName("C:\\Forms\\Main.dfm"), "Main.dfm");
    EXPECT_EQ(ExtractFilePath("/tmp/dir/form.dfm"), "/tmp/dir/");
    EXPECT_EQ(ExtractFilePath("form.dfm"), "");
    EXPECT_EQ(ExtractFileExt("a/b.c/name"), "");
    EXPECT_EQ(ExtractFileExt("archive.tar.gz"), ".gz");
    EXPECT_EQ(ChangeFileExt("a/b.c/name", ".txt"), "a/b.c/name.txt");
    EXPECT_EQ(ChangeFileExt("main.dfm", ".pas"), "main.pas");
    EXPECT_EQ(ChangeFileExt("main.dfm", ""), "main");
    EXPECT_FALSE(FileExists("/")); // a directory is not a file
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists("/no/such/file"));
    EXPECT_TRUE(FileExists("/proc/self/status"));
}
