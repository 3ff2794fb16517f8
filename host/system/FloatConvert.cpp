// Floating-point and currency text: the host's FloatToStrF formats, StrToFloat, currency.
#include "host/system/SysUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace host {

namespace {

constexpr int kMaxPrecision = 18; // the host's Extended carries 18 significant digits
constexpr int kMaxDigits = 18;

/// A finite value as decimal digits: value = 0.Digits * 10^Exponent, no leading zeros.
/// An empty Digits is zero.
struct Decimal {
    bool Negative = false;
    int Exponent = 0;
    std::string Digits;
};

Decimal ToDecimal(long double v) {
    Decimal d;
    d.Negative = std::signbit(v);
    if (v == 0) return d;
    // The host reads 18 significant digits off the value (rounded to nearest) and rounds
    // those half away from zero to the precision asked for; the same two steps here.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17Le", std::fabs(v));
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') d.Digits += *p;
    d.Exponent = (*p == 'e' ? std::atoi(p + 1) : 0) + 1;
    while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
    return d;
}

/// Keeps `count` significant digits, rounding half away from zero as the host does.
void RoundTo(Decimal& d, int count) {
    if (d.Digits.empty()) return;
    if (count < 0) {
        d.Digits.clear();
        return;
    }
    if (count >= static_cast<int>(d.Digits.size())) return;
    bool up = d.Digits[count] >= '5';
    d.Digits.resize(count);
    if (up) {
        int i = count - 1;
        for (; i >= 0 && d.Digits[i] == '9'; --i) d.Digits[i] = '0';
        if (i >= 0) {
            ++d.Digits[i];
        } else {
            d.Digits.insert(d.Digits.begin(), '1');
            d.Digits.pop_back();
            if (d.Digits.empty()) d.Digits = "1";
            ++d.Exponent;
        }
    }
    while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
}

char DigitAt(const Decimal& d, int i) {
    return i >= 0 && i < static_cast<int>(d.Digits.size()) ? d.Digits[i] : '0';
}

std::string ExponentText(int e, int minDigits, bool plusSign) {
    std::string s = e < 0 ? "-" : (plusSign ? "+" : "");
    std::string n = std::to_string(e < 0 ? -e : e);
    if (static_cast<int>(n.size()) < minDigits) s.append(minDigits - n.size(), '0');
    return s + n;
}

std::string GeneralText(Decimal d, int precision, int expDigits) {
    RoundTo(d, precision);
    if (d.Digits.empty()) return "0";
    std::string s = d.Negative ? "-" : "";
    int n = static_cast<int>(d.Digits.size());
    if (d.Exponent > precision || d.Exponent < -4) {
        s += d.Digits[0];
        if (n > 1) s += DecimalSeparator + d.Digits.substr(1);
        return s + 'E' + ExponentText(d.Exponent - 1, expDigits, false);
    }
    if (d.Exponent <= 0) {
        s += '0';
        s += DecimalSeparator;
        s.append(-d.Exponent, '0');
        return s + d.Digits;
    }
    for (int i = 0; i < d.Exponent; ++i) s += DigitAt(d, i);
    if (n > d.Exponent) s += DecimalSeparator + d.Digits.substr(d.Exponent);
    return s;
}

std::string ExponentFormText(Decimal d, int precision, int expDigits) {
    RoundTo(d, precision);
    int exponent = d.Digits.empty() ? 0 : d.Exponent - 1;
    std::string s = d.Negative && !d.Digits.empty() ? "-" : "";
    s += DigitAt(d, 0);
    if (precision > 1) {
        s += DecimalSeparator;
        for (int i = 1; i < precision; ++i) s += DigitAt(d, i);
    }
    return s + 'E' + ExponentText(exponent, expDigits, true);
}

/// Integer and fraction digits of a fixed-point rendering; the sign is dropped when the
/// rounded value is zero.
struct FixedParts {
    bool Negative;
    std::string Int, Frac;
};

FixedParts FixedText(Decimal d, int decimals) {
    RoundTo(d, d.Exponent + decimals);
    FixedParts f{d.Negative && !d.Digits.empty(), "", ""};
    if (d.Exponent <= 0 || d.Digits.empty())
        f.Int = "0";
    else
        for (int i = 0; i < d.Exponent; ++i) f.Int += DigitAt(d, i);
    for (int i = 0; i < decimals; ++i) f.Frac += DigitAt(d, d.Exponent + i);
    return f;
}

std::string Grouped(const std::string& digits) {
    std::string s;
    int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) s += ThousandSeparator;
        s += digits[i];
    }
    return s;
}

} // namespace

