#include "host/controls/Control.h"

#include "host/classes/StandIn.h"

#include "host/classes/ClassRegistration.h"
#include "host/classes/TypInfoRows.h"
#include "host/controls/ControlActionLink.h"
#include "host/controls/Dock.h"
#include "host/controls/Drag.h"
#include "host/controls/HintWindow.h"
#include "host/controls/WinControl.h"
#include "host/graphics/Canvas.h"
#include "host/menus/Menu.h"

#include <algorithm>
#include <cstring>

namespace host {

namespace {
constexpr TPropInfo SizeConstraintsProps[] = {
    HOST_PROP(TSizeConstraints, MaxHeight).Default(0),
    HOST_PROP(TSizeConstraints, MaxWidth).Default(0),
    HOST_PROP(TSizeConstraints, MinHeight).Default(0),
    HOST_PROP(TSizeConstraints, MinWidth).Default(0),
};
// Left, Top, Width, Height, Cursor and Hint are published here; the rest is declared for
// descendants to publish.
constexpr TPropInfo ControlProps[] = {
    HOST_PROP(TControl, Left),
    HOST_PROP(TControl, Top),
    HOST_PROP(TControl, Width),
    HOST_PROP(TControl, Height),
    HOST_PROP(TControl, Cursor).Default(crDefault),
    HOST_PROP(TControl, Hint).Stored<&TControl::IsHintStored>(),
    HOST_PROP(TControl, Action).Unpublished(),
    HOST_PROP(TControl, Align).Default(alNone).Unpublished(),
    HOST_PROP(TControl, AutoSize).Default(false).Unpublished(),
    HOST_PROP(TControl, BiDiMode).Default(bdLeftToRight).Unpublished(),
    HOST_PROP(TControl, Anchors)
        .Default(TAnchors{akLeft, akTop})
        .Stored<&TControl::IsAnchorsStored>()
        .Unpublished(),
    HOST_PROP(TControl, Caption).Stored<&TControl::IsCaptionStored>().Unpublished(),
    HOST_PROP(TControl, Color).Default(clWindow).Stored<&TControl::IsColorStored>().Unpublished(),
    HOST_PROP(TControl, Constraints).Unpublished(),
    HOST_PROP(TControl, DragCursor).Default(crDrag).Unpublished(),
    HOST_PROP(TControl, DragKind).Default(dkDrag).Unpublished(),
    HOST_PROP(TControl, DragMode).Default(dmManual).Unpublished(),
    HOST_PROP(TControl, Enabled).Default(true).Stored<&TControl::IsEnabledStored>().Unpublished(),
    HOST_PROP(TControl, Font).Stored<&TControl::IsFontStored>().Unpublished(),
    HOST_PROP(TControl, ParentBiDiMode).Default(true).Unpublished(),
    HOST_PROP(TControl, ParentColor).Default(true).Unpublished(),
    HOST_PROP(TControl, ParentFont).Default(true).Unpublished(),
    HOST_PROP(TControl, ParentShowHint).Default(true).Unpublished(),
    HOST_PROP(TControl, PopupMenu).Unpublished(),
    HOST_PROP(TControl, ShowHint).Stored<&TControl::IsShowHintStored>().Unpublished(),
    HOST_PROP(TControl, Text).Unpublished(),
    HOST_PROP(TControl, Visible).Default(true).Stored<&TControl::IsVisibleStored>().Unpublished(),
    HOST_PROP(TControl, OnCanResize).Unpublished(),
    HOST_PROP(TControl, OnClick).Stored<&TControl::IsOnClickStored>().Unpublished(),
    HOST_PROP(TControl, OnConstrainedResize).Unpublished(),
    HOST_PROP(TControl, OnDblClick).Unpublished(),
    HOST_PROP(TControl, OnMouseDown).Unpublished(),
    HOST_PROP(TControl, OnMouseMove).Unpublished(),
    HOST_PROP(TControl, OnMouseUp).Unpublished(),
    HOST_PROP(TControl, OnResize).Unpublished(),
    // ---- dragging and docking ----
    HOST_PROP(TControl, OnDragDrop).Unpublished(),
    HOST_PROP(TControl, OnDragOver).Unpublished(),
    HOST_PROP(TControl, OnEndDock).Unpublished(),
    HOST_PROP(TControl, OnEndDrag).Unpublished(),
    HOST_PROP(TControl, OnStartDock).Unpublished(),
    HOST_PROP(TControl, OnStartDrag).Unpublished(),
};
} // namespace

HOST_METACLASS(TSizeConstraints, TPersistent, PropTable(SizeConstraintsProps));

const TMessageEntry TControl::Messages[] = {
    HOST_ON(TControl, WM_LBUTTONDOWN, WMLButtonDown),
    HOST_ON(TControl, WM_LBUTTONUP, WMLButtonUp),
    HOST_ON(TControl, WM_LBUTTONDBLCLK, WMLButtonDblClk),
    HOST_ON(TControl, WM_RBUTTONDOWN, WMRButtonDown),
    HOST_ON(TControl, WM_RBUTTONUP, WMRButtonUp),
    HOST_ON(TControl, WM_MBUTTONDOWN, WMMButtonDown),
    HOST_ON(TControl, WM_MBUTTONUP, WMMButtonUp),
    HOST_ON(TControl, WM_MOUSEMOVE, WMMouseMove),
    HOST_ON(TControl, CM_PARENTFONTCHANGED, CMParentFontChanged),
    HOST_ON(TControl, CM_PARENTCOLORCHANGED, CMParentColorChanged),
    HOST_ON(TControl, CM_PARENTSHOWHINTCHANGED, CMParentShowHintChanged),
    HOST_ON(TControl, CM_VISIBLECHANGED, CMVisibleChanged),
    HOST_ON(TControl, CM_ENABLEDCHANGED, CMEnabledChanged),
    HOST_ON(TControl, CM_FONTCHANGED, CMFontChanged),
    HOST_ON(TControl, CM_COLORCHANGED, CMColorChanged),
    HOST_ON(TControl, CM_TEXTCHANGED, CMTextChanged),
    HOST_ON(TControl, CM_PARENTBIDIMODECHANGED, CMParentBiDiModeChanged),
    HOST_ON(TControl, CM_HINTSHOW, CMHintShow),
    HOST_ON(TControl, CM_DRAG, CMDrag),
};
HOST_COMPONENT_METACLASS(TControl, TComponent,
                         PropTable(ControlProps, MessageTable(TControl::Messages)));

TShiftState KeysToShiftState(LongInt Keys) {
    TShiftState s;
    if (Keys & MK_SHIFT) s += ssShift;
    if (Keys & MK_CONTROL) s += ssCtrl;
    if (Keys & MK_LBUTTON) s += ssLeft;
    if (Keys & MK_RBUTTON) s += ssRight;
    if (Keys & MK_MBUTTON) s += ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s += ssAlt;
    return s;
}

// ---- TSizeConstraints ----

void TSizeConstraints::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TSizeConstraints*>(Source);
    if (!s) return TPersistent::Assign(Source);
    FMaxHeight = s->FMaxHeight, FMaxWidth = s->FMaxWidth;
    FMinHeight = s->FMinHeight, FMinWidth = s->FMinWidth;
    Change();
}

