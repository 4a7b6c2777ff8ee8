#pragma once

// A grid for testing the column and row model without the grid control: the
// layout base (without a window unless a test gives it a parent), the column
// and row lists, and a record of everything the model asks of its grid.
// The current cell is kept here in data numbers; a refused edit, the
// reading and writing states and the new-row line can be scripted.

#include <memory>
#include <string>
#include <vector>

#include "grid/foundation/CustomGrid_ts.h"
#include "grid/foundation/DateTimeLink.h"
#include "grid/model/GridCols.h"
#include "grid/model/GridModelHost.h"
#include "grid/model/GridRows.h"
#include "platform/graphics/Font.h"

class TModelTestHost : public grid::TCustomGrid_ts, public grid::IGridModelHost {
public:
    // One recorded event: its name and arguments.
    struct Event {
        std::string Name;
        int A = 0;
        int B = 0;
        int C = 0;
        bool operator==(const Event&) const = default;
    };

    explicit TModelTestHost(core::TComponent* owner = nullptr) : grid::TCustomGrid_ts(owner)
    {
        SetName("Grid1");
        headingFont.SetName("Arial");
        cols_ = std::make_unique<grid::TtsGridCols>(*this);
        rows_ = std::make_unique<grid::TtsGridRows>(*this);
    }
    ~TModelTestHost() override
    {
        rows_.reset();
        cols_.reset();
    }

    // Sets up a grid of `cols` columns and `rows` rows, as the grid control does.
    void SetSize(int cols, int rows)
    {
        cols_->SetCols(cols);
        rows_->SetRowCount(rows);
    }

    grid::TtsGridCols& Cols() { return *cols_; }
    grid::TtsGridRows& Rows() { return *rows_; }

    // The events raised, oldest first; cleared by the test at will.
    std::vector<Event> events;
    int invalidations = 0;
    int editorRefreshes = 0;
    int scrollUpdates = 0;
    int statusUpdates = 0;
    std::vector<int> unselectedCols;
    std::vector<int> unselectedRows;
    std::vector<std::pair<int, int>> colSelectionMoves;
    std::vector<std::pair<int, int>> rowSelectionMoves;
    std::vector<std::string> calls;

    // Scripted state.
    int currentCol = 0;
    int currentRow = 0;
    bool refuseEndEdit = false;
    bool reading = false;
    bool writing = false;
    bool dropDown = false;
    bool newRowLine = false;
    bool editorShown = false;
    // A row resize is giving every row the same height (rrAll).
    bool sameHeightForAll = false;
    graphics::TFont font;
    graphics::TFont headingFont;

    // ---- IGridModelHost ----------------------------------------------------------
    grid::TCustomGrid_ts& BaseLayout() override { return *this; }
    const grid::TCustomGrid_ts& BaseLayout() const override { return *this; }
    grid::TtsGridCols& GridCols() override { return *cols_; }
    const grid::TtsGridCols& GridCols() const override { return *cols_; }
    grid::TtsGridRows& GridRows() override { return *rows_; }
    const grid::TtsGridRows& GridRows() const override { return *rows_; }
    bool Reading() const override { return reading; }
    bool Writing() const override { return writing; }
    bool IsDropDownGrid() const override { return dropDown; }
    bool NewRowLineShown() const override { return newRowLine; }
    const graphics::TFont& GridFont() const override { return font; }
    const graphics::TFont& GridHeadingFont() const override { return headingFont; }

    void InvalidateDataCol(int) override { ++invalidations; }
    void InvalidateDataRow(int) override { ++invalidations; }
    void InvalidateRowBar(int dataRow) override { calls.push_back("InvalidateRowBar " + std::to_string(dataRow)); }
    void InvalidateGrid() override { ++invalidations; }
    void UpdateScrollRange() override { ++scrollUpdates; }

