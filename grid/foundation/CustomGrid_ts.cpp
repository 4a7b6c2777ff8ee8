// TCustomGrid_ts: counts, extents, layout, hit testing, cell rectangles,
// invalidation, the current cell, column and row moves, grid resizing and
// filing. Scrolling lives in CustomGridScroll.cpp, the mouse in
// CustomGridMouse.cpp.
#include "grid/foundation/CustomGrid_ts.h"

#include <algorithm>

#include "platform/filing/Reader.h"
#include "platform/filing/Writer.h"

namespace grid {

CORE_CLASS_IMPL(TCustomGrid_ts)

namespace {

const char* const kIndexOutOfRange = "Grid index out of range";
const char* const kGridTooLarge = "Grid too large for operation";
const char* const kTooManyDeleted = "Too many rows or columns deleted";
const char* const kFixedColsTooBig = "Fixed column count must be less than column count";
const char* const kFixedRowsTooBig = "Fixed row count must be less than row count";

// Where a cell moves when the cell at `from` is taken out and put in at `to`.
void MoveAdjust(int& cell, int from, int to)
{
    if (cell == from) {
        cell = to;
        return;
    }
    int low = std::min(from, to);
    int high = std::max(from, to);
    if (cell >= low && cell <= high)
        cell += from > to ? 1 : -1;
}

TRect Mirror(const TRect& r, int width)
{
    return {width - r.Right, r.Top, width - r.Left, r.Bottom};
}

}  // namespace

// ---- Axis metrics -------------------------------------------------------------------

int64_t TGridAxisMetrics::PositionOf(int index) const
{
    int64_t pos;
    if (index < 0)
        return -1;
    if (index < FixedCount)
        pos = Extents->Sum(0, index, EffLineWidth);
    else if (index >= FirstCell)
        pos = FixedEnd + Extents->Sum(FirstCell, index, EffLineWidth);
    else
        return -1;
    return pos > ClientExtent ? -1 : pos;
}

int TGridAxisMetrics::CellAtPos(int pos) const
{
    if (pos < FixedEnd)
        return Extents->FindEnd(0, pos, EffLineWidth);
    int cell = Extents->FindEnd(FirstCell, static_cast<int64_t>(pos) - FixedEnd, EffLineWidth);
    return cell < CellCount ? cell : -1;
}

// ---- Construction -------------------------------------------------------------------

TCustomGrid_ts::TCustomGrid_ts(core::TComponent* owner)
    : ui::TCustomControl(owner), defaultCols_(colCount_, defaultColWidth_), defaultRows_(rowCount_, defaultRowHeight_)
{
    SetControlStyle(ui::TControlStyle{ui::csCaptureMouse, ui::csOpaque, ui::csDoubleClicks});
    SetColor(graphics::clWindow);
    SetTabStop(true);
    SetBounds(Left(), Top(), 5 * defaultColWidth_, 5 * defaultRowHeight_);
}

TCustomGrid_ts::~TCustomGrid_ts()
{
    if (timerRunning_ && HandleAllocated())
        ui::WindowManager().KillTimer(HandleOrNull(), 1);
}

void TCustomGrid_ts::InvalidOp(const AnsiString& text) const
{
    throw EInvalidGridOperation(text);
}

TGridOptions_ts TCustomGrid_ts::EffectiveOptions() const
{
    if (ComponentState().Contains(core::csDesigning))
        return options_ | designOptions_;
    return options_;
}

// ---- Counts -------------------------------------------------------------------------

void TCustomGrid_ts::SetColCount(int value)
{
    if (value == colCount_)
        return;
    value = std::max(value, 1);
    if (fixedCols_ >= value)
        SetFixedCols(value - 1);
    ResizeGrid(value, rowCount_);
    if (options_ & goRowSelect) {
        anchor_.X = colCount_ - 1;
        Invalidate();
    }
}

void TCustomGrid_ts::SetRowCount(int value)
{
    if (value == rowCount_)
        return;
    value = std::max(value, 1);
    if (fixedRows_ >= value)
        SetFixedRows(value - 1);
    ResizeGrid(colCount_, value);
}

void TCustomGrid_ts::ResetFixed()
{
    topLeft_ = {fixedCols_, fixedRows_};
    current_ = topLeft_;
    anchor_ = current_;
    if (options_ & goRowSelect)
        anchor_.X = colCount_ - 1;
    UpdateScrollRange();
    Invalidate();
}

void TCustomGrid_ts::SetFixedCols(int value)
{
    if (value == fixedCols_)
        return;
    if (value < 0)
        InvalidOp(kIndexOutOfRange);
    if (value >= colCount_)
        InvalidOp(kFixedColsTooBig);
    fixedCols_ = value;
    ResetFixed();
}

void TCustomGrid_ts::SetFixedRows(int value)
{
    if (value == fixedRows_)
        return;
    if (value < 0)
        InvalidOp(kIndexOutOfRange);
    if (value >= rowCount_)
        InvalidOp(kFixedRowsTooBig);
    fixedRows_ = value;
    ResetFixed();
}

// ---- Extents ------------------------------------------------------------------------

TtsExtentArray& TCustomGrid_ts::CreateExtents(std::optional<TtsExtentArray>& array, int count, int fill)
{
    if (!array) {
        if (count > MaxExtentCount)
            InvalidOp(kGridTooLarge);
        array.emplace(count, fill);
    }
    return *array;
}

int TCustomGrid_ts::ColWidths(int index) const
{
    if (!colWidths_ || index < 0 || index >= colCount_)
        return defaultColWidth_;
    return colWidths_->Get(index);
}

int TCustomGrid_ts::RowHeights(int index) const
{
    if (!rowHeights_ || index < 0 || index >= rowCount_)
        return defaultRowHeight_;
    return rowHeights_->Get(index);
}

bool TCustomGrid_ts::TabStops(int index) const
{
    if (!tabStops_ || index < 0 || index >= colCount_)
        return true;
    return tabStops_->Get(index) != 0;
}

void TCustomGrid_ts::SetColWidths(int index, int value)
{
    if (index < 0 || index >= colCount_)
        InvalidOp(kIndexOutOfRange);
    TtsExtentArray& widths = CreateExtents(colWidths_, colCount_, defaultColWidth_);
    if (widths.Get(index) != value) {
        widths.Set(index, value);
        ColWidthsChanged();
    }
}

void TCustomGrid_ts::SetRowHeights(int index, int value)
{
    if (index < 0 || index >= rowCount_)
        InvalidOp(kIndexOutOfRange);
    TtsExtentArray& heights = CreateExtents(rowHeights_, rowCount_, defaultRowHeight_);
    if (heights.Get(index) != value) {
        heights.Set(index, value);
        RowHeightsChanged();
    }
}

void TCustomGrid_ts::SetTabStops(int index, bool value)
{
    if (index < 0 || index >= colCount_)
        InvalidOp(kIndexOutOfRange);
    CreateExtents(tabStops_, colCount_, 1).Set(index, value ? 1 : 0);
}

void TCustomGrid_ts::SetDefaultColWidth(int value)
{
    colWidths_.reset();
    defaultColWidth_ = value;
    defaultCols_ = TtsExtentArray(colCount_, value);
    ColWidthsChanged();
    Invalidate();
}

void TCustomGrid_ts::SetDefaultRowHeight(int value)
{
    rowHeights_.reset();
    defaultRowHeight_ = value;
    defaultRows_ = TtsExtentArray(rowCount_, value);
    RowHeightsChanged();
    Invalidate();
}

void TCustomGrid_ts::ColWidthsChanged()
{
    UpdateScrollRange();
    Invalidate();
    UpdateEditor();
}

void TCustomGrid_ts::RowHeightsChanged()
{
    UpdateScrollRange();
    Invalidate();
    UpdateEditor();
}

// ---- Look and behaviour -------------------------------------------------------------

void TCustomGrid_ts::SetLineWidth(int value)
{
    if (value == lineWidth_)
        return;
    lineWidth_ = value;
    UpdateScrollRange();
    Invalidate();
}

void TCustomGrid_ts::SetOptions(TGridOptions_ts value)
{
    if (value == options_)
        return;
    if (value & goRowSelect)
        value &= static_cast<TGridOptions_ts>(~goAlwaysShowEditor);
    options_ = value;
    if (options_ & goAlwaysShowEditor)
        ShowEditor();
    else
        HideEditor();
    if (options_ & goRowSelect)
        MoveCurrent(current_.X, current_.Y, true, false);
    Invalidate();
}

void TCustomGrid_ts::SetBorderStyle(ui::TBorderStyle value)
{
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    RecreateWnd();
}

void TCustomGrid_ts::SetBaseScrollBars(ui::TScrollStyle value)
{
    if (value == scrollBars_)
        return;
    scrollBars_ = value;
    RecreateWnd();
}

void TCustomGrid_ts::SetFixedColor(graphics::TColor value)
{
    if (value == fixedColor_)
        return;
    fixedColor_ = value;
    Invalidate();
}

// ---- Layout -------------------------------------------------------------------------

TGridAxisMetrics TCustomGrid_ts::AxisMetrics(bool horizontal, int clientExtent) const
{
    TGridAxisMetrics m;
    TGridOptions_ts lineBits = horizontal ? (goFixedVertLines | goVertLines) : (goFixedHorzLines | goHorzLines);
    m.EffLineWidth = (options_ & lineBits) ? lineWidth_ : 0;
    m.Extents = horizontal ? &ColExtents() : &RowExtents();
    m.FixedCount = horizontal ? fixedCols_ : fixedRows_;
    m.FirstCell = horizontal ? topLeft_.X : topLeft_.Y;
    m.CellCount = horizontal ? colCount_ : rowCount_;
    m.ClientExtent = clientExtent;
    const TtsExtentArray& e = *m.Extents;
    int lw = m.EffLineWidth;
    m.FixedEnd = static_cast<int>(std::min<int64_t>(e.Sum(0, m.FixedCount, lw), INT32_MAX));
    m.GridEnd = m.FixedEnd;
    m.LastFullCell = m.FirstCell;
    m.FullVisibleEnd = m.FixedEnd;
    if (m.FirstCell >= m.CellCount)
        return m;
    // The first cell whose end lies beyond the client edge (its line may
    // stick out by one line width).
    int64_t room = static_cast<int64_t>(clientExtent) + lw - m.FixedEnd;
    int over = e.FindEnd(m.FirstCell, room, lw);
    if (over >= m.CellCount) {
        m.LastFullCell = m.CellCount - 1;
        m.GridEnd = static_cast<int>(m.FixedEnd + e.Sum(m.FirstCell, m.CellCount, lw));
        m.FullVisibleEnd = m.GridEnd;
        return m;
    }
    m.GridEnd = clientExtent;
    if (over > m.FirstCell) {
        m.LastFullCell = over - 1;
        m.FullVisibleEnd = static_cast<int>(m.FixedEnd + e.Sum(m.FirstCell, over, lw));
    }
    return m;
}

TGridMetrics TCustomGrid_ts::CalcMetrics(int clientWidth, int clientHeight) const
{
    return {AxisMetrics(true, clientWidth), AxisMetrics(false, clientHeight)};
}

TGridMetrics TCustomGrid_ts::CalcMetrics() const
{
    TRect client = ClientRect();
    return CalcMetrics(client.Width(), client.Height());
}

TGridCoord TCustomGrid_ts::CellAt(int x, int y) const
{
    TGridMetrics m = CalcMetrics();
    // Mirrored, pixel x of the client shows what pixel width - 1 - x shows
    // left to right, so that hits agree with CellRect to the pixel.
    if (UseRightToLeftAlignment())
        x = m.Horz.ClientExtent - 1 - x;
    TGridCoord cell{m.Horz.CellAtPos(x), m.Vert.CellAtPos(y)};
    if (cell.X < 0 || cell.Y < 0)
        return {-1, -1};
    return cell;
}

namespace {

// One axis of a range's rectangle; false when the range is not on screen.
bool RangeOnAxis(const TGridAxisMetrics& m, int low, int high, bool includeLine, int& start, int& end)
{
    if (low < 0)
        return false;
    if (low >= m.FixedCount && low < m.FirstCell) {
        // Starts among the cells scrolled away: only its visible part counts.
        if (high < m.FirstCell)
            return false;
        low = m.FirstCell;
    } else if (low < m.FixedCount && high >= m.FixedCount && high < m.FirstCell) {
        // From the fixed cells into the cells scrolled away: the fixed part.
        high = m.FixedCount - 1;
    }
    if (high > m.LastFullCell) {
        high = m.LastFullCell;
        if (high < m.CellCount - 1)
            ++high;
        if (m.PositionOf(high) < 0)
            --high;
    }
    int64_t first = m.PositionOf(low);
    if (first < 0)
        return false;
    int64_t last = m.PositionOf(high);
    int64_t stop = last < 0 ? first + std::max(m.ExtentOf(low), 0) : last + std::max(m.ExtentOf(high), 0);
    stop = std::min<int64_t>(stop, m.ClientExtent);
    if (includeLine)
        stop += m.EffLineWidth;
    start = static_cast<int>(first);
    end = static_cast<int>(stop);
    return true;
}

}  // namespace

TRect TCustomGrid_ts::RangeRect(const TGridRect& range, bool includeLine) const
{
    TRect result;
    if (range.Left > range.Right || range.Top > range.Bottom)
        return {};
    TGridMetrics m = CalcMetrics();
    if (range.Left > m.Horz.LastFullCell + 1 || range.Top > m.Vert.LastFullCell + 1)
        return {};
    if (!RangeOnAxis(m.Horz, range.Left, range.Right, includeLine, result.Left, result.Right) ||
        !RangeOnAxis(m.Vert, range.Top, range.Bottom, includeLine, result.Top, result.Bottom))
        return {};
    if (UseRightToLeftAlignment())
        result = Mirror(result, m.Horz.ClientExtent);
    return result;
}

TRect TCustomGrid_ts::CellRect(int col, int row) const
{
    return RangeRect({col, row, col, row});
}

namespace {

// The largest start cell from which the cells up to `last` fit between the
// fixed cells and the client edge. Cells of extent 0 or less take no room
// and are not chosen while a cell with room qualifies.
int MaxStart(const TGridAxisMetrics& m, int last)
{
    if (last < m.FixedCount)
        return last;
    const TtsExtentArray& e = *m.Extents;
    int lw = m.EffLineWidth;
    int64_t room = static_cast<int64_t>(m.ClientExtent) + lw - m.FixedEnd;
    int64_t total = e.SumPositive(m.FixedCount, last + 1, lw);
    int first = m.FixedCount;
    if (total > room) {
        // Skip the cells whose extents must leave the screen.
        first = e.FindPositiveEnd(m.FixedCount, total - room, lw) + 1;
    }
    int candidate = e.NextPositive(first);
    if (candidate <= last)
        return candidate;
    // Not even `last` fits: it stays the start, or the nearest cell before
    // it that has room when `last` has none.
    if (e.Get(last) > 0)
        return last;
    int previous = e.PreviousPositive(last);
    return previous >= m.FixedCount ? previous : last;
}

}  // namespace

TGridCoord TCustomGrid_ts::MaxTopLeftFor(TGridCoord last, const TGridMetrics& metrics) const
{
    return {MaxStart(metrics.Horz, last.X), MaxStart(metrics.Vert, last.Y)};
}

TGridCoord TCustomGrid_ts::MaxTopLeft() const
{
    return MaxTopLeftFor({colCount_ - 1, rowCount_ - 1}, CalcMetrics());
}

int TCustomGrid_ts::VisibleColCount() const
{
    TGridMetrics m = CalcMetrics();
    return m.Horz.LastFullCell - topLeft_.X + 1;
}

int TCustomGrid_ts::VisibleRowCount() const
{
    TGridMetrics m = CalcMetrics();
    return m.Vert.LastFullCell - topLeft_.Y + 1;
}

// ---- Invalidation -------------------------------------------------------------------

void TCustomGrid_ts::InvalidateRange(const TGridRect& range)
{
    if (!HandleAllocated())
        return;
    TRect r = RangeRect(range, true);
    if (!r.IsEmpty())
        HandleOrNull()->Invalidate(&r, false);
}

void TCustomGrid_ts::InvalidateCell(int col, int row)
{
    InvalidateRange({col, row, col, row});
}

void TCustomGrid_ts::InvalidateCol(int col)
{
    InvalidateRange({col, 0, col, rowCount_ - 1});
}

void TCustomGrid_ts::InvalidateRow(int row)
{
    InvalidateRange({0, row, colCount_ - 1, row});
}

void TCustomGrid_ts::InvalidateSelectionChange(const TGridRect& oldSelection)
{
    TGridRect now = Selection();
    if (!HandleAllocated() || now == oldSelection)
        return;
    graphics::TRegion changed(RangeRect(oldSelection, true));
    changed.Xor(graphics::TRegion(RangeRect(now, true)));
    if (!changed.IsEmpty())
        HandleOrNull()->InvalidateRegion(changed, false);
}

// ---- Current cell and selection -----------------------------------------------------

TGridRect TCustomGrid_ts::Selection() const
{
    return {std::min(current_.X, anchor_.X), std::min(current_.Y, anchor_.Y), std::max(current_.X, anchor_.X),
            std::max(current_.Y, anchor_.Y)};
}

bool TCustomGrid_ts::SelectCell(int, int)
{
    return true;
}

void TCustomGrid_ts::MoveCurrent(int col, int row, bool moveAnchor, bool show)
{
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_)
        InvalidOp(kIndexOutOfRange);
    if (!SelectCell(col, row))
        return;
    TGridRect oldSelection = Selection();
    TGridCoord oldCurrent = current_;
    current_ = {col, row};
    if (!(options_ & goAlwaysShowEditor))
        HideEditor();
    if (moveAnchor || !(options_ & goRangeSelect)) {
        anchor_ = current_;
        if (options_ & goRowSelect)
            anchor_.X = colCount_ - 1;
    }
    // Whole rows are selected: the current column is the first scrolled one.
    if (options_ & goRowSelect)
        current_.X = fixedCols_;
    if (show)
        ScrollIntoView(current_.X, current_.Y);
    InvalidateSelectionChange(oldSelection);
    InvalidateCell(oldCurrent.X, oldCurrent.Y);
    InvalidateCell(current_.X, current_.Y);
    UpdateEditor();
}

