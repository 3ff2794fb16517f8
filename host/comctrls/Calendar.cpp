#include "host/comctrls/Calendar.h"

#include "host/classes/TypInfoRows.h"
#include "host/controls/WinControl.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/DrawText.h"
#include "host/menus/Keys.h"
#include "host/system/SysUtils.h"

#include <cmath>

namespace host {

namespace {
constexpr TPropInfo MonthCalColorsProps[] = {
    HOST_PROP(TMonthCalColors, BackColor).Default(clWindow),
    HOST_PROP(TMonthCalColors, TextColor).Default(clWindowText),
    HOST_PROP(TMonthCalColors, TitleBackColor).Default(clActiveCaption),
    HOST_PROP(TMonthCalColors, TitleTextColor).Default(clWhite),
    HOST_PROP(TMonthCalColors, MonthBackColor).Default(clWhite),
    HOST_PROP(TMonthCalColors, TrailingTextColor).Default(clInactiveCaptionText),
};
constexpr TPropInfo CommonCalendarProps[] = {
    HOST_PROP(TCommonCalendar, CalColors).Unpublished(),
    HOST_PROP(TCommonCalendar, Date).Unpublished(),
    HOST_PROP(TCommonCalendar, EndDate).Unpublished(),
    HOST_PROP(TCommonCalendar, FirstDayOfWeek).Default(dowLocaleDefault).Unpublished(),
    HOST_PROP(TCommonCalendar, MaxDate).Unpublished(),
    HOST_PROP(TCommonCalendar, MaxSelectRange).Default(31).Unpublished(),
    HOST_PROP(TCommonCalendar, MinDate).Unpublished(),
    HOST_PROP(TCommonCalendar, MonthDelta).Default(1).Unpublished(),
    HOST_PROP(TCommonCalendar, MultiSelect).Default(false).Unpublished(),
    HOST_PROP(TCommonCalendar, ShowToday).Default(true).Unpublished(),
    HOST_PROP(TCommonCalendar, ShowTodayCircle).Default(true).Unpublished(),
    HOST_PROP(TCommonCalendar, WeekNumbers).Default(false).Unpublished(),
    HOST_PROP(TCommonCalendar, OnGetMonthInfo).Unpublished(),
};
constexpr TPropInfo MonthCalendarProps[] = {
    "Align",          "Anchors",        "AutoSize",        "BorderWidth",    "BiDiMode",
    "CalColors",      "Constraints",    "MultiSelect",     "Date",           "DragCursor",
    "DragKind",       "DragMode",       "Enabled",         "EndDate",        "FirstDayOfWeek",
    "Font",           "ImeMode",        "ImeName",         "MaxDate",        "MaxSelectRange",
    "MinDate",        "ParentBiDiMode", "ParentFont",      "ParentShowHint", "PopupMenu",
    "ShowHint",       "ShowToday",      "ShowTodayCircle", "TabOrder",       "TabStop",
    "Visible",        "WeekNumbers",    "OnClick",         "OnDblClick",     "OnDragDrop",
    "OnDragOver",     "OnEndDock",      "OnEndDrag",       "OnEnter",        "OnExit",
    "OnGetMonthInfo", "OnKeyDown",      "OnKeyPress",      "OnKeyUp",        "OnStartDock",
    "OnStartDrag",
};
constexpr Integer CellW = 26, CellH = 15, TitleH = 22, DaysTop = TitleH + 17, Pad = 6;

TDateTime Day(TDateTime D) {
    return TDateTime(std::floor(D.Value));
}
TDateTime FirstOfMonth(TDateTime D) {
    Word y, m, d;
    DecodeDate(D, y, m, d);
    return EncodeDate(y, m, 1);
}
/// The same day `Months` months on, held within the target month.
TDateTime AddMonths(TDateTime D, Integer Months) {
    Word y, m, d;
    DecodeDate(D, y, m, d);
    Integer total = Integer(y) * 12 + (m - 1) + Months;
    if (total < 12 || total >= 10000 * 12) return D;
    Word ny = Word(total / 12), nm = Word(total % 12 + 1);
    return EncodeDate(ny, nm, std::min<Word>(d, DaysInMonth(ny, nm)));
}
void Text(TCanvas* C, const AnsiString& S, TRect R, Cardinal Format) {
    DrawText(C, S, R, Format);
}
Integer IsoWeek(TDateTime D) {
    Integer dow = (DayOfWeek(D) + 5) % 7; // Monday 0
    TDateTime thursday = Day(D) - dow + 3;
    Word y, m, d;
    DecodeDate(thursday, y, m, d);
    return Integer(thursday - EncodeDate(y, 1, 1)) / 7 + 1;
}
} // namespace

HOST_METACLASS(TMonthCalColors, TPersistent, PropTable(MonthCalColorsProps));
HOST_METACLASS(ECommonCalendarError, Exception);
HOST_METACLASS(EMonthCalError, ECommonCalendarError);
HOST_METACLASS(EDateTimeError, ECommonCalendarError);

void TMonthCalColors::Assign(TPersistent* Source) {
    if (auto* other = dynamic_cast<TMonthCalColors*>(Source)) {
        for (int p = 0; p < PartCount; ++p) FColors[p] = other->FColors[p];
        if (FOwner) FOwner->Invalidate();
        return;
    }
    TPersistent::Assign(Source);
}

void TMonthCalColors::SetColor(Part P, TColor Value) {
    if (FColors[P] == Value) return;
    FColors[P] = Value;
    if (FOwner) FOwner->Invalidate();
}

} // namespace host

