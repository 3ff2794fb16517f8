// The messages controls receive: the platform's window messages (WM_*), the notifications the
// host sends between its controls (CM_*) and the ones it reflects back to the control they
// concern (CN_*), and the record every message travels in.
#pragma once

#include "host/menus/Keys.h"
#include "host/system/Object.h"

namespace host {

/// A message as the host lays it out: four 32-bit fields, so that a record written at an
/// address by a caller reads the same here. `Data` carries the object or record a notification
/// between controls names (the host passes those as the address in LParam).
struct TMessage {
    Cardinal Msg = 0;
    LongInt WParam = 0;
    LongInt LParam = 0;
    LongInt Result = 0;
    void* Data = nullptr;

    Word WParamLo() const { return Word(WParam & 0xFFFF); }
    Word WParamHi() const { return Word(Cardinal(WParam) >> 16); }
    Word LParamLo() const { return Word(LParam & 0xFFFF); }
    Word LParamHi() const { return Word(Cardinal(LParam) >> 16); }
};

/// A message in the application's queue (the hint window tells from one whether a hint
/// should go), laid out as the host's 28-byte record: the cursor's place when it was posted
/// last.
struct TMsg {
    THandle Window = 0;
    Cardinal Message = 0;
    LongInt WParam = 0, LParam = 0;
    Cardinal Time = 0;
    TPoint Pt;
};
static_assert(sizeof(TMsg) == 28);

constexpr LongInt MakeLong(Word Lo, Word Hi) {
    return LongInt(Cardinal(Lo) | (Cardinal(Hi) << 16));
}
/// The point a mouse message carries in its LParam (signed 16-bit coordinates).
inline TPoint PointOf(const TMessage& M) {
    return {SmallInt(M.LParamLo()), SmallInt(M.LParamHi())};
}
inline LongInt PointToLParam(TPoint P) {
    return MakeLong(Word(SmallInt(P.X)), Word(SmallInt(P.Y)));
}

// ---- window messages ----
inline constexpr Cardinal WM_NULL = 0x0000, WM_CREATE = 0x0001, WM_DESTROY = 0x0002,
                          WM_MOVE = 0x0003, WM_SIZE = 0x0005, WM_ACTIVATE = 0x0006,
                          WM_SETFOCUS = 0x0007, WM_KILLFOCUS = 0x0008, WM_ENABLE = 0x000A,
                          WM_SETTEXT = 0x000C, WM_GETTEXT = 0x000D, WM_GETTEXTLENGTH = 0x000E,
                          WM_PAINT = 0x000F, WM_CLOSE = 0x0010, WM_QUIT = 0x0012,
                          WM_ERASEBKGND = 0x0014, WM_SHOWWINDOW = 0x0018,
                          WM_CANCELMODE = 0x001F, WM_SETCURSOR = 0x0020,
                          WM_WINDOWPOSCHANGED = 0x0047, WM_HELP = 0x0053,
                          WM_CONTEXTMENU = 0x007B, WM_NCHITTEST = 0x0084, WM_NCPAINT = 0x0085,
                          WM_GETDLGCODE = 0x0087, WM_TIMER = 0x0113, WM_HSCROLL = 0x0114,
                          WM_VSCROLL = 0x0115, WM_MOUSEMOVE = 0x0200, WM_LBUTTONDOWN = 0x0201,
                          WM_LBUTTONUP = 0x0202, WM_LBUTTONDBLCLK = 0x0203,
                          WM_RBUTTONDOWN = 0x0204, WM_RBUTTONUP = 0x0205,
                          WM_RBUTTONDBLCLK = 0x0206, WM_MBUTTONDOWN = 0x0207,
                          WM_MBUTTONUP = 0x0208, WM_MBUTTONDBLCLK = 0x0209,
                          WM_MOUSEWHEEL = 0x020A, WM_CAPTURECHANGED = 0x0215,
                          WM_USER = 0x0400;
// The keys and buttons down during a mouse message (its WParam).
inline constexpr LongInt MK_LBUTTON = 0x0001, MK_RBUTTON = 0x0002, MK_SHIFT = 0x0004,
                         MK_CONTROL = 0x0008, MK_MBUTTON = 0x0010;
// What WM_GETDLGCODE answers: the keys a control wants for itself.
inline constexpr LongInt DLGC_WANTARROWS = 0x0001, DLGC_WANTTAB = 0x0002,
                         DLGC_WANTALLKEYS = 0x0004, DLGC_WANTCHARS = 0x0080;

// ---- the host's notifications between controls ----
inline constexpr Cardinal CM_BASE = 0xB000;
inline constexpr Cardinal CM_ACTIVATE = CM_BASE + 0, CM_DEACTIVATE = CM_BASE + 1,
                          CM_GOTFOCUS = CM_BASE + 2, CM_LOSTFOCUS = CM_BASE + 3,
                          CM_CANCELMODE = CM_BASE + 4, CM_DIALOGKEY = CM_BASE + 5,
                          CM_DIALOGCHAR = CM_BASE + 6, CM_FOCUSCHANGED = CM_BASE + 7,
                          CM_PARENTFONTCHANGED = CM_BASE + 8,
                          CM_PARENTCOLORCHANGED = CM_BASE + 9, CM_HITTEST = CM_BASE + 10,
                          CM_VISIBLECHANGED = CM_BASE + 11, CM_ENABLEDCHANGED = CM_BASE + 12,
                          CM_COLORCHANGED = CM_BASE + 13, CM_FONTCHANGED = CM_BASE + 14,
                          CM_CURSORCHANGED = CM_BASE + 15, CM_CTL3DCHANGED = CM_BASE + 16,
                          CM_PARENTCTL3DCHANGED = CM_BASE + 17, CM_TEXTCHANGED = CM_BASE + 18,
                          CM_MOUSEENTER = CM_BASE + 19, CM_MOUSELEAVE = CM_BASE + 20,
                          CM_MENUCHANGED = CM_BASE + 21, CM_APPKEYDOWN = CM_BASE + 22,
                          CM_APPSYSCOMMAND = CM_BASE + 23, CM_BUTTONPRESSED = CM_BASE + 24,
                          CM_SHOWINGCHANGED = CM_BASE + 25, CM_ENTER = CM_BASE + 26,
                          CM_EXIT = CM_BASE + 27, CM_DESIGNHITTEST = CM_BASE + 28,
                          CM_ICONCHANGED = CM_BASE + 29, CM_WANTSPECIALKEY = CM_BASE + 30,
                          CM_INVOKEHELP = CM_BASE + 31, CM_WINDOWHOOK = CM_BASE + 32,
                          CM_RELEASE = CM_BASE + 33, CM_SHOWHINTCHANGED = CM_BASE + 34,
                          CM_PARENTSHOWHINTCHANGED = CM_BASE + 35,
                          CM_SYSCOLORCHANGE = CM_BASE + 36, CM_WININICHANGE = CM_BASE + 37,
                          CM_FONTCHANGE = CM_BASE + 38, CM_TIMECHANGE = CM_BASE + 39,
                          CM_TABSTOPCHANGED = CM_BASE + 40, CM_UIACTIVATE = CM_BASE + 41,
                          CM_UIDEACTIVATE = CM_BASE + 42, CM_DOCWINDOWACTIVATE = CM_BASE + 43,
                          CM_CONTROLLISTCHANGE = CM_BASE + 44, CM_GETDATALINK = CM_BASE + 45,
                          CM_CHILDKEY = CM_BASE + 46, CM_DRAG = CM_BASE + 47,
                          CM_HINTSHOW = CM_BASE + 48, CM_DIALOGHANDLE = CM_BASE + 49,
                          CM_ISTOOLCONTROL = CM_BASE + 50, CM_RECREATEWND = CM_BASE + 51,
                          CM_INVALIDATE = CM_BASE + 52, CM_SYSFONTCHANGED = CM_BASE + 53,
                          CM_CONTROLCHANGE = CM_BASE + 54, CM_CHANGED = CM_BASE + 55,
                          CM_DOCKCLIENT = CM_BASE + 56, CM_UNDOCKCLIENT = CM_BASE + 57,
                          CM_FLOAT = CM_BASE + 58, CM_BORDERCHANGED = CM_BASE + 59,
                          CM_BIDIMODECHANGED = CM_BASE + 60,
                          CM_PARENTBIDIMODECHANGED = CM_BASE + 61,
                          CM_ALLCHILDRENFLIPPED = CM_BASE + 62, CM_ACTIONUPDATE = CM_BASE + 63,
                          CM_ACTIONEXECUTE = CM_BASE + 64, CM_HINTSHOWPAUSE = CM_BASE + 65,
                          CM_DOCKNOTIFICATION = CM_BASE + 66, CM_MOUSEWHEEL = CM_BASE + 67;

// ---- messages reflected to the control they concern ----
inline constexpr Cardinal CN_BASE = 0xBC00;
inline constexpr Cardinal CN_COMMAND = CN_BASE + 0x0111, CN_KEYDOWN = CN_BASE + WM_KEYDOWN,
                          CN_KEYUP = CN_BASE + WM_KEYUP, CN_CHAR = CN_BASE + WM_CHAR,
                          CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN,
                          CN_SYSCHAR = CN_BASE + WM_SYSCHAR, CN_HSCROLL = CN_BASE + WM_HSCROLL,
                          CN_VSCROLL = CN_BASE + WM_VSCROLL;

} // namespace host

/// A row of a control's message table, inside the definition of its `Messages` member:
/// `HOST_ON(TControl, WM_LBUTTONDOWN, WMLButtonDown)`.
#define HOST_ON(Class, Msg, Method)                                                            \
    ::host::TMessageEntry {                                                                    \
        Msg, &::host::MessageThunk<Class, ::host::TMessage, &Class::Method>                    \
    }
