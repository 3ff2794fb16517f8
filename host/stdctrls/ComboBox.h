// Combo boxes: an edit with a list (dropped down below it, or always shown for the simple
// style), the items a list box's, typing completed from the list, owner drawing.
#pragma once

#include "host/controls/CustomControls.h"
#include "host/stdctrls/Edit.h"
#include "host/stdctrls/ListBox.h"

namespace host {

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
HOST_ENUM_INFO(TComboBoxStyle, csDropDown, csSimple, csDropDownList, csOwnerDrawFixed,
               csOwnerDrawVariable)

class TCustomComboBox;

/// The dropped-down list: a window of its own on the screen below the combo box.
class TComboListWindow : public TCustomControl {
    HOST_CLASS(TComboListWindow, TCustomControl)
public:
    TComboListWindow(TCustomComboBox* ACombo);

protected:
    void Paint() override;
    void DefaultHandler(void* Message) override;

private:
    TCustomComboBox* FCombo;
};

class TCustomComboBox : public TWinControl {
    HOST_CLASS(TCustomComboBox, TWinControl)
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    TComboBoxStyle GetStyle() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    /// Items the dropped-down list shows at once before it scrolls.
    Integer GetDropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(Integer Value) { FDropDownCount = std::max<Integer>(Value, 1); }
    Integer GetItemHeight();
    void SetItemHeight(Integer Value);
    Integer GetMaxLength() const { return FEdit->GetMaxLength(); }
    void SetMaxLength(Integer Value) { FEdit->SetMaxLength(Value); }
    bool GetSorted() const { return FItems->GetSorted(); }
    void SetSorted(bool Value) { FItems->SetSorted(Value); }
    TEditCharCase GetCharCase() const { return FEdit->GetCharCase(); }
    void SetCharCase(TEditCharCase Value) { FEdit->SetCharCase(Value); }
    TCanvas* GetCanvas() const { return FCanvas; }
    /// The edit's and the list's windows.
    HWND GetEditHandle() { return FEdit->GetHandle(); }
    HWND GetListHandle() { return FList->GetHandle(); }
    bool GetDroppedDown() const { return FDropped; }
    /// Drops the list down (OnDropDown first) or closes it.
    void SetDroppedDown(bool Value);
    TStrings* GetItems() const { return FItems->GetItems(); }
    void SetItems(TStrings* Value) { FItems->GetItems()->Assign(Value); }
    Integer GetItemIndex() const { return FItems->GetItemIndex(); }
    /// Chooses an item: its text becomes the combo box's.
    void SetItemIndex(Integer Value);
    Integer GetSelLength() const { return FEdit->GetSelLength(); }
    void SetSelLength(Integer Value) { FEdit->SetSelLength(Value); }
    Integer GetSelStart() const { return FEdit->GetSelStart(); }
    void SetSelStart(Integer Value) { FEdit->SetSelStart(Value); }
    AnsiString GetSelText() const { return FEdit->GetSelText(); }
    void SetSelText(const AnsiString& Value) { FEdit->SetSelText(Value); }

    void Clear();
    void SelectAll() { FEdit->SelectAll(); }
    /// The list's window (the dropped-down list), for painting and the mouse.
    TComboListWindow* GetListWindow() const { return FList; }

    TNotifyEvent GetOnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
    TNotifyEvent GetOnDropDown() const { return FOnDropDown; }
    void SetOnDropDown(TNotifyEvent Value) { FOnDropDown = Value; }
    TDrawItemEvent GetOnDrawItem() const { return FOnDrawItem; }
    void SetOnDrawItem(TDrawItemEvent Value) { FOnDrawItem = Value; }
    TMeasureItemEvent GetOnMeasureItem() const { return FOnMeasureItem; }
    void SetOnMeasureItem(TMeasureItemEvent Value) { FOnMeasureItem = Value; }

protected:
    virtual void Change();
    virtual void DropDown();
    virtual void DrawItem(Integer Index, TRect Rect, TOwnerDrawState State);
    void DrawItemText(Integer Index, TRect Rect);
    virtual void MeasureItem(Integer Index, Integer& Height);
    void DefaultHandler(void* Message) override;
    TRect GetNonClientInsets() override;
    void PaintNonClient(TCanvas* Canvas) override;
    void PaintWindow(TCanvas* Canvas) override;
    void Loaded() override;
    void CMTextChanged(TMessage& Message);
    void CMEnter(TMessage& Message);
    void CMExit(TMessage& Message);

public:
    static const TMessageEntry Messages[];

private:
    friend class TComboListWindow;
    void EditChanged(TObject* Sender);
    /// Chooses item `Index` as the user does: its text, OnChange, OnClick.
    void Choose(Integer Index);
    TRect ButtonRect();
    bool HasEdit() const { return FStyle == csDropDown || FStyle == csSimple; }
    Integer ListRows();
    void PaintItem(TCanvas* Canvas, Integer Index, TRect Rect, bool Selected);

    TComboBoxStyle FStyle = csDropDown;
    Integer FDropDownCount = 8;
    Integer FItemHeight = 16;
    TControlCanvas* FCanvas;
    TCustomEdit* FEdit;      // the edit part's text, caret and selection
    TCustomListBox* FItems;  // the list part's items and choice
    TComboListWindow* FList; // the dropped-down list's window
    bool FDropped = false;
    bool FSyncing = false;
    Integer FListTop = 0;
    TNotifyEvent FOnChange, FOnDropDown;
    TDrawItemEvent FOnDrawItem;
    TMeasureItemEvent FOnMeasureItem;
};

class TComboBox : public TCustomComboBox {
    HOST_CLASS(TComboBox, TCustomComboBox)
public:
    using TCustomComboBox::TCustomComboBox;
};

} // namespace host
