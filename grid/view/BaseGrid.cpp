#include "grid/view/BaseGrid.h"

#include <algorithm>

#include "platform/core/Format.h"
#include "platform/graphics/Canvas.h"

namespace grid {

CORE_CLASS_IMPL(TtsBaseGrid)

TtsBaseGrid::TtsBaseGrid(core::TComponent* owner)
    : TCustomGrid_ts(owner), selection_(*this), currentCell_(*this)
{
    colList_ = std::make_unique<TtsGridCols>(*this);
    rowList_ = std::make_unique<TtsGridRows>(*this);
    cellSettings_ = std::make_unique<TtsCellSettings>(*this);
    ApplyCounts(cols_, rows_);
    selection_.SetColSize(ColCount());
    selection_.SetRowSize(RowCount());
    curDataCol_ = DataColnr(CurCol());
    curDataRow_ = DataRownr(CurRow());
    reportedCol_ = curDataCol_;
    reportedRow_ = curDataRow_;
    reportedTopLeft_ = {LeftCol(), TopRow()};
}

TtsBaseGrid::~TtsBaseGrid()
{
    // The settings, rows and columns talk to the grid while they go.
    cellSettings_.reset();
    rowList_.reset();
    colList_.reset();
}

void TtsBaseGrid::GridError(const AnsiString& text) const
{
    throw EInvalidGridOperation(GridErrorName() + ": " + text);
}

std::unique_ptr<core::TPersistent> TtsBaseGrid::CreateCombo()
{
    GridError("Cannot create combo box. Method CreateCombo has not been not implemented in derived class");
}

// ---- Counts ---------------------------------------------------------------------

void TtsBaseGrid::ApplyCounts(int newCols, int newRows)
{
    colList_->SetCols(newCols);
    rowList_->SetRowCount(newRows);
}

void TtsBaseGrid::UpdateStoreHints()
{
    if (!store_)
        return;
    store_->SetRowsHint(Rows());
    store_->SetColsHint(Rows() > 256 ? std::min(Cols(), 256) : Cols());
}

void TtsBaseGrid::SetCols(int value)
{
    if (colsPending_ != 0)
        return;
    value = std::max(value, 0);
    if (value == cols_)
        return;
    if (curDataCol_ > value && !EndEdit())
        return;
    HideEditor();
    int old = cols_;
    {
        PaintLock lock(*this);
        // The columns above the new count leave without OnDeleteCol.
        if (store_)
            for (int col = cols_; col > value; --col)
                store_->ClearCol(col);
        if (curDataCol_ > value)
            curDataCol_ = -1;
        cols_ = value;
        ApplyCounts(cols_, rows_);
        selection_.SetColSize(ColCount());
        UpdateStoreHints();
        PlaceCurrentCell();
    }
    if (!Loading())
        DoColCountChanged(old, value);
    selection_.ReportChanges(false);
    ReportTopLeft(false);
}

void TtsBaseGrid::SetRows(int value)
{
    if (rowsPending_ != 0)
        return;
    value = std::max(value, 0);
    if (value == rows_)
        return;
    if (curDataRow_ > value && !EndEdit())
        return;
    HideEditor();
    int old = rows_;
    {
        PaintLock lock(*this);
        // Rows above the new count leave without OnDeleteRow; none of them
        // moves another, so they go at once.
        if (store_ && value < rows_)
            store_->ClearRows(value + 1, true);
        if (curDataRow_ > value) {
            curDataRow_ = -1;
            currentCell_.ClearPending();
        }
        rows_ = value;
        ApplyCounts(cols_, rows_);
        selection_.SetRowSize(RowCount());
        UpdateStoreHints();
        PlaceCurrentCell();
    }
    if (!Loading())
        DoRowCountChanged(old, value);
    selection_.ReportChanges(false);
    ReportTopLeft(false);
}

void TtsBaseGrid::SizeChanged(int, int)
{
    // The layout's counts follow the data counts; nothing else to do here.
}

// ---- Store ----------------------------------------------------------------------

void TtsBaseGrid::SetStoreData(bool value)
{
    if (value == StoreData())
        return;
    if (value) {
        store_ = std::make_unique<Tts2DStorage>(Cols(), Rows());
        UpdateStoreHints();
    } else {
        store_.reset();
        pictureNames_.Clear();
    }
    Invalidate();
}

void TtsBaseGrid::SetCheckBoxValues(const AnsiString& value)
{
    if (!CheckBoxValuesValid(value))
        GridError(kCheckBoxValuesText);
    if (value == checkBoxValues_)
        return;
    checkBoxValues_ = value;
    Invalidate();
}

bool TtsBaseGrid::RowChanged(int dataRow) const
{
    return rowList_->RowChanged(dataRow);
}

void TtsBaseGrid::SetRowChanged(int dataRow, bool value)
{
    rowList_->CheckRowIndex(dataRow);
    rowList_->SetRowChanged(dataRow, value);
}

// ---- Control type ----------------------------------------------------------------

TtsControlType TtsBaseGrid::CellControlType(int dataCol, int dataRow) const
{
    if (dataCol < 1 || dataCol > Cols() || dataRow < 1 || dataRow > Rows())
        return ctNone;
    return cellSettings_->EffectiveControlType(dataCol, dataRow);
}

void TtsBaseGrid::SetDrawOverlap(TtsDrawOverlap value)
{
    if (value == drawOverlap_)
        return;
    drawOverlap_ = value;
    PruneValues(0, 0);
    Invalidate();
}

void TtsBaseGrid::CellSettingChanged(int dataCol, int dataRow, bool)
{
    if (HandleAllocated() && !PaintSuspended())
        InvalidateCell(DisplayColnr(dataCol), DisplayRownr(dataRow));
}

// ---- Cell reads --------------------------------------------------------------------

Variant TtsBaseGrid::Cell(int dataCol, int dataRow)
{
    if (dataCol < 1 || dataCol > Cols() || dataRow < 1 || dataRow > Rows())
        return {};
    TtsControlType type = CellControlType(dataCol, dataRow);
    if (type == ctNone)
        return {};
    if (currentCell_.HasPendingFor(dataCol, dataRow))
        return currentCell_.PendingValue();
    if (inCellLoaded_)
        GridError(kCellReadInLoadText);
    Variant value;
    if (store_) {
        value = store_->GetValue(dataCol, dataRow);
        if (type == ctPicture) {
            if (value.VarType() == core::varInt64)
                value = PictureCellValue(value);
            else if (value.IsString())
                value = Variant(pictureNames_.Resolve(value.AsString(), imageList_));
        }
    }
    // The mark goes however the load ends, so that no later write reaches a
    // value that is no longer being loaded.
    reading_ = {true, dataCol, dataRow, &value};
    struct ClearMark {
        CellRead& read;
        ~ClearMark() { read = {}; }
    } clear{reading_};
    LoadCell(dataCol, dataRow, type, value);
    return value;
}

void TtsBaseGrid::LoadCell(int, int, TtsControlType type, Variant& value)
{
    CheckLoaded(type, value);
}

void TtsBaseGrid::CheckLoaded(TtsControlType type, Variant& value) const
{
    if (value.IsEmpty())
        return;
    if (Designing()) {
        if (type == ctText && value.VarType() != core::varString)
            value = Variant(value.AsString());
        return;
    }
    TtsValueError error = CheckLoadedValue(type, value);
    if (error != veNone)
        GridError(ValueErrorText(error));
}

// ---- Cell writes -------------------------------------------------------------------

void TtsBaseGrid::SetCell(int dataCol, int dataRow, const Variant& value)
{
    if (dataCol < 1 || dataCol > Cols() || dataRow < 1 || dataRow > Rows())
        return;
    TtsControlType type = CellControlType(dataCol, dataRow);
    Variant scratch;
    TtsStoredKind kind;
    TtsValueError error;
    const Variant& typed = TypeCellValue(type, value, scratch, kind, error);
    if (error != veNone)
        GridError(ValueErrorText(error));
    bool current = dataCol == curDataCol_ && dataRow == curDataRow_;
    if (store_) {
        if (kind == skEmpty)
            store_->ClearCell(dataCol, dataRow);
        else if (kind == skPictureName && Designing())
            StoreValue(dataCol, dataRow, type, typed);
        else
            store_->SetValue(dataCol, dataRow, kind, typed);
    }
    bool loading = reading_.active && reading_.col == dataCol && reading_.row == dataRow;
    if (loading) {
        // Written from inside the cell's own load: the value being loaded.
        *reading_.value = kind == skEmpty ? Variant() : kind == skBitmap ? PictureCellValue(typed) : typed;
        return;
    }
    if (store_ && !current) {
        if (HandleAllocated())
            InvalidateCell(DisplayColnr(dataCol), DisplayRownr(dataRow));
        return;
    }
    if (current && currentCell_.HasPendingFor(dataCol, dataRow))
        currentCell_.StorePending(kind == skEmpty ? Variant() : typed);
    if (HandleAllocated())
        InvalidateCell(DisplayColnr(dataCol), DisplayRownr(dataRow));
}

void TtsBaseGrid::StoreValue(int dataCol, int dataRow, TtsControlType, const Variant& value)
{
    int shiftFrom = -1;
    AnsiString stored = pictureNames_.Encode(value.AsString(), imageList_, shiftFrom);
    if (shiftFrom >= 0) {
        // A new image list sorted in before others: every stored name that
        // points at them moves along.
        for (int row = 1; row < store_->RowSlots(); ++row)
            for (int col = 1; col <= store_->Lengths(row); ++col)
                if (store_->KindOf(col, row) == skPictureName)
                    store_->SetValue(col, row, skPictureName,
                                     Variant(TtsPictureNames::ShiftListIndex(store_->GetValue(col, row).AsString(),
                                                                             shiftFrom)));
    }
    store_->SetValue(dataCol, dataRow, skPictureName, Variant(stored));
}

void TtsBaseGrid::PruneValues(int dataCol, int dataRow)
{
    if (!store_ || Loading())
        return;
    auto prune = [&](int col, int row) {
        TtsStoredKind kind = store_->KindOf(col, row);
        if (kind != skEmpty && !KindFitsControlType(CellControlType(col, row), kind))
            store_->ClearCell(col, row);
    };
    int lastRow = std::min(store_->LastRow(), Rows());
    for (int row = dataRow > 0 ? dataRow : 1; row <= (dataRow > 0 ? std::min(dataRow, lastRow) : lastRow); ++row) {
        int lastCol = std::min(store_->Lengths(row), Cols());
        if (dataCol > 0) {
            if (dataCol <= lastCol)
                prune(dataCol, row);
        } else {
            for (int col = 1; col <= lastCol; ++col)
                prune(col, row);
        }
    }
}

void TtsBaseGrid::CommitCellEdit(int dataCol, int dataRow, bool byUser)
{
    if (store_ && currentCell_.HasPendingFor(dataCol, dataRow)) {
        Variant pending = currentCell_.PendingValue();
        currentCell_.ClearPending();
        SetCell(dataCol, dataRow, pending);
    }
    DoCellEdit(dataCol, Variant(int32_t{dataRow}), byUser);
}

// ---- Painting ---------------------------------------------------------------------------

void TtsBaseGrid::Paint()
{
    lastLoadedRow_ = -1;
    TCustomGrid_ts::Paint();
}

// NOTE: the plain look of cells (text on the window colour) until the cell
// painter takes over; it reads every value through the load step.
void TtsBaseGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState_ts state)
{
    graphics::TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor((state & gdFixed) ? FixedColor() : graphics::clWindow);
    canvas->FillRect(rect);
    int dataCol = DataColnr(col), dataRow = DataRownr(row);
    if ((state & gdFixed) || dataCol < 1 || dataRow < 1)
        return;
    if (CellControlType(dataCol, dataRow) != ctText)
        return;
    Variant value = Cell(dataCol, dataRow);
    if (value.IsEmpty() || value.IsNull())
        return;
    canvas->TextRect(rect, rect.Left + 2, rect.Top + 1, value.AsString());
}

}  // namespace grid
