#pragma once

// Unit Grids_ts: the windowed base of the grid engine.

#include <cstdint>
#include <optional>

#include "grid/foundation/EInvalidGridOperation.h"
#include "grid/foundation/ExtentArray.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Region.h"
#include "platform/ui/WinControl.h"
#include "platform/ui/WindowManager.h"

namespace grid {

using core::AnsiString;
using graphics::TPoint;
using graphics::TRect;

// Behaviour bits of TCustomGrid_ts::Options (bit 0x0020 belongs to a default
// painter and is not consulted here).
using TGridOptions_ts = uint16_t;
enum : TGridOptions_ts {
    goFixedVertLines = 0x0001,
    goFixedHorzLines = 0x0002,
    goVertLines = 0x0004,
    goHorzLines = 0x0008,
    goRangeSelect = 0x0010,
    goRowSizing = 0x0040,
    goColSizing = 0x0080,
    goRowMoving = 0x0100,
    goColMoving = 0x0200,
    goEditing = 0x0400,
    goTabKeys = 0x0800,
    goRowSelect = 0x1000,
    goAlwaysShowEditor = 0x2000,
    goThumbTracking = 0x4000,
};

// What a mouse press started (SizingState).
enum TGridSizingState : uint8_t { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

// How a cell is painted (DrawCell's State).
using TGridDrawState_ts = uint8_t;
enum : TGridDrawState_ts { gdSelected = 0x01, gdFocused = 0x02, gdFixed = 0x04 };

// A cell: column X, row Y, both counted from 0 with the fixed ones first.
struct TGridCoord {
    int X = 0;
    int Y = 0;
    bool operator==(const TGridCoord&) const = default;
};

// A rectangle of cells, both corners included.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TGridRect&) const = default;
};

// The layout of one axis (columns across, rows down) for one client size.
// It is computed when needed and never stored: the computation looks only at
// the fixed cells and the cells from FirstCell to the client edge.
struct TGridAxisMetrics {
    int EffLineWidth = 0;    // LineWidth when the axis's line bits are set, else 0
    int FixedEnd = 0;        // where the fixed cells end (each with its line)
    int FixedCount = 0;      // FixedCols or FixedRows
    int FirstCell = 0;       // LeftCol or TopRow
    int CellCount = 0;       // ColCount or RowCount
    int ClientExtent = 0;    // the client width or height the layout is for
    int GridEnd = 0;         // where the last visible cell ends (at most ClientExtent)
    int LastFullCell = 0;    // the last fully visible cell (at least FirstCell)
    int FullVisibleEnd = 0;  // where LastFullCell ends
    const TtsExtentArray* Extents = nullptr;

    // ColWidths or RowHeights read access.
    int ExtentOf(int index) const { return Extents->Get(index); }
    // The pixel position where cell `index` starts (fixed cells from 0,
    // scrolled cells from FixedEnd at FirstCell), or -1 for a cell scrolled
    // away or starting beyond ClientExtent.
    int64_t PositionOf(int index) const;
    // The cell at pixel position `pos` (Algorithm of CellAt), or -1.
    int CellAtPos(int pos) const;
};

struct TGridMetrics {
    TGridAxisMetrics Horz;
    TGridAxisMetrics Vert;
};

// TCustomGrid_ts: the geometry of a grid and its window.
//
// It knows how many columns and rows there are (the leading FixedCols and
// FixedRows of them fixed, never scrolled), their widths and heights, the
// top-left cell of the scrolled area, the current cell and the selection
// anchor. From these it lays out the visible part, answers which cell is
// under a point and which pixels a cell or a range covers, moves the
// top-left cell by scrolling the window's pixels and repainting only the
// uncovered strip, lets columns and rows be sized and moved with the mouse
// while the form is designed, and files ColWidths and RowHeights with the
// form.
//
// Scale: widths and heights live in TtsExtentArray, which costs nothing per
// row until an extent is set, and every layout question is answered by
// arithmetic over its runs. No paint, hit test, scroll or window resize
// walks the columns or rows beyond the visible ones.
//
// Call flow of a top-left change: SetTopRow / SetLeftCol / ScrollIntoView
//   -> MoveTopLeft (clamps, flushes pending paint, stores)
//   -> TopLeftMoved (scroll bars, pixel distance per axis)
//   -> ScrollArea (moves the pixels, invalidates the uncovered strip)
//      or the whole window when the distance exceeds the scrolled area
//   -> TopLeftChanged (hook).
//
// For subclasses (the grid engine): override the hooks in the protected
// section. DrawCell is the only abstract one; the base paints each visible
// cell through it unless Paint is replaced.
class TCustomGrid_ts : public ui::TCustomControl {
    CORE_CLASS(TCustomGrid_ts, ui::TCustomControl)