    int CurrentDataCol() const override { return currentCol; }
    int CurrentDataRow() const override { return currentRow; }
    bool EndPendingEdit() override
    {
        calls.push_back("EndPendingEdit");
        return !refuseEndEdit;
    }
    void CloseEdit() override { calls.push_back("CloseEdit"); }
    void RefreshEditor() override { ++editorRefreshes; }
    bool HideEditor() override
    {
        calls.push_back("HideEditor");
        bool shown = editorShown;
        editorShown = false;
        return shown;
    }
    void ShowEditor() override
    {
        calls.push_back("ShowEditor");
        editorShown = true;
    }
    void ReevaluateCurrentCell() override { calls.push_back("ReevaluateCurrentCell"); }
    void ReloadMask() override { calls.push_back("ReloadMask"); }
    void EditorMaxLengthChanged(int maxLength) override
    {
        calls.push_back("EditorMaxLength " + std::to_string(maxLength));
    }
    void RefreshCheckBox() override { calls.push_back("RefreshCheckBox"); }
    void ResetDateTimeState() override { calls.push_back("ResetDateTimeState"); }
    void CurrentColMoved(int displayCol) override
    {
        calls.push_back("CurrentColMoved " + std::to_string(displayCol));
    }
    void CurrentRowMoved(int displayRow) override
    {
        calls.push_back("CurrentRowMoved " + std::to_string(displayRow));
    }
    // The current cell goes to the first other visible column (row), or to
    // none.
    void LeaveCurrentCol() override
    {
        const auto& visible = cols_->VisibleCols();
        int next = 0;
        for (int i = 1; i <= visible.VisibleCount() && next == 0; ++i) {
            int dataCol = cols_->DataColnr(visible.Get(i));
            if (dataCol != currentCol)
                next = dataCol;
        }
        currentCol = next;
        if (next == 0)
            currentRow = 0;
    }
    void LeaveCurrentRow() override
    {
        const auto& visible = rows_->VisibleRows();
        int next = 0;
        for (int i = 1; i <= visible.VisibleCount() && next == 0; ++i) {
            int dataRow = rows_->DataRownr(visible.Get(i));
            if (dataRow != currentRow)
                next = dataRow;
        }
        currentRow = next;
        if (next == 0)
            currentCol = 0;
    }
    void ChooseCurrentCell() override
    {
        calls.push_back("ChooseCurrentCell");
        const auto& vc = cols_->VisibleCols();
        const auto& vr = rows_->VisibleRows();
        if (vc.VisibleCount() > 0 && vr.VisibleCount() > 0) {
            currentCol = cols_->DataColnr(vc.Get(1));
            currentRow = rows_->DataRownr(vr.Get(1));
        }
    }
    void UpdateGridStatus() override { ++statusUpdates; }
    void CurrentRowChangeCleared() override { calls.push_back("CurrentRowChangeCleared"); }

    void UnselectCol(int dataCol) override { unselectedCols.push_back(dataCol); }
    void UnselectRow(int dataRow) override { unselectedRows.push_back(dataRow); }
    void ColSelectionMoved(int from, int to) override { colSelectionMoves.emplace_back(from, to); }
    void RowSelectionMoved(int from, int to) override { rowSelectionMoves.emplace_back(from, to); }

    void ValidateCheckBoxValues(const core::AnsiString& value) override
    {
        if (value == "bad")
            throw grid::EInvalidGridOperation("Grid1: Invalid check box values");
    }
    void PruneColValues(int dataCol) override { calls.push_back("PruneColValues " + std::to_string(dataCol)); }
    void PruneRowValues(int dataRow) override { calls.push_back("PruneRowValues " + std::to_string(dataRow)); }
    void EnsureGridCombo() override { calls.push_back("EnsureGridCombo"); }
    void ResizeDropDown() override { calls.push_back("ResizeDropDown"); }
    void RegisterDateTimeDef(grid::TtsDateTimeDefComponent*) override { calls.push_back("RegisterDateTimeDef"); }
    void UnregisterDateTimeDef(grid::TtsDateTimeDefComponent*) override
    {
        calls.push_back("UnregisterDateTimeDef");
    }
    void WriteCombo(const core::TObject&, core::TStream&) override { calls.push_back("WriteCombo"); }
    std::unique_ptr<core::TPersistent> ReadCombo(core::TStream&) override { return nullptr; }

    void DoColMoved(int to, int count, bool byUser) override { events.push_back({"ColMoved", to, count, byUser}); }
    void DoRowMoved(int to, int count, bool byUser) override { events.push_back({"RowMoved", to, count, byUser}); }
    void DoColResized(int rowColnr) override { events.push_back({"ColResized", rowColnr}); }
    void DoRowResized(int rowColnr) override { events.push_back({"RowResized", rowColnr}); }

protected:
    void DrawCell(int, int, const graphics::TRect&, grid::TGridDrawState_ts) override {}
    // The layout's extents changed by other means: the lists take them.
    void ColWidthsChanged() override
    {
        grid::TCustomGrid_ts::ColWidthsChanged();
        if (cols_)
            cols_->LayoutWidthsChanged();
    }
    void RowHeightsChanged() override
    {
        grid::TCustomGrid_ts::RowHeightsChanged();
        if (rows_)
            rows_->LayoutHeightsChanged(sameHeightForAll);
    }

private:
    std::unique_ptr<grid::TtsGridCols> cols_;
    std::unique_ptr<grid::TtsGridRows> rows_;
};

// A date-time definition that only has to exist: columns and rows keep a
// reference to it and register it with their grid.
class TModelTestDateTimeDef : public grid::TtsDateTimeDefComponent {
public:
    explicit TModelTestDateTimeDef(core::TComponent* owner = nullptr) : grid::TtsDateTimeDefComponent(owner) {}
    ui::TWinControl* PickerControl() const override { return nullptr; }
    void SetOnAccept(const core::TNotifyEvent&) override {}
    void SetOnCancel(const core::TNotifyEvent&) override {}
    grid::TtsDateTimeSettings* PickerSettings() const override { return nullptr; }
    void PreparePicker() override {}
    void ActivatePicker() override {}
};
