#include "host/extctrls/Shapes.h"

#include "host/classes/TypInfoRows.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Picture.h"

#include <algorithm>

namespace host {

namespace {
constexpr TPropInfo ShapeProps[] = {
    "Align",
    "Anchors",
    HOST_PROP(TShape, Brush),
    "Constraints",
    "DragCursor",
    "DragKind",
    "DragMode",
    "Enabled",
    "ParentShowHint",
    HOST_PROP(TShape, Pen),
    HOST_PROP(TShape, Shape).Default(stRectangle),
    "ShowHint",
    "Visible",
    "OnDragDrop",
    "OnDragOver",
    "OnEndDock",
    "OnEndDrag",
    "OnMouseDown",
    "OnMouseMove",
    "OnMouseUp",
    "OnStartDock",
    "OnStartDrag",
};
constexpr TPropInfo PaintBoxProps[] = {
    "Align",       "Anchors",        "Color",       "Constraints", "DragCursor",
    "DragKind",    "DragMode",       "Enabled",     "Font",        "ParentColor",
    "ParentFont",  "ParentShowHint", "PopupMenu",   "ShowHint",    "Visible",
    "OnClick",     "OnDblClick",     "OnDragDrop",  "OnDragOver",  "OnEndDock",
    "OnEndDrag",   "OnMouseDown",    "OnMouseMove", "OnMouseUp",   HOST_PROP(TPaintBox, OnPaint),
    "OnStartDock", "OnStartDrag",
};
constexpr TPropInfo ImageProps[] = {
    "Align",
    "Anchors",
    "AutoSize",
    HOST_PROP(TImage, Center).Default(false),
    "Constraints",
    "DragCursor",
    "DragKind",
    "DragMode",
    "Enabled",
    HOST_PROP(TImage, IncrementalDisplay).Default(false),
    "ParentShowHint",
    HOST_PROP(TImage, Picture),
    "PopupMenu",
    HOST_PROP(TImage, Proportional).Default(false),
    "ShowHint",
    HOST_PROP(TImage, Stretch).Default(false),
    HOST_PROP(TImage, Transparent).Default(false),
    "Visible",
    "OnClick",
    "OnDblClick",
    "OnDragDrop",
    "OnDragOver",
    "OnEndDock",
    "OnEndDrag",
    "OnMouseDown",
    "OnMouseMove",
    "OnMouseUp",
    HOST_PROP(TImage, OnProgress),
    "OnStartDock",
    "OnStartDrag",
};
constexpr TPropInfo BevelProps[] = {
    "Align",
    "Anchors",
    "Constraints",
    "ParentShowHint",
    HOST_PROP(TBevel, Shape).Default(bsBox),
    "ShowHint",
    HOST_PROP(TBevel, Style).Default(bsLowered),
    "Visible",
};

/// The dashed outline a control that shows nothing of its own has while designing.
void DesignOutline(TCanvas* Canvas, Integer Width, Integer Height) {
    Canvas->GetPen()->SetStyle(psDash);
    Canvas->GetPen()->SetColor(clBlack);
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->Rectangle(0, 0, Width, Height);
}
} // namespace

HOST_COMPONENT_METACLASS(TShape, TGraphicControl, PropTable(ShapeProps));
HOST_COMPONENT_METACLASS(TPaintBox, TGraphicControl, PropTable(PaintBoxProps));
HOST_COMPONENT_METACLASS(TImage, TGraphicControl, PropTable(ImageProps));
HOST_COMPONENT_METACLASS(TBevel, TGraphicControl, PropTable(BevelProps));

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, Integer Width) {
    TBrush* b = Canvas->GetBrush();
    b->SetStyle(bsSolid);
    for (Integer i = 0; i < Width; ++i) {
        const TRect& r = Rect;
        if (r.Right - r.Left <= 0 || r.Bottom - r.Top <= 0) break;
        b->SetColor(TopColor);
        Canvas->FillRect({r.Left, r.Top, r.Right - 1, r.Top + 1});
        Canvas->FillRect({r.Left, r.Top, r.Left + 1, r.Bottom - 1});
        b->SetColor(BottomColor);
        Canvas->FillRect({r.Right - 1, r.Top, r.Right, r.Bottom});
        Canvas->FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
        Rect = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    }
}

