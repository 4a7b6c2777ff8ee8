#pragma once

// A concrete grid over the layout base for tests: each cell paints itself
// in a colour made of its column and row, and every hook is counted or can
// be scripted.

#include <functional>
#include <vector>

#include "grid/foundation/CustomGrid_ts.h"
#include "tests/support/HeadlessFixture.h"

class TTestGrid : public grid::TCustomGrid_ts {
public:
    using grid::TCustomGrid_ts::TCustomGrid_ts;
    using grid::TCustomGrid_ts::ResizeGrid;
    using grid::TCustomGrid_ts::SizingStateAt;

    static graphics::TColor CellColor(int col, int row)
    {
        return static_cast<graphics::TColor>(((row * 37) & 0xFF) | (((col * 53) & 0xFF) << 8) | 0x400000);
    }

    std::function<bool(int, int)> selectCell;
    std::function<void(int, int)> sizeChanged;
    std::function<bool(int, int&, bool)> columnDrag;
    int sizeChangedCalls = 0;
    int colWidthsChanged = 0;
    int topLeftChanged = 0;
    int designModified = 0;
    std::vector<std::pair<int, int>> columnMoves;
    std::vector<std::pair<int, int>> rowMoves;

protected:
    void DrawCell(int col, int row, const graphics::TRect& rect, grid::TGridDrawState_ts) override
    {
        Canvas()->Brush()->SetColor(CellColor(col, row));
        Canvas()->FillRect(rect);
    }
    bool SelectCell(int col, int row) override { return selectCell ? selectCell(col, row) : true; }
    void SizeChanged(int oldCols, int oldRows) override
    {
        ++sizeChangedCalls;
        if (sizeChanged)
            sizeChanged(oldCols, oldRows);
    }
    void ColWidthsChanged() override
    {
        ++colWidthsChanged;
        grid::TCustomGrid_ts::ColWidthsChanged();
    }
    void TopLeftChanged() override
    {
        ++topLeftChanged;
        grid::TCustomGrid_ts::TopLeftChanged();
    }
    void ColumnMoved(int from, int to) override { columnMoves.emplace_back(from, to); }
    void RowMoved(int from, int to) override { rowMoves.emplace_back(from, to); }
    bool CheckColumnDrag(int from, int& to, bool final) override
    {
        return columnDrag ? columnDrag(from, to, final) : true;
    }
    void DesignModified() override { ++designModified; }
};

// A form with one grid of the given client size, without border or scroll
// bars so that client coordinates are the grid's pixels.
class GridFixture : public HeadlessFixture {
protected:
    TTestGrid* MakeGrid(int width = 200, int height = 150)
    {
        grid = Add<TTestGrid>("Grid1", graphics::Bounds(10, 10, width, height));
        grid->SetBorderStyle(ui::bsNone);
        grid->SetBaseScrollBars(ui::ssNone);
        return grid;
    }
    // The pixel the grid shows at a client point now (before painting too).
    graphics::TPixel Pixel(int x, int y)
    {
        ui::TDrawTarget t = grid->Handle()->ClientTarget();
        return t.Surface.At(t.Origin.X + x, t.Origin.Y + y);
    }
    // Every pixel of the grid's client area, row by row.
    std::vector<graphics::TPixel> Pixels()
    {
        std::vector<graphics::TPixel> all;
        for (int y = 0; y < grid->ClientHeight(); ++y)
            for (int x = 0; x < grid->ClientWidth(); ++x)
                all.push_back(Pixel(x, y));
        return all;
    }
    // The same pixels after the whole grid is painted anew.
    std::vector<graphics::TPixel> RepaintedPixels()
    {
        grid->Invalidate();
        Pump();
        return Pixels();
    }
    graphics::TRegion Invalid() { return grid->Handle()->UpdateRegion(); }

    TTestGrid* grid = nullptr;
};
