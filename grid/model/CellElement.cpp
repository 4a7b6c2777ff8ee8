#include "grid/model/CellElement.h"

#include "grid/model/CellSettings.h"
#include "grid/model/GridCellHost.h"
#include "platform/core/Format.h"

namespace grid {

TtsCellElement::TtsCellElement(IGridCellHost* grid, int dataCol, int dataRow)
    : TtsCustomPropElement(grid), dataCol_(dataCol), dataRow_(dataRow)
{
}

TtsCompare TtsCellElement::Compare(const TtsCustomSet*, const TtsSetElement* element) const
{
    auto* other = dynamic_cast<const TtsCellElement*>(element);
    if (!other)
        throw core::EInvalidCast("Invalid class typecast");
    return CompareCoord(other->dataCol_, other->dataRow_);
}

TtsCompare TtsCellElement::CompareKey(const TtsCustomSet*, TtsKey key) const
{
    return CompareCoord(key[0].Integer(), key[1].Integer());
}

core::AnsiString TtsCellElement::AsString() const
{
    return core::Format("(%d, %d)", dataCol_, dataRow_);
}

void TtsCellElement::FontChanged()
{
    TtsCustomPropElement::FontChanged();
    if (grid_ && FontLock() == 0)
        grid_->CellSettingChanged(dataCol_, dataRow_, false);
}

void TtsCellElement::MakeCombo()
{
    TtsCustomPropElement::MakeCombo();
    if (grid_ && Combo())
        grid_->SizeComboToCol(*Combo(), dataCol_);
}

const graphics::TFont* TtsCellElement::InheritedFont() const
{
    return grid_ ? &grid_->CellSettings().EffectiveFont(dataCol_, dataRow_) : nullptr;
}

}  // namespace grid
