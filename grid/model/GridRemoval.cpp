// Deleting one data row or column from the row and column lists: the row
// (column) is parked behind the others, taking the last data number and the
// last display position, while every later one moves down by one data
// number together with its object, identifier, mark and display position.
// The grid drops the parked ones from the end when it settles the count.
#include <algorithm>

#include "grid/foundation/CustomGrid_ts.h"
#include "grid/model/GridCols.h"
#include "grid/model/GridModelHost.h"
#include "grid/model/GridRows.h"
#include "grid/model/ModelHelpers.h"

namespace grid {

namespace {

// Data numbers after `from` move down by one; `from` becomes `last`.
int Renumber(int value, int from, int last)
{
    return value > from ? value - 1 : value == from ? last : value;
}

void RenumberList(TtsIntegerList& list, int from, int last)
{
    for (int i = 0; i < list.Count(); ++i)
        list.SetItems(i, Renumber(list.Items(i), from, last));
}

}  // namespace

void TtsGridRows::ParkRow(int dataRow)
{
    int last = rowCount_;
    if (dataRow < 1 || dataRow > last)
        return;
    int position = DisplayRownr(dataRow);
    // The display position goes to the end; the rows displayed after it
    // move up one place with their heights.
    if (position != last) {
        if (Reordered()) {
            auto first = displayToData_.begin();
            std::rotate(first + position, first + position + 1, first + last + 1);
        }
        if (visible_.Materialized())
            visible_.MoveItem(position, last);
        model::LayoutUpdate update(layoutUpdate_);
        grid_.BaseLayout().MoveRow(position, last);
    }
    if (dataRow == last)
        return;
    // Data numbers. In the identity order the two shifts cancel out: data
    // row r + 1 now shows at display row r.
    if (Reordered()) {
        for (int& d : displayToData_)
            d = Renumber(d, dataRow, last);
        for (int p = 0; p <= last; ++p)
            dataToDisplay_[static_cast<size_t>(displayToData_[static_cast<size_t>(p)])] = p;
    }
    std::vector<std::pair<int, std::unique_ptr<TtsRow>>> moved;
    for (auto it = rows_.lower_bound(dataRow); it != rows_.end(); it = rows_.erase(it))
        moved.emplace_back(Renumber(it->first, dataRow, last), std::move(it->second));
    for (auto& [d, row] : moved) {
        row->dataRow_ = d;
        rows_.emplace(d, std::move(row));
    }
    // Identifiers are never handed out again: from now on they are kept.
    if (ids_.empty()) {
        ids_.resize(static_cast<size_t>(last) + 1);
        for (int r = 0; r <= last; ++r)
            ids_[static_cast<size_t>(r)] = r + 1;
    }
    std::rotate(ids_.begin() + dataRow, ids_.begin() + dataRow + 1, ids_.begin() + last + 1);
    bool mark = RowChanged(dataRow);
    changed_.Delete(dataRow);
    changed_.Insert(last, mark);
    RenumberList(privateFontRows_, dataRow, last);
}

void TtsGridCols::ParkCol(int dataCol)
{
    int last = Cols();
    if (dataCol < 1 || dataCol > last)
        return;
    Reorder(dataCol, last);
    if (dataCol == last)
        return;
    std::rotate(cols_.begin() + dataCol, cols_.begin() + dataCol + 1, cols_.end());
    for (int d = dataCol; d <= last; ++d)
        cols_[static_cast<size_t>(d)]->dataCol_ = d;
    for (int& d : displayToData_)
        d = Renumber(d, dataCol, last);
    RenumberList(privateFontCols_, dataCol, last);
}

}  // namespace grid