    // The largest extent array: 134,217,725 entries.
    static constexpr int MaxExtentCount = 0x7FFFFFD;

    explicit TCustomGrid_ts(core::TComponent* owner);
    ~TCustomGrid_ts() override;

    // ---- Counts --------------------------------------------------------------
    int ColCount() const { return colCount_; }
    // No change when equal; below 1 is taken as 1; FixedCols is lowered
    // first when it would not be below the new count.
    void SetColCount(int value);
    int RowCount() const { return rowCount_; }
    void SetRowCount(int value);
    int FixedCols() const { return fixedCols_; }
    // Raises "Grid index out of range" below 0 and "Fixed column count must
    // be less than column count" when not below ColCount; moves the top-left,
    // current and anchor cells to the first non-fixed cell.
    void SetFixedCols(int value);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int value);

    // ---- Extents -------------------------------------------------------------
    int DefaultColWidth() const { return defaultColWidth_; }
    // Discards every stored width.
    void SetDefaultColWidth(int value);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int value);
    // The stored width, or DefaultColWidth outside 0..ColCount-1 or while no
    // width was ever set.
    int ColWidths(int index) const;
    // Creates the array of widths on first use; raises "Grid index out of
    // range" outside 0..ColCount-1.
    void SetColWidths(int index, int value);
    int RowHeights(int index) const;
    void SetRowHeights(int index, int value);
    // Whether column `index` is a tab stop (all are while no flag was set).
    bool TabStops(int index) const;
    void SetTabStops(int index, bool value);
    // Whether the arrays exist (they are filed only then).
    bool HasColWidths() const { return colWidths_.has_value(); }
    bool HasRowHeights() const { return rowHeights_.has_value(); }
    // The extents of an axis as the layout reads them.
    const TtsExtentArray& ColExtents() const { return colWidths_ ? *colWidths_ : defaultCols_; }
    const TtsExtentArray& RowExtents() const { return rowHeights_ ? *rowHeights_ : defaultRows_; }

    // ---- Look and behaviour ----------------------------------------------------
    int LineWidth() const { return lineWidth_; }
    void SetLineWidth(int value);
    TGridOptions_ts Options() const { return options_; }
    void SetOptions(TGridOptions_ts value);
    // Bits added to Options while the form is designed.
    TGridOptions_ts DesignOptions() const { return designOptions_; }
    void SetDesignOptions(TGridOptions_ts value) { designOptions_ = value; }
    // Options, with DesignOptions while designing.
    TGridOptions_ts EffectiveOptions() const;
    ui::TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(ui::TBorderStyle value);
    ui::TScrollStyle BaseScrollBars() const { return scrollBars_; }
    void SetBaseScrollBars(ui::TScrollStyle value);
    graphics::TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(graphics::TColor value);
    bool StoreExtents() const { return storeExtents_; }
    void SetStoreExtents(bool value) { storeExtents_ = value; }
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool value) { defaultDrawing_ = value; }
    // Horizontal pixel offset, used only while ColCount is 1.
    int PixelOffset() const { return pixelOffset_; }
    void SetPixelOffset(int value) { pixelOffset_ = value; }

    // ---- Top-left, current cell, selection --------------------------------------
    int LeftCol() const { return topLeft_.X; }
    void SetLeftCol(int value);
    int TopRow() const { return topLeft_.Y; }
    void SetTopRow(int value);
    int CurCol() const { return current_.X; }
    int CurRow() const { return current_.Y; }
    int AnchorCol() const { return anchor_.X; }
    int AnchorRow() const { return anchor_.Y; }
    // The rectangle spanned by the current cell and the anchor.
    TGridRect Selection() const;
    // Makes (col, row) current (Algorithm of the current cell): raises "Grid
    // index out of range" outside the grid; nothing when SelectCell refuses.
    void MoveCurrent(int col, int row, bool moveAnchor, bool show);
    // Moves only the anchor (extending the selection); falls back to
    // MoveCurrent unless RangeSelect is on and Editing is off.
    void MoveAnchor(int col, int row);
    // Scrolls so that the cell is fully visible (fixed coordinates are
    // always visible and leave their axis alone).
    void ScrollIntoView(int col, int row);
    int VisibleColCount() const;
    int VisibleRowCount() const;

    // ---- Layout --------------------------------------------------------------
    // The layout for the current client size, or for a given one.
    TGridMetrics CalcMetrics() const;
    TGridMetrics CalcMetrics(int clientWidth, int clientHeight) const;
    // The cell under a client point, or (-1, -1).
    TGridCoord CellAt(int x, int y) const;
    // The pixels of one cell (without its lines); empty when not on screen.
    TRect CellRect(int col, int row) const;
    // The pixels covering a range of cells, clipped to the visible part.
    TRect RangeRect(const TGridRect& range, bool includeLine = false) const;
    // The largest top-left from which `last` is fully visible, per axis.
    TGridCoord MaxTopLeftFor(TGridCoord last, const TGridMetrics& metrics) const;
    // The largest useful top-left for the whole grid.
    TGridCoord MaxTopLeft() const;

    // ---- Invalidation (nothing while the window has no handle) --------------
    void InvalidateCell(int col, int row);
    void InvalidateCol(int col);
    void InvalidateRow(int row);
    void InvalidateRange(const TGridRect& range);
    void InvalidateGrid() { Invalidate(); }

    // ---- Structure -----------------------------------------------------------
    // Moves column `from` to index `to`; the current, anchor and editor
    // columns follow. Raises "Grid index out of range" for an index outside
    // the grid.
    void MoveColumn(int from, int to);
    void MoveRow(int from, int to);
    virtual void DeleteCol(int index);
    virtual void DeleteRow(int index);

    // ---- State ---------------------------------------------------------------
    TGridSizingState SizingState() const { return sizingState_; }
    int SizingIndex() const { return sizingIndex_; }
    int SizingPos() const { return sizingPos_; }
    int MoveFrom() const { return moveFrom_; }
    int MoveTo() const { return moveTo_; }
    // The last point the non-client hit test saw, in client coordinates.
    int HitX() const { return hitX_; }
    int HitY() const { return hitY_; }
    bool EditorMode() const { return editorMode_; }
    void SetEditorMode(bool value);
    ui::TWinControl* InplaceEditor() const { return editor_; }

    void DefineProperties(core::TFiler& filer) override;
    void WndProc(ui::TMessage& message) override;

