#include "host/stdctrls/Memo.h"

#include "host/classes/Lists.h"
#include "host/classes/TypInfoRows.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/Edges.h"
#include "host/graphics/ScrollBarLook.h"
#include "host/graphics/Text.h"
#include "host/menus/Keys.h"
#include "host/system/SysUtils.h"

#include <algorithm>

namespace host {

namespace {
constexpr TPropInfo CustomMemoProps[] = {
    HOST_PROP(TCustomMemo, Alignment).Default(taLeftJustify).Unpublished(),
    HOST_PROP(TCustomMemo, ScrollBars).Default(ssNone).Unpublished(),
    HOST_PROP(TCustomMemo, WantReturns).Default(true).Unpublished(),
    HOST_PROP(TCustomMemo, WantTabs).Default(false).Unpublished(),
    HOST_PROP(TCustomMemo, WordWrap).Default(true).Unpublished(),
    HOST_PROP(TCustomMemo, Lines).Unpublished(),
};
constexpr TPropInfo MemoProps[] = {
    "Align",       "Alignment",      "Anchors",     "BiDiMode",    "BorderStyle", "Color",
    "Constraints", "Ctl3D",          "DragCursor",  "DragKind",    "DragMode",    "Enabled",
    "Font",        "HideSelection",  "ImeMode",     "ImeName",     "Lines",       "MaxLength",
    "OEMConvert",  "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont",  "ParentShowHint",
    "PopupMenu",   "ReadOnly",       "ScrollBars",  "ShowHint",    "TabOrder",    "TabStop",
    "Visible",     "WantReturns",    "WantTabs",    "WordWrap",    "OnChange",    "OnClick",
    "OnDblClick",  "OnDragDrop",     "OnDragOver",  "OnEndDock",   "OnEndDrag",   "OnEnter",
    "OnExit",      "OnKeyDown",      "OnKeyPress",  "OnKeyUp",     "OnMouseDown", "OnMouseMove",
    "OnMouseUp",   "OnStartDock",    "OnStartDrag",
};
constexpr Integer BarSize = 16;
} // namespace

HOST_METACLASS(TMemoStrings, TStrings);
HOST_COMPONENT_METACLASS(TCustomMemo, TCustomEdit, PropTable(CustomMemoProps));
HOST_COMPONENT_METACLASS(TMemo, TCustomMemo, PropTable(MemoProps));

// ---- TMemoStrings ----

std::vector<AnsiString> TMemoStrings::Split() const {
    std::vector<AnsiString> lines;
    const AnsiString& t = FMemo->Text();
    if (t.empty()) return lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < t.size(); ++i)
        if (t[i] == '\r' || t[i] == '\n') {
            lines.push_back(t.substr(start, i - start));
            if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') ++i;
            start = i + 1;
        }
    if (start < t.size()) lines.push_back(t.substr(start));
    return lines;
}

void TMemoStrings::Join(const std::vector<AnsiString>& Lines) {
    AnsiString text;
    for (std::size_t i = 0; i < Lines.size(); ++i) {
        if (i) text += "\r\n";
        text += Lines[i];
    }
    FMemo->SetText(text);
}

Integer TMemoStrings::GetCount() const {
    return Integer(Split().size());
}

AnsiString TMemoStrings::Get(Integer Index) {
    std::vector<AnsiString> lines = Split();
    if (Index < 0 || Index >= Integer(lines.size())) Error(&SListIndexError, Index);
    return lines[std::size_t(Index)];
}

void TMemoStrings::Put(Integer Index, const AnsiString& S) {
    std::vector<AnsiString> lines = Split();
    if (Index < 0 || Index >= Integer(lines.size())) Error(&SListIndexError, Index);
    lines[std::size_t(Index)] = S;
    Join(lines);
}

void TMemoStrings::Insert(Integer Index, const AnsiString& S) {
    std::vector<AnsiString> lines = Split();
    if (Index < 0 || Index > Integer(lines.size())) Error(&SListIndexError, Index);
    lines.insert(lines.begin() + Index, S);
    Join(lines);
}

