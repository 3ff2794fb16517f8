#include "host/stdctrls/ListBox.h"

#include "host/classes/Lists.h"
#include "host/classes/TypInfoRows.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/DrawText.h"
#include "host/graphics/Edges.h"
#include "host/graphics/Text.h"
#include "host/menus/Keys.h"
#include "host/stdctrls/StdMessages.h"
#include "host/system/SysUtils.h"

#include <algorithm>

namespace host {

namespace {
constexpr TPropInfo CustomListBoxProps[] = {
    HOST_PROP(TCustomListBox, BorderStyle).Default(bsSingle).Unpublished(),
    HOST_PROP(TCustomListBox, Columns).Default(0).Unpublished(),
    HOST_PROP(TCustomListBox, ExtendedSelect).Default(true).Unpublished(),
    HOST_PROP(TCustomListBox, IntegralHeight).Default(false).Unpublished(),
    HOST_PROP(TCustomListBox, ItemHeight).Default(16).Unpublished(),
    HOST_PROP(TCustomListBox, Items).Unpublished(),
    HOST_PROP(TCustomListBox, MultiSelect).Default(false).Unpublished(),
    HOST_PROP(TCustomListBox, Sorted).Default(false).Unpublished(),
    HOST_PROP(TCustomListBox, Style).Default(lbStandard).Unpublished(),
    HOST_PROP(TCustomListBox, TabWidth).Default(0).Unpublished(),
    HOST_PROP(TCustomListBox, OnDrawItem).Unpublished(),
    HOST_PROP(TCustomListBox, OnMeasureItem).Unpublished(),
    HOST_PROP(TControl, ParentColor).Default(false).Unpublished(),
    // Published here with the default these controls have.
    HOST_PROP(TWinControl, TabStop).Default(true),
};
constexpr TPropInfo ListBoxProps[] = {
    "Align",          "Anchors",        "BiDiMode",       "BorderStyle", "Color",
    "Columns",        "Constraints",    "Ctl3D",          "DragCursor",  "DragKind",
    "DragMode",       "Enabled",        "ExtendedSelect", "Font",        "ImeMode",
    "ImeName",        "IntegralHeight", "ItemHeight",     "Items",       "MultiSelect",
    "ParentBiDiMode", "ParentColor",    "ParentCtl3D",    "ParentFont",  "ParentShowHint",
    "PopupMenu",      "ShowHint",       "Sorted",         "Style",       "TabOrder",
    "TabStop",        "TabWidth",       "Visible",        "OnClick",     "OnDblClick",
    "OnDragDrop",     "OnDragOver",     "OnDrawItem",     "OnEndDock",   "OnEndDrag",
    "OnEnter",        "OnExit",         "OnKeyDown",      "OnKeyPress",  "OnKeyUp",
    "OnMeasureItem",  "OnMouseDown",    "OnMouseMove",    "OnMouseUp",   "OnStartDock",
    "OnStartDrag",
};
} // namespace

HOST_METACLASS(TListBoxStrings, TStrings);
const TMessageEntry TCustomListBox::Messages[] = {
    HOST_ON(TCustomListBox, CM_FONTCHANGED, CMFontChanged),
    HOST_ON(TCustomListBox, CM_ENTER, CMEnter),
    HOST_ON(TCustomListBox, CM_EXIT, CMExit),
};
HOST_COMPONENT_METACLASS(TCustomListBox, TWinControl,
                         PropTable(CustomListBoxProps, MessageTable(TCustomListBox::Messages)));
HOST_COMPONENT_METACLASS(TListBox, TCustomListBox, PropTable(ListBoxProps));

// ---- TListBoxStrings ----

void TListBoxStrings::Check(Integer Index) const {
    if (Index < 0 || Index >= GetCount()) Error(&SListIndexError, Index);
}

AnsiString TListBoxStrings::Get(Integer Index) {
    Check(Index);
    return FItems[std::size_t(Index)].S;
}

TObject* TListBoxStrings::GetObject(Integer Index) {
    Check(Index);
    return FItems[std::size_t(Index)].Object;
}

void TListBoxStrings::Put(Integer Index, const AnsiString& S) {
    // As the host does it: the item goes and comes back with its object (in its sorted
    // place in a sorted list).
    Check(Index);
    TObject* o = FItems[std::size_t(Index)].Object;
    bool selected = FItems[std::size_t(Index)].Selected;
    Integer focused = FListBox->FItemIndex;
    Delete(Index);
    Integer at = FListBox->FSorted ? AddObject(S, o) : (InsertObject(Index, S, o), Index);
    FItems[std::size_t(at)].Selected = selected;
    if (focused == Index) FListBox->FItemIndex = at;
    FListBox->ItemsChanged();
}

void TListBoxStrings::PutObject(Integer Index, TObject* AObject) {
    Check(Index);
    FItems[std::size_t(Index)].Object = AObject;
}

Integer TListBoxStrings::Add(const AnsiString& S) {
    return AddObject(S, nullptr);
}

Integer TListBoxStrings::AddObject(const AnsiString& S, TObject* AObject) {
    Integer at = GetCount();
    if (FListBox->FSorted) {
        // The platform's sorted list: after the items that compare lower or equal, ignoring case.
        at = Integer(std::upper_bound(FItems.begin(), FItems.end(), S,
                                      [](const AnsiString& A, const Item& B) {
                                          return AnsiCompareText(A, B.S) < 0;
                                      }) -
                     FItems.begin());
    }
    FItems.insert(FItems.begin() + at, Item{S, AObject, false});
    if (FListBox->FItemIndex >= at) ++FListBox->FItemIndex;
    FListBox->ItemsChanged();
    return at;
}

void TListBoxStrings::Insert(Integer Index, const AnsiString& S) {
    if (Index < 0 || Index > GetCount()) Error(&SListIndexError, Index);
    FItems.insert(FItems.begin() + Index, Item{S, nullptr, false});
    if (FListBox->FItemIndex >= Index) ++FListBox->FItemIndex;
    FListBox->ItemsChanged();
}

void TListBoxStrings::Delete(Integer Index) {
    Check(Index);
    FItems.erase(FItems.begin() + Index);
    Integer& focused = FListBox->FItemIndex;
    if (focused == Index)
        focused = -1;
    else if (focused > Index)
        --focused;
    FListBox->ItemsChanged();
}

void TListBoxStrings::Clear() {
    FItems.clear();
    FListBox->FItemIndex = -1;
    FListBox->FTopIndex = 0;
    FListBox->ItemsChanged();
}

void TListBoxStrings::Exchange(Integer Index1, Integer Index2) {
    Check(Index1);
    Check(Index2);
    std::swap(FItems[std::size_t(Index1)], FItems[std::size_t(Index2)]);
    FListBox->ItemsChanged();
}

void TListBoxStrings::Move(Integer CurIndex, Integer NewIndex) {
    Check(CurIndex);
    Check(NewIndex);
    Item item = FItems[std::size_t(CurIndex)];
    FItems.erase(FItems.begin() + CurIndex);
    FItems.insert(FItems.begin() + NewIndex, item);
    FListBox->ItemsChanged();
}

Integer TListBoxStrings::IndexOf(const AnsiString& S) {
    // The platform's exact search: the whole string, ignoring case.
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (AnsiCompareText(FItems[i].S, S) == 0) return Integer(i);
    return -1;
}

void TListBoxStrings::SetUpdateState(bool Updating) {
    if (!Updating) FListBox->ItemsChanged();
}

// ---- TCustomListBox ----

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(new TControlCanvas), FItems(new TListBoxStrings(this)) {
    FCanvas->SetControl(this);
    FControlStyle = {csSetCaption, csDoubleClicks};
    FTabStop = true;
    FParentColor = false;
    SetColor(clWindow);
    SetBounds(0, 0, 121, 97);
}

TCustomListBox::~TCustomListBox() {
    FItems->Free();
    FCanvas->Free();
}

void TCustomListBox::SetBorderStyle(TFormBorderStyle Value) {
    if (Value != bsNone) Value = bsSingle;
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    Realign();
    Invalidate();
}

void TCustomListBox::SetColumns(Integer Value) {
    Value = std::max<Integer>(Value, 0);
    if (Value == FColumns) return;
    FColumns = Value;
    FTopIndex = 0;
    Invalidate();
}

void TCustomListBox::SetIntegralHeight(bool Value) {
    if (Value == FIntegralHeight) return;
    FIntegralHeight = Value;
    SetBounds(GetLeft(), GetTop(), GetWidth(), GetHeight());
}

Integer TCustomListBox::GetItemHeight() {
    // A standard list box's items are as high as its font's lines.
    if (FStyle == lbStandard) return GetTextMetrics(GetFont()->LogFont()).tmHeight;
    return FItemHeight;
}

void TCustomListBox::SetItemHeight(Integer Value) {
    if (Value <= 0 || Value == FItemHeight) return;
    FItemHeight = Value;
    Invalidate();
}

void TCustomListBox::SetMultiSelect(bool Value) {
    if (Value == FMultiSelect) return;
    FMultiSelect = Value;
    for (auto& item : FItems->FItems) item.Selected = false;
    Invalidate();
}

void TCustomListBox::SetSorted(bool Value) {
    if (Value == FSorted) return;
    FSorted = Value;
    if (!Value) return;
    std::stable_sort(FItems->FItems.begin(), FItems->FItems.end(),
                     [](const TListBoxStrings::Item& A, const TListBoxStrings::Item& B) {
                         return AnsiCompareText(A.S, B.S) < 0;
                     });
    FItemIndex = -1;
    ItemsChanged();
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Invalidate();
}

void TCustomListBox::SetTabWidth(Integer Value) {
    FTabWidth = std::max<Integer>(Value, 0);
    Invalidate();
}

void TCustomListBox::SetItemIndex(Integer Value) {
    if (Value < -1 || Value >= FItems->GetCount()) Value = -1;
    if (!FMultiSelect) {
        for (auto& item : FItems->FItems) item.Selected = false;
        if (Value >= 0) FItems->FItems[std::size_t(Value)].Selected = true;
    }
    FItemIndex = Value;
    FAnchor = Value;
    if (Value >= 0) ScrollInView(Value);
    Invalidate();
}

Integer TCustomListBox::GetSelCount() const {
    if (!FMultiSelect) return -1;
    return Integer(std::count_if(FItems->FItems.begin(), FItems->FItems.end(),
                                 [](const TListBoxStrings::Item& I) { return I.Selected; }));
}

bool TCustomListBox::GetSelected(Integer Index) const {
    if (Index < 0 || Index >= FItems->GetCount())
        throw EListError(Format(SListIndexError.Text, {Index}));
    return FItems->FItems[std::size_t(Index)].Selected;
}

void TCustomListBox::SetSelected(Integer Index, bool Value) {
    if (Index < 0 || Index >= FItems->GetCount())
        throw EListError(Format(SListIndexError.Text, {Index}));
    if (!FMultiSelect) {
        // One selection: selecting an item is choosing it; deselecting the chosen clears it.
        if (Value)
            SetItemIndex(Index);
        else if (FItemIndex == Index)
            SetItemIndex(-1);
        return;
    }
    FItems->FItems[std::size_t(Index)].Selected = Value;
    Invalidate();
}

void TCustomListBox::SetTopIndex(Integer Value) {
    Integer count = FItems->GetCount();
    Integer perPage = VisibleRows() * std::max<Integer>(FColumns, 1);
    Value = std::clamp<Integer>(Value, 0, std::max<Integer>(count - perPage, 0));
    if (FColumns > 0) Value -= Value % std::max<Integer>(VisibleRows(), 1); // whole columns
    if (Value == FTopIndex) return;
    FTopIndex = Value;
    Invalidate();
}

void TCustomListBox::ItemsChanged() {
    if (FItems->GetUpdateCount() > 0) return;
    Integer count = FItems->GetCount();
    if (FItemIndex >= count) FItemIndex = -1;
    if (FTopIndex >= count) FTopIndex = std::max<Integer>(count - 1, 0);
    Invalidate();
}

Integer TCustomListBox::HeightOf(Integer Index) {
    Integer h = GetItemHeight();
    if (FStyle == lbOwnerDrawVariable) MeasureItem(Index, h);
    return h;
}

void TCustomListBox::MeasureItem(Integer Index, Integer& Height) {
    if (FOnMeasureItem) FOnMeasureItem(this, Index, Height);
}

Integer TCustomListBox::VisibleRows() {
    return std::max<Integer>(GetClientRect().Bottom / std::max<Integer>(GetItemHeight(), 1), 1);
}

TRect TCustomListBox::ItemRect(Integer Index) {
    TRect client = GetClientRect();
    Integer count = FItems->GetCount();
    if (Index < 0 || Index > count) return {0, 0, 0, 0};
    if (FColumns > 0) {
        Integer rows = VisibleRows(), h = GetItemHeight();
        Integer colWidth = client.Right / FColumns;
        Integer rel = Index - FTopIndex;
        Integer col = rel >= 0 ? rel / rows : -1 - (-rel - 1) / rows;
        Integer row = rel - col * rows;
        return {col * colWidth, row * h, (col + 1) * colWidth, (row + 1) * h};
    }
    Integer y = 0;
    if (Index >= FTopIndex)
        for (Integer i = FTopIndex; i < Index; ++i) y += HeightOf(i);
    else
        for (Integer i = Index; i < FTopIndex; ++i) y -= HeightOf(i);
    return {0, y, client.Right, y + (Index < count ? HeightOf(Index) : GetItemHeight())};
}

Integer TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) {
    Integer count = FItems->GetCount();
    TRect client = GetClientRect();
    if (Pos.X >= client.Left && Pos.X < client.Right && Pos.Y >= client.Top)
        for (Integer i = FTopIndex; i < count; ++i) {
            TRect r = ItemRect(i);
            if (r.Top > client.Bottom && FColumns == 0) break;
            if (Pos.X >= r.Left && Pos.X < r.Right && Pos.Y >= r.Top && Pos.Y < r.Bottom) return i;
        }
    return Existing ? -1 : count;
}

