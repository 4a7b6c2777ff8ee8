// What the column and row model asks of its grid.
#include "grid/view/BaseGrid.h"
#include "grid/view/CustomGrid.h"
#include "platform/graphics/Font.h"

namespace grid {

const graphics::TFont& TtsBaseGrid::GridFont() const
{
    return *Font();
}

// NOTE: the heading font is the grid's font until headings get their own.
const graphics::TFont& TtsBaseGrid::GridHeadingFont() const
{
    return *Font();
}

void TtsBaseGrid::InvalidateDataCol(int dataCol)
{
    if (HandleAllocated() && !PaintSuspended())
        InvalidateCol(DisplayColnr(dataCol));
}

void TtsBaseGrid::InvalidateDataRow(int dataRow)
{
    if (HandleAllocated() && !PaintSuspended())
        InvalidateRow(DisplayRownr(dataRow));
}

void TtsBaseGrid::InvalidateRowBar(int dataRow)
{
    if (HandleAllocated() && !PaintSuspended())
        InvalidateCell(0, DisplayRownr(dataRow));
}

void TtsBaseGrid::ColWidthsChanged()
{
    TCustomGrid_ts::ColWidthsChanged();
    if (colList_)
        colList_->LayoutWidthsChanged();
}

void TtsBaseGrid::RowHeightsChanged()
{
    TCustomGrid_ts::RowHeightsChanged();
    if (rowList_)
        rowList_->LayoutHeightsChanged();
}

bool TtsBaseGrid::HideEditor()
{
    bool shown = EditorMode();
    TCustomGrid_ts::HideEditor();
    return shown;
}

void TtsBaseGrid::CurrentColMoved(int displayCol)
{
    if (CurRow() >= 0 && displayCol != CurCol())
        MoveCurrent(displayCol, CurRow(), true, false);
    ReportCurrentMove();
}

void TtsBaseGrid::CurrentRowMoved(int displayRow)
{
    if (CurCol() >= 0 && displayRow != CurRow())
        MoveCurrent(CurCol(), displayRow, true, false);
    ReportCurrentMove();
}

void TtsBaseGrid::LeaveCurrentCol()
{
    PlaceCurrentCell();
}

void TtsBaseGrid::LeaveCurrentRow()
{
    PlaceCurrentCell();
}

void TtsBaseGrid::UnselectCol(int dataCol)
{
    int col = DisplayColnr(dataCol);
    selection_.UnselectCols(col, col);
}

void TtsBaseGrid::UnselectRow(int dataRow)
{
    int row = DisplayRownr(dataRow);
    selection_.UnselectRows(row, row);
}

void TtsBaseGrid::ValidateCheckBoxValues(const core::AnsiString& value)
{
    if (!CheckBoxValuesValid(value))
        GridError(kCheckBoxValuesText);
}

void TtsBaseGrid::RemoveRowSettings(int dataRow)
{
    cellSettings_->DeleteRow(dataRow);
    rowList_->RemoveRow(dataRow);
}

void TtsBaseGrid::RemoveColSettings(int dataCol)
{
    cellSettings_->DeleteCol(dataCol);
    colList_->RemoveCol(dataCol);
}

namespace {

// The first position of from..to missing from the visible list, or -1. The
// entries are ascending distinct positions, so entry i + k equals from + k
// exactly up to the first hidden position: a binary search finds it.
int FirstHidden(const TtsVisibleItems& visible, int from, int to)
{
    if (!visible.Materialized() || from > to)
        return -1;
    bool found = false;
    int index = visible.Find(from, found);
    int lo = 0, hi = to - from + 1;
    while (lo < hi) {
        int mid = lo + (hi - lo) / 2;
        if (index + mid <= visible.Count() && visible.Get(index + mid) == from + mid)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo <= to - from ? from + lo : -1;
}

}  // namespace

int TtsBaseGrid::FirstHiddenRow(int from, int to) const
{
    return FirstHidden(rowList_->VisibleRows(), from, to);
}

int TtsBaseGrid::FirstHiddenCol(int from, int to) const
{
    return FirstHidden(colList_->VisibleCols(), from, to);
}

}  // namespace grid
