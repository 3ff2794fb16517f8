// Grids through the input API: the current cell and ranges by the keys and the mouse, the view
// following the current cell, the wheel, sizing and moving in the fixed area, and the host's
// errors for what lies outside the grid.
#include "host/grids/Grid.h"
#include "host/controls/Input.h"
#include "host/forms/Form.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/ScrollBarLook.h"
#include "host/menus/Keys.h"
#include "host/stdctrls/Edit.h"
#include "host/stdctrls/ScrollBar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace host;

struct Grids : ::testing::Test {
    TForm Form{nullptr};
    TDrawGrid* Grid = nullptr;
    int TopLeftChanges = 0, Clicks = 0;
    std::vector<std::pair<Integer, Integer>> Moves;
    void TopLeftChanged(TObject*) { ++TopLeftChanges; }
    void Clicked(TObject*) { ++Clicks; }
    void ColumnMoved(TObject*, Integer From, Integer To) { Moves.push_back({From, To}); }
    struct Cell {
        Integer Col, Row;
        TRect Rect;
        TGridDrawState State;
    };
    std::vector<Cell> Drawn;
    void DrawCell(TObject*, Integer C, Integer R, TRect Rect, TGridDrawState S) {
        Drawn.push_back({C, R, Rect, S});
    }
    void NotColumn2(TObject*, Integer ACol, Integer, bool& CanSelect) { CanSelect = ACol != 2; }
    void With(std::initializer_list<TGridOption> Add,
              std::initializer_list<TGridOption> Take = {}) {
        TGridOptions o = Grid->GetOptions();
        for (TGridOption a : Add) o += a;
        for (TGridOption t : Take) o -= t;
        Grid->SetOptions(o);
    }

    void SetUp() override {
        Form.SetBounds(0, 0, 400, 300);
        Grid = new TDrawGrid(&Form);
        Grid->SetParent(&Form);
        Grid->SetBounds(10, 10, 320, 120);
        Grid->SetColCount(10);
        Grid->SetRowCount(20);
        Grid->SetOnTopLeftChanged(TNotifyEvent::Bind<&Grids::TopLeftChanged>(this));
        Grid->SetOnClick(TNotifyEvent::Bind<&Grids::Clicked>(this));
        Form.Show();
        Grid->SetFocus();
    }
    /// A point of the form `DX`, `DY` into the cell's rectangle.
    TPoint At(Integer ACol, Integer ARow, Integer DX = 5, Integer DY = 5) {
        TRect r = Grid->CellRect(ACol, ARow);
        return Form.ScreenToClient(Grid->ClientToScreen({r.Left + DX, r.Top + DY}));
    }
    TPoint Client(Integer X, Integer Y) {
        return Form.ScreenToClient(Grid->ClientToScreen({X, Y}));
    }
};

TEST_F(Grids, LaysOutCellsWithLinesAndScrollBarsAsTheyAreNeeded) {
    // 10 x 20 cells of 64 x 24 and 1-pixel lines do not fit: both bars take 16 pixels.
    EXPECT_EQ(Grid->GetClientRect(), (TRect{0, 0, 320 - 4 - 16, 120 - 4 - 16}));
    EXPECT_EQ(Grid->CellRect(0, 0), (TRect{0, 0, 64, 24}));
    EXPECT_EQ(Grid->CellRect(2, 1), (TRect{130, 25, 194, 49}));
    EXPECT_EQ(Grid->GetVisibleColCount(), 3); // 65 + 3 * 65 - 1 fits in 300, a fourth not
    EXPECT_EQ(Grid->GetVisibleRowCount(), 3);
    EXPECT_EQ(Grid->CellRect(9, 1), (TRect{0, 0, 0, 0})); // out of sight
    EXPECT_EQ(Grid->MouseCoord(130, 25), (TGridCoord{2, 1}));
    EXPECT_EQ(Grid->MouseCoord(129, 25).X, 1); // the line belongs to the cell before it
    EXPECT_EQ(Grid->GetGridWidth(), 300);
    // Small enough to fit: no bars, and the grid ends where its cells do.
    Grid->SetColCount(3);
    Grid->SetRowCount(3);
    EXPECT_EQ(Grid->GetClientRect(), (TRect{0, 0, 316, 116}));
    EXPECT_EQ(Grid->GetGridWidth(), 3 * 65);
    EXPECT_EQ(Grid->GetGridHeight(), 3 * 25);
    EXPECT_EQ(Grid->MouseCoord(250, 10), (TGridCoord{-1, -1}));
    // Without lines the cells touch; without a border the client area takes the window.
    Grid->SetOptions({goRangeSelect});
    EXPECT_EQ(Grid->CellRect(2, 0), (TRect{128, 0, 192, 24}));
    Grid->SetBorderStyle(bsNone);
    EXPECT_EQ(Grid->GetClientRect(), (TRect{0, 0, 320, 120}));
}

