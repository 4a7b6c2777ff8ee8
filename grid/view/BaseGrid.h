#pragma once

// The grid engine: the data side of the grid control (counts, the cell
// store, value typing, deletion), its selection and current cell.
//
// Section index of the engine's files:
//   BaseGrid.cpp       counts, StoreData, Cell reads and writes, typing
//   GridDeletion.cpp   DeleteRows, DeleteCols and the selected ones
//   GridSelect.cpp     the selection's host side, RowSelected, the current
//                      position and the move events
//   GridModelHost.cpp  what the column and row model asks of the grid
//   CustomGrid.cpp     events and the load step (TtsCustomGrid)
//
// Call flow of a cell read: Cell -> range and control type -> pending edit
// value -> stored value (by kind) -> LoadCell (OnRowLoaded, OnCellLoaded,
// type check) -> value.

#include <algorithm>
#include <memory>

#include "grid/foundation/2DStorage.h"
#include "grid/foundation/CustomGrid_ts.h"
#include "grid/model/CellValue.h"
#include "grid/model/CurrentCell.h"
#include "grid/model/CellSettings.h"
#include "grid/model/GridCellHost.h"
#include "grid/model/GridCols.h"
#include "grid/model/GridRows.h"
#include "grid/model/GridSelection.h"
#include "grid/model/PictureNames.h"
#include "grid/view/GridFilingTypes.h"
#include "platform/core/Bits.h"
#include "platform/core/Variant.h"