void TCustomGrid_ts::MoveAnchor(int col, int row)
{
    if ((options_ & (goRangeSelect | goEditing)) != goRangeSelect) {
        MoveCurrent(col, row, true, true);
        return;
    }
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_)
        InvalidOp(kIndexOutOfRange);
    TGridRect oldSelection = Selection();
    anchor_ = {col, row};
    if (options_ & goRowSelect)
        anchor_.X = colCount_ - 1;
    ScrollIntoView(col, row);
    InvalidateSelectionChange(oldSelection);
}

// ---- Editor -------------------------------------------------------------------------

bool TCustomGrid_ts::CanShowEditor() const
{
    return (options_ & (goRowSelect | goEditing)) == goEditing && !ComponentState().Contains(core::csDesigning) &&
           HandleAllocated();
}

void TCustomGrid_ts::ShowEditor()
{
    if (!CanShowEditor())
        return;
    if (!editor_)
        editor_ = CreateEditor();
    editorMode_ = true;
    editorCol_ = current_.X;
    editorRow_ = current_.Y;
    UpdateEditor();
}

void TCustomGrid_ts::HideEditor()
{
    editorMode_ = false;
    if (editor_)
        editor_->Hide();
}

void TCustomGrid_ts::SetEditorMode(bool value)
{
    if (value)
        ShowEditor();
    else
        HideEditor();
}

