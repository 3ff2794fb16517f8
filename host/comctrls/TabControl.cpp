#include "host/comctrls/TabControl.h"

#include "host/classes/StringList.h"
#include "host/classes/TypInfoRows.h"
#include "host/forms/Form.h"
#include "host/graphics/DrawText.h"
#include "host/graphics/Edges.h"
#include "host/imglist/ImgList.h"
#include "host/menus/Keys.h"

#include <algorithm>

namespace host {

namespace {
constexpr Integer TabMargin = 6;    // caption to tab edge, along the row
constexpr Integer Lift = 2;         // how far the selected tab stands out
constexpr Integer ButtonGap = 3;    // between button-style tabs
constexpr Integer ArrowSize = 16;   // each of the scroll arrows
constexpr Integer DisplayInset = 4; // frame to display area
constexpr Integer MaxTabSize = 1 << 14;

bool PtInRect(const TRect& R, TPoint P) {
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

constexpr TPropInfo CustomTabControlProps[] = {
    HOST_PROP(TCustomTabControl, HotTrack).Default(false).Unpublished(),
    HOST_PROP(TCustomTabControl, Images).Unpublished(),
    HOST_PROP(TCustomTabControl, MultiLine).Default(false).Unpublished(),
    HOST_PROP(TCustomTabControl, MultiSelect).Default(false).Unpublished(),
    HOST_PROP(TCustomTabControl, OwnerDraw).Default(false).Unpublished(),
    HOST_PROP(TCustomTabControl, RaggedRight).Default(false).Unpublished(),
    HOST_PROP(TCustomTabControl, ScrollOpposite).Default(false).Unpublished(),
    HOST_PROP(TCustomTabControl, Style).Default(tsTabs).Unpublished(),
    HOST_PROP(TCustomTabControl, TabHeight).Default(0).Unpublished(),
    HOST_PROP(TCustomTabControl, TabPosition).Default(tpTop).Unpublished(),
    HOST_PROP(TCustomTabControl, Tabs).Unpublished(),
    HOST_PROP(TCustomTabControl, TabIndex).Default(-1).Unpublished(),
    HOST_PROP(TCustomTabControl, TabWidth).Default(0).Unpublished(),
    HOST_PROP(TCustomTabControl, OnChange).Unpublished(),
    HOST_PROP(TCustomTabControl, OnChanging).Unpublished(),
    HOST_PROP(TCustomTabControl, OnDrawTab).Unpublished(),
    HOST_PROP(TCustomTabControl, OnGetImageIndex).Unpublished(),
};
constexpr TPropInfo TabControlProps[] = {
    "Align",          "Anchors",    "BiDiMode",        "Constraints",   "DockSite",
    "DragCursor",     "DragKind",   "DragMode",        "Enabled",       "Font",
    "HotTrack",       "Images",     "MultiLine",       "MultiSelect",   "OwnerDraw",
    "ParentBiDiMode", "ParentFont", "ParentShowHint",  "PopupMenu",     "RaggedRight",
    "ScrollOpposite", "ShowHint",   "Style",           "TabHeight",     "TabOrder",
    "TabPosition",    "Tabs",       "TabIndex",        "TabStop",       "TabWidth",
    "Visible",        "OnChange",   "OnChanging",      "OnDockDrop",    "OnDockOver",
    "OnDragDrop",     "OnDragOver", "OnDrawTab",       "OnEndDock",     "OnEndDrag",
    "OnEnter",        "OnExit",     "OnGetImageIndex", "OnGetSiteInfo", "OnMouseDown",
    "OnMouseMove",    "OnMouseUp",  "OnResize",        "OnStartDock",   "OnStartDrag",
    "OnUnDock",
};
} // namespace

const TMessageEntry TCustomTabControl::Messages[] = {
    HOST_ON(TCustomTabControl, CM_DIALOGKEY, CMDialogKey),
    HOST_ON(TCustomTabControl, WM_GETDLGCODE, WMGetDlgCode),
    HOST_ON(TCustomTabControl, CM_MOUSELEAVE, CMMouseLeave),
    HOST_ON(TCustomTabControl, CM_FONTCHANGED, CMFontChanged),
};
HOST_COMPONENT_METACLASS(TCustomTabControl, TCustomControl,
                         PropTable(CustomTabControlProps,
                                   MessageTable(TCustomTabControl::Messages)));
HOST_COMPONENT_METACLASS(TTabControl, TCustomTabControl, PropTable(TabControlProps));

TCustomTabControl::TCustomTabControl(TComponent* AOwner)
    : TCustomControl(AOwner), FTabs(new TStringList), FImageChangeLink(new TChangeLink) {
    FTabs->SetOnChange(TNotifyEvent::Bind<&TCustomTabControl::TabsChange>(this));
    FImageChangeLink->SetOnChange(TNotifyEvent::Bind<&TCustomTabControl::ImageListChange>(this));
    FControlStyle = {csAcceptsControls, csDoubleClicks, csOpaque, csCaptureMouse, csClickEvents};
    FColor = clBtnFace;
    FParentColor = false;
    SetTabStop(true);
    SetBounds(FLeft, FTop, 289, 193);
}

TCustomTabControl::~TCustomTabControl() {
    SetImages(nullptr);
    FTabs->SetOnChange({});
    FTabs->Free();
    FImageChangeLink->Free();
}

TStrings* TCustomTabControl::GetTabs() const {
    return FTabs;
}

void TCustomTabControl::SetTabs(TStrings* Value) {
    FTabs->Assign(Value);
}

void TCustomTabControl::TabsChange(TObject*) {
    TabsChanged();
}

void TCustomTabControl::TabsChanged() {
    // A single change of one tab keeps the selection on its tab; anything else that leaves
    // the index past the end unselects.
    Integer count = FTabs->GetCount();
    if (FTabIndex >= count) FTabIndex = -1;
    FFirstTab = std::clamp<Integer>(FFirstTab, 0, std::max<Integer>(0, count - 1));
    Relayout();
}

void TCustomTabControl::Relayout() {
    FLayoutValid = false;
    Realign();
    Invalidate();
}

void TCustomTabControl::SetTabIndex(Integer Value) {
    if (Value < -1 || Value >= FTabs->GetCount()) Value = -1;
    if (Value == FTabIndex) return;
    FTabIndex = Value;
    if (Value >= 0) ScrollIntoView(Value);
    Relayout();
}

#define TAB_SETTER(Name, Type)                                                                     \
    void TCustomTabControl::Set##Name(Type Value) {                                                \
        if (F##Name == Value) return;                                                              \
        F##Name = Value;                                                                           \
        Relayout();                                                                                \
    }
TAB_SETTER(MultiLine, bool)
TAB_SETTER(MultiSelect, bool)
TAB_SETTER(TabPosition, TTabPosition)
TAB_SETTER(Style, TTabStyle)
TAB_SETTER(HotTrack, bool)
TAB_SETTER(RaggedRight, bool)
TAB_SETTER(ScrollOpposite, bool)
TAB_SETTER(OwnerDraw, bool)
#undef TAB_SETTER

void TCustomTabControl::SetTabWidth(Integer Value) {
    Value = std::clamp<Integer>(Value, 0, MaxTabSize);
    if (Value == FTabWidth) return;
    FTabWidth = Value;
    Relayout();
}

void TCustomTabControl::SetTabHeight(Integer Value) {
    Value = std::clamp<Integer>(Value, 0, MaxTabSize);
    if (Value == FTabHeight) return;
    FTabHeight = Value;
    Relayout();
}

void TCustomTabControl::SetImages(TCustomImageList* Value) {
    if (Value == FImages) return;
    if (FImages) {
        FImages->UnRegisterChanges(FImageChangeLink);
        FImages->RemoveFreeNotification(this);
    }
    FImages = Value;
    if (FImages) {
        FImages->RegisterChanges(FImageChangeLink);
        FImages->FreeNotification(this);
    }
    Relayout();
}

void TCustomTabControl::ImageListChange(TObject*) {
    Relayout();
}

void TCustomTabControl::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) {
        FImages = nullptr;
        Relayout();
    }
}