void TSizeConstraints::SetMaxHeight(TConstraintSize Value) {
    Value = std::max(Value, 0);
    if (Value == FMaxHeight) return;
    FMaxHeight = Value;
    if (Value > 0 && Value < FMinHeight) FMinHeight = Value;
    Change();
}

void TSizeConstraints::SetMaxWidth(TConstraintSize Value) {
    Value = std::max(Value, 0);
    if (Value == FMaxWidth) return;
    FMaxWidth = Value;
    if (Value > 0 && Value < FMinWidth) FMinWidth = Value;
    Change();
}

void TSizeConstraints::SetMinHeight(TConstraintSize Value) {
    Value = std::max(Value, 0);
    if (Value == FMinHeight) return;
    FMinHeight = Value;
    if (FMaxHeight > 0 && Value > FMaxHeight) FMaxHeight = Value;
    Change();
}

void TSizeConstraints::SetMinWidth(TConstraintSize Value) {
    Value = std::max(Value, 0);
    if (Value == FMinWidth) return;
    FMinWidth = Value;
    if (FMaxWidth > 0 && Value > FMaxWidth) FMaxWidth = Value;
    Change();
}

void TSizeConstraints::Change() {
    if (FOnChange) FOnChange(this);
    if (FControl) FControl->ConstraintsChanged(this);
}

// ---- TControl ----

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FConstraints(new TSizeConstraints(this)), FFont(new TFont) {
    FWindowProc = TWndMethod::Bind<&TControl::WndProc>(this);
    FFont->SetOnChange(TNotifyEvent::Bind<&TControl::FontChanged>(this));
}

namespace {
TControlDestroyedHook ControlDestroyedHook = nullptr;
} // namespace