void TCustomGrid_ts::UpdateEditor()
{
    if (!editor_ || !editorMode_)
        return;
    editorCol_ = current_.X;
    editorRow_ = current_.Y;
    TRect r = CellRect(current_.X, current_.Y);
    if (r.IsEmpty()) {
        editor_->Hide();
        return;
    }
    editor_->SetBoundsRect(r);
    editor_->Show();
}

// ---- Column and row moves -----------------------------------------------------------

void TCustomGrid_ts::MoveCell(bool columns, int from, int to)
{
    int count = columns ? colCount_ : rowCount_;
    if (from < 0 || to < 0 || from >= count || to >= count)
        InvalidOp(kIndexOutOfRange);
    if (from == to)
        return;
    if (columns) {
        if (colWidths_)
            colWidths_->Move(from, to);
        if (tabStops_)
            tabStops_->Move(from, to);
        MoveAdjust(current_.X, from, to);
        MoveAdjust(anchor_.X, from, to);
        MoveAdjust(editorCol_, from, to);
        // Every visible cell of the columns between the two places.
        InvalidateRange({std::min(from, to), 0, std::max(from, to), rowCount_ - 1});
        ColumnMoved(from, to);
        if (colWidths_)
            ColWidthsChanged();
    } else {
        if (rowHeights_)
            rowHeights_->Move(from, to);
        MoveAdjust(current_.Y, from, to);
        MoveAdjust(anchor_.Y, from, to);
        MoveAdjust(editorRow_, from, to);
        InvalidateRange({0, std::min(from, to), colCount_ - 1, std::max(from, to)});
        RowMoved(from, to);
        if (rowHeights_)
            RowHeightsChanged();
    }
    UpdateEditor();
}

