// String grids: cells, objects, and columns and rows as string lists; the in-place editor's
// round trip through the cells and through the edit events; the sizes in form files; the look.
#include "host/grids/StringGrid.h"
#include "host/classes/StringList.h"
#include "host/controls/Input.h"
#include "host/forms/Application.h"
#include "host/forms/Form.h"
#include "host/grids/InplaceEdit.h"
#include "host/menus/Keys.h"
#include "host/stdctrls/Edit.h"
#include "tests/host/FormFiles.h"
#include "tests/host/ReferencePictures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace host;

struct StringGrids : ::testing::Test {
    TForm Form{nullptr};
    TStringGrid* Grid = nullptr;
    std::vector<std::string> Sets; // "col,row=value" for each OnSetEditText

    void SetEdit(TObject*, Integer ACol, Integer ARow, const AnsiString& Value) {
        Sets.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + "=" + Value);
    }
    void GetEdit(TObject*, Integer, Integer, AnsiString& Value) { Value = "seed" + Value; }
    void DigitsInColumn1(TObject*, Integer ACol, Integer, AnsiString& Mask) {
        if (ACol == 1) Mask = "000;1;_";
    }

    void SetUp() override {
        Form.SetBounds(0, 0, 400, 300);
        Grid = new TStringGrid(&Form);
        Grid->SetParent(&Form);
        Grid->SetBounds(10, 10, 340, 140);
        Form.Show();
        Grid->SetFocus();
    }
    void With(TGridOption O) {
        TGridOptions o = Grid->GetOptions();
        o += O;
        Grid->SetOptions(o);
    }
    bool Editing() {
        return Grid->GetEditorMode() && Grid->GetInplaceEditor() &&
               Grid->GetInplaceEditor()->GetVisible() && Grid->GetInplaceEditor()->Focused();
    }
    AnsiString EditorText() { return Grid->GetInplaceEditor()->GetText(); }
};

TEST_F(StringGrids, CellsObjectsColsAndRowsAreOneStore) {
    Grid->SetCells(1, 2, "a");
    TObject marker;
    Grid->SetObjects(3, 2, &marker);
    TStrings* row = Grid->GetRows(2);
    TStrings* col = Grid->GetCols(1);
    EXPECT_EQ(row->GetCount(), 5);
    EXPECT_EQ(row->GetStrings(1), "a");
    EXPECT_EQ(row->GetObjects(3), &marker);
    EXPECT_EQ(col->GetStrings(2), "a");
    col->SetStrings(0, "head");
    EXPECT_EQ(Grid->GetCells(1, 0), "head");
    // Adding fills the first empty cell; an empty string still takes one.
    TStrings* first = Grid->GetCols(0);
    EXPECT_EQ(first->Add("x"), 0);
    EXPECT_EQ(first->Add(""), 1);
    EXPECT_EQ(first->Add("y"), 2);
    EXPECT_EQ(Grid->GetCells(0, 2), "y");
    // Assigning a list goes cell by cell as far as the row reaches.
    TStringList source;
    for (const char* s : {"p", "q", "r", "s", "t", "u", "v"}) source.Add(s);
    Grid->SetRows(4, &source);
    EXPECT_EQ(Grid->GetCells(4, 4), "t");
    EXPECT_EQ(Grid->GetRows(4)->GetCommaText(), "p,q,r,s,t");
    Grid->GetRows(4)->Clear();
    EXPECT_EQ(Grid->GetCells(0, 4), "");
    // Cells cannot be inserted or deleted through the lists; indexes are checked.
    EXPECT_THROW(row->Insert(0, "z"), EInvalidGridOperation);
    EXPECT_THROW(row->Delete(0), EInvalidGridOperation);
    EXPECT_THROW(row->GetStrings(5), EInvalidGridOperation);
    EXPECT_THROW(Grid->GetCells(5, 0), EInvalidGridOperation);
    EXPECT_THROW(Grid->SetCells(0, -1, "n"), EInvalidGridOperation);
    EXPECT_THROW(Grid->GetCols(5), EInvalidGridOperation);
    EXPECT_THROW(Grid->GetRows(-1), EInvalidGridOperation);
    // Fewer rows drop the cells beyond; the lists shrink with them.
    Grid->SetRowCount(2);
    EXPECT_EQ(col->GetCount(), 2);
    EXPECT_EQ(row->GetCount(), 0);
    Grid->SetRowCount(5);
    EXPECT_EQ(Grid->GetCells(1, 2), "");
    EXPECT_EQ(Grid->GetObjects(3, 2), nullptr);
    EXPECT_EQ(Grid->GetCells(1, 0), "head");
}

