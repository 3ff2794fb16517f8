#include "host/stdctrls/ButtonControls.h"

#include "host/actnlist/CustomAction.h"
#include "host/classes/TypInfoRows.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/DrawText.h"
#include "host/graphics/Edges.h"
#include "host/menus/Keys.h"
#include "host/menus/MenuItem.h"
#include "host/stdctrls/StdMessages.h"

#include <cctype>

namespace host {

bool IsAccel(Word VK, const AnsiString& Caption) {
    char hot = GetHotkey(Caption);
    return hot && Word(std::toupper(static_cast<unsigned char>(hot))) ==
                      Word(std::toupper(static_cast<unsigned char>(VK & 0xFF)));
}

namespace {
constexpr TPropInfo ButtonControlProps[] = {
    HOST_PROP(TButtonControl, Checked).Default(false).Unpublished(),
};
constexpr TPropInfo ButtonProps[] = {
    "Action",
    "Anchors",
    "BiDiMode",
    HOST_PROP(TButton, Cancel).Default(false),
    "Caption",
    "Constraints",
    HOST_PROP(TButton, Default).Default(false),
    "DragCursor",
    "DragKind",
    "DragMode",
    "Enabled",
    "Font",
    HOST_PROP(TButton, ModalResult).Default(0),
    "ParentBiDiMode",
    "ParentFont",
    "ParentShowHint",
    "PopupMenu",
    "ShowHint",
    "TabOrder",
    HOST_PROP(TWinControl, TabStop).Default(true),
    "Visible",
    "OnClick",
    "OnDragDrop",
    "OnDragOver",
    "OnEndDock",
    "OnEndDrag",
    "OnEnter",
    "OnExit",
    "OnKeyDown",
    "OnKeyPress",
    "OnKeyUp",
    "OnMouseDown",
    "OnMouseMove",
    "OnMouseUp",
    "OnStartDock",
    "OnStartDrag",
};
constexpr TPropInfo CustomCheckBoxProps[] = {
    HOST_PROP(TCustomCheckBox, Alignment).Default(taRightJustify).Unpublished(),
    HOST_PROP(TCustomCheckBox, AllowGrayed).Default(false).Unpublished(),
    HOST_PROP(TCustomCheckBox, State).Default(cbUnchecked).Unpublished(),
    // Published here with the default these controls have.
    HOST_PROP(TWinControl, TabStop).Default(true),
};
constexpr TPropInfo CheckBoxProps[] = {
    "Action",      "Alignment",      "AllowGrayed", "Anchors",        "BiDiMode",    "Caption",
    "Checked",     "Color",          "Constraints", "Ctl3D",          "DragCursor",  "DragKind",
    "DragMode",    "Enabled",        "Font",        "ParentBiDiMode", "ParentColor", "ParentCtl3D",
    "ParentFont",  "ParentShowHint", "PopupMenu",   "ShowHint",       "State",       "TabOrder",
    "TabStop",     "Visible",        "OnClick",     "OnDragDrop",     "OnDragOver",  "OnEndDock",
    "OnEndDrag",   "OnEnter",        "OnExit",      "OnKeyDown",      "OnKeyPress",  "OnKeyUp",
    "OnMouseDown", "OnMouseMove",    "OnMouseUp",   "OnStartDock",    "OnStartDrag",
};
constexpr TPropInfo RadioButtonProps[] = {
    "Action",         HOST_PROP(TRadioButton, Alignment).Default(taRightJustify),
    "Anchors",        "BiDiMode",
    "Caption",        HOST_PROP(TRadioButton, Checked).Default(false),
    "Color",          "Constraints",
    "Ctl3D",          "DragCursor",
    "DragKind",       "DragMode",
    "Enabled",        "Font",
    "ParentBiDiMode", "ParentColor",
    "ParentCtl3D",    "ParentFont",
    "ParentShowHint", "PopupMenu",
    "ShowHint",       "TabOrder",
    "TabStop",        "Visible",
    "OnClick",        "OnDblClick",
    "OnDragDrop",     "OnDragOver",
    "OnEndDock",      "OnEndDrag",
    "OnEnter",        "OnExit",
    "OnKeyDown",      "OnKeyPress",
    "OnKeyUp",        "OnMouseDown",
    "OnMouseMove",    "OnMouseUp",
    "OnStartDock",    "OnStartDrag",
};
} // namespace

HOST_METACLASS(TButtonActionLink, TWinControlActionLink);
HOST_COMPONENT_METACLASS(TButtonControl, TWinControl, PropTable(ButtonControlProps));
const TMessageEntry TButton::Messages[] = {
    HOST_ON(TButton, CM_DIALOGKEY, CMDialogKey),
    HOST_ON(TButton, CM_DIALOGCHAR, CMDialogChar),
    HOST_ON(TButton, CM_FOCUSCHANGED, CMFocusChanged),
};
HOST_COMPONENT_METACLASS(TButton, TButtonControl,
                         PropTable(ButtonProps, MessageTable(TButton::Messages)));
const TMessageEntry TCustomCheckBox::Messages[] = {
    HOST_ON(TCustomCheckBox, CM_DIALOGCHAR, CMDialogChar),
};
HOST_COMPONENT_METACLASS(TCustomCheckBox, TButtonControl,
                         PropTable(CustomCheckBoxProps, MessageTable(TCustomCheckBox::Messages)));
HOST_COMPONENT_METACLASS(TCheckBox, TCustomCheckBox, PropTable(CheckBoxProps));
const TMessageEntry TRadioButton::Messages[] = {
    HOST_ON(TRadioButton, CM_DIALOGCHAR, CMDialogChar),
};
HOST_COMPONENT_METACLASS(TRadioButton, TButtonControl,
                         PropTable(RadioButtonProps, MessageTable(TRadioButton::Messages)));

// ---- TButtonActionLink ----

TButtonActionLink::TButtonActionLink(TObject* AClient) : TWinControlActionLink(AClient) {
    AssignClient(AClient);
}

void TButtonActionLink::AssignClient(TObject* AClient) {
    TWinControlActionLink::AssignClient(AClient);
    FButtonClient = dynamic_cast<TButtonControl*>(AClient);
}

bool TButtonActionLink::IsCheckedLinked() {
    auto* action = dynamic_cast<TCustomAction*>(FAction);
    return TWinControlActionLink::IsCheckedLinked() && FButtonClient && action &&
           FButtonClient->GetChecked() == action->GetChecked();
}

void TButtonActionLink::SetChecked(bool Value) {
    if (!IsCheckedLinked()) return;
    // The action's change is not the user's click: no OnClick.
    bool disabled = FButtonClient->GetClicksDisabled();
    FButtonClient->SetClicksDisabled(true);
    FButtonClient->SetChecked(Value);
    FButtonClient->SetClicksDisabled(disabled);
}

// ---- TButtonControl ----

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {
    // The platform's button sends the click (BN_CLICKED), not the mouse messages.
    FControlStyle = {csSetCaption, csDoubleClicks};
}

TControlActionLink* TButtonControl::CreateActionLink() {
    return new TButtonActionLink(this);
}

void TButtonControl::ActionChange(TObject* Sender, bool CheckDefaults) {
    TWinControl::ActionChange(Sender, CheckDefaults);
    if (auto* action = dynamic_cast<TCustomAction*>(Sender))
        if (!CheckDefaults || !GetChecked()) {
            bool disabled = FClicksDisabled;
            FClicksDisabled = true;
            SetChecked(action->GetChecked());
            FClicksDisabled = disabled;
        }
}

void TButtonControl::SetPressed(bool Value) {
    if (Value == FPressed) return;
    FPressed = Value;
    Invalidate();
}

void TButtonControl::DefaultHandler(void* Message) {
    auto& m = *static_cast<TMessage*>(Message);
    switch (m.Msg) {
    case WM_GETDLGCODE: m.Result = 0; return; // the platform's buttons want no keys
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // Pressed while the mouse holds it over the button; the focus comes with the press.
        if (CanFocus()) SetFocus();
        FMouseDown = true;
        SetMouseCapture(true);
        SetPressed(true);
        return;
    case WM_MOUSEMOVE:
        if (FMouseDown) {
            TPoint p = PointOf(m);
            TRect r = GetClientRect();
            SetPressed(p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom);
        }
        return;
    case WM_LBUTTONUP: {
        if (!FMouseDown) return;
        FMouseDown = false;
        SetMouseCapture(false);
        bool over = FPressed;
        SetPressed(false);
        if (over) ButtonClicked();
        return;
    }
    case WM_KEYDOWN:
        if (Word(m.WParam) == VK_SPACE) {
            FSpaceDown = true;
            SetPressed(true);
        }
        return;
    case WM_KEYUP:
        if (Word(m.WParam) == VK_SPACE && FSpaceDown) {
            FSpaceDown = false;
            SetPressed(false);
            ButtonClicked();
        }
        return;
    case WM_KILLFOCUS:
        FSpaceDown = false;
        if (!FMouseDown) SetPressed(false);
        break;
    case BM_CLICK: ButtonClicked(); return;
    case BM_GETCHECK: m.Result = GetChecked(); return;
    case BM_SETCHECK: SetChecked(m.WParam != 0); return;
    default: break;
    }
    TWinControl::DefaultHandler(Message);
}

// ---- TButton ----

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
    SetBounds(0, 0, 75, 25);
    FTabStop = true;
}

