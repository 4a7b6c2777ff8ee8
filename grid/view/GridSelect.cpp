// The selection's grid side (RowSelected and the operations by display
// position), the current position and the events that report its moves.
#include <algorithm>

#include "grid/view/BaseGrid.h"
#include "platform/core/Format.h"

namespace grid {

// ---- Selection -----------------------------------------------------------------------

void TtsBaseGrid::SetRowSelectMode(TtsRowSelectMode value)
{
    selection_.SetRowSelectMode(value);
}

bool TtsBaseGrid::RowSelected(int dataRow) const
{
    if (dataRow < 1 || dataRow > Rows())
        GridError(core::Format("Row index %d out of range", dataRow));
    return selection_.SelectedRows().Selected(DisplayRownr(dataRow));
}

void TtsBaseGrid::SetRowSelected(int dataRow, bool value)
{
    if (dataRow < 1 || dataRow > Rows())
        GridError(core::Format("Row index %d out of range", dataRow));
    int row = DisplayRownr(dataRow);
    selection_.SelectRowsGuarded(row, row, value, false);
}

bool TtsBaseGrid::ColSelected(int dataCol) const
{
    if (dataCol < 1 || dataCol > Cols())
        GridError(core::Format("Column index %d out of range", dataCol));
    return selection_.SelectedCols().Selected(DisplayColnr(dataCol));
}

void TtsBaseGrid::SetColSelected(int dataCol, bool value)
{
    if (dataCol < 1 || dataCol > Cols())
        GridError(core::Format("Column index %d out of range", dataCol));
    int col = DisplayColnr(dataCol);
    selection_.SelectColsGuarded(col, col, value);
}

#define TS_SELECT_OP(Name)                            \
    void TtsBaseGrid::Name(int from, int to, bool byUser) \
    {                                                 \
        selection_.Name(from, to);                    \
        Invalidate();                                 \
        selection_.ReportChanges(byUser);             \
    }
TS_SELECT_OP(SelectRows)
TS_SELECT_OP(UnselectRows)
TS_SELECT_OP(ToggleRows)
TS_SELECT_OP(SelectOnlyRows)
TS_SELECT_OP(SelectCols)
TS_SELECT_OP(UnselectCols)
TS_SELECT_OP(ToggleCols)
TS_SELECT_OP(SelectOnlyCols)
#undef TS_SELECT_OP

void TtsBaseGrid::ClearSelection(bool byUser)
{
    selection_.ClearAll();
    Invalidate();
    selection_.ReportChanges(byUser);
}

void TtsBaseGrid::SelectionMoveToRow(int displayRow)
{
    SetCurrentPosition(CurCol(), displayRow);
}

void TtsBaseGrid::RepaintRows(int from, int to)
{
    if (!HandleAllocated())
        return;
    for (int row = std::max(from, TopRow()); row <= to && row < TopRow() + VisibleRowCount() + 1; ++row)
        InvalidateRow(row);
}

void TtsBaseGrid::RepaintCols(int from, int to)
{
    if (!HandleAllocated())
        return;
    for (int col = std::max(from, LeftCol()); col <= to && col < LeftCol() + VisibleColCount() + 1; ++col)
        InvalidateCol(col);
}

// ---- Current cell ----------------------------------------------------------------------

bool TtsBaseGrid::HasCurrentCell() const
{
    return !Designing() && Rows() > 0 && Cols() > 0 && curDataCol_ > 0 && curDataRow_ > 0;
}

void TtsBaseGrid::CurrentCellCheck(TtsControlType type, const Variant& value)
{
    Variant copy = value;
    TtsValueError error = CheckLoadedValue(type, copy);
    if (error != veNone)
        GridError(ValueErrorText(error));
}

Variant TtsBaseGrid::CurrentCellNormalize(TtsControlType type, const Variant& value)
{
    Variant scratch;
    TtsStoredKind kind;
    TtsValueError error;
    const Variant& typed = TypeCellValue(type, value, scratch, kind, error);
    if (error != veNone)
        GridError(ValueErrorText(error));
    return kind == skEmpty ? Variant() : kind == skBitmap ? PictureCellValue(typed) : typed;
}

void TtsBaseGrid::CurrentCellRepaint()
{
    if (HandleAllocated() && curDataCol_ > 0 && curDataRow_ > 0)
        InvalidateCell(DisplayColnr(curDataCol_), DisplayRownr(curDataRow_));
}

void TtsBaseGrid::SetCurrentPosition(int displayCol, int displayRow)
{
    if (displayCol != CurCol() || displayRow != CurRow())
        MoveCurrent(displayCol, displayRow, true, true);
    ReportCurrentMove();
}

void TtsBaseGrid::MakeCellCurrent(int dataCol, int dataRow)
{
    int col = DisplayColnr(dataCol);
    int row = DisplayRownr(dataRow);
    if (dataCol < 1 || col < 1)
        col = CurCol();
    if (dataRow < 1 || row < 1)
        row = CurRow();
    SetCurrentPosition(col, row);
}

void TtsBaseGrid::ReportCurrentMove()
{
    curDataCol_ = Cols() > 0 && CurCol() >= 1 ? DataColnr(CurCol()) : -1;
    curDataRow_ = Rows() > 0 && CurRow() >= 1 ? DataRownr(CurRow()) : -1;
    bool loading = Loading();
    int oldCol = reportedCol_, oldRow = reportedRow_;
    bool changed = false;
    if (curDataCol_ != reportedCol_) {
        reportedCol_ = curDataCol_;
        changed = true;
        if (!loading && gridMode_ != gmListBox)
            DoColChanged(oldCol, curDataCol_);
    }
    if (curDataRow_ != reportedRow_) {
        reportedRow_ = curDataRow_;
        changed = true;
        if (!loading)
            DoRowChanged(Variant(int32_t{oldRow}), Variant(int32_t{curDataRow_}));
    }
    if (changed && !loading)
        DoCellChanged(oldCol, curDataCol_, Variant(int32_t{oldRow}), Variant(int32_t{curDataRow_}));
}

void TtsBaseGrid::PlaceCurrentCell()
{
    // The column: the current one while it is still there and visible, else
    // the nearest visible one after it, else before it.
    auto place = [this](int wanted, int count, bool rows) {
        if (count < 1)
            return -1;
        wanted = std::clamp(wanted, 1, count);
        auto hidden = [&](int pos) { return (rows ? FirstHiddenRow(pos, pos) : FirstHiddenCol(pos, pos)) >= 0; };
        for (int pos = wanted; pos <= count; ++pos)
            if (!hidden(pos))
                return pos;
        for (int pos = wanted - 1; pos >= 1; --pos)
            if (!hidden(pos))
                return pos;
        return -1;
    };
    int wantedCol = curDataCol_ > 0 ? DisplayColnr(curDataCol_) : CurCol();
    int wantedRow = curDataRow_ > 0 ? DisplayRownr(curDataRow_) : CurRow();
    int col = place(wantedCol, Cols(), false);
    int row = place(wantedRow, Rows(), true);
    if (col > 0 && row > 0 && (col != CurCol() || row != CurRow()))
        MoveCurrent(col, row, true, false);
    ReportCurrentMove();
}

void TtsBaseGrid::TopLeftChanged()
{
    TCustomGrid_ts::TopLeftChanged();
    ReportTopLeft(true);
}

void TtsBaseGrid::ReportTopLeft(bool byUser)
{
    TGridCoord now{LeftCol(), TopRow()};
    if (now == reportedTopLeft_)
        return;
    TGridCoord old = reportedTopLeft_;
    // Remembered first, so that a raising handler is not called again for
    // the same change.
    reportedTopLeft_ = now;
    if (!Loading())
        DoTopLeftChanged(old.X, old.Y, now.X, now.Y, byUser);
}

}  // namespace grid
