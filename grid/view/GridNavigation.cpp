#include "grid/view/GridNavigation.h"

#include "grid/model/Col.h"
#include "grid/view/CustomGrid.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/VirtualKeys.h"

namespace grid {

namespace {

// The visible position after / before `position` in a visible list, or -1.
int VisibleAfter(const TtsVisibleItems& items, int position)
{
    bool found = false;
    int index = items.Find(position + 1, found);
    return index >= 1 && index <= items.VisibleCount() ? items.Get(index) : -1;
}

int VisibleBefore(const TtsVisibleItems& items, int position)
{
    bool found = false;
    int index = items.Find(position, found) - 1;
    return index >= 1 && index <= items.VisibleCount() ? items.Get(index) : -1;
}

}  // namespace

int TtsGridNavigation::NextRow(int displayRow) const { return VisibleAfter(grid_.GridRows().VisibleRows(), displayRow); }
int TtsGridNavigation::PrevRow(int displayRow) const { return VisibleBefore(grid_.GridRows().VisibleRows(), displayRow); }
int TtsGridNavigation::NextCol(int displayCol) const { return VisibleAfter(grid_.GridCols().VisibleCols(), displayCol); }
int TtsGridNavigation::PrevCol(int displayCol) const { return VisibleBefore(grid_.GridCols().VisibleCols(), displayCol); }

bool TtsGridNavigation::Editable(int displayCol, int displayRow) const
{
    return !grid_.CellSettings().EffectiveReadOnly(grid_.DataColnr(displayCol), grid_.DataRownr(displayRow));
}

bool TtsGridNavigation::RowReadOnly(int displayRow) const
{
    return grid_.GridRows().Row(grid_.DataRownr(displayRow)).ReadOnly();
}

bool TtsGridNavigation::NavigationOn() const
{
    if (grid_.GridSelection().Status() != gstNone)
        return false;
    TtsGridMode mode = grid_.GridMode();
    return mode == gmEdit || mode == gmEditInsert || mode == gmBrowse;
}

bool TtsGridNavigation::MoveTo(int displayCol, int displayRow)
{
    if (displayCol == grid_.CurCol() && displayRow == grid_.CurRow())
        return false;
    if (CanLeaveCell && !CanLeaveCell(displayRow != grid_.CurRow()))
        return false;
    grid_.MakeCellCurrent(grid_.DataColnr(displayCol), grid_.DataRownr(displayRow));
    return true;
}

bool TtsGridNavigation::Step(int& col, int& row, int direction) const
{
    int c = col, r = row;
    bool skip = Skipping();
    // A full pass over the grid without an editable cell ends the search.
    int rowsLeft = grid_.GridRows().VisibleRows().VisibleCount() + 1;
    for (;;) {
        c = direction > 0 ? NextCol(c) : PrevCol(c);
        if (c < 0) {
            if (!TabRowWrap)
                return false;
            r = direction > 0 ? NextRow(r) : PrevRow(r);
            if (r < 0 || --rowsLeft < 0)
                return false;
            c = direction > 0 ? NextCol(0) : PrevCol(grid_.Cols() + 1);
            if (c < 0)
                return false;
        }
        if (!skip || Editable(c, r)) {
            col = c;
            row = r;
            return true;
        }
    }
}

bool TtsGridNavigation::NextCell()
{
    int col = grid_.CurCol(), row = grid_.CurRow();
    return Step(col, row, 1) && MoveTo(col, row);
}

bool TtsGridNavigation::PrevCell()
{
    int col = grid_.CurCol(), row = grid_.CurRow();
    return Step(col, row, -1) && MoveTo(col, row);
}

bool TtsGridNavigation::RowStep(int direction)
{
    int row = grid_.CurRow();
    bool skip = Skipping();
    do
        row = direction > 0 ? NextRow(row) : PrevRow(row);
    while (row > 0 && skip && RowReadOnly(row));
    return row > 0 && MoveTo(grid_.CurCol(), row);
}

bool TtsGridNavigation::Page(int direction)
{
    const TtsVisibleItems& rows = grid_.GridRows().VisibleRows();
    int count = rows.VisibleCount();
    if (count == 0)
        return false;
    bool found = false;
    int cur = grid_.CurRow();
    int index = cur >= 1 ? rows.Find(cur, found) : 1;
    int page = std::max(1, grid_.VisibleRowCount());
    int target = std::clamp(index + direction * page, 1, count);
    int row = rows.Get(target);
    if (row == cur)
        return false;
    int oldTop = grid_.TopRow();
    if (!MoveTo(grid_.CurCol(), row))
        return false;
    // The current row keeps its place on the screen where the grid can
    // scroll that far.
    int delta = row - cur;
    int top = std::max(oldTop + delta, grid_.FixedRowCount() + 1);
    if (top != grid_.TopRow())
        grid_.SetTopRow(std::min(top, grid_.CurRow()));
    return true;
}

bool TtsGridNavigation::FirstCell()
{
    int col = NextCol(0), row = NextRow(0);
    return col > 0 && row > 0 && MoveTo(col, row);
}

bool TtsGridNavigation::LastCell()
{
    int col = PrevCol(grid_.Cols() + 1), row = PrevRow(grid_.Rows() + 1);
    return col > 0 && row > 0 && MoveTo(col, row);
}

bool TtsGridNavigation::RowEnd(int direction)
{
    int col = direction > 0 ? PrevCol(grid_.Cols() + 1) : NextCol(0);
    return col > 0 && MoveTo(col, grid_.CurRow());
}

bool TtsGridNavigation::ColEnd(int direction)
{
    int row = direction > 0 ? PrevRow(grid_.Rows() + 1) : NextRow(0);
    return row > 0 && MoveTo(grid_.CurCol(), row);
}

bool TtsGridNavigation::KeyDown(std::uint16_t key, ui::TShiftState shift)
{
    using namespace ui;
    bool ctrl = shift.Contains(ssCtrl);
    bool alt = shift.Contains(ssAlt);
    if (key == 0 || key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU)
        return false;
    // Alt keys belong to the form's menus and accelerators.
    if (alt)
        return false;
    if (grid_.Rows() == 0 || grid_.Cols() == 0)
        return false;
    bool nav = NavigationOn();
    bool editMode = nav && (grid_.GridMode() == gmEdit || grid_.GridMode() == gmEditInsert);
    switch (key) {
    case VK_TAB:
        if (!nav || !WantTabs || ctrl)
            return false;
        if (shift.Contains(ssShift))
            PrevCell();
        else
            NextCell();
        return true;
    case VK_RETURN:
        if (!editMode)
            return false;
        NextCell();
        return true;
    case VK_LEFT:
    case VK_RIGHT: {
        int direction = key == VK_RIGHT ? 1 : -1;
        if (ctrl)
            return RowEnd(direction), true;
        if (nav)
            return (direction > 0 ? NextCell() : PrevCell()), true;
        // Without cell navigation the view scrolls one column and the
        // current column goes with it.
        int left = grid_.LeftCol();
        int col = direction > 0 ? NextCol(left) : PrevCol(left);
        if (col < 0 || col <= grid_.FixedColCount())
            return true;
        grid_.SetLeftCol(col);
        if (grid_.LeftCol() != left)
            MoveTo(grid_.LeftCol(), grid_.CurRow());
        return true;
    }
    case VK_UP:
    case VK_DOWN: {
        int direction = key == VK_DOWN ? 1 : -1;
        bool moved = ctrl ? ColEnd(direction) : RowStep(direction);
        // A row selection follows the current row.
        if (moved && !nav && grid_.GridSelection().SelectedRows().SelectedCount() > 0)
            grid_.SelectOnlyRows(grid_.CurRow(), grid_.CurRow(), true);
        return true;
    }
    case VK_PRIOR:
    case VK_NEXT: {
        bool moved = Page(key == VK_NEXT ? 1 : -1);
        if (moved && !nav && grid_.GridSelection().SelectedRows().SelectedCount() > 0)
            grid_.SelectOnlyRows(grid_.CurRow(), grid_.CurRow(), true);
        return true;
    }
    case VK_HOME:
    case VK_END:
        // Home and End alone move the caret of the in-cell editor.
        if (!ctrl)
            return false;
        if (key == VK_HOME)
            FirstCell();
        else
            LastCell();
        return true;
    default:
        return false;
    }
}

void TtsGridNavigation::ClickCell(int displayCol, int displayRow, ui::TMouseButton button, ui::TShiftState shift)
{
    using namespace ui;
    if (displayCol < 1 || displayRow < 1 || displayCol > grid_.Cols() || displayRow > grid_.Rows())
        return;
    if (button == mbRight) {
        // A right click on a selected cell keeps the current cell.
        if (grid_.GridSelection().Status() != gstNone)
            return;
        MoveTo(displayCol, displayRow);
        return;
    }
    if (button != mbLeft)
        return;
    // A plain click on a data cell ends a row, column or cell selection,
    // as the user of any grid expects; otherwise a column once selected by
    // a heading click would keep every later click from reaching its cell.
    if (!shift.Contains(ssShift) && !shift.Contains(ssCtrl) && grid_.GridSelection().Status() != gstNone)
        grid_.ClearSelection(true);
    if (grid_.GridMode() == gmListBox) {
        MoveTo(grid_.CurCol(), displayRow);
        return;
    }
    int col = displayCol;
    // A read-only column clicked while read-only cells are skipped moves
    // only the row.
    const TtsCol* column = grid_.GridCols().Col(grid_.DataColnr(col));
    if (Skipping() && column && column->ReadOnly() && grid_.CurCol() >= 1)
        col = grid_.CurCol();
    MoveTo(col, displayRow);
}

// ---- The grid's own key handling ------------------------------------------------

void TtsCustomGrid::KeyDown(std::uint16_t& key, ui::TShiftState shift)
{
    TtsBaseGrid::KeyDown(key, shift);
    if (key != 0 && navigation_.KeyDown(key, shift))
        key = 0;
}

void TtsCustomGrid::WndProc(ui::TMessage& message)
{
    TtsBaseGrid::WndProc(message);
    if (message.Msg == ui::WM_GETDLGCODE && navigation_.WantTabs && navigation_.NavigationOn() &&
        !ui::WindowManager().KeyDown(ui::VK_CONTROL))
        message.Result |= ui::DLGC_WANTTAB;
}

}  // namespace grid
