// Grids: cells in columns and rows with fixed ones at the top and left, a current cell and a
// selected range moved by the keys and the mouse, columns and rows sized and moved by dragging
// in the fixed area, the view scrolled to keep the current cell in sight, and an in-place
// editor for the current cell.
#pragma once

#include "host/controls/CustomControls.h"
#include "host/forms/Form.h"
#include "host/stdctrls/Memo.h"

#include <vector>

namespace host {

class TInplaceEdit;

HOST_EXCEPTION(EInvalidGridOperation, Exception)

inline constexpr const char* SGridIndexOutOfRange = "Grid index out of range";
inline constexpr const char* SFixedColTooBig = "Fixed column count must be less than column count";
inline constexpr const char* SFixedRowTooBig = "Fixed row count must be less than row count";
inline constexpr const char* SGridTooLarge = "Grid too large for operation";

enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking
};
HOST_ENUM_INFO(TGridOption, goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect,
               goDrawFocusSelected, goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing,
               goTabs, goRowSelect, goAlwaysShowEditor, goThumbTracking)
using TGridOptions = Set<TGridOption, 15>;
inline constexpr TGridOptions DefaultGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine,
                                                 goHorzLine, goRangeSelect};

enum TGridDrawStateE { gdSelected, gdFocused, gdFixed };
HOST_ENUM_INFO(TGridDrawStateE, gdSelected, gdFocused, gdFixed)
using TGridDrawState = Set<TGridDrawStateE, 3>;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

struct TGridCoord {
    Integer X = 0, Y = 0;
    bool operator==(const TGridCoord&) const = default;
};

/// A range of cells, both corners included.
struct TGridRect {
    Integer Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TGridRect&) const = default;
    bool Contains(Integer ACol, Integer ARow) const {
        return ACol >= Left && ACol <= Right && ARow >= Top && ARow <= Bottom;
    }
};

using TSelectCellEvent =
    Closure<void(TObject* Sender, Integer ACol, Integer ARow, bool& CanSelect)>;
using TDrawCellEvent =
    Closure<void(TObject* Sender, Integer ACol, Integer ARow, TRect Rect, TGridDrawState State)>;
using TGetEditEvent = Closure<void(TObject* Sender, Integer ACol, Integer ARow, AnsiString& Value)>;
using TSetEditEvent =
    Closure<void(TObject* Sender, Integer ACol, Integer ARow, const AnsiString& Value)>;
using TMovedEvent = Closure<void(TObject* Sender, Integer FromIndex, Integer ToIndex)>;

class TCustomGrid : public TCustomControl {
    HOST_CLASS(TCustomGrid, TCustomControl)
public:
    bool GetWindowScrollBar(bool Vertical, TWindowScrollBar& Bar) override;
    explicit TCustomGrid(TComponent* AOwner);
    ~TCustomGrid() override;

    /// More columns or rows than this is refused: sizes and positions stay well inside an Integer.
    static constexpr Integer MaxCount = 1 << 20;
    /// Wider or higher cells are cut to this.
    static constexpr Integer MaxCellSize = 1 << 16;

