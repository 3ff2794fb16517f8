#include "host/system/SysUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace host;

namespace {
struct Ymd {
    Word Y, M, D;
    friend bool operator==(const Ymd&, const Ymd&) = default;
};
Ymd DateOf(TDateTime dt) {
    Ymd r{};
    DecodeDate(dt, r.Y, r.M, r.D);
    return r;
}
std::string TimeOf(TDateTime dt) {
    Word h, m, s, ms;
    DecodeTime(dt, h, m, s, ms);
    return Format("%d:%d:%d.%d", {h, m, s, ms});
}
} // namespace

TEST(DateEncoding, DayNumbersFollowTheHostEpoch) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465);
    EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2024, 13), 0);
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 1, 1)), 2); // a Monday
    EXPECT_EQ(DayOfWeek(0), 7);                      // 1899-12-30, a Saturday
    EXPECT_EQ(DayOfWeek(-1), 6);
}

TEST(DateEncoding, InvalidPartsRaiseTheHostErrors) {
    TDateTime d = 42;
    EXPECT_FALSE(TryEncodeDate(2023, 2, 29, d));
    EXPECT_FALSE(TryEncodeDate(0, 1, 1, d));
    EXPECT_FALSE(TryEncodeDate(10000, 1, 1, d));
    EXPECT_FALSE(TryEncodeDate(2024, 0, 1, d));
    EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, d));
    EXPECT_FALSE(TryEncodeTime(1, 60, 0, 0, d));
    EXPECT_FALSE(TryEncodeTime(1, 0, 0, 1000, d));
    EXPECT_EQ(d, 42);
    try {
        EncodeDate(2024, 2, 30);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Invalid argument to date encode");
    }
    try {
        EncodeTime(25, 0, 0, 0);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Invalid argument to time encode");
    }
}

TEST(DateEncoding, DecodeRoundTripsAndKeepsDateAndTimeInStep) {
    for (Word y : {1, 1600, 1899, 1900, 2000, 2024, 9999})
        for (Word m : {1, 2, 12}) {
            Word d = DaysInMonth(y, m);
            EXPECT_EQ(DateOf(EncodeDate(y, m, d)), (Ymd{y, m, d}));
        }
    TDateTime t = EncodeDate(2024, 3, 15) + EncodeTime(13, 45, 30, 250);
    EXPECT_EQ(TimeOf(t), "13:45:30.250");
    // Negative values count the time forward from the start of their day.
    EXPECT_EQ(DateOf(-1.25), (Ymd{1899, 12, 29}));
    EXPECT_EQ(TimeOf(-1.25), "6:0:0.0");
    // A value a hair before midnight rounds to the next day's 00:00, and the date agrees.
    TDateTime late = EncodeDate(2024, 12, 31) + 0.99999999999;
    EXPECT_EQ(TimeOf(late), "0:0:0.0");
    EXPECT_EQ(DateOf(late), (Ymd{2025, 1, 1}));
    // Outside the calendar (or not a number) decodes to zeros instead of garbage.
    EXPECT_EQ(DateOf(1e300), (Ymd{0, 0, 0}));
    EXPECT_EQ(DateOf(std::numeric_limits<double>::quiet_NaN()), (Ymd{0, 0, 0}));
}

TEST(DateFormatting, SpecifiersOfFormatDateTime) {
    TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);
    EXPECT_EQ(FormatDateTime("d dd ddd dddd", t), "5 05 Tue Tuesday");
    EXPECT_EQ(FormatDateTime("m mm mmm mmmm", t), "3 03 Mar March");
    EXPECT_EQ(FormatDateTime("yy yyyy", t), "24 2024");
    EXPECT_EQ(FormatDateTime("h hh n nn s ss z zzz", t), "14 14 7 07 9 09 45 045");
    EXPECT_EQ(FormatDateTime("hh:mm", t), "14:07"); // m after h is the minute
    EXPECT_EQ(FormatDateTime("h:nn am/pm|AM/PM|a/p|A/P|ampm", t), "2:07 pm|PM|p|P|PM");
    EXPECT_EQ(FormatDateTime("hh 'at' mm|hh mm|h/m", t),
              "14 at 03|14 03|14-7"); // only separators between
    EXPECT_EQ(FormatDateTime("\"yyyy\" yyyy/mm/dd", t), "yyyy 2024-03-05");
    EXPECT_EQ(FormatDateTime("ddddd|dddddd|t|tt", t),
              "2024-03-05|Tuesday, March 5, 2024|14:07|14:07:09");
    EXPECT_EQ(FormatDateTime("DD-MMM-YYYY", t), "05-Mar-2024"); // case does not matter
    EXPECT_EQ(FormatDateTime("'unterminated", t), "unterminated");
    EXPECT_EQ(FormatDateTime("xq!", t), "xq!");
    TDateTime midnight = EncodeDate(2024, 3, 5);
    EXPECT_EQ(FormatDateTime("h am/pm", midnight), "12 am");
    EXPECT_EQ(FormatDateTime("h a/p", midnight + 0.5), "12 p");
    EXPECT_EQ(FormatDateTime("", t), "2024-03-05 14:07:09");
}

