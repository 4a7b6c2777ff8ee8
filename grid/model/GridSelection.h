#pragma once

#include "grid/foundation/CustomGrid_ts.h"
#include "grid/model/Selection.h"
#include "grid/model/SelectionHost.h"

namespace grid {

// The selection of a grid: the selected rows, the selected columns and the
// selected range of cells, the grid status that says which of them is in
// use, the selection modes, and the pending changes that OnSelectChanged
// reports.
//
// Two layers of operations. The plain ones (SelectRows, ToggleCols, ...)
// change the sets and the status and mark the change pending; the caller
// reports with ReportChanges. The guarded ones (SelectRowsGuarded,
// SelectColsGuarded) are what the application and the mouse use: they
// check the modes, end a pending edit, hide and show the editor, and report.
//
// Every selection that can be made can be cleared: unselecting asks only
// whether something of that kind is selected, not which kind the status
// names, and the status falls back to the kind still selected.
class TtsGridSelection {
public:
    explicit TtsGridSelection(ISelectionHost& host) : host_(host) {}

    const TtsSelection& SelectedRows() const { return rows_; }
    const TtsSelection& SelectedCols() const { return cols_; }
    TtsGridStatus Status() const { return status_; }
    // The selected range of cells (display positions) while the status is
    // gstCellsSelected.
    const TGridRect& CellRange() const { return range_; }

    TtsRowSelectMode RowSelectMode() const { return rowSelectMode_; }
    // Applies the new mode to the selection (see the .cpp); `ignore` leaves
    // everything as it is (a combo's drop-down grid at run time).
    void SetRowSelectMode(TtsRowSelectMode mode, bool ignore = false);
    TtsColSelectMode ColSelectMode() const { return colSelectMode_; }
    void SetColSelectMode(TtsColSelectMode mode) { colSelectMode_ = mode; }
    TtsCellSelectMode CellSelectMode() const { return cellSelectMode_; }
    void SetCellSelectMode(TtsCellSelectMode mode) { cellSelectMode_ = mode; }
    bool SelectFixed() const { return selectFixed_; }
    void SetSelectFixed(bool value) { selectFixed_ = value; }

    // ---- Plain operations (display positions; hidden ones are skipped) -----
    void SelectRows(int from, int to);
    void UnselectRows(int from, int to);
    void ToggleRows(int from, int to);
    void SelectOnlyRows(int from, int to);
    void SelectCols(int from, int to);
    void UnselectCols(int from, int to);
    void ToggleCols(int from, int to);
    void SelectOnlyCols(int from, int to);
    void SetCellRange(const TGridRect& range);
    void ClearCellRange();
    // Clears every kind of selection.
    void ClearAll();

    // Raises OnSelectChanged for each pending kind (rows, columns, cells)
    // and OnGridStatusChanged when the status differs from the last one
    // reported.
    void ReportChanges(bool byUser);

    // ---- Guarded operations ---------------------------------------------------
    // Selects or unselects display rows from..to, as RowSelected and the
    // mouse do. Returns whether anything was done.
    bool SelectRowsGuarded(int from, int to, bool select, bool byUser);
    bool SelectColsGuarded(int from, int to, bool select);

    // ---- Structure ---------------------------------------------------------------
    // The base layout's counts (data count + 1, plus the new-row line).
    void SetRowSize(int n) { Resize(rows_, n, stRowSelect); }
    void SetColSize(int n) { Resize(cols_, n, stColSelect); }
    // A display position went away; the later ones close the gap.
    void DeleteRow(int position) { Remove(rows_, position, stRowSelect); }
    void DeleteCol(int position) { Remove(cols_, position, stColSelect); }
    void MoveRow(int from, int to) { rows_.Move(from, to); }
    void MoveCol(int from, int to) { cols_.Move(from, to); }

private:
    // Applies `change` to each run of visible positions in from..to.
    template <typename F>
    void ForVisibleRuns(bool rows, int from, int to, F&& change);
    void SetRows(int from, int to, bool value);
    void SetCols(int from, int to, bool value);
    void Resize(TtsSelection& selection, int n, TtsSelectType type);
    void Remove(TtsSelection& selection, int position, TtsSelectType type);
    // The status after a kind lost its last selection.
    void SettleStatus();

    ISelectionHost& host_;
    TtsSelection rows_;
    TtsSelection cols_;
    TGridRect range_{-1, -1, -1, -1};
    TtsGridStatus status_ = gstNone;
    TtsGridStatus reportedStatus_ = gstNone;
    bool pending_[3] = {false, false, false};
    TtsRowSelectMode rowSelectMode_ = rsMulti;
    TtsColSelectMode colSelectMode_ = csMulti;
    TtsCellSelectMode cellSelectMode_ = cmRange;
    bool selectFixed_ = true;
};

}  // namespace grid
