// Format, integer and Boolean text, and the string helpers of the host's SysUtils.
#include "host/system/SysUtils.h"

#include <cstring>
#include <limits>

namespace host {

// ---- integers ----

AnsiString IntToStr(Int64 Value) {
    return std::to_string(Value);
}

namespace {
/// Bounds widths and precisions taken from format strings and arguments, so a hostile
/// format cannot ask for an unbounded allocation.
constexpr int kMaxFieldWidth = 1 << 20;

std::string HexDigits(std::uint64_t v, int minDigits) {
    static const char digits[] = "0123456789ABCDEF";
    char buf[16];
    int n = 0;
    do {
        buf[n++] = digits[v & 15];
        v >>= 4;
    } while (v);
    std::string s;
    if (minDigits > n) s.append(std::min(minDigits, kMaxFieldWidth) - n, '0');
    while (n) s += buf[--n];
    return s;
}

/// The host's integer syntax: leading blanks, a sign, then decimal digits or a hex number
/// ("$1F", "0x1F", "x1F"). Hex wraps at `bits` (so "$FFFFFFFF" is -1 for a 32-bit integer);
/// decimal overflow fails.
bool ParseInteger(const AnsiString& S, int bits, Int64& Value) {
    std::size_t i = 0, n = S.size();
    while (i < n && S[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (S[i] == '+' || S[i] == '-')) negative = S[i++] == '-';
    bool hex = false;
    if (i < n && S[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < n && S[i] == '0' && (S[i + 1] == 'x' || S[i + 1] == 'X')) {
        hex = true;
        i += 2;
    } else if (i < n && (S[i] == 'x' || S[i] == 'X')) {
        hex = true;
        ++i;
    }
    if (i == n) return false;
    std::uint64_t mag = 0;
    if (hex) {
        std::uint64_t limit =
            bits == 64 ? std::numeric_limits<std::uint64_t>::max() : (std::uint64_t(1) << bits) - 1;
        for (; i < n; ++i) {
            char c = S[i];
            int d = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : -1;
            if (d < 0 || mag > (limit >> 4)) return false;
            mag = mag * 16 + static_cast<std::uint64_t>(d);
        }
        if (mag > limit) return false;
        // Reinterpret in the target width, then negate in that width.
        Int64 v =
            bits == 64
                ? static_cast<Int64>(mag)
                : static_cast<Int64>(static_cast<std::int32_t>(static_cast<std::uint32_t>(mag)));
        if (negative) {
            if (bits == 64)
                v = static_cast<Int64>(0 - static_cast<std::uint64_t>(v));
            else
                v = static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(v));
        }
        Value = v;
        return true;
    }
    std::uint64_t limit = bits == 64 ? std::uint64_t(std::numeric_limits<Int64>::max())
                                     : std::uint64_t(std::numeric_limits<std::int32_t>::max());
    if (negative) ++limit;
    for (; i < n; ++i) {
        char c = S[i];
        if (c < '0' || c > '9') return false;
        std::uint64_t d = static_cast<std::uint64_t>(c - '0');
        if (mag > (limit - d) / 10) return false;
        mag = mag * 10 + d;
    }
    Value = negative ? static_cast<Int64>(0 - mag) : static_cast<Int64>(mag);
    return true;
}
} // namespace

AnsiString IntToHex(Int64 Value, int Digits) {
    return HexDigits(static_cast<std::uint64_t>(Value), Digits);
}

bool TryStrToInt(const AnsiString& S, Integer& Value) {
    Int64 v;
    if (!ParseInteger(S, 32, v)) return false;
    Value = static_cast<Integer>(v);
    return true;
}

bool TryStrToInt64(const AnsiString& S, Int64& Value) {
    return ParseInteger(S, 64, Value);
}

Integer StrToInt(const AnsiString& S) {
    Integer v;
    if (!TryStrToInt(S, v)) RaiseFmt<EConvertError>("'%s' is not a valid integer value", {S});
    return v;
}

Int64 StrToInt64(const AnsiString& S) {
    Int64 v;
    if (!TryStrToInt64(S, v)) RaiseFmt<EConvertError>("'%s' is not a valid integer value", {S});
    return v;
}

Integer StrToIntDef(const AnsiString& S, Integer Default) {
    Integer v;
    return TryStrToInt(S, v) ? v : Default;
}

// ---- Booleans ----

AnsiString BoolToStr(bool B, bool UseBoolStrs) {
    if (UseBoolStrs) return B ? "True" : "False";
    return B ? "-1" : "0";
}

bool TryStrToBool(const AnsiString& S, bool& Value) {
    if (SameText(S, "True")) return Value = true, true;
    if (SameText(S, "False")) return Value = false, true;
    Extended f;
    if (!TryStrToFloat(S, f)) return false;
    Value = f != 0;
    return true;
}

bool StrToBool(const AnsiString& S) {
    bool b;
    if (!TryStrToBool(S, b)) RaiseFmt<EConvertError>("'%s' is not a valid boolean value", {S});
    return b;
}

// ---- Format ----

namespace {

[[noreturn]] void FormatError(std::string_view Fmt) {
    throw EConvertError("Format '" + std::string(Fmt) + "' invalid or incompatible with argument");
}

class Formatter {
public:
    Formatter(std::string_view fmt, std::initializer_list<TVarRec> args)
        : fFmt(fmt), fArgs(args.begin()), fCount(static_cast<int>(args.size())) {}