void TCustomGrid_ts::MoveColumn(int from, int to)
{
    MoveCell(true, from, to);
}

void TCustomGrid_ts::MoveRow(int from, int to)
{
    MoveCell(false, from, to);
}

void TCustomGrid_ts::DeleteCol(int index)
{
    MoveColumn(index, colCount_ - 1);
    SetColCount(colCount_ - 1);
}

void TCustomGrid_ts::DeleteRow(int index)
{
    MoveRow(index, rowCount_ - 1);
    SetRowCount(rowCount_ - 1);
}

// ---- Resizing -----------------------------------------------------------------------

void TCustomGrid_ts::ResizeGrid(int newColCount, int newRowCount)
{
    if (newColCount < 0 || newRowCount < 0)
        InvalidOp(kTooManyDeleted);
    if (((colWidths_ || tabStops_) && newColCount > MaxExtentCount) || (rowHeights_ && newRowCount > MaxExtentCount))
        InvalidOp(kGridTooLarge);

    // What a failure puts back: the arrays are resized in place and their
    // cut-off ends kept, so they return exactly as they were.
    const int oldColCount = colCount_;
    const int oldRowCount = rowCount_;
    const int oldFixedCols = fixedCols_;
    const int oldFixedRows = fixedRows_;
    const TGridCoord oldTopLeft = topLeft_;
    const TGridCoord oldCurrent = current_;
    const TGridCoord oldAnchor = anchor_;
    std::optional<TGridMetrics> oldMetrics;
    if (HandleAllocated())
        oldMetrics = CalcMetrics();
    struct Resized {
        std::optional<TtsExtentArray>* array;
        int oldCount;
        TtsExtentArray tail;
        bool done = false;
    };
    Resized resized[3] = {{&colWidths_, oldColCount, {}}, {&tabStops_, oldColCount, {}}, {&rowHeights_, oldRowCount, {}}};

    try {
        colCount_ = newColCount;
        rowCount_ = newRowCount;
        if (fixedCols_ >= colCount_)
            fixedCols_ = std::max(colCount_ - 1, 0);
        if (fixedRows_ >= rowCount_)
            fixedRows_ = std::max(rowCount_ - 1, 0);
        defaultCols_ = TtsExtentArray(colCount_, defaultColWidth_);
        defaultRows_ = TtsExtentArray(rowCount_, defaultRowHeight_);
        for (int i = 0; i < 3; ++i) {
            Resized& r = resized[i];
            if (*r.array) {
                r.tail = (*r.array)->Resize(i < 2 ? colCount_ : rowCount_);
                r.done = true;
            }
        }
        current_.X = std::clamp(current_.X, 0, std::max(colCount_ - 1, 0));
        current_.Y = std::clamp(current_.Y, 0, std::max(rowCount_ - 1, 0));
        anchor_.X = std::clamp(anchor_.X, 0, std::max(colCount_ - 1, 0));
        anchor_.Y = std::clamp(anchor_.Y, 0, std::max(rowCount_ - 1, 0));
        // A top-left that no longer exists would leave a grid in which no
        // cell shows: the largest useful one takes its place.
        if (topLeft_.X >= colCount_ || topLeft_.Y >= rowCount_) {
            TGridCoord best = MaxTopLeft();
            if (topLeft_.X >= colCount_)
                topLeft_.X = best.X;
            if (topLeft_.Y >= rowCount_)
                topLeft_.Y = best.Y;
        }
        if (topLeft_ != oldTopLeft) {
            Invalidate();
        } else if (oldMetrics) {
            // Only what lies from the first changed cell to the client edge.
            TGridMetrics now = CalcMetrics();
            TRect client = ClientRect();
            if (colCount_ != oldColCount) {
                int64_t pos = now.Horz.PositionOf(std::min(oldMetrics->Horz.LastFullCell, now.Horz.LastFullCell));
                if (pos >= 0) {
                    TRect strip{static_cast<int>(pos), 0, client.Right, client.Bottom};
                    if (UseRightToLeftAlignment())
                        strip = Mirror(strip, client.Right);
                    HandleOrNull()->Invalidate(&strip, false);
                }
            }
            if (rowCount_ != oldRowCount) {
                int64_t pos = now.Vert.PositionOf(std::min(oldMetrics->Vert.LastFullCell, now.Vert.LastFullCell));
                if (pos >= 0) {
                    TRect strip{0, static_cast<int>(pos), client.Right, client.Bottom};
                    HandleOrNull()->Invalidate(&strip, false);
                }
            }
        }
        UpdateScrollRange();
        SizeChanged(oldColCount, oldRowCount);
    } catch (...) {
        colCount_ = oldColCount;
        rowCount_ = oldRowCount;
        fixedCols_ = oldFixedCols;
        fixedRows_ = oldFixedRows;
        defaultCols_ = TtsExtentArray(colCount_, defaultColWidth_);
        defaultRows_ = TtsExtentArray(rowCount_, defaultRowHeight_);
        for (Resized& r : resized) {
            if (!r.done)
                continue;
            TtsExtentArray& array = **r.array;
            if (array.Count() > r.oldCount)
                array.Resize(r.oldCount);
            else
                array.Restore(std::move(r.tail));
        }
        topLeft_ = oldTopLeft;
        current_ = oldCurrent;
        anchor_ = oldAnchor;
        Invalidate();
        throw;
    }
}

