// The row list: sparse row objects, display order, hidden rows, heights,
// identifiers and row-changed marks.
#include "grid/model/GridRows.h"

#include <algorithm>

#include "grid/foundation/CustomGrid_ts.h"
#include "grid/foundation/EInvalidGridOperation.h"
#include "grid/foundation/ExtentArray.h"
#include "grid/model/GridModelHost.h"
#include "grid/model/ModelHelpers.h"
#include "platform/core/Format.h"

namespace grid {

namespace {

constexpr int kDefaultRowHeight = 14;
constexpr int kHeadingHeight = 15;

}  // namespace

TtsGridRows::TtsGridRows(IGridModelHost& grid) : grid_(grid)
{
    TCustomGrid_ts& layout = grid_.BaseLayout();
    {
        model::LayoutUpdate update(layoutUpdate_);
        layout.SetRowCount(1);
        layout.SetDefaultRowHeight(kDefaultRowHeight);
    }
    auto heading = std::make_unique<TtsRow>(&grid_);
    TtsRow& row = *heading;
    rows_.emplace(0, std::move(heading));
    row.heading_ = true;
    row.height_ = row.designHeight_ = kHeadingHeight;
    ApplyLayoutHeight(row);
    defaultRow_ = std::make_unique<TtsRow>(&grid_);
    changed_.SetSize(1);
}

TtsGridRows::~TtsGridRows() = default;

void TtsGridRows::Error(const AnsiString& text) const
{
    throw EInvalidGridOperation(grid_.GridErrorName() + ": " + text);
}

// ---- Count ----------------------------------------------------------------------------

void TtsGridRows::SetRowCount(int rows)
{
    // The layout's size-change hook may lead back here while the count is
    // being changed; the change under way finishes the work.
    if (layoutUpdate_ > 0)
        return;
    rows = std::max(rows, 0);
    int old = rowCount_;
    if (rows == old)
        return;
    if (rows < old) {
        Shrink(rows);
    } else {
        {
            model::LayoutUpdate update(layoutUpdate_);
            grid_.BaseLayout().SetRowCount(rows + 1);
        }
        if (Reordered()) {
            for (int r = old + 1; r <= rows; ++r) {
                dataToDisplay_.push_back(r);
                displayToData_.push_back(r);
            }
        }
        if (!ids_.empty()) {
            for (int r = old + 1; r <= rows; ++r)
                ids_.push_back(nextId_++);
        } else {
            nextId_ = rows + 2;
        }
        rowCount_ = rows;
        visible_.SetItemCount(rows);
    }
    if (rows < old && changedCount_ > 0) {
        changedCount_ = 0;
        for (int r = 1; r <= rows; ++r)
            changedCount_ += changed_.Bits(r) ? 1 : 0;
    }
    changed_.SetSize(rows + 1);
    SetFixedRowCount(fixedRowCount_);
}

void TtsGridRows::Shrink(int rows)
{
    int old = rowCount_;
    TCustomGrid_ts& layout = grid_.BaseLayout();
    // Identifiers must not be handed out again: from now on they are kept.
    if (ids_.empty()) {
        ids_.resize(static_cast<size_t>(old) + 1);
        for (int r = 0; r <= old; ++r)
            ids_[static_cast<size_t>(r)] = r + 1;
    }
    ids_.resize(static_cast<size_t>(rows) + 1);
    rows_.erase(rows_.upper_bound(rows), rows_.end());
    for (int r = old; r > rows; --r)
        privateFontRows_.Remove(r);
    if (!Reordered()) {
        model::LayoutUpdate update(layoutUpdate_);
        layout.SetRowCount(rows + 1);
        rowCount_ = rows;
        visible_.SetItemCount(rows);
        return;
    }
    // The rows that stay keep their order; the display positions close up.
    // The layout's heights that differ from the default are carried to the
    // new positions.
    std::vector<int> newPos(static_cast<size_t>(old) + 1, -1);
    std::vector<int> order;
    order.reserve(static_cast<size_t>(rows) + 1);
    for (int p = 0; p <= old; ++p) {
        int d = displayToData_[static_cast<size_t>(p)];
        if (d <= rows) {
            newPos[static_cast<size_t>(p)] = static_cast<int>(order.size());
            order.push_back(d);
        }
    }
    std::vector<std::pair<int, int>> heights;
    int fill = layout.DefaultRowHeight();
    layout.RowExtents().ForEachRun([&](int first, int count, int value) {
        if (value == fill)
            return;
        for (int p = first; p < first + count && p <= old; ++p)
            if (newPos[static_cast<size_t>(p)] >= 0)
                heights.emplace_back(newPos[static_cast<size_t>(p)], value);
    });
    {
        model::LayoutUpdate update(layoutUpdate_);
        layout.SetRowCount(rows + 1);
        layout.SetDefaultRowHeight(fill);
        for (auto [p, h] : heights)
            layout.SetRowHeights(p, h);
    }
    displayToData_ = std::move(order);
    dataToDisplay_.assign(static_cast<size_t>(rows) + 1, 0);
    for (int p = 0; p <= rows; ++p)
        dataToDisplay_[static_cast<size_t>(displayToData_[static_cast<size_t>(p)])] = p;
    rowCount_ = rows;
    // The visible list anew: the hidden rows that are left.
    bool wasMaterialized = visible_.Materialized();
    visible_.Reset(rows);
    if (wasMaterialized)
        for (auto& [d, row] : rows_)
            if (d > 0 && !row->visible_)
                visible_.Remove(DisplayRownr(d));
}

void TtsGridRows::RemoveRow(int dataRow)
{
    if (dataRow < 1 || dataRow > rowCount_)
        return;
    TCustomGrid_ts& layout = grid_.BaseLayout();
    grid_.UnselectRow(dataRow);
    // The row goes to the last display position, closing its gap.
    int position = DisplayRownr(dataRow);
    int last = rowCount_;
    if (position != last) {
        EnsureOrder();
        auto first = displayToData_.begin();
        std::rotate(first + position, first + position + 1, first + last + 1);
        for (int p = position; p <= last; ++p)
            dataToDisplay_[static_cast<size_t>(displayToData_[static_cast<size_t>(p)])] = p;
        if (visible_.Materialized())
            visible_.MoveItem(position, last);
        {
            model::LayoutUpdate update(layoutUpdate_);
            layout.MoveRow(position, last);
        }
        grid_.RowSelectionMoved(position, last);
    }
    visible_.SetItemCount(last - 1);
    // The higher data rows take the next lower numbers.
    if (Reordered()) {
        dataToDisplay_.erase(dataToDisplay_.begin() + dataRow);
        displayToData_.pop_back();
        for (int& d : displayToData_)
            if (d > dataRow)
                --d;
    }
    rows_.erase(dataRow);
    for (auto it = rows_.upper_bound(dataRow); it != rows_.end();) {
        auto node = rows_.extract(it++);
        node.key() -= 1;
        node.mapped()->dataRow_ = node.key();
        rows_.insert(std::move(node));
    }
    privateFontRows_.Remove(dataRow);
    for (int i = 0; i < privateFontRows_.Count(); ++i)
        if (privateFontRows_.Items(i) > dataRow)
            privateFontRows_.SetItems(i, privateFontRows_.Items(i) - 1);
    if (ids_.empty()) {
        ids_.resize(static_cast<size_t>(last) + 1);
        for (int r = 0; r <= last; ++r)
            ids_[static_cast<size_t>(r)] = r + 1;
    }
    ids_.erase(ids_.begin() + dataRow);
    if (RowChanged(dataRow))
        --changedCount_;
    if (changedCount_ > 0)
        for (int r = dataRow; r < last; ++r)
            changed_.SetBits(r, changed_.Bits(r + 1));
    changed_.SetSize(last);
    rowCount_ = last - 1;
    {
        model::LayoutUpdate update(layoutUpdate_);
        layout.SetRowCount(rowCount_ + 1);
    }
    SetFixedRowCount(fixedRowCount_);
}

// ---- Row objects -------------------------------------------------------------------------

TtsRow* TtsGridRows::Items(int dataRow) const
{
    auto it = rows_.find(dataRow);
    return it == rows_.end() ? nullptr : it->second.get();
}

TtsRow& TtsGridRows::Ensure(int dataRow)
{
    if (TtsRow* row = Items(dataRow))
        return *row;
    if (dataRow < 0 || dataRow > rowCount_)
        Error(core::Format("Row index %d out of range", dataRow));
    auto created = std::make_unique<TtsRow>(&grid_);
    created->dataRow_ = dataRow;
    int position = DisplayRownr(dataRow);
    created->height_ = created->designHeight_ = grid_.BaseLayout().RowHeights(position);
    TtsRow& row = *created;
    rows_.emplace(dataRow, std::move(created));
    return row;
}

void TtsGridRows::Prune(int dataRow)
{
    if (dataRow == 0)
        return;
    auto it = rows_.find(dataRow);
    if (it != rows_.end() && it->second->IsDefault())
        rows_.erase(it);
}

void TtsGridRows::CheckRowIndex(int dataRow) const
{
    if (dataRow < 1 || dataRow > rowCount_)
        Error(core::Format("Row index %d out of range", dataRow));
}

const TtsRow& TtsGridRows::Row(int dataRow) const
{
    CheckRowIndex(dataRow);
    return RowOrDefault(dataRow);
}

const TtsRow& TtsGridRows::RowOrDefault(int dataRow) const
{
    TtsRow* row = Items(dataRow);
    if (row)
        return *row;
    // The shared row stays at every default, whatever a reader did to it.
    defaultRow_->dataRow_ = 0;
    defaultRow_->height_ = defaultRow_->designHeight_ = DefaultRowHeight();
    defaultRow_->font_.reset();
    defaultRow_->parentFont_ = true;
    return *defaultRow_;
}

// ---- Identifiers -----------------------------------------------------------------------------

int TtsGridRows::RowId(int dataRow) const
{
    if (dataRow < 0 || dataRow > rowCount_)
        return 0;
    return ids_.empty() ? dataRow + 1 : ids_[static_cast<size_t>(dataRow)];
}

int TtsGridRows::FindRowById(int id) const
{
    if (ids_.empty())
        return id >= 1 && id <= rowCount_ + 1 ? id - 1 : -1;
    auto it = std::lower_bound(ids_.begin(), ids_.end(), id);
    if (it == ids_.end() || *it != id)
        return -1;
    return static_cast<int>(it - ids_.begin());
}

// ---- Display order ---------------------------------------------------------------------------

int TtsGridRows::DisplayRownr(int dataRow) const
{
    if (dataRow < 1 || dataRow > rowCount_)
        return dataRow == 0 ? 0 : -1;
    return Reordered() ? dataToDisplay_[static_cast<size_t>(dataRow)] : dataRow;
}

int TtsGridRows::DataRownr(int displayRow) const
{
    if (displayRow < 0 || displayRow > rowCount_)
        return -1;
    return Reordered() ? displayToData_[static_cast<size_t>(displayRow)] : displayRow;
}

void TtsGridRows::EnsureOrder()
{
    if (Reordered())
        return;
    dataToDisplay_.resize(static_cast<size_t>(rowCount_) + 1);
    for (int r = 0; r <= rowCount_; ++r)
        dataToDisplay_[static_cast<size_t>(r)] = r;
    displayToData_ = dataToDisplay_;
}

bool TtsGridRows::InVisibleRange(int displayRow) const
{
    const TCustomGrid_ts& layout = grid_.BaseLayout();
    if (displayRow < layout.FixedRows())
        return true;
    return displayRow >= layout.TopRow() && displayRow <= layout.TopRow() + layout.VisibleRowCount();
}

void TtsGridRows::MoveRow(int dataRow, int toDisplay)
{
    if (dataRow < 1 || dataRow > rowCount_ || toDisplay < 1 || toDisplay > rowCount_)
        return;
    int from = DisplayRownr(dataRow);
    if (from == toDisplay)
        return;
    EnsureOrder();
    auto first = displayToData_.begin();
    if (from < toDisplay)
        std::rotate(first + from, first + from + 1, first + toDisplay + 1);
    else
        std::rotate(first + toDisplay, first + from, first + from + 1);
    for (int p = std::min(from, toDisplay); p <= std::max(from, toDisplay); ++p)
        dataToDisplay_[static_cast<size_t>(displayToData_[static_cast<size_t>(p)])] = p;
    if (visible_.Materialized())
        visible_.MoveItem(from, toDisplay);
    {
        // The heights move with their rows; the layout's own current and
        // anchor rows follow.
        model::LayoutUpdate update(layoutUpdate_);
        grid_.BaseLayout().MoveRow(from, toDisplay);
    }
    grid_.RowSelectionMoved(from, toDisplay);
    int current = grid_.CurrentDataRow();
    if (current > 0) {
        int now = DisplayRownr(current);
        int before = now;
        if (current == dataRow)
            before = from;
        else if (from < toDisplay && now >= from && now < toDisplay)
            before = now + 1;
        else if (from > toDisplay && now > toDisplay && now <= from)
            before = now - 1;
        if (before != now)
            grid_.CurrentRowMoved(now);
    }
    if (!grid_.Reading())
        grid_.DoRowMoved(toDisplay, 1, false);
    if (InVisibleRange(from) || InVisibleRange(toDisplay))
        grid_.InvalidateGrid();
    grid_.UpdateScrollRange();
    grid_.RefreshEditor();
}

// ---- Row-changed marks ------------------------------------------------------------------------

bool TtsGridRows::RowChanged(int dataRow) const
{
    return dataRow >= 0 && dataRow < changed_.Size() && changed_.Bits(dataRow);
}

void TtsGridRows::SetRowChanged(int dataRow, bool value)
{
    if (dataRow < 1 || dataRow > rowCount_ || RowChanged(dataRow) == value)
        return;
    changed_.SetBits(dataRow, value);
    changedCount_ += value ? 1 : -1;
    if (!value && grid_.CurrentDataRow() == dataRow)
        grid_.CurrentRowChangeCleared();
    grid_.InvalidateRowBar(dataRow);
}

// ---- Heights ---------------------------------------------------------------------------------

void TtsGridRows::SetLayoutHeight(int displayRow, int height)
{
    TCustomGrid_ts& layout = grid_.BaseLayout();
    if (displayRow < 0 || displayRow >= layout.RowCount() || layout.RowHeights(displayRow) == height)
        return;
    model::LayoutUpdate update(layoutUpdate_);
    layout.SetRowHeights(displayRow, height);
}

void TtsGridRows::ApplyLayoutHeight(const TtsRow& row)
{
    SetLayoutHeight(row.dataRow_ == 0 ? 0 : DisplayRownr(row.dataRow_), row.visible_ ? row.height_ : 0);
}

void TtsGridRows::LayoutHeightsChanged(bool sameForAll)
{
    if (layoutUpdate_ > 0)
        return;
    const TCustomGrid_ts& layout = grid_.BaseLayout();
    int fill = layout.DefaultRowHeight();
    // Rows that have objects take their layout heights.
    for (auto& [d, row] : rows_) {
        if (d == 0)
            continue;
        int height = layout.RowHeights(DisplayRownr(d));
        if (row->visible_ || height > 0) {
            row->height_ = height;
            if (!sameForAll)
                row->designHeight_ = height;
        }
    }
    // Rows without objects need one only where the layout height differs
    // from the default: only such runs are visited.
    std::vector<std::pair<int, int>> differing;
    layout.RowExtents().ForEachRun([&](int first, int count, int value) {
        if (value == fill)
            return;
        for (int p = std::max(first, 1); p < first + count && p <= rowCount_; ++p)
            differing.emplace_back(p, value);
    });
    for (auto [p, height] : differing) {
        int d = DataRownr(p);
        if (d <= 0 || Items(d))
            continue;
        TtsRow& row = Ensure(d);
        row.height_ = height;
        if (!sameForAll)
            row.designHeight_ = height;
    }
    // Hidden rows and the heading row keep their own layout heights.
    for (auto& [d, row] : rows_)
        if (d == 0 || !row->visible_)
            ApplyLayoutHeight(*row);
    for (auto it = rows_.begin(); it != rows_.end();) {
        if (it->first != 0 && it->second->IsDefault())
            it = rows_.erase(it);
        else
            ++it;
    }
    grid_.DoRowResized(-1);
}

int TtsGridRows::DefaultRowHeight() const
{
    return grid_.BaseLayout().DefaultRowHeight();
}

void TtsGridRows::SetDefaultRowHeight(int value)
{
    value = std::max(value, 1);
    {
        model::LayoutUpdate update(layoutUpdate_);
        grid_.BaseLayout().SetDefaultRowHeight(value);
    }
    // Every data row takes the new default until set again.
    for (auto& [d, row] : rows_) {
        if (d == 0)
            continue;
        row->height_ = value;
        row->designHeight_ = value;
    }
    for (auto& [d, row] : rows_)
        if (d == 0 || !row->visible_)
            ApplyLayoutHeight(*row);
    for (auto it = rows_.begin(); it != rows_.end();) {
        if (it->first != 0 && it->second->IsDefault())
            it = rows_.erase(it);
        else
            ++it;
    }
    grid_.DoRowResized(-1);
}

// ---- Fixed rows and the heading row -------------------------------------------------------------

void TtsGridRows::SetFixedRowCount(int value)
{
    if (value < 0)
        return;
    fixedRowCount_ = value;
    TCustomGrid_ts& layout = grid_.BaseLayout();
    int fixed = std::max(std::min(layout.RowCount() - 1, value + 1), 0);
    if (fixed == layout.FixedRows())
        return;
    bool shown = grid_.HideEditor();
    layout.SetFixedRows(fixed);
    layout.SetTopRow(layout.TopRow());
    if (shown)
        grid_.ShowEditor();
    grid_.InvalidateGrid();
}

bool TtsGridRows::HeadingOn() const
{
    return Items(0)->Visible();
}

void TtsGridRows::SetHeadingOn(bool value)
{
    Items(0)->SetVisible(value);
}

int TtsGridRows::HeadingHeight() const
{
    return Items(0)->Height();
}

void TtsGridRows::SetHeadingHeight(int value)
{
    Items(0)->SetHeight(value);
}

// ---- Fonts ------------------------------------------------------------------------------------

void TtsGridRows::PrivateFontChanged(const TtsRow& row)
{
    if (row.PrivateFont()) {
        if (privateFontRows_.IndexOf(row.dataRow_) < 0)
            privateFontRows_.Add(row.dataRow_);
    } else {
        privateFontRows_.Remove(row.dataRow_);
    }
}

void TtsGridRows::GridFontChanged()
{
    for (int i = 0; i < privateFontRows_.Count(); ++i)
        if (TtsRow* row = Items(privateFontRows_.Items(i)))
            row->GridFontChanged();
    Items(0)->GridFontChanged();
}

}  // namespace grid