TEST_F(Grids, OnDrawCellIsGivenEachCellInSightWithItsState) {
    Grid->SetOnDrawCell(TDrawCellEvent::Bind<&Grids::DrawCell>(this));
    Grid->SetSelection({1, 1, 2, 1});
    Grid->SetTopRow(3);
    TBitmap image;
    image.SetSize(Grid->GetWidth(), Grid->GetHeight());
    Grid->PaintTo(image.GetCanvas(), 0, 0);
    // 5 columns (a fixed one, three whole and one cut off) by 4 rows (0, then 3 to 5).
    ASSERT_EQ(Drawn.size(), 5u * 4u);
    auto find = [&](Integer C, Integer R) -> const Cell* {
        for (const Cell& d : Drawn)
            if (d.Col == C && d.Row == R) return &d;
        return nullptr;
    };
    EXPECT_FALSE(find(1, 1)); // scrolled away
    ASSERT_TRUE(find(0, 0));
    EXPECT_EQ(find(0, 0)->State, TGridDrawState{gdFixed});
    EXPECT_EQ(find(0, 3)->State, TGridDrawState{gdFixed});
    EXPECT_EQ(find(3, 4)->State, TGridDrawState{});
    EXPECT_EQ(find(2, 3)->Rect, Grid->CellRect(2, 3));
    // A cut-off cell is drawn whole, the client area clipping it; CellRect gives what shows.
    EXPECT_EQ(find(4, 5)->Rect, (TRect{260, 75, 324, 99}));
    EXPECT_EQ(Grid->CellRect(4, 5), (TRect{260, 75, 300, 99}));
    EXPECT_FALSE(find(1, 6));
    Grid->SetTopRow(1);
    Drawn.clear();
    Grid->PaintTo(image.GetCanvas(), 0, 0);
    EXPECT_EQ(find(1, 1)->State, TGridDrawState{gdSelected});
    EXPECT_EQ((find(2, 1)->State), (TGridDrawState{gdSelected, gdFocused}));
}

