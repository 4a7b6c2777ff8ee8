#pragma once

#include <functional>

#include "grid/view/ComboSearch.h"
#include "grid/view/CustomGrid.h"

namespace grid {

class TtsCombo;
class TtsGrid;

// The list of a combo: a complete grid of its own, shown in the drop-down
// window under a cell of its owning grid. It carries the list settings of
// its combo (rows and columns shown, the value column and how it is
// searched, completion, the drop-down style), moves in its rows by the keys
// its owning grid hands over and by the mouse, and reports a click released
// on one of its cells (a pick). Errors raised inside it carry the owning
// grid's name followed by ".Combo".
class TtsComboGrid : public TtsCustomGrid {
    CORE_CLASS(TtsComboGrid, TtsCustomGrid)

    // A list without an owning grid (class factory, filing).
    explicit TtsComboGrid(core::TComponent* owner);
    TtsComboGrid(TtsGrid* owningGrid, TtsCombo* combo);
    ~TtsComboGrid() override;
    static void Publish(core::PropertyList& list);

    TtsGrid* OwningGrid() const { return owningGrid_; }
    TtsCombo* Combo() const { return combo_; }

    // ---- List settings ----------------------------------------------------------
    int DropDownRows() const { return dropDownRows_; }
    void SetDropDownRows(int value);
    int DropDownCols() const { return dropDownCols_; }
    void SetDropDownCols(int value);
    int ValueCol() const { return valueCol_; }
    void SetValueCol(int value) { valueCol_ = value; }
    bool ValueColSorted() const { return valueColSorted_; }
    void SetValueColSorted(bool value) { valueColSorted_ = value; }
    TtsComboCompareType CompareType() const { return compareType_; }
    void SetCompareType(TtsComboCompareType value) { compareType_ = value; }
    TtsComboAutoSearchType AutoSearch() const { return autoSearch_; }
    void SetAutoSearch(TtsComboAutoSearchType value) { autoSearch_ = value; }
    bool AutoFill() const { return autoFill_; }
    // True also turns AutoSearch asNone into asTop (not while loading).
    void SetAutoFill(bool value);
    TtsConvertCase AutoFillConvertCase() const { return autoFillConvertCase_; }
    void SetAutoFillConvertCase(TtsConvertCase value) { autoFillConvertCase_ = value; }
    TtsDropDownStyle DropDownStyle() const { return dropDownStyle_; }
    void SetDropDownStyle(TtsDropDownStyle value) { dropDownStyle_ = value; }

    // ---- View settings the list needs -------------------------------------------
    bool HeadingOn() const;
    void SetHeadingOn(bool value);
    int HeadingHeight() const;
    void SetHeadingHeight(int value);
    bool RowBarOn() const;
    void SetRowBarOn(bool value);
    int RowBarWidth() const;
    void SetRowBarWidth(int value);
    ui::TScrollStyle ScrollBars() const { return BaseScrollBars(); }
    void SetScrollBars(ui::TScrollStyle value) { SetBaseScrollBars(value); }

    // ---- The list's content --------------------------------------------------------
    // A row's compared value: its ValueCol value as text.
    AnsiString RowValue(int dataRow);
    // The search over the rows with the list's comparison (ctOwn asks the
    // owning grid's events).
    TtsComboSearch Search();
    // Compares a list value with a cell text by CompareType.
    int CompareValue(const AnsiString& value, const AnsiString& text, int len);
    // Copies another list: its settings, columns, rows and stored data.
    void AssignList(const TtsComboGrid& other);
    // An empty list with the settings of a list that never held another
    // definition.
    void ResetList();

    // ---- Moving in the list ----------------------------------------------------------
    // The list's current row (0 when it has none).
    int CurrentRow() const { return std::max(CurDataRow(), 0); }
    // Makes a data row current and scrolls it into view.
    void SetCurrentRow(int dataRow);
    // Makes a data row current and scrolls as AutoSearch asks; nothing when
    // it is current already or AutoSearch is asNone.
    void PositionOn(int dataRow);
    // A key of the list's own navigation: Up, Down, PgUp, PgDn, Ctrl+Up
    // (first row), Ctrl+Down (last row), Left, Right. True when it moved or
    // the key was one of them.
    bool ListKey(uint16_t key, ui::TShiftState shift);

    // A click released on a cell of the list.
    std::function<void()> OnListPick;

protected:
    core::AnsiString GridErrorName() const override;
    bool IsDropDownGrid() const override { return true; }
    void DoCellLoaded(int dataCol, int dataRow, Variant& value) override;
    void MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void MouseMove(ui::TShiftState shift, int x, int y) override;
    void MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void WndProc(ui::TMessage& message) override;

private:
    // The data row under a client point, or 0.
    int DataRowAt(int x, int y) const;

    TtsGrid* owningGrid_ = nullptr;
    TtsCombo* combo_ = nullptr;
    int dropDownRows_ = 4;
    int dropDownCols_ = 1;
    int valueCol_ = 1;
    bool valueColSorted_ = false;
    TtsComboCompareType compareType_ = ctCaseInsensitive;
    TtsComboAutoSearchType autoSearch_ = asNone;
    bool autoFill_ = false;
    TtsConvertCase autoFillConvertCase_ = afcOnEdit;
    TtsDropDownStyle dropDownStyle_ = ddDropDown;
    bool tracking_ = false;
};

}  // namespace grid
