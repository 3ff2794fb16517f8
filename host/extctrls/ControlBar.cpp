#include "host/extctrls/ControlBar.h"

#include "host/classes/TypInfoRows.h"
#include "host/extctrls/Shapes.h"
#include "host/graphics/Graphic.h"
#include "host/graphics/Picture.h"

#include <algorithm>

namespace host {

namespace {
constexpr TRect DefaultInsets{11, 2, 2, 2}; // the grabber on the left, a frame round the rest
constexpr TPropInfo CustomControlBarProps[] = {
    HOST_PROP(TCustomControlBar, AutoDock).Default(true).Unpublished(),
    HOST_PROP(TCustomControlBar, AutoDrag).Default(true).Unpublished(),
    HOST_PROP(TCustomControlBar, DrawingStyle).Default(controlbar::dsNormal).Unpublished(),
    HOST_PROP(TCustomControlBar, Picture).Unpublished(),
    HOST_PROP(TCustomControlBar, RowSize).Default(26).Unpublished(),
    HOST_PROP(TCustomControlBar, RowSnap).Default(true).Unpublished(),
    HOST_PROP(TCustomControlBar, OnBandDrag).Unpublished(),
    HOST_PROP(TCustomControlBar, OnBandInfo).Unpublished(),
    HOST_PROP(TCustomControlBar, OnBandMove).Unpublished(),
    HOST_PROP(TCustomControlBar, OnBandPaint).Unpublished(),
    HOST_PROP(TCustomControlBar, OnPaint).Unpublished(),
};
constexpr TPropInfo ControlBarProps[] = {
    "Align",
    "Anchors",
    "AutoDock",
    "AutoDrag",
    "AutoSize",
    "BevelEdges",
    "BevelInner",
    "BevelOuter",
    "BevelKind",
    "BevelWidth",
    "BiDiMode",
    "BorderWidth",
    HOST_PROP(TControlBar, Color).Default(clBtnFace).Stored<&TControl::IsColorStored>(),
    "Constraints",
    "DockSite",
    "DragCursor",
    "DragKind",
    "DragMode",
    "DrawingStyle",
    "Enabled",
    "ParentBiDiMode",
    HOST_PROP(TControlBar, ParentColor).Default(false),
    "ParentFont",
    "ParentShowHint",
    "Picture",
    "PopupMenu",
    "RowSize",
    "RowSnap",
    "ShowHint",
    "TabOrder",
    "TabStop",
    "Visible",
    "OnBandDrag",
    "OnBandInfo",
    "OnBandMove",
    "OnBandPaint",
    "OnCanResize",
    "OnClick",
    "OnConstrainedResize",
    "OnDockDrop",
    "OnDockOver",
    "OnDblClick",
    "OnDragDrop",
    "OnDragOver",
    "OnEndDock",
    "OnEndDrag",
    "OnEnter",
    "OnExit",
    "OnGetSiteInfo",
    "OnMouseDown",
    "OnMouseMove",
    "OnMouseUp",
    "OnPaint",
    "OnResize",
    "OnStartDock",
    "OnStartDrag",
    "OnUnDock",
};
} // namespace

HOST_COMPONENT_METACLASS(TCustomControlBar, TCustomControl, PropTable(CustomControlBarProps));
HOST_COMPONENT_METACLASS(TControlBar, TCustomControlBar, PropTable(ControlBarProps));

TCustomControlBar::TCustomControlBar(TComponent* AOwner)
    : TCustomControl(AOwner), FPicture(new TPicture) {
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
    FColor = clBtnFace;
    FParentColor = false;
    FPicture->SetOnChange(TNotifyEvent::Bind<&TCustomControlBar::PictureChanged>(this));
    SetBounds(FLeft, FTop, 100, 50);
}

TCustomControlBar::~TCustomControlBar() {
    FPicture->Free();
}

void TCustomControlBar::SetDrawingStyle(TBandDrawingStyle Value) {
    if (Value == FDrawingStyle) return;
    FDrawingStyle = Value;
    Invalidate();
}

void TCustomControlBar::SetPicture(TPicture* Value) {
    FPicture->Assign(Value);
}

void TCustomControlBar::PictureChanged(TObject*) {
    Invalidate();
}

void TCustomControlBar::SetRowSize(TRowSize Value) {
    Value = std::max(Value, 1);
    if (Value == FRowSize) return;
    FRowSize = Value;
    StickControls();
    Invalidate();
}

void TCustomControlBar::SetRowSnap(bool Value) {
    if (Value == FRowSnap) return;
    FRowSnap = Value;
    StickControls();
}

std::vector<TControl*> TCustomControlBar::Bands() {
    std::vector<TControl*> bands;
    for (Integer i = 0; i < GetControlCount(); ++i)
        if (TControl* c = GetControls(i);
            c->GetVisible() || GetComponentState().Contains(csDesigning))
            bands.push_back(c);
    return bands;
}

void TCustomControlBar::DoBandInfo(TControl* Control, TRect& Insets, Integer& PreferredSize,
                                   Integer& RowCount) {
    if (FOnBandInfo) FOnBandInfo(this, Control, Insets, PreferredSize, RowCount);
}

bool TCustomControlBar::DoBandDrag(TControl* Control) {
    bool drag = true;
    if (FOnBandDrag) FOnBandDrag(this, Control, drag);
    return drag;
}

void TCustomControlBar::DoBandMove(TControl* Control, TRect& ARect) {
    if (FOnBandMove) FOnBandMove(this, Control, ARect);
}

TRect TCustomControlBar::BandRect(TControl* Control) {
    TRect insets = DefaultInsets;
    Integer preferred = Control->GetWidth(), rows = 1;
    DoBandInfo(Control, insets, preferred, rows);
    TRect b = Control->GetBoundsRect();
    return {b.Left - insets.Left, b.Top - insets.Top, b.Right + insets.Right,
            b.Bottom + insets.Bottom};
}

TControl* TCustomControlBar::GrabberAt(TPoint Pos) {
    std::vector<TControl*> bands = Bands();
    for (auto it = bands.rbegin(); it != bands.rend(); ++it) {
        TRect r = BandRect(*it);
        TRect insets = DefaultInsets;
        Integer preferred = (*it)->GetWidth(), rows = 1;
        DoBandInfo(*it, insets, preferred, rows);
        if (Pos.X >= r.Left && Pos.X < r.Left + insets.Left && Pos.Y >= r.Top && Pos.Y < r.Bottom)
            return *it;
    }
    return nullptr;
}

void TCustomControlBar::StickControls() {
    if (FSticking || GetComponentState().Contains(csLoading)) return;
    FSticking = true;
    struct Band {
        TControl* Control;
        TRect Insets;
        Integer Row, Rows, Left;
    };
    std::vector<Band> bands;
    TRect client = GetClientRect();
    for (TControl* c : Bands()) {
        TRect insets = DefaultInsets;
        Integer preferred = c->GetWidth(), rows = 1;
        DoBandInfo(c, insets, preferred, rows);
        rows = std::max(rows, 1);
        Integer top = c->GetTop() - insets.Top - client.Top;
        // The row the band's top is nearest.
        Integer row = std::max((top + FRowSize / 2) / FRowSize, 0);
        if (top < 0) row = 0;
        bands.push_back({c, insets, row, rows, std::max(c->GetLeft() - insets.Left, client.Left)});
    }
    std::stable_sort(bands.begin(), bands.end(), [](const Band& A, const Band& B) {
        return A.Row != B.Row ? A.Row < B.Row : A.Left < B.Left;
    });
    // Rows in use are closed up: an empty row between two bands goes.
    Integer lastRow = -1, packed = -1;
    Integer right = client.Left;
    try {
        for (Band& b : bands) {
            if (b.Row != lastRow) {
                lastRow = b.Row;
                packed = packed < 0 ? 0 : packed + 1;
                right = client.Left;
            }
            Integer left = std::max(b.Left, right);
            TControl* c = b.Control;
            Integer height =
                FRowSnap ? b.Rows * FRowSize - b.Insets.Top - b.Insets.Bottom : c->GetHeight();
            Integer top = FRowSnap ? client.Top + packed * FRowSize + b.Insets.Top : c->GetTop();
            c->SetBounds(left + b.Insets.Left, top, c->GetWidth(), std::max(height, 0));
            right = left + b.Insets.Left + c->GetWidth() + b.Insets.Right;
        }
    } catch (...) {
        FSticking = false;
        throw;
    }
    FSticking = false;
    Invalidate();
}

void TCustomControlBar::AlignControls(TControl* AControl, TRect& Rect) {
    TCustomControl::AlignControls(AControl, Rect);
    StickControls();
}

void TCustomControlBar::Paint() {
    TCanvas* c = FCanvas;
    TRect client = GetClientRect();
    TGraphic* g = FPicture->GetGraphic();
    if (g && !g->GetEmpty()) {
        for (Integer y = client.Top; y < client.Bottom; y += g->GetHeight())
            for (Integer x = client.Left; x < client.Right; x += g->GetWidth()) c->Draw(x, y, g);
    } else {
        c->GetBrush()->SetStyle(bsSolid);
        c->GetBrush()->SetColor(FColor);
        c->FillRect(client);
    }
    if (FOnPaint) FOnPaint(this);
    for (TControl* control : Bands()) PaintControlFrame(c, control, BandRect(control));
}

void TCustomControlBar::PaintControlFrame(TCanvas* Canvas, TControl* AControl, const TRect& ARect) {
    TRect r = ARect;
    TBandPaintOptions options{bpoGrabber, bpoFrame};
    if (FDrawingStyle == controlbar::dsGradient) options += bpoGradient;
    if (FOnBandPaint) FOnBandPaint(this, AControl, Canvas, r, options);
    if (options.Contains(bpoGradient)) {
        // Light at the top to the face at the bottom.
        Integer h = std::max(r.Bottom - r.Top, 1);
        TColorRef top = ColorToRGB(clBtnHighlight), bottom = ColorToRGB(clBtnFace);
        for (Integer y = r.Top; y < r.Bottom; ++y) {
            auto mix = [&](Integer Shift) {
                Integer a = (top >> Shift) & 0xFF, b = (bottom >> Shift) & 0xFF;
                return a + (b - a) * (y - r.Top) / h;
            };
            Canvas->GetBrush()->SetColor(TColor(RGB(mix(0), mix(8), mix(16))));
            Canvas->FillRect({r.Left, y, r.Right, y + 1});
        }
    }
    if (options.Contains(bpoFrame)) {
        TRect f = r;
        Frame3D(Canvas, f, clBtnHighlight, clBtnShadow, 1);
    }
    if (options.Contains(bpoGrabber)) {
        // Two raised ridges down the band's left.
        for (Integer i = 0; i < 2; ++i) {
            TRect g{r.Left + 3 + 3 * i, r.Top + 2, r.Left + 6 + 3 * i, r.Bottom - 2};
            Frame3D(Canvas, g, clBtnHighlight, clBtnShadow, 1);
        }
    }
}

void TCustomControlBar::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    TControl* c = GrabberAt({X, Y});
    if (!c || !DoBandDrag(c)) return;
    FDragControl = c;
    TRect band = BandRect(c);
    FDragOffset = {X - band.Left, Y - band.Top};
    c->FreeNotification(this);
}

