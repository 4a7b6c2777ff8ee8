// The column list: column objects, display order, hiding and sizing in the
// base layout, and the grid-level properties kept in column 0.
#include "grid/model/GridCols.h"

#include <algorithm>

#include "grid/foundation/CustomGrid_ts.h"
#include "grid/foundation/EInvalidGridOperation.h"
#include "grid/model/GridModelHost.h"
#include "grid/model/ModelHelpers.h"
#include "platform/core/Format.h"
#include "platform/core/StrUtils.h"
#include "platform/core/Variant.h"

namespace grid {

core::AnsiString IGridModelHost::GridErrorName() const
{
    return BaseLayout().Name();
}


namespace {

constexpr int kRowBarWidth = 14;

}  // namespace

TtsGridCols::TtsGridCols(IGridModelHost& grid) : grid_(grid)
{
    // Column 0, the row bar.
    auto bar = std::make_unique<TtsCol>(&grid_);
    bar->colId_ = nextId_++;
    bar->width_ = bar->designWidth_ = kRowBarWidth;
    cols_.push_back(std::move(bar));
    displayToData_.push_back(0);
    TCustomGrid_ts& layout = grid_.BaseLayout();
    {
        model::LayoutUpdate update(layoutUpdate_);
        layout.SetColCount(1);
    }
    ApplyLayoutWidth(*cols_[0]);
}

TtsGridCols::~TtsGridCols() = default;

TtsCol* TtsGridCols::Items(int dataCol) const
{
    return dataCol >= 0 && dataCol < Count() ? cols_[static_cast<size_t>(dataCol)].get() : nullptr;
}

void TtsGridCols::Error(const AnsiString& text) const
{
    throw EInvalidGridOperation(grid_.GridErrorName() + ": " + text);
}

void TtsGridCols::SetCols(int cols)
{
    // The layout's size-change hook may lead back here while the count is
    // being changed; the change under way finishes the work.
    if (layoutUpdate_ > 0)
        return;
    cols = std::max(cols, 0);
    int old = Cols();
    if (cols == old)
        return;
    TCustomGrid_ts& layout = grid_.BaseLayout();
    if (cols < old) {
        // The columns that go are moved to the end of the display order
        // first, so that the layout's last positions are theirs.
        for (int dataCol = cols + 1; dataCol <= old; ++dataCol)
            Reorder(dataCol, old);
        for (int dataCol = old; dataCol > cols; --dataCol)
            privateFontCols_.Remove(dataCol);
        cols_.resize(static_cast<size_t>(cols) + 1);
        displayToData_.resize(static_cast<size_t>(cols) + 1);
        model::LayoutUpdate update(layoutUpdate_);
        layout.SetColCount(cols + 1);
    } else {
        {
            model::LayoutUpdate update(layoutUpdate_);
            layout.SetColCount(cols + 1);
        }
        for (int dataCol = old + 1; dataCol <= cols; ++dataCol) {
            auto col = std::make_unique<TtsCol>(&grid_);
            col->dataCol_ = dataCol;
            col->displayCol_ = dataCol;
            col->colId_ = nextId_++;
            col->width_ = col->designWidth_ = layout.ColWidths(dataCol);
            cols_.push_back(std::move(col));
            displayToData_.push_back(dataCol);
        }
    }
    visible_.SetItemCount(cols);
    SetFixedColCount(fixedColCount_);
}

void TtsGridCols::RemoveCol(int dataCol)
{
    if (dataCol < 1 || dataCol > Cols())
        return;
    grid_.UnselectCol(dataCol);
    int last = Cols();
    int from = cols_[static_cast<size_t>(dataCol)]->displayCol_;
    if (Reorder(dataCol, last))
        grid_.ColSelectionMoved(from, last);
    visible_.SetItemCount(last - 1);
    cols_.erase(cols_.begin() + dataCol);
    displayToData_.pop_back();
    for (int& d : displayToData_)
        if (d > dataCol)
            --d;
    for (int d = dataCol; d < static_cast<int>(cols_.size()); ++d)
        cols_[static_cast<size_t>(d)]->dataCol_ = d;
    privateFontCols_.Remove(dataCol);
    for (int i = 0; i < privateFontCols_.Count(); ++i)
        if (privateFontCols_.Items(i) > dataCol)
            privateFontCols_.SetItems(i, privateFontCols_.Items(i) - 1);
    {
        model::LayoutUpdate update(layoutUpdate_);
        grid_.BaseLayout().SetColCount(last);
    }
    SetFixedColCount(fixedColCount_);
}

TtsCol* TtsGridCols::Col(int dataCol) const
{
    if (dataCol < 1 || dataCol > Cols())
        Error(core::Format("Column index %d out of range", dataCol));
    return Items(dataCol);
}

TtsCol* TtsGridCols::Col(const AnsiString& fieldName) const
{
    for (int dataCol = 1; dataCol <= Cols(); ++dataCol)
        if (core::SameText(cols_[static_cast<size_t>(dataCol)]->FieldName(), fieldName))
            return Items(dataCol);
    Error(core::Format("Unknown field name '%s'", fieldName));
}

TtsCol* TtsGridCols::Col(const core::Variant& index) const
{
    switch (index.VarType()) {
    case core::varSmallint:
    case core::varInteger:
    case core::varByte:
    case core::varInt64:
        return Col(static_cast<int>(index.AsInteger()));
    case core::varString:
    case core::varOleStr:
        return Col(index.AsString());
    default:
        return nullptr;
    }
}

int TtsGridCols::FindColById(int id) const
{
    for (int dataCol = 0; dataCol < Count(); ++dataCol)
        if (cols_[static_cast<size_t>(dataCol)]->colId_ == id)
            return dataCol;
    return -1;
}

// ---- Display order ------------------------------------------------------------------

int TtsGridCols::DisplayColnr(int dataCol) const
{
    if (dataCol < 1 || dataCol > Cols())
        return -1;
    return cols_[static_cast<size_t>(dataCol)]->displayCol_;
}

int TtsGridCols::DataColnr(int displayCol) const
{
    if (displayCol < 0 || displayCol > Cols())
        return -1;
    return displayToData_[static_cast<size_t>(displayCol)];
}

bool TtsGridCols::InVisibleRange(int displayCol) const
{
    const TCustomGrid_ts& layout = grid_.BaseLayout();
    if (displayCol < layout.FixedCols())
        return true;
    return displayCol >= layout.LeftCol() && displayCol <= layout.LeftCol() + layout.VisibleColCount();
}

bool TtsGridCols::Reorder(int dataCol, int toDisplay)
{
    TtsCol& col = *cols_[static_cast<size_t>(dataCol)];
    int from = col.displayCol_;
    if (from == toDisplay)
        return false;
    // The columns between shift one place toward `from`.
    auto first = displayToData_.begin();
    if (from < toDisplay)
        std::rotate(first + from, first + from + 1, first + toDisplay + 1);
    else
        std::rotate(first + toDisplay, first + from, first + from + 1);
    for (int p = std::min(from, toDisplay); p <= std::max(from, toDisplay); ++p)
        cols_[static_cast<size_t>(displayToData_[static_cast<size_t>(p)])]->displayCol_ = p;
    if (visible_.Materialized())
        visible_.MoveItem(from, toDisplay);
    // The layout's widths move with their columns; the layout's own current
    // and anchor columns follow.
    model::LayoutUpdate update(layoutUpdate_);
    grid_.BaseLayout().MoveColumn(from, toDisplay);
    return true;
}

void TtsGridCols::MoveCol(int dataCol, int toDisplay)
{
    if (dataCol < 1 || dataCol > Cols() || toDisplay < 1 || toDisplay > Cols())
        return;
    int from = cols_[static_cast<size_t>(dataCol)]->displayCol_;
    if (!Reorder(dataCol, toDisplay))
        return;
    grid_.ColSelectionMoved(from, toDisplay);
    if (grid_.CurrentDataCol() > 0) {
        int current = grid_.CurrentDataCol();
        int currentPos = DisplayColnr(current);
        int oldPos = currentPos;
        // Where the current column was before the move.
        if (current == dataCol)
            oldPos = from;
        else if (from < toDisplay && currentPos >= from && currentPos < toDisplay)
            oldPos = currentPos + 1;
        else if (from > toDisplay && currentPos > toDisplay && currentPos <= from)
            oldPos = currentPos - 1;
        if (oldPos != currentPos)
            grid_.CurrentColMoved(currentPos);
    }
    if (!grid_.Reading())
        grid_.DoColMoved(toDisplay, 1, false);
    if (InVisibleRange(from) || InVisibleRange(toDisplay))
        grid_.InvalidateGrid();
    grid_.UpdateScrollRange();
    grid_.RefreshEditor();
}

// ---- Widths ------------------------------------------------------------------------------

void TtsGridCols::SetLayoutWidth(int displayCol, int width)
{
    TCustomGrid_ts& layout = grid_.BaseLayout();
    if (displayCol < 0 || displayCol >= layout.ColCount() || layout.ColWidths(displayCol) == width)
        return;
    {
        model::LayoutUpdate update(layoutUpdate_);
            layout.SetColWidths(displayCol, width);
    }
}

void TtsGridCols::ApplyLayoutWidth(const TtsCol& col)
{
    SetLayoutWidth(col.displayCol_, col.visible_ ? col.width_ : 0);
}

void TtsGridCols::LayoutWidthsChanged()
{
    if (layoutUpdate_ > 0)
        return;
    const TCustomGrid_ts& layout = grid_.BaseLayout();
    bool design = grid_.Reading() || grid_.IsDropDownGrid();
    for (int dataCol = 1; dataCol < Count(); ++dataCol) {
        TtsCol& col = *cols_[static_cast<size_t>(dataCol)];
        int width = layout.ColWidths(col.displayCol_);
        if (col.visible_ || width > 0) {
            col.width_ = width;
            if (design)
                col.designWidth_ = width;
        }
        if (!col.visible_)
            SetLayoutWidth(col.displayCol_, 0);
    }
    TtsCol& bar = *cols_[0];
    SetLayoutWidth(0, bar.visible_ ? bar.width_ : 0);
    grid_.DoColResized(-1);
}

int TtsGridCols::DefaultColWidth() const
{
    return grid_.BaseLayout().DefaultColWidth();
}

void TtsGridCols::SetDefaultColWidth(int value)
{
    value = std::max(value, 1);
    TCustomGrid_ts& layout = grid_.BaseLayout();
    {
        model::LayoutUpdate update(layoutUpdate_);
            layout.SetDefaultColWidth(value);
    }
    // Every column takes the new default; hidden ones and the row bar keep
    // their layout widths of 0 and RowBarWidth.
    for (int dataCol = 1; dataCol < Count(); ++dataCol) {
        TtsCol& col = *cols_[static_cast<size_t>(dataCol)];
        col.width_ = value;
        if (grid_.Reading() || grid_.IsDropDownGrid())
            col.designWidth_ = value;
        if (!col.visible_)
            SetLayoutWidth(col.displayCol_, 0);
    }
    ApplyLayoutWidth(*cols_[0]);
    grid_.DoColResized(-1);
}

// ---- Fixed columns and the row bar ----------------------------------------------------------

void TtsGridCols::SetFixedColCount(int value)
{
    if (value < 0)
        return;
    fixedColCount_ = value;
    TCustomGrid_ts& layout = grid_.BaseLayout();
    // The row bar counts; the layout keeps at least one scrolled column.
    int fixed = std::min(Cols(), value + 1);
    fixed = std::min(fixed, layout.ColCount() - 1);
    fixed = std::max(fixed, 0);
    if (fixed == layout.FixedCols())
        return;
    bool shown = grid_.HideEditor();
    layout.SetFixedCols(fixed);
    layout.SetLeftCol(layout.LeftCol());
    if (shown)
        grid_.ShowEditor();
    grid_.InvalidateGrid();
}

bool TtsGridCols::RowBarOn() const
{
    return cols_[0]->Visible();
}

void TtsGridCols::SetRowBarOn(bool value)
{
    cols_[0]->SetVisible(value);
}

int TtsGridCols::RowBarWidth() const
{
    return cols_[0]->Width();
}

void TtsGridCols::SetRowBarWidth(int value)
{
    cols_[0]->SetWidth(value);
}

// ---- Fonts ---------------------------------------------------------------------------------

void TtsGridCols::PrivateFontChanged(const TtsCol& col)
{
    if (col.PrivateFont()) {
        if (privateFontCols_.IndexOf(col.dataCol_) < 0)
            privateFontCols_.Add(col.dataCol_);
    } else {
        privateFontCols_.Remove(col.dataCol_);
    }
}

void TtsGridCols::GridFontChanged()
{
    for (int i = 0; i < privateFontCols_.Count(); ++i)
        if (TtsCol* col = Items(privateFontCols_.Items(i)))
            col->GridFontChanged();
}

}  // namespace grid
