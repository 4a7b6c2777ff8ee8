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

// The settings of one column of a grid and its place on screen. The grid
// keeps one for each data column and one, column 0, for the row bar.
//
// Settings whose value is a Default member (htaDefault, ctDefault, ...) are
// taken from the next level when a cell is painted or edited. Every setter
// stores the value and tells the grid only when the value changed: most
// repaint the column, those the editor depends on also refresh it, and
// Visible, Width and DisplayCol change the grid's layout.
//
// Defaults, filing rules, copying and resets all go through the published
// properties (Publish); only the settings that are not published (the
// legacy alignment pairs, the design width, the private font, the combo and
// the cell button) are handled by hand beside them.
class TtsCol : public core::TPersistent {
    CORE_CLASS(TtsCol, core::TPersistent)

    // A column of `grid`; a column without grid (nullptr) keeps its settings
    // and tells nobody.
    explicit TtsCol(IGridModelHost* grid = nullptr);
    ~TtsCol() override;
    TtsCol(const TtsCol&) = delete;
    TtsCol& operator=(const TtsCol&) = delete;

    static void Publish(core::PropertyList& list);
    void DefineProperties(core::TFiler& filer) override;

    IGridModelHost* Grid() const { return grid_; }
    // The data column (0 for the row bar) and the column's identifier,
    // unique within its grid.
    int DataCol() const { return dataCol_; }
    int ColId() const { return colId_; }

    // ---- Place -------------------------------------------------------------
    int DisplayCol() const { return displayCol_; }
    // Moves the column (ignored for positions outside 1..Cols).
    void SetDisplayCol(int value);

    // ---- Look ----------------------------------------------------------------
    graphics::TColor Color() const { return color_; }
    void SetColor(graphics::TColor value);
    // The column's cell font: none while ParentFont (the grid's is used),
    // except while the grid is read from a stream (a copy of the grid's for
    // the reader to fill in) and with the private-font flag set.
    graphics::TFont* Font() const;
    // Takes a copy of `value` and clears ParentFont; nullptr sets ParentFont.
    void SetFont(const graphics::TFont* value);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    virtual TtsHorzAlignment HorzAlignment() const { return horzAlignment_; }
    virtual void SetHorzAlignment(TtsHorzAlignment value);
    TtsVertAlignment VertAlignment() const { return vertAlignment_; }
    virtual void SetVertAlignment(TtsVertAlignment value);
    TtsWordWrap WordWrap() const { return wordWrap_; }
    void SetWordWrap(TtsWordWrap value);
    bool Is3D() const { return is3D_; }
    void SetIs3D(bool value);
    // The legacy pair kept in step with HorzAlignment: a text alignment and
    // whether it applies ("aligned"); not aligned reads as htaDefault.
    virtual ui::TAlignment Alignment() const { return alignment_; }
    virtual void SetAlignment(ui::TAlignment value);
    virtual bool Aligned() const { return aligned_; }
    virtual void SetAligned(bool value);

    // ---- Heading -------------------------------------------------------------
    // The heading text without its accelerator markers, or FieldName while
    // that is empty.
    virtual AnsiString Heading() const;
    // Each "&" marks the next character as the accelerator and is dropped;
    // "&&" stands for one "&".
    void SetHeading(const AnsiString& value);
    // The heading as it was set, markers included (what is filed).
    const AnsiString& HeadingText() const { return headingText_; }
    // The 1-based position of the accelerator in Heading(); 0 when none.
    int HeadingAccelPos() const { return accelPos_; }
    TtsColHeadingButton HeadingButton() const { return headingButton_; }
    void SetHeadingButton(TtsColHeadingButton value);
    TtsHorzAlignment HeadingHorzAlignment() const { return headingHorzAlignment_; }
    void SetHeadingHorzAlignment(TtsHorzAlignment value);
    TtsVertAlignment HeadingVertAlignment() const { return headingVertAlignment_; }
    void SetHeadingVertAlignment(TtsVertAlignment value);
    TtsWordWrap HeadingWordWrap() const { return headingWordWrap_; }
    void SetHeadingWordWrap(TtsWordWrap value);
    graphics::TFont* HeadingFont() const;
    void SetHeadingFont(const graphics::TFont* value);
    bool HeadingParentFont() const { return headingParentFont_; }
    void SetHeadingParentFont(bool value);
    graphics::TColor HeadingColor() const { return headingColor_; }
    void SetHeadingColor(graphics::TColor value);
    ui::TAlignment HeadingAlignment() const { return headingAlignment_; }
    void SetHeadingAlignment(ui::TAlignment value);
    bool HeadingAligned() const { return headingAligned_; }
    void SetHeadingAligned(bool value);
    TtsSortPicture SortPicture() const { return sortPicture_; }
    void SetSortPicture(TtsSortPicture value);

