#pragma once

#include "grid/model/CellTypes.h"
#include "grid/model/GridModelHost.h"
#include "platform/graphics/Color.h"

namespace grid {

class TtsCellSettings;

// What cell settings need from their grid beyond what columns and rows need:
// the grid's own settings that the effective-setting resolvers end with, the
// repaint hooks that follow a change of a cell's settings, and the grid's
// combo factory. The grid implements it; property elements and the cell
// settings reach the grid only through it.
class IGridCellHost : public IGridModelHost {
public:
    // The grid's cell settings (the accessors TtsCell reads and writes).
    virtual TtsCellSettings& CellSettings() = 0;
    virtual const TtsCellSettings& CellSettings() const = 0;

    // ---- Grid-level settings ----------------------------------------------------
    virtual graphics::TColor GridColor() const = 0;
    virtual TtsWordWrap GridWordWrap() const = 0;
    virtual TtsHorzAlignment GridHorzAlignment() const = 0;
    virtual TtsVertAlignment GridVertAlignment() const = 0;
    virtual bool GridIs3D() const = 0;
    virtual TtsDrawOverlap DrawOverlap() const = 0;
    // Cells that cannot be edited still show their buttons.
    virtual bool ReadOnlyButton() const = 0;
    // In design mode with StoreData on, every visible cell is editable.
    virtual bool DesignEditable() const = 0;
    virtual const core::AnsiString& GridCheckBoxValues() const = 0;
    virtual graphics::TColor GridHeadingColor() const = 0;
    virtual bool Heading3D() const = 0;

    // ---- After a cell's setting changed ----------------------------------------------
    // Repaint the cell when it is on screen (only its content when
    // `contentOnly`) and refresh the editor when it is the current cell.
    virtual void CellSettingChanged(int dataCol, int dataRow, bool contentOnly) = 0;
    // The cell's MaskName changed: reload its mask if it is being edited.
    virtual void CellMaskChanged(int dataCol, int dataRow) = 0;
    // The cell's ControlType changed: drop a stored value it cannot hold.
    virtual void PruneCellValue(int dataCol, int dataRow) = 0;

    // ---- Combos (TtsCombo objects of the screen side) -----------------------------------
    // A new combo definition, owned by the caller.
    virtual std::unique_ptr<core::TPersistent> CreateCombo() = 0;
    virtual TtsDropDownStyle ComboDropDownStyle(const core::TPersistent& combo) const = 0;
    virtual void SetComboDropDownStyle(core::TPersistent& combo, TtsDropDownStyle style) = 0;
    // Sizes a combo's drop-down grid to the width of a data column.
    virtual void SizeComboToCol(core::TPersistent& combo, int dataCol) = 0;
};

}  // namespace grid
