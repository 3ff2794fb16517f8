#include "host/controls/Input.h"

#include "host/controls/Drag.h"
#include "host/controls/WinControl.h"
#include "host/forms/Application.h"
#include "host/graphics/ScrollBarLook.h"

#include <cctype>
#include <cstring>
#include <utility>

namespace host::input {

namespace {

TControl* Capture = nullptr;
TControl* Hovered = nullptr;       // the control the mouse is over, told when it comes and goes
TPoint Cursor;                     // screen coordinates
TWinControl* CursorOver = nullptr; // the top-level window under the mouse
TMouseMessageHook Hook = nullptr;

/// Holds the shift keys down in the keyboard state while one action of the user lasts.
struct HeldShift {
    TShiftState Shift;
    explicit HeldShift(TShiftState S) : Shift(S) { Set(true); }
    ~HeldShift() { Set(false); }
    void Set(bool Down) {
        if (Shift.Contains(ssShift)) SetKeyDown(VK_SHIFT, Down);
        if (Shift.Contains(ssCtrl)) SetKeyDown(VK_CONTROL, Down);
        if (Shift.Contains(ssAlt)) SetKeyDown(VK_MENU, Down);
    }
};

LongInt MouseKeys(TShiftState Shift, LongInt Buttons) {
    if (Shift.Contains(ssShift)) Buttons |= MK_SHIFT;
    if (Shift.Contains(ssCtrl)) Buttons |= MK_CONTROL;
    if (Shift.Contains(ssLeft)) Buttons |= MK_LBUTTON;
    if (Shift.Contains(ssRight)) Buttons |= MK_RBUTTON;
    if (Shift.Contains(ssMiddle)) Buttons |= MK_MBUTTON;
    return Buttons;
}

LongInt ButtonFlag(TMouseButton B) {
    return B == mbLeft ? MK_LBUTTON : B == mbRight ? MK_RBUTTON : MK_MBUTTON;
}

Cardinal ButtonMessage(TMouseButton B, bool Down) {
    switch (B) {
    case mbLeft: return Down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case mbRight: return Down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    default: return Down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    }
}

/// The topmost enabled, visible control under `Point` (client coordinates of `Window`) and
/// the point in its own coordinates.
TControl* HitTest(TWinControl* Window, TPoint Point, TPoint& Local) {
    TWinControl* w = Window;
    TPoint p = Point;
    for (;;) {
        TControl* c = w->ControlAtPos(p, false, true);
        if (!c) break;
        p = {p.X - c->GetLeft(), p.Y - c->GetTop()};
        auto* cw = dynamic_cast<TWinControl*>(c);
        if (!cw) {
            Local = p;
            return c;
        }
        TRect n = cw->GetNonClientInsets();
        p = {p.X - n.Left, p.Y - n.Top};
        w = cw;
    }
    Local = p;
    return w;
}

/// The control the mouse talks to at `Point`: the capturing one while there is one.
TControl* Target(TWinControl* Window, TPoint Point, TPoint& Local) {
    if (Capture && LiveObjects::Find(Capture)) {
        Local = Capture->ScreenToClient(Window->ClientToScreen(Point));
        return Capture;
    }
    Capture = nullptr;
    return HitTest(Window, Point, Local);
}

/// A message from the platform's queue: what a handler raises is the application's to show, as
/// the window procedure of every control hands it on.
void SendFromPlatform(TControl* Control, TMessage& Message) {
    try {
        Control->Send(Message);
    } catch (const Exception&) {
        Application()->HandleException(Control);
    }
}

/// The mouse message to `Control`, the hook hearing of it first; the cursor is at `Point`
/// of `Window`.
void Deliver(TWinControl* Window, TPoint Point, TControl* Control, Cardinal Msg, LongInt Keys,
             TPoint Local) {
    Cursor = Window->ClientToScreen(Point);
    TMessage m;
    m.Msg = Msg, m.WParam = Keys, m.LParam = PointToLParam(Local);
    if (Hook) {
        Hook(Control, m);
        if (!LiveObjects::Find(Control)) return;
    }
    SendFromPlatform(Control, m);
}

// ---- a window's own scroll bars ----

// The platform's scroll codes, as WM_VSCROLL and WM_HSCROLL carry them.
enum : Word {
    SbLineUp = 0,
    SbLineDown = 1,
    SbPageUp = 2,
    SbPageDown = 3,
    SbThumbPosition = 4,
    SbThumbTrack = 5,
    SbEndScroll = 8
};

/// The bar held down: the platform runs it while the button is down, the window hears codes.
struct BarHold {
    TWinControl* Window = nullptr;
    bool Vertical = false;
    TScrollBarHit Part = TScrollBarHit::None;
    Integer Grab = 0;     // where the mouse holds the thumb, along the bar
    Integer Position = 0; // where the thumb was dragged to
} Held;

void SendScroll(TWinControl* W, bool Vertical, Word Code, Integer Pos = 0) {
    TMessage m;
    m.Msg = Vertical ? WM_VSCROLL : WM_HSCROLL;
    m.WParam = Code | (static_cast<Cardinal>(static_cast<Word>(Pos)) << 16);
    SendFromPlatform(W, m);
}

/// The point of `W`'s window for `Local`, a point of its client area.
TPoint WindowPoint(TWinControl* W, TPoint Local) {
    TRect n = W->GetNonClientInsets();
    return {Local.X + n.Left, Local.Y + n.Top};
}

/// A press on a scroll bar of `W`'s own: true when `Local` is on one, which then holds it.
bool PressBar(TWinControl* W, TPoint Local) {
    TPoint p = WindowPoint(W, Local);
    for (bool vertical : {true, false}) {
        TWinControl::TWindowScrollBar bar;
        if (!W->GetWindowScrollBar(vertical, bar)) continue;
        const TRect& r = bar.Bar;
        if (p.X < r.Left || p.X >= r.Right || p.Y < r.Top || p.Y >= r.Bottom) continue;
        if (!bar.Enabled) return true;
        TScrollBarParts parts =
            LayoutScrollBar(r, !vertical, bar.Min, bar.Max, bar.Position, bar.Page);
        Held = {W, vertical, HitScrollBar(parts, !vertical, p), 0, bar.Position};
        switch (Held.Part) {
        case TScrollBarHit::First: SendScroll(W, vertical, SbLineUp); break;
        case TScrollBarHit::Last: SendScroll(W, vertical, SbLineDown); break;
        case TScrollBarHit::PageBefore: SendScroll(W, vertical, SbPageUp); break;
        case TScrollBarHit::PageAfter: SendScroll(W, vertical, SbPageDown); break;
        case TScrollBarHit::Thumb:
            Held.Grab = vertical ? p.Y - parts.Thumb.Top : p.X - parts.Thumb.Left;
            break;
        case TScrollBarHit::None: break;
        }
        return true;
    }
    return false;
}

/// The thumb held follows the mouse at `Point` of `Window`.
void DragThumb(TWinControl* Window, TPoint Point) {
    TWinControl* w = Held.Window;
    TWinControl::TWindowScrollBar bar;
    if (!w->GetWindowScrollBar(Held.Vertical, bar)) return;
    // The layout of the bar as it stood when the thumb was taken: the track does not move.
    TScrollBarParts parts =
        LayoutScrollBar(bar.Bar, !Held.Vertical, bar.Min, bar.Max, bar.Position, bar.Page);
    TPoint p = WindowPoint(w, w->ScreenToClient(Window->ClientToScreen(Point)));
    Integer at = ScrollBarAlong(parts, !Held.Vertical, p) - Held.Grab;
    Integer pos = ScrollBarPositionAt(parts, !Held.Vertical, bar.Min, bar.Max, bar.Page, at);
    if (pos == Held.Position) return;
    Held.Position = pos;
    SendScroll(w, Held.Vertical, SbThumbTrack, pos);
}

/// The button goes up over a held bar: a thumb lands where it was dragged, and the scroll ends.
void ReleaseBar() {
    BarHold held = std::exchange(Held, BarHold{});
    if (held.Part == TScrollBarHit::Thumb)
        SendScroll(held.Window, held.Vertical, SbThumbPosition, held.Position);
    if (LiveObjects::Find(held.Window)) SendScroll(held.Window, held.Vertical, SbEndScroll);
}

/// Whether a bar is held and its window still lives.
bool BarHeld() {
    if (Held.Window && !LiveObjects::Find(Held.Window)) Held = {};
    return Held.Window != nullptr;
}

/// The control under the mouse hears CM_MOUSEENTER, the one it left CM_MOUSELEAVE.
void Hover(TWinControl* Window, TPoint Point) {
    TPoint local;
    TControl* under = HitTest(Window, Point, local);
    if (under == Hovered) return;
    if (Hovered && LiveObjects::Find(Hovered)) Hovered->Perform(CM_MOUSELEAVE, 0, 0);
    Hovered = under;
    if (under) under->Perform(CM_MOUSEENTER, 0, 0);
}

/// The mouse is now at `Point` of `Window`: where a drag in progress looks for its target.
void Track(TWinControl* Window, TPoint Point) {
    CursorOver = Window;
    Cursor = Window->ClientToScreen(Point);
}

/// A drag in progress takes the mouse's moves (true: the message goes no further).
bool DragMove(TWinControl* Window, TPoint Point) {
    if (!DragControl()) return false;
    TPoint local;
    DragTo(Cursor, HitTest(Window, Point, local));
    return true;
}

TWinControl* Focused() {
    return FindControl(GetFocus());
}

/// The character a key types with the shift keys (0 for none), as a US keyboard types it.
char CharOf(Word Key, TShiftState Shift) {
    bool shift = Shift.Contains(ssShift);
    if (Shift.Contains(ssAlt)) return 0;
    if (Key >= 'A' && Key <= 'Z') {
        if (Shift.Contains(ssCtrl)) return char(Key - 'A' + 1);
        return char(shift ? Key : Key - 'A' + 'a');
    }
    if (Shift.Contains(ssCtrl)) return 0;
    if (Key >= '0' && Key <= '9') return shift ? ")!@#$%^&*("[Key - '0'] : char(Key);
    switch (Key) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_BACK: return '\b';
    case VK_ESCAPE: return 27;
    case VK_TAB: return '\t';
    case VK_OEM_1: return shift ? ':' : ';';
    case VK_OEM_PLUS: return shift ? '+' : '=';
    case VK_OEM_COMMA: return shift ? '<' : ',';
    case VK_OEM_MINUS: return shift ? '_' : '-';
    case VK_OEM_PERIOD: return shift ? '>' : '.';
    case VK_OEM_2: return shift ? '?' : '/';
    case VK_OEM_3: return shift ? '~' : '`';
    case VK_OEM_4: return shift ? '{' : '[';
    case VK_OEM_5: return shift ? '|' : '\\';
    case VK_OEM_6: return shift ? '}' : ']';
    case VK_OEM_7: return shift ? '"' : '\'';
    default: return 0;
    }
}

/// The key (and shift) that types `C`; false for a character no key types.
bool KeyOf(char C, Word& Key, TShiftState& Shift) {
    Shift = {};
    unsigned char u = static_cast<unsigned char>(C);
    if (std::isupper(u)) {
        Key = Word(u), Shift += ssShift;
        return true;
    }
    if (std::islower(u) || std::isdigit(u)) {
        Key = Word(std::toupper(u));
        return true;
    }
    static const Word keys[] = {
        VK_SPACE,     VK_RETURN,    VK_BACK,       VK_ESCAPE, VK_TAB,   VK_OEM_1, VK_OEM_PLUS,
        VK_OEM_COMMA, VK_OEM_MINUS, VK_OEM_PERIOD, VK_OEM_2,  VK_OEM_3, VK_OEM_4, VK_OEM_5,
        VK_OEM_6,     VK_OEM_7,     '0',           '1',       '2',      '3',      '4',
        '5',          '6',          '7',           '8',       '9'};
    for (Word k : keys)
        for (bool shifted : {false, true}) {
            TShiftState s = shifted ? TShiftState{ssShift} : TShiftState{};
            if (CharOf(k, s) == C) {
                Key = k, Shift = s;
                return true;
            }
        }
    return false;
}

/// The key message to the control with the focus; its Result (1: the key was taken).
LongInt SendKey(Cardinal Msg, Word Key, TShiftState Shift) {
    TWinControl* to = Focused();
    if (!to) return 0;
    TMessage m;
    m.Msg = Msg;
    m.WParam = Key;
    m.LParam = 1 | (Shift.Contains(ssAlt) ? AltMask : 0);
    if (Msg == WM_KEYUP || Msg == WM_SYSKEYUP) m.LParam |= LongInt(0xC0000000u);
    if (Hook && (Msg == WM_KEYDOWN || Msg == WM_SYSKEYDOWN)) {
        Hook(to, m);
        if (!LiveObjects::Find(to)) return 0;
    }
    SendFromPlatform(to, m);
    return m.Result;
}

} // namespace