TEST(DateFormatting, ToStrUsesTheFixedLocale) {
    TDateTime t = EncodeDate(1999, 12, 31) + EncodeTime(23, 59, 58, 0);
    EXPECT_EQ(DateToStr(t), "1999-12-31");
    EXPECT_EQ(TimeToStr(t), "23:59:58");
    EXPECT_EQ(DateTimeToStr(t), "1999-12-31 23:59:58");
    EXPECT_EQ(DateTimeToStr(EncodeDate(1999, 12, 31)), "1999-12-31"); // midnight: no time
    EXPECT_EQ(DateTimeToStr(0.5), "1899-12-30 12:00:00");
    try {
        DateTimeToStr(1e300);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'1E300' is not a valid date and time");
    }
    EXPECT_THROW(FormatDateTime("yyyy", std::numeric_limits<double>::infinity()), EConvertError);
}

TEST(DateParsing, ReadsWhatItWritesAndTheHostsShorterForms) {
    TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0);
    EXPECT_EQ(StrToDateTime(DateTimeToStr(t)), t);
    EXPECT_EQ(StrToDate("2024-03-05"), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDate(" 2024-3-5 "), EncodeDate(2024, 3, 5));
    EXPECT_DOUBLE_EQ(StrToTime("14:07"), EncodeTime(14, 7, 0, 0));
    EXPECT_DOUBLE_EQ(StrToTime("14:07:09.5"), EncodeTime(14, 7, 9, 5));
    EXPECT_DOUBLE_EQ(StrToTime("2:07 PM"), EncodeTime(14, 7, 0, 0));
    EXPECT_DOUBLE_EQ(StrToTime("12:30 am"), EncodeTime(0, 30, 0, 0));
    EXPECT_DOUBLE_EQ(StrToTime("3 p"), EncodeTime(15, 0, 0, 0));
    EXPECT_DOUBLE_EQ(StrToDateTime("10:30"), EncodeTime(10, 30, 0, 0)); // a time alone
    // Dates before the epoch carry their time towards more negative values.
    TDateTime old = StrToDateTime("1899-12-29 06:00");
    EXPECT_DOUBLE_EQ(old, -1.25);
    EXPECT_EQ(DateTimeToStr(old), "1899-12-29 06:00:00");
    // Month and day alone are in the current year.
    Word y, m, d;
    DecodeDate(Date(), y, m, d);
    EXPECT_EQ(StrToDate("02-03"), EncodeDate(y, 2, 3));
    // A two-digit year lands within the hundred years around today.
    Word y2, m2, d2;
    DecodeDate(StrToDate(Format("%.2d-01-01", {(y + 10) % 100})), y2, m2, d2);
    EXPECT_EQ(y2, y + 10);
    DecodeDate(StrToDate(Format("%.2d-01-01", {(y - 60 + 100) % 100})), y2, m2, d2);
    EXPECT_EQ(y2, y + 40);
}

TEST(DateParsing, RejectsMalformedText) {
    for (const char* bad :
         {"", "2024", "2024-02-30", "2024-13-01", "2024/03/05", "2024-03-05x", "24:00", "12:60",
          "13:00 pm", "12", "1:2:3:4", "10000-01-01", "2024-03-05 25:00", "99999999999-1-1"}) {
        SCOPED_TRACE(bad);
        TDateTime v = 7;
        EXPECT_FALSE(TryStrToDateTime(bad, v));
        EXPECT_EQ(v, 7);
    }
    try {
        StrToDate("nope");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'nope' is not a valid date");
    }
    try {
        StrToTime("nope");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'nope' is not a valid time");
    }
    EXPECT_THROW(StrToDateTime("2024-03-05 nope"), EConvertError);
}

TEST(DateClock, NowIsTodayPlusTimeOfDay) {
    TDateTime before = Now();
    TDateTime today = Date();
    TDateTime now = Now();
    EXPECT_GE(now, before);
    EXPECT_EQ(std::floor(now), today);
    EXPECT_GE(Time(), 0.0);
    EXPECT_LT(Time(), 1.0);
    EXPECT_GT(today, EncodeDate(2020, 1, 1));
}
