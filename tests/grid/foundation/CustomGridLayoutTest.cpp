#include "tests/grid/foundation/CustomGridTestSupport.h"

using graphics::Rect;
using graphics::TRect;
using graphics::TRegion;
using grid::EInvalidGridOperation;
using grid::TGridCoord;
using grid::TGridRect;

namespace {

class CustomGridLayoutTest : public GridFixture {};

// Runs `action` and returns the message of the EInvalidGridOperation it
// raises (empty when none).
template <typename F>
std::string ErrorOf(F action)
{
    try {
        action();
    } catch (const EInvalidGridOperation& e) {
        return e.Message();
    }
    return {};
}

}  // namespace

TEST_F(CustomGridLayoutTest, TheClientWidthExampleLaysOutAndHitsAsDescribed)
{
    MakeGrid(200, 150);
    ShowForm();
    // 64-pixel columns, one-pixel vertical lines, one fixed column, LeftCol 1.
    grid::TGridMetrics m = grid->CalcMetrics();
    EXPECT_EQ(m.Horz.EffLineWidth, 1);
    EXPECT_EQ(m.Horz.FixedEnd, 65);
    EXPECT_EQ(m.Horz.LastFullCell, 2);
    EXPECT_EQ(m.Horz.FullVisibleEnd, 195);
    EXPECT_EQ(m.Horz.GridEnd, 200);
    EXPECT_EQ(grid->CellAt(199, 30).X, 3);
    EXPECT_EQ(grid->CellAt(64, 30).X, 0);  // the fixed column's line
    EXPECT_EQ(grid->CellAt(65, 30).X, 1);
    EXPECT_EQ(grid->CellAt(194, 30).X, 2);
    EXPECT_EQ(grid->CellAt(195, 30).X, 3);
    // Rows: 24 high with their lines; 150 pixels show rows 1 to 5 in full.
    EXPECT_EQ(m.Vert.FixedEnd, 25);
    EXPECT_EQ(m.Vert.LastFullCell, 4);  // only five rows exist
    EXPECT_EQ(m.Vert.GridEnd, 125);
    EXPECT_EQ(grid->CellAt(10, 130), (TGridCoord{-1, -1}));  // below the last row
    EXPECT_EQ(grid->CellRect(3, 1), Rect(195, 25, 200, 49));
    EXPECT_EQ(grid->VisibleColCount(), 2);
}

TEST_F(CustomGridLayoutTest, LayoutFollowsLineOptionsExtentsAndTheTopLeft)
{
    struct Case {
        uint16_t options;
        int leftCol;
        int width1;  // width of column 1 (-1: default)
        int fixedEnd, lastFull, gridEnd, fullEnd;
    };
    const Case cases[] = {
        {0x001F, 1, -1, 65, 2, 200, 195},
        {0x0000, 1, -1, 64, 2, 200, 192},  // no lines: 64 + 3 * 64 = 256 > 200
        {0x0001, 1, -1, 65, 2, 200, 195},  // one line bit of the axis is enough
        {0x000A, 1, -1, 64, 2, 200, 192},  // the horizontal bits leave columns alone
        {0x001F, 3, -1, 65, 4, 195, 195},  // the grid ends inside the window
        {0x001F, 1, 0, 65, 3, 200, 196},   // a column of width 0 keeps its line
        {0x001F, 1, 200, 65, 1, 200, 65},  // the first cell does not fit: it stays LastFullCell
    };
    MakeGrid(200, 150);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "options " << c.options << " left " << c.leftCol << " w " << c.width1);
        grid->SetDefaultColWidth(64);
        grid->SetOptions(c.options);
        grid->SetLeftCol(c.leftCol);
        if (c.width1 >= 0)
            grid->SetColWidths(1, c.width1);
        grid::TGridAxisMetrics h = grid->CalcMetrics().Horz;
        EXPECT_EQ(h.FixedEnd, c.fixedEnd);
        EXPECT_EQ(h.LastFullCell, c.lastFull);
        EXPECT_EQ(h.GridEnd, c.gridEnd);
        EXPECT_EQ(h.FullVisibleEnd, c.fullEnd);
    }
}

