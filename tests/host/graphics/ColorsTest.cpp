// Colours: identifiers both ways, numbers in the host's syntax, system colours through the
// system-colour table; and MulDiv's rounding, which font sizes depend on.
#include "host/graphics/Colors.h"
#include "host/system/SysUtils.h"

#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace host;
using testsupport::MessageOf;

TEST(Colors, SystemColorsResolveThroughTheTable) {
    ResetSysColors();
    EXPECT_LT(static_cast<Integer>(clBtnFace), 0); // the host's negative constants
    EXPECT_EQ(static_cast<Integer>(clBtnFace), Integer(0xFF00000F));
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(192, 192, 192));
    EXPECT_EQ(ColorToRGB(clWindow), RGB(255, 255, 255));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(0, 0, 128));
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu); // an RGB colour stays as it is

    const Integer which[] = {COLOR_BTNFACE};
    const TColorRef to[] = {RGB(1, 2, 3)};
    ASSERT_TRUE(SetSysColors(1, which, to));
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(1, 2, 3));
    const Integer bad[] = {COLOR_BTNFACE, 99};
    const TColorRef two[] = {0, 0};
    EXPECT_FALSE(SetSysColors(2, bad, two));
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(1, 2, 3)); // a bad list changes nothing
    ResetSysColors();
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(192, 192, 192));
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(COLOR_ENDCOLORS + 1), 0u);
}

TEST(Colors, StringsUseTheHostsIdentifiersAndNumberSyntax) {
    EXPECT_EQ(ColorToString(clRed), "clRed");
    EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
    EXPECT_EQ(ColorToString(clNone), "clNone");
    EXPECT_EQ(ColorToString(clLtGray), "clSilver"); // one value, the first identifier
    EXPECT_EQ(ColorToString(0x123456), "$00123456");
    EXPECT_EQ(ColorToString(TColor(clSystemColor | 0x63)), "$FF000063");

    EXPECT_EQ(StringToColor("clWindowText"), clWindowText);
    EXPECT_EQ(StringToColor("CLWINDOWTEXT"), clWindowText); // identifiers ignore case
    EXPECT_EQ(StringToColor("$00FF00"), clLime);
    EXPECT_EQ(StringToColor("255"), clRed);
    EXPECT_EQ(MessageOf<EConvertError>([] { StringToColor("clReddish"); }),
              "'clReddish' is not a valid integer value");

    // Every identifier reads back as the colour it names.
    std::vector<AnsiString> names;
    struct Collect {
        std::vector<AnsiString>* Names;
        void Add(const AnsiString& S) { Names->push_back(S); }
    } collect{&names};
    GetColorValues(TGetStrProc::Bind<&Collect::Add>(&collect));
    EXPECT_GE(names.size(), 50u);
    for (const AnsiString& n : names) {
        Integer c;
        ASSERT_TRUE(IdentToColor(n, c)) << n;
        AnsiString back;
        ASSERT_TRUE(ColorToIdent(c, back));
        EXPECT_EQ(StringToColor(back), TColor(c)) << n;
    }
}

TEST(MulDiv, RoundsHalfAwayFromZero) {
    EXPECT_EQ(MulDiv(-11, 72, 96), -8); // -8.25
    EXPECT_EQ(MulDiv(8, 96, 72), 11);   // 10.67
    EXPECT_EQ(MulDiv(1, 1, 2), 1);
    EXPECT_EQ(MulDiv(-1, 1, 2), -1);
    EXPECT_EQ(MulDiv(3, -1, 2), -2);
    EXPECT_EQ(MulDiv(5, 7, 0), -1);
    EXPECT_EQ(MulDiv(0x40000000, 4, 1), -1);                  // beyond 32 bits
    EXPECT_EQ(MulDiv(0x40000000, 4, 2), -1);                  // 2^31 does not fit
    EXPECT_EQ(MulDiv(-0x40000000, 4, 2), Integer(INT32_MIN)); // -2^31 does
}
