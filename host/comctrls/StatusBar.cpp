#include "host/comctrls/StatusBar.h"

#include "host/classes/TypInfoRows.h"
#include "host/forms/Application.h"
#include "host/graphics/DrawText.h"
#include "host/graphics/Edges.h"
#include "host/graphics/GraphicsObjects.h"

#include <algorithm>

namespace host {

namespace {
constexpr Integer PanelGap = 2;  // between panels, and above them
constexpr Integer GripSize = 12; // the grip's square in the bottom-right corner
constexpr Integer MaxPanelWidth = 1 << 20;

constexpr TPropInfo StatusPanelProps[] = {
    HOST_PROP(TStatusPanel, Alignment).Default(taLeftJustify),
    HOST_PROP(TStatusPanel, Bevel).Default(pbLowered),
    HOST_PROP(TStatusPanel, BiDiMode).Stored<&TStatusPanel::IsBiDiModeStored>(),
    HOST_PROP(TStatusPanel, ParentBiDiMode).Default(true),
    HOST_PROP(TStatusPanel, Style).Default(psText),
    HOST_PROP(TStatusPanel, Text),
    HOST_PROP(TStatusPanel, Width).Default(50),
};
constexpr TPropInfo StatusBarProps[] = {
    "Action",
    "Align",
    "Anchors",
    HOST_PROP(TStatusBar, AutoHint).Default(false),
    "BiDiMode",
    "BorderWidth",
    "Color",
    "DragCursor",
    "DragKind",
    "DragMode",
    "Enabled",
    "Font",
    "Constraints",
    HOST_PROP(TStatusBar, Panels),
    "ParentBiDiMode",
    "ParentColor",
    "ParentFont",
    "ParentShowHint",
    "PopupMenu",
    "ShowHint",
    HOST_PROP(TStatusBar, SimplePanel).Default(false),
    HOST_PROP(TStatusBar, SimpleText),
    HOST_PROP(TStatusBar, SizeGrip).Default(true),
    HOST_PROP(TStatusBar, UseSystemFont).Default(true),
    "Visible",
    "OnClick",
    "OnDblClick",
    "OnDragDrop",
    "OnDragOver",
    HOST_PROP(TStatusBar, OnDrawPanel),
    "OnEndDock",
    "OnEndDrag",
    HOST_PROP(TStatusBar, OnHint),
    "OnMouseDown",
    "OnMouseMove",
    "OnMouseUp",
    "OnResize",
    "OnStartDock",
    "OnStartDrag",
};
} // namespace

HOST_METACLASS(TStatusPanel, TCollectionItem,
               PropTable(StatusPanelProps, MakeItemMetaClass<TStatusPanel>()));
// Made by its status bar; one made alone (by name) has no bar to repaint.
constexpr TMetaClass StatusPanelsMeta() {
    TMetaClass m{};
    m.NewWithOwner = [](TObject* Owner) -> TObject* {
        return new TStatusPanels(dynamic_cast<TStatusBar*>(Owner));
    };
    return m;
}
HOST_METACLASS(TStatusPanels, TCollection, StatusPanelsMeta());
const TMessageEntry TStatusBar::Messages[] = {
    HOST_ON(TStatusBar, CM_FONTCHANGED, CMFontChanged),
    HOST_ON(TStatusBar, CM_BIDIMODECHANGED, CMBiDiModeChanged),
};
HOST_COMPONENT_METACLASS(TStatusBar, TCustomControl,
                         PropTable(StatusBarProps, MessageTable(TStatusBar::Messages)));

// ---- TStatusPanel ----

TStatusPanel::TStatusPanel(TCollection* Collection) : TCollectionItem(Collection) {
    if (TStatusBar* bar = Bar()) FBiDiMode = bar->GetBiDiMode();
}

TStatusBar* TStatusPanel::Bar() const {
    auto* panels = dynamic_cast<TStatusPanels*>(FCollection);
    return panels ? panels->GetStatusBar() : nullptr;
}

void TStatusPanel::Assign(TPersistent* Source) {
    if (auto* p = DynCast<TStatusPanel>(Source)) {
        FText = p->FText, FWidth = p->FWidth, FAlignment = p->FAlignment, FBevel = p->FBevel;
        FStyle = p->FStyle, FBiDiMode = p->FBiDiMode, FParentBiDiMode = p->FParentBiDiMode;
        Changed(false);
        return;
    }
    TCollectionItem::Assign(Source);
}

AnsiString TStatusPanel::GetDisplayName() {
    return FText.empty() ? TCollectionItem::GetDisplayName() : FText;
}

void TStatusPanel::SetText(const AnsiString& Value) {
    if (Value == FText) return;
    FText = Value;
    Changed(false);
}

void TStatusPanel::SetWidth(Integer Value) {
    Value = std::clamp<Integer>(Value, 0, MaxPanelWidth);
    if (Value == FWidth) return;
    FWidth = Value;
    Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel Value) {
    if (Value == FBevel) return;
    FBevel = Value;
    Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Changed(false);
}

TBiDiMode TStatusPanel::GetBiDiMode() const {
    TStatusBar* bar = Bar();
    return FParentBiDiMode && bar ? bar->GetBiDiMode() : FBiDiMode;
}

void TStatusPanel::SetBiDiMode(TBiDiMode Value) {
    FParentBiDiMode = false;
    if (Value == FBiDiMode) return;
    FBiDiMode = Value;
    Changed(false);
}

void TStatusPanel::SetParentBiDiMode(bool Value) {
    if (Value == FParentBiDiMode) return;
    FParentBiDiMode = Value;
    ParentBiDiModeChanged();
}

void TStatusPanel::ParentBiDiModeChanged() {
    if (!FParentBiDiMode) return;
    if (TStatusBar* bar = Bar()) FBiDiMode = bar->GetBiDiMode();
    Changed(false);
}

// ---- TStatusPanels ----

TStatusPanels::TStatusPanels(TStatusBar* StatusBar)
    : TCollection(TStatusPanel::StaticClass()), FStatusBar(StatusBar) {}

TPersistent* TStatusPanels::GetOwner() {
    return FStatusBar;
}

void TStatusPanels::Update(TCollectionItem*) {
    if (FStatusBar) FStatusBar->Invalidate();
}

// ---- TStatusBar ----

TStatusBar::TStatusBar(TComponent* AOwner)
    : TCustomControl(AOwner), FPanels(new TStatusPanels(this)) {
    FControlStyle = {csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
    FColor = clBtnFace;
    FParentColor = false;
    SetBounds(FLeft, FTop, 200, 19);
    SetAlign(alBottom);
    ApplySystemFont();
}

TStatusBar::~TStatusBar() {
    FPanels->Free();
}

void TStatusBar::SetPanels(TStatusPanels* Value) {
    FPanels->Assign(Value);
}

void TStatusBar::SetSimplePanel(bool Value) {
    if (Value == FSimplePanel) return;
    FSimplePanel = Value;
    Invalidate();
}

void TStatusBar::SetSimpleText(const AnsiString& Value) {
    if (Value == FSimpleText) return;
    FSimpleText = Value;
    if (FSimplePanel) Invalidate();
}

void TStatusBar::SetSizeGrip(bool Value) {
    if (Value == FSizeGrip) return;
    FSizeGrip = Value;
    Invalidate();
}

void TStatusBar::SetUseSystemFont(bool Value) {
    if (Value == FUseSystemFont) return;
    FUseSystemFont = Value;
    if (Value) ApplySystemFont();
}

void TStatusBar::ApplySystemFont() {
    // The platform's status font: the dialog face at 8 points.
    FSettingFont = true;
    TFont* f = GetFont();
    f->SetName("MS Sans Serif");
    f->SetSize(8);
    f->SetStyle({});
    f->SetColor(clBtnText);
    FSettingFont = false;
}

void TStatusBar::CMFontChanged(TMessage& Message) {
    if (!FSettingFont) FUseSystemFont = false; // a font of its own
    DispatchInherited(&ClassMeta, &Message);
    Invalidate();
}

void TStatusBar::CMBiDiModeChanged(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    for (Integer i = 0; i < FPanels->GetCount(); ++i) FPanels->GetItems(i)->ParentBiDiModeChanged();
}

bool TStatusBar::DoHint() {
    if (!FOnHint) return false;
    FOnHint(this);
    return true;
}

bool TStatusBar::ExecuteAction(TBasicAction* Action) {
    auto* hint = DynCast<THintAction>(Action);
    if (FAutoHint && hint && !DoHint()) {
        if (!hint->GetHint().empty()) {
            SetSimplePanel(true);
            SetSimpleText(hint->GetHint());
        } else {
            SetSimplePanel(false);
        }
        return true;
    }
    return TCustomControl::ExecuteAction(Action);
}

bool TStatusBar::GripShown() {
    if (!FSizeGrip) return false;
    auto* form = dynamic_cast<TCustomForm*>(GetParent());
    if (!form) return false;
    TRect c = form->GetClientRect();
    return FLeft + FWidth == c.Right && FTop + FHeight == c.Bottom;
}

TRect TStatusBar::PanelRect(Integer Index) {
    TRect client = TControl::GetClientRect();
    if (Index < 0 || FSimplePanel) return {0, PanelGap, client.Right, client.Bottom};
    Int64 x = 0;
    for (Integer i = 0; i < Index; ++i) x += FPanels->GetItems(i)->GetWidth() + PanelGap;
    Integer left = Integer(std::min<Int64>(x, MaxPanelWidth));
    Integer right =
        Index == FPanels->GetCount() - 1
            ? std::max(client.Right, left)
            : Integer(std::min<Int64>(x + FPanels->GetItems(Index)->GetWidth(), MaxPanelWidth));
    return {left, PanelGap, right, client.Bottom};
}

void TStatusBar::DrawPanel(TStatusPanel* Panel, const TRect& Rect) {
    if (FOnDrawPanel) FOnDrawPanel(this, Panel, Rect);
}

void TStatusBar::Paint() {
    TCanvas* c = FCanvas;
    TRect client = TControl::GetClientRect();
    c->GetBrush()->SetColor(FColor);
    c->FillRect(client);
    auto box = [&](TRect r, TStatusPanelBevel Bevel, const AnsiString& Text, TAlignment Align,
                   TStatusPanel* Panel) {
        if (Bevel == pbLowered) DrawEdge(c, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        if (Bevel == pbRaised) DrawEdge(c, r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
        if (Panel && Panel->GetStyle() == psOwnerDraw) {
            c->GetFont()->Assign(GetFont());
            return DrawPanel(Panel, r);
        }
        TRect t{r.Left + 2, r.Top, r.Right - 2, r.Bottom};
        Cardinal format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
        if (Panel && Panel->UseRightToLeftAlignment())
            Align = Align == taLeftJustify    ? taRightJustify
                    : Align == taRightJustify ? taLeftJustify
                                              : Align;
        format |= Align == taCenter ? DT_CENTER : Align == taRightJustify ? DT_RIGHT : DT_LEFT;
        c->GetBrush()->SetStyle(bsClear);
        DrawText(c, Text, t, format);
        c->GetBrush()->SetStyle(bsSolid);
    };
    if (FSimplePanel || FPanels->GetCount() == 0) {
        box(PanelRect(-1), FSimplePanel ? pbLowered : pbNone, FSimpleText, taLeftJustify, nullptr);
    } else {
        for (Integer i = 0; i < FPanels->GetCount(); ++i) {
            TStatusPanel* p = FPanels->GetItems(i);
            TRect r = PanelRect(i);
            if (r.Left >= client.Right) break;
            box(r, p->GetBevel(), p->GetText(), p->GetAlignment(), p);
        }
    }
    if (GripShown()) {
        // Three pairs of diagonal lines in the corner, light above dark.
        Integer x1 = client.Right, y1 = client.Bottom;
        c->GetBrush()->SetColor(FColor);
        c->FillRect({x1 - GripSize, y1 - GripSize, x1, y1});
        for (Integer k = 0; k < 3; ++k) {
            Integer n = GripSize - 4 * k;
            for (Integer i = 0; i < n; ++i) c->SetPixels(x1 - 1 - i, y1 - n + i, clBtnHighlight);
            for (Integer i = 0; i + 1 < n; ++i)
                c->SetPixels(x1 - 1 - i, y1 - n + 1 + i, clBtnShadow);
            for (Integer i = 0; i + 2 < n; ++i)
                c->SetPixels(x1 - 1 - i, y1 - n + 2 + i, clBtnShadow);
        }
    }
}

} // namespace host
