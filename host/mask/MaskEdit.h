// Masked edits: an edit box whose text follows an edit mask. Typing overwrites the mask's
// positions one by one, skipping its literals; what a position may not take is refused with a
// beep. Leaving the box (or ValidateEdit) checks that every required position is filled.
#pragma once

#include "host/mask/EditMask.h"
#include "host/stdctrls/Edit.h"

#include <memory>

namespace host {

HOST_EXCEPTION(EDBEditError, Exception)

enum TMaskedStates { msMasked, msReEnter, msDBSetText };
HOST_ENUM_INFO(TMaskedStates, msMasked, msReEnter, msDBSetText)
using TMaskedState = Set<TMaskedStates, 3>;

class TCustomMaskEdit : public TCustomEdit {
    HOST_CLASS(TCustomMaskEdit, TCustomEdit)
public:
    explicit TCustomMaskEdit(TComponent* AOwner);
    ~TCustomMaskEdit() override;

    TEditMask GetEditMask() const { return FEditMask; }
    /// The text is kept: formatted anew by the new mask.
    void SetEditMask(const TEditMask& Value);
    TMaskedState GetMaskState() const { return FMaskState; }
    void SetMaskState(TMaskedState Value) { FMaskState = Value; }
    /// With a mask, the mask's length: typing overwrites, so the text never grows past it.
    Integer GetMaxLength() const;
    void SetMaxLength(Integer Value);
    bool GetIsMasked() const;

    /// The text as the window shows it: literals, and the blank character where nothing is entered.
    AnsiString GetEditText() const { return TControl::GetText(); }
    void SetEditText(const AnsiString& Value);
    /// The text without the formatting: blanks as spaces, literals only where the mask saves them.
    AnsiString GetText() const;
    void SetText(const AnsiString& Value);

    /// Raises EDBEditError and puts the caret on the first position that does not fit the mask.
    virtual void ValidateEdit();
    void Clear();
    Integer GetTextLen() const { return Integer(GetText().size()); }

protected:
    virtual void ValidateError();
    /// Esc: the text as it was before this round of editing.
    void Reset();
    void CMEnter(TMessage& Message);
    void CMExit(TMessage& Message);
    void CMTextChanged(TMessage& Message);

public:
    static const TMessageEntry Messages[];

    void DefaultHandler(void* Message) override;
    void KeyDownDefault(Word Key, TShiftState Shift) override;
    void CharDefault(char C) override;
    void Replace(const AnsiString& Text) override;

private:
    /// The next position at or after `From` that takes input (the mask's length: none).
    Integer NextInput(Integer From) const;
    Integer PrevInput(Integer Before) const;
    /// The edit text with the input positions of [From, To) blank.
    AnsiString Blanked(Integer From, Integer To) const;

    TEditMask FEditMask;
    std::unique_ptr<TParsedMask> FMask; // null when there is no mask
    TMaskedState FMaskState;
    AnsiString FOldValue; // the edit text Esc goes back to
};

class TMaskEdit : public TCustomMaskEdit {
    HOST_CLASS(TMaskEdit, TCustomMaskEdit)
public:
    using TCustomMaskEdit::TCustomMaskEdit;
};

/// The host's message for what does not fit the mask.
inline constexpr const char* SMaskEditErr =
    "Invalid input value.  Use escape key to abandon changes";

} // namespace host
