// Animations through their class info: the module handle by address, the common animations by
// name, playing on the clock heard as OnStart and OnStop.
#include "ClassesFixture.h"

#include "host/classes/Streams.h"
#include "host/comctrls/Animate.h"
#include "host/comctrls/Calendar.h"
#include "host/controls/WinControl.h"
#include "host/forms/Application.h"

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