protected:
    // ---- Virtual operations (in the order the engine overrides them) -------
    // Sets LeftCol and TopRow (clamped to the non-fixed cells); nothing when
    // both are unchanged.
    virtual void MoveTopLeft(int col, int row);
    // Moves the pixels of the scrolled area by (dx, dy) and invalidates what
    // was uncovered.
    virtual void ScrollArea(int dx, int dy, const TGridMetrics& metrics);
    // Reacts to a top-left change: scroll bars, pixels, TopLeftChanged.
    virtual void TopLeftMoved(TGridCoord oldTopLeft);
    // What a mouse press at (x, y) would start: gsColSizing or gsRowSizing
    // with the index, edge position and mouse-to-edge offset, or gsNormal.
    virtual TGridSizingState SizingStateAt(int x, int y, const TGridMetrics& metrics, int& index, int& pos,
                                           int& offset) const;
    // Makes the in-place editor (owned by the grid); the base has none.
    virtual ui::TWinControl* CreateEditor() { return nullptr; }
    // Whether the in-place editor may be shown now.
    virtual bool CanShowEditor() const;
    // Paints one cell; `rect` excludes its lines.
    virtual void DrawCell(int col, int row, const TRect& rect, TGridDrawState_ts state) = 0;
    // Whether (col, row) may become current; the base allows every cell.
    virtual bool SelectCell(int col, int row);

    // ---- Notification hooks ----------------------------------------------------
    // Widths or heights changed; the base invalidates the window.
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    // The top-left cell changed; the base moves a shown editor.
    virtual void TopLeftChanged();
    virtual void ColumnMoved(int /*from*/, int /*to*/) {}
    virtual void RowMoved(int /*from*/, int /*to*/) {}
    // The counts changed; told the old ones.
    virtual void SizeChanged(int /*oldColCount*/, int /*oldRowCount*/) {}
    // A design-time drag asks whether `to` is a fine drop position (it may
    // change it); the final check comes with `final` true.
    virtual bool CheckColumnDrag(int /*from*/, int& /*to*/, bool /*final*/) { return true; }
    virtual bool CheckRowDrag(int /*from*/, int& /*to*/, bool /*final*/) { return true; }
    // The form's design changed (a column or row sized with the mouse).
    virtual void DesignModified() {}
    // The in-place editor's questions.
    virtual AnsiString GetEditText(int /*col*/, int /*row*/) { return {}; }
    virtual void SetEditText(int /*col*/, int /*row*/, const AnsiString& /*value*/) {}
    virtual AnsiString GetEditMask(int /*col*/, int /*row*/) { return {}; }
    virtual int GetEditLimit() { return 0; }
    virtual bool CanEditAcceptKey(char /*key*/) { return true; }
    virtual bool CanGridAcceptKey(uint16_t /*key*/, ui::TShiftState /*shift*/) { return true; }
    virtual bool CanEditModify() { return true; }

    // ---- Editor ----------------------------------------------------------------
    void ShowEditor();
    void HideEditor();
    // Puts a shown editor over the current cell.
    void UpdateEditor();

    // ---- Counts -----------------------------------------------------------------
    // Sets both counts at once (Algorithm of the grid size); on failure puts
    // everything back as it was and lets the error through.
    void ResizeGrid(int newColCount, int newRowCount);
    // The scroll bars' ranges and positions.
    virtual void UpdateScrollRange();
    virtual void UpdateScrollPos();

    // Raises EInvalidGridOperation with `text`.
    [[noreturn]] void InvalidOp(const AnsiString& text) const;

    // ---- Window --------------------------------------------------------------------
    void CreateParams(ui::TCreateParams& params) override;
    void CreateWnd() override;
    // Paints every visible cell in the invalid part through DrawCell, the
    // lines between them, and the background beyond the grid.
    void Paint() override;
    void MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void MouseMove(ui::TShiftState shift, int x, int y) override;
    void MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    // Ends a mouse state: erases a moving line and stops the timer.
    void CancelMode();
    // One tick of timer 1 while selecting or moving with the mouse.
    void TimerTick();

