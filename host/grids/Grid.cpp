#include "host/grids/Grid.h"

#include "host/classes/Filer.h"
#include "host/classes/Reader.h"
#include "host/classes/TypInfoRows.h"
#include "host/classes/Writer.h"
#include "host/graphics/Edges.h"
#include "host/graphics/ScrollBarLook.h"
#include "host/grids/GridProps.h"
#include "host/grids/InplaceEdit.h"
#include "host/menus/Keys.h"
#include "host/stdctrls/ScrollBar.h"

#include <algorithm>

namespace host {

namespace {
constexpr Integer BarSize = 16;
constexpr Word KeyF2 = VK_F1 + 1; // F2 edits the current cell
constexpr Integer Grip = 2;       // how far either side of a line the mouse takes it for sizing

constexpr TPropInfo CustomGridProps[] = {
    HOST_PROP(TCustomGrid, BorderStyle).Default(bsSingle).Unpublished(),
    HOST_PROP(TCustomGrid, ColCount).Default(5).Unpublished(),
    HOST_PROP(TCustomGrid, DefaultColWidth).Default(64).Unpublished(),
    HOST_PROP(TCustomGrid, DefaultDrawing).Default(true).Unpublished(),
    HOST_PROP(TCustomGrid, DefaultRowHeight).Default(24).Unpublished(),
    HOST_PROP(TCustomGrid, FixedColor).Default(clBtnFace).Unpublished(),
    HOST_PROP(TCustomGrid, FixedCols).Default(1).Unpublished(),
    HOST_PROP(TCustomGrid, RowCount).Default(5).Unpublished(),
    HOST_PROP(TCustomGrid, FixedRows).Default(1).Unpublished(),
    HOST_PROP(TCustomGrid, GridLineWidth).Default(1).Unpublished(),
    HOST_PROP(TCustomGrid, Options).Default(DefaultGridOptions).Unpublished(),
    HOST_PROP(TCustomGrid, ScrollBars).Default(ssBoth).Unpublished(),
    HOST_PROP(TCustomGrid, OnColumnMoved).Unpublished(),
    HOST_PROP(TCustomGrid, OnDrawCell).Unpublished(),
    HOST_PROP(TCustomGrid, OnGetEditMask).Unpublished(),
    HOST_PROP(TCustomGrid, OnGetEditText).Unpublished(),
    HOST_PROP(TCustomGrid, OnRowMoved).Unpublished(),
    HOST_PROP(TCustomGrid, OnSelectCell).Unpublished(),
    HOST_PROP(TCustomGrid, OnSetEditText).Unpublished(),
    HOST_PROP(TCustomGrid, OnTopLeftChanged).Unpublished(),
    HOST_PROP(TControl, ParentColor).Default(false).Unpublished(),
    // Published here with the default grids have.
    HOST_PROP(TWinControl, TabStop).Default(true),
};
} // namespace

HOST_METACLASS(EInvalidGridOperation, Exception);
const TMessageEntry TCustomGrid::Messages[] = {
    HOST_ON(TCustomGrid, CM_ENTER, CMEnter),
    HOST_ON(TCustomGrid, CM_EXIT, CMExit),
};
HOST_COMPONENT_METACLASS(TCustomGrid, TCustomControl,
                         PropTable(CustomGridProps, MessageTable(TCustomGrid::Messages)));
HOST_COMPONENT_METACLASS(TCustomDrawGrid, TCustomGrid);
HOST_COMPONENT_METACLASS(TDrawGrid, TCustomDrawGrid, PropTable(GridPublishedProps));

// ---- the layout along one axis ----

Integer TCustomGrid::Axis::FixedExtent() const {
    Integer x = 0;
    for (Integer i = 0; i < Fixed && x < Extent; ++i) x += Size(i) + LineAfter(i);
    return x;
}

Integer TCustomGrid::Axis::Start(Integer I) const {
    if (I < 0 || I >= Count) return -1;
    Integer x = 0;
    if (I < Fixed) {
        for (Integer i = 0; i < I; ++i) {
            x += Size(i) + LineAfter(i);
            if (x >= Extent) return -1;
        }
        return x;
    }
    if (I < First) return -1;
    x = FixedExtent();
    for (Integer i = First; i < I; ++i) {
        if (x >= Extent) return -1;
        x += Size(i) + LineAfter(i);
    }
    return x < Extent ? x : -1;
}

Integer TCustomGrid::Axis::At(Integer Pos) const {
    if (Pos < 0 || Pos >= Extent) return -1;
    Integer x = 0;
    for (Integer i = 0; i < Fixed; ++i) {
        x += Size(i) + LineAfter(i);
        if (Pos < x) return i;
    }
    for (Integer i = First; i < Count; ++i) {
        x += Size(i) + LineAfter(i);
        if (Pos < x) return i;
        if (x >= Extent) break;
    }
    return -1;
}

Integer TCustomGrid::Axis::MaxFirst() const {
    // From the last cell back, as many as fit wholly; at least the last one.
    Integer room = Extent - FixedExtent();
    Integer first = Count - 1;
    Integer used = Size(first);
    while (first - 1 >= Fixed && used + Size(first - 1) + LineAfter(first - 1) <= room) {
        --first;
        used += Size(first) + LineAfter(first);
    }
    return std::max(first, Fixed);
}

Integer TCustomGrid::Axis::Visible() const {
    Integer x = FixedExtent(), n = 0;
    for (Integer i = First; i < Count; ++i) {
        x += Size(i);
        if (x > Extent) break;
        ++n;
        x += LineAfter(i);
    }
    return std::max<Integer>(n, 1);
}

Int64 TCustomGrid::Axis::Total() const {
    Int64 t = 0;
    if (Sizes->empty())
        return Int64(Count) * Default + Int64(Fixed) * FixedLine + Int64(Count - Fixed) * Line;
    for (Integer i = 0; i < Count; ++i) t += Size(i) + LineAfter(i);
    return t;
}

TCustomGrid::Axis TCustomGrid::Horz(Integer Extent) {
    Integer line = FOptions.Contains(goVertLine) ? FGridLineWidth : 0;
    Integer fixedLine = FOptions.Contains(goFixedVertLine) ? FGridLineWidth : 0;
    return {FColCount,   FFixedCols,       FTopLeft.X, Extent < 0 ? GetClientRect().Right : Extent,
            &FColWidths, FDefaultColWidth, fixedLine,  line};
}

TCustomGrid::Axis TCustomGrid::Vert(Integer Extent) {
    Integer line = FOptions.Contains(goHorzLine) ? FGridLineWidth : 0;
    Integer fixedLine = FOptions.Contains(goFixedHorzLine) ? FGridLineWidth : 0;
    return {
        FRowCount,    FFixedRows,        FTopLeft.Y, Extent < 0 ? GetClientRect().Bottom : Extent,
        &FRowHeights, FDefaultRowHeight, fixedLine,  line};
}

// ---- TCustomGrid ----

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
    // No csClickEvents: a grid's OnClick tells of the current cell moving.
    FControlStyle = {csCaptureMouse, csOpaque, csDoubleClicks};
    FTabStop = true;
    FParentColor = false;
    SetColor(clWindow);
    SetBounds(0, 0, 320, 120);
}