TEST_F(CustomGridLayoutTest, WidthArraysAreMadeOnFirstSetAndDiscardedByTheDefault)
{
    MakeGrid();
    EXPECT_FALSE(grid->HasColWidths());
    EXPECT_EQ(grid->ColWidths(2), 64);
    grid->SetColWidths(2, 30);
    EXPECT_TRUE(grid->HasColWidths());
    EXPECT_EQ(grid->colWidthsChanged, 1);
    for (int i = 0; i < grid->ColCount(); ++i)
        EXPECT_EQ(grid->ColWidths(i), i == 2 ? 30 : 64) << i;
    grid->SetColWidths(2, 30);  // unchanged: no notice
    EXPECT_EQ(grid->colWidthsChanged, 1);
    // Reads outside the grid give the default, on both sides.
    EXPECT_EQ(grid->ColWidths(-1), 64);
    EXPECT_EQ(grid->ColWidths(5), 64);
    EXPECT_EQ(grid->RowHeights(-3), 24);
    grid->SetDefaultColWidth(50);
    EXPECT_FALSE(grid->HasColWidths());
    EXPECT_EQ(grid->ColWidths(2), 50);
    EXPECT_EQ(grid->colWidthsChanged, 2);
    // Heights alike; a grid of ten million rows keeps one run for them.
    grid->SetRowCount(10000000);
    grid->SetRowHeights(9999999, 40);
    EXPECT_EQ(grid->RowHeights(9999999), 40);
    EXPECT_EQ(grid->RowHeights(9999998), 24);
    EXPECT_EQ(grid->RowExtents().RunCount(), 2);
}

TEST_F(CustomGridLayoutTest, SettersRefuseBadIndexesAndCountsAndChangeNothing)
{
    MakeGrid();
    EXPECT_EQ(ErrorOf([&] { grid->SetColWidths(5, 10); }), "Grid index out of range");
    EXPECT_EQ(ErrorOf([&] { grid->SetColWidths(-1, 10); }), "Grid index out of range");
    EXPECT_EQ(ErrorOf([&] { grid->SetRowHeights(-1, 10); }), "Grid index out of range");
    EXPECT_FALSE(grid->HasColWidths());
    EXPECT_FALSE(grid->HasRowHeights());
    EXPECT_EQ(ErrorOf([&] { grid->SetFixedCols(5); }), "Fixed column count must be less than column count");
    EXPECT_EQ(ErrorOf([&] { grid->SetFixedRows(7); }), "Fixed row count must be less than row count");
    EXPECT_EQ(ErrorOf([&] { grid->SetFixedCols(-1); }), "Grid index out of range");
    EXPECT_EQ(grid->FixedCols(), 1);
    EXPECT_EQ(grid->FixedRows(), 1);
    EXPECT_EQ(ErrorOf([&] { grid->MoveCurrent(5, 1, true, true); }), "Grid index out of range");
    EXPECT_EQ(ErrorOf([&] { grid->MoveCurrent(1, -1, true, true); }), "Grid index out of range");
    EXPECT_EQ(ErrorOf([&] { grid->MoveColumn(0, 5); }), "Grid index out of range");
    // An array cannot hold more than 134,217,725 entries.
    grid->SetRowCount(grid::TCustomGrid_ts::MaxExtentCount + 1);
    EXPECT_EQ(ErrorOf([&] { grid->SetRowHeights(3, 10); }), "Grid too large for operation");
    EXPECT_FALSE(grid->HasRowHeights());
    grid->SetRowCount(100);
    grid->SetRowHeights(3, 10);
    EXPECT_EQ(ErrorOf([&] { grid->SetRowCount(grid::TCustomGrid_ts::MaxExtentCount + 1); }),
              "Grid too large for operation");
    EXPECT_EQ(grid->RowCount(), 100);
    EXPECT_EQ(ErrorOf([&] { grid->ResizeGrid(-1, 5); }), "Too many rows or columns deleted");
}

