#pragma once

#include <cstdint>
#include <memory>

#include "grid/model/GridTypes.h"
#include "platform/core/Persistent.h"
#include "platform/graphics/Forward.h"
#include "platform/ui/ControlTypes.h"

namespace grid {

using core::AnsiString;

class IGridModelHost;
class TtsDateTimeDefComponent;

// The settings of one data row (or, as row 0, of the heading row). A grid
// keeps row objects only for rows with at least one setting that differs
// from its default (TtsGridRows); the heading row always has one.
//
// The setters behave as the column's: they store the value and tell the
// grid only when it changed. Defaults, filing rules, copying and resets go
// through the published properties; the legacy alignment pair, the design
// height, the private font and the combo are handled beside them.
class TtsRow : public core::TPersistent {
    CORE_CLASS(TtsRow, core::TPersistent)

    explicit TtsRow(IGridModelHost* grid = nullptr);
    ~TtsRow() override;
    TtsRow(const TtsRow&) = delete;
    TtsRow& operator=(const TtsRow&) = delete;

    static void Publish(core::PropertyList& list);
    void DefineProperties(core::TFiler& filer) override;

    IGridModelHost* Grid() const { return grid_; }
    int DataRow() const { return dataRow_; }

    // The display position; setting it moves the row.
    int DisplayRow() const;
    void SetDisplayRow(int value);

    graphics::TColor Color() const { return color_; }
    void SetColor(graphics::TColor value);
    graphics::TFont* Font() const;
    void SetFont(const graphics::TFont* value);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    TtsHorzAlignment HorzAlignment() const { return horzAlignment_; }
    void SetHorzAlignment(TtsHorzAlignment value);
    ui::TAlignment Alignment() const { return alignment_; }
    void SetAlignment(ui::TAlignment value);
    bool Aligned() const { return aligned_; }
    void SetAligned(bool value);
    TtsVertAlignment VertAlignment() const { return vertAlignment_; }
    void SetVertAlignment(TtsVertAlignment value);
    TtsWordWrap WordWrap() const { return wordWrap_; }
    void SetWordWrap(TtsWordWrap value);
    int Height() const { return height_; }
    void SetHeight(int value);
    // The height last set through Height, which a reset restores.
    int DesignHeight() const { return designHeight_; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    bool Is3D() const { return is3D_; }
    void SetIs3D(bool value);
    const AnsiString& MaskName() const { return maskName_; }
    void SetMaskName(const AnsiString& value);
    TtsButtonType ButtonType() const { return buttonType_; }
    void SetButtonType(TtsButtonType value);
    TtsDropDownStyle DropDownStyle() const { return dropDownStyle_; }
    void SetDropDownStyle(TtsDropDownStyle value);
    core::TPersistent* Combo() const { return combo_.get(); }
    void SetCombo(std::unique_ptr<core::TPersistent> combo);
    bool ParentCombo() const { return parentCombo_; }
    void SetParentCombo(bool value);
    TtsDrawOption StretchPicture() const { return stretchPicture_; }
    void SetStretchPicture(TtsDrawOption value);
    TtsDrawOption ShrinkPicture() const { return shrinkPicture_; }
    void SetShrinkPicture(TtsDrawOption value);
    TtsDrawOption CenterPicture() const { return centerPicture_; }
    void SetCenterPicture(TtsDrawOption value);
    TtsDrawOption KeepAspectRatio() const { return keepAspectRatio_; }
    void SetKeepAspectRatio(TtsDrawOption value);
    TtsControlType ControlType() const { return controlType_; }
    void SetControlType(TtsControlType value);
    TtsSpinOptions SpinOptions() const { return spinOptions_; }
    void SetSpinOptions(TtsSpinOptions value);
    double SpinIncrement() const { return spinIncrement_; }
    void SetSpinIncrement(double value) { spinIncrement_ = value; }
    TtsDateTimeDefComponent* DateTimeDef() const { return dateTimeDef_; }
    void SetDateTimeDef(TtsDateTimeDefComponent* value);

    bool PrivateFont() const { return privateFont_; }
    virtual void SetPrivateFont(bool value);
    int FontLock() const { return fontLock_; }
    void GridFontChanged();

    // Whether every setting is at its default (the object may go).
    virtual bool IsDefault() const;
    virtual bool IsDefaultNoButton() const { return IsDefault(); }
    // Moves to the other row's display position, then takes over every
    // setting except the owner, DataRow and the private font.
    void Assign(const core::TPersistent* source) override;
    using core::TPersistent::Assign;
    // Assign, and the owner grid as well.
    virtual void AssignAll(const TtsRow& source);
    // Sets the groups of settings named by the rp... bits back to their
    // defaults (rpHeight, rpRowChanged and rpDropDownStyle apply to rows;
    // rpWidth, rpSelected, rpHeadingButton, rpSortPicture and rpMaxLength
    // do not).
    virtual void ResetProperties(uint32_t mask);

private:
    friend class TtsGridRows;

    IGridModelHost* Host() const;
    bool IsCurrent() const;
    void Changed();
    void EditorChanged();
    int GridDefaultRowHeight() const;
    std::unique_ptr<graphics::TFont> NewFont();
    void FontChanged();

    IGridModelHost* grid_ = nullptr;
    int dataRow_ = 0;
    // Row 0 of a grid: the heading row.
    bool heading_ = false;
    // The display position of a row that belongs to no grid.
    int displayRow_ = 0;
    graphics::TColor color_ = kNoColor;
    mutable std::unique_ptr<graphics::TFont> font_;
    bool parentFont_ = true;
    ui::TAlignment alignment_ = ui::taLeftJustify;
    bool aligned_ = false;
    TtsHorzAlignment horzAlignment_ = htaDefault;
    TtsVertAlignment vertAlignment_ = vtaDefault;
    TtsWordWrap wordWrap_ = wwDefault;
    int height_ = 14;
    int designHeight_ = 14;
    bool visible_ = true;
    bool readOnly_ = false;
    bool is3D_ = false;
    AnsiString maskName_;
    bool privateFont_ = false;
    int fontLock_ = 0;
    TtsButtonType buttonType_ = btDefault;
    TtsDropDownStyle dropDownStyle_ = ddDropDown;
    std::unique_ptr<core::TPersistent> combo_;
    bool parentCombo_ = true;
    TtsDrawOption stretchPicture_ = dopDefault;
    TtsDrawOption shrinkPicture_ = dopDefault;
    TtsDrawOption centerPicture_ = dopDefault;
    TtsDrawOption keepAspectRatio_ = dopDefault;
    TtsControlType controlType_ = ctDefault;
    TtsSpinOptions spinOptions_ = kAllSpinOptions;
    double spinIncrement_ = 1.0;
    TtsDateTimeDefComponent* dateTimeDef_ = nullptr;
};

}  // namespace grid