TCustomGrid::~TCustomGrid() = default; // the editor is a component of the grid

void TCustomGrid::CheckCol(Integer Index) const {
    if (Index < 0 || Index >= FColCount) throw EInvalidGridOperation(SGridIndexOutOfRange);
}

void TCustomGrid::CheckRow(Integer Index) const {
    if (Index < 0 || Index >= FRowCount) throw EInvalidGridOperation(SGridIndexOutOfRange);
}

void TCustomGrid::SetColCount(Integer Value) {
    if (Value < 1) Value = 1;
    if (Value > MaxCount) throw EInvalidGridOperation(SGridTooLarge);
    if (Value == FColCount) return;
    Integer old = FColCount;
    if (FFixedCols >= Value) FFixedCols = Value - 1;
    FColCount = Value;
    if (!FColWidths.empty()) FColWidths.resize(std::size_t(Value), FDefaultColWidth);
    SizeChanged(old, FRowCount);
}

void TCustomGrid::SetRowCount(Integer Value) {
    if (Value < 1) Value = 1;
    if (Value > MaxCount) throw EInvalidGridOperation(SGridTooLarge);
    if (Value == FRowCount) return;
    Integer old = FRowCount;
    if (FFixedRows >= Value) FFixedRows = Value - 1;
    FRowCount = Value;
    if (!FRowHeights.empty()) FRowHeights.resize(std::size_t(Value), FDefaultRowHeight);
    SizeChanged(FColCount, old);
}

void TCustomGrid::SizeChanged(Integer, Integer) {
    FTotals = {-1, -1};
    // The current cell, the anchor and the view stay inside the grid and out of the fixed area.
    auto clampCell = [&](TGridCoord& C) {
        C.X = std::clamp(C.X, std::min(FFixedCols, FColCount - 1), FColCount - 1);
        C.Y = std::clamp(C.Y, std::min(FFixedRows, FRowCount - 1), FRowCount - 1);
    };
    clampCell(FCurrent);
    clampCell(FAnchor);
    clampCell(FTopLeft);
    ClampTopLeft();
    PlaceEditor();
    Invalidate();
}

void TCustomGrid::SetFixedCols(Integer Value) {
    if (Value < 0) throw EInvalidGridOperation(SGridIndexOutOfRange);
    if (Value >= FColCount) throw EInvalidGridOperation(SFixedColTooBig);
    if (Value == FFixedCols) return;
    FFixedCols = Value;
    FTopLeft.X = FCurrent.X = FAnchor.X = Value;
    SizeChanged(FColCount, FRowCount);
}

void TCustomGrid::SetFixedRows(Integer Value) {
    if (Value < 0) throw EInvalidGridOperation(SGridIndexOutOfRange);
    if (Value >= FRowCount) throw EInvalidGridOperation(SFixedRowTooBig);
    if (Value == FFixedRows) return;
    FFixedRows = Value;
    FTopLeft.Y = FCurrent.Y = FAnchor.Y = Value;
    SizeChanged(FColCount, FRowCount);
}

void TCustomGrid::SetDefaultColWidth(Integer Value) {
    Value = std::clamp<Integer>(Value, 0, MaxCellSize);
    FDefaultColWidth = Value;
    FColWidths.clear();
    SizeChanged(FColCount, FRowCount);
}

void TCustomGrid::SetDefaultRowHeight(Integer Value) {
    Value = std::clamp<Integer>(Value, 0, MaxCellSize);
    FDefaultRowHeight = Value;
    FRowHeights.clear();
    SizeChanged(FColCount, FRowCount);
}

Integer TCustomGrid::GetColWidths(Integer Index) const {
    CheckCol(Index);
    return FColWidths.empty() ? FDefaultColWidth : FColWidths[std::size_t(Index)];
}

void TCustomGrid::SetColWidths(Integer Index, Integer Value) {
    CheckCol(Index);
    Value = std::clamp<Integer>(Value, 0, MaxCellSize);
    if (FColWidths.empty()) {
        if (Value == FDefaultColWidth) return;
        FColWidths.assign(std::size_t(FColCount), FDefaultColWidth);
    }
    if (FColWidths[std::size_t(Index)] == Value) return;
    FColWidths[std::size_t(Index)] = Value;
    SizeChanged(FColCount, FRowCount);
}