// ---- TShape ----

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner), FPen(new TPen), FBrush(new TBrush) {
    FControlStyle += csReplicatable;
    SetBounds(FLeft, FTop, 65, 65);
    FPen->SetOnChange(TNotifyEvent::Bind<&TShape::StyleChanged>(this));
    FBrush->SetOnChange(TNotifyEvent::Bind<&TShape::StyleChanged>(this));
}

TShape::~TShape() {
    FPen->Free();
    FBrush->Free();
}

void TShape::SetShape(TShapeType Value) {
    if (Value == FShape) return;
    FShape = Value;
    Invalidate();
}

void TShape::StyleChanged(TObject*) {
    Invalidate();
}

void TShape::Paint() {
    TCanvas* c = GetCanvas();
    c->SetPen(FPen);
    c->SetBrush(FBrush);
    // The pen straddles the outline: half its width inside, so a wide pen stays within bounds.
    Integer pw = FPen->GetWidth();
    Integer x = pw / 2, y = x;
    Integer w = FWidth - pw + 1, h = FHeight - pw + 1;
    if (pw == 0) --w, --h;
    Integer s = std::min(w, h);
    if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
        x += (w - s) / 2, y += (h - s) / 2;
        w = h = s;
    }
    switch (FShape) {
    case stRectangle:
    case stSquare: c->Rectangle(x, y, x + w, y + h); break;
    case stRoundRect:
    case stRoundSquare: c->RoundRect(x, y, x + w, y + h, s / 4, s / 4); break;
    case stEllipse:
    case stCircle: c->Ellipse(x, y, x + w, y + h); break;
    }
}

// ---- TPaintBox ----

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner) {
    FControlStyle += csReplicatable;
    SetBounds(FLeft, FTop, 105, 105);
}

void TPaintBox::Paint() {
    TCanvas* c = GetCanvas();
    c->GetFont()->Assign(GetFont());
    c->GetBrush()->SetColor(GetColor());
    if (GetComponentState().Contains(csDesigning)) DesignOutline(c, FWidth, FHeight);
    if (FOnPaint) FOnPaint(this);
}

// ---- TImage ----

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(new TPicture) {
    FControlStyle += csReplicatable;
    FPicture->SetOnChange(TNotifyEvent::Bind<&TImage::PictureChanged>(this));
    FPicture->SetOnProgress(TProgressEvent::Bind<&TImage::Progress>(this));
    SetBounds(FLeft, FTop, 105, 105);
}

TImage::~TImage() {
    FPicture->Free();
}

void TImage::SetPicture(TPicture* Value) {
    FPicture->Assign(Value);
}

TCanvas* TImage::GetCanvas() {
    TGraphic* g = FPicture->GetGraphic();
    if (!g) {
        TBitmap* b = new TBitmap;
        try {
            b->SetWidth(FWidth);
            b->SetHeight(FHeight);
            FPicture->SetGraphic(b);
        } catch (...) {
            b->Free();
            throw;
        }
        b->Free();
        g = FPicture->GetGraphic();
    }
    auto* bitmap = dynamic_cast<TBitmap*>(g);
    if (!bitmap) throw EInvalidOperation("Can only modify an image if it contains a bitmap");
    return bitmap->GetCanvas();
}

void TImage::SetCenter(bool Value) {
    if (Value == FCenter) return;
    FCenter = Value;
    PictureChanged(this);
}

void TImage::SetStretch(bool Value) {
    if (Value == FStretch) return;
    FStretch = Value;
    PictureChanged(this);
}

void TImage::SetProportional(bool Value) {
    if (Value == FProportional) return;
    FProportional = Value;
    PictureChanged(this);
}

void TImage::SetTransparent(bool Value) {
    if (Value == FTransparent) return;
    FTransparent = Value;
    PictureChanged(this);
}

