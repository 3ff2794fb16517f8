#include "host/extctrls/Splitter.h"

#include "host/classes/TypInfoRows.h"
#include "host/forms/Form.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/Colors.h"
#include "host/menus/Keys.h"

#include <algorithm>

namespace host {

namespace {
constexpr TPropInfo SplitterProps[] = {
    HOST_PROP(TSplitter, Align).Default(alLeft),
    HOST_PROP(TSplitter, AutoSnap).Default(true),
    HOST_PROP(TSplitter, Beveled).Default(false),
    "Color",
    "Constraints",
    HOST_PROP(TSplitter, Cursor).Default(crHSplit),
    HOST_PROP(TSplitter, MinSize).Default(30),
    "ParentColor",
    HOST_PROP(TSplitter, ResizeStyle).Default(rsPattern),
    "Visible",
    HOST_PROP(TSplitter, OnCanResize),
    HOST_PROP(TSplitter, OnMoved),
    HOST_PROP(TSplitter, OnPaint),
};
} // namespace

HOST_COMPONENT_METACLASS(TSplitter, TGraphicControl, PropTable(SplitterProps));

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
    FAlign = alLeft;
    FCursor = crHSplit;
    SetBounds(FLeft, FTop, 3, 100);
}

TSplitter::~TSplitter() {
    ReleaseKeys();
}

void TSplitter::SetAlign(TAlign Value) {
    // A cursor of the application's own stays.
    if (FCursor == crHSplit || FCursor == crVSplit)
        SetCursor(Value == alTop || Value == alBottom ? crVSplit : crHSplit);
    TGraphicControl::SetAlign(Value);
}

void TSplitter::SetBeveled(bool Value) {
    if (Value == FBeveled) return;
    FBeveled = Value;
    Invalidate();
}

void TSplitter::SetMinSize(NaturalNumber Value) {
    FMinSize = std::max(Value, 1);
}

void TSplitter::Paint() {
    TCanvas* c = GetCanvas();
    TRect r{0, 0, FWidth, FHeight};
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(GetColor());
    c->FillRect(r);
    if (FBeveled) {
        // A ridge along the bar, short of its ends.
        if (Horizontal())
            r = {r.Left + 1, r.Top - 2, r.Right - 1, r.Bottom + 2};
        else
            r = {r.Left - 2, r.Top + 1, r.Right + 2, r.Bottom - 1};
        c->GetBrush()->SetColor(clBtnHighlight);
        c->FrameRect({r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1});
        c->GetBrush()->SetColor(clBtnShadow);
        c->FrameRect({r.Left - 1, r.Top - 1, r.Right - 1, r.Bottom - 1});
    }
    if (FOnPaint) FOnPaint(this);
}

TControl* TSplitter::FindControl() {
    if (!FParent || FAlign == alNone || FAlign == alClient || FAlign == alCustom) return nullptr;
    // The point just outside the splitter on its side.
    TPoint p{FLeft, FTop};
    switch (FAlign) {
    case alLeft: --p.X; break;
    case alRight: p.X += FWidth; break;
    case alTop: --p.Y; break;
    case alBottom: p.Y += FHeight; break;
    default: break;
    }
    // One aligned as the splitter is comes first; else any control there.
    TControl* any = nullptr;
    for (Integer i = 0; i < FParent->GetControlCount(); ++i) {
        TControl* c = FParent->GetControls(i);
        if (c == this || !c->GetVisible() || !c->GetEnabled()) continue;
        TRect r = c->GetBoundsRect();
        // A control closed to nothing still sits against the splitter.
        bool before = FAlign == alLeft || FAlign == alTop;
        if (r.Right == r.Left) (before ? --r.Left : ++r.Right);
        if (r.Bottom == r.Top) (before ? --r.Top : ++r.Bottom);
        if (p.X < r.Left || p.X >= r.Right || p.Y < r.Top || p.Y >= r.Bottom) continue;
        if (c->GetAlign() == FAlign) return c;
        if (!any) any = c;
    }
    return any;
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !FParent) return;
    FControl = FindControl();
    if (!FControl) return;
    FDownPos = ClientToScreen({X, Y});
    FOldSize = Horizontal() ? FControl->GetWidth() : FControl->GetHeight();
    FNewSize = FStartSize = FOldSize;
    // The room the control may take: what the others on its axis leave, less MinSize.
    TRect client = FParent->GetClientRect();
    FMaxSize = (Horizontal() ? client.Right : client.Bottom) - FMinSize;
    for (Integer i = 0; i < FParent->GetControlCount(); ++i) {
        TControl* c = FParent->GetControls(i);
        if (!c->GetVisible()) continue;
        bool same = Horizontal() ? c->GetAlign() == alLeft || c->GetAlign() == alRight
                                 : c->GetAlign() == alTop || c->GetAlign() == alBottom;
        if (same) FMaxSize -= Horizontal() ? c->GetWidth() : c->GetHeight();
    }
    FMaxSize += FOldSize;
    FLinePos = {FLeft, FTop};
    FControl->FreeNotification(this);
    // The keys go to the form's active control (the form without one): Esc there cancels.
    if (auto* form = dynamic_cast<TCustomForm*>(FParent->GetTopLevel())) {
        FKeyControl = form->GetActiveControl() ? form->GetActiveControl() : form;
        FOldKeyDown = FKeyControl->GetOnKeyDown();
        FKeyControl->SetOnKeyDown(TKeyEvent::Bind<&TSplitter::FocusKeyDown>(this));
        FKeyControl->FreeNotification(this);
    }
}