// ---- Filing -------------------------------------------------------------------------

namespace {

void WriteExtents(filing::TWriter& writer, const TtsExtentArray& extents)
{
    writer.WriteListBegin();
    extents.ForEachRun([&](int, int count, int value) {
        for (int i = 0; i < count; ++i)
            writer.WriteInteger(value);
    });
    writer.WriteListEnd();
}

// Whether a descendant's array must be written: it differs from the
// ancestor's (an absent array differs from a present one).
bool ExtentsDiffer(const std::optional<TtsExtentArray>& mine, const std::optional<TtsExtentArray>* ancestors)
{
    if (!ancestors)
        return mine.has_value();
    if (mine.has_value() != ancestors->has_value())
        return true;
    return mine && !(*mine == **ancestors);
}

}  // namespace

void TCustomGrid_ts::DefineProperties(core::TFiler& filer)
{
    ui::TCustomControl::DefineProperties(filer);
    if (!storeExtents_)
        return;
    auto* ancestor = dynamic_cast<TCustomGrid_ts*>(filer.Ancestor());
    // A list sets the extents from index 0 up to the current count; values
    // beyond the count are read and passed over.
    auto reader = [this](bool columns) {
        return [this, columns](filing::TReader& r) {
            r.ReadListBegin();
            for (int i = 0; !r.EndOfList(); ++i) {
                int value = r.ReadInteger();
                if (columns && i < colCount_)
                    SetColWidths(i, value);
                else if (!columns && i < rowCount_)
                    SetRowHeights(i, value);
            }
            r.ReadListEnd();
        };
    };
    filer.DefineProperty(
        "ColWidths", reader(true), [this](filing::TWriter& w) { WriteExtents(w, *colWidths_); },
        ExtentsDiffer(colWidths_, ancestor ? &ancestor->colWidths_ : nullptr));
    filer.DefineProperty(
        "RowHeights", reader(false), [this](filing::TWriter& w) { WriteExtents(w, *rowHeights_); },
        ExtentsDiffer(rowHeights_, ancestor ? &ancestor->rowHeights_ : nullptr));
}

