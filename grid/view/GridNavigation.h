#pragma once

// Moving the current cell by keys and by clicks on data cells.
//
// The navigator works on a grid through its public side: display positions
// in, MakeCellCurrent out (which scrolls the cell into view and invalidates
// only the cells that change). Every step looks the next visible row or
// column up in the grid's visible lists, so a step costs the same on a
// thousand rows as on a million.

#include <cstdint>
#include <functional>

#include "grid/view/BaseGrid.h"
#include "platform/ui/ControlTypes.h"

namespace grid {

class TtsGridNavigation {
public:
    explicit TtsGridNavigation(TtsBaseGrid& grid) : grid_(grid) {}

    bool SkipReadOnly = true;
    bool TabRowWrap = true;
    bool WantTabs = true;
    // Asked before the current cell is left: `rowChanges` when the move
    // goes to another row. False keeps the cell where it is and the key does
    // nothing more. The editing layer hooks in here.
    std::function<bool(bool rowChanges)> CanLeaveCell;

    // A key for the grid: true when the grid used it (it moved, scrolled or
    // was a navigation key that found nowhere to go).
    bool KeyDown(std::uint16_t key, ui::TShiftState shift);
    // A left or right press on a data cell (display position). A plain
    // left click drops a row, column or cell selection first.
    void ClickCell(int displayCol, int displayRow, ui::TMouseButton button, ui::TShiftState shift);

    // Cell navigation is on: nothing selected, and an edit or browse mode.
    bool NavigationOn() const;
    // Read-only cells are stepped over now.
    bool Skipping() const { return SkipReadOnly && grid_.GridMode() != gmListBox; }

    // The moves, true when the current cell moved.
    bool NextCell();
    bool PrevCell();
    bool RowStep(int direction);
    bool Page(int direction);
    bool FirstCell();
    bool LastCell();
    bool RowEnd(int direction);
    bool ColEnd(int direction);

private:
    int NextRow(int displayRow) const;
    int PrevRow(int displayRow) const;
    int NextCol(int displayCol) const;
    int PrevCol(int displayCol) const;
    bool Editable(int displayCol, int displayRow) const;
    bool RowReadOnly(int displayRow) const;
    // The cell to go to from (col, row) stepping across rows; false when
    // none.
    bool Step(int& col, int& row, int direction) const;
    bool MoveTo(int displayCol, int displayRow);

    TtsBaseGrid& grid_;
};

}  // namespace grid
