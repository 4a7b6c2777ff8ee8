#pragma once

#include "grid/model/CellTypes.h"
#include "platform/core/Persistent.h"
#include "platform/graphics/Forward.h"

namespace grid {

class IGridCellHost;
class TtsDateTimeDefComponent;

// A view of one cell's own settings: every published property reads and
// writes the grid's cell accessors for its data column and data row, so a
// cell read from a form (CellProperties) lands in the grid's cell property
// set. The row is kept as the integer data row that the grid's row keys
// convert to.
class TtsCell : public core::TPersistent {
    CORE_CLASS(TtsCell, core::TPersistent)

    explicit TtsCell(IGridCellHost* grid = nullptr, int dataCol = 0, int dataRow = 0)
        : grid_(grid), dataCol_(dataCol), dataRow_(dataRow)
    {
    }
    static void Publish(core::PropertyList& list);
    // Files "Combo": the cell's own combo grid, while the button is a combo.
    void DefineProperties(core::TFiler& filer) override;

    IGridCellHost* Grid() const { return grid_; }
    int DataCol() const { return dataCol_; }
    int DataRow() const { return dataRow_; }
    void SetCell(int dataCol, int dataRow)
    {
        dataCol_ = dataCol;
        dataRow_ = dataRow;
    }

    TtsButtonType ButtonType() const;
    void SetButtonType(TtsButtonType value);
    TtsDateTimeDefComponent* DateTimeDef() const;
    void SetDateTimeDef(TtsDateTimeDefComponent* value);
    TtsDrawOption CenterPicture() const;
    void SetCenterPicture(TtsDrawOption value);
    graphics::TColor Color() const;
    void SetColor(graphics::TColor value);
    TtsControlType ControlType() const;
    void SetControlType(TtsControlType value);
    TtsDropDownStyle DropDownStyle() const;
    void SetDropDownStyle(TtsDropDownStyle value);
    graphics::TFont* Font() const;
    void SetFont(const graphics::TFont* value);
    TtsHorzAlignment HorzAlignment() const;
    void SetHorzAlignment(TtsHorzAlignment value);
    bool Is3D() const;
    void SetIs3D(bool value);
    TtsDrawOption KeepAspectRatio() const;
    void SetKeepAspectRatio(TtsDrawOption value);
    core::AnsiString MaskName() const;
    void SetMaskName(const core::AnsiString& value);
    bool ParentCombo() const;
    void SetParentCombo(bool value);
    bool ParentFont() const;
    void SetParentFont(bool value);
    TtsReadOnly ReadOnly() const;
    void SetReadOnly(TtsReadOnly value);
    TtsDrawOption ShrinkPicture() const;
    void SetShrinkPicture(TtsDrawOption value);
    double SpinIncrement() const;
    void SetSpinIncrement(double value);
    TtsSpinOptions SpinOptions() const;
    void SetSpinOptions(TtsSpinOptions value);
    TtsDrawOption StretchPicture() const;
    void SetStretchPicture(TtsDrawOption value);
    TtsVertAlignment VertAlignment() const;
    void SetVertAlignment(TtsVertAlignment value);
    TtsWordWrap WordWrap() const;
    void SetWordWrap(TtsWordWrap value);
    // The cell's own combo, or nullptr.
    core::TPersistent* Combo() const;

    // Copies another cell's settings: every published property but Font and
    // ParentFont by name, then the combo and ParentFont, then Font when
    // ParentFont is False.
    void Assign(const core::TPersistent* source) override;
    using core::TPersistent::Assign;

private:
    IGridCellHost* grid_;
    int dataCol_;
    int dataRow_;
};

}  // namespace grid
