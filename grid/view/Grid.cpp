#include "grid/view/Grid.h"

#include "grid/view/Combo.h"
#include "grid/view/ComboGrid.h"
#include "grid/view/DropDownForm.h"

#include "platform/core/TypeInfo.h"

namespace grid {

CORE_CLASS_IMPL(TtsGrid)

TtsGrid::TtsGrid(core::TComponent* owner) : TtsCustomGrid(owner), combo_(std::make_unique<TtsGridCombo>(*this)) {}

TtsGrid::~TtsGrid()
{
    // The list closes and the grid's own combo goes before the columns'
    // and rows' combos and the drop-down window.
    combo_.reset();
}

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
    p.Event("OnComboInit", &TtsGrid::OnComboInit, "TtsComboInitEvent");
    p.Event("OnComboDropDown", &TtsGrid::OnComboDropDown, "TtsComboDropDownEvent");
    p.Event("OnComboRollUp", &TtsGrid::OnComboRollUp, "TtsComboRollUpEvent");
    p.Event("OnComboGetValue", &TtsGrid::OnComboGetValue, "TtsComboGetValueEvent");
    p.Event("OnComboCellLoaded", &TtsGrid::OnComboCellLoaded, "TtsComboCellLoadedEvent");
    p.Event("OnComboCompareValue", &TtsGrid::OnComboCompareValue, "TtsComboCompareValueEvent");
    p.Event("OnComboLCompareValue", &TtsGrid::OnComboLCompareValue, "TtsComboLCompareValueEvent");
}

}  // namespace grid

namespace grid {

// ---- The combo side ------------------------------------------------------------------------

graphics::TRect TtsGrid::CellScreenRect(int dataCol, int dataRow) const
{
    graphics::TRect r = CellRect(DisplayColnr(dataCol), DisplayRownr(dataRow));
    graphics::TPoint topLeft = ClientToScreen(r.TopLeft());
    return graphics::Bounds(topLeft.X, topLeft.Y, r.Width(), r.Height());
}

TtsComboGrid* TtsGrid::CreateComboGrid(TtsCombo& combo)
{
    auto* list = new TtsComboGrid(this, &combo);
    list->SetColor(Color());
    list->SetCursor(Cursor());
    list->Font()->Assign(*Font());
    list->SetDefaultRowHeight(14);
    list->SetCols(1);
    list->SetCtl3D(false);
    list->SetParentCtl3D(false);
    list->SetParentShowHint(false);
    list->SetTabStop(false);
    list->SetRowSelectMode(rsSingle);
    list->SetColSelectMode(csNone);
    list->SetGridMode(gmListBox);
    list->SetColMoving(false);
    list->SetRowMoving(false);
    list->SetHeadingHeight(15);
    list->SetRowBarWidth(14);
    list->SetHeadingOn(false);
    list->SetRowBarOn(false);
    list->SetScrollBars(ui::ssVertical);
    return list;
}

std::unique_ptr<core::TPersistent> TtsGrid::CreateCombo()
{
    return std::make_unique<TtsCombo>(*this);
}

TtsDropDownStyle TtsGrid::ComboDropDownStyle(const core::TPersistent& combo) const
{
    const auto* c = dynamic_cast<const TtsCombo*>(&combo);
    return c ? c->DropDownStyle() : ddDropDown;
}

void TtsGrid::SetComboDropDownStyle(core::TPersistent& combo, TtsDropDownStyle style)
{
    if (auto* c = dynamic_cast<TtsCombo*>(&combo))
        c->SetDropDownStyle(style);
}

void TtsGrid::SizeComboToCol(core::TPersistent& combo, int dataCol)
{
    auto* c = dynamic_cast<TtsCombo*>(&combo);
    if (c && c->ComboGrid() && dataCol >= 1 && dataCol <= Cols())
        c->ComboGrid()->SetDefaultColWidth(ColWidths(DisplayColnr(dataCol)));
}

void TtsGrid::EnsureGridCombo()
{
    ComboState().GridCombo();
}

void TtsGrid::ResizeDropDown()
{
    if (ComboState().IsOpen())
        ComboState().Resize();
}

void TtsGrid::DoCellChanged(int oldCol, int newCol, const Variant& oldRow, const Variant& newRow)
{
    if (combo_)
        combo_->CellMoved();
    TtsCustomGrid::DoCellChanged(oldCol, newCol, oldRow, newRow);
}

TtsComboEditState TtsGrid::ComboEditState()
{
    TtsComboEditState state;
    int col = CurDataCol(), row = CurDataRow();
    if (col < 1 || row < 1)
        return state;
    Variant value = Cell(col, row);
    state.Text = value.IsEmpty() || value.IsNull() ? AnsiString() : value.AsString();
    TtsDropDownStyle style = ddDropDown;
    CellSettings().EffectiveButtonType(col, row, &style);
    state.Editable = state.Selectable = style == ddDropDown;
    state.SelStart = static_cast<int>(state.Text.size());
    return state;
}

bool TtsGrid::ComboWriteValue(const Variant& value)
{
    int col = CurDataCol(), row = CurDataRow();
    if (col < 1 || row < 1)
        return false;
    SetCell(col, row, value);
    return true;
}

void TtsGrid::ComboWriteText(const AnsiString& text, int, int)
{
    ComboWriteValue(Variant(text));
}

void TtsGrid::ComboFocusGrid()
{
    if (CanFocus() && !Focused())
        SetFocus();
}

}  // namespace grid