    AnsiString Run() {
        std::string out;
        out.reserve(fFmt.size() + 16);
        while (fPos < fFmt.size()) {
            char c = fFmt[fPos++];
            if (c != '%') {
                out += c;
                continue;
            }
            if (fPos < fFmt.size() && fFmt[fPos] == '%') {
                out += '%';
                ++fPos;
                continue;
            }
            Specifier(out);
        }
        return out;
    }

private:
    std::string_view fFmt;
    const TVarRec* fArgs;
    int fCount;
    std::size_t fPos = 0;
    int fNext = 0;

    [[noreturn]] void Fail() const { FormatError(fFmt); }

    const TVarRec& NextArg() {
        if (fNext >= fCount) Fail();
        return fArgs[fNext++];
    }

    /// A decimal number or '*' (taken from the next argument, which must be an integer);
    /// -1 when neither is there.
    int Number() {
        if (fPos < fFmt.size() && fFmt[fPos] == '*') {
            ++fPos;
            const TVarRec& a = NextArg();
            if (a.VType != TVarRec::vtInteger && a.VType != TVarRec::vtInt64) Fail();
            if (a.VInt64 > kMaxFieldWidth) Fail();
            return a.VInt64 < 0 ? -1 : static_cast<int>(a.VInt64);
        }
        if (fPos >= fFmt.size() || fFmt[fPos] < '0' || fFmt[fPos] > '9') return -1;
        int v = 0;
        while (fPos < fFmt.size() && fFmt[fPos] >= '0' && fFmt[fPos] <= '9') {
            v = v * 10 + (fFmt[fPos++] - '0');
            if (v > kMaxFieldWidth) Fail();
        }
        return v;
    }

    void Specifier(std::string& out) {
        // "%" [index ":"] ["-"] [width] ["." prec] type
        int first = Number();
        bool left = false;
        int width = -1, prec = -1;
        if (first >= 0 && fPos < fFmt.size() && fFmt[fPos] == ':') {
            ++fPos;
            if (first >= fCount) Fail();
            fNext = first;
            first = -1;
        }
        if (first >= 0) {
            width = first;
        } else {
            if (fPos < fFmt.size() && fFmt[fPos] == '-') {
                left = true;
                ++fPos;
            }
            width = Number();
        }
        if (fPos < fFmt.size() && fFmt[fPos] == '.') {
            ++fPos;
            prec = Number();
        }
        if (fPos >= fFmt.size()) Fail();
        char type = fFmt[fPos++];
        if (type >= 'A' && type <= 'Z') type = static_cast<char>(type + 32);
        std::string text = Convert(type, NextArg(), prec);
        int pad = width - static_cast<int>(text.size());
        if (pad > 0 && !left) out.append(pad, ' ');
        out += text;
        if (pad > 0 && left) out.append(pad, ' ');
    }

