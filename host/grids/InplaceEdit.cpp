#include "host/grids/InplaceEdit.h"

#include "host/grids/Grid.h"
#include "host/menus/Keys.h"

namespace host {

HOST_COMPONENT_METACLASS(TInplaceEdit, TCustomMaskEdit);

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
    // It lies in the cell: no border, no focus of its own in the tab order.
    SetBorderStyle(bsNone);
    SetAutoSize(false);
    FTabStop = false;
    SetVisible(false);
}

void TInplaceEdit::Start(const AnsiString& Text, const TEditMask& Mask) {
    FStarting = true;
    try {
        SetEditMask(Mask);
        SetText(Text);
    } catch (...) {
        FStarting = false;
        throw;
    }
    FStarting = false;
    FOriginal = FWritten = TCustomMaskEdit::GetText();
    SetModified(false);
    ClearUndo();
    SelectAll();
}

LongInt TInplaceEdit::DialogCode() {
    LongInt code = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
    if (FGrid && FGrid->GetOptions().Contains(goTabs)) code |= DLGC_WANTTAB;
    return code;
}

void TInplaceEdit::Change() {
    TCustomMaskEdit::Change();
    // The cell follows what is typed, as the grid's OnSetEditText tells.
    if (!FStarting && FGrid) FGrid->UpdateText();
}

void TInplaceEdit::KeyDownDefault(Word Key, TShiftState Shift) {
    if (!FGrid) {
        TCustomMaskEdit::KeyDownDefault(Key, Shift);
        return;
    }
    Integer len = Integer(TControl::GetText().size());
    bool atStart = GetSelStart() == 0 && (GetSelLength() == 0 || GetSelLength() == len);
    bool atEnd =
        GetSelStart() + GetSelLength() == len && (GetSelLength() == 0 || GetSelStart() == 0);
    bool toGrid = false;
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: toGrid = true; break;
    case VK_LEFT: toGrid = atStart || Shift.Contains(ssCtrl); break;
    case VK_RIGHT: toGrid = atEnd || Shift.Contains(ssCtrl); break;
    case VK_HOME:
    case VK_END: toGrid = Shift.Contains(ssCtrl); break;
    case VK_TAB: toGrid = FGrid->GetOptions().Contains(goTabs); break;
    default: break;
    }
    if (toGrid) {
        // The grid moves, which ends the editing of this cell.
        FGrid->KeyDown(Key, Shift);
        return;
    }
    TCustomMaskEdit::KeyDownDefault(Key, Shift);
}

void TInplaceEdit::CharDefault(char C) {
    if (!FGrid) {
        TCustomMaskEdit::CharDefault(C);
        return;
    }
    switch (C) {
    case '\r': {
        char k = C;
        FGrid->KeyPress(k);
        return;
    }
    case 27:
        // Esc abandons: the cell gets back what it had.
        if (TCustomMaskEdit::GetText() != FOriginal) SetText(FOriginal);
        if (!FGrid->GetOptions().Contains(goAlwaysShowEditor)) FGrid->HideEditor();
        return;
    case '\t': return;
    default: TCustomMaskEdit::CharDefault(C);
    }
}

} // namespace host
