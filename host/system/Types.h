// Basic types of the host library: integers, strings, sets, points and rectangles.
#pragma once

#include <cstdint>
#include <string>

namespace host {

using Integer = std::int32_t;
using Cardinal = std::uint32_t;
using LongInt = std::int32_t;
using LongWord = std::uint32_t;
using SmallInt = std::int16_t;
using ShortInt = std::int8_t;
using Word = std::uint16_t;
using Byte = std::uint8_t;
using Int64 = std::int64_t;
using Extended = long double;
using AnsiString = std::string;
using WideString = std::u16string;
using HRESULT = std::int32_t;
using THandle = std::uint32_t;

/// A date and time: days since 1899-12-30, the fraction the time of day. A type of its own rather
/// than a double, so that a property of this type streams as a date without further notice.
struct TDateTime {
    using Scalar = double;
    double Value = 0;
    constexpr TDateTime() = default;
    constexpr TDateTime(double V) : Value(V) {}
    constexpr operator double() const { return Value; }
};

/// Fixed-point number with four decimal places, stored scaled by 10000.
struct Currency {
    Int64 Scaled = 0;
    static constexpr Currency FromScaled(Int64 v) { return Currency{v}; }
    friend constexpr bool operator==(Currency, Currency) = default;
    friend constexpr auto operator<=>(Currency, Currency) = default;
};

/// A host set over an enumeration with at most 64 elements. Storage width follows the host:
/// one byte up to 8 elements, two up to 16, four up to 32, eight beyond.
template <class E, int N>
class Set {
public:
    using Bits = std::conditional_t<
        (N <= 8), std::uint8_t,
        std::conditional_t<(N <= 16), std::uint16_t,
                           std::conditional_t<(N <= 32), std::uint32_t, std::uint64_t>>>;
    static constexpr int Size = N;

    constexpr Set() = default;
    constexpr Set(std::initializer_list<E> items) {
        for (E e : items) *this += e;
    }
    static constexpr Set FromBits(Bits b) {
        Set s;
        s.fBits = b;
        return s;
    }
    constexpr Bits ToBits() const { return fBits; }
    constexpr bool Contains(E e) const { return (fBits >> static_cast<int>(e)) & 1u; }
    constexpr bool Empty() const { return fBits == 0; }
    constexpr Set& operator+=(E e) {
        fBits = static_cast<Bits>(fBits | (Bits(1) << static_cast<int>(e)));
        return *this;
    }
    constexpr Set& operator-=(E e) {
        fBits = static_cast<Bits>(fBits & ~(Bits(1) << static_cast<int>(e)));
        return *this;
    }
    constexpr Set& operator+=(Set o) {
        fBits = static_cast<Bits>(fBits | o.fBits);
        return *this;
    }
    constexpr Set& operator-=(Set o) {
        fBits = static_cast<Bits>(fBits & ~o.fBits);
        return *this;
    }
    friend constexpr Set operator+(Set a, Set b) { return a += b; }
    friend constexpr Set operator-(Set a, Set b) { return a -= b; }
    friend constexpr Set operator*(Set a, Set b) {
        return FromBits(static_cast<Bits>(a.fBits & b.fBits));
    }
    friend constexpr bool operator==(Set, Set) = default;

private:
    Bits fBits = 0;
};

struct TPoint {
    Integer X = 0, Y = 0;
    friend constexpr bool operator==(TPoint, TPoint) = default;
};

struct TRect {
    Integer Left = 0, Top = 0, Right = 0, Bottom = 0;
    friend constexpr bool operator==(TRect, TRect) = default;
};

struct TSize {
    Integer cx = 0, cy = 0;
    friend constexpr bool operator==(TSize, TSize) = default;
};

inline constexpr TPoint Point(Integer x, Integer y) {
    return {x, y};
}
inline constexpr TRect Rect(Integer l, Integer t, Integer r, Integer b) {
    return {l, t, r, b};
}

/// Number * Numerator / Denominator in 64 bits, rounded half away from zero, as the platform's
/// MulDiv; -1 for a zero denominator or a result outside 32 bits.
constexpr Integer MulDiv(Integer Number, Integer Numerator, Integer Denominator) {
    if (Denominator == 0) return -1;
    long long p = static_cast<long long>(Number) * Numerator;
    long long d = Denominator;
    bool negative = (p < 0) != (d < 0);
    unsigned long long ap =
        p < 0 ? 0ull - static_cast<unsigned long long>(p) : static_cast<unsigned long long>(p);
    unsigned long long ad =
        d < 0 ? 0ull - static_cast<unsigned long long>(d) : static_cast<unsigned long long>(d);
    unsigned long long q = (ap + ad / 2) / ad;
    if (q > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return -1;
    return negative ? static_cast<Integer>(0ll - static_cast<long long>(q))
                    : static_cast<Integer>(q);
}

/// A 128-bit interface identifier.
struct TGUID {
    std::uint32_t D1 = 0;
    std::uint16_t D2 = 0, D3 = 0;
    std::uint8_t D4[8] = {};
    friend constexpr bool operator==(const TGUID&, const TGUID&) = default;
};

/// Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" at compile time.
consteval TGUID GuidOf(const char (&s)[39]) {
    auto hex = [&](int pos, int count) {
        std::uint64_t v = 0;
        for (int i = 0; i < count; ++i) {
            char c = s[pos + i];
            int d = (c >= '0' && c <= '9')   ? c - '0'
                    : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                    : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                                             : throw "bad GUID digit";
            v = v * 16 + static_cast<std::uint64_t>(d);
        }
        return v;
    };
    TGUID g;
    g.D1 = static_cast<std::uint32_t>(hex(1, 8));
    g.D2 = static_cast<std::uint16_t>(hex(10, 4));
    g.D3 = static_cast<std::uint16_t>(hex(15, 4));
    g.D4[0] = static_cast<std::uint8_t>(hex(20, 2));
    g.D4[1] = static_cast<std::uint8_t>(hex(22, 2));
    for (int i = 0; i < 6; ++i) g.D4[2 + i] = static_cast<std::uint8_t>(hex(25 + 2 * i, 2));
    return g;
}

} // namespace host