void TCustomListBox::ScrollInView(Integer Index) {
    if (Index < FTopIndex) {
        SetTopIndex(Index);
        return;
    }
    Integer perPage = VisibleRows() * std::max<Integer>(FColumns, 1);
    if (FColumns > 0 || FStyle != lbOwnerDrawVariable) {
        if (Index >= FTopIndex + perPage)
            SetTopIndex(Index - perPage + 1 + (FColumns > 0 ? VisibleRows() - 1 : 0));
        return;
    }
    while (FTopIndex < Index && ItemRect(Index).Bottom > GetClientRect().Bottom) ++FTopIndex;
}

void TCustomListBox::SelectRange(Integer From, Integer To, bool Clear) {
    if (Clear)
        for (auto& item : FItems->FItems) item.Selected = false;
    for (Integer i = std::min(From, To); i <= std::max(From, To); ++i)
        if (i >= 0 && i < FItems->GetCount()) FItems->FItems[std::size_t(i)].Selected = true;
}

void TCustomListBox::ClickItem(Integer Index, TShiftState Shift) {
    if (Index < 0 || Index >= FItems->GetCount()) return;
    if (!FMultiSelect) {
        SetItemIndex(Index);
        return;
    }
    auto& item = FItems->FItems[std::size_t(Index)];
    if (!FExtendedSelect) {
        item.Selected = !item.Selected; // a plain multiple selection toggles
        FAnchor = Index;
    } else if (Shift.Contains(ssShift)) {
        SelectRange(FAnchor < 0 ? Index : FAnchor, Index, !Shift.Contains(ssCtrl));
    } else if (Shift.Contains(ssCtrl)) {
        item.Selected = !item.Selected;
        FAnchor = Index;
    } else {
        SelectRange(Index, Index, true);
        FAnchor = Index;
    }
    FItemIndex = Index;
    ScrollInView(Index);
    Invalidate();
}

