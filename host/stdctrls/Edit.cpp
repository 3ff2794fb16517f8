#include "host/stdctrls/Edit.h"

#include "host/classes/TypInfoRows.h"
#include "host/clipbrd/Clipboard.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/Edges.h"
#include "host/graphics/Text.h"
#include "host/menus/Keys.h"
#include "host/stdctrls/StdMessages.h"
#include "host/system/SysUtils.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace host {

namespace {
constexpr TPropInfo CustomEditProps[] = {
    HOST_PROP(TCustomEdit, AutoSelect).Default(true).Unpublished(),
    HOST_PROP(TCustomEdit, AutoSize).Default(true).Unpublished(),
    HOST_PROP(TCustomEdit, BorderStyle).Default(bsSingle).Unpublished(),
    HOST_PROP(TCustomEdit, CharCase).Default(ecNormal).Unpublished(),
    HOST_PROP(TCustomEdit, HideSelection).Default(true).Unpublished(),
    HOST_PROP(TCustomEdit, MaxLength).Default(0).Unpublished(),
    HOST_PROP(TCustomEdit, OEMConvert).Default(false).Unpublished(),
    HOST_PROP(TCustomEdit, PasswordChar).Default(0).Unpublished(),
    HOST_PROP(TCustomEdit, ReadOnly).Default(false).Unpublished(),
    HOST_PROP(TCustomEdit, OnChange).Unpublished(),
    HOST_PROP(TControl, ParentColor).Default(false).Unpublished(),
    // Published here with the default these controls have.
    HOST_PROP(TWinControl, TabStop).Default(true),
};
constexpr TPropInfo EditProps[] = {
    "Anchors",     "AutoSelect",  "AutoSize",    "BiDiMode",       "BorderStyle",
    "CharCase",    "Color",       "Constraints", "Ctl3D",          "DragCursor",
    "DragKind",    "DragMode",    "Enabled",     "Font",           "HideSelection",
    "ImeMode",     "ImeName",     "MaxLength",   "OEMConvert",     "ParentBiDiMode",
    "ParentColor", "ParentCtl3D", "ParentFont",  "ParentShowHint", "PasswordChar",
    "PopupMenu",   "ReadOnly",    "ShowHint",    "TabOrder",       "TabStop",
    "Text",        "Visible",     "OnChange",    "OnClick",        "OnDblClick",
    "OnDragDrop",  "OnDragOver",  "OnEndDock",   "OnEndDrag",      "OnEnter",
    "OnExit",      "OnKeyDown",   "OnKeyPress",  "OnKeyUp",        "OnMouseDown",
    "OnMouseMove", "OnMouseUp",   "OnStartDock", "OnStartDrag",
};

bool IsWordChar(char C) {
    return std::isalnum(static_cast<unsigned char>(C)) || C == '_';
}
} // namespace

const TMessageEntry TCustomEdit::Messages[] = {
    HOST_ON(TCustomEdit, CM_TEXTCHANGED, CMTextChanged),
    HOST_ON(TCustomEdit, CM_FONTCHANGED, CMFontChanged),
    HOST_ON(TCustomEdit, CM_ENTER, CMEnter),
    HOST_ON(TCustomEdit, CM_EXIT, CMExit),
};
HOST_COMPONENT_METACLASS(TCustomEdit, TWinControl,
                         PropTable(CustomEditProps, MessageTable(TCustomEdit::Messages)));
HOST_COMPONENT_METACLASS(TEdit, TCustomEdit, PropTable(EditProps));

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
    FControlStyle = {csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
    FTabStop = true;
    FParentColor = false;
    SetColor(clWindow);
    SetBounds(0, 0, 121, 25);
    TControl::SetAutoSize(true);
    AdjustHeight();
}

// ---- settings ----

void TCustomEdit::SetAutoSize(bool Value) {
    TControl::SetAutoSize(Value);
}

void TCustomEdit::SetBorderStyle(TFormBorderStyle Value) {
    if (Value != bsNone) Value = bsSingle;
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    AdjustHeight();
    Realign();
    Invalidate();
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
    if (Value == FCharCase) return;
    FCharCase = Value;
    AnsiString cased = Cased(FText);
    if (cased != FText) SetText(cased);
}

void TCustomEdit::SetHideSelection(bool Value) {
    if (Value == FHideSelection) return;
    FHideSelection = Value;
    Invalidate();
}

void TCustomEdit::SetMaxLength(Integer Value) {
    FMaxLength = std::max<Integer>(Value, 0);
}

void TCustomEdit::SetPasswordChar(char Value) {
    if (Value == FPasswordChar) return;
    FPasswordChar = Value;
    Invalidate();
}

