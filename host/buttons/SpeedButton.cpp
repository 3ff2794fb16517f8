#include "host/buttons/SpeedButton.h"

#include "host/classes/TypInfoRows.h"
#include "host/controls/Messages.h"
#include "host/controls/WinControl.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/Colors.h"
#include "host/graphics/Edges.h"
#include "host/stdctrls/StdMessages.h"

namespace host {

namespace {
constexpr TPropInfo SpeedButtonProps[] = {
    "Action",
    HOST_PROP(TSpeedButton, AllowAllUp).Default(false),
    "Anchors",
    "BiDiMode",
    "Constraints",
    HOST_PROP(TSpeedButton, GroupIndex).Default(0),
    HOST_PROP(TSpeedButton, Down).Default(false),
    "Caption",
    "Enabled",
    HOST_PROP(TSpeedButton, Flat).Default(false),
    "Font",
    HOST_PROP(TSpeedButton, Glyph),
    HOST_PROP(TSpeedButton, Layout).Default(blGlyphLeft),
    HOST_PROP(TSpeedButton, Margin).Default(-1),
    HOST_PROP(TSpeedButton, NumGlyphs).Default(1),
    "ParentFont",
    "ParentShowHint",
    "ParentBiDiMode",
    "PopupMenu",
    "ShowHint",
    HOST_PROP(TSpeedButton, Spacing).Default(4),
    HOST_PROP(TSpeedButton, Transparent).Default(true),
    "Visible",
    "OnClick",
    "OnDblClick",
    "OnMouseDown",
    "OnMouseMove",
    "OnMouseUp",
};
} // namespace

const TMessageEntry TSpeedButton::Messages[] = {
    HOST_ON(TSpeedButton, CM_BUTTONPRESSED, CMButtonPressed),
    HOST_ON(TSpeedButton, CM_ENABLEDCHANGED, CMEnabledChanged),
    HOST_ON(TSpeedButton, CM_MOUSEENTER, CMMouseEnter),
    HOST_ON(TSpeedButton, CM_MOUSELEAVE, CMMouseLeave),
    HOST_ON(TSpeedButton, CM_DIALOGCHAR, CMDialogChar),
};
HOST_COMPONENT_METACLASS(TSpeedButton, TGraphicControl,
                         PropTable(SpeedButtonProps, MessageTable(TSpeedButton::Messages)));

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 23, 22);
    FControlStyle = {csCaptureMouse, csDoubleClicks};
    FGlyph.OnChange = TNotifyEvent::Bind<&TSpeedButton::GlyphChanged>(this);
}

// ---- the group ----

void TSpeedButton::UpdateExclusive() {
    if (FGroupIndex == 0 || !GetParent()) return;
    TMessage m;
    m.Msg = CM_BUTTONPRESSED;
    m.WParam = FGroupIndex;
    m.Data = this;
    GetParent()->Broadcast(m);
}

void TSpeedButton::CMButtonPressed(TMessage& Message) {
    if (Message.WParam != FGroupIndex || Message.Data == this) return;
    auto* sender = static_cast<TSpeedButton*>(Message.Data);
    if (sender->FDown && FDown) {
        FDown = false;
        FState = bsUp;
        Invalidate();
    }
    FAllowAllUp = sender->FAllowAllUp;
}

void TSpeedButton::SetDown(bool Value) {
    if (FGroupIndex == 0) Value = false;
    if (Value == FDown) return;
    // The one held down stays down unless the group lets all come up.
    if (FDown && !FAllowAllUp) return;
    FDown = Value;
    FState = Value ? bsExclusive : bsUp;
    if (!GetEnabled()) FState = bsDisabled;
    Invalidate();
    if (Value) UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool Value) {
    if (Value == FAllowAllUp) return;
    FAllowAllUp = Value;
    UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(Integer Value) {
    if (Value == FGroupIndex) return;
    FGroupIndex = Value;
    if (FGroupIndex == 0 && FDown) {
        FDown = false;
        FState = bsUp;
        Invalidate();
    }
    UpdateExclusive();
}

void TSpeedButton::Loaded() {
    TGraphicControl::Loaded();
    if (FDown) {
        FState = bsExclusive;
        UpdateExclusive();
    }
}

// ---- settings ----

void TSpeedButton::SetFlat(bool Value) {
    if (Value == FFlat) return;
    FFlat = Value;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool Value) {
    if (Value == FTransparent) return;
    FTransparent = Value;
    Invalidate();
}

// ---- the mouse ----

bool TSpeedButton::Inside(Integer X, Integer Y) const {
    return X >= 0 && Y >= 0 && X < GetWidth() && Y < GetHeight();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !GetEnabled()) return;
    if (!FDown) {
        FState = bsDown;
        Invalidate();
    }
    FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging) return;
    // Pressed while the mouse is over it; as it was when the mouse leaves.
    TButtonState shown = FDown ? bsExclusive : bsUp;
    if (Inside(X, Y)) shown = FDown ? bsExclusive : bsDown;
    if (shown != FState) {
        FState = shown;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!FDragging || Button != mbLeft) return;
    FDragging = false;
    bool inside = Inside(X, Y);
    if (FGroupIndex == 0) {
        FState = bsUp;
        FMouseInControl = FMouseInControl && inside;
        Invalidate();
    } else if (inside) {
        SetDown(!FDown); // a held one comes up only where the group allows it
        FState = FDown ? bsExclusive : bsUp;
        Invalidate();
    } else {
        FState = FDown ? bsExclusive : bsUp;
        Invalidate();
    }
    if (inside) Click();
}

void TSpeedButton::CMEnabledChanged(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    FState = !GetEnabled() ? bsDisabled : FDown ? bsExclusive : bsUp;
    Invalidate();
}

void TSpeedButton::CMMouseEnter(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    if (!FMouseInControl && GetEnabled()) {
        FMouseInControl = true;
        if (FFlat) Invalidate();
    }
}

void TSpeedButton::CMMouseLeave(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    if (FMouseInControl) {
        FMouseInControl = false;
        if (FFlat) Invalidate();
    }
}

void TSpeedButton::CMDialogChar(TMessage& Message) {
    if (GetEnabled() && GetVisible() && IsAccel(Word(Message.WParam), GetCaption())) {
        Click();
        Message.Result = 1;
        return;
    }
    DispatchInherited(&ClassMeta, &Message);
}

// ---- painting ----

void TSpeedButton::Paint() {
    TCanvas* c = GetCanvas();
    TRect r = GetClientRect();
    bool pressed = FState == bsDown || FState == bsExclusive;
    if (FFlat) {
        if (!FTransparent) {
            c->GetBrush()->SetStyle(bsSolid);
            c->GetBrush()->SetColor(clBtnFace);
            c->FillRect(r);
        }
        if (pressed)
            DrawEdge(c, r, BDR_SUNKENOUTER, BF_RECT);
        else if (FMouseInControl && GetEnabled())
            DrawEdge(c, r, BDR_RAISEDINNER, BF_RECT);
    } else {
        DrawEdge(c, r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE);
    }
    TRect face{r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
    if (FState == bsExclusive && !FFlat) {
        // Held down and not pressed: the face dithered with the highlight colour.
        for (Integer y = face.Top; y < face.Bottom; ++y)
            for (Integer x = face.Left + ((y - face.Top) & 1); x < face.Right; x += 2)
                c->SetPixels(x, y, clBtnHighlight);
    }
    c->GetFont()->Assign(GetFont());
    TPoint offset = pressed ? TPoint{1, 1} : TPoint{0, 0};
    FGlyph.Draw(c, face, offset, GetCaption(), FState, GetEnabled());
}

} // namespace host
