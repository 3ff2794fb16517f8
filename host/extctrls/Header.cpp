#include "host/extctrls/Header.h"

#include "host/classes/Filer.h"
#include "host/classes/Reader.h"
#include "host/classes/StringList.h"
#include "host/classes/TypInfoRows.h"
#include "host/classes/Writer.h"
#include "host/extctrls/Shapes.h"

#include <algorithm>

namespace host {

namespace {
constexpr Integer Grip = 2; // how far either side of a divider the mouse takes it
constexpr Integer TextMargin = 4;
// Wider than any screen, and small enough that the sections' sum stays an Integer.
constexpr Integer MaxSectionWidth = 1 << 20;

Integer ClampWidth(Integer W) {
    return std::clamp<Integer>(W, 0, MaxSectionWidth);
}
constexpr TPropInfo HeaderProps[] = {
    "Align",
    HOST_PROP(THeader, AllowResize).Default(true),
    "Anchors",
    HOST_PROP(THeader, BorderStyle).Default(bsSingle),
    "Constraints",
    "Enabled",
    "Font",
    "ParentFont",
    "ParentShowHint",
    "PopupMenu",
    HOST_PROP(THeader, Sections),
    "ShowHint",
    "TabOrder",
    "TabStop",
    "Visible",
    "OnClick",
    "OnDblClick",
    "OnMouseDown",
    "OnMouseMove",
    "OnMouseUp",
    HOST_PROP(THeader, OnSized),
    HOST_PROP(THeader, OnSizing),
};
} // namespace

HOST_COMPONENT_METACLASS(THeader, TCustomControl, PropTable(HeaderProps));

THeader::THeader(TComponent* AOwner) : TCustomControl(AOwner), FSections(new TStringList) {
    FSections->SetOnChange(TNotifyEvent::Bind<&THeader::SectionsChanged>(this));
    FColor = clBtnFace;
    FParentColor = false;
    SetBounds(FLeft, FTop, 250, 25);
}

THeader::~THeader() {
    FSections->SetOnChange({});
    FSections->Free();
}

TStrings* THeader::GetSections() const {
    return FSections;
}

void THeader::SetSections(TStrings* Value) {
    FSections->Assign(Value);
}

void THeader::SectionsChanged(TObject*) {
    // Widths follow the sections by place: new ones get the default, removed ones go.
    FWidths.resize(std::size_t(FSections->GetCount()), DefaultSectionWidth);
    Invalidate();
}

Integer THeader::GetSectionWidth(Integer Index) const {
    return Index >= 0 && std::size_t(Index) < FWidths.size() ? FWidths[std::size_t(Index)] : 0;
}

void THeader::SetSectionWidth(Integer Index, Integer Value) {
    if (Index < 0 || std::size_t(Index) >= FWidths.size()) return;
    FWidths[std::size_t(Index)] = ClampWidth(Value);
    Invalidate();
}

void THeader::DefineProperties(TFiler* Filer) {
    TCustomControl::DefineProperties(Filer);
    bool custom = std::any_of(FWidths.begin(), FWidths.end(),
                              [](Integer W) { return W != DefaultSectionWidth; });
    Filer->DefineProperty("SectionWidths", TReaderProc::Bind<&THeader::ReadWidths>(this),
                          TWriterProc::Bind<&THeader::WriteWidths>(this), custom);
}

void THeader::ReadWidths(TReader* Reader) {
    // Widths beyond the sections read are dropped; sections without one keep the default.
    Reader->ReadListBegin();
    for (std::size_t i = 0; !Reader->EndOfList(); ++i) {
        Integer w = Reader->ReadInteger();
        if (i < FWidths.size()) FWidths[i] = ClampWidth(w);
    }
    Reader->ReadListEnd();
}

void THeader::WriteWidths(TWriter* Writer) {
    Writer->WriteListBegin();
    for (Integer w : FWidths) Writer->WriteInteger(w);
    Writer->WriteListEnd();
}

void THeader::SetBorderStyle(TFormBorderStyle Value) {
    if (Value != bsNone) Value = bsSingle;
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    Realign();
    Invalidate();
}

TRect THeader::GetNonClientInsets() {
    TRect r = TCustomControl::GetNonClientInsets();
    if (FBorderStyle == bsSingle) r = {r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
    return r;
}

void THeader::PaintNonClient(TCanvas* Canvas) {
    TCustomControl::PaintNonClient(Canvas);
    if (FBorderStyle != bsSingle) return;
    TRect r{0, 0, FWidth, FHeight};
    Frame3D(Canvas, r, clWindowFrame, clWindowFrame, 1);
}

Integer THeader::SectionLeft(Integer Index) const {
    Int64 x = 0;
    for (Integer i = 0; i < Index; ++i) x += FWidths[std::size_t(i)];
    return Integer(std::min<Int64>(x, MaxSectionWidth));
}

void THeader::Paint() {
    TCanvas* c = FCanvas;
    TRect client = GetClientRect();
    c->GetFont()->Assign(GetFont());
    Integer x = 0;
    for (Integer i = 0; i < FSections->GetCount(); ++i) {
        // The last section takes the rest of the width, as a button face.
        Integer w = i == FSections->GetCount() - 1 ? std::max(client.Right - x, FWidths.back())
                                                   : FWidths[std::size_t(i)];
        TRect r{x, 0, x + w, client.Bottom};
        if (w > 0) {
            TRect inner = r;
            Frame3D(c, inner, clBtnHighlight, clBtnShadow, 1);
            c->GetBrush()->SetColor(FColor);
            c->FillRect(inner);
            AnsiString text = FSections->GetStrings(i);
            c->GetBrush()->SetStyle(bsClear);
            Integer ty = (client.Bottom - c->TextHeight(text)) / 2;
            c->TextRect(inner, inner.Left + TextMargin - 1, ty, text);
            c->GetBrush()->SetStyle(bsSolid);
        }
        x += w;
        if (x >= client.Right) break; // the rest is out of sight
    }
    if (x < client.Right) {
        c->GetBrush()->SetColor(FColor);
        c->FillRect({x, 0, client.Right, client.Bottom});
    }
}

Integer THeader::DividerAt(Integer X) {
    Integer right = 0;
    for (Integer i = 0; i < FSections->GetCount(); ++i) {
        right += FWidths[std::size_t(i)];
        if (right > X + Grip) break; // dividers further right are not under the mouse
        if (X >= right - Grip && X <= right + Grip) {
            // Zero-width sections share their divider: the last of them takes it, so that
            // one squeezed shut can be pulled open again.
            Integer j = i;
            while (j + 1 < FSections->GetCount() && FWidths[std::size_t(j + 1)] == 0) ++j;
            return j;
        }
    }
    return -1;
}

void THeader::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (Button == mbLeft && FAllowResize) FSizing = DividerAt(X);
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void THeader::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    if (FSizing >= 0) {
        Integer w = ClampWidth(X - SectionLeft(FSizing));
        if (w != FWidths[std::size_t(FSizing)]) {
            FWidths[std::size_t(FSizing)] = w;
            Invalidate();
            Sizing(FSizing, w);
        }
    }
    SetCursor(FSizing >= 0 || (FAllowResize && DividerAt(X) >= 0) ? crHSplit : crDefault);
    TCustomControl::MouseMove(Shift, X, Y);
}

void THeader::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (FSizing >= 0 && Button == mbLeft) {
        Integer section = FSizing;
        FSizing = -1;
        Sized(section, FWidths[std::size_t(section)]);
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void THeader::Sizing(Integer ASection, Integer AWidth) {
    if (FOnSizing) FOnSizing(this, ASection, AWidth);
}

void THeader::Sized(Integer ASection, Integer AWidth) {
    if (FOnSized) FOnSized(this, ASection, AWidth);
}

} // namespace host