TPoint CursorPos() {
    return Cursor;
}

TWinControl* CursorWindow() {
    if (CursorOver && !LiveObjects::Find(CursorOver)) CursorOver = nullptr;
    return CursorOver;
}

TControl* ControlAt(TPoint ScreenPos) {
    TWinControl* w = CursorWindow();
    if (!w) return nullptr;
    TPoint local;
    return HitTest(w, w->ScreenToClient(ScreenPos), local);
}

TControl* CaptureControl() {
    if (Capture && !LiveObjects::Find(Capture)) Capture = nullptr;
    return Capture;
}

void SetCaptureControl(TControl* Control) {
    Capture = Control;
}

void SetCursorPos(TPoint ScreenPoint) {
    Cursor = ScreenPoint;
}

void SetMouseMessageHook(TMouseMessageHook Value) {
    Hook = Value;
}

void MouseDown(TWinControl* Window, TPoint Point, TMouseButton Button, TShiftState Shift) {
    HeldShift held(Shift);
    Track(Window, Point);
    TPoint local;
    TControl* c = Target(Window, Point, local);
    // The platform gives a window that takes the keyboard the focus as it is pressed.
    if (auto* w = dynamic_cast<TWinControl*>(c);
        w && w->GetTabStop() && w->CanFocus() && !w->Focused()) {
        try {
            w->SetFocus();
        } catch (const Exception&) {
            // The control losing the focus refused (a message box says why): the press is spent.
            Application()->HandleException(w);
            return;
        }
    }
    if (!LiveObjects::Find(c)) return;
    // A window's own scroll bar sits outside its client area: the platform runs it.
    if (auto* w = dynamic_cast<TWinControl*>(c); w && Button == mbLeft && !Capture) {
        TRect client = w->GetClientRect();
        bool outside = local.X < client.Left || local.X >= client.Right || local.Y < client.Top ||
                       local.Y >= client.Bottom;
        if (outside && PressBar(w, local)) return;
    }
    if (c->GetControlStyle().Contains(csCaptureMouse)) Capture = c;
    Deliver(Window, Point, c, ButtonMessage(Button, true), MouseKeys(Shift, ButtonFlag(Button)),
            local);
}

