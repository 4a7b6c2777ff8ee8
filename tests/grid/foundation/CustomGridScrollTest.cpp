#include <stdexcept>

#include "platform/core/Stream.h"
#include "platform/graphics/Bitmap.h"
#include "platform/filing/Streaming.h"
#include "tests/grid/foundation/CustomGridTestSupport.h"
#include "tests/support/Golden.h"

using graphics::Rect;
using graphics::TRect;
using graphics::TRegion;
using core::AnsiString;
using grid::TGridCoord;

namespace {

class CustomGridScrollTest : public GridFixture {
protected:
    // A shown grid of 200 x 150 pixels over 20 columns and 100 rows.
    void ShowBigGrid()
    {
        MakeGrid(200, 150);
        grid->SetColCount(20);
        grid->SetRowCount(100);
        ShowForm();
    }
    graphics::TPoint Screen(int x, int y) const { return At(grid, {x, y}); }
};

}  // namespace

TEST_F(CustomGridScrollTest, ARowDownMovesThePixelsUpAndLeavesOnlyTheBottomStrip)
{
    ShowBigGrid();
    ASSERT_TRUE(Invalid().IsEmpty());
    graphics::TPixel row2 = Pixel(100, 55);
    graphics::TPixel heading = Pixel(100, 10);
    grid->SetTopRow(2);
    EXPECT_EQ(grid->topLeftChanged, 1);
    // Rows 2 to 5 moved up by one row (25 pixels); only the new row 6 waits.
    EXPECT_EQ(Invalid(), TRegion(Rect(0, 125, 200, 150)));
    EXPECT_EQ(Pixel(100, 30), row2);
    EXPECT_EQ(Pixel(100, 10), heading);
    Pump();
    std::vector<graphics::TPixel> scrolled = Pixels();
    EXPECT_EQ(scrolled, RepaintedPixels());
    EXPECT_EQ(graphics::PixelToRgb(Pixel(100, 130)) & 0xFFFFFF, TTestGrid::CellColor(1, 6));
}

TEST_F(CustomGridScrollTest, AColumnAcrossMovesHeadingsWithTheCells)
{
    ShowBigGrid();
    graphics::TPixel col2 = Pixel(135, 30);
    grid->SetLeftCol(2);
    EXPECT_EQ(Invalid(), TRegion(Rect(135, 0, 200, 150)));
    EXPECT_EQ(Pixel(70, 30), col2);
    Pump();
    EXPECT_EQ(Pixels(), RepaintedPixels());
}

TEST_F(CustomGridScrollTest, BothAxesScrollTheirStripsAndTheCellsTogether)
{
    ShowBigGrid();
    graphics::TPixel cell = Pixel(200 - 3, 150 - 3);  // cell (3, 5), partly shown
    grid->MoveCurrent(4, 6, true, true);
    EXPECT_EQ((TGridCoord{grid->LeftCol(), grid->TopRow()}), (TGridCoord{3, 2}));
    // Cell (3, 5) moved left by two columns and up by one row, unpainted.
    EXPECT_FALSE(Invalid().Contains({200 - 3 - 130, 150 - 3 - 25}));
    EXPECT_EQ(Pixel(200 - 3 - 130, 150 - 3 - 25), cell);
    Pump();
    EXPECT_EQ(Pixels(), RepaintedPixels());
}

TEST_F(CustomGridScrollTest, AColumnMoveRepaintsTheVisibleRowsOfTheColumnsBetween)
{
    ShowBigGrid();
    grid->SetTopRow(50);
    Pump();
    grid->MoveColumn(1, 2);
    // Heading and every shown row of columns 1 and 2, however far down.
    EXPECT_EQ(Invalid(), TRegion(Rect(65, 0, 195, 150)));
    Pump();
    EXPECT_EQ(Pixels(), RepaintedPixels());
}

