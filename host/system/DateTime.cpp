// The host's TDateTime: days since 1899-12-30 with the time of day as the fraction.
#include "host/system/SysUtils.h"

#include <cmath>
#include <ctime>
#include <optional>

namespace host {

const char* const ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const LongMonthNames[12] = {"January",   "February", "March",    "April",
                                        "May",       "June",     "July",     "August",
                                        "September", "October",  "November", "December"};
const char* const ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const LongDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};

namespace {

constexpr Int64 kMSecsPerDay = 86400000;
// Day numbers of 0001-01-01 and 9999-12-31, the range the host's dates cover.
constexpr Int64 kMinDay = -693593;
constexpr Int64 kMaxDay = 2958465;

// Days from 1970-01-01 of a proleptic Gregorian date (valid for every year 1..9999).
Int64 DaysFromCivil(Int64 y, unsigned m, unsigned d) {
    y -= m <= 2;
    const Int64 era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<Int64>(doe) - 719468;
}

void CivilFromDays(Int64 z, Int64& y, unsigned& m, unsigned& d) {
    z += 719468;
    const Int64 era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<Int64>(yoe) + era * 400 + (m <= 2);
}

const Int64 kEpochOffset = DaysFromCivil(1899, 12, 30);

/// A TDateTime split into its calendar day and the milliseconds into that day. The time of
/// a negative value is its fraction's magnitude (-1.25 is 1899-12-29 06:00), and rounding to
/// the millisecond carries into the next day, so the date and time parts always agree.
struct DayAndTime {
    Int64 Day;
    Int64 MSec;
};

std::optional<DayAndTime> Split(TDateTime v) {
    if (!std::isfinite(v) || v <= kMinDay - 1 || v >= kMaxDay + 1) return std::nullopt;
    long double a = std::fabs(static_cast<long double>(v));
    long double whole = std::floor(a);
    DayAndTime r{static_cast<Int64>(whole), std::llround((a - whole) * kMSecsPerDay)};
    if (v < 0) r.Day = -r.Day;
    if (r.MSec >= kMSecsPerDay) {
        r.MSec -= kMSecsPerDay;
        ++r.Day;
    }
    if (r.Day < kMinDay || r.Day > kMaxDay) return std::nullopt;
    return r;
}

/// Joins a date and a time the way the host stores them: a negative date counts its time
/// towards more negative values.
TDateTime Compose(TDateTime date, TDateTime time) {
    return date < 0 ? date - time : date + time;
}

[[noreturn]] void InvalidDateTime(TDateTime v) {
    RaiseFmt<EConvertError>("'%s' is not a valid date and time", {FloatToStr(v)});
}

} // namespace

bool IsLeapYear(Word Year) {
    return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

Word DaysInMonth(Word Year, Word Month) {
    static const Word days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Month < 1 || Month > 12) return 0;
    return Month == 2 && IsLeapYear(Year) ? 29 : days[Month - 1];
}

bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date) {
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 ||
        Day > DaysInMonth(Year, Month))
        return false;
    Date = static_cast<TDateTime>(DaysFromCivil(Year, Month, Day) - kEpochOffset);
    return true;
}

TDateTime EncodeDate(Word Year, Word Month, Word Day) {
    TDateTime d;
    if (!TryEncodeDate(Year, Month, Day, d)) throw EConvertError("Invalid argument to date encode");
    return d;
}

bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time) {
    if (Hour >= 24 || Min >= 60 || Sec >= 60 || MSec >= 1000) return false;
    Time =
        static_cast<TDateTime>(((Hour * 60 + Min) * 60 + Sec) * Int64(1000) + MSec) / kMSecsPerDay;
    return true;
}

TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec) {
    TDateTime t;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, t))
        throw EConvertError("Invalid argument to time encode");
    return t;
}

void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day) {
    auto s = Split(Date);
    if (!s) {
        Year = Month = Day = 0; // outside the host's calendar
        return;
    }
    Int64 y;
    unsigned m, d;
    CivilFromDays(s->Day + kEpochOffset, y, m, d);
    Year = static_cast<Word>(y);
    Month = static_cast<Word>(m);
    Day = static_cast<Word>(d);
}