TEST_F(Grids, KeysMoveTheCurrentCellAndTheViewFollowsIt) {
    EXPECT_EQ(Grid->GetCol(), 1);
    EXPECT_EQ(Grid->GetRow(), 1);
    input::PressKey(VK_UP); // the fixed row stops it
    input::PressKey(VK_LEFT);
    EXPECT_EQ(Grid->GetRow(), 1);
    EXPECT_EQ(Grid->GetCol(), 1);
    EXPECT_EQ(Clicks, 0);
    input::PressKey(VK_DOWN);
    input::PressKey(VK_DOWN);
    input::PressKey(VK_DOWN);
    EXPECT_EQ(Grid->GetRow(), 4);
    EXPECT_EQ(Grid->GetTopRow(), 2); // row 4 is the last of three in sight
    EXPECT_EQ(TopLeftChanges, 1);
    EXPECT_EQ(Clicks, 3);
    input::PressKey(VK_END);
    EXPECT_EQ(Grid->GetCol(), 9);
    EXPECT_EQ(Grid->GetLeftCol(), 7);
    input::PressKey(VK_HOME);
    EXPECT_EQ(Grid->GetCol(), 1);
    EXPECT_EQ(Grid->GetLeftCol(), 1);
    input::PressKey(VK_NEXT); // a page down moves the cell and the view
    EXPECT_EQ(Grid->GetRow(), 7);
    EXPECT_EQ(Grid->GetTopRow(), 5);
    input::PressKey(VK_END, {ssCtrl});
    EXPECT_EQ(Grid->GetCol(), 9);
    EXPECT_EQ(Grid->GetRow(), 19);
    EXPECT_EQ(Grid->GetTopRow(), 17);
    EXPECT_EQ(Grid->GetLeftCol(), 7);
    input::PressKey(VK_UP, {ssCtrl}); // Ctrl scrolls without moving the cell
    EXPECT_EQ(Grid->GetTopRow(), 16);
    EXPECT_EQ(Grid->GetRow(), 19);
    input::PressKey(VK_HOME, {ssCtrl});
    EXPECT_EQ(Grid->GetCol(), 1);
    EXPECT_EQ(Grid->GetRow(), 1);
    EXPECT_EQ(Grid->GetTopRow(), 1);
    input::PressKey(VK_PRIOR); // at the top already
    EXPECT_EQ(Grid->GetRow(), 1);
    // The bars' messages scroll the view and leave the current cell.
    Grid->Perform(WM_VSCROLL, scPageDown, 0);
    EXPECT_EQ(Grid->GetTopRow(), 4);
    Grid->Perform(WM_VSCROLL, scPosition | (6 << 16), 0);
    EXPECT_EQ(Grid->GetTopRow(), 6);
    Grid->Perform(WM_HSCROLL, scBottom, 0);
    EXPECT_EQ(Grid->GetLeftCol(), 7);
    EXPECT_EQ(Grid->GetRow(), 1);
    EXPECT_EQ(Grid->GetCol(), 1);
    // The view cannot scroll past the point where the last cells show.
    Grid->SetTopRow(100);
    EXPECT_EQ(Grid->GetTopRow(), 17);
    Grid->SetLeftCol(-5);
    EXPECT_EQ(Grid->GetLeftCol(), 1);
}

TEST_F(Grids, ShiftExtendsARangeOnlyWithRangeSelect) {
    input::PressKey(VK_DOWN, {ssShift});
    input::PressKey(VK_RIGHT, {ssShift});
    EXPECT_EQ(Grid->GetSelection(), (TGridRect{1, 1, 2, 2}));
    input::PressKey(VK_UP, {ssShift}); // back over the anchor
    EXPECT_EQ(Grid->GetSelection(), (TGridRect{1, 1, 2, 1}));
    input::PressKey(VK_DOWN); // a plain move collapses it
    EXPECT_EQ(Grid->GetSelection(), (TGridRect{2, 2, 2, 2}));
    With({}, {goRangeSelect});
    input::PressKey(VK_DOWN, {ssShift});
    EXPECT_EQ(Grid->GetSelection(), (TGridRect{2, 3, 2, 3}));
    // A whole row with goRowSelect; sideways the view scrolls instead.
    With({goRowSelect});
    EXPECT_EQ(Grid->GetSelection(), (TGridRect{1, 3, 9, 3}));
    input::PressKey(VK_RIGHT);
    EXPECT_EQ(Grid->GetCol(), 2);
    EXPECT_EQ(Grid->GetLeftCol(), 2);
}

