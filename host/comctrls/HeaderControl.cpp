#include "host/comctrls/HeaderControl.h"

#include "host/classes/TypInfoRows.h"
#include "host/graphics/DrawText.h"
#include "host/graphics/Edges.h"

#include <algorithm>

namespace host {

namespace {
constexpr Integer Grip = 3;       // either side of a divider that the mouse takes it
constexpr Integer TextMargin = 6; // caption to section edge
constexpr Integer MaxSectionWidth = 1 << 20;

constexpr TPropInfo SectionProps[] = {
    HOST_PROP(THeaderSection, Alignment).Default(taLeftJustify),
    HOST_PROP(THeaderSection, AllowClick).Default(true),
    HOST_PROP(THeaderSection, AutoSize).Default(false),
    HOST_PROP(THeaderSection, BiDiMode).Stored<&THeaderSection::IsBiDiModeStored>(),
    HOST_PROP(THeaderSection, MaxWidth).Default(10000),
    HOST_PROP(THeaderSection, MinWidth).Default(0),
    HOST_PROP(THeaderSection, ParentBiDiMode).Default(true),
    HOST_PROP(THeaderSection, Style).Default(hsText),
    HOST_PROP(THeaderSection, Text),
    HOST_PROP(THeaderSection, Width),
};
constexpr TPropInfo HeaderControlProps[] = {
    "Align",
    "Anchors",
    "BiDiMode",
    "BorderWidth",
    "DragCursor",
    "DragKind",
    "DragMode",
    "Enabled",
    "Font",
    HOST_PROP(THeaderControl, FullDrag).Default(true),
    HOST_PROP(THeaderControl, HotTrack).Default(false),
    "Constraints",
    HOST_PROP(THeaderControl, Sections),
    "ShowHint",
    HOST_PROP(THeaderControl, Style).Default(hsButtons),
    "ParentBiDiMode",
    "ParentFont",
    "ParentShowHint",
    "PopupMenu",
    "Visible",
    "OnDragDrop",
    "OnDragOver",
    HOST_PROP(THeaderControl, OnDrawSection),
    "OnEndDock",
    "OnEndDrag",
    "OnMouseDown",
    "OnMouseMove",
    "OnMouseUp",
    "OnResize",
    HOST_PROP(THeaderControl, OnSectionClick),
    HOST_PROP(THeaderControl, OnSectionResize),
    HOST_PROP(THeaderControl, OnSectionTrack),
    "OnStartDock",
    "OnStartDrag",
};
constexpr TMetaClass SectionsMeta() {
    TMetaClass m{};
    m.NewWithOwner = [](TObject* Owner) -> TObject* {
        return new THeaderSections(dynamic_cast<THeaderControl*>(Owner));
    };
    return m;
}
} // namespace

HOST_METACLASS(THeaderSection, TCollectionItem,
               PropTable(SectionProps, MakeItemMetaClass<THeaderSection>()));
HOST_METACLASS(THeaderSections, TCollection, SectionsMeta());
HOST_COMPONENT_METACLASS(THeaderControl, TCustomControl, PropTable(HeaderControlProps));

// ---- THeaderSection ----

THeaderSection::THeaderSection(TCollection* Collection) : TCollectionItem(Collection) {}

THeaderControl* THeaderSection::Header() const {
    auto* s = dynamic_cast<THeaderSections*>(FCollection);
    return s ? s->GetHeaderControl() : nullptr;
}

void THeaderSection::Assign(TPersistent* Source) {
    if (auto* s = DynCast<THeaderSection>(Source)) {
        FText = s->FText, FWidth = s->FWidth, FMinWidth = s->FMinWidth, FMaxWidth = s->FMaxWidth;
        FAlignment = s->FAlignment, FAllowClick = s->FAllowClick, FAutoSize = s->FAutoSize;
        FStyle = s->FStyle, FBiDiMode = s->FBiDiMode, FParentBiDiMode = s->FParentBiDiMode;
        Changed(true);
        return;
    }
    TCollectionItem::Assign(Source);
}

AnsiString THeaderSection::GetDisplayName() {
    return FText.empty() ? TCollectionItem::GetDisplayName() : FText;
}

void THeaderSection::SetText(const AnsiString& Value) {
    if (Value == FText) return;
    FText = Value;
    Changed(false);
}

void THeaderSection::SetWidth(Integer Value) {
    Value = std::clamp<Integer>(
        Value, std::max<Integer>(FMinWidth, 0),
        std::clamp<Integer>(FMaxWidth, std::max<Integer>(FMinWidth, 0), MaxSectionWidth));
    if (Value == FWidth) return;
    FWidth = Value;
    Changed(true);
}

void THeaderSection::SetMinWidth(Integer Value) {
    FMinWidth = std::clamp<Integer>(Value, 0, MaxSectionWidth);
    if (FMaxWidth < FMinWidth) FMaxWidth = FMinWidth;
    SetWidth(FWidth);
}

void THeaderSection::SetMaxWidth(Integer Value) {
    FMaxWidth = std::clamp<Integer>(Value, 0, MaxSectionWidth);
    if (FMinWidth > FMaxWidth) FMinWidth = FMaxWidth;
    SetWidth(FWidth);
}

void THeaderSection::SetAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Changed(false);
}