private:
    TGridAxisMetrics AxisMetrics(bool horizontal, int clientExtent) const;
    TGridCoord ClampTopLeft(TGridCoord topLeft) const;
    void InvalidateSelectionChange(const TGridRect& oldSelection);
    void ScrollToCell(TGridCoord cell, const TGridMetrics& metrics);
    TtsExtentArray& CreateExtents(std::optional<TtsExtentArray>& array, int count, int fill);
    void MoveCell(bool columns, int from, int to);
    void ResetFixed();
    // Mouse helpers (CustomGridMouse.cpp).
    void DrawSizingLine();
    void DrawMoveLine();
    void MoveDragTo(int pos);
    void ScrollDuringMove(int x, int y, const TGridMetrics& metrics);
    void StopTimer();
    void SetCursorFor(int x, int y);
    // Scroll-bar requests (WM_HSCROLL / WM_VSCROLL).
    void ScrollBarRequest(bool horizontal, int code, int pos);

    int colCount_ = 5;
    int rowCount_ = 5;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    // Absent while no extent of the axis was set; the default arrays stand
    // for them (one run each, sized with the counts).
    std::optional<TtsExtentArray> colWidths_;
    std::optional<TtsExtentArray> rowHeights_;
    std::optional<TtsExtentArray> tabStops_;
    TtsExtentArray defaultCols_;
    TtsExtentArray defaultRows_;
    int lineWidth_ = 1;
    TGridOptions_ts options_ = 0x001F;
    TGridOptions_ts designOptions_ = goRowSizing | goColSizing;
    ui::TBorderStyle borderStyle_ = ui::bsSingle;
    ui::TScrollStyle scrollBars_ = ui::ssBoth;
    graphics::TColor fixedColor_ = graphics::clBtnFace;
    bool storeExtents_ = true;
    bool defaultDrawing_ = true;
    int pixelOffset_ = 0;
    TGridCoord topLeft_{1, 1};
    TGridCoord current_{1, 1};
    TGridCoord anchor_{1, 1};
    bool editorMode_ = false;
    ui::TWinControl* editor_ = nullptr;
    int editorCol_ = -1;
    int editorRow_ = -1;

    TGridSizingState sizingState_ = gsNormal;
    int sizingIndex_ = 0;
    int sizingPos_ = 0;
    int sizingOffset_ = 0;
    int moveFrom_ = 0;
    int moveTo_ = 0;
    bool moveLineShown_ = false;
    bool timerRunning_ = false;
    TPoint lastMouse_;
    int hitX_ = 0;
    int hitY_ = 0;
};

}  // namespace grid
