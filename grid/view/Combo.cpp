#include "grid/view/Combo.h"

#include "grid/view/ComboGrid.h"
#include "grid/view/DropDownForm.h"
#include "grid/view/Grid.h"
#include "grid/view/GridCombo.h"

namespace grid {

CORE_CLASS_IMPL(TtsCombo)

TtsCombo::TtsCombo() = default;

TtsCombo::TtsCombo(TtsGrid& grid)
{
    Attach(grid);
}

TtsCombo::~TtsCombo()
{
    delete list_;
}

void TtsCombo::Attach(TtsGrid& grid)
{
    grid_ = &grid;
    list_ = grid.CreateComboGrid(*this);
    list_->SetVisible(false);
    list_->SetParent(&grid.ComboState().DropDownForm());
}

int TtsCombo::DropDownRows() const { return list_ ? list_->DropDownRows() : 4; }
int TtsCombo::DropDownCols() const { return list_ ? list_->DropDownCols() : 1; }
int TtsCombo::ValueCol() const { return list_ ? list_->ValueCol() : 1; }
bool TtsCombo::ValueColSorted() const { return list_ && list_->ValueColSorted(); }
TtsComboCompareType TtsCombo::CompareType() const { return list_ ? list_->CompareType() : ctCaseInsensitive; }
TtsComboAutoSearchType TtsCombo::AutoSearch() const { return list_ ? list_->AutoSearch() : asNone; }
bool TtsCombo::AutoFill() const { return list_ && list_->AutoFill(); }
TtsConvertCase TtsCombo::AutoFillConvertCase() const { return list_ ? list_->AutoFillConvertCase() : afcOnEdit; }
TtsDropDownStyle TtsCombo::DropDownStyle() const { return list_ ? list_->DropDownStyle() : ddDropDown; }

// Each setter leaves an unchanged value alone.
#define COMBO_SETTER(Name, Type)                              \
    void TtsCombo::Set##Name(Type value)                      \
    {                                                         \
        if (list_ && list_->Name() != value)                  \
            list_->Set##Name(value);                          \
    }
COMBO_SETTER(DropDownRows, int)
COMBO_SETTER(DropDownCols, int)
COMBO_SETTER(ValueCol, int)
COMBO_SETTER(ValueColSorted, bool)
COMBO_SETTER(CompareType, TtsComboCompareType)
COMBO_SETTER(AutoSearch, TtsComboAutoSearchType)
COMBO_SETTER(AutoFill, bool)
COMBO_SETTER(AutoFillConvertCase, TtsConvertCase)
COMBO_SETTER(DropDownStyle, TtsDropDownStyle)
#undef COMBO_SETTER

void TtsCombo::Clear()
{
    if (!list_)
        return;
    list_->ResetList();
    if (grid_ && grid_->ComboState().IsOpen() && &grid_->ComboState().List() == list_)
        grid_->ComboState().Resize();
}

void TtsCombo::Assign(const core::TPersistent* source)
{
    const auto* other = dynamic_cast<const TtsCombo*>(source);
    if (!other) {
        core::TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    if (!list_ && other->grid_)
        Attach(*other->grid_);
    if (list_ && other->list_)
        list_->AssignList(*other->list_);
}

}  // namespace grid
