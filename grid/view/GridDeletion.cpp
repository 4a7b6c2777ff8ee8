// Deleting data rows and columns. Each one leaves alone, from the highest
// down: its selection bit, settings, stored values and (rows) its changed
// mark go, the later ones move down by one data number, and the pending
// counter grows so that Rows and Cols already tell the new count to the
// OnDeleteRow and OnDeleteCol handlers. The count is settled at the end
// (its event raised), also when a handler raises.
#include <algorithm>

#include "grid/view/BaseGrid.h"

namespace grid {

void TtsBaseGrid::RemoveRow(int dataRow)
{
    if (HandleAllocated())
        InvalidateGrid();
    // The row list unselects the row and closes its display gap.
    RemoveRowSettings(dataRow);
    if (store_)
        store_->DeleteRows(dataRow, dataRow);
    // The current cell follows its row; it is reset with its own row.
    if (curDataRow_ == dataRow) {
        curDataRow_ = -1;
        currentCell_.ClearPending();
    } else if (curDataRow_ > dataRow) {
        --curDataRow_;
        if (currentCell_.PendingRow() > dataRow)
            currentCell_.SetPendingRow(currentCell_.PendingRow() - 1);
    }
    if (reportedRow_ > dataRow)
        --reportedRow_;
    ++rowsPending_;
}

void TtsBaseGrid::RemoveCol(int dataCol)
{
    if (HandleAllocated())
        InvalidateGrid();
    RemoveColSettings(dataCol);
    if (store_)
        store_->DeleteCols(dataCol, dataCol);
    if (curDataCol_ == dataCol) {
        curDataCol_ = -1;
        currentCell_.ClearPending();
    } else if (curDataCol_ > dataCol) {
        --curDataCol_;
    }
    if (reportedCol_ > dataCol)
        --reportedCol_;
    ++colsPending_;
}

void TtsBaseGrid::SettleRowRemovals()
{
    int old = rows_;
    rows_ -= rowsPending_;
    rowsPending_ = 0;
    ApplyCounts(cols_, rows_);
    selection_.SetRowSize(RowCount());
    UpdateStoreHints();
    PlaceCurrentCell();
    if (old != rows_ && !Loading())
        DoRowCountChanged(old, rows_);
}

void TtsBaseGrid::SettleColRemovals()
{
    int old = cols_;
    cols_ -= colsPending_;
    colsPending_ = 0;
    ApplyCounts(cols_, rows_);
    selection_.SetColSize(ColCount());
    UpdateStoreHints();
    PlaceCurrentCell();
    if (old != cols_ && !Loading())
        DoColCountChanged(old, cols_);
}

namespace {

// Runs `removeAll`, then `settle`, which also runs (without letting its own
// error hide the first) when `removeAll` raises.
template <typename Remove, typename Settle>
void RemoveThenSettle(Remove&& removeAll, Settle&& settle)
{
    try {
        removeAll();
    } catch (...) {
        try {
            settle();
        } catch (...) {
        }
        throw;
    }
    settle();
}

}  // namespace

// Rows and columns take the same steps; `rows` picks the axis.
void TtsBaseGrid::RemoveAndReport(bool rows, int number)
{
    if (rows) {
        RemoveRow(number);
        if (!Loading())
            DoDeleteRow(Variant(int32_t{number}), false);
    } else {
        RemoveCol(number);
        if (!Loading())
            DoDeleteCol(number, false);
    }
}

void TtsBaseGrid::DeleteRange(bool rows, int from, int to)
{
    int count = rows ? Rows() : Cols();
    if (from > count || to < 1)
        return;
    from = std::max(from, 1);
    to = std::min(to, count);
    if (from > to)
        return;
    int current = rows ? curDataRow_ : curDataCol_;
    if (current >= from && current <= to && !EndEdit())
        return;
    HideEditor();
    PaintLock lock(*this);
    RemoveThenSettle(
        [&] {
            for (int number = to; number >= from; --number)
                RemoveAndReport(rows, number);
        },
        [&] { rows ? SettleRowRemovals() : SettleColRemovals(); });
    selection_.ReportChanges(false);
}

void TtsBaseGrid::DeleteSelected(bool rows)
{
    const TtsSelection& selected = rows ? selection_.SelectedRows() : selection_.SelectedCols();
    if (selected.SelectedCount() == 0)
        return;
    int current = rows ? (curDataRow_ > 0 ? DisplayRownr(curDataRow_) : -1)
                       : (curDataCol_ > 0 ? DisplayColnr(curDataCol_) : -1);
    if (selected.Selected(current) && !EndEdit())
        return;
    HideEditor();
    PaintLock lock(*this);
    RemoveThenSettle(
        [&] {
            // From the last selected position to the first: the positions
            // still to come stay where they are. The new-row line past the
            // last data row is no data row.
            for (int pos = selected.Last(); pos >= 1; pos = selected.PrevSelected(pos)) {
                int number = rows ? DataRownr(pos) : DataColnr(pos);
                if (pos > (rows ? Rows() : Cols()) || number < 1)
                    continue;
                RemoveAndReport(rows, number);
            }
        },
        [&] { rows ? SettleRowRemovals() : SettleColRemovals(); });
    selection_.ReportChanges(false);
}

void TtsBaseGrid::DeleteRows(int fromRow, int toRow)
{
    DeleteRange(true, fromRow, toRow);
}

void TtsBaseGrid::DeleteCols(int fromCol, int toCol)
{
    DeleteRange(false, fromCol, toCol);
}

void TtsBaseGrid::DeleteSelectedRows()
{
    DeleteSelected(true);
}

void TtsBaseGrid::DeleteSelectedCols()
{
    DeleteSelected(false);
}

}  // namespace grid
