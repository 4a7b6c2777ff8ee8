#pragma once

#include "grid/model/PropElement.h"

namespace grid {

// The settings of one cell, keyed by its data column and data row. Elements
// sort by data row first, then by data column; lookup keys are
// {DataCol, DataRow}.
class TtsCellElement : public TtsCustomPropElement {
public:
    TtsCellElement(IGridCellHost* grid, int dataCol, int dataRow);

    int DataCol() const { return dataCol_; }
    int DataRow() const { return dataRow_; }
    // Renumbering after a column or row was deleted; only the cell property
    // set does it, with the element out of its tree.
    void SetCoord(int dataCol, int dataRow)
    {
        dataCol_ = dataCol;
        dataRow_ = dataRow;
    }

    TtsCompare Compare(const TtsCustomSet* set, const TtsSetElement* element) const override;
    TtsCompare CompareKey(const TtsCustomSet* set, TtsKey key) const override;
    core::AnsiString AsString() const override;

    // Also repaints the cell and refreshes the editor when it is current.
    void FontChanged() override;
    // Also sizes the combo's drop-down grid to the width of the cell's column.
    void MakeCombo() override;

protected:
    // A private font takes the cell's effective font.
    const graphics::TFont* InheritedFont() const override;

private:
    TtsCompare CompareCoord(int dataCol, int dataRow) const
    {
        if (dataRow != dataRow_)
            return dataRow < dataRow_ ? crBefore : crAfter;
        if (dataCol != dataCol_)
            return dataCol < dataCol_ ? crBefore : crAfter;
        return crEqual;
    }

    int dataCol_;
    int dataRow_;
};

}  // namespace grid