void TCustomListBox::DefaultHandler(void* Message) {
    auto& m = *static_cast<TMessage*>(Message);
    TShiftState shift = KeysToShiftState(m.WParam);
    switch (m.Msg) {
    case WM_GETDLGCODE: m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (CanFocus() && !Focused()) SetFocus();
        Integer i = ItemAtPos(PointOf(m), true);
        Integer before = FItemIndex;
        ClickItem(i, shift);
        FSelecting = true;
        SetMouseCapture(true);
        // The platform tells the control of a choice (LBN_SELCHANGE): OnClick.
        if (i >= 0 && (FMultiSelect || i != before)) Click();
        return;
    }
    case WM_MOUSEMOVE:
        if (FSelecting && !FMultiSelect) {
            Integer i = ItemAtPos(PointOf(m), true);
            if (i >= 0 && i != FItemIndex) {
                SetItemIndex(i);
                Click();
            }
        }
        return;
    case WM_LBUTTONUP:
        if (FSelecting) {
            FSelecting = false;
            SetMouseCapture(false);
        }
        return;
    case WM_KEYDOWN: {
        Integer count = FItems->GetCount();
        if (count == 0) return;
        Integer page = VisibleRows();
        Integer i = FItemIndex;
        switch (Word(m.WParam)) {
        case VK_UP: i = i < 0 ? 0 : i - 1; break;
        case VK_DOWN: i = i + 1; break;
        case VK_LEFT: i = FColumns > 0 ? i - page : i - 1; break;
        case VK_RIGHT: i = FColumns > 0 ? i + page : i + 1; break;
        case VK_PRIOR: i = i - page + 1; break;
        case VK_NEXT: i = i + page - 1; break;
        case VK_HOME: i = 0; break;
        case VK_END: i = count - 1; break;
        case VK_SPACE:
            if (FMultiSelect && i >= 0) {
                ClickItem(i, TShiftState{ssCtrl});
                Click();
            }
            return;
        default: return;
        }
        i = std::clamp<Integer>(i, 0, count - 1);
        TShiftState keys;
        if (GetKeyState(VK_SHIFT) < 0) keys += ssShift;
        if (GetKeyState(VK_CONTROL) < 0) keys += ssCtrl;
        if (FMultiSelect && FExtendedSelect && keys.Contains(ssCtrl) && !keys.Contains(ssShift)) {
            FItemIndex = i; // Ctrl moves the focus alone
            ScrollInView(i);
            Invalidate();
            return;
        }
        if (i == FItemIndex && !FMultiSelect) return;
        ClickItem(i, FMultiSelect && !FExtendedSelect ? TShiftState{} : keys);
        if (FMultiSelect && !FExtendedSelect) {
            // A plain multiple selection moves the focus; Space selects.
            auto& item = FItems->FItems[std::size_t(i)];
            item.Selected = !item.Selected;
        }
        Click();
        return;
    }
    case WM_CHAR: {
        // A letter goes to the next item that starts with it.
        char c = char(m.WParam);
        if (static_cast<unsigned char>(c) < 32) return;
        Integer count = FItems->GetCount();
        for (Integer k = 1; k <= count; ++k) {
            Integer i = (std::max<Integer>(FItemIndex, -1) + k) % count;
            const AnsiString& s = FItems->FItems[std::size_t(i)].S;
            if (!s.empty() && std::toupper(static_cast<unsigned char>(s[0])) ==
                                  std::toupper(static_cast<unsigned char>(c))) {
                ClickItem(i, {});
                Click();
                return;
            }
        }
        return;
    }
    default: break;
    }
    TWinControl::DefaultHandler(Message);
}