    std::string Convert(char type, const TVarRec& a, int prec) {
        bool isInt = a.VType == TVarRec::vtInteger || a.VType == TVarRec::vtInt64;
        switch (type) {
        case 'd':
        case 'u': {
            if (!isInt) Fail();
            std::uint64_t mag;
            bool negative = false;
            if (type == 'u') {
                // The host's integers are 32-bit: an Integer argument reads as its Cardinal.
                mag = a.VType == TVarRec::vtInteger
                          ? static_cast<std::uint32_t>(static_cast<std::int32_t>(a.VInt64))
                          : static_cast<std::uint64_t>(a.VInt64);
            } else {
                negative = a.VInt64 < 0;
                mag = negative ? 0 - static_cast<std::uint64_t>(a.VInt64)
                               : static_cast<std::uint64_t>(a.VInt64);
            }
            std::string digits = std::to_string(mag);
            if (prec > static_cast<int>(digits.size())) digits.insert(0, prec - digits.size(), '0');
            return negative ? "-" + digits : digits;
        }
        case 'x': {
            if (!isInt) Fail();
            std::uint64_t v = a.VType == TVarRec::vtInteger
                                  ? static_cast<std::uint32_t>(static_cast<std::int32_t>(a.VInt64))
                                  : static_cast<std::uint64_t>(a.VInt64);
            return HexDigits(v, prec);
        }
        case 'e':
        case 'f':
        case 'g':
        case 'n':
        case 'm': {
            if (a.VType != TVarRec::vtExtended) Fail();
            switch (type) {
            case 'e': return FloatToStrF(a.VExtended, ffExponent, prec < 0 ? 15 : prec, 3);
            case 'f': return FloatToStrF(a.VExtended, ffFixed, 18, prec < 0 ? 2 : prec);
            case 'g': return FloatToStrF(a.VExtended, ffGeneral, prec < 0 ? 15 : prec, 0);
            case 'n': return FloatToStrF(a.VExtended, ffNumber, 18, prec < 0 ? 2 : prec);
            default:
                return FloatToStrF(a.VExtended, ffCurrency, 18, prec < 0 ? CurrencyDecimals : prec);
            }
        }
        case 'p': {
            if (a.VType != TVarRec::vtPointer) Fail();
            return HexDigits(reinterpret_cast<std::uintptr_t>(a.VPointer), 2 * sizeof(void*));
        }
        case 's': {
            std::string s;
            if (a.VType == TVarRec::vtString)
                s.assign(a.VString);
            else if (a.VType == TVarRec::vtChar)
                s.assign(1, a.VChar);
            else
                Fail();
            if (prec >= 0 && prec < static_cast<int>(s.size())) s.resize(prec);
            return s;
        }
        default: Fail();
        }
    }
};

} // namespace

AnsiString Format(std::string_view Fmt, std::initializer_list<TVarRec> Args) {
    return Formatter(Fmt, Args).Run();
}

// ---- case and comparison ----

namespace {
inline unsigned char AsciiUpper(unsigned char c) {
    return c >= 'a' && c <= 'z' ? c - 32 : c;
}
inline unsigned char AsciiLower(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? c + 32 : c;
}
// Latin-1 letters: 0xC0..0xDE pair with 0xE0..0xFE, except the multiplication and division
// signs (0xD7, 0xF7). 0xDF and 0xFF have no capital in the code page.
inline unsigned char Latin1Upper(unsigned char c) {
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    return AsciiUpper(c);
}
inline unsigned char Latin1Lower(unsigned char c) {
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    return AsciiLower(c);
}

template <unsigned char (*Fold)(unsigned char)>
int CompareFolded(const AnsiString& a, const AnsiString& b) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        int x = Fold(static_cast<unsigned char>(a[i])), y = Fold(static_cast<unsigned char>(b[i]));
        if (x != y) return x - y;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

inline unsigned char Same(unsigned char c) {
    return c;
}

template <unsigned char (*Map)(unsigned char)>
AnsiString Mapped(const AnsiString& s) {
    AnsiString r(s);
    for (char& c : r) c = static_cast<char>(Map(static_cast<unsigned char>(c)));
    return r;
}
} // namespace

AnsiString UpperCase(const AnsiString& S) {
    return Mapped<AsciiUpper>(S);
}
AnsiString LowerCase(const AnsiString& S) {
    return Mapped<AsciiLower>(S);
}
AnsiString AnsiUpperCase(const AnsiString& S) {
    return Mapped<Latin1Upper>(S);
}
AnsiString AnsiLowerCase(const AnsiString& S) {
    return Mapped<Latin1Lower>(S);
}

int CompareStr(const AnsiString& S1, const AnsiString& S2) {
    return CompareFolded<Same>(S1, S2);
}
int CompareText(const AnsiString& S1, const AnsiString& S2) {
    return CompareFolded<AsciiUpper>(S1, S2);
}
int AnsiCompareText(const AnsiString& S1, const AnsiString& S2) {
    return CompareFolded<Latin1Upper>(S1, S2);
}
int AnsiCompareStr(const AnsiString& S1, const AnsiString& S2) {
    // The host's locale order: letters compare regardless of case first ("a" < "B"), and only
    // texts that differ in case alone order lower case first ("a" < "A").
    if (int r = CompareFolded<Latin1Upper>(S1, S2)) return r;
    for (std::size_t i = 0; i < S1.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(S1[i]), y = static_cast<unsigned char>(S2[i]);
        if (x != y) return Latin1Lower(x) == x ? -1 : 1;
    }
    return 0;
}
bool SameText(const AnsiString& S1, const AnsiString& S2) {
    return S1.size() == S2.size() && CompareText(S1, S2) == 0;
}
bool AnsiSameText(const AnsiString& S1, const AnsiString& S2) {
    return S1.size() == S2.size() && AnsiCompareText(S1, S2) == 0;
}

// ---- trimming, quoting, identifiers ----

AnsiString Trim(const AnsiString& S) {
    return TrimLeft(TrimRight(S));
}

AnsiString TrimLeft(const AnsiString& S) {
    std::size_t i = 0;
    while (i < S.size() && static_cast<unsigned char>(S[i]) <= ' ') ++i;
    return S.substr(i);
}

AnsiString TrimRight(const AnsiString& S) {
    std::size_t n = S.size();
    while (n > 0 && static_cast<unsigned char>(S[n - 1]) <= ' ') --n;
    return S.substr(0, n);
}

AnsiString QuotedStr(const AnsiString& S) {
    return AnsiQuotedStr(S, '\'');
}

AnsiString AnsiQuotedStr(const AnsiString& S, char Quote) {
    AnsiString r;
    r.reserve(S.size() + 2);
    r += Quote;
    for (char c : S) {
        r += c;
        if (c == Quote) r += c;
    }
    r += Quote;
    return r;
}

AnsiString AnsiExtractQuotedStr(const char*& Src, char Quote) {
    if (!Src || *Src != Quote) return AnsiString();
    AnsiString r;
    const char* p = Src + 1;
    while (*p) {
        if (*p == Quote) {
            if (p[1] != Quote) {
                ++p; // past the closing quote
                break;
            }
            ++p; // a doubled quote stands for one
        }
        r += *p++;
    }
    Src = p;
    return r;
}

bool IsValidIdent(const AnsiString& Ident) {
    if (Ident.empty()) return false;
    auto alpha = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    };
    if (!alpha(Ident[0])) return false;
    for (char c : Ident)
        if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
    return true;
}

// ---- positions and copies (1-based, as the host) ----

int Pos(const AnsiString& Substr, const AnsiString& S) {
    if (Substr.empty()) return 0;
    std::size_t p = S.find(Substr);
    return p == AnsiString::npos ? 0 : static_cast<int>(p) + 1;
}

AnsiString Copy(const AnsiString& S, int Index, int Count) {
    if (Index < 1) Index = 1;
    if (Count <= 0 || static_cast<std::size_t>(Index) > S.size()) return AnsiString();
    return S.substr(static_cast<std::size_t>(Index) - 1, static_cast<std::size_t>(Count));
}

AnsiString StringReplaceAll(const AnsiString& S, const AnsiString& Old, const AnsiString& New,
                            bool IgnoreCase) {
    if (Old.empty()) return S;
    const AnsiString hay = IgnoreCase ? AnsiUpperCase(S) : S;
    const AnsiString needle = IgnoreCase ? AnsiUpperCase(Old) : Old;
    AnsiString r;
    std::size_t from = 0;
    for (std::size_t p; (p = hay.find(needle, from)) != AnsiString::npos; from = p + Old.size()) {
        r.append(S, from, p - from);
        r += New;
    }
    r.append(S, from, AnsiString::npos);
    return r;
}

// ---- wide strings and UTF-8 ----

WideString StringToWide(const AnsiString& S) {
    WideString w(S.size(), u'\0');
    for (std::size_t i = 0; i < S.size(); ++i) w[i] = static_cast<unsigned char>(S[i]);
    return w;
}

AnsiString WideToString(const WideString& S) {
    AnsiString r;
    r.reserve(S.size());
    for (std::size_t i = 0; i < S.size(); ++i) {
        char16_t c = S[i];
        if (c < 256) {
            r += static_cast<char>(c);
        } else {
            r += '?';
            // A surrogate pair is one character: one '?'.
            if (c >= 0xD800 && c < 0xDC00 && i + 1 < S.size() && S[i + 1] >= 0xDC00 &&
                S[i + 1] < 0xE000)
                ++i;
        }
    }
    return r;
}

AnsiString Utf8Encode(const WideString& S) {
    AnsiString r;
    r.reserve(S.size());
    for (std::size_t i = 0; i < S.size(); ++i) {
        char32_t c = S[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < S.size() && S[i + 1] >= 0xDC00 &&
            S[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (S[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD; // an unpaired surrogate has no UTF-8 form
        }
        if (c < 0x80) {
            r += static_cast<char>(c);
        } else if (c < 0x800) {
            r += static_cast<char>(0xC0 | (c >> 6));
            r += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            r += static_cast<char>(0xE0 | (c >> 12));
            r += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            r += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            r += static_cast<char>(0xF0 | (c >> 18));
            r += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            r += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            r += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return r;
}

WideString Utf8Decode(const AnsiString& S) {
    // Malformed sequences (stray continuation bytes, overlong forms, surrogates, truncation)
    // become U+FFFD each, so the rest of the text survives.
    WideString w;
    w.reserve(S.size());
    std::size_t i = 0, n = S.size();
    while (i < n) {
        unsigned char b = static_cast<unsigned char>(S[i]);
        int len = b < 0x80             ? 1
                  : (b & 0xE0) == 0xC0 ? 2
                  : (b & 0xF0) == 0xE0 ? 3
                  : (b & 0xF8) == 0xF0 ? 4
                                       : 0;
        if (len == 1) {
            w += static_cast<char16_t>(b);
            ++i;
            continue;
        }
        char32_t c = len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        bool ok = len > 0 && i + len <= n;
        for (int k = 1; ok && k < len; ++k) {
            unsigned char cb = static_cast<unsigned char>(S[i + k]);
            if ((cb & 0xC0) != 0x80)
                ok = false;
            else
                c = (c << 6) | (cb & 0x3F);
        }
        static const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (ok && (c < minimum[len] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000))) ok = false;
        if (!ok) {
            w += u'\uFFFD';
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            w += static_cast<char16_t>(0xD800 + (c >> 10));
            w += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            w += static_cast<char16_t>(c);
        }
        i += len;
    }
    return w;
}

namespace {
Cardinal Beeps = 0;
}

void Beep() {
    ++Beeps;
}

Cardinal BeepCount() {
    return Beeps;
}

} // namespace host