AnsiString TCustomEdit::Cased(AnsiString Text) const {
    if (FCharCase == ecUpperCase) return UpperCase(Text);
    if (FCharCase == ecLowerCase) return LowerCase(Text);
    return Text;
}

AnsiString TCustomEdit::Shown() const {
    return FPasswordChar ? AnsiString(FText.size(), FPasswordChar) : FText;
}

// ---- selection ----

void TCustomEdit::SetSelStart(Integer Value) {
    Integer at = std::clamp<Integer>(Value, 0, Integer(FText.size()));
    FAnchor = FCaret = at;
    Invalidate();
}

void TCustomEdit::SetSelLength(Integer Value) {
    Integer start = GetSelStart();
    FAnchor = start;
    FCaret = std::clamp<Integer>(start + Value, 0, Integer(FText.size()));
    Invalidate();
}

AnsiString TCustomEdit::GetSelText() const {
    return FText.substr(std::size_t(GetSelStart()), std::size_t(GetSelLength()));
}

void TCustomEdit::SetSelText(const AnsiString& Value) {
    // In code the limit and ReadOnly do not apply, as for the platform's EM_REPLACESEL.
    bool readOnly = FReadOnly;
    Integer max = FMaxLength;
    FReadOnly = false;
    FMaxLength = 0;
    Replace(Value);
    FReadOnly = readOnly;
    FMaxLength = max;
}

void TCustomEdit::SelectAll() {
    FAnchor = 0;
    FCaret = Integer(FText.size());
    Invalidate();
}

void TCustomEdit::MoveCaret(Integer To, bool Extend) {
    FCaret = std::clamp<Integer>(To, 0, Integer(FText.size()));
    if (!Extend) FAnchor = FCaret;
    Invalidate();
}

Integer TCustomEdit::GetSelTextBuf(char* Buffer, Integer BufSize) {
    if (!Buffer || BufSize <= 0) return 0;
    AnsiString sel = GetSelText();
    Integer n = std::min<Integer>(Integer(sel.size()), BufSize - 1);
    std::memcpy(Buffer, sel.data(), std::size_t(n));
    Buffer[n] = 0;
    return n;
}

void TCustomEdit::SetSelTextBuf(const char* Buffer) {
    SetSelText(Buffer ? AnsiString(Buffer) : AnsiString());
}

// ---- editing ----

void TCustomEdit::Replace(const AnsiString& Text) {
    if (FReadOnly) return;
    AnsiString add = Cased(Text);
    Integer start = GetSelStart(), length = GetSelLength();
    if (FMaxLength > 0) {
        Integer room = FMaxLength - (Integer(FText.size()) - length);
        if (room <= 0 && !add.empty()) return; // full: the platform refuses the characters
        if (Integer(add.size()) > room) add.resize(std::size_t(std::max<Integer>(room, 0)));
    }
    if (add.empty() && length == 0) return;
    AnsiString text = FText;
    text.replace(std::size_t(start), std::size_t(length), add);
    ApplyEdit(text, start + Integer(add.size()));
}

void TCustomEdit::ApplyEdit(const AnsiString& Text, Integer Caret) {
    FUndoText = FText;
    FUndoCaret = FCaret;
    FCanUndo = true;
    FAnchor = FCaret = std::clamp<Integer>(Caret, 0, Integer(Text.size()));
    FSettingText = true;
    SetText(Text);
    FSettingText = false;
    FModified = true;
    Change();
}

void TCustomEdit::Clear() {
    SetText(AnsiString());
}

void TCustomEdit::ClearSelection() {
    if (GetSelLength() > 0) Replace(AnsiString());
}

void TCustomEdit::CopyToClipboard() {
    // A password is never copied out.
    if (GetSelLength() > 0 && !FPasswordChar) Clipboard().SetAsText(GetSelText());
}

void TCustomEdit::CutToClipboard() {
    if (FPasswordChar || FReadOnly) return;
    CopyToClipboard();
    ClearSelection();
}

void TCustomEdit::PasteFromClipboard() {
    AnsiString text = Clipboard().GetAsText();
    // One line: the first line break ends what a single-line edit takes.
    std::size_t eol = IsMultiLine() ? AnsiString::npos : text.find_first_of("\r\n");
    if (eol != AnsiString::npos) text.resize(eol);
    if (!text.empty()) Replace(text);
}

