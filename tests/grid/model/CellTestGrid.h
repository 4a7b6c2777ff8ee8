#pragma once

// A grid for cell-settings tests and benchmarks: the layout base with the
// model's column list, row list and cell settings, implementing what those
// need from their grid. Grid-level settings are plain fields; what the
// settings ask of the grid (repaints, mask reloads, prunes, date-time
// bookkeeping) is recorded.

#include <memory>
#include <vector>

#include "grid/foundation/CustomGrid_ts.h"
#include "grid/model/CellSettings.h"
#include "grid/model/GridCellHost.h"
#include "grid/model/GridCols.h"
#include "grid/model/GridRows.h"
#include "platform/graphics/Font.h"

// A combo definition as cells see one: its drop-down style, the width its
// list was sized to and a stand-in for its list's contents.
class TCellTestCombo : public core::TPersistent {
public:
    grid::TtsDropDownStyle style = grid::ddDropDown;
    int listWidth = 0;
    int items = 0;

    void Assign(const core::TPersistent* source) override
    {
        if (auto* other = dynamic_cast<const TCellTestCombo*>(source)) {
            style = other->style;
            items = other->items;
        } else {
            core::TPersistent::Assign(source);
        }
    }
    using core::TPersistent::Assign;
};

class TCellTestGrid : public grid::TCustomGrid_ts, public grid::IGridCellHost {
public:
    struct CellCall {
        int Col;
        int Row;
        bool ContentOnly;
        bool operator==(const CellCall&) const = default;
    };

    explicit TCellTestGrid(core::TComponent* owner, int cols = 4, int rows = 4)
        : grid::TCustomGrid_ts(owner), cols_(*this), rows_(*this), cells_(*this)
    {
        SetName("Grid1");
        font.SetName("Grid Font");
        headingFont.SetName("Heading Font");
        cols_.SetCols(cols);
        rows_.SetRowCount(rows);
    }

    grid::TtsGridCols& Cols() { return cols_; }
    grid::TtsGridRows& Rows() { return rows_; }
    grid::TtsCellSettings& Cells() { return cells_; }

    // ---- IGridModelHost ----
    grid::TCustomGrid_ts& BaseLayout() override { return *this; }
    const grid::TCustomGrid_ts& BaseLayout() const override { return *this; }
    grid::TtsGridCols& GridCols() override { return cols_; }
    const grid::TtsGridCols& GridCols() const override { return cols_; }
    grid::TtsGridRows& GridRows() override { return rows_; }
    const grid::TtsGridRows& GridRows() const override { return rows_; }
    bool Reading() const override { return reading; }
    bool Writing() const override { return writing; }
    bool IsDropDownGrid() const override { return false; }
    bool NewRowLineShown() const override { return false; }
    const graphics::TFont& GridFont() const override { return font; }
    const graphics::TFont& GridHeadingFont() const override { return headingFont; }
    void InvalidateDataCol(int) override {}
    void InvalidateDataRow(int) override {}
    void InvalidateRowBar(int) override {}
    void InvalidateGrid() override {}
    void UpdateScrollRange() override {}
    int CurrentDataCol() const override { return 0; }
    int CurrentDataRow() const override { return 0; }
    bool EndPendingEdit() override { return true; }
    void CloseEdit() override {}
    void RefreshEditor() override {}
    bool HideEditor() override { return false; }
    void ShowEditor() override {}
    void ReevaluateCurrentCell() override {}
    void ReloadMask() override {}
    void EditorMaxLengthChanged(int) override {}
    void RefreshCheckBox() override {}
    void ResetDateTimeState() override { ++dateTimeResets; }
    void CurrentColMoved(int) override {}
    void CurrentRowMoved(int) override {}
    void LeaveCurrentCol() override {}
    void LeaveCurrentRow() override {}
    void ChooseCurrentCell() override {}
    void UpdateGridStatus() override {}
    void CurrentRowChangeCleared() override {}
    void UnselectCol(int) override {}
    void UnselectRow(int) override {}
    void ColSelectionMoved(int, int) override {}
    void RowSelectionMoved(int, int) override {}
    void ValidateCheckBoxValues(const core::AnsiString&) override {}
    void PruneColValues(int) override {}
    void PruneRowValues(int) override {}
    void EnsureGridCombo() override {}
    void ResizeDropDown() override {}
    void RegisterDateTimeDef(grid::TtsDateTimeDefComponent* def) override { registered.push_back(def); }
    void UnregisterDateTimeDef(grid::TtsDateTimeDefComponent* def) override { unregistered.push_back(def); }
    void WriteCombo(const core::TObject&, core::TStream&) override {}
    std::unique_ptr<core::TPersistent> ReadCombo(core::TStream&) override { return nullptr; }
    void DoColMoved(int, int, bool) override {}
    void DoRowMoved(int, int, bool) override {}
    void DoColResized(int) override {}
    void DoRowResized(int) override {}

