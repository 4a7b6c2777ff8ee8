#pragma once

#include "grid/model/SelectionTypes.h"

namespace grid {

// What the grid's selection needs from the grid. Positions are display
// positions (row 0 the heading, column 0 the row bar).
class ISelectionHost {
public:
    virtual ~ISelectionHost() = default;

    // Rows and Cols: display positions 1..Rows and 1..Cols are the data ones.
    virtual int SelectionRowLimit() const = 0;
    virtual int SelectionColLimit() const = 0;
    // The first hidden display row or column in from..to, or -1. Hidden
    // positions are never selected.
    virtual int NextHiddenRow(int from, int to) const = 0;
    virtual int NextHiddenCol(int from, int to) const = 0;
    // GridMode is gmListBox.
    virtual bool ListBoxMode() const = 0;
    virtual bool SelectionDesigning() const = 0;
    // While the grid is read from a form: OnSelectChanged is held back.
    virtual bool SelectionLoading() const = 0;

    // Ends the pending edit; false when it is refused.
    virtual bool SelectionEndEdit() = 0;
    virtual void SelectionHideEditor() = 0;
    virtual void SelectionShowEditor() = 0;
    // The current display row, or -1; moving keeps the current column.
    virtual int SelectionCurrentRow() const = 0;
    virtual void SelectionMoveToRow(int displayRow) = 0;

    virtual void RepaintRows(int from, int to) = 0;
    virtual void RepaintCols(int from, int to) = 0;
    // The scroll state after a selection change.
    virtual void SelectionUpdateScroll() = 0;

    // The events, raised through the grid's "do" methods.
    virtual void DoSelectChanged(TtsSelectType type, bool byUser) = 0;
    virtual void DoGridStatusChanged(TtsGridStatus oldStatus, TtsGridStatus newStatus) = 0;
};

}  // namespace grid