Integer TCustomGrid::GetRowHeights(Integer Index) const {
    CheckRow(Index);
    return FRowHeights.empty() ? FDefaultRowHeight : FRowHeights[std::size_t(Index)];
}

void TCustomGrid::SetRowHeights(Integer Index, Integer Value) {
    CheckRow(Index);
    Value = std::clamp<Integer>(Value, 0, MaxCellSize);
    if (FRowHeights.empty()) {
        if (Value == FDefaultRowHeight) return;
        FRowHeights.assign(std::size_t(FRowCount), FDefaultRowHeight);
    }
    if (FRowHeights[std::size_t(Index)] == Value) return;
    FRowHeights[std::size_t(Index)] = Value;
    SizeChanged(FColCount, FRowCount);
}

void TCustomGrid::SetGridLineWidth(Integer Value) {
    Value = std::clamp<Integer>(Value, 0, MaxCellSize);
    if (Value == FGridLineWidth) return;
    FGridLineWidth = Value;
    SizeChanged(FColCount, FRowCount);
}

void TCustomGrid::SetOptions(TGridOptions Value) {
    if (Value == FOptions) return;
    FOptions = Value;
    if (!Value.Contains(goEditing)) HideEditor();
    if (Value.Contains(goRowSelect)) HideEditor();
    if (Value.Contains(goEditing) && Value.Contains(goAlwaysShowEditor) && IsActive()) ShowEditor();
    SizeChanged(FColCount, FRowCount);
}

void TCustomGrid::SetFixedColor(TColor Value) {
    if (Value == FFixedColor) return;
    FFixedColor = Value;
    Invalidate();
}

void TCustomGrid::SetDefaultDrawing(bool Value) {
    if (Value == FDefaultDrawing) return;
    FDefaultDrawing = Value;
    Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
    if (Value == FScrollBars) return;
    FScrollBars = Value;
    Realign();
    SizeChanged(FColCount, FRowCount);
}

void TCustomGrid::SetBorderStyle(TFormBorderStyle Value) {
    if (Value != bsNone) Value = bsSingle;
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    Realign();
    SizeChanged(FColCount, FRowCount);
}

void TCustomGrid::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    // A bigger window may show cells the view scrolled past.
    ClampTopLeft();
    PlaceEditor();
}

// ---- the current cell, the selection and the view ----

void TCustomGrid::SetCol(Integer Value) {
    if (Value == FCurrent.X) return;
    MoveCurrent(Value, FCurrent.Y, true, true);
}

void TCustomGrid::SetRow(Integer Value) {
    if (Value == FCurrent.Y) return;
    MoveCurrent(FCurrent.X, Value, true, true);
}

TGridRect TCustomGrid::GetSelection() const {
    TGridRect r{std::min(FAnchor.X, FCurrent.X), std::min(FAnchor.Y, FCurrent.Y),
                std::max(FAnchor.X, FCurrent.X), std::max(FAnchor.Y, FCurrent.Y)};
    if (FOptions.Contains(goRowSelect)) {
        r.Left = FFixedCols;
        r.Right = FColCount - 1;
    }
    return r;
}

void TCustomGrid::SetSelection(TGridRect Value) {
    CheckCol(Value.Left);
    CheckCol(Value.Right);
    CheckRow(Value.Top);
    CheckRow(Value.Bottom);
    if (Value.Left > Value.Right) std::swap(Value.Left, Value.Right);
    if (Value.Top > Value.Bottom) std::swap(Value.Top, Value.Bottom);
    HideEditor();
    FAnchor = {Value.Left, Value.Top};
    FCurrent = {Value.Right, Value.Bottom};
    ClampInView(FCurrent);
    Invalidate();
}

void TCustomGrid::SetLeftCol(Integer Value) {
    MoveTopLeft(Value, FTopLeft.Y);
}

void TCustomGrid::SetTopRow(Integer Value) {
    MoveTopLeft(FTopLeft.X, Value);
}

Integer TCustomGrid::GetVisibleColCount() {
    return Horz().Visible();
}

Integer TCustomGrid::GetVisibleRowCount() {
    return Vert().Visible();
}

namespace {
// Where the last cell in sight ends (its line included), no further than the extent.
template <class A>
Integer ShownExtent(const A& Ax) {
    Integer x = 0;
    for (Integer i = 0; i < Ax.Fixed && x < Ax.Extent; ++i) x += Ax.Size(i) + Ax.LineAfter(i);
    for (Integer i = Ax.First; i < Ax.Count && x < Ax.Extent; ++i)
        x += Ax.Size(i) + Ax.LineAfter(i);
    return std::min(x, Ax.Extent);
}
} // namespace

Integer TCustomGrid::GetGridWidth() {
    return ShownExtent(Horz());
}

Integer TCustomGrid::GetGridHeight() {
    return ShownExtent(Vert());
}

TRect TCustomGrid::CellRect(Integer ACol, Integer ARow) {
    Axis h = Horz(), v = Vert();
    Integer x = h.Start(ACol), y = v.Start(ARow);
    if (x < 0 || y < 0) return {0, 0, 0, 0};
    return {x, y, std::min(x + h.Size(ACol), h.Extent), std::min(y + v.Size(ARow), v.Extent)};
}

TGridCoord TCustomGrid::MouseCoord(Integer X, Integer Y) {
    TGridCoord c{Horz().At(X), Vert().At(Y)};
    if (c.X < 0 || c.Y < 0) return {-1, -1};
    return c;
}

void TCustomGrid::MouseToCell(Integer X, Integer Y, Integer& ACol, Integer& ARow) {
    TGridCoord c = MouseCoord(X, Y);
    ACol = c.X;
    ARow = c.Y;
}