TRect TImage::DestRect() {
    Integer w = FPicture->GetWidth(), h = FPicture->GetHeight();
    Integer cw = FWidth, ch = FHeight;
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional && w > 0 && h > 0) {
            // Fit the longer side; the other follows the picture's proportions.
            if (Int64(cw) * h > Int64(ch) * w) {
                w = Integer(Int64(w) * ch / h), h = ch;
            } else {
                h = Integer(Int64(h) * cw / w), w = cw;
            }
        } else {
            w = cw, h = ch;
        }
    }
    TRect r{0, 0, w, h};
    if (FCenter) {
        Integer dx = (cw - w) / 2, dy = (ch - h) / 2;
        r = {dx, dy, dx + w, dy + h};
    }
    return r;
}

void TImage::Paint() {
    TCanvas* c = TGraphicControl::GetCanvas();
    if (GetComponentState().Contains(csDesigning)) DesignOutline(c, FWidth, FHeight);
    TGraphic* g = FPicture->GetGraphic();
    if (!g || g->GetEmpty()) return;
    FDrawing = true;
    try {
        c->StretchDraw(DestRect(), g);
    } catch (...) {
        FDrawing = false;
        throw;
    }
    FDrawing = false;
}

void TImage::AdjustSize() {
    Integer w = FPicture->GetWidth(), h = FPicture->GetHeight();
    if (w > 0 && h > 0) SetBounds(FLeft, FTop, w, h);
}

void TImage::PictureChanged(TObject*) {
    if (FAutoSize) AdjustSize();
    TGraphic* g = FPicture->GetGraphic();
    // A bitmap's transparency is the image's to decide; icons and metafiles keep their own.
    if (auto* b = dynamic_cast<TBitmap*>(g); b && b->GetTransparent() != FTransparent)
        b->SetTransparent(FTransparent);
    if (!FDrawing) Invalidate();
}

void TImage::Progress(TObject* Sender, TProgressStage Stage, Byte PercentDone, bool RedrawNow,
                      const TRect& R, const AnsiString& Msg) {
    if (FIncrementalDisplay && RedrawNow && IsShowing()) Repaint();
    if (FOnProgress) FOnProgress(Sender, Stage, PercentDone, RedrawNow, R, Msg);
}

// ---- TBevel ----

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
    FControlStyle += csReplicatable;
    SetBounds(FLeft, FTop, 50, 50);
}

void TBevel::SetShape(TBevelShape Value) {
    if (Value == FShape) return;
    FShape = Value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Invalidate();
}

void TBevel::Paint() {
    TCanvas* c = GetCanvas();
    if (FShape == bsSpacer) {
        if (GetComponentState().Contains(csDesigning)) DesignOutline(c, FWidth, FHeight);
        return;
    }
    TColor dark = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    TColor light = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    auto hline = [&](TColor Color, Integer Y) {
        c->GetBrush()->SetColor(Color);
        c->FillRect({0, Y, FWidth, Y + 1});
    };
    auto vline = [&](TColor Color, Integer X) {
        c->GetBrush()->SetColor(Color);
        c->FillRect({X, 0, X + 1, FHeight});
    };
    c->GetBrush()->SetStyle(bsSolid);
    switch (FShape) {
    case bsBox:
        // Unlike Frame3D's, the bottom left corner is the top's and the top right the bottom's.
        c->GetBrush()->SetColor(dark);
        c->FillRect({0, 0, 1, FHeight});
        c->FillRect({0, 0, FWidth - 1, 1});
        c->GetBrush()->SetColor(light);
        c->FillRect({FWidth - 1, 0, FWidth, FHeight});
        c->FillRect({1, FHeight - 1, FWidth, FHeight});
        break;
    case bsFrame: {
        // Two frames offset by a pixel: a groove when lowered, a ridge when raised.
        TRect outer{0, 0, FWidth - 1, FHeight - 1}, inner{1, 1, FWidth, FHeight};
        Frame3D(c, inner, light, light, 1);
        Frame3D(c, outer, dark, dark, 1);
        break;
    }
    case bsTopLine: hline(dark, 0), hline(light, 1); break;
    case bsBottomLine: hline(dark, FHeight - 2), hline(light, FHeight - 1); break;
    case bsLeftLine: vline(dark, 0), vline(light, 1); break;
    case bsRightLine: vline(dark, FWidth - 2), vline(light, FWidth - 1); break;
    case bsSpacer: break;
    }
}

} // namespace host