void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec) {
    auto s = Split(Time);
    Int64 ms = s ? s->MSec : 0;
    Hour = static_cast<Word>(ms / 3600000);
    Min = static_cast<Word>(ms / 60000 % 60);
    Sec = static_cast<Word>(ms / 1000 % 60);
    MSec = static_cast<Word>(ms % 1000);
}

int DayOfWeek(TDateTime DT) {
    auto s = Split(DT);
    Int64 day = s ? s->Day : 0;
    // 1899-12-30 was a Saturday (7).
    return static_cast<int>(((day + 6) % 7 + 7) % 7) + 1;
}

TDateTime Now() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm{};
    localtime_r(&ts.tv_sec, &tm);
    return EncodeDate(static_cast<Word>(tm.tm_year + 1900), static_cast<Word>(tm.tm_mon + 1),
                      static_cast<Word>(tm.tm_mday)) +
           EncodeTime(static_cast<Word>(tm.tm_hour), static_cast<Word>(tm.tm_min),
                      static_cast<Word>(std::min(tm.tm_sec, 59)),
                      static_cast<Word>(ts.tv_nsec / 1000000));
}

TDateTime Date() {
    return std::floor(Now());
}

TDateTime Time() {
    TDateTime n = Now();
    return n - std::floor(n);
}

// ---- FormatDateTime ----

namespace {

inline char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool StartsWithNoCase(const std::string& s, std::size_t i, const char* word) {
    for (std::size_t k = 0; word[k]; ++k)
        if (i + k >= s.size() || Lower(s[i + k]) != word[k]) return false;
    return true;
}

struct Parts {
    Word Year, Month, Day, Hour, Min, Sec, MSec;
    int DayOfWeek;
    bool Midnight;
};

std::string Num(int v, int width) {
    std::string s = std::to_string(v);
    if (static_cast<int>(s.size()) < width) s.insert(0, width - s.size(), '0');
    return s;
}

/// True when an am/pm, a/p or ampm specifier follows (outside quotes): 'h' then counts 12 hours.
bool TwelveHourAhead(const std::string& f, std::size_t i) {
    char quote = 0;
    for (; i < f.size(); ++i) {
        char c = f[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (StartsWithNoCase(f, i, "am/pm") || StartsWithNoCase(f, i, "a/p") ||
                   StartsWithNoCase(f, i, "ampm")) {
            return true;
        }
    }
    return false;
}

void FormatInto(std::string& out, const std::string& f, const Parts& p, int depth) {
    bool lastWasHour = false;
    std::size_t i = 0;
    auto run = [&](char lower) {
        std::size_t n = 0;
        while (i + n < f.size() && Lower(f[i + n]) == lower) ++n;
        i += n;
        return static_cast<int>(n);
    };
    auto nested = [&](const char* fmt) {
        if (depth < 2) FormatInto(out, fmt, p, depth + 1);
    };
    while (i < f.size()) {
        char c = f[i];
        char lc = Lower(c);
        bool wasHour = false;
        switch (lc) {
        case '"':
        case '\'': {
            std::size_t end = f.find(c, i + 1);
            if (end == std::string::npos) end = f.size();
            out.append(f, i + 1, end - i - 1);
            i = end < f.size() ? end + 1 : end;
            break;
        }
        // Separators keep an 'm' after 'h' a minute ("hh:mm"); any other text ends that.
        case '/': out += DateSeparator, ++i; continue;
        case ':': out += TimeSeparator, ++i; continue;
        case 'c': {
            run('c');
            nested(ShortDateFormat);
            if (!p.Midnight) {
                out += ' ';
                nested(LongTimeFormat);
            }
            break;
        }
        case 'y': out += run('y') <= 2 ? Num(p.Year % 100, 2) : Num(p.Year, 4); break;
        case 'm': {
            int n = run('m');
            if (lastWasHour)
                out += Num(p.Min, n >= 2 ? 2 : 1);
            else if (n == 1)
                out += std::to_string(p.Month);
            else if (n == 2)
                out += Num(p.Month, 2);
            else if (n == 3)
                out += ShortMonthNames[p.Month - 1];
            else
                out += LongMonthNames[p.Month - 1];
            break;
        }
        case 'd': {
            int n = run('d');
            if (n == 1)
                out += std::to_string(p.Day);
            else if (n == 2)
                out += Num(p.Day, 2);
            else if (n == 3)
                out += ShortDayNames[p.DayOfWeek - 1];
            else if (n == 4)
                out += LongDayNames[p.DayOfWeek - 1];
            else if (n == 5)
                nested(ShortDateFormat);
            else
                nested(LongDateFormat);
            break;
        }
        case 'h': {
            int n = run('h');
            int h = p.Hour;
            if (TwelveHourAhead(f, i)) {
                h %= 12;
                if (h == 0) h = 12;
            }
            out += Num(h, n >= 2 ? 2 : 1);
            wasHour = true;
            break;
        }
        case 'n': out += Num(p.Min, run('n') >= 2 ? 2 : 1); break;
        case 's': out += Num(p.Sec, run('s') >= 2 ? 2 : 1); break;
        case 'z': out += Num(p.MSec, run('z') >= 3 ? 3 : 1); break;
        case 't': nested(run('t') == 1 ? ShortTimeFormat : LongTimeFormat); break;
        case 'a': {
            bool pm = p.Hour >= 12;
            if (StartsWithNoCase(f, i, "am/pm")) {
                // Each letter keeps the case it has in the format.
                std::size_t at = i + (pm ? 3 : 0);
                out += f[at];
                out += f[at + 1];
                i += 5;
            } else if (StartsWithNoCase(f, i, "a/p")) {
                out += f[i + (pm ? 2 : 0)];
                i += 3;
            } else if (StartsWithNoCase(f, i, "ampm")) {
                out += pm ? TimePMString : TimeAMString;
                i += 4;
            } else {
                out += c;
                ++i;
            }
            break;
        }
        default: out += c, ++i; break;
        }
        lastWasHour = wasHour;
    }
}

} // namespace

AnsiString FormatDateTime(const AnsiString& Fmt, TDateTime DT) {
    auto s = Split(DT);
    if (!s) InvalidDateTime(DT);
    Parts p{};
    Int64 y;
    unsigned m, d;
    CivilFromDays(s->Day + kEpochOffset, y, m, d);
    p.Year = static_cast<Word>(y);
    p.Month = static_cast<Word>(m);
    p.Day = static_cast<Word>(d);
    p.Hour = static_cast<Word>(s->MSec / 3600000);
    p.Min = static_cast<Word>(s->MSec / 60000 % 60);
    p.Sec = static_cast<Word>(s->MSec / 1000 % 60);
    p.MSec = static_cast<Word>(s->MSec % 1000);
    p.DayOfWeek = static_cast<int>(((s->Day + 6) % 7 + 7) % 7) + 1;
    p.Midnight = s->MSec == 0;
    std::string out;
    FormatInto(out, Fmt.empty() ? std::string("c") : Fmt, p, 0);
    return out;
}

AnsiString DateToStr(TDateTime D) {
    return FormatDateTime("ddddd", D);
}
AnsiString TimeToStr(TDateTime T) {
    return FormatDateTime("tt", T);
}
AnsiString DateTimeToStr(TDateTime DT) {
    return FormatDateTime("c", DT);
}

// ---- parsing ----

namespace {

class DateScanner {
public:
    explicit DateScanner(const AnsiString& s) : fS(s) {}

