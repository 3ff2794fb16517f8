#include "host/graphics/Colors.h"

#include "host/system/SysUtils.h"

#include <array>
#include <atomic>

namespace host {

namespace {

// The classic scheme: grey faces and bars, navy captions and selection, white windows.
constexpr std::array<TColorRef, COLOR_ENDCOLORS + 1> ClassicScheme = {
    RGB(192, 192, 192), // scroll bar
    RGB(0, 128, 128),   // desktop
    RGB(0, 0, 128),     // active caption
    RGB(128, 128, 128), // inactive caption
    RGB(192, 192, 192), // menu
    RGB(255, 255, 255), // window
    RGB(0, 0, 0),       // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(255, 255, 255), // caption text
    RGB(192, 192, 192), // active border
    RGB(192, 192, 192), // inactive border
    RGB(128, 128, 128), // application workspace
    RGB(0, 0, 128),     // highlight
    RGB(255, 255, 255), // highlight text
    RGB(192, 192, 192), // button face
    RGB(128, 128, 128), // button shadow
    RGB(128, 128, 128), // grey text
    RGB(0, 0, 0),       // button text
    RGB(192, 192, 192), // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(0, 0, 0),       // 3-D dark shadow
    RGB(192, 192, 192), // 3-D light
    RGB(0, 0, 0),       // tooltip text
    RGB(255, 255, 225), // tooltip background
    RGB(0, 0, 0),       // (unused)
    RGB(0, 0, 128),     // hot-tracked item
    RGB(16, 132, 208),  // active caption gradient
    RGB(181, 181, 181), // inactive caption gradient
    RGB(0, 0, 128),     // highlighted menu item
    RGB(192, 192, 192), // menu bar
};

// Read on every paint, written rarely: relaxed atomics are enough for a colour.
struct SysColorTable {
    std::array<std::atomic<TColorRef>, COLOR_ENDCOLORS + 1> Colors;
    SysColorTable() {
        for (std::size_t i = 0; i < Colors.size(); ++i) Colors[i] = ClassicScheme[i];
    }
};
SysColorTable SysColorsTable;
auto& SysColors = SysColorsTable.Colors;

struct ColorIdent {
    Integer Value;
    const char* Name;
};

// The host's identifiers, in its order: the first of two names for one value wins.
constexpr ColorIdent Idents[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

} // namespace

TColorRef GetSysColor(Integer Index) {
    if (Index < 0 || Index > COLOR_ENDCOLORS) return 0;
    return SysColors[static_cast<std::size_t>(Index)].load(std::memory_order_relaxed);
}

bool SetSysColors(Integer Count, const Integer* Elements, const TColorRef* Colors) {
    if (Count < 0 || (Count > 0 && (!Elements || !Colors))) return false;
    for (Integer i = 0; i < Count; ++i)
        if (Elements[i] < 0 || Elements[i] > COLOR_ENDCOLORS) return false;
    for (Integer i = 0; i < Count; ++i)
        SysColors[static_cast<std::size_t>(Elements[i])].store(Colors[i] & 0xFFFFFF,
                                                               std::memory_order_relaxed);
    return true;
}

void ResetSysColors() {
    for (std::size_t i = 0; i < SysColors.size(); ++i) SysColors[i] = ClassicScheme[i];
}

TColorRef ColorToRGB(TColor Color) {
    Integer c = Color;
    if ((c & clSystemColor) == clSystemColor) return GetSysColor(c & 0xFF);
    return static_cast<TColorRef>(c);
}

bool ColorToIdent(Integer Color, AnsiString& Ident) {
    for (const ColorIdent& i : Idents)
        if (i.Value == Color) {
            Ident = i.Name;
            return true;
        }
    return false;
}

bool IdentToColor(const AnsiString& Ident, Integer& Color) {
    for (const ColorIdent& i : Idents)
        if (SameText(Ident, i.Name)) {
            Color = i.Value;
            return true;
        }
    return false;
}

bool TColorNames::IdentToInt(const AnsiString& Ident, Integer& Int) {
    return IdentToColor(Ident, Int);
}

bool TColorNames::IntToIdent(Integer Int, AnsiString& Ident) {
    return ColorToIdent(Int, Ident);
}

AnsiString ColorToString(TColor Color) {
    AnsiString s;
    if (ColorToIdent(Color, s)) return s;
    return Format("$%.8x", {static_cast<Integer>(Color)});
}

TColor StringToColor(const AnsiString& S) {
    Integer c;
    if (IdentToColor(S, c)) return c;
    return StrToInt(S);
}

void GetColorValues(TGetStrProc Proc) {
    for (const ColorIdent& i : Idents) Proc(i.Name);
}

} // namespace host