void TMemoStrings::Delete(Integer Index) {
    std::vector<AnsiString> lines = Split();
    if (Index < 0 || Index >= Integer(lines.size())) Error(&SListIndexError, Index);
    lines.erase(lines.begin() + Index);
    Join(lines);
}

void TMemoStrings::Clear() {
    FMemo->SetText(AnsiString());
}

AnsiString TMemoStrings::GetTextStr() {
    // Every line ends with a line break, as TStrings' text does.
    AnsiString text;
    for (const AnsiString& l : Split()) text += l + "\r\n";
    return text;
}

void TMemoStrings::SetTextStr(const AnsiString& Value) {
    AnsiString v = Value;
    if (v.size() >= 2 && v.compare(v.size() - 2, 2, "\r\n") == 0)
        v.resize(v.size() - 2);
    else if (!v.empty() && v.back() == '\n')
        v.pop_back();
    FMemo->SetText(v);
}

// ---- TCustomMemo ----

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(new TMemoStrings(this)) {
    TControl::SetAutoSize(false);
    SetBounds(0, 0, 185, 89);
}

TCustomMemo::~TCustomMemo() {
    FLines->Free();
}

void TCustomMemo::SetAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
    if (Value == FScrollBars) return;
    FScrollBars = Value;
    Realign();
    Invalidate();
}

void TCustomMemo::SetWordWrap(bool Value) {
    if (Value == FWordWrap) return;
    FWordWrap = Value;
    Invalidate();
}

LongInt TCustomMemo::DialogCode() {
    LongInt code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (FWantReturns) code |= DLGC_WANTALLKEYS;
    if (FWantTabs) code |= DLGC_WANTTAB;
    return code;
}

TPoint TCustomMemo::GetCaretPos() const {
    Integer line = 0, col = 0;
    for (Integer i = 0; i < FCaret && i < Integer(FText.size()); ++i) {
        if (FText[std::size_t(i)] == '\n') {
            ++line;
            col = 0;
        } else if (FText[std::size_t(i)] != '\r') {
            ++col;
        }
    }
    return {col, line};
}

Integer TCustomMemo::LineHeight() const {
    return GetTextMetrics(GetFont()->LogFont()).tmHeight;
}

std::vector<TCustomMemo::Row> TCustomMemo::Rows() {
    std::vector<Row> rows;
    const AnsiString& t = FText;
    const TLogFont& font = GetFont()->LogFont();
    bool wrap = FWordWrap && FScrollBars != ssHorizontal && FScrollBars != ssBoth;
    Integer width = std::max<Integer>(GetClientRect().Right - 2, 1);
    std::size_t start = 0;
    auto addLine = [&](std::size_t From, std::size_t To) {
        if (!wrap) {
            rows.push_back({Integer(From), Integer(To - From)});
            return;
        }
        // Greedy: words while they fit, a word too long for a line broken where it must.
        std::size_t s = From;
        while (true) {
            std::size_t cut = s;
            std::size_t next = s;
            while (next < To) {
                std::size_t sp = t.find(' ', next);
                std::size_t wordEnd = sp == AnsiString::npos || sp >= To ? To : sp + 1;
                if (GetTextExtent(font, std::string_view(t).substr(s, wordEnd - s)).cx > width &&
                    cut > s)
                    break;
                cut = wordEnd;
                next = wordEnd;
            }
            if (cut == s) cut = std::max(To, s); // nothing fits: the rest as it is
            rows.push_back({Integer(s), Integer(cut - s)});
            if (cut >= To) break;
            s = cut;
        }
    };
    for (std::size_t i = 0; i < t.size(); ++i)
        if (t[i] == '\r' || t[i] == '\n') {
            addLine(start, i);
            if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') ++i;
            start = i + 1;
        }
    addLine(start, t.size());
    return rows;
}

Integer TCustomMemo::RowOf(const std::vector<Row>& R, Integer Index) const {
    for (std::size_t i = R.size(); i-- > 0;)
        if (Index >= R[i].Start) return Integer(i);
    return 0;
}

