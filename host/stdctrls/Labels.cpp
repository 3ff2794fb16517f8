#include "host/stdctrls/Labels.h"

#include "host/classes/TypInfoRows.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/DrawText.h"
#include "host/graphics/Edges.h"
#include "host/stdctrls/StdMessages.h"

#include <algorithm>

namespace host {

namespace {
constexpr TPropInfo CustomLabelProps[] = {
    HOST_PROP(TCustomLabel, Alignment).Default(taLeftJustify).Unpublished(),
    HOST_PROP(TCustomLabel, AutoSize).Default(true).Unpublished(),
    HOST_PROP(TCustomLabel, FocusControl).Unpublished(),
    HOST_PROP(TCustomLabel, ShowAccelChar).Default(true).Unpublished(),
    HOST_PROP(TCustomLabel, Transparent).Default(false).Unpublished(),
    HOST_PROP(TCustomLabel, Layout).Default(tlTop).Unpublished(),
    HOST_PROP(TCustomLabel, WordWrap).Default(false).Unpublished(),
};
constexpr TPropInfo LabelProps[] = {
    "Align",       "Alignment",   "Anchors",        "AutoSize",   "BiDiMode",
    "Caption",     "Color",       "Constraints",    "DragCursor", "DragKind",
    "DragMode",    "Enabled",     "FocusControl",   "Font",       "ParentBiDiMode",
    "ParentColor", "ParentFont",  "ParentShowHint", "PopupMenu",  "ShowAccelChar",
    "ShowHint",    "Transparent", "Layout",         "Visible",    "WordWrap",
    "OnClick",     "OnDblClick",  "OnDragDrop",     "OnDragOver", "OnEndDock",
    "OnEndDrag",   "OnMouseDown", "OnMouseMove",    "OnMouseUp",  "OnStartDock",
    "OnStartDrag",
};
constexpr TPropInfo CustomStaticTextProps[] = {
    HOST_PROP(TCustomStaticText, Alignment).Default(taLeftJustify).Unpublished(),
    HOST_PROP(TCustomStaticText, AutoSize).Default(true).Unpublished(),
    HOST_PROP(TCustomStaticText, BorderStyle).Default(sbsNone).Unpublished(),
    HOST_PROP(TCustomStaticText, FocusControl).Unpublished(),
    HOST_PROP(TCustomStaticText, ShowAccelChar).Default(true).Unpublished(),
};
constexpr TPropInfo StaticTextProps[] = {
    "Align",          "Alignment",   "Anchors",     "AutoSize",       "BiDiMode",
    "BorderStyle",    "Caption",     "Color",       "Constraints",    "DragCursor",
    "DragKind",       "DragMode",    "Enabled",     "FocusControl",   "Font",
    "ParentBiDiMode", "ParentColor", "ParentFont",  "ParentShowHint", "PopupMenu",
    "ShowAccelChar",  "ShowHint",    "TabOrder",    "TabStop",        "Visible",
    "OnClick",        "OnDblClick",  "OnDragDrop",  "OnDragOver",     "OnEndDock",
    "OnEndDrag",      "OnMouseDown", "OnMouseMove", "OnMouseUp",      "OnStartDock",
    "OnStartDrag",
};
constexpr TPropInfo GroupBoxProps[] = {
    "Align",      "Anchors",        "BiDiMode",    "Caption",       "Color",       "Constraints",
    "Ctl3D",      "DockSite",       "DragCursor",  "DragKind",      "DragMode",    "Enabled",
    "Font",       "ParentBiDiMode", "ParentColor", "ParentCtl3D",   "ParentFont",  "ParentShowHint",
    "PopupMenu",  "ShowHint",       "TabOrder",    "TabStop",       "Visible",     "OnClick",
    "OnDblClick", "OnDragDrop",     "OnDockDrop",  "OnDockOver",    "OnDragOver",  "OnEndDock",
    "OnEndDrag",  "OnEnter",        "OnExit",      "OnGetSiteInfo", "OnMouseDown", "OnMouseMove",
    "OnMouseUp",  "OnStartDock",    "OnStartDrag", "OnUnDock",
};

Cardinal AlignmentFlag(TAlignment A) {
    return A == taCenter ? DT_CENTER : A == taRightJustify ? DT_RIGHT : DT_LEFT;
}

/// The accelerator of a caption gives `Target` the focus.
bool FocusByAccel(TMessage& Message, const AnsiString& Caption, bool ShowAccelChar, bool Enabled,
                  TWinControl* Target) {
    if (!Target || !Enabled || !ShowAccelChar || !IsAccel(Word(Message.WParam), Caption) ||
        !Target->CanFocus())
        return false;
    Target->SetFocus();
    Message.Result = 1;
    return true;
}
} // namespace

const TMessageEntry TCustomLabel::Messages[] = {
    HOST_ON(TCustomLabel, CM_TEXTCHANGED, CMTextChanged),
    HOST_ON(TCustomLabel, CM_FONTCHANGED, CMFontChanged),
    HOST_ON(TCustomLabel, CM_DIALOGCHAR, CMDialogChar),
};
HOST_COMPONENT_METACLASS(TCustomLabel, TGraphicControl,
                         PropTable(CustomLabelProps, MessageTable(TCustomLabel::Messages)));
HOST_COMPONENT_METACLASS(TLabel, TCustomLabel, PropTable(LabelProps));
const TMessageEntry TCustomStaticText::Messages[] = {
    HOST_ON(TCustomStaticText, CM_TEXTCHANGED, CMTextChanged),
    HOST_ON(TCustomStaticText, CM_FONTCHANGED, CMFontChanged),
    HOST_ON(TCustomStaticText, CM_DIALOGCHAR, CMDialogChar),
};
HOST_COMPONENT_METACLASS(TCustomStaticText, TWinControl,
                         PropTable(CustomStaticTextProps,
                                   MessageTable(TCustomStaticText::Messages)));
HOST_COMPONENT_METACLASS(TStaticText, TCustomStaticText, PropTable(StaticTextProps));
const TMessageEntry TCustomGroupBox::Messages[] = {
    HOST_ON(TCustomGroupBox, CM_DIALOGCHAR, CMDialogChar),
    HOST_ON(TCustomGroupBox, CM_TEXTCHANGED, CMTextChanged),
};
HOST_COMPONENT_METACLASS(TCustomGroupBox, TCustomControl, MessageTable(TCustomGroupBox::Messages));
HOST_COMPONENT_METACLASS(TGroupBox, TCustomGroupBox, PropTable(GroupBoxProps));

// ---- TCustomLabel ----

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    FControlStyle += TControlStyle{csOpaque, csReplicatable};
    SetBounds(0, 0, 65, 17);
    TControl::SetAutoSize(true);
}

