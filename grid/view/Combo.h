#pragma once

#include <memory>

#include "grid/model/GridTypes.h"
#include "grid/view/ComboSearch.h"
#include "platform/core/Persistent.h"

namespace grid {

class TtsComboGrid;
class TtsGrid;

// One combo definition: a list (a TtsComboGrid made by the owning grid's
// CreateComboGrid, hidden in the grid's drop-down window) and its settings,
// which it forwards to that list. A definition hangs on the grid, a column,
// a row or a cell; the one a cell uses is loaded into the grid's own list
// when the cell's drop-down opens.
class TtsCombo : public core::TPersistent {
    CORE_CLASS(TtsCombo, core::TPersistent)

    // A definition without a grid (a copy made by class); it takes the grid
    // and a list of its own when another definition is assigned to it.
    TtsCombo();
    explicit TtsCombo(TtsGrid& grid);
    ~TtsCombo() override;

    TtsGrid* Grid() const { return grid_; }
    virtual TtsComboGrid* ComboGrid() const { return list_; }

    virtual int DropDownRows() const;
    virtual int DropDownCols() const;
    virtual int ValueCol() const;
    virtual bool ValueColSorted() const;
    virtual TtsComboCompareType CompareType() const;
    virtual TtsComboAutoSearchType AutoSearch() const;
    virtual bool AutoFill() const;
    virtual TtsConvertCase AutoFillConvertCase() const;
    virtual TtsDropDownStyle DropDownStyle() const;
    virtual void SetDropDownRows(int value);
    virtual void SetDropDownCols(int value);
    virtual void SetValueCol(int value);
    virtual void SetValueColSorted(bool value);
    virtual void SetCompareType(TtsComboCompareType value);
    virtual void SetAutoSearch(TtsComboAutoSearchType value);
    virtual void SetAutoFill(bool value);
    virtual void SetAutoFillConvertCase(TtsConvertCase value);
    virtual void SetDropDownStyle(TtsDropDownStyle value);
    // Empties the list; an open list is sized again.
    virtual void Clear();

    // From another TtsCombo: its list's columns, rows, data and settings.
    void Assign(const core::TPersistent* source) override;
    using core::TPersistent::Assign;

private:
    void Attach(TtsGrid& grid);

    TtsGrid* grid_ = nullptr;
    TtsComboGrid* list_ = nullptr;  // owned; its window lives in the drop-down window
};

}  // namespace grid