Integer TCustomMemo::XOf(const Row& R, Integer Index) const {
    Integer n = std::clamp<Integer>(Index - R.Start, 0, R.Length);
    return GetTextExtent(GetFont()->LogFont(),
                         std::string_view(FText).substr(std::size_t(R.Start), std::size_t(n)))
        .cx;
}

Integer TCustomMemo::IndexAtX(const Row& R, Integer X) const {
    for (Integer i = 0; i < R.Length; ++i) {
        Integer left = XOf(R, R.Start + i), right = XOf(R, R.Start + i + 1);
        if (X < (left + right) / 2) return R.Start + i;
    }
    // The end of a wrapped row is the start of the next: stay before its trailing space.
    Integer end = R.Start + R.Length;
    if (R.Length > 0 && end < Integer(FText.size()) && FText[std::size_t(end - 1)] == ' ' &&
        FText[std::size_t(end)] != '\r')
        return end - 1;
    return end;
}

Integer TCustomMemo::IndexAt(TPoint P) {
    std::vector<Row> rows = Rows();
    Integer r = std::clamp<Integer>(FTopRow + P.Y / std::max<Integer>(LineHeight(), 1), 0,
                                    Integer(rows.size()) - 1);
    return IndexAtX(rows[std::size_t(r)], P.X - 1);
}

void TCustomMemo::ScrollToCaret(const std::vector<Row>& R) {
    Integer visible =
        std::max<Integer>(GetClientRect().Bottom / std::max<Integer>(LineHeight(), 1), 1);
    Integer row = RowOf(R, FCaret);
    if (row < FTopRow) FTopRow = row;
    if (row >= FTopRow + visible) FTopRow = row - visible + 1;
}

void TCustomMemo::KeyDownDefault(Word Key, TShiftState Shift) {
    bool extend = Shift.Contains(ssShift), ctrl = Shift.Contains(ssCtrl);
    std::vector<Row> rows = Rows();
    Integer row = RowOf(rows, FCaret);
    const Row& r = rows[std::size_t(row)];
    switch (Key) {
    case VK_UP:
    case VK_DOWN: {
        Integer to = Key == VK_UP ? row - 1 : row + 1;
        if (to < 0 || to >= Integer(rows.size())) return;
        MoveCaret(IndexAtX(rows[std::size_t(to)], XOf(r, FCaret)), extend);
        break;
    }
    case VK_PRIOR:
    case VK_NEXT: {
        Integer page =
            std::max<Integer>(GetClientRect().Bottom / std::max<Integer>(LineHeight(), 1), 1);
        Integer to = std::clamp<Integer>(Key == VK_PRIOR ? row - page : row + page, 0,
                                         Integer(rows.size()) - 1);
        MoveCaret(IndexAtX(rows[std::size_t(to)], XOf(r, FCaret)), extend);
        break;
    }
    case VK_HOME: MoveCaret(ctrl ? 0 : r.Start, extend); break;
    case VK_END: MoveCaret(ctrl ? Integer(FText.size()) : r.Start + r.Length, extend); break;
    case VK_DELETE:
        // A line break goes as one.
        if (!extend && GetSelLength() == 0 && FCaret + 1 < Integer(FText.size()) &&
            FText[std::size_t(FCaret)] == '\r' && FText[std::size_t(FCaret + 1)] == '\n') {
            FAnchor = FCaret + 2;
            Replace(AnsiString());
            break;
        }
        TCustomEdit::KeyDownDefault(Key, Shift);
        break;
    default: TCustomEdit::KeyDownDefault(Key, Shift); break;
    }
    ScrollToCaret(Rows());
}