void MouseMove(TWinControl* Window, TPoint Point, TShiftState Shift) {
    HeldShift held(Shift);
    Track(Window, Point);
    if (DragMove(Window, Point)) return;
    if (BarHeld()) {
        if (Held.Part == TScrollBarHit::Thumb) DragThumb(Window, Point);
        return;
    }
    Hover(Window, Point);
    if (!LiveObjects::Find(Window)) return;
    TPoint local;
    TControl* c = Target(Window, Point, local);
    Deliver(Window, Point, c, WM_MOUSEMOVE, MouseKeys(Shift, 0), local);
}

void MouseUp(TWinControl* Window, TPoint Point, TMouseButton Button, TShiftState Shift) {
    HeldShift held(Shift);
    Track(Window, Point);
    if (BarHeld() && Button == mbLeft) {
        ReleaseBar();
        return;
    }
    // A drag that started drops here; one still within its threshold ends, and the release
    // goes on to the control as a click.
    if (DragMove(Window, Point)) {
        bool active = DragActive();
        DragDone(true);
        if (active) {
            Capture = nullptr;
            return;
        }
        if (!LiveObjects::Find(Window)) return;
    }
    TPoint local;
    TControl* c = Target(Window, Point, local);
    Capture = nullptr;
    Deliver(Window, Point, c, ButtonMessage(Button, false), MouseKeys(Shift, 0), local);
}

