// Memos: the platform's multi-line edit (lines, the caret moving between them, word wrap,
// Enter and Tab kept or given to the form, scroll bars), its lines a string list over its text.
#pragma once

#include "host/classes/Strings.h"
#include "host/stdctrls/Edit.h"

#include <vector>

namespace host {

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
HOST_ENUM_INFO(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth)

class TCustomMemo;

/// A memo's lines: each read from and written into the memo's text.
class TMemoStrings : public TStrings {
    HOST_CLASS(TMemoStrings, TStrings)
public:
    explicit TMemoStrings(TCustomMemo* AMemo) : FMemo(AMemo) {}
    Integer GetCount() const override;
    AnsiString Get(Integer Index) override;
    void Put(Integer Index, const AnsiString& S) override;
    void Insert(Integer Index, const AnsiString& S) override;
    void Delete(Integer Index) override;
    void Clear() override;
    AnsiString GetTextStr() override;
    void SetTextStr(const AnsiString& Value) override;

private:
    std::vector<AnsiString> Split() const;
    void Join(const std::vector<AnsiString>& Lines);
    TCustomMemo* FMemo;
};

class TCustomMemo : public TCustomEdit {
    HOST_CLASS(TCustomMemo, TCustomEdit)
public:
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TScrollStyle GetScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    /// Enter breaks the line (else it is the form's: a default button).
    bool GetWantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value) { FWantReturns = Value; }
    /// Tab types a tab (else it moves the focus).
    bool GetWantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }
    /// Long lines wrap at the width (not with a horizontal scroll bar).
    bool GetWordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    /// The caret: X the column, Y the line (counted in the text's own lines).
    TPoint GetCaretPos() const;
    TStrings* GetLines() const { return FLines; }
    void SetLines(TStrings* Value) { FLines->Assign(Value); }
    TAlignment GetControlsAlignment() const override { return FAlignment; }

protected:
    bool IsMultiLine() const override { return true; }
    LongInt DialogCode() override;
    void KeyDownDefault(Word Key, TShiftState Shift) override;
    void CharDefault(char C) override;
    Integer IndexAt(TPoint P) override;
    TRect GetNonClientInsets() override;
    void PaintNonClient(TCanvas* Canvas) override;
    void PaintWindow(TCanvas* Canvas) override;
    void AdjustSize() override {}

private:
    friend class TMemoStrings;
    const AnsiString& Text() const { return FText; }
    struct Row {
        Integer Start, Length; // a piece of the text shown as one line
    };
    /// The lines as they show: the text's own, wrapped at the width where WordWrap says.
    std::vector<Row> Rows();
    Integer RowOf(const std::vector<Row>& Rows, Integer Index) const;
    Integer XOf(const Row& R, Integer Index) const;
    Integer IndexAtX(const Row& R, Integer X) const;
    Integer LineHeight() const;
    void ScrollToCaret(const std::vector<Row>& Rows);

    TAlignment FAlignment = taLeftJustify;
    TScrollStyle FScrollBars = ssNone;
    bool FWantReturns = true;
    bool FWantTabs = false;
    bool FWordWrap = true;
    TMemoStrings* FLines;
    Integer FTopRow = 0;
};

class TMemo : public TCustomMemo {
    HOST_CLASS(TMemo, TCustomMemo)
public:
    using TCustomMemo::TCustomMemo;
};

} // namespace host
