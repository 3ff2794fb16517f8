// Month calendars: the colours they paint with, the calendar common to month calendars and
// date-time pickers, and the month calendar with its grid of days.
#pragma once

#include "host/classes/Persistent.h"
#include "host/controls/WinControl.h"
#include "host/graphics/Colors.h"
#include "host/system/Exceptions.h"

namespace host {

HOST_EXCEPTION(ECommonCalendarError, Exception)
HOST_EXCEPTION(EMonthCalError, ECommonCalendarError)
HOST_EXCEPTION(EDateTimeError, ECommonCalendarError)

/// The colours of a month calendar's parts; a change repaints the calendar that owns them.
class TMonthCalColors : public TPersistent {
    HOST_CLASS(TMonthCalColors, TPersistent)
public:
    explicit TMonthCalColors(TWinControl* AOwner) : FOwner(AOwner) {}
    void Assign(TPersistent* Source) override;

    TColor GetBackColor() const { return FColors[Back]; }
    void SetBackColor(TColor Value) { SetColor(Back, Value); }
    TColor GetTextColor() const { return FColors[Text]; }
    void SetTextColor(TColor Value) { SetColor(Text, Value); }
    TColor GetTitleBackColor() const { return FColors[TitleBack]; }
    void SetTitleBackColor(TColor Value) { SetColor(TitleBack, Value); }
    TColor GetTitleTextColor() const { return FColors[TitleText]; }
    void SetTitleTextColor(TColor Value) { SetColor(TitleText, Value); }
    TColor GetMonthBackColor() const { return FColors[MonthBack]; }
    void SetMonthBackColor(TColor Value) { SetColor(MonthBack, Value); }
    TColor GetTrailingTextColor() const { return FColors[TrailingText]; }
    void SetTrailingTextColor(TColor Value) { SetColor(TrailingText, Value); }
    TWinControl* GetOwnerControl() const { return FOwner; }

private:
    enum Part { Back, Text, TitleBack, TitleText, MonthBack, TrailingText, PartCount };
    void SetColor(Part P, TColor Value);
    TWinControl* FOwner;
    TColor FColors[PartCount] = {clWindow, clWindowText, clActiveCaption,
                                 clWhite,  clWhite,      clInactiveCaptionText};
};

enum TCalDayOfWeek {
    dowMonday,
    dowTuesday,
    dowWednesday,
    dowThursday,
    dowFriday,
    dowSaturday,
    dowSunday,
    dowLocaleDefault
};
HOST_ENUM_INFO(TCalDayOfWeek, dowMonday, dowTuesday, dowWednesday, dowThursday, dowFriday,
               dowSaturday, dowSunday, dowLocaleDefault)

/// OnGetMonthInfo: the handler sets bit d-1 of MonthBoldInfo to show day d of Month in bold.
using TOnGetMonthInfoEvent =
    Closure<void(TObject* Sender, Cardinal Month, Cardinal& MonthBoldInfo)>;

/// What month calendars and date-time pickers share: the date or range chosen, its limits, the
/// colours and look of the month grid.
class TCommonCalendar : public TWinControl {
    HOST_CLASS(TCommonCalendar, TWinControl)
public:
    explicit TCommonCalendar(TComponent* AOwner);
    ~TCommonCalendar() override;

