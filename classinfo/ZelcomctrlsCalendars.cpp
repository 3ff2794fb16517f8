// The class infos of animations and month calendars.
#include "classinfo/Zelcomctrls.h"
#include "core/ClassInfoRows.h"
#include "host/classes/ClassRegistration.h"

namespace zeltrix {

using namespace host;

struct TAnimateClassInfo::ZelRows {
    using CI = TAnimateClassInfo;
    using H = TAnimate;
    static constexpr auto Properties =
        zelRows(ZEL_PROP_R(H, FrameCount), ZEL_PROP_R(H, FrameHeight), ZEL_PROP_R(H, FrameWidth),
                ZEL_PROP(H, Open),
                prop<&H::GetResHandle, &H::SetResHandle, &CI::FResHandleSlot>("ResHandle"),
                prop<&H::GetResID, &H::SetResID>("ResId"), ZEL_PROP(H, ResName),
                ZEL_PROP(H, Active).published(), ZEL_PROP(H, Center).published(),
                ZEL_PROP(H, CommonAVI).published(), ZEL_PROP(H, FileName).published(),
                ZEL_PROP(H, Repetitions).published(), ZEL_PROP(H, StartFrame).published(),
                ZEL_PROP(H, StopFrame).published(), ZEL_PROP(H, Timers).published(),
                ZEL_PROP(H, Transparent).published(),
                published("Align", "Anchors", "AutoSize", "BorderWidth", "Color", "Constraints",
                          "ParentColor", "ParentShowHint", "ShowHint", "Visible"));
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(H, Play, "FromFrame,ToFrame,Count"),
        ZEL_PROC(H, Reset),
        ZEL_PROC(H, Seek, "Frame"),
        ZEL_PROC(H, Stop),
    };
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(H, OnOpen, "Sender").published(),
        ZEL_EVENT(H, OnClose, "Sender").published(),
        ZEL_EVENT(H, OnStart, "Sender").published(),
        ZEL_EVENT(H, OnStop, "Sender").published(),
    };
};
ZEL_TABLE(TAnimateClassInfo);

struct TMonthCalColorsClassInfo::ZelRows {
    using H = TMonthCalColors;
    static constexpr auto Properties = zelRows(
        ZEL_PROP(H, BackColor).published(), ZEL_PROP(H, TextColor).published(),
        ZEL_PROP(H, TitleBackColor).published(), ZEL_PROP(H, TitleTextColor).published(),
        ZEL_PROP(H, MonthBackColor).published(), ZEL_PROP(H, TrailingTextColor).published());
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "AOwner")};
};
ZEL_TABLE(TMonthCalColorsClassInfo);

namespace {
/// A class reference is stored into the calendar only when it is a registered exception class:
/// any other address would be read through as a class.
void SetCalExceptionClass(TCommonCalendar& C, TClass Value) {
    if (Value && (!IsRegisteredClass(Value) || !Value->InheritsFrom(Exception::StaticClass())))
        throw EInvalidCast("Invalid class typecast");
    C.SetCalExceptionClass(Value);
}
TClass GetCalExceptionClass(TCommonCalendar& C) {
    return C.GetCalExceptionClass();
}
/// DateTime reads as a date Variant; it is written as the number it converts to.
Variant GetDateTime(TCommonCalendar& C) {
    return Variant::FromDate(C.GetDateTime());
}
void SetDateTime(TCommonCalendar& C, double Value) {
    C.SetDateTime(TDateTime(Value));
}
} // namespace

struct TCommonCalendarClassInfo::ZelRows {
    using CI = TCommonCalendarClassInfo;
    using H = TCommonCalendar;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(H, CalColors).protected_(),
        propR<&H::GetCalendarHandle, &CI::FCalendarHandleSlot>("CalendarHandle").protected_(),
        propFn<&GetCalExceptionClass, &SetCalExceptionClass>("CalExceptionClass").protected_(),
        ZEL_PROP(H, Date).protected_(),
        propFn<&GetDateTime, &SetDateTime>("DateTime").protected_(),
        ZEL_PROP(H, EndDate).protected_(),
        ZEL_PROP(H, FirstDayOfWeek).protected_(),
        ZEL_PROP(H, MaxDate).protected_(),
        ZEL_PROP(H, MaxSelectRange).protected_(),
        ZEL_PROP(H, MinDate).protected_(),
        ZEL_PROP(H, MonthDelta).protected_(),
        ZEL_PROP(H, MultiSelect).protected_(),
        ZEL_PROP(H, ShowToday).protected_(),
        ZEL_PROP(H, ShowTodayCircle).protected_(),
        ZEL_PROP(H, WeekNumbers).protected_(),
    };
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(H, OnGetMonthInfo, "Sender,Month,MonthBoldInfo").protected_(),
    };
};
ZEL_TABLE(TCommonCalendarClassInfo);

struct TMonthCalendarClassInfo::ZelRows {
    static constexpr auto Properties = zelRows(published(
        "Align", "Anchors", "AutoSize", "BorderWidth", "BiDiMode", "CalColors", "Constraints",
        "MultiSelect", "Date", "DragCursor", "DragKind", "DragMode", "Enabled", "EndDate",
        "FirstDayOfWeek", "Font", "ImeMode", "ImeName", "MaxDate", "MaxSelectRange", "MinDate",
        "ParentBiDiMode", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint", "ShowToday",
        "ShowTodayCircle", "TabOrder", "TabStop", "Visible", "WeekNumbers"));
    static constexpr auto Events =
        zelRows(published("OnClick", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock",
                          "OnEndDrag", "OnEnter", "OnExit", "OnGetMonthInfo", "OnKeyDown",
                          "OnKeyPress", "OnKeyUp", "OnStartDock", "OnStartDrag"));
};
ZEL_TABLE(TMonthCalendarClassInfo);

} // namespace zeltrix
