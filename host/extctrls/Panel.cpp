#include "host/extctrls/Panel.h"

#include "host/classes/TypInfoRows.h"
#include "host/controls/Dock.h"
#include "host/extctrls/Shapes.h"

namespace host {

namespace {
constexpr TPropInfo CustomPanelProps[] = {
    HOST_PROP(TCustomPanel, Alignment).Default(taCenter).Unpublished(),
    HOST_PROP(TCustomPanel, BorderStyle).Default(bsNone).Unpublished(),
    HOST_PROP(TCustomPanel, FullRepaint).Default(true).Unpublished(),
    HOST_PROP(TCustomPanel, Locked).Default(false).Unpublished(),
};
// A panel starts with its own colour, the button face, and raised outside: only what differs
// from that is written.
constexpr TPropInfo PanelProps[] = {
    "Align",
    "Alignment",
    "Anchors",
    "AutoSize",
    HOST_PROP(TPanel, BevelInner).Default(bvNone),
    HOST_PROP(TPanel, BevelOuter).Default(bvRaised),
    HOST_PROP(TPanel, BevelWidth).Default(1),
    "BiDiMode",
    HOST_PROP(TPanel, BorderWidth).Default(0),
    "BorderStyle",
    "Caption",
    HOST_PROP(TPanel, Color).Default(clBtnFace).Stored<&TControl::IsColorStored>(),
    "Constraints",
    "Ctl3D",
    HOST_PROP(TPanel, UseDockManager).Default(true),
    "DockSite",
    "DragCursor",
    "DragKind",
    "DragMode",
    "Enabled",
    "FullRepaint",
    "Font",
    "Locked",
    "ParentBiDiMode",
    HOST_PROP(TPanel, ParentColor).Default(false),
    "ParentCtl3D",
    "ParentFont",
    "ParentShowHint",
    "PopupMenu",
    "ShowHint",
    "TabOrder",
    "TabStop",
    "Visible",
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
    "OnResize",
    "OnStartDock",
    "OnStartDrag",
    "OnUnDock",
};

void Colors(TBevelCut Cut, TColor& Top, TColor& Bottom) {
    Top = Cut == bvLowered ? clBtnShadow : clBtnHighlight;
    Bottom = Cut == bvLowered ? clBtnHighlight : clBtnShadow;
}
} // namespace

HOST_COMPONENT_METACLASS(TCustomPanel, TCustomControl, PropTable(CustomPanelProps));
HOST_COMPONENT_METACLASS(TPanel, TCustomPanel, PropTable(PanelProps));

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                     csOpaque,          csDoubleClicks, csReplicatable};
    FBevelInner = bvNone;
    FBevelOuter = bvRaised;
    FColor = clBtnFace;
    FParentColor = false;
    FUseDockManager = true;
    SetBounds(FLeft, FTop, 185, 41);
}

void TCustomPanel::SetAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
    if (Value != bsNone) Value = bsSingle;
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    Realign();
    Invalidate();
}

TRect TCustomPanel::GetNonClientInsets() {
    TRect r = TCustomControl::GetNonClientInsets();
    if (FBorderStyle == bsSingle) {
        Integer d = FCtl3D ? 2 : 1;
        r = {r.Left + d, r.Top + d, r.Right + d, r.Bottom + d};
    }
    return r;
}

void TCustomPanel::PaintNonClient(TCanvas* Canvas) {
    TCustomControl::PaintNonClient(Canvas);
    if (FBorderStyle != bsSingle) return;
    TRect r{0, 0, FWidth, FHeight};
    if (FCtl3D) {
        Frame3D(Canvas, r, clBtnShadow, clBtnHighlight, 1);
        Frame3D(Canvas, r, cl3DDkShadow, cl3DLight, 1);
    } else {
        Frame3D(Canvas, r, clWindowFrame, clWindowFrame, 1);
    }
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
    TCustomControl::AdjustClientRect(Rect);
    Integer bevel =
        (FBevelOuter != bvNone ? FBevelWidth : 0) + (FBevelInner != bvNone ? FBevelWidth : 0);
    Rect = {Rect.Left + bevel, Rect.Top + bevel, Rect.Right - bevel, Rect.Bottom - bevel};
}

void TCustomPanel::Paint() {
    TCanvas* c = FCanvas;
    TRect r = GetClientRect();
    TColor top, bottom;
    if (FBevelOuter != bvNone) {
        Colors(FBevelOuter, top, bottom);
        Frame3D(c, r, top, bottom, FBevelWidth);
    }
    Frame3D(c, r, FColor, FColor, FBorderWidth);
    if (FBevelInner != bvNone) {
        Colors(FBevelInner, top, bottom);
        Frame3D(c, r, top, bottom, FBevelWidth);
    }
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(FColor);
    c->FillRect(r);
    if (!FText.empty()) {
        // One line, in the middle of the height, placed across by Alignment.
        c->GetFont()->Assign(GetFont());
        c->GetBrush()->SetStyle(bsClear);
        TSize size = c->TextExtent(FText);
        TAlignment a = FAlignment;
        if (UseRightToLeftAlignment() && a != taCenter)
            a = a == taLeftJustify ? taRightJustify : taLeftJustify;
        Integer x = a == taLeftJustify    ? r.Left
                    : a == taRightJustify ? r.Right - size.cx
                                          : (r.Left + r.Right - size.cx) / 2;
        Integer y = (r.Top + r.Bottom - size.cy) / 2;
        c->TextRect(r, x, y, FText);
    }
    if (FDockSite && FUseDockManager && FDockManager) FDockManager->PaintSite(c->GetHandle());
}

} // namespace host