void TCustomGrid::MoveCurrent(Integer ACol, Integer ARow, bool MoveAnchor, bool Show) {
    CheckCol(ACol);
    CheckRow(ARow);
    if (!SelectCell(ACol, ARow)) return;
    if (TGridCoord{ACol, ARow} != FCurrent) HideEditor();
    FCurrent = {ACol, ARow};
    // goEditing rules out ranges: the editor works on one cell.
    if (MoveAnchor || !FOptions.Contains(goRangeSelect) || FOptions.Contains(goEditing))
        FAnchor = FCurrent;
    if (Show) ClampInView(FCurrent);
    Invalidate();
    Click();
    if (FOptions.Contains(goAlwaysShowEditor) && IsActive()) ShowEditor();
}

void TCustomGrid::ClampTopLeft() {
    Axis h = Horz(), v = Vert();
    TGridCoord tl{std::clamp(FTopLeft.X, std::min(FFixedCols, FColCount - 1), h.MaxFirst()),
                  std::clamp(FTopLeft.Y, std::min(FFixedRows, FRowCount - 1), v.MaxFirst())};
    if (tl == FTopLeft) return;
    FTopLeft = tl;
    Invalidate();
    TopLeftChanged();
}

void TCustomGrid::MoveTopLeft(Integer ALeft, Integer ATop) {
    Axis h = Horz(), v = Vert();
    TGridCoord tl{std::clamp(ALeft, std::min(FFixedCols, FColCount - 1), h.MaxFirst()),
                  std::clamp(ATop, std::min(FFixedRows, FRowCount - 1), v.MaxFirst())};
    if (tl == FTopLeft) return;
    FTopLeft = tl;
    Invalidate();
    PlaceEditor();
    TopLeftChanged();
}

void TCustomGrid::ClampInView(TGridCoord Cell) {
    // The view moves as little as it must for the cell to show wholly.
    auto firstFor = [](const Axis& A, Integer I) {
        if (I < A.Fixed) return A.First;
        if (I < A.First) return I;
        // The furthest back the view may start with I still wholly in sight.
        Integer room = A.Extent - A.FixedExtent();
        Integer used = A.Size(I), j = I;
        while (j - 1 >= A.First && used + A.Size(j - 1) + A.LineAfter(j - 1) <= room) {
            --j;
            used += A.Size(j) + A.LineAfter(j);
        }
        return j;
    };
    Axis h = Horz(), v = Vert();
    MoveTopLeft(firstFor(h, Cell.X), firstFor(v, Cell.Y));
}

void TCustomGrid::TopLeftChanged() {
    if (FOnTopLeftChanged) FOnTopLeftChanged(this);
}

bool TCustomGrid::SelectCell(Integer ACol, Integer ARow) {
    bool can = true;
    if (FOnSelectCell) FOnSelectCell(this, ACol, ARow, can);
    return can;
}

void TCustomGrid::DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) {
    if (FOnDrawCell) FOnDrawCell(this, ACol, ARow, ARect, AState);
}

AnsiString TCustomGrid::GetEditText(Integer ACol, Integer ARow) {
    AnsiString s;
    if (FOnGetEditText) FOnGetEditText(this, ACol, ARow, s);
    return s;
}

void TCustomGrid::SetEditText(Integer ACol, Integer ARow, const AnsiString& Value) {
    if (FOnSetEditText) FOnSetEditText(this, ACol, ARow, Value);
}

AnsiString TCustomGrid::GetEditMask(Integer ACol, Integer ARow) {
    AnsiString s;
    if (FOnGetEditMask) FOnGetEditMask(this, ACol, ARow, s);
    return s;
}

void TCustomGrid::ColumnMoved(Integer FromIndex, Integer ToIndex) {
    if (FOnColumnMoved) FOnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomGrid::RowMoved(Integer FromIndex, Integer ToIndex) {
    if (FOnRowMoved) FOnRowMoved(this, FromIndex, ToIndex);
}

namespace {
void MoveInVector(std::vector<Integer>& V, Integer From, Integer To) {
    if (V.empty()) return;
    Integer v = V[std::size_t(From)];
    V.erase(V.begin() + From);
    V.insert(V.begin() + To, v);
}
} // namespace

void TCustomGrid::MoveColumn(Integer FromIndex, Integer ToIndex) {
    CheckCol(FromIndex);
    CheckCol(ToIndex);
    if (FromIndex == ToIndex) return;
    HideEditor();
    MoveInVector(FColWidths, FromIndex, ToIndex);
    Invalidate();
    ColumnMoved(FromIndex, ToIndex);
}

void TCustomGrid::MoveRow(Integer FromIndex, Integer ToIndex) {
    CheckRow(FromIndex);
    CheckRow(ToIndex);
    if (FromIndex == ToIndex) return;
    HideEditor();
    MoveInVector(FRowHeights, FromIndex, ToIndex);
    Invalidate();
    RowMoved(FromIndex, ToIndex);
}

// ---- the editor ----

bool TCustomGrid::IsActive() const {
    return Focused() || (FInplaceEdit && FInplaceEdit->Focused());
}

bool TCustomGrid::CanEditShow() {
    return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) &&
           FCurrent.X >= FFixedCols && FCurrent.Y >= FFixedRows &&
           !GetComponentState().Contains(csDesigning);
}

void TCustomGrid::SetEditorMode(bool Value) {
    if (Value)
        ShowEditor();
    else if (!FOptions.Contains(goAlwaysShowEditor))
        HideEditor();
}

void TCustomGrid::ShowEditor() {
    if (!CanEditShow()) return;
    if (!FInplaceEdit) {
        FInplaceEdit = new TInplaceEdit(this);
        FInplaceEdit->FGrid = this;
        FInplaceEdit->SetParent(this);
    }
    if (!FEditorMode) {
        FEditorMode = true;
        FInplaceEdit->Start(GetEditText(FCurrent.X, FCurrent.Y),
                            GetEditMask(FCurrent.X, FCurrent.Y));
    }
    PlaceEditor();
    if (Focused() && FInplaceEdit->GetVisible() && FInplaceEdit->CanFocus())
        FInplaceEdit->SetFocus();
}