TEST_F(StringGrids, MovingAColumnOrARowMovesItsCells) {
    for (Integer c = 0; c < 5; ++c) Grid->SetCells(c, 1, AnsiString(1, char('A' + c)));
    Grid->MoveColumn(1, 3);
    EXPECT_EQ(Grid->GetRows(1)->GetCommaText(), "A,C,D,B,E");
    Grid->MoveColumn(4, 0);
    EXPECT_EQ(Grid->GetRows(1)->GetCommaText(), "E,A,C,D,B");
    Grid->MoveRow(1, 4);
    EXPECT_EQ(Grid->GetCells(0, 4), "E");
    EXPECT_EQ(Grid->GetCells(0, 1), "");
}

TEST_F(StringGrids, TypingEditsTheCellAndEnterEndsIt) {
    Grid->SetCells(1, 1, "old");
    Grid->SetOnSetEditText(TSetEditEvent::Bind<&StringGrids::SetEdit>(this));
    input::Type("n");
    EXPECT_FALSE(Editing()); // not without goEditing
    With(goEditing);
    input::Type("ne");
    ASSERT_TRUE(Editing());
    EXPECT_EQ(EditorText(), "ne"); // the first character took the place of the text
    EXPECT_EQ(Grid->GetInplaceEditor()->GetBoundsRect(), Grid->CellRect(1, 1));
    EXPECT_EQ(Grid->GetCells(1, 1), "ne"); // the cell follows what is typed
    input::PressKey(VK_RETURN);
    EXPECT_FALSE(Editing());
    EXPECT_TRUE(Grid->Focused());
    EXPECT_EQ(Grid->GetCells(1, 1), "ne");
    EXPECT_EQ(Sets, (std::vector<std::string>{"1,1=n", "1,1=ne"}));
    // Enter starts it again with the cell's text; moving to another cell ends it.
    input::PressKey(VK_RETURN);
    ASSERT_TRUE(Editing());
    EXPECT_EQ(EditorText(), "ne");
    EXPECT_EQ(Grid->GetInplaceEditor()->GetSelLength(), 2);
    input::PressKey(VK_END);
    input::Type("w");
    input::PressKey(VK_DOWN);
    EXPECT_FALSE(Grid->GetEditorMode());
    EXPECT_EQ(Grid->GetRow(), 2);
    EXPECT_EQ(Grid->GetCells(1, 1), "new");
    // F2 starts it; Esc gives the cell its text back.
    input::PressKey(VK_F1 + 1);
    ASSERT_TRUE(Editing());
    input::Type("zap");
    EXPECT_EQ(Grid->GetCells(1, 2), "zap");
    input::PressKey(VK_ESCAPE);
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Grid->GetCells(1, 2), "");
    EXPECT_EQ(Sets.back(), "1,2=");
    // A range cannot be made while editing is on.
    input::PressKey(VK_DOWN, {ssShift});
    EXPECT_EQ(Grid->GetSelection(), (TGridRect{1, 3, 1, 3}));
}

TEST_F(StringGrids, TheEditorArrowsLeaveTheCellAtTheTextsEnds) {
    With(goEditing);
    Grid->SetCells(1, 1, "ab");
    input::PressKey(VK_RETURN);
    input::PressKey(VK_END);
    input::PressKey(VK_LEFT); // inside the text: the caret moves
    EXPECT_EQ(Grid->GetInplaceEditor()->GetCaretPosition(), 1);
    EXPECT_EQ(Grid->GetCol(), 1);
    input::PressKey(VK_RIGHT);
    input::PressKey(VK_RIGHT); // at the end: to the next cell
    EXPECT_EQ(Grid->GetCol(), 2);
    EXPECT_FALSE(Grid->GetEditorMode());
}

TEST_F(StringGrids, AlwaysShowEditorFollowsTheCurrentCell) {
    Grid->SetCells(2, 1, "two");
    With(goEditing);
    With(goAlwaysShowEditor);
    ASSERT_TRUE(Editing());
    input::PressKey(VK_RIGHT); // the empty text is all selected: the arrow leaves
    ASSERT_TRUE(Editing());
    EXPECT_EQ(Grid->GetCol(), 2);
    EXPECT_EQ(EditorText(), "two");
    EXPECT_EQ(Grid->GetInplaceEditor()->GetBoundsRect(), Grid->CellRect(2, 1));
    input::PressKey(VK_RETURN); // Enter keeps it
    EXPECT_TRUE(Editing());
    Grid->SetEditorMode(false);
    EXPECT_TRUE(Editing());
}