    // ---- IGridCellHost ----
    grid::TtsCellSettings& CellSettings() override { return cells_; }
    const grid::TtsCellSettings& CellSettings() const override { return cells_; }
    graphics::TColor GridColor() const override { return color; }
    grid::TtsWordWrap GridWordWrap() const override { return wordWrap; }
    grid::TtsHorzAlignment GridHorzAlignment() const override { return horzAlignment; }
    grid::TtsVertAlignment GridVertAlignment() const override { return vertAlignment; }
    bool GridIs3D() const override { return is3D; }
    grid::TtsDrawOverlap DrawOverlap() const override { return overlap; }
    bool ReadOnlyButton() const override { return readOnlyButton; }
    bool DesignEditable() const override { return designEditable; }
    const core::AnsiString& GridCheckBoxValues() const override { return checkBoxValues; }
    graphics::TColor GridHeadingColor() const override { return headingColor; }
    bool Heading3D() const override { return heading3D; }
    void CellSettingChanged(int dataCol, int dataRow, bool contentOnly) override
    {
        repaints.push_back({dataCol, dataRow, contentOnly});
    }
    void CellMaskChanged(int dataCol, int dataRow) override { maskReloads.push_back({dataCol, dataRow, false}); }
    void PruneCellValue(int dataCol, int dataRow) override { prunes.push_back({dataCol, dataRow, false}); }
    std::unique_ptr<core::TPersistent> CreateCombo() override
    {
        ++combosCreated;
        return std::make_unique<TCellTestCombo>();
    }
    grid::TtsDropDownStyle ComboDropDownStyle(const core::TPersistent& combo) const override
    {
        return static_cast<const TCellTestCombo&>(combo).style;
    }
    void SetComboDropDownStyle(core::TPersistent& combo, grid::TtsDropDownStyle style) override
    {
        static_cast<TCellTestCombo&>(combo).style = style;
    }
    void SizeComboToCol(core::TPersistent& combo, int dataCol) override
    {
        static_cast<TCellTestCombo&>(combo).listWidth = cols_.Items(dataCol)->Width();
    }

    // Grid-level settings.
    graphics::TColor color = graphics::clWindow;
    graphics::TFont font;
    graphics::TFont headingFont;
    grid::TtsWordWrap wordWrap = grid::wwOff;
    grid::TtsHorzAlignment horzAlignment = grid::htaDefault;
    grid::TtsVertAlignment vertAlignment = grid::vtaDefault;
    bool is3D = false;
    grid::TtsDrawOverlap overlap = grid::doDrawColOnTop;
    bool readOnlyButton = true;
    bool designEditable = false;
    core::AnsiString checkBoxValues;
    graphics::TColor headingColor = graphics::clBtnFace;
    bool heading3D = true;
    bool reading = false;
    bool writing = false;

    // What the settings asked for.
    std::vector<CellCall> repaints;
    std::vector<CellCall> maskReloads;
    std::vector<CellCall> prunes;
    std::vector<grid::TtsDateTimeDefComponent*> registered;
    std::vector<grid::TtsDateTimeDefComponent*> unregistered;
    int dateTimeResets = 0;
    int combosCreated = 0;

protected:
    void DrawCell(int, int, const graphics::TRect&, grid::TGridDrawState_ts) override {}

private:
    grid::TtsGridCols cols_;
    grid::TtsGridRows rows_;
    grid::TtsCellSettings cells_;
};
