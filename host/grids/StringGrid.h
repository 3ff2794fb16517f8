// String grids: a draw grid that keeps a string and an object for each cell and draws the
// strings; each column and row is also a string list (Cols, Rows) over the same cells.
#pragma once

#include "host/classes/Strings.h"
#include "host/grids/Grid.h"

#include <map>
#include <memory>
#include <unordered_map>

namespace host {

class TStringGrid;

inline constexpr const char* SInvalidStringGridOp = "Cannot insert or delete rows from grid";

/// One column or row of a string grid as a string list; its count is the grid's row (column)
/// count. Cells cannot be inserted or deleted through it.
class TStringGridStrings : public TStrings {
    HOST_CLASS(TStringGridStrings, TStrings)
public:
    /// `AIndex` above 0 is row AIndex - 1, below 0 column -AIndex - 1.
    TStringGridStrings(TStringGrid* AGrid, Integer AIndex) : FGrid(AGrid), FIndex(AIndex) {}
    Integer GetCount() const override;
    AnsiString Get(Integer Index) override;
    TObject* GetObject(Integer Index) override;
    void Put(Integer Index, const AnsiString& S) override;
    void PutObject(Integer Index, TObject* AObject) override;
    /// Into the first empty cell; -1 when every cell has a string.
    Integer Add(const AnsiString& S) override;
    Integer AddObject(const AnsiString& S, TObject* AObject) override;
    /// Empties every cell of the column or row.
    void Clear() override;
    void Delete(Integer Index) override;
    void Insert(Integer Index, const AnsiString& S) override;
    /// Another list's strings and objects go into the cells one by one, as far as they reach.
    void Assign(TPersistent* Source) override;

private:
    /// The cell of item `Index`; raises EInvalidGridOperation out of range.
    std::pair<Integer, Integer> Cell(Integer Index) const;
    TStringGrid* FGrid;
    Integer FIndex;
};

class TStringGrid : public TCustomDrawGrid {
    HOST_CLASS(TStringGrid, TCustomDrawGrid)
public:
    explicit TStringGrid(TComponent* AOwner);
    ~TStringGrid() override;

    /// Out of range raises EInvalidGridOperation "Grid index out of range".
    AnsiString GetCells(Integer ACol, Integer ARow) const;
    void SetCells(Integer ACol, Integer ARow, const AnsiString& Value);
    /// The objects are not the grid's: they stay when the grid goes.
    TObject* GetObjects(Integer ACol, Integer ARow) const;
    void SetObjects(Integer ACol, Integer ARow, TObject* Value);
    TStrings* GetCols(Integer Index);
    void SetCols(Integer Index, TStrings* Value) { GetCols(Index)->Assign(Value); }
    TStrings* GetRows(Integer Index);
    void SetRows(Integer Index, TStrings* Value) { GetRows(Index)->Assign(Value); }

protected:
    /// The default drawing writes the cell's string 2 pixels in, then OnDrawCell.
    void DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) override;
    AnsiString GetEditText(Integer ACol, Integer ARow) override;
    /// The cell takes the text, then OnSetEditText.
    void SetEditText(Integer ACol, Integer ARow, const AnsiString& Value) override;
    void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
    void RowMoved(Integer FromIndex, Integer ToIndex) override;
    void SizeChanged(Integer OldColCount, Integer OldRowCount) override;

private:
    friend class TStringGridStrings;
    struct CellData {
        AnsiString S;
        TObject* Object = nullptr;
    };
    static Int64 Key(Integer ACol, Integer ARow) { return Int64(ACol) * MaxCount + ARow; }
    void Check(Integer ACol, Integer ARow) const;
    void Store(Integer ACol, Integer ARow, const AnsiString* S, TObject* const* O);
    /// Cells only where a string or an object is: a big, mostly empty grid costs little.
    std::unordered_map<Int64, CellData> FCells;
    std::map<Integer, std::unique_ptr<TStringGridStrings, void (*)(TStringGridStrings*)>> FLists;
};

} // namespace host