    // ---- Behaviour -------------------------------------------------------------
    TtsControlType ControlType() const { return controlType_; }
    virtual void SetControlType(TtsControlType value);
    int Width() const { return width_; }
    virtual void SetWidth(int value);
    // The width last set through Width, which a reset restores.
    int DesignWidth() const { return designWidth_; }
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool value);
    virtual bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    TtsButtonType ButtonType() const { return buttonType_; }
    void SetButtonType(TtsButtonType value);
    TtsDropDownStyle DropDownStyle() const;
    void SetDropDownStyle(TtsDropDownStyle value);
    virtual bool AllowGrayed() const { return allowGrayed_; }
    virtual void SetAllowGrayed(bool value);
    int MaxLength() const { return maxLength_; }
    // Negative values become 0.
    virtual void SetMaxLength(int value);
    const AnsiString& FieldName() const { return fieldName_; }
    virtual void SetFieldName(const AnsiString& value);
    const AnsiString& MaskName() const { return maskName_; }
    virtual void SetMaskName(const AnsiString& value);
    const AnsiString& CheckBoxValues() const { return checkBoxValues_; }
    // Checked as the grid's check-box texts are.
    void SetCheckBoxValues(const AnsiString& value);
    // Columns take check-box texts of their own.
    virtual bool HasCheckBoxValues() const { return true; }

    // ---- Pictures and spinning ---------------------------------------------------
    TtsDrawOption StretchPicture() const { return stretchPicture_; }
    void SetStretchPicture(TtsDrawOption value);
    TtsDrawOption ShrinkPicture() const { return shrinkPicture_; }
    void SetShrinkPicture(TtsDrawOption value);
    TtsDrawOption CenterPicture() const { return centerPicture_; }
    void SetCenterPicture(TtsDrawOption value);
    TtsDrawOption KeepAspectRatio() const { return keepAspectRatio_; }
    void SetKeepAspectRatio(TtsDrawOption value);
    TtsSpinOptions SpinOptions() const { return spinOptions_; }
    void SetSpinOptions(TtsSpinOptions value);
    double SpinIncrement() const { return spinIncrement_; }
    void SetSpinIncrement(double value);
    TtsDateTimeDefComponent* DateTimeDef() const { return dateTimeDef_; }
    void SetDateTimeDef(TtsDateTimeDefComponent* value);

    // ---- Combo and cell button (objects of the screen side, owned here) ---------
    core::TPersistent* Combo() const { return combo_.get(); }
    void SetCombo(std::unique_ptr<core::TPersistent> combo);
    bool ParentCombo() const { return parentCombo_; }
    // True drops the column's own combo.
    void SetParentCombo(bool value);
    core::TPersistent* CellButton() const { return cellButton_.get(); }
    void SetCellButton(std::unique_ptr<core::TPersistent> button);

    // ---- Application values ----------------------------------------------------
    int Tag() const { return tag_; }
    void SetTag(int value) { tag_ = value; }
    bool ColConfig() const { return colConfig_; }
    void SetColConfig(bool value) { colConfig_ = value; }
    bool BePrint() const { return bePrint_; }
    void SetBePrint(bool value) { bePrint_ = value; }

    // ---- Private font -------------------------------------------------------------
    // Keeps a copy of the grid's font even while ParentFont, so that it can
    // be read and changed for this column alone.
    bool PrivateFont() const { return privateFont_; }
    virtual void SetPrivateFont(bool value);
    int FontLock() const { return fontLock_; }
    // The grid's font changed: a private copy follows it.
    void GridFontChanged();

    // ---- Whole-column operations ------------------------------------------------
    // Whether the column has nothing of its own to file.
    virtual bool IsDefault() const;
    // IsDefault, and no cell button either.
    virtual bool IsDefaultNoButton() const;
    // Takes over every setting of `source` except the owner, DisplayCol,
    // the identifier, the private font and the application values.
    void Assign(const core::TPersistent* source) override;
    using core::TPersistent::Assign;
    // Assign, and the owner grid and DisplayCol as well.
    virtual void AssignAll(const TtsCol& source);
    virtual bool HeadingStored() const { return !headingText_.empty(); }
    virtual bool DisplayColStored() const { return displayCol_ != dataCol_; }
    // Sets the groups of settings named by the rp... bits back to their
    // defaults, in a fixed order.
    virtual void ResetProperties(uint32_t mask);