TRect TCustomListBox::GetNonClientInsets() {
    TRect n = TWinControl::GetNonClientInsets();
    Integer b = FBorderStyle == bsNone ? 0 : ClientEdgeWidth();
    return {n.Left + b, n.Top + b, n.Right + b, n.Bottom + b};
}

void TCustomListBox::PaintNonClient(TCanvas* Canvas) {
    TWinControl::PaintNonClient(Canvas);
    if (FBorderStyle != bsNone) PaintClientEdge(Canvas);
}

void TCustomListBox::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
    if (FIntegralHeight && FStyle != lbOwnerDrawVariable &&
        !GetComponentState().Contains(csLoading)) {
        // Whole items: the client height rounds down to a multiple of the item height.
        TRect n = GetNonClientInsets();
        Integer h = std::max<Integer>(GetItemHeight(), 1);
        Integer client = std::max<Integer>(AHeight - n.Top - n.Bottom, 0);
        AHeight = client - client % h + n.Top + n.Bottom;
    }
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCustomListBox::DrawItem(Integer Index, TRect Rect, TOwnerDrawState State) {
    if (FOnDrawItem) {
        FOnDrawItem(this, Index, Rect, State);
        return;
    }
    DrawItemText(Index, Rect);
}

void TCustomListBox::DrawItemText(Integer Index, TRect Rect) {
    FCanvas->FillRect(Rect);
    if (Index < FItems->GetCount()) {
        const AnsiString& s = FItems->FItems[std::size_t(Index)].S;
        TRect text{Rect.Left + 2, Rect.Top, Rect.Right, Rect.Bottom};
        FCanvas->GetBrush()->SetStyle(bsClear);
        DrawText(FCanvas, s, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
        FCanvas->GetBrush()->SetStyle(bsSolid);
    }
}

void TCustomListBox::PaintWindow(TCanvas* Target) {
    PaintWith(FCanvas, this, Target, [&] {
        TRect client = GetClientRect();
        Integer count = FItems->GetCount();
        for (Integer i = FTopIndex; i < count; ++i) {
            TRect r = ItemRect(i);
            if (r.Top >= client.Bottom && FColumns == 0) break;
            if (r.Left >= client.Right) break;
            TOwnerDrawState state;
            bool selected = FItems->FItems[std::size_t(i)].Selected;
            if (selected) state += odSelected;
            if (!GetEnabled()) state += odDisabled;
            if (i == FItemIndex && Focused()) state += odFocused;
            // What the host's CNDrawItem sets before OnDrawItem: the font and the brush of the
            // item's state.
            FCanvas->GetFont()->Assign(GetFont());
            FCanvas->GetBrush()->SetStyle(bsSolid);
            if (selected) {
                FCanvas->GetBrush()->SetColor(clHighlight);
                FCanvas->GetFont()->SetColor(clHighlightText);
            } else {
                FCanvas->GetBrush()->SetColor(GetColor());
                if (!GetEnabled()) FCanvas->GetFont()->SetColor(clGrayText);
            }
            // Only an owner-drawn list asks DrawItem (OnDrawItem); the platform draws the rest.
            if (FStyle == lbStandard)
                DrawItemText(i, r);
            else
                DrawItem(i, r, state);
            if (state.Contains(odFocused)) FCanvas->DrawFocusRect(r);
        }
        if (count == 0 && Focused()) FCanvas->DrawFocusRect({0, 0, client.Right, GetItemHeight()});
    });
}

void TCustomListBox::CMFontChanged(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    Invalidate();
}

void TCustomListBox::CMEnter(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    Invalidate();
}

void TCustomListBox::CMExit(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    Invalidate();
}

} // namespace host
