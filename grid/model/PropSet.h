#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "grid/foundation/IntegerSetList.h"
#include "grid/foundation/ObjectSet.h"
#include "grid/model/CellElement.h"
#include "platform/core/List.h"

namespace grid {

// The sparse settings of a kind of item (cells): an element per item that
// has at least one setting away from its default, none for the others.
//
// Every write goes through SetProp, which compares the new value with the
// current one (an item without an element holds the defaults), makes the
// element on the first non-default value and drops it again as soon as all
// its settings are back at their defaults.
class TtsCustomPropSet : public TtsObjectSet {
    CORE_CLASS(TtsCustomPropSet, TtsObjectSet)

    TtsCustomPropSet() = default;
    explicit TtsCustomPropSet(IGridCellHost* grid) : grid_(grid) {}

    IGridCellHost* Grid() const { return grid_; }
    void SetGrid(IGridCellHost* grid) { grid_ = grid; }

    // While Assign copies a set: a fresh copy of the source's element, owned
    // by this set's grid.
    TtsSetNode* CreateNode(const TtsSetRef& value) override;

    // Sets one setting of the item `key`, whose element is `element`
    // (nullptr when it has none; on return the element it has, nullptr when
    // the element was dropped). Returns whether anything changed; `repaint`
    // is handed to PropChanged.
    bool SetProp(TtsKey key, TtsCustomPropElement*& element, bool repaint, int subNr, TtsPropNr nr,
                 const TtsPropValue& value);
    // Sets every setting whose bit is in `mask` back to its default, in the
    // order of ResetOrder; `repaint` is passed on only until the first
    // setting that changed. Returns whether anything changed.
    bool ResetProps(TtsKey key, TtsCustomPropElement*& element, bool repaint, uint32_t mask);
    // ResetProps for every element of the set.
    void ResetAllProps(uint32_t mask, bool repaint);
    // Sets the private-font flag of an item, making or dropping its element
    // as needed. Returns whether the flag changed.
    bool SetPrivateFont(TtsKey key, TtsCustomPropElement*& element, bool value);

    // The order in which a reset by mask visits the settings, each with its
    // picture sub-number (0 for the others).
    static const std::vector<std::pair<TtsPropNr, int>>& ResetOrder();

protected:
    // A new element for the item `key`, not yet in the set.
    virtual TtsCustomPropElement* CreateElement(TtsKey key) = 0;
    // A new element with the settings of `source`, for this set's grid.
    virtual TtsCustomPropElement* CopyElement(const TtsCustomPropElement& source) = 0;
    // Takes an element that has become all-default out of the set and frees it.
    virtual void RemoveElement(TtsCustomPropElement* element) = 0;
    // ResetProps for an element of this set, under its own key.
    virtual void ResetElement(TtsCustomPropElement* element, uint32_t mask, bool repaint) = 0;
    // After a setting of `key` changed.
    virtual void PropChanged(TtsKey key, TtsPropNr nr, bool repaint);
    // After the private-font flag of `key` changed.
    virtual void PrivateFontChanged(TtsKey key, bool value);

    IGridCellHost* grid_ = nullptr;
};

// A data column and data row.
struct TtsCoord {
    int Col = 0;
    int Row = 0;
    bool operator==(const TtsCoord&) const = default;
};

// A list of cells (data column, data row), counted from 0.
class TtsCoordList : public core::TList<TtsCoord> {};

// The grid's set of cell elements, keyed {DataCol, DataRow}.
//
// Beside the tree the set keeps the cross index of the cells that have an
// element: for each data column the set of its data rows, for each data row
// the set of its data columns (per-column and per-row sets exist only where
// a cell has an element). Every lookup first asks the one-entry cache, which
// holds the last cell looked up and its element (or none); any element that
// enters or leaves the set clears it. So a grid without cell settings costs
// a count test per lookup, and a paint pass, which looks up each cell for
// several settings in a row, mostly hits the cache.
class TtsCellPropSet : public TtsCustomPropSet {
    CORE_CLASS(TtsCellPropSet, TtsCustomPropSet)