namespace grid {

using core::Variant;

CORE_ENUM(TtsGridMode, gmListBox, gmEdit, gmEditInsert, gmBrowse);

class TtsImageListComponent;
class TtsGridStreamComponent;

class TtsBaseGrid : public TCustomGrid_ts,
                    public IGridCellHost,
                    protected ISelectionHost,
                    protected ICurrentCellHost {
    CORE_CLASS(TtsBaseGrid, TCustomGrid_ts)

    explicit TtsBaseGrid(core::TComponent* owner);
    ~TtsBaseGrid() override;

    // ---- Counts ------------------------------------------------------------------
    // The raw count minus the removals in progress.
    virtual int Cols() const { return cols_ - colsPending_; }
    virtual void SetCols(int value);
    virtual int Rows() const { return rows_ - rowsPending_; }
    virtual void SetRows(int value);

    // ---- Values ------------------------------------------------------------------
    virtual Variant Cell(int dataCol, int dataRow);
    virtual void SetCell(int dataCol, int dataRow, const Variant& value);
    bool StoreData() const { return store_ != nullptr; }
    virtual void SetStoreData(bool value);
    // The store while StoreData is on.
    const Tts2DStorage* Store() const { return store_.get(); }
    const AnsiString& CheckBoxValues() const { return checkBoxValues_; }
    // Raises the format error and keeps the old text for a text of the wrong
    // form.
    void SetCheckBoxValues(const AnsiString& value);
    AnsiString Version() const { return "2.01"; }
    void SetVersion(const AnsiString&) {}
    TtsGridMode GridMode() const { return gridMode_; }
    void SetGridMode(TtsGridMode value) { gridMode_ = value; }
    TtsImageListComponent* ImageList() const { return imageList_; }
    void SetImageList(TtsImageListComponent* value) { imageList_ = value; }
    const TtsPictureNames& PictureNames() const { return pictureNames_; }
    // The effective control type of a cell, never ctDefault; ctNone outside
    // the grid.
    virtual TtsControlType CellControlType(int dataCol, int dataRow) const;
    // Writes the current cell's pending value into the store (StoreData on)
    // and raises OnCellEdit.
    virtual void CommitCellEdit(int dataCol, int dataRow, bool byUser);

    // ---- Persistence (GridFiling.cpp, GridStreamComponent.cpp) -------------------
    // Files "ImageListIds", "ColProperties", "RowProperties",
    // "CellProperties" and "Data", and reads the legacy "EditMode",
    // "HeadingAlignment", "ColWidths" and "RowHeights".
    void DefineProperties(core::TFiler& filer) override;
    // Loading a saved layout: a stream that cannot be read raises its error
    // and leaves the grid as it was.
    virtual void LoadFromFile(const AnsiString& fileName, bool loadLayout);
    // False when the key or the value is missing or the value is neither a
    // file name nor a binary layout.
    virtual bool LoadFromRegistry(const AnsiString& key, const AnsiString& valueName, bool loadLayout);
    virtual void LoadFromStream(core::TStream& stream, bool loadLayout);
    virtual bool IsReading() const { return Loading(); }
    virtual void ResetToDefaults(TtsPropKinds kinds);
    virtual void ResetAllCells(uint32_t mask);
    virtual void ResetAllRows(uint32_t mask);
    virtual void SaveToFile(const AnsiString& fileName, TtsPropKinds kinds, bool saveData, uint32_t mask);
    virtual void SaveToStream(core::TStream& stream, TtsPropKinds kinds, bool saveData, uint32_t mask);
    // Saves into the named file and stores its full path when `fileName` is
    // not empty, else stores the layout's bytes as a binary value.
    virtual void SaveToRegistry(const AnsiString& key, const AnsiString& valueName, bool saveData, uint32_t mask,
                                TtsPropKinds kinds, const AnsiString& fileName);
    virtual void SaveLayout(core::TStream& stream, bool saveData);
    virtual void SaveAllToRegistry(const AnsiString& key, const AnsiString& valueName, bool saveData,
                                   const AnsiString& fileName);
    virtual bool IsWriting() const { return Writing(); }
    // Copying from another grid: Assign takes everything and the data.
    void Assign(const core::TPersistent* source) override;
    using TCustomGrid_ts::Assign;
    virtual void CopyGrid(const TtsBaseGrid& source, TtsPropKinds kinds, bool withData);
    // Assign, then (StoreData on) the stored values of rows and columns
    // beyond this grid's own counts before the copy go, where the source
    // had more: what the drop-down grid of a combo does with its list.
    virtual void AssignTrimmed(const TtsBaseGrid& source);
    virtual void CopyPublished(const TtsBaseGrid& source, const AnsiString& excluded);
    virtual void CopyData(const TtsBaseGrid& source);
    virtual void CopyCols(const TtsBaseGrid& source);
    virtual void CopyRows(const TtsBaseGrid& source);
    virtual void CopyRowChanged(const TtsBaseGrid& source);
    virtual void CopyCells(const TtsBaseGrid& source);
    virtual void CopySelections(const TtsBaseGrid& source, TtsPropKinds kinds);
    // The stream component that is saving or loading this grid, or nullptr.
    TtsGridStreamComponent* StreamComponent() const { return streamComponent_; }

    // ---- Deletion ----------------------------------------------------------------
    virtual void DeleteRows(int fromRow, int toRow);
    virtual void DeleteCols(int fromCol, int toCol);
    virtual void DeleteSelectedRows();
    virtual void DeleteSelectedCols();

    // ---- Row-changed marks --------------------------------------------------------
    bool RowChanged(int dataRow) const;
    void SetRowChanged(int dataRow, bool value);

    // ---- Columns and rows ---------------------------------------------------------
    TtsGridCols& GridCols() override { return *colList_; }
    const TtsGridCols& GridCols() const override { return *colList_; }
    TtsGridRows& GridRows() override { return *rowList_; }
    const TtsGridRows& GridRows() const override { return *rowList_; }
    int DisplayColnr(int dataCol) const { return colList_->DisplayColnr(dataCol); }
    int DataColnr(int displayCol) const { return colList_->DataColnr(displayCol); }
    int DisplayRownr(int dataRow) const { return rowList_->DisplayRownr(dataRow); }
    int DataRownr(int displayRow) const { return rowList_->DataRownr(displayRow); }
    int FixedColCount() const { return colList_->FixedColCount(); }
    void SetFixedColCount(int value) { colList_->SetFixedColCount(value); }
    int FixedRowCount() const { return rowList_->FixedRowCount(); }
    void SetFixedRowCount(int value) { rowList_->SetFixedRowCount(value); }
    int DefaultColWidth() const { return colList_->DefaultColWidth(); }
    void SetDefaultColWidth(int value) { colList_->SetDefaultColWidth(value); }
    int DefaultRowHeight() const { return rowList_->DefaultRowHeight(); }
    void SetDefaultRowHeight(int value) { rowList_->SetDefaultRowHeight(value); }
    bool ColMoving() const { return colList_->ColMoving(); }
    void SetColMoving(bool value) { colList_->SetColMoving(value); }
    bool RowMoving() const { return rowList_->RowMoving(); }
    void SetRowMoving(bool value) { rowList_->SetRowMoving(value); }

    // ---- Grid-level cell settings ---------------------------------------------------
    TtsCellSettings& CellSettings() override { return *cellSettings_; }
    const TtsCellSettings& CellSettings() const override { return *cellSettings_; }
    TtsDrawOverlap DrawOverlap() const override { return drawOverlap_; }
    // Prunes the stored values against the new effective control types.
    void SetDrawOverlap(TtsDrawOverlap value);
    // NOTE: the look settings below are kept here for the resolvers; the
    // painting layer publishes them.
    graphics::TColor GridColor() const override { return gridColor_; }
    void SetGridColor(graphics::TColor value) { gridColor_ = value; }
    TtsWordWrap GridWordWrap() const override { return wordWrap_; }
    void SetGridWordWrap(TtsWordWrap value) { wordWrap_ = value; }
    TtsHorzAlignment GridHorzAlignment() const override { return horzAlignment_; }
    void SetGridHorzAlignment(TtsHorzAlignment value) { horzAlignment_ = value; }
    TtsVertAlignment GridVertAlignment() const override { return vertAlignment_; }
    void SetGridVertAlignment(TtsVertAlignment value) { vertAlignment_ = value; }
    bool GridIs3D() const override { return false; }
    bool ReadOnlyButton() const override { return false; }
    bool DesignEditable() const override { return Designing() && StoreData(); }
    const core::AnsiString& GridCheckBoxValues() const override { return checkBoxValues_; }
    graphics::TColor GridHeadingColor() const override { return graphics::clBtnFace; }
    bool Heading3D() const override { return true; }

    // ---- Selection ---------------------------------------------------------------
    const TtsGridSelection& GridSelection() const { return selection_; }
    TtsRowSelectMode RowSelectMode() const { return selection_.RowSelectMode(); }
    void SetRowSelectMode(TtsRowSelectMode value);
    TtsColSelectMode ColSelectMode() const { return selection_.ColSelectMode(); }
    void SetColSelectMode(TtsColSelectMode value) { selection_.SetColSelectMode(value); }
    TtsCellSelectMode CellSelectMode() const { return selection_.CellSelectMode(); }
    void SetCellSelectMode(TtsCellSelectMode value) { selection_.SetCellSelectMode(value); }
    bool SelectFixed() const { return selection_.SelectFixed(); }
    void SetSelectFixed(bool value) { selection_.SetSelectFixed(value); }
    TtsGridStatus GridStatus() const { return selection_.Status(); }
    // By data row: "Row index %d out of range" outside 1..Rows.
    bool RowSelected(int dataRow) const;
    void SetRowSelected(int dataRow, bool value);
    bool ColSelected(int dataCol) const;
    void SetColSelected(int dataCol, bool value);
    // The plain operations by display position, reported at once.
    void SelectRows(int from, int to, bool byUser = false);
    void UnselectRows(int from, int to, bool byUser = false);
    void ToggleRows(int from, int to, bool byUser = false);
    void SelectOnlyRows(int from, int to, bool byUser = false);
    void SelectCols(int from, int to, bool byUser = false);
    void UnselectCols(int from, int to, bool byUser = false);
    void ToggleCols(int from, int to, bool byUser = false);
    void SelectOnlyCols(int from, int to, bool byUser = false);
    void SelectAllRows(bool byUser = false) { SelectRows(1, Rows(), byUser); }
    void ClearSelection(bool byUser = false);

    // ---- Current cell ----------------------------------------------------------------
    TtsCurrentCell& CurrentCell() { return currentCell_; }
    // The data numbers at the current display position; -1 outside.
    int CurDataCol() const { return curDataCol_; }
    int CurDataRow() const { return curDataRow_; }
    // Moves the current cell to the data cell and raises the move events.
    void MakeCellCurrent(int dataCol, int dataRow);

protected:
    // ---- Events through "do" methods; the row key is the data row ---------------
    // The load step of a read or a paint: the base checks the value against
    // the control type and converts it; TtsCustomGrid raises the events
    // first.
    virtual void LoadCell(int dataCol, int dataRow, TtsControlType type, Variant& value);
    void CheckLoaded(TtsControlType type, Variant& value) const;
    // How many data rows and columns the base layout shows: the layout's
    // counts follow (data count + 1 for the heading row and row bar).
    virtual void ApplyCounts(int newCols, int newRows);
    void Paint() override;
    virtual void DoCellEdit(int /*dataCol*/, const Variant& /*rowKey*/, bool /*byUser*/) {}
    virtual void DoRowCountChanged(int /*oldCount*/, int /*newCount*/) {}
    virtual void DoColCountChanged(int /*oldCount*/, int /*newCount*/) {}
    virtual void DoDeleteRow(const Variant& /*rowKey*/, bool /*byUser*/) {}
    virtual void DoDeleteCol(int /*dataCol*/, bool /*byUser*/) {}
    virtual void DoSelectChanged(TtsSelectType /*type*/, bool /*byUser*/) override {}
    virtual void DoGridStatusChanged(TtsGridStatus /*oldStatus*/, TtsGridStatus /*newStatus*/) override {}
    virtual void DoColChanged(int /*oldCol*/, int /*newCol*/) {}
    virtual void DoRowChanged(const Variant& /*oldRow*/, const Variant& /*newRow*/) {}
    virtual void DoCellChanged(int /*oldCol*/, int /*newCol*/, const Variant& /*oldRow*/, const Variant& /*newRow*/) {}
    virtual void DoTopLeftChanged(int /*oldCol*/, int /*oldRow*/, int /*newCol*/, int /*newRow*/, bool /*byUser*/) {}

    // ---- Settings of cells, columns and rows -------------------------------------
    // The first hidden display position in from..to, or -1.
    int FirstHiddenRow(int from, int to) const;
    int FirstHiddenCol(int from, int to) const;
    // One data row or column leaves the model: its display gap closes and
    // the later data numbers move down by one.
    virtual void RemoveRowSettings(int dataRow);
    virtual void RemoveColSettings(int dataCol);

    // ---- Editing (the editing layer overrides) ------------------------------------
    // Ends the pending edit; false when refused.
    virtual bool EndEdit() { return true; }
    bool Loading() const { return InState(core::csLoading); }
    bool Designing() const { return InState(core::csDesigning); }
    // Painting is held while structure changes.
    bool PaintSuspended() const { return paintLock_ > 0; }

    [[noreturn]] void GridError(const AnsiString& text) const;
    void SizeChanged(int oldColCount, int oldRowCount) override;
    // The layout's widths and heights changed by other means (a border
    // dragged, the default size): the lists take them.
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void TopLeftChanged() override;
    void DrawCell(int col, int row, const TRect& rect, TGridDrawState_ts state) override;

    // Drops stored values that the cell's control type cannot hold: one
    // cell, one column (row 0), one row (column 0), or the whole grid (both
    // 0).
    void PruneValues(int dataCol, int dataRow);
    // Sets the current position to a display cell and reports the move.
    void SetCurrentPosition(int displayCol, int displayRow);
    // Looks the data numbers up again and raises the move events.
    void ReportCurrentMove();
    // Chooses the current cell again after a structure change.
    void PlaceCurrentCell();
    void ReportTopLeft(bool byUser);

    // IGridModelHost (GridModelHost.cpp)
    TCustomGrid_ts& BaseLayout() override { return *this; }
    const TCustomGrid_ts& BaseLayout() const override { return *this; }
    bool Reading() const override { return Loading(); }
    bool Writing() const override { return InState(core::csWriting); }
    bool IsDropDownGrid() const override { return false; }
    bool NewRowLineShown() const override { return false; }
    const graphics::TFont& GridFont() const override;
    const graphics::TFont& GridHeadingFont() const override;
    void InvalidateDataCol(int dataCol) override;
    void InvalidateDataRow(int dataRow) override;
    void InvalidateRowBar(int dataRow) override;
    void InvalidateGrid() override { Invalidate(); }
    void UpdateScrollRange() override { TCustomGrid_ts::UpdateScrollRange(); }
    int CurrentDataCol() const override { return std::max(curDataCol_, 0); }
    int CurrentDataRow() const override { return std::max(curDataRow_, 0); }
    bool EndPendingEdit() override { return EndEdit(); }
    void CloseEdit() override {}
    void RefreshEditor() override {}
    bool HideEditor() override;
    void ShowEditor() override {}
    void ReevaluateCurrentCell() override {}
    void ReloadMask() override {}
    void EditorMaxLengthChanged(int) override {}
    void RefreshCheckBox() override {}
    void ResetDateTimeState() override {}
    void CurrentColMoved(int displayCol) override;
    void CurrentRowMoved(int displayRow) override;
    void LeaveCurrentCol() override;
    void LeaveCurrentRow() override;
    void ChooseCurrentCell() override { PlaceCurrentCell(); }
    void UpdateGridStatus() override { selection_.ReportChanges(false); }
    void CurrentRowChangeCleared() override {}
    void UnselectCol(int dataCol) override;
    void UnselectRow(int dataRow) override;
    void ColSelectionMoved(int fromDisplay, int toDisplay) override { selection_.MoveCol(fromDisplay, toDisplay); }
    void RowSelectionMoved(int fromDisplay, int toDisplay) override { selection_.MoveRow(fromDisplay, toDisplay); }
    void ValidateCheckBoxValues(const core::AnsiString& value) override;
    void PruneColValues(int dataCol) override { PruneValues(dataCol, 0); }
    void PruneRowValues(int dataRow) override { PruneValues(0, dataRow); }
    void EnsureGridCombo() override {}
    void ResizeDropDown() override {}
    void RegisterDateTimeDef(TtsDateTimeDefComponent*) override {}
    void UnregisterDateTimeDef(TtsDateTimeDefComponent*) override {}
    void WriteCombo(const core::TObject&, core::TStream&) override {}
    std::unique_ptr<core::TPersistent> ReadCombo(core::TStream&) override { return nullptr; }
    void DoColMoved(int, int, bool) override {}
    void DoRowMoved(int, int, bool) override {}
    void DoColResized(int) override {}
    void DoRowResized(int) override {}

    // IGridCellHost
    void CellSettingChanged(int dataCol, int dataRow, bool contentOnly) override;
    void CellMaskChanged(int, int) override {}
    void PruneCellValue(int dataCol, int dataRow) override { PruneValues(dataCol, dataRow); }
    // A grid class with combos provides it (TtsGrid); others raise.
    std::unique_ptr<core::TPersistent> CreateCombo() override;
    TtsDropDownStyle ComboDropDownStyle(const core::TPersistent&) const override { return ddDropDown; }
    void SetComboDropDownStyle(core::TPersistent&, TtsDropDownStyle) override {}
    void SizeComboToCol(core::TPersistent&, int) override {}

    // ISelectionHost
    int SelectionRowLimit() const override { return Rows(); }
    int SelectionColLimit() const override { return Cols(); }
    int NextHiddenRow(int from, int to) const override { return FirstHiddenRow(from, to); }
    int NextHiddenCol(int from, int to) const override { return FirstHiddenCol(from, to); }
    bool ListBoxMode() const override { return gridMode_ == gmListBox; }
    bool SelectionDesigning() const override { return Designing(); }
    bool SelectionLoading() const override { return Loading(); }
    bool SelectionEndEdit() override { return EndEdit(); }
    void SelectionHideEditor() override { HideEditor(); }
    void SelectionShowEditor() override {}
    int SelectionCurrentRow() const override { return curDataRow_ > 0 ? CurRow() : -1; }
    void SelectionMoveToRow(int displayRow) override;
    void RepaintRows(int from, int to) override;
    void RepaintCols(int from, int to) override;
    void SelectionUpdateScroll() override {}

    // ICurrentCellHost
    bool HasCurrentCell() const override;
    int CurrentCellCol() const override { return curDataCol_; }
    int CurrentCellRow() const override { return curDataRow_; }
    TtsControlType CurrentCellControlType(int dataCol, int dataRow) const override
    {
        return CellControlType(dataCol, dataRow);
    }
    Variant CurrentCellRead(int dataCol, int dataRow) override { return Cell(dataCol, dataRow); }
    void CurrentCellCheck(TtsControlType type, const Variant& value) override;
    Variant CurrentCellNormalize(TtsControlType type, const Variant& value) override;
    bool CurrentCellCanChange() override { return true; }
    void CurrentCellShowEditor() override {}
    void CurrentCellToEditor(const Variant&, bool) override {}
    void CurrentCellRepaint() override;

    // The last row OnRowLoaded was raised for; -1 at the start of a paint.
    int lastLoadedRow_ = -1;
    // Set while OnCellLoaded runs.
    bool inCellLoaded_ = false;

private:
    friend class TtsGridDeletion;
    friend class TtsGridFiling;
    friend class TtsGridStreamComponent;
    struct CellRead {
        bool active = false;
        int col = 0;
        int row = 0;
        Variant* value = nullptr;
    };
    // Holds painting while it lives; the grid repaints when the last one
    // goes.
    class PaintLock {
    public:
        explicit PaintLock(TtsBaseGrid& grid) : grid_(grid) { ++grid_.paintLock_; }
        ~PaintLock()
        {
            if (--grid_.paintLock_ == 0)
                grid_.Invalidate();
        }

    private:
        TtsBaseGrid& grid_;
    };

    void StoreValue(int dataCol, int dataRow, TtsControlType type, const Variant& value);
    void UpdateStoreHints();
    void RemoveRow(int dataRow);
    void RemoveCol(int dataCol);
    void RemoveAndReport(bool rows, int number);
    void DeleteRange(bool rows, int from, int to);
    void DeleteSelected(bool rows);
    void SettleRowRemovals();
    void SettleColRemovals();
    int PaintLockCount() const { return paintLock_; }

    int cols_ = 4;
    int rows_ = 4;
    int colsPending_ = 0;
    int rowsPending_ = 0;
    std::unique_ptr<Tts2DStorage> store_;
    AnsiString checkBoxValues_;
    TtsGridMode gridMode_ = gmEdit;
    TtsImageListComponent* imageList_ = nullptr;
    TtsPictureNames pictureNames_;
    CellRead reading_;
    std::unique_ptr<TtsGridCols> colList_;
    std::unique_ptr<TtsGridRows> rowList_;
    std::unique_ptr<TtsCellSettings> cellSettings_;
    TtsDrawOverlap drawOverlap_ = doDrawColOnTop;
    graphics::TColor gridColor_ = graphics::clWindow;
    TtsWordWrap wordWrap_ = wwOff;
    TtsHorzAlignment horzAlignment_ = htaLeft;
    TtsVertAlignment vertAlignment_ = vtaTop;
    TtsGridSelection selection_;
    TtsCurrentCell currentCell_;
    int paintLock_ = 0;
    int curDataCol_ = -1;
    int curDataRow_ = -1;
    int reportedCol_ = -1;
    int reportedRow_ = -1;
    TGridCoord reportedTopLeft_{-1, -1};
    TtsGridStreamComponent* streamComponent_ = nullptr;
};

}  // namespace grid
