#include "grid/view/CustomGrid.h"

namespace grid {

CORE_CLASS_IMPL(TtsCustomGrid)

void TtsCustomGrid::LoadCell(int dataCol, int dataRow, TtsControlType type, Variant& value)
{
    if (dataRow != lastLoadedRow_) {
        lastLoadedRow_ = dataRow;
        DoRowLoaded(dataRow);
    }
    if (OnCellLoaded) {
        inCellLoaded_ = true;
        struct ClearFlag {
            bool& flag;
            ~ClearFlag() { flag = false; }
        } clear{inCellLoaded_};
        DoCellLoaded(dataCol, dataRow, value);
    }
    TtsBaseGrid::LoadCell(dataCol, dataRow, type, value);
}

void TtsCustomGrid::DoRowLoaded(int dataRow)
{
    OnRowLoaded(this, dataRow);
}

void TtsCustomGrid::DoCellLoaded(int dataCol, int dataRow, Variant& value)
{
    OnCellLoaded(this, dataCol, dataRow, value);
}

void TtsCustomGrid::DoCellEdit(int dataCol, const Variant& rowKey, bool byUser)
{
    OnCellEdit(this, dataCol, RowOfKey(rowKey), byUser);
}

void TtsCustomGrid::DoRowCountChanged(int oldCount, int newCount)
{
    OnRowCountChanged(this, oldCount, newCount);
}

void TtsCustomGrid::DoColCountChanged(int oldCount, int newCount)
{
    OnColCountChanged(this, oldCount, newCount);
}

void TtsCustomGrid::DoDeleteRow(const Variant& rowKey, bool byUser)
{
    OnDeleteRow(this, RowOfKey(rowKey), byUser);
}

void TtsCustomGrid::DoDeleteCol(int dataCol, bool byUser)
{
    OnDeleteCol(this, dataCol, byUser);
}

void TtsCustomGrid::DoSelectChanged(TtsSelectType type, bool byUser)
{
    OnSelectChanged(this, type, byUser);
}

void TtsCustomGrid::DoGridStatusChanged(TtsGridStatus oldStatus, TtsGridStatus newStatus)
{
    OnGridStatusChanged(this, oldStatus, newStatus);
}

void TtsCustomGrid::DoColChanged(int oldCol, int newCol)
{
    OnColChanged(this, oldCol, newCol);
}

void TtsCustomGrid::DoRowChanged(const Variant& oldRow, const Variant& newRow)
{
    OnRowChanged(this, RowOfKey(oldRow), RowOfKey(newRow));
}

void TtsCustomGrid::DoCellChanged(int oldCol, int newCol, const Variant& oldRow, const Variant& newRow)
{
    OnCellChanged(this, oldCol, newCol, RowOfKey(oldRow), RowOfKey(newRow));
}

void TtsCustomGrid::DoTopLeftChanged(int oldCol, int oldRow, int newCol, int newRow, bool byUser)
{
    OnTopLeftChanged(this, oldCol, oldRow, newCol, newRow, byUser);
}

}  // namespace grid