private:
    friend class TtsGridCols;

    // The grid while this column is one of its columns; nullptr otherwise.
    IGridModelHost* Host() const;
    void Changed();
    void EditorChanged();
    bool IsCurrent() const;
    int GridDefaultColWidth() const;
    void FontChanged(bool heading);
    void CopyFont(std::unique_ptr<graphics::TFont>& font, const graphics::TFont& from, bool heading);
    std::unique_ptr<graphics::TFont> NewFont(bool heading);

    IGridModelHost* grid_ = nullptr;
    int dataCol_ = 0;
    int displayCol_ = 0;
    graphics::TColor color_ = kNoColor;
    mutable std::unique_ptr<graphics::TFont> font_;
    bool parentFont_ = true;
    ui::TAlignment alignment_ = ui::taLeftJustify;
    bool aligned_ = false;
    TtsHorzAlignment horzAlignment_ = htaDefault;
    TtsVertAlignment vertAlignment_ = vtaDefault;
    TtsWordWrap wordWrap_ = wwDefault;
    AnsiString headingText_;
    AnsiString heading_;
    int accelPos_ = 0;
    TtsControlType controlType_ = ctDefault;
    int width_ = 64;
    int designWidth_ = 64;
    bool visible_ = true;
    bool readOnly_ = false;
    bool is3D_ = false;
    TtsButtonType buttonType_ = btDefault;
    std::unique_ptr<core::TPersistent> cellButton_;
    TtsDropDownStyle dropDownStyle_ = ddDropDown;
    bool allowGrayed_ = false;
    TtsColHeadingButton headingButton_ = cbGrid;
    ui::TAlignment headingAlignment_ = ui::taLeftJustify;
    bool headingAligned_ = false;
    TtsHorzAlignment headingHorzAlignment_ = htaDefault;
    TtsVertAlignment headingVertAlignment_ = vtaDefault;
    TtsWordWrap headingWordWrap_ = wwDefault;
    mutable std::unique_ptr<graphics::TFont> headingFont_;
    bool headingParentFont_ = true;
    graphics::TColor headingColor_ = kNoColor;
    TtsSortPicture sortPicture_ = spNone;
    int maxLength_ = 0;
    AnsiString fieldName_;
    AnsiString maskName_;
    int colId_ = 0;
    bool privateFont_ = false;
    int fontLock_ = 0;
    std::unique_ptr<core::TPersistent> combo_;
    bool parentCombo_ = true;
    TtsDrawOption stretchPicture_ = dopDefault;
    TtsDrawOption shrinkPicture_ = dopDefault;
    TtsDrawOption centerPicture_ = dopDefault;
    TtsDrawOption keepAspectRatio_ = dopDefault;
    TtsSpinOptions spinOptions_ = kAllSpinOptions;
    double spinIncrement_ = 1.0;
    TtsDateTimeDefComponent* dateTimeDef_ = nullptr;
    AnsiString checkBoxValues_;
    int tag_ = 0;
    bool bePrint_ = false;
    bool colConfig_ = false;
};

}  // namespace grid
