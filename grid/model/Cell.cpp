#include "grid/model/Cell.h"

#include "grid/foundation/DateTimeLink.h"
#include "grid/foundation/PropertyCopy.h"
#include "grid/model/CellSettings.h"
#include "grid/model/GridCellHost.h"
#include "platform/core/Filer.h"
#include "platform/core/TypeInfo.h"
#include "platform/graphics/Font.h"

namespace grid {

CORE_CLASS_IMPL(TtsCell)

namespace {

// A cell without a grid holds nothing: reads give the defaults and writes
// are dropped.
TtsCellSettings* SettingsOf(IGridCellHost* grid)
{
    return grid ? &grid->CellSettings() : nullptr;
}

}  // namespace

#define CELL_PROPERTY(Type, Name, Default)                                          \
    Type TtsCell::Name() const                                                      \
    {                                                                               \
        TtsCellSettings* s = SettingsOf(grid_);                                     \
        return s ? s->Cell##Name(dataCol_, dataRow_) : Default;                     \
    }                                                                               \
    void TtsCell::Set##Name(Type value)                                             \
    {                                                                               \
        if (TtsCellSettings* s = SettingsOf(grid_))                                 \
            s->SetCell##Name(dataCol_, dataRow_, value);                            \
    }

CELL_PROPERTY(TtsButtonType, ButtonType, btDefault)
CELL_PROPERTY(TtsDateTimeDefComponent*, DateTimeDef, nullptr)
CELL_PROPERTY(TtsDrawOption, CenterPicture, dopDefault)
CELL_PROPERTY(graphics::TColor, Color, graphics::clNone)
CELL_PROPERTY(TtsControlType, ControlType, ctDefault)
CELL_PROPERTY(TtsDropDownStyle, DropDownStyle, ddDropDown)
CELL_PROPERTY(TtsHorzAlignment, HorzAlignment, htaDefault)
CELL_PROPERTY(bool, Is3D, false)
CELL_PROPERTY(TtsDrawOption, KeepAspectRatio, dopDefault)
CELL_PROPERTY(bool, ParentCombo, true)
CELL_PROPERTY(bool, ParentFont, true)
CELL_PROPERTY(TtsReadOnly, ReadOnly, roDefault)
CELL_PROPERTY(TtsDrawOption, ShrinkPicture, dopDefault)
CELL_PROPERTY(double, SpinIncrement, 1.0)
CELL_PROPERTY(TtsSpinOptions, SpinOptions, kAllSpinOptions)
CELL_PROPERTY(TtsDrawOption, StretchPicture, dopDefault)
CELL_PROPERTY(TtsVertAlignment, VertAlignment, vtaDefault)
CELL_PROPERTY(TtsWordWrap, WordWrap, wwDefault)
#undef CELL_PROPERTY

graphics::TFont* TtsCell::Font() const
{
    TtsCellSettings* s = SettingsOf(grid_);
    return s ? s->CellFont(dataCol_, dataRow_) : nullptr;
}

void TtsCell::SetFont(const graphics::TFont* value)
{
    if (TtsCellSettings* s = SettingsOf(grid_))
        s->SetCellFont(dataCol_, dataRow_, value);
}

core::AnsiString TtsCell::MaskName() const
{
    TtsCellSettings* s = SettingsOf(grid_);
    return s ? s->CellMaskName(dataCol_, dataRow_) : core::AnsiString();
}

void TtsCell::SetMaskName(const core::AnsiString& value)
{
    if (TtsCellSettings* s = SettingsOf(grid_))
        s->SetCellMaskName(dataCol_, dataRow_, value);
}

core::TPersistent* TtsCell::Combo() const
{
    TtsCellSettings* s = SettingsOf(grid_);
    return s ? s->CellCombo(dataCol_, dataRow_) : nullptr;
}

void TtsCell::Publish(core::PropertyList& list)
{
    using graphics::TFont;
    core::PropBuilder<TtsCell> p(list);
    p.Enum("ButtonType", &TtsCell::ButtonType, &TtsCell::SetButtonType).Default(btDefault);
    p.Object<TtsDateTimeDefComponent>("DateTimeDef", &TtsCell::DateTimeDef, &TtsCell::SetDateTimeDef)
        .Default(nullptr);
    p.Enum("CenterPicture", &TtsCell::CenterPicture, &TtsCell::SetCenterPicture).Default(dopDefault);
    p.Integer("Color", &TtsCell::Color, &TtsCell::SetColor, "TColor").Default(graphics::clNone);
    p.Enum("ControlType", &TtsCell::ControlType, &TtsCell::SetControlType).Default(ctDefault);
    p.Enum("DropDownStyle", &TtsCell::DropDownStyle, &TtsCell::SetDropDownStyle).Default(ddDropDown);
    p.Object<TFont>("Font", &TtsCell::Font, &TtsCell::SetFont).StoredWhen([](const TtsCell& c) {
        return !c.ParentFont();
    });
    p.Enum("HorzAlignment", &TtsCell::HorzAlignment, &TtsCell::SetHorzAlignment).Default(htaDefault);
    p.Boolean("Is3D", &TtsCell::Is3D, &TtsCell::SetIs3D).Default(false);
    p.Enum("KeepAspectRatio", &TtsCell::KeepAspectRatio, &TtsCell::SetKeepAspectRatio).Default(dopDefault);
    p.String("MaskName", &TtsCell::MaskName, &TtsCell::SetMaskName);
    p.Boolean("ParentCombo", &TtsCell::ParentCombo, &TtsCell::SetParentCombo).Default(true);
    p.Boolean("ParentFont", &TtsCell::ParentFont, &TtsCell::SetParentFont).Default(true);
    p.Enum("ReadOnly", &TtsCell::ReadOnly, &TtsCell::SetReadOnly).Default(roDefault);
    p.Enum("ShrinkPicture", &TtsCell::ShrinkPicture, &TtsCell::SetShrinkPicture).Default(dopDefault);
    p.Float("SpinIncrement", &TtsCell::SpinIncrement, &TtsCell::SetSpinIncrement).Default(1.0);
    p.Set("SpinOptions", &TtsCell::SpinOptions, &TtsCell::SetSpinOptions).Default(kAllSpinOptions);
    p.Enum("StretchPicture", &TtsCell::StretchPicture, &TtsCell::SetStretchPicture).Default(dopDefault);
    p.Enum("VertAlignment", &TtsCell::VertAlignment, &TtsCell::SetVertAlignment).Default(vtaDefault);
    p.Enum("WordWrap", &TtsCell::WordWrap, &TtsCell::SetWordWrap).Default(wwDefault);
}

void TtsCell::DefineProperties(core::TFiler& filer)
{
    core::TPersistent::DefineProperties(filer);
    IGridCellHost* grid = grid_;
    core::TPersistent* combo = Combo();
    filer.DefineBinaryProperty(
        "Combo",
        [this, grid](core::TStream& s) {
            if (!grid)
                return;
            std::unique_ptr<core::TPersistent> read = grid->ReadCombo(s);
            grid->CellSettings().SetCellCombo(dataCol_, dataRow_, read.get());
        },
        [combo, grid](core::TStream& s) { grid->WriteCombo(*combo, s); },
        grid && combo && ButtonType() == btCombo);
}

void TtsCell::Assign(const core::TPersistent* source)
{
    auto* other = dynamic_cast<const TtsCell*>(source);
    if (!other) {
        core::TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    CopyProperties(*this, *other, "Font;ParentFont");
    if (TtsCellSettings* s = SettingsOf(grid_); s && other->Combo())
        s->SetCellCombo(dataCol_, dataRow_, other->Combo());
    bool parentFont = other->ParentFont();
    SetParentFont(parentFont);
    if (!parentFont)
        SetFont(other->Font());
}

}  // namespace grid