TEST_F(CustomGridScrollTest, AJumpBeyondTheScrolledAreaRepaintsTheWholeWindow)
{
    ShowBigGrid();
    grid->SetTopRow(60);
    EXPECT_EQ(Invalid(), TRegion(Rect(0, 0, 200, 150)));
    grid->Handle()->Validate();
    grid->SetTopRow(1000000);  // clamped to the last row, still a jump
    EXPECT_EQ(grid->TopRow(), 99);
    EXPECT_EQ(Invalid(), TRegion(Rect(0, 0, 200, 150)));
}

TEST_F(CustomGridScrollTest, ScrollingWhereTheGridEndsInsideTheWindowLeavesNoOldCells)
{
    for (bool rtl : {false, true}) {
        SCOPED_TRACE(rtl ? "right to left" : "left to right");
        MakeGrid(200, 150);  // five columns: the last ends at 325
        grid->SetBiDiMode(rtl ? ui::bdRightToLeft : ui::bdLeftToRight);
        ShowForm();
        grid->SetLeftCol(3);  // now they end at 195, inside the window
        Pump();
        EXPECT_EQ(Pixels(), RepaintedPixels());
        grid->SetLeftCol(2);
        Pump();
        EXPECT_EQ(Pixels(), RepaintedPixels());
        delete grid;
    }
}

TEST_F(CustomGridScrollTest, GrowingTheRowCountRepaintsOnlyFromTheLastFullRowDown)
{
    MakeGrid(200, 150);
    grid->SetRowCount(3);
    ShowForm();
    grid->SetRowCount(10);
    EXPECT_EQ(Invalid(), TRegion(Rect(0, 50, 200, 150)));
    EXPECT_EQ(grid->sizeChangedCalls, 2);
    Pump();
    EXPECT_EQ(Pixels(), RepaintedPixels());
}

TEST_F(CustomGridScrollTest, ShrinkingBelowTheTopRowBringsTheLastRowsIntoView)
{
    ShowBigGrid();
    grid->SetTopRow(50);
    Pump();
    grid->SetRowCount(10);
    EXPECT_EQ(grid->TopRow(), 5);  // rows 5 to 9 fill the window
    EXPECT_EQ(grid->CellAt(100, 30), (TGridCoord{1, 5}));
    EXPECT_EQ(Invalid(), TRegion(Rect(0, 0, 200, 150)));
    Pump();
    EXPECT_EQ(graphics::PixelToRgb(Pixel(100, 130)) & 0xFFFFFF, TTestGrid::CellColor(1, 9));
}

TEST_F(CustomGridScrollTest, AFailedResizePutsTheArraysBackAsTheyWereAndRunsTheHookOnce)
{
    MakeGrid();
    grid->SetColCount(8);
    grid->SetColWidths(6, 30);
    grid->SetColWidths(7, 40);
    grid->SetTabStops(7, false);
    grid->SetRowHeights(2, 12);
    grid->MoveCurrent(5, 3, true, false);
    int calls = grid->sizeChangedCalls;
    grid->sizeChanged = [](int, int) { throw std::runtime_error("refused"); };
    EXPECT_THROW(grid->ResizeGrid(1, 2), std::runtime_error);
    EXPECT_EQ(grid->sizeChangedCalls, calls + 1);
    EXPECT_EQ(grid->ColCount(), 8);
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->FixedCols(), 1);
    EXPECT_EQ(grid->FixedRows(), 1);
    EXPECT_EQ(grid->ColWidths(6), 30);
    EXPECT_EQ(grid->ColWidths(7), 40);
    EXPECT_FALSE(grid->TabStops(7));
    EXPECT_EQ(grid->RowHeights(2), 12);
    EXPECT_EQ(grid->ColExtents().Count(), 8);
    EXPECT_EQ(grid->RowExtents().Count(), 5);
    EXPECT_EQ((TGridCoord{grid->CurCol(), grid->CurRow()}), (TGridCoord{5, 3}));
    // A growth that fails is taken back as well.
    EXPECT_THROW(grid->SetRowCount(50), std::runtime_error);
    EXPECT_EQ(grid->RowExtents().Count(), 5);
    grid->sizeChanged = nullptr;
    grid->SetColCount(6);
    EXPECT_EQ(grid->ColWidths(5), 64);
}