void Click(TWinControl* Window, TPoint Point, TMouseButton Button, TShiftState Shift) {
    MouseDown(Window, Point, Button, Shift);
    if (LiveObjects::Find(Window)) MouseUp(Window, Point, Button, Shift);
}

void DoubleClick(TWinControl* Window, TPoint Point, TShiftState Shift) {
    Click(Window, Point, mbLeft, Shift);
    if (!LiveObjects::Find(Window)) return;
    {
        HeldShift held(Shift);
        TPoint local;
        TControl* c = Target(Window, Point, local);
        if (c->GetControlStyle().Contains(csCaptureMouse)) Capture = c;
        Deliver(Window, Point, c, WM_LBUTTONDBLCLK, MouseKeys(Shift, MK_LBUTTON), local);
    }
    if (LiveObjects::Find(Window)) MouseUp(Window, Point, mbLeft, Shift);
}

void Click(TControl* Control, TShiftState Shift) {
    TWinControl* top = Control->GetParent();
    if (!top) return;
    while (top->GetParent()) top = top->GetParent();
    TPoint centre = top->ScreenToClient(
        Control->ClientToScreen({Control->GetWidth() / 2, Control->GetHeight() / 2}));
    if (auto* w = dynamic_cast<TWinControl*>(Control)) {
        TRect n = w->GetNonClientInsets(); // ClientToScreen counted from the client area
        centre = {centre.X - n.Left, centre.Y - n.Top};
    }
    Click(top, centre, mbLeft, Shift);
}

