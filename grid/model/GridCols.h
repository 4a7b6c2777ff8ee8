#pragma once

#include <memory>
#include <vector>

#include "grid/foundation/IntegerList.h"
#include "grid/model/Col.h"
#include "grid/model/VisibleItems.h"
#include "platform/core/Forward.h"

namespace grid {

// The column objects of a grid, indexed by data column from 0 (the row bar)
// to Cols, and the display order of the columns: which data column each
// display position shows, which positions are visible, and the operations
// that change them (moving, hiding, sizing, fixed columns) together with the
// grid-level properties that live in column 0.
//
// The base layout under the grid indexes its widths by display position;
// the list keeps those widths in step with the columns: a visible column's
// layout width is its Width, a hidden one's is 0, and column 0's is
// RowBarWidth while the row bar is on.
class TtsGridCols {
public:
    // Makes the row bar, column 0, and sets the layout's column count to 1
    // (the grid's hooks see the layout change before the list exists).
    explicit TtsGridCols(IGridModelHost& grid);
    ~TtsGridCols();
    TtsGridCols(const TtsGridCols&) = delete;
    TtsGridCols& operator=(const TtsGridCols&) = delete;

    IGridModelHost& Grid() const { return grid_; }
    // The number of entries (Cols + 1) and the number of data columns.
    int Count() const { return static_cast<int>(cols_.size()); }
    int Cols() const { return Count() - 1; }
    // Makes the grid `cols` data columns wide: the base layout's column
    // count follows; new columns come at the end of the display order with
    // the layout's width of their position, and the columns beyond the new
    // count are destroyed.
    void SetCols(int cols);
    // Removes one data column, as a deletion does: the column is unselected
    // and moved to the end of the display order, destroyed, and every
    // higher data column takes the next lower data number. Ignored outside
    // 1..Cols.
    void RemoveCol(int dataCol);
    // The column object of a data column 0..Cols; nullptr outside.
    TtsCol* Items(int dataCol) const;

    // The column by data number: "Column index %d out of range" outside
    // 1..Cols.
    TtsCol* Col(int dataCol) const;
    // The column by field name, compared without case among data columns
    // 1..Cols: "Unknown field name '%s'" when none has it.
    TtsCol* Col(const AnsiString& fieldName) const;
    TtsCol* Col(const char* fieldName) const { return Col(AnsiString(fieldName)); }
    // By a number or a field name; any other kind of index gives nullptr.
    TtsCol* Col(const core::Variant& index) const;
    // The data column with that identifier, or -1.
    int FindColById(int id) const;

    // ---- Display order ----------------------------------------------------------
    // The display position of a data column; -1 outside 1..Cols.
    int DisplayColnr(int dataCol) const;
    // The data column at a display position; -1 outside 0..Cols.
    int DataColnr(int displayCol) const;
    // The visible display positions 1..Cols, in order.
    const TtsVisibleItems& VisibleCols() const { return visible_; }
    // Moves data column `dataCol` to display position `toDisplay`; ignored
    // for positions outside 1..Cols and for the column's own position.
    void MoveCol(int dataCol, int toDisplay);

    // ---- Grid-level properties -----------------------------------------------------
    int FixedColCount() const { return fixedColCount_; }
    // Negative values are ignored; the layout freezes min(Cols, N + 1)
    // columns counting the row bar, and never all of its columns.
    void SetFixedColCount(int value);
    int DefaultColWidth() const;
    // 0 or less is taken as 1. Discards the widths of the layout, so every
    // column takes the new default.
    void SetDefaultColWidth(int value);
    bool ColMoving() const { return colMoving_; }
    void SetColMoving(bool value) { colMoving_ = value; }
    bool RowBarOn() const;
    void SetRowBarOn(bool value);
    int RowBarWidth() const;
    void SetRowBarWidth(int value);

    // The base layout's widths were changed by other means (a border dragged,
    // the default width): every column takes its layout width. Does nothing
    // while the columns themselves are updating the layout.
    void LayoutWidthsChanged();
    // Whether the list itself is changing the base layout now: the layout's
    // hooks (extents changed, column or row moved, size changed) then report
    // the list's own doing, and the grid passes them by.
    bool UpdatingLayout() const { return layoutUpdate_ > 0; }
    // The grid's font changed: private copies follow it.
    void GridFontChanged();
    // The data columns whose private-font flag is set.
    const TtsIntegerList& PrivateFontCols() const { return privateFontCols_; }

private:
    friend class TtsCol;

    // Moves a column in the display order and the layout; whether it moved.
    bool Reorder(int dataCol, int toDisplay);
    void SetLayoutWidth(int displayCol, int width);
    void ApplyLayoutWidth(const TtsCol& col);
    void PrivateFontChanged(const TtsCol& col);
    [[noreturn]] void Error(const AnsiString& text) const;
    bool InVisibleRange(int displayCol) const;

    IGridModelHost& grid_;
    std::vector<std::unique_ptr<TtsCol>> cols_;
    // Display position -> data column, entries 0..Cols.
    std::vector<int> displayToData_;
    TtsVisibleItems visible_;
    int nextId_ = 1;
    int fixedColCount_ = 0;
    bool colMoving_ = true;
    // Set while the list itself writes layout widths.
    int layoutUpdate_ = 0;
    TtsIntegerList privateFontCols_;
};

}  // namespace grid