TEST_F(CustomGridLayoutTest, CountChangesLowerTheFixedCountsAndResetTheCells)
{
    MakeGrid();
    grid->MoveCurrent(3, 3, true, false);
    grid->SetColCount(1);  // one fixed column: it becomes 0 first
    EXPECT_EQ(grid->FixedCols(), 0);
    EXPECT_EQ(grid->ColCount(), 1);
    EXPECT_EQ(grid->CurCol(), 0);
    grid->SetColCount(0);  // taken as 1
    EXPECT_EQ(grid->ColCount(), 1);
    grid->SetColCount(6);
    grid->SetFixedCols(2);
    EXPECT_EQ(grid->LeftCol(), 2);
    EXPECT_EQ(grid->CurCol(), 2);
    EXPECT_EQ(grid->AnchorCol(), 2);
    EXPECT_EQ(grid->CurRow(), 1);
}

TEST_F(CustomGridLayoutTest, MoveCurrentRefusedBySelectCellChangesNothing)
{
    MakeGrid();
    ShowForm();
    grid->selectCell = [](int, int row) { return row != 2; };
    grid->MoveCurrent(2, 2, true, true);
    EXPECT_EQ(grid->CurCol(), 1);
    EXPECT_EQ(grid->CurRow(), 1);
    EXPECT_TRUE(Invalid().IsEmpty());
    grid->MoveCurrent(2, 3, true, true);
    EXPECT_EQ((TGridCoord{grid->CurCol(), grid->CurRow()}), (TGridCoord{2, 3}));
    // Old and new cells are repainted, nothing else.
    TRegion expected(grid->RangeRect({1, 1, 1, 1}, true));
    expected.Union(grid->RangeRect({2, 3, 2, 3}, true));
    EXPECT_EQ(Invalid(), expected);
}

TEST_F(CustomGridLayoutTest, TheSelectionSpansCurrentAndAnchorAndRepaintsOnlyWhatChanged)
{
    MakeGrid();
    ShowForm();
    grid->MoveCurrent(1, 1, true, false);
    Pump();
    grid->MoveAnchor(2, 3);  // RangeSelect is on by default
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 2, 3}));
    TRegion expected(grid->RangeRect({1, 1, 2, 3}, true));
    expected.Subtract(grid->RangeRect({1, 1, 1, 1}, true));
    EXPECT_EQ(Invalid(), expected);
    // Without RangeSelect the anchor moves with the current cell.
    grid->SetOptions(0x000F);
    grid->MoveAnchor(3, 2);
    EXPECT_EQ(grid->Selection(), (TGridRect{3, 2, 3, 2}));
    // Whole rows: the anchor column is the last, the current the first scrolled.
    grid->SetOptions(0x000F | grid::goRowSelect);
    grid->MoveCurrent(3, 4, true, false);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 4, 4, 4}));
}