void TCustomMemo::CharDefault(char C) {
    if (C == '\r') {
        if (FWantReturns) Replace("\r\n");
        return;
    }
    if (C == '\t') {
        if (FWantTabs) Replace("\t");
        return;
    }
    if (C == '\b' && GetSelLength() == 0 && FCaret >= 2 && FText[std::size_t(FCaret - 1)] == '\n' &&
        FText[std::size_t(FCaret - 2)] == '\r') {
        FAnchor = FCaret - 2;
        Replace(AnsiString());
        return;
    }
    TCustomEdit::CharDefault(C);
    ScrollToCaret(Rows());
}

TRect TCustomMemo::GetNonClientInsets() {
    TRect n = TCustomEdit::GetNonClientInsets();
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) n.Right += BarSize;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) n.Bottom += BarSize;
    return n;
}

void TCustomMemo::PaintNonClient(TCanvas* Canvas) {
    TCustomEdit::PaintNonClient(Canvas);
    if (FScrollBars == ssNone) return;
    TRect inner = TCustomEdit::GetNonClientInsets();
    TRect box{inner.Left, inner.Top, GetWidth() - inner.Right, GetHeight() - inner.Bottom};
    bool v = FScrollBars == ssVertical || FScrollBars == ssBoth;
    bool h = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
    Integer rows = Integer(Rows().size());
    Integer visible =
        std::max<Integer>(GetClientRect().Bottom / std::max<Integer>(LineHeight(), 1), 1);
    if (v)
        DrawScrollBar(Canvas,
                      {box.Right - BarSize, box.Top, box.Right, box.Bottom - (h ? BarSize : 0)},
                      false, 0, std::max<Integer>(rows - 1, 0), FTopRow, visible, true, clScrollBar,
                      GetEnabled());
    if (h)
        DrawScrollBar(Canvas,
                      {box.Left, box.Bottom - BarSize, box.Right - (v ? BarSize : 0), box.Bottom},
                      true, 0, 0, 0, 1, true, clScrollBar, GetEnabled());
    if (h && v) {
        Canvas->GetBrush()->SetStyle(bsSolid);
        Canvas->GetBrush()->SetColor(clBtnFace);
        Canvas->FillRect({box.Right - BarSize, box.Bottom - BarSize, box.Right, box.Bottom});
    }
}

void TCustomMemo::PaintWindow(TCanvas* Canvas) {
    TRect client = GetClientRect();
    Canvas->GetFont()->Assign(GetFont());
    std::vector<Row> rows = Rows();
    ScrollToCaret(rows);
    Integer lh = LineHeight();
    bool showSelection = GetSelLength() > 0 && (Focused() || !GetHideSelection());
    Integer selA = GetSelStart(), selB = selA + GetSelLength();
    for (Integer i = FTopRow; i < Integer(rows.size()); ++i) {
        Integer y = (i - FTopRow) * lh;
        if (y >= client.Bottom) break;
        const Row& r = rows[std::size_t(i)];
        AnsiString line = FText.substr(std::size_t(r.Start), std::size_t(r.Length));
        Integer w = XOf(r, r.Start + r.Length);
        Integer x = FAlignment == taCenter         ? (client.Right - w) / 2
                    : FAlignment == taRightJustify ? client.Right - 1 - w
                                                   : 1;
        Canvas->GetBrush()->SetStyle(bsClear);
        Canvas->GetFont()->SetColor(GetEnabled() ? GetFont()->GetColor() : clGrayText);
        Canvas->TextRect(client, x, y, line);
        if (!showSelection) continue;
        Integer a = std::clamp(selA, r.Start, r.Start + r.Length);
        Integer b = std::clamp(selB, r.Start, r.Start + r.Length);
        if (a >= b) continue;
        TRect sel{x + XOf(r, a), y, x + XOf(r, b), y + lh};
        Canvas->GetBrush()->SetStyle(bsSolid);
        Canvas->GetBrush()->SetColor(clHighlight);
        Canvas->FillRect(sel);
        Canvas->GetBrush()->SetStyle(bsClear);
        Canvas->GetFont()->SetColor(clHighlightText);
        Canvas->TextRect(sel, sel.Left, y, FText.substr(std::size_t(a), std::size_t(b - a)));
    }
}

} // namespace host