TEST_F(CustomGridScrollTest, DraggingAHeadingEdgeSizesTheColumnUnlessItEndsAtItsStart)
{
    struct Case {
        int releaseX;
        int expected;
    };
    // Column 1 starts at 65; its edge (line) at 129 takes presses from 126 to 133.
    const Case cases[] = {{150, 84}, {68, 2}, {67, 64}, {66, 64}, {30, 64}};
    MakeGrid(200, 150);
    grid->SetOptions(0x001F | grid::goColSizing | grid::goRowSizing);
    ShowForm();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.releaseX);
        grid->SetDefaultColWidth(64);
        Pump();
        int calls = grid->designModified;
        display->MoveMouse(Screen(130, 10));
        EXPECT_EQ(ui::WindowManager().CurrentCursor(), ui::crHSplit);
        display->Press(Screen(130, 10));
        EXPECT_EQ(grid->SizingState(), grid::gsColSizing);
        EXPECT_EQ(grid->SizingIndex(), 1);
        display->MoveMouse(Screen(c.releaseX, 10));
        display->Release(Screen(c.releaseX, 10));
        EXPECT_EQ(grid->SizingState(), grid::gsNormal);
        EXPECT_EQ(grid->ColWidths(1), c.expected);
        EXPECT_EQ(grid->designModified, calls + (c.expected != 64 ? 1 : 0));
    }
    // Rows by the row bar: row 1's edge is at 49.
    display->Press(Screen(10, 49));
    EXPECT_EQ(grid->SizingState(), grid::gsRowSizing);
    display->MoveMouse(Screen(10, 60));
    display->Release(Screen(10, 60));
    EXPECT_EQ(grid->RowHeights(1), 35);
    // Without the sizing bits the edge is an ordinary heading.
    grid->SetOptions(0x001F);
    int index, pos, offset;
    EXPECT_EQ(grid->SizingStateAt(130, 10, grid->CalcMetrics(), index, pos, offset), grid::gsNormal);
}

TEST_F(CustomGridScrollTest, TheSizingLineIsDrawnByExclusiveOrAndCancelModeErasesIt)
{
    MakeGrid(200, 150);
    grid->SetOptions(0x001F | grid::goColSizing);
    ShowForm();
    std::vector<graphics::TPixel> before = Pixels();
    display->Press(Screen(130, 10));
    display->MoveMouse(Screen(150, 10));
    std::vector<graphics::TPixel> during = Pixels();
    EXPECT_NE(during, before);
    int changed = 0;
    for (int y = 0; y < 150; ++y)
        changed += Pixel(149, y) != before[y * 200 + 149];
    EXPECT_GT(changed, 50);  // a dotted line down the whole height
    grid->Perform(ui::WM_CANCELMODE);
    EXPECT_EQ(grid->SizingState(), grid::gsNormal);
    EXPECT_EQ(Pixels(), before);
    display->Release(Screen(150, 10));
    EXPECT_EQ(grid->ColWidths(1), 64);
}

TEST_F(CustomGridScrollTest, DraggingAFixedCellMovesTheColumnUnlessTheFinalCheckRefuses)
{
    MakeGrid(200, 150);
    grid->SetOptions(0x001F | grid::goColMoving);
    ShowForm();
    display->Press(Screen(90, 10));
    EXPECT_EQ(grid->SizingState(), grid::gsColMoving);
    display->MoveMouse(Screen(160, 10));
    EXPECT_EQ(grid->MoveTo(), 2);
    display->Release(Screen(160, 10));
    ASSERT_EQ(grid->columnMoves.size(), 1u);
    EXPECT_EQ(grid->columnMoves[0], (std::pair<int, int>{1, 2}));
    Pump();
    EXPECT_EQ(Pixels(), RepaintedPixels());  // no moving line left behind
    grid->columnDrag = [](int, int&, bool final) { return !final; };
    display->Press(Screen(90, 10));
    display->MoveMouse(Screen(160, 10));
    display->Release(Screen(160, 10));
    EXPECT_EQ(grid->columnMoves.size(), 1u);
}