void TCustomLabel::SetAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
    TControl::SetAutoSize(Value);
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
    if (Value == FFocusControl) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::SetShowAccelChar(bool Value) {
    if (Value == FShowAccelChar) return;
    FShowAccelChar = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
    if (Value == GetTransparent()) return;
    if (Value)
        FControlStyle -= csOpaque;
    else
        FControlStyle += csOpaque;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
    if (Value == FLayout) return;
    FLayout = Value;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
    if (Value == FWordWrap) return;
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::DoDrawText(TRect& Rect, Cardinal Flags) {
    AnsiString text = GetCaption();
    // An empty caption measures as one line, so an auto-sized label keeps a height.
    if ((Flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == "&"))) text += ' ';
    if (!FShowAccelChar) Flags |= DT_NOPREFIX;
    Flags = Cardinal(DrawTextBiDiModeFlags(LongInt(Flags)));
    TCanvas* c = GetCanvas();
    c->GetFont()->Assign(GetFont());
    if (!GetEnabled() && !(Flags & DT_CALCRECT))
        DrawDisabledText(c, text, Rect, Flags);
    else
        DrawText(c, text, Rect, Flags);
}

void TCustomLabel::Paint() {
    TCanvas* c = GetCanvas();
    TRect r = GetClientRect();
    if (!GetTransparent()) {
        c->GetBrush()->SetStyle(bsSolid);
        c->GetBrush()->SetColor(GetColor());
        c->FillRect(r);
    }
    c->GetBrush()->SetStyle(bsClear);
    Cardinal flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | AlignmentFlag(FAlignment);
    if (FLayout != tlTop) {
        // The text's height first, then the rectangle moved to the middle or the bottom.
        TRect calc = r;
        DoDrawText(calc, flags | DT_CALCRECT);
        Integer h = calc.Bottom - calc.Top;
        Integer top = FLayout == tlBottom ? r.Bottom - h : (r.Top + r.Bottom - h) / 2;
        r = {r.Left, top, r.Right, top + h};
    }
    DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds() {
    if (GetComponentState().Contains(csReading) || GetComponentState().Contains(csLoading) ||
        !TControl::GetAutoSize())
        return;
    TRect r = GetClientRect();
    DoDrawText(r, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
    Integer left = GetLeft();
    TAlignment a = FAlignment;
    if (UseRightToLeftAlignment())
        a = a == taLeftJustify ? taRightJustify : a == taRightJustify ? taLeftJustify : a;
    Integer w = r.Right - r.Left;
    if (a == taRightJustify) left += GetWidth() - w;
    SetBounds(left, GetTop(), w, r.Bottom - r.Top);
}

void TCustomLabel::CMTextChanged(TMessage&) {
    Invalidate();
    AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    AdjustBounds();
}

void TCustomLabel::CMDialogChar(TMessage& Message) {
    FocusByAccel(Message, GetCaption(), FShowAccelChar, GetEnabled(), FFocusControl);
}

// ---- TCustomStaticText ----

TCustomStaticText::TCustomStaticText(TComponent* AOwner) : TWinControl(AOwner) {
    FControlStyle = {csCaptureMouse, csClickEvents,  csSetCaption,
                     csOpaque,       csReplicatable, csDoubleClicks};
    SetBounds(0, 0, 65, 17);
    TControl::SetAutoSize(true);
}

void TCustomStaticText::SetAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomStaticText::SetAutoSize(bool Value) {
    TControl::SetAutoSize(Value);
}

void TCustomStaticText::SetBorderStyle(TStaticBorderStyle Value) {
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    Realign();
    AdjustBounds();
    Invalidate();
}

void TCustomStaticText::SetFocusControl(TWinControl* Value) {
    if (Value == FFocusControl) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (Value) Value->FreeNotification(this);
}

void TCustomStaticText::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomStaticText::SetShowAccelChar(bool Value) {
    if (Value == FShowAccelChar) return;
    FShowAccelChar = Value;
    AdjustBounds();
    Invalidate();
}

TRect TCustomStaticText::GetNonClientInsets() {
    TRect n = TWinControl::GetNonClientInsets();
    Integer b = FBorderStyle == sbsSunken ? 2 : FBorderStyle == sbsSingle ? 1 : 0;
    return {n.Left + b, n.Top + b, n.Right + b, n.Bottom + b};
}

void TCustomStaticText::PaintNonClient(TCanvas* Canvas) {
    TWinControl::PaintNonClient(Canvas);
    TRect r{0, 0, GetWidth(), GetHeight()};
    if (FBorderStyle == sbsSunken)
        DrawEdge(Canvas, r, BDR_SUNKENOUTER, BF_RECT);
    else if (FBorderStyle == sbsSingle)
        DrawEdge(Canvas, r, BDR_SUNKENOUTER, BF_RECT | BF_MONO);
}

void TCustomStaticText::PaintWindow(TCanvas* Canvas) {
    Canvas->GetFont()->Assign(GetFont());
    Canvas->GetBrush()->SetStyle(bsClear);
    TRect r = GetClientRect();
    Cardinal flags = DT_EXPANDTABS | AlignmentFlag(FAlignment) | (FShowAccelChar ? 0 : DT_NOPREFIX);
    if (GetEnabled())
        DrawText(Canvas, GetCaption(), r, flags);
    else
        DrawDisabledText(Canvas, GetCaption(), r, flags);
}

void TCustomStaticText::Loaded() {
    TWinControl::Loaded();
    AdjustBounds();
}

void TCustomStaticText::AdjustBounds() {
    if (GetComponentState().Contains(csReading) || GetComponentState().Contains(csLoading) ||
        !TControl::GetAutoSize())
        return;
    TBitmap scratch; // a context to measure with: the window keeps no canvas of its own
    TCanvas* c = scratch.GetCanvas();
    c->GetFont()->Assign(GetFont());
    AnsiString text = GetCaption().empty() ? AnsiString(" ") : GetCaption();
    TRect r{0, 0, 0, 0};
    DrawText(c, text, r, DT_EXPANDTABS | DT_CALCRECT | (FShowAccelChar ? 0 : DT_NOPREFIX));
    TRect n = GetNonClientInsets();
    Integer w = r.Right - r.Left + n.Left + n.Right, h = r.Bottom - r.Top + n.Top + n.Bottom;
    Integer left = GetLeft();
    if (FAlignment == taRightJustify) left += GetWidth() - w;
    SetBounds(left, GetTop(), w, h);
}

void TCustomStaticText::CMTextChanged(TMessage&) {
    Invalidate();
    AdjustBounds();
}

void TCustomStaticText::CMFontChanged(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    AdjustBounds();
}

void TCustomStaticText::CMDialogChar(TMessage& Message) {
    FocusByAccel(Message, GetCaption(), FShowAccelChar, GetEnabled(), FFocusControl);
}

// ---- TCustomGroupBox ----

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents,
                     csSetCaption,      csDoubleClicks, csReplicatable};
    SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect) {
    TCustomControl::AdjustClientRect(Rect);
    TCanvas* c = GetCanvas();
    c->GetFont()->Assign(GetFont());
    Rect.Top += c->TextHeight("0");
    Rect = {Rect.Left + 2, Rect.Top + 2, Rect.Right - 2, Rect.Bottom - 2};
}