TEST_F(StringGrids, TheEditEventsSupplyAndTakeTheTextOfADrawGrid) {
    auto* draw = new TDrawGrid(&Form);
    draw->SetParent(&Form);
    draw->SetBounds(10, 160, 200, 100);
    TGridOptions o = draw->GetOptions();
    o += goEditing;
    draw->SetOptions(o);
    draw->SetOnGetEditText(TGetEditEvent::Bind<&StringGrids::GetEdit>(this));
    draw->SetOnSetEditText(TSetEditEvent::Bind<&StringGrids::SetEdit>(this));
    draw->SetFocus();
    draw->SetCol(2);
    draw->SetEditorMode(true);
    ASSERT_TRUE(draw->GetInplaceEditor());
    EXPECT_EQ(draw->GetInplaceEditor()->GetText(), "seed");
    input::PressKey(VK_END);
    input::Type("s");
    input::PressKey(VK_RETURN);
    EXPECT_EQ(Sets, (std::vector<std::string>{"2,1=seeds"}));
    EXPECT_FALSE(draw->GetEditorMode());
    // A string grid offers its cell's text to OnGetEditText first.
    Grid->SetCells(1, 1, "x");
    With(goEditing);
    Grid->SetOnGetEditText(TGetEditEvent::Bind<&StringGrids::GetEdit>(this));
    Grid->SetFocus();
    Grid->SetEditorMode(true);
    EXPECT_EQ(EditorText(), "seedx");
}

TEST_F(StringGrids, OnGetEditMaskMasksTheEditorAndAnUnfinishedTextKeepsItGoing) {
    With(goEditing);
    Grid->SetOnGetEditMask(TGetEditEvent::Bind<&StringGrids::DigitsInColumn1>(this));
    input::Type("1x2"); // the letter is refused
    ASSERT_TRUE(Editing());
    EXPECT_EQ(Grid->GetInplaceEditor()->GetEditText(), "12_");
    input::PressKey(VK_RETURN);
    EXPECT_TRUE(Editing());
    EXPECT_EQ(Application()->LastMessageBoxText(), std::string(SMaskEditErr) + ".");
    input::PressKey(VK_DOWN); // nor can it leave the cell
    EXPECT_EQ(Grid->GetRow(), 1);
    input::Type("3");
    input::PressKey(VK_RETURN);
    EXPECT_FALSE(Grid->GetEditorMode());
    EXPECT_EQ(Grid->GetCells(1, 1), "123");
    // Esc abandons an unfinished one without a word.
    input::PressKey(VK_RIGHT);
    input::PressKey(VK_LEFT);
    input::Type("9");
    input::PressKey(VK_ESCAPE);
    EXPECT_FALSE(Grid->GetEditorMode());
    EXPECT_EQ(Grid->GetCells(1, 1), "123");
}

const char* const GridForm = "object Main: TForm\r\n"
                             "  Left = 0\r\n"
                             "  Top = 0\r\n"
                             "  Caption = 'Main'\r\n"
                             "  ClientHeight = 213\r\n"
                             "  ClientWidth = 312\r\n"
                             "  Color = clBtnFace\r\n"
                             "  Font.Charset = DEFAULT_CHARSET\r\n"
                             "  Font.Color = clWindowText\r\n"
                             "  Font.Height = -11\r\n"
                             "  Font.Name = 'MS Sans Serif'\r\n"
                             "  Font.Style = []\r\n"
                             "  OldCreateOrder = False\r\n"
                             "  PixelsPerInch = 96\r\n"
                             "  TextHeight = 13\r\n"
                             "  object StringGrid1: TStringGrid\r\n"
                             "    Left = 8\r\n"
                             "    Top = 8\r\n"
                             "    Width = 289\r\n"
                             "    Height = 120\r\n"
                             "    ColCount = 3\r\n"
                             "    DefaultColWidth = 80\r\n"
                             "    DefaultRowHeight = 18\r\n"
                             "    FixedCols = 0\r\n"
                             "    RowCount = 4\r\n"
                             "    Options = [goFixedVertLine, goFixedHorzLine, goVertLine, "
                             "goHorzLine, goRangeSelect, goColSizing, goEditing]\r\n"
                             "    TabOrder = 0\r\n"
                             "    ColWidths = (\r\n"
                             "      80\r\n"
                             "      120\r\n"
                             "      40)\r\n"
                             "    RowHeights = (\r\n"
                             "      18\r\n"
                             "      18\r\n"
                             "      30\r\n"
                             "      18)\r\n"
                             "  end\r\n"
                             "end\r\n";