void TCustomTabControl::CMFontChanged(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    Relayout();
}

void TCustomTabControl::Resize() {
    FLayoutValid = false;
    TCustomControl::Resize();
}

// ---- layout ----
//
// Tabs are laid out as if on top: `u` runs along a row, `v` across the band from the outer
// edge. Map turns that into client coordinates for the tab position.

Integer TCustomTabControl::RowHeight() {
    if (FTabHeight > 0) return FTabHeight;
    FCanvas->GetFont()->Assign(GetFont());
    Integer h = FCanvas->TextHeight("Ag") + 5;
    if (FImages) h = std::max<Integer>(h, FImages->GetHeight() + 4);
    return h;
}

Integer TCustomTabControl::TabExtent(Integer Index) {
    if (FTabWidth > 0) return FTabWidth;
    FCanvas->GetFont()->Assign(GetFont());
    Integer w = FCanvas->TextWidth(FTabs->GetStrings(Index)) + 2 * TabMargin;
    if (FImages) w += FImages->GetWidth() + 3;
    return std::min(w, MaxTabSize);
}

namespace {
struct Mapper {
    TTabPosition Pos;
    Integer W, H;
    TRect Map(Integer U0, Integer U1, Integer V0, Integer V1) const {
        switch (Pos) {
        case tpTop: return {U0, V0, U1, V1};
        case tpBottom: return {U0, H - V1, U1, H - V0};
        case tpLeft: return {V0, U0, V1, U1};
        case tpRight: return {W - V1, U0, W - V0, U1};
        }
        return {};
    }
    Integer Along() const { return Pos == tpLeft || Pos == tpRight ? H : W; }
};
} // namespace

