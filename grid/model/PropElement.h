#pragma once

#include <memory>

#include "grid/foundation/SetElement.h"
#include "grid/model/CellTypes.h"
#include "grid/model/PropNumbers.h"
#include "platform/graphics/Color.h"
#include "platform/ui/ControlTypes.h"

namespace graphics {
class TFont;
}

namespace grid {

class IGridCellHost;
class TtsDateTimeDefComponent;

// An element of the grid's property sets: it knows its grid. Its two copy
// operations do nothing at this level.
class TtsCustomElement : public TtsSetElement {
public:
    explicit TtsCustomElement(IGridCellHost* grid) : grid_(grid) {}

    IGridCellHost* Grid() const { return grid_; }
    void SetGrid(IGridCellHost* grid) { grid_ = grid; }

    // Copies the settings of another element.
    virtual void AssignElement(const TtsCustomElement& source);
    // The same, as the base class's copy operation reaches it.
    virtual void AssignBase(const TtsCustomElement& source);

protected:
    TtsCustomElement(const TtsCustomElement&) = default;

    IGridCellHost* grid_;
};

// The holder of one item's settings. Every field starts at the default of
// its property number; an element whose settings are all back at their
// defaults passes IsDefault and is dropped by its set.
class TtsCustomPropElement : public TtsCustomElement {
public:
    explicit TtsCustomPropElement(IGridCellHost* grid);
    // Frees the font and the own combo and lets go of the date-time definition.
    ~TtsCustomPropElement() override;

    // The default of a setting: what an element without it holds, and what
    // GetProp gives for a fresh element.
    static TtsPropValue DefaultProp(TtsPropNr nr, int subNr = 0);

    graphics::TColor Color() const { return color_; }
    void SetColor(graphics::TColor value) { color_ = value; }
    // The element's own font (a copy), or nullptr.
    graphics::TFont* Font() const { return font_.get(); }
    bool ParentFont() const { return parentFont_; }
    ui::TAlignment Alignment() const { return alignment_; }
    void SetAlignment(ui::TAlignment value);
    bool Aligned() const { return aligned_; }
    void SetAligned(bool value);
    TtsHorzAlignment HorzAlignment() const { return horzAlignment_; }
    void SetHorzAlignment(TtsHorzAlignment value);
    TtsVertAlignment VertAlignment() const { return vertAlignment_; }
    void SetVertAlignment(TtsVertAlignment value) { vertAlignment_ = value; }
    bool Is3D() const { return is3D_; }
    void SetIs3D(bool value) { is3D_ = value; }
    // The Boolean ReadOnly of columns and rows.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    TtsWordWrap WordWrap() const { return wordWrap_; }
    void SetWordWrap(TtsWordWrap value) { wordWrap_ = value; }
    TtsButtonType ButtonType() const { return buttonType_; }
    // The two date-time types reset the grid's date-time state.
    void SetButtonType(TtsButtonType value);
    // The own combo's style while there is one, else the element's.
    TtsDropDownStyle DropDownStyle() const;
    void SetDropDownStyle(TtsDropDownStyle value);
    // The three-state ReadOnly of cells.
    TtsReadOnly CellReadOnly() const { return cellReadOnly_; }
    void SetCellReadOnly(TtsReadOnly value) { cellReadOnly_ = value; }
    const core::AnsiString& MaskName() const { return maskName_; }
    void SetMaskName(const core::AnsiString& value) { maskName_ = value; }
    int FontLock() const { return fontLock_; }
    bool PrivateFont() const { return privateFont_; }
    // Keeps a copy of the inherited font while ParentFont is True (so that
    // it can be read and changed), or drops it.
    void SetPrivateFont(bool value);
    // The own combo definition (a TtsCombo), or nullptr.
    core::TPersistent* Combo() const { return combo_.get(); }
    // nullptr drops the own combo; another combo is copied into the own one,
    // which is made first when missing.
    void SetCombo(const core::TPersistent* value);
    bool ParentCombo() const { return parentCombo_; }
    // True drops the own combo.
    void SetParentCombo(bool value);
    // The picture options by sub-number (psStretchPicture..psKeepAspectRatio).
    TtsDrawOption Picture(int subNr) const;
    void SetPicture(int subNr, TtsDrawOption value);
    TtsDrawOption StretchPicture() const { return pictures_[0]; }
    TtsDrawOption ShrinkPicture() const { return pictures_[1]; }
    TtsDrawOption CenterPicture() const { return pictures_[2]; }
    TtsDrawOption KeepAspectRatio() const { return pictures_[3]; }
    TtsControlType ControlType() const { return controlType_; }
    void SetControlType(TtsControlType value) { controlType_ = value; }
    TtsSpinOptions SpinOptions() const { return spinOptions_; }
    void SetSpinOptions(TtsSpinOptions value) { spinOptions_ = value; }
    double SpinIncrement() const { return spinIncrement_; }
    void SetSpinIncrement(double value) { spinIncrement_ = value; }
    TtsDateTimeDefComponent* DateTimeDef() const { return dateTimeDef_; }
    // Registers the new definition with the grid and lets go of the old one;
    // a change resets the grid's date-time state.
    void SetDateTimeDef(TtsDateTimeDefComponent* value);