// ---- Window -------------------------------------------------------------------------

void TCustomGrid_ts::CreateParams(ui::TCreateParams& params)
{
    ui::TCustomControl::CreateParams(params);
    params.Style |= ui::WS_TABSTOP;
    if (scrollBars_ == ui::ssVertical || scrollBars_ == ui::ssBoth)
        params.Style |= ui::WS_VSCROLL;
    if (scrollBars_ == ui::ssHorizontal || scrollBars_ == ui::ssBoth)
        params.Style |= ui::WS_HSCROLL;
    if (borderStyle_ == ui::bsSingle) {
        if (Ctl3D())
            params.ExStyle |= ui::WS_EX_CLIENTEDGE;
        else
            params.Style |= ui::WS_BORDER;
    }
}

void TCustomGrid_ts::CreateWnd()
{
    ui::TCustomControl::CreateWnd();
    UpdateScrollRange();
}

void TCustomGrid_ts::Paint()
{
    graphics::TCanvas* canvas = Canvas();
    TGridMetrics m = CalcMetrics();
    const int width = m.Horz.ClientExtent;
    bool rtl = UseRightToLeftAlignment();
    TRect clip = canvas->ClipRect();
    TRect area = rtl ? Mirror(clip, width) : clip;  // left-to-right coordinates

    canvas->Brush()->SetStyle(graphics::bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(clip);
    // The lines: the grid's area in the line colour, then the cells over it.
    TRect grid{0, 0, std::min(m.Horz.GridEnd, width), std::min(m.Vert.GridEnd, m.Vert.ClientExtent)};
    if (m.Horz.EffLineWidth > 0 || m.Vert.EffLineWidth > 0) {
        canvas->Brush()->SetColor(graphics::clSilver);
        canvas->FillRect(rtl ? Mirror(grid, width) : grid);
    }

    // The cells of one axis that meet [from, to): the fixed ones, then the
    // scrolled ones from the first that reaches `from` until the clip ends.
    // Cells without room are stepped over in one search.
    auto forEachCell = [](const TGridAxisMetrics& a, int from, int to, auto&& paint) {
        const TtsExtentArray& e = *a.Extents;
        int lw = a.EffLineWidth;
        auto walk = [&](int cell, int64_t pos, int endCell) {
            while (cell < endCell && pos < to && pos <= a.ClientExtent) {
                int extent = std::max(e.Get(cell), 0);
                if (extent + lw == 0) {
                    cell = e.FindEnd(cell, 0, lw);
                    continue;
                }
                if (pos + extent + lw > from)
                    paint(cell, static_cast<int>(pos), static_cast<int>(pos + extent));
                pos += extent + lw;
                ++cell;
            }
        };
        if (from < a.FixedEnd) {
            int cell = e.FindEnd(0, std::max(from, 0), lw);
            walk(cell, e.Sum(0, cell, lw), a.FixedCount);
        }
        int start = std::max<int64_t>(from, a.FixedEnd);
        int cell = e.FindEnd(a.FirstCell, start - a.FixedEnd, lw);
        walk(cell, a.FixedEnd + e.Sum(a.FirstCell, cell, lw), a.CellCount);
    };

    TGridRect selection = Selection();
    bool focused = Focused();
    forEachCell(m.Vert, area.Top, area.Bottom, [&](int row, int top, int bottom) {
        forEachCell(m.Horz, area.Left, area.Right, [&](int col, int left, int right) {
            TGridDrawState_ts state = 0;
            if (col < fixedCols_ || row < fixedRows_) {
                state |= gdFixed;
            } else {
                if (col >= selection.Left && col <= selection.Right && row >= selection.Top && row <= selection.Bottom)
                    state |= gdSelected;
                if (focused && col == current_.X && row == current_.Y)
                    state |= gdFocused;
            }
            TRect r{left, top, std::min(right, width), std::min(bottom, m.Vert.ClientExtent)};
            if (rtl)
                r = Mirror(r, width);
            if (state & gdFixed) {
                canvas->Brush()->SetColor(fixedColor_);
            } else {
                canvas->Brush()->SetColor(Color());
            }
            DrawCell(col, row, r, state);
        });
    });
}

void TCustomGrid_ts::WndProc(ui::TMessage& m)
{
    switch (m.Msg) {
    case ui::WM_GETDLGCODE:
        m.Result = ui::DLGC_WANTARROWS;
        if (!(options_ & goRowSelect)) {
            if (options_ & goTabKeys)
                m.Result |= ui::DLGC_WANTTAB;
            if (options_ & goEditing)
                m.Result |= ui::DLGC_WANTCHARS;
        }
        return;
    case ui::WM_NCHITTEST: {
        TPoint p = ScreenToClient({static_cast<int16_t>(ui::LoWord(m.LParam)), ui::SignedHiWord(m.LParam)});
        hitX_ = p.X;
        hitY_ = p.Y;
        break;
    }
    case ui::WM_SETCURSOR:
        if (ui::LoWord(m.LParam) == ui::HTCLIENT && HandleAllocated()) {
            TPoint p = ScreenToClient(ui::WindowManager().CursorPos());
            int index, pos, offset;
            TGridSizingState state = sizingState_;
            if (state == gsNormal)
                state = SizingStateAt(p.X, p.Y, CalcMetrics(), index, pos, offset);
            if (state == gsColSizing || state == gsRowSizing) {
                ui::WindowManager().SetCursor(state == gsColSizing ? ui::crHSplit : ui::crVSplit);
                m.Result = 1;
                return;
            }
        }
        break;
    case ui::WM_TIMER:
        if (m.WParam == 1) {
            TimerTick();
            return;
        }
        break;
    case ui::WM_CANCELMODE:
        if (sizingState_ != gsNormal)
            CancelMode();
        break;
    case ui::WM_CAPTURECHANGED:
        // Releasing the button lets the capture go before MouseUp ends the
        // state; only a capture lost while the button is held cancels.
        if (sizingState_ != gsNormal && ControlState().Contains(ui::csLButtonDown))
            CancelMode();
        break;
    case ui::WM_HSCROLL:
    case ui::WM_VSCROLL:
        ScrollBarRequest(m.Msg == ui::WM_HSCROLL, ui::LoWord(m.WParam), ui::HiWord(m.WParam));
        return;
    case ui::WM_SIZE:
        ui::TCustomControl::WndProc(m);
        UpdateScrollRange();
        return;
    default:
        break;
    }
    ui::TCustomControl::WndProc(m);
}

}  // namespace grid
