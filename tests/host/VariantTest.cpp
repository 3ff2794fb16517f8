#include "host/system/Variant.h"
#include "host/system/SysUtils.h"

#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace host;

namespace {
using testsupport::MessageOf;

} // namespace

TEST(VariantKinds, ConstructorsPickTheHostTypeCodes) {
    EXPECT_EQ(sizeof(Variant), 16u);
    EXPECT_EQ(Variant().VarType(), varEmpty);
    EXPECT_EQ(Variant::Null().VarType(), varNull);
    EXPECT_EQ(Variant(1).VarType(), varInteger);
    EXPECT_EQ(Variant(Int64(1)).VarType(), varInt64);
    EXPECT_EQ(Variant(true).VarType(), varBoolean);
    EXPECT_EQ(Variant(1.5).VarType(), varDouble);
    EXPECT_EQ(Variant(Currency::FromScaled(1)).VarType(), varCurrency);
    EXPECT_EQ(Variant("s").VarType(), varString);
    EXPECT_EQ(Variant(WideString(u"w")).VarType(), varOleStr);
    EXPECT_EQ(Variant::FromDate(1).VarType(), varDate);
    EXPECT_EQ(Variant::FromSingle(1).VarType(), varSingle);
    EXPECT_EQ(Variant(static_cast<const char*>(nullptr)).AsString(), "");
    Variant v("text");
    v.Clear();
    EXPECT_TRUE(v.IsEmpty());
    EXPECT_TRUE(VarIsNull(Variant::Null()));
}

TEST(VariantKinds, TypeNamesAreTheHosts) {
    EXPECT_EQ(VarTypeName(varNull), "Null");
    EXPECT_EQ(VarTypeName(varInteger), "Integer");
    EXPECT_EQ(VarTypeName(varString), "String");
    EXPECT_EQ(VarTypeName(varOleStr), "OleStr");
    EXPECT_EQ(VarTypeName(varBoolean), "Boolean");
    EXPECT_EQ(VarTypeName(varLongWord), "LongWord");
    EXPECT_EQ(VarTypeName(static_cast<TVarType>(varArray | varVariant)), "Array Variant");
    EXPECT_EQ(VarTypeName(varByRef), "Address");
    EXPECT_EQ(VarTypeName(static_cast<TVarType>(0x0F)), "$000F");
}

TEST(VariantIntegers, ConversionsFollowTheHostRules) {
    EXPECT_EQ(Variant(true).AsInteger(), -1);
    EXPECT_EQ(Variant(false).AsInt64(), 0);
    EXPECT_EQ(Variant().AsInteger(), 0);
    EXPECT_EQ(Variant(" 42").AsInteger(), 42);
    EXPECT_EQ(Variant("$FF").AsInteger(), 255);
    EXPECT_EQ(Variant("1.5").AsInteger(), 2);
    EXPECT_EQ(Variant(WideString(u"-7")).AsInteger(), -7);
    // Floats round half to even, as the host's FPU.
    EXPECT_EQ(Variant(2.5).AsInteger(), 2);
    EXPECT_EQ(Variant(3.5).AsInteger(), 4);
    EXPECT_EQ(Variant(-2.5).AsInt64(), -2);
    EXPECT_EQ(Variant(Currency::FromScaled(25000)).AsInteger(), 2);
    EXPECT_EQ(Variant(Currency::FromScaled(-35000)).AsInteger(), -4);
    EXPECT_EQ(Variant(Int64(1) << 40).AsInt64(), Int64(1) << 40);
    Int64 raw = 0;
    EXPECT_TRUE(Variant(Int64(5)).TryGetInt(raw));
    EXPECT_EQ(raw, 5);
    EXPECT_FALSE(Variant("5").TryGetInt(raw));
}

TEST(VariantIntegers, FailuresRaiseTheHostErrors) {
    EXPECT_EQ(MessageOf<EVariantError>([] { Variant::Null().AsInteger(); }),
              "Could not convert variant of type (Null) into type (Integer)");
    EXPECT_EQ(MessageOf<EVariantError>([] { Variant(Int64(1) << 40).AsInteger(); }),
              "Overflow while converting variant of type (Int64) into type (Integer)");
    EXPECT_EQ(MessageOf<EVariantError>([] { Variant(3e9).AsInteger(); }),
              "Overflow while converting variant of type (Double) into type (Integer)");
    EXPECT_EQ(MessageOf<EVariantError>([] { Variant(1e30).AsInt64(); }),
              "Overflow while converting variant of type (Double) into type (Int64)");
    EXPECT_EQ(MessageOf<EVariantError>([] { Variant("9999999999").AsInteger(); }),
              "Overflow while converting variant of type (String) into type (Integer)");
    EXPECT_EQ(MessageOf<EConvertError>([] { Variant("12abc").AsInteger(); }),
              "'12abc' is not a valid integer value");
    EXPECT_THROW(Variant("").AsInt64(), EConvertError);
    EXPECT_THROW(Variant(std::nan("")).AsInteger(), EVariantError);
    EXPECT_THROW(Variant("NAN").AsInteger(), EVariantError);
    EXPECT_THROW(VarArrayOf({1}).AsInteger(), EVariantError);
}