void TButton::SetDefault(bool Value) {
    if (Value == FDefault) return;
    FDefault = Value;
    Invalidate();
}

void TButton::Click() {
    if (TCustomForm* form = GetParentForm(this); form && FModalResult != mrNone)
        form->SetModalResult(FModalResult);
    TButtonControl::Click();
}

bool TButton::IsActive() {
    if (Focused()) return true;
    if (!FDefault) return false;
    // The default button stands back while another button has the focus.
    TCustomForm* form = GetParentForm(this);
    return !(form && dynamic_cast<TButton*>(form->GetActiveControl()) &&
             form->GetActiveControl()->Focused());
}

void TButton::CMDialogKey(TMessage& Message) {
    Word key = Word(Message.WParam);
    if (((key == VK_RETURN && IsActive()) || (key == VK_ESCAPE && FCancel)) &&
        KeyDataToShiftState(Message.LParam).Empty() && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    DispatchInherited(&ClassMeta, &Message);
}

void TButton::CMDialogChar(TMessage& Message) {
    if (IsAccel(Word(Message.WParam), GetCaption()) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    DispatchInherited(&ClassMeta, &Message);
}

void TButton::CMFocusChanged(TMessage& Message) {
    Invalidate(); // the default frame goes to the focused button and back
    DispatchInherited(&ClassMeta, &Message);
}

void TButton::PaintWindow(TCanvas* Canvas) {
    TRect face = DrawPushButton(Canvas, GetClientRect(), IsPressed(), IsActive());
    Canvas->GetFont()->Assign(GetFont());
    Canvas->GetBrush()->SetStyle(bsClear);
    const Cardinal format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (GetEnabled())
        DrawText(Canvas, GetCaption(), face, format);
    else
        DrawDisabledText(Canvas, GetCaption(), face, format);
    PaintFocus(Canvas);
}

void TButton::PaintFocus(TCanvas* Canvas) {
    if (!Focused()) return;
    TRect r = GetClientRect();
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->DrawFocusRect({r.Left + 4, r.Top + 4, r.Right - 4, r.Bottom - 4});
}

// ---- check boxes and radio buttons ----

namespace {
/// The box or round button at the side `Alignment` leaves free, the caption beside it with the
/// focus rectangle round the caption.
template <class Mark>
void PaintCheckControl(TButtonControl* Control, TCanvas* Canvas, TAlignment Alignment,
                       Integer MarkSize, Mark DrawMark) {
    TRect r = Control->GetClientRect();
    bool right = Alignment == taRightJustify;
    Integer top = (r.Bottom - r.Top - MarkSize) / 2;
    Integer x = right ? r.Left : r.Right - MarkSize;
    DrawMark(x, top);
    Canvas->GetFont()->Assign(Control->GetFont());
    Canvas->GetBrush()->SetStyle(bsClear);
    TRect text = right ? TRect{r.Left + MarkSize + 4, r.Top, r.Right, r.Bottom}
                       : TRect{r.Left, r.Top, r.Right - MarkSize - 4, r.Bottom};
    const Cardinal format = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
    if (Control->GetEnabled())
        DrawText(Canvas, Control->GetCaption(), text, format);
    else
        DrawDisabledText(Canvas, Control->GetCaption(), text, format);
    if (Control->Focused() && !Control->GetCaption().empty()) {
        TRect extent = text;
        DrawText(Canvas, Control->GetCaption(), extent, format | DT_CALCRECT);
        Integer h = extent.Bottom - extent.Top;
        Integer y = (r.Bottom - r.Top - h) / 2;
        Canvas->GetBrush()->SetStyle(bsSolid);
        Canvas->DrawFocusRect({extent.Left - 1, y, extent.Right + 1, y + h + 1});
    }
}
} // namespace

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
    SetBounds(0, 0, 97, 17);
    FTabStop = true;
}

void TCustomCheckBox::SetAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
    if (Value == FState) return;
    FState = Value;
    Invalidate();
    if (!FClicksDisabled && !GetComponentState().Contains(csLoading)) Click();
}

