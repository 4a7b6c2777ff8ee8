#include "grid/view/ComboGrid.h"

#include <algorithm>

#include "grid/model/Col.h"
#include "grid/view/Combo.h"
#include "grid/view/Grid.h"
#include "grid/view/GridCombo.h"
#include "platform/core/TypeInfo.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowManager.h"

namespace grid {

CORE_CLASS_IMPL(TtsComboGrid)

TtsComboGrid::TtsComboGrid(core::TComponent* owner) : TtsCustomGrid(owner)
{
    if (!InState(core::csDesigning)) {
        SetCtl3D(false);
        SetParentCtl3D(false);
    }
}

TtsComboGrid::TtsComboGrid(TtsGrid* owningGrid, TtsCombo* combo) : TtsComboGrid(static_cast<core::TComponent*>(nullptr))
{
    owningGrid_ = owningGrid;
    combo_ = combo;
}

TtsComboGrid::~TtsComboGrid() = default;


void TtsComboGrid::Publish(core::PropertyList& list)
{
    core::PropBuilder<TtsComboGrid> p(list);
    p.Integer("Cols", &TtsComboGrid::Cols, &TtsComboGrid::SetCols).NoDefault();
    p.Integer("Rows", &TtsComboGrid::Rows, &TtsComboGrid::SetRows).NoDefault();
    p.Boolean("StoreData", &TtsComboGrid::StoreData, &TtsComboGrid::SetStoreData).Default(false);
    p.String("CheckBoxValues", &TtsComboGrid::CheckBoxValues, &TtsComboGrid::SetCheckBoxValues);
    p.Integer("DefaultColWidth", &TtsComboGrid::DefaultColWidth, &TtsComboGrid::SetDefaultColWidth).Default(64);
    p.Integer("DefaultRowHeight", &TtsComboGrid::DefaultRowHeight, &TtsComboGrid::SetDefaultRowHeight).Default(24);
    p.Integer("FixedColCount", &TtsComboGrid::FixedColCount, &TtsComboGrid::SetFixedColCount).Default(0);
    p.Integer("FixedRowCount", &TtsComboGrid::FixedRowCount, &TtsComboGrid::SetFixedRowCount).Default(0);
    p.Enum("DrawOverlap", &TtsComboGrid::DrawOverlap, &TtsComboGrid::SetDrawOverlap).Default(doDrawColOnTop);
    p.Boolean("HeadingOn", &TtsComboGrid::HeadingOn, &TtsComboGrid::SetHeadingOn).Default(true);
    p.Integer("HeadingHeight", &TtsComboGrid::HeadingHeight, &TtsComboGrid::SetHeadingHeight).NoDefault();
    p.Boolean("RowBarOn", &TtsComboGrid::RowBarOn, &TtsComboGrid::SetRowBarOn).Default(true);
    p.Integer("RowBarWidth", &TtsComboGrid::RowBarWidth, &TtsComboGrid::SetRowBarWidth).NoDefault();
    p.Enum("ScrollBars", &TtsComboGrid::ScrollBars, &TtsComboGrid::SetScrollBars).Default(ui::ssBoth);
    p.String("Version", &TtsComboGrid::Version, &TtsComboGrid::SetVersion);
    p.Integer("DropDownRows", &TtsComboGrid::DropDownRows, &TtsComboGrid::SetDropDownRows).Default(4);
    p.Integer("DropDownCols", &TtsComboGrid::DropDownCols, &TtsComboGrid::SetDropDownCols).Default(1);
    p.Integer("ValueCol", &TtsComboGrid::ValueCol, &TtsComboGrid::SetValueCol).Default(1);
    p.Boolean("ValueColSorted", &TtsComboGrid::ValueColSorted, &TtsComboGrid::SetValueColSorted).Default(false);
    p.Enum("CompareType", &TtsComboGrid::CompareType, &TtsComboGrid::SetCompareType).Default(ctCaseInsensitive);
    p.Enum("AutoSearch", &TtsComboGrid::AutoSearch, &TtsComboGrid::SetAutoSearch).Default(asNone);
    p.Boolean("AutoFill", &TtsComboGrid::AutoFill, &TtsComboGrid::SetAutoFill).Default(false);
    p.Enum("AutoFillConvertCase", &TtsComboGrid::AutoFillConvertCase, &TtsComboGrid::SetAutoFillConvertCase)
        .Default(afcOnEdit);
    p.Enum("DropDownStyle", &TtsComboGrid::DropDownStyle, &TtsComboGrid::SetDropDownStyle).Default(ddDropDown);
}

core::AnsiString TtsComboGrid::GridErrorName() const
{
    return owningGrid_ ? owningGrid_->Name() + ".Combo" : Name();
}

// ---- Settings ----------------------------------------------------------------------------

void TtsComboGrid::SetDropDownRows(int value)
{
    if (value == dropDownRows_)
        return;
    dropDownRows_ = value;
    if (owningGrid_ && owningGrid_->ComboState().IsOpen() && &owningGrid_->ComboState().List() == this)
        owningGrid_->ComboState().Resize();
}

void TtsComboGrid::SetDropDownCols(int value)
{
    if (value == dropDownCols_)
        return;
    dropDownCols_ = value;
    if (owningGrid_ && owningGrid_->ComboState().IsOpen() && &owningGrid_->ComboState().List() == this)
        owningGrid_->ComboState().Resize();
}

void TtsComboGrid::SetAutoFill(bool value)
{
    autoFill_ = value;
    if (value && autoSearch_ == asNone && !Loading())
        autoSearch_ = asTop;
}

bool TtsComboGrid::HeadingOn() const { return GridRows().HeadingOn(); }
void TtsComboGrid::SetHeadingOn(bool value) { GridRows().SetHeadingOn(value); }
int TtsComboGrid::HeadingHeight() const { return GridRows().HeadingHeight(); }
void TtsComboGrid::SetHeadingHeight(int value) { GridRows().SetHeadingHeight(value); }
bool TtsComboGrid::RowBarOn() const { return GridCols().RowBarOn(); }
void TtsComboGrid::SetRowBarOn(bool value) { GridCols().SetRowBarOn(value); }
int TtsComboGrid::RowBarWidth() const { return GridCols().RowBarWidth(); }
void TtsComboGrid::SetRowBarWidth(int value) { GridCols().SetRowBarWidth(value); }

// ---- Content ------------------------------------------------------------------------------

AnsiString TtsComboGrid::RowValue(int dataRow)
{
    if (valueCol_ < 1 || valueCol_ > Cols() || dataRow < 1 || dataRow > Rows())
        return {};
    Variant value = Cell(valueCol_, dataRow);
    return value.IsEmpty() || value.IsNull() ? AnsiString() : value.AsString();
}

int TtsComboGrid::CompareValue(const AnsiString& value, const AnsiString& text, int len)
{
    if (compareType_ != ctOwn)
        return ComboCompareText(value, text, len, compareType_);
    int result = 0;
    if (owningGrid_) {
        owningGrid_->OnComboCompareValue(owningGrid_, value, text, result);
        owningGrid_->OnComboLCompareValue(owningGrid_, value, text, len, result);
    }
    return result;
}

TtsComboSearch TtsComboGrid::Search()
{
    return TtsComboSearch(
        Rows(), [this](int row) { return RowValue(row); },
        [this](const AnsiString& value, const AnsiString& text, int len) { return CompareValue(value, text, len); });
}

void TtsComboGrid::AssignList(const TtsComboGrid& other)
{
    if (&other == this)
        return;
    auto& source = const_cast<TtsComboGrid&>(other);
    dropDownRows_ = other.dropDownRows_;
    dropDownCols_ = other.dropDownCols_;
    valueCol_ = other.valueCol_;
    valueColSorted_ = other.valueColSorted_;
    compareType_ = other.compareType_;
    autoSearch_ = other.autoSearch_;
    autoFill_ = other.autoFill_;
    autoFillConvertCase_ = other.autoFillConvertCase_;
    dropDownStyle_ = other.dropDownStyle_;
    SetStoreData(false);
    SetRows(0);
    SetCols(other.Cols());
    SetDefaultColWidth(other.DefaultColWidth());
    SetDefaultRowHeight(other.DefaultRowHeight());
    SetHeadingOn(other.HeadingOn());
    SetRowBarOn(other.RowBarOn());
    for (int col = 1; col <= other.Cols(); ++col)
        if (const TtsCol* from = other.GridCols().Items(col))
            if (TtsCol* to = GridCols().Items(col))
                to->Assign(from);
    SetRows(other.Rows());
    SetStoreData(other.StoreData());
    if (other.StoreData()) {
        // Stored values only: a value the source would compute when it is
        // read (OnCellLoaded) is its own business.
        for (int row = 1; row <= other.Rows(); ++row)
            for (int col = 1; col <= other.Cols(); ++col)
                if (const Tts2DStorage* store = source.Store()) {
                    Variant value = store->GetValue(col, row);
                    if (!value.IsEmpty())
                        SetCell(col, row, value);
                }
    }
}

void TtsComboGrid::ResetList()
{
    SetStoreData(false);
    SetRows(0);
    SetCols(1);
    dropDownRows_ = 4;
    dropDownCols_ = 1;
    valueCol_ = 1;
    compareType_ = ctCaseInsensitive;
}

void TtsComboGrid::DoCellLoaded(int dataCol, int dataRow, Variant& value)
{
    TtsCustomGrid::DoCellLoaded(dataCol, dataRow, value);
    if (owningGrid_)
        owningGrid_->OnComboCellLoaded(owningGrid_, this, dataCol, dataRow, value);
}

// ---- Moving --------------------------------------------------------------------------------

void TtsComboGrid::SetCurrentRow(int dataRow)
{
    if (dataRow < 1 || dataRow > Rows())
        return;
    int col = CurDataCol() > 0 ? CurDataCol() : std::clamp(valueCol_, 1, std::max(Cols(), 1));
    MakeCellCurrent(col, dataRow);
    ScrollIntoView(CurCol(), DisplayRownr(dataRow));
}

void TtsComboGrid::PositionOn(int dataRow)
{
    if (autoSearch_ == asNone || dataRow < 1 || dataRow > Rows() || dataRow == CurDataRow())
        return;
    int col = CurDataCol() > 0 ? CurDataCol() : std::clamp(valueCol_, 1, std::max(Cols(), 1));
    MakeCellCurrent(col, dataRow);
    int display = DisplayRownr(dataRow);
    int top = ComboTopRowFor(display, autoSearch_, dropDownRows_);
    int first = FixedRows();
    SetTopRow(std::clamp(top, first, std::max(MaxTopLeft().Y, first)));
}

bool TtsComboGrid::ListKey(uint16_t key, ui::TShiftState shift)
{
    int rows = Rows();
    int display = CurDataRow() > 0 ? DisplayRownr(CurDataRow()) : 0;
    int first = FixedRows();
    int last = RowCount() - 1;
    int page = std::max(VisibleRowCount() - 1, 1);
    int target = display;
    bool ctrl = shift.Contains(ui::ssCtrl);
    switch (key) {
    case ui::VK_UP: target = ctrl ? first : display - 1; break;
    case ui::VK_DOWN: target = ctrl ? last : display + 1; break;
    case ui::VK_PRIOR: target = ctrl ? first : display - page; break;
    case ui::VK_NEXT: target = ctrl ? last : display + page; break;
    case ui::VK_HOME: target = first; break;
    case ui::VK_END: target = last; break;
    case ui::VK_LEFT:
    case ui::VK_RIGHT: {
        if (Cols() < 1 || CurCol() < 1)
            return true;
        int col = std::clamp(CurCol() + (key == ui::VK_LEFT ? -1 : 1), 1, ColCount() - 1);
        MoveCurrent(col, std::max(CurRow(), first), true, true);
        ReportCurrentMove();
        return true;
    }
    default: return false;
    }
    if (rows < 1)
        return true;
    if (display < first)
        target = first;  // nothing current yet: the first row
    target = std::clamp(target, first, last);
    SetCurrentRow(DataRownr(target));
    return true;
}

int TtsComboGrid::DataRowAt(int x, int y) const
{
    TGridCoord cell = CellAt(x, y);
    if (cell.Y < FixedRows() || cell.Y >= RowCount() || cell.X < 1)
        return 0;
    return DataRownr(cell.Y);
}

void TtsComboGrid::MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y)
{
    if (button != ui::mbLeft) {
        TtsCustomGrid::MouseDown(button, shift, x, y);
        return;
    }
    // The list never takes the focus: the owning grid keeps it.
    if (int row = DataRowAt(x, y)) {
        SetCurrentRow(row);
        tracking_ = true;
        ui::WindowManager().SetCapture(Handle());
    }
}

void TtsComboGrid::MouseMove(ui::TShiftState shift, int x, int y)
{
    if (!tracking_) {
        TtsCustomGrid::MouseMove(shift, x, y);
        return;
    }
    if (int row = DataRowAt(x, y))
        if (row != CurDataRow())
            SetCurrentRow(row);
}

void TtsComboGrid::MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y)
{
    if (button != ui::mbLeft || !tracking_) {
        TtsCustomGrid::MouseUp(button, shift, x, y);
        return;
    }
    tracking_ = false;
    if (ui::WindowManager().Capture() == HandleOrNull())
        ui::WindowManager().ReleaseCapture();
    if (DataRowAt(x, y) && OnListPick)
        OnListPick();
}

void TtsComboGrid::WndProc(ui::TMessage& message)
{
    if (message.Msg == ui::WM_CANCELMODE)
        tracking_ = false;
    TtsCustomGrid::WndProc(message);
}

}  // namespace grid