TEST(VariantBooleans, NonZeroIsTrueAndTextIsRead) {
    EXPECT_TRUE(Variant(2).AsBoolean());
    EXPECT_TRUE(Variant(-1).AsBoolean());
    EXPECT_FALSE(Variant(0).AsBoolean());
    EXPECT_TRUE(Variant(0.1).AsBoolean());
    EXPECT_FALSE(Variant().AsBoolean());
    EXPECT_TRUE(Variant("TRUE").AsBoolean());
    EXPECT_FALSE(Variant("false").AsBoolean());
    EXPECT_TRUE(Variant("-1").AsBoolean());
    EXPECT_FALSE(Variant("0").AsBoolean());
    EXPECT_EQ(MessageOf<EConvertError>([] { Variant("maybe").AsBoolean(); }),
              "'maybe' is not a valid boolean value");
    EXPECT_EQ(MessageOf<EVariantError>([] { Variant::Null().AsBoolean(); }),
              "Could not convert variant of type (Null) into type (Boolean)");
    EXPECT_EQ(Variant(true).AsString(), "True");
    EXPECT_EQ(Variant(false).AsString(), "False");
    EXPECT_EQ(Variant(true).AsDouble(), -1.0);
}

TEST(VariantFloats, TextAndNumbersBothWays) {
    EXPECT_EQ(Variant(1.5).AsString(), "1.5");
    EXPECT_EQ(Variant(1e20).AsString(), "1E20");
    EXPECT_EQ(Variant(0.1 + 0.2).AsString(), "0.3");
    EXPECT_EQ(Variant::FromSingle(0.1f).AsString(), "0.1"); // a Single shows its own 7 digits
    EXPECT_EQ(Variant(" 2.5e3 ").AsDouble(), 2500.0);
    EXPECT_EQ(Variant(7).AsDouble(), 7.0);
    EXPECT_EQ(Variant(Currency::FromScaled(12345)).AsDouble(), 1.2345);
    EXPECT_EQ(Variant(Currency::FromScaled(12345)).AsString(), "1.2345");
    EXPECT_EQ(Variant("1.23456").AsCurrency().Scaled, 12346);
    EXPECT_EQ(Variant(3).AsCurrency().Scaled, 30000);
    EXPECT_EQ(Variant(Int64(1) << 62).AsString(), "4611686018427387904");
    EXPECT_EQ(MessageOf<EConvertError>([] { Variant("1.2.3").AsDouble(); }),
              "'1.2.3' is not a valid floating point value");
    EXPECT_EQ(MessageOf<EVariantError>([] { Variant("1e400").AsDouble(); }),
              "Overflow while converting variant of type (String) into type (Double)");
    EXPECT_EQ(MessageOf<EVariantError>([] { Variant(1e300).AsCurrency(); }),
              "Overflow while converting variant of type (Double) into type (Currency)");
    EXPECT_THROW(Variant(Int64(1) << 62).AsCurrency(), EVariantError);
    EXPECT_THROW(Variant::Null().AsDouble(), EVariantError);
}

TEST(VariantDates, TextRoundTripAndNumbers) {
    TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0);
    Variant d = Variant::FromDate(t);
    EXPECT_EQ(d.AsString(), "2024-03-05 14:07:09");
    EXPECT_EQ(Variant(d.AsString()).AsDate(), t);
    EXPECT_EQ(Variant("2024-03-05").AsDate(), EncodeDate(2024, 3, 5));
    EXPECT_EQ(Variant("45356.5").AsDate(), 45356.5);
    EXPECT_EQ(d.AsDouble(), t);
    EXPECT_EQ(Variant(2).AsDate(), 2.0);
    EXPECT_EQ(d.AsType(varString).AsType(varDate).AsDate(), t);
    EXPECT_EQ(MessageOf<EConvertError>([] { Variant("soon").AsDate(); }),
              "'soon' is not a valid date and time");
    // A date far outside the calendar has no text, and says so.
    EXPECT_THROW(Variant::FromDate(1e300).AsString(), EConvertError);
}

