#include "host/grids/StringGrid.h"

#include "host/graphics/Canvas.h"
#include "host/grids/GridProps.h"

#include <vector>

namespace host {

HOST_METACLASS(TStringGridStrings, TStrings);
HOST_COMPONENT_METACLASS(TStringGrid, TCustomDrawGrid, PropTable(GridPublishedProps));

// ---- TStringGridStrings ----

Integer TStringGridStrings::GetCount() const {
    if (FIndex > 0) return FIndex - 1 < FGrid->GetRowCount() ? FGrid->GetColCount() : 0;
    if (FIndex < 0) return -FIndex - 1 < FGrid->GetColCount() ? FGrid->GetRowCount() : 0;
    return 0;
}

std::pair<Integer, Integer> TStringGridStrings::Cell(Integer Index) const {
    if (Index < 0 || Index >= GetCount()) throw EInvalidGridOperation(SGridIndexOutOfRange);
    return FIndex > 0 ? std::pair{Index, FIndex - 1} : std::pair{-FIndex - 1, Index};
}

AnsiString TStringGridStrings::Get(Integer Index) {
    auto [c, r] = Cell(Index);
    return FGrid->GetCells(c, r);
}

TObject* TStringGridStrings::GetObject(Integer Index) {
    auto [c, r] = Cell(Index);
    return FGrid->GetObjects(c, r);
}

void TStringGridStrings::Put(Integer Index, const AnsiString& S) {
    auto [c, r] = Cell(Index);
    FGrid->SetCells(c, r, S);
}

void TStringGridStrings::PutObject(Integer Index, TObject* AObject) {
    auto [c, r] = Cell(Index);
    FGrid->SetObjects(c, r, AObject);
}

Integer TStringGridStrings::Add(const AnsiString& S) {
    return AddObject(S, nullptr);
}

Integer TStringGridStrings::AddObject(const AnsiString& S, TObject* AObject) {
    for (Integer i = 0; i < GetCount(); ++i) {
        auto [c, r] = Cell(i);
        if (FGrid->GetCells(c, r).empty()) {
            // An empty string added still takes its cell, so the next goes after it.
            FGrid->SetCells(c, r, S.empty() ? AnsiString(" ") : S);
            FGrid->SetObjects(c, r, AObject);
            return i;
        }
    }
    return -1;
}

void TStringGridStrings::Clear() {
    for (Integer i = 0; i < GetCount(); ++i) {
        auto [c, r] = Cell(i);
        FGrid->Store(c, r, nullptr, nullptr);
    }
    FGrid->Invalidate();
}

void TStringGridStrings::Delete(Integer) {
    throw EInvalidGridOperation(SInvalidStringGridOp);
}

void TStringGridStrings::Insert(Integer, const AnsiString&) {
    throw EInvalidGridOperation(SInvalidStringGridOp);
}

void TStringGridStrings::Assign(TPersistent* Source) {
    auto* source = DynCast<TStrings>(Source);
    if (!source) {
        TStrings::Assign(Source);
        return;
    }
    BeginUpdate();
    try {
        Clear();
        Integer n = std::min(source->GetCount(), GetCount());
        for (Integer i = 0; i < n; ++i) {
            Put(i, source->GetStrings(i));
            PutObject(i, source->GetObjects(i));
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// ---- TStringGrid ----

TStringGrid::TStringGrid(TComponent* AOwner) : TCustomDrawGrid(AOwner) {}

TStringGrid::~TStringGrid() = default;

void TStringGrid::Check(Integer ACol, Integer ARow) const {
    if (ACol < 0 || ACol >= GetColCount() || ARow < 0 || ARow >= GetRowCount())
        throw EInvalidGridOperation(SGridIndexOutOfRange);
}

void TStringGrid::Store(Integer ACol, Integer ARow, const AnsiString* S, TObject* const* O) {
    Int64 k = Key(ACol, ARow);
    auto it = FCells.find(k);
    CellData d = it == FCells.end() ? CellData{} : it->second;
    if (S) d.S = *S;
    if (O) d.Object = *O;
    if (!S && !O) d = {};
    if (d.S.empty() && !d.Object) {
        if (it != FCells.end()) FCells.erase(it);
    } else {
        FCells[k] = std::move(d);
    }
}

AnsiString TStringGrid::GetCells(Integer ACol, Integer ARow) const {
    Check(ACol, ARow);
    auto it = FCells.find(Key(ACol, ARow));
    return it == FCells.end() ? AnsiString() : it->second.S;
}

void TStringGrid::SetCells(Integer ACol, Integer ARow, const AnsiString& Value) {
    Check(ACol, ARow);
    Store(ACol, ARow, &Value, nullptr);
    Invalidate();
}

TObject* TStringGrid::GetObjects(Integer ACol, Integer ARow) const {
    Check(ACol, ARow);
    auto it = FCells.find(Key(ACol, ARow));
    return it == FCells.end() ? nullptr : it->second.Object;
}

void TStringGrid::SetObjects(Integer ACol, Integer ARow, TObject* Value) {
    Check(ACol, ARow);
    Store(ACol, ARow, nullptr, &Value);
}

TStrings* TStringGrid::GetCols(Integer Index) {
    if (Index < 0 || Index >= GetColCount()) throw EInvalidGridOperation(SGridIndexOutOfRange);
    Integer key = -Index - 1;
    auto it = FLists.find(key);
    if (it == FLists.end())
        it = FLists
                 .emplace(key, std::unique_ptr<TStringGridStrings, void (*)(TStringGridStrings*)>(
                                   new TStringGridStrings(this, key),
                                   [](TStringGridStrings* S) { S->Free(); }))
                 .first;
    return it->second.get();
}

TStrings* TStringGrid::GetRows(Integer Index) {
    if (Index < 0 || Index >= GetRowCount()) throw EInvalidGridOperation(SGridIndexOutOfRange);
    Integer key = Index + 1;
    auto it = FLists.find(key);
    if (it == FLists.end())
        it = FLists
                 .emplace(key, std::unique_ptr<TStringGridStrings, void (*)(TStringGridStrings*)>(
                                   new TStringGridStrings(this, key),
                                   [](TStringGridStrings* S) { S->Free(); }))
                 .first;
    return it->second.get();
}

void TStringGrid::SizeChanged(Integer OldColCount, Integer OldRowCount) {
    // Cells that fall outside go with their strings.
    if (GetColCount() < OldColCount || GetRowCount() < OldRowCount)
        std::erase_if(FCells, [&](const auto& P) {
            return P.first / MaxCount >= GetColCount() || P.first % MaxCount >= GetRowCount();
        });
    TCustomDrawGrid::SizeChanged(OldColCount, OldRowCount);
}

void TStringGrid::DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) {
    if (GetDefaultDrawing()) {
        auto it = FCells.find(Key(ACol, ARow));
        if (it != FCells.end() && !it->second.S.empty())
            GetCanvas()->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, it->second.S);
    }
    TCustomDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

AnsiString TStringGrid::GetEditText(Integer ACol, Integer ARow) {
    AnsiString s = GetCells(ACol, ARow);
    if (GetOnGetEditText()) GetOnGetEditText()(this, ACol, ARow, s);
    return s;
}

void TStringGrid::SetEditText(Integer ACol, Integer ARow, const AnsiString& Value) {
    SetCells(ACol, ARow, Value);
    TCustomDrawGrid::SetEditText(ACol, ARow, Value);
}

namespace {
// Moves along one axis of the cells: index `From` to `To`, those between shift by one.
template <class Map, class Split, class Join>
void MoveCells(Map& Cells, Integer From, Integer To, Split split, Join join) {
    Map moved;
    for (auto& [k, v] : Cells) {
        auto [i, other] = split(k);
        if (i == From)
            i = To;
        else if (From < To && i > From && i <= To)
            --i;
        else if (From > To && i >= To && i < From)
            ++i;
        moved.emplace(join(i, other), std::move(v));
    }
    Cells.swap(moved);
}
} // namespace

void TStringGrid::ColumnMoved(Integer FromIndex, Integer ToIndex) {
    MoveCells(
        FCells, FromIndex, ToIndex,
        [](Int64 K) {
            return std::pair{Integer(K / MaxCount), Integer(K % MaxCount)};
        },
        [](Integer C, Integer R) { return Key(C, R); });
    TCustomDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(Integer FromIndex, Integer ToIndex) {
    MoveCells(
        FCells, FromIndex, ToIndex,
        [](Int64 K) {
            return std::pair{Integer(K % MaxCount), Integer(K / MaxCount)};
        },
        [](Integer R, Integer C) { return Key(C, R); });
    TCustomDrawGrid::RowMoved(FromIndex, ToIndex);
}

} // namespace host