TEST(StringGridForms, ColWidthsAndRowHeightsAreKeptInTheForm) {
    formtest::RootPtr root = formtest::Load(GridForm);
    ASSERT_TRUE(root);
    auto* grid = DynCast<TStringGrid>(root->FindComponent("StringGrid1"));
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->GetColCount(), 3);
    EXPECT_EQ(grid->GetFixedCols(), 0);
    EXPECT_EQ(grid->GetFixedRows(), 1);
    EXPECT_EQ(grid->GetColWidths(1), 120);
    EXPECT_EQ(grid->GetColWidths(2), 40);
    EXPECT_EQ(grid->GetRowHeights(2), 30);
    EXPECT_TRUE(grid->GetOptions().Contains(goEditing));
    EXPECT_EQ(formtest::Save(root.get(), true), GridForm);
    // Through the binary form and back.
    formtest::RootPtr again = formtest::Load(formtest::Save(root.get(), false));
    ASSERT_TRUE(again);
    EXPECT_EQ(formtest::Save(again.get(), true), GridForm);
    // Sizes back at the default are not written; cells never are.
    grid->SetColWidths(1, 80);
    grid->SetColWidths(2, 80);
    grid->SetCells(0, 1, "not kept");
    std::string text = formtest::Save(root.get(), true);
    EXPECT_EQ(text.find("ColWidths"), std::string::npos);
    EXPECT_NE(text.find("RowHeights"), std::string::npos);
    EXPECT_EQ(text.find("not kept"), std::string::npos);
}

TEST(StringGridForms, SizesPastTheCountOrOutOfBoundsAreHeldIn) {
    std::string text = GridForm;
    std::string widths = "      80\r\n      120\r\n      40)";
    text.replace(text.find(widths), widths.size(),
                 "      -5\r\n      99999999\r\n      40\r\n      77\r\n      88)");
    formtest::RootPtr root = formtest::Load(text);
    ASSERT_TRUE(root);
    auto* grid = DynCast<TStringGrid>(root->FindComponent("StringGrid1"));
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->GetColCount(), 3);
    EXPECT_EQ(grid->GetColWidths(0), 0);
    EXPECT_EQ(grid->GetColWidths(1), TCustomGrid::MaxCellSize);
}

TEST_F(StringGrids, LooksAsTheClassicGrid) {
    Grid->SetColCount(4);
    Grid->SetRowCount(4);
    Grid->SetDefaultColWidth(40);
    Grid->SetDefaultRowHeight(18);
    Grid->SetBounds(10, 10, 4 * 41 + 4, 4 * 19 + 4); // the cells, their lines and the border
    const char* heads[] = {"", "A", "B", "C"};
    for (Integer c = 1; c < 4; ++c) Grid->SetCells(c, 0, heads[c]);
    for (Integer r = 1; r < 4; ++r) {
        Grid->SetCells(0, r, std::to_string(r));
        for (Integer c = 1; c < 4; ++c) Grid->SetCells(c, r, std::to_string(r * 10 + c));
    }
    Grid->SetSelection({1, 1, 2, 2}); // the current cell at the range's far corner
    picturetest::Picture image = picturetest::Own(new TBitmap);
    image->SetSize(Grid->GetWidth(), Grid->GetHeight());
    Grid->PaintTo(image->GetCanvas(), 0, 0);
    picturetest::ExpectLooksAs(image.get(), "string-grid.png");
}

TEST_F(StringGrids, TheFocusedCellIsHighlightedOnlyWhenAskedOrWhenTheGridIsNotFocused) {
    Grid->SetSelection({1, 1, 2, 1});
    auto colourAt = [&](Integer ACol, Integer ARow) {
        picturetest::Picture image = picturetest::Own(new TBitmap);
        image->SetSize(Grid->GetWidth(), Grid->GetHeight());
        Grid->PaintTo(image->GetCanvas(), 0, 0);
        TRect r = Grid->CellRect(ACol, ARow);
        return image->ColorAt(2 + r.Left + 30, 2 + r.Top + 12); // inside the 2-pixel border
    };
    EXPECT_EQ(colourAt(1, 1), ColorToRGB(clHighlight));
    EXPECT_EQ(colourAt(2, 1), ColorToRGB(clWindow)); // the focus is here
    EXPECT_EQ(colourAt(2, 2), ColorToRGB(clWindow));
    EXPECT_EQ(colourAt(0, 1), ColorToRGB(clBtnFace));
    With(goDrawFocusSelected);
    EXPECT_EQ(colourAt(2, 1), ColorToRGB(clHighlight));
    auto* other = new TEdit(&Form);
    other->SetParent(&Form);
    other->SetBounds(10, 200, 80, 21);
    Grid->SetOptions(DefaultGridOptions);
    other->SetFocus();
    EXPECT_EQ(colourAt(2, 1), ColorToRGB(clHighlight));
}

} // namespace