TEST(VariantStrings, EmptyNullAndWideText) {
    EXPECT_EQ(Variant().AsString(), "");
    EXPECT_EQ(VarToStr(Variant::Null()), "");
    EXPECT_EQ(MessageOf<EVariantError>([] { Variant::Null().AsString(); }),
              "Could not convert variant of type (Null) into type (String)");
    EXPECT_EQ(MessageOf<EVariantError>([] { Variant::Null().AsWideString(); }),
              "Could not convert variant of type (Null) into type (OleStr)");
    Variant w(WideString(u"caf\u00e9 \u20ac"));
    EXPECT_EQ(w.AsString(), "caf\xe9 ?");
    EXPECT_EQ(Variant("caf\xe9").AsWideString(), u"caf\u00e9");
    EXPECT_EQ(Variant(12).AsWideString(), u"12");
    EXPECT_EQ(VarToStr(Variant(-3)), "-3");
    // Copies share the text and outlive the original.
    Variant* a = new Variant(AnsiString(1000, 'x'));
    Variant b = *a, c;
    c = b;
    delete a;
    EXPECT_EQ(c.AsString(), AnsiString(1000, 'x'));
    c = c; // self-assignment keeps the value
    EXPECT_EQ(b.AsString().size(), 1000u);
    Variant moved = std::move(b);
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_EQ(moved.AsString().size(), 1000u);
}

TEST(VariantAsType, ConvertsWithRangeChecks) {
    EXPECT_EQ(VarAsType(Variant("12"), varInteger).VarType(), varInteger);
    EXPECT_EQ(VarAsType(Variant(12), varString).AsString(), "12");
    EXPECT_EQ(VarAsType(Variant(255), varByte).AsInteger(), 255);
    EXPECT_EQ(VarAsType(Variant(1), varBoolean).AsBoolean(), true);
    EXPECT_EQ(VarAsType(Variant("x"), varOleStr).VarType(), varOleStr);
    EXPECT_EQ(VarAsType(Variant(4000000000LL), varLongWord).AsInt64(), 4000000000LL);
    EXPECT_EQ(VarAsType(Variant(1), varNull).VarType(), varNull);
    EXPECT_EQ(VarAsType(Variant(1.25), varSingle).AsDouble(), 1.25);
    EXPECT_EQ(MessageOf<EVariantError>([] { VarAsType(Variant(256), varByte); }),
              "Overflow while converting variant of type (Integer) into type (Byte)");
    EXPECT_THROW(VarAsType(Variant(-1), varWord), EVariantError);
    EXPECT_THROW(VarAsType(Variant(40000), varSmallint), EVariantError);
    EXPECT_THROW(VarAsType(Variant(1e39), varSingle), EVariantError);
    EXPECT_EQ(MessageOf<EVariantError>([] { VarAsType(Variant(1), varDispatch); }),
              "Invalid variant type conversion");
    EXPECT_THROW(VarAsType(Variant(1), static_cast<TVarType>(varArray | varVariant)),
                 EVariantError);
    EXPECT_THROW(VarAsType(Variant::Null(), varInteger), EVariantError);
}

TEST(VariantAddresses, OnlyAddressVariantsYieldPointers) {
    int target = 5;
    Variant a = Variant::Address(&target);
    EXPECT_TRUE(a.IsByRef());
    EXPECT_EQ(a.AsAddress(), &target);
    EXPECT_EQ(Variant().AsAddress(), nullptr);
    // Elsewhere the address reads as its integer value.
    auto value = static_cast<Int64>(reinterpret_cast<std::intptr_t>(&target));
    EXPECT_EQ(a.AsInt64(), value);
    EXPECT_EQ(a.AsString(), IntToStr(value));
    EXPECT_TRUE(a.AsBoolean());
    EXPECT_EQ(a.Compare(Variant(static_cast<long long>(value))), 0);
    Variant copy = a;
    EXPECT_EQ(copy.AsAddress(), &target);
    // An integer, a float or text never becomes a pointer.
    for (const Variant& v : {Variant(static_cast<long long>(value)), Variant(1.0),
                             Variant(IntToStr(value)), Variant::Null(), Variant(true)}) {
        EXPECT_EQ(MessageOf<EVariantError>([&] { v.AsAddress(); }),
                  "Invalid variant type conversion");
    }
}

