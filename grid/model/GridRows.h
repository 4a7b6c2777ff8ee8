#pragma once

#include <map>
#include <memory>
#include <vector>

#include "grid/foundation/IntegerList.h"
#include "grid/model/Row.h"
#include "grid/model/VisibleItems.h"
#include "platform/core/Bits.h"

namespace grid {

// The rows of a grid: the sparse row objects, the display order of the
// rows, hidden rows, heights, row identifiers and row-changed marks, and the
// grid-level properties kept in row 0 (the heading row).
//
// A grid may have a million rows of which a handful carry settings, so
// nothing here is kept per row until it is needed: row objects exist only
// for rows with a setting of their own (and row 0); the display order is the
// identity, costing nothing, until the first row is moved; the visible list
// is not materialized until a row is hidden; the identifiers are implied by
// the data numbers until rows are removed. Mapping a data row to its display
// row and back is an array lookup; moving one row shifts the rows between
// its old and new places; hiding or showing one row inserts or removes one
// entry of the visible list. Heights live in the base layout's extent array,
// which costs memory only for heights that differ from the default.
class TtsGridRows {
public:
    // Makes the heading row and sets the layout's row count to 1 and its
    // default row height to 14 (the grid's hooks see these layout changes
    // before the list exists).
    explicit TtsGridRows(IGridModelHost& grid);
    ~TtsGridRows();
    TtsGridRows(const TtsGridRows&) = delete;
    TtsGridRows& operator=(const TtsGridRows&) = delete;

    IGridModelHost& Grid() const { return grid_; }
    // The number of data rows (the base layout's row count minus 1).
    int RowCount() const { return rowCount_; }
    // Makes the grid `rows` data rows long: the base layout follows; new
    // rows come at the end of the display order, rows beyond the new count
    // lose their objects, marks and places.
    void SetRowCount(int rows);

    // Removes one data row, as a deletion does: the row is unselected, the
    // gap in the display order closes (the rows after it move up, keeping
    // their heights and selection), every higher data row takes the next
    // lower data number with its object, identifier, mark and display
    // position, and the count drops by one. Ignored outside 1..RowCount.
    void RemoveRow(int dataRow);

    // ---- Row objects -------------------------------------------------------------
    // The object of a data row, nullptr while it has none (and outside
    // 0..RowCount).
    TtsRow* Items(int dataRow) const;
    // The object of a data row, created when it has none: its height and
    // design height are the layout's current height of its position.
    TtsRow& Ensure(int dataRow);
    // Destroys the row's object when all its settings are default (never
    // row 0).
    void Prune(int dataRow);
    // Writes through a row's object: creates it when needed, calls
    // `write(row)`, and lets it go again once it is all default. Raises
    // "Row index %d out of range" outside 1..RowCount.
    template <typename F>
    void Update(int dataRow, F&& write)
    {
        CheckRowIndex(dataRow);
        TtsRow& row = Ensure(dataRow);
        try {
            write(row);
        } catch (...) {
            Prune(dataRow);
            throw;
        }
        Prune(dataRow);
    }
    // The row's settings for reading: its object, or a row at every default
    // for a row without one. Raises for an index outside 1..RowCount.
    const TtsRow& Row(int dataRow) const;
    // The same without the index check (for painting): defaults outside.
    const TtsRow& RowOrDefault(int dataRow) const;
    // The number of row objects, row 0 included.
    int ObjectCount() const { return static_cast<int>(rows_.size()); }
    // The data rows that have objects, row 0 included, in data order.
    std::vector<int> RowsWithObjects() const
    {
        std::vector<int> rows;
        rows.reserve(rows_.size());
        for (const auto& entry : rows_)
            rows.push_back(entry.first);
        return rows;
    }
    // Raises "Row index %d out of range" outside 1..RowCount.
    void CheckRowIndex(int dataRow) const;

    // ---- Identifiers --------------------------------------------------------------
    // The identifier of a data row (0..RowCount), 0 outside.
    int RowId(int dataRow) const;
    // The data row with that identifier (binary search), or -1.
    int FindRowById(int id) const;

    // ---- Display order ----------------------------------------------------------------
    // The display row of a data row; -1 outside 1..RowCount.
    int DisplayRownr(int dataRow) const;
    // The data row at a display row; -1 outside 0..RowCount.
    int DataRownr(int displayRow) const;
    // Whether the display order differs from the identity anywhere (the
    // arrays exist).
    bool Reordered() const { return !displayToData_.empty(); }
    const TtsVisibleItems& VisibleRows() const { return visible_; }
    // Moves data row `dataRow` to display row `toDisplay`; ignored outside
    // 1..RowCount and for the row's own position.
    void MoveRow(int dataRow, int toDisplay);

    // ---- Row-changed marks -----------------------------------------------------------
    bool RowChanged(int dataRow) const;
    // Clearing the mark of the current row also clears its pending change.
    void SetRowChanged(int dataRow, bool value);
    // How many rows carry the mark.
    int ChangedCount() const { return changedCount_; }

    // ---- Grid-level properties -----------------------------------------------------------
    int FixedRowCount() const { return fixedRowCount_; }
    // Negative values are ignored; the layout freezes min(layout rows - 1,
    // N + 1) rows counting the heading row.
    void SetFixedRowCount(int value);
    int DefaultRowHeight() const;
    // 0 or less is taken as 1; discards every individual layout height.
    void SetDefaultRowHeight(int value);
    bool RowMoving() const { return rowMoving_; }
    void SetRowMoving(bool value) { rowMoving_ = value; }
    bool HeadingOn() const;
    void SetHeadingOn(bool value);
    int HeadingHeight() const;
    void SetHeadingHeight(int value);

    // The base layout's heights were changed by other means: every row
    // takes its layout height (objects are made only where it differs from
    // the default). `sameForAll` is set while a resize gives every row the
    // same new height; the design heights then stay. Does nothing while the
    // rows themselves are updating the layout.
    void LayoutHeightsChanged(bool sameForAll = false);
    // Whether the list itself is changing the base layout now: the layout's
    // hooks (extents changed, column or row moved, size changed) then report
    // the list's own doing, and the grid passes them by.
    bool UpdatingLayout() const { return layoutUpdate_ > 0; }
    void GridFontChanged();
    const TtsIntegerList& PrivateFontRows() const { return privateFontRows_; }

private:
    friend class TtsRow;

    void EnsureOrder();
    void SetLayoutHeight(int displayRow, int height);
    void ApplyLayoutHeight(const TtsRow& row);
    void PrivateFontChanged(const TtsRow& row);
    [[noreturn]] void Error(const AnsiString& text) const;
    bool InVisibleRange(int displayRow) const;
    void Shrink(int rows);

    IGridModelHost& grid_;
    int rowCount_ = 0;
    std::map<int, std::unique_ptr<TtsRow>> rows_;
    // Empty while the display order is the identity; else entries 0..RowCount.
    std::vector<int> dataToDisplay_;
    std::vector<int> displayToData_;
    // Empty while the identifier of row r is r + 1.
    std::vector<int> ids_;
    int nextId_ = 2;
    TtsVisibleItems visible_;
    core::TBits changed_;
    // The number of marks set, so that rows are only shifted when some are.
    int changedCount_ = 0;
    int fixedRowCount_ = 0;
    bool rowMoving_ = true;
    int layoutUpdate_ = 0;
    TtsIntegerList privateFontRows_;
    // What rows without an object read as.
    std::unique_ptr<TtsRow> defaultRow_;
};

}  // namespace grid