    bool AtEnd() {
        SkipBlanks();
        return fPos >= fS.size();
    }
    std::size_t Pos() const { return fPos; }
    void SetPos(std::size_t p) { fPos = p; }

    void SkipBlanks() {
        while (fPos < fS.size() && fS[fPos] == ' ') ++fPos;
    }

    /// Up to `maxDigits` decimal digits; `digits` tells how many were read.
    bool Number(int& value, int& digits, int maxDigits = 4) {
        SkipBlanks();
        value = 0;
        digits = 0;
        while (fPos < fS.size() && fS[fPos] >= '0' && fS[fPos] <= '9') {
            if (++digits > maxDigits) return false;
            value = value * 10 + (fS[fPos++] - '0');
        }
        return digits > 0;
    }

    bool Char(char c) {
        SkipBlanks();
        if (fPos < fS.size() && fS[fPos] == c) {
            ++fPos;
            return true;
        }
        return false;
    }

    /// An AM/PM marker ("AM", "PM", "A", "P", any case): 0 none, 1 am, 2 pm.
    int AmPm() {
        SkipBlanks();
        for (const char* word : {"am", "pm", "a", "p"}) {
            std::size_t len = std::char_traits<char>::length(word);
            if (StartsWithNoCase(fS, fPos, word) &&
                (fPos + len >= fS.size() || !IsLetter(fS[fPos + len]))) {
                fPos += len;
                return word[0] == 'a' ? 1 : 2;
            }
        }
        return 0;
    }

private:
    const AnsiString& fS;
    std::size_t fPos = 0;