void SetControlDestroyedHook(TControlDestroyedHook Hook) {
    ControlDestroyedHook = Hook;
}

TControl::~TControl() {
    if (ControlDestroyedHook) ControlDestroyedHook(this);
    if (FParent) SetParent(nullptr);
    delete FActionLink;
    FConstraints->Free();
    FFont->Free();
}

void TControl::SetParent(TWinControl* AParent) {
    if (AParent == FParent) return;
    for (TWinControl* p = AParent; p; p = p->GetParent())
        if (p == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent) FParent->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* Value) {
    if (auto* w = dynamic_cast<TWinControl*>(Value)) {
        SetParent(w);
        return;
    }
    // Read inside a stand-in that is no window (a frame whose class the program lacks): it
    // stays inside it, so the form is written back as it came.
    if (FStandInParent) FStandInParent->RemoveFreeNotification(this);
    FStandInParent = AsStandIn(Value);
    if (FStandInParent) FStandInParent->FreeNotification(this);
}

TComponent* TControl::GetParentComponent() {
    return FParent ? static_cast<TComponent*>(FParent) : FStandInParent;
}

void TControl::ReadState(TReader* Reader) {
    FControlState += csReadingState;
    TComponent::ReadState(Reader); // the parent is set first, then properties and children
    FControlState -= csReadingState;
    // What the parent lends takes effect once the control's own properties are read.
    if (FParent) {
        Perform(CM_PARENTCOLORCHANGED, 0, 0);
        Perform(CM_PARENTFONTCHANGED, 0, 0);
        Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
        Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
        Perform(CM_PARENTCTL3DCHANGED, 0, 0);
    }
}

void TControl::Loaded() {
    TComponent::Loaded();
    // An action the form named, read before the control's own properties: take what is unset.
    if (TBasicAction* a = GetAction()) ActionChange(a, true);
    UpdateAnchorRules();
    RequestAlign();
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
    if (Operation == opRemove && AComponent == FStandInParent) FStandInParent = nullptr;
}

// ---- place ----

void TControl::ConstrainSize(Integer& NewWidth, Integer& NewHeight) {
    Integer minW = FConstraints->GetMinWidth(), minH = FConstraints->GetMinHeight();
    Integer maxW = FConstraints->GetMaxWidth(), maxH = FConstraints->GetMaxHeight();
    ConstrainedResize(minW, minH, maxW, maxH);
    if (maxW > 0 && NewWidth > maxW) NewWidth = maxW;
    if (minW > 0 && NewWidth < minW) NewWidth = minW;
    if (maxH > 0 && NewHeight > maxH) NewHeight = maxH;
    if (minH > 0 && NewHeight < minH) NewHeight = minH;
}

bool TControl::CanResize(Integer& NewWidth, Integer& NewHeight) {
    bool resize = true;
    if (FOnCanResize) FOnCanResize(this, NewWidth, NewHeight, resize);
    return resize;
}

void TControl::ConstrainedResize(Integer& MinWidth, Integer& MinHeight, Integer& MaxWidth,
                                 Integer& MaxHeight) {
    if (FOnConstrainedResize) FOnConstrainedResize(this, MinWidth, MinHeight, MaxWidth, MaxHeight);
}

void TControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
    if (AWidth != FWidth || AHeight != FHeight) {
        Integer w = AWidth, h = AHeight;
        if (CanResize(w, h)) {
            AWidth = w, AHeight = h;
        } else {
            AWidth = FWidth, AHeight = FHeight;
        }
    }
    ConstrainSize(AWidth, AHeight);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    bool resized = AWidth != FWidth || AHeight != FHeight;
    Invalidate(); // where it was
    FLeft = ALeft, FTop = ATop, FWidth = AWidth, FHeight = AHeight;
    Invalidate();
    UpdateAnchorRules();
    RequestAlign();
    if (resized) {
        if (auto* w = dynamic_cast<TWinControl*>(this)) w->Realign();
        if (!GetComponentState().Contains(csLoading)) Resize();
    }
}

void TControl::SetBoundsRect(const TRect& Rect) {
    SetBounds(Rect.Left, Rect.Top, Rect.Right - Rect.Left, Rect.Bottom - Rect.Top);
}

TRect TControl::GetClientRect() {
    return {0, 0, FWidth, FHeight};
}

void TControl::SetClientWidth(Integer Value) {
    SetWidth(Value + FWidth - GetClientWidth());
}

void TControl::SetClientHeight(Integer Value) {
    SetHeight(Value + FHeight - GetClientHeight());
}