    // A setting by number (and picture sub-number); Unassigned for numbers
    // the element does not hold.
    virtual TtsPropValue GetProp(TtsPropNr nr, int subNr = 0) const;
    // Sets a setting by number from a value of the kind GetProp gives;
    // numbers the element does not hold are ignored.
    virtual void SetProp(TtsPropNr nr, int subNr, const TtsPropValue& value);
    // Copies every setting of another property element except the
    // private-font flag (fonts are copied, the combo assigned).
    void AssignElement(const TtsCustomElement& source) override;
    void AssignBase(const TtsCustomElement& source) override;
    // Every field at its default, no font, no combo, lock counter 0 and the
    // private-font flag off.
    virtual bool IsDefault() const;
    // The own font was changed from outside: ParentFont becomes False
    // unless the element itself is copying a font.
    virtual void FontChanged();
    // Stores a copy of `value` (nullptr: no font); ParentFont becomes True
    // exactly when no font is left.
    virtual void SetFont(const graphics::TFont* value);
    // True drops the own font (a private one is refreshed instead); False
    // gives the element a copy of the grid's font when it has none.
    virtual void SetParentFont(bool value);
    // With the private-font flag set and ParentFont True: the private copy
    // takes the inherited font.
    virtual void RefreshPrivateFont();
    // Makes the own combo when there is none: from the grid's combo
    // factory, with the element's DropDownStyle; ParentCombo becomes False.
    virtual void MakeCombo();

protected:
    // The font a private copy takes; the grid's font at this level.
    virtual const graphics::TFont* InheritedFont() const;
    // Copies `source` into the own font (made when missing) without the
    // copy counting as a change from outside.
    void CopyFont(const graphics::TFont* source);
    void DropFont();

private:
    graphics::TColor color_ = graphics::clNone;
    std::unique_ptr<graphics::TFont> font_;
    bool parentFont_ = true;
    ui::TAlignment alignment_ = ui::taLeftJustify;
    bool aligned_ = false;
    TtsHorzAlignment horzAlignment_ = htaDefault;
    TtsVertAlignment vertAlignment_ = vtaDefault;
    bool is3D_ = false;
    bool readOnly_ = false;
    TtsWordWrap wordWrap_ = wwDefault;
    TtsButtonType buttonType_ = btDefault;
    TtsDropDownStyle dropDownStyle_ = ddDropDown;
    TtsReadOnly cellReadOnly_ = roDefault;
    core::AnsiString maskName_;
    int fontLock_ = 0;
    bool privateFont_ = false;
    std::unique_ptr<core::TPersistent> combo_;
    bool parentCombo_ = true;
    TtsDrawOption pictures_[4] = {dopDefault, dopDefault, dopDefault, dopDefault};
    TtsControlType controlType_ = ctDefault;
    TtsSpinOptions spinOptions_ = kAllSpinOptions;
    double spinIncrement_ = 1.0;
    TtsDateTimeDefComponent* dateTimeDef_ = nullptr;
};

}  // namespace grid