TEST_F(Grids, TheScrollBarsArrowsTrackAndThumbScrollTheView) {
    TWinControl::TWindowScrollBar bar;
    ASSERT_TRUE(Grid->GetWindowScrollBar(true, bar));
    // The bar's parts in the form's coordinates, from the grid's window.
    auto at = [&](Integer X, Integer Y) {
        return Form.ScreenToClient(Grid->ClientToScreen({X - 2, Y - 2})); // the sunken edge
    };
    TRect r = bar.Bar;
    Integer x = (r.Left + r.Right) / 2;
    input::Click(&Form, at(x, r.Bottom - 3)); // the down arrow
    EXPECT_EQ(Grid->GetTopRow(), 2);
    EXPECT_EQ(Grid->GetRow(), 1) << "scrolling leaves the current cell";
    input::Click(&Form, at(x, r.Top + 3)); // the up arrow
    EXPECT_EQ(Grid->GetTopRow(), 1);
    input::Click(&Form, at(x, r.Bottom - 20)); // the track below the thumb: a page
    Integer page = Grid->GetTopRow();
    EXPECT_GT(page, 2);
    input::Click(&Form, at(x, r.Top + 20)); // above it: back
    EXPECT_EQ(Grid->GetTopRow(), 1);

    // The thumb dragged to the bar's end: without thumb tracking the view waits for the drop.
    TScrollBarParts parts = LayoutScrollBar(r, false, bar.Min, bar.Max, bar.Position, 0);
    TPoint thumb{x, (parts.Thumb.Top + parts.Thumb.Bottom) / 2};
    input::MouseDown(&Form, at(thumb.X, thumb.Y));
    input::MouseMove(&Form, at(thumb.X, r.Bottom));
    EXPECT_EQ(Grid->GetTopRow(), 1);
    input::MouseUp(&Form, at(thumb.X, r.Bottom));
    EXPECT_EQ(Grid->GetTopRow(), bar.Max);
    // With it the view follows the thumb as it moves.
    With({goThumbTracking});
    ASSERT_TRUE(Grid->GetWindowScrollBar(true, bar));
    parts = LayoutScrollBar(r, false, bar.Min, bar.Max, bar.Position, 0);
    thumb = {x, (parts.Thumb.Top + parts.Thumb.Bottom) / 2};
    input::MouseDown(&Form, at(thumb.X, thumb.Y));
    input::MouseMove(&Form, at(thumb.X, r.Top));
    EXPECT_EQ(Grid->GetTopRow(), 1);
    input::MouseUp(&Form, at(thumb.X, r.Top));
    EXPECT_EQ(Grid->GetTopRow(), 1);
    // The bar took the presses: no cell was clicked.
    EXPECT_EQ(Clicks, 0);
}

TEST_F(Grids, TheMouseChoosesCellsAndDragsRanges) {
    input::Click(&Form, At(2, 2));
    EXPECT_EQ(Grid->GetCol(), 2);
    EXPECT_EQ(Grid->GetRow(), 2);
    input::Click(&Form, At(3, 3), mbLeft, {ssShift});
    EXPECT_EQ(Grid->GetSelection(), (TGridRect{2, 2, 3, 3}));
    // A drag from (1, 1) to (3, 2); a fixed cell does not move the current cell.
    input::MouseDown(&Form, At(1, 1));
    input::MouseMove(&Form, At(2, 1));
    input::MouseMove(&Form, At(3, 2));
    input::MouseUp(&Form, At(3, 2));
    EXPECT_EQ(Grid->GetSelection(), (TGridRect{1, 1, 3, 2}));
    input::Click(&Form, At(0, 2));
    input::Click(&Form, At(2, 0));
    EXPECT_EQ(Grid->GetSelection(), (TGridRect{1, 1, 3, 2}));
    // Dragging below the cells in sight scrolls down a row at a time.
    input::MouseDown(&Form, At(1, 3));
    input::MouseMove(&Form, Client(100, Grid->GetClientRect().Bottom + 3));
    input::MouseUp(&Form, Client(100, Grid->GetClientRect().Bottom + 3));
    EXPECT_EQ(Grid->GetRow(), 4);
    EXPECT_EQ(Grid->GetTopRow(), 2);
    // Over the fixed row it scrolls back up.
    input::MouseDown(&Form, At(1, 2));
    input::MouseMove(&Form, Client(100, 5));
    input::MouseUp(&Form, Client(100, 5));
    EXPECT_EQ(Grid->GetRow(), 1);
    EXPECT_EQ(Grid->GetTopRow(), 1);
}