void TCustomEdit::Undo() {
    if (!FCanUndo) return;
    AnsiString redo = FText;
    Integer redoCaret = FCaret;
    FSettingText = true;
    SetText(FUndoText);
    FSettingText = false;
    FAnchor = FCaret = std::min<Integer>(FUndoCaret, Integer(FText.size()));
    FUndoText = redo;
    FUndoCaret = redoCaret;
    FModified = true;
    Change();
}

void TCustomEdit::Change() {
    if (FOnChange && !GetComponentState().Contains(csLoading)) FOnChange(this);
}

void TCustomEdit::CMTextChanged(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    if (FSettingText) return;
    // Set in code: the platform's WM_SETTEXT. The case applies, the caret goes to the start,
    // undo and Modified are cleared, OnChange fires.
    AnsiString cased = Cased(FText);
    if (cased != FText) FText = cased;
    FAnchor = FCaret = 0;
    FScroll = 0;
    FCanUndo = false;
    FModified = false;
    Change();
}

void TCustomEdit::CMFontChanged(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    AdjustHeight();
}

void TCustomEdit::DoEnter() {
    // The keyboard's focus selects everything; a click places the caret instead.
    if (FAutoSelect && !FControlState.Contains(csLButtonDown)) SelectAll();
    TWinControl::DoEnter();
}

void TCustomEdit::CMEnter(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    Invalidate();
}

void TCustomEdit::CMExit(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    FSelecting = false;
    Invalidate();
}

void TCustomEdit::Loaded() {
    TWinControl::Loaded();
    FModified = false;
    AdjustHeight();
}

void TCustomEdit::AdjustHeight() {
    if (!TControl::GetAutoSize() || GetComponentState().Contains(csLoading)) return;
    // The font's height and room for the border and margins, as the host sizes an edit.
    Integer h = GetTextMetrics(GetFont()->LogFont()).tmHeight;
    Integer extra = FBorderStyle == bsNone ? 2 : GetCtl3D() ? 8 : 6;
    if (GetHeight() != h + extra) SetHeight(h + extra);
}

// ---- the window ----

Integer TCustomEdit::CharAt(Integer X) {
    AnsiString shown = Shown();
    const TLogFont& font = GetFont()->LogFont();
    Integer x = X + FScroll - 1;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        Integer left = GetTextExtent(font, std::string_view(shown).substr(0, i)).cx;
        Integer right = GetTextExtent(font, std::string_view(shown).substr(0, i + 1)).cx;
        if (x < (left + right) / 2) return Integer(i);
    }
    return Integer(shown.size());
}

void TCustomEdit::KeyDownDefault(Word Key, TShiftState Shift) {
    bool extend = Shift.Contains(ssShift);
    bool ctrl = Shift.Contains(ssCtrl);
    Integer n = Integer(FText.size());
    switch (Key) {
    case VK_LEFT:
        if (!extend && GetSelLength() > 0 && !ctrl) return MoveCaret(GetSelStart(), false);
        if (ctrl) {
            Integer i = FCaret;
            while (i > 0 && !IsWordChar(FText[std::size_t(i - 1)])) --i;
            while (i > 0 && IsWordChar(FText[std::size_t(i - 1)])) --i;
            return MoveCaret(i, extend);
        }
        return MoveCaret(FCaret - 1, extend);
    case VK_RIGHT:
        if (!extend && GetSelLength() > 0 && !ctrl)
            return MoveCaret(GetSelStart() + GetSelLength(), false);
        if (ctrl) {
            Integer i = FCaret;
            while (i < n && IsWordChar(FText[std::size_t(i)])) ++i;
            while (i < n && !IsWordChar(FText[std::size_t(i)])) ++i;
            return MoveCaret(i, extend);
        }
        return MoveCaret(FCaret + 1, extend);
    case VK_HOME: return MoveCaret(0, extend);
    case VK_END: return MoveCaret(n, extend);
    case VK_DELETE:
        if (extend) return CutToClipboard(); // Shift+Del
        if (GetSelLength() == 0) {
            if (FCaret >= n) return;
            FAnchor = FCaret + 1;
        }
        return Replace(AnsiString());
    case VK_INSERT:
        if (ctrl) return CopyToClipboard();
        if (extend) return PasteFromClipboard();
        return;
    default: return;
    }
}

void TCustomEdit::CharDefault(char C) {
    switch (C) {
    case 3: return CopyToClipboard();     // Ctrl+C
    case 22: return PasteFromClipboard(); // Ctrl+V
    case 24: return CutToClipboard();     // Ctrl+X
    case 26: return Undo();               // Ctrl+Z
    case '\b':
        if (GetSelLength() == 0) {
            if (FCaret == 0) return;
            FAnchor = FCaret - 1;
        }
        return Replace(AnsiString());
    default:
        if (static_cast<unsigned char>(C) < 32) return; // Enter, Esc, Tab: not the edit's
        Replace(AnsiString(1, C));
    }
}

