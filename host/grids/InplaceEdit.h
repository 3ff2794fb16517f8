// The in-place editor: the edit box a grid lays over its current cell while a cell is edited.
// It hands the grid the keys that move between cells and ends or abandons the editing.
#pragma once

#include "host/mask/MaskEdit.h"

namespace host {

class TCustomGrid;

class TInplaceEdit : public TCustomMaskEdit {
    HOST_CLASS(TInplaceEdit, TCustomMaskEdit)
public:
    explicit TInplaceEdit(TComponent* AOwner);
    TCustomGrid* GetGrid() const { return FGrid; }

    /// Shows `Text` for the grid's current cell, all of it selected.
    void Start(const AnsiString& Text, const TEditMask& Mask);
    /// The text the editing started with, to go back to on Esc.
    const AnsiString& GetOriginal() const { return FOriginal; }

    LongInt DialogCode() override;
    void KeyDownDefault(Word Key, TShiftState Shift) override;
    void CharDefault(char C) override;

protected:
    void Change() override;

private:
    friend class TCustomGrid;
    TCustomGrid* FGrid = nullptr;
    AnsiString FOriginal;
    AnsiString FWritten;    // what the cell was last given, so that it is given a text once
    bool FStarting = false; // the text is being put there, not typed
};

} // namespace host