    TtsCellPropSet() = default;
    explicit TtsCellPropSet(IGridCellHost* grid) : TtsCustomPropSet(grid) {}
    ~TtsCellPropSet() override;

    // The element of a cell, or nullptr.
    TtsCellElement* FindCell(int dataCol, int dataRow) const
    {
        if (Count() == 0)
            return nullptr;
        if (dataCol == cacheCol_ && dataRow == cacheRow_)
            return cacheElement_;
        return FindUncached(dataCol, dataRow);
    }

    // The data rows of a column that have elements, or nullptr.
    TtsIntegerSet* RowsOfCol(int dataCol) const
    {
        return dataCol >= 0 && dataCol < colIndex_.Count() ? colIndex_.Sets(dataCol) : nullptr;
    }
    // The data columns of a row that have elements, or nullptr.
    TtsIntegerSet* ColsOfRow(int dataRow) const
    {
        return dataRow >= 0 && dataRow < rowIndex_.Count() ? rowIndex_.Sets(dataRow) : nullptr;
    }
    const TtsIntegerSetList& ColIndex() const { return colIndex_; }
    const TtsIntegerSetList& RowIndex() const { return rowIndex_; }
    // The cells whose private-font flag is set.
    const TtsCoordList& PrivateFontCells() const { return privateFonts_; }

    // SetProp, ResetProps and SetPrivateFont for one cell.
    bool SetCellProp(int dataCol, int dataRow, TtsPropNr nr, int subNr, const TtsPropValue& value,
                     bool repaint = true);
    bool ResetCellProps(int dataCol, int dataRow, uint32_t mask, bool repaint = true);
    bool SetCellPrivateFont(int dataCol, int dataRow, bool value);
    // Refreshes the private font copies after the grid's font changed.
    void RefreshPrivateFonts();

    // A data column was deleted: its elements go, those of higher columns
    // move down one data column. DeleteRow is the same for rows.
    void DeleteCol(int dataCol);
    void DeleteRow(int dataRow);

    // Enter and leave the cross index, and clear the cache.
    void Add(TtsSetElement* element) override;
    void Remove(TtsKey key) override;
    void Clear() override;
    void Assign(const TtsCustomSet& source) override;

protected:
    TtsCustomPropElement* CreateElement(TtsKey key) override;
    TtsCustomPropElement* CopyElement(const TtsCustomPropElement& source) override;
    void RemoveElement(TtsCustomPropElement* element) override;
    void ResetElement(TtsCustomPropElement* element, uint32_t mask, bool repaint) override;
    // Repaints the cell (its content only for the settings that change no
    // background or frame) and refreshes the editor; a MaskName change makes
    // the grid reload the cell's mask instead, a ControlType change also
    // prunes the stored value.
    void PropChanged(TtsKey key, TtsPropNr nr, bool repaint) override;
    void PrivateFontChanged(TtsKey key, bool value) override;

private:
    TtsCellElement* FindUncached(int dataCol, int dataRow) const;
    void ClearCache() const
    {
        cacheCol_ = -1;
        cacheRow_ = -1;
        cacheElement_ = nullptr;
    }
    void EnterIndex(int dataCol, int dataRow);
    void LeaveIndex(int dataCol, int dataRow);
    // Takes the element out of the tree and the cross index without freeing it.
    TtsCellElement* Detach(int dataCol, int dataRow);
    void RebuildIndex();
    void Renumber(bool cols, int deleted);

    TtsIntegerSetList colIndex_;
    TtsIntegerSetList rowIndex_;
    TtsCoordList privateFonts_;
    mutable int cacheCol_ = -1;
    mutable int cacheRow_ = -1;
    mutable TtsCellElement* cacheElement_ = nullptr;
};

}  // namespace grid