    static bool IsLetter(char c) {
        c = Lower(c);
        return c >= 'a' && c <= 'z';
    }
};

int CurrentYear() {
    Word y, m, d;
    DecodeDate(Now(), y, m, d);
    return y;
}

bool ScanDate(DateScanner& sc, TDateTime& date) {
    // Short date order is year, month, day; with two numbers they are month and day of
    // the current year.
    int n[3], digits[3], count = 0;
    if (!sc.Number(n[0], digits[0])) return false;
    count = 1;
    while (count < 3) {
        std::size_t save = sc.Pos();
        if (!sc.Char(DateSeparator)) break;
        if (!sc.Number(n[count], digits[count])) {
            sc.SetPos(save);
            return false;
        }
        ++count;
    }
    if (count < 2) return false;
    int year, month, day;
    bool shortYear;
    if (count == 3) {
        year = n[0], month = n[1], day = n[2];
        shortYear = digits[0] <= 2;
    } else {
        year = CurrentYear(), month = n[0], day = n[1];
        shortYear = false;
    }
    if (shortYear) {
        int pivot = CurrentYear() - TwoDigitYearCenturyWindow;
        year += pivot / 100 * 100;
        if (year < pivot) year += 100;
    }
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) return false;
    return TryEncodeDate(static_cast<Word>(year), static_cast<Word>(month), static_cast<Word>(day),
                         date);
}

bool ScanTime(DateScanner& sc, TDateTime& time) {
    int ampm = sc.AmPm();
    int h, mi = 0, s = 0, ms = 0, digits;
    if (!sc.Number(h, digits, 2)) return false;
    bool minutes = false;
    if (sc.Char(TimeSeparator)) {
        if (!sc.Number(mi, digits, 2)) return false;
        minutes = true;
        if (sc.Char(TimeSeparator)) {
            if (!sc.Number(s, digits, 2)) return false;
            if (sc.Char(DecimalSeparator) && !sc.Number(ms, digits, 3)) return false;
        }
    }
    if (!ampm) ampm = sc.AmPm();
    if (!minutes && !ampm) return false;
    if (ampm) {
        if (h > 12) return false;
        if (h == 12) h = 0;
        if (ampm == 2) h += 12;
    }
    return TryEncodeTime(static_cast<Word>(h), static_cast<Word>(mi), static_cast<Word>(s),
                         static_cast<Word>(ms), time);
}

} // namespace

bool TryStrToDate(const AnsiString& S, TDateTime& Value) {
    DateScanner sc(S);
    TDateTime d;
    if (!ScanDate(sc, d) || !sc.AtEnd()) return false;
    Value = d;
    return true;
}

bool TryStrToTime(const AnsiString& S, TDateTime& Value) {
    DateScanner sc(S);
    TDateTime t;
    if (!ScanTime(sc, t) || !sc.AtEnd()) return false;
    Value = t;
    return true;
}

bool TryStrToDateTime(const AnsiString& S, TDateTime& Value) {
    DateScanner sc(S);
    TDateTime d, t = 0;
    if (ScanDate(sc, d) && (sc.AtEnd() || (ScanTime(sc, t) && sc.AtEnd()))) {
        Value = Compose(d, t);
        return true;
    }
    return TryStrToTime(S, Value); // a time alone is a time on day zero
}

TDateTime StrToDate(const AnsiString& S) {
    TDateTime v;
    if (!TryStrToDate(S, v)) RaiseFmt<EConvertError>("'%s' is not a valid date", {S});
    return v;
}

TDateTime StrToTime(const AnsiString& S) {
    TDateTime v;
    if (!TryStrToTime(S, v)) RaiseFmt<EConvertError>("'%s' is not a valid time", {S});
    return v;
}

TDateTime StrToDateTime(const AnsiString& S) {
    TDateTime v;
    if (!TryStrToDateTime(S, v)) RaiseFmt<EConvertError>("'%s' is not a valid date and time", {S});
    return v;
}

} // namespace host