TPoint TControl::GetClientOrigin() {
    if (!FParent) return {FLeft, FTop};
    TPoint p = FParent->GetClientOrigin();
    return {p.X + FLeft, p.Y + FTop};
}

TPoint TControl::ClientToScreen(const TPoint& Point) {
    TPoint o = GetClientOrigin();
    return {Point.X + o.X, Point.Y + o.Y};
}

TPoint TControl::ScreenToClient(const TPoint& Point) {
    TPoint o = GetClientOrigin();
    return {Point.X - o.X, Point.Y - o.Y};
}

namespace {
/// The anchors an alignment gives a control.
TAnchors AlignAnchors(TAlign Align, TAnchors Current) {
    switch (Align) {
    case alNone: return Current;
    case alTop: return {akLeft, akTop, akRight};
    case alBottom: return {akLeft, akRight, akBottom};
    case alLeft: return {akLeft, akTop, akBottom};
    case alRight: return {akTop, akRight, akBottom};
    default: return {akLeft, akTop, akRight, akBottom};
    }
}
} // namespace

void TControl::SetAlign(TAlign Value) {
    if (Value == FAlign) return;
    TAlign old = FAlign;
    FAlign = Value;
    FAnchors = Value == alNone ? (old == alNone ? FAnchors : TAnchors{akLeft, akTop})
                               : AlignAnchors(Value, FAnchors);
    RequestAlign();
}

bool TControl::IsAnchorsStored() const {
    return FAlign == alNone || FAnchors != AlignAnchors(FAlign, FAnchors);
}

void TControl::SetAnchors(TAnchors Value) {
    if (Value == FAnchors) return;
    FAnchors = Value;
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
    if (FAnchorMove || GetComponentState().Contains(csLoading)) return;
    if (FAnchors == TAnchors{akLeft, akTop} || !FParent) {
        FOriginalParentSize = {0, 0};
        return;
    }
    auto rule = [](bool Low, bool High, Integer Pos, Integer Size) {
        return High ? (Low ? Size : Pos) : Pos + Size / 2;
    };
    FAnchorRules = {rule(FAnchors.Contains(akLeft), FAnchors.Contains(akRight), FLeft, FWidth),
                    rule(FAnchors.Contains(akTop), FAnchors.Contains(akBottom), FTop, FHeight)};
    TRect c = FParent->GetClientRect();
    FOriginalParentSize = {c.Right, c.Bottom};
}

TRect TControl::AnchoredBounds(TPoint ParentSize) const {
    TRect r = GetBoundsRect();
    if (FOriginalParentSize.X == 0 && FOriginalParentSize.Y == 0) return r;
    auto axis = [](bool Low, bool High, Integer Rule, Integer Original, Integer Now, Integer& Pos,
                   Integer& Size) {
        if (High) {
            if (Low)
                Size = Now - (Original - Rule); // the margins stay
            else
                Pos = Rule + (Now - Original);
        } else if (!Low && Original > 0) {
            Pos = static_cast<Integer>(static_cast<long long>(Rule) * Now / Original) - Size / 2;
        }
    };
    Integer x = r.Left, w = r.Right - r.Left, y = r.Top, h = r.Bottom - r.Top;
    axis(FAnchors.Contains(akLeft), FAnchors.Contains(akRight), FAnchorRules.X,
         FOriginalParentSize.X, ParentSize.X, x, w);
    axis(FAnchors.Contains(akTop), FAnchors.Contains(akBottom), FAnchorRules.Y,
         FOriginalParentSize.Y, ParentSize.Y, y, h);
    return {x, y, x + w, y + h};
}

void TControl::RequestAlign() {
    if (FParent) FParent->AlignControl(this);
}

void TControl::BringToFront() {
    if (FParent) FParent->SetZOrder(this, true);
}

void TControl::SendToBack() {
    if (FParent) FParent->SetZOrder(this, false);
}

void TControl::ConstraintsChanged(TObject*) {
    SetBounds(FLeft, FTop, FWidth, FHeight);
    RequestAlign(); // limits taken away give an aligned control its room again
}

// ---- state ----

void TControl::SetVisible(bool Value) {
    if (Value == FVisible) return;
    Invalidate();
    FVisible = Value;
    Perform(CM_VISIBLECHANGED, Value, 0);
    RequestAlign();
}

void TControl::Show() {
    SetVisible(true);
}

void TControl::Hide() {
    SetVisible(false);
}