TEST_F(CustomGridLayoutTest, MovingAColumnCarriesTheCurrentColumnWidthsAndTabStops)
{
    struct Case {
        int from, to, current, expected;
    };
    const Case cases[] = {
        {1, 3, 2, 1}, {1, 3, 1, 3}, {1, 3, 3, 2}, {1, 3, 4, 4}, {3, 1, 1, 2}, {3, 1, 3, 1}, {3, 1, 0, 0},
    };
    MakeGrid();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to << " current " << c.current);
        grid->SetFixedCols(0);
        grid->MoveCurrent(c.current, 2, true, false);
        grid->MoveColumn(c.from, c.to);
        EXPECT_EQ(grid->CurCol(), c.expected);
        EXPECT_EQ(grid->AnchorCol(), c.expected);
        EXPECT_EQ(grid->columnMoves.back(), (std::pair<int, int>{c.from, c.to}));
    }
    grid->SetDefaultColWidth(64);
    grid->SetColWidths(1, 11);
    grid->SetTabStops(1, false);
    grid->MoveColumn(1, 4);
    EXPECT_EQ(grid->ColWidths(4), 11);
    EXPECT_EQ(grid->ColWidths(1), 64);
    EXPECT_FALSE(grid->TabStops(4));
    EXPECT_TRUE(grid->TabStops(1));
    grid->SetRowHeights(2, 7);
    grid->MoveRow(2, 0);
    EXPECT_EQ(grid->RowHeights(0), 7);
    EXPECT_EQ(grid->rowMoves.back(), (std::pair<int, int>{2, 0}));
    // Deleting a column moves it to the end and drops it.
    grid->DeleteCol(4);
    EXPECT_EQ(grid->ColCount(), 4);
    EXPECT_EQ(grid->ColWidths(1), 64);
    EXPECT_EQ(grid->ColExtents().Count(), 4);
}

TEST_F(CustomGridLayoutTest, FixedCellsNeverBecomeTheTopLeft)
{
    MakeGrid(200, 150);
    grid->SetColCount(20);
    grid->SetRowCount(100);
    ShowForm();
    grid->SetLeftCol(5);
    grid->SetTopRow(40);
    // A fixed coordinate is always in view: its axis stays where it was.
    grid->MoveCurrent(0, 2, true, true);
    EXPECT_EQ(grid->LeftCol(), 5);
    EXPECT_EQ(grid->TopRow(), 2);
    grid->MoveCurrent(7, 0, true, true);
    EXPECT_EQ(grid->TopRow(), 2);
    EXPECT_EQ(grid->CurRow(), 0);
    // The setters keep the top-left among the cells that exist.
    grid->SetLeftCol(0);
    EXPECT_EQ(grid->LeftCol(), 1);
    grid->SetTopRow(-7);
    EXPECT_EQ(grid->TopRow(), 1);
    grid->SetTopRow(1000);
    EXPECT_EQ(grid->TopRow(), 99);
    EXPECT_EQ(grid->CellAt(100, 30), (TGridCoord{1, 99}));
}

TEST_F(CustomGridLayoutTest, ScrollingACellIntoViewMakesItFullyVisible)
{
    MakeGrid(200, 150);
    grid->SetColCount(20);
    grid->SetRowCount(1000);
    ShowForm();
    grid->MoveCurrent(10, 500, true, true);
    grid::TGridMetrics m = grid->CalcMetrics();
    EXPECT_EQ(m.Vert.LastFullCell, 500);
    EXPECT_EQ(grid->TopRow(), 496);  // rows 496 to 500 fill the 125 pixels below the heading
    EXPECT_EQ(m.Horz.LastFullCell, 10);
    EXPECT_EQ(grid->LeftCol(), 9);
    // Backwards: the cell becomes the top-left.
    grid->MoveCurrent(3, 20, true, true);
    EXPECT_EQ(grid->TopRow(), 20);
    EXPECT_EQ(grid->LeftCol(), 3);
}

TEST_F(CustomGridLayoutTest, TheLargestUsefulTopLeftSkipsCellsWithoutRoom)
{
    MakeGrid(200, 150);
    grid->SetRowCount(12);
    struct Case {
        std::vector<std::pair<int, int>> heights;
        int last, expected;
    };
    // 125 pixels below the heading hold five rows of 24 + 1.
    const Case cases[] = {
        {{}, 11, 7},
        {{}, 3, 1},
        {{{9, 0}, {10, 0}}, 11, 5},   // rows without height take no room
        {{{6, 0}}, 11, 7},            // ...and do not become the answer
        {{{7, 0}}, 11, 6},
        {{{11, 200}}, 11, 11},        // a row taller than the window
        {{{11, 0}, {10, 200}}, 11, 10},  // the last has no room, the next too much
        {{{11, 0}}, 11, 6},
    };
    for (const Case& c : cases) {
        grid->SetDefaultRowHeight(24);
        for (auto [row, h] : c.heights)
            grid->SetRowHeights(row, h);
        TGridCoord best = grid->MaxTopLeftFor({1, c.last}, grid->CalcMetrics());
        EXPECT_EQ(best.Y, c.expected) << "case ending " << c.last << " with " << c.heights.size() << " heights";
    }
}