TEST(VariantArrays, CreateBoundsAndElements) {
    Variant a = VarArrayCreate({1, 3}, varInteger);
    EXPECT_TRUE(VarIsArray(a));
    EXPECT_EQ(VarType(a), varArray | varInteger);
    EXPECT_EQ(VarArrayDimCount(a), 1);
    EXPECT_EQ(VarArrayLowBound(a, 1), 1);
    EXPECT_EQ(VarArrayHighBound(a, 1), 3);
    EXPECT_EQ(a[2].VarType(), varInteger); // elements start as zeros of the element type
    a.PutElement({2}, Variant("42"));      // and take values converted to it
    EXPECT_EQ(a[2].VarType(), varInteger);
    EXPECT_EQ(a[2].AsInteger(), 42);
    EXPECT_THROW(a.PutElement({3}, Variant("abc")), EConvertError);
    EXPECT_EQ(a[3].AsInteger(), 0); // a failed write changes nothing

    Variant m = VarArrayCreate({0, 1, -2, 2}, varVariant);
    EXPECT_EQ(m.DimCount(), 2);
    EXPECT_EQ(m.LowBound(2), -2);
    EXPECT_EQ(m.HighBound(2), 2);
    m.PutElement({1, -2}, Variant("corner"));
    m.PutElement({0, 2}, Variant(7));
    EXPECT_EQ(m.GetElement({1, -2}).AsString(), "corner");
    EXPECT_EQ(m.GetElement({0, 2}).AsInteger(), 7);
    EXPECT_TRUE(m.GetElement({1, 2}).IsEmpty());

    Variant s = VarArrayCreate({0, 1}, varString);
    EXPECT_EQ(s[1].VarType(), varString);
    s.PutElement({1}, Variant(3.5));
    EXPECT_EQ(s[1].AsString(), "3.5");

    Variant e = VarArrayCreate({5, 4}, varVariant); // empty is allowed
    EXPECT_EQ(e.HighBound(1), 4);
    EXPECT_THROW(e[5], EVariantError);

    Variant of = VarArrayOf({Variant(1), Variant("two"), VarArrayOf({Variant(3)})});
    EXPECT_EQ(of.HighBound(1), 2);
    EXPECT_EQ(of[2][0].AsInteger(), 3);
}

TEST(VariantArrays, BadIndexesAndBoundsRaise) {
    const char* bounds = "Variant array index out of bounds";
    Variant a = VarArrayCreate({0, 2}, varVariant);
    EXPECT_EQ(MessageOf<EVariantError>([&] { a[3]; }), bounds);
    EXPECT_EQ(MessageOf<EVariantError>([&] { a[-1]; }), bounds);
    EXPECT_EQ(MessageOf<EVariantError>([&] { a.GetElement({0, 0}); }), bounds);
    EXPECT_EQ(MessageOf<EVariantError>([&] { a.PutElement({}, Variant(1)); }), bounds);
    EXPECT_EQ(MessageOf<EVariantError>([&] { a.LowBound(2); }), bounds);
    EXPECT_EQ(MessageOf<EVariantError>([&] { a.HighBound(0); }), bounds);
    EXPECT_EQ(MessageOf<EVariantError>([&] { a.Redim(-2); }), bounds);
    Variant big = VarArrayCreate(
        {std::numeric_limits<int>::max() - 1, std::numeric_limits<int>::max()}, varVariant);
    EXPECT_EQ(big.HighBound(1), std::numeric_limits<int>::max());
    EXPECT_THROW(big.GetElement({std::numeric_limits<int>::min()}), EVariantError);

    const char* notArray = "Variant is not an array";
    Variant n(5);
    EXPECT_EQ(VarArrayDimCount(n), 0);
    EXPECT_EQ(MessageOf<EVariantError>([&] { n[0]; }), notArray);
    EXPECT_EQ(MessageOf<EVariantError>([&] { n.LowBound(1); }), notArray);
    EXPECT_EQ(MessageOf<EVariantError>([&] { n.PutElement({0}, Variant(1)); }), notArray);
    EXPECT_EQ(MessageOf<EVariantError>([&] { VarArrayRedim(n, 3); }), notArray);

    const char* create = "Error creating variant array";
    EXPECT_EQ(MessageOf<EVariantError>([] { VarArrayCreate({0}, varVariant); }), create);
    EXPECT_EQ(MessageOf<EVariantError>([] { VarArrayCreate({}, varVariant); }), create);
    EXPECT_EQ(MessageOf<EVariantError>([] { VarArrayCreate({3, 1}, varVariant); }), create);
    EXPECT_EQ(MessageOf<EVariantError>([] { VarArrayCreate({0, 1}, varNull); }), create);
    // Bounds from outside cannot ask for unbounded memory.
    EXPECT_EQ(MessageOf<EVariantError>([] {
                  VarArrayCreate({0, std::numeric_limits<int>::max()}, varVariant);
              }),
              create);
    EXPECT_EQ(MessageOf<EVariantError>([] {
                  VarArrayCreate({0, 3000, 0, 3000}, varVariant);
              }),
              create);
    Variant r = VarArrayCreate({0, 0}, varVariant);
    EXPECT_THROW(r.Redim(std::numeric_limits<int>::max()), EVariantError);
    EXPECT_EQ(r.HighBound(1), 0);
}

