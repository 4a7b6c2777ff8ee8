#pragma once

// What column and row objects need from the grid they belong to. The grid
// control implements this interface; the model reaches its grid only through
// it, so that columns and rows work (and are tested) without a window.
//
// The grid owns one TtsGridCols and one TtsGridRows, made after its layout
// base, and hands its layout hooks to them: ColWidthsChanged to
// TtsGridCols::LayoutWidthsChanged, RowHeightsChanged to
// TtsGridRows::LayoutHeightsChanged (with the rrAll flag), its font changes
// to their GridFontChanged. While a list changes the layout itself
// (UpdatingLayout), the layout's ColumnMoved, RowMoved and SizeChanged hooks
// report the list's own doing and are passed by. tests/grid/model holds a
// small host that shows the whole arrangement.

#include <memory>

#include "platform/core/Forward.h"
#include "platform/graphics/Forward.h"

namespace grid {

class TCustomGrid_ts;
class TtsDateTimeDefComponent;
class TtsGridCols;
class TtsGridRows;

class IGridModelHost {
public:
    virtual ~IGridModelHost() = default;

    // ---- The grid as a whole -------------------------------------------------
    // The layout base under the grid: counts, widths and heights (indexed by
    // display position: column 0 is the row bar, row 0 the heading row),
    // fixed counts, top-left cell. Its Name() starts the grid's error texts.
    virtual TCustomGrid_ts& BaseLayout() = 0;
    virtual const TCustomGrid_ts& BaseLayout() const = 0;
    // The name the grid's error texts start with: the layout base's Name(),
    // or for a combo's drop-down list its owning grid's name and ".Combo".
    virtual core::AnsiString GridErrorName() const;
    // The grid's column and row lists (with the display order).
    virtual TtsGridCols& GridCols() = 0;
    virtual const TtsGridCols& GridCols() const = 0;
    virtual TtsGridRows& GridRows() = 0;
    virtual const TtsGridRows& GridRows() const = 0;
    // While the grid is being read from a stream: structural events are held
    // back and a column's Font reads as a copy of the grid's for the reader.
    virtual bool Reading() const = 0;
    // While the grid is being written to a stream.
    virtual bool Writing() const = 0;
    // Whether this grid is the drop-down grid of a combo.
    virtual bool IsDropDownGrid() const = 0;
    // Whether the last display row is the new-row line of the insert mode.
    virtual bool NewRowLineShown() const = 0;
    // The grid's Font and HeadingFont.
    virtual const graphics::TFont& GridFont() const = 0;
    virtual const graphics::TFont& GridHeadingFont() const = 0;

    // ---- Painting ------------------------------------------------------------
    virtual void InvalidateDataCol(int dataCol) = 0;
    virtual void InvalidateDataRow(int dataRow) = 0;
    virtual void InvalidateRowBar(int dataRow) = 0;
    virtual void InvalidateGrid() = 0;
    // The scroll range and bars after a change of counts, extents or order.
    virtual void UpdateScrollRange() = 0;

    // ---- Current cell and editor -----------------------------------------------
    // The current data column and row; 0 when there is none.
    virtual int CurrentDataCol() const = 0;
    virtual int CurrentDataRow() const = 0;
    // Ends the pending edit of the current cell; false when it is refused.
    virtual bool EndPendingEdit() = 0;
    // Closes the current edit (a control type is about to change).
    virtual void CloseEdit() = 0;
    // Brings a shown editor in line with the current cell's settings.
    virtual void RefreshEditor() = 0;
    // Hides a shown editor; whether it was shown.
    virtual bool HideEditor() = 0;
    virtual void ShowEditor() = 0;
    // The current cell's read-only state, its mask, its length limit, its
    // check box and the date-time state may have changed.
    virtual void ReevaluateCurrentCell() = 0;
    virtual void ReloadMask() = 0;
    virtual void EditorMaxLengthChanged(int maxLength) = 0;
    virtual void RefreshCheckBox() = 0;
    virtual void ResetDateTimeState() = 0;
    // The current column or row was moved to another display position; the
    // current cell follows it there.
    virtual void CurrentColMoved(int displayCol) = 0;
    virtual void CurrentRowMoved(int displayRow) = 0;
    // The current column or row is being hidden: the current cell moves to
    // another column or row (or to none).
    virtual void LeaveCurrentCol() = 0;
    virtual void LeaveCurrentRow() = 0;
    // A column or row was shown while the grid had no current one: a current
    // cell is chosen.
    virtual void ChooseCurrentCell() = 0;
    // Re-evaluates the grid's status, raising OnGridStatusChanged when it
    // changes.
    virtual void UpdateGridStatus() = 0;
    // The mark of the current row was cleared: its pending change is gone.
    virtual void CurrentRowChangeCleared() = 0;

    // ---- Selection -------------------------------------------------------------
    virtual void UnselectCol(int dataCol) = 0;
    virtual void UnselectRow(int dataRow) = 0;
    // The selection bits of display position `from` move to `to`, the ones
    // between shift by one; the selection's first and last marks follow.
    virtual void ColSelectionMoved(int fromDisplay, int toDisplay) = 0;
    virtual void RowSelectionMoved(int fromDisplay, int toDisplay) = 0;

    // ---- Values, combos, definitions --------------------------------------------
    // Raises the grid's error for check-box texts of the wrong format.
    virtual void ValidateCheckBoxValues(const core::AnsiString& value) = 0;
    // Drops stored values that the new control type cannot hold.
    virtual void PruneColValues(int dataCol) = 0;
    virtual void PruneRowValues(int dataRow) = 0;
    // A column or row takes the combo button: the grid's combo must exist.
    virtual void EnsureGridCombo() = 0;
    // A drop-down grid's window follows the row bar's width and visibility.
    virtual void ResizeDropDown() = 0;
    virtual void RegisterDateTimeDef(TtsDateTimeDefComponent* def) = 0;
    virtual void UnregisterDateTimeDef(TtsDateTimeDefComponent* def) = 0;
    // A column's or row's own combo as a component stream ("Combo").
    virtual void WriteCombo(const core::TObject& combo, core::TStream& stream) = 0;
    virtual std::unique_ptr<core::TPersistent> ReadCombo(core::TStream& stream) = 0;

    // ---- Events (the model raises none while Reading) ----------------------------
    virtual void DoColMoved(int toDisplayCol, int count, bool byUser) = 0;
    virtual void DoRowMoved(int toDisplayRow, int count, bool byUser) = 0;
    // RowColnr is the data column or row, or -1 for a change of several.
    virtual void DoColResized(int rowColnr) = 0;
    virtual void DoRowResized(int rowColnr) = 0;
};

}  // namespace grid