const TCustomTabControl::Layout& TCustomTabControl::GetLayout() {
    if (!FLayoutValid) {
        FLayoutValid = true;
        Layout l;
        TRect client = TControl::GetClientRect();
        Mapper m{FTabPosition, client.Right, client.Bottom};
        Integer count = FTabs->GetCount();
        Integer rowH = RowHeight();
        bool buttons = FStyle != tsTabs;
        Integer pitch = buttons ? rowH + ButtonGap : rowH;
        Integer start = buttons ? 0 : Lift;
        Integer length = std::max<Integer>(0, m.Along() - 2 * start);
        std::vector<Integer> ext(static_cast<std::size_t>(count));
        for (Integer i = 0; i < count; ++i) ext[std::size_t(i)] = TabExtent(i);
        l.Tabs.assign(std::size_t(count), TRect{});
        // rows: [first, last) of tabs, in natural order
        std::vector<std::pair<Integer, Integer>> rows;
        bool multi = FMultiLine || Vertical();
        if (count > 0) {
            if (multi) {
                Integer first = 0, used = 0;
                for (Integer i = 0; i < count; ++i) {
                    Integer e = ext[std::size_t(i)];
                    if (i > first && used + e > length) {
                        rows.push_back({first, i});
                        first = i, used = 0;
                    }
                    used += e;
                }
                rows.push_back({first, count});
            } else {
                Integer total = 0;
                for (Integer e : ext) total += e;
                l.Arrows = total > length && count > 1;
                if (!l.Arrows) FFirstTab = 0;
                rows.push_back({FFirstTab, count});
            }
        }
        l.Rows = Integer(rows.size());
        Integer selRow = 0;
        for (Integer r = 0; r < l.Rows; ++r)
            if (FTabIndex >= rows[std::size_t(r)].first && FTabIndex < rows[std::size_t(r)].second)
                selRow = r;
        // Each row's distance from the client area and its side: the selected row lies next
        // to the client; with ScrollOpposite the rows before it move to the other side.
        Integer nearRows = 0, farRows = 0;
        std::vector<std::pair<bool, Integer>> place(rows.size());
        for (Integer r = 0; r < l.Rows; ++r) {
            if (FScrollOpposite && multi && r < selRow)
                place[std::size_t(r)] = {true, selRow - 1 - r}, ++farRows;
            else
                place[std::size_t(r)] = {false, FScrollOpposite && multi
                                                    ? r - selRow
                                                    : (r - selRow + l.Rows) % l.Rows},
                ++nearRows;
        }
        Integer across =
            FTabPosition == tpLeft || FTabPosition == tpRight ? client.Right : client.Bottom;
        Integer nearBand = nearRows > 0 ? start + nearRows * pitch : 0;
        Integer farBand = farRows > 0 ? start + farRows * pitch : 0;
        l.Band = nearBand;
        for (Integer r = 0; r < l.Rows; ++r) {
            auto [first, last] = rows[std::size_t(r)];
            Integer used = 0;
            for (Integer i = first; i < last; ++i) used += ext[std::size_t(i)];
            // Rows of a multi-line control stretch to the full length unless ragged.
            Integer extra =
                multi && l.Rows > 1 && !FRaggedRight && used < length ? length - used : 0;
            Integer u = start;
            Integer limit = start + length - (l.Arrows ? 2 * ArrowSize : 0);
            auto [far, dist] = place[std::size_t(r)];
            for (Integer i = first; i < last; ++i) {
                Integer e = ext[std::size_t(i)];
                if (extra > 0) {
                    Integer n = last - first;
                    e += extra / n + (i - first < extra % n ? 1 : 0);
                }
                if (l.Arrows && i > first && u + e > limit) break; // out of sight
                Integer v0, v1;
                if (!far) {
                    v0 = nearBand - (dist + 1) * pitch;
                    v1 = v0 + rowH;
                } else {
                    v1 = across - farBand + (dist + 1) * pitch;
                    v0 = v1 - rowH;
                    if (buttons) v0 += ButtonGap, v1 += ButtonGap;
                }
                l.Tabs[std::size_t(i)] = m.Map(u, u + e, v0, v1);
                u += e;
            }
        }
        TRect frame = m.Map(0, m.Along(), nearBand, across - farBand);
        if (count == 0 && !buttons) frame = m.Map(0, m.Along(), start, across);
        l.Frame = frame;
        TRect d = frame;
        if (!buttons)
            d = {d.Left + DisplayInset, d.Top + DisplayInset, d.Right - DisplayInset,
                 d.Bottom - DisplayInset};
        d.Right = std::max(d.Right, d.Left);
        d.Bottom = std::max(d.Bottom, d.Top);
        l.Display = d;
        FLayout = std::move(l);
    }
    return FLayout;
}