TEST(VariantArrays, CopiesAreIndependentAndRedimKeepsElements) {
    Variant a = VarArrayOf({Variant(1), Variant(2)});
    Variant b = a;
    b.PutElement({0}, Variant("changed"));
    EXPECT_EQ(a[0].AsInteger(), 1); // copied on write
    EXPECT_EQ(b[0].AsString(), "changed");

    // An array stored into itself holds its former value, not a cycle.
    a.PutElement({1}, a);
    EXPECT_EQ(a[1][1].AsInteger(), 2);
    EXPECT_EQ(a[1].DimCount(), 1);
    // So does an element assigned from inside the array it replaces.
    Variant nested = VarArrayOf({VarArrayOf({Variant("inner")})});
    nested = nested[0];
    EXPECT_EQ(nested[0].AsString(), "inner");

    Variant m = VarArrayCreate({1, 2, 0, 1}, varInteger);
    m.PutElement({1, 0}, Variant(10));
    m.PutElement({2, 1}, Variant(21));
    Variant before = m;
    VarArrayRedim(m, 3);
    EXPECT_EQ(m.HighBound(2), 3);
    EXPECT_EQ(m.GetElement({1, 0}).AsInteger(), 10);
    EXPECT_EQ(m.GetElement({2, 1}).AsInteger(), 21);
    EXPECT_EQ(m.GetElement({2, 3}).VarType(), varInteger);
    EXPECT_EQ(before.HighBound(2), 1); // the copy kept its shape
    m.Redim(-1);
    EXPECT_EQ(m.HighBound(2), -1);
    EXPECT_THROW(m.GetElement({1, 0}), EVariantError);
    EXPECT_EQ(MessageOf<EVariantError>([&] { m.AsString(); }),
              "Could not convert variant of type (Array Integer) into type (String)");
}

TEST(VariantCompare, NumbersTextAndOrder) {
    EXPECT_EQ(Variant(1).Compare(Variant(1.0)), 0);
    EXPECT_LT(Variant(1).Compare(Variant(1.5)), 0);
    EXPECT_EQ(Variant(Currency::FromScaled(15000)).Compare(Variant(1.5)), 0);
    EXPECT_GT(Variant(Currency::FromScaled(10001)).Compare(Variant(1)), 0);
    // Large integers compare exactly, not through a double.
    EXPECT_LT(Variant(Int64(1) << 62).Compare(Variant((Int64(1) << 62) + 1)), 0);
    EXPECT_TRUE(Variant("abc") == Variant("abc"));
    EXPECT_TRUE(Variant("abc") < Variant("abd"));
    EXPECT_FALSE(Variant("abc") == Variant("ABC"));
    EXPECT_TRUE(Variant("abc") == Variant(WideString(u"abc")));
    EXPECT_TRUE(Variant("10") == Variant(10));
    EXPECT_TRUE(Variant(9) < Variant("10")); // numerically, not as text
    EXPECT_TRUE(Variant("2.5") == Variant(2.5));
    EXPECT_TRUE(Variant("True") == Variant(true));
    EXPECT_TRUE(Variant(true) == Variant(-1));
    EXPECT_TRUE(Variant::FromDate(2) == Variant(2));
    EXPECT_TRUE(Variant() == Variant());
    EXPECT_TRUE(Variant::Null() == Variant::Null());
    EXPECT_TRUE(Variant() < Variant::Null());
    EXPECT_TRUE(Variant::Null() < Variant(-1000));
    EXPECT_TRUE(Variant::Null() < Variant(""));
    EXPECT_TRUE(Variant(std::nan("")) == Variant(std::nan("")));
    EXPECT_TRUE(Variant(std::nan("")) < Variant(-1e300));
    EXPECT_EQ(MessageOf<EVariantError>([] { (void)(Variant("abc") == Variant(1)); }),
              "Could not convert variant of type (String) into type (Double)");
    EXPECT_EQ(MessageOf<EVariantError>([] { (void)(VarArrayOf({}) == Variant(1)); }),
              "Invalid variant operation");
}
