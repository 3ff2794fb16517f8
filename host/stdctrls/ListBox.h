// List boxes: the platform's list (one, several or extended selection by the mouse and the
// keys, columns, owner drawing), its items a string list of its own.
#pragma once

#include "host/classes/Strings.h"
#include "host/controls/CustomControls.h"
#include "host/forms/Form.h"

#include <vector>

namespace host {

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
HOST_ENUM_INFO(TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable)
enum TOwnerDrawStateE {
    odSelected,
    odGrayed,
    odDisabled,
    odChecked,
    odFocused,
    odDefault,
    odHotLight,
    odInactive,
    odNoAccel,
    odNoFocusRect,
    odReserved1,
    odReserved2,
    odComboBoxEdit
};
HOST_ENUM_INFO(TOwnerDrawStateE, odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault,
               odHotLight, odInactive, odNoAccel, odNoFocusRect, odReserved1, odReserved2,
               odComboBoxEdit)
using TOwnerDrawState = Set<TOwnerDrawStateE, 13>;

using TDrawItemEvent =
    Closure<void(TWinControl* Control, Integer Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = Closure<void(TWinControl* Control, Integer Index, Integer& Height)>;

class TCustomListBox;

/// A list box's items: each string with its object and whether it is selected.
class TListBoxStrings : public TStrings {
    HOST_CLASS(TListBoxStrings, TStrings)
public:
    explicit TListBoxStrings(TCustomListBox* AListBox) : FListBox(AListBox) {}
    Integer GetCount() const override { return Integer(FItems.size()); }
    AnsiString Get(Integer Index) override;
    TObject* GetObject(Integer Index) override;
    void Put(Integer Index, const AnsiString& S) override;
    void PutObject(Integer Index, TObject* AObject) override;
    /// A sorted list box puts an added string in its place.
    Integer Add(const AnsiString& S) override;
    Integer AddObject(const AnsiString& S, TObject* AObject) override;
    void Insert(Integer Index, const AnsiString& S) override;
    void Delete(Integer Index) override;
    void Clear() override;
    void Exchange(Integer Index1, Integer Index2) override;
    void Move(Integer CurIndex, Integer NewIndex) override;
    Integer IndexOf(const AnsiString& S) override;

protected:
    void SetUpdateState(bool Updating) override;

private:
    friend class TCustomListBox;
    struct Item {
        AnsiString S;
        TObject* Object = nullptr;
        bool Selected = false;
    };
    void Check(Integer Index) const;
    TCustomListBox* FListBox;
    std::vector<Item> FItems;
};

class TCustomListBox : public TWinControl {
    HOST_CLASS(TCustomListBox, TWinControl)
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    /// Columns of items side by side, scrolled sideways (0: one column, scrolled down).
    Integer GetColumns() const { return FColumns; }
    void SetColumns(Integer Value);
    /// With MultiSelect: Shift selects a range and Ctrl adds one (else a click toggles).
    bool GetExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool Value) { FExtendedSelect = Value; }
    /// The height is a whole number of items.
    bool GetIntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool Value);
    /// The items' height: the font's for a standard list box.
    Integer GetItemHeight();
    void SetItemHeight(Integer Value);
    bool GetMultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    bool GetSorted() const { return FSorted; }
    void SetSorted(bool Value);
    TListBoxStyle GetStyle() const { return FStyle; }
    void SetStyle(TListBoxStyle Value);
    /// Tab stops every TabWidth dialog units (0: the platform's default of 32).
    Integer GetTabWidth() const { return FTabWidth; }
    void SetTabWidth(Integer Value);
    TCanvas* GetCanvas() const { return FCanvas; }
    TStrings* GetItems() const { return FItems; }
    void SetItems(TStrings* Value) { FItems->Assign(Value); }
    /// The focused item (-1 for none); in a single-selection list, the selected one.
    Integer GetItemIndex() const { return FItemIndex; }
    void SetItemIndex(Integer Value);
    /// The number of selected items; -1 unless MultiSelect, as the platform answers.
    Integer GetSelCount() const;
    bool GetSelected(Integer Index) const;
    void SetSelected(Integer Index, bool Value);
    Integer GetTopIndex() const { return FTopIndex; }
    void SetTopIndex(Integer Value);

    void Clear() { FItems->Clear(); }
    /// The item at a point of the client area; -1 outside the items, or (with Existing false)
    /// the count below the last.
    Integer ItemAtPos(TPoint Pos, bool Existing);
    TRect ItemRect(Integer Index);

    TDrawItemEvent GetOnDrawItem() const { return FOnDrawItem; }
    void SetOnDrawItem(TDrawItemEvent Value) { FOnDrawItem = Value; }
    TMeasureItemEvent GetOnMeasureItem() const { return FOnMeasureItem; }
    void SetOnMeasureItem(TMeasureItemEvent Value) { FOnMeasureItem = Value; }

protected:
    virtual void DrawItem(Integer Index, TRect Rect, TOwnerDrawState State);
    /// The platform's drawing of an item: its text on the state's colours.
    void DrawItemText(Integer Index, TRect Rect);
    virtual void MeasureItem(Integer Index, Integer& Height);
    void DefaultHandler(void* Message) override;
    TRect GetNonClientInsets() override;
    void PaintNonClient(TCanvas* Canvas) override;
    void PaintWindow(TCanvas* Canvas) override;

public:
    /// With IntegralHeight the client height is a whole number of items.
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

protected:
    void CMFontChanged(TMessage& Message);
    void CMEnter(TMessage& Message);
    void CMExit(TMessage& Message);

public:
    static const TMessageEntry Messages[];

private:
    friend class TListBoxStrings;
    void ItemsChanged();
    Integer HeightOf(Integer Index);
    /// Rows that fit one below the other; per column in a multi-column list.
    Integer VisibleRows();
    /// Makes the item show: the top item moves as little as it must.
    void ScrollInView(Integer Index);
    void ClickItem(Integer Index, TShiftState Shift);
    void SelectRange(Integer From, Integer To, bool Clear);

    TFormBorderStyle FBorderStyle = bsSingle;
    Integer FColumns = 0;
    bool FExtendedSelect = true;
    bool FIntegralHeight = false;
    Integer FItemHeight = 16;
    bool FMultiSelect = false;
    bool FSorted = false;
    TListBoxStyle FStyle = lbStandard;
    Integer FTabWidth = 0;
    TControlCanvas* FCanvas;
    TListBoxStrings* FItems;
    Integer FItemIndex = -1;
    Integer FAnchor = -1; // where a Shift selection starts
    Integer FTopIndex = 0;
    bool FSelecting = false;
    TDrawItemEvent FOnDrawItem;
    TMeasureItemEvent FOnMeasureItem;
};

class TListBox : public TCustomListBox {
    HOST_CLASS(TListBox, TCustomListBox)
public:
    using TCustomListBox::TCustomListBox;
};

} // namespace host