TRect TCustomTabControl::GetDisplayRect() {
    return GetLayout().Display;
}

void TCustomTabControl::AdjustClientRect(TRect& Rect) {
    Rect = GetDisplayRect();
}

Integer TCustomTabControl::RowCount() {
    return GetLayout().Rows;
}

bool TCustomTabControl::ScrollArrowsShown() {
    return GetLayout().Arrows;
}

TRect TCustomTabControl::TabRect(Integer Index) {
    const Layout& l = GetLayout();
    if (Index < 0 || std::size_t(Index) >= l.Tabs.size()) return {};
    TRect r = l.Tabs[std::size_t(Index)];
    if (Index == FTabIndex && FStyle == tsTabs && r.Right > r.Left) {
        // The selected tab is larger and reaches over the frame's edge into the client.
        r = {r.Left - Lift, r.Top - Lift, r.Right + Lift, r.Bottom + Lift};
        switch (FTabPosition) {
        case tpTop: r.Bottom -= Lift - 1; break;
        case tpBottom: r.Top += Lift - 1; break;
        case tpLeft: r.Right -= Lift - 1; break;
        case tpRight: r.Left += Lift - 1; break;
        }
    }
    return r;
}

TRect TCustomTabControl::ArrowRect(bool Forward) {
    TRect client = TControl::GetClientRect();
    const Layout& l = GetLayout();
    Mapper m{FTabPosition, client.Right, client.Bottom};
    Integer u1 = m.Along() - (Forward ? 0 : ArrowSize);
    Integer v1 = std::max<Integer>(ArrowSize, l.Band - Lift);
    return m.Map(u1 - ArrowSize, u1, v1 - ArrowSize, v1);
}