void TControl::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetText(const AnsiString& Value) {
    if (Value == FText) return;
    FText = Value;
    Perform(CM_TEXTCHANGED, 0, 0);
}

Integer TControl::GetTextBuf(char* Buffer, Integer BufSize) const {
    if (!Buffer || BufSize <= 0) return 0;
    Integer n = std::min<Integer>(BufSize - 1, GetTextLen());
    std::memcpy(Buffer, FText.data(), std::size_t(n));
    Buffer[n] = 0;
    return n;
}

void TControl::SetTextBuf(const char* Buffer) {
    SetText(Buffer ? AnsiString(Buffer) : AnsiString());
}

void TControl::SetColor(TColor Value) {
    if (Value != FColor) {
        FColor = Value;
        Perform(CM_COLORCHANGED, 0, 0);
    }
    FParentColor = false;
}

void TControl::SetParentColor(bool Value) {
    if (Value == FParentColor) return;
    FParentColor = Value;
    if (Value && FParent && !GetComponentState().Contains(csReading))
        Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::FontChanged(TObject*) {
    FParentFont = false;
    FDesktopFont = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value) {
    if (Value == FParentFont) return;
    FParentFont = Value;
    if (Value && FParent && !GetComponentState().Contains(csReading))
        Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value) {
    if (Value != FShowHint) {
        FShowHint = Value;
        Perform(CM_SHOWHINTCHANGED, 0, 0);
    }
    FParentShowHint = false;
}

void TControl::SetParentShowHint(bool Value) {
    if (Value == FParentShowHint) return;
    FParentShowHint = Value;
    if (Value && FParent && !GetComponentState().Contains(csReading))
        Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor Value) {
    if (Value == FCursor) return;
    FCursor = Value;
    Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
    if (Value == FPopupMenu) return;
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = Value;
    if (Value) Value->FreeNotification(this);
}

bool TControl::IsShowing() const {
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FVisible) return false;
    return true;
}

// ---- messages ----

LongInt TControl::Perform(Cardinal Msg, LongInt WParam, LongInt LParam) {
    TMessage m;
    m.Msg = Msg, m.WParam = WParam, m.LParam = LParam;
    Send(m);
    return m.Result;
}

void TControl::Send(TMessage& Message) {
    if (FWindowProc)
        FWindowProc(Message);
    else
        WndProc(Message);
}

void TControl::WndProc(TMessage& Message) {
    if (AutoDragMessage(Message)) return;
    Dispatch(&Message);
}

void TControl::DefaultHandler(void* Message) {
    auto& m = *static_cast<TMessage*>(Message);
    switch (m.Msg) {
    case WM_GETTEXT:
        if (m.Data) m.Result = GetTextBuf(static_cast<char*>(m.Data), m.WParam);
        break;
    case WM_GETTEXTLENGTH: m.Result = GetTextLen(); break;
    case WM_SETTEXT:
        SetTextBuf(static_cast<const char*>(m.Data));
        m.Result = 1;
        break;
    default: break;
    }
}

void TControl::MouseButton(TMessage& Message, TMouseButton Button, bool Down) {
    // The window's own handling first (a button presses, an edit places its caret), as the
    // host's handlers call inherited before the events.
    DispatchInherited(&ClassMeta, &Message);
    TPoint p = PointOf(Message);
    TShiftState shift = KeysToShiftState(Message.WParam);
    if (Down) {
        if (Button == mbLeft && FControlStyle.Contains(csClickEvents)) FControlState += csClicked;
        if (Button == mbLeft) FControlState += csLButtonDown;
        if (!FControlStyle.Contains(csNoStdEvents)) MouseDown(Button, shift, p.X, p.Y);
        return;
    }
    bool click = Button == mbLeft && FControlState.Contains(csClicked);
    if (Button == mbLeft) FControlState -= TControlState{csLButtonDown, csClicked};
    // A click needs the button released over the control.
    if (click && p.X >= 0 && p.Y >= 0 && p.X < FWidth && p.Y < FHeight) Click();
    if (!FControlStyle.Contains(csNoStdEvents)) MouseUp(Button, shift, p.X, p.Y);
}