TEST_F(CustomGridLayoutTest, RangeRectanglesClipToWhatIsOnScreen)
{
    MakeGrid(200, 150);
    grid->SetColCount(20);
    grid->SetRowCount(100);
    ShowForm();
    grid->SetTopRow(10);
    struct Case {
        TGridRect range;
        bool includeLine;
        TRect expected;
    };
    const Case cases[] = {
        {{1, 10, 1, 10}, false, Rect(65, 25, 129, 49)},
        {{1, 10, 1, 10}, true, Rect(65, 25, 130, 50)},
        {{0, 0, 0, 0}, false, Rect(0, 0, 64, 24)},
        {{1, 3, 1, 5}, false, {}},                       // scrolled away
        {{1, 3, 1, 11}, false, Rect(65, 25, 129, 74)},   // its visible part
        {{1, 0, 1, 5}, false, Rect(65, 0, 129, 24)},     // the heading part
        {{1, 12, 1, 99}, false, Rect(65, 75, 129, 150)}, // cut at the cell after LastFullCell
        {{1, 30, 1, 40}, false, {}},                     // after that cell
        {{2, 10, 1, 10}, false, {}},                     // reversed
        {{3, 10, 19, 10}, false, Rect(195, 25, 200, 49)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.range.Left << "," << c.range.Top << "-" << c.range.Right << ","
                                        << c.range.Bottom);
        EXPECT_EQ(grid->RangeRect(c.range, c.includeLine), c.expected);
    }
}

TEST_F(CustomGridLayoutTest, RightToLeftMirrorsRectanglesAndHitsAgreeWithThemToThePixel)
{
    MakeGrid(200, 150);
    grid->SetBiDiMode(ui::bdRightToLeft);
    ShowForm();
    EXPECT_EQ(grid->CellRect(0, 0), Rect(136, 0, 200, 24));
    EXPECT_EQ(grid->CellRect(1, 1), Rect(71, 25, 135, 49));
    EXPECT_EQ(grid->CellRect(3, 1), Rect(0, 25, 5, 49));
    for (int col = 0; col < 4; ++col) {
        TRect r = grid->CellRect(col, 1);
        EXPECT_EQ(grid->CellAt(r.Left, 30).X, col);
        EXPECT_EQ(grid->CellAt(r.Right - 1, 30).X, col);
    }
    // The painted pixels follow the mirrored rectangles.
    Pump();
    EXPECT_EQ(graphics::PixelToRgb(Pixel(199, 10)) & 0xFFFFFF, TTestGrid::CellColor(0, 0));
    EXPECT_EQ(graphics::PixelToRgb(Pixel(100, 30)) & 0xFFFFFF, TTestGrid::CellColor(1, 1));
}

TEST_F(CustomGridLayoutTest, DialogCodesAskForArrowsAndByOptionForTabAndCharacters)
{
    MakeGrid();
    struct Case {
        uint16_t options;
        ui::LRESULT expected;
    };
    const Case cases[] = {
        {0, ui::DLGC_WANTARROWS},
        {grid::goTabKeys, ui::DLGC_WANTARROWS | ui::DLGC_WANTTAB},
        {grid::goEditing, ui::DLGC_WANTARROWS | ui::DLGC_WANTCHARS},
        {grid::goEditing | grid::goTabKeys | grid::goRowSelect, ui::DLGC_WANTARROWS},
    };
    for (const Case& c : cases) {
        grid->SetOptions(c.options);
        EXPECT_EQ(grid->Perform(ui::WM_GETDLGCODE), c.expected) << c.options;
    }
}
