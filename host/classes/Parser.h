// TParser: the tokenizer of the host's text form files.
#pragma once

#include "host/system/SysUtils.h"

namespace host {

class TStream;

// Token kinds; any other token is the punctuation character itself ('=', '(', '<', ...).
inline constexpr char toEOF = 0;
inline constexpr char toSymbol = 1;
inline constexpr char toString = 2;
inline constexpr char toInteger = 3;
inline constexpr char toFloat = 4;
inline constexpr char toWString = 5;

/// Splits a text form into identifiers, strings ('it''s'#13#10 joined pieces), integers
/// (decimal or $hex), floats (with an optional s/c/d suffix for single, currency, date) and
/// punctuation. Errors are EParserError "<message> on line <n>".
///
/// Quoted text keeps its bytes as they stand in the file; #nnn above 255 makes the string
/// wide (toWString). A file that opens with a UTF-8 byte order mark has its quoted text
/// decoded from UTF-8 instead.
class TParser : public TObject {
    HOST_CLASS(TParser, TObject)
public:
    /// Reads from the stream's current position and scans the first token.
    explicit TParser(TStream* Stream);
    /// Leaves the stream at the start of the current token.
    ~TParser() override;

    void CheckToken(char T);
    void CheckTokenSymbol(const AnsiString& S);
    [[noreturn]] void Error(const AnsiString& Message);
    [[noreturn]] void ErrorFmt(std::string_view Fmt, std::initializer_list<TVarRec> Args);
    [[noreturn]] void ErrorStr(const AnsiString& Message);
    /// Reads hex digit pairs (blanks and line breaks between them allowed) up to the closing
    /// '}', which becomes the current token, and writes the bytes to `Stream`.
    void HexToBinary(TStream* Stream);
    char NextToken();
    /// The stream position of the current token.
    Integer SourcePos() const;
    /// The current identifier extended by the ".Name" parts that follow it without blanks.
    AnsiString TokenComponentIdent();
    Extended TokenFloat();
    Int64 TokenInt();
    /// The token's text; for strings the decoded value (wide strings narrowed).
    AnsiString TokenString() const;
    WideString TokenWideString() const;
    bool TokenSymbolIs(const AnsiString& S) const;

    /// The suffix of a float token ('s', 'c', 'd' or 0).
    char GetFloatType() const { return FFloatType; }
    Integer GetSourceLine() const { return FSourceLine; }
    char GetToken() const { return FToken; }

private:
    void SkipBlanks();
    void ScanString();
    void ScanNumber();
    char32_t NextUtf8(std::size_t& Pos) const;

    TStream* FStream;
    Integer FOrigin;      // stream position of FText[0]
    std::string FText;    // the rest of the stream
    std::size_t FPos = 0; // scanner position in FText
    std::size_t FTokenStart = 0;
    char FToken = toEOF;
    char FFloatType = 0;
    Integer FSourceLine = 1;
    bool FUtf8 = false;
    std::u16string FStringValue; // string tokens, one unit per character
};

} // namespace host