void TCustomGrid::PlaceEditor() {
    if (!FInplaceEdit || !FEditorMode) return;
    TRect r = CellRect(FCurrent.X, FCurrent.Y);
    bool shows = r.Right > r.Left && r.Bottom > r.Top;
    FInplaceEdit->SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    FInplaceEdit->SetVisible(shows);
    // Scrolled out of sight, the editor gives the keyboard back to the grid.
    if (!shows && FInplaceEdit->Focused() && CanFocus()) SetFocus();
}

void TCustomGrid::UpdateText() {
    if (!FEditorMode || !FInplaceEdit) return;
    AnsiString text = FInplaceEdit->TCustomMaskEdit::GetText();
    if (text == FInplaceEdit->FWritten) return;
    FInplaceEdit->FWritten = text;
    SetEditText(FCurrent.X, FCurrent.Y, text);
}

void TCustomGrid::HideEditor() {
    if (!FEditorMode) return;
    // A masked text that does not fit keeps the editing going: the error says so, and Esc
    // abandons it.
    if (FInplaceEdit->GetIsMasked() && FInplaceEdit->GetModified()) FInplaceEdit->ValidateEdit();
    UpdateText();
    FEditorMode = false;
    bool hadFocus = FInplaceEdit->Focused();
    FInplaceEdit->SetVisible(false);
    if (hadFocus && CanFocus()) SetFocus();
    Invalidate();
}

void TCustomGrid::CMEnter(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    if (FOptions.Contains(goAlwaysShowEditor)) ShowEditor();
    Invalidate();
}

void TCustomGrid::CMExit(TMessage& Message) {
    DispatchInherited(&ClassMeta, &Message);
    Invalidate();
}

// ---- streaming ----

void TCustomGrid::DefineProperties(TFiler* Filer) {
    TCustomControl::DefineProperties(Filer);
    auto differs = [](const std::vector<Integer>& V, Integer Default) {
        return std::any_of(V.begin(), V.end(), [&](Integer W) { return W != Default; });
    };
    Filer->DefineProperty("ColWidths", TReaderProc::Bind<&TCustomGrid::ReadColWidths>(this),
                          TWriterProc::Bind<&TCustomGrid::WriteColWidths>(this),
                          differs(FColWidths, FDefaultColWidth));
    Filer->DefineProperty("RowHeights", TReaderProc::Bind<&TCustomGrid::ReadRowHeights>(this),
                          TWriterProc::Bind<&TCustomGrid::WriteRowHeights>(this),
                          differs(FRowHeights, FDefaultRowHeight));
}

// Sizes past the count read are dropped, as the count streams before them.
void TCustomGrid::ReadColWidths(TReader* Reader) {
    Reader->ReadListBegin();
    for (Integer i = 0; !Reader->EndOfList(); ++i) {
        Integer w = Reader->ReadInteger();
        if (i < FColCount) SetColWidths(i, w);
    }
    Reader->ReadListEnd();
}

void TCustomGrid::WriteColWidths(TWriter* Writer) {
    Writer->WriteListBegin();
    for (Integer i = 0; i < FColCount; ++i) Writer->WriteInteger(GetColWidths(i));
    Writer->WriteListEnd();
}

void TCustomGrid::ReadRowHeights(TReader* Reader) {
    Reader->ReadListBegin();
    for (Integer i = 0; !Reader->EndOfList(); ++i) {
        Integer h = Reader->ReadInteger();
        if (i < FRowCount) SetRowHeights(i, h);
    }
    Reader->ReadListEnd();
}

void TCustomGrid::WriteRowHeights(TWriter* Writer) {
    Writer->WriteListBegin();
    for (Integer i = 0; i < FRowCount; ++i) Writer->WriteInteger(GetRowHeights(i));
    Writer->WriteListEnd();
}

// ---- painting ----

bool TCustomGrid::BarShown(bool Vertical) {
    // A bar shows when the cells do not fit the window along its axis; the other bar's room
    // counts against the space.
    if (FScrollBars == ssNone) return false;
    if (Vertical && FScrollBars == ssHorizontal) return false;
    if (!Vertical && FScrollBars == ssVertical) return false;
    TRect n = TCustomControl::GetNonClientInsets();
    Integer b = FBorderStyle == bsNone ? 0 : ClientEdgeWidth();
    Integer w = GetWidth() - n.Left - n.Right - 2 * b;
    Integer h = GetHeight() - n.Top - n.Bottom - 2 * b;
    // The totals do not depend on the client area, which depends on the bars; they are
    // kept until a size changes, as every client area asks for them.
    if (FTotals.first < 0) FTotals = {Horz(0).Total(), Vert(0).Total()};
    auto [cw, ch] = FTotals;
    bool horzOk = FScrollBars != ssVertical, vertOk = FScrollBars != ssHorizontal;
    bool vb = vertOk && ch > h, hb = horzOk && cw > w;
    if (vb && !hb) hb = horzOk && cw > w - BarSize;
    if (hb && !vb) vb = vertOk && ch > h - BarSize;
    return Vertical ? vb : hb;
}

TRect TCustomGrid::GetNonClientInsets() {
    TRect n = TCustomControl::GetNonClientInsets();
    Integer b = FBorderStyle == bsNone ? 0 : ClientEdgeWidth();
    n = {n.Left + b, n.Top + b, n.Right + b, n.Bottom + b};
    if (BarShown(true)) n.Right += BarSize;
    if (BarShown(false)) n.Bottom += BarSize;
    return n;
}