void Wheel(TWinControl* Window, TPoint Point, Integer Delta, TShiftState Shift) {
    HeldShift held(Shift);
    TWinControl* to = Focused();
    if (!to) to = Window;
    TPoint screen = Window->ClientToScreen(Point);
    Cursor = screen;
    TMessage m;
    m.Msg = WM_MOUSEWHEEL;
    m.WParam = MakeLong(Word(MouseKeys(Shift, 0)), Word(SmallInt(Delta)));
    m.LParam = PointToLParam(screen);
    if (Hook) {
        Hook(to, m);
        if (!LiveObjects::Find(to)) return;
    }
    to->Send(m);
}

namespace {
/// As the window's loop delivers a key going down: offered first as a shortcut or dialog key
/// (CN_KEYDOWN), then, if none took it, as WM_KEYDOWN; true when it was taken.
bool SendKeyDown(Word Key, TShiftState Shift) {
    bool alt = Shift.Contains(ssAlt);
    if (SendKey(alt ? CN_SYSKEYDOWN : CN_KEYDOWN, Key, Shift) != 0) return true;
    return SendKey(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, Key, Shift) != 0;
}

/// A character, offered first to the form's accelerators (CN_CHAR).
void SendChar(char C, TShiftState Shift) {
    bool alt = Shift.Contains(ssAlt);
    Word code = Word(static_cast<unsigned char>(C));
    if (SendKey(alt ? CN_SYSCHAR : CN_CHAR, code, Shift) != 0) return;
    SendKey(alt ? WM_SYSCHAR : WM_CHAR, code, Shift);
}
} // namespace

/// Esc cancels a drag in progress, and goes no further.
static bool DragKey(Word Key) {
    if (Key != VK_ESCAPE || !DragControl()) return false;
    CancelDrag();
    Capture = nullptr;
    return true;
}

void KeyDown(Word Key, TShiftState Shift) {
    if (DragKey(Key)) return;
    HeldShift held(Shift);
    SendKeyDown(Key, Shift);
}

void KeyUp(Word Key, TShiftState Shift) {
    HeldShift held(Shift);
    SendKey(Shift.Contains(ssAlt) ? WM_SYSKEYUP : WM_KEYUP, Key, Shift);
}

void PressKey(Word Key, TShiftState Shift) {
    if (DragKey(Key)) return;
    HeldShift held(Shift);
    SetKeyDown(Key, true);
    // A key taken as it went down (a shortcut, a dialog key, a handler's) types nothing.
    bool taken = SendKeyDown(Key, Shift);
    if (char c =
            Shift.Contains(ssAlt) ? CharOf(Key, Shift - TShiftState{ssAlt}) : CharOf(Key, Shift);
        c && !taken)
        SendChar(c, Shift);
    SetKeyDown(Key, false);
    SendKey(Shift.Contains(ssAlt) ? WM_SYSKEYUP : WM_KEYUP, Key, Shift);
}

void Type(const AnsiString& Text) {
    for (char c : Text) {
        Word key;
        TShiftState shift;
        if (KeyOf(c, key, shift)) {
            PressKey(key, shift);
        } else { // a character of no key: as a program types it, the character alone
            SendChar(c, {});
        }
    }
}

} // namespace host::input
