// The Variant's conversions between kinds, its comparison and its type names.
#include "host/system/SysUtils.h"
#include "host/system/VariantPayload.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

namespace host {

namespace {

using Access = VariantAccess;
constexpr Int64 kMaxCurrencyUnits = std::numeric_limits<Int64>::max() / 10000;

bool IsIntKind(Word t) {
    switch (t) {
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64: return true;
    default: return false;
    }
}

bool IsFloatKind(Word t) {
    return t == varSingle || t == varDouble || t == varDate;
}

Int64 AddressValue(const Variant& v) {
    return static_cast<Int64>(reinterpret_cast<std::intptr_t>(Access::Ptr(v)));
}

/// The text of a string or wide-string Variant.
AnsiString Text(const Variant& v) {
    return Access::Type(v) == varString ? Access::Str(v) : WideToString(Access::Wide(v));
}

/// Rounds half to even, as the host's FPU does, and checks the target's range.
Int64 RoundedInRange(long double v, Word from, Word to, Int64 lo, Int64 hi) {
    if (std::isnan(v)) VarCastError(from, to);
    long double r = std::nearbyint(v);
    if (r < static_cast<long double>(lo) || r > static_cast<long double>(hi))
        VarOverflowError(from, to);
    return static_cast<Int64>(r);
}

Int64 CurrencyUnits(Int64 scaled) {
    Int64 q = scaled / 10000, r = scaled % 10000;
    Int64 ar = r < 0 ? -r : r;
    if (ar > 5000 || (ar == 5000 && (q & 1))) q += scaled < 0 ? -1 : 1;
    return q;
}

/// The integral value of `v` for a target of type `to` whose range is [lo, hi].
Int64 IntegerValue(const Variant& v, Word to, Int64 lo, Int64 hi) {
    Word t = Access::Type(v);
    Int64 r;
    if (IsIntKind(t)) {
        r = Access::Int(v);
    } else {
        switch (t) {
        case varEmpty: r = 0; break;
        case varBoolean: r = Access::Bool(v) ? -1 : 0; break;
        case varSingle:
        case varDouble:
        case varDate: return RoundedInRange(Access::Double(v), t, to, lo, hi);
        case varCurrency: r = CurrencyUnits(Access::Int(v)); break;
        case varString:
        case varOleStr: {
            AnsiString s = Text(v);
            if (TryStrToInt64(s, r)) break;
            Extended f;
            if (TryStrToFloat(s, f)) return RoundedInRange(f, t, to, lo, hi);
            RaiseFmt<EConvertError>("'%s' is not a valid integer value", {s});
        }
        case varByRef: r = AddressValue(v); break;
        default: VarCastError(t, to);
        }
    }
    if (r < lo || r > hi) VarOverflowError(t, to);
    return r;
}

Currency CurrencyFromFloat(long double f, Word from) {
    Currency c;
    if (std::isnan(f)) VarCastError(from, varCurrency);
    if (!TryFloatToCurr(f, c)) VarOverflowError(from, varCurrency);
    return c;
}

} // namespace

// ---- type names and errors ----

AnsiString VarTypeName(TVarType Type) {
    Word t = Type;
    if (t == varByRef) return "Address";
    AnsiString prefix;
    if (t & varArray) prefix += "Array ";
    if (t & varByRef) prefix += "Ref ";
    t &= varTypeMask;
    static const char* const names[] = {
        "Empty",   "Null",   "Smallint", "Integer", "Single",  "Double",   "Currency",
        "Date",    "OleStr", "Dispatch", "Error",   "Boolean", "Variant",  "Unknown",
        "Decimal", nullptr,  "ShortInt", "Byte",    "Word",    "LongWord", "Int64"};
    if (t < std::size(names) && names[t]) return prefix + names[t];
    if (t == varString) return prefix + "String";
    return prefix + "$" + IntToHex(t, 4);
}

void VarCastError(Word From, Word To) {
    throw EVariantError("Could not convert variant of type (" +
                        VarTypeName(static_cast<TVarType>(From)) + ") into type (" +
                        VarTypeName(static_cast<TVarType>(To)) + ")");
}

void VarOverflowError(Word From, Word To) {
    throw EVariantError("Overflow while converting variant of type (" +
                        VarTypeName(static_cast<TVarType>(From)) + ") into type (" +
                        VarTypeName(static_cast<TVarType>(To)) + ")");
}

void VarInvalidCast() {
    throw EVariantError("Invalid variant type conversion");
}

// ---- conversions ----

Int64 Variant::AsInt64Slow() const {
    return IntegerValue(*this, varInt64, std::numeric_limits<Int64>::min(),
                        std::numeric_limits<Int64>::max());
}

Integer Variant::AsIntegerSlow() const {
    return static_cast<Integer>(IntegerValue(*this, varInteger, std::numeric_limits<Integer>::min(),
                                             std::numeric_limits<Integer>::max()));
}

bool Variant::AsBooleanSlow() const {
    if (IsIntKind(fType) || fType == varCurrency) return fInt != 0;
    switch (fType) {
    case varEmpty: return false;
    case varSingle:
    case varDouble:
    case varDate: return fDouble != 0;
    case varString:
    case varOleStr: return StrToBool(Text(*this));
    case varByRef: return fPtr != nullptr;
    default: VarCastError(fType, varBoolean);
    }
}

double Variant::AsDouble() const {
    if (IsFloatKind(fType)) return fDouble;
    if (IsIntKind(fType)) return static_cast<double>(fInt);
    switch (fType) {
    case varEmpty: return 0;
    case varBoolean: return fBool ? -1 : 0;
    case varCurrency: return static_cast<double>(CurrToFloat(Currency::FromScaled(fInt)));
    case varString:
    case varOleStr: {
        Extended f = StrToFloat(Text(*this));
        if (std::isfinite(f) && std::fabs(f) > DBL_MAX) VarOverflowError(fType, varDouble);
        return static_cast<double>(f);
    }
    case varByRef: return static_cast<double>(AddressValue(*this));
    default: VarCastError(fType, varDouble);
    }
}

Currency Variant::AsCurrency() const {
    if (fType == varCurrency) return Currency::FromScaled(fInt);
    if (IsIntKind(fType) || fType == varByRef) {
        Int64 v = fType == varByRef ? AddressValue(*this) : fInt;
        if (v > kMaxCurrencyUnits || v < -kMaxCurrencyUnits) VarOverflowError(fType, varCurrency);
        return Currency::FromScaled(v * 10000);
    }
    switch (fType) {
    case varEmpty: return Currency{};
    case varBoolean: return Currency::FromScaled(fBool ? -10000 : 0);
    case varSingle:
    case varDouble:
    case varDate: return CurrencyFromFloat(fDouble, fType);
    case varString:
    case varOleStr: return CurrencyFromFloat(StrToFloat(Text(*this)), fType);
    default: VarCastError(fType, varCurrency);
    }
}

TDateTime Variant::AsDate() const {
    if (IsFloatKind(fType)) return fDouble;
    if (fType == varString || fType == varOleStr) {
        // Date text as DateTimeToStr writes it, or the date's number.
        AnsiString s = Text(*this);
        TDateTime d;
        if (TryStrToDateTime(s, d)) return d;
        Extended f;
        if (TryStrToFloat(s, f) && std::isfinite(f) && std::fabs(f) <= DBL_MAX)
            return static_cast<double>(f);
        RaiseFmt<EConvertError>("'%s' is not a valid date and time", {s});
    }
    if (fType == varNull || IsArray()) VarCastError(fType, varDate);
    return AsDouble();
}

AnsiString Variant::AsString() const {
    if (IsIntKind(fType)) return IntToStr(fInt);
    switch (fType) {
    case varString: return Access::Str(*this);
    case varOleStr: return WideToString(Access::Wide(*this));
    case varEmpty: return AnsiString();
    case varBoolean: return fBool ? "True" : "False";
    case varDouble: return FloatToStr(fDouble);
    case varSingle: return FloatToStrF(fDouble, ffGeneral, 7, 0);
    case varDate: return DateTimeToStr(fDouble);
    case varCurrency: return CurrToStr(Currency::FromScaled(fInt));
    case varByRef: return IntToStr(AddressValue(*this));
    default: VarCastError(fType, varString);
    }
}

WideString Variant::AsWideString() const {
    if (fType == varOleStr) return Access::Wide(*this);
    if (fType == varNull || IsArray()) VarCastError(fType, varOleStr);
    return StringToWide(AsString());
}

void* Variant::AsAddress() const {
    if (fType == varByRef) return const_cast<void*>(fPtr);
    if (fType == varEmpty) return nullptr;
    VarInvalidCast(); // only a Variant made as an address yields one
}

Variant Variant::AsType(TVarType Type) const {
    if (Type & (varArray | varByRef)) {
        if (Type == fType) return *this;
        VarInvalidCast();
    }
    auto ranged = [this, Type](Int64 lo, Int64 hi) {
        return Access::MakeInt(Type, IntegerValue(*this, Type, lo, hi));
    };
    switch (Type) {
    case varEmpty: return Variant();
    case varNull: return Null();
    case varVariant: return *this;
    case varSmallint: return ranged(INT16_MIN, INT16_MAX);
    case varInteger: return ranged(INT32_MIN, INT32_MAX);
    case varShortInt: return ranged(INT8_MIN, INT8_MAX);
    case varByte: return ranged(0, UINT8_MAX);
    case varWord: return ranged(0, UINT16_MAX);
    case varLongWord: return ranged(0, UINT32_MAX);
    case varInt64: return ranged(INT64_MIN, INT64_MAX);
    case varSingle: {
        if (fType == varSingle) return *this;
        double d = AsDouble();
        if (std::isfinite(d) && std::fabs(d) > FLT_MAX) VarOverflowError(fType, varSingle);
        return FromSingle(static_cast<float>(d));
    }
    case varDouble: return Variant(AsDouble());
    case varCurrency: return Variant(AsCurrency());
    case varDate: return FromDate(AsDate());
    case varBoolean: return Variant(AsBoolean());
    case varString: return fType == varString ? *this : Variant(AsString());
    case varOleStr: return fType == varOleStr ? *this : Variant(AsWideString());
    default: VarInvalidCast();
    }
}

Variant VarAsType(const Variant& V, TVarType Type) {
    return V.AsType(Type);
}

AnsiString VarToStr(const Variant& V) {
    return V.IsNull() ? AnsiString() : V.AsString();
}

// ---- comparison ----

namespace {

template <class T>
int Order(T a, T b) {
    return a < b ? -1 : b < a ? 1 : 0;
}

int CompareFloats(long double a, long double b) {
    // NaN equals NaN and orders before every number, so the order stays total.
    if (std::isnan(a) || std::isnan(b)) return Order(!std::isnan(a), !std::isnan(b));
    return Order(a, b);
}

/// Kinds whose value is an exact integer (Booleans count -1 and 0).
bool IsIntegral(Word t) {
    return IsIntKind(t) || t == varBoolean || t == varByRef;
}

Int64 IntegralOf(const Variant& v) {
    Word t = Access::Type(v);
    if (t == varBoolean) return Access::Bool(v) ? -1 : 0;
    if (t == varByRef) return AddressValue(v);
    return Access::Int(v);
}

long double FloatOf(const Variant& v) {
    Word t = Access::Type(v);
    if (IsFloatKind(t)) return Access::Double(v);
    if (t == varCurrency) return CurrToFloat(Currency::FromScaled(Access::Int(v)));
    return static_cast<long double>(IntegralOf(v));
}

int CompareNumbers(const Variant& a, const Variant& b) {
    Word ta = Access::Type(a), tb = Access::Type(b);
    if (IsIntegral(ta) && IsIntegral(tb)) return Order(IntegralOf(a), IntegralOf(b));
    if ((ta == varCurrency || IsIntegral(ta)) && (tb == varCurrency || IsIntegral(tb))) {
        // Exactly, in units of 1/10000.
        auto scaled = [](const Variant& v) {
            return Access::Type(v) == varCurrency ? static_cast<__int128>(Access::Int(v))
                                                  : static_cast<__int128>(IntegralOf(v)) * 10000;
        };
        return Order(scaled(a), scaled(b));
    }
    return CompareFloats(FloatOf(a), FloatOf(b));
}

/// The string `s` converted to the kind of the number `n` it is compared with.
Variant StringAsKindOf(const Variant& s, const Variant& n) {
    Word tn = Access::Type(n);
    try {
        if (tn == varBoolean) return Variant(s.AsBoolean());
        if (IsIntegral(tn)) {
            Int64 i;
            if (TryStrToInt64(Text(s), i)) return Variant(static_cast<long long>(i));
        }
        return Variant(s.AsDouble());
    } catch (const EConvertError&) {
        VarCastError(Access::Type(s), tn == varBoolean ? varBoolean : varDouble);
    }
}

} // namespace

int Variant::Compare(const Variant& o) const {
    // Empty, then Null, then every value.
    auto rank = [](Word t) { return t == varEmpty ? 0 : t == varNull ? 1 : 2; };
    int ra = rank(fType), rb = rank(o.fType);
    if (ra < 2 || rb < 2) return Order(ra, rb);
    if (IsArray() || o.IsArray()) throw EVariantError("Invalid variant operation");
    bool sa = IsString(), sb = o.IsString();
    if (sa && sb) {
        if (fType == varString && o.fType == varString)
            return Order(CompareStr(Access::Str(*this), Access::Str(o)), 0);
        return Order(AsWideString().compare(o.AsWideString()), 0);
    }
    if (sa) return CompareNumbers(StringAsKindOf(*this, o), o);
    if (sb) return CompareNumbers(*this, StringAsKindOf(o, *this));
    return CompareNumbers(*this, o);
}

} // namespace host