TEST_F(CustomGridScrollTest, HoldingTheMouseBelowTheCellsExtendsTheSelectionATickAtATime)
{
    ShowBigGrid();
    int clicks = 0;
    grid->OnClick = [&](core::TObject*) { ++clicks; };
    display->Press(Screen(90, 35));
    EXPECT_EQ(grid->SizingState(), grid::gsSelecting);
    EXPECT_EQ((TGridCoord{grid->CurCol(), grid->CurRow()}), (TGridCoord{1, 1}));
    display->MoveMouse(Screen(90, 140));  // row 5
    EXPECT_EQ(grid->AnchorRow(), 5);
    display->MoveMouse(Screen(90, 170));  // below the window
    int anchor = grid->AnchorRow();
    for (int tick = 1; tick <= 3; ++tick) {
        grid->Perform(ui::WM_TIMER, 1);
        EXPECT_EQ(grid->AnchorRow(), anchor + tick);
        EXPECT_EQ(grid->CalcMetrics().Vert.LastFullCell, anchor + tick);
    }
    display->Release(Screen(90, 170));
    EXPECT_EQ(grid->SizingState(), grid::gsNormal);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(grid->CurRow(), 1);
}

TEST_F(CustomGridScrollTest, WidthsAndHeightsAreFiledOnlyWhenSetAndReadUpToTheCount)
{
    MakeGrid();
    grid->SetColCount(4);
    grid->SetColWidths(2, 30);
    AnsiString text = filing::ComponentToText(grid);
    EXPECT_NE(text.find("ColWidths = (\n    64\n    64\n    30\n    64)"), AnsiString::npos) << text;
    EXPECT_EQ(text.find("RowHeights"), AnsiString::npos);

    auto* copy = Add<TTestGrid>("Grid2", graphics::Bounds(0, 0, 100, 100));
    copy->SetColCount(4);
    filing::ReadComponentText(text, copy);
    EXPECT_TRUE(copy->HasColWidths());
    EXPECT_EQ(copy->ColWidths(2), 30);
    EXPECT_FALSE(copy->HasRowHeights());

    // A list longer than the grid sets what the grid has.
    auto* narrow = Add<TTestGrid>("Grid3", graphics::Bounds(0, 0, 100, 100));
    narrow->SetColCount(3);
    filing::ReadComponentText(text, narrow);
    EXPECT_EQ(narrow->ColWidths(2), 30);
    EXPECT_EQ(narrow->ColCount(), 3);

    // Against an ancestor with the same widths nothing is written.
    core::TMemoryStream stream;
    filing::WriteDescendent(stream, grid, copy);
    AnsiString bytes(stream.Memory(), static_cast<size_t>(stream.Size()));
    EXPECT_EQ(bytes.find("ColWidths"), AnsiString::npos);
    copy->SetColWidths(3, 10);
    core::TMemoryStream differing;
    filing::WriteDescendent(differing, grid, copy);
    AnsiString more(differing.Memory(), static_cast<size_t>(differing.Size()));
    EXPECT_NE(more.find("ColWidths"), AnsiString::npos);

    grid->SetStoreExtents(false);
    EXPECT_EQ(filing::ComponentToText(grid).find("ColWidths"), AnsiString::npos);
}

TEST_F(CustomGridScrollTest, ThePaintedLayoutAfterScrollingMatchesItsGolden)
{
    MakeGrid(200, 150);
    grid->SetColCount(6);
    grid->SetRowCount(30);
    grid->SetColWidths(2, 0);    // a column without room: only its line shows
    grid->SetColWidths(3, 30);
    grid->SetRowHeights(4, 10);
    ShowForm();
    grid->SetTopRow(3);
    grid->SetLeftCol(2);
    Pump();
    // Columns 2 to 5 end at 65 + 1 + 31 + 65 + 65 = 227 > 200; rows 3 to 7 show in full, 8 in part.
    graphics::TBitmap picture(200, 150);
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x)
            picture.ScanLine(y)[x] = Pixel(x, y);
    EXPECT_TRUE(testsupport::MatchesGolden(picture, "grid_layout_scrolled"));
}
