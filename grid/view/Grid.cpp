#include "grid/view/Grid.h"

#include "platform/core/TypeInfo.h"

namespace grid {

CORE_CLASS_IMPL(TtsGrid)

namespace {

// The events are members of TtsCustomGrid; the builder wants them as
// members of the publishing class.
template <typename E>
E TtsGrid::* Member(E TtsCustomGrid::* member)
{
    return static_cast<E TtsGrid::*>(member);
}

}  // namespace

void TtsGrid::Publish(core::PropertyList& list)
{
    core::PropBuilder<TtsGrid> p(list);
    // The counts are always filed.
    p.Integer("Cols", &TtsGrid::Cols, &TtsGrid::SetCols).NoDefault();
    p.Integer("Rows", &TtsGrid::Rows, &TtsGrid::SetRows).NoDefault();
    p.Boolean("StoreData", &TtsGrid::StoreData, &TtsGrid::SetStoreData).Default(false);
    p.String("CheckBoxValues", &TtsGrid::CheckBoxValues, &TtsGrid::SetCheckBoxValues);
    p.Enum("GridMode", &TtsGrid::GridMode, &TtsGrid::SetGridMode).Default(gmEdit);
    p.Enum("CellSelectMode", &TtsGrid::CellSelectMode, &TtsGrid::SetCellSelectMode).Default(cmRange);
    p.Enum("RowSelectMode", &TtsGrid::RowSelectMode, &TtsGrid::SetRowSelectMode).Default(rsMulti);
    p.Enum("ColSelectMode", &TtsGrid::ColSelectMode, &TtsGrid::SetColSelectMode).Default(csMulti);
    p.Boolean("SelectFixed", &TtsGrid::SelectFixed, &TtsGrid::SetSelectFixed).Default(true);
    p.Enum("DrawOverlap", &TtsGrid::DrawOverlap, &TtsGrid::SetDrawOverlap).Default(doDrawColOnTop);
    p.Integer("FixedColCount", &TtsGrid::FixedColCount, &TtsGrid::SetFixedColCount).Default(0);
    p.Integer("FixedRowCount", &TtsGrid::FixedRowCount, &TtsGrid::SetFixedRowCount).Default(0);
    p.Integer("DefaultColWidth", &TtsGrid::DefaultColWidth, &TtsGrid::SetDefaultColWidth).Default(64);
    p.Integer("DefaultRowHeight", &TtsGrid::DefaultRowHeight, &TtsGrid::SetDefaultRowHeight).Default(14);
    p.Boolean("ColMoving", &TtsGrid::ColMoving, &TtsGrid::SetColMoving).Default(true);
    p.Boolean("RowMoving", &TtsGrid::RowMoving, &TtsGrid::SetRowMoving).Default(true);
    p.String("Version", &TtsGrid::Version, &TtsGrid::SetVersion);
    p.Event("OnCellLoaded", Member(&TtsGrid::OnCellLoaded), "TtsCellLoadedEvent");
    p.Event("OnRowLoaded", Member(&TtsGrid::OnRowLoaded), "TtsRowLoadedEvent");
    p.Event("OnCellEdit", Member(&TtsGrid::OnCellEdit), "TtsCellEditEvent");
    p.Event("OnRowCountChanged", Member(&TtsGrid::OnRowCountChanged), "TtsRowCountChangedEvent");
    p.Event("OnColCountChanged", Member(&TtsGrid::OnColCountChanged), "TtsColCountChangedEvent");
    p.Event("OnDeleteRow", Member(&TtsGrid::OnDeleteRow), "TtsDeleteRowEvent");
    p.Event("OnDeleteCol", Member(&TtsGrid::OnDeleteCol), "TtsDeleteColEvent");
    p.Event("OnInsertRow", Member(&TtsGrid::OnInsertRow), "TtsInsertRowEvent");
    p.Event("OnInsertCol", Member(&TtsGrid::OnInsertCol), "TtsInsertColEvent");
    p.Event("OnSelectChanged", Member(&TtsGrid::OnSelectChanged), "TtsSelectChangedEvent");
    p.Event("OnGridStatusChanged", Member(&TtsGrid::OnGridStatusChanged), "TtsGridStatusChangedEvent");
    p.Event("OnColChanged", Member(&TtsGrid::OnColChanged), "TtsColChangedEvent");
    p.Event("OnRowChanged", Member(&TtsGrid::OnRowChanged), "TtsRowChangedEvent");
    p.Event("OnCellChanged", Member(&TtsGrid::OnCellChanged), "TtsCellChangedEvent");
    p.Event("OnTopLeftChanged", Member(&TtsGrid::OnTopLeftChanged), "TtsTopLeftChangedEvent");
}

}  // namespace grid
