// Animations through their class info: the module handle by address, the common animations by
// name, playing on the clock heard as OnStart and OnStop.
#include "ClassesFixture.h"

#include "host/classes/Streams.h"
#include "host/comctrls/Animate.h"
#include "host/comctrls/Calendar.h"
#include "host/controls/WinControl.h"
#include "host/forms/Application.h"
#include "host/system/SysUtils.h"

#include <gtest/gtest.h>

using namespace classes_test;
using ComCtrlsCalendars = ClassesTest;

TEST_F(ComCtrlsCalendars, AnAnimationsModuleHandleTravelsByAddressAndItPlaysByName) {
    TAnimate animate(nullptr);
    THandle module = HInstance;
    Set(&animate, "ResHandle", Variant::Address(&module));
    EXPECT_EQ(animate.GetResHandle(), HInstance);
    EXPECT_EQ(*static_cast<const THandle*>(Get(&animate, "ResHandle").AsAddress()), HInstance);
    EXPECT_ANY_THROW(Set(&animate, "ResHandle", Variant(Integer(HInstance)))); // not an address

    Set(&animate, "CommonAVI", Integer(aviCopyFile));
    EXPECT_TRUE(Get(&animate, "Open").AsBoolean());
    EXPECT_EQ(Get(&animate, "FrameCount").AsInteger(), 10);
    EXPECT_EQ(Get(&animate, "FrameWidth").AsInteger(), 272);
    int started = 0, stopped = 0;
    Hearing start("OnStart", [&](TObject*, TzelEventInfo*) { ++started; });
    Hearing stop("OnStop", [&](TObject*, TzelEventInfo*) { ++stopped; });
    Info(&animate)->AddListener(&start);
    Info(&animate)->AddListener(&stop);
    Call(&animate, "Play", 1, 10, 1);
    EXPECT_EQ(started, 1);
    EXPECT_TRUE(Get(&animate, "Active").AsBoolean());
    Application()->AdvanceClock(1000);
    EXPECT_EQ(stopped, 1);
    EXPECT_FALSE(animate.GetActive());
    Call(&animate, "Seek", 3);
    EXPECT_EQ(animate.CurrentFrame(), 3);
    EXPECT_ANY_THROW(Call(&animate, "Seek", 11));
    Info(&animate)->RemoveListener(&start);
    Info(&animate)->RemoveListener(&stop);
}

TEST_F(ComCtrlsCalendars, CalendarColoursByNameRepaintTheirOwner) {
    TWinControl owner(nullptr);
    TMonthCalColors colors(&owner);
    EXPECT_EQ(Get(&colors, "TitleBackColor").AsInteger(), Integer(clActiveCaption));
    Set(&colors, "TrailingTextColor", Integer(clRed));
    EXPECT_EQ(colors.GetTrailingTextColor(), clRed);
    TMonthCalColors copy(nullptr);
    copy.Assign(&colors);
    EXPECT_EQ(copy.GetTrailingTextColor(), clRed);
    EXPECT_EQ(copy.GetBackColor(), clWindow);
}

TEST_F(ComCtrlsCalendars, DateIsAFloatingPointNumberWhileDateTimeIsADate) {
    TMonthCalendar cal(nullptr);
    Set(&cal, "Date", Variant(double(EncodeDate(2024, 3, 14))));
    Variant date = Get(&cal, "Date"), both = Get(&cal, "DateTime");
    EXPECT_EQ(date.VarType(), varDouble);
    EXPECT_EQ(both.VarType(), varDate);
    EXPECT_DOUBLE_EQ(date.AsDouble(), both.AsDouble());
    Set(&cal, "DateTime", Variant::FromDate(EncodeDate(2024, 5, 1)));
    EXPECT_EQ(cal.GetDate(), EncodeDate(2024, 5, 1));
    Set(&cal, "MinDate", Variant(double(EncodeDate(2024, 6, 1)))); // the date follows
    EXPECT_DOUBLE_EQ(Get(&cal, "Date").AsDouble(), double(EncodeDate(2024, 6, 1)));
    const auto* handle = static_cast<const HWND*>(Get(&cal, "CalendarHandle").AsAddress());
    EXPECT_EQ(*handle, cal.GetHandle());
}

TEST_F(ComCtrlsCalendars, OnGetMonthInfosBoldDaysAreWrittenBackFromTheListenersAddress) {
    TMonthCalendar cal(nullptr);
    cal.SetToday(EncodeDate(2024, 3, 14));
    cal.SetDate(EncodeDate(2024, 3, 14));
    Cardinal month = 0;
    Hearing info("OnGetMonthInfo", [&](TObject*, TzelEventInfo* E) {
        month = *static_cast<const Cardinal*>(E->GetArgs(1)->Value.AsAddress());
        auto* bold = static_cast<Cardinal*>(const_cast<void*>(E->GetArgs(2)->Value.AsAddress()));
        *bold |= 1u << 4; // the 5th
    });
    Info(&cal)->AddListener(&info);
    cal.SetDate(EncodeDate(2024, 4, 2)); // another month asks again
    EXPECT_EQ(month, 4u);
    EXPECT_TRUE(cal.DayBold(5));
    EXPECT_FALSE(cal.DayBold(6));
    Info(&cal)->RemoveListener(&info);
}

TEST_F(ComCtrlsCalendars, CalExceptionClassTakesOnlyARegisteredExceptionClass) {
    TMonthCalendar cal(nullptr);
    Set(&cal, "CalExceptionClass", Variant::Address(EMonthCalError::StaticClass()));
    EXPECT_EQ(cal.GetCalExceptionClass(), EMonthCalError::StaticClass());
    // A component class, an arbitrary address and a plain integer are refused.
    EXPECT_THROW(Set(&cal, "CalExceptionClass", Variant::Address(TMonthCalendar::StaticClass())),
                 EInvalidCast);
    static const char notAClass[64] = {};
    EXPECT_THROW(Set(&cal, "CalExceptionClass", Variant::Address(notAClass)), EInvalidCast);
    EXPECT_ANY_THROW(Set(&cal, "CalExceptionClass", Variant(Integer(12345))));
    EXPECT_EQ(cal.GetCalExceptionClass(), EMonthCalError::StaticClass());
    EXPECT_EQ(Get(&cal, "CalExceptionClass").AsAddress(), EMonthCalError::StaticClass());
}

TEST_F(ComCtrlsCalendars, TheMonthCalendarAnswersAsItsParentClassInfo) {
    TMonthCalendar cal(nullptr);
    TzelClassInfo* info = Info(&cal);
    EXPECT_EQ(info->FindProperty("Date")->Visibility, pvPublished);
    Set(&cal, "MultiSelect", true);
    Set(&cal, "MaxSelectRange", 3);
    Set(&cal, "Date", Variant(double(EncodeDate(2024, 3, 1))));
    Set(&cal, "EndDate", Variant(double(EncodeDate(2024, 3, 3))));
    EXPECT_EQ(cal.GetEndDate(), EncodeDate(2024, 3, 3));
    EXPECT_THROW(Set(&cal, "EndDate", Variant(double(EncodeDate(2024, 3, 9)))),
                 ECommonCalendarError);
}
