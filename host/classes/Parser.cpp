#include "host/classes/Parser.h"

#include "host/classes/Streams.h"

#include <charconv>
#include <limits>

namespace host {

HOST_METACLASS(TParser, TObject);

namespace {
bool IsIdentStart(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsIdentChar(unsigned char c) {
    return IsIdentStart(c) || (c >= '0' && c <= '9');
}
bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}
int HexValue(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}
} // namespace

TParser::TParser(TStream* Stream) : FStream(Stream), FOrigin(Stream ? Stream->GetPosition() : 0) {
    if (FStream) {
        Int64 rest = Int64(FStream->GetSize()) - FOrigin;
        if (rest > 0) {
            FText.resize(static_cast<std::size_t>(rest));
            Integer got = FStream->Read(FText.data(), static_cast<Integer>(rest));
            FText.resize(static_cast<std::size_t>(std::max<Integer>(got, 0)));
        }
    }
    if (FText.size() >= 3 && FText.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        FUtf8 = true;
        FPos = 3;
    }
    NextToken();
}

TParser::~TParser() {
    if (FStream) FStream->SetPosition(SourcePos());
}

Integer TParser::SourcePos() const {
    return FOrigin + static_cast<Integer>(FTokenStart);
}

// ---- errors ----

void TParser::ErrorStr(const AnsiString& Message) {
    RaiseFmt<EParserError>("%s on line %d", {Message, FSourceLine});
}

void TParser::Error(const AnsiString& Message) {
    ErrorStr(Message);
}

void TParser::ErrorFmt(std::string_view Fmt, std::initializer_list<TVarRec> Args) {
    ErrorStr(Format(Fmt, Args));
}

void TParser::CheckToken(char T) {
    if (FToken == T) return;
    switch (T) {
    case toSymbol: Error("Identifier expected");
    case toString:
    case toWString: Error("String expected");
    case toInteger:
    case toFloat: Error("Number expected");
    default: ErrorFmt("'%s' expected", {T});
    }
}

void TParser::CheckTokenSymbol(const AnsiString& S) {
    if (!TokenSymbolIs(S)) ErrorFmt("%s expected", {S});
}

// ---- scanning ----

void TParser::SkipBlanks() {
    while (FPos < FText.size()) {
        unsigned char c = static_cast<unsigned char>(FText[FPos]);
        if (c == 0 || c > ' ') return; // NUL ends the text, as in the host
        if (c == '\n' || (c == '\r' && (FPos + 1 >= FText.size() || FText[FPos + 1] != '\n')))
            ++FSourceLine;
        ++FPos;
    }
}

char TParser::NextToken() {
    SkipBlanks();
    FTokenStart = FPos;
    FFloatType = 0;
    FStringValue.clear();
    if (FPos >= FText.size() || FText[FPos] == '\0') return FToken = toEOF;
    unsigned char c = static_cast<unsigned char>(FText[FPos]);
    if (IsIdentStart(c)) {
        while (FPos < FText.size() && IsIdentChar(static_cast<unsigned char>(FText[FPos]))) ++FPos;
        return FToken = toSymbol;
    }
    if (c == '\'' || c == '#') {
        ScanString();
        return FToken;
    }
    if (c == '$' || c == '-' || IsDigit(c)) {
        ScanNumber();
        return FToken;
    }
    ++FPos;
    return FToken = static_cast<char>(c);
}

char32_t TParser::NextUtf8(std::size_t& Pos) const {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(FText[i]); };
    unsigned char c = byte(Pos);
    int n = c >= 0xF0 && c < 0xF5 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 && c < 0xE0 ? 1 : -1;
    if (c >= 0xF5) n = -1;
    if (n > 0 && Pos + static_cast<std::size_t>(n) < FText.size()) {
        char32_t cp = c & (0x3F >> n);
        bool ok = true;
        for (int k = 1; k <= n; ++k) {
            unsigned char d = byte(Pos + static_cast<std::size_t>(k));
            if ((d & 0xC0) != 0x80) ok = false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if (ok && cp <= 0x10FFFF && !(cp >= 0xD800 && cp < 0xE000)) {
            Pos += static_cast<std::size_t>(n) + 1;
            return cp;
        }
    }
    ++Pos; // not UTF-8 after all: the byte stands for itself
    return c;
}

void TParser::ScanString() {
    auto put = [&](char32_t cp) {
        if (cp > 0xFFFF) {
            cp -= 0x10000;
            FStringValue += static_cast<char16_t>(0xD800 + (cp >> 10));
            FStringValue += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            FStringValue += static_cast<char16_t>(cp);
        }
    };
    bool wide = false;
    for (;;) {
        if (FPos >= FText.size()) break;
        char c = FText[FPos];
        if (c == '#') {
            ++FPos;
            std::uint32_t v = 0;
            std::size_t start = FPos;
            if (FPos < FText.size() && FText[FPos] == '$') {
                ++FPos;
                start = FPos;
                int d;
                while (FPos < FText.size() &&
                       (d = HexValue(static_cast<unsigned char>(FText[FPos]))) >= 0) {
                    v = v * 16 + static_cast<std::uint32_t>(d);
                    if (v > 0x10FFFF) Error("Invalid string constant");
                    ++FPos;
                }
            } else {
                while (FPos < FText.size() && IsDigit(static_cast<unsigned char>(FText[FPos]))) {
                    v = v * 10 + static_cast<std::uint32_t>(FText[FPos] - '0');
                    if (v > 0x10FFFF) Error("Invalid string constant");
                    ++FPos;
                }
            }
            if (FPos == start) Error("Invalid string constant");
            if (v > 0xFF) wide = true;
            put(v);
        } else if (c == '\'') {
            ++FPos;
            for (;;) {
                if (FPos >= FText.size() || FText[FPos] == '\r' || FText[FPos] == '\n' ||
                    FText[FPos] == '\0')
                    Error("Invalid string constant");
                unsigned char q = static_cast<unsigned char>(FText[FPos]);
                if (q == '\'') {
                    ++FPos;
                    if (FPos < FText.size() && FText[FPos] == '\'') {
                        put('\'');
                        ++FPos;
                        continue;
                    }
                    break;
                }
                if (FUtf8 && q >= 0x80) {
                    char32_t cp = NextUtf8(FPos);
                    if (cp > 0xFF) wide = true;
                    put(cp);
                } else {
                    put(q);
                    ++FPos;
                }
            }
        } else {
            break;
        }
    }
    FToken = wide ? toWString : toString;
}

void TParser::ScanNumber() {
    std::size_t p = FPos;
    auto digits = [&](auto pred) {
        std::size_t s = p;
        while (p < FText.size() && pred(static_cast<unsigned char>(FText[p]))) ++p;
        return p - s;
    };
    FToken = toInteger;
    if (FText[p] == '$') {
        ++p;
        digits([](unsigned char c) { return HexValue(c) >= 0; });
    } else {
        if (FText[p] == '-') ++p;
        if (digits(IsDigit) == 0 && FText.compare(p, 3, "INF") == 0 &&
            (p + 3 >= FText.size() || !IsIdentChar(static_cast<unsigned char>(FText[p + 3])))) {
            // "-INF", written for a negative infinity, is the one number without digits.
            FToken = toFloat;
            FPos = p + 3;
            return;
        }
        if (p < FText.size() && FText[p] == '.') {
            ++p;
            FToken = toFloat;
            digits(IsDigit);
        }
        if (p < FText.size() && (FText[p] == 'e' || FText[p] == 'E')) {
            std::size_t q = p + 1;
            if (q < FText.size() && (FText[q] == '+' || FText[q] == '-')) ++q;
            if (q < FText.size() && IsDigit(static_cast<unsigned char>(FText[q]))) {
                p = q;
                digits(IsDigit);
                FToken = toFloat;
            }
        }
        // A suffix makes any decimal number a float: "122500c" is a currency.
        if (p < FText.size()) {
            char s = FText[p];
            if (s == 's' || s == 'S' || s == 'c' || s == 'C' || s == 'd' || s == 'D') {
                FFloatType = static_cast<char>(s | 0x20);
                FToken = toFloat;
                ++p;
            }
        }
    }
    FPos = p;
}

// ---- token values ----

AnsiString TParser::TokenString() const {
    if (FToken == toString) {
        AnsiString s(FStringValue.size(), '\0');
        for (std::size_t i = 0; i < FStringValue.size(); ++i)
            s[i] = static_cast<char>(FStringValue[i]);
        return s;
    }
    if (FToken == toWString) return WideToString(FStringValue);
    std::size_t end = FToken == toFloat && FFloatType ? FPos - 1 : FPos;
    return FText.substr(FTokenStart, end - FTokenStart);
}

WideString TParser::TokenWideString() const {
    if (FToken == toString || FToken == toWString) return FStringValue;
    return StringToWide(TokenString());
}

bool TParser::TokenSymbolIs(const AnsiString& S) const {
    return FToken == toSymbol && SameText(S, TokenString());
}

AnsiString TParser::TokenComponentIdent() {
    CheckToken(toSymbol);
    std::size_t p = FPos;
    while (p < FText.size() && FText[p] == '.') {
        ++p;
        if (p >= FText.size() || !IsIdentStart(static_cast<unsigned char>(FText[p])))
            Error("Identifier expected");
        while (p < FText.size() && IsIdentChar(static_cast<unsigned char>(FText[p]))) ++p;
    }
    FPos = p;
    return TokenString();
}

Int64 TParser::TokenInt() {
    AnsiString s = TokenString();
    const char* b = s.data();
    const char* e = b + s.size();
    Int64 v = 0;
    std::from_chars_result r{};
    if (FToken == toInteger && !s.empty() && s[0] == '$') {
        std::uint64_t u = 0;
        r = std::from_chars(b + 1, e, u, 16);
        v = static_cast<Int64>(u); // $FFFFFFFFFFFFFFFF is -1, as the host reads it
    } else if (FToken == toInteger) {
        r = std::from_chars(b, e, v);
    } else {
        Error("Number expected");
    }
    if (r.ec != std::errc() || r.ptr != e || s.size() <= (s[0] == '$' || s[0] == '-' ? 1u : 0u))
        Error("Invalid numeric value");
    return v;
}

Extended TParser::TokenFloat() {
    if (FToken != toFloat && FToken != toInteger) Error("Number expected");
    if (FToken == toInteger && !TokenString().empty() && TokenString()[0] == '$')
        return static_cast<Extended>(TokenInt());
    AnsiString s = TokenString();
    Extended v = 0;
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        // Denormal or beyond range: the nearest representable value, as strtold gives it.
        v = std::strtold(s.c_str(), nullptr);
    } else if (r.ec != std::errc() || r.ptr != s.data() + s.size()) {
        Error("Invalid numeric value");
    }
    return v;
}

void TParser::HexToBinary(TStream* Stream) {
    Byte chunk[256];
    int n = 0;
    for (;;) {
        SkipBlanks();
        if (FPos >= FText.size() || FText[FPos] == '\0') Error("Invalid binary value");
        if (FText[FPos] == '}') break;
        int hi = HexValue(static_cast<unsigned char>(FText[FPos]));
        int lo =
            FPos + 1 < FText.size() ? HexValue(static_cast<unsigned char>(FText[FPos + 1])) : -1;
        if (hi < 0 || lo < 0) Error("Invalid binary value");
        chunk[n++] = static_cast<Byte>(hi * 16 + lo);
        FPos += 2;
        if (n == sizeof chunk) {
            Stream->WriteBuffer(chunk, n);
            n = 0;
        }
    }
    if (n) Stream->WriteBuffer(chunk, n);
    FTokenStart = FPos++;
    FToken = '}';
}

} // namespace host
