// Colours: TColor with the host's identifiers, the system colours as the host's negative colour
// constants resolved through a system-colour table, and the conversions between them.
#pragma once

#include "host/classes/TypInfoTraits.h"

namespace host {

/// A colour as the platform stores it: 0x00BBGGRR.
using TColorRef = Cardinal;
constexpr TColorRef RGB(Byte R, Byte G, Byte B) {
    return Cardinal(R) | (Cardinal(G) << 8) | (Cardinal(B) << 16);
}
constexpr Byte GetRValue(TColorRef C) {
    return Byte(C & 0xFF);
}
constexpr Byte GetGValue(TColorRef C) {
    return Byte((C >> 8) & 0xFF);
}
constexpr Byte GetBValue(TColorRef C) {
    return Byte((C >> 16) & 0xFF);
}

// The indices of the system-colour table.
enum : Integer {
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_ACTIVECAPTION = 2,
    COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_ACTIVEBORDER = 10,
    COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
    COLOR_HOTLIGHT = 26,
    COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28,
    COLOR_MENUHILIGHT = 29,
    COLOR_MENUBAR = 30,
    COLOR_ENDCOLORS = COLOR_MENUBAR
};

/// The colour of system element `Index` (0 for an index outside the table).
TColorRef GetSysColor(Integer Index);
/// Changes system colours, as the user's colour scheme does; returns false for a bad index.
bool SetSysColors(Integer Count, const Integer* Elements, const TColorRef* Colors);
/// Back to the classic scheme every headless run starts with (grey faces, navy captions).
void ResetSysColors();

struct TColorNames {
    static constexpr const char* Name = "TColor";
    static bool IdentToInt(const AnsiString& Ident, Integer& Int);
    static bool IntToIdent(Integer Int, AnsiString& Ident);
};
/// A colour: an RGB value 0x00BBGGRR, or a system colour (clSystemColor | COLOR_ index), or
/// clNone / clDefault. Streams by identifier where it has one.
using TColor = NamedInt<TColorNames>;

constexpr Integer clSystemColor = Integer(0xFF000000u);
constexpr TColor SystemColor(Integer Index) {
    return TColor(clSystemColor | Index);
}

inline constexpr TColor clScrollBar = SystemColor(COLOR_SCROLLBAR);
inline constexpr TColor clBackground = SystemColor(COLOR_BACKGROUND);
inline constexpr TColor clActiveCaption = SystemColor(COLOR_ACTIVECAPTION);
inline constexpr TColor clInactiveCaption = SystemColor(COLOR_INACTIVECAPTION);
inline constexpr TColor clMenu = SystemColor(COLOR_MENU);
inline constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
inline constexpr TColor clWindowFrame = SystemColor(COLOR_WINDOWFRAME);
inline constexpr TColor clMenuText = SystemColor(COLOR_MENUTEXT);
inline constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
inline constexpr TColor clCaptionText = SystemColor(COLOR_CAPTIONTEXT);
inline constexpr TColor clActiveBorder = SystemColor(COLOR_ACTIVEBORDER);
inline constexpr TColor clInactiveBorder = SystemColor(COLOR_INACTIVEBORDER);
inline constexpr TColor clAppWorkSpace = SystemColor(COLOR_APPWORKSPACE);
inline constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
inline constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
inline constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
inline constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
inline constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
inline constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
inline constexpr TColor clInactiveCaptionText = SystemColor(COLOR_INACTIVECAPTIONTEXT);
inline constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
inline constexpr TColor cl3DDkShadow = SystemColor(COLOR_3DDKSHADOW);
inline constexpr TColor cl3DLight = SystemColor(COLOR_3DLIGHT);
inline constexpr TColor clInfoText = SystemColor(COLOR_INFOTEXT);
inline constexpr TColor clInfoBk = SystemColor(COLOR_INFOBK);
inline constexpr TColor clHotLight = SystemColor(COLOR_HOTLIGHT);
inline constexpr TColor clGradientActiveCaption = SystemColor(COLOR_GRADIENTACTIVECAPTION);
inline constexpr TColor clGradientInactiveCaption = SystemColor(COLOR_GRADIENTINACTIVECAPTION);
inline constexpr TColor clMenuHighlight = SystemColor(COLOR_MENUHILIGHT);
inline constexpr TColor clMenuBar = SystemColor(COLOR_MENUBAR);

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clLtGray = 0xC0C0C0;
inline constexpr TColor clDkGray = 0x808080;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

/// The RGB value of `Color`: a system colour through the system-colour table, clNone and
/// clDefault as the platform's special values unchanged, an RGB colour as it is.
TColorRef ColorToRGB(TColor Color);
bool ColorToIdent(Integer Color, AnsiString& Ident);
bool IdentToColor(const AnsiString& Ident, Integer& Color);
/// "clBtnFace" where the colour has an identifier, else "$00BBGGRR".
AnsiString ColorToString(TColor Color);
/// An identifier, or a number in the host's integer syntax ("$00FF00", "255"); raises
/// EConvertError "'x' is not a valid integer value" for anything else.
TColor StringToColor(const AnsiString& S);
/// Calls `Proc` with each colour identifier, in the host's order.
using TGetStrProc = Closure<void(const AnsiString& S)>;
void GetColorValues(TGetStrProc Proc);

} // namespace host
