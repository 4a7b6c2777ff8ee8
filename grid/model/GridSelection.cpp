#include "grid/model/GridSelection.h"

#include <algorithm>

namespace grid {

template <typename F>
void TtsGridSelection::ForVisibleRuns(bool rows, int from, int to, F&& change)
{
    int start = from;
    while (start <= to) {
        int hidden = rows ? host_.NextHiddenRow(start, to) : host_.NextHiddenCol(start, to);
        int end = hidden < 0 ? to : hidden - 1;
        if (end >= start)
            change(start, end);
        if (hidden < 0)
            break;
        start = hidden + 1;
    }
}

void TtsGridSelection::SettleStatus()
{
    bool lost = (status_ == gstRowsSelected && rows_.SelectedCount() == 0) ||
                (status_ == gstColsSelected && cols_.SelectedCount() == 0);
    if (!lost)
        return;
    if (rows_.SelectedCount() > 0)
        status_ = gstRowsSelected;
    else if (cols_.SelectedCount() > 0)
        status_ = gstColsSelected;
    else
        status_ = gstNone;
}

void TtsGridSelection::SetRows(int from, int to, bool value)
{
    ForVisibleRuns(true, from, to, [&](int a, int b) {
        if (rows_.SetSelected(a, b, value) > 0)
            pending_[stRowSelect] = true;
    });
    if (value && rows_.SelectedCount() > 0 && status_ == gstNone)
        status_ = gstRowsSelected;
    SettleStatus();
}

void TtsGridSelection::SetCols(int from, int to, bool value)
{
    ForVisibleRuns(false, from, to, [&](int a, int b) {
        if (cols_.SetSelected(a, b, value) > 0)
            pending_[stColSelect] = true;
    });
    if (value && cols_.SelectedCount() > 0 && status_ == gstNone)
        status_ = gstColsSelected;
    SettleStatus();
}

void TtsGridSelection::SelectRows(int from, int to) { SetRows(from, to, true); }
void TtsGridSelection::UnselectRows(int from, int to) { SetRows(from, to, false); }
void TtsGridSelection::SelectCols(int from, int to) { SetCols(from, to, true); }
void TtsGridSelection::UnselectCols(int from, int to) { SetCols(from, to, false); }

void TtsGridSelection::ToggleRows(int from, int to)
{
    ForVisibleRuns(true, std::max(from, 1), std::min(to, rows_.Size() - 1), [&](int a, int b) {
        rows_.Toggle(a, b);
        pending_[stRowSelect] = true;
    });
    if (rows_.SelectedCount() > 0 && status_ == gstNone)
        status_ = gstRowsSelected;
    SettleStatus();
}

void TtsGridSelection::ToggleCols(int from, int to)
{
    ForVisibleRuns(false, std::max(from, 1), std::min(to, cols_.Size() - 1), [&](int a, int b) {
        cols_.Toggle(a, b);
        pending_[stColSelect] = true;
    });
    if (cols_.SelectedCount() > 0 && status_ == gstNone)
        status_ = gstColsSelected;
    SettleStatus();
}

void TtsGridSelection::SelectOnlyRows(int from, int to)
{
    if (rows_.SelectedCount() > 0)
        SetRows(rows_.First(), rows_.Last(), false);
    SetRows(from, to, true);
}

void TtsGridSelection::SelectOnlyCols(int from, int to)
{
    if (cols_.SelectedCount() > 0)
        SetCols(cols_.First(), cols_.Last(), false);
    SetCols(from, to, true);
}

void TtsGridSelection::SetCellRange(const TGridRect& range)
{
    if (range == range_ && status_ == gstCellsSelected)
        return;
    range_ = range;
    pending_[stCellSelect] = true;
    if (status_ == gstNone)
        status_ = gstCellsSelected;
}

void TtsGridSelection::ClearCellRange()
{
    if (range_ == TGridRect{-1, -1, -1, -1})
        return;
    range_ = {-1, -1, -1, -1};
    pending_[stCellSelect] = true;
    if (status_ == gstCellsSelected)
        status_ = rows_.SelectedCount() > 0 ? gstRowsSelected : cols_.SelectedCount() > 0 ? gstColsSelected : gstNone;
}

void TtsGridSelection::ClearAll()
{
    if (rows_.SelectedCount() > 0) {
        rows_.Clear();
        pending_[stRowSelect] = true;
    }
    if (cols_.SelectedCount() > 0) {
        cols_.Clear();
        pending_[stColSelect] = true;
    }
    ClearCellRange();
    status_ = gstNone;
}

void TtsGridSelection::ReportChanges(bool byUser)
{
    for (TtsSelectType type : {stRowSelect, stColSelect, stCellSelect}) {
        if (!pending_[type])
            continue;
        pending_[type] = false;
        if (!host_.SelectionLoading())
            host_.DoSelectChanged(type, byUser);
    }
    if (status_ != reportedStatus_) {
        TtsGridStatus old = reportedStatus_;
        reportedStatus_ = status_;
        host_.DoGridStatusChanged(old, status_);
    }
}

bool TtsGridSelection::SelectRowsGuarded(int from, int to, bool select, bool byUser)
{
    if (rowSelectMode_ == rsNone && select)
        return false;
    if (!select && (rowSelectMode_ == rsSingle && host_.ListBoxMode()))
        return false;
    int limit = host_.SelectionRowLimit();
    if (from > to)
        std::swap(from, to);
    if (to < 1 || from > limit)
        return false;
    // Whatever rows are selected can be unselected, whatever the status says.
    if (!select && rows_.SelectedCount() == 0)
        return false;
    from = std::max(from, 1);
    to = std::min(to, limit);
    bool single = rowSelectMode_ == rsSingle;
    if (single && select && to > from)
        return false;
    if (!host_.SelectionEndEdit())
        return false;
    host_.SelectionHideEditor();
    // One row at a time: the row selected so far is unselected, which need
    // not be the current row once the application has moved the current
    // cell.
    if (single && select && rows_.SelectedCount() > 0) {
        for (int row = rows_.First(); row >= 0; row = rows_.NextSelected(row))
            if (row != from) {
                rows_.SetSelected(row, false);
                pending_[stRowSelect] = true;
                host_.RepaintRows(row, row);
            }
        SettleStatus();
    }
    SetRows(from, to, select);
    host_.RepaintRows(from, to);
    if (single && select && rows_.Selected(from) && host_.SelectionCurrentRow() != from)
        host_.SelectionMoveToRow(from);
    host_.SelectionShowEditor();
    host_.SelectionUpdateScroll();
    ReportChanges(byUser);
    return true;
}

bool TtsGridSelection::SelectColsGuarded(int from, int to, bool select)
{
    // Columns selected before the mode became csNone can still be cleared.
    if (colSelectMode_ == csNone && select)
        return false;
    int limit = host_.SelectionColLimit();
    if (from > to)
        std::swap(from, to);
    if (to < 1 || from > limit)
        return false;
    if (!select && cols_.SelectedCount() == 0)
        return false;
    from = std::max(from, 1);
    to = std::min(to, limit);
    if (!host_.SelectionEndEdit())
        return false;
    host_.SelectionHideEditor();
    SetCols(from, to, select);
    host_.RepaintCols(from, to);
    host_.SelectionShowEditor();
    host_.SelectionUpdateScroll();
    ReportChanges(false);
    return true;
}

void TtsGridSelection::SetRowSelectMode(TtsRowSelectMode mode, bool ignore)
{
    if (ignore || mode == rowSelectMode_)
        return;
    rowSelectMode_ = mode;
    host_.SelectionHideEditor();
    if (rows_.SelectedCount() > 0) {
        int current = host_.SelectionCurrentRow();
        if (mode == rsNone || (host_.SelectionDesigning() && mode != rsSingle)) {
            SetRows(rows_.First(), rows_.Last(), false);
        } else if (mode == rsSingle) {
            bool keep = current >= 1 && rows_.Selected(current);
            SetRows(rows_.First(), rows_.Last(), false);
            if (keep)
                SetRows(current, current, true);
        }
        host_.RepaintRows(1, rows_.Size() - 1);
    }
    host_.SelectionShowEditor();
    ReportChanges(false);
}

void TtsGridSelection::Resize(TtsSelection& selection, int n, TtsSelectType type)
{
    int before = selection.SelectedCount();
    selection.SetSize(n);
    if (selection.SelectedCount() != before) {
        pending_[type] = true;
        SettleStatus();
    }
}

void TtsGridSelection::Remove(TtsSelection& selection, int position, TtsSelectType type)
{
    bool was = selection.Selected(position);
    selection.Delete(position);
    if (was) {
        pending_[type] = true;
        SettleStatus();
    }
}

}  // namespace grid