void TSplitter::FocusKeyDown(TObject* Sender, Word& Key, TShiftState Shift) {
    TKeyEvent old = FOldKeyDown;
    if (Key == VK_ESCAPE && FControl) {
        if (FResizeStyle == rsUpdate) ApplySize(FStartSize);
        FControl->RemoveFreeNotification(this);
        FControl = nullptr;
        ReleaseKeys();
        return;
    }
    if (old) old(Sender, Key, Shift);
}

void TSplitter::ReleaseKeys() {
    if (!FKeyControl) return;
    FKeyControl->SetOnKeyDown(FOldKeyDown);
    FKeyControl->RemoveFreeNotification(this);
    FKeyControl = nullptr;
    FOldKeyDown = {};
}

bool TSplitter::CanResize(Integer& NewSize) {
    bool accept = true;
    if (FOnCanResize) FOnCanResize(this, NewSize, accept);
    return accept;
}

bool TSplitter::NewSizeAt(TPoint Screen, Integer& Size) {
    Integer delta = Horizontal() ? Screen.X - FDownPos.X : Screen.Y - FDownPos.Y;
    if (FAlign == alRight || FAlign == alBottom) delta = -delta;
    Integer s = FOldSize + delta;
    if (s < FMinSize) s = FAutoSnap && s < FMinSize / 2 ? 0 : FMinSize;
    if (s > FMaxSize) s = std::max(FMaxSize, 0);
    if (!CanResize(s)) return false;
    Size = std::max(s, 0);
    return true;
}

void TSplitter::ApplySize(Integer Size) {
    if (!FControl) return;
    TRect b = FControl->GetBoundsRect();
    switch (FAlign) {
    case alLeft: FControl->SetWidth(Size); break;
    case alTop: FControl->SetHeight(Size); break;
    case alRight: FControl->SetBounds(b.Right - Size, b.Top, Size, b.Bottom - b.Top); break;
    case alBottom: FControl->SetBounds(b.Left, b.Bottom - Size, b.Right - b.Left, Size); break;
    default: break;
    }
}

void TSplitter::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FControl) return;
    Integer size;
    TPoint screen = ClientToScreen({X, Y});
    if (!NewSizeAt(screen, size) || size == FNewSize) return;
    Integer moved = size - FNewSize;
    FNewSize = size;
    if (FResizeStyle != rsUpdate) GetParent()->Invalidate(); // the line moves
    if (FResizeStyle == rsUpdate) {
        ApplySize(size);
        // The splitter moved with the control: sizes count from here on.
        FDownPos = screen, FOldSize = size;
    } else {
        Integer step = FAlign == alRight || FAlign == alBottom ? -moved : moved;
        (Horizontal() ? FLinePos.X : FLinePos.Y) += step;
    }
}

void TSplitter::PaintOverParent(TCanvas* Canvas) {
    if (!FControl || FResizeStyle == rsUpdate || FResizeStyle == rsNone) return;
    // The line where the splitter will go, inverted over what is beneath: solid for rsLine,
    // every other pixel for rsPattern, as the platform's pattern brush draws it.
    TRect r = Horizontal() ? TRect{FLinePos.X, FTop, FLinePos.X + FWidth, FTop + FHeight}
                           : TRect{FLeft, FLinePos.Y, FLeft + FWidth, FLinePos.Y + FHeight};
    for (Integer y = r.Top; y < r.Bottom; ++y)
        for (Integer x = r.Left; x < r.Right; ++x)
            if (FResizeStyle == rsLine || ((x + y) & 1) == 0)
                Canvas->SetPixels(x, y, TColor(ColorToRGB(Canvas->GetPixels(x, y)) ^ 0xFFFFFF));
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft && FControl) StopSizing();
}

void TSplitter::StopSizing() {
    TControl* control = FControl;
    if (FResizeStyle != rsUpdate) ApplySize(FNewSize);
    FControl = nullptr;
    if (control) control->RemoveFreeNotification(this);
    if (GetParent()) GetParent()->Invalidate(); // the line goes
    ReleaseKeys();
    if (FOnMoved) FOnMoved(this);
}

void TSplitter::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FControl) FControl = nullptr;
    if (AComponent == FKeyControl) FKeyControl = nullptr, FOldKeyDown = {};
}

} // namespace host
