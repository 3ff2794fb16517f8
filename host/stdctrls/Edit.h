// Edit boxes: the platform's single-line edit (typing, the caret and the selection by keys and
// mouse, the clipboard, one level of undo), in the classic sunken look.
#pragma once

#include "host/controls/WinControl.h"
#include "host/forms/Form.h"

namespace host {

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
HOST_ENUM_INFO(TEditCharCase, ecNormal, ecUpperCase, ecLowerCase)

class TCustomEdit : public TWinControl {
    HOST_CLASS(TCustomEdit, TWinControl)
public:
    explicit TCustomEdit(TComponent* AOwner);

    // ---- settings ----
    /// Selects the whole text when the keyboard brings the focus.
    bool GetAutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }
    /// The height follows the font.
    bool GetAutoSize() const { return TControl::GetAutoSize(); }
    void SetAutoSize(bool Value);
    TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TEditCharCase GetCharCase() const { return FCharCase; }
    /// Converts the text and all that is typed from now on.
    void SetCharCase(TEditCharCase Value);
    bool GetHideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    /// The most characters the text takes (0: no limit); the text already there stays.
    Integer GetMaxLength() const { return FMaxLength; }
    void SetMaxLength(Integer Value);
    bool GetOEMConvert() const { return FOEMConvert; }
    void SetOEMConvert(bool Value) { FOEMConvert = Value; }
    /// Shown in place of each character (#0: the text itself).
    char GetPasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char Value);
    bool GetReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }

    // ---- state ----
    bool GetCanUndo() const { return FCanUndo; }
    /// Set by the user's editing; cleared when the text is set in code.
    bool GetModified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }
    Integer GetSelStart() const { return std::min(FAnchor, FCaret); }
    void SetSelStart(Integer Value);
    Integer GetSelLength() const { return std::abs(FCaret - FAnchor); }
    void SetSelLength(Integer Value);
    AnsiString GetSelText() const;
    /// Replaces the selection (undoably), as typing does.
    void SetSelText(const AnsiString& Value);
    /// Where the caret is (the selection's moving end).
    Integer GetCaretPosition() const { return FCaret; }

    // ---- methods ----
    void Clear();
    void ClearSelection();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    /// Undoes the last change; undoing again redoes it.
    void Undo();
    void ClearUndo() { FCanUndo = false; }
    void SelectAll();
    /// The selected text into `Buffer` (at most BufSize - 1 characters and a null); the count.
    Integer GetSelTextBuf(char* Buffer, Integer BufSize);
    void SetSelTextBuf(const char* Buffer);

    TNotifyEvent GetOnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }

protected:
    virtual void Change();
    void DoEnter() override;
    void DefaultHandler(void* Message) override;
    TRect GetNonClientInsets() override;
    void PaintNonClient(TCanvas* Canvas) override;
    void PaintWindow(TCanvas* Canvas) override;
    void Loaded() override;
    void AdjustSize() override { AdjustHeight(); }
    void AdjustHeight();
    void CMTextChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMEnter(TMessage& Message);
    void CMExit(TMessage& Message);

public:
    static const TMessageEntry Messages[];

    // The platform's editing, which a memo extends to lines.
    virtual bool IsMultiLine() const { return false; }
    virtual LongInt DialogCode() { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
    virtual void KeyDownDefault(Word Key, TShiftState Shift);
    virtual void CharDefault(char C);
    /// The character index at a point of the client area.
    virtual Integer IndexAt(TPoint P) { return CharAt(P.X); }
    /// What shows: the text, or a password character for each of its characters.
    AnsiString Shown() const;
    /// Replaces the selection with `Text` as the user does: the limit, undo, Modified, OnChange.
    virtual void Replace(const AnsiString& Text);
    /// A user's change to the whole text, the caret after it: undoable, Modified, OnChange.
    void ApplyEdit(const AnsiString& Text, Integer Caret);
    /// Moves the caret; with `Extend` the selection's other end stays.
    void MoveCaret(Integer To, bool Extend);
    Integer FAnchor = 0, FCaret = 0;

private:
    AnsiString Cased(AnsiString Text) const;
    Integer CharAt(Integer X);

    bool FAutoSelect = true;
    TFormBorderStyle FBorderStyle = bsSingle;
    TEditCharCase FCharCase = ecNormal;
    bool FHideSelection = true;
    Integer FMaxLength = 0;
    bool FOEMConvert = false;
    char FPasswordChar = 0;
    bool FReadOnly = false;
    bool FModified = false;
    bool FCanUndo = false;
    AnsiString FUndoText;
    Integer FUndoCaret = 0;
    bool FSelecting = false; // the mouse is dragging a selection
    Integer FScroll = 0;     // pixels of text scrolled out at the left
    bool FSettingText = false;
    TNotifyEvent FOnChange;
};

class TEdit : public TCustomEdit {
    HOST_CLASS(TEdit, TCustomEdit)
public:
    using TCustomEdit::TCustomEdit;
};

} // namespace host