void TCustomControlBar::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (!FDragControl) return;
    TRect client = GetClientRect();
    if (FAutoDrag && (X < client.Left - FRowSize / 2 || X >= client.Right + FRowSize / 2 ||
                      Y < client.Top - FRowSize / 2 || Y >= client.Bottom + FRowSize / 2)) {
        // Pulled well off the bar: a control that docks leaves in a dock drag of its own.
        TControl* c = FDragControl;
        if (c->GetDragKind() == dkDock) {
            FDragControl = nullptr;
            c->RemoveFreeNotification(this);
            SetMouseCapture(false);
            c->BeginDrag(true);
            return;
        }
    }
    TRect band = BandRect(FDragControl);
    TRect insets{FDragControl->GetLeft() - band.Left, FDragControl->GetTop() - band.Top,
                 band.Right - FDragControl->GetLeft() - FDragControl->GetWidth(),
                 band.Bottom - FDragControl->GetTop() - FDragControl->GetHeight()};
    Integer left = std::max(X - FDragOffset.X, client.Left);
    // The row under the mouse; past the last row the band starts a new one.
    Integer row = std::max((Y - client.Top) / FRowSize, 0);
    Integer top = FRowSnap ? client.Top + row * FRowSize : std::max(Y - FDragOffset.Y, client.Top);
    TRect r{left, top, left + band.Right - band.Left, top + band.Bottom - band.Top};
    DoBandMove(FDragControl, r);
    if (r.Left == band.Left && r.Top == band.Top) return;
    // Bands the moved one now covers in its new row move out of its way.
    for (TControl* other : Bands()) {
        if (other == FDragControl) continue;
        TRect o = BandRect(other);
        if (o.Top < r.Bottom && r.Top < o.Bottom && o.Left < r.Right && r.Left < o.Right &&
            o.Left >= r.Left)
            other->SetLeft(other->GetLeft() + (r.Right - o.Left));
        else if (o.Top < r.Bottom && r.Top < o.Bottom && o.Left < r.Right && r.Left < o.Right)
            r = {o.Right, r.Top, o.Right + (r.Right - r.Left), r.Bottom};
    }
    FDragControl->SetBounds(r.Left + insets.Left, r.Top + insets.Top, FDragControl->GetWidth(),
                            FDragControl->GetHeight());
    StickControls();
}

void TCustomControlBar::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || !FDragControl) return;
    FDragControl->RemoveFreeNotification(this);
    FDragControl = nullptr;
    StickControls();
}

void TCustomControlBar::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDragControl) FDragControl = nullptr;
}

void TCustomControlBar::DockOver(TDragDockObject* Source, Integer X, Integer Y, TDragState State,
                                 bool& Accept) {
    TCustomControl::DockOver(Source, X, Y, State, Accept);
    Accept = Accept && FAutoDock;
}

} // namespace host