void THeaderSection::SetAutoSize(bool Value) {
    if (Value == FAutoSize) return;
    FAutoSize = Value;
    if (THeaderControl* h = Header()) h->AdjustAutoSize();
}

void THeaderSection::SetStyle(THeaderSectionStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Changed(false);
}

TBiDiMode THeaderSection::GetBiDiMode() const {
    THeaderControl* h = Header();
    return FParentBiDiMode && h ? h->GetBiDiMode() : FBiDiMode;
}

void THeaderSection::SetBiDiMode(TBiDiMode Value) {
    FParentBiDiMode = false;
    if (Value == FBiDiMode) return;
    FBiDiMode = Value;
    Changed(false);
}

void THeaderSection::SetParentBiDiMode(bool Value) {
    if (Value == FParentBiDiMode) return;
    FParentBiDiMode = Value;
    ParentBiDiModeChanged();
}

void THeaderSection::ParentBiDiModeChanged() {
    if (!FParentBiDiMode) return;
    if (THeaderControl* h = Header()) FBiDiMode = h->GetBiDiMode();
    Changed(false);
}

Integer THeaderSection::GetLeft() const {
    Int64 x = 0;
    if (!FCollection) return 0;
    for (Integer i = 0; i < GetIndex(); ++i)
        x += static_cast<THeaderSection*>(FCollection->GetItems(i))->FWidth;
    return Integer(std::min<Int64>(x, MaxSectionWidth));
}

// ---- THeaderSections ----

THeaderSections::THeaderSections(THeaderControl* HeaderControl)
    : TCollection(THeaderSection::StaticClass()), FHeaderControl(HeaderControl) {}

TPersistent* THeaderSections::GetOwner() {
    return FHeaderControl;
}

void THeaderSections::Update(TCollectionItem*) {
    if (FHeaderControl) {
        FHeaderControl->AdjustAutoSize();
        FHeaderControl->Invalidate();
    }
}

// ---- THeaderControl ----