Integer TCustomTabControl::IndexOfTabAt(Integer X, Integer Y) {
    const Layout& l = GetLayout();
    TPoint p{X, Y};
    if (l.Arrows && (PtInRect(ArrowRect(true), p) || PtInRect(ArrowRect(false), p))) return -1;
    // The selected tab stands over its neighbours, so it is asked first.
    if (FTabIndex >= 0 && PtInRect(TabRect(FTabIndex), p)) return FTabIndex;
    for (Integer i = 0; i < Integer(l.Tabs.size()); ++i)
        if (PtInRect(l.Tabs[std::size_t(i)], p)) return i;
    return -1;
}

void TCustomTabControl::ScrollIntoView(Integer Index) {
    if (FMultiLine || Vertical()) return;
    if (Index < FFirstTab) {
        FFirstTab = Index;
        FLayoutValid = false;
        return;
    }
    FLayoutValid = false;
    while (FFirstTab < Index && GetLayout().Tabs[std::size_t(Index)].Right <=
                                    GetLayout().Tabs[std::size_t(Index)].Left) {
        ++FFirstTab;
        FLayoutValid = false;
    }
}

// ---- selection ----

bool TCustomTabControl::CanChange() {
    bool allow = true;
    if (FOnChanging) FOnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Change() {
    if (FOnChange) FOnChange(this);
}

void TCustomTabControl::SelectByUser(Integer Index) {
    if (Index < 0 || Index >= FTabs->GetCount() || Index == FTabIndex) return;
    if (!CanChange()) return; // refused: the selected tab stays
    SetTabIndex(Index);
    Change();
}

void TCustomTabControl::SelectNextTab(bool GoForward) {
    Integer count = FTabs->GetCount();
    if (count == 0) return;
    Integer i = FTabIndex < 0 ? (GoForward ? 0 : count - 1)
                              : (FTabIndex + (GoForward ? 1 : count - 1)) % count;
    SelectByUser(i);
}

void TCustomTabControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (Button == mbLeft) {
        const Layout& l = GetLayout();
        TPoint p{X, Y};
        if (l.Arrows && PtInRect(ArrowRect(true), p)) {
            if (!l.Tabs.empty() && l.Tabs.back().Right <= l.Tabs.back().Left) ++FFirstTab;
            Relayout();
        } else if (l.Arrows && PtInRect(ArrowRect(false), p)) {
            if (FFirstTab > 0) --FFirstTab;
            Relayout();
        } else {
            Integer i = IndexOfTabAt(X, Y);
            if (i >= 0) {
                if (CanFocus() && !GetComponentState().Contains(csDesigning)) SetFocus();
                SelectByUser(i);
            }
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomTabControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    if (FHotTrack) {
        Integer hot = IndexOfTabAt(X, Y);
        if (hot != FHotTab) {
            FHotTab = hot;
            Invalidate();
        }
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomTabControl::CMMouseLeave(TMessage& Message) {
    if (FHotTab >= 0) {
        FHotTab = -1;
        Invalidate();
    }
    DispatchInherited(&ClassMeta, &Message);
}

void TCustomTabControl::KeyDown(Word& Key, TShiftState Shift) {
    // Arrows step through the tabs as the user would click them.
    if (Key == VK_LEFT || Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN) {
        if (FTabs->GetCount() > 0) {
            bool forward = Key == VK_RIGHT || Key == VK_DOWN;
            Integer i = FTabIndex < 0 ? 0 : FTabIndex + (forward ? 1 : -1);
            if (i >= 0 && i < FTabs->GetCount()) SelectByUser(i);
        }
        Key = 0;
        return;
    }
    TCustomControl::KeyDown(Key, Shift);
}

void TCustomTabControl::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_WANTARROWS;
}

void TCustomTabControl::CMDialogKey(TMessage& Message) {
    // Ctrl+Tab and Ctrl+Shift+Tab, while the focus is on the control or inside it.
    if (Word(Message.WParam) == VK_TAB && GetKeyState(VK_CONTROL) < 0 && GetVisible() &&
        GetEnabled()) {
        TCustomForm* form = GetParentForm(this);
        TWinControl* focus = form ? form->GetActiveControl() : nullptr;
        if (Focused() || (focus && ContainsControl(focus))) {
            SelectNextTab(GetKeyState(VK_SHIFT) >= 0);
            Message.Result = 1;
            return;
        }
    }
    DispatchInherited(&ClassMeta, &Message);
}

// ---- painting ----

Integer TCustomTabControl::GetImageIndex(Integer TabIndex) {
    Integer index = TabIndex;
    if (FOnGetImageIndex) FOnGetImageIndex(this, TabIndex, index);
    return index;
}

void TCustomTabControl::DrawTab(Integer TabIndex, const TRect& Rect, bool Active) {
    if (FOnDrawTab) {
        FOnDrawTab(this, TabIndex, Rect, Active);
        return;
    }
    TCanvas* c = FCanvas;
    TRect r = Rect;
    if (FImages) {
        Integer image = GetImageIndex(TabIndex);
        Integer y = r.Top + (r.Bottom - r.Top - FImages->GetHeight()) / 2;
        if (image >= 0 && image < FImages->GetCount())
            FImages->Draw(c, r.Left + TabMargin, y, image, GetEnabled());
        r.Left += TabMargin + FImages->GetWidth() + 3 - TabMargin;
    }
    c->GetBrush()->SetStyle(bsClear);
    if (!GetEnabled()) {
        DrawDisabledText(c, FTabs->GetStrings(TabIndex), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    } else {
        c->GetFont()->SetColor(FHotTrack && TabIndex == FHotTab ? clHotLight
                                                                : GetFont()->GetColor());
        DrawText(c, FTabs->GetStrings(TabIndex), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    c->GetBrush()->SetStyle(bsSolid);
}

namespace {
void Fill(TCanvas* C, const TRect& R, TColor Color) {
    if (R.Right <= R.Left || R.Bottom <= R.Top) return;
    C->GetBrush()->SetColor(Color);
    C->FillRect(R);
}

/// A raised tab: its outer side and both ends drawn, the side toward the client left open.
void DrawTabFrame(TCanvas* C, const TRect& R, TTabPosition Pos) {
    Integer l = R.Left, t = R.Top, r = R.Right - 1, b = R.Bottom - 1;
    Fill(C, R, clBtnFace);
    auto h = [&](Integer x0, Integer x1, Integer y, TColor c) {
        Fill(C, {x0, y, x1 + 1, y + 1}, c);
    };
    auto v = [&](Integer x, Integer y0, Integer y1, TColor c) {
        Fill(C, {x, y0, x + 1, y1 + 1}, c);
    };
    switch (Pos) {
    case tpTop:
        h(l + 2, r - 2, t, clBtnHighlight);
        v(l, t + 2, b, clBtnHighlight);
        C->SetPixels(l + 1, t + 1, clBtnHighlight);
        v(r - 1, t + 1, b, clBtnShadow);
        v(r, t + 2, b, cl3DDkShadow);
        C->SetPixels(r - 1, t + 1, cl3DDkShadow);
        break;
    case tpBottom:
        v(l, t, b - 2, clBtnHighlight);
        h(l + 2, r - 2, b, cl3DDkShadow);
        h(l + 1, r - 2, b - 1, clBtnShadow);
        C->SetPixels(l + 1, b - 1, cl3DDkShadow);
        v(r, t, b - 2, cl3DDkShadow);
        v(r - 1, t, b - 1, clBtnShadow);
        C->SetPixels(r - 1, b - 1, cl3DDkShadow);
        break;
    case tpLeft:
        v(l, t + 2, b - 2, clBtnHighlight);
        h(l + 2, r, t, clBtnHighlight);
        C->SetPixels(l + 1, t + 1, clBtnHighlight);
        h(l + 2, r, b, cl3DDkShadow);
        h(l + 1, r, b - 1, clBtnShadow);
        C->SetPixels(l + 1, b - 1, cl3DDkShadow);
        break;
    case tpRight:
        h(l, r - 2, t, clBtnHighlight);
        v(r, t + 2, b - 2, cl3DDkShadow);
        v(r - 1, t + 1, b - 1, clBtnShadow);
        C->SetPixels(r - 1, t + 1, cl3DDkShadow);
        h(l, r - 2, b, cl3DDkShadow);
        h(l, r - 1, b - 1, clBtnShadow);
        C->SetPixels(r - 1, b - 1, cl3DDkShadow);
        break;
    }
}

void DrawArrow(TCanvas* C, TRect R, bool Forward, bool Vertical, bool Enabled) {
    TRect face = DrawPushButton(C, R, false, false);
    Integer cx = (face.Left + face.Right) / 2, cy = (face.Top + face.Bottom) / 2;
    TColor color = Enabled ? clBtnText : clBtnShadow;
    for (Integer i = 0; i < 4; ++i) {
        // A small triangle pointing the way the tabs scroll.
        if (!Vertical) {
            Integer x = Forward ? cx - 2 + i : cx + 1 - i;
            Fill(C, {x, cy - 3 + i, x + 1, cy + 4 - i}, color);
        } else {
            Integer y = Forward ? cy - 2 + i : cy + 1 - i;
            Fill(C, {cx - 3 + i, y, cx + 4 - i, y + 1}, color);
        }
    }
}
} // namespace

void TCustomTabControl::Paint() {
    TCanvas* c = FCanvas;
    const Layout& l = GetLayout();
    TRect client = TControl::GetClientRect();
    Fill(c, client, FColor);
    if (FStyle == tsTabs) {
        TRect frame = l.Frame;
        DrawEdge(c, frame, EDGE_RAISED, BF_RECT | BF_SOFT);
    }
    auto paintTab = [&](Integer i) {
        TRect r = TabRect(i);
        if (r.Right <= r.Left) return;
        bool active = i == FTabIndex;
        TRect inner = r;
        switch (FStyle) {
        case tsTabs:
            DrawTabFrame(c, r, FTabPosition);
            inner = {r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 1};
            break;
        case tsButtons: inner = DrawPushButton(c, r, active, false); break;
        case tsFlatButtons:
            Fill(c, r, FColor);
            if (active) {
                TRect e = r;
                DrawEdge(c, e, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
                inner = e;
            }
            break;
        }
        if (active && FStyle != tsTabs)
            inner = {inner.Left + 1, inner.Top + 1, inner.Right, inner.Bottom};
        if (FOwnerDraw && FOnDrawTab) {
            c->GetFont()->Assign(GetFont());
            c->GetBrush()->SetColor(FColor);
        }
        if (FOwnerDraw)
            DrawTab(i, inner, active);
        else
            TCustomTabControl::DrawTab(i, inner, active);
        // The focused control shows a dotted frame round the selected tab's caption.
        if (active && Focused())
            c->DrawFocusRect({inner.Left + 1, inner.Top + 1, inner.Right - 1, inner.Bottom - 1});
    };
    for (Integer i = 0; i < Integer(l.Tabs.size()); ++i)
        if (i != FTabIndex) paintTab(i);
    if (FTabIndex >= 0) paintTab(FTabIndex);
    if (l.Arrows) {
        bool more = !l.Tabs.empty() && l.Tabs.back().Right <= l.Tabs.back().Left;
        DrawArrow(c, ArrowRect(false), false, false, FFirstTab > 0);
        DrawArrow(c, ArrowRect(true), true, false, more);
    }
}

} // namespace host