TEST_F(Grids, OnSelectCellMayRefuseACell) {
    Grid->SetOnSelectCell(TSelectCellEvent::Bind<&Grids::NotColumn2>(this));
    input::PressKey(VK_RIGHT);
    EXPECT_EQ(Grid->GetCol(), 1);
    input::Click(&Form, At(3, 1));
    EXPECT_EQ(Grid->GetCol(), 3);
    Grid->SetCol(2);
    EXPECT_EQ(Grid->GetCol(), 3);
}

TEST_F(Grids, TheWheelMovesTheCurrentRow) {
    input::Wheel(&Form, At(1, 1), -WHEEL_DELTA * 4); // four notches down
    EXPECT_EQ(Grid->GetRow(), 5);
    EXPECT_EQ(Grid->GetTopRow(), 3);
    input::Wheel(&Form, At(1, 1), WHEEL_DELTA * 10);
    EXPECT_EQ(Grid->GetRow(), 1);
    EXPECT_EQ(Grid->GetTopRow(), 1);
}

TEST_F(Grids, ColumnsAndRowsAreSizedByDraggingTheirLinesInTheFixedArea) {
    // Column 1 ends at 129: its line is grabbed in the fixed row.
    input::MouseDown(&Form, Client(129, 10));
    input::MouseMove(&Form, Client(149, 10));
    input::MouseUp(&Form, Client(149, 10));
    EXPECT_EQ(Grid->GetColWidths(1), 64); // not without goColSizing: it is a click
    With({goColSizing, goRowSizing});
    input::MouseDown(&Form, Client(129, 10));
    input::MouseMove(&Form, Client(139, 10));
    EXPECT_EQ(Grid->GetColWidths(1), 74); // live as it is dragged
    input::MouseMove(&Form, Client(149, 10));
    input::MouseUp(&Form, Client(149, 10));
    EXPECT_EQ(Grid->GetColWidths(1), 84);
    EXPECT_EQ(Grid->CellRect(2, 1).Left, 65 + 85);
    // Dragged past the cell's start it closes to nothing.
    input::MouseDown(&Form, Client(149, 10));
    input::MouseUp(&Form, Client(20, 10));
    input::MouseDown(&Form, Client(149, 10));
    input::MouseMove(&Form, Client(20, 10));
    input::MouseUp(&Form, Client(20, 10));
    EXPECT_EQ(Grid->GetColWidths(1), 0);
    // Row 1 ends at 49, grabbed in the fixed column; a line in the scrolling cells is not.
    input::MouseDown(&Form, Client(10, 49));
    input::MouseMove(&Form, Client(10, 59));
    input::MouseUp(&Form, Client(10, 59));
    EXPECT_EQ(Grid->GetRowHeights(1), 34);
    input::MouseDown(&Form, Client(100, 59));
    input::MouseMove(&Form, Client(100, 80));
    input::MouseUp(&Form, Client(100, 80));
    EXPECT_EQ(Grid->GetRowHeights(1), 34);
    EXPECT_EQ(Grid->GetRowHeights(2), 24);
}

TEST_F(Grids, ColumnsAndRowsMoveByDraggingTheirFixedCells) {
    Grid->SetOnColumnMoved(TMovedEvent::Bind<&Grids::ColumnMoved>(this));
    Grid->SetColWidths(1, 40);
    input::MouseDown(&Form, At(1, 0));
    input::MouseUp(&Form, At(3, 0));
    EXPECT_TRUE(Moves.empty()); // not without goColMoving
    With({goColMoving});
    input::MouseDown(&Form, At(1, 0));
    input::MouseMove(&Form, At(3, 0));
    input::MouseUp(&Form, At(3, 0));
    ASSERT_EQ(Moves, (std::vector<std::pair<Integer, Integer>>{{1, 3}}));
    EXPECT_EQ(Grid->GetColWidths(3), 40); // the width goes with the column
    EXPECT_EQ(Grid->GetColWidths(1), 64);
    Grid->MoveColumn(3, 1);
    EXPECT_EQ(Grid->GetColWidths(1), 40);
    EXPECT_EQ(Moves.size(), 2u);
    // Rows by their fixed cells at the left; not onto the fixed row.
    Moves.clear();
    Grid->SetOnRowMoved(TMovedEvent::Bind<&Grids::ColumnMoved>(this));
    With({goRowMoving});
    input::MouseDown(&Form, At(0, 3));
    input::MouseUp(&Form, At(0, 0));
    ASSERT_EQ(Moves, (std::vector<std::pair<Integer, Integer>>{{3, 1}}));
}