void TCustomGroupBox::Paint() {
    TCanvas* c = GetCanvas();
    c->GetFont()->Assign(GetFont());
    Integer h = c->TextHeight("0");
    TRect r = GetClientRect();
    TRect frame{r.Left, r.Top + h / 2, r.Right, r.Bottom};
    DrawEdge(c, frame, EDGE_ETCHED, BF_RECT);
    AnsiString text = GetCaption();
    if (text.empty()) return;
    // The caption over the frame's top edge, on the box's colour.
    TRect t{8, 0, 0, h};
    DrawText(c, text, t, DT_SINGLELINE | DT_CALCRECT);
    t.Right = std::min(t.Right, r.Right - 8);
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(GetColor());
    if (GetEnabled()) {
        DrawText(c, text, t, DT_SINGLELINE);
    } else {
        c->FillRect(t);
        DrawDisabledText(c, text, t, DT_SINGLELINE);
    }
}

void TCustomGroupBox::CMDialogChar(TMessage& Message) {
    if (IsAccel(Word(Message.WParam), GetCaption()) && CanFocus()) {
        SelectNext(nullptr, true, true);
        Message.Result = 1;
        return;
    }
    DispatchInherited(&ClassMeta, &Message);
}

void TCustomGroupBox::CMTextChanged(TMessage&) {
    Invalidate();
    Realign();
}

} // namespace host
