// Month calendars: the date and range chosen within their limits, navigation by mouse and
// keys, days made bold by OnGetMonthInfo, and the look of the month grid.
#include "host/comctrls/Calendar.h"
#include "host/controls/Input.h"
#include "host/forms/Form.h"
#include "host/menus/Keys.h"
#include "host/system/SysUtils.h"
#include "tests/host/ReferencePictures.h"

#include <gtest/gtest.h>

namespace {

using namespace host;
using namespace host::input;

struct Bold {
    Cardinal LastMonth = 0;
    void Info(TObject*, Cardinal Month, Cardinal& Days) {
        LastMonth = Month;
        Days = 1u << 9 | 1u << 19; // the 10th and the 20th
    }
};

struct Fixture : ::testing::Test {
    TForm Form{nullptr};
    TMonthCalendar* Cal = new TMonthCalendar(&Form);
    void SetUp() override {
        Cal->SetParent(&Form);
        Form.Show();
        Cal->SetToday(EncodeDate(2024, 3, 14));
        Cal->SetDate(EncodeDate(2024, 3, 14));
    }
    TPoint ScreenOf(TDateTime Day) {
        for (Integer y = 0; y < Cal->GetHeight(); y += 3)
            for (Integer x = 0; x < Cal->GetWidth(); x += 3)
                if (Cal->DayAt({x, y}) == Day) return {x + 1, y + 1};
        ADD_FAILURE() << "day not shown";
        return {};
    }
};

using MonthCalendar = Fixture;

TEST_F(MonthCalendar, TheDateKeepsItsDayWithinTheLimitsAndErrorsAreTheChosenClass) {
    Cal->SetDate(EncodeDate(2024, 3, 20) + 0.75);
    EXPECT_EQ(Cal->GetDate(), EncodeDate(2024, 3, 20)); // the time of day is dropped
    Cal->SetMinDate(EncodeDate(2024, 3, 22));           // the date moves up to the new minimum
    EXPECT_EQ(Cal->GetDate(), EncodeDate(2024, 3, 22));
    EXPECT_THROW(Cal->SetDate(EncodeDate(2024, 3, 1)), ECommonCalendarError);
    Cal->SetCalExceptionClass(EMonthCalError::StaticClass());
    try {
        Cal->SetDate(EncodeDate(2024, 3, 1));
        ADD_FAILURE();
    } catch (const EMonthCalError& e) {
        EXPECT_EQ(e.Message(), "Date is less than minimum of " + DateToStr(Cal->GetMinDate()));
    }
    EXPECT_THROW(Cal->SetMaxDate(EncodeDate(2024, 3, 1)), EMonthCalError);
    Cal->SetMinDate(0);
    EXPECT_EQ(Cal->GetEndDate(), Cal->GetDate()); // without MultiSelect, one day
}

TEST_F(MonthCalendar, ArrowsStepDaysAndWeeksPagesMonthsAndHomeEndTheMonthsEnds) {
    Cal->SetFocus();
    PressKey(VK_RIGHT);
    EXPECT_EQ(Cal->GetDate(), EncodeDate(2024, 3, 15));
    PressKey(VK_UP);
    EXPECT_EQ(Cal->GetDate(), EncodeDate(2024, 3, 8));
    PressKey(VK_END);
    EXPECT_EQ(Cal->GetDate(), EncodeDate(2024, 3, 31));
    PressKey(VK_NEXT); // no 31 April: its last day
    EXPECT_EQ(Cal->GetDate(), EncodeDate(2024, 4, 30));
    EXPECT_EQ(Cal->GetShownMonth(), EncodeDate(2024, 4, 1));
    PressKey(VK_HOME);
    PressKey(VK_LEFT);
    EXPECT_EQ(Cal->GetDate(), EncodeDate(2024, 3, 31));
}

TEST_F(MonthCalendar, ClicksChooseDaysTheArrowsTurnMonthsAndShiftExtendsARange) {
    int clicks = 0;
    struct C {
        int* N;
        void Click(TObject*) { ++*N; }
    } c{&clicks};
    Cal->SetOnClick(TNotifyEvent::Bind<&C::Click>(&c));
    Click(Cal, ScreenOf(EncodeDate(2024, 3, 5)));
    EXPECT_EQ(Cal->GetDate(), EncodeDate(2024, 3, 5));
    EXPECT_EQ(clicks, 1);
    Cal->SetMultiSelect(true);
    Cal->SetMaxSelectRange(7);
    Click(Cal, ScreenOf(EncodeDate(2024, 3, 20)), mbLeft, {ssShift});
    EXPECT_EQ(Cal->GetDate(), EncodeDate(2024, 3, 5));
    EXPECT_EQ(Cal->GetEndDate(), EncodeDate(2024, 3, 11)); // held to seven days
    EXPECT_THROW(Cal->SetEndDate(EncodeDate(2024, 3, 30)), ECommonCalendarError);
    TRect next = Cal->NextButtonRect();
    Click(Cal, {next.Left + 4, next.Top + 4});
    EXPECT_EQ(Cal->GetShownMonth(), EncodeDate(2024, 4, 1));
    EXPECT_EQ(Cal->GetDate(), EncodeDate(2024, 3, 5)); // turning pages chooses nothing
    // A trailing day of the next month shown chooses it and shows its month.
    Click(Cal, ScreenOf(EncodeDate(2024, 5, 1)));
    EXPECT_EQ(Cal->GetShownMonth(), EncodeDate(2024, 5, 1));
}

TEST_F(MonthCalendar, OnGetMonthInfoBoldsDaysAndTheGridLooksAsThePlatformsCalendar) {
    Bold b;
    Cal->SetOnGetMonthInfo(TOnGetMonthInfoEvent::Bind<&Bold::Info>(&b));
    EXPECT_EQ(b.LastMonth, 3u);
    EXPECT_TRUE(Cal->DayBold(10));
    EXPECT_FALSE(Cal->DayBold(11));
    Cal->SetWeekNumbers(true);
    Cal->SetAutoSize(true); // room for the week numbers
    auto pic = picturetest::Own(new TBitmap);
    pic->SetSize(Cal->GetWidth(), Cal->GetHeight());
    Cal->PaintTo(pic->GetCanvas(), 0, 0);
    picturetest::ExpectLooksAs(pic.get(), "comctrls_month_calendar.png");
}

} // namespace
