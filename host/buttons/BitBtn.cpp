#include "host/buttons/BitBtn.h"

#include "host/classes/TypInfoRows.h"
#include "host/forms/Application.h"
#include "host/forms/Form.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/Colors.h"
#include "host/graphics/Edges.h"

#include <memory>

namespace host {

namespace {
constexpr TPropInfo BitBtnProps[] = {
    "Action",
    "Anchors",
    "BiDiMode",
    HOST_PROP(TBitBtn, Cancel).Default(false).Stored<&TBitBtn::IsCustom>(),
    HOST_PROP(TBitBtn, Caption).Stored<&TBitBtn::IsCustomCaption>(),
    "Constraints",
    HOST_PROP(TBitBtn, Default).Default(false).Stored<&TBitBtn::IsCustom>(),
    "DragCursor",
    "DragKind",
    "DragMode",
    "Enabled",
    "Font",
    HOST_PROP(TBitBtn, Glyph).Stored<&TBitBtn::IsCustom>(),
    HOST_PROP(TBitBtn, Kind).Default(bkCustom),
    HOST_PROP(TBitBtn, Layout).Default(blGlyphLeft),
    HOST_PROP(TBitBtn, Margin).Default(-1),
    HOST_PROP(TBitBtn, ModalResult).Default(mrNone).Stored<&TBitBtn::IsCustom>(),
    HOST_PROP(TBitBtn, NumGlyphs).Default(1),
    "ParentBiDiMode",
    "ParentFont",
    "ParentShowHint",
    "PopupMenu",
    "ShowHint",
    HOST_PROP(TBitBtn, Spacing).Default(4),
    HOST_PROP(TBitBtn, Style).Default(bsAutoDetect),
    "TabOrder",
    "TabStop",
    "Visible",
    "OnClick",
    "OnEnter",
    "OnExit",
    "OnKeyDown",
    "OnKeyPress",
    "OnKeyUp",
    "OnMouseDown",
    "OnMouseMove",
    "OnMouseUp",
    "OnStartDrag",
};

constexpr const char* Captions[] = {"",       "OK",    "Cancel", "&Help",   "&Yes", "&No",
                                    "&Close", "Abort", "&Retry", "&Ignore", "&All"};
constexpr TModalResult Results[] = {mrNone, mrOk,    mrCancel, mrNone,   mrYes, mrNo,
                                    mrNone, mrAbort, mrRetry,  mrIgnore, mrAll};

// The standard glyphs, drawn once: 18 x 18 on olive, the colour that lets the face show.
void Line(TCanvas* C, TColor Ink, Integer Width, std::initializer_list<TPoint> Points) {
    C->GetPen()->SetColor(Ink);
    C->GetPen()->SetWidth(Width);
    auto p = Points.begin();
    C->MoveTo(p->X, p->Y);
    for (++p; p != Points.end(); ++p) C->LineTo(p->X, p->Y);
}

void Ring(TCanvas* C, TColor Ink) {
    C->GetPen()->SetColor(Ink);
    C->GetPen()->SetWidth(2);
    C->GetBrush()->SetStyle(bsClear);
    C->Ellipse(2, 2, 16, 16);
}

std::unique_ptr<TBitmap> DrawKindGlyph(TBitBtnKind Kind) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(18, 18);
    TCanvas* c = b->GetCanvas();
    c->GetBrush()->SetColor(clOlive);
    c->FillRect({0, 0, 18, 18});
    switch (Kind) {
    case bkOK:
    case bkYes: Line(c, clGreen, 3, {{3, 9}, {7, 13}, {14, 4}}); break;
    case bkAll:
        Line(c, clGreen, 2, {{1, 8}, {4, 11}, {9, 3}});
        Line(c, clGreen, 2, {{7, 11}, {10, 14}, {16, 5}});
        break;
    case bkCancel:
        Line(c, clRed, 3, {{4, 4}, {13, 13}});
        Line(c, clRed, 3, {{13, 4}, {4, 13}});
        break;
    case bkAbort:
        Ring(c, clRed);
        Line(c, clRed, 2, {{6, 6}, {12, 12}});
        Line(c, clRed, 2, {{12, 6}, {6, 12}});
        break;
    case bkNo:
        Ring(c, clRed);
        Line(c, clRed, 2, {{5, 5}, {13, 13}});
        break;
    case bkHelp:
        Line(c, clNavy, 2, {{5, 6}, {6, 4}, {9, 3}, {12, 4}, {13, 6}, {12, 8}, {9, 10}, {9, 12}});
        c->GetBrush()->SetStyle(bsSolid);
        c->GetBrush()->SetColor(clNavy);
        c->FillRect({8, 14, 11, 17});
        break;
    case bkClose:
        c->GetPen()->SetColor(clBlack);
        c->GetPen()->SetWidth(1);
        c->GetBrush()->SetStyle(bsSolid);
        c->GetBrush()->SetColor(clTeal);
        c->Rectangle(4, 1, 14, 17); // the doorway
        c->GetBrush()->SetColor(clMaroon);
        c->Rectangle(4, 1, 10, 17); // the door, open
        c->SetPixels(8, 9, clYellow);
        break;
    case bkRetry:
        c->GetPen()->SetColor(clGreen);
        c->GetPen()->SetWidth(2);
        c->Arc(3, 3, 15, 15, 15, 9, 9, 3);
        Line(c, clGreen, 2, {{9, 1}, {9, 5}, {12, 3}, {9, 1}});
        break;
    case bkIgnore:
        Line(c, clNavy, 2, {{2, 9}, {14, 9}});
        Line(c, clNavy, 2, {{10, 5}, {14, 9}, {10, 13}});
        break;
    case bkCustom: break;
    }
    return b;
}

} // namespace

