#include "host/mask/MaskEdit.h"

#include "host/classes/TypInfoRows.h"
#include "host/controls/Messages.h"
#include "host/menus/Keys.h"
#include "host/system/SysUtils.h"

namespace host {

namespace {
constexpr TPropInfo CustomMaskEditProps[] = {
    HOST_PROP(TCustomMaskEdit, EditMask).Unpublished(),
    // Stored as the mask's length when there is a mask, as form files hold it.
    HOST_PROP(TCustomMaskEdit, MaxLength).Default(0).Unpublished(),
    HOST_PROP(TCustomMaskEdit, Text).Unpublished(),
};
constexpr TPropInfo MaskEditProps[] = {
    "Anchors",        "AutoSelect",  "AutoSize",    "BiDiMode",   "BorderStyle",    "CharCase",
    "Color",          "Constraints", "Ctl3D",       "DragCursor", "DragKind",       "DragMode",
    "Enabled",        "EditMask",    "Font",        "ImeMode",    "ImeName",        "MaxLength",
    "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PasswordChar",
    "PopupMenu",      "ReadOnly",    "ShowHint",    "TabOrder",   "TabStop",        "Text",
    "Visible",        "OnChange",    "OnClick",     "OnDblClick", "OnDragDrop",     "OnDragOver",
    "OnEndDock",      "OnEndDrag",   "OnEnter",     "OnExit",     "OnKeyDown",      "OnKeyPress",
    "OnKeyUp",        "OnMouseDown", "OnMouseMove", "OnMouseUp",  "OnStartDock",    "OnStartDrag",
};
} // namespace

const TMessageEntry TCustomMaskEdit::Messages[] = {
    HOST_ON(TCustomMaskEdit, CM_ENTER, CMEnter),
    HOST_ON(TCustomMaskEdit, CM_EXIT, CMExit),
};
HOST_COMPONENT_METACLASS(TCustomMaskEdit, TCustomEdit,
                         PropTable(CustomMaskEditProps, MessageTable(TCustomMaskEdit::Messages)));
HOST_COMPONENT_METACLASS(TMaskEdit, TCustomMaskEdit, PropTable(MaskEditProps));
HOST_METACLASS(EDBEditError, Exception);

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

TCustomMaskEdit::~TCustomMaskEdit() = default;

// ---- the mask and the texts ----

void TCustomMaskEdit::SetEditMask(const TEditMask& Value) {
    if (Value == FEditMask) return;
    // From mask to mask what was entered moves over, whatever literals either one saves.
    bool entered = FMask != nullptr;
    AnsiString text = entered ? FMask->InputOf(TControl::GetText()) : TControl::GetText();
    if (entered && Value.empty()) text = GetText();
    FEditMask = Value;
    TParsedMask parsed(Value);
    FMask = parsed.Empty() ? nullptr : std::make_unique<TParsedMask>(std::move(parsed));
    if (FMask)
        FMaskState += msMasked;
    else
        FMaskState -= msMasked;
    TControl::SetText(FMask ? FMask->FormatText(text, FMask->SaveLiterals() && !entered) : text);
    FOldValue = TControl::GetText();
}

bool TCustomMaskEdit::GetIsMasked() const {
    return FMask != nullptr;
}

Integer TCustomMaskEdit::GetMaxLength() const {
    return FMask ? Integer(FMask->Size()) : TCustomEdit::GetMaxLength();
}

void TCustomMaskEdit::SetMaxLength(Integer Value) {
    TCustomEdit::SetMaxLength(Value); // the limit once the mask is gone
}

void TCustomMaskEdit::SetEditText(const AnsiString& Value) {
    TControl::SetText(FMask ? FMask->Conform(Value) : Value);
    FOldValue = TControl::GetText();
}

AnsiString TCustomMaskEdit::GetText() const {
    return FMask ? FMask->TextOf(TControl::GetText()) : TControl::GetText();
}

void TCustomMaskEdit::SetText(const AnsiString& Value) {
    TControl::SetText(FMask ? FMask->FormatText(Value) : Value);
    FOldValue = TControl::GetText();
}

void TCustomMaskEdit::Clear() {
    SetText(AnsiString());
}

// ---- validating ----

void TCustomMaskEdit::ValidateEdit() {
    if (!FMask) return;
    Integer bad = FMask->FirstInvalid(TControl::GetText());
    if (bad < 0) return;
    MoveCaret(bad, false);
    ValidateError();
}

void TCustomMaskEdit::ValidateError() {
    Beep();
    throw EDBEditError(SMaskEditErr);
}

void TCustomMaskEdit::Reset() {
    if (TControl::GetText() != FOldValue) ApplyEdit(FOldValue, 0);
    SetModified(false);
    SelectAll();
}

void TCustomMaskEdit::CMEnter(TMessage& Message) {
    // Coming back after a failed check keeps what Esc returns to.
    if (FMaskState.Contains(msReEnter))
        FMaskState -= msReEnter;
    else
        FOldValue = TControl::GetText();
    DispatchInherited(&ClassMeta, &Message);
}

void TCustomMaskEdit::CMExit(TMessage& Message) {
    if (FMask && GetModified() && !GetComponentState().Contains(csDesigning)) {
        try {
            ValidateEdit();
        } catch (const EDBEditError&) {
            // The focus stays so that the text can be mended (or abandoned with Esc).
            FMaskState += msReEnter;
            if (CanFocus()) SetFocus();
            throw;
        }
    }
    DispatchInherited(&ClassMeta, &Message);
}

// ---- typing through the mask ----

Integer TCustomMaskEdit::NextInput(Integer From) const {
    Integer n = Integer(FMask->Size());
    while (From < n && (*FMask)[std::size_t(From)].Type == TMaskCharType::Literal) ++From;
    return std::min(From, n);
}

Integer TCustomMaskEdit::PrevInput(Integer Before) const {
    Integer i = std::min<Integer>(Before, Integer(FMask->Size())) - 1;
    while (i >= 0 && (*FMask)[std::size_t(i)].Type == TMaskCharType::Literal) --i;
    return i;
}

AnsiString TCustomMaskEdit::Blanked(Integer From, Integer To) const {
    AnsiString edit = FMask->Conform(TControl::GetText());
    for (Integer i = std::max<Integer>(From, 0); i < To && i < Integer(edit.size()); ++i)
        if ((*FMask)[std::size_t(i)].Type != TMaskCharType::Literal)
            edit[std::size_t(i)] = FMask->Blank();
    return edit;
}

void TCustomMaskEdit::Replace(const AnsiString& Text) {
    if (!FMask) return TCustomEdit::Replace(Text);
    if (GetReadOnly()) return;
    const Integer n = Integer(FMask->Size());
    Integer start = GetSelStart();
    AnsiString edit = Blanked(start, start + GetSelLength());
    Integer at = std::min(start, n);
    // A literal typed where the mask has one steps over it, passing optional positions left
    // blank; it may not pass a required one.
    auto stepOver = [&](char C) {
        for (Integer q = at; q < n; ++q) {
            const TMaskPosition& p = (*FMask)[std::size_t(q)];
            if (p.Type == TMaskCharType::Literal && p.Literal == C) return at = q + 1, true;
            if (p.Type != TMaskCharType::Literal && p.Required) return false;
        }
        return false;
    };
    for (char c : Text) {
        Integer p = NextInput(at);
        char shown;
        if (p > at && stepOver(c)) continue; // at a literal
        if (p < n && FMask->Accepts(std::size_t(p), c, shown)) {
            edit[std::size_t(p)] = shown;
            at = p + 1;
            continue;
        }
        if (stepOver(c)) continue;
        Beep();
        break;
    }
    if (!Text.empty()) at = NextInput(at);
    if (edit == TControl::GetText()) {
        MoveCaret(at, false);
        return;
    }
    ApplyEdit(edit, at);
}

void TCustomMaskEdit::CharDefault(char C) {
    if (!FMask) return TCustomEdit::CharDefault(C);
    if (C == 27) { // Esc abandons this round of editing
        if (GetModified()) Reset();
        return;
    }
    if (C == '\b' && GetSelLength() == 0) {
        if (GetReadOnly()) return;
        Integer p = PrevInput(GetCaretPosition());
        if (p < 0) return MoveCaret(0, false);
        ApplyEdit(Blanked(p, p + 1), p);
        return;
    }
    TCustomEdit::CharDefault(C);
}

void TCustomMaskEdit::DefaultHandler(void* Message) {
    TCustomEdit::DefaultHandler(Message);
    if (!FMask || static_cast<TMessage*>(Message)->Msg != WM_LBUTTONUP || GetSelLength() > 0)
        return;
    // A click past what was entered puts the caret where typing goes on: the first blank.
    const AnsiString& edit = TControl::GetText();
    Integer caret = GetCaretPosition(), lastEntered = -1;
    for (Integer i = 0; i < Integer(edit.size()) && i < Integer(FMask->Size()); ++i)
        if ((*FMask)[std::size_t(i)].Type != TMaskCharType::Literal &&
            edit[std::size_t(i)] != FMask->Blank())
            lastEntered = i;
    if (caret <= lastEntered + 1) return;
    for (Integer i = 0; i < Integer(FMask->Size()) && i < Integer(edit.size()); ++i)
        if ((*FMask)[std::size_t(i)].Type != TMaskCharType::Literal &&
            edit[std::size_t(i)] == FMask->Blank()) {
            MoveCaret(i, false);
            return;
        }
}

void TCustomMaskEdit::KeyDownDefault(Word Key, TShiftState Shift) {
    if (FMask && Key == VK_DELETE && !Shift.Contains(ssShift) && GetSelLength() == 0) {
        // Delete blanks the position at the caret; nothing moves.
        if (GetReadOnly()) return;
        Integer p = NextInput(GetCaretPosition());
        if (p < Integer(FMask->Size())) ApplyEdit(Blanked(p, p + 1), GetCaretPosition());
        return;
    }
    TCustomEdit::KeyDownDefault(Key, Shift);
}

} // namespace host