AnsiString FloatToStrF(Extended Value, TFloatFormat Format, int Precision, int Digits) {
    if (std::isnan(Value)) return "NAN";
    if (std::isinf(Value)) return Value < 0 ? "-INF" : "INF";
    Precision = std::clamp(Precision, 1, kMaxPrecision);
    Decimal d = ToDecimal(Value);
    switch (Format) {
    case ffGeneral: return GeneralText(d, Precision, std::clamp(Digits, 0, 4));
    case ffExponent: return ExponentFormText(d, Precision, std::clamp(Digits, 0, 4));
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
        // More integer digits than the precision can show: the host falls back to the general form.
        if (d.Exponent > Precision && !d.Digits.empty()) return GeneralText(d, Precision, 0);
        FixedParts f = FixedText(d, std::clamp(Digits, 0, kMaxDigits));
        std::string body = Format == ffFixed ? f.Int : Grouped(f.Int);
        if (!f.Frac.empty()) body += DecimalSeparator + f.Frac;
        if (Format != ffCurrency) return (f.Negative ? "-" : "") + body;
        // CurrencyFormat "$1", NegCurrFormat "-$1".
        return (f.Negative ? "-" : "") + std::string(CurrencyString) + body;
    }
    }
    return GeneralText(d, Precision, 0);
}

AnsiString FloatToStr(Extended Value) {
    return FloatToStrF(Value, ffGeneral, 15, 0);
}

bool TryStrToFloat(const AnsiString& S, Extended& Value) {
    // Blanks around the number, an optional sign, digits with at most one decimal separator,
    // then an optional exponent. "INF" and "NAN" read back what FloatToStr writes for them.
    std::size_t b = 0, e = S.size();
    while (b < e && S[b] == ' ') ++b;
    while (e > b && S[e - 1] == ' ') --e;
    std::string t;
    std::size_t i = b;
    bool negative = false;
    if (i < e && (S[i] == '+' || S[i] == '-')) negative = S[i++] == '-';
    std::string_view rest(S.data() + i, e - i);
    auto same = [&](const char* word) {
        if (rest.size() != std::strlen(word)) return false;
        for (std::size_t k = 0; k < rest.size(); ++k)
            if ((rest[k] & ~0x20) != word[k]) return false;
        return true;
    };
    if (same("INF")) {
        Value = negative ? -std::numeric_limits<Extended>::infinity()
                         : std::numeric_limits<Extended>::infinity();
        return true;
    }
    if (same("NAN")) {
        Value = std::numeric_limits<Extended>::quiet_NaN();
        return true;
    }
    int mantissaDigits = 0;
    bool point = false;
    for (; i < e; ++i) {
        char c = S[i];
        if (c >= '0' && c <= '9') {
            t += c;
            ++mantissaDigits;
        } else if (c == DecimalSeparator && !point) {
            t += '.';
            point = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) return false;
    bool negativeExponent = false;
    if (i < e && (S[i] == 'e' || S[i] == 'E')) {
        t += 'e';
        ++i;
        if (i < e && (S[i] == '+' || S[i] == '-')) {
            negativeExponent = S[i] == '-';
            t += S[i++];
        }
        int expDigits = 0;
        for (; i < e && S[i] >= '0' && S[i] <= '9'; ++i, ++expDigits) t += S[i];
        if (expDigits == 0) return false;
    }
    if (i != e) return false;
    long double v = 0;
    auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        if (!negativeExponent) return false; // beyond the largest Extended
        v = 0;                               // underflow reads as zero
    } else if (r.ec != std::errc() || r.ptr != t.data() + t.size()) {
        return false;
    }
    Value = negative ? -v : v;
    return true;
}

Extended StrToFloat(const AnsiString& S) {
    Extended v;
    if (!TryStrToFloat(S, v))
        RaiseFmt<EConvertError>("'%s' is not a valid floating point value", {S});
    return v;
}

// ---- currency: an Int64 scaled by 10000 ----

bool TryFloatToCurr(Extended Value, Currency& Result) {
    if (!std::isfinite(Value)) return false;
    long double scaled = std::nearbyint(Value * 10000.0L); // the FPU's round-half-even
    // 2^63 is exactly representable; anything at or beyond it does not fit an Int64.
    if (scaled >= 9223372036854775808.0L || scaled < -9223372036854775808.0L) return false;
    Result = Currency::FromScaled(static_cast<Int64>(scaled));
    return true;
}

Currency FloatToCurr(Extended Value) {
    Currency c;
    if (!TryFloatToCurr(Value, c))
        RaiseFmt<EConvertError>("'%s' is not a valid currency value", {FloatToStr(Value)});
    return c;
}

Extended CurrToFloat(Currency Value) {
    return static_cast<Extended>(Value.Scaled) / 10000.0L;
}

AnsiString CurrToStr(Currency Value) {
    // Exact, from the scaled integer: a currency has at most 19 digits, all of them shown.
    std::uint64_t mag = Value.Scaled < 0 ? 0 - static_cast<std::uint64_t>(Value.Scaled)
                                         : static_cast<std::uint64_t>(Value.Scaled);
    std::string s = Value.Scaled < 0 ? "-" : "";
    s += std::to_string(mag / 10000);
    std::uint64_t frac = mag % 10000;
    if (frac) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%04llu", static_cast<unsigned long long>(frac));
        std::string f = buf;
        while (f.back() == '0') f.pop_back();
        s += DecimalSeparator + f;
    }
    return s;
}

bool TryStrToCurr(const AnsiString& S, Currency& Value) {
    Extended v;
    return TryStrToFloat(S, v) && TryFloatToCurr(v, Value);
}

Currency StrToCurr(const AnsiString& S) {
    return FloatToCurr(StrToFloat(S));
}

} // namespace host