namespace host {

HOST_COMPONENT_METACLASS(TCommonCalendar, TWinControl, PropTable(CommonCalendarProps));
HOST_COMPONENT_METACLASS(TMonthCalendar, TCommonCalendar, PropTable(MonthCalendarProps));

// ---- TCommonCalendar ----

TCommonCalendar::TCommonCalendar(TComponent* AOwner)
    : TWinControl(AOwner), FCalColors(new TMonthCalColors(this)),
      FCalExceptionClass(ECommonCalendarError::StaticClass()) {
    FToday = Day(host::Date());
    FDate = FEndDate = FToday;
    FShown = FirstOfMonth(FToday);
    FTabStop = true;
}

TCommonCalendar::~TCommonCalendar() {
    FCalColors->Free();
}

void TCommonCalendar::RaiseCalError(const AnsiString& Message) const {
    TClass c = FCalExceptionClass;
    if (c && c->InheritsFrom(EDateTimeError::StaticClass())) throw EDateTimeError(Message);
    if (c && c->InheritsFrom(EMonthCalError::StaticClass())) throw EMonthCalError(Message);
    throw ECommonCalendarError(Message);
}

TDateTime TCommonCalendar::Clamp(TDateTime D) const {
    if (FMinDate != 0 && D < Day(FMinDate)) return Day(FMinDate);
    if (FMaxDate != 0 && D > Day(FMaxDate)) return Day(FMaxDate);
    return D;
}

void TCommonCalendar::SetDate(TDateTime Value) {
    TDateTime d = Day(Value);
    if (FMinDate != 0 && d < Day(FMinDate))
        RaiseCalError(Format("Date is less than minimum of %s", {DateToStr(FMinDate)}));
    if (FMaxDate != 0 && d > Day(FMaxDate))
        RaiseCalError(Format("Date exceeds maximum of %s", {DateToStr(FMaxDate)}));
    FDate = d;
    if (!FMultiSelect || FEndDate < d || FEndDate - d >= FMaxSelectRange) FEndDate = d;
    if (FirstOfMonth(d) != FShown) ShowMonth(d);
    Invalidate();
    DateChanged();
}

void TCommonCalendar::SetEndDate(TDateTime Value) {
    TDateTime d = Day(Value);
    if (!FMultiSelect) return; // one day is chosen: EndDate is Date
    if (d < FDate || d - FDate >= FMaxSelectRange)
        RaiseCalError(Format("The range %s to %s is not within MaxSelectRange of %d days",
                             {DateToStr(FDate), DateToStr(d), FMaxSelectRange}));
    if (FMaxDate != 0 && d > Day(FMaxDate))
        RaiseCalError(Format("Date exceeds maximum of %s", {DateToStr(FMaxDate)}));
    FEndDate = d;
    Invalidate();
}

void TCommonCalendar::SetMinDate(TDateTime Value) {
    if (Value != 0 && FMaxDate != 0 && Day(Value) > Day(FMaxDate))
        RaiseCalError(Format("Minimum date %s is after the maximum date %s",
                             {DateToStr(Value), DateToStr(FMaxDate)}));
    FMinDate = Value;
    // The date chosen moves within the new limits.
    TDateTime d = Clamp(FDate);
    if (d != FDate) SetDate(d);
}

void TCommonCalendar::SetMaxDate(TDateTime Value) {
    if (Value != 0 && FMinDate != 0 && Day(Value) < Day(FMinDate))
        RaiseCalError(Format("Maximum date %s is before the minimum date %s",
                             {DateToStr(Value), DateToStr(FMinDate)}));
    FMaxDate = Value;
    TDateTime d = Clamp(FDate);
    if (d != FDate) SetDate(d);
}

void TCommonCalendar::SetMaxSelectRange(Integer Value) {
    if (Value < 1) RaiseCalError("MaxSelectRange must be at least one day");
    FMaxSelectRange = Value;
    if (FEndDate - FDate >= Value) FEndDate = FDate + (Value - 1);
    Invalidate();
}

void TCommonCalendar::SetMultiSelect(bool Value) {
    FMultiSelect = Value;
    FEndDate = FDate;
    Invalidate();
}

void TCommonCalendar::SetFirstDayOfWeek(TCalDayOfWeek Value) {
    FFirstDayOfWeek = Value;
    Invalidate();
}
void TCommonCalendar::SetShowToday(bool Value) {
    FShowToday = Value;
    AdjustSize();
    Invalidate();
}
void TCommonCalendar::SetShowTodayCircle(bool Value) {
    FShowTodayCircle = Value;
    Invalidate();
}
void TCommonCalendar::SetWeekNumbers(bool Value) {
    FWeekNumbers = Value;
    AdjustSize();
    Invalidate();
}

void TCommonCalendar::SetOnGetMonthInfo(TOnGetMonthInfoEvent Value) {
    FOnGetMonthInfo = Value;
    AskBold();
}

void TCommonCalendar::AskBold() {
    FBold = 0;
    if (!FOnGetMonthInfo) return;
    Word y, m, d;
    DecodeDate(FShown, y, m, d);
    FOnGetMonthInfo(this, m, FBold);
    Invalidate();
}

void TCommonCalendar::ShowMonth(TDateTime AnyDay) {
    FShown = FirstOfMonth(AnyDay);
    AskBold();
    Invalidate();
}

Integer TCommonCalendar::FirstDayIndex() const {
    // The locale's weeks start on Sunday.
    return FFirstDayOfWeek == dowLocaleDefault ? 0 : (Integer(FFirstDayOfWeek) + 1) % 7;
}

TDateTime TCommonCalendar::GridStart() const {
    Integer back = (DayOfWeek(FShown) - 1 - FirstDayIndex() + 7) % 7;
    return FShown - (back == 0 ? 7 : back); // a trailing week first when the month starts a row
}

TSize TCommonCalendar::GridSize() const {
    Integer w = 2 * Pad + 7 * CellW + (FWeekNumbers ? CellW : 0);
    Integer h = DaysTop + 6 * CellH + Pad + (FShowToday ? 18 : 0);
    return {w, h};
}

TRect TCommonCalendar::PrevButtonRect() const {
    return {Pad, 3, Pad + 16, TitleH - 3};
}
TRect TCommonCalendar::NextButtonRect() const {
    Integer w = GridSize().cx;
    return {w - Pad - 16, 3, w - Pad, TitleH - 3};
}

TDateTime TCommonCalendar::DayAt(TPoint P) const {
    Integer left = Pad + (FWeekNumbers ? CellW : 0);
    if (P.X < left || P.X >= left + 7 * CellW || P.Y < DaysTop || P.Y >= DaysTop + 6 * CellH)
        return 0;
    Integer col = (P.X - left) / CellW, row = (P.Y - DaysTop) / CellH;
    return GridStart() + row * 7 + col;
}

void TCommonCalendar::ChooseDay(TDateTime D, bool Extend) {
    D = Clamp(Day(D));
    if (Extend && FMultiSelect) {
        // Shift extends the range from the anchor (Date) within MaxSelectRange.
        TDateTime from = std::min<double>(FDate, D), to = std::max<double>(FDate, D);
        if (to - from >= FMaxSelectRange) to = from + (FMaxSelectRange - 1);
        FDate = from;
        FEndDate = to;
    } else {
        FDate = FEndDate = D;
    }
    if (FirstOfMonth(D) != FShown) ShowMonth(D);
    Invalidate();
    DateChanged();
}

void TCommonCalendar::KeyDown(Word& Key, TShiftState Shift) {
    TWinControl::KeyDown(Key, Shift);
    TDateTime to = FDate;
    Word y, m, d;
    DecodeDate(FDate, y, m, d);
    switch (Key) {
    case VK_LEFT: to = FDate - 1; break;
    case VK_RIGHT: to = FDate + 1; break;
    case VK_UP: to = FDate - 7; break;
    case VK_DOWN: to = FDate + 7; break;
    case VK_PRIOR: to = AddMonths(FDate, -FMonthDelta); break;
    case VK_NEXT: to = AddMonths(FDate, FMonthDelta); break;
    case VK_HOME: to = EncodeDate(y, m, 1); break;
    case VK_END: to = EncodeDate(y, m, DaysInMonth(y, m)); break;
    default: return;
    }
    if (to < -657434 || to > 2958465) return; // the calendar's years 1..9999
    ChooseDay(to, Shift.Contains(ssShift));
    Key = 0;
}

void TCommonCalendar::PaintGrid(TCanvas* C, TPoint O) {
    TSize size = GridSize();
    const TMonthCalColors& k = *FCalColors;
    C->GetFont()->Assign(GetFont());
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(k.GetMonthBackColor());
    C->FillRect({O.X, O.Y, O.X + size.cx, O.Y + size.cy});
    // The title: month and year between the arrows.
    C->GetBrush()->SetColor(k.GetTitleBackColor());
    C->FillRect({O.X, O.Y, O.X + size.cx, O.Y + TitleH});
    Word y, m, d;
    DecodeDate(FShown, y, m, d);
    C->GetFont()->SetColor(k.GetTitleTextColor());
    C->GetFont()->SetStyle({fsBold});
    TRect title{O.X, O.Y, O.X + size.cx, O.Y + TitleH};
    C->GetBrush()->SetStyle(bsClear);
    Text(C, AnsiString(LongMonthNames[m - 1]) + " " + IntToStr(y), title,
         DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(k.GetTitleTextColor());
    for (int side = 0; side < 2; ++side) {
        TRect b = side ? NextButtonRect() : PrevButtonRect();
        Integer cx = O.X + (b.Left + b.Right) / 2, cy = O.Y + (b.Top + b.Bottom) / 2;
        for (Integer i = 0; i < 5; ++i) // a triangle pointing outwards
            C->FillRect(side ? TRect{cx - 2 + i, cy - 4 + i, cx - 1 + i, cy + 5 - i}
                             : TRect{cx + 2 - i, cy - 4 + i, cx + 3 - i, cy + 5 - i});
    }
    // The weekday names, a line under them.
    C->GetFont()->SetStyle({});
    C->GetFont()->SetColor(k.GetTitleBackColor());
    C->GetBrush()->SetStyle(bsClear);
    Integer left = O.X + Pad + (FWeekNumbers ? CellW : 0);
    for (Integer i = 0; i < 7; ++i) {
        TRect r{left + i * CellW, O.Y + TitleH + 1, left + (i + 1) * CellW, O.Y + DaysTop - 2};
        Text(C, ShortDayNames[(FirstDayIndex() + i) % 7], r,
             DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }
    C->GetPen()->SetColor(k.GetTextColor());
    C->MoveTo(left, O.Y + DaysTop - 2);
    C->LineTo(left + 7 * CellW, O.Y + DaysTop - 2);
    // The days: the shown month's in the text colour, its neighbours' trailing.
    TDateTime start = GridStart();
    for (Integer row = 0; row < 6; ++row) {
        if (FWeekNumbers) {
            TRect w{O.X + Pad, O.Y + DaysTop + row * CellH, left - 2,
                    O.Y + DaysTop + (row + 1) * CellH};
            C->GetFont()->SetColor(k.GetTitleBackColor());
            Text(C, IntToStr(IsoWeek(start + row * 7 + 3)), w,
                 DT_SINGLELINE | DT_RIGHT | DT_VCENTER);
        }
        for (Integer col = 0; col < 7; ++col) {
            TDateTime day = start + row * 7 + col;
            Word dy, dm, dd;
            DecodeDate(day, dy, dm, dd);
            TRect r{left + col * CellW, O.Y + DaysTop + row * CellH, left + (col + 1) * CellW,
                    O.Y + DaysTop + (row + 1) * CellH};
            bool inMonth = dm == m, chosen = day >= FDate && day <= GetEndDate();
            if (chosen) {
                C->GetBrush()->SetStyle(bsSolid);
                C->GetBrush()->SetColor(k.GetTitleBackColor());
                C->FillRect(r);
            }
            C->GetFont()->SetColor(chosen    ? k.GetMonthBackColor()
                                   : inMonth ? k.GetTextColor()
                                             : k.GetTrailingTextColor());
            C->GetFont()->SetStyle(inMonth && DayBold(dd) ? TFontStyles{fsBold} : TFontStyles{});
            C->GetBrush()->SetStyle(bsClear);
            Text(C, IntToStr(dd), {r.Left, r.Top, r.Right - 3, r.Bottom},
                 DT_SINGLELINE | DT_RIGHT | DT_VCENTER);
            if (FShowTodayCircle && day == FToday) {
                C->GetPen()->SetColor(TColor(0x0000FF));
                C->Ellipse(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1);
            }
        }
    }
    C->GetFont()->SetStyle({});
    if (FShowToday) {
        Integer ty = O.Y + DaysTop + 6 * CellH + 2;
        if (FShowTodayCircle) {
            C->GetPen()->SetColor(TColor(0x0000FF));
            C->GetBrush()->SetStyle(bsClear);
            C->Rectangle(left, ty + 2, left + 18, ty + 13);
        }
        C->GetFont()->SetColor(k.GetTextColor());
        C->GetFont()->SetStyle({fsBold});
        C->TextOut(left + 22, ty, "Today: " + DateToStr(FToday));
        C->GetFont()->SetStyle({});
    }
    C->GetBrush()->SetStyle(bsSolid);
}

// ---- TMonthCalendar ----

TMonthCalendar::TMonthCalendar(TComponent* AOwner) : TCommonCalendar(AOwner) {
    TSize s = GridSize();
    SetBounds(0, 0, s.cx, s.cy);
}

void TMonthCalendar::AdjustSize() {
    if (!GetAutoSize() || GetComponentState().Contains(csLoading)) return;
    TSize s = GridSize();
    TRect n = GetNonClientInsets();
    SetBounds(GetLeft(), GetTop(), s.cx + n.Left + n.Right, s.cy + n.Top + n.Bottom);
}

void TMonthCalendar::PaintWindow(TCanvas* Canvas) {
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(GetCalColors()->GetBackColor());
    Canvas->FillRect(GetClientRect());
    PaintGrid(Canvas, {0, 0});
}

void TMonthCalendar::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TCommonCalendar::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    if (CanFocus() && !Focused()) SetFocus();
    TPoint p{X, Y};
    auto in = [&](TRect r) { return X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom; };
    if (in(PrevButtonRect())) {
        ShowMonth(AddMonths(GetShownMonth(), -GetMonthDelta()));
    } else if (in(NextButtonRect())) {
        ShowMonth(AddMonths(GetShownMonth(), GetMonthDelta()));
    } else if (TDateTime d = DayAt(p); d != 0) {
        ChooseDay(d, Shift.Contains(ssShift));
    }
    // OnClick follows on the release, as for any control.
}

void TMonthCalendar::DefaultHandler(void* Message) {
    auto& m = *static_cast<TMessage*>(Message);
    if (m.Msg == WM_GETDLGCODE) {
        m.Result = DLGC_WANTARROWS;
        return;
    }
    TCommonCalendar::DefaultHandler(Message);
}

} // namespace host
