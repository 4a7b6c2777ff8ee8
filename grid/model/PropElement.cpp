#include "grid/model/PropElement.h"

#include "grid/foundation/DateTimeLink.h"
#include "grid/model/GridCellHost.h"
#include "grid/model/ModelHelpers.h"
#include "platform/graphics/Font.h"

namespace grid {

void TtsCustomElement::AssignElement(const TtsCustomElement&) {}

void TtsCustomElement::AssignBase(const TtsCustomElement&) {}

TtsCustomPropElement::TtsCustomPropElement(IGridCellHost* grid) : TtsCustomElement(grid) {}

TtsCustomPropElement::~TtsCustomPropElement()
{
    if (dateTimeDef_ && grid_)
        grid_->UnregisterDateTimeDef(dateTimeDef_);
}

TtsPropValue TtsCustomPropElement::DefaultProp(TtsPropNr nr, int subNr)
{
    // A fresh element holds every default; it never reaches a grid.
    static const TtsCustomPropElement defaults(nullptr);
    return defaults.GetProp(nr, subNr);
}

void TtsCustomPropElement::SetAlignment(ui::TAlignment value)
{
    alignment_ = value;
    SetAligned(aligned_);
}

void TtsCustomPropElement::SetAligned(bool value)
{
    aligned_ = value;
    horzAlignment_ = model::HorzAlignmentOf(alignment_, aligned_);
}

void TtsCustomPropElement::SetHorzAlignment(TtsHorzAlignment value)
{
    horzAlignment_ = value;
    model::AlignmentPairOf(value, alignment_, aligned_);
}

void TtsCustomPropElement::SetButtonType(TtsButtonType value)
{
    buttonType_ = value;
    if ((value == btDateTimeDropDown || value == btDateTimePopup) && grid_)
        grid_->ResetDateTimeState();
}

TtsDropDownStyle TtsCustomPropElement::DropDownStyle() const
{
    return combo_ && grid_ ? grid_->ComboDropDownStyle(*combo_) : dropDownStyle_;
}

void TtsCustomPropElement::SetDropDownStyle(TtsDropDownStyle value)
{
    if (combo_ && grid_)
        grid_->SetComboDropDownStyle(*combo_, value);
    else
        dropDownStyle_ = value;
}

void TtsCustomPropElement::SetPrivateFont(bool value)
{
    if (privateFont_ == value)
        return;
    privateFont_ = value;
    if (!parentFont_)
        return;
    if (privateFont_)
        RefreshPrivateFont();
    else
        DropFont();
}

void TtsCustomPropElement::SetCombo(const core::TPersistent* value)
{
    if (!value) {
        combo_.reset();
        return;
    }
    if (value == combo_.get())
        return;
    MakeCombo();
    if (combo_)
        combo_->Assign(value);
}

void TtsCustomPropElement::SetParentCombo(bool value)
{
    parentCombo_ = value;
    if (value)
        combo_.reset();
}

TtsDrawOption TtsCustomPropElement::Picture(int subNr) const
{
    return subNr >= psStretchPicture && subNr <= psKeepAspectRatio ? pictures_[subNr - 1] : dopDefault;
}

void TtsCustomPropElement::SetPicture(int subNr, TtsDrawOption value)
{
    if (subNr >= psStretchPicture && subNr <= psKeepAspectRatio)
        pictures_[subNr - 1] = value;
}

void TtsCustomPropElement::SetDateTimeDef(TtsDateTimeDefComponent* value)
{
    if (value == dateTimeDef_)
        return;
    TtsDateTimeDefComponent* old = dateTimeDef_;
    dateTimeDef_ = value;
    if (!grid_)
        return;
    if (old)
        grid_->UnregisterDateTimeDef(old);
    if (value)
        grid_->RegisterDateTimeDef(value);
    grid_->ResetDateTimeState();
}

TtsPropValue TtsCustomPropElement::GetProp(TtsPropNr nr, int subNr) const
{
    using core::Variant;
    switch (nr) {
    case pnColor: return Variant(int32_t{color_});
    case pnFont: return TtsPropValue::Object(font_.get());
    case pnReadOnly: return Variant(readOnly_);
    case pnAligned: return Variant(aligned_);
    case pnAlignment: return Variant(int32_t{alignment_});
    case pnIs3D: return Variant(is3D_);
    case pnWordWrap: return Variant(int32_t{wordWrap_});
    case pnButtonType: return Variant(int32_t{buttonType_});
    case pnDropDownStyle: return Variant(int32_t{DropDownStyle()});
    case pnCellReadOnly: return Variant(int32_t{cellReadOnly_});
    case pnParentFont: return Variant(parentFont_);
    case pnMaskName: return Variant(maskName_);
    case pnCombo: return TtsPropValue::Object(combo_.get());
    case pnParentCombo: return Variant(parentCombo_);
    case pnPicture:
        if (subNr < psStretchPicture || subNr > psKeepAspectRatio)
            return {};
        return Variant(int32_t{pictures_[subNr - 1]});
    case pnControlType: return Variant(int32_t{controlType_});
    case pnSpinOptions: return Variant(static_cast<int32_t>(spinOptions_.Bits()));
    case pnSpinIncrement: return Variant(spinIncrement_);
    case pnHorzAlignment: return Variant(int32_t{horzAlignment_});
    case pnVertAlignment: return Variant(int32_t{vertAlignment_});
    case pnDateTimeDef: return TtsPropValue::Object(dateTimeDef_);
    default: return {};
    }
}

void TtsCustomPropElement::SetProp(TtsPropNr nr, int subNr, const TtsPropValue& value)
{
    const core::Variant& v = value.Value();
    switch (nr) {
    case pnColor: SetColor(v.AsInteger()); break;
    case pnFont: SetFont(dynamic_cast<const graphics::TFont*>(value.ObjectRef())); break;
    case pnReadOnly: SetReadOnly(v.AsBoolean()); break;
    case pnAligned: SetAligned(v.AsBoolean()); break;
    case pnAlignment: SetAlignment(static_cast<ui::TAlignment>(v.AsInteger())); break;
    case pnIs3D: SetIs3D(v.AsBoolean()); break;
    case pnWordWrap: SetWordWrap(static_cast<TtsWordWrap>(v.AsInteger())); break;
    case pnButtonType: SetButtonType(static_cast<TtsButtonType>(v.AsInteger())); break;
    case pnDropDownStyle: SetDropDownStyle(static_cast<TtsDropDownStyle>(v.AsInteger())); break;
    case pnCellReadOnly: SetCellReadOnly(static_cast<TtsReadOnly>(v.AsInteger())); break;
    case pnParentFont: SetParentFont(v.AsBoolean()); break;
    case pnMaskName: SetMaskName(v.AsString()); break;
    case pnCombo: SetCombo(dynamic_cast<const core::TPersistent*>(value.ObjectRef())); break;
    case pnParentCombo: SetParentCombo(v.AsBoolean()); break;
    case pnPicture: SetPicture(subNr, static_cast<TtsDrawOption>(v.AsInteger())); break;
    case pnControlType: SetControlType(static_cast<TtsControlType>(v.AsInteger())); break;
    case pnSpinOptions:
        SetSpinOptions(TtsSpinOptions::FromBits(static_cast<uint32_t>(v.AsInteger())));
        break;
    case pnSpinIncrement: SetSpinIncrement(v.AsFloat()); break;
    case pnHorzAlignment: SetHorzAlignment(static_cast<TtsHorzAlignment>(v.AsInteger())); break;
    case pnVertAlignment: SetVertAlignment(static_cast<TtsVertAlignment>(v.AsInteger())); break;
    case pnDateTimeDef:
        SetDateTimeDef(dynamic_cast<TtsDateTimeDefComponent*>(value.ObjectRef()));
        break;
    default: break;
    }
}

void TtsCustomPropElement::AssignElement(const TtsCustomElement& source)
{
    auto* other = dynamic_cast<const TtsCustomPropElement*>(&source);
    if (!other || other == this)
        return;
    color_ = other->color_;
    alignment_ = other->alignment_;
    aligned_ = other->aligned_;
    horzAlignment_ = other->horzAlignment_;
    vertAlignment_ = other->vertAlignment_;
    is3D_ = other->is3D_;
    readOnly_ = other->readOnly_;
    wordWrap_ = other->wordWrap_;
    SetButtonType(other->buttonType_);
    dropDownStyle_ = other->dropDownStyle_;
    cellReadOnly_ = other->cellReadOnly_;
    maskName_ = other->maskName_;
    for (int i = 0; i < 4; ++i)
        pictures_[i] = other->pictures_[i];
    controlType_ = other->controlType_;
    spinOptions_ = other->spinOptions_;
    spinIncrement_ = other->spinIncrement_;
    SetDateTimeDef(other->dateTimeDef_);
    SetParentCombo(other->parentCombo_);
    SetCombo(other->combo_.get());
    if (other->combo_)
        parentCombo_ = other->parentCombo_;
    // The font follows the other element's ParentFont: a font of its own is
    // copied; an inherited one is dropped (or, private, refreshed).
    if (other->parentFont_)
        SetParentFont(true);
    else
        SetFont(other->font_.get());
}

void TtsCustomPropElement::AssignBase(const TtsCustomElement& source)
{
    AssignElement(source);
}

bool TtsCustomPropElement::IsDefault() const
{
    return color_ == graphics::clNone && !font_ && parentFont_ && alignment_ == ui::taLeftJustify && !aligned_ &&
           horzAlignment_ == htaDefault && vertAlignment_ == vtaDefault && !is3D_ && !readOnly_ &&
           wordWrap_ == wwDefault && buttonType_ == btDefault && dropDownStyle_ == ddDropDown &&
           cellReadOnly_ == roDefault && maskName_.empty() && fontLock_ == 0 && !privateFont_ && !combo_ &&
           parentCombo_ && pictures_[0] == dopDefault && pictures_[1] == dopDefault &&
           pictures_[2] == dopDefault && pictures_[3] == dopDefault && controlType_ == ctDefault &&
           spinOptions_ == kAllSpinOptions && spinIncrement_ == 1.0 && !dateTimeDef_;
}

void TtsCustomPropElement::FontChanged()
{
    if (fontLock_ == 0)
        parentFont_ = false;
}

void TtsCustomPropElement::SetFont(const graphics::TFont* value)
{
    if (!value) {
        DropFont();
        parentFont_ = true;
        if (privateFont_)
            RefreshPrivateFont();
        return;
    }
    if (value == font_.get()) {
        parentFont_ = false;
        return;
    }
    CopyFont(value);
    parentFont_ = false;
}

void TtsCustomPropElement::SetParentFont(bool value)
{
    if (value) {
        parentFont_ = true;
        if (privateFont_)
            RefreshPrivateFont();
        else
            DropFont();
        return;
    }
    if (!font_)
        CopyFont(InheritedFont());
    parentFont_ = false;
}

void TtsCustomPropElement::RefreshPrivateFont()
{
    if (privateFont_ && parentFont_)
        CopyFont(InheritedFont());
}

void TtsCustomPropElement::MakeCombo()
{
    if (!combo_ && grid_) {
        combo_ = grid_->CreateCombo();
        if (combo_)
            grid_->SetComboDropDownStyle(*combo_, dropDownStyle_);
    }
    parentCombo_ = false;
}

const graphics::TFont* TtsCustomPropElement::InheritedFont() const
{
    return grid_ ? &grid_->GridFont() : nullptr;
}

void TtsCustomPropElement::CopyFont(const graphics::TFont* source)
{
    ++fontLock_;
    try {
        if (!font_) {
            font_ = std::make_unique<graphics::TFont>();
            font_->OnChange = core::TNotifyEvent([this](core::TObject*) { FontChanged(); });
        }
        if (source)
            font_->Assign(source);
    } catch (...) {
        --fontLock_;
        throw;
    }
    --fontLock_;
}

void TtsCustomPropElement::DropFont()
{
    font_.reset();
}

}  // namespace grid
