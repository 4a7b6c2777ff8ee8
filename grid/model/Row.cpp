// Row objects: their settings, fonts, filing extras, copying and resets.
#include "grid/model/Row.h"

#include "grid/foundation/CustomGrid_ts.h"

#include "grid/foundation/DateTimeLink.h"
#include "grid/model/GridModelHost.h"
#include "grid/model/GridRows.h"
#include "grid/model/ModelHelpers.h"
#include "platform/core/Properties.h"
#include "platform/core/TypeInfo.h"
#include "platform/filing/Reader.h"
#include "platform/graphics/Font.h"

namespace grid {

using core::TPropFilter;
using graphics::TColor;
using graphics::TFont;

CORE_CLASS_IMPL(TtsRow)

namespace {

constexpr int kHeadingHeight = 15;

}  // namespace

TtsRow::TtsRow(IGridModelHost* grid) : grid_(grid)
{
    height_ = designHeight_ = GridDefaultRowHeight();
}

TtsRow::~TtsRow()
{
    if (dateTimeDef_ && grid_)
        grid_->UnregisterDateTimeDef(dateTimeDef_);
}

void TtsRow::Publish(core::PropertyList& list)
{
    core::PropBuilder<TtsRow> p(list);
    p.Enum("ButtonType", &TtsRow::ButtonType, &TtsRow::SetButtonType).Default(btDefault);
    p.Object<TtsDateTimeDefComponent>("DateTimeDef", &TtsRow::DateTimeDef, &TtsRow::SetDateTimeDef)
        .Default(nullptr);
    p.Enum("CenterPicture", &TtsRow::CenterPicture, &TtsRow::SetCenterPicture).Default(dopDefault);
    p.Integer("Color", &TtsRow::Color, &TtsRow::SetColor, "TColor").Default(kNoColor);
    p.Enum("ControlType", &TtsRow::ControlType, &TtsRow::SetControlType).Default(ctDefault);
    p.Integer("DisplayRow", &TtsRow::DisplayRow, &TtsRow::SetDisplayRow)
        .DefaultFrom([](const TtsRow& r) { return r.dataRow_; });
    p.Enum("DropDownStyle", &TtsRow::DropDownStyle, &TtsRow::SetDropDownStyle).Default(ddDropDown);
    p.Object<TFont>("Font", &TtsRow::Font, &TtsRow::SetFont).StoredWhen([](const TtsRow& r) {
        return !r.parentFont_;
    });
    p.Integer("Height", &TtsRow::Height, &TtsRow::SetHeight).DefaultFrom(&TtsRow::GridDefaultRowHeight);
    p.Enum("HorzAlignment", &TtsRow::HorzAlignment, &TtsRow::SetHorzAlignment).Default(htaDefault);
    p.Boolean("Is3D", &TtsRow::Is3D, &TtsRow::SetIs3D).Default(false);
    p.Enum("KeepAspectRatio", &TtsRow::KeepAspectRatio, &TtsRow::SetKeepAspectRatio).Default(dopDefault);
    p.String("MaskName", &TtsRow::MaskName, &TtsRow::SetMaskName);
    p.Boolean("ParentCombo", &TtsRow::ParentCombo, &TtsRow::SetParentCombo).Default(true);
    p.Boolean("ParentFont", &TtsRow::ParentFont, &TtsRow::SetParentFont).Default(true);
    p.Boolean("ReadOnly", &TtsRow::ReadOnly, &TtsRow::SetReadOnly).Default(false);
    p.Enum("ShrinkPicture", &TtsRow::ShrinkPicture, &TtsRow::SetShrinkPicture).Default(dopDefault);
    p.Float("SpinIncrement", &TtsRow::SpinIncrement, &TtsRow::SetSpinIncrement).Default(1.0);
    p.Set("SpinOptions", &TtsRow::SpinOptions, &TtsRow::SetSpinOptions).Default(kAllSpinOptions);
    p.Enum("StretchPicture", &TtsRow::StretchPicture, &TtsRow::SetStretchPicture).Default(dopDefault);
    p.Enum("VertAlignment", &TtsRow::VertAlignment, &TtsRow::SetVertAlignment).Default(vtaDefault);
    p.Boolean("Visible", &TtsRow::Visible, &TtsRow::SetVisible).Default(true);
    p.Enum("WordWrap", &TtsRow::WordWrap, &TtsRow::SetWordWrap).Default(wwDefault);
}

void TtsRow::DefineProperties(core::TFiler& filer)
{
    core::TPersistent::DefineProperties(filer);
    filer.DefineProperty(
        "Alignment", [this](filing::TReader& r) { SetAlignment(model::ReadAlignment(r, alignment_)); }, nullptr,
        false);
    filer.DefineProperty("Align", [this](filing::TReader& r) { SetAligned(r.ReadBoolean()); }, nullptr, false);
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

// ---- Helpers -----------------------------------------------------------------------

IGridModelHost* TtsRow::Host() const
{
    return grid_ && grid_->GridRows().Items(dataRow_) == this ? grid_ : nullptr;
}

int TtsRow::GridDefaultRowHeight() const
{
    if (heading_)
        return kHeadingHeight;
    return grid_ ? grid_->BaseLayout().DefaultRowHeight() : 14;
}

bool TtsRow::IsCurrent() const
{
    IGridModelHost* grid = Host();
    return grid && dataRow_ > 0 && grid->CurrentDataRow() == dataRow_;
}

void TtsRow::Changed()
{
    if (IGridModelHost* grid = Host())
        grid->InvalidateDataRow(dataRow_);
}

void TtsRow::EditorChanged()
{
    if (IsCurrent())
        grid_->RefreshEditor();
}

// ---- Place ----------------------------------------------------------------------------

int TtsRow::DisplayRow() const
{
    if (Host())
        return dataRow_ == 0 ? 0 : grid_->GridRows().DisplayRownr(dataRow_);
    return displayRow_;
}

void TtsRow::SetDisplayRow(int value)
{
    if (Host())
        grid_->GridRows().MoveRow(dataRow_, value);
    else
        displayRow_ = value;
}

// ---- Look ------------------------------------------------------------------------------

void TtsRow::SetColor(TColor value)
{
    if (model::Assign(color_, value))
        Changed();
}

std::unique_ptr<TFont> TtsRow::NewFont()
{
    auto font = std::make_unique<TFont>();
    if (grid_)
        font->Assign(grid_->GridFont());
    font->OnChange = [this](core::TObject*) { FontChanged(); };
    return font;
}

void TtsRow::FontChanged()
{
    if (fontLock_ > 0)
        return;
    parentFont_ = false;
    Changed();
    EditorChanged();
}

TFont* TtsRow::Font() const
{
    if (parentFont_ && grid_ && grid_->Writing())
        return nullptr;
    if (!font_ && parentFont_ && grid_ && grid_->Reading())
        font_ = const_cast<TtsRow*>(this)->NewFont();
    return font_.get();
}

void TtsRow::SetFont(const TFont* value)
{
    if (!value) {
        SetParentFont(true);
        return;
    }
    if (!font_)
        font_ = NewFont();
    if (font_.get() != value) {
        ++fontLock_;
        font_->Assign(value);
        --fontLock_;
    }
    parentFont_ = false;
    Changed();
    EditorChanged();
}

void TtsRow::SetParentFont(bool value)
{
    if (value) {
        if (privateFont_ && grid_) {
            if (!font_)
                font_ = NewFont();
            ++fontLock_;
            font_->Assign(grid_->GridFont());
            --fontLock_;
        } else {
            font_.reset();
        }
    } else if (!font_) {
        font_ = NewFont();
    }
    if (model::Assign(parentFont_, value)) {
        Changed();
        EditorChanged();
    }
}

void TtsRow::SetPrivateFont(bool value)
{
    if (!model::Assign(privateFont_, value))
        return;
    if (value && !font_)
        font_ = NewFont();
    else if (!value && parentFont_)
        font_.reset();
    if (Host())
        grid_->GridRows().PrivateFontChanged(*this);
}

void TtsRow::GridFontChanged()
{
    if (privateFont_ && parentFont_ && grid_ && font_) {
        ++fontLock_;
        font_->Assign(grid_->GridFont());
        --fontLock_;
    }
}

void TtsRow::SetHorzAlignment(TtsHorzAlignment value)
{
    model::AlignmentPairOf(value, alignment_, aligned_);
    if (model::Assign(horzAlignment_, value))
        Changed();
}

void TtsRow::SetAlignment(ui::TAlignment value)
{
    alignment_ = value;
    if (model::Assign(horzAlignment_, model::HorzAlignmentOf(alignment_, aligned_)))
        Changed();
}

void TtsRow::SetAligned(bool value)
{
    aligned_ = value;
    if (model::Assign(horzAlignment_, model::HorzAlignmentOf(alignment_, aligned_)))
        Changed();
}

void TtsRow::SetVertAlignment(TtsVertAlignment value)
{
    if (model::Assign(vertAlignment_, value))
        Changed();
}

void TtsRow::SetWordWrap(TtsWordWrap value)
{
    if (model::Assign(wordWrap_, value))
        Changed();
}

void TtsRow::SetIs3D(bool value)
{
    if (model::Assign(is3D_, value))
        Changed();
}

void TtsRow::SetStretchPicture(TtsDrawOption value)
{
    if (model::Assign(stretchPicture_, value))
        Changed();
}

void TtsRow::SetShrinkPicture(TtsDrawOption value)
{
    if (model::Assign(shrinkPicture_, value))
        Changed();
}

void TtsRow::SetCenterPicture(TtsDrawOption value)
{
    if (model::Assign(centerPicture_, value))
        Changed();
}

void TtsRow::SetKeepAspectRatio(TtsDrawOption value)
{
    if (model::Assign(keepAspectRatio_, value))
        Changed();
}

// ---- Size and visibility ----------------------------------------------------------------

void TtsRow::SetHeight(int value)
{
    designHeight_ = value;
    if (!model::Assign(height_, value))
        return;
    if (IGridModelHost* grid = Host()) {
        grid->GridRows().ApplyLayoutHeight(*this);
        if (!grid->Reading())
            grid->DoRowResized(dataRow_);
    }
}

void TtsRow::SetVisible(bool value)
{
    if (value == visible_)
        return;
    IGridModelHost* grid = Host();
    if (!grid) {
        visible_ = value;
        return;
    }
    TtsGridRows& rows = grid->GridRows();
    if (dataRow_ == 0) {
        // The heading row.
        visible_ = value;
        rows.ApplyLayoutHeight(*this);
        grid->UpdateScrollRange();
        grid->InvalidateGrid();
        return;
    }
    int position = rows.DisplayRownr(dataRow_);
    if (grid->NewRowLineShown() && position == rows.RowCount())
        return;
    bool current = IsCurrent();
    if (current && !grid->EndPendingEdit())
        return;
    visible_ = value;
    if (value) {
        rows.visible_.Add(position);
        rows.ApplyLayoutHeight(*this);
        if (grid->CurrentDataRow() <= 0)
            grid->ChooseCurrentCell();
    } else {
        rows.visible_.Remove(position);
        rows.ApplyLayoutHeight(*this);
        grid->UnselectRow(dataRow_);
        if (current)
            grid->LeaveCurrentRow();
    }
    grid->UpdateScrollRange();
    grid->RefreshEditor();
    grid->UpdateGridStatus();
}

// ---- Behaviour -----------------------------------------------------------------------------

void TtsRow::SetReadOnly(bool value)
{
    if (!model::Assign(readOnly_, value))
        return;
    Changed();
    if (IGridModelHost* grid = Host(); grid && (IsCurrent() || grid->CurrentDataRow() <= 0))
        grid->ReevaluateCurrentCell();
    EditorChanged();
}

void TtsRow::SetMaskName(const AnsiString& value)
{
    if (value == maskName_)
        return;
    maskName_ = value;
    if (IsCurrent()) {
        grid_->ReloadMask();
        grid_->RefreshEditor();
    }
}

void TtsRow::SetControlType(TtsControlType value)
{
    if (value == controlType_)
        return;
    if (IsCurrent())
        grid_->CloseEdit();
    controlType_ = value;
    Changed();
    if (Host())
        grid_->PruneRowValues(dataRow_);
    EditorChanged();
}

void TtsRow::SetButtonType(TtsButtonType value)
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

void TtsRow::SetDropDownStyle(TtsDropDownStyle value)
{
    if (model::Assign(dropDownStyle_, value))
        EditorChanged();
}

void TtsRow::SetCombo(std::unique_ptr<core::TPersistent> combo)
{
    combo_ = std::move(combo);
    if (combo_)
        parentCombo_ = false;
    EditorChanged();
}

void TtsRow::SetParentCombo(bool value)
{
    if (value)
        combo_.reset();
    if (model::Assign(parentCombo_, value))
        EditorChanged();
}

void TtsRow::SetSpinOptions(TtsSpinOptions value)
{
    if (model::Assign(spinOptions_, value))
        EditorChanged();
}

void TtsRow::SetDateTimeDef(TtsDateTimeDefComponent* value)
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

// ---- Whole-row operations -------------------------------------------------------------------

bool TtsRow::IsDefault() const
{
    // The display position is kept by the grid's display order, not by the
    // object, so it takes no part.
    if (!core::PropertiesAtDefault(*this, TPropFilter::Except({"DisplayRow"})))
        return false;
    return alignment_ == ui::taLeftJustify && !aligned_ && !font_ && !privateFont_ && fontLock_ == 0 &&
           designHeight_ == GridDefaultRowHeight() && !combo_;
}

void TtsRow::Assign(const core::TPersistent* source)
{
    const auto* other = dynamic_cast<const TtsRow*>(source);
    if (!other) {
        core::TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    SetDisplayRow(other->DisplayRow());
    core::CopyProperties(*other, *this, TPropFilter::Except({"DisplayRow", "Height"}));
    alignment_ = other->alignment_;
    aligned_ = other->aligned_;
    horzAlignment_ = other->horzAlignment_;
    combo_ = model::Clone(other->combo_.get());
    SetHeight(other->height_);
    Changed();
    EditorChanged();
}

void TtsRow::AssignAll(const TtsRow& source)
{
    if (!Host()) {
        grid_ = source.grid_;
        displayRow_ = source.DisplayRow();
    }
    Assign(source);
}

void TtsRow::ResetProperties(uint32_t mask)
{
    auto reset = [this](std::initializer_list<std::string_view> names) {
        core::ResetProperties(*this, TPropFilter::Only(names));
    };
    for (uint32_t bit : model::kResetOrder) {
        if (!(mask & bit))
            continue;
        switch (bit) {
        case rpColor: reset({"Color"}); break;
        case rpFont: reset({"ParentFont"}); break;
        case rpIs3D: reset({"Is3D"}); break;
        case rpVisible: reset({"Visible"}); break;
        case rpHeight: SetHeight(designHeight_); break;
        case rpDisplayPos: reset({"DisplayRow"}); break;
        case rpAligned: SetAligned(false); break;
        case rpAlignment: SetAlignment(ui::taLeftJustify); break;
        case rpHorzAlignment: reset({"HorzAlignment"}); break;
        case rpVertAlignment: reset({"VertAlignment"}); break;
        case rpReadOnly: reset({"ReadOnly"}); break;
        case rpWordWrap: reset({"WordWrap"}); break;
        case rpMaskName: reset({"MaskName"}); break;
        case rpButtonType: reset({"ButtonType"}); break;
        case rpDropDownStyle: reset({"DropDownStyle"}); break;
        case rpCombo: SetCombo(nullptr); break;
        case rpParentCombo: reset({"ParentCombo"}); break;
        case rpPictureOptions: reset({"StretchPicture", "ShrinkPicture", "CenterPicture", "KeepAspectRatio"}); break;
        case rpSpinOptions: reset({"SpinOptions"}); break;
        case rpSpinIncrement: reset({"SpinIncrement"}); break;
        case rpDateTimeDef: reset({"DateTimeDef"}); break;
        case rpRowChanged:
            if (Host() && dataRow_ > 0)
                grid_->GridRows().SetRowChanged(dataRow_, false);
            break;
        default: break;
        }
    }
}

}  // namespace grid
