#pragma once

#include <memory>

#include "grid/view/CustomGrid.h"
#include "grid/view/GridCombo.h"

namespace grid {

class TtsCombo;
class TtsComboGrid;

// The grid as forms use it: the published properties and events.
class TtsGrid : public TtsCustomGrid {
    CORE_CLASS(TtsGrid, TtsCustomGrid)

    explicit TtsGrid(core::TComponent* owner);
    ~TtsGrid() override;
    static void Publish(core::PropertyList& list);

    // ---- Combo drop-down (GridCombo.cpp) ----------------------------------------------
    // The grid's own combo definition, made on first need.
    TtsCombo* Combo() { return &ComboState().GridCombo(); }
    // The drop-down's state and operations.
    TtsGridCombo& ComboState() { return *combo_; }
    const TtsGridCombo& ComboState() const { return *combo_; }
    // A cell's rectangle on the screen.
    graphics::TRect CellScreenRect(int dataCol, int dataRow) const;
    // Makes a combo's list and sets it up from this grid.
    virtual TtsComboGrid* CreateComboGrid(TtsCombo& combo);

    TtsComboEvent OnComboInit;
    TtsComboEvent OnComboDropDown;
    TtsComboEvent OnComboRollUp;
    TtsComboGetValueEvent OnComboGetValue;
    TtsComboCellLoadedEvent OnComboCellLoaded;
    TtsComboCompareValueEvent OnComboCompareValue;
    TtsComboLCompareValueEvent OnComboLCompareValue;

    // ---- What the drop-down asks of the current cell's editor ---------------------------
    // NOTE: until the in-cell editing is wired, the current cell's value
    // stands for the editor's text; the editing layer overrides these.
    virtual TtsComboEditState ComboEditState();
    // Puts a picked value into the current cell as a user edit; false when
    // the edit was refused.
    virtual bool ComboWriteValue(const Variant& value);
    // Puts completed text into the current cell as a user edit, with the
    // given selection.
    virtual void ComboWriteText(const AnsiString& text, int selStart, int selLength);
    virtual void ComboPlaceEditor() {}
    virtual void ComboFocusGrid();

    // A new combo definition of this grid.
    std::unique_ptr<core::TPersistent> CreateCombo() override;

protected:
    TtsDropDownStyle ComboDropDownStyle(const core::TPersistent& combo) const override;
    void SetComboDropDownStyle(core::TPersistent& combo, TtsDropDownStyle style) override;
    void SizeComboToCol(core::TPersistent& combo, int dataCol) override;
    void EnsureGridCombo() override;
    void ResizeDropDown() override;
    void DoCellChanged(int oldCol, int newCol, const Variant& oldRow, const Variant& newRow) override;

private:
    std::unique_ptr<TtsGridCombo> combo_;
};

}  // namespace grid