void TControl::WMLButtonDown(TMessage& Message) {
    MouseButton(Message, mbLeft, true);
}
void TControl::WMLButtonUp(TMessage& Message) {
    MouseButton(Message, mbLeft, false);
}
void TControl::WMLButtonDblClk(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    TPoint p = PointOf(Message);
    if (FControlStyle.Contains(csDoubleClicks)) DblClick();
    if (!FControlStyle.Contains(csNoStdEvents))
        MouseDown(mbLeft, KeysToShiftState(Message.WParam) + TShiftState{ssDouble}, p.X, p.Y);
}
void TControl::WMRButtonDown(TMessage& Message) {
    MouseButton(Message, mbRight, true);
}
void TControl::WMRButtonUp(TMessage& Message) {
    MouseButton(Message, mbRight, false);
}
void TControl::WMMButtonDown(TMessage& Message) {
    MouseButton(Message, mbMiddle, true);
}
void TControl::WMMButtonUp(TMessage& Message) {
    MouseButton(Message, mbMiddle, false);
}
void TControl::WMMouseMove(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    TPoint p = PointOf(Message);
    if (!FControlStyle.Contains(csNoStdEvents))
        MouseMove(KeysToShiftState(Message.WParam), p.X, p.Y);
}

void TControl::CMParentFontChanged(TMessage&) {
    if (!FParentFont || !FParent) return;
    FFont->Assign(FParent->GetFont()); // through FontChanged, which clears ParentFont...
    FParentFont = true;                // ...that a parent's font keeps
}

void TControl::CMParentColorChanged(TMessage&) {
    if (!FParentColor || !FParent) return;
    SetColor(FParent->GetColor());
    FParentColor = true;
}

void TControl::CMParentShowHintChanged(TMessage&) {
    if (!FParentShowHint || !FParent) return;
    SetShowHint(FParent->GetShowHint());
    FParentShowHint = true;
}

void TControl::CMVisibleChanged(TMessage&) {
    Invalidate();
}
void TControl::CMEnabledChanged(TMessage&) {
    Invalidate();
}
void TControl::CMFontChanged(TMessage&) {
    Invalidate();
}
void TControl::CMColorChanged(TMessage&) {
    Invalidate();
}
void TControl::CMTextChanged(TMessage&) {
    Invalidate();
}

// ---- events ----

void TControl::Click() {
    // A handler of the control's own runs instead of the action; the action's own OnExecute
    // runs as the action executes.
    TBasicAction* action = GetAction();
    if (FOnClick && !(action && FOnClick == action->GetOnExecute()))
        FOnClick(this);
    else if (action && !GetComponentState().Contains(csDesigning))
        FActionLink->Execute();
    else if (FOnClick)
        FOnClick(this);
}