HOST_COMPONENT_METACLASS(TBitBtn, TButton, PropTable(BitBtnProps));

AnsiString BitBtnCaption(TBitBtnKind Kind) {
    return Captions[Kind];
}

TModalResult BitBtnModalResult(TBitBtnKind Kind) {
    return Results[Kind];
}

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner) {
    FGlyph.OnChange = TNotifyEvent::Bind<&TBitBtn::GlyphChanged>(this);
}

void TBitBtn::GlyphChanged(TObject*) {
    if (!FSettingKind) FKind = bkCustom;
    Invalidate();
}

TBitBtnKind TBitBtn::GetKind() const {
    // A standard kind whose default, cancel or modal result was changed is a custom button.
    if (FKind == bkCustom) return bkCustom;
    bool shouldDefault = FKind == bkOK || FKind == bkYes;
    bool shouldCancel = FKind == bkCancel || FKind == bkNo;
    if (GetDefault() != shouldDefault || GetCancel() != shouldCancel ||
        GetModalResult() != Results[FKind])
        return bkCustom;
    return FKind;
}

void TBitBtn::SetKind(TBitBtnKind Value) {
    if (Value == FKind && Value == GetKind()) return;
    FSettingKind = true;
    if (Value != bkCustom) {
        SetDefault(Value == bkOK || Value == bkYes);
        SetCancel(Value == bkCancel || Value == bkNo);
        // While a form is read its own caption follows; the kind's stands in until then.
        if (!GetComponentState().Contains(csLoading) || GetCaption().empty())
            SetCaption(Captions[Value]);
        SetModalResult(Results[Value]);
        // Drawn for each button: 18 x 18 is cheaper than a cache that outlives every form.
        FGlyph.SetGlyph(DrawKindGlyph(Value).get());
        FGlyph.SetNumGlyphs(1);
    }
    FKind = Value;
    FSettingKind = false;
    Invalidate();
}

void TBitBtn::SetGlyph(TBitmap* Value) {
    FGlyph.SetGlyph(Value);
    FKind = bkCustom;
}

void TBitBtn::SetStyle(TButtonStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Invalidate();
}

bool TBitBtn::IsCustomCaption() const {
    return GetCaption() != Captions[GetKind()];
}

void TBitBtn::Click() {
    TCustomForm* form = GetParentForm(this);
    TBitBtnKind kind = GetKind();
    if (kind == bkClose && form) {
        form->Close();
    } else if (kind == bkHelp) {
        THelpContext context = GetHelpContext();
        if (!context && form) context = form->GetHelpContext();
        Application()->HelpContext(context);
    }
    TButton::Click();
}

void TBitBtn::PaintWindow(TCanvas* Canvas) {
    TRect face = DrawPushButton(Canvas, GetClientRect(), IsPressed(), IsActive());
    Canvas->GetFont()->Assign(GetFont());
    // The face moves a pixel down and right while pressed.
    TPoint offset = IsPressed() ? TPoint{1, 1} : TPoint{0, 0};
    TRect inner{face.Left + 1, face.Top + 1, face.Right - 1, face.Bottom - 1};
    FGlyph.Draw(Canvas, inner, offset, GetCaption(), IsPressed() ? bsDown : bsUp, GetEnabled());
    PaintFocus(Canvas);
}

} // namespace host
