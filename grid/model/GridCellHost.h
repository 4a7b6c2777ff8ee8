#pragma once

#include "grid/model/CellTypes.h"
#include "platform/core/Forward.h"
#include "platform/graphics/Color.h"

namespace graphics {
class TFont;
}

namespace grid {

class TtsDateTimeDefComponent;
class TtsCellSettings;

// What cell settings need from their grid: the grid's own settings that the
// effective-setting resolvers fall back on, the repaint and editor hooks that
// follow a change, and the grid's combo and date-time services. The grid
// implements it; the property elements and the cell settings reach the grid
// only through it.
class IGridCellHost {
public:
    virtual ~IGridCellHost() = default;

    // The grid's cell settings (the accessors TtsCell reads and writes).
    virtual TtsCellSettings& CellSettings() = 0;
    // The font a cell is drawn with (TtsCellSettings::EffectiveFont).
    virtual const graphics::TFont* CellEffectiveFont(int dataCol, int dataRow) = 0;
    // The grid's name, which the grid's error messages start with.
    virtual core::AnsiString GridName() const = 0;
    // The number of data columns and the number of data rows that index
    // checks accept (Rows, plus the new-row line while it is shown).
    virtual int DataColCount() const = 0;
    virtual int DataRowCount() const = 0;

    // The grid-level settings the resolvers end with.
    virtual graphics::TColor GridColor() const = 0;
    virtual const graphics::TFont* GridFont() const = 0;
    virtual TtsWordWrap GridWordWrap() const = 0;
    virtual TtsHorzAlignment GridHorzAlignment() const = 0;
    virtual TtsVertAlignment GridVertAlignment() const = 0;
    virtual bool GridIs3D() const = 0;
    virtual TtsDrawOverlap DrawOverlap() const = 0;
    virtual bool ReadOnlyButton() const = 0;
    // In design mode with StoreData on, every visible cell is editable.
    virtual bool DesignEditable() const = 0;
    virtual const core::AnsiString& GridCheckBoxValues() const = 0;
    virtual graphics::TColor GridHeadingColor() const = 0;
    virtual const graphics::TFont* GridHeadingFont() const = 0;
    virtual bool Heading3D() const = 0;

    // Whether the grid is being read from, or written to, a stream.
    virtual bool IsReading() const = 0;
    virtual bool IsWriting() const = 0;

    // After a cell setting changed: repaint the cell when it is on screen
    // (only its content when `contentOnly`), and refresh the editor when it
    // is the current cell.
    virtual void CellSettingChanged(int dataCol, int dataRow, bool contentOnly) = 0;
    // The cell's MaskName changed: reload the mask if it is being edited.
    virtual void CellMaskChanged(int dataCol, int dataRow) = 0;
    // The cell's ControlType changed: prune its stored value.
    virtual void CellControlTypeChanged(int dataCol, int dataRow) = 0;

    // A new combo definition (a TtsCombo) for an element, owned by the caller.
    virtual core::TPersistent* CreateCombo() = 0;
    virtual TtsDropDownStyle ComboDropDownStyle(const core::TPersistent& combo) const = 0;
    virtual void SetComboDropDownStyle(core::TPersistent& combo, TtsDropDownStyle style) = 0;
    // Sizes a combo's drop-down grid to the width of a data column.
    virtual void SizeComboToCol(core::TPersistent& combo, int dataCol) = 0;

    // Date-time definitions in use by elements are registered with the grid,
    // which forgets every reference to one that is destroyed.
    virtual void RegisterDateTimeDef(TtsDateTimeDefComponent* def) = 0;
    virtual void UnregisterDateTimeDef(TtsDateTimeDefComponent* def) = 0;
    // Drops the prepared date-time picker state.
    virtual void ResetDateTimeState() = 0;
};

}  // namespace grid
