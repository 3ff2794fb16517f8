#include "host/stdctrls/ComboBox.h"

#include "host/classes/TypInfoRows.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/DrawText.h"
#include "host/graphics/Edges.h"
#include "host/graphics/ScrollBarLook.h"
#include "host/graphics/Text.h"
#include "host/menus/Keys.h"
#include "host/system/SysUtils.h"

#include <algorithm>

namespace host {

namespace {
constexpr TPropInfo CustomComboBoxProps[] = {
    HOST_PROP(TCustomComboBox, DropDownCount).Default(8).Unpublished(),
    HOST_PROP(TCustomComboBox, ItemHeight).Unpublished(),
    HOST_PROP(TCustomComboBox, MaxLength).Default(0).Unpublished(),
    HOST_PROP(TCustomComboBox, Sorted).Default(false).Unpublished(),
    HOST_PROP(TCustomComboBox, Style).Default(csDropDown).Unpublished(),
    HOST_PROP(TCustomComboBox, Items).Unpublished(),
    HOST_PROP(TCustomComboBox, OnChange).Unpublished(),
    HOST_PROP(TCustomComboBox, OnDropDown).Unpublished(),
    HOST_PROP(TCustomComboBox, OnDrawItem).Unpublished(),
    HOST_PROP(TCustomComboBox, OnMeasureItem).Unpublished(),
    HOST_PROP(TControl, ParentColor).Default(false).Unpublished(),
    HOST_PROP(TWinControl, TabStop).Default(true),
};
constexpr TPropInfo ComboBoxProps[] = {
    "Style",       "Anchors",        "BiDiMode",       "Color",         "Constraints",
    "Ctl3D",       "DragCursor",     "DragKind",       "DragMode",      "DropDownCount",
    "Enabled",     "Font",           "ImeMode",        "ImeName",       "ItemHeight",
    "Items",       "MaxLength",      "ParentBiDiMode", "ParentColor",   "ParentCtl3D",
    "ParentFont",  "ParentShowHint", "PopupMenu",      "ShowHint",      "Sorted",
    "TabOrder",    "TabStop",        "Text",           "Visible",       "OnChange",
    "OnClick",     "OnDblClick",     "OnDragDrop",     "OnDragOver",    "OnDrawItem",
    "OnDropDown",  "OnEndDock",      "OnEndDrag",      "OnEnter",       "OnExit",
    "OnKeyDown",   "OnKeyPress",     "OnKeyUp",        "OnMeasureItem", "OnStartDock",
    "OnStartDrag",
};
constexpr Integer ButtonWidth = 16;
} // namespace

HOST_METACLASS(TComboListWindow, TCustomControl);
const TMessageEntry TCustomComboBox::Messages[] = {
    HOST_ON(TCustomComboBox, CM_TEXTCHANGED, CMTextChanged),
    HOST_ON(TCustomComboBox, CM_ENTER, CMEnter),
    HOST_ON(TCustomComboBox, CM_EXIT, CMExit),
};
HOST_COMPONENT_METACLASS(TCustomComboBox, TWinControl,
                         PropTable(CustomComboBoxProps, MessageTable(TCustomComboBox::Messages)));
HOST_COMPONENT_METACLASS(TComboBox, TCustomComboBox, PropTable(ComboBoxProps));

// ---- the dropped-down list ----

TComboListWindow::TComboListWindow(TCustomComboBox* ACombo)
    : TCustomControl(nullptr), FCombo(ACombo) {
    FVisible = false;
    SetColor(clWindow);
}

void TComboListWindow::Paint() {
    TCanvas* c = GetCanvas();
    TRect r = GetClientRect();
    DrawEdge(c, r, BDR_SUNKENOUTER, BF_RECT | BF_MONO | BF_ADJUST);
    c->GetBrush()->SetColor(clWindow);
    c->FillRect(r);
    Integer count = FCombo->GetItems()->GetCount();
    Integer rows = FCombo->ListRows(), h = FCombo->GetItemHeight();
    Integer width = r.Right - r.Left - (count > rows ? ButtonWidth : 0);
    for (Integer i = 0; i < rows && FCombo->FListTop + i < count; ++i) {
        Integer index = FCombo->FListTop + i;
        TRect item{r.Left, r.Top + i * h, r.Left + width, r.Top + (i + 1) * h};
        FCombo->PaintItem(c, index, item, index == FCombo->GetItemIndex());
    }
    if (count > rows)
        DrawScrollBar(c, {r.Right - ButtonWidth, r.Top, r.Right, r.Bottom}, false, 0, count - 1,
                      FCombo->FListTop, rows, true, clScrollBar);
}

void TComboListWindow::DefaultHandler(void* Message) {
    auto& m = *static_cast<TMessage*>(Message);
    if (m.Msg == WM_LBUTTONUP) {
        // A click on an item chooses it and closes the list.
        TPoint p = PointOf(m);
        Integer i = FCombo->FListTop + (p.Y - 1) / std::max<Integer>(FCombo->GetItemHeight(), 1);
        if (p.Y >= 1 && i < FCombo->GetItems()->GetCount()) FCombo->Choose(i);
        FCombo->SetDroppedDown(false);
        return;
    }
    TCustomControl::DefaultHandler(Message);
}

// ---- TCustomComboBox ----

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(new TControlCanvas), FEdit(new TCustomEdit(nullptr)),
      FItems(new TCustomListBox(nullptr)), FList(new TComboListWindow(this)) {
    FCanvas->SetControl(this);
    FControlStyle = {csCaptureMouse, csSetCaption, csDoubleClicks, csFixedHeight};
    FTabStop = true;
    FParentColor = false;
    SetColor(clWindow);
    FEdit->SetOnChange(TNotifyEvent::Bind<&TCustomComboBox::EditChanged>(this));
    FEdit->SetAutoSelect(false);
    Integer h = GetTextMetrics(GetFont()->LogFont()).tmHeight;
    SetBounds(0, 0, 145, h + 8);
}

TCustomComboBox::~TCustomComboBox() {
    FList->Free();
    FItems->Free();
    FEdit->Free();
    FCanvas->Free();
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Invalidate();
}

Integer TCustomComboBox::GetItemHeight() {
    if (FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable) return FItemHeight;
    return GetTextMetrics(GetFont()->LogFont()).tmHeight;
}

void TCustomComboBox::SetItemHeight(Integer Value) {
    if (Value > 0) FItemHeight = Value;
}

void TCustomComboBox::SetItemIndex(Integer Value) {
    FItems->SetItemIndex(Value);
    Integer i = FItems->GetItemIndex();
    FSyncing = true;
    SetText(i >= 0 ? GetItems()->GetStrings(i) : AnsiString());
    FEdit->SetText(GetText());
    FSyncing = false;
    Invalidate();
}

void TCustomComboBox::Choose(Integer Index) {
    if (Index == GetItemIndex()) return;
    SetItemIndex(Index);
    FEdit->SelectAll();
    Change();
    Click();
}

void TCustomComboBox::Clear() {
    GetItems()->Clear();
    SetText(AnsiString());
}

void TCustomComboBox::EditChanged(TObject*) {
    if (FSyncing) return;
    // Typed into the edit part: the text, and the item it names if one does.
    FSyncing = true;
    SetText(FEdit->GetText());
    FSyncing = false;
    Integer match = GetItems()->IndexOf(FEdit->GetText());
    FItems->SetItemIndex(match);
    Change();
}

void TCustomComboBox::CMTextChanged(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    if (FSyncing) return;
    // Set in code: the edit shows it and the item that has it is chosen.
    FSyncing = true;
    FEdit->SetText(FText);
    FSyncing = false;
    FItems->SetItemIndex(GetItems()->IndexOf(FText));
}

void TCustomComboBox::Change() {
    if (FOnChange && !GetComponentState().Contains(csLoading)) FOnChange(this);
}

void TCustomComboBox::DropDown() {
    if (FOnDropDown) FOnDropDown(this);
}

Integer TCustomComboBox::ListRows() {
    return std::clamp<Integer>(GetItems()->GetCount(), 1, FDropDownCount);
}

void TCustomComboBox::SetDroppedDown(bool Value) {
    if (Value == FDropped || FStyle == csSimple) return;
    if (Value) {
        DropDown(); // may fill the list
        Integer rows = ListRows();
        TPoint at =
            ClientToScreen({-GetNonClientInsets().Left, GetHeight() - GetNonClientInsets().Top});
        FList->SetBounds(at.X, at.Y, GetWidth(), rows * GetItemHeight() + 2);
        FListTop = std::clamp<Integer>(GetItemIndex(), 0,
                                       std::max<Integer>(GetItems()->GetCount() - rows, 0));
        FList->SetVisible(true);
    } else {
        FList->SetVisible(false);
    }
    FDropped = Value;
    Invalidate();
}

void TCustomComboBox::Loaded() {
    TWinControl::Loaded();
    FEdit->SetText(FText);
}

void TCustomComboBox::MeasureItem(Integer Index, Integer& Height) {
    if (FOnMeasureItem) FOnMeasureItem(this, Index, Height);
}

void TCustomComboBox::DrawItem(Integer Index, TRect Rect, TOwnerDrawState State) {
    if (FOnDrawItem) {
        FOnDrawItem(this, Index, Rect, State);
        return;
    }
    DrawItemText(Index, Rect);
}

void TCustomComboBox::DrawItemText(Integer Index, TRect Rect) {
    FCanvas->FillRect(Rect);
    if (Index >= 0 && Index < GetItems()->GetCount()) {
        TRect text{Rect.Left + 2, Rect.Top, Rect.Right, Rect.Bottom};
        FCanvas->GetBrush()->SetStyle(bsClear);
        DrawText(FCanvas, GetItems()->GetStrings(Index), text,
                 DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        FCanvas->GetBrush()->SetStyle(bsSolid);
    }
}

void TCustomComboBox::PaintItem(TCanvas* Target, Integer Index, TRect Rect, bool Selected) {
    PaintWith(FCanvas, this, Target, [&] {
        FCanvas->GetBrush()->SetStyle(bsSolid);
        FCanvas->GetBrush()->SetColor(Selected ? clHighlight : GetColor());
        FCanvas->GetFont()->SetColor(Selected ? clHighlightText : GetFont()->GetColor());
        TOwnerDrawState state;
        if (Selected) state += odSelected;
        if (FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable)
            DrawItem(Index, Rect, state);
        else
            DrawItemText(Index, Rect); // the platform draws the other styles' items
    });
}

TRect TCustomComboBox::GetNonClientInsets() {
    TRect n = TWinControl::GetNonClientInsets();
    Integer b = ClientEdgeWidth();
    return {n.Left + b, n.Top + b, n.Right + b, n.Bottom + b};
}

TRect TCustomComboBox::ButtonRect() {
    TRect c = GetClientRect();
    return {c.Right - ButtonWidth, c.Top, c.Right, c.Bottom};
}

void TCustomComboBox::PaintNonClient(TCanvas* Canvas) {
    TWinControl::PaintNonClient(Canvas);
    PaintClientEdge(Canvas);
}

void TCustomComboBox::PaintWindow(TCanvas* Target) {
    TRect client = GetClientRect();
    TRect button = FStyle == csSimple ? TRect{client.Right, 0, client.Right, 0} : ButtonRect();
    TRect text{client.Left, client.Top, button.Left, client.Bottom};
    bool focused = Focused() && !FDropped;
    if (HasEdit()) {
        Target->GetFont()->Assign(GetFont());
        AnsiString s = FEdit->GetText();
        const TLogFont& font = GetFont()->LogFont();
        Integer y = (text.Bottom - GetTextMetrics(font).tmHeight) / 2;
        Target->GetBrush()->SetStyle(bsClear);
        Target->TextRect(text, 1, y, s);
        if (focused && FEdit->GetSelLength() > 0) {
            Integer a = FEdit->GetSelStart(), b = a + FEdit->GetSelLength();
            Integer xa = 1 + GetTextExtent(font, std::string_view(s).substr(0, std::size_t(a))).cx;
            Integer xb = 1 + GetTextExtent(font, std::string_view(s).substr(0, std::size_t(b))).cx;
            TRect sel{xa, y, std::min(xb, text.Right), y + GetTextMetrics(font).tmHeight};
            Target->GetBrush()->SetStyle(bsSolid);
            Target->GetBrush()->SetColor(clHighlight);
            Target->FillRect(sel);
            Target->GetBrush()->SetStyle(bsClear);
            Target->GetFont()->SetColor(clHighlightText);
            Target->TextRect(sel, xa, y, s.substr(std::size_t(a), std::size_t(b - a)));
        }
    } else {
        // A list-only combo shows the chosen item, highlighted while it has the focus.
        TRect item{text.Left + 1, text.Top + 1, text.Right - 1, text.Bottom - 1};
        PaintItem(Target, GetItemIndex(), item, focused);
        if (focused) Target->DrawFocusRect(item);
    }
    if (FStyle != csSimple) {
        TRect face = DrawPushButton(Target, button, FDropped, false);
        // The arrow: a small black triangle pointing down.
        Integer cx = (face.Left + face.Right) / 2, cy = (face.Top + face.Bottom) / 2 - 1;
        Target->GetBrush()->SetStyle(bsSolid);
        Target->GetBrush()->SetColor(GetEnabled() ? clBtnText : clGrayText);
        for (Integer i = 0; i < 4; ++i)
            Target->FillRect({cx - 3 + i, cy + i, cx + 4 - i, cy + i + 1});
    }
}

void TCustomComboBox::DefaultHandler(void* Message) {
    auto& m = *static_cast<TMessage*>(Message);
    switch (m.Msg) {
    case WM_GETDLGCODE: m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (CanFocus() && !Focused()) SetFocus();
        TPoint p = PointOf(m);
        TRect b = ButtonRect();
        bool onButton = p.X >= b.Left || !HasEdit();
        if (onButton && FStyle != csSimple) {
            SetDroppedDown(!FDropped);
        } else if (HasEdit()) {
            FEdit->Perform(m.Msg, m.WParam, m.LParam);
            FEdit->Perform(WM_LBUTTONUP, m.WParam, m.LParam);
            Invalidate();
        }
        return;
    }
    case WM_KEYDOWN: {
        Word key = Word(m.WParam);
        bool alt = (m.LParam & AltMask) != 0;
        if (key == VK_F1 + 3 || ((key == VK_DOWN || key == VK_UP) && alt)) {
            SetDroppedDown(!FDropped);
            return;
        }
        Integer count = GetItems()->GetCount();
        if ((key == VK_DOWN || key == VK_UP) && count > 0) {
            Integer i = GetItemIndex();
            i = key == VK_DOWN ? std::min(i + 1, count - 1) : std::max(i - 1, 0);
            Choose(i);
            if (FDropped) FListTop = std::clamp<Integer>(FListTop, i - ListRows() + 1, i);
            FList->Invalidate();
            return;
        }
        if (key == VK_RETURN && FDropped) {
            SetDroppedDown(false);
            return;
        }
        if (key == VK_ESCAPE && FDropped) {
            SetDroppedDown(false);
            return;
        }
        if (HasEdit()) {
            FEdit->Perform(WM_KEYDOWN, m.WParam, m.LParam);
            Invalidate();
        }
        return;
    }
    case WM_CHAR: {
        char c = char(m.WParam);
        if (!HasEdit()) {
            // A letter chooses the next item starting with it.
            Integer count = GetItems()->GetCount();
            for (Integer k = 1; k <= count; ++k) {
                Integer i = (std::max<Integer>(GetItemIndex(), -1) + k) % count;
                AnsiString s = GetItems()->GetStrings(i);
                if (!s.empty() && std::toupper(static_cast<unsigned char>(s[0])) ==
                                      std::toupper(static_cast<unsigned char>(c))) {
                    Choose(i);
                    break;
                }
            }
            return;
        }
        if (static_cast<unsigned char>(c) < 32 && c != '\b' && c != 3 && c != 22 && c != 24 &&
            c != 26)
            return;
        FEdit->Perform(WM_CHAR, m.WParam, m.LParam);
        Invalidate();
        return;
    }
    default: break;
    }
    TWinControl::DefaultHandler(Message);
}

void TCustomComboBox::CMEnter(TMessage& Message) {
    if (HasEdit()) FEdit->SelectAll();
    DispatchInherited(&ClassMeta, &Message);
    Invalidate();
}

void TCustomComboBox::CMExit(TMessage& Message) {
    SetDroppedDown(false);
    DispatchInherited(&ClassMeta, &Message);
    Invalidate();
}

} // namespace host