void TCustomEdit::DefaultHandler(void* Message) {
    auto& m = *static_cast<TMessage*>(Message);
    switch (m.Msg) {
    case WM_GETDLGCODE: m.Result = DialogCode(); return;
    case WM_KEYDOWN:
        KeyDownDefault(Word(m.WParam),
                       KeyDataToShiftState(m.LParam) +
                           (GetKeyState(VK_SHIFT) < 0 ? TShiftState{ssShift} : TShiftState{}) +
                           (GetKeyState(VK_CONTROL) < 0 ? TShiftState{ssCtrl} : TShiftState{}));
        return;
    case WM_CHAR: CharDefault(char(m.WParam)); return;
    case WM_LBUTTONDOWN: {
        if (CanFocus() && !Focused()) SetFocus();
        Integer at = IndexAt(PointOf(m));
        MoveCaret(at, (m.WParam & 0x0004) != 0); // MK_SHIFT
        FSelecting = true;
        SetMouseCapture(true);
        return;
    }
    case WM_MOUSEMOVE:
        if (FSelecting) MoveCaret(IndexAt(PointOf(m)), true);
        return;
    case WM_LBUTTONUP:
        if (FSelecting) {
            FSelecting = false;
            SetMouseCapture(false);
        }
        return;
    case WM_LBUTTONDBLCLK: {
        // The word under the mouse.
        Integer at = IndexAt(PointOf(m)), n = Integer(FText.size());
        Integer a = at, b = at;
        while (a > 0 && IsWordChar(FText[std::size_t(a - 1)])) --a;
        while (b < n && IsWordChar(FText[std::size_t(b)])) ++b;
        FAnchor = a;
        FCaret = b;
        Invalidate();
        return;
    }
    case WM_CUT: CutToClipboard(); return;
    case WM_COPY: CopyToClipboard(); return;
    case WM_PASTE: PasteFromClipboard(); return;
    case WM_CLEAR: ClearSelection(); return;
    case WM_UNDO: Undo(); return;
    default: break;
    }
    TWinControl::DefaultHandler(Message);
}

TRect TCustomEdit::GetNonClientInsets() {
    TRect n = TWinControl::GetNonClientInsets();
    Integer b = FBorderStyle == bsNone ? 0 : ClientEdgeWidth();
    return {n.Left + b, n.Top + b, n.Right + b, n.Bottom + b};
}

void TCustomEdit::PaintNonClient(TCanvas* Canvas) {
    TWinControl::PaintNonClient(Canvas);
    if (FBorderStyle != bsNone) PaintClientEdge(Canvas);
}

void TCustomEdit::PaintWindow(TCanvas* Canvas) {
    TRect client = GetClientRect();
    AnsiString shown = Shown();
    Canvas->GetFont()->Assign(GetFont());
    const TLogFont& font = GetFont()->LogFont();
    auto width = [&](Integer Count) {
        return GetTextExtent(font, std::string_view(shown).substr(0, std::size_t(Count))).cx;
    };
    // Scrolled so that the caret shows.
    Integer caretX = width(FCaret);
    Integer room = std::max<Integer>(client.Right - 2, 1);
    if (caretX - FScroll > room) FScroll = caretX - room;
    if (caretX < FScroll) FScroll = caretX;
    Integer x = 1 - FScroll;
    Integer y = (client.Bottom - GetTextMetrics(font).tmHeight) / 2;
    if (y < 0) y = 0;
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->GetFont()->SetColor(GetEnabled() ? GetFont()->GetColor() : clGrayText);
    Canvas->TextRect(client, x, y, shown);
    bool showSelection = GetSelLength() > 0 && (Focused() || !FHideSelection);
    if (showSelection) {
        Integer a = GetSelStart(), b = a + GetSelLength();
        TRect sel{x + width(a), y, x + width(b), y + GetTextMetrics(font).tmHeight};
        Canvas->GetBrush()->SetStyle(bsSolid);
        Canvas->GetBrush()->SetColor(clHighlight);
        Canvas->GetFont()->SetColor(clHighlightText);
        TRect clip{std::max(sel.Left, client.Left), sel.Top, std::min(sel.Right, client.Right),
                   sel.Bottom};
        if (clip.Left < clip.Right) {
            Canvas->FillRect(clip);
            Canvas->GetBrush()->SetStyle(bsClear);
            Canvas->TextRect(clip, sel.Left, y, shown.substr(std::size_t(a), std::size_t(b - a)));
        }
    }
}

} // namespace host