    TMonthCalColors* GetCalColors() const { return FCalColors; }
    void SetCalColors(TMonthCalColors* Value) { FCalColors->Assign(Value); }
    /// The window of the month grid: the calendar's own here.
    virtual HWND GetCalendarHandle() { return GetHandle(); }
    /// The class of the errors raised for dates out of range; an exception class or null.
    TClass GetCalExceptionClass() const { return FCalExceptionClass; }
    void SetCalExceptionClass(TClass Value) { FCalExceptionClass = Value; }
    TDateTime GetDate() const { return FDate; }
    /// The day chosen (the time of day is dropped); within MinDate..MaxDate.
    virtual void SetDate(TDateTime Value);
    TDateTime GetDateTime() const { return FDate; }
    void SetDateTime(TDateTime Value) { SetDate(Value); }
    /// The last day of a range chosen with MultiSelect, else Date.
    TDateTime GetEndDate() const { return FMultiSelect ? FEndDate : FDate; }
    void SetEndDate(TDateTime Value);
    TCalDayOfWeek GetFirstDayOfWeek() const { return FFirstDayOfWeek; }
    void SetFirstDayOfWeek(TCalDayOfWeek Value);
    /// 0: no limit.
    TDateTime GetMaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime Value);
    TDateTime GetMinDate() const { return FMinDate; }
    void SetMinDate(TDateTime Value);
    Integer GetMaxSelectRange() const { return FMaxSelectRange; }
    void SetMaxSelectRange(Integer Value);
    Integer GetMonthDelta() const { return FMonthDelta; }
    void SetMonthDelta(Integer Value) { FMonthDelta = std::max<Integer>(Value, 1); }
    bool GetMultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    bool GetShowToday() const { return FShowToday; }
    void SetShowToday(bool Value);
    bool GetShowTodayCircle() const { return FShowTodayCircle; }
    void SetShowTodayCircle(bool Value);
    bool GetWeekNumbers() const { return FWeekNumbers; }
    void SetWeekNumbers(bool Value);
    TOnGetMonthInfoEvent GetOnGetMonthInfo() const { return FOnGetMonthInfo; }
    void SetOnGetMonthInfo(TOnGetMonthInfoEvent Value);

    /// The month shown (its first day) and "today" as the grid marks it.
    TDateTime GetShownMonth() const { return FShown; }
    void SetToday(TDateTime Value) {
        FToday = Value;
        Invalidate();
    }
    TDateTime GetToday() const { return FToday; }
    /// Where the grid puts things, in client coordinates: the title's arrows and a shown day.
    TRect PrevButtonRect() const;
    TRect NextButtonRect() const;
    /// The day at a point of the grid, or 0 when none is there.
    TDateTime DayAt(TPoint P) const;
    /// Whether day `Day` of the shown month is bold, as OnGetMonthInfo said.
    bool DayBold(Integer Day) const { return Day >= 1 && Day <= 31 && (FBold >> (Day - 1)) & 1; }

protected:
    /// Raises the error class set in CalExceptionClass (its nearest calendar error).
    [[noreturn]] void RaiseCalError(const AnsiString& Message) const;
    /// The grid drawn at `Origin` of `Canvas`.
    void PaintGrid(TCanvas* Canvas, TPoint Origin);
    TSize GridSize() const;
    /// The user's choice of a day: the date, a range with Shift, OnClick-free.
    void ChooseDay(TDateTime Day, bool Extend);
    void ShowMonth(TDateTime AnyDay);
    void KeyDown(Word& Key, TShiftState Shift) override;
    virtual void DateChanged() {}

private:
    Integer FirstDayIndex() const; // 0 = Sunday, as DayOfWeek counts from 1
    TDateTime Clamp(TDateTime D) const;
    TDateTime GridStart() const;
    void AskBold();

    TMonthCalColors* FCalColors;
    TClass FCalExceptionClass;
    TDateTime FDate, FEndDate, FMinDate = 0, FMaxDate = 0, FShown, FToday;
    TCalDayOfWeek FFirstDayOfWeek = dowLocaleDefault;
    Integer FMaxSelectRange = 31, FMonthDelta = 1;
    bool FMultiSelect = false, FShowToday = true, FShowTodayCircle = true, FWeekNumbers = false;
    Cardinal FBold = 0;
    TOnGetMonthInfoEvent FOnGetMonthInfo;
};

/// The month calendar: the grid as a control of its own, chosen by mouse and keys.
class TMonthCalendar : public TCommonCalendar {
    HOST_CLASS(TMonthCalendar, TCommonCalendar)
public:
    explicit TMonthCalendar(TComponent* AOwner);

protected:
    void PaintWindow(TCanvas* Canvas) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void AdjustSize() override;
    void DefaultHandler(void* Message) override;
};

} // namespace host
