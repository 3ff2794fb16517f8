// String, number and date helpers of the host's SysUtils unit.
#pragma once

#include "host/system/Exceptions.h"

#include <initializer_list>
#include <string_view>

namespace host {

/// One argument of Format: the host's "array of const" element.
struct TVarRec {
    enum Kind : std::uint8_t { vtInteger, vtInt64, vtExtended, vtString, vtChar, vtPointer, vtBoolean };
    Kind VType;
    union {
        Int64 VInt64;
        long double VExtended;
        const void* VPointer;
        char VChar;
        bool VBoolean;
    };
    std::string_view VString;

    TVarRec(int v) : VType(vtInteger), VInt64(v) {}
    TVarRec(unsigned v) : VType(vtInt64), VInt64(v) {}
    TVarRec(long v) : VType(vtInt64), VInt64(v) {}
    TVarRec(long long v) : VType(vtInt64), VInt64(v) {}
    TVarRec(unsigned long v) : VType(vtInt64), VInt64(static_cast<Int64>(v)) {}
    TVarRec(unsigned long long v) : VType(vtInt64), VInt64(static_cast<Int64>(v)) {}
    TVarRec(double v) : VType(vtExtended), VExtended(v) {}
    TVarRec(long double v) : VType(vtExtended), VExtended(v) {}
    TVarRec(bool v) : VType(vtBoolean), VBoolean(v) {}
    TVarRec(char v) : VType(vtChar), VChar(v) {}
    TVarRec(const char* v) : VType(vtString), VPointer(nullptr), VString(v ? v : "") {}
    TVarRec(std::string_view v) : VType(vtString), VPointer(nullptr), VString(v) {}
    TVarRec(const AnsiString& v) : VType(vtString), VPointer(nullptr), VString(v) {}
    TVarRec(const void* v) : VType(vtPointer), VPointer(v) {}
};

/// The host's Format: %[index:][-][width][.prec]type with d u e f g n m p s x, %% for '%'.
/// Raises EConvertError ("Format '%s' invalid or incompatible with argument") on a mismatch.
AnsiString Format(std::string_view Fmt, std::initializer_list<TVarRec> Args);

/// Raises `E` with a formatted message, as the host's Exception.CreateFmt.
template <class E>
[[noreturn]] void RaiseFmt(std::string_view Fmt, std::initializer_list<TVarRec> Args) {
    throw E(Format(Fmt, Args));
}

// Integers
AnsiString IntToStr(Int64 Value);
AnsiString IntToHex(Int64 Value, int Digits);
Integer StrToInt(const AnsiString& S);         // EConvertError "'%s' is not a valid integer value"
Int64 StrToInt64(const AnsiString& S);
Integer StrToIntDef(const AnsiString& S, Integer Default);
bool TryStrToInt(const AnsiString& S, Integer& Value);
bool TryStrToInt64(const AnsiString& S, Int64& Value);

// This headless host's fixed locale (a Western setting with ISO dates). In date formats '/'
// stands for DateSeparator and ':' for TimeSeparator.
inline constexpr char DecimalSeparator = '.';
inline constexpr char ThousandSeparator = ',';
inline constexpr char DateSeparator = '-';
inline constexpr char TimeSeparator = ':';
inline constexpr const char* ShortDateFormat = "yyyy/mm/dd";
inline constexpr const char* LongDateFormat = "dddd, mmmm d, yyyy";
inline constexpr const char* ShortTimeFormat = "hh:nn";
inline constexpr const char* LongTimeFormat = "hh:nn:ss";
inline constexpr const char* TimeAMString = "AM";
inline constexpr const char* TimePMString = "PM";
inline constexpr const char* CurrencyString = "$";
inline constexpr int CurrencyDecimals = 2;
/// Two-digit years fall within the hundred years starting this many years before today.
inline constexpr int TwoDigitYearCenturyWindow = 50;
extern const char* const ShortMonthNames[12];
extern const char* const LongMonthNames[12];
extern const char* const ShortDayNames[7]; // Sunday first, as DayOfWeek counts
extern const char* const LongDayNames[7];

// Floating point, with '.' as the decimal separator
enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
/// The host's FloatToStrF: Precision significant digits (1..18); Digits is the minimum number
/// of exponent digits (ffGeneral, ffExponent) or the number of decimals (the others, 0..18).
/// NaN and infinities read "NAN", "INF" and "-INF".
AnsiString FloatToStrF(Extended Value, TFloatFormat Format, int Precision, int Digits);
AnsiString FloatToStr(Extended Value);         // 15 significant digits, as the host's ffGeneral
Extended StrToFloat(const AnsiString& S);      // EConvertError "'%s' is not a valid floating point value"
bool TryStrToFloat(const AnsiString& S, Extended& Value);
AnsiString CurrToStr(Currency Value);
Currency StrToCurr(const AnsiString& S);      // EConvertError as StrToFloat, or out of range
bool TryStrToCurr(const AnsiString& S, Currency& Value);
bool TryFloatToCurr(Extended Value, Currency& Result);
Currency FloatToCurr(Extended Value);           // EConvertError when out of range
Extended CurrToFloat(Currency Value);

// Booleans: "True"/"False" and numbers, as the host's BoolToStr/StrToBool
AnsiString BoolToStr(bool B, bool UseBoolStrs = false);
bool StrToBool(const AnsiString& S);            // EConvertError "'%s' is not a valid boolean value"
bool TryStrToBool(const AnsiString& S, bool& Value);

// Text
AnsiString UpperCase(const AnsiString& S);
AnsiString LowerCase(const AnsiString& S);
AnsiString AnsiUpperCase(const AnsiString& S);
AnsiString AnsiLowerCase(const AnsiString& S);
int CompareStr(const AnsiString& S1, const AnsiString& S2);
int CompareText(const AnsiString& S1, const AnsiString& S2);
int AnsiCompareStr(const AnsiString& S1, const AnsiString& S2);
int AnsiCompareText(const AnsiString& S1, const AnsiString& S2);
bool SameText(const AnsiString& S1, const AnsiString& S2);
bool AnsiSameText(const AnsiString& S1, const AnsiString& S2);
AnsiString Trim(const AnsiString& S);
AnsiString TrimLeft(const AnsiString& S);
AnsiString TrimRight(const AnsiString& S);
AnsiString QuotedStr(const AnsiString& S);
AnsiString AnsiQuotedStr(const AnsiString& S, char Quote);
AnsiString AnsiExtractQuotedStr(const char*& Src, char Quote);
bool IsValidIdent(const AnsiString& Ident);
/// 1-based position of `Substr` in `S`, 0 if absent (the host's Pos).
int Pos(const AnsiString& Substr, const AnsiString& S);
/// 1-based copy of at most `Count` characters from `Index` (the host's Copy).
AnsiString Copy(const AnsiString& S, int Index, int Count);
AnsiString StringReplaceAll(const AnsiString& S, const AnsiString& Old, const AnsiString& New,
                            bool IgnoreCase = false);

// Wide strings (UTF-16) and 8-bit text. 8-bit text is taken as Latin-1 (the host's Western code
// page for characters below 256), wide characters beyond it become '?' when narrowed.
WideString StringToWide(const AnsiString& S);
AnsiString WideToString(const WideString& S);
AnsiString Utf8Encode(const WideString& S);
WideString Utf8Decode(const AnsiString& S);

// Dates: TDateTime counts days since 1899-12-30, the fraction is the time of day.
TDateTime EncodeDate(Word Year, Word Month, Word Day);   // EConvertError "Invalid argument to date encode"
TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec); // "Invalid argument to time encode"
void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day);
void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec);
bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date);
bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time);
bool IsLeapYear(Word Year);
Word DaysInMonth(Word Year, Word Month); // 0 for a month outside 1..12
/// 1 for Sunday through 7 for Saturday.
int DayOfWeek(TDateTime DT);
TDateTime Now();
TDateTime Date();
TDateTime Time();
/// Short date "yyyy-mm-dd" (this host's settings) and long time "hh:nn:ss".
AnsiString DateToStr(TDateTime D);
AnsiString TimeToStr(TDateTime T);
AnsiString DateTimeToStr(TDateTime DT);
TDateTime StrToDate(const AnsiString& S);     // EConvertError "'%s' is not a valid date"
TDateTime StrToTime(const AnsiString& S);     // EConvertError "'%s' is not a valid time"
TDateTime StrToDateTime(const AnsiString& S); // EConvertError "'%s' is not a valid date and time"
bool TryStrToDate(const AnsiString& S, TDateTime& Value);
bool TryStrToTime(const AnsiString& S, TDateTime& Value);
bool TryStrToDateTime(const AnsiString& S, TDateTime& Value);
/// Raises EConvertError "'%s' is not a valid date and time" for a value outside years 1..9999.
AnsiString FormatDateTime(const AnsiString& Fmt, TDateTime DT);

// Files
bool FileExists(const AnsiString& FileName);
bool DirectoryExists(const AnsiString& Directory);
/// The path with one '/' at its end.
AnsiString IncludeTrailingPathDelimiter(const AnsiString& S);
AnsiString ExtractFileName(const AnsiString& FileName);
AnsiString ExtractFilePath(const AnsiString& FileName);
AnsiString ExtractFileExt(const AnsiString& FileName);
AnsiString ChangeFileExt(const AnsiString& FileName, const AnsiString& Ext);

// The speaker: headless, a beep is counted so that what refused a key can be seen.
void Beep();
Cardinal BeepCount();

} // namespace host