bool TCustomGrid::GetWindowScrollBar(bool Vertical, TWindowScrollBar& Bar) {
    if (!BarShown(Vertical)) return false;
    TRect n = TCustomControl::GetNonClientInsets();
    Integer b = FBorderStyle == bsNone ? 0 : ClientEdgeWidth();
    TRect box{n.Left + b, n.Top + b, GetWidth() - n.Right - b, GetHeight() - n.Bottom - b};
    bool other = BarShown(!Vertical);
    Bar.Bar =
        Vertical
            ? TRect{box.Right - BarSize, box.Top, box.Right, box.Bottom - (other ? BarSize : 0)}
            : TRect{box.Left, box.Bottom - BarSize, box.Right - (other ? BarSize : 0), box.Bottom};
    Axis a = Vertical ? Vert() : Horz();
    Bar.Min = a.Fixed, Bar.Max = a.MaxFirst(), Bar.Page = 0, Bar.Position = a.First;
    Bar.Enabled = GetEnabled();
    return true;
}

void TCustomGrid::PaintNonClient(TCanvas* Canvas) {
    TCustomControl::PaintNonClient(Canvas);
    if (FBorderStyle != bsNone) PaintClientEdge(Canvas);
    TWindowScrollBar v, h;
    bool hasV = GetWindowScrollBar(true, v), hasH = GetWindowScrollBar(false, h);
    if (hasV)
        DrawScrollBar(Canvas, v.Bar, false, v.Min, v.Max, v.Position, 0, true, clScrollBar,
                      v.Enabled);
    if (hasH)
        DrawScrollBar(Canvas, h.Bar, true, h.Min, h.Max, h.Position, 0, true, clScrollBar,
                      h.Enabled);
    if (hasH && hasV) {
        Canvas->GetBrush()->SetStyle(bsSolid);
        Canvas->GetBrush()->SetColor(clBtnFace);
        Canvas->FillRect({v.Bar.Left, h.Bar.Top, v.Bar.Right, h.Bar.Bottom});
    }
}

void TCustomGrid::Paint() {
    TCanvas* c = FCanvas;
    Axis h = Horz(), v = Vert();
    TRect client = GetClientRect();
    bool active = IsActive();
    TGridRect sel = GetSelection();
    bool ctl3d = GetCtl3D();
    // Past the last cells: the window's colour.
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(GetColor());
    c->FillRect(client);

    // The cells in sight along one axis, with where each starts.
    struct Span {
        Integer Index, Start;
    };
    auto spans = [](const Axis& A) {
        std::vector<Span> s;
        Integer x = 0;
        for (Integer i = 0; i < A.Fixed && x < A.Extent; ++i) {
            s.push_back({i, x});
            x += A.Size(i) + A.LineAfter(i);
        }
        for (Integer i = A.First; i < A.Count && x < A.Extent; ++i) {
            s.push_back({i, x});
            x += A.Size(i) + A.LineAfter(i);
        }
        return s;
    };
    std::vector<Span> cols = spans(h), rows = spans(v);

    for (const Span& row : rows) {
        for (const Span& col : cols) {
            Integer x = col.Start, y = row.Start;
            Integer w = h.Size(col.Index), ht = v.Size(row.Index);
            bool fixed = col.Index < FFixedCols || row.Index < FFixedRows;
            // The lines after the cell: black in the fixed area, the face colour between
            // scrolling cells, as the classic 3-D look draws them.
            Integer lw = h.LineAfter(col.Index), lh = v.LineAfter(row.Index);
            if (lw > 0 || lh > 0) {
                c->GetBrush()->SetColor(fixed || !ctl3d ? clBlack : clBtnFace);
                if (lw > 0) c->FillRect({x + w, y, x + w + lw, y + ht + lh});
                if (lh > 0) c->FillRect({x, y + ht, x + w + lw, y + ht + lh});
            }
            if (w <= 0 || ht <= 0) continue;
            TRect r{x, y, x + w, y + ht};
            TGridDrawState state;
            if (fixed) {
                state += gdFixed;
            } else {
                if (sel.Contains(col.Index, row.Index)) state += gdSelected;
                if (active && col.Index == FCurrent.X && row.Index == FCurrent.Y)
                    state += gdFocused;
            }
            c->GetFont()->Assign(GetFont());
            c->GetBrush()->SetStyle(bsSolid);
            if (fixed) {
                c->GetBrush()->SetColor(FFixedColor);
            } else if (state.Contains(gdSelected) &&
                       (!state.Contains(gdFocused) || FOptions.Contains(goDrawFocusSelected) ||
                        FOptions.Contains(goRowSelect))) {
                c->GetBrush()->SetColor(clHighlight);
                c->GetFont()->SetColor(clHighlightText);
            } else {
                c->GetBrush()->SetColor(GetColor());
            }
            if (FDefaultDrawing) c->FillRect(r);
            DrawCell(col.Index, row.Index, r, state);
            if (FDefaultDrawing && fixed && ctl3d) {
                // The raised face of a fixed cell, on the sides its lines border.
                Cardinal farSides = (FOptions.Contains(goFixedVertLine) ? BF_RIGHT : 0) |
                                    (FOptions.Contains(goFixedHorzLine) ? BF_BOTTOM : 0);
                Cardinal nearSides = (FOptions.Contains(goFixedVertLine) ? BF_LEFT : 0) |
                                     (FOptions.Contains(goFixedHorzLine) ? BF_TOP : 0);
                TRect e = r;
                if (farSides) DrawEdge(c, e, BDR_RAISEDINNER, farSides);
                e = r;
                if (nearSides) DrawEdge(c, e, BDR_RAISEDINNER, nearSides);
            }
            if (FDefaultDrawing && state.Contains(gdFocused) && !FOptions.Contains(goRowSelect) &&
                !FEditorMode)
                c->DrawFocusRect(r);
        }
    }
    if (active && FOptions.Contains(goRowSelect) && FDefaultDrawing) {
        // A selected row shows its focus round what shows of it.
        TRect first = CellRect(std::max(FFixedCols, h.First), FCurrent.Y);
        if (first.Bottom > first.Top) {
            Integer right = std::min(GetGridWidth(), client.Right);
            c->DrawFocusRect({first.Left, first.Top, right - h.Line, first.Bottom});
        }
    }
}