void TControl::DblClick() {
    if (FOnDblClick) FOnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (FOnMouseDown) FOnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    if (FOnMouseMove) FOnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (FOnMouseUp) FOnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Resize() {
    if (FOnResize) FOnResize(this);
}

// ---- painting ----

void TControl::Invalidate() {
    FInvalid = true;
    if (FParent) FParent->InvalidateChild(this);
}

void TControl::Update() {
    if (FParent) FParent->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::PaintControl(TCanvas*) {}

// ---- actions ----

TBasicAction* TControl::GetAction() const {
    return FActionLink ? FActionLink->GetAction() : nullptr;
}

void TControl::SetAction(TBasicAction* Value) {
    if (!Value) {
        delete FActionLink;
        FActionLink = nullptr;
        FControlStyle -= csActionClient;
        return;
    }
    FControlStyle += csActionClient;
    // The action passes each change of its state to the link's setters.
    if (!FActionLink) FActionLink = CreateActionLink();
    FActionLink->SetAction(Value);
    ActionChange(Value, Value->GetComponentState().Contains(csLoading));
}

void TControl::InitiateAction() {
    if (FActionLink) FActionLink->Update();
}

void TControl::SetActionLink(TControlActionLink* Value) {
    if (Value == FActionLink) return;
    // A link serves one control: the one that held it lets go, so that only this one frees
    // it. (A link made for a control that has gone may still name it: only a live one is
    // asked.)
    if (Value && Value->FClient && Value->FClient != this &&
        LiveObjects::Find(Value->FClient, TControl::StaticClass()) &&
        Value->FClient->FActionLink == Value)
        Value->FClient->FActionLink = nullptr;
    delete FActionLink;
    FActionLink = Value;
    if (Value) Value->AssignClient(this);
}

TControlActionLink* TControl::CreateActionLink() {
    return new TControlActionLink(this);
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults) {
    auto* a = DynCast<TCustomAction>(Sender);
    if (!a) return;
    if (!CheckDefaults || FText.empty()) SetCaption(a->GetCaption());
    if (!CheckDefaults || FEnabled) SetEnabled(a->GetEnabled());
    if (!CheckDefaults || FHint.empty()) SetHint(a->GetHint());
    if (!CheckDefaults || FVisible) SetVisible(a->GetVisible());
    if (!CheckDefaults || !FOnClick) SetOnClick(a->GetOnExecute());
}

bool TControl::Linked(bool (TControlActionLink::*IsLinked)()) const {
    return FActionLink && (FActionLink->*IsLinked)();
}

bool TControl::IsCaptionStored() const {
    return !Linked(&TControlActionLink::IsCaptionLinked);
}
bool TControl::IsEnabledStored() const {
    return !Linked(&TControlActionLink::IsEnabledLinked);
}
bool TControl::IsHintStored() const {
    return !Linked(&TControlActionLink::IsHintLinked);
}
bool TControl::IsVisibleStored() const {
    return !Linked(&TControlActionLink::IsVisibleLinked);
}
bool TControl::IsOnClickStored() const {
    return !Linked(&TControlActionLink::IsOnExecuteLinked);
}

void TControl::CMHintShow(TMessage& Message) {
    auto* info = static_cast<THintInfo*>(Message.Data);
    if (info && FActionLink && !FActionLink->DoShowHint(info->HintStr)) Message.Result = 1;
}

// ---- dragging ----

namespace {
bool IsForm(const TControl* C) {
    for (TClass c = C->ClassType(); c; c = c->Parent)
        if (c->ClassNameIs("TCustomForm")) return true;
    return false;
}
bool Alive(const TObject* O) {
    return O && LiveObjects::Find(O) == O;
}
} // namespace

// Drag.cpp
TObject* DragEventSource(TDragObject* Object);
void StartDrag(TControl* Control, bool Immediate, Integer Threshold);

void TControl::BeginDrag(bool Immediate, Integer Threshold) {
    if (IsForm(this) && FDragKind != dkDock) throw EInvalidOperation("Cannot drag a form");
    if (DragControl()) return; // one drag at a time
    if (Threshold < 0) Threshold = GetMouseDragThreshold();
    StartDrag(this, Immediate, Threshold);
}

void TControl::EndDrag(bool Drop) {
    if (Dragging()) DragDone(Drop);
}

bool TControl::Dragging() const {
    return DragControl() == this;
}

bool TControl::AutoDragMessage(TMessage& Message) {
    if (FDragMode != dmAutomatic || GetComponentState().Contains(csDesigning)) return false;
    if (Message.Msg != WM_LBUTTONDOWN && Message.Msg != WM_LBUTTONDBLCLK) return false;
    BeginDrag(GetMouseDragImmediate(), GetMouseDragThreshold());
    return true;
}

void TControl::DoStartDrag(TDragObject*& DragObject) {
    if (FOnStartDrag) FOnStartDrag(this, DragObject);
}

void TControl::DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
    Accept = bool(FOnDragOver);
    if (Accept) FOnDragOver(this, Source, X, Y, State, Accept);
}

void TControl::DragDrop(TObject* Source, Integer X, Integer Y) {
    if (FOnDragDrop) FOnDragDrop(this, Source, X, Y);
}

void TControl::DoEndDrag(TObject* Target, Integer X, Integer Y) {
    if (FOnEndDrag) FOnEndDrag(this, Target, X, Y);
}

void TControl::CMDrag(TMessage& Message) {
    auto* rec = static_cast<TDragRec*>(Message.Data);
    if (!rec || !rec->Source) return;
    if (rec->Docking) return DockDragMessage(Message);
    TPoint p = ScreenToClient(rec->Pos);
    TObject* source = DragEventSource(rec->Source);
    switch (Message.WParam) {
    case dmDragEnter:
    case dmDragLeave:
    case dmDragMove: {
        TDragState state = DragStateOf(Message.WParam);
        bool accept = false;
        DragOver(source, p.X, p.Y, state, accept);
        Message.Result = accept;
        break;
    }
    case dmDragDrop: DragDrop(source, p.X, p.Y); break;
    case dmDragCancel: DragCanceled(); break;
    case dmFindTarget: rec->Target = this; break;
    default: break;
    }
}

// ---- docking ----

void TControl::DoStartDock(TDragDockObject*& DragObject) {
    if (FOnStartDock) FOnStartDock(this, DragObject);
}

void TControl::DoEndDock(TObject* Target, Integer X, Integer Y) {
    if (FOnEndDock) FOnEndDock(this, Target, X, Y);
}

TClass TControl::GetFloatingDockSiteClass() const {
    if (FFloatingDockSiteClass) return FFloatingDockSiteClass;
    // A form floats as a window of its own; other controls in a dock form.
    return IsForm(this) ? ClassType() : GetClass("TCustomDockForm");
}

bool TControl::GetFloating() const {
    TClass floating = GetFloatingDockSiteClass();
    if (!FHostDockSite) return floating == ClassType() && !FParent;
    return floating && FHostDockSite->InheritsFrom(floating) && !FHostDockSite->GetParent();
}

void TControl::SetHostDockSite(TWinControl* Value) {
    if (Value == FHostDockSite) return;
    if (Value) {
        ManualDock(Value);
    } else {
        TPoint p = ClientToScreen({0, 0});
        ManualFloat({p.X, p.Y, p.X + GetUndockWidth(), p.Y + GetUndockHeight()});
    }
}

void TControl::Dock(TWinControl* NewDockSite, const TRect& ARect) {
    // Checked before anything changes, so that a refused dock leaves the control as it was.
    for (TWinControl* p = NewDockSite; p; p = p->GetParent())
        if (p == this) throw EInvalidOperation("A control cannot dock into itself");
    TWinControl* old = FHostDockSite;
    if (old && old != NewDockSite) old->DoRemoveDockClient(this);
    FHostDockSite = NewDockSite;
    if (NewDockSite) {
        NewDockSite->DoAddDockClient(this, ARect);
    } else {
        SetParent(nullptr);
        SetBoundsRect(ARect);
    }
    if (old && old != NewDockSite && Alive(old)) old->DockClientLeft(this);
}

bool TControl::ManualDock(TWinControl* NewDockSite, TControl* DropControl, TAlign ControlSide) {
    if (!NewDockSite) {
        TPoint p = ClientToScreen({0, 0});
        return ManualFloat({p.X, p.Y, p.X + GetUndockWidth(), p.Y + GetUndockHeight()});
    }
    for (TWinControl* p = NewDockSite; p; p = p->GetParent())
        if (p == this) throw EInvalidOperation("A control cannot dock into itself");
    if (FHostDockSite && FHostDockSite != NewDockSite &&
        !FHostDockSite->DoUnDock(NewDockSite, this))
        return false;
    TDragDockObject dock(this);
    dock.SetDropTarget(DropControl, ControlSide);
    TPoint p = ClientToScreen({0, 0});
    dock.SetDockRect({p.X, p.Y, p.X + FWidth, p.Y + FHeight});
    TPoint at = NewDockSite->ScreenToClient(p);
    NewDockSite->DockDrop(&dock, at.X, at.Y);
    return true;
}

bool TControl::ManualFloat(const TRect& ScreenPos) {
    if (GetFloating() && FHostDockSite && FHostDockSite->GetDockClientCount() == 1) {
        // Already alone in a floating window: it moves.
        FHostDockSite->SetBoundsRect(ScreenPos);
        return true;
    }
    if (FHostDockSite && !FHostDockSite->DoUnDock(nullptr, this)) return false;
    TClass floating = GetFloatingDockSiteClass();
    if (floating == ClassType()) {
        Dock(nullptr, ScreenPos);
        return true;
    }
    TWinControl* site = CreateFloatingDockSite(ScreenPos);
    if (!site) throw EInvalidOperation("There is no window to float the control in");
    Dock(site, site->GetClientRect());
    site->Show();
    return true;
}

bool TControl::ReplaceDockedControl(TControl* Control, TWinControl* NewDockSite,
                                    TControl* DropControl, TAlign ControlSide) {
    if (!Control || Control == this) return false;
    TWinControl* site = Control->FHostDockSite;
    if (!site) return false;
    if (FHostDockSite && FHostDockSite != site && !FHostDockSite->DoUnDock(site, this))
        return false;
    TRect place = Control->GetBoundsRect();
    if (IDockManager* m = site->GetDockManager()) m->SetReplacingControl(Control);
    if (!Control->ManualDock(NewDockSite, DropControl, ControlSide)) {
        if (IDockManager* m = site->GetDockManager()) m->SetReplacingControl(nullptr);
        return false;
    }
    Dock(site, place); // a managed site gives it the zone the other control kept
    return true;
}

TWinControl* TControl::CreateFloatingDockSite(const TRect& Bounds) {
    TClass floating = GetFloatingDockSiteClass();
    if (!floating) return nullptr;
    auto* site = dynamic_cast<TWinControl*>(CreateComponent(floating, nullptr));
    if (!site) throw EInvalidOperation("A floating dock site must be a windowed control");
    site->SetBoundsRect(Bounds);
    return site;
}

} // namespace host