THeaderControl::THeaderControl(TComponent* AOwner)
    : TCustomControl(AOwner), FSections(new THeaderSections(this)) {
    FControlStyle = {csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
    FColor = clBtnFace;
    FParentColor = false;
    SetBounds(FLeft, FTop, 200, 17);
    SetAlign(alTop);
}

THeaderControl::~THeaderControl() {
    FSections->Free();
}

void THeaderControl::SetSections(THeaderSections* Value) {
    FSections->Assign(Value);
}

void THeaderControl::SetHotTrack(bool Value) {
    FHotTrack = Value;
    Invalidate();
}

void THeaderControl::SetStyle(THeaderStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Invalidate();
}

void THeaderControl::Resize() {
    AdjustAutoSize();
    TCustomControl::Resize();
}

void THeaderControl::AdjustAutoSize() {
    if (FAdjusting) return;
    Integer n = 0;
    Int64 fixed = 0;
    for (Integer i = 0; i < FSections->GetCount(); ++i) {
        THeaderSection* s = FSections->GetItems(i);
        if (s->FAutoSize)
            ++n;
        else
            fixed += s->FWidth;
    }
    if (n == 0) return;
    Integer free = Integer(std::max<Int64>(0, FWidth - fixed));
    FAdjusting = true;
    Integer k = 0;
    for (Integer i = 0; i < FSections->GetCount(); ++i) {
        THeaderSection* s = FSections->GetItems(i);
        if (!s->FAutoSize) continue;
        s->FWidth = std::clamp<Integer>(free / n + (k++ < free % n ? 1 : 0), s->FMinWidth,
                                        std::max(s->FMinWidth, s->FMaxWidth));
    }
    FAdjusting = false;
    Invalidate();
}

Integer THeaderControl::SectionAt(Integer X) {
    for (Integer i = 0; i < FSections->GetCount(); ++i) {
        THeaderSection* s = FSections->GetItems(i);
        if (X >= s->GetLeft() && X < s->GetRight()) return i;
    }
    return -1;
}

Integer THeaderControl::DividerAt(Integer X) {
    // The last of sections squeezed shut takes a shared divider, so it can be pulled open.
    Integer found = -1;
    for (Integer i = 0; i < FSections->GetCount(); ++i) {
        Integer r = FSections->GetItems(i)->GetRight();
        if (X >= r - Grip && X <= r + Grip) found = i;
        if (r > X + Grip) break;
    }
    return found;
}

void THeaderControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (Button == mbLeft) {
        Integer d = DividerAt(X);
        if (d >= 0) {
            FTracking = d;
            FTrackWidth = FSections->GetItems(d)->GetWidth();
            SectionTrack(FSections->GetItems(d), FTrackWidth, tsTrackBegin);
        } else if (Integer s = SectionAt(X); s >= 0 && FSections->GetItems(s)->FAllowClick) {
            FPressed = s;
            FPressedIn = true;
            Invalidate();
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void THeaderControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    if (FTracking >= 0) {
        THeaderSection* s = FSections->GetItems(FTracking);
        Integer w = std::clamp<Integer>(X - s->GetLeft(), s->FMinWidth,
                                        std::max(s->FMinWidth, s->FMaxWidth));
        if (w != FTrackWidth) {
            FTrackWidth = w;
            SectionTrack(s, w, tsTrackMove);
            if (FFullDrag) {
                s->SetWidth(w);
                SectionResize(s);
            }
        }
    } else if (FPressed >= 0) {
        bool in = SectionAt(X) == FPressed && Y >= 0 && Y < FHeight;
        if (in != FPressedIn) {
            FPressedIn = in;
            Invalidate();
        }
    } else if (FHotTrack) {
        Integer hot = SectionAt(X);
        if (hot != FHot) {
            FHot = hot;
            Invalidate();
        }
    }
    SetCursor(FTracking >= 0 || DividerAt(X) >= 0 ? crHSplit : crDefault);
    TCustomControl::MouseMove(Shift, X, Y);
}

void THeaderControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (Button == mbLeft && FTracking >= 0) {
        THeaderSection* s = FSections->GetItems(FTracking);
        FTracking = -1;
        SectionTrack(s, FTrackWidth, tsTrackEnd);
        if (s->GetWidth() != FTrackWidth) {
            s->SetWidth(FTrackWidth);
            SectionResize(s);
        }
    } else if (Button == mbLeft && FPressed >= 0) {
        Integer pressed = FPressed;
        bool in = FPressedIn;
        FPressed = -1;
        FPressedIn = false;
        Invalidate();
        if (in) SectionClick(FSections->GetItems(pressed));
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void THeaderControl::SectionClick(THeaderSection* Section) {
    if (FOnSectionClick) FOnSectionClick(this, Section);
}

void THeaderControl::SectionResize(THeaderSection* Section) {
    if (FOnSectionResize) FOnSectionResize(this, Section);
}

void THeaderControl::SectionTrack(THeaderSection* Section, Integer Width,
                                  TSectionTrackState State) {
    if (FOnSectionTrack) FOnSectionTrack(this, Section, Width, State);
}

void THeaderControl::DrawSection(THeaderSection* Section, const TRect& Rect, bool Pressed) {
    if (FOnDrawSection) FOnDrawSection(this, Section, Rect, Pressed);
}

void THeaderControl::Paint() {
    TCanvas* c = FCanvas;
    TRect client = TControl::GetClientRect();
    c->GetBrush()->SetColor(FColor);
    c->FillRect(client);
    auto face = [&](TRect r, bool pressed) {
        if (FStyle == hsFlat && !pressed) {
            TRect e = r;
            DrawEdge(c, e, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
            return e;
        }
        TRect e = r;
        DrawEdge(c, e, pressed ? BDR_SUNKENOUTER : EDGE_RAISED, BF_RECT | BF_ADJUST | BF_MIDDLE);
        return e;
    };
    Integer x = 0;
    for (Integer i = 0; i < FSections->GetCount(); ++i) {
        THeaderSection* s = FSections->GetItems(i);
        TRect r{x, 0, x + s->GetWidth(), client.Bottom};
        x = r.Right;
        if (r.Right <= r.Left) continue;
        bool pressed = i == GetPressedSection();
        TRect inner = face(r, pressed);
        if (pressed) inner = {inner.Left + 1, inner.Top + 1, inner.Right + 1, inner.Bottom + 1};
        if (s->FStyle == hsOwnerDraw) {
            c->GetFont()->Assign(GetFont());
            DrawSection(s, inner, pressed);
        } else {
            TAlignment a = s->FAlignment;
            if (s->UseRightToLeftAlignment())
                a = a == taLeftJustify ? taRightJustify : a == taRightJustify ? taLeftJustify : a;
            TRect t{inner.Left + TextMargin - 2, inner.Top, inner.Right - TextMargin + 2,
                    inner.Bottom};
            Cardinal format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                              (a == taCenter         ? DT_CENTER
                               : a == taRightJustify ? DT_RIGHT
                                                     : DT_LEFT);
            c->GetFont()->SetColor(FHotTrack && i == FHot ? clHotLight : GetFont()->GetColor());
            c->GetBrush()->SetStyle(bsClear);
            DrawText(c, s->FText, t, format);
            c->GetBrush()->SetStyle(bsSolid);
        }
        if (x >= client.Right) break;
    }
    // The rest of the header is an empty section.
    if (x < client.Right) face({x, 0, client.Right, client.Bottom}, false);
}

} // namespace host