void TCustomCheckBox::Toggle() {
    switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCustomCheckBox::CMDialogChar(TMessage& Message) {
    if (IsAccel(Word(Message.WParam), GetCaption()) && CanFocus()) {
        SetFocus();
        if (Focused()) Toggle();
        Message.Result = 1;
        return;
    }
    DispatchInherited(&ClassMeta, &Message);
}

void TCustomCheckBox::PaintWindow(TCanvas* Canvas) {
    PaintCheckControl(this, Canvas, FAlignment, 13, [&](Integer X, Integer Y) {
        TCheckMark mark = FState == cbChecked  ? TCheckMark::Checked
                          : FState == cbGrayed ? TCheckMark::Grayed
                                               : TCheckMark::Unchecked;
        DrawCheckBox(Canvas, X, Y, mark, IsPressed(), GetEnabled());
    });
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::SetAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Invalidate();
}

void TRadioButton::SetChecked(bool Value) {
    if (Value == FChecked) return;
    FChecked = Value;
    SetTabStop(Value); // the checked button of a group is the one Tab reaches
    Invalidate();
    if (!Value) return;
    if (TWinControl* parent = GetParent())
        for (Integer i = 0; i < parent->GetControlCount(); ++i)
            if (auto* other = dynamic_cast<TRadioButton*>(parent->GetControls(i));
                other && other != this)
                other->SetChecked(false);
    if (!FClicksDisabled && !GetComponentState().Contains(csLoading)) Click();
}

void TRadioButton::CMDialogChar(TMessage& Message) {
    if (IsAccel(Word(Message.WParam), GetCaption()) && CanFocus()) {
        SetFocus();
        if (Focused()) SetChecked(true);
        Message.Result = 1;
        return;
    }
    DispatchInherited(&ClassMeta, &Message);
}

void TRadioButton::PaintWindow(TCanvas* Canvas) {
    PaintCheckControl(this, Canvas, FAlignment, 12, [&](Integer X, Integer Y) {
        DrawRadioButton(Canvas, X, Y, FChecked, IsPressed(), GetEnabled());
    });
}

} // namespace host