TEST_F(Grids, TabMovesAcrossTheRowsWithGoTabsAndLeavesWithout) {
    auto* edit = new TEdit(&Form);
    edit->SetParent(&Form);
    edit->SetBounds(10, 200, 100, 21);
    Grid->SetColCount(3);
    Grid->SetRowCount(3);
    With({goTabs});
    input::PressKey(VK_TAB);
    EXPECT_EQ(Grid->GetCol(), 2);
    input::PressKey(VK_TAB); // past the row's end: the next row's first scrolling cell
    EXPECT_EQ(Grid->GetCol(), 1);
    EXPECT_EQ(Grid->GetRow(), 2);
    input::PressKey(VK_TAB, {ssShift});
    EXPECT_EQ(Grid->GetCol(), 2);
    EXPECT_EQ(Grid->GetRow(), 1);
    EXPECT_TRUE(Grid->Focused());
    With({}, {goTabs});
    input::PressKey(VK_TAB);
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(Grid->GetCol(), 2);
}

TEST_F(Grids, WhatLiesOutsideTheGridIsTheHostsError) {
    auto expectError = [](auto&& F, const char* Message) {
        try {
            F();
            ADD_FAILURE() << "no error for " << Message;
        } catch (const EInvalidGridOperation& E) {
            EXPECT_STREQ(E.what(), Message);
        }
    };
    expectError([&] { Grid->GetColWidths(10); }, SGridIndexOutOfRange);
    expectError([&] { Grid->SetRowHeights(-1, 5); }, SGridIndexOutOfRange);
    expectError([&] { Grid->SetCol(10); }, SGridIndexOutOfRange);
    expectError([&] { Grid->SetRow(-1); }, SGridIndexOutOfRange);
    expectError([&] { Grid->SetSelection({1, 1, 3, 20}); }, SGridIndexOutOfRange);
    expectError([&] { Grid->MoveColumn(0, 10); }, SGridIndexOutOfRange);
    expectError([&] { Grid->SetFixedCols(10); }, SFixedColTooBig);
    expectError([&] { Grid->SetFixedRows(20); }, SFixedRowTooBig);
    expectError([&] { Grid->SetFixedRows(-1); }, SGridIndexOutOfRange);
    // A huge count is refused before anything is allocated; the grid is as it was.
    expectError([&] { Grid->SetColCount(1 << 30); }, SGridTooLarge);
    expectError([&] { Grid->SetRowCount(TCustomGrid::MaxCount + 1); }, SGridTooLarge);
    EXPECT_EQ(Grid->GetColCount(), 10);
    // A count below 1 is 1, and the fixed columns and the current cell shrink into it.
    Grid->SetCol(5);
    Grid->SetColCount(-7);
    EXPECT_EQ(Grid->GetColCount(), 1);
    EXPECT_EQ(Grid->GetFixedCols(), 0);
    EXPECT_EQ(Grid->GetCol(), 0);
    // Sizes are held to what a window can show.
    Grid->SetColWidths(0, -20);
    EXPECT_EQ(Grid->GetColWidths(0), 0);
    Grid->SetDefaultRowHeight(1 << 30);
    EXPECT_EQ(Grid->GetDefaultRowHeight(), TCustomGrid::MaxCellSize);
    // The largest grid lays out without walking every cell's size.
    Grid->SetRowCount(TCustomGrid::MaxCount);
    Grid->SetRow(TCustomGrid::MaxCount - 1);
    EXPECT_EQ(Grid->GetTopRow(), TCustomGrid::MaxCount - 1);
}

} // namespace