// ---- the mouse ----

Integer TCustomGrid::SizingLine(const Axis& A, Integer Pos) const {
    Integer found = -1, x = 0;
    auto at = [&](Integer i) {
        Integer end = x + A.Size(i);
        if (Pos >= end - Grip && Pos <= end + A.LineAfter(i) + Grip - 1) found = i;
        x = end + A.LineAfter(i);
    };
    for (Integer i = 0; i < A.Fixed && x <= Pos + Grip; ++i) at(i);
    for (Integer i = A.First; i < A.Count && x <= Pos + Grip && x < A.Extent; ++i) at(i);
    return found;
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (CanFocus() && !IsActive()) SetFocus();
    if (Button == mbLeft && !Shift.Contains(ssDouble)) {
        Axis h = Horz(), v = Vert();
        bool inFixedRows = Y < v.FixedExtent(), inFixedCols = X < h.FixedExtent();
        Integer line = -1;
        if (FOptions.Contains(goColSizing) && inFixedRows && (line = SizingLine(h, X)) >= 0) {
            FGridState = gsColSizing;
            FSizingIndex = line;
            FSizingStart = h.Start(line);
        } else if (FOptions.Contains(goRowSizing) && inFixedCols &&
                   (line = SizingLine(v, Y)) >= 0) {
            FGridState = gsRowSizing;
            FSizingIndex = line;
            FSizingStart = v.Start(line);
        } else {
            TGridCoord cell = MouseCoord(X, Y);
            if (cell.X >= 0) {
                if (inFixedRows && !inFixedCols && FOptions.Contains(goColMoving) &&
                    cell.X >= FFixedCols) {
                    FGridState = gsColMoving;
                    FMoveFrom = cell.X;
                } else if (inFixedCols && !inFixedRows && FOptions.Contains(goRowMoving) &&
                           cell.Y >= FFixedRows) {
                    FGridState = gsRowMoving;
                    FMoveFrom = cell.Y;
                } else if (cell.X >= FFixedCols && cell.Y >= FFixedRows) {
                    bool again = cell == FCurrent && FAnchor == FCurrent;
                    bool extend = Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect);
                    MoveCurrent(cell.X, cell.Y, !extend, true);
                    FGridState = gsSelecting;
                    // A second click on the current cell starts editing it.
                    if (again && FOptions.Contains(goEditing)) {
                        FGridState = gsNormal;
                        ShowEditor();
                    }
                }
            }
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    switch (FGridState) {
    case gsColSizing:
        if (X - FSizingStart != GetColWidths(FSizingIndex))
            SetColWidths(FSizingIndex, std::max<Integer>(X - FSizingStart, 0));
        break;
    case gsRowSizing:
        if (Y - FSizingStart != GetRowHeights(FSizingIndex))
            SetRowHeights(FSizingIndex, std::max<Integer>(Y - FSizingStart, 0));
        break;
    case gsSelecting: {
        // Dragging past the edge scrolls: the cell under the mouse, else the next one out.
        Axis h = Horz(), v = Vert();
        TGridCoord cell{h.At(X), v.At(Y)};
        if (X >= h.Extent) cell.X = std::min(FCurrent.X + 1, FColCount - 1);
        if (Y >= v.Extent) cell.Y = std::min(FCurrent.Y + 1, FRowCount - 1);
        // Over the fixed cells or before the window, the view scrolls back.
        if (X < 0 || (cell.X >= 0 && cell.X < FFixedCols))
            cell.X = std::max(std::min(FTopLeft.X, FCurrent.X) - 1, FFixedCols);
        if (Y < 0 || (cell.Y >= 0 && cell.Y < FFixedRows))
            cell.Y = std::max(std::min(FTopLeft.Y, FCurrent.Y) - 1, FFixedRows);
        if (cell.X < 0 || cell.Y < 0) break;
        if (cell != FCurrent) MoveCurrent(cell.X, cell.Y, !FOptions.Contains(goRangeSelect), true);
        break;
    }
    default: {
        Axis h = Horz(), v = Vert();
        TCursor cursor = crDefault;
        if (FOptions.Contains(goColSizing) && Y < v.FixedExtent() && SizingLine(h, X) >= 0)
            cursor = crHSplit;
        else if (FOptions.Contains(goRowSizing) && X < h.FixedExtent() && SizingLine(v, Y) >= 0)
            cursor = crVSplit;
        if (FGridState == gsNormal) SetCursor(cursor);
        break;
    }
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TGridState state = FGridState;
    FGridState = gsNormal;
    if (state == gsColMoving || state == gsRowMoving) {
        TGridCoord cell = MouseCoord(X, Y);
        if (state == gsColMoving) {
            Integer to = std::clamp(cell.X < 0 ? FMoveFrom : cell.X, FFixedCols, FColCount - 1);
            if (to != FMoveFrom) MoveColumn(FMoveFrom, to);
        } else {
            Integer to = std::clamp(cell.Y < 0 ? FMoveFrom : cell.Y, FFixedRows, FRowCount - 1);
            if (to != FMoveFrom) MoveRow(FMoveFrom, to);
        }
    }
    FSizingIndex = FMoveFrom = -1;
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

bool TCustomGrid::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    // A notch moves the current row one down (or up); the view follows it.
    Integer notches = WheelDelta / WHEEL_DELTA;
    if (notches == 0) return false;
    Integer row = std::clamp<Integer>(FCurrent.Y - notches, std::min(FFixedRows, FRowCount - 1),
                                      FRowCount - 1);
    if (row != FCurrent.Y) MoveCurrent(FCurrent.X, row, true, true);
    return true;
}

// ---- the keys ----

void TCustomGrid::DefaultHandler(void* Message) {
    auto& m = *static_cast<TMessage*>(Message);
    switch (m.Msg) {
    case WM_GETDLGCODE:
        m.Result = DLGC_WANTARROWS;
        if (FOptions.Contains(goTabs)) m.Result |= DLGC_WANTTAB;
        if (FOptions.Contains(goEditing)) m.Result |= DLGC_WANTCHARS;
        return;
    case WM_VSCROLL:
    case WM_HSCROLL: {
        // The bars' codes as the scroll bar control numbers them.
        bool vert = m.Msg == WM_VSCROLL;
        Axis a = vert ? Vert() : Horz();
        Integer first = a.First;
        switch (TScrollCode(m.WParam & 0xFFFF)) {
        case scLineUp: --first; break;
        case scLineDown: ++first; break;
        case scPageUp: first -= a.Visible(); break;
        case scPageDown: first += a.Visible(); break;
        case scTrack:
            // Without thumb tracking the view waits for the thumb to land.
            if (!FOptions.Contains(goThumbTracking)) return;
            first = SmallInt(m.WParam >> 16);
            break;
        case scPosition: first = SmallInt(m.WParam >> 16); break;
        case scTop: first = a.Fixed; break;
        case scBottom: first = a.MaxFirst(); break;
        default: return;
        }
        if (vert)
            MoveTopLeft(FTopLeft.X, first);
        else
            MoveTopLeft(first, FTopLeft.Y);
        return;
    }
    default: break;
    }
    TCustomControl::DefaultHandler(Message);
}

void TCustomGrid::KeyDown(Word& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0) return;
    if (GetKeyState(VK_SHIFT) < 0) Shift += ssShift;
    if (GetKeyState(VK_CONTROL) < 0) Shift += ssCtrl;
    const Integer firstCol = std::min(FFixedCols, FColCount - 1);
    const Integer firstRow = std::min(FFixedRows, FRowCount - 1);
    bool ctrl = Shift.Contains(ssCtrl), rowSelect = FOptions.Contains(goRowSelect);
    TGridCoord to = FCurrent, topLeft = FTopLeft;
    Integer page = GetVisibleRowCount();
    bool tab = false;
    if (ctrl) {
        switch (Key) {
        case VK_UP: --topLeft.Y; break;
        case VK_DOWN: ++topLeft.Y; break;
        case VK_LEFT: --topLeft.X; break;
        case VK_RIGHT: ++topLeft.X; break;
        case VK_PRIOR: to.Y = FTopLeft.Y; break;
        case VK_NEXT: to.Y = FTopLeft.Y + page - 1; break;
        case VK_HOME: to = {firstCol, firstRow}; break;
        case VK_END: to = {FColCount - 1, FRowCount - 1}; break;
        default: return;
        }
    } else {
        switch (Key) {
        case VK_UP: --to.Y; break;
        case VK_DOWN: ++to.Y; break;
        case VK_LEFT:
            if (rowSelect)
                --topLeft.X; // a whole row is chosen: sideways scrolls
            else
                --to.X;
            break;
        case VK_RIGHT:
            if (rowSelect)
                ++topLeft.X;
            else
                ++to.X;
            break;
        case VK_PRIOR:
            to.Y -= page;
            topLeft.Y -= page;
            break;
        case VK_NEXT:
            to.Y += page;
            topLeft.Y += page;
            break;
        case VK_HOME:
            if (rowSelect)
                to.Y = firstRow;
            else
                to.X = firstCol;
            break;
        case VK_END:
            if (rowSelect)
                to.Y = FRowCount - 1;
            else
                to.X = FColCount - 1;
            break;
        case VK_TAB:
            if (!FOptions.Contains(goTabs)) return;
            tab = true;
            // Across the row, then on to the next one; the ends of the grid stop it.
            if (Shift.Contains(ssShift)) {
                if (to.X > firstCol) {
                    --to.X;
                } else if (to.Y > firstRow) {
                    to.X = FColCount - 1;
                    --to.Y;
                }
            } else if (to.X < FColCount - 1) {
                ++to.X;
            } else if (to.Y < FRowCount - 1) {
                to.X = firstCol;
                ++to.Y;
            }
            break;
        case KeyF2: SetEditorMode(true); return;
        default: return;
        }
    }
    to.X = std::clamp(to.X, firstCol, FColCount - 1);
    to.Y = std::clamp(to.Y, firstRow, FRowCount - 1);
    if (topLeft != FTopLeft) MoveTopLeft(topLeft.X, topLeft.Y);
    bool extend = Shift.Contains(ssShift) && !tab && FOptions.Contains(goRangeSelect);
    if (to != FCurrent || (!extend && FAnchor != FCurrent)) MoveCurrent(to.X, to.Y, !extend, true);
}

void TCustomGrid::KeyPress(char& Key) {
    TCustomControl::KeyPress(Key);
    if (Key == 0 || !FOptions.Contains(goEditing)) return;
    if (Key == '\r') {
        // Enter starts the editing and ends it.
        if (FEditorMode && !FOptions.Contains(goAlwaysShowEditor))
            HideEditor();
        else if (FEditorMode)
            UpdateText();
        else
            ShowEditor();
        Key = 0;
        return;
    }
    if (static_cast<unsigned char>(Key) >= 32 || Key == '\b') {
        // A character typed starts the editing with it in place of the cell's text.
        if (!CanEditShow()) return;
        ShowEditor();
        if (FEditorMode && FInplaceEdit->GetVisible()) FInplaceEdit->Perform(WM_CHAR, Key, 0);
        Key = 0;
    }
}

} // namespace host