    // ---- layout ----
    Integer GetColCount() const { return FColCount; }
    /// Below 1 is 1; past MaxCount raises EInvalidGridOperation. Fixed columns shrink to fit.
    void SetColCount(Integer Value);
    Integer GetRowCount() const { return FRowCount; }
    void SetRowCount(Integer Value);
    Integer GetFixedCols() const { return FFixedCols; }
    void SetFixedCols(Integer Value);
    Integer GetFixedRows() const { return FFixedRows; }
    void SetFixedRows(Integer Value);
    Integer GetDefaultColWidth() const { return FDefaultColWidth; }
    /// Every column takes the new default.
    void SetDefaultColWidth(Integer Value);
    Integer GetDefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(Integer Value);
    Integer GetColWidths(Integer Index) const;
    void SetColWidths(Integer Index, Integer Value);
    Integer GetRowHeights(Integer Index) const;
    void SetRowHeights(Integer Index, Integer Value);
    Integer GetGridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(Integer Value);
    TGridOptions GetOptions() const { return FOptions; }
    void SetOptions(TGridOptions Value);
    TColor GetFixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value);
    bool GetDefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);
    TScrollStyle GetScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);

    // ---- the current cell, the selection and the view ----
    Integer GetCol() const { return FCurrent.X; }
    void SetCol(Integer Value);
    Integer GetRow() const { return FCurrent.Y; }
    void SetRow(Integer Value);
    TGridRect GetSelection() const;
    /// Raises EInvalidGridOperation for a range outside the grid.
    void SetSelection(TGridRect Value);
    Integer GetLeftCol() const { return FTopLeft.X; }
    void SetLeftCol(Integer Value);
    Integer GetTopRow() const { return FTopLeft.Y; }
    void SetTopRow(Integer Value);
    /// The scrolling columns (rows) wholly in sight, at least 1.
    Integer GetVisibleColCount();
    Integer GetVisibleRowCount();
    /// The pixels the cells take, lines included, as far as the client area.
    Integer GetGridWidth();
    Integer GetGridHeight();
    bool GetEditorMode() const { return FEditorMode; }
    void SetEditorMode(bool Value);
    TInplaceEdit* GetInplaceEditor() const { return FInplaceEdit; }

    /// The cell's rectangle in client coordinates; empty when it is out of sight.
    TRect CellRect(Integer ACol, Integer ARow);
    /// The cell at a point of the client area; -1, -1 where there is none.
    TGridCoord MouseCoord(Integer X, Integer Y);
    void MouseToCell(Integer X, Integer Y, Integer& ACol, Integer& ARow);

    // ---- events ----
    TSelectCellEvent GetOnSelectCell() const { return FOnSelectCell; }
    void SetOnSelectCell(TSelectCellEvent Value) { FOnSelectCell = Value; }
    TDrawCellEvent GetOnDrawCell() const { return FOnDrawCell; }
    void SetOnDrawCell(TDrawCellEvent Value) { FOnDrawCell = Value; }
    TGetEditEvent GetOnGetEditText() const { return FOnGetEditText; }
    void SetOnGetEditText(TGetEditEvent Value) { FOnGetEditText = Value; }
    TSetEditEvent GetOnSetEditText() const { return FOnSetEditText; }
    void SetOnSetEditText(TSetEditEvent Value) { FOnSetEditText = Value; }
    TGetEditEvent GetOnGetEditMask() const { return FOnGetEditMask; }
    void SetOnGetEditMask(TGetEditEvent Value) { FOnGetEditMask = Value; }
    TMovedEvent GetOnColumnMoved() const { return FOnColumnMoved; }
    void SetOnColumnMoved(TMovedEvent Value) { FOnColumnMoved = Value; }
    TMovedEvent GetOnRowMoved() const { return FOnRowMoved; }
    void SetOnRowMoved(TMovedEvent Value) { FOnRowMoved = Value; }
    TNotifyEvent GetOnTopLeftChanged() const { return FOnTopLeftChanged; }
    void SetOnTopLeftChanged(TNotifyEvent Value) { FOnTopLeftChanged = Value; }

    /// Moves a column (row) and its width to another place, then ColumnMoved (RowMoved).
    void MoveColumn(Integer FromIndex, Integer ToIndex);
    void MoveRow(Integer FromIndex, Integer ToIndex);

    TRect GetNonClientInsets() override;

protected:
    // What descendants give a cell.
    virtual void DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState);
    virtual bool SelectCell(Integer ACol, Integer ARow);
    virtual AnsiString GetEditText(Integer ACol, Integer ARow);
    virtual void SetEditText(Integer ACol, Integer ARow, const AnsiString& Value);
    virtual AnsiString GetEditMask(Integer ACol, Integer ARow);
    virtual bool CanEditShow();
    virtual void ColumnMoved(Integer FromIndex, Integer ToIndex);
    virtual void RowMoved(Integer FromIndex, Integer ToIndex);
    virtual void TopLeftChanged();
    /// The column (row) count changed from `OldCount`.
    virtual void SizeChanged(Integer OldColCount, Integer OldRowCount);

    void ShowEditor();
    void HideEditor();
    /// The editor's text written to the cell.
    void UpdateText();

    /// "ColWidths" and "RowHeights": lists of integers, when one differs from the default.
    void DefineProperties(TFiler* Filer) override;
    void Paint() override;
    void PaintNonClient(TCanvas* Canvas) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;
    void DefaultHandler(void* Message) override;
    void CMEnter(TMessage& Message);
    void CMExit(TMessage& Message);

