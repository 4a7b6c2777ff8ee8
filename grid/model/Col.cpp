// Column objects: their settings, fonts, heading text, filing extras,
// copying and resets.
#include "grid/model/Col.h"

#include <algorithm>

#include "grid/foundation/CustomGrid_ts.h"
#include "grid/foundation/DateTimeLink.h"
#include "grid/model/GridCols.h"
#include "grid/model/GridModelHost.h"
#include "grid/model/ModelHelpers.h"
#include "platform/core/Properties.h"
#include "platform/core/StrUtils.h"
#include "platform/core/TypeInfo.h"
#include "platform/filing/Reader.h"
#include "platform/graphics/Font.h"

namespace grid {

using core::TPropFilter;
using graphics::TColor;
using graphics::TFont;

CORE_CLASS_IMPL(TtsCol)

TtsCol::TtsCol(IGridModelHost* grid) : grid_(grid)
{
    width_ = designWidth_ = GridDefaultColWidth();
}

TtsCol::~TtsCol()
{
    if (dateTimeDef_ && grid_)
        grid_->UnregisterDateTimeDef(dateTimeDef_);
}

void TtsCol::Publish(core::PropertyList& list)
{
    core::PropBuilder<TtsCol> p(list);
    p.Boolean("AllowGrayed", &TtsCol::AllowGrayed, &TtsCol::SetAllowGrayed).Default(false);
    p.Enum("ButtonType", &TtsCol::ButtonType, &TtsCol::SetButtonType).Default(btDefault);
    p.String("CheckBoxValues", &TtsCol::CheckBoxValues, &TtsCol::SetCheckBoxValues);
    p.Object<TtsDateTimeDefComponent>("DateTimeDef", &TtsCol::DateTimeDef, &TtsCol::SetDateTimeDef)
        .Default(nullptr);
    p.Enum("CenterPicture", &TtsCol::CenterPicture, &TtsCol::SetCenterPicture).Default(dopDefault);
    p.Integer("Color", &TtsCol::Color, &TtsCol::SetColor, "TColor").Default(kNoColor);
    p.Enum("ControlType", &TtsCol::ControlType, &TtsCol::SetControlType).Default(ctDefault);
    // A column shown at its own data number has no position to file.
    p.Integer("DisplayCol", &TtsCol::DisplayCol, &TtsCol::SetDisplayCol)
        .DefaultFrom([](const TtsCol& c) { return c.dataCol_; });
    p.Enum("DropDownStyle", &TtsCol::DropDownStyle, &TtsCol::SetDropDownStyle).Default(ddDropDown);
    p.String("FieldName", &TtsCol::FieldName, &TtsCol::SetFieldName);
    p.Object<TFont>("Font", &TtsCol::Font, &TtsCol::SetFont).StoredWhen([](const TtsCol& c) {
        return !c.parentFont_;
    });
    // The heading is filed as it was set, accelerator markers included, so
    // that it reads back with its accelerator.
    p.String("Heading", &TtsCol::HeadingText, &TtsCol::SetHeading).StoredWhen(&TtsCol::HeadingStored);
    p.Enum("HeadingButton", &TtsCol::HeadingButton, &TtsCol::SetHeadingButton).Default(cbGrid);
    p.Object<TFont>("HeadingFont", &TtsCol::HeadingFont, &TtsCol::SetHeadingFont)
        .StoredWhen([](const TtsCol& c) { return !c.headingParentFont_; });
    p.Enum("HeadingHorzAlignment", &TtsCol::HeadingHorzAlignment, &TtsCol::SetHeadingHorzAlignment)
        .Default(htaDefault);
    p.Boolean("HeadingParentFont", &TtsCol::HeadingParentFont, &TtsCol::SetHeadingParentFont).Default(true);
    p.Enum("HeadingVertAlignment", &TtsCol::HeadingVertAlignment, &TtsCol::SetHeadingVertAlignment)
        .Default(vtaDefault);
    p.Enum("HeadingWordWrap", &TtsCol::HeadingWordWrap, &TtsCol::SetHeadingWordWrap).Default(wwDefault);
    p.Integer("HeadingColor", &TtsCol::HeadingColor, &TtsCol::SetHeadingColor, "TColor").Default(kNoColor);
    p.Boolean("Is3D", &TtsCol::Is3D, &TtsCol::SetIs3D).Default(false);
    p.Enum("KeepAspectRatio", &TtsCol::KeepAspectRatio, &TtsCol::SetKeepAspectRatio).Default(dopDefault);
    p.String("MaskName", &TtsCol::MaskName, &TtsCol::SetMaskName);
    p.Integer("MaxLength", &TtsCol::MaxLength, &TtsCol::SetMaxLength).Default(0);
    p.Boolean("ParentCombo", &TtsCol::ParentCombo, &TtsCol::SetParentCombo).Default(true);
    p.Boolean("ParentFont", &TtsCol::ParentFont, &TtsCol::SetParentFont).Default(true);
    p.Boolean("ReadOnly", &TtsCol::ReadOnly, &TtsCol::SetReadOnly).Default(false);
    p.Enum("ShrinkPicture", &TtsCol::ShrinkPicture, &TtsCol::SetShrinkPicture).Default(dopDefault);
    p.Enum("SortPicture", &TtsCol::SortPicture, &TtsCol::SetSortPicture).Default(spNone);
    p.Float("SpinIncrement", &TtsCol::SpinIncrement, &TtsCol::SetSpinIncrement).Default(1.0);
    p.Set("SpinOptions", &TtsCol::SpinOptions, &TtsCol::SetSpinOptions).Default(kAllSpinOptions);
    p.Enum("StretchPicture", &TtsCol::StretchPicture, &TtsCol::SetStretchPicture).Default(dopDefault);
    p.Enum("HorzAlignment", &TtsCol::HorzAlignment, &TtsCol::SetHorzAlignment).Default(htaDefault);
    p.Enum("VertAlignment", &TtsCol::VertAlignment, &TtsCol::SetVertAlignment).Default(vtaDefault);
    p.Boolean("Visible", &TtsCol::Visible, &TtsCol::SetVisible).Default(true);
    // A column at the grid's default width has nothing of its own to file.
    p.Integer("Width", &TtsCol::Width, &TtsCol::SetWidth).DefaultFrom(&TtsCol::GridDefaultColWidth);
    p.Enum("WordWrap", &TtsCol::WordWrap, &TtsCol::SetWordWrap).Default(wwDefault);
    // The application's own values have no default: they are always filed.
    p.Integer("Tag", &TtsCol::Tag, &TtsCol::SetTag);
    p.Boolean("ColConfig", &TtsCol::ColConfig, &TtsCol::SetColConfig);
    p.Boolean("BePrint", &TtsCol::BePrint, &TtsCol::SetBePrint);
}

void TtsCol::DefineProperties(core::TFiler& filer)
{
    core::TPersistent::DefineProperties(filer);
    // The legacy alignment pairs are read from old streams, never written.
    filer.DefineProperty(
        "Alignment", [this](filing::TReader& r) { SetAlignment(model::ReadAlignment(r, alignment_)); }, nullptr,
        false);
    filer.DefineProperty("Align", [this](filing::TReader& r) { SetAligned(r.ReadBoolean()); }, nullptr, false);
    filer.DefineProperty(
        "HeadingAlignment",
        [this](filing::TReader& r) { SetHeadingAlignment(model::ReadAlignment(r, headingAlignment_)); }, nullptr,
        false);
    filer.DefineProperty(
        "HeadingAlign", [this](filing::TReader& r) { SetHeadingAligned(r.ReadBoolean()); }, nullptr, false);
    IGridModelHost* grid = grid_;
    filer.DefineBinaryProperty(
        "Combo",
        [this, grid](core::TStream& s) {
            if (grid)
                SetCombo(grid->ReadCombo(s));
        },
        [this, grid](core::TStream& s) { grid->WriteCombo(*combo_, s); },
        grid && combo_ && buttonType_ == btCombo);
}

// ---- Helpers ----------------------------------------------------------------------

IGridModelHost* TtsCol::Host() const
{
    return grid_ && grid_->GridCols().Items(dataCol_) == this ? grid_ : nullptr;
}

int TtsCol::GridDefaultColWidth() const
{
    return grid_ ? grid_->BaseLayout().DefaultColWidth() : 64;
}

void TtsCol::Changed()
{
    if (IGridModelHost* grid = Host())
        grid->InvalidateDataCol(dataCol_);
}

bool TtsCol::IsCurrent() const
{
    IGridModelHost* grid = Host();
    return grid && dataCol_ > 0 && grid->CurrentDataCol() == dataCol_;
}

void TtsCol::EditorChanged()
{
    if (IsCurrent())
        grid_->RefreshEditor();
}

// ---- Place --------------------------------------------------------------------------

void TtsCol::SetDisplayCol(int value)
{
    if (Host())
        grid_->GridCols().MoveCol(dataCol_, value);
    else
        displayCol_ = value;
}

// ---- Look ------------------------------------------------------------------------------

void TtsCol::SetColor(TColor value)
{
    if (model::Assign(color_, value))
        Changed();
}

std::unique_ptr<TFont> TtsCol::NewFont(bool heading)
{
    auto font = std::make_unique<TFont>();
    if (grid_)
        font->Assign(heading ? grid_->GridHeadingFont() : grid_->GridFont());
    font->OnChange = [this, heading](core::TObject*) { FontChanged(heading); };
    return font;
}

void TtsCol::CopyFont(std::unique_ptr<TFont>& font, const TFont& from, bool heading)
{
    if (!font)
        font = NewFont(heading);
    if (font.get() == &from)
        return;
    ++fontLock_;
    font->Assign(from);
    --fontLock_;
}

void TtsCol::FontChanged(bool heading)
{
    if (fontLock_ > 0)
        return;
    (heading ? headingParentFont_ : parentFont_) = false;
    Changed();
    EditorChanged();
}

TFont* TtsCol::Font() const
{
    if (parentFont_ && grid_ && grid_->Writing())
        return nullptr;
    if (!font_ && parentFont_ && grid_ && grid_->Reading())
        font_ = const_cast<TtsCol*>(this)->NewFont(false);
    return font_.get();
}

void TtsCol::SetFont(const TFont* value)
{
    if (!value) {
        SetParentFont(true);
        return;
    }
    CopyFont(font_, *value, false);
    parentFont_ = false;
    Changed();
    EditorChanged();
}

void TtsCol::SetParentFont(bool value)
{
    if (value) {
        if (privateFont_ && grid_)
            CopyFont(font_, grid_->GridFont(), false);
        else
            font_.reset();
    } else if (!font_) {
        font_ = NewFont(false);
    }
    if (model::Assign(parentFont_, value)) {
        Changed();
        EditorChanged();
    }
}

TFont* TtsCol::HeadingFont() const
{
    if (headingParentFont_ && grid_ && grid_->Writing())
        return nullptr;
    if (!headingFont_ && headingParentFont_ && grid_ && grid_->Reading())
        headingFont_ = const_cast<TtsCol*>(this)->NewFont(true);
    return headingFont_.get();
}

void TtsCol::SetHeadingFont(const TFont* value)
{
    if (!value) {
        SetHeadingParentFont(true);
        return;
    }
    CopyFont(headingFont_, *value, true);
    headingParentFont_ = false;
    Changed();
}

void TtsCol::SetHeadingParentFont(bool value)
{
    if (value)
        headingFont_.reset();
    else if (!headingFont_)
        headingFont_ = NewFont(true);
    if (model::Assign(headingParentFont_, value))
        Changed();
}

void TtsCol::SetPrivateFont(bool value)
{
    if (!model::Assign(privateFont_, value))
        return;
    if (value && !font_)
        font_ = NewFont(false);
    else if (!value && parentFont_)
        font_.reset();
    if (Host())
        grid_->GridCols().PrivateFontChanged(*this);
}

void TtsCol::GridFontChanged()
{
    if (privateFont_ && parentFont_ && grid_)
        CopyFont(font_, grid_->GridFont(), false);
}

void TtsCol::SetHorzAlignment(TtsHorzAlignment value)
{
    model::AlignmentPairOf(value, alignment_, aligned_);
    if (model::Assign(horzAlignment_, value))
        Changed();
}

void TtsCol::SetAlignment(ui::TAlignment value)
{
    alignment_ = value;
    if (model::Assign(horzAlignment_, model::HorzAlignmentOf(alignment_, aligned_)))
        Changed();
}

void TtsCol::SetAligned(bool value)
{
    aligned_ = value;
    if (model::Assign(horzAlignment_, model::HorzAlignmentOf(alignment_, aligned_)))
        Changed();
}

void TtsCol::SetVertAlignment(TtsVertAlignment value)
{
    if (model::Assign(vertAlignment_, value))
        Changed();
}

void TtsCol::SetWordWrap(TtsWordWrap value)
{
    if (model::Assign(wordWrap_, value))
        Changed();
}

void TtsCol::SetIs3D(bool value)
{
    if (model::Assign(is3D_, value))
        Changed();
}

// ---- Heading ---------------------------------------------------------------------------

AnsiString TtsCol::Heading() const
{
    return heading_.empty() ? fieldName_ : heading_;
}

void TtsCol::SetHeading(const AnsiString& value)
{
    if (value == headingText_)
        return;
    headingText_ = value;
    heading_ = model::StripAccelerator(value, accelPos_);
    Changed();
}

void TtsCol::SetHeadingButton(TtsColHeadingButton value)
{
    if (model::Assign(headingButton_, value))
        Changed();
}

void TtsCol::SetHeadingHorzAlignment(TtsHorzAlignment value)
{
    model::AlignmentPairOf(value, headingAlignment_, headingAligned_);
    if (model::Assign(headingHorzAlignment_, value))
        Changed();
}

void TtsCol::SetHeadingAlignment(ui::TAlignment value)
{
    headingAlignment_ = value;
    if (model::Assign(headingHorzAlignment_, model::HorzAlignmentOf(headingAlignment_, headingAligned_)))
        Changed();
}

void TtsCol::SetHeadingAligned(bool value)
{
    headingAligned_ = value;
    if (model::Assign(headingHorzAlignment_, model::HorzAlignmentOf(headingAlignment_, headingAligned_)))
        Changed();
}

void TtsCol::SetHeadingVertAlignment(TtsVertAlignment value)
{
    if (model::Assign(headingVertAlignment_, value))
        Changed();
}

void TtsCol::SetHeadingWordWrap(TtsWordWrap value)
{
    if (model::Assign(headingWordWrap_, value))
        Changed();
}

void TtsCol::SetHeadingColor(TColor value)
{
    if (model::Assign(headingColor_, value))
        Changed();
}

void TtsCol::SetSortPicture(TtsSortPicture value)
{
    if (model::Assign(sortPicture_, value))
        Changed();
}

// ---- Behaviour ---------------------------------------------------------------------------

void TtsCol::SetControlType(TtsControlType value)
{
    if (value == controlType_)
        return;
    if (IsCurrent())
        grid_->CloseEdit();
    controlType_ = value;
    Changed();
    if (Host())
        grid_->PruneColValues(dataCol_);
    EditorChanged();
}

void TtsCol::SetWidth(int value)
{
    designWidth_ = value;
    if (!model::Assign(width_, value))
        return;
    if (IGridModelHost* grid = Host()) {
        grid->GridCols().ApplyLayoutWidth(*this);
        if (!grid->Reading())
            grid->DoColResized(dataCol_);
        if (dataCol_ == 0)
            grid->ResizeDropDown();
    }
}

void TtsCol::SetVisible(bool value)
{
    if (value == visible_)
        return;
    IGridModelHost* grid = Host();
    if (!grid) {
        visible_ = value;
        return;
    }
    bool current = IsCurrent();
    if (current && !grid->EndPendingEdit())
        return;
    visible_ = value;
    TtsGridCols& cols = grid->GridCols();
    if (dataCol_ == 0) {
        // The row bar.
        cols.ApplyLayoutWidth(*this);
        grid->ResizeDropDown();
        grid->UpdateScrollRange();
        grid->InvalidateGrid();
        return;
    }
    if (value) {
        cols.visible_.Add(displayCol_);
        cols.ApplyLayoutWidth(*this);
        if (grid->CurrentDataCol() <= 0)
            grid->ChooseCurrentCell();
    } else {
        cols.visible_.Remove(displayCol_);
        cols.ApplyLayoutWidth(*this);
        grid->UnselectCol(dataCol_);
        if (current)
            grid->LeaveCurrentCol();
    }
    grid->UpdateScrollRange();
    grid->RefreshEditor();
    grid->UpdateGridStatus();
}

void TtsCol::SetReadOnly(bool value)
{
    if (!model::Assign(readOnly_, value))
        return;
    Changed();
    if (IGridModelHost* grid = Host(); grid && (IsCurrent() || grid->CurrentDataCol() <= 0))
        grid->ReevaluateCurrentCell();
    EditorChanged();
}

void TtsCol::SetButtonType(TtsButtonType value)
{
    IGridModelHost* grid = Host();
    if (grid && grid->IsDropDownGrid())
        return;
    if (!model::Assign(buttonType_, value))
        return;
    if (grid && value == btCombo)
        grid->EnsureGridCombo();
    if ((value == btDateTimeDropDown || value == btDateTimePopup) && IsCurrent())
        grid->ResetDateTimeState();
    Changed();
    EditorChanged();
}

TtsDropDownStyle TtsCol::DropDownStyle() const
{
    return dropDownStyle_;
}

void TtsCol::SetDropDownStyle(TtsDropDownStyle value)
{
    if (model::Assign(dropDownStyle_, value))
        EditorChanged();
}

void TtsCol::SetAllowGrayed(bool value)
{
    if (!model::Assign(allowGrayed_, value))
        return;
    Changed();
    EditorChanged();
}

void TtsCol::SetMaxLength(int value)
{
    if (!model::Assign(maxLength_, std::max(value, 0)))
        return;
    if (IsCurrent()) {
        grid_->EditorMaxLengthChanged(maxLength_);
        grid_->RefreshEditor();
    }
}

void TtsCol::SetFieldName(const AnsiString& value)
{
    if (value == fieldName_)
        return;
    fieldName_ = value;
    if (heading_.empty())
        Changed();
}

void TtsCol::SetMaskName(const AnsiString& value)
{
    if (value == maskName_)
        return;
    maskName_ = value;
    if (IsCurrent()) {
        grid_->ReloadMask();
        grid_->RefreshEditor();
    }
}

void TtsCol::SetCheckBoxValues(const AnsiString& value)
{
    if (value == checkBoxValues_)
        return;
    if (IGridModelHost* grid = Host())
        grid->ValidateCheckBoxValues(value);
    checkBoxValues_ = value;
    Changed();
    if (IsCurrent()) {
        grid_->RefreshCheckBox();
        grid_->RefreshEditor();
    }
}

// ---- Pictures and spinning -----------------------------------------------------------------

void TtsCol::SetStretchPicture(TtsDrawOption value)
{
    if (model::Assign(stretchPicture_, value))
        Changed();
}

void TtsCol::SetShrinkPicture(TtsDrawOption value)
{
    if (model::Assign(shrinkPicture_, value))
        Changed();
}

void TtsCol::SetCenterPicture(TtsDrawOption value)
{
    if (model::Assign(centerPicture_, value))
        Changed();
}

void TtsCol::SetKeepAspectRatio(TtsDrawOption value)
{
    if (model::Assign(keepAspectRatio_, value))
        Changed();
}

void TtsCol::SetSpinOptions(TtsSpinOptions value)
{
    if (model::Assign(spinOptions_, value))
        EditorChanged();
}

void TtsCol::SetSpinIncrement(double value)
{
    spinIncrement_ = value;
}

void TtsCol::SetDateTimeDef(TtsDateTimeDefComponent* value)
{
    if (value == dateTimeDef_)
        return;
    if (dateTimeDef_ && grid_)
        grid_->UnregisterDateTimeDef(dateTimeDef_);
    dateTimeDef_ = value;
    if (dateTimeDef_ && grid_)
        grid_->RegisterDateTimeDef(dateTimeDef_);
    EditorChanged();
}

// ---- Combo and cell button --------------------------------------------------------------------

void TtsCol::SetCombo(std::unique_ptr<core::TPersistent> combo)
{
    combo_ = std::move(combo);
    if (combo_)
        parentCombo_ = false;
    EditorChanged();
}

void TtsCol::SetParentCombo(bool value)
{
    if (value)
        combo_.reset();
    if (model::Assign(parentCombo_, value))
        EditorChanged();
}

void TtsCol::SetCellButton(std::unique_ptr<core::TPersistent> button)
{
    cellButton_ = std::move(button);
    Changed();
}

// ---- Whole-column operations --------------------------------------------------------------------

bool TtsCol::IsDefault() const
{
    // Published settings with a default, and the application values (which
    // have none, as they are always filed with a column): a column that
    // carries only a Tag must still be filed.
    if (!core::PropertiesAtDefault(*this) || !model::OrdinalsWithoutDefaultAreZero(*this))
        return false;
    return alignment_ == ui::taLeftJustify && !aligned_ && headingAlignment_ == ui::taLeftJustify &&
           !headingAligned_ && !font_ && !headingFont_ && !privateFont_ && fontLock_ == 0 && !combo_;
}

bool TtsCol::IsDefaultNoButton() const
{
    return IsDefault() && !cellButton_;
}

void TtsCol::Assign(const core::TPersistent* source)
{
    const auto* other = dynamic_cast<const TtsCol*>(source);
    if (!other) {
        core::TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    // Width goes apart: the design width becomes the other column's width
    // even where that equals a default.
    core::CopyProperties(*other, *this, TPropFilter::Except({"DisplayCol", "Tag", "ColConfig", "BePrint", "Width"}));
    alignment_ = other->alignment_;
    aligned_ = other->aligned_;
    horzAlignment_ = other->horzAlignment_;
    headingAlignment_ = other->headingAlignment_;
    headingAligned_ = other->headingAligned_;
    headingHorzAlignment_ = other->headingHorzAlignment_;
    combo_ = model::Clone(other->combo_.get());
    cellButton_ = model::Clone(other->cellButton_.get());
    SetWidth(other->width_);
    Changed();
    EditorChanged();
}

void TtsCol::AssignAll(const TtsCol& source)
{
    if (!Host()) {
        grid_ = source.grid_;
        displayCol_ = source.displayCol_;
        Assign(source);
        return;
    }
    Assign(source);
    SetDisplayCol(source.displayCol_);
}

void TtsCol::ResetProperties(uint32_t mask)
{
    auto reset = [this](std::initializer_list<std::string_view> names) {
        core::ResetProperties(*this, TPropFilter::Only(names));
    };
    for (uint32_t bit : model::kResetOrder) {
        if (!(mask & bit))
            continue;
        switch (bit) {
        case rpColor: reset({"Color", "HeadingColor"}); break;
        case rpFont: reset({"ParentFont"}); break;
        case rpIs3D: reset({"Is3D"}); break;
        case rpVisible: reset({"Visible"}); break;
        case rpWidth: SetWidth(designWidth_); break;
        case rpDisplayPos: reset({"DisplayCol"}); break;
        case rpAligned: SetAligned(false); break;
        case rpAlignment: SetAlignment(ui::taLeftJustify); break;
        case rpHorzAlignment: reset({"HorzAlignment"}); break;
        case rpVertAlignment: reset({"VertAlignment"}); break;
        case rpSortPicture: reset({"SortPicture"}); break;
        case rpHeadingButton: reset({"HeadingButton"}); break;
        case rpMaxLength: reset({"MaxLength"}); break;
        case rpReadOnly: reset({"ReadOnly"}); break;
        case rpWordWrap: reset({"WordWrap"}); break;
        case rpMaskName: reset({"MaskName"}); break;
        case rpButtonType: reset({"ButtonType"}); break;
        case rpCombo: SetCombo(nullptr); break;
        case rpParentCombo: reset({"ParentCombo"}); break;
        case rpPictureOptions: reset({"StretchPicture", "ShrinkPicture", "CenterPicture", "KeepAspectRatio"}); break;
        case rpSpinOptions: reset({"SpinOptions"}); break;
        case rpSpinIncrement: reset({"SpinIncrement"}); break;
        case rpDateTimeDef: reset({"DateTimeDef"}); break;
        case rpSelected:
            if (Host() && dataCol_ > 0)
                grid_->UnselectCol(dataCol_);
            break;
        default: break;
        }
    }
}

}  // namespace grid