public:
    static const TMessageEntry Messages[];

    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

private:
    friend class TInplaceEdit;
    /// One axis of the layout: sizes, the fixed count, the first scrolled index, line widths.
    struct Axis {
        Integer Count, Fixed, First, Extent; // Extent: the client size along the axis
        const std::vector<Integer>* Sizes;
        Integer Default, FixedLine, Line;
        Integer Size(Integer I) const {
            return Sizes->empty() ? Default : (*Sizes)[std::size_t(I)];
        }
        Integer LineAfter(Integer I) const { return I < Fixed ? FixedLine : Line; }
        /// Where cell `I` starts; -1 when it is scrolled out of sight or past the extent.
        Integer Start(Integer I) const;
        /// The cell at a position; -1 for none.
        Integer At(Integer Pos) const;
        /// The first scrolled index that shows the last cell wholly (the scrolling limit).
        Integer MaxFirst() const;
        /// Scrolled cells wholly in sight from First.
        Integer Visible() const;
        Integer FixedExtent() const;
        /// Everything, lines included (at most Int64 of the cells).
        Int64 Total() const;
    };
    /// The axes over the client area; `Extent` given, over that size instead.
    Axis Horz(Integer Extent = -1);
    Axis Vert(Integer Extent = -1);
    bool BarShown(bool Vertical);
    void ReadColWidths(TReader* Reader);
    void WriteColWidths(TWriter* Writer);
    void ReadRowHeights(TReader* Reader);
    void WriteRowHeights(TWriter* Writer);
    void CheckCol(Integer Index) const;
    void CheckRow(Integer Index) const;
    /// The current cell moves (if SelectCell allows); with `MoveAnchor` the range collapses.
    void MoveCurrent(Integer ACol, Integer ARow, bool MoveAnchor, bool Show);
    void MoveTopLeft(Integer ALeft, Integer ATop);
    void ClampInView(TGridCoord Cell);
    void ClampTopLeft();
    /// The grid or its editor has the keyboard.
    bool IsActive() const;
    /// The line under the mouse in the fixed area: the column (row) it ends; -1 for none.
    Integer SizingLine(const Axis& A, Integer Pos) const;
    void PlaceEditor();

    Integer FColCount = 5, FRowCount = 5, FFixedCols = 1, FFixedRows = 1;
    Integer FDefaultColWidth = 64, FDefaultRowHeight = 24, FGridLineWidth = 1;
    std::vector<Integer> FColWidths, FRowHeights; // empty: all at the default
    TGridOptions FOptions = DefaultGridOptions;
    TColor FFixedColor = clBtnFace;
    bool FDefaultDrawing = true;
    TScrollStyle FScrollBars = ssBoth;
    TFormBorderStyle FBorderStyle = bsSingle;
    TGridCoord FCurrent{1, 1}, FAnchor{1, 1}, FTopLeft{1, 1};
    bool FEditorMode = false;
    TInplaceEdit* FInplaceEdit = nullptr;
    TGridState FGridState = gsNormal;
    Integer FSizingIndex = -1, FSizingStart = 0; // the sized line's cell and where it starts
    Integer FMoveFrom = -1;                      // the column or row being moved
    std::pair<Int64, Int64> FTotals{-1, -1};     // the cells' width and height, lines included
    TSelectCellEvent FOnSelectCell;
    TDrawCellEvent FOnDrawCell;
    TGetEditEvent FOnGetEditText, FOnGetEditMask;
    TSetEditEvent FOnSetEditText;
    TMovedEvent FOnColumnMoved, FOnRowMoved;
    TNotifyEvent FOnTopLeftChanged;
};

class TCustomDrawGrid : public TCustomGrid {
    HOST_CLASS(TCustomDrawGrid, TCustomGrid)
public:
    using TCustomGrid::TCustomGrid;
};

class TDrawGrid : public TCustomDrawGrid {
    HOST_CLASS(TDrawGrid, TCustomDrawGrid)
public:
    using TCustomDrawGrid::TCustomDrawGrid;
};

} // namespace host
